#pragma once
#include <windows.h>

#include "win32/form_window.h"

namespace kv::win32app {

// A form of the on-screen keyboard: a borderless top-most layered popup that never takes the
// focus, so the application the user types in keeps it while the keyboard is clicked.
class KeyboardFormBase : public KvForm {
public:
    using KvForm::KvForm;
    // Blending only below 255; `key` is the transparent colour.
    void SetLayering(COLORREF key, BYTE opacity);

protected:
    void OnCreated() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Client coordinates of a mouse message.
inline POINT MousePoint(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace kv::win32app
