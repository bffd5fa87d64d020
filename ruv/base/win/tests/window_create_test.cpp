// Window classes, creation and destruction on real windows: class names,
// styles, extended styles and outer rectangles under both task kinds, icon
// classes, titles as given, the order of the first events, the modal loop
// and the misuse reports.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "kernel_test_support.h"
#include "ruvv_app.h"
#include "window_create.h"

namespace {

std::vector<std::pair<RUV_WIN, int32_t>> &events()
{
    static std::vector<std::pair<RUV_WIN, int32_t>> e;
    return e;
}

int32_t record(RUV_WIN win, RUV_EVENT *e)
{
    events().push_back({ win, e->type });
    return 0;
}

std::vector<int32_t> types_of(RUV_WIN win)
{
    std::vector<int32_t> out;
    for (auto &e : events())
        if (e.first == win)
            out.push_back(e.second);
    return out;
}

RUV_WIN task()
{
    return reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
}

// The outer rectangle of a window in its native parent's client
// coordinates (screen coordinates for a top-level window).
RECT outer_in_parent(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    HWND parent = (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd) : nullptr;
    if (parent)
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT *>(&r), 2);
    return r;
}

void pump(DWORD ms)
{
    DWORD start = GetTickCount();
    do {
        ruvk_app_process_pending_events();
        Sleep(5);
    } while (GetTickCount() - start < ms);
}

// ---- classes, styles and rectangles, table-driven ----

// Metrics of the new-look formula (this system is NT 6.1).
struct Metrics {
    int caption = GetSystemMetrics(SM_CYCAPTION);
    int cx_frame = GetSystemMetrics(SM_CXFRAME), cy_frame = GetSystemMetrics(SM_CYFRAME);
    int cx_dlg = GetSystemMetrics(SM_CXDLGFRAME), cy_dlg = GetSystemMetrics(SM_CYDLGFRAME);
    int cx_border = GetSystemMetrics(SM_CXBORDER), cy_border = GetSystemMetrics(SM_CYBORDER);
    int vscroll = GetSystemMetrics(SM_CXVSCROLL), hscroll = GetSystemMetrics(SM_CYHSCROLL);
};

struct Case {
    const char *name;
    bool windowless_task;
    int32_t type;
    bool under_doc;        // parent: a document made first (else the task)
    uint32_t flags;
    const char *class_name;
    DWORD style;           // as read back (shown windows carry WS_VISIBLE)
    DWORD ex_style_set;    // bits that must be set
    // outer rectangle from the client rectangle {10, 20, 110, 220}
    int top, left, bottom, right;
};

std::vector<Case> cases()
{
    Metrics m;
    const int t = 10, l = 20, b = 110, r = 220;
    // Document, thick frame: caption and sizing frame.
    const int dt = t - m.caption - m.cy_frame, dl = l - m.cx_frame, db = b + m.cy_frame, dr = r + m.cx_frame;
    // Document with a vertical scroll bar and no thick frame: dialog frame.
    const int st = t - m.caption - m.cy_dlg, sl = l - m.cx_dlg, sb = b + m.cy_dlg, sr = r + m.vscroll + m.cx_dlg;
    // Plain child: one border.
    const int pt = t - m.cy_border, pl = l - m.cx_border, pb = b + m.cy_border, pr = r + m.cx_border;
    // Modal window: caption and dialog frame.
    const int mt = t - m.caption - m.cx_dlg, ml = l - m.cy_dlg, mb = b + m.cx_dlg, mr = r + m.cy_dlg;
    return {
        { "document under the task window", false, 1, false, 0x3, "xktest1310doc9012", 0x56CD0000, 0, dt, dl, db, dr },
        { "document with scroll bar", false, 1, false, 0x8, "xktest1310doc9012", 0x56E00000, 0, st, sl, sb, sr },
        { "child of a document", false, 2, true, 0x0, "xktest1310child0", 0x56800000, 0, pt, pl, pb, pr },
        { "modal window without loop", false, 9, false, 0x8002, "xktest1310wialog0", 0x96C80000, WS_EX_DLGMODALFRAME,
          mt, ml, mb, mr },
        { "detached document under the window-less task", true, 1, false, 0x3, "xktest1310detdoc9012", 0x16CD0000,
          0, dt, dl, db, dr },
        { "child of a detached document", true, 2, true, 0x0, "xktest1310child0", 0x56800000, 0, pt, pl, pb, pr },
        { "modal window under the window-less task", true, 9, false, 0x8002, "xktest1310wialog0", 0x96C80000,
          WS_EX_DLGMODALFRAME, mt, ml, mb, mr },
    };
}

