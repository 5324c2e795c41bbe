#pragma once
// The sound shaping's keys in the settings file (section "ini"), read at
// start-up and written at exit with the program's other settings. Gains are
// integers in tenths of a dB.
//
//   Equalizer.Enabled          0 or 1 (0 at first)
//   Equalizer.Preamp           -120..120
//   Equalizer.Band0..Band9     -120..120, 31 Hz first
//   Equalizer.Presets          how many of the user's presets follow
//   Equalizer.PresetN.Name     the name of preset N (0 first)
//   Equalizer.PresetN.Gains    11 gains separated by commas: the preamp,
//                              then the bands, 31 Hz first
//   ReplayGain.Mode            0 off, 1 track, 2 album
//   ReplayGain.Preamp          -150..150, for songs with a gain
//   ReplayGain.DefaultGain     -150..150, for songs without
//   ReplayGain.PreventClipping 0 or 1 (1 at first)
//
// Reading never fails: gains outside their range are pulled into it, a mode
// outside 0..2 is off, a value that is no number keeps its default. Of the
// presets, at most TEqualizerPresets::kMaxUserPresets are looked at; one
// without a name, with a built-in or an earlier preset's name, or without
// exactly 11 numbers is skipped. Writing replaces every preset key, so that
// none of a deleted preset stays behind.
#include "app/equalizer/sound_shaping_settings.h"
#include "app/settings/ini_gt.h"

namespace orvana::app {

TSoundShapingSettings ReadSoundShaping(const TIniGT& ini);
void WriteSoundShaping(TIniGT& ini, const TSoundShapingSettings& settings);

}  // namespace orvana::app
