#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace kv {

// Windows and messages of the whole desktop (any process).
class IWindowing {
public:
    virtual ~IWindowing() = default;
    virtual WindowHandle FindTopLevelWindow(std::u16string_view className, std::u16string_view caption) const = 0;
    virtual bool IsWindow(WindowHandle window) const = 0;
    virtual bool IsWindowVisible(WindowHandle window) const = 0;
    virtual std::vector<WindowHandle> TopLevelWindows() const = 0;
    virtual bool PostToWindow(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    virtual std::intptr_t SendToWindow(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    virtual void ShowWindow(WindowHandle window, int command) = 0;
    // Work area (screen minus task bar) of the monitor nearest to `area`.
    virtual Rect WorkAreaNearest(const Rect& area) const = 0;
};

}  // namespace kv
