// Playing from the window on the real sound path: on the default device,
// which is a PulseAudio daemon with a null sink that the tests start
// themselves (one for the program), heard as a listener hears it, from the
// sink's monitor.
#include "app/playlist/song_item.h"
#include "form_fixture.h"
#include "player/sound/monitor_recording.h"
#include "player/sound/pulse_null_sink.h"
#include "player/sound/tone_analysis.h"

namespace orvana::app::testing {
namespace {

using player::testing::PulseNullSink;
using orvana::testing::TMonitorRecording;
using orvana::testing::TStretch;

constexpr int kRate = 44100;
constexpr double kTonePeak = 16384;  // the test tones play at half of full scale

class SoundPlayback : public FormFixture {
 protected:
  static void SetUpTestSuite() { daemon_ = new PulseNullSink(); }
  static void TearDownTestSuite() {
    delete daemon_;
    daemon_ = nullptr;
  }
  void SetUp() override {
    FormFixture::SetUp();
    ASSERT_TRUE(daemon_->Running() || daemon_->Restart()) << daemon_->Failure();
  }

  // A window on the default device whose list holds copies of these test files.
  TForm1& WithSongs(const std::vector<std::string>& dataFiles) {
    TForm1& window = Create();
    window.MP3Player1().SetDeviceID(platform::kDefaultWaveDevice);
    std::vector<TPlaylistItem> items;
    int n = 0;
    for (const std::string& file : dataFiles) {
      const std::string path = Path(std::to_string(++n) + ".mp3");
      std::filesystem::copy_file(std::string(ORVANA_TEST_DATA_DIR) + "/player/" + file, path);
      items.push_back(ItemFromFileName(path));
    }
    window.Playlist().Append(std::move(items));
    return window;
  }
  bool Stopped() { return form->MP3Player1().Status() == player::msStopped; }

  // Plays the list from its first song to its end, heard from the monitor.
  std::vector<double> RecordWholeList() {
    TMonitorRecording recording(daemon_->Server(), PulseNullSink::kMonitorName, kRate);
    EXPECT_TRUE(recording.Started());
    form->Playback().PlayRow(0);
    EXPECT_TRUE(WaitUntil([&] { return Stopped(); }, 20000));
    // The end is reported once the last sample is heard; a little more shows
    // nothing follows.
    recording.WaitForMore(kRate / 10, 5000);
    const std::string raw = recording.Stop();
    if (const char* keep = std::getenv("ORVANA_KEEP_RECORDING")) std::ofstream(keep, std::ios::binary) << raw;
    return orvana::testing::LeftChannelOf(raw);
  }

  static PulseNullSink* daemon_;
};

PulseNullSink* SoundPlayback::daemon_ = nullptr;

TEST_F(SoundPlayback, ToneCutInTwoPlaysAsOneUnbrokenTone) {
  WithSongs({"tone-440-first-half.mp3", "tone-440-second-half.mp3"});
  const std::vector<double> heard = RecordWholeList();
  const TStretch tone = orvana::testing::SoundingPart(heard);
  ASSERT_GT(tone.Length(), std::size_t(kRate * 19 / 10)) << "both parts heard";
  EXPECT_LT(tone.Length(), std::size_t(kRate * 21 / 10)) << "and nothing between them";
  // The fade-in and fade-out of the encoder's frames aside, the wave runs on.
  const std::size_t edge = kRate / 100;
  EXPECT_TRUE(orvana::testing::SilencesIn(heard, tone.begin, tone.end, kRate / 1000).empty());
  EXPECT_LT(orvana::testing::LargestPredictionError(heard, 440, kRate, tone.begin + edge, tone.end - edge),
            0.05 * kTonePeak);
  EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
}

TEST_F(SoundPlayback, AnotherRateInTheMiddleCostsLessThanATenthOfASecond) {
  TForm1& window = WithSongs({"tone-440-first-half.mp3", "tone-48000-stereo-cbr.mp3", "tone-440-second-half.mp3"});
  const std::vector<double> heard = RecordWholeList();
  const TStretch sound = orvana::testing::SoundingPart(heard);
  for (const TStretch& silence : orvana::testing::SilencesIn(heard, sound.begin, sound.end, kRate / 1000))
    EXPECT_LT(silence.Length(), std::size_t(kRate / 10)) << "at " << silence.begin;
  EXPECT_EQ(window.Widgets().ComboBox1->count(), 3) << "every song counted as it was heard";
  EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
}

TEST_F(SoundPlayback, AServerThatGoesAwayIsReportedOnceAndTheNextPlayWorksWhenItIsBack) {
  WithSongs({"tone-440-first-half.mp3", "tone-440-second-half.mp3"});
  form->Playback().PlayRow(0);
  ASSERT_EQ(form->MP3Player1().Status(), player::msPlaying) << errors.join("\n").toStdString();
  daemon_->Kill();
  ASSERT_TRUE(WaitUntil([&] { return Stopped(); }, 10000));
  Spin(500);  // time for any second message to come
  ASSERT_EQ(errors.size(), 1) << errors.join("\n").toStdString();
  EXPECT_TRUE(errors[0].contains(QStringLiteral("PulseAudio"))) << errors[0].toStdString();

  ASSERT_TRUE(daemon_->Restart()) << daemon_->Failure();
  TMonitorRecording recording(daemon_->Server(), PulseNullSink::kMonitorName, kRate);
  ASSERT_TRUE(recording.Started());
  form->Playback().PlayRow(0);
  EXPECT_EQ(form->MP3Player1().Status(), player::msPlaying);
  const auto heard = [&] {
    return orvana::testing::PeakIn(orvana::testing::LeftChannelOf(recording.SamplesSoFar()), 0, SIZE_MAX) > 1000;
  };
  EXPECT_TRUE(WaitUntil(heard, 10000));
  EXPECT_EQ(errors.size(), 1);
}

}  // namespace
}  // namespace orvana::app::testing
