#pragma once
// Help context numbers of the program's windows; the help projects map each one to a topic.

namespace kv::help_context {

// Not a topic: the help opens at its contents.
inline constexpr int kContents = 0;

inline constexpr int kWizard = 20;
inline constexpr int kSettingsSounds = 70;
inline constexpr int kSettingsMain = 80;
inline constexpr int kSettingsHotkeys = 460;
inline constexpr int kSettingsLanguage = 510;
inline constexpr int kSettingsOther = 530;

// Every context that opens a topic.
inline constexpr int kAll[] = {kWizard, kSettingsSounds, kSettingsMain, kSettingsHotkeys, kSettingsLanguage,
                               kSettingsOther};

}  // namespace kv::help_context
