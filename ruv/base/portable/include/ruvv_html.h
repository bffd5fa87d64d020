/* HTML views (window type 26): the shown URL, the application's offer of
   every navigation, and the browser's navigation commands.  Each operation
   works through the HTML container the kernel keeps in the view object and
   does nothing on any other object. */
#ifndef RUVV_HTML_H
#define RUVV_HTML_H

#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Offered each navigation of a view with a pointer to its URL text: 0
   cancels it; the callback may point *url at another text (or rewrite the
   text in place) to have the view go there instead. */
typedef RUV_BOOL (*RUV_HTML_NAV_CALLBACK)(RUV_WIN view, char **url);

/* The current URL into buffer (cut to length - 1 bytes); buffer, NULL on
   an object that is not an HTML view. */
char *ruvv_html_get_url(RUV_WIN view, char *buffer, int32_t length);
void ruvv_html_set_url(RUV_WIN view, const char *url);
/* The callback navigations are offered to (NULL: none). */
RUV_HTML_NAV_CALLBACK ruvv_html_get_url_intercept(RUV_WIN view);
void ruvv_html_set_url_intercept(RUV_WIN view, RUV_HTML_NAV_CALLBACK callback);
void ruvv_html_refresh(RUV_WIN view);
void ruvv_html_back(RUV_WIN view);
void ruvv_html_forward(RUV_WIN view);
void ruvv_html_home(RUV_WIN view);
void ruvv_html_search(RUV_WIN view);
void ruvv_html_stop(RUV_WIN view);

#ifdef __cplusplus
}
#endif

#endif
