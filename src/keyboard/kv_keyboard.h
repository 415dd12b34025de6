#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "keyboard/key_names.h"
#include "keyboard/kv_btn.h"
#include "platform/keyboard_api.h"
#include "ports/keyboard_model_port.h"

namespace kv {

class BusyCursor;
class IFileSystem;
class IKeyboardCanvas;
class KeySender;
class KvMessageBoxes;
class TKvIcons;
class TKvLang;
class TKvLayoutCharCache;

// What the model uses of the rest of the program; all must outlive it.
struct KeyboardServices {
    IKeyboardLayouts& layouts;
    IKeyInput& keyInput;
    const IFileSystem& files;
    KeySender& keys;
    BusyCursor& busyCursor;
    KvMessageBoxes& messageBoxes;
    const TKvLang& lang;
    const KeyNameTable& keyNames;  // the settings model's display names of keys
    TKvLayoutCharCache& charCache;
    std::u16string appFolder;  // ends with a backslash
    bool is64BitWindows = false;
};

struct PressedCombination {
    std::uint8_t key = 0;
    std::uint16_t modifiers = 0;  // sided modifier byte
    std::u16string text;
};

// The program's picture of the physical keyboard: the keys of the loaded geometry, which are down,
// the lock states, the characters of the current layout and the physical position of every key.
// One exists for the whole process; the keyboard hook feeds it every key event.
class TKvKeyboard : public IKeyboardModelPort {
public:
    TKvKeyboard(IKeyboardCanvas& canvas, KeyboardServices services, LayoutHandle initialLayout);
    TKvKeyboard(const TKvKeyboard&) = delete;
    TKvKeyboard& operator=(const TKvKeyboard&) = delete;
    ~TKvKeyboard() override;

    // IKeyboardModelPort: what the keyboard options change.
    void LoadKeyboardDescription(const std::u16string& name) override { LoadKeyboard(name); }
    void RebuildKeyboardCharacters() override {
        BuildLayoutChars();
        Redraw();
    }

    // Geometry. LoadKeyboard reports a faulty file itself and returns false; the keys read
    // before the fault stay and drawing stays suspended.
    bool LoadKeyboard(std::u16string_view name);
    // Throws KvError when the picture cannot be loaded; an empty path does nothing.
    void LoadBackground(const std::u16string& path);
    void ClearKeys();
    const std::u16string& KeyboardName() const { return keyboardName_; }
    const std::u16string& Comment() const { return comment_; }
    const std::u16string& BackgroundFile() const { return backgroundFile_; }
    const std::u16string& Info() const { return info_; }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }

    // Keys and their state.
    TKvBtn* Btn(std::uint8_t code) const { return btns_[code].get(); }
    void SetKeyPressed(std::uint8_t code, bool pressed);
    bool IsKeyPressed(std::uint8_t code) const;
    static bool IsModifier(std::uint8_t code);
    void ReleaseAll();
    std::int32_t PressedCount() const { return pressedCount_; }
    std::uint16_t ModsAny() const { return modsAny_; }
    std::uint16_t ModsSided() const { return modsSided_; }
    // Indexed by virtual-key code: 0x81 held, 0 up; lock keys hold only their toggle (1 on).
    const std::array<std::uint8_t, 256>& KeyState() const { return keyState_; }
    // Raw access for callers that correct or temporarily hide a byte; no bookkeeping follows.
    void SetKeyStateByte(std::uint8_t code, std::uint8_t value) { keyState_[code] = value; }
    // A lock key's toggle: 1 becomes 0, anything else 1.
    void ToggleLockState(std::uint8_t code);

    // Layout, position map and characters.
    void SetLayout(LayoutHandle layout);
    LayoutHandle Layout() const { return layout_; }
    // Index of Layout in the character cache; -1 before the first computation.
    std::int32_t LayoutSlot() const { return layoutSlot_; }
    // The code that sits, in Layout, at the position of the US key `position`.
    std::uint8_t PosToVk(std::uint8_t position) const { return posToVk_[position]; }
    void RebuildPositionMap();
    void BuildLayoutChars();
    // What the key types under the model's Shift, Alt, Ctrl and CapsLock state.
    char16_t CharOf(std::uint8_t code) const;