TEST(WindowCreate, ClassesStylesAndOuterRectanglesUnderBothTaskKinds)
{
    for (const Case &c : cases()) {
        SCOPED_TRACE(c.name);
        kt::Session session;
        ASSERT_TRUE(session.ok());
        if (c.windowless_task)
            ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_NO_TASK_WINDOW, 1);
        kt::run_app([&] {
            RUV_WIN parent = task();
            if (c.under_doc) {
                RUV_RECT pr{ 0, 0, 300, 400 };
                parent = ruvk_win_create(1, &pr, "Parent", 0, task(), 0x3, RUV_EVENT_MASK_ALL, nullptr, nullptr);
                ASSERT_NE(parent, nullptr);
            }
            RUV_RECT rect{ 10, 20, 110, 220 };
            RUV_WIN w = ruvk_win_create(c.type, &rect, "Window", 0, parent, c.flags, RUV_EVENT_MASK_ALL, nullptr,
                                        nullptr);
            ASSERT_NE(w, nullptr);
            HWND h = kt::hwnd_of(w);
            ASSERT_NE(h, nullptr);
            EXPECT_EQ(ruvwi_hwnd_to_window(h), w);
            EXPECT_EQ(kt::class_of(h), c.class_name);
            EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(h, GWL_STYLE)), c.style);
            EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(h, GWL_EXSTYLE)) & c.ex_style_set, c.ex_style_set);
            RECT o = outer_in_parent(h);
            EXPECT_EQ(o.top, c.top);
            EXPECT_EQ(o.left, c.left);
            EXPECT_EQ(o.bottom, c.bottom);
            EXPECT_EQ(o.right, c.right);
            EXPECT_TRUE(ruvk_win_is_created(w));
        });
        // (The test program has no compiled resource stream: the resource
        // store's failed open is the one report expected.)
        for (const kt::Report &r : kt::reports())
            if (r.id != 0x01540001)
                ADD_FAILURE() << "report " << std::hex << r.id;
    }
}

TEST(WindowCreate, DefaultPositionAndSizeAreTheSystemsOwn)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_NO_TASK_WINDOW, 1);
    kt::run_app([] {
        RUV_RECT rect{ 0, RUVK_DEFAULT_COORD, 0, RUVK_DEFAULT_COORD };
        RUV_WIN w = ruvk_win_create(1, &rect, "Default", 0, task(), 0x3, RUV_EVENT_MASK_ALL, nullptr, nullptr);
        ASSERT_NE(w, nullptr);
        RECT r;
        GetWindowRect(kt::hwnd_of(w), &r);
        EXPECT_GT(r.right - r.left, 100);
        EXPECT_GT(r.bottom - r.top, 100);
    });
}

// ---- titles ----

// A window's title is its text as given: only controls convert mnemonic
// signs, so a document or a modal window titled with an ampersand or a
// short path shows it and reads it back unchanged, and a long one whole.
TEST(WindowCreate, TitlesAreShownAndReadBackAsGiven)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    kt::run_app([] {
        const std::string long_path = "D:\\" + std::string(600, 'p') + "\\run.inp";
        const char *titles[] = { "A & B", "C:\\PROGRA~1\\model.inp", "~~x&&", long_path.c_str() };
        const struct {
            int32_t type;
            uint32_t flags;
        } kinds[] = { { 1, 0x3 }, { 9, 0x8002 } };
        for (const auto &k : kinds)
            for (const char *title : titles) {
                SCOPED_TRACE(std::to_string(k.type) + " " + std::string(title).substr(0, 24));
                RUV_RECT rect{ 10, 20, 110, 220 };
                RUV_WIN w = ruvk_win_create(k.type, &rect, title, 0, task(), k.flags, RUV_EVENT_MASK_ALL, nullptr,
                                            nullptr);
                ASSERT_NE(w, nullptr);
                char native[1024] = "";
                GetWindowTextA(kt::hwnd_of(w), native, sizeof native);
                EXPECT_STREQ(native, title);
                char back[1024] = "";
                EXPECT_STREQ(ruvk_vobj_get_title(w, back, sizeof back), title);
                ruvk_vobj_destroy(w);
            }
    });
}

