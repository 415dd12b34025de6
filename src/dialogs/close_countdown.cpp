#include "dialogs/close_countdown.h"

#include "platform/text.h"

namespace kv {

CloseCountdown::Step CloseCountdown::Tick(std::u16string_view caption) {
    if (remaining_ > 0) --remaining_;
    if (remaining_ > 0) {
        return {std::u16string(caption) + u" (" + Utf8ToUtf16(std::to_string(remaining_)) + u")", false};
    }
    return {std::u16string(caption), true};
}

}  // namespace kv
