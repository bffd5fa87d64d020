// HTML views on real windows over the system's web-browser control, as far
// as Wine's control goes here (it navigates and tells BeforeNavigate2 to
// DownloadComplete with status texts; it shows no page, title or history):
// the browser in the control's window and resized with it, the URL set and
// read back, the application offered every navigation (go on, cancel,
// rewrite once, the cancelled-navigation page never offered), an
// application's event object that keys do not disconnect, status texts as
// WM_USER + 1, OLE kept while any view lives and nothing left after.
#include <cstdio>
#include <string>
#include <vector>

#include <ocidl.h>
#include <exdisp.h>

#include "control_window_test_support.h"
#include "html_view.h"
#include "native_controls.h"
#include "ruvv_html.h"
#include "window_services.h"

namespace {

constexpr int32_t kAttrBrowser = 10037;
constexpr int32_t kAttrEvents = 10038;

bool ends_with(const std::string &s, const std::string &tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// Pages of the test in a scratch directory of the process.
struct Pages {
    std::string dir;
    Pages()
    {
        char tmp[MAX_PATH];
        GetTempPathA(sizeof tmp, tmp);
        dir = std::string(tmp) + "html_view_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(dir.c_str(), nullptr);
        for (const char *name : {"a", "b", "c", "home"}) {
            if (FILE *f = std::fopen(path(name).c_str(), "w")) {
                std::fprintf(f, "<html><head><title>%s</title></head><body>%s</body></html>\n", name, name);
                std::fclose(f);
            }
        }
    }
    ~Pages()
    {
        for (const char *name : {"a", "b", "c", "home"})
            DeleteFileA(path(name).c_str());
        RemoveDirectoryA(dir.c_str());
    }
    std::string path(const char *name) const { return dir + "\\" + name + ".html"; }
};

std::string url_of(RUV_WIN view)
{
    char buf[1024];
    return ruvv_html_get_url(view, buf, sizeof buf) ? buf : "<none>";
}

// Serves the queue until the view's URL ends with tail (or 5 s passed).
bool wait_url(RUV_WIN view, const std::string &tail)
{
    for (int i = 0; i < 250; ++i) {
        if (ends_with(url_of(view), tail))
            return true;
        et::pump(20);
    }
    return false;
}

RUV_WIN make_view(RUV_WIN parent, RUV_RECT r = {10, 10, 210, 310})
{
    return ruvk_ctl_create(WC_HTML_VIEW, &r, "", parent, 0, nullptr, 77);
}

HWND browser_window(RUV_WIN view)
{
    return GetWindow(kt::hwnd_of(view), GW_CHILD);
}

// ---- the application's callback --------------------------------------------

enum class Answer { go_on, cancel, rewrite };

struct Offers {
    std::vector<std::string> urls;
    Answer answer = Answer::go_on;
    std::string rewrite_to;
};

Offers &offers()
{
    static Offers o;
    return o;
}

RUV_BOOL offered(RUV_WIN, char **url)
{
    Offers &o = offers();
    o.urls.push_back(*url);
    switch (o.answer) {
    case Answer::cancel:
        return 0;
    case Answer::rewrite:
        *url = &o.rewrite_to[0];
        return 1;
    default:
        return 1;
    }
}

std::vector<std::string> leaves(const std::vector<std::string> &urls)
{
    std::vector<std::string> out;
    for (const std::string &u : urls) {
        size_t slash = u.find_last_of("/\\");
        out.push_back(slash == std::string::npos ? u : u.substr(slash + 1));
    }
    return out;
}

// ---- an application's event object ------------------------------------------

struct Recorder : IHtmlEventHandler {
    std::vector<std::string> before;
    int completes = 0;
    void BeforeNavigate2(IDispatch *, VARIANT *url, VARIANT *, VARIANT *, VARIANT *, VARIANT *,
                         VARIANT_BOOL *cancel) override
    {
        char buf[512] = "";
        if (url && V_VT(url) == VT_BSTR)
            WideCharToMultiByte(CP_ACP, 0, V_BSTR(url), -1, buf, sizeof buf, nullptr, nullptr);
        before.push_back(buf);
        if (cancel)
            *cancel = VARIANT_FALSE;
    }
    void DownloadComplete() override { ++completes; }
};

ULONG refs(IUnknown *u)
{
    u->AddRef();
    return u->Release();
}

bool ole_ready()
{
    IUnknown *u = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_StdGlobalInterfaceTable, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                  reinterpret_cast<void **>(&u));
    if (u)
        u->Release();
    return hr != CO_E_NOTINITIALIZED;
}

std::vector<std::string> &statuses()
{
    static std::vector<std::string> s;
    return s;
}

HWND &status_host()
{
    static HWND h = nullptr;
    return h;
}

RUV_BOOL watch_status(HWND hwnd, UINT msg, WPARAM, LPARAM lp, LRESULT *)
{
    if (msg == RUVK_MSG_HTML_STATUS && hwnd == status_host() && lp)
        statuses().push_back(reinterpret_cast<const char *>(lp));
    return 1;
}

class HtmlView : public testing::Test {
protected:
    void run(std::function<void(RUV_WIN)> body)
    {
        offers() = Offers{};
        cw::run_in_window("HTML", RUV_RECT{40, 40, 400, 560}, et::record, body);
    }
    Pages pages_;
};

TEST_F(HtmlView, TheBrowserFillsTheControlAndGoesWhereItIsSent)
{
    run([this](RUV_WIN w) {
        RUV_WIN view = make_view(w);
        ASSERT_NE(view, nullptr);
        ASSERT_NE(view->html, nullptr) << "the browser control could not be made";
        EXPECT_EQ(ruvk_vobj_get_attr(view, kAttrEvents), 0);   // the current interface is there
        HWND browser = browser_window(view);
        ASSERT_NE(browser, nullptr);
        RECT r;
        GetClientRect(browser, &r);
        EXPECT_EQ(r.right, 300);
        EXPECT_EQ(r.bottom, 200);

        ruvv_html_set_url(view, pages_.path("a").c_str());
        EXPECT_TRUE(wait_url(view, "a.html")) << url_of(view);
        char full[512], small[8];
        std::memset(small, 'x', sizeof small);
        EXPECT_EQ(ruvv_html_get_url(view, full, sizeof full), full);
        EXPECT_EQ(ruvv_html_get_url(view, small, sizeof small), small);
        EXPECT_EQ(std::string(small), std::string(full).substr(0, 7));
        char title[64] = "x";
        EXPECT_STREQ(ruvk_vobj_get_title(view, title, sizeof title), "");   // no titles under this browser

        RUV_RECT moved = {20, 20, 140, 260};
        ruvk_vobj_move(view, &moved);
        et::pump(50);
        GetClientRect(browser_window(view), &r);
        EXPECT_EQ(r.right, 240);
        EXPECT_EQ(r.bottom, 120);

        // No history here: back, forward and refresh change nothing.
        ruvv_html_back(view);
        ruvv_html_forward(view);
        ruvv_html_refresh(view);
        ruvv_html_stop(view);
        ruvv_html_search(view);
        et::pump(100);
        EXPECT_TRUE(ends_with(url_of(view), "a.html"));

        // Home is the start page of the registry.
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\Main", 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const std::string home = pages_.path("home");
        RegSetValueExA(key, "Start Page", 0, REG_SZ, reinterpret_cast<const BYTE *>(home.c_str()),
                       static_cast<DWORD>(home.size() + 1));
        ruvv_html_home(view);
        EXPECT_TRUE(wait_url(view, "home.html")) << url_of(view);
        RegDeleteValueA(key, "Start Page");
        RegCloseKey(key);

        // Any other object has no container: nothing is done, NULL or 0.
        kt::reports().clear();
        char keep[8] = "keep";
        EXPECT_EQ(ruvv_html_get_url(w, keep, sizeof keep), nullptr);
        EXPECT_STREQ(keep, "keep");
        ruvv_html_set_url(w, "about:blank");
        ruvv_html_set_url_intercept(w, offered);
        EXPECT_EQ(ruvv_html_get_url_intercept(w), nullptr);
        for (void (*op)(RUV_WIN) : {ruvv_html_refresh, ruvv_html_back, ruvv_html_forward, ruvv_html_home,
                                    ruvv_html_search, ruvv_html_stop})
            op(w);
        EXPECT_EQ(ruvk_vobj_get_attr(w, kAttrBrowser), 0);
        for (const kt::Report &rep : kt::reports())
            ADD_FAILURE() << std::hex << rep.id << " " << rep.text;
    });
}

TEST_F(HtmlView, NavigationsAreOfferedToTheApplicationFirst)
{
    run([this](RUV_WIN w) {
        RUV_WIN view = make_view(w);
        ASSERT_TRUE(view && view->html);
        EXPECT_EQ(ruvv_html_get_url_intercept(view), nullptr);
        ruvv_html_set_url_intercept(view, offered);
        EXPECT_EQ(ruvv_html_get_url_intercept(view), offered);
        offers().rewrite_to = pages_.path("b");

        struct Step {
            const char *what;
            Answer answer;
            std::string go_to;
            std::vector<std::string> offered;   // leaf names
            std::string lands_on;
        };
        const std::vector<Step> steps = {
            {"go on", Answer::go_on, pages_.path("a"), {"a.html"}, "a.html"},
            {"cancel", Answer::cancel, pages_.path("c"), {"c.html"}, "a.html"},
            {"rewrite: the new URL goes through once", Answer::rewrite, pages_.path("c"), {"c.html"}, "b.html"},
            {"the rewritten URL asked for again is offered", Answer::go_on, pages_.path("a"), {"a.html"}, "a.html"},
            {"the page of cancelled navigations", Answer::go_on, "res://ieframe.dll/navcancl.htm", {}, "a.html"},
            {"its scheme in capitals", Answer::go_on, "RES://ieframe.dll/navcancl.htm#x", {}, "a.html"},
        };
        for (const Step &s : steps) {
            offers().answer = s.answer;
            offers().urls.clear();
            ruvv_html_set_url(view, s.go_to.c_str());
            wait_url(view, s.lands_on);
            et::pump(300);   // anything still to come
            EXPECT_EQ(leaves(offers().urls), s.offered) << s.what;
            EXPECT_TRUE(ends_with(url_of(view), s.lands_on)) << s.what << ": " << url_of(view);
        }

        ruvv_html_set_url_intercept(view, nullptr);
        offers().urls.clear();
        ruvv_html_set_url(view, pages_.path("c").c_str());
        EXPECT_TRUE(wait_url(view, "c.html"));
        EXPECT_TRUE(offers().urls.empty());
    });
}

TEST_F(HtmlView, AnApplicationsEventObjectStaysThroughKeys)
{
    run([this](RUV_WIN w) {
        RUV_WIN view = make_view(w);
        ASSERT_TRUE(view && view->html);
        ruvv_html_set_url_intercept(view, offered);
        auto *browser = reinterpret_cast<IWebBrowser2 *>(ruvk_vobj_get_attr(view, kAttrBrowser));
        ASSERT_NE(browser, nullptr);
        const ULONG before = refs(browser);

        Recorder rec;
        ruvk_vobj_set_attr(view, kAttrEvents, reinterpret_cast<intptr_t>(static_cast<IHtmlEventHandler *>(&rec)));
        ruvv_html_set_url(view, pages_.path("a").c_str());
        EXPECT_TRUE(wait_url(view, "a.html"));
        et::pump(200);
        EXPECT_EQ(leaves(rec.before), std::vector<std::string>{"a.html"});
        EXPECT_GE(rec.completes, 1);
        EXPECT_TRUE(offers().urls.empty());   // the view's own object is not connected

        // Keys typed into the view go to the browser; the events stay with
        // the application's object and no reference is left behind.
        et::undisturbed([&] {
            SetFocus(kt::hwnd_of(view));
            et::pump(30);
            et::keys({'Q', -'Q', VK_TAB, -VK_TAB, 'W', -'W'});
            et::pump(150);
        });
        EXPECT_EQ(refs(browser), before);
        rec.before.clear();
        ruvv_html_set_url(view, pages_.path("b").c_str());
        EXPECT_TRUE(wait_url(view, "b.html"));
        et::pump(200);
        EXPECT_EQ(leaves(rec.before), std::vector<std::string>{"b.html"});
        EXPECT_TRUE(offers().urls.empty());

        // NULL gives the view its own object back.
        ruvk_vobj_set_attr(view, kAttrEvents, 0);
        rec.before.clear();
        ruvv_html_set_url(view, pages_.path("c").c_str());
        EXPECT_TRUE(wait_url(view, "c.html"));
        EXPECT_TRUE(rec.before.empty());
        EXPECT_EQ(leaves(offers().urls), std::vector<std::string>{"c.html"});
        browser->Release();
        EXPECT_EQ(refs(browser), before - 1);
    });
}

TEST_F(HtmlView, StatusTextsReachTheControlsWindow)
{
    run([this](RUV_WIN w) {
        RUV_WIN view = make_view(w);
        ASSERT_TRUE(view && view->html);
        statuses().clear();
        status_host() = kt::hwnd_of(view);
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_WNDPROC_HOOK, reinterpret_cast<intptr_t>(&watch_status));
        ruvv_html_set_url(view, pages_.path("a").c_str());
        EXPECT_TRUE(wait_url(view, "a.html"));
        et::pump(300);
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_WNDPROC_HOOK, 0);
        EXPECT_FALSE(statuses().empty());
        for (const std::string &s : statuses())
            EXPECT_LT(s.size(), 260u);
    });
}

TEST_F(HtmlView, OleLivesWhileAnyViewDoesAndNothingIsLeftAfter)
{
    run([](RUV_WIN w) {
        const bool before = ole_ready();
        RUV_WIN one = make_view(w);
        RUV_RECT r2 = {10, 320, 210, 500};
        RUV_WIN two = make_view(w, r2);
        ASSERT_TRUE(one && one->html && two && two->html);
        EXPECT_TRUE(ole_ready());
        ruvk_vobj_destroy(one);
        et::pump(50);
        EXPECT_TRUE(ole_ready());
        EXPECT_GT(ruvk_html_live_objects(), 0);
        // The second goes with its window.
        ruvk_vobj_destroy(w);
        et::pump(50);
        EXPECT_EQ(ruvk_html_live_objects(), 0);
        EXPECT_EQ(ole_ready(), before);
    });
}

} // namespace
