#include "platform/win32/accessible_caret_queries.h"

#include <oleacc.h>
#include <unknwn.h>

#include "platform/win32/system_library.h"

namespace kv::win32 {

namespace {

using CoInitializeExFn = HRESULT(WINAPI*)(LPVOID, DWORD);
using CoUninitializeFn = void(WINAPI*)();
using CoCreateInstanceFn = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
using AccessibleObjectFromWindowFn = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
using VariantClearFn = HRESULT(WINAPI*)(VARIANTARG*);
using SafeArrayAccessDataFn = HRESULT(WINAPI*)(SAFEARRAY*, void**);
using SafeArrayUnaccessDataFn = HRESULT(WINAPI*)(SAFEARRAY*);
using SafeArrayDestroyFn = HRESULT(WINAPI*)(SAFEARRAY*);

// The UI Automation client interfaces, declared up to the methods used: the headers of our
// compiler lack them. The slots follow UIAutomationClient.idl; the padding stands for methods
// not called.
constexpr CLSID kClsidCUIAutomation = {0xff48dba4, 0x60ef, 0x4201, {0xaa, 0x87, 0x54, 0x10, 0x3e, 0xef, 0x59, 0x4e}};
constexpr IID kIidIUIAutomation = {0x30cbe57d, 0xd9d0, 0x452a, {0xab, 0x13, 0x7a, 0xc5, 0xac, 0x48, 0x25, 0xee}};
constexpr IID kIidTextPattern2 = {0x506a921a, 0xfcc9, 0x409f, {0xb2, 0x3b, 0x37, 0xeb, 0x74, 0x10, 0x68, 0x72}};
constexpr int kUiaTextPattern2Id = 10024;
constexpr int kTextUnitCharacter = 0;

struct UiaTextRange : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Clone(void**) = 0;
    virtual HRESULT STDMETHODCALLTYPE Compare(void*, BOOL*) = 0;
    virtual HRESULT STDMETHODCALLTYPE CompareEndpoints(int, void*, int, int*) = 0;
    virtual HRESULT STDMETHODCALLTYPE ExpandToEnclosingUnit(int unit) = 0;
    virtual HRESULT STDMETHODCALLTYPE FindAttribute(int, VARIANT, BOOL, void**) = 0;
    virtual HRESULT STDMETHODCALLTYPE FindText(BSTR, BOOL, BOOL, void**) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetAttributeValue(int, VARIANT*) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetBoundingRectangles(SAFEARRAY** rects) = 0;
};

struct UiaTextPattern2 : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE RangeFromPoint(POINT, void**) = 0;
    virtual HRESULT STDMETHODCALLTYPE RangeFromChild(void*, void**) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetSelection(void**) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetVisibleRanges(void**) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_DocumentRange(void**) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SupportedTextSelection(int*) = 0;
    virtual HRESULT STDMETHODCALLTYPE RangeFromAnnotation(void*, void**) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCaretRange(BOOL* isActive, UiaTextRange** range) = 0;
};

struct UiaElement : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE SetFocus() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRuntimeId(SAFEARRAY**) = 0;
    virtual HRESULT STDMETHODCALLTYPE FindFirst(int, void*, void**) = 0;
    virtual HRESULT STDMETHODCALLTYPE FindAll(int, void*, void**) = 0;
    virtual HRESULT STDMETHODCALLTYPE FindFirstBuildCache(int, void*, void*, void**) = 0;
    virtual HRESULT STDMETHODCALLTYPE FindAllBuildCache(int, void*, void*, void**) = 0;
    virtual HRESULT STDMETHODCALLTYPE BuildUpdatedCache(void*, void**) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPropertyValue(int, VARIANT*) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPropertyValueEx(int, BOOL, VARIANT*) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCachedPropertyValue(int, VARIANT*) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCachedPropertyValueEx(int, BOOL, VARIANT*) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPatternAs(int patternId, REFIID riid, void** pattern) = 0;
};

struct UiaAutomation : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CompareElements(void*, void*, BOOL*) = 0;
    virtual HRESULT STDMETHODCALLTYPE CompareRuntimeIds(SAFEARRAY*, SAFEARRAY*, BOOL*) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRootElement(void**) = 0;
    virtual HRESULT STDMETHODCALLTYPE ElementFromHandle(HWND, void**) = 0;
    virtual HRESULT STDMETHODCALLTYPE ElementFromPoint(POINT, void**) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetFocusedElement(UiaElement** element) = 0;
};

// Releases a COM interface on every way out.
template <typename T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (p_) p_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T** Out() { return &p_; }
    void** OutVoid() { return reinterpret_cast<void**>(&p_); }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

template <typename Fn>
Fn Export(const UniqueModule& module, const char* name) {
    return module ? ExportOf<Fn>(module.Get(), name) : nullptr;
}

