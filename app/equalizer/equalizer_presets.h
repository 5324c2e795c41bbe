#pragma once
// The equalizer's presets: the built-in curves, and the user's own, saved
// under names of their own choosing. No two presets share a name: a
// built-in name is never the user's, and the user's names differ from one
// another. Names are kept as the settings file keeps them (line breaks as
// spaces, no blanks around).
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "app/equalizer/equalizer_curve.h"

namespace orvana::app {

struct TEqualizerPreset {
  std::string name;
  TEqualizerCurve curve;

  bool operator==(const TEqualizerPreset&) const = default;
};

// フラット first, then the curves for kinds of music and for the ends of
// the range.
const std::vector<TEqualizerPreset>& BuiltInPresets();

// What a name is for a preset about to be saved under it.
enum class TPresetName { kFree, kEmpty, kBuiltIn, kUsers };

// A name as it is stored and compared.
std::string PresetName(std::string_view text);

class TEqualizerPresets {
 public:
  // Enough for any collection; also the most read from a settings file.
  static constexpr std::size_t kMaxUserPresets = 100;

  const std::vector<TEqualizerPreset>& User() const { return user_; }
  // A built-in or user's preset by its name, or null.
  const TEqualizerPreset* Find(std::string_view name) const;
  bool IsUsers(std::string_view name) const;
  TPresetName Check(std::string_view name) const;
  bool Full() const { return user_.size() >= kMaxUserPresets; }

  // Adds `curve` under a free name; false (nothing added) otherwise, or
  // when full.
  bool Add(std::string_view name, const TEqualizerCurve& curve);
  // Adds `curve` under `name`, or replaces the curve of the user's preset of
  // that name. False for an empty or built-in name, or a new one when full.
  bool Save(std::string_view name, const TEqualizerCurve& curve);
  // Renames the user's preset `from`, keeping its place. False unless `from`
  // is the user's and `to` is free (or `from` itself).
  bool Rename(std::string_view from, std::string_view to);
  // False when `name` is not the user's.
  bool Remove(std::string_view name);

  bool operator==(const TEqualizerPresets&) const = default;

 private:
  std::vector<TEqualizerPreset> user_;
};

}  // namespace orvana::app
