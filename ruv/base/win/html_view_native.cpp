/* The HTML view over the system's web-browser control: the OLE container
   site that hosts the control in the type-26 control's native window, the
   sink of the browser's events, the view's own event object (navigations
   offered to the application's callback, a rewritten URL followed once),
   navigation, location and title, resizing, the attributes that hand out
   the browser and take an application's event object, keyboard
   translation, and OLE kept initialised while any view exists. */
#include "html_view.h"

#include <exdisp.h>
#include <exdispid.h>
#include <ocidl.h>
#include <ole2.h>

#include <cstring>
#include <new>
#include <string>

#include "ruvv_app.h"
#include "ruvv_mem.h"
#include "ruvv_static.h"
#include "ruvk.h"

extern "C" RUV_WIN ruvwi_hwnd_to_window(HWND hwnd);

namespace {

constexpr int32_t kHtmlViewType = 26;
constexpr int kStatusBytes = 260;

struct Module {
    int32_t views;      // views alive: OLE is initialised while there are any
    int32_t ole;        // the first view's OleInitialize succeeded
    int32_t objects;    // containers, sinks and event objects alive
};

RUV_STATIC_BLOCK(g_module_desc, Module, nullptr, nullptr);

Module *mod()
{
    return static_cast<Module *>(ruvk_static_get_ptr(&g_module_desc));
}

void count_object(int delta)
{
    if (Module *m = mod())
        m->objects += delta;
}

// Wide text to 8-bit text in the system's code page.
std::string narrow(const wchar_t *w)
{
    if (!w)
        return std::string();
    int n = WideCharToMultiByte(CP_ACP, 0, w, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return std::string();
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, w, -1, &s[0], n, nullptr, nullptr);
    s.resize(static_cast<size_t>(n - 1));
    return s;
}

std::wstring widen(const char *s)
{
    if (!s)
        return std::wstring();
    int n = MultiByteToWideChar(CP_ACP, 0, s, -1, nullptr, 0);
    if (n <= 0)
        return std::wstring();
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, s, -1, &w[0], n);
    w.resize(static_cast<size_t>(n - 1));
    return w;
}

// Text cut to length - 1 bytes and terminated.
void copy_out(const std::string &s, char *buf, int32_t length)
{
    if (!buf || length <= 0)
        return;
    size_t n = s.size() < static_cast<size_t>(length - 1) ? s.size() : static_cast<size_t>(length - 1);
    std::memcpy(buf, s.data(), n);
    buf[n] = '\0';
}

std::string variant_text(const VARIANT *v)
{
    if (!v)
        return std::string();
    if (V_VT(v) == (VT_VARIANT | VT_BYREF))
        return variant_text(V_VARIANTREF(v));
    if (V_VT(v) == VT_BSTR)
        return narrow(V_BSTR(v));
    if (V_VT(v) == (VT_BSTR | VT_BYREF) && V_BSTRREF(v))
        return narrow(*V_BSTRREF(v));
    return std::string();
}

bool starts_with_nocase(const std::string &s, const char *prefix)
{
    size_t n = std::strlen(prefix);
    return s.size() >= n && CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, s.c_str(), static_cast<int>(n),
                                           prefix, static_cast<int>(n)) == CSTR_EQUAL;
}

struct View;
void navigate(View *v, const char *url);

// ---- the view's own event object -------------------------------------------

class CRUVWebEvents : public IHtmlEventHandler {
public:
    explicit CRUVWebEvents(View *view) : view_(view) { count_object(1); }
    ~CRUVWebEvents() override { count_object(-1); }

    RUV_HTML_NAV_CALLBACK callback = nullptr;

    void BeforeNavigate2(IDispatch *, VARIANT *url, VARIANT *, VARIANT *, VARIANT *, VARIANT *,
                         VARIANT_BOOL *cancel) override;

private:
    View *view_;
    int16_t busy_ = 0;
    std::string pass_once_;   // the view's own rewritten URL, let through once
};