LONG Round(double value) { return static_cast<LONG>(value < 0 ? value - 0.5 : value + 0.5); }

}  // namespace

AccessibilityLibraries::AccessibilityLibraries()
    : ole32_(LoadSystemLibrary(L"ole32.dll")),
      oleaut32_(LoadSystemLibrary(L"oleaut32.dll")),
      oleacc_(LoadSystemLibrary(L"oleacc.dll")) {
    // A free-threaded apartment: nothing here pumps messages, and calls into other processes
    // then need no message loop on this thread.
    if (auto init = Export<CoInitializeExFn>(ole32_, "CoInitializeEx")) {
        comReady_ = SUCCEEDED(init(nullptr, COINIT_MULTITHREADED));
    }
}

AccessibilityLibraries::~AccessibilityLibraries() {
    if (!comReady_) return;
    if (auto uninit = Export<CoUninitializeFn>(ole32_, "CoUninitialize")) uninit();
}

std::optional<RECT> AccessibilityLibraries::MsaaCaret(HWND focus) const {
    auto fromWindow = Export<AccessibleObjectFromWindowFn>(oleacc_, "AccessibleObjectFromWindow");
    auto clear = Export<VariantClearFn>(oleaut32_, "VariantClear");
    if (!comReady_ || !fromWindow || !clear || !focus) return std::nullopt;
    ComRef<IAccessible> caret;
    if (FAILED(fromWindow(focus, static_cast<DWORD>(OBJID_CARET), __uuidof(IAccessible), caret.OutVoid())) || !caret) {
        return std::nullopt;
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT state{};
    // An invisible caret object stands for no caret.
    if (SUCCEEDED(caret->get_accState(self, &state))) {
        const bool invisible = state.vt == VT_I4 && (state.lVal & STATE_SYSTEM_INVISIBLE) != 0;
        clear(&state);
        if (invisible) return std::nullopt;
    }
    LONG left = 0, top = 0, width = 0, height = 0;
    if (FAILED(caret->accLocation(&left, &top, &width, &height, self)) || height <= 0) return std::nullopt;
    return RECT{left, top, left + width, top + height};
}

std::optional<RECT> AccessibilityLibraries::UiaCaret() const {
    auto create = Export<CoCreateInstanceFn>(ole32_, "CoCreateInstance");
    auto access = Export<SafeArrayAccessDataFn>(oleaut32_, "SafeArrayAccessData");
    auto unaccess = Export<SafeArrayUnaccessDataFn>(oleaut32_, "SafeArrayUnaccessData");
    auto destroy = Export<SafeArrayDestroyFn>(oleaut32_, "SafeArrayDestroy");
    if (!comReady_ || !create || !access || !unaccess || !destroy) return std::nullopt;
    ComRef<UiaAutomation> automation;
    if (FAILED(create(kClsidCUIAutomation, nullptr, CLSCTX_INPROC_SERVER, kIidIUIAutomation, automation.OutVoid())) ||
        !automation) {
        return std::nullopt;
    }
    ComRef<UiaElement> focused;
    if (FAILED(automation->GetFocusedElement(focused.Out())) || !focused) return std::nullopt;
    ComRef<UiaTextPattern2> text;
    if (FAILED(focused->GetCurrentPatternAs(kUiaTextPattern2Id, kIidTextPattern2, text.OutVoid())) || !text) {
        return std::nullopt;
    }
    BOOL active = FALSE;
    ComRef<UiaTextRange> range;
    if (FAILED(text->GetCaretRange(&active, range.Out())) || !range || !active) return std::nullopt;

    // Rectangles come as left, top, width, height; a caret range is empty and many providers give
    // it no rectangle, so then the character after it stands in, at its left edge.
    auto firstRect = [&](bool leftEdgeOnly) -> std::optional<RECT> {
        SAFEARRAY* rects = nullptr;
        if (FAILED(range->GetBoundingRectangles(&rects)) || !rects) return std::nullopt;
        std::optional<RECT> found;
        double* values = nullptr;
        if (rects->cDims == 1 && rects->rgsabound[0].cElements >= 4 && SUCCEEDED(access(rects, reinterpret_cast<void**>(&values)))) {
            const LONG left = Round(values[0]), top = Round(values[1]);
            const LONG right = leftEdgeOnly ? left : Round(values[0] + values[2]);
            found = RECT{right, top, right, Round(values[1] + values[3])};
            unaccess(rects);
        }
        destroy(rects);
        return found;
    };
    if (std::optional<RECT> caret = firstRect(false)) return caret;
    if (FAILED(range->ExpandToEnclosingUnit(kTextUnitCharacter))) return std::nullopt;
    return firstRect(true);
}

}  // namespace kv::win32
