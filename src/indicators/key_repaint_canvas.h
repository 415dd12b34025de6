#pragma once
// Keeps painting out of the keyboard hook. The model draws through this canvas; inside the hook a
// changed key is only marked, and the area it covers is handed to the window to invalidate. The
// window's paint, from the message loop, then draws the marked keys (or the whole image when a
// full redraw was asked for) on the real canvas and copies it to the display.
#include <array>
#include <cstdint>

#include "keyboard/keyboard_canvas.h"

namespace kv {

class IRepaintRequests {
public:
    virtual ~IRepaintRequests() = default;
    // Called on the hook path: no allocation, at most a cheap invalidation.
    virtual void InvalidateImageArea(const Rect& area) = 0;
    virtual void InvalidateWholeImage() = 0;
};

class KeyRepaintCanvas final : public IKeyboardCanvas {
public:
    explicit KeyRepaintCanvas(IKeyboardCanvas& target) : target_(&target) {}
    // Null drops requests (the window does not exist yet); the paint still happens at the next
    // Flush.
    void SetRepaintRequests(IRepaintRequests* requests) { requests_ = requests; }
    // The real canvas, when it comes later than the model.
    void SetTarget(IKeyboardCanvas& target);

    Point DisplaySize() const override { return target_->DisplaySize(); }
    void Resize(std::int32_t width, std::int32_t height) override;
    bool LoadPicture(const std::u16string& path) override { return target_->LoadPicture(path); }
    void ClearPicture() override { target_->ClearPicture(); }
    void DrawKeyboard(TKvKeyboard& keyboard) override;
    void DrawKey(TKvBtn& key) override;
    void CopyToDisplay() override;

    // Draws what was marked since the last flush, then copies.
    void Flush();
    // The same without the copy, for a window's paint that copies the image itself.
    void DrawMarked();
    bool Pending() const { return fullPending_ || anyKeyPending_ || copyPending_; }

private:
    IKeyboardCanvas* target_;
    IRepaintRequests* requests_ = nullptr;
    TKvKeyboard* keyboard_ = nullptr;
    // One bit per key code, so the paint visits only the marked keys.
    std::array<std::uint64_t, 4> dirtyKeys_{};
    bool fullPending_ = false;
    bool anyKeyPending_ = false;
    bool copyPending_ = false;
};

// The smallest rectangle around the outline a key is drawn with, in image pixels.
Rect KeyImageArea(const TKvBtn& key);

}  // namespace kv
