#include "app/app_forms.h"

#include "resources/kv_lang.h"

namespace kv {

int CharsetForLanguage(int languageId) {
    switch (languageId) {
        case 4:
        case 1028: return 136;  // CHINESEBIG5_CHARSET
        case 17:
        case 1041: return 128;  // SHIFTJIS_CHARSET
        case 2052: return 134;  // GB2312_CHARSET
        default: return 1;      // DEFAULT_CHARSET
    }
}

std::u16string LocalizedFormCaption(AppForm form, const TKvLang& lang) {
    switch (form) {
        case AppForm::MainKeyboardForm: return lang.GetText(36, u"On-Screen Keyboard");
        default: return {};
    }
}

}  // namespace kv
