// Drawing functions on real windows: drawing from a window's own E_UPDATE
// handler while invalidation there is refused, reversed rectangles drawn
// ordered with one warning (the caller's rectangle kept), empty ones drawn
// as nothing, the font-text getters' buffer rules, the standard pen and
// brush fallbacks and the update question inside and outside an update.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "draw_primitives.h"
#include "pixmaps.h"
#include "dwin_pixels.h"
#include "front_fixture.h"
#include "ruv.h"
#include "ruvv_attr.h"
#include "ruvv_event.h"
#include "ruvv_image.h"
#include "window_create.h"

using namespace ruvf_test;

namespace {

constexpr int X0 = 170, Y0 = 10, X1 = 280, Y1 = 180;

int red_in(Ctx &c, int x0, int y0, int x1, int y1)
{
    return Pixels(c.hwnd(Obj::Doc)).count(PX_RED, x0, y0, x1, y1);
}

std::string reports_text(const std::vector<Report> &reports)
{
    std::string s;
    char line[160];
    for (const Report &r : reports) {
        std::snprintf(line, sizeof line, "[sev %d id 0x%08x api '%s' %s:%d] ", r.severity, static_cast<unsigned>(r.id),
                      r.api.c_str(), r.file.c_str(), r.line);
        s += line;
    }
    return s;
}

size_t count_id(Recorder &rec, RUV_ERRMSG_ID id)
{
    size_t n = 0;
    for (const Report &r : rec.reports())
        n += r.id == id;
    return n;
}

// ---- drawing from the window's own update ----

struct UpdateRun {
    bool ran = false;
    std::vector<Report> reports;
    std::function<void(RUV_WIN)> body;
};
UpdateRun *g_run = nullptr;

int32_t paint_handler(RUV_WIN win, RUV_EVENT *e)
{
    if (e->type != E_UPDATE || !g_run || g_run->ran)
        return 0;
    g_run->ran = true;
    Recorder rec;
    g_run->body(win);
    g_run->reports = rec.reports();
    return 0;
}

// A visible window of its own whose next E_UPDATE runs body; its pixels
// afterwards.
struct Painted {
    RUV_WIN win = NULL_WIN;
    HWND hwnd = nullptr;
    Painted()
    {
        RUV_RECT r = rc(420, 300, 720, 500);
        win = ruvk_win_create(1, &r, "Painted", 0, reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW)), 0x803,
                              RUV_EVENT_MASK_ALL, paint_handler, nullptr);
        hwnd = win ? static_cast<HWND>(win->native) : nullptr;
        pump(30);
    }
    ~Painted()
    {
        if (win)
            ruvk_vobj_destroy(win);
        pump(10);
    }
    UpdateRun run(std::function<void(RUV_WIN)> body)
    {
        UpdateRun u;
        u.body = std::move(body);
        g_run = &u;
        fill_client(hwnd);
        InvalidateRect(hwnd, nullptr, FALSE);
        UpdateWindow(hwnd);
        g_run = nullptr;
        return u;
    }
};

TEST(DrawingInUpdate, ShapesAndTextDrawWhileInvalidationIsRefused)
{
    in_app([] {
        Painted p;
        ASSERT_TRUE(p.win);
        UpdateRun u = p.run([](RUV_WIN w) {
            red_tools(w);
            RUV_RECT r = rc(10, 10, 60, 60);
            ruv_dwin_draw_rect(w, &r);
            ruv_dwin_draw_set_pos(w, pt(80, 20));
            ruv_dwin_draw_line(w, pt(180, 20));
            ruv_dwin_set_fore_color(w, T_BLUE);
            ruv_dwin_draw_text(w, 80, 80, "WWWW", -1);
            // Refused here: nothing is invalidated, scrolled or updated.
            ruv_dwin_invalidate_rect(w, nullptr);
            RUV_RECT s = rc(10, 10, 60, 60);
            ruv_dwin_scroll_rect(w, &s, 0, 30);
            ruv_dwin_update(w);
        });
        ASSERT_TRUE(u.ran) << "no E_UPDATE reached the window";
        ASSERT_EQ(u.reports.size(), 3u);
        const char *refused[] = { "ruv_dwin_invalidate_rect", "ruv_dwin_scroll_rect", "ruv_dwin_update" };
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(u.reports[i].id, 0x01610001u);
            EXPECT_EQ(u.reports[i].innermost(), refused[i]);
            EXPECT_EQ(u.reports[i].file, "tdwin");
        }
        EXPECT_EQ(GetUpdateRect(p.hwnd, nullptr, FALSE), FALSE) << "the refused invalidation went through";
        Pixels px(p.hwnd);
        EXPECT_EQ(px.count(PX_RED, 10, 10, 60, 60), 50 * 50) << "the rectangle";
        EXPECT_EQ(px.count(PX_RED, 80, 20, 180, 21), 100) << "the line";
        EXPECT_GT(px.count(PX_BLUE, 80, 60, 200, 90), 0) << "the text";
        // The scroll was refused: the square did not move down.
        EXPECT_EQ(px.count(PX_RED, 10, 60, 60, 90), 0);
    });
}

