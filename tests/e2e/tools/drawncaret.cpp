// A window that draws its own caret, as browsers and modern editors do: the system knows no caret
// for it (no CreateCaret), but accessibility does: WM_GETOBJECT with OBJID_CARET answers with a
// caret object whose location is the drawn bar. Typed characters move the bar right, Enter to the
// next line, Home to the line's start. Its title names the bar's screen rectangle for the scenario:
// "Drawn caret L,T,R,B".
#include <windows.h>
#include <oleacc.h>

#include <cstdio>

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

// The caret object: a minimal IAccessible whose only real answers are its role, state and place.
class CaretObject final : public IAccessible {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        *parent = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override {
        *child = nullptr;
        return E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT, BSTR* name) override {
        *name = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override {
        *value = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override {
        *text = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT, VARIANT* role) override {
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_CARET;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT, VARIANT* state) override {
        state->vt = VT_I4;
        state->lVal = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override {
        *help = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
        *file = nullptr;
        *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* keys) override {
        *keys = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        focus->vt = VT_EMPTY;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        selection->vt = VT_EMPTY;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR* action) override {
        *action = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT) override {
        const RECT r = CaretScreenRect();
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG, VARIANT, VARIANT* end) override {
        end->vt = VT_EMPTY;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG, LONG, VARIANT* child) override {
        child->vt = VT_EMPTY;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    LONG refs_ = 1;
};

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
                CaretObject* caret = new CaretObject;
                const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, caret);
                caret->Release();
                return result;
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
