#include "win32/page_dialog.h"

#include "common/product.h"
#include "platform/error.h"
#include "platform/win32/win32_text.h"
#include "resources/kv_lang.h"
#include "resources/language_list.h"
#include "settings/preset.h"
#include "win32/buffered_paint.h"
#include "win32/combo_box.h"
#include "win32/dialog_frame.h"
#include "win32/tree_view.h"
#include "win32/window_controls.h"

namespace kv::win32app {

PageDialog::PageDialog(win32::Win32MessageLoop& loop, IDialogContext& context, const PageDialogShape& shape)
    : KvForm(loop, shape.formClass),
      context_(context),
      controls_(shape.controlClasses),
      name_(shape.name),
      table_(shape.controls.begin(), shape.controls.end()),
      pageTexts_(shape.pageTexts.begin(), shape.pageTexts.end()) {
    Create(nullptr, u"");
    const WindowDpi dpi = DpiOfWindow(Handle());
    dpi_ = dpi.window;
    systemDpi_ = dpi.system;
    // Its own taskbar button: an application window without owner.
    SetFrame(Handle(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, WS_EX_APPWINDOW | WS_EX_CONTROLPARENT,
             Scale(shape.clientWidth), Scale(shape.clientHeight));
    CreateControls();
    const TreeView tree(Control(kPageTree));
    for (std::size_t page = 0; page < pageTexts_.size(); ++page) {
        pageNodes_.push_back(tree.Append(u"", static_cast<LPARAM>(page), shape.pageImages ? 0 : -1));
    }
}

PageDialog::~PageDialog() {
    // The controls go before the library that draws them.
    if (Handle()) DestroyWindow(Handle());
}

void PageDialog::CreateControls() {
    HFONT font = FormFontOrDefault(Font());
    for (const DialogControl& placed : table_) {
        HWND child = CreateChild(Handle(), placed.className, placed.style, Scale(placed.x), Scale(placed.y),
                                 Scale(placed.width), Scale(placed.height), placed.id, font);
        if (!child) {
            throw KvError(u"Cannot create a control of the " + name_ + u": " + win32::SystemErrorText(GetLastError()));
        }
    }
}

void PageDialog::LayoutControls() {
    for (const DialogControl& placed : table_) {
        MoveWindow(Control(placed.id), Scale(placed.x), Scale(placed.y), Scale(placed.width), Scale(placed.height),
                   TRUE);
    }
    InvalidateRect(Handle(), nullptr, TRUE);
}

std::u16string PageDialog::Text(std::int32_t number, std::u16string_view fallback) const {
    return context_.Lang().GetText(number, fallback);
}

void PageDialog::SetControlText(int id, std::int32_t number, std::u16string_view fallback) const {
    SetText(Control(id), TKvLang::FormatText(Text(number, fallback), {std::u16string(kProductName)}));
}

void PageDialog::ApplyLanguage() {
    KvForm::ApplyLanguage();
    // While the window is being made the controls are not there yet.
    if (!Handle() || pageNodes_.empty()) return;
    // The form's font is made for the system's DPI; the monitor of the window may have another.
    controls_.MakeFonts(Font(), dpi_, systemDpi_);
    SetFontOfChildren(Handle(), controls_.Body());
    const TreeView tree(Control(kPageTree));
    for (std::size_t page = 0; page < pageNodes_.size(); ++page) {
        tree.SetText(pageNodes_[page], Text(pageTexts_[page], u""));
    }
    ApplyTexts();
}

void PageDialog::ShowPageControls(int page) const {
    for (const DialogControl& placed : table_) {
        const int owner = PageOfControl(placed.id);
        if (owner >= 0) ShowWindow(Control(placed.id), owner == page ? SW_SHOW : SW_HIDE);
    }
}

void PageDialog::SelectPage(int page) const {
    if (page < 0 || page >= static_cast<int>(pageNodes_.size())) return;
    TreeView(Control(kPageTree)).Select(pageNodes_[static_cast<std::size_t>(page)]);
}

void PageDialog::FocusFirstControlOfPage(int page) const {
    for (const DialogControl& placed : table_) {
        HWND control = Control(placed.id);
        if (PageOfControl(placed.id) == page && (placed.style & WS_TABSTOP) && IsWindowEnabled(control)) {
            SetFocus(control);
            return;
        }
    }
}

void PageDialog::ShowShield(int id) const {
    HANDLE shield = LoadImageW(nullptr, MAKEINTRESOURCEW(32518), IMAGE_ICON, Scale(16), Scale(16), LR_SHARED);
    SetStaticIcon(Control(id), shield);
}

void PageDialog::FillLanguageCombo(int id) const {
    win32app::FillLanguageCombo(Control(id), context_.Languages(), context_.Preset().Language());
}

std::optional<int> PageDialog::ApplyChosenLanguage(int id) const {
    const int index = ComboBox(Control(id)).SelectedIndex();
    const auto& languages = context_.Languages();
    if (index < 0 || index >= static_cast<int>(languages.size())) return std::nullopt;
    context_.Preset().SetLanguage(languages[static_cast<std::size_t>(index)].Id);
    return index;
}

LRESULT PageDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NOTIFY: {
            NMHDR& header = *reinterpret_cast<NMHDR*>(lParam);
            if (header.idFrom == kPageTree && header.code == TVN_SELCHANGEDW) {
                OnPageChosen(static_cast<int>(reinterpret_cast<const NMTREEVIEWW&>(header).itemNew.lParam));
                return 0;
            }
            return OnNotify(header);
        }
        case WM_PAINT: {
            const BufferedPaint paint(Handle());
            PaintFrame(paint.Dc());
            return 0;
        }
        case WM_DPICHANGED:
            dpi_ = HIWORD(wParam);
            MoveToSuggestedRect(Handle(), lParam);
            LayoutControls();
            ApplyLanguage();  // fonts for the new DPI
            return 0;
    }
    return KvForm::HandleMessage(message, wParam, lParam);
}

}  // namespace kv::win32app