TEST(DrawingInUpdate, UpdateQuestionAnswersOnlyInsideAnUpdate)
{
    in_app([] {
        Ctx c;
        c.get(Obj::Doc); // made before the recorder: class registration may warn
        Recorder rec;
        RUV_RECT r = rc(0, 0, 50, 50);
        EXPECT_FALSE(ruv_dwin_is_update_needed(c.get(Obj::Doc), &r));
        EXPECT_FALSE(ruv_dwin_is_update_needed(c.get(Obj::Doc), nullptr)) << "outside an update the rectangle is not looked at";
        EXPECT_TRUE(rec.reports().empty()) << reports_text(rec.reports());

        Painted p;
        RUV_BOOL inside = FALSE, outside = TRUE, null_rect = TRUE;
        UpdateRun u = p.run([&](RUV_WIN w) {
            RUV_RECT in = rc(10, 10, 40, 40), out = rc(5000, 5000, 5100, 5100);
            inside = ruv_dwin_is_update_needed(w, &in);
            outside = ruv_dwin_is_update_needed(w, &out);
            null_rect = ruv_dwin_is_update_needed(w, nullptr);
        });
        ASSERT_TRUE(u.ran);
        EXPECT_TRUE(inside);
        EXPECT_FALSE(outside);
        EXPECT_FALSE(null_rect);
        ASSERT_EQ(u.reports.size(), 1u);
        EXPECT_EQ(u.reports[0].id, 0x00210000u);
    });
}

// ---- rectangles ----

struct ShapeCase {
    const char *name;
    std::function<void(RUV_WIN, const RUV_RECT *)> draw;
};

const ShapeCase kShapes[] = {
    { "rect", [](RUV_WIN w, const RUV_RECT *r) { ruv_dwin_draw_rect(w, r); } },
    { "oval", [](RUV_WIN w, const RUV_RECT *r) { ruv_dwin_draw_oval(w, r); } },
    { "roundrect", [](RUV_WIN w, const RUV_RECT *r) { ruv_dwin_draw_roundrect(w, r, 10, 10); } },
    { "pie", [](RUV_WIN w, const RUV_RECT *r) { ruv_dwin_draw_pie(w, r, X1, Y0, X0, Y1); } },
    { "arc", [](RUV_WIN w, const RUV_RECT *r) { ruv_dwin_draw_arc(w, r, X1, Y0, X0, Y1); } },
};

TEST(Rectangles, ReversedOnesDrawOrderedWithOneWarningAndStayAsGiven)
{
    in_app([] {
        for (const ShapeCase &s : kShapes) {
            SCOPED_TRACE(s.name);
            Ctx c;
            c.get(Obj::Doc);
            Recorder rec;
            // Left and right swapped, and top and bottom swapped.
            for (RUV_RECT given : { rc(X1 - 10, Y0 + 10, X0 + 10, Y1 - 10), rc(X0 + 10, Y1 - 10, X1 - 10, Y0 + 10) }) {
                RUV_RECT copy = given;
                RUV_WIN w = canvas(c);
                rec.clear();
                s.draw(w, &given);
                EXPECT_EQ(std::memcmp(&copy, &given, sizeof given), 0) << "the caller's rectangle changed";
                ASSERT_EQ(rec.reports().size(), 1u);
                EXPECT_EQ(rec.reports()[0].id, 0x01240003u);
                EXPECT_EQ(rec.reports()[0].severity, RUV_SEV_WARNING);
                EXPECT_GT(red_in(c, X0 + 10, Y0 + 10, X1 - 10, Y1 - 10), 0) << "nothing drawn";
                EXPECT_EQ(red_in(c, 0, 0, X0, Y1), 0) << "drawn outside the ordered rectangle";
            }
        }
    });
}