// A dispatch interface without type information or names.
class NamelessDispatch : public IDispatch {
public:
    STDMETHODIMP GetTypeInfoCount(UINT *n) override
    {
        if (n)
            *n = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo **out) override
    {
        if (out)
            *out = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override { return DISP_E_UNKNOWNNAME; }
};

// ---- the container site ----------------------------------------------------

class CContainer : public IOleClientSite,
                   public IOleInPlaceSite,
                   public IOleInPlaceFrame,
                   public IOleControlSite,
                   public NamelessDispatch {
public:
    explicit CContainer(HWND host) : host_(host) { count_object(1); }
    virtual ~CContainer() { count_object(-1); }

    IUnknown *control = nullptr;
    RECT rect = {0, 0, 0, 0};

    // IUnknown (one for every base)
    STDMETHODIMP QueryInterface(REFIID iid, void **out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite))
            *out = static_cast<IOleClientSite *>(this);
        else if (IsEqualIID(iid, IID_IOleInPlaceSite) || IsEqualIID(iid, IID_IOleWindow))
            *out = static_cast<IOleInPlaceSite *>(this);
        else if (IsEqualIID(iid, IID_IOleInPlaceFrame) || IsEqualIID(iid, IID_IOleInPlaceUIWindow))
            *out = static_cast<IOleInPlaceFrame *>(this);
        else if (IsEqualIID(iid, IID_IOleControlSite))
            *out = static_cast<IOleControlSite *>(this);
        else if (IsEqualIID(iid, IID_IDispatch))
            *out = static_cast<IDispatch *>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    STDMETHODIMP_(ULONG) Release() override
    {
        LONG n = InterlockedDecrement(&refs_);
        if (n == 0)
            delete this;
        return static_cast<ULONG>(n);
    }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker **out) override
    {
        if (out)
            *out = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetContainer(IOleContainer **out) override
    {
        if (out)
            *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow
    STDMETHODIMP GetWindow(HWND *out) override
    {
        if (!out)
            return E_POINTER;
        *out = IsWindow(host_) ? host_ : nullptr;
        return *out ? S_OK : S_FALSE;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame **frame, IOleInPlaceUIWindow **doc, LPRECT pos, LPRECT clip,
                                  LPOLEINPLACEFRAMEINFO info) override
    {
        if (frame) {
            *frame = static_cast<IOleInPlaceFrame *>(this);
            AddRef();
        }
        if (doc)
            *doc = nullptr;
        RECT client = {0, 0, 0, 0};
        GetClientRect(host_, &client);
        if (pos)
            *pos = client;
        if (clip)
            *clip = client;
        if (info) {
            info->cb = sizeof(OLEINPLACEFRAMEINFO);
            info->fMDIApp = FALSE;
            info->hwndFrame = host_;
            info->haccel = nullptr;
            info->cAccelEntries = 0;
        }
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return E_NOTIMPL; }

    // IOleInPlaceUIWindow
    STDMETHODIMP GetBorder(LPRECT) override { return E_NOTIMPL; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject *, LPCOLESTR) override { return S_OK; }

    // IOleInPlaceFrame
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return E_NOTIMPL; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR text) override
    {
        char buf[kStatusBytes];
        copy_out(narrow(text), buf, sizeof buf);
        if (IsWindow(host_))
            SendMessageA(host_, RUVK_MSG_HTML_STATUS, 0, reinterpret_cast<LPARAM>(buf));
        return S_OK;
    }
    STDMETHODIMP EnableModeless(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return E_NOTIMPL; }

    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override { return E_NOTIMPL; }
    STDMETHODIMP LockInPlaceActive(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP GetExtendedControl(IDispatch **out) override
    {
        if (out)
            *out = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP TransformCoords(POINTL *, POINTF *, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(LPMSG, DWORD) override { return S_FALSE; }
    STDMETHODIMP OnFocus(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP ShowPropertyFrame() override { return E_NOTIMPL; }

    // IDispatch: no members
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *, EXCEPINFO *, UINT *) override
    {
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    LONG refs_ = 1;
    HWND host_;
};

// ---- the sink of the browser's events --------------------------------------

class CEventSink : public NamelessDispatch {
public:
    explicit CEventSink(IHtmlEventHandler *handler) : handler_(handler) { count_object(1); }
    virtual ~CEventSink() { count_object(-1); }

    STDMETHODIMP QueryInterface(REFIID iid, void **out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch) &&
            !IsEqualIID(iid, DIID_DWebBrowserEvents2))
            return E_NOINTERFACE;
        *out = static_cast<IDispatch *>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    STDMETHODIMP_(ULONG) Release() override
    {
        LONG n = InterlockedDecrement(&refs_);
        if (n == 0)
            delete this;
        return static_cast<ULONG>(n);
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS *params, VARIANT *, EXCEPINFO *, UINT *) override;

private:
    LONG refs_ = 1;
    IHtmlEventHandler *handler_;
};

// The i-th argument in call order (DISPPARAMS holds them last first).
VARIANT *arg(DISPPARAMS *p, UINT i)
{
    if (!p || !p->rgvarg || i >= p->cArgs)
        return nullptr;
    return &p->rgvarg[p->cArgs - 1 - i];
}

// A variant passed by reference stands for the one it refers to.
VARIANT *ref(VARIANT *v)
{
    return v && V_VT(v) == (VT_VARIANT | VT_BYREF) ? V_VARIANTREF(v) : v;
}

VARIANT_BOOL flag(DISPPARAMS *p, UINT i)
{
    VARIANT *v = arg(p, i);
    return v && V_VT(v) == VT_BOOL ? V_BOOL(v) : VARIANT_FALSE;
}

long number(DISPPARAMS *p, UINT i)
{
    VARIANT *v = arg(p, i);
    return v && V_VT(v) == VT_I4 ? V_I4(v) : 0;
}

BSTR text(DISPPARAMS *p, UINT i)
{
    VARIANT *v = arg(p, i);
    return v && V_VT(v) == VT_BSTR ? V_BSTR(v) : nullptr;
}

IDispatch *dispatch(DISPPARAMS *p, UINT i)
{
    VARIANT *v = arg(p, i);
    return v && V_VT(v) == VT_DISPATCH ? V_DISPATCH(v) : nullptr;
}

VARIANT_BOOL *flag_ref(DISPPARAMS *p, UINT i)
{
    VARIANT *v = arg(p, i);
    return v && V_VT(v) == (VT_BOOL | VT_BYREF) ? V_BOOLREF(v) : nullptr;
}

STDMETHODIMP CEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS *p, VARIANT *, EXCEPINFO *, UINT *)
{
    IHtmlEventHandler *h = handler_;
    if (!h)
        return S_OK;
    switch (id) {
    case DISPID_STATUSTEXTCHANGE: h->StatusTextChange(text(p, 0)); break;
    case DISPID_DOWNLOADCOMPLETE: h->DownloadComplete(); break;
    case DISPID_COMMANDSTATECHANGE: h->CommandStateChange(number(p, 0), flag(p, 1)); break;
    case DISPID_DOWNLOADBEGIN: h->DownloadBegin(); break;
    case DISPID_PROGRESSCHANGE: h->ProgressChange(number(p, 0), number(p, 1)); break;
    case DISPID_PROPERTYCHANGE: h->PropertyChange(text(p, 0)); break;
    case DISPID_TITLECHANGE: h->TitleChange(text(p, 0)); break;
    case DISPID_BEFORENAVIGATE2:
        h->BeforeNavigate2(dispatch(p, 0), ref(arg(p, 1)), ref(arg(p, 2)), ref(arg(p, 3)), ref(arg(p, 4)),
                           ref(arg(p, 5)), flag_ref(p, 6));
        break;
    case DISPID_NEWWINDOW2: {
        VARIANT *d = arg(p, 0);
        VARIANT_BOOL *cancel = flag_ref(p, 1);
        h->NewWindow2(d && V_VT(d) == (VT_DISPATCH | VT_BYREF) ? V_DISPATCHREF(d) : nullptr, cancel);
        if (cancel)
            *cancel = VARIANT_TRUE;   // no new browser window ever opens
        break;
    }
    case DISPID_NAVIGATECOMPLETE2: h->NavigateComplete2(dispatch(p, 0), ref(arg(p, 1))); break;
    case DISPID_ONQUIT: h->OnQuit(); break;
    case DISPID_ONVISIBLE: h->OnVisible(flag(p, 0)); break;
    case DISPID_ONTOOLBAR: h->OnToolBar(flag(p, 0)); break;
    case DISPID_ONMENUBAR: h->OnMenuBar(flag(p, 0)); break;
    case DISPID_ONSTATUSBAR: h->OnStatusBar(flag(p, 0)); break;
    case DISPID_ONFULLSCREEN: h->OnFullScreen(flag(p, 0)); break;
    case DISPID_DOCUMENTCOMPLETE: h->DocumentComplete(dispatch(p, 0), ref(arg(p, 1))); break;
    case DISPID_ONTHEATERMODE: h->OnTheaterMode(flag(p, 0)); break;
    default: break;
    }
    return S_OK;
}

// ---- the view record --------------------------------------------------------

struct View {
    CContainer *container;
    CEventSink *sink;
    DWORD cookie;
    IWebBrowser2 *browser;        // or the older IWebBrowser (older == 1)
    HWND host;
    CRUVWebEvents *default_events;
    int32_t older;
    RUV_WIN control;
    IHtmlEventHandler *app_events;
};

View *view_of(RUV_WIN control)
{
    if (!control || !ruvv_vobj_is_valid(control) || control->type != kHtmlViewType)
        return nullptr;
    return static_cast<View *>(control->html);
}

// The browser as its older interface (which the newer one extends).
IWebBrowser *older_browser(View *v)
{
    return reinterpret_cast<IWebBrowser *>(v->browser);
}

void disconnect(View *v)
{
    if (!v->sink)
        return;
    if (v->browser && v->cookie) {
        IConnectionPointContainer *cpc = nullptr;
        if (SUCCEEDED(v->browser->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void **>(&cpc)))) {
            IConnectionPoint *cp = nullptr;
            if (SUCCEEDED(cpc->FindConnectionPoint(DIID_DWebBrowserEvents2, &cp))) {
                cp->Unadvise(v->cookie);
                cp->Release();
            }
            cpc->Release();
        }
    }
    v->cookie = 0;
    v->sink->Release();
    v->sink = nullptr;
}

// A new sink for the event object (the view's own when none is given),
// connected to the browser's events.
void connect(View *v, IHtmlEventHandler *app)
{
    disconnect(v);
    v->app_events = app;
    if (!v->browser)
        return;
    v->sink = new (std::nothrow) CEventSink(app ? app : v->default_events);
    if (!v->sink)
        return;
    IConnectionPointContainer *cpc = nullptr;
    if (SUCCEEDED(v->browser->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void **>(&cpc)))) {
        IConnectionPoint *cp = nullptr;
        if (SUCCEEDED(cpc->FindConnectionPoint(DIID_DWebBrowserEvents2, &cp))) {
            cp->Advise(static_cast<IDispatch *>(v->sink), &v->cookie);
            cp->Release();
        }
        cpc->Release();
    }
}

