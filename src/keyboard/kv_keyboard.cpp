#include "keyboard/kv_keyboard.h"

#include <algorithm>

#include "common/busy_cursor.h"
#include "common/key_classes.h"
#include "keyboard/keyboard_canvas.h"
#include "keyboard/layout_char_cache.h"
#include "keyboard/system_modifiers.h"
#include "keyboard/us_reference_layout.h"
#include "platform/win_constants.h"

namespace kv {

namespace {
constexpr std::uint8_t kHeld = 0x81;
// GetKeyboardLayoutList entries that count as installed for the US reference.
constexpr std::size_t kInstalledLayoutsConsidered = 40;
// A layout handle carries the layout in its high word.
constexpr LayoutHandle kLowestLayoutHandle = 0x10000;

std::uint8_t EitherSide(const std::array<std::uint8_t, 256>& state, std::uint8_t left, std::uint8_t right) {
    return state[left] != 0 || state[right] != 0 ? kHeld : 0;
}
}  // namespace

TKvKeyboard::TKvKeyboard(IKeyboardCanvas& canvas, KeyboardServices services, LayoutHandle initialLayout)
    : canvas_(canvas), services_(std::move(services)) {
    const Point size = canvas_.DisplaySize();
    width_ = size.x;
    height_ = size.y;
    for (std::size_t i = 0; i < posToVk_.size(); ++i) posToVk_[i] = static_cast<std::uint8_t>(i);
    // Without keys there is no position to map and nothing to label: LoadKeyboard computes the
    // layout's characters once the keys exist (ToUnicodeEx for every key is slow under Wine).
    if (initialLayout >= kLowestLayoutHandle) layout_ = initialLayout;
    ClearKeys();
}

TKvKeyboard::~TKvKeyboard() = default;

void TKvKeyboard::SetKeyPressed(std::uint8_t code, bool pressed) {
    if (TKvBtn* key = Btn(code)) key->SetPressed(pressed);
}

bool TKvKeyboard::IsKeyPressed(std::uint8_t code) const {
    const TKvBtn* key = Btn(code);
    return key != nullptr && key->Pressed();
}

bool TKvKeyboard::IsModifier(std::uint8_t code) { return IsModifierKey(code); }

void TKvKeyboard::ReleaseAll() {
    for (auto& key : btns_) {
        if (key) key->SetPressed(false);
    }
    RepaintDisplay();
}

void TKvKeyboard::ToggleLockState(std::uint8_t code) { keyState_[code] = keyState_[code] == 1 ? 0 : 1; }

void TKvKeyboard::TrackKeyChange(std::uint8_t code, bool pressed) {
    if (IsLockKey(code)) {
        if (pressed) ToggleLockState(code);
    } else {
        keyState_[code] = pressed ? kHeld : 0;
        keyState_[vk::kShift] = EitherSide(keyState_, vk::kLeftShift, vk::kRightShift);
        keyState_[vk::kControl] = EitherSide(keyState_, vk::kLeftControl, vk::kRightControl);
        keyState_[vk::kMenu] = EitherSide(keyState_, vk::kLeftMenu, vk::kRightMenu);
    }
    pressedCount_ = pressed ? pressedCount_ + 1 : std::max(0, pressedCount_ - 1);
    if (IsModifierKey(code)) RecomputeModifiers();
}

void TKvKeyboard::RecomputeModifiers() {
    std::uint16_t sided = 0;
    for (std::uint8_t code : {vk::kLeftShift, vk::kRightShift, vk::kLeftControl, vk::kRightControl, vk::kLeftMenu,
                              vk::kRightMenu, vk::kLeftWin, vk::kRightWin}) {
        if (keyState_[code] != 0) sided |= SidedModifierBit(code);
    }
    modsSided_ = sided;
    modsAny_ = SidelessModifiers(sided);
}

void TKvKeyboard::SetLayout(LayoutHandle layout) {
    if (layout < kLowestLayoutHandle) return;
    // 64-bit Windows processes the same handle again.
    if (!services_.is64BitWindows && layout == layout_) return;
    layout_ = layout;
    RebuildPositionMap();
    BuildLayoutChars();
    if (active_ && drawEnabled_) Redraw();
}

void TKvKeyboard::RebuildPositionMap() {
    for (std::size_t i = 0; i < posToVk_.size(); ++i) posToVk_[i] = static_cast<std::uint8_t>(i);
    // Every key starts from its own outline, so nothing of the previous layout's map survives.
    for (auto& key : btns_) {
        if (key) key->shape_ = key.get();
    }
    IKeyboardLayouts& layouts = services_.layouts;
    const UsReferenceLayout us(layouts, kInstalledLayoutsConsidered);
    for (std::uint32_t code = 1; code < 256; ++code) {
        TKvBtn* key = btns_[code].get();
        if (key == nullptr || !IsLetterKey(code)) continue;
        const std::uint32_t scan = layouts.MapVirtualKeyCode(code, win::kMapVkToVsc, layout_);
        std::uint32_t position = layouts.MapVirtualKeyCode(scan, win::kMapVscToVkEx, us.Handle());
        if (position == 0) position = code;
        if (position > 255 || !btns_[position]) continue;
        TKvBtn& taken = *btns_[position];
        if (taken.shape_ == &taken) taken.shape_ = nullptr;
        key->shape_ = &taken;
        posToVk_[position] = static_cast<std::uint8_t>(code);
        taken.SetPressed(false);
    }
}

void TKvKeyboard::BuildLayoutChars() {
    layoutSlot_ = static_cast<std::int32_t>(
        services_.charCache.SlotFor(services_.layouts, layout_, services_.is64BitWindows));
}

char16_t TKvKeyboard::CharOf(std::uint8_t code) const {
    const TKvLayoutCharCache& cache = services_.charCache;
    if (layoutSlot_ < 0 || static_cast<std::size_t>(layoutSlot_) >= cache.Count()) return 0;
    return cache.Record(static_cast<std::size_t>(layoutSlot_))
        .At(code, keyState_[vk::kShift] != 0, keyState_[vk::kMenu] != 0, keyState_[vk::kControl] != 0,
            keyState_[vk::kCapsLock] != 0);
}

void TKvKeyboard::SetActive(bool active) {
    if (active == active_) return;
    active_ = active;
    if (!active) return;
    ReleaseAll();
    ReleaseSystemModifiers(services_.keyInput, services_.keys, keyState_);
    modsAny_ = modsSided_ = 0;
    pressedCount_ = 0;
    // The key under the mouse loses its hot look too, or it would stay drawn hot.
    if (hotBtn_ != nullptr) hotBtn_->hot_ = false;
    hotBtn_ = nullptr;
    Redraw();
}

void TKvKeyboard::MouseMoveTo(std::int32_t x, std::int32_t y) {
    bool extended = false;
    if (hotBtn_ != nullptr && hotBtn_->HitTest(x, y, extended)) return;
    ClearHot(false);
    for (auto& key : btns_) {
        if (!key || !key->HitTest(x, y, extended)) continue;
        hotBtn_ = key.get();
        key->extended_ = extended;
        key->SetHot(true);
        if (handCursor_) services_.busyCursor.SetHandCursor();
        break;
    }
    RepaintDisplay();
}

void TKvKeyboard::ClearHot(bool repaint) {
    if (hotBtn_ == nullptr) return;
    hotBtn_->SetHot(false);
    hotBtn_ = nullptr;
    services_.busyCursor.End(false);
    if (repaint) RepaintDisplay();
}

void TKvKeyboard::Redraw() {
    if (!drawEnabled_) return;
    canvas_.DrawKeyboard(*this);
    RepaintDisplay();
    if (OnPaint) OnPaint();
}

void TKvKeyboard::RepaintDisplay() {
    if (drawEnabled_) canvas_.CopyToDisplay();
}

void TKvKeyboard::SetDrawEnabled(bool enabled) {
    if (enabled == drawEnabled_) return;
    drawEnabled_ = enabled;
    if (enabled) Redraw();
}

void TKvKeyboard::SetTransparentBackground(bool transparent) {
    transparentBackground_ = transparent;
    Redraw();
}

void TKvKeyboard::SetFrameVisible(bool visible) {
    if (visible == frameVisible_) return;
    frameVisible_ = visible;
    Redraw();
}

void TKvKeyboard::SetAppIcons(const TKvIcons* icons) {
    if (icons == appIcons_) return;
    appIcons_ = icons;
    Redraw();
}

}  // namespace kv