TEST(Rectangles, EmptyOnesDrawNothingAndRaiseNothing)
{
    in_app([] {
        for (const ShapeCase &s : kShapes) {
            SCOPED_TRACE(s.name);
            Ctx c;
            c.get(Obj::Doc);
            Recorder rec;
            for (RUV_RECT empty : { rc(X0, Y0, X0, Y1), rc(X0, Y0, X1, Y0), rc(X1, Y1, X1, Y0) }) {
                RUV_WIN w = canvas(c);
                s.draw(w, &empty);
                EXPECT_EQ(red_in(c, 0, 0, X1 + 10, Y1 + 10), 0);
            }
            EXPECT_TRUE(rec.reports().empty()) << reports_text(rec.reports());
        }
        // Invalidation and scrolling: an empty rectangle does nothing either.
        Ctx c;
        c.get(Obj::Doc);
        Recorder rec;
        RUV_WIN w = canvas(c);
        RUV_RECT empty = rc(X0, Y0, X0, Y1);
        ruv_dwin_invalidate_rect(w, &empty);
        EXPECT_EQ(GetUpdateRect(c.hwnd(Obj::Doc), nullptr, FALSE), FALSE);
        ruv_dwin_scroll_rect(w, &empty, 0, 10);
        EXPECT_TRUE(rec.reports().empty());
    });
}

TEST(Rectangles, ReversedInvalidationAndClipAreOrdered)
{
    in_app([] {
        Ctx c;
        RUV_WIN w = canvas(c);
        Recorder rec;
        RUV_RECT given = rc(60, 50, 20, 10), copy = given;
        ruv_dwin_invalidate_rect(w, &given);
        RECT u{};
        GetUpdateRect(c.hwnd(Obj::Doc), &u, FALSE);
        EXPECT_EQ(u.left, 20);
        EXPECT_EQ(u.top, 10);
        EXPECT_EQ(u.right, 60);
        EXPECT_EQ(u.bottom, 50);
        ruv_dwin_set_clip(w, &given);
        RUV_RECT clip{};
        ASSERT_TRUE(ruv_dwin_get_clip(w, &clip));
        EXPECT_EQ(clip.left, 20);
        EXPECT_EQ(clip.right, 60);
        EXPECT_EQ(std::memcmp(&copy, &given, sizeof given), 0);
        EXPECT_EQ(count_id(rec, 0x01240003), 2u);
        // No rectangle lifts the clipping; an empty one is kept as it is.
        rec.clear();
        RUV_RECT empty = rc(5, 5, 5, 9);
        ruv_dwin_set_clip(w, &empty);
        ruv_dwin_get_clip(w, &clip);
        EXPECT_EQ(clip.left, 5);
        EXPECT_EQ(clip.right, 5);
        ruv_dwin_set_clip(w, nullptr);
        EXPECT_TRUE(rec.reports().empty());
    });
}

// ---- images and pixmaps ----------------------------------------------------

