#include "common/busy_cursor.h"

namespace kv {

void BusyCursor::Begin(bool reset) {
    count_ = reset ? 1 : count_ + 1;
    windows_.SetCursorShape(CursorShape::Hourglass);
}

void BusyCursor::End(bool reset) {
    count_ = reset ? 0 : (count_ > 0 ? count_ - 1 : 0);
    if (count_ == 0) windows_.SetCursorShape(CursorShape::Default);
}

}  // namespace kv
