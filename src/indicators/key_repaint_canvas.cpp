#include "indicators/key_repaint_canvas.h"

#include <algorithm>
#include <bit>
#include <limits>

#include "keyboard/kv_btn.h"
#include "keyboard/kv_keyboard.h"

namespace kv {

Rect KeyImageArea(const TKvBtn& key) {
    const TKvBtn* shape = key.Shape();
    if (shape == nullptr || shape->Points().empty()) return {};
    Rect area{std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max(),
              std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::min()};
    for (const Point& p : shape->Points()) {
        // Separator points of split outlines are negative; they mark, they do not cover.
        if (p.x < 0 || p.y < 0) continue;
        area.left = std::min(area.left, p.x);
        area.top = std::min(area.top, p.y);
        area.right = std::max(area.right, p.x + 1);
        area.bottom = std::max(area.bottom, p.y + 1);
    }
    if (area.left > area.right) return {};
    // The outline's pen and rounded corners reach a pixel beyond the points.
    return {area.left - 1, area.top - 1, area.right + 1, area.bottom + 1};
}

void KeyRepaintCanvas::SetTarget(IKeyboardCanvas& target) {
    target_ = &target;
    fullPending_ = true;
    if (requests_) requests_->InvalidateWholeImage();
}

void KeyRepaintCanvas::Resize(std::int32_t width, std::int32_t height) {
    target_->Resize(width, height);
    // A new bitmap holds nothing of the old image.
    fullPending_ = true;
}

void KeyRepaintCanvas::DrawKeyboard(TKvKeyboard& keyboard) {
    keyboard_ = &keyboard;
    const bool wasPending = fullPending_;
    fullPending_ = true;
    anyKeyPending_ = false;
    dirtyKeys_.fill(0);
    if (!wasPending && requests_) requests_->InvalidateWholeImage();
}

void KeyRepaintCanvas::DrawKey(TKvBtn& key) {
    keyboard_ = &key.Keyboard();
    const std::uint64_t bit = std::uint64_t{1} << (key.Vk() % 64);
    std::uint64_t& word = dirtyKeys_[key.Vk() / 64];
    if (fullPending_ || (word & bit) != 0) return;
    word |= bit;
    anyKeyPending_ = true;
    if (requests_) requests_->InvalidateImageArea(KeyImageArea(key));
}

void KeyRepaintCanvas::CopyToDisplay() { copyPending_ = true; }

void KeyRepaintCanvas::Flush() {
    DrawMarked();
    target_->CopyToDisplay();
}

void KeyRepaintCanvas::DrawMarked() {
    const bool full = fullPending_;
    const bool anyKey = anyKeyPending_;
    fullPending_ = anyKeyPending_ = copyPending_ = false;
    std::array<std::uint64_t, 4> marked{};
    std::swap(marked, dirtyKeys_);
    if (full && keyboard_ != nullptr) {
        target_->DrawKeyboard(*keyboard_);
    } else if (anyKey && keyboard_ != nullptr) {
        for (std::size_t w = 0; w < marked.size(); ++w) {
            for (std::uint64_t bits = marked[w]; bits != 0; bits &= bits - 1) {
                const auto code = static_cast<std::uint8_t>(w * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
                if (TKvBtn* key = keyboard_->Btn(code)) target_->DrawKey(*key);
            }
        }
    }
}

}  // namespace kv
