// A window that draws its own caret, as browsers and modern editors do: the system knows no caret
// for it (no CreateCaret), but accessibility does: WM_GETOBJECT with OBJID_CARET answers with a
// caret object whose location is the drawn bar. Typed characters move the bar right, Enter to the
// next line, Home to the line's start. Its title names the bar's screen rectangle for the scenario:
// "Drawn caret L,T,R,B".
#include <windows.h>

#include <cstdio>

#include "drawn_caret_object.h"

namespace {

constexpr int kCharWidth = 9;
constexpr int kLineHeight = 20;
constexpr int kCaretWidth = 2;
constexpr int kMarginX = 10;
constexpr int kMarginY = 10;

HWND g_window = nullptr;
int g_column = 0;
int g_line = 0;

RECT CaretClientRect() {
    const int x = kMarginX + g_column * kCharWidth;
    const int y = kMarginY + g_line * kLineHeight;
    return RECT{x, y, x + kCaretWidth, y + kLineHeight - 2};
}

RECT CaretScreenRect() {
    RECT r = CaretClientRect();
    MapWindowPoints(g_window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void ShowCaretInTitle() {
    const RECT r = CaretScreenRect();
    wchar_t title[96];
    swprintf(title, 96, L"Drawn caret %ld,%ld,%ld,%ld", r.left, r.top, r.right, r.bottom);
    SetWindowTextW(g_window, title);
}

void Paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const RECT caret = CaretClientRect();
    FillRect(dc, &caret, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EndPaint(hwnd, &ps);
}

void MoveCaret(int column, int line) {
    g_column = column;
    g_line = line;
    InvalidateRect(g_window, nullptr, FALSE);
    ShowCaretInTitle();
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETOBJECT:
            if (static_cast<LONG>(lParam) == OBJID_CARET) {
                return kv::test::DrawnCaretObject::Answer(hwnd, wParam, CaretClientRect);
            }
            break;
        case WM_CHAR:
            if (wParam == L'\r') {
                MoveCaret(0, g_line + 1);
            } else if (wParam >= L' ') {
                MoveCaret(g_column + 1, g_line);
            }
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_HOME) MoveCaret(0, g_line);
            return 0;
        case WM_MOVE:
            ShowCaretInTitle();
            return 0;
        case WM_PAINT:
            Paint(hwnd);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    CoInitialize(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
    wc.lpszClassName = L"KvDrawnCaret";
    RegisterClassW(&wc);
    g_window = CreateWindowExW(0, wc.lpszClassName, L"Drawn caret", WS_OVERLAPPEDWINDOW, 200, 150, 480, 240, nullptr,
                               nullptr, instance, nullptr);
    ShowCaretInTitle();
    ShowWindow(g_window, SW_SHOW);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    CoUninitialize();
    return 0;
}