// ---- icons ----

TEST(WindowClasses, IconIdsMakeOneClassEachUpToForty)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    kt::run_app([] {
        RUV_APP_RECORD *app = ruvk_app_record();
        RUV_RECT rect{ 10, 10, 100, 200 };
        RUV_WIN a = ruvk_win_create(1, &rect, "A", 0, task(), 0x3, RUV_EVENT_MASK_ALL, nullptr, nullptr);
        ruvk_vobj_set_attr(NULL_WIN, 10005, 9013);
        RUV_WIN b = ruvk_win_create(1, &rect, "B", 0, task(), 0x3, RUV_EVENT_MASK_ALL, nullptr, nullptr);
        RUV_WIN c = ruvk_win_create(1, &rect, "C", 0, task(), 0x3, RUV_EVENT_MASK_ALL, nullptr, nullptr);
        ASSERT_TRUE(a && b && c);
        EXPECT_EQ(kt::class_of(kt::hwnd_of(a)), "xktest1310doc9012");
        EXPECT_EQ(kt::class_of(kt::hwnd_of(b)), "xktest1310doc9013");
        EXPECT_EQ(kt::class_of(kt::hwnd_of(c)), "xktest1310doc9012");
        EXPECT_EQ(ruvk_vobj_get_attr(NULL_WIN, 10005), 0);
        EXPECT_EQ(app->icons_doc[0], 9012);
        EXPECT_EQ(app->icons_doc[1], 9013);
        EXPECT_EQ(app->icons_doc[2], 0);
        WNDCLASSA info;
        ASSERT_TRUE(GetClassInfoA(app->instance, "xktest1310doc9013", &info));
        EXPECT_NE(info.hIcon, nullptr);

        // Fill the list to 40 ids; the 41st distinct one is refused.
        char name[96];
        for (int id = 1; id <= 38; ++id)
            EXPECT_TRUE(ruvk_class_register(RUVK_KIND_DOC, 100 + id, name, sizeof name));
        EXPECT_TRUE(ruvk_class_register(RUVK_KIND_DOC, 9012, name, sizeof name));
        kt::reports().clear();
        EXPECT_FALSE(ruvk_class_register(RUVK_KIND_DOC, 7777, name, sizeof name));
        EXPECT_EQ(kt::severity_of(0x3485FE), 3);
        // Detached documents keep a list of their own.
        EXPECT_TRUE(ruvk_class_register(RUVK_KIND_DETDOC, 7777, name, sizeof name));
    });
}

TEST(WindowClasses, AMissingIconIsAWarningAndTheClassIsMade)
{
    kt::ModalGuard guard;
    kt::Session session;
    ASSERT_TRUE(session.ok());
    kt::run_app([] {
        kt::reports().clear();
        char name[96];
        ASSERT_TRUE(ruvk_class_register(RUVK_KIND_DOC, 4242, name, sizeof name));
        EXPECT_EQ(kt::severity_of(0x3485FF), 1);
        WNDCLASSA info;
        ASSERT_TRUE(GetClassInfoA(ruvk_app_record()->instance, name, &info));
        EXPECT_EQ(info.hIcon, nullptr);
        // And a window of it can be made.
        ruvk_vobj_set_attr(NULL_WIN, 10005, 4242);
        RUV_RECT rect{ 10, 10, 100, 200 };
        RUV_WIN w = ruvk_win_create(1, &rect, "No icon", 0, task(), 0x3, RUV_EVENT_MASK_ALL, nullptr, nullptr);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(kt::class_of(kt::hwnd_of(w)), "xktest1310doc4242");

        kt::reports().clear();
        EXPECT_FALSE(ruvk_class_register(0x12345, 0, name, sizeof name));
        EXPECT_EQ(kt::severity_of(0x3485FD), 3);
    });
}

// ---- the first events ----

TEST(WindowCreate, CreateComesBeforeEveryDeferredEvent)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    kt::run_app([] {
        events().clear();
        RUV_RECT rect{ 10, 10, 100, 200 };
        RUV_WIN w = ruvk_win_create(1, &rect, "Order", 0, task(), 0x3, RUV_EVENT_MASK_ALL, record, nullptr);
        ASSERT_NE(w, nullptr);
        // Creation completion delivered what was deferred behind E_CREATE.
        std::vector<int32_t> t = types_of(w);
        ASSERT_FALSE(t.empty());
        EXPECT_EQ(t.front(), E_CREATE);
        EXPECT_EQ(std::count(t.begin(), t.end(), E_CREATE), 1);
        pump(100);
        t = types_of(w);
        for (int32_t deferred : { E_SIZE, E_UPDATE, E_FOCUS })
            EXPECT_NE(std::find(t.begin(), t.end(), deferred), t.end()) << "type " << deferred;
        EXPECT_EQ(t.front(), E_CREATE);
    });
}

