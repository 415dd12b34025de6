#pragma once
#include <cstdint>

namespace kv {

// The language of the program's own texts: help file, text table, open forms and menus.
class IInterfaceLanguagePort {
public:
    virtual ~IInterfaceLanguagePort() = default;
    virtual void ChooseHelpFile(std::int32_t languageId) = 0;
    // The language file, then every open form and menu.
    virtual void ApplyLanguage(std::int32_t languageId) = 0;
};

}  // namespace kv
