#pragma once
// The caret object of a window that draws its own caret, as browsers and modern editors do: the
// system knows no caret for it, but WM_GETOBJECT with OBJID_CARET answers with this object. It
// knows only its role and its place; `clientRect` gives the drawn bar in the window's client area.
// Shared by the accessibility tests and the e2e program drawncaret.exe.
#include <windows.h>
#include <oleacc.h>

namespace kv::test {

class DrawnCaretObject final : public IAccessible {
public:
    using ClientRect = RECT (*)();
    DrawnCaretObject(HWND window, ClientRect clientRect) : window_(window), clientRect_(clientRect) {}

    // The answer to WM_GETOBJECT for OBJID_CARET.
    static LRESULT Answer(HWND window, WPARAM wParam, ClientRect clientRect) {
        auto* caret = new DrawnCaretObject(window, clientRect);
        const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, caret);
        caret->Release();
        return result;
    }

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
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** p) override { return *p = nullptr, S_FALSE; }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* n) override { return *n = 0, S_OK; }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** c) override { return *c = nullptr, E_INVALIDARG; }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT, BSTR* s) override { return *s = nullptr, S_FALSE; }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* s) override { return *s = nullptr, S_FALSE; }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* s) override { return *s = nullptr, S_FALSE; }
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
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* s) override { return *s = nullptr, S_FALSE; }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* s, VARIANT, LONG* t) override {
        *t = 0;
        return *s = nullptr, S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* s) override { return *s = nullptr, S_FALSE; }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* v) override { return v->vt = VT_EMPTY, S_FALSE; }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* v) override { return v->vt = VT_EMPTY, S_FALSE; }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR* s) override { return *s = nullptr, S_FALSE; }
    HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT) override {
        RECT r = clientRect_();
        MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&r), 2);
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG, VARIANT, VARIANT* v) override { return v->vt = VT_EMPTY, S_FALSE; }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG, LONG, VARIANT* v) override { return v->vt = VT_EMPTY, S_FALSE; }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    HWND window_;
    ClientRect clientRect_;
    LONG refs_ = 1;
};

}  // namespace kv::test
