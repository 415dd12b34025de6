// hooktarget.exe: an ordinary application with a window and a text control, for the hook
// library test to hook from another process. It reports what its window procedure received.
#include <windows.h>

#include "common/messages.h"
#include "hooktarget_protocol.h"

namespace {

using namespace kv::hooktarget;

struct TargetState {
    LRESULT switchRequestsSeen = 0;
    LRESULT lastSwitchRequest = 0;
    HWND editor = nullptr;
};

LRESULT CALLBACK TargetWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* state = reinterpret_cast<TargetState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!state) return DefWindowProcW(hwnd, message, wParam, lParam);
    switch (message) {
        case kv::msg::kSwitchLayout:
            ++state->switchRequestsSeen;
            state->lastSwitchRequest = static_cast<LRESULT>(wParam);
            return 0;
        case kQuerySwitchRequestsSeen:
            return state->switchRequestsSeen;
        case kQueryLastSwitchRequest:
            return state->lastSwitchRequest;
        case kQueryLibraryLoaded:
            return GetModuleHandleW(L"KarmuxH.dll") != nullptr;
        case WM_SETFOCUS:
            // Like an editor: activation moves the focus on to the text control.
            if (state->editor) SetFocus(state->editor);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = TargetWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kWindowClass;
    if (!RegisterClassExW(&wc)) return 1;
    // Shown without activation and without a caption: Wine treats such a window as unmanaged
    // and does not wait 2 s for a window manager when it goes away. The test brings it to the
    // front itself.
    TargetState state;
    HWND window = CreateWindowExW(0, kWindowClass, L"Hook target", WS_POPUP | WS_BORDER, 40, 40, 240, 160, nullptr,
                                  nullptr, instance, &state);
    if (!window) return 1;
    state.editor = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 200, 100, window,
                                   nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
