#include "app/equalizer/equalizer_presets.h"

#include <QtGlobal>
#include <algorithm>

namespace orvana::app {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

template <typename Presets>
auto FindByName(Presets& presets, std::string_view name) {
  const std::string wanted = PresetName(name);
  return std::find_if(presets.begin(), presets.end(),
                      [&](const TEqualizerPreset& preset) { return preset.name == wanted; });
}

// Preamps leave room for the highest band, so that a boost rarely clips.
// The names are stored as they are and shown translated (context "Presets").
std::vector<TEqualizerPreset> MakeBuiltInPresets() {
  return {
      {QT_TRANSLATE_NOOP("Presets", "フラット"), {0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}},
      {QT_TRANSLATE_NOOP("Presets", "ロック"), {-30, {48, 36, 20, -8, -20, -8, 16, 32, 40, 44}}},
      {QT_TRANSLATE_NOOP("Presets", "ポップ"), {-24, {-12, 0, 16, 32, 40, 32, 16, 0, -8, -12}}},
      {QT_TRANSLATE_NOOP("Presets", "ジャズ"), {-20, {32, 24, 12, 16, -12, -12, 0, 12, 24, 32}}},
      {QT_TRANSLATE_NOOP("Presets", "クラシック"), {-16, {28, 20, 12, 4, 0, 0, 0, 8, 16, 24}}},
      {QT_TRANSLATE_NOOP("Presets", "ボーカル"), {-24, {-20, -16, -8, 8, 28, 36, 32, 16, 0, -12}}},
      {QT_TRANSLATE_NOOP("Presets", "低音強調"), {-40, {60, 52, 40, 20, 4, 0, 0, 0, 0, 0}}},
      {QT_TRANSLATE_NOOP("Presets", "高音強調"), {-40, {0, 0, 0, 0, 0, 4, 20, 40, 52, 60}}},
  };
}

}  // namespace

const std::vector<TEqualizerPreset>& BuiltInPresets() {
  static const std::vector<TEqualizerPreset> presets = MakeBuiltInPresets();
  return presets;
}

std::string PresetName(std::string_view text) {
  std::string name(text);
  std::replace_if(name.begin(), name.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  const auto first = std::find_if_not(name.begin(), name.end(), IsBlank);
  const auto last = std::find_if_not(name.rbegin(), name.rend(), IsBlank).base();
  return first < last ? std::string(first, last) : std::string();
}

const TEqualizerPreset* TEqualizerPresets::Find(std::string_view name) const {
  for (const std::vector<TEqualizerPreset>* list : {&BuiltInPresets(), &user_}) {
    const auto found = FindByName(*list, name);
    if (found != list->end()) return &*found;
  }
  return nullptr;
}

bool TEqualizerPresets::IsUsers(std::string_view name) const { return FindByName(user_, name) != user_.end(); }

TPresetName TEqualizerPresets::Check(std::string_view name) const {
  if (PresetName(name).empty()) return TPresetName::kEmpty;
  if (IsUsers(name)) return TPresetName::kUsers;
  return Find(name) != nullptr ? TPresetName::kBuiltIn : TPresetName::kFree;
}

bool TEqualizerPresets::Add(std::string_view name, const TEqualizerCurve& curve) {
  if (Check(name) != TPresetName::kFree || Full()) return false;
  user_.push_back({PresetName(name), ClampedCurve(curve)});
  return true;
}

bool TEqualizerPresets::Save(std::string_view name, const TEqualizerCurve& curve) {
  const auto found = FindByName(user_, name);
  if (found == user_.end()) return Add(name, curve);
  found->curve = ClampedCurve(curve);
  return true;
}

bool TEqualizerPresets::Rename(std::string_view from, std::string_view to) {
  const auto found = FindByName(user_, from);
  if (found == user_.end()) return false;
  if (found->name == PresetName(to)) return true;
  if (Check(to) != TPresetName::kFree) return false;
  found->name = PresetName(to);
  return true;
}

bool TEqualizerPresets::Remove(std::string_view name) {
  const auto found = FindByName(user_, name);
  if (found == user_.end()) return false;
  user_.erase(found);
  return true;
}

}  // namespace orvana::app
