// The card view for a screen reader: its client is an accessible object whose
// children (simple elements 1..n) are the shown card's fields. What a field
// says comes from the core; the view itself is answered by the standard
// client object wherever the fields have nothing to add.
#include "frame/logs.h"
#include "model/card_view.h"
#include "ui/mainwnd.h"
#include "ui/tree_view.h"

#include <oleacc.h>

#include <new>

namespace {
// A field's texts, wiped when it goes.
struct ShownField {
    CW_ACCFIELD f = {};
    ~ShownField() { SecureZeroMemory(&f, sizeof f); }
};

// A safe holds Windows-1252; the BSTR is the caller's.
BSTR ToBstr(const char *text) {
    const int n = MultiByteToWideChar(1252, 0, text, -1, nullptr, 0);
    if (n <= 0)
        return nullptr;
    BSTR b = SysAllocStringLen(nullptr, static_cast<UINT>(n - 1));
    if (b)
        MultiByteToWideChar(1252, 0, text, -1, b, n);
    return b;
}

HRESULT Answer(BSTR *out, const char *text) {
    *out = text ? ToBstr(text) : nullptr;
    if (!text)
        return S_FALSE;
    return *out ? S_OK : E_OUTOFMEMORY;
}

VARIANT I4(LONG value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

class CardAccessible final : public IAccessible {
  public:
    explicit CardAccessible(HWND window) : hWnd(window) {
        if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void **>(&standard))))
            standard = nullptr;
    }

    STDMETHODIMP QueryInterface(REFIID riid, void **out) override {
        if (!out)
            return E_POINTER;
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible *>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs)); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG n = InterlockedDecrement(&refs);
        if (!n)
            delete this;
        return static_cast<ULONG>(n);
    }

    // Readers call the interface itself; there is no type library behind it.
    STDMETHODIMP GetTypeInfoCount(UINT *n) override {
        *n = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *, EXCEPINFO *, UINT *) override {
        return E_NOTIMPL;
    }

    STDMETHODIMP get_accParent(IDispatch **out) override {
        *out = nullptr;
        return standard ? standard->get_accParent(out) : S_FALSE;
    }
    STDMETHODIMP get_accChildCount(long *out) override {
        *out = Count();
        return S_OK;
    }
    STDMETHODIMP get_accChild(VARIANT child, IDispatch **out) override {
        *out = nullptr;
        return Child(child) > 0 ? S_FALSE : E_INVALIDARG; // fields are simple elements
    }
    STDMETHODIMP get_accName(VARIANT child, BSTR *out) override {
        ShownField s;
        const LONG c = Child(child);
        if (c == 0)
            return Answer(out, CW_ShownCard() >= 0 ? TV_SelectedCardName() : "");
        return c < 0 || !Field(c, &s.f) ? E_INVALIDARG : Answer(out, s.f.name);
    }
    STDMETHODIMP get_accValue(VARIANT child, BSTR *out) override {
        ShownField s;
        const LONG c = Child(child);
        if (c == 0)
            return Answer(out, nullptr);
        return c < 0 || !Field(c, &s.f) ? E_INVALIDARG : Answer(out, s.f.value);
    }
    STDMETHODIMP get_accDescription(VARIANT child, BSTR *out) override { return Nothing(child, out); }
    STDMETHODIMP get_accHelp(VARIANT child, BSTR *out) override { return Nothing(child, out); }
    STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR *out) override { return Nothing(child, out); }
    STDMETHODIMP get_accHelpTopic(BSTR *file, VARIANT child, long *topic) override {
        *topic = 0;
        return Nothing(child, file);
    }
    STDMETHODIMP get_accRole(VARIANT child, VARIANT *out) override {
        ShownField s;
        const LONG c = Child(child);
        VariantInit(out);
        if (c == 0)
            return standard ? standard->get_accRole(child, out) : (*out = I4(ROLE_SYSTEM_CLIENT), S_OK);
        if (c < 0 || !Field(c, &s.f))
            return E_INVALIDARG;
        *out = I4(s.f.bLink ? ROLE_SYSTEM_LINK : ROLE_SYSTEM_STATICTEXT);
        return S_OK;
    }
    STDMETHODIMP get_accState(VARIANT child, VARIANT *out) override {
        ShownField s;
        const LONG c = Child(child);
        VariantInit(out);
        if (c == 0)
            return standard ? standard->get_accState(child, out) : (*out = I4(0), S_OK);
        if (c < 0 || !Field(c, &s.f))
            return E_INVALIDARG;
        *out = I4(STATE_SYSTEM_READONLY | (s.f.bProtected ? STATE_SYSTEM_PROTECTED : 0) |
                  (s.f.bLink ? STATE_SYSTEM_LINKED : 0));
        return S_OK;
    }
    STDMETHODIMP get_accFocus(VARIANT *out) override {
        VariantInit(out);
        return standard ? standard->get_accFocus(out) : S_FALSE;
    }
    STDMETHODIMP get_accSelection(VARIANT *out) override {
        VariantInit(out);
        return standard ? standard->get_accSelection(out) : S_FALSE;
    }
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR *out) override {
        ShownField s;
        const LONG c = Child(child);
        if (c == 0)
            return standard ? standard->get_accDefaultAction(child, out) : Answer(out, nullptr);
        if (c < 0 || !Field(c, &s.f))
            return E_INVALIDARG;
        return Answer(out, s.f.bLink ? CW_ACC_LINK_ACTION : nullptr);
    }
    STDMETHODIMP accDoDefaultAction(VARIANT child) override {
        ShownField s;
        const LONG c = Child(child);
        if (c == 0)
            return standard ? standard->accDoDefaultAction(child) : DISP_E_MEMBERNOTFOUND;
        if (c < 0 || !Field(c, &s.f))
            return E_INVALIDARG;
        if (!s.f.bLink)
            return DISP_E_MEMBERNOTFOUND;
        CW_OpenLink(s.f.type, s.f.value);
        return S_OK;
    }
    STDMETHODIMP accSelect(long flags, VARIANT child) override {
        return Child(child) == 0 && standard ? standard->accSelect(flags, child) : DISP_E_MEMBERNOTFOUND;
    }
    STDMETHODIMP accLocation(long *x, long *y, long *w, long *h, VARIANT child) override {
        *x = *y = *w = *h = 0;
        const LONG c = Child(child);
        if (c == 0)
            return standard ? standard->accLocation(x, y, w, h, child) : DISP_E_MEMBERNOTFOUND;
        const int rowHeight = CW_ShownRowHeight();
        if (c < 0 || !rowHeight)
            return c < 0 ? E_INVALIDARG : DISP_E_MEMBERNOTFOUND;
        // Rows scroll with the change list's scroll position, as they are painted.
        const int first = MainWindows.hWndRechts ? GetScrollPos(MainWindows.hWndRechts, SB_VERT) : 0;
        RECT rc;
        GetClientRect(hWnd, &rc);
        POINT top = {0, (static_cast<int>(c) - 1 - first) * rowHeight};
        ClientToScreen(hWnd, &top);
        *x = top.x;
        *y = top.y;
        *w = rc.right;
        *h = rowHeight;
        return S_OK;
    }
    STDMETHODIMP accNavigate(long dir, VARIANT start, VARIANT *out) override {
        VariantInit(out);
        const LONG c = Child(start), n = Count();
        LONG to = 0;
        if (c == 0 && (dir == NAVDIR_FIRSTCHILD || dir == NAVDIR_LASTCHILD))
            to = dir == NAVDIR_FIRSTCHILD ? 1 : n;
        else if (c == 0)
            return standard ? standard->accNavigate(dir, start, out) : S_FALSE;
        else if (c < 0)
            return E_INVALIDARG;
        else if (dir == NAVDIR_NEXT || dir == NAVDIR_DOWN)
            to = c + 1;
        else if (dir == NAVDIR_PREVIOUS || dir == NAVDIR_UP)
            to = c - 1;
        if (to < 1 || to > n)
            return S_FALSE;
        *out = I4(to);
        return S_OK;
    }
    STDMETHODIMP accHitTest(long x, long y, VARIANT *out) override {
        VariantInit(out);
        POINT pt = {x, y};
        ScreenToClient(hWnd, &pt);
        RECT rc;
        GetClientRect(hWnd, &rc);
        if (!PtInRect(&rc, pt))
            return S_FALSE;
        const int rowHeight = CW_ShownRowHeight();
        const int first = MainWindows.hWndRechts ? GetScrollPos(MainWindows.hWndRechts, SB_VERT) : 0;
        const LONG row = rowHeight ? pt.y / rowHeight + first + 1 : 0;
        *out = I4(row <= Count() ? row : CHILDID_SELF);
        return S_OK;
    }
    STDMETHODIMP put_accName(VARIANT, BSTR) override { return DISP_E_MEMBERNOTFOUND; }
    STDMETHODIMP put_accValue(VARIANT, BSTR) override { return DISP_E_MEMBERNOTFOUND; }

  private:
    ~CardAccessible() {
        if (standard)
            standard->Release();
    }
    static LONG Count() {
        const int card = CW_ShownCard();
        return card >= 0 ? CW_AccessibleFieldCount(static_cast<uint32_t>(card)) : 0;
    }
    // The child a VARIANT names: 0 for the view, -1 for none there is.
    static LONG Child(const VARIANT &v) {
        if (v.vt != VT_I4 || v.lVal < 0 || v.lVal > Count())
            return -1;
        return v.lVal;
    }
    static bool Field(LONG child, CW_ACCFIELD *f) {
        const int card = CW_ShownCard();
        return card >= 0 && CW_AccessibleField(static_cast<uint32_t>(card), child, f) == 0;
    }
    HRESULT Nothing(VARIANT child, BSTR *out) {
        *out = nullptr;
        return Child(child) < 0 ? E_INVALIDARG : S_FALSE;
    }

    LONG refs = 1;
    HWND hWnd;
    IAccessible *standard = nullptr;
};
} // namespace

LRESULT CW_AnswerGetObject(HWND hWnd, WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT)
        return 0;
    CardAccessible *object = new (std::nothrow) CardAccessible(hWnd);
    if (!object) {
        ML_WriteLog("CWA1", "no memory for the card view's accessible object", 0);
        return 0;
    }
    const LRESULT answer = LresultFromObject(__uuidof(IAccessible), wParam, object);
    object->Release();
    if (FAILED(static_cast<HRESULT>(answer))) {
        ML_WriteLog("CWA2", "the card view's accessible object could not be handed out", static_cast<uint32_t>(answer));
        return 0;
    }
    return answer;
}
