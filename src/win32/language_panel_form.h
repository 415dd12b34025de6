#pragma once
// TFloatingWindowLangForm on the real desktop: a borderless, top-most, layered tool window that
// never activates, so clicking a flag leaves the keyboard focus in the application the user types
// in. It paints the buttons LanguagePanel gives it through a double buffer (flags from the flag
// strip, the double-size one on monitors of 150 % and more) and hands it the mouse.
#include <windows.h>

#include <memory>
#include <vector>

#include "indicators/language_panel_view.h"
#include "win32/form_window.h"
#include "win32/image_strips.h"

namespace kv {
class LanguagePanel;
}

namespace kv::win32app {

class LanguagePanelForm final : public KvForm, public ILanguagePanelView {
public:
    // `controls` must outlive the form.
    // `flags` must outlive the window.
    LanguagePanelForm(win32::Win32MessageLoop& loop, CommonControls& controls, LanguageFlags& flags);
    ~LanguagePanelForm() override;
    void Create();
    // Null detaches, before the panel goes.
    void Attach(LanguagePanel* panel) { panel_ = panel; }

    // ILanguagePanelView
    bool IsShown() const override;
    void ShowPanel() override;
    void HidePanel() override;
    Rect Bounds() const override;
    void MoveTo(Point topLeft) override;
    void Resize(Point size) override;
    void SetOpacity(std::uint8_t alpha, bool blending) override;
    void RaiseTopmost() override;
    std::int32_t Dpi() const override;
    Point CursorPos() const override;
    void SetButtons(const std::vector<PanelButton>& buttons) override;
    void UpdateButton(std::size_t index, const PanelButton& button) override;
    void RepaintAll() override;
    void SetHint(const std::u16string& hint) override;

protected:
    void OnCreated() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    void PaintButton(HDC dc, const PanelButton& button, int dpi);
    void DrawFlag(HDC dc, int index, int x, int y, int dpi);
    HFONT NameFont(int dpi);
    void MouseMoved(POINT at);

    CommonControls& controls_;
    LanguagePanel* panel_ = nullptr;
    std::vector<PanelButton> buttons_;
    LanguageFlags& flags_;
    win32::UniqueFont nameFont_;
    int nameFontDpi_ = 0;
    HWND tooltip_ = nullptr;
    std::u16string hint_;
    bool trackingLeave_ = false;
};

}  // namespace kv::win32app