void navigate(View *v, const char *url)
{
    if (!v || !v->browser || !url)
        return;
    std::wstring w = widen(url);
    BSTR b = SysAllocString(w.c_str());
    if (!b)
        return;
    VARIANT empty;
    VariantInit(&empty);
    older_browser(v)->Navigate(b, &empty, &empty, &empty, &empty);
    SysFreeString(b);
}

void CRUVWebEvents::BeforeNavigate2(IDispatch *, VARIANT *url, VARIANT *, VARIANT *, VARIANT *, VARIANT *,
                                    VARIANT_BOOL *cancel)
{
    if (busy_)
        return;
    auto set_cancel = [cancel](bool c) {
        if (cancel)
            *cancel = c ? VARIANT_TRUE : VARIANT_FALSE;
    };
    RUV_HTML_NAV_CALLBACK cb = callback;
    if (!cb) {
        set_cancel(false);
        return;
    }
    const std::string original = variant_text(url);
    // The view's own rewritten URL, arriving after the handler that asked
    // for it returned, goes through once without the callback.
    if (!pass_once_.empty() && original == pass_once_) {
        pass_once_.clear();
        set_cancel(false);
        return;
    }
    if (starts_with_nocase(original, "res://") && original.find("navcancl.htm") != std::string::npos) {
        set_cancel(true);
        return;
    }
    // The callback gets its own copy, which it may change or replace.
    std::string copy = original;
    copy.push_back('\0');
    char *text = &copy[0];
    busy_ = 1;
    RUV_BOOL go_on = cb(view_->control, &text);
    busy_ = 0;
    const std::string result = text ? std::string(text) : std::string();
    if (!go_on) {
        set_cancel(true);
        return;
    }
    if (result == original) {
        set_cancel(false);
        return;
    }
    set_cancel(true);
    pass_once_ = result;
    navigate(view_, result.c_str());
}

