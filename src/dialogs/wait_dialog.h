#pragma once
#include <memory>
#include <string>
#include <string_view>

namespace kv {

class TKvLang;

// The wait dialog's window: a Win32 tool window with a running line, or a fake in tests.
// Destroying it stops the line's timer thread before the window goes.
class IWaitWindow {
public:
    virtual ~IWaitWindow() = default;
    virtual void CenterOnWorkArea() = 0;
    // The message in the parent's font, bold.
    virtual void SetMessageText(std::u16string_view text) = 0;
    virtual void StartRunningLine() = 0;
    virtual void ShowModeless() = 0;
    virtual void Repaint() = 0;
};

// Creates wait windows owned by the application.
class IWaitWindows {
public:
    virtual ~IWaitWindows() = default;
    virtual std::unique_ptr<IWaitWindow> CreateWaitWindow() = 0;
    // Repaints the active form of the program, if any, before the GUI thread gets busy.
    virtual void RepaintActiveForm() = 0;
};

// The one wait dialog of the program: shown while the GUI thread is busy, at most one at a time.
class WaitDialog {
public:
    // Both must outlive the dialog.
    WaitDialog(IWaitWindows& windows, const TKvLang& lang) : windows_(windows), lang_(lang) {}

    void ShowWait(std::u16string_view text);
    // "Loading <what>." and "Please wait..." on the next line.
    void ShowLoadingWait(std::u16string_view what);
    void CloseWait() { window_.reset(); }
    bool Exists() const { return window_ != nullptr; }

private:
    IWaitWindows& windows_;
    const TKvLang& lang_;
    std::unique_ptr<IWaitWindow> window_;
};

}  // namespace kv
