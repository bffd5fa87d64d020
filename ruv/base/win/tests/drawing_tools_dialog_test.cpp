// The drawing-tools dialog driven from inside its modal loop: changes on
// every page come back when it is accepted, Cancel and closing leave the
// tools alone, widths 0 and 32768 are refused and the field starts again,
// the width field keeps only digits, the pages follow the parts asked for,
// and the dialog runs under its own help context.
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "control_window_test_support.h"
#include "native_controls.h"
#include "ruvv_dm.h"
#include "ruvv_notebk.h"
#include "window_create.h"
#include "window_services.h"

namespace {

constexpr RUV_COLOR kBlack = 0x07000000, kWhite = 0x0BFFFFFF;
const RUV_DRAW_CTOOLS kStart = {{3, 2, 0, kBlack}, {2, kWhite}, 0, kBlack, kWhite, 0};

// The step runs once the dialog is up, from a thread timer its modal loop
// serves; a dialog the step leaves open is closed so the test goes on.
struct Driver {
    static std::function<void(RUV_WIN)> &step()
    {
        static std::function<void(RUV_WIN)> s;
        return s;
    }
    static int &waited()
    {
        static int n = 0;
        return n;
    }
    static BOOL CALLBACK find(HWND hwnd, LPARAM lp)
    {
        char title[64] = "";
        GetWindowTextA(hwnd, title, sizeof title);
        if (std::strcmp(title, "Drawing tools") == 0 && IsWindowVisible(hwnd)) {
            *reinterpret_cast<HWND *>(lp) = hwnd;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD)
    {
        HWND dlg = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), find, reinterpret_cast<LPARAM>(&dlg));
        if (!dlg) {
            if (++waited() > 200)
                KillTimer(nullptr, id);
            return;
        }
        KillTimer(nullptr, id);
        std::function<void(RUV_WIN)> s = std::move(step());
        step() = nullptr;
        if (s)
            s(ruvwi_hwnd_to_window(dlg));
        if (IsWindow(dlg))
            SendMessageA(dlg, WM_CLOSE, 0, 0);
    }
};

// Runs the dialog over tools with parts; the step drives it.
RUV_BOOL run_dialog(RUV_DRAW_CTOOLS *tools, int32_t parts, std::function<void(RUV_WIN)> step)
{
    Driver::step() = std::move(step);
    Driver::waited() = 0;
    kt::reports().clear();
    UINT_PTR timer = SetTimer(nullptr, 0, 30, Driver::tick);
    RUV_BOOL accepted = ruvv_dm_post_ctools_sel(tools, parts);
    KillTimer(nullptr, timer);
    EXPECT_EQ(Driver::step(), nullptr) << "the dialog never came up";
    Driver::step() = nullptr;
    return accepted;
}

void in_application(const std::function<void()> &body)
{
    cw::RefusingMem::install();
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run(body);
}

RUV_WIN notebook_of(RUV_WIN dlg)
{
    return ruvk_win_get_ctl(dlg, 1001);
}

RUV_WIN face(RUV_WIN dlg, int16_t tab)
{
    return ruvv_notebk_get_face(notebook_of(dlg), tab, 0);
}

void press(RUV_WIN win, int32_t id)
{
    ruvk_ctl_press_button(ruvk_win_get_ctl(win, id));
}

// A mouse press at (h, v) of a page, given to the window there.
void click(RUV_WIN page, int16_t h, int16_t v)
{
    POINT p = {h, v};
    HWND child = ChildWindowFromPoint(kt::hwnd_of(page), p);
    RUV_WIN target = child ? ruvwi_hwnd_to_window(child) : page;
    if (!target)
        target = page;
    if (target != page)
        MapWindowPoints(kt::hwnd_of(page), child, &p, 1);
    RUV_EVENT ev;
    std::memset(&ev, 0, sizeof ev);
    ev.type = E_MOUSE_DOWN;
    ev.v.mouse.h = static_cast<int16_t>(p.x);
    ev.v.mouse.v = static_cast<int16_t>(p.y);
    ruvk_win_dispatch_event(target, &ev);
}

bool same(const RUV_DRAW_CTOOLS &a, const RUV_DRAW_CTOOLS &b)
{
    return a.pen.width == b.pen.width && a.pen.pattern == b.pen.pattern && a.pen.style == b.pen.style &&
           a.pen.color == b.pen.color && a.brush.pattern == b.brush.pattern && a.brush.color == b.brush.color &&
           a.draw_mode == b.draw_mode && a.fore == b.fore && a.back == b.back && a.opaque == b.opaque;
}

