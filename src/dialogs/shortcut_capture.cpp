#include "dialogs/shortcut_capture.h"

#include "common/key_classes.h"
#include "common/message_boxes.h"
#include "keyboard/kv_keyboard.h"
#include "platform/win_constants.h"
#include "resources/kv_lang.h"

namespace kv {

namespace {
constexpr std::uint8_t kVkTab = 0x09;
}

ShortcutCapture::ShortcutCapture(TKvKeyboard& model, IKeyboardHook& hooks, KvMessageBoxes& boxes, const TKvLang& lang,
                                 IKeyboardVisibilityPort& onScreenKeyboard,
                                 std::function<void(bool)> programHookPassThrough)
    : model_(model),
      hooks_(hooks),
      boxes_(boxes),
      lang_(lang),
      onScreenKeyboard_(onScreenKeyboard),
      programHookPassThrough_(std::move(programHookPassThrough)) {}

ShortcutCapture::~ShortcutCapture() {
    // A hook the system would not remove stays owned here and tries again on destruction.
    hook_.reset();
    if (begun_) End();
}

std::u16string ShortcutCapture::Begin(HotkeyCode current) {
    model_.ReleaseHeldKeys();
    keyboardWasShown_ = onScreenKeyboard_.KeyboardShown();
    if (keyboardWasShown_) onScreenKeyboard_.HideKeyboard();
    model_.SetTransparentBackground(false);
    wasActive_ = model_.Active();
    model_.SetActive(false);
    model_.SetActive(true);  // starts from no key held
    model_.SetDrawEnabled(true);
    if (programHookPassThrough_) programHookPassThrough_(true);
    begun_ = true;
    shown_.fill(0);
    const DecodedHotkey hotkey = DecodeHotkey(current);
    UpdateCapture();
    return current == 0 ? lang_.GetText(6, u"None") : model_.HotkeyText(hotkey.key, hotkey.modifiers);
}

void ShortcutCapture::End() {
    Stop();
    if (!begun_) return;
    begun_ = false;
    if (programHookPassThrough_) programHookPassThrough_(false);
    model_.SetDrawEnabled(false);
    model_.SetTransparentBackground(true);
    model_.SetActive(false);
    model_.SetActive(wasActive_);
    if (keyboardWasShown_) onScreenKeyboard_.ShowKeyboard();
}

void ShortcutCapture::Start() {
    if (hook_) return;
    // Keys held when the capture starts are not part of it, modifiers least of all.
    held_.fill(0);
    hook_ = hooks_.Install(*this);
    if (!hook_) boxes_.ShowError(lang_.GetText(1, u"The keyboard hook could not be installed."));
}

void ShortcutCapture::Stop() {
    if (!hook_) return;
    if (!hook_->Remove()) {
        // It stays owned (and is tried again on destruction), but the capture has ended.
        boxes_.ShowError(lang_.GetText(2, u"The keyboard hook could not be removed."));
    }
    hook_.reset();
}

bool ShortcutCapture::OnKeyEvent(const LowLevelKeyEvent& event) {
    const auto code = static_cast<std::uint8_t>(event.vkCode);
    if (event.vkCode > 0xFF || model_.Btn(code) == nullptr) return true;  // not on this keyboard: ignored
    if (event.flags & kLlkhfUp) {
        held_[code] = 0;
    } else {
        if (code == kVkTab) {
            bool modifierHeld = false;
            for (int c = 1; c < 256; ++c) modifierHeld = modifierHeld || (held_[c] && IsModifierKey(c));
            if (!modifierHeld && view_ && view_->OkEnabled()) {
                view_->FocusOk();
                return true;
            }
        }
        held_[code] = 1;
        shown_[code] = 1;
        bool keyTaken = false;
        for (int c = 1; c < 256; ++c) {
            if (!shown_[c]) continue;
            if (held_[c] && !IsModifierKey(c)) {
                // The lowest key that is no modifier stays; any further one leaves the chord.
                if (keyTaken) held_[c] = 0;
                keyTaken = true;
            }
            if (!held_[c]) shown_[c] = 0;
        }
        // The combination is the capture's own: where the program's hook sees the keys too (it
        // may be put back in front of this one), its releases must not empty the combination.
        for (int c = 1; c < 256; ++c) model_.SetKeyPressed(static_cast<std::uint8_t>(c), shown_[c] != 0);
    }
    model_.RepaintDisplay();
    UpdateCapture();
    return true;  // while capturing, no key reaches any application
}

void ShortcutCapture::UpdateCapture() {
    // As the keyboard model names a pressed combination: one key alone, even a modifier, is a
    // hotkey of its own.
    std::uint8_t key = 0;
    std::uint16_t modifiers = 0;
    std::uint8_t only = 0;
    int count = 0;
    for (int c = 1; c < 256; ++c) {
        if (!shown_[c]) continue;
        ++count;
        only = static_cast<std::uint8_t>(c);
        if (IsModifierKey(c)) {
            modifiers |= SidedModifierBit(c);
        } else {
            key = static_cast<std::uint8_t>(c);
        }
    }
    if (count == 1) {
        key = only;
        modifiers = 0;
    }
    capturedKey_ = key;
    capturedMods_ = modifiers;
    std::u16string text = model_.HotkeyText(key, modifiers);
    if (text == capturedText_) return;
    capturedText_ = std::move(text);
    if (view_) view_->ShowCaptured(capturedText_);
}

}  // namespace kv