void close_control(View *v)
{
    CContainer *c = v->container;
    if (!c || !c->control)
        return;
    IOleObject *obj = nullptr;
    if (SUCCEEDED(c->control->QueryInterface(IID_IOleObject, reinterpret_cast<void **>(&obj)))) {
        obj->Close(OLECLOSE_NOSAVE);
        obj->SetClientSite(nullptr);
        obj->Release();
    }
    IOleInPlaceObject *ip = nullptr;
    if (SUCCEEDED(c->control->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void **>(&ip)))) {
        ip->UIDeactivate();
        ip->InPlaceDeactivate();
        ip->Release();
    }
    c->control->Release();
    c->control = nullptr;
}

void release_view(View *v)
{
    if (v->browser) {
        disconnect(v);
        v->browser->Release();
        v->browser = nullptr;
    }
    disconnect(v);
    close_control(v);
    if (v->container)
        v->container->Release();
    delete v->default_events;
    ruvv_mem_free(v);
    if (Module *m = mod())
        if (--m->views == 0 && m->ole) {
            m->ole = 0;
            OleUninitialize();
        }
}

// Places the control over the whole of its host window.
void place(View *v)
{
    if (!v->container || !v->container->control)
        return;
    RECT r = {0, 0, 0, 0};
    GetClientRect(v->host, &r);
    v->container->rect = r;
    IOleInPlaceObject *ip = nullptr;
    if (SUCCEEDED(v->container->control->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void **>(&ip)))) {
        ip->SetObjectRects(&r, &r);
        ip->Release();
    }
}