std::string text_of(RUV_WIN w)
{
    char buf[64] = "";
    GetWindowTextA(kt::hwnd_of(w), buf, sizeof buf);
    return buf;
}

std::vector<std::string> tab_titles(RUV_WIN dlg)
{
    std::vector<std::string> out;
    HWND nb = kt::hwnd_of(notebook_of(dlg));
    const int n = static_cast<int>(SendMessageA(nb, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        char buf[32] = "";
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = buf;
        item.cchTextMax = sizeof buf;
        SendMessageA(nb, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        out.push_back(buf);
    }
    return out;
}

TEST(DrawingToolsDialog, AcceptingTakesTheChangesOfEveryPage)
{
    in_application([] {
        RUV_DRAW_CTOOLS tools = kStart;
        int32_t context = 0;
        std::string filtered;
        std::vector<std::string> tabs;
        int pen_image = -1;
        RUV_BOOL ok = run_dialog(&tools, 0xFF, [&](RUV_WIN dlg) {
            context = ruvv_win_get_help_ctx();
            tabs = tab_titles(dlg);
            TCITEMA item = {};
            item.mask = TCIF_IMAGE;
            SendMessageA(kt::hwnd_of(notebook_of(dlg)), TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
            pen_image = item.iImage;

            RUV_WIN pen = face(dlg, 0);
            RUV_WIN width = ruvk_win_get_ctl(pen, 2);
            SetWindowTextA(kt::hwnd_of(width), "1a2");  // typed: only the digits stay
            et::pump(30);
            filtered = text_of(width);
            press(pen, 12);        // dotted
            click(pen, 246, 174);  // the red swatch of the pen group

            RUV_WIN brush = face(dlg, 1);
            click(brush, 140, 205);  // pattern 7

            RUV_WIN colors = face(dlg, 2);
            click(colors, 246, 78);  // the black swatch of the background group

            RUV_WIN advanced = face(dlg, 3);
            RUV_WIN modes = ruvk_win_get_ctl(advanced, 3);
            ruvk_list_set_sel(modes, 6, TRUE);
            RUV_EVENT ev;
            std::memset(&ev, 0, sizeof ev);
            ev.type = E_CONTROL;
            ev.v.control.id = 3;
            ev.v.control.type = WC_LIST_BOX;
            ev.v.control.ctl = modes;
            ruvk_win_dispatch_event(advanced, &ev);
            press(advanced, 4);  // opaque text

            press(dlg, 1);
        });
        EXPECT_TRUE(ok);
        EXPECT_EQ(context, 32150);
        EXPECT_EQ(ruvv_win_get_help_ctx(), 0);
        EXPECT_EQ(tabs, (std::vector<std::string>{"PEN", "BRUSH", "COLOR", "ADVANCED"}));
        EXPECT_GE(pen_image, 0);
        for (const kt::Report &r : kt::reports())
            ADD_FAILURE() << "report " << std::hex << r.id << " " << r.text;
        EXPECT_EQ(filtered, "12");
        EXPECT_EQ(tools.pen.width, 12);
        EXPECT_EQ(tools.pen.style, 1);
        EXPECT_EQ(tools.pen.color & 0xFFFFFFu, 0xFF0000u);
        EXPECT_EQ(tools.brush.pattern, 7);
        EXPECT_EQ(tools.back & 0xFFFFFFu, 0u);
        EXPECT_EQ(tools.fore, kBlack);
        EXPECT_EQ(tools.draw_mode, 6);
        EXPECT_EQ(tools.opaque, 1);
    });
}

TEST(DrawingToolsDialog, CancelAndClosingLeaveTheToolsAlone)
{
    in_application([] {
        struct Case {
            const char *what;
            std::function<void(RUV_WIN)> end;
        };
        const Case cases[] = {
            {"cancel", [](RUV_WIN dlg) { press(dlg, 2); }},
            {"close", [](RUV_WIN dlg) { SendMessageA(kt::hwnd_of(dlg), WM_CLOSE, 0, 0); }},
        };
        for (const Case &c : cases) {
            RUV_DRAW_CTOOLS tools = kStart;
            RUV_BOOL ok = run_dialog(&tools, 0xFF, [&](RUV_WIN dlg) {
                RUV_WIN pen = face(dlg, 0);
                ruvk_vobj_set_title(ruvk_win_get_ctl(pen, 2), "7");
                click(pen, 246, 174);
                c.end(dlg);
            });
            EXPECT_FALSE(ok) << c.what;
            EXPECT_TRUE(same(tools, kStart)) << c.what;
        }
    });
}

TEST(DrawingToolsDialog, WidthsZeroAndTooHighAreRefused)
{
    in_application([] {
        struct Case {
            const char *typed;
            RUV_ERRMSG_ID error;
        };
        const Case cases[] = {{"0", 0x01250001}, {"32768", 0x01250003}, {"99999999", 0x01250003}};
        RUV_DRAW_CTOOLS tools = kStart;
        std::vector<std::string> after;
        std::vector<bool> open, selected;
        std::vector<RUV_ERRMSG_ID> errors;
        RUV_BOOL ok = run_dialog(&tools, 0xFF, [&](RUV_WIN dlg) {
            RUV_WIN width = ruvk_win_get_ctl(face(dlg, 0), 2);
            for (const Case &c : cases) {
                kt::reports().clear();
                ruvk_vobj_set_title(width, c.typed);
                press(dlg, 1);
                open.push_back(IsWindow(kt::hwnd_of(dlg)) != 0);
                errors.push_back(kt::reports().empty() ? 0 : kt::reports()[0].id);
                after.push_back(text_of(width));
                DWORD first = 9, last = 0;
                SendMessageA(kt::hwnd_of(width), EM_GETSEL, reinterpret_cast<WPARAM>(&first),
                             reinterpret_cast<LPARAM>(&last));
                selected.push_back(first == 0 && last == 1);
            }
            ruvk_vobj_set_title(width, "40");
            press(dlg, 1);
        });
        for (size_t i = 0; i < std::size(cases); ++i) {
            EXPECT_TRUE(open[i]) << cases[i].typed;
            EXPECT_EQ(errors[i], cases[i].error) << cases[i].typed;
            EXPECT_EQ(after[i], "1") << cases[i].typed;
            EXPECT_TRUE(selected[i]) << cases[i].typed;
        }
        EXPECT_TRUE(ok);
        EXPECT_EQ(tools.pen.width, 40);
    });
}

TEST(DrawingToolsDialog, ThePagesFollowThePartsAskedFor)
{
    in_application([] {
        struct Case {
            int32_t parts;
            std::vector<std::string> tabs;
        };
        const Case cases[] = {
            {0x01, {"PEN"}},
            {0x02, {"PEN"}},
            {0x04, {"BRUSH"}},
            {0x08, {"COLOR"}},
            {0x40, {"ADVANCED"}},
            {0x80, {"PEN", "BRUSH", "COLOR", "ADVANCED"}},
        };
        for (const Case &c : cases) {
            RUV_DRAW_CTOOLS tools = kStart;
            std::vector<std::string> tabs;
            bool style_enabled = false;
            std::string fore_label = "?", back_label = "?";
            run_dialog(&tools, c.parts, [&](RUV_WIN dlg) {
                tabs = tab_titles(dlg);
                RUV_WIN first = face(dlg, 0);
                if (RUV_WIN style = ruvk_win_get_ctl(first, 12))
                    style_enabled = IsWindowEnabled(kt::hwnd_of(style)) != 0;
                if (c.parts == 0x08) {
                    fore_label = text_of(ruvk_win_get_ctl(first, 2));
                    back_label = text_of(ruvk_win_get_ctl(first, 3));
                }
            });
            EXPECT_EQ(tabs, c.tabs) << c.parts;
            if (c.parts == 0x01) {
                EXPECT_FALSE(style_enabled);
            }
            if (c.parts == 0x02) {
                EXPECT_TRUE(style_enabled);
            }
            if (c.parts == 0x08) {
                EXPECT_EQ(fore_label, "Foreground");
                EXPECT_EQ(back_label, "");
            }
        }
    });
}

TEST(DrawingToolsDialog, AWindowThatCannotBeMadeIsReported)
{
    kt::ModalGuard guard({{"Can't open window", 0}});
    in_application([] {
        RUV_DRAW_CTOOLS tools = kStart;
        cw::RefusingMem::armed() = sizeof(RUV_VOBJ);
        RUV_BOOL ok = ruvv_dm_post_ctools_sel(&tools, 0xFF);
        cw::RefusingMem::armed() = 0;
        EXPECT_FALSE(ok);
        EXPECT_TRUE(same(tools, kStart));
        EXPECT_EQ(ruvv_win_get_help_ctx(), 0);
    });
}

} // namespace
