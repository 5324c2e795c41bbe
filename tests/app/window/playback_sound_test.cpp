// Playing from the window on the real sound path: through ALSA's default
// device into a PulseAudio null sink that the test starts itself.
#include "app/playlist/song_item.h"
#include "form_fixture.h"
#include "player/sound/pulse_null_sink.h"

namespace orvana::app::testing {
namespace {

using SoundPlayback = FormFixture;

TEST_F(SoundPlayback, TwoSongsFollowEachOtherThroughPulseAudio) {
  player::testing::PulseNullSink daemon;
  ASSERT_TRUE(daemon.Running()) << daemon.Failure();
  TForm1& window = Create();
  window.MP3Player1().SetDeviceID(platform::kDefaultWaveDevice);
  window.Playlist().Append({ItemFromFileName(Song("a.mp3")), ItemFromFileName(Song("b.mp3"))});
  int positions = 0;
  QObject::connect(window.Widgets().ProgressBar1, &QProgressBar::valueChanged, [&positions] { ++positions; });
  window.Playback().PlayRow(0);
  ASSERT_EQ(window.MP3Player1().Status(), player::msPlaying) << errors.join("\n").toStdString();
  ASSERT_TRUE(WaitUntil([&] { return window.State().currentIndex == 1; }, 10000));
  EXPECT_EQ(window.MP3Player1().Status(), player::msPlaying);
  ASSERT_TRUE(WaitUntil([&] { return window.MP3Player1().Status() == player::msStopped; }, 10000));
  EXPECT_EQ(window.Widgets().ComboBox1->count(), 2);
  EXPECT_GE(positions, 4);  // the bar moved while each song played
  EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
}

}  // namespace
}  // namespace orvana::app::testing
