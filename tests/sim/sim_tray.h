#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/html_help_api.h"
#include "platform/tray_api.h"

namespace kv::sim {

struct ShownBalloon {
    std::u16string title, body;
    std::uint32_t timeoutMs;
};

// The notification area: what the icon shows and every balloon shown on it.
class SimTrayIcon : public ITrayIcon {
public:
    void SetEvents(ITrayEvents* events) override { events_ = events; }
    ITrayEvents* Events() const { return events_; }
    void SetImage(TrayImage image) override { image_ = image; }
    void SetHint(const std::u16string& hint) override { hint_ = hint; }
    void SetVisible(bool visible) override { visible_ = visible; }
    bool Visible() const override { return visible_; }
    void ShowBalloon(const std::u16string& title, const std::u16string& body, std::uint32_t timeoutMs) override {
        balloons_.push_back({title, body, timeoutMs});
    }

    TrayImage Image() const { return image_; }
    const std::u16string& Hint() const { return hint_; }
    const std::vector<ShownBalloon>& Balloons() const { return balloons_; }

private:
    ITrayEvents* events_ = nullptr;
    TrayImage image_{};
    std::u16string hint_;
    bool visible_ = false;
    std::vector<ShownBalloon> balloons_;
};

// Popup menus: each popup is recorded and answered with the next scripted choice (0 when none).
class SimPopupMenus : public IPopupMenus {
public:
    struct Popup {
        std::vector<MenuEntry> items;
        MenuImageList images;
        PopupMenuStyle style;
        bool rightToLeft;
    };
    int PopupAtCursor(const std::vector<MenuEntry>& items, MenuImageList images, PopupMenuStyle style,
                      bool rightToLeft) override {
        popups_.push_back({items, images, style, rightToLeft});
        if (choices_.empty()) return 0;
        const int choice = choices_.front();
        choices_.pop_front();
        return choice;
    }
    void Choose(int id) { choices_.push_back(id); }
    const std::vector<Popup>& Popups() const { return popups_; }

private:
    std::deque<int> choices_;
    std::vector<Popup> popups_;
};

// The help viewer: what was asked to open.
class SimHtmlHelp : public IHtmlHelp {
public:
    bool ShowContext(const std::u16string& file, int context) override {
        shown.push_back(file);
        contexts.push_back(context);
        return true;
    }
    bool ShowContents(const std::u16string& file) override {
        shown.push_back(file);
        contexts.push_back(0);
        return true;
    }
    std::vector<std::u16string> shown;
    std::vector<int> contexts;
};

}  // namespace kv::sim
