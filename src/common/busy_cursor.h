#pragma once
#include "platform/windowing_api.h"

namespace kv {

// The hourglass while work runs; nested Begin/End pairs keep it until the outermost ends.
class BusyCursor {
public:
    explicit BusyCursor(IWindowing& windows) : windows_(windows) {}
    void Begin(bool reset);
    void End(bool reset);
    void SetHandCursor() { windows_.SetCursorShape(CursorShape::Hand); }
    int Count() const { return count_; }

private:
    IWindowing& windows_;
    int count_ = 0;
};

}  // namespace kv
