#pragma once
#include <cstdint>
#include <optional>

#include "platform/types.h"

namespace kv {

// The caret of the focused control as accessibility reports it, for applications that draw their
// own caret: the caret object of the focused window (MSAA), then the caret range of the focused
// element's text (UI Automation).
class IAccessibleCaret {
public:
    virtual ~IAccessibleCaret() = default;
    // The caret rectangle in screen pixels for the thread of `foreground`; empty when nobody
    // answered within `budgetMs`. A slow application is still asked in the background, and its
    // late answer serves the next question about the same window.
    virtual std::optional<Rect> FindCaret(WindowHandle foreground, std::uint32_t budgetMs) = 0;
    // All monitors together, in screen pixels.
    virtual Rect VirtualScreen() const = 0;
};

}  // namespace kv
