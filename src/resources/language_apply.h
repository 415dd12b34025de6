#pragma once
#include <cstdint>
#include <vector>

#include "resources/language_list.h"

namespace kv {

class TKvLang;

// An open window that descends from the base form.
class ILocalizedForm {
public:
    virtual ~ILocalizedForm() = default;
    virtual void ApplyLanguage() = 0;
    virtual void Repaint() = 0;
};

// What a change of language re-translates; the Win32 layer implements it.
class ILanguageTargets {
public:
    virtual ~ILanguageTargets() = default;
    // The data module's menus and actions.
    virtual void LocalizeMenus() = 0;
    // The open base-form windows, in the order to re-translate them.
    virtual std::vector<ILocalizedForm*> OpenLocalizedForms() = 0;
};

// Menus first, then each form: ApplyLanguage, then repaint. An error stops the run and is
// swallowed; the forms not reached keep their old texts until they are next created.
void ApplyLanguageToAll(ILanguageTargets& targets) noexcept;

// What follows storing a new `Language` value (and re-selecting the help file): loads the file
// of the first list item with that id, else English, and re-translates everything open.
void SwitchLanguage(TKvLang& lang, const std::vector<TKvLangListItem>& list, std::int32_t language,
                    ILanguageTargets& targets);

}  // namespace kv
