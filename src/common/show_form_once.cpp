#include "common/show_form_once.h"

namespace kv {

void ShowFormOnce(IForms& forms, const std::u16string& className) {
    for (IOpenForm* form : forms.OpenForms()) {
        if (form->ClassName() != className) continue;
        if (form->IsMinimized()) {
            form->Restore();
        } else {
            form->BringToFront();
        }
        return;
    }
    forms.CreateAndShow(className);
}

}  // namespace kv
