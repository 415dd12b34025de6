#include "win32/win32_forms.h"

namespace kv::win32app {

class Win32Forms::OpenWindow : public IOpenForm {
public:
    explicit OpenWindow(HWND window) : window_(window) {}
    std::u16string ClassName() const override {
        wchar_t name[256] = L"";
        const int length = GetClassNameW(window_, name, 256);
        return std::u16string(reinterpret_cast<const char16_t*>(name), static_cast<std::size_t>(length > 0 ? length : 0));
    }
    bool IsMinimized() const override { return IsIconic(window_) != FALSE; }
    void Restore() override {
        ShowWindow(window_, SW_RESTORE);
        SetForegroundWindow(window_);
    }
    void BringToFront() override {
        SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        SetForegroundWindow(window_);
    }

private:
    HWND window_;
};

Win32Forms::Win32Forms(Factory create) : create_(std::move(create)) {}
Win32Forms::~Win32Forms() = default;

namespace {
BOOL CALLBACK CollectVisible(HWND window, LPARAM context) {
    if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}
}  // namespace

std::vector<IOpenForm*> Win32Forms::OpenForms() {
    std::vector<HWND> windows;
    // The system lists top-level windows in z-order, topmost first.
    EnumThreadWindows(GetCurrentThreadId(), CollectVisible, reinterpret_cast<LPARAM>(&windows));
    open_.clear();
    std::vector<IOpenForm*> forms;
    for (HWND window : windows) {
        open_.push_back(std::make_unique<OpenWindow>(window));
        forms.push_back(open_.back().get());
    }
    return forms;
}

}  // namespace kv::win32app
