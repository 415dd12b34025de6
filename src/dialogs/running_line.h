#pragma once
#include <cstdint>

namespace kv {

// Horizontal span [left, right) of a picture or of the line's place on the form.
struct LineSpan {
    std::int32_t left = 0;
    std::int32_t right = 0;
    std::int32_t Width() const { return right - left; }
    friend bool operator==(const LineSpan&, const LineSpan&) = default;
};

// One frame of the wait dialog's running line: the picture is drawn shifted right by `offset`,
// its end wrapping round to the left edge. Both copies keep the line's height and top.
struct RunningLineFrame {
    std::int32_t offset = 0;
    LineSpan headSource, headTarget;  // the picture's start, drawn from `offset` to the right edge
    LineSpan tailSource, tailTarget;  // the picture's end, drawn from the left edge to `offset`
    std::int32_t nextOffset = 0;
    friend bool operator==(const RunningLineFrame&, const RunningLineFrame&) = default;
};

inline constexpr std::int32_t kRunningLineStep = 10;

// The frame drawn at `offset` on a line `lineWidth` pixels wide; an offset past the width
// starts again at 0.
RunningLineFrame RunningLineAt(std::int32_t offset, std::int32_t lineWidth);

}  // namespace kv