    // While active the model follows the live keyboard.
    bool Active() const { return active_; }
    void SetActive(bool active);

    // Mouse.
    TKvBtn* HotBtn() const { return hotBtn_; }
    void MouseMoveTo(std::int32_t x, std::int32_t y);
    void ClearHot(bool repaint);
    bool HandCursor() const { return handCursor_; }
    void SetHandCursor(bool on) { handCursor_ = on; }

    // Names. A key is labelled with the name table's entry for its place; hotkey texts add an
    // "R" for right Shift and right Ctrl, which are labelled like the left ones.
    const std::u16string& KeyLabel(std::uint8_t code) const;
    std::u16string KeyName(std::uint8_t code) const;
    std::u16string HotkeyText(std::uint8_t code, std::uint16_t modifiers) const;
    PressedCombination PressedHotkey() const;

    // Held keys around synthetic input.
    void RememberHeldKeys();
    void ReleaseHeldKeys();
    // Presses again the remembered keys the user still holds.
    void RestoreHeldKeys(bool modifiersOnly);
    // The user let go of a key while the hook let input pass: it is up, and not one to press again.
    void UserReleasedKey(std::uint8_t code);
    bool AnyModifierHeld() const;
    bool SavedHeld(std::uint8_t code) const { return savedHeld_[code]; }

    // Drawing.
    IKeyboardCanvas& Canvas() const { return canvas_; }
    void Redraw();
    void RepaintDisplay();
    bool DrawEnabled() const { return drawEnabled_; }
    void SetDrawEnabled(bool enabled);
    bool TransparentBackground() const { return transparentBackground_; }
    void SetTransparentBackground(bool transparent);
    bool FrameVisible() const { return frameVisible_; }
    void SetFrameVisible(bool visible);
    const TKvIcons* AppIcons() const { return appIcons_; }
    void SetAppIcons(const TKvIcons* icons);
    const TKvIcons* SystemIcons() const { return systemIcons_; }
    void SetSystemIcons(const TKvIcons* icons) { systemIcons_ = icons; }
    bool SplitHighlight() const { return splitHighlight_; }
    void SetSplitHighlight(bool on) { splitHighlight_ = on; }
    // Measured by the renderer at each full redraw.
    std::int32_t LabelHeight() const { return labelHeight_; }
    std::int32_t CharWidth() const { return charWidth_; }
    void SetTextMetrics(std::int32_t labelHeight, std::int32_t charWidth) {
        labelHeight_ = labelHeight;
        charWidth_ = charWidth;
    }
    // Fired at the end of every full redraw.
    std::function<void()> OnPaint;

private:
    friend class TKvBtn;

    // Key state, pressed count and modifier sets after a key went down or up.
    void TrackKeyChange(std::uint8_t code, bool pressed);
    void RecomputeModifiers();
    void ReadGeometry(const std::u16string& folder, const std::u16string& path);
    void AddKey(std::uint8_t code, std::vector<Point> points);
    void Resize(std::int32_t width, std::int32_t height);

    IKeyboardCanvas& canvas_;
    KeyboardServices services_;

    bool active_ = false;
    bool drawEnabled_ = true;
    TKvBtn* hotBtn_ = nullptr;
    LayoutHandle layout_ = 0;
    std::int32_t layoutSlot_ = -1;
    const TKvIcons* appIcons_ = nullptr;
    const TKvIcons* systemIcons_ = nullptr;
    std::int32_t pressedCount_ = 0;
    std::array<bool, 256> savedHeld_{};
    bool transparentBackground_ = false;
    bool frameVisible_ = true;
    std::array<std::unique_ptr<TKvBtn>, 256> btns_;  // index 0 stays empty
    std::array<std::uint8_t, 256> posToVk_{};
    bool splitHighlight_ = false;
    std::uint16_t modsAny_ = 0;
    std::uint16_t modsSided_ = 0;
    std::u16string keyboardName_;
    std::u16string comment_;
    std::u16string backgroundFile_;
    std::u16string info_;
    std::array<std::uint8_t, 256> keyState_{};
    std::int32_t labelHeight_ = 0;
    std::int32_t charWidth_ = 0;
    bool handCursor_ = true;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
};

}  // namespace kv
