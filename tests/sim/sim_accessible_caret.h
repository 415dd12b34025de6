#pragma once
// Accessibility as the simulation answers it: a caret rectangle per foreground window, set by the
// test, for applications that draw their own caret. A window marked hung gives no answer within
// any budget, as Windows' worker would not.
#include <map>
#include <optional>
#include <set>

#include "platform/accessibility_api.h"

namespace kv::sim {

class SimAccessibleCaret final : public IAccessibleCaret {
public:
    std::optional<Rect> FindCaret(WindowHandle foreground, std::uint32_t budgetMs) override {
        ++questions_;
        lastBudgetMs_ = budgetMs;
        auto it = carets_.find(foreground);
        if (it == carets_.end() || hung_.count(foreground) != 0) return std::nullopt;
        return it->second;
    }
    Rect VirtualScreen() const override { return virtualScreen_; }

    void SetCaret(WindowHandle window, Rect caret) { carets_[window] = caret; }
    void ClearCaret(WindowHandle window) { carets_.erase(window); }
    void SetHung(WindowHandle window, bool hung) {
        if (hung) {
            hung_.insert(window);
        } else {
            hung_.erase(window);
        }
    }
    void SetVirtualScreen(Rect screen) { virtualScreen_ = screen; }
    int Questions() const { return questions_; }
    std::uint32_t LastBudgetMs() const { return lastBudgetMs_; }

private:
    std::map<WindowHandle, Rect> carets_;
    std::set<WindowHandle> hung_;
    Rect virtualScreen_{0, 0, 1920, 1080};
    int questions_ = 0;
    std::uint32_t lastBudgetMs_ = 0;
};

}  // namespace kv::sim
