#pragma once
// The floating language panel's window as its behaviour drives it: a borderless top-most popup
// that never takes the focus, so a click on it leaves the application the user types in where it
// was. It paints the buttons it is given and reports the mouse; it decides nothing.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/keyboard_api.h"
#include "platform/types.h"

namespace kv {

// One button as the window paints it (`TKvLangBtn`).
struct PanelButton {
    LayoutHandle layout = 0;
    std::uint8_t flagIndex = 0;  // in the flag list
    std::u16string name;         // the language's name, for the kinds that show it
    Rect bounds;                 // in panel pixels
    bool selected = false;
    bool hover = false;
};

class ILanguagePanelView {
public:
    virtual ~ILanguagePanelView() = default;
    virtual bool IsShown() const = 0;
    // Shown without activation, above other top-most windows.
    virtual void ShowPanel() = 0;
    virtual void HidePanel() = 0;
    // Screen pixels; the window has no frame, so this is also its client area.
    virtual Rect Bounds() const = 0;
    virtual void MoveTo(Point topLeft) = 0;
    virtual void Resize(Point size) = 0;
    // Layered with this opacity when `blending`, fully opaque otherwise.
    virtual void SetOpacity(std::uint8_t alpha, bool blending) = 0;
    // Above other top-most windows without moving, sizing or activating.
    virtual void RaiseTopmost() = 0;
    // Dots per inch of the monitor the panel is on.
    virtual std::int32_t Dpi() const = 0;
    virtual Point CursorPos() const = 0;
    // What the panel paints from now on, all of it repainted.
    virtual void SetButtons(const std::vector<PanelButton>& buttons) = 0;
    // One button changed: only it is repainted.
    virtual void UpdateButton(std::size_t index, const PanelButton& button) = 0;
    virtual void RepaintAll() = 0;
    // The tool tip; empty for none.
    virtual void SetHint(const std::u16string& hint) = 0;
};

}  // namespace kv
