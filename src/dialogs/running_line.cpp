#include "dialogs/running_line.h"

namespace kv {

RunningLineFrame RunningLineAt(std::int32_t offset, std::int32_t lineWidth) {
    // A negative offset cannot come from the ticks; treating it as a wrap keeps the copies inside the picture.
    if (offset > lineWidth || offset < 0) offset = 0;
    RunningLineFrame frame;
    frame.offset = offset;
    frame.headSource = {0, lineWidth - offset};
    frame.headTarget = {offset, lineWidth};
    frame.tailSource = {lineWidth - offset, lineWidth};
    frame.tailTarget = {0, offset};
    frame.nextOffset = offset + kRunningLineStep;
    return frame;
}

}  // namespace kv
