#include "sim_text_editor.h"

#include <cstring>
#include <memory>

#include "platform/clipboard_api.h"
#include "platform/win_constants.h"

namespace kv::sim {

namespace {
constexpr std::uint8_t kBackspace = 8, kShift = 16, kControl = 17, kMenu = 18, kCapsLock = 20;
}

SimTextEditor::~SimTextEditor() {
    for (TimerId id : lateCopies_) loop_.StopTimer(id);
}

void SimTextEditor::OnKey(const LowLevelKeyEvent& event) {
    const auto vk = static_cast<std::uint8_t>(event.vkCode);
    const bool up = (event.flags & kLlkhfUp) != 0;
    auto set = [&](std::uint8_t code) { state_[code] = up ? (state_[code] & 0x01) : (state_[code] | 0x80); };
    set(vk);
    if (vk == 0xA0 || vk == 0xA1) set(kShift);
    if (vk == 0xA2 || vk == 0xA3) set(kControl);
    if (vk == 0xA4 || vk == 0xA5) set(kMenu);
    if (vk == kCapsLock && !up) state_[kCapsLock] ^= 0x01;
    if (up) return;

    if (Held(kControl) && !Held(kMenu)) {
        if (vk == 'A') SelectAll();
        if (ignoresClipboardKeys_) return;
        if (vk == 'C' || vk == 'X') CopySelectionLater(vk == 'X');
        if (vk == 'V') Paste();
        return;
    }
    if (vk == kBackspace) {
        if (selectionStart_ == selectionEnd_ && selectionStart_ > 0) --selectionStart_;
        Insert(u"");
        return;
    }
    char16_t buffer[4] = {};
    const LayoutHandle layout = layouts_.ThreadLayout(threadId_);
    const int count = layouts_.TranslateToUnicode(vk, event.scanCode, state_.data(), buffer, 4, 0, layout);
    if (count > 0) Insert(std::u16string_view(buffer, static_cast<std::size_t>(count)));
}

void SimTextEditor::Insert(std::u16string_view text) {
    text_.replace(selectionStart_, selectionEnd_ - selectionStart_, text);
    selectionStart_ += text.size();
    selectionEnd_ = selectionStart_;
}

void SimTextEditor::CopySelectionLater(bool cut) {
    if (clipboardKeyDelayMs_ == 0) {
        CopySelection(cut);
        return;
    }
    Later(clipboardKeyDelayMs_, [this, cut] { CopySelection(cut); });
}

void SimTextEditor::Later(std::uint32_t delayMs, std::function<void()> work) {
    // A one-shot timer: it stops itself before it works.
    auto id = std::make_shared<TimerId>();
    *id = loop_.StartTimer(delayMs, [this, id, work = std::move(work)] {
        loop_.StopTimer(*id);
        lateCopies_.erase(*id);
        work();
    });
    lateCopies_.insert(*id);
}

void SimTextEditor::CopySelection(bool cut) {
    if (selectionStart_ == selectionEnd_) return;  // an empty selection copies nothing
    const std::u16string selected = Selection();
    if (!clipboard_.Open(window_)) return;
    clipboard_.Empty();
    std::string bytes(reinterpret_cast<const char*>(selected.data()), selected.size() * sizeof(char16_t));
    bytes.append(2, '\0');
    clipboard_.SetData(clip::kUnicodeText, bytes);
    auto finish = [this, cut] {
        clipboard_.Close();
        if (cut) Insert(u"");
    };
    if (clipboardHoldMs_ == 0) {
        finish();
    } else {
        Later(clipboardHoldMs_, finish);
    }
}

void SimTextEditor::Paste() {
    if (!clipboard_.Open(window_)) return;
    const std::optional<std::string> bytes = clipboard_.Data(clip::kUnicodeText);
    clipboard_.Close();
    if (!bytes) return;
    std::u16string text(bytes->size() / sizeof(char16_t), u'\0');
    std::memcpy(text.data(), bytes->data(), text.size() * sizeof(char16_t));
    if (const auto end = text.find(u'\0'); end != std::u16string::npos) text.resize(end);
    Insert(text);
}

}  // namespace kv::sim
