#include "resources/language_apply.h"

#include "resources/kv_lang.h"

namespace kv {

void ApplyLanguageToAll(ILanguageTargets& targets) noexcept {
    try {
        targets.LocalizeMenus();
        for (ILocalizedForm* form : targets.OpenLocalizedForms()) {
            form->ApplyLanguage();
            form->Repaint();
        }
    } catch (...) {
        // A half-translated screen beats an error box in the middle of choosing a language.
    }
}

void SwitchLanguage(TKvLang& lang, const std::vector<TKvLangListItem>& list, std::int32_t language,
                    ILanguageTargets& targets) {
    lang.LoadLanguage(LanguageFileNameFor(list, language));
    ApplyLanguageToAll(targets);
}

}  // namespace kv
