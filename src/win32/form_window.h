#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "platform/win32/win32_handles.h"

namespace kv::win32 {
class Win32MessageLoop;
}

namespace kv::win32app {

// A top-level window of its own registered class, hidden until shown. Messages reach
// HandleMessage; what a handler throws is reported through the message loop.
class FormWindow {
public:
    FormWindow(win32::Win32MessageLoop& loop, std::u16string className);
    virtual ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // Creates the window; separate from construction so overrides take part.
    void Create(HWND owner, const std::u16string& caption);
    HWND Handle() const { return window_.Get(); }
    const std::u16string& ClassName() const { return className_; }

    // Called after the window is gone, whoever destroyed it.
    std::function<void()> onDestroyed;

protected:
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void OnCreated() {}

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    win32::Win32MessageLoop& loop_;
    std::u16string className_;
    win32::UniqueWindow window_;
};

// The base of the program's dialogs and tool windows: after creation it applies the
// interface language, which picks the font's character set.
class KvForm : public FormWindow {
public:
    using FormWindow::FormWindow;
    // The chosen interface language; empty while there are no settings.
    static void SetLanguageSource(std::function<std::optional<int>()> source);

    virtual void ApplyLanguage();
    HFONT Font() const { return font_.Get(); }

protected:
    void OnCreated() override { ApplyLanguage(); }

private:
    win32::UniqueFont font_;
};

}  // namespace kv::win32app
