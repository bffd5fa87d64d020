/* HTML view operations: thin forwarders to the HTML container the kernel
   keeps in a type-26 view object.  An object without a container (any other
   object, a view whose browser could not be made, or every object where
   there is no window system) is left alone and gives NULL or 0. */
#include "ruvv_html.h"

#include "ruvv_app.h"
#include "ruvv_vobj.h"

#ifdef _WIN32
extern "C" {
void ruvk_html_set_url(RUV_WIN control, const char *url);
void ruvk_html_get_url(RUV_WIN control, char *buf, int32_t length);
void ruvk_html_set_url_intercept(RUV_WIN control, RUV_HTML_NAV_CALLBACK callback);
RUV_HTML_NAV_CALLBACK ruvk_html_get_url_intercept(RUV_WIN control);
void ruvk_html_command(RUV_WIN control, int32_t command);
}
#endif

namespace {

enum Command { kRefresh, kBack, kForward, kHome, kSearch, kStop };

bool has_container(RUV_WIN view)
{
    return view && ruvv_vobj_is_valid(view) && view->html;
}

void command(RUV_WIN view, Command c)
{
#ifdef _WIN32
    if (has_container(view))
        ruvk_html_command(view, c);
#else
    (void)view;
    (void)c;
#endif
}

} // namespace

extern "C" {

char *ruvv_html_get_url(RUV_WIN view, char *buffer, int32_t length)
{
    if (!has_container(view))
        return nullptr;
#ifdef _WIN32
    ruvk_html_get_url(view, buffer, length);
#endif
    return buffer;
}

void ruvv_html_set_url(RUV_WIN view, const char *url)
{
#ifdef _WIN32
    if (has_container(view) && url)
        ruvk_html_set_url(view, url);
#else
    (void)view;
    (void)url;
#endif
}

RUV_HTML_NAV_CALLBACK ruvv_html_get_url_intercept(RUV_WIN view)
{
#ifdef _WIN32
    if (has_container(view))
        return ruvk_html_get_url_intercept(view);
#else
    (void)view;
#endif
    return nullptr;
}

void ruvv_html_set_url_intercept(RUV_WIN view, RUV_HTML_NAV_CALLBACK callback)
{
#ifdef _WIN32
    if (has_container(view))
        ruvk_html_set_url_intercept(view, callback);
#else
    (void)view;
    (void)callback;
#endif
}

void ruvv_html_refresh(RUV_WIN view) { command(view, kRefresh); }
void ruvv_html_back(RUV_WIN view) { command(view, kBack); }
void ruvv_html_forward(RUV_WIN view) { command(view, kForward); }
void ruvv_html_home(RUV_WIN view) { command(view, kHome); }
void ruvv_html_search(RUV_WIN view) { command(view, kSearch); }
void ruvv_html_stop(RUV_WIN view) { command(view, kStop); }

} // extern "C"
