#pragma once

namespace kv {

// Whether the on-screen keyboard's windows are up, for a part that puts them away for a while
// and brings them back as they were: the shortcut capture shows the keyboard in its own dialog,
// where a second keyboard mirroring the captured keys would only be in the way.
class IKeyboardVisibilityPort {
public:
    virtual ~IKeyboardVisibilityPort() = default;
    virtual bool KeyboardShown() const = 0;
    virtual void ShowKeyboard() = 0;
    virtual void HideKeyboard() = 0;
};

}  // namespace kv
