#pragma once
// The caret flag's window as its behaviour sees it: a 16 x 11 picture of a language flag that
// floats over every application, never takes the focus and is moved, never hidden: out of sight
// means above the top of the screen.
#include <cstdint>
#include <memory>

#include "platform/types.h"

namespace kv {

// The flag's size on a monitor of `dpi` dots per inch: twice the 16 x 11 pixels from 150 % on,
// drawn from the large flag strip.
constexpr std::int32_t CaretFlagScaleForDpi(std::uint32_t dpi) { return dpi >= 144 ? 2 : 1; }

// What the window reports back to the behaviour.
class ICaretFlagWindowEvents {
public:
    virtual ~ICaretFlagWindowEvents() = default;
    // The mouse moved over the flag: it gets out of the way.
    virtual void MouseOverFlag() = 0;
    // Someone asked the window to close; it stays, hidden.
    virtual void CloseRequested() = 0;
};

class ICaretFlagWindow {
public:
    virtual ~ICaretFlagWindow() = default;
    // Top-left corner in screen pixels of the monitor it lands on.
    virtual void MoveTo(Point topLeft) = 0;
    virtual void SetOpacity(std::uint8_t opacity) = 0;
    // Image `index` of the language flag strip.
    virtual void SetFlagImage(std::int32_t index) = 0;
};

class ICaretFlagWindows {
public:
    virtual ~ICaretFlagWindows() = default;
    // Shown at `topLeft` from the start; `events` outlives the window.
    virtual std::unique_ptr<ICaretFlagWindow> CreateCaretFlagWindow(ICaretFlagWindowEvents& events, Point topLeft,
                                                                    std::uint8_t opacity, std::int32_t flagIndex) = 0;
};

}  // namespace kv
