/* The HTML view (control type 26): the system's web-browser control hosted
   in the control's native window, its events handed to an event object
   (IHtmlEventHandler), the view's own event object that offers navigations
   to the application first, and the kernel's entries that create, drive
   and destroy a view. */
#ifndef RUV_KERNEL_HTML_VIEW_H
#define RUV_KERNEL_HTML_VIEW_H

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <oaidl.h>

#include "ruv_types.h"
#include "ruvv_html.h"
#include "ruvv_vobj.h"

/* Status texts of the browser reach the control's native window as this
   message, the 8-bit text (at most 260 bytes) as lparam. */
#define RUVK_MSG_HTML_STATUS (WM_USER + 1)

#ifdef __cplusplus

/* An event object: one operation per event of the browser, each empty
   unless overridden.  An application plugs its own in through attribute
   10038 and keeps it (the view never deletes it). */
class IHtmlEventHandler {
public:
    virtual ~IHtmlEventHandler() {}
    virtual void BeforeNavigate2(IDispatch *, VARIANT * /*url*/, VARIANT * /*flags*/, VARIANT * /*frame*/,
                                 VARIANT * /*post*/, VARIANT * /*headers*/, VARIANT_BOOL * /*cancel*/) {}
    virtual void CommandStateChange(long /*command*/, VARIANT_BOOL /*enable*/) {}
    virtual void DocumentComplete(IDispatch *, VARIANT * /*url*/) {}
    virtual void DownloadBegin() {}
    virtual void DownloadComplete() {}
    virtual void NavigateComplete2(IDispatch *, VARIANT * /*url*/) {}
    virtual void NewWindow2(IDispatch ** /*dispatch*/, VARIANT_BOOL * /*cancel*/) {}
    virtual void OnStatusBar(VARIANT_BOOL) {}
    virtual void OnTheaterMode(VARIANT_BOOL) {}
    virtual void OnToolBar(VARIANT_BOOL) {}
    virtual void OnVisible(VARIANT_BOOL) {}
    virtual void ProgressChange(long /*progress*/, long /*maximum*/) {}
    virtual void PropertyChange(BSTR /*property*/) {}
    virtual void StatusTextChange(BSTR /*text*/) {}
    virtual void TitleChange(BSTR /*text*/) {}
    virtual void OnFullScreen(VARIANT_BOOL) {}
    virtual void OnMenuBar(VARIANT_BOOL) {}
    virtual void OnQuit() {}
};

extern "C" {
#endif

/* ---- Kernel-internal ----------------------------------------------------- */
/* The view of a new type-26 control over its native window (rect: the
   control's rectangle in its parent); NULL when the browser cannot be made. */
void *ruvk_html_create_view(int32_t type, const RUV_RECT *rect, uint32_t flags, RUV_WIN control);
/* Releases the control's view (nothing without one); OLE goes with the last view. */
void ruvk_html_destroy_view(RUV_WIN control);
/* Navigates to the URL (8-bit text). */
void ruvk_html_set_url(RUV_WIN control, const char *url);
/* The current location URL into buf, cut to length - 1 bytes and terminated. */
void ruvk_html_get_url(RUV_WIN control, char *buf, int32_t length);
/* The callback to offer navigations to, or NULL for none. */
void ruvk_html_set_url_intercept(RUV_WIN control, RUV_HTML_NAV_CALLBACK callback);
RUV_HTML_NAV_CALLBACK ruvk_html_get_url_intercept(RUV_WIN control);
/* The location name (the view's title) into buf, as ruvk_html_get_url. */
char *ruvk_html_get_title(RUV_WIN control, char *buf, int32_t length);
/* The browser fills the control again after the control was moved. */
void ruvk_html_resize(RUV_WIN control);
/* The browser's command: 0 Refresh, 1 GoBack, 2 GoForward, 3 GoHome, 4 GoSearch, 5 Stop. */
void ruvk_html_command(RUV_WIN control, int32_t command);
/* Attribute 10037: the browser interface with a reference added, or 0. */
intptr_t ruvk_html_get_browser(RUV_WIN control);
/* Attribute 10038 read: 1 when only the older browser interface is there. */
intptr_t ruvk_html_get_interface_level(RUV_WIN control);
/* Attribute 10038 write: the application's event object, NULL for the view's own. */
void ruvk_html_set_event_object(RUV_WIN control, intptr_t handler);
/* Offers a key-down message aimed inside an HTML view to the browser;
   TRUE when the browser took it. */
RUV_BOOL ruvk_html_translate_key(MSG *msg);
/* Sites, sinks and event objects of the views still alive. */
int32_t ruvk_html_live_objects(void);

#ifdef __cplusplus
}
#endif

#endif