// ---- destruction ----

TEST(WindowDestroy, ADocumentGetsItsDestroyEventAndItsRecordGoes)
{
    kt::MemCount::install(true);
    {
        kt::Session session;
        ASSERT_TRUE(session.ok());
        kt::run_app([] {
            events().clear();
            RUV_RECT rect{ 10, 10, 100, 200 };
            RUV_WIN doc = ruvk_win_create(1, &rect, "Doc", 0, task(), 0x3, RUV_EVENT_MASK_ALL, record, nullptr);
            RUV_WIN child = ruvk_win_create(2, &rect, "", 7, doc, 0, RUV_EVENT_MASK_ALL, record, nullptr);
            ASSERT_TRUE(doc && child);
            HWND h = kt::hwnd_of(doc);
            EXPECT_EQ(GetDlgCtrlID(kt::hwnd_of(child)), 7);
            ruvk_vobj_destroy(doc);
            EXPECT_FALSE(IsWindow(h));
            EXPECT_FALSE(ruvv_vobj_is_valid(doc));
            EXPECT_FALSE(ruvv_vobj_is_valid(child));
            std::vector<int32_t> t;
            for (auto &e : events())
                if (e.second == E_DESTROY)
                    t.push_back(e.second);
            EXPECT_EQ(t.size(), 2u);
            EXPECT_EQ(kt::exit_calls(), 0);
        });
        EXPECT_EQ(kt::exit_calls(), 1);
    }
    EXPECT_EQ(kt::MemCount::outstanding(), 0);
}

TEST(WindowDestroy, ANativeWindowTheToolkitDoesNotOwnHasNoRecord)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    kt::run_app([] {
        // User data that looks like a record but was never registered.
        RUV_VOBJ fake;
        std::memset(&fake, 0, sizeof fake);
        fake.tag = RUV_VOBJ_TAG;
        HWND h = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(h, nullptr);
        SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&fake));
        EXPECT_EQ(ruvwi_hwnd_to_window(h), nullptr);
        EXPECT_EQ(ruvwi_hwnd_to_window(nullptr), nullptr);
        DestroyWindow(h);
        EXPECT_EQ(ruvwi_hwnd_to_window(h), nullptr);
    });
}

// ---- the modal loop ----

HWND g_task_hwnd;
bool g_task_disabled_in_loop;

int32_t close_modal(RUV_WIN win, RUV_EVENT *e)
{
    record(win, e);
    if (e->type == E_CLOSE) {
        g_task_disabled_in_loop = !IsWindowEnabled(g_task_hwnd);
        ruvk_vobj_destroy(win);
    }
    return 0;
}

TEST(ModalLoop, OtherWindowsAreDisabledWhileItRunsAndTheRecordGoesAfter)
{
    kt::ModalGuard guard({ { "Modal", 0 } });
    kt::MemCount::install(true);
    {
        kt::Session session;
        ASSERT_TRUE(session.ok());
        kt::run_app([] {
            RUV_RECT rect{ 10, 10, 100, 200 };
            g_task_hwnd = kt::hwnd_of(task());
            g_task_disabled_in_loop = false;
            events().clear();
            // The guard closes it; its handler destroys it.
            RUV_WIN modal = ruvk_win_create(9, &rect, "Modal", 0, task(), 0x2, RUV_EVENT_MASK_ALL, close_modal, nullptr);
            EXPECT_FALSE(ruvv_vobj_is_valid(modal));
            EXPECT_TRUE(g_task_disabled_in_loop);
            EXPECT_TRUE(IsWindowEnabled(g_task_hwnd));
            std::vector<int32_t> t = types_of(modal);
            ASSERT_FALSE(t.empty());
            EXPECT_EQ(t.front(), E_CREATE);
            EXPECT_EQ(t.back(), E_DESTROY);
        });
        EXPECT_EQ(kt::exit_calls(), 1);
    }
    EXPECT_EQ(kt::MemCount::outstanding(), 0);
}

