// The component's settings: constructor values, what each assignment does
// and refuses, what Capabilities allows in each state, and loading.
#include <gtest/gtest.h>

#include "engine/cpu_features.h"
#include "player/assertion.h"
#include "player/player_messages.h"
#include "player_harness.h"

namespace orvana::player {
namespace {

using testing::DataPath;
using testing::kCbrTone;
using testing::TQuietPlayer;

TEST(PlayerProperties, ConstructorValues) {
  TMP3Player player;
  EXPECT_TRUE(player.AutoOpen());
  EXPECT_TRUE(player.AutoPlay());
  EXPECT_EQ(player.ChangePosStep(), 400);
  EXPECT_EQ(player.DecodePriority(), tpNormal);
  EXPECT_FALSE(player.EqualizerEnabled());
  EXPECT_EQ(player.EqualizerCount(), 6);
  EXPECT_EQ(player.EqualizerMode(), memSubBand);
  EXPECT_EQ(player.FileName(), "");
  EXPECT_EQ(player.NeedInfoType(), (TMP3InfoType{mitID3V1, mitID3V2, mitRiff}));
  EXPECT_TRUE(player.NoisySeek());
  EXPECT_FALSE(player.InvertPolarity());
  EXPECT_TRUE(player.UsingCpuCapabilities().Contains(engine::mccMMX));
  EXPECT_TRUE(player.UsingCpuCapabilities().Contains(engine::mccEMMX));
  EXPECT_EQ(player.VolBalance(), 0);
  EXPECT_EQ(player.Volume(), 100);
  EXPECT_EQ(player.WaveFileName(), "");
  EXPECT_EQ(player.DeviceID(), -1);
  EXPECT_EQ(player.Status(), msStopped);
  EXPECT_FALSE(player.Opened());
  EXPECT_EQ(player.Layer() + player.Frequency() + player.Bitrate() + player.Channels(), 0);
  EXPECT_EQ(player.Position(), 0);
  EXPECT_EQ(player.Length(), 0);
}

TEST(PlayerProperties, OutOfRangeAssignmentsAreIgnored) {
  TQuietPlayer player;
  player.SetChangePosStep(99);
  EXPECT_EQ(player.ChangePosStep(), 400);
  player.SetChangePosStep(100);
  EXPECT_EQ(player.ChangePosStep(), 100);
  player.SetVolBalance(-101);
  player.SetVolBalance(101);
  EXPECT_EQ(player.VolBalance(), 0);
  player.SetVolBalance(-100);
  EXPECT_EQ(player.VolBalance(), -100);
  player.SetVolume(101);
  player.SetVolume(-1);
  EXPECT_EQ(player.Volume(), 100);
  player.SetVolume(0);
  EXPECT_EQ(player.Volume(), 0) << "0 at run time mutes";
  player.SetEqualizerCount(0);
  player.SetEqualizerCount(33);
  EXPECT_EQ(player.EqualizerCount(), 6);
  player.SetEqualizerCount(32);
  EXPECT_EQ(player.EqualizerCount(), 32);
  player.SetEqualizerGain(32, 50);
  player.SetEqualizerGain(-1, 50);
  EXPECT_EQ(player.EqualizerGain(32), 0);
  player.SetEqualizerGain(31, -250);
  EXPECT_EQ(player.EqualizerGain(31), -250);
}

TEST(PlayerProperties, EqualizerChangesPostOneMessageAndRepeatsPostNothing) {
  TQuietPlayer player;
  TMainThreadQueue& queue = player.Messages();
  player.SetEqualizerMode(memSubBand);
  player.SetEqualizerEnabled(false);
  player.SetEqualizerCount(6);
  player.SetEqualizerGain(3, 0);
  EXPECT_FALSE(queue.IsQueued(MPM_EQUALIZER)) << "no change, no message";
  player.SetEqualizerEnabled(true);
  player.SetEqualizerGain(3, 20);
  player.SetEqualizerCount(8);
  player.SetEqualizerMode(memFreq);
  EXPECT_EQ(queue.RemoveQueued(MPM_EQUALIZER), 1) << "coalesced";
}

TEST(PlayerProperties, BandRangeOnlyInFrequencyMode) {
  TQuietPlayer player;
  player.SetBandRange(60, 16000);
  EXPECT_EQ(player.EqualizerFrequency(0), 0) << "sub-band mode ignores it";
  player.SetEqualizerMode(memFreq);
  player.Messages().DispatchPending();
  player.SetBandRange(60, 16000);
  EXPECT_EQ(player.EqualizerFrequency(1), 183);
  EXPECT_EQ(player.EqualizerFrequency(5), 16000);
  EXPECT_TRUE(player.Messages().IsQueued(MPM_EQUALIZER));
  player.SetBandRange(100, 50);
  player.SetBandRange(100, 24001);
  EXPECT_EQ(player.EqualizerFrequency(0), 60);
}

TEST(PlayerProperties, CpuCapabilitiesKeepOnlyWhatTheProcessorHas) {
  TQuietPlayer player;
  player.SetUsingCpuCapabilities(engine::TMP3CpuCapabilities::All());
  EXPECT_EQ(player.UsingCpuCapabilities(), engine::FlagsToCapabilities(engine::DetectCpu()));
  player.SetUsingCpuCapabilities({});
  EXPECT_TRUE(player.UsingCpuCapabilities().Empty());
}

TEST(PlayerProperties, InvertPolarityGoesToTheEngine) {
  engine::EngineState engine;
  {
    TMP3Player player(engine);
    player.SetInvertPolarity(true);
    EXPECT_TRUE(engine.PolarityInverted());
    EXPECT_TRUE(player.InvertPolarity());
    engine.SetPolarityInverted(false);
    EXPECT_FALSE(player.InvertPolarity());
  }
}

TEST(PlayerProperties, CapabilitiesBitByBit) {
  TQuietPlayer player;
  EXPECT_EQ(player.Capabilities().Bits(), mpcOpen);
  player.SetFileName(DataPath(kCbrTone));
  player.Open();
  EXPECT_EQ(player.Capabilities().Bits(), mpcOpen | mpcClose | mpcPlay | mpcIdle);
  player.Play();
  EXPECT_EQ(player.Capabilities().Bits(), mpcOpen | mpcClose | mpcStop | mpcPause | mpcSeek);
  player.Pause();
  EXPECT_EQ(player.Capabilities().Bits(), mpcOpen | mpcClose | mpcStop | mpcResume | mpcSeek);
  player.Stop();
  EXPECT_EQ(player.Capabilities().Bits(), mpcOpen | mpcClose | mpcPlay | mpcIdle);

  // Writing a file: no pausing or seeking.
  testing::TTempFile wave(".wav");
  player.SetWaveFileName(wave.Path());
  player.Play();
  EXPECT_EQ(player.Capabilities().Bits(), mpcOpen | mpcClose | mpcStop);
  player.Stop();
  EXPECT_EQ(player.WaveFileName(), "") << "Stop forgets the file";
}

TEST(PlayerProperties, WaveFileAndDeviceChangeOnlyWhileStopped) {
  TQuietPlayer player;
  player.SetFileName(DataPath(kCbrTone));
  player.Open();
  player.Play();
  player.SetDeviceID(3);
  player.SetWaveFileName("/tmp/never.wav");
  EXPECT_EQ(player.DeviceID(), platform::kNullWaveDevice);
  EXPECT_EQ(player.WaveFileName(), "");
  player.Stop();
  player.SetDeviceID(3);
  EXPECT_EQ(player.DeviceID(), 3);
}

TEST(PlayerProperties, FileNameOpensAtOnceWithAutoOpen) {
  TMP3Player player;
  player.SetAutoPlay(false);
  player.SetFileName(DataPath(kCbrTone));
  EXPECT_TRUE(player.Opened());
  EXPECT_EQ(player.FileName(), DataPath(kCbrTone));
  EXPECT_EQ(player.Title(), "tone-44100-stereo-cbr.mp3") << "no tags: the file's name";
  EXPECT_THROW(player.SetFileName("/no/such/file.mp3"), EStreamError);
  EXPECT_TRUE(player.Opened()) << "a file that cannot be opened leaves the open one alone";
  player.SetFileName("");
  EXPECT_FALSE(player.Opened()) << "an empty name closes";
}

TEST(PlayerProperties, AutoPlayAssignedWhileStoppedStartsPlayback) {
  TQuietPlayer player;
  player.SetFileName(DataPath(kCbrTone));
  player.Open();
  player.SetAutoPlay(false);
  EXPECT_EQ(player.Status(), msPlaying) << "either value starts a stopped stream";
  player.Stop();
  player.OpenStream(nullptr, 0);
  EXPECT_FALSE(player.Opened());
  player.SetAutoPlay(true);
  player.OpenStream(nullptr, 0);
  EXPECT_EQ(player.Status(), msStopped) << "Play without a stream does nothing";
}

TEST(PlayerProperties, LoadingDefersOpeningAndReadsVolumeZeroAsTheDevices) {
  TMP3Player player;
  player.SetAutoPlay(false);
  player.BeginLoad();
  player.SetVolume(0);
  EXPECT_EQ(player.Volume(), 100) << "the device volume (100 where it cannot be read)";
  player.SetEqualizerMode(memFreq);
  player.SetFileName(DataPath(kCbrTone));
  player.SetAutoOpen(true);
  EXPECT_FALSE(player.Opened());
  player.Loaded();
  EXPECT_TRUE(player.Opened());
  EXPECT_EQ(player.EqualizerFrequency(2), 560) << "frequency mode gets its band range";
}

TEST(PlayerProperties, DecodePriorityIsStored) {
  TQuietPlayer player;
  player.SetDecodePriority(tpLowest);
  EXPECT_EQ(player.DecodePriority(), tpLowest);
  EXPECT_EQ(ThreadPriorityValue(tpIdle), -15);
  EXPECT_EQ(ThreadPriorityValue(tpTimeCritical), 15);
  EXPECT_EQ(ThreadPriorityValue(tpHigher), 1);
}

}  // namespace
}  // namespace orvana::player
