#pragma once
// Where the text caret of the application in front is. The system's caret comes first; when the
// application has none (browsers and many modern editors draw their own), accessibility is asked.
#include <cstdint>

#include "platform/accessibility_api.h"
#include "platform/types.h"

namespace kv {
struct Platform;

struct CaretSpot {
    Point point;  // the caret's right edge and top, in screen pixels
    std::int32_t height = 0;
};

class ICaretLocator {
public:
    virtual ~ICaretLocator() = default;
    // False when there is no caret to be found, or it must blink and does not.
    virtual bool Locate(bool requireBlinking, CaretSpot& spot) = 0;
    // The caret found last blinks, or stands for one that does: a caret that accessibility
    // reports is shown by its application, which is what blinking means to the flag.
    virtual bool Blinking() = 0;
};

// Only accessibility answers that lie on the screen count: a caret of a hidden or scrolled-away
// control is reported at odd places, and (0, 0, 0, 0) often means none.
bool PlausibleCaret(const Rect& caret, const Rect& virtualScreen);

class CaretLocator final : public ICaretLocator {
public:
    // Each accessibility question may hold the GUI thread for `budgetMs` at most.
    static constexpr std::uint32_t kAccessibilityBudgetMs = 8;

    CaretLocator(const Platform& platform, IAccessibleCaret& accessible)
        : platform_(platform), accessible_(accessible) {}
    bool Locate(bool requireBlinking, CaretSpot& spot) override;
    bool Blinking() override;

private:
    const Platform& platform_;
    IAccessibleCaret& accessible_;
    bool lastFromAccessibility_ = false;
};

}  // namespace kv
