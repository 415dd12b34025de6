#include "dialogs/wizard_texts.h"

#include "actions/action_description.h"
#include "common/product.h"
#include "hotkeys/kv_actions.h"
#include "resources/kv_lang.h"

namespace kv {

std::optional<std::u16string> ConvertTypedHotkeyText(const TKvActions& actions, const IHotkeyTextSource& hotkeys) {
    const TKvAction* convert = actions.FindByKind(ActionKind::LanguageAndCase, 0);
    if (!convert) return std::nullopt;
    return ActionHotkeyText(*convert, hotkeys);
}

WizardPageTexts BuildWizardPageTexts(const TKvLang& lang, const std::optional<std::u16string>& convertHotkey) {
    const std::u16string product(kProductName);
    WizardPageTexts texts;
    texts.start = TKvLang::FormatText(lang.GetText(391, u"Welcome to %1!"), {product});
    if (convertHotkey) {
        texts.switcher = TKvLang::FormatText(lang.GetText(400, u"Press %1 to convert the text typed last."),
                                             {*convertHotkey});
    }
    texts.finish = lang.GetText(403, u"Click Finish to close this wizard.");
    return texts;
}

}  // namespace kv