TEST(ImagesAndPixmaps, EachReversedRectangleIsOrderedWithItsOwnWarning)
{
    in_app([] {
        Ctx c;
        RUV_WIN w = canvas(c);
        RUV_WIN pm = ruvk_pmap_create(w, 1, 20, 20);
        ASSERT_TRUE(pm);
        red_tools(pm);
        RUV_RECT all = rc(0, 0, 20, 20);
        ruvk_dwin_draw_rect(pm, &all);
        RUV_IMAGE *img = ruvv_image_create(RUV_IMAGE_DIRECT, 20, 20);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                reinterpret_cast<RUV_COLOR *>(img->pixels + y * img->stride)[x] = 0x000000FFu;
        Recorder rec;
        const RUV_RECT src_given = rc(20, 20, 0, 0), src_copy = src_given;
        const RUV_RECT dst_given = rc(X0 + 40, Y0 + 40, X0, Y0), dst_copy = dst_given;

        ruv_dwin_draw_pmap(w, pm, &dst_given, &src_given);
        EXPECT_EQ(count_id(rec, 0x01240003), 2u) << reports_text(rec.reports());
        EXPECT_EQ(rec.errors(), 0u);
        EXPECT_EQ(red_in(c, X0, Y0, X0 + 40, Y0 + 40), 40 * 40);

        rec.clear();
        RUV_RECT img_dst = rc(X0 + 80, Y0 + 40, X0 + 40, Y0);
        ruv_dwin_draw_image(w, img, &img_dst, &src_given);
        EXPECT_EQ(count_id(rec, 0x01240003), 2u) << reports_text(rec.reports());
        EXPECT_EQ(Pixels(c.hwnd(Obj::Doc)).count(PX_BLUE, X0 + 40, Y0, X0 + 80, Y0 + 40), 40 * 40);
        EXPECT_EQ(std::memcmp(&src_given, &src_copy, sizeof src_copy), 0);
        EXPECT_EQ(std::memcmp(&dst_given, &dst_copy, sizeof dst_copy), 0);

        // An empty source is an error and draws nothing; an empty
        // destination is silent.
        fill_client(c.hwnd(Obj::Doc));
        rec.clear();
        RUV_RECT empty_src = rc(3, 3, 3, 20), dst = rc(X0, Y0, X0 + 40, Y0 + 40), empty_dst = rc(X0, Y0, X0, Y0 + 40);
        ruv_dwin_draw_pmap(w, pm, &dst, &empty_src);
        ruv_dwin_draw_image(w, img, &dst, &empty_src);
        ASSERT_EQ(rec.reports().size(), 2u);
        for (const Report &r : rec.reports()) {
            EXPECT_EQ(r.id, 0x01240003u);
            EXPECT_EQ(r.severity, RUV_SEV_ERROR);
        }
        rec.clear();
        ruv_dwin_draw_pmap(w, pm, &empty_dst, &all);
        ruv_dwin_draw_image(w, img, &empty_dst, &all);
        EXPECT_TRUE(rec.reports().empty());
        EXPECT_EQ(red_in(c, 0, 0, X1, Y1), 0);
        EXPECT_EQ(Pixels(c.hwnd(Obj::Doc)).count(PX_BLUE), 0);

        // A destroyed pixmap is refused before its record is read.
        ruvk_vobj_destroy(pm);
        rec.clear();
        ruv_dwin_draw_pmap(w, pm, &dst, &all);
        ASSERT_EQ(rec.reports().size(), 1u);
        EXPECT_EQ(rec.reports()[0].id, 0x01220006u);
        ruvv_image_destroy(img);
    });
}

// ---- font texts into the caller's buffer ----

TEST(FontTexts, BufferRules)
{
    in_app([] {
        Ctx c;
        RUV_WIN w = c.get(Obj::Doc);
        c.get(Obj::Button);
        Recorder rec;
        ruv_dwin_set_font_family(w, "Courier New");
        const size_t len = std::strlen("Courier New");
        char buf[64];

        // Exactly as long as the name: no room for the terminator.
        std::memset(buf, 'x', sizeof buf);
        EXPECT_FALSE(ruv_dwin_get_font_family(w, buf, static_cast<int32_t>(len)));
        EXPECT_EQ(buf[0], '\0');
        ASSERT_EQ(rec.reports().size(), 1u) << reports_text(rec.reports());
        EXPECT_EQ(rec.reports()[0].id, 0x01260003u);

        // Sizes of 0 and below write nothing at all.
        for (int32_t size : { 0, -1 }) {
            rec.clear();
            std::memset(buf, 'x', sizeof buf);
            EXPECT_FALSE(ruv_dwin_get_font_family(w, buf, size));
            EXPECT_FALSE(ruv_dwin_get_font_family_mapped(w, buf, size));
            EXPECT_FALSE(ruv_dwin_get_font_native_desc(w, buf, size));
            EXPECT_EQ(buf[0], 'x') << "size " << size;
            EXPECT_EQ(count_id(rec, 0x01260003), 3u);
        }

        // A bad window leaves an empty string in a buffer that has room.
        rec.clear();
        std::memset(buf, 'x', sizeof buf);
        EXPECT_FALSE(ruv_dwin_get_font_family(c.get(Obj::Button), buf, sizeof buf));
        EXPECT_EQ(buf[0], '\0');
        EXPECT_EQ(rec.reports().at(0).id, 0x01230001u);

        // One byte more is enough.
        rec.clear();
        EXPECT_TRUE(ruv_dwin_get_font_family(w, buf, static_cast<int32_t>(len + 1)));
        EXPECT_STREQ(buf, "Courier New");
        EXPECT_TRUE(ruv_dwin_get_font_family_mapped(w, buf, sizeof buf));
        EXPECT_NE(buf[0], '\0');
        EXPECT_TRUE(rec.reports().empty());
    });
}