int32_t quit_in_modal(RUV_WIN win, RUV_EVENT *e)
{
    record(win, e);
    if (e->type == E_CREATE)
        PostQuitMessage(0);
    return 0;
}

// The quit message taken by the modal loop ends it, the window goes before
// its record, and the quit still reaches the outer loop (which would
// otherwise wait for ever).
TEST(ModalLoop, QuitTakenInsideGoesBackToTheOuterLoop)
{
    kt::MemCount::install(true);
    {
        kt::Session session;
        ASSERT_TRUE(session.ok());
        RUV_WIN modal = NULL_WIN;
        bool after_modal = false;
        events().clear();
        kt::run_app([&] {
            RUV_RECT rect{ 10, 10, 100, 200 };
            modal = ruvk_win_create(9, &rect, "Quit", 0, task(), 0x2, RUV_EVENT_MASK_ALL, quit_in_modal, nullptr);
            after_modal = true;
            // The task window is still there: only the outer loop ends.
            EXPECT_TRUE(ruvv_vobj_is_valid(task()));
        });
        EXPECT_TRUE(after_modal);
        EXPECT_FALSE(ruvv_vobj_is_valid(modal));
        std::vector<int32_t> t = types_of(modal);
        ASSERT_FALSE(t.empty());
        EXPECT_EQ(t.front(), E_CREATE);
        EXPECT_EQ(t.back(), E_DESTROY);
    }
    EXPECT_EQ(kt::MemCount::outstanding(), 0);
}

int32_t destroy_natively(RUV_WIN win, RUV_EVENT *e)
{
    record(win, e);
    if (e->type == E_CLOSE)
        DestroyWindow(kt::hwnd_of(win));
    return 0;
}

// A modal window whose native window goes by itself (not through the
// toolkit's destroy) still gives back the windows its loop disabled, and
// the list of them goes with it.
TEST(ModalLoop, WindowsComeBackWhenTheModalWindowGoesNatively)
{
    kt::ModalGuard guard({ { "Native", 0 } });
    kt::MemCount::install(true);
    {
        kt::Session session;
        ASSERT_TRUE(session.ok());
        kt::run_app([] {
            RUV_RECT rect{ 10, 10, 100, 200 };
            HWND task_hwnd = kt::hwnd_of(task());
            RUV_WIN modal = ruvk_win_create(9, &rect, "Native", 0, task(), 0x2, RUV_EVENT_MASK_ALL,
                                            destroy_natively, nullptr);
            EXPECT_FALSE(ruvv_vobj_is_valid(modal));
            EXPECT_TRUE(IsWindowEnabled(task_hwnd));
        });
        EXPECT_EQ(kt::exit_calls(), 1);
    }
    EXPECT_EQ(kt::MemCount::outstanding(), 0);
}

// ---- accelerators ----

// An accelerator key in a window without a menu bar looks for one up its
// parents and stops at the screen, which is nobody's child.
TEST(Accelerators, AKeyInADetachedDocumentEndsItsSearchAtTheScreen)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    kt::run_app([] {
        RUV_WIN screen = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_SCREEN_WINDOW));
        RUV_RECT rect{ 10, 10, 100, 200 };
        RUV_WIN det = ruvk_win_create(1, &rect, "Detached", 0, screen, 0x3, RUV_EVENT_MASK_ALL, record, nullptr);
        ASSERT_NE(det, nullptr);
        ASSERT_EQ(det->kind, RUVK_KIND_DETDOC);
        PostMessageA(kt::hwnd_of(det), WM_KEYDOWN, VK_F5, 1);
        PostMessageA(kt::hwnd_of(det), WM_KEYUP, VK_F5, 0xC0000001);
        pump(50);
        EXPECT_TRUE(ruvv_vobj_is_valid(det));
        ruvk_vobj_destroy_ex(det, 0);
    });
}

// ---- misuse reports ----

struct FakeRecord {
    RUV_VOBJ rec;
    explicit FakeRecord(uint32_t kind)
    {
        std::memset(&rec, 0, sizeof rec);
        rec.tag = RUV_VOBJ_TAG;
        rec.kind = kind;
        ruvv_registry_add(&rec);
    }
    ~FakeRecord() { ruvv_registry_remove(&rec); }
};

