#pragma once
// The logic of the shortcut capture dialog. While its new-shortcut field has the focus the
// dialog holds a low-level keyboard hook of its own, installed after the program's, that
// swallows every key: Win+key, Alt+Tab-like chords and single modifiers reach the dialog
// instead of Windows or other programs. The keys go into the keyboard model, whose pressed
// combination is the captured hotkey; at most one key that is no modifier takes part. Plain
// Tab moves to OK instead. Removing the hook leaves the program's own hook as it was.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "common/hotkey_code.h"
#include "platform/hook_api.h"
#include "ports/keyboard_visibility_port.h"

namespace kv {

class TKvKeyboard;
class KvMessageBoxes;
class TKvLang;

// What the capture does to the dialog around it.
class IShortcutCaptureView {
public:
    virtual ~IShortcutCaptureView() = default;
    // The new combination as text; the keyboard preview repaints with it.
    virtual void ShowCaptured(const std::u16string& text) = 0;
    virtual bool OkEnabled() const = 0;
    // Moves the focus to OK, which ends the capture.
    virtual void FocusOk() = 0;
};

class ShortcutCapture : private IKeyboardHookHandler {
public:
    // All must outlive the capture. `programHookPassThrough` turns the program's own hook into a
    // bystander while the capture exists (true) and back (false). The on-screen keyboard is away
    // while the dialog shows the model.
    ShortcutCapture(TKvKeyboard& model, IKeyboardHook& hooks, KvMessageBoxes& boxes, const TKvLang& lang,
                    IKeyboardVisibilityPort& onScreenKeyboard, std::function<void(bool)> programHookPassThrough);
    ~ShortcutCapture() override;
    ShortcutCapture(const ShortcutCapture&) = delete;
    ShortcutCapture& operator=(const ShortcutCapture&) = delete;

    void SetView(IShortcutCaptureView* view) { view_ = view; }

    // Before the dialog shows: held keys are released and the model follows only the capture.
    // Returns the text of the hotkey the dialog starts with.
    std::u16string Begin(HotkeyCode current);
    // After the dialog closed, whatever way: the model is as before.
    void End();

    // The new-shortcut field got or lost the focus.
    void Start();
    void Stop();
    bool Capturing() const { return hook_ != nullptr; }

    HotkeyCode Captured() const { return EncodeHotkey(capturedKey_, capturedMods_); }
    const std::u16string& CapturedText() const { return capturedText_; }
    bool Held(std::uint8_t code) const { return held_[code] != 0; }

private:
    bool OnKeyEvent(const LowLevelKeyEvent& event) override;
    void UpdateCapture();

    TKvKeyboard& model_;
    IKeyboardHook& hooks_;
    KvMessageBoxes& boxes_;
    const TKvLang& lang_;
    IKeyboardVisibilityPort& onScreenKeyboard_;
    std::function<void(bool)> programHookPassThrough_;
    IShortcutCaptureView* view_ = nullptr;
    std::unique_ptr<IInstalledKeyboardHook> hook_;
    // CaptureHeld: 1 while the key is physically held during the capture.
    std::array<std::uint8_t, 256> held_{};
    // The keys of the combination shown: a released key stays until the next key goes down.
    std::array<std::uint8_t, 256> shown_{};
    std::uint8_t capturedKey_ = 0;
    std::uint16_t capturedMods_ = 0;
    std::u16string capturedText_;
    bool wasActive_ = false;
    bool keyboardWasShown_ = false;
    bool begun_ = false;
};

}  // namespace kv