bool make_control(View *v)
{
    CLSID clsid;
    if (FAILED(CLSIDFromString(const_cast<LPOLESTR>(L"Shell.Explorer"), &clsid)) &&
        FAILED(CLSIDFromProgID(L"Shell.Explorer", &clsid)))
        return false;
    IUnknown *unk = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown,
                                reinterpret_cast<void **>(&unk))) ||
        !unk)
        return false;
    v->container->control = unk;
    IOleObject *obj = nullptr;
    if (FAILED(unk->QueryInterface(IID_IOleObject, reinterpret_cast<void **>(&obj))))
        return false;
    obj->SetClientSite(static_cast<IOleClientSite *>(v->container));
    IPersistStreamInit *psi = nullptr;
    if (SUCCEEDED(unk->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void **>(&psi)))) {
        psi->InitNew();
        psi->Release();
    }
    RECT r = {0, 0, 0, 0};
    GetClientRect(v->host, &r);
    v->container->rect = r;
    obj->DoVerb(OLEIVERB_UIACTIVATE, nullptr, static_cast<IOleClientSite *>(v->container), 0, v->host, &r);
    obj->Release();
    place(v);

    if (SUCCEEDED(unk->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void **>(&v->browser))) && v->browser)
        return true;
    v->browser = nullptr;
    IWebBrowser *old = nullptr;
    if (SUCCEEDED(unk->QueryInterface(IID_IWebBrowser, reinterpret_cast<void **>(&old))) && old) {
        v->browser = reinterpret_cast<IWebBrowser2 *>(old);
        v->older = 1;
        return true;
    }
    return false;
}

} // namespace

