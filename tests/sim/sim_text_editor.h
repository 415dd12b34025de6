#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <set>
#include <string>

#include "platform/hook_api.h"
#include "sim_desktop.h"
#include "sim_devices.h"

namespace kv::sim {

// The text control of the foreground application: it receives the keys that reach the
// application and types what its thread's layout makes of them, with a selection, Backspace,
// and Ctrl+A, Ctrl+C, Ctrl+X, Ctrl+V through the simulated clipboard.
class SimTextEditor {
public:
    SimTextEditor(SimKeyboard& layouts, SimClipboard& clipboard, SimClockAndLoop& loop, std::uint32_t threadId,
                  WindowHandle window)
        : layouts_(layouts), clipboard_(clipboard), loop_(loop), threadId_(threadId), window_(window) {}
    ~SimTextEditor();
    SimTextEditor(const SimTextEditor&) = delete;
    SimTextEditor& operator=(const SimTextEditor&) = delete;

    // Feed it every event that reached the application.
    void OnKey(const LowLevelKeyEvent& event);

    const std::u16string& Text() const { return text_; }
    void SetText(std::u16string text) {
        text_ = std::move(text);
        selectionStart_ = selectionEnd_ = text_.size();
    }
    void Select(std::size_t from, std::size_t to) {
        selectionStart_ = from;
        selectionEnd_ = to;
    }
    void SelectAll() { Select(0, text_.size()); }
    std::u16string Selection() const { return text_.substr(selectionStart_, selectionEnd_ - selectionStart_); }
    // The application does not answer the clipboard shortcuts (the clipboard stays untouched).
    void SetIgnoresClipboardKeys(bool ignores) { ignoresClipboardKeys_ = ignores; }
    // A busy application: Ctrl+C and Ctrl+X put the selection of that later moment on the
    // clipboard `delayMs` of virtual time after the key, as the waiting program pumps messages.
    void SetClipboardKeyDelay(std::uint32_t delayMs) { clipboardKeyDelayMs_ = delayMs; }
    // A slow application: it closes the clipboard (and removes the cut selection) `holdMs` after
    // it emptied it and put the text there.
    void SetClipboardHold(std::uint32_t holdMs) { clipboardHoldMs_ = holdMs; }

private:
    void Insert(std::u16string_view text);
    void CopySelection(bool cut);
    void CopySelectionLater(bool cut);
    void Later(std::uint32_t delayMs, std::function<void()> work);
    void Paste();
    bool Held(std::uint8_t vk) const { return (state_[vk] & 0x80) != 0; }

    SimKeyboard& layouts_;
    SimClipboard& clipboard_;
    SimClockAndLoop& loop_;
    std::uint32_t threadId_;
    WindowHandle window_;
    std::u16string text_;
    std::size_t selectionStart_ = 0;
    std::size_t selectionEnd_ = 0;
    std::array<std::uint8_t, 256> state_{};
    bool ignoresClipboardKeys_ = false;
    std::uint32_t clipboardKeyDelayMs_ = 0;
    std::uint32_t clipboardHoldMs_ = 0;
    std::set<TimerId> lateCopies_;
};

}  // namespace kv::sim
