#pragma once
#include <cstdint>

#include "platform/keyboard_api.h"

namespace kv {

// The small flag of the current language beside the text caret.
class ICaretFlagPort {
public:
    virtual ~ICaretFlagPort() = default;
    virtual bool CaretFlagExists() const = 0;
    // Created when missing, moved out of sight and shown; its display starts at once only when
    // asked.
    virtual void ShowCaretFlag(bool startDisplay) = 0;
    virtual void FreeCaretFlag() = 0;
    virtual void SetCaretFlagOpacity(std::int32_t opacity) = 0;
    // When the window exists: restart its show cycle, or stop and hide it.
    virtual void CaretFlagOn(bool on) = 0;
    // The layout changed: the flag shows the new one.
    virtual void ShowCaretFlagFor(LayoutHandle layout) = 0;
    // A new application came to the front: the flag restarts its show cycle.
    virtual void NewForegroundApplication() = 0;
    // From inside the keyboard hook: a key went down, the show cycle restarts. Must return at
    // once and allocate nothing.
    virtual void PokeCaretFlag() = 0;
};

}  // namespace kv
