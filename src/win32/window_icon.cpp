#include "win32/window_icon.h"

namespace kv::win32app {

HICON GetWindowIcon(HWND window, UINT timeoutMs) {
    // Owner chains are short; the bound only guards against a cycle.
    for (int depth = 0; window && depth < 32; ++depth) {
        DWORD_PTR icon = 0;
        if (SendMessageTimeoutW(window, WM_GETICON, ICON_SMALL2, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, timeoutMs, &icon) &&
            icon) {
            return reinterpret_cast<HICON>(icon);
        }
        if (HICON classIcon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM))) return classIcon;
        window = GetWindow(window, GW_OWNER);
    }
    return LoadIconW(nullptr, IDI_APPLICATION);
}

}  // namespace kv::win32app
