// The multiple-document task window, in a program of its own with its own
// resources (application name, accelerators, document icon, window menu):
// the frame makes the MDI client and the window-less frame object, its
// documents are MDI children listed in the window menu, the window-menu
// commands tile and cascade them without a command event, the client keeps
// to the margins, activation moves the focus events, and the frame's end
// ends the loop and frees the frame object.
#include <algorithm>

#include <gtest/gtest.h>

#include "event_test_support.h"
#include "window_procs.h"

using et::events_of;
using et::seen;

namespace {

RUV_WIN make_doc(const char *title, int16_t top)
{
    RUV_RECT r = {top, 10, static_cast<int16_t>(top + 120), 210};
    return ruvk_win_create(1, &r, title, 0, et::task(), 0x803, RUV_EVENT_MASK_ALL, et::record, nullptr);
}

RECT rect_in(HWND hwnd, HWND parent)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT *>(&r), 2);
    return r;
}

bool ends_with(const std::string &s, const std::string &tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

RUV_WIN g_frame_object;

} // namespace

TEST(Mdi, FrameDocumentsWindowMenuLayoutAndEnd)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_MDI, 1);
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_TASK_STYLE, 0x883);
    g_frame_object = nullptr;
    et::run(
        [] {
            RUV_WIN task = et::task();
            ASSERT_TRUE(ruvv_vobj_is_valid(task));
            EXPECT_EQ(task->kind, 0x80000001u);
            HWND frame = et::hwnd(task);
            ASSERT_NE(frame, nullptr);
            EXPECT_NE(kt::class_of(frame).find("mditask"), std::string::npos);

            // The client and the frame object.
            HWND client = reinterpret_cast<HWND>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_MDI_CLIENT));
            ASSERT_NE(client, nullptr);
            EXPECT_EQ(lstrcmpiA(kt::class_of(client).c_str(), "MDIClient"), 0);
            EXPECT_EQ(GetParent(client), frame);
            EXPECT_EQ(GetDlgCtrlID(client), 100);
            EXPECT_TRUE(IsWindowVisible(client));
            RUV_WIN frame_object = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_MDI_FRAME_WINDOW));
            ASSERT_TRUE(ruvv_vobj_is_valid(frame_object));
            EXPECT_EQ(frame_object->kind, 0x20000004u);
            EXPECT_EQ(frame_object->type, 1);
            EXPECT_EQ(frame_object->top, frame_object);
            EXPECT_EQ(frame_object->native, nullptr);
            g_frame_object = frame_object;

            // Documents are MDI children of the client, listed in the
            // window menu.
            RUV_APP_RECORD *app = ruvk_app_record();
            ASSERT_NE(app, nullptr);
            ASSERT_NE(app->window_menu, nullptr);
            const int items_before = GetMenuItemCount(app->window_menu);
            seen().clear();
            RUV_WIN a = make_doc("Alpha", 10);
            RUV_WIN b = make_doc("Beta", 40);
            ASSERT_TRUE(a && b);
            et::pump(100);
            for (RUV_WIN d : {a, b}) {
                EXPECT_EQ(d->kind, 0x40000008u);
                EXPECT_EQ(GetParent(et::hwnd(d)), client);
                EXPECT_TRUE(ends_with(kt::class_of(et::hwnd(d)), "mdidoc9012"));
                EXPECT_EQ(events_of(d).front(), "create");
            }
            EXPECT_GT(GetMenuItemCount(app->window_menu), items_before);
            char text[64] = "";
            GetMenuStringA(app->window_menu, 32788, text, sizeof text, MF_BYCOMMAND);
            EXPECT_NE(std::string(text).find("Alpha"), std::string::npos) << text;

            // Window-menu commands act on the documents and send nothing.
            seen().clear();
            SendMessageA(frame, WM_COMMAND, 32770, 0);
            RECT ra = rect_in(et::hwnd(a), client), rb = rect_in(et::hwnd(b), client);
            EXPECT_NE(ra.left, rb.left) << "cascaded";
            EXPECT_NE(ra.top, rb.top) << "cascaded";
            SendMessageA(frame, WM_COMMAND, 32769, 0);
            ra = rect_in(et::hwnd(a), client);
            rb = rect_in(et::hwnd(b), client);
            RECT both;
            EXPECT_FALSE(IntersectRect(&both, &ra, &rb)) << "tiled";
            auto all = events_of(NULL_WIN);
            EXPECT_EQ(std::count_if(all.begin(), all.end(),
                                    [](const std::string &e) { return e.rfind("command", 0) == 0; }),
                      0);

            // Other menu commands reach the frame's task window.
            seen().clear();
            SendMessageA(frame, WM_COMMAND, 1500, 0);
            EXPECT_EQ(events_of(task), std::vector<std::string>{"command 1500 s0 c0"});

            // Margins 0, 24, 0, 0 on a 640 x 480 client: the MDI client is
            // 640 x 456 at 0, 0.
            ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_MDI_MARGIN_BOTTOM, 24);
            RECT outer = {0, 0, 640, 480};
            AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrA(frame, GWL_STYLE)), GetMenu(frame) != nullptr,
                               static_cast<DWORD>(GetWindowLongPtrA(frame, GWL_EXSTYLE)));
            ShowWindow(frame, SW_RESTORE);
            SetWindowPos(frame, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                         SWP_NOMOVE | SWP_NOZORDER);
            RECT fc;
            GetClientRect(frame, &fc);
            ASSERT_EQ(fc.right, 640);
            ASSERT_EQ(fc.bottom, 480);
            RECT rc = rect_in(client, frame);
            EXPECT_EQ(rc.left, 0);
            EXPECT_EQ(rc.top, 0);
            EXPECT_EQ(rc.right, 640);
            EXPECT_EQ(rc.bottom, 456);
            ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_MDI_MARGIN_BOTTOM, 0);
            rc = rect_in(client, frame);
            EXPECT_EQ(rc.bottom, 480) << "without margins the frame lays the client out";

            // Activation moves the focus between documents.
            et::undisturbed([&] {
                SendMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(et::hwnd(a)), 0);
                et::pump(100);
                seen().clear();
                SendMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(et::hwnd(b)), 0);
                et::pump(100);
            });
            const uint32_t only_focus = ~RUV_EVENT_BIT(E_FOCUS);
            EXPECT_EQ(events_of(a, only_focus), std::vector<std::string>{"focus 0"});
            EXPECT_EQ(events_of(b, only_focus), std::vector<std::string>{"focus 1"});

            // A document that goes leaves the window menu.
            const int with_two = GetMenuItemCount(app->window_menu);
            seen().clear();
            HWND ha = et::hwnd(a);
            ruvk_vobj_destroy(a);
            et::pump(50);
            EXPECT_FALSE(IsWindow(ha));
            EXPECT_EQ(GetMenuItemCount(app->window_menu), with_two - 1);
        },
        et::record);
    // The frame's end ended the loop and took the frame object with it.
    EXPECT_NE(g_frame_object, nullptr);
    EXPECT_FALSE(ruvv_vobj_is_valid(g_frame_object));
}

// A document made while the active one is maximised comes maximised too,
// and the documents stay maximised.
TEST(Mdi, ADocumentUnderAMaximisedOneComesMaximised)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_MDI, 1);
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_TASK_STYLE, 0x883);
    et::run(
        [] {
            RUV_RECT r = {10, 10, 130, 210};
            RUV_WIN a = ruvk_win_create(1, &r, "Big", 0, et::task(), 0x1803, RUV_EVENT_MASK_ALL, et::record, nullptr);
            ASSERT_NE(a, nullptr);
            et::pump(50);
            ASSERT_TRUE(IsZoomed(et::hwnd(a)));
            RUV_WIN b = make_doc("Next", 40);
            ASSERT_NE(b, nullptr);
            et::pump(50);
            EXPECT_TRUE(IsWindowVisible(et::hwnd(b)));
            EXPECT_TRUE(IsZoomed(et::hwnd(b)));
            BOOL maximised = FALSE;
            HWND client = reinterpret_cast<HWND>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_MDI_CLIENT));
            SendMessageA(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised));
            EXPECT_TRUE(maximised);
        },
        et::record);
}
