#pragma once
#include <array>
#include <string>
#include <string_view>

namespace kv {

// The windows the entry sequence creates, in creation order.
enum class AppForm {
    FirstForm,
    BugMessageForm,
    DataDM,
    MessageForm,
    MainKeyboardForm,
    MainKeyboardBackgroundForm,
    ClipboardMonitor,
    FloatingWindowLangForm,
};

struct AppFormInfo {
    AppForm form;
    std::u16string_view className;
    std::u16string_view logName;
};

inline constexpr std::array<AppFormInfo, 8> kAppFormsInCreationOrder{{
    {AppForm::FirstForm, u"TFirstForm", u"FirstForm"},
    {AppForm::BugMessageForm, u"TKvBugMessageForm", u"KvBugMessageForm"},
    {AppForm::DataDM, u"TDataDM", u"DataDM"},
    {AppForm::MessageForm, u"TKvMessageForm", u"KvMessageForm"},
    {AppForm::MainKeyboardForm, u"TMainKeyboardForm", u"MainKeyboardForm"},
    {AppForm::MainKeyboardBackgroundForm, u"TMainKeyboardBackgroundForm", u"MainKeyboardBackgroundForm"},
    {AppForm::ClipboardMonitor, u"TKvClipboardMonitor", u"KvClipboardDM"},
    {AppForm::FloatingWindowLangForm, u"TFloatingWindowLangForm", u"FloatingWindowLangForm"},
}};

inline constexpr std::u16string_view kMarkerClassName = u"TFirstForm";
inline constexpr std::u16string_view kMarkerCaption = u"KarmuxFirstForm";
inline constexpr std::u16string_view kCompanionClassAndCaption = u"KarmuxCm";
inline constexpr std::u16string_view kCompanionFileName = u"KarmuxCm.exe";

// The font character set a form uses for the chosen interface language.
int CharsetForLanguage(int languageId);

class TKvLang;
// The caption a form takes from the language table; empty for forms without one.
std::u16string LocalizedFormCaption(AppForm form, const TKvLang& lang);

}  // namespace kv
