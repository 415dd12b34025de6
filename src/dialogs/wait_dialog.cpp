#include "dialogs/wait_dialog.h"

#include "resources/kv_lang.h"

namespace kv {

void WaitDialog::ShowWait(std::u16string_view text) {
    try {
        windows_.RepaintActiveForm();
    } catch (...) {
        // A form that cannot repaint must not keep the notice from showing.
    }
    if (!window_) window_ = windows_.CreateWaitWindow();
    window_->CenterOnWorkArea();
    window_->SetMessageText(text);
    window_->StartRunningLine();
    window_->ShowModeless();
    window_->Repaint();
}

void WaitDialog::ShowLoadingWait(std::u16string_view what) {
    ShowWait(TKvLang::FormatText(lang_.GetText(67, u"Loading %1"), {std::u16string(what)}) + u".\r\n" +
             lang_.GetText(68, u"Please wait..."));
}

}  // namespace kv