TEST(WindowMisuse, RecordsOfTheWrongKindAreReported)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    kt::run_app([] {
        RUV_RECT rect{ 10, 10, 100, 200 };
        {
            FakeRecord mdi_task(RUVK_KIND_MDITASK);
            for (int32_t type : { 2, 3, 7 }) {
                kt::reports().clear();
                EXPECT_EQ(ruvk_win_create(type, &rect, "", 0, &mdi_task.rec, 0, 0, nullptr, nullptr), nullptr);
                EXPECT_EQ(kt::severity_of(0x3486DB), 3) << "type " << type;
            }
        }
        {
            FakeRecord windowless(RUVK_KIND_NOWIN_TASK);
            kt::reports().clear();
            EXPECT_FALSE(ruvk_win_is_created(&windowless.rec));
            EXPECT_EQ(ruvk_win_get_focus_memory(&windowless.rec), nullptr);
            ruvk_win_set_focus_memory(&windowless.rec, nullptr);
            EXPECT_EQ(kt::severity_of(0x3486E3), 3);
            EXPECT_EQ(kt::severity_of(0x3486E2), 3);
            EXPECT_EQ(kt::severity_of(0x3486E1), 3);
        }
        {
            FakeRecord doclike(RUVK_KIND_DOCLIKE);
            kt::reports().clear();
            ruvk_vobj_destroy(&doclike.rec);
            EXPECT_EQ(kt::severity_of(0x3486DF), 3);
        }
        {
            FakeRecord frame_object(RUVK_KIND_MDIFRAME_OBJ);
            kt::reports().clear();
            ruvk_vobj_destroy(&frame_object.rec);
            EXPECT_EQ(kt::severity_of(0x348739), 3);
        }
        {
            // A native window that will not go.
            RUV_WIN child = ruvk_win_create(1, &rect, "Doc", 0, task(), 0x3, RUV_EVENT_MASK_ALL, nullptr, nullptr);
            ASSERT_NE(child, nullptr);
            void *real = child->native;
            child->native = reinterpret_cast<void *>(static_cast<intptr_t>(0x7ff0));
            kt::reports().clear();
            ruvk_vobj_destroy(child);
            EXPECT_EQ(kt::severity_of(0x34873B), 3);
            child->native = real;
        }
    });
}

TEST(WindowMisuse, ATaskWindowThatWillNotGoIsReported)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    HWND real = nullptr;
    kt::run_app([&] {
        RUV_WIN t = task();
        real = kt::hwnd_of(t);
        // A handle that no longer names a window.
        HWND gone = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        DestroyWindow(gone);
        t->native = gone;
        kt::reports().clear();
        ruvk_vobj_destroy(t);
        EXPECT_EQ(kt::severity_of(0x34873A), 3);
        EXPECT_EQ(kt::exit_calls(), 1);
        // The loop ends when the real window goes.
        DestroyWindow(real);
    });
    EXPECT_FALSE(IsWindow(real));
}

void *g_hooked_record;

void flip_kind(DWORD *, LPCSTR *, LPCSTR *, DWORD *, int *, int *, int *, int *, HWND *, HMENU *, HINSTANCE *,
               LPVOID *param)
{
    g_hooked_record = *param;
}

TEST(WindowMisuse, ARecordThatLostItsWindowKindIsReported)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    kt::run_app([] {
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_CREATE_HOOK, reinterpret_cast<intptr_t>(&flip_kind));
        // The window procedure changes the record's kind while the window
        // is made (through the window-procedure hook).
        static auto hook = [](HWND hwnd, UINT msg, WPARAM, LPARAM, LRESULT *) -> RUV_BOOL {
            if (msg == WM_CREATE && g_hooked_record)
                static_cast<RUV_VOBJ *>(g_hooked_record)->kind = RUVK_KIND_DOCLIKE;
            return 1;
        };
        RUV_BOOL (*proc_hook)(HWND, UINT, WPARAM, LPARAM, LRESULT *) = hook;
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_WNDPROC_HOOK, reinterpret_cast<intptr_t>(proc_hook));
        kt::reports().clear();
        RUV_RECT rect{ 10, 10, 100, 200 };
        RUV_WIN w = ruvk_win_create(1, &rect, "Kind", 0, task(), 0x3, RUV_EVENT_MASK_ALL, nullptr, nullptr);
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_WNDPROC_HOOK, 0);
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_CREATE_HOOK, 0);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(kt::severity_of(0x3486DD), 3);
        w->kind = RUVK_KIND_DOC;
        g_hooked_record = nullptr;
    });
}

} // namespace