extern "C" {

void *ruvk_html_create_view(int32_t type, const RUV_RECT *, uint32_t, RUV_WIN control)
{
    Module *m = mod();
    if (type != kHtmlViewType || !m || !control || !control->native)
        return nullptr;
    auto *v = static_cast<View *>(ruvv_mem_zalloc(sizeof(View)));
    if (!v)
        return nullptr;
    if (m->views++ == 0)
        m->ole = SUCCEEDED(OleInitialize(nullptr)) ? 1 : 0;
    v->control = control;
    v->host = static_cast<HWND>(control->native);
    v->default_events = new (std::nothrow) CRUVWebEvents(v);
    v->container = v->default_events ? new (std::nothrow) CContainer(v->host) : nullptr;
    if (!v->container || !make_control(v)) {
        release_view(v);
        return nullptr;
    }
    connect(v, nullptr);
    return v;
}

void ruvk_html_destroy_view(RUV_WIN control)
{
    View *v = view_of(control);
    if (!v)
        return;
    control->html = nullptr;
    release_view(v);
}

void ruvk_html_set_url(RUV_WIN control, const char *url)
{
    navigate(view_of(control), url);
}

void ruvk_html_get_url(RUV_WIN control, char *buf, int32_t length)
{
    View *v = view_of(control);
    std::string s;
    BSTR b = nullptr;
    if (v && v->browser && SUCCEEDED(older_browser(v)->get_LocationURL(&b)) && b)
        s = narrow(b);
    SysFreeString(b);
    copy_out(s, buf, length);
}

char *ruvk_html_get_title(RUV_WIN control, char *buf, int32_t length)
{
    View *v = view_of(control);
    std::string s;
    BSTR b = nullptr;
    if (v && v->browser && SUCCEEDED(older_browser(v)->get_LocationName(&b)) && b)
        s = narrow(b);
    SysFreeString(b);
    copy_out(s, buf, length);
    return buf;
}

void ruvk_html_set_url_intercept(RUV_WIN control, RUV_HTML_NAV_CALLBACK callback)
{
    if (View *v = view_of(control))
        v->default_events->callback = callback;
}

RUV_HTML_NAV_CALLBACK ruvk_html_get_url_intercept(RUV_WIN control)
{
    View *v = view_of(control);
    return v ? v->default_events->callback : nullptr;
}

void ruvk_html_resize(RUV_WIN control)
{
    if (View *v = view_of(control))
        place(v);
}

void ruvk_html_command(RUV_WIN control, int32_t command)
{
    View *v = view_of(control);
    if (!v || !v->browser)
        return;
    IWebBrowser *b = older_browser(v);
    switch (command) {
    case 0: b->Refresh(); break;
    case 1: b->GoBack(); break;
    case 2: b->GoForward(); break;
    case 3: b->GoHome(); break;
    case 4: b->GoSearch(); break;
    case 5: b->Stop(); break;
    default: break;
    }
}

intptr_t ruvk_html_get_browser(RUV_WIN control)
{
    View *v = view_of(control);
    if (!v || !v->browser)
        return 0;
    v->browser->AddRef();
    return reinterpret_cast<intptr_t>(v->browser);
}

intptr_t ruvk_html_get_interface_level(RUV_WIN control)
{
    View *v = view_of(control);
    return v ? v->older : 0;
}

void ruvk_html_set_event_object(RUV_WIN control, intptr_t handler)
{
    if (View *v = view_of(control))
        connect(v, reinterpret_cast<IHtmlEventHandler *>(handler));
}

RUV_BOOL ruvk_html_translate_key(MSG *msg)
{
    if (!msg || msg->message != WM_KEYDOWN || !msg->hwnd)
        return FALSE;
    switch (msg->wParam) {
    case VK_BACK:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        return FALSE;
    default:
        break;
    }
    RUV_WIN found = NULL_WIN;
    for (HWND h = msg->hwnd; h && !found; h = GetParent(h))
        found = ruvwi_hwnd_to_window(h);
    View *v = view_of(found);
    if (!v || !v->browser || !v->container || !v->container->control)
        return FALSE;
    // The browser asked for again: the events go on to the object recorded
    // for them, and the answer is let go.
    IWebBrowser2 *again = nullptr;
    if (SUCCEEDED(v->container->control->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void **>(&again))) &&
        again) {
        connect(v, v->app_events);
        again->Release();
    }
    IOleInPlaceActiveObject *active = nullptr;
    if (FAILED(v->browser->QueryInterface(IID_IOleInPlaceActiveObject, reinterpret_cast<void **>(&active))) ||
        !active)
        return FALSE;
    HRESULT hr = active->TranslateAccelerator(msg);
    active->Release();
    return hr == S_OK ? TRUE : FALSE;
}

int32_t ruvk_html_live_objects(void)
{
    Module *m = mod();
    return m ? m->objects : 0;
}

} // extern "C"