// ---- standard pens and brushes ----

TEST(StandardTools, CodesOutsideTheSetWarnAndUseTheFirst)
{
    in_app([] {
        Ctx c;
        RUV_WIN w = c.get(Obj::Doc);
        Recorder rec;
        RUV_DRAW_CTOOLS one{}, got{};
        ruv_dwin_set_std_cpen(w, 1);
        ruv_dwin_set_std_cbrush(w, 1);
        ruv_dwin_get_draw_ctools(w, &one);
        for (int32_t code : { 0, 5, 7, -1 }) {
            ruv_dwin_set_std_cpen(w, 4);
            rec.clear();
            ruv_dwin_set_std_cpen(w, code);
            ruv_dwin_get_draw_ctools(w, &got);
            EXPECT_EQ(std::memcmp(&got.pen, &one.pen, sizeof got.pen), 0) << "pen " << code;
            ASSERT_EQ(rec.reports().size(), 1u);
            EXPECT_EQ(rec.reports()[0].id, 0x01250001u);
            EXPECT_EQ(rec.reports()[0].severity, RUV_SEV_WARNING);
            EXPECT_EQ(rec.reports()[0].req, nullptr) << "a pen names no request object";
        }
        for (int32_t code : { 2, -1 }) {
            ruv_dwin_set_std_cbrush(w, 0);
            rec.clear();
            ruv_dwin_set_std_cbrush(w, code);
            ruv_dwin_get_draw_ctools(w, &got);
            EXPECT_EQ(std::memcmp(&got.brush, &one.brush, sizeof got.brush), 0) << "brush " << code;
            ASSERT_EQ(rec.reports().size(), 1u);
            EXPECT_EQ(rec.reports()[0].severity, RUV_SEV_WARNING);
            EXPECT_EQ(rec.reports()[0].req, w) << "a brush names its window";
        }
    });
}

// ---- what is no drawing window ----

TEST(DrawingWindows, ControlsScreenAndTextEditsAreRefused)
{
    in_app([] {
        Ctx c;
        for (Obj o : { Obj::Button, Obj::Edit, Obj::Screen, Obj::Child })
            c.get(o);
        Recorder rec;
        for (Obj o : { Obj::Button, Obj::Edit, Obj::Screen }) {
            rec.clear();
            RUV_RECT r = rc(0, 0, 10, 10);
            ruv_dwin_draw_rect(c.get(o), &r);
            ASSERT_EQ(rec.reports().size(), 1u) << reports_text(rec.reports());
            EXPECT_EQ(rec.reports()[0].id, 0x01230001u);
        }
        // Metrics ask only for a window that is no text edit.
        rec.clear();
        int32_t l = -1, a = -1, d = -1;
        ruv_dwin_get_font_metrics(c.get(Obj::Button), &l, &a, &d);
        EXPECT_TRUE(rec.reports().empty());
        EXPECT_GT(a, 0);
        // A child window can be invalidated.
        rec.clear();
        ruv_dwin_invalidate_rect(c.get(Obj::Child), nullptr);
        EXPECT_TRUE(rec.reports().empty());

        // A child window the kernel marks as a text edit is refused by
        // every member, the metrics too, and nothing is drawn on it.
        RUV_WIN te = c.get(Obj::Child);
        te->kind |= 0x2000u;
        fill_client(c.hwnd(Obj::Child));
        red_tools(te);
        rec.clear();
        RUV_RECT r = rc(0, 0, 40, 40);
        ruv_dwin_draw_rect(te, &r);
        ruv_dwin_invalidate_rect(te, nullptr);
        ruv_dwin_get_font_metrics(te, &l, &a, &d);
        te->kind &= ~0x2000u;
        ASSERT_EQ(rec.reports().size(), 3u) << reports_text(rec.reports());
        for (const Report &rep : rec.reports())
            EXPECT_EQ(rep.id, 0x01230001u) << rep.innermost();
        EXPECT_EQ(Pixels(c.hwnd(Obj::Child)).count(PX_RED), 0);
    });
}

} // namespace
