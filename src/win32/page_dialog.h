#pragma once
// The skeleton the settings window and the first-run wizard share: a window of fixed client size
// whose controls come from a table in 96-DPI units, with a tree on the left that chooses the page
// and the controls of the other pages hidden. The base scales the table to the DPI of the
// window's monitor (again when the window moves to another), makes the fonts, captions the page
// tree and routes painting and the tree's choice to the dialog, which keeps everything that is
// its own: extra set-up of controls, captions, handlers and what the frame paints.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ports/dialog_context.h"
#include "win32/dialog_parts.h"
#include "win32/form_window.h"

namespace kv::win32app {

// One control of a dialog's table, placed in 96-DPI client units.
struct DialogControl {
    int id;
    const wchar_t* className;
    DWORD style;
    int x, y, width, height;
};

struct PageDialogShape {
    std::u16string formClass;
    // How an error names the window ("settings window").
    std::u16string name;
    // The ICC_* flags of the common controls the table uses.
    DWORD controlClasses;
    int clientWidth;
    int clientHeight;
    std::span<const DialogControl> controls;
    // The text number of each page's node in the tree, in page order.
    std::span<const std::int32_t> pageTexts;
    // The nodes show pictures of an image list the dialog gives the tree.
    bool pageImages = false;
};

class PageDialog : public KvForm {
public:
    // Every table has the page tree under this id. Controls with ids from 200 to 699 belong to
    // page id / 100 - 2; the others show on every page.
    static constexpr int kPageTree = 100;
    static int PageOfControl(int id) { return id >= 200 && id < 700 ? id / 100 - 2 : -1; }

    ~PageDialog() override;

    // The fonts for the window's DPI, the page tree's texts, then the dialog's own captions.
    void ApplyLanguage() override;

protected:
    // Creates the window (hidden, with its own taskbar button), the table's controls and the page
    // tree's nodes; the dialog then adds its own set-up, applies the language and centres it.
    PageDialog(win32::Win32MessageLoop& loop, IDialogContext& context, const PageDialogShape& shape);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The dialog's captions, after the fonts and the page tree's texts are in place.
    virtual void ApplyTexts() {}
    // A page was chosen in the tree (by a click, the keys or SelectPage).
    virtual void OnPageChosen(int) {}
    // The notifications of the dialog's other controls.
    virtual LRESULT OnNotify(NMHDR&) { return 0; }
    // What the window shows around its controls (header bands, pictures).
    virtual void PaintFrame(HDC) {}

    IDialogContext& Context() const { return context_; }
    int Scale(int logical) const { return MulDiv(logical, dpi_, 96); }
    int Dpi() const { return dpi_; }
    HWND Control(int id) const { return GetDlgItem(Handle(), id); }
    const DialogControls& Fonts() const { return controls_; }
    const std::vector<DialogControl>& Table() const { return table_; }

    std::u16string Text(std::int32_t number, std::u16string_view fallback) const;
    // The control's caption from the language file; "%1" stands for the product's name.
    void SetControlText(int id, std::int32_t number, std::u16string_view fallback) const;

    // Shows the controls of `page` and hides those of the other pages.
    void ShowPageControls(int page) const;
    // Selects the page's node; the tree's notification then reaches OnPageChosen.
    void SelectPage(int page) const;
    // The focus goes to the page's first control that takes it.
    void FocusFirstControlOfPage(int page) const;

    // The shield marks the box that needs administrator rights.
    void ShowShield(int id) const;
    // The interface languages in the combo box, the chosen one selected.
    void FillLanguageCombo(int id) const;
    // The language chosen in the combo box becomes the interface language, which re-translates
    // every open window, this one too. The index of the entry; none when nothing valid is chosen.
    std::optional<int> ApplyChosenLanguage(int id) const;
    const std::vector<HTREEITEM>& PageNodes() const { return pageNodes_; }

private:
    void CreateControls();
    void LayoutControls();

    IDialogContext& context_;
    DialogControls controls_;
    std::u16string name_;
    std::vector<DialogControl> table_;
    std::vector<std::int32_t> pageTexts_;
    std::vector<HTREEITEM> pageNodes_;
    int dpi_ = 96;
    int systemDpi_ = 96;
};

}  // namespace kv::win32app
