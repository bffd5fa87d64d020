// Conformance rows of the drawing functions: each member's window probes
// (a push button is no drawing window), its NULL arguments and values, and
// a valid call on the document window read back as pixels or through the
// drawing state.
#include <cstring>

#include "conformance.h"
#include "draw_primitives.h"
#include "draw_state.h"
#include "dwin_pixels.h"
#include "pixmaps.h"
#include "ruvv_font.h"
#include "ruvv_image.h"

using namespace ruvf_test;

namespace {

// The icon of rows_tdwin.rc.
constexpr int32_t kIcon = 4104;

// Drawings go right of the document's controls.
constexpr int X0 = 170, Y0 = 10, X1 = 280, Y1 = 180;

// A valid call whose answer is its check.
bool answered_true(Ctx &, intptr_t result)
{
    return result != 0;
}

bool red_drawn(Ctx &c)
{
    return Pixels(c.hwnd(Obj::Doc)).count(PX_RED, X0, Y0, X1, Y1) > 0;
}

RUV_DRAW_CTOOLS tools_of(Ctx &c)
{
    RUV_DRAW_CTOOLS t{};
    ruv_dwin_get_draw_ctools(c.get(Obj::Doc), &t);
    return t;
}

const RUV_RECT kShape = rc(X0 + 10, Y0 + 10, X1 - 10, Y1 - 10);
const RUV_RECT kEmpty = rc(X0, Y0, X0, Y1);
const RUV_RECT kReversed = rc(X1 - 10, Y1 - 10, X0 + 10, Y0 + 10);
const RUV_POINT kPoly[] = { pt(X0 + 5, Y0 + 5), pt(X1 - 5, Y0 + 40), pt(X0 + 20, Y1 - 5) };

RUV_RECT shape()
{
    return kShape;
}

// A shape member: window probes, a NULL rectangle, the valid drawing.
Row shape_row(const char *name, void (*draw)(RUV_WIN, const RUV_RECT *))
{
    return Row{ name, "tdwin" }
        .draws()
        .window([draw](Ctx &, RUV_WIN w) { RUV_RECT r = shape(); draw(w, &r); return 0; })
        .refused_type(Obj::Button)
        .bad("NULL rectangle", 0x00210000, [draw](Ctx &c) { draw(c.get(Obj::Doc), nullptr); return 0; })
        .bad("reversed rectangle (warning, drawn ordered)", 0x01240003,
             [draw](Ctx &c) { draw(c.get(Obj::Doc), &kReversed); return 0; }, nullptr, RUV_SEV_WARNING)
        .bad("empty rectangle (nothing raised)", 0, [draw](Ctx &c) { draw(c.get(Obj::Doc), &kEmpty); return 0; })
        .valid([draw](Ctx &c) { RUV_RECT r = shape(); draw(canvas(c), &r); return 0; })
        .read_back(red_drawn);
}

// A member that takes only the window: probes and a valid call.
template <typename F>
Row window_row(const char *name, F f)
{
    return Row{ name, "tdwin" }
        .window([f](Ctx &, RUV_WIN w) { return R(f(w)); })
        .refused_type(Obj::Button)
        .valid([f](Ctx &c) { f(c.get(Obj::Doc)); return 0; });
}

void arc(RUV_WIN w, const RUV_RECT *r) { ruv_dwin_draw_arc(w, r, X1, Y0, X0, Y0); }
void pie(RUV_WIN w, const RUV_RECT *r) { ruv_dwin_draw_pie(w, r, X1, Y0, X0, Y0); }
void roundrect(RUV_WIN w, const RUV_RECT *r) { ruv_dwin_draw_roundrect(w, r, 12, 12); }

// Font-text getters: NULL buffer (before the window), size 0, too small.
Row font_text_row(const char *name, RUV_BOOL (*get)(RUV_WIN, char *, int32_t), bool never_empty)
{
    Row row = Row{ name, "tdwin" }
        .window([get](Ctx &, RUV_WIN w) { char b[64]; return R(get(w, b, sizeof b)); })
        .refused_type(Obj::Button)
        .bad("NULL buffer", 0x00210000, [get](Ctx &) { return R(get(NULL_WIN, nullptr, 64)); })
        .bad("size 0", 0x01260003, [get](Ctx &c) { char b[4] = "xyz"; return R(get(c.get(Obj::Doc), b, 0)); })
        .valid([get](Ctx &c) {
            RUV_WIN w = c.get(Obj::Doc);
            ruv_dwin_set_font_family(w, "Courier New");
            ruv_dwin_set_font_size(w, 12);
            char b[256];
            return R(get(w, b, sizeof b) != FALSE);
        })
        .check_result(answered_true);
    // A family always has a name: one byte is too small for it.
    if (never_empty)
        row.bad("one byte", 0x01260003, [get](Ctx &c) {
            ruv_dwin_set_font_family(c.get(Obj::Doc), "Courier New");
            char b[1];
            return R(get(c.get(Obj::Doc), b, 1));
        });
    return row;
}

// A red image of 20 x 20 pixels (the caller destroys it).
RUV_IMAGE *red_image()
{
    RUV_IMAGE *img = ruvv_image_create(RUV_IMAGE_DIRECT, 20, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            reinterpret_cast<RUV_COLOR *>(img->pixels + y * img->stride)[x] = 0x00FF0000u;
    return img;
}

// A pixmap of the document, 20 x 20, filled red.
RUV_WIN red_pixmap(Ctx &c)
{
    RUV_WIN pm = ruvk_pmap_create(c.get(Obj::Doc), 1, 20, 20);
    red_tools(pm);
    RUV_RECT all = rc(0, 0, 20, 20);
    ruvk_dwin_draw_rect(pm, &all);
    return pm;
}

// A picture of a red square recorded on the document (the caller destroys
// it).
HBITMAP red_picture(Ctx &c)
{
    RUV_WIN w = canvas(c);
    RUV_RECT r = rc(X0, Y0, X0 + 20, Y0 + 20);
    ruvk_dwin_open_pict(w, &r);
    ruvk_dwin_draw_rect(w, &r);
    return ruvk_dwin_close_pict(w);
}

const RUV_RECT kSrc = rc(0, 0, 20, 20);
const RUV_RECT kDst = rc(X0 + 40, Y0 + 40, X0 + 80, Y0 + 80);

bool red_at_dst(Ctx &c)
{
    return Pixels(c.hwnd(Obj::Doc)).count(PX_RED, X0 + 40, Y0 + 40, X0 + 80, Y0 + 80) == 40 * 40;
}

Rows rows{
    Row{ "ruv_dwin_clear", "tdwin" }
        .draws()
        .window([](Ctx &, RUV_WIN w) { ruv_dwin_clear(w, T_RED); return 0; })
        .refused_type(Obj::Button)
        .refused_type(Obj::Screen)
        .valid([](Ctx &c) { ruv_dwin_clear(canvas(c), T_RED); return 0; })
        .read_back(red_drawn),

    Row{ "ruv_dwin_draw_set_pos", "tdwin" }
        .window([](Ctx &, RUV_WIN w) { ruv_dwin_draw_set_pos(w, pt(X0, Y0)); return 0; })
        .refused_type(Obj::Button)
        .valid([](Ctx &c) {
            RUV_WIN w = canvas(c);
            ruv_dwin_draw_set_pos(w, pt(X0 + 5, Y0 + 5));
            ruvk_dwin_draw_line(w, pt(X1 - 5, Y1 - 5));
            return 0;
        })
        .read_back([](Ctx &c) { return Pixels(c.hwnd(Obj::Doc)).at(X0 + 5, Y0 + 5) == PX_RED; }),

    Row{ "ruv_dwin_draw_line", "tdwin" }
        .draws()
        .window([](Ctx &, RUV_WIN w) { ruv_dwin_draw_line(w, pt(X1, Y1)); return 0; })
        .refused_type(Obj::Button)
        .valid([](Ctx &c) {
            RUV_WIN w = canvas(c);
            ruvk_dwin_draw_set_pos(w, pt(X0 + 5, Y0 + 5));
            ruv_dwin_draw_line(w, pt(X1 - 5, Y1 - 5));
            return 0;
        })
        .read_back(red_drawn),

    Row{ "ruv_dwin_draw_aline", "tdwin" }
        .draws()
        .window([](Ctx &, RUV_WIN w) { ruv_dwin_draw_aline(w, pt(X1, Y1), 1, 1); return 0; })
        .refused_type(Obj::Button)
        .valid([](Ctx &c) {
            RUV_WIN w = canvas(c);
            ruvk_dwin_draw_set_pos(w, pt(X0 + 5, Y0 + 80));
            ruv_dwin_draw_aline(w, pt(X1 - 5, Y0 + 80), 0, 1);
            return 0;
        })
        .read_back(red_drawn),

    shape_row("ruv_dwin_draw_arc", arc),
    shape_row("ruv_dwin_draw_pie", pie),
    shape_row("ruv_dwin_draw_oval", ruv_dwin_draw_oval),
    shape_row("ruv_dwin_draw_rect", ruv_dwin_draw_rect),
    shape_row("ruv_dwin_draw_roundrect", roundrect),

    Row{ "ruv_dwin_draw_polyline", "tdwin" }
        .draws()
        .window([](Ctx &, RUV_WIN w) { ruv_dwin_draw_polyline(w, kPoly, 3); return 0; })
        .refused_type(Obj::Button)
        .bad("NULL points", 0x00210000, [](Ctx &c) { ruv_dwin_draw_polyline(c.get(Obj::Doc), nullptr, 3); return 0; })
        .valid([](Ctx &c) { ruv_dwin_draw_polyline(canvas(c), kPoly, 3); return 0; })
        .read_back(red_drawn),

    Row{ "ruv_dwin_draw_polygon", "tdwin" }
        .draws()
        .window([](Ctx &, RUV_WIN w) { ruv_dwin_draw_polygon(w, kPoly, 3); return 0; })
        .refused_type(Obj::Button)
        .bad("NULL points", 0x00210000, [](Ctx &c) { ruv_dwin_draw_polygon(c.get(Obj::Doc), nullptr, 3); return 0; })
        .valid([](Ctx &c) { ruv_dwin_draw_polygon(canvas(c), kPoly, 3); return 0; })
        .read_back(red_drawn),

    Row{ "ruv_dwin_draw_icon", "tdwin" }
        .draws()
        .window([](Ctx &, RUV_WIN w) { ruv_dwin_draw_icon(w, X0, Y0, kIcon); return 0; })
        .refused_type(Obj::Button)
        .valid([](Ctx &c) { ruv_dwin_draw_icon(canvas(c), X0, Y0, kIcon); return 0; })
        .read_back([](Ctx &c) {
            Pixels px(c.hwnd(Obj::Doc));
            return px.count(PX_WHITE, X0, Y0, X0 + 32, Y0 + 32) < 32 * 32;
        }),

    Row{ "ruv_dwin_draw_text", "tdwin" }
        .draws()
        .window([](Ctx &, RUV_WIN w) { ruv_dwin_draw_text(w, X0, Y0 + 40, "Text", -1); return 0; })
        .refused_type(Obj::Button)
        .bad("NULL text", 0x00210000, [](Ctx &c) { ruv_dwin_draw_text(c.get(Obj::Doc), X0, Y0, nullptr, -1); return 0; })
        .valid([](Ctx &c) {
            RUV_WIN w = canvas(c);
            ruv_dwin_set_fore_color(w, T_RED);
            ruv_dwin_draw_text(w, X0 + 5, Y0 + 40, "WWWW", -1);
            return 0;
        })
        .read_back(red_drawn),

    Row{ "ruv_dwin_draw_image", "tdwin" }
        .draws()
        .window([](Ctx &, RUV_WIN w) {
            RUV_IMAGE *img = red_image();
            ruv_dwin_draw_image(w, img, &kDst, &kSrc);
            ruvv_image_destroy(img);
            return 0;
        })
        .refused_type(Obj::Button)
        .bad("NULL image", 0x01210007, [](Ctx &c) { ruv_dwin_draw_image(c.get(Obj::Doc), nullptr, &kDst, &kSrc); return 0; })
        .bad("a record that is no image", 0x01220007, [](Ctx &c) {
            RUV_IMAGE bogus{};
            ruv_dwin_draw_image(c.get(Obj::Doc), &bogus, &kDst, &kSrc);
            return 0;
        })
        .bad("NULL destination", 0x00210000, [](Ctx &c) {
            RUV_IMAGE *img = red_image();
            ruv_dwin_draw_image(c.get(Obj::Doc), img, nullptr, &kSrc);
            ruvv_image_destroy(img);
            return 0;
        })
        .bad("NULL source", 0x00210000, [](Ctx &c) {
            RUV_IMAGE *img = red_image();
            ruv_dwin_draw_image(c.get(Obj::Doc), img, &kDst, nullptr);
            ruvv_image_destroy(img);
            return 0;
        })
        .bad("empty source", 0x01240003, [](Ctx &c) {
            RUV_IMAGE *img = red_image();
            RUV_RECT empty = rc(0, 0, 0, 20);
            ruv_dwin_draw_image(c.get(Obj::Doc), img, &kDst, &empty);
            ruvv_image_destroy(img);
            return 0;
        })
        .bad("empty destination (nothing raised)", 0, [](Ctx &c) {
            RUV_IMAGE *img = red_image();
            RUV_RECT empty = rc(X0, Y0, X1, Y0);
            ruv_dwin_draw_image(c.get(Obj::Doc), img, &empty, nullptr);
            ruvv_image_destroy(img);
            return 0;
        })
        .valid([](Ctx &c) {
            RUV_IMAGE *img = red_image();
            ruv_dwin_draw_image(canvas(c), img, &kDst, &kSrc);
            ruvv_image_destroy(img);
            return 0;
        })
        .read_back(red_at_dst),

    Row{ "ruv_dwin_draw_pmap", "tdwin" }
        .draws()
        .window([](Ctx &c, RUV_WIN w) { ruv_dwin_draw_pmap(w, red_pixmap(c), &kDst, &kSrc); return 0; })
        .refused_type(Obj::Button)
        .bad("NULL pixmap", 0x01210006, [](Ctx &c) { ruv_dwin_draw_pmap(c.get(Obj::Doc), nullptr, &kDst, &kSrc); return 0; })
        .bad("a window that is no pixmap", 0x01220006,
             [](Ctx &c) { ruv_dwin_draw_pmap(c.get(Obj::Doc), c.get(Obj::Child), &kDst, &kSrc); return 0; })
        .bad("a foreign record", 0x01220006,
             [](Ctx &c) { ruv_dwin_draw_pmap(c.get(Obj::Doc), c.foreign(), &kDst, &kSrc); return 0; })
        .bad("NULL destination", 0x00210000,
             [](Ctx &c) { ruv_dwin_draw_pmap(c.get(Obj::Doc), red_pixmap(c), nullptr, &kSrc); return 0; })
        .bad("NULL source", 0x00210000,
             [](Ctx &c) { ruv_dwin_draw_pmap(c.get(Obj::Doc), red_pixmap(c), &kDst, nullptr); return 0; })
        .bad("empty source", 0x01240003, [](Ctx &c) {
            RUV_RECT empty = rc(5, 5, 5, 5);
            ruv_dwin_draw_pmap(c.get(Obj::Doc), red_pixmap(c), &kDst, &empty);
            return 0;
        })
        .valid([](Ctx &c) { RUV_WIN pm = red_pixmap(c); ruv_dwin_draw_pmap(canvas(c), pm, &kDst, &kSrc); return 0; })
        .read_back(red_at_dst),

    Row{ "ruv_dwin_open_pict", "tdwin" }
        .failure(FALSE)
        .window([](Ctx &, RUV_WIN w) {
            RUV_RECT r = rc(0, 0, 20, 20);
            RUV_BOOL ok = ruv_dwin_open_pict(w, &r);
            if (ok)
                ruvk_pict_destroy(ruvk_dwin_close_pict(w));
            return R(ok);
        })
        .refused_type(Obj::Button)
        .bad("NULL rectangle", 0x00210000, [](Ctx &c) { return R(ruv_dwin_open_pict(c.get(Obj::Doc), nullptr)); })
        .bad("reversed rectangle (warning, recorded ordered)", 0x01240003,
             [](Ctx &c) {
                 RUV_WIN w = c.get(Obj::Doc);
                 RUV_BOOL ok = ruv_dwin_open_pict(w, &kReversed);
                 ruvk_pict_destroy(ruvk_dwin_close_pict(w));
                 return R(ok);
             },
             nullptr, RUV_SEV_WARNING)
        .bad("a pixmap", 0x01230001, [](Ctx &c) { RUV_RECT r = rc(0, 0, 5, 5); return R(ruv_dwin_open_pict(red_pixmap(c), &r)); })
        .valid([](Ctx &c) {
            RUV_WIN w = canvas(c);
            RUV_RECT r = rc(X0, Y0, X0 + 20, Y0 + 20);
            RUV_BOOL ok = ruv_dwin_open_pict(w, &r);
            ruvk_dwin_draw_rect(w, &r);
            HBITMAP p = ruvk_dwin_close_pict(w);
            ruvk_pict_destroy(p);
            // Recorded, not drawn on the window.
            return R(ok && p && Pixels(c.hwnd(Obj::Doc)).count(PX_RED) == 0);
        })
        .check_result(answered_true),

    Row{ "ruv_dwin_close_pict", "tdwin" }
        .window([](Ctx &, RUV_WIN w) { return R(ruv_dwin_close_pict(w)); })
        .refused_type(Obj::Button)
        .bad("a pixmap", 0x01230001, [](Ctx &c) { return R(ruv_dwin_close_pict(red_pixmap(c))); })
        .valid([](Ctx &c) {
            RUV_WIN w = canvas(c);
            RUV_RECT r = rc(X0, Y0, X0 + 30, Y0 + 10);
            ruvk_dwin_open_pict(w, &r);
            HBITMAP p = ruv_dwin_close_pict(w);
            BITMAP bm{};
            bool ok = p && GetObjectA(p, sizeof bm, &bm) && bm.bmWidth == 30 && bm.bmHeight == 10;
            ruvk_pict_destroy(p);
            return R(ok);
        })
        .check_result(answered_true),

    Row{ "ruv_dwin_draw_pict", "tdwin" }
        .draws()
        .window([](Ctx &c, RUV_WIN w) {
            HBITMAP p = red_picture(c);
            ruv_dwin_draw_pict(w, p, &kDst);
            ruvk_pict_destroy(p);
            return 0;
        })
        .refused_type(Obj::Button)
        .bad("NULL rectangle", 0x00210000, [](Ctx &c) {
            HBITMAP p = red_picture(c);
            ruv_dwin_draw_pict(c.get(Obj::Doc), p, nullptr);
            ruvk_pict_destroy(p);
            return 0;
        })
        .valid([](Ctx &c) {
            HBITMAP p = red_picture(c);
            ruv_dwin_draw_pict(c.get(Obj::Doc), p, &kDst);
            ruvk_pict_destroy(p);
            return 0;
        })
        .read_back(red_at_dst),

    Row{ "ruv_dwin_get_clip", "tdwin" }
        .failure(FALSE)
        .window([](Ctx &, RUV_WIN w) { RUV_RECT r; return R(ruv_dwin_get_clip(w, &r)); })
        .refused_type(Obj::Button)
        .bad("NULL destination", 0x00210000, [](Ctx &c) { return R(ruv_dwin_get_clip(c.get(Obj::Doc), nullptr)); })
        .valid([](Ctx &c) {
            RUV_RECT r = rc(1, 2, 3, 4);
            ruv_dwin_set_clip(c.get(Obj::Doc), &r);
            RUV_RECT got{};
            return R(ruv_dwin_get_clip(c.get(Obj::Doc), &got) && std::memcmp(&got, &r, sizeof r) == 0);
        })
        .check_result(answered_true),

    Row{ "ruv_dwin_set_clip", "tdwin" }
        .window([](Ctx &, RUV_WIN w) { ruv_dwin_set_clip(w, nullptr); return 0; })
        .refused_type(Obj::Button)
        .bad("reversed rectangle", 0x01240003,
             [](Ctx &c) { RUV_RECT r = rc(50, 60, 10, 20); ruv_dwin_set_clip(c.get(Obj::Doc), &r); return 0; }, nullptr,
             RUV_SEV_WARNING)
        .valid([](Ctx &c) { RUV_RECT r = rc(10, 20, 50, 60); ruv_dwin_set_clip(c.get(Obj::Doc), &r); return 0; })
        .read_back([](Ctx &c) {
            RUV_RECT got{};
            ruvk_dwin_get_clip(c.get(Obj::Doc), &got);
            return got.left == 10 && got.top == 20 && got.right == 50 && got.bottom == 60;
        }),

    Row{ "ruv_dwin_get_draw_ctools", "tdwin" }
        .window([](Ctx &, RUV_WIN w) { RUV_DRAW_CTOOLS t; return R(ruv_dwin_get_draw_ctools(w, &t)); })
        .refused_type(Obj::Button)
        .bad("NULL destination", 0x00210000,
             [](Ctx &c) { return R(ruv_dwin_get_draw_ctools(c.get(Obj::Doc), nullptr)); })
        .valid([](Ctx &c) { RUV_DRAW_CTOOLS t; return R(ruv_dwin_get_draw_ctools(c.get(Obj::Doc), &t)); }),

    Row{ "ruv_dwin_set_draw_ctools", "tdwin" }
        .window([](Ctx &, RUV_WIN w) { RUV_DRAW_CTOOLS t{ { 1, 2, 0, T_BLACK }, { 2, T_WHITE }, 0, T_BLACK, T_WHITE, 0 };
                                         ruv_dwin_set_draw_ctools(w, &t); return 0; })
        .refused_type(Obj::Button)
        .bad("NULL tools", 0x00210000, [](Ctx &c) { ruv_dwin_set_draw_ctools(c.get(Obj::Doc), nullptr); return 0; })
        .valid([](Ctx &c) { red_tools(c.get(Obj::Doc)); return 0; })
        .read_back([](Ctx &c) { return tools_of(c).pen.color == T_RED && tools_of(c).brush.color == T_RED; }),

    Row{ "ruv_dwin_set_cpen", "tdwin" }
        .window([](Ctx &, RUV_WIN w) { RUV_CPEN p{ 1, 2, 0, T_BLUE }; ruv_dwin_set_cpen(w, &p); return 0; })
        .refused_type(Obj::Button)
        .bad("NULL pen", 0x00210000, [](Ctx &c) { ruv_dwin_set_cpen(c.get(Obj::Doc), nullptr); return 0; })
        .valid([](Ctx &c) { RUV_CPEN p{ 3, 2, 0, T_BLUE }; ruv_dwin_set_cpen(c.get(Obj::Doc), &p); return 0; })
        .read_back([](Ctx &c) { return tools_of(c).pen.color == T_BLUE && tools_of(c).pen.width == 3; }),

    Row{ "ruv_dwin_set_cbrush", "tdwin" }
        .window([](Ctx &, RUV_WIN w) { RUV_CBRUSH b{ 2, T_BLUE }; ruv_dwin_set_cbrush(w, &b); return 0; })
        .refused_type(Obj::Button)
        .bad("NULL brush", 0x00210000, [](Ctx &c) { ruv_dwin_set_cbrush(c.get(Obj::Doc), nullptr); return 0; })
        .valid([](Ctx &c) { RUV_CBRUSH b{ 2, T_BLUE }; ruv_dwin_set_cbrush(c.get(Obj::Doc), &b); return 0; })
        .read_back([](Ctx &c) { return tools_of(c).brush.color == T_BLUE; }),

    Row{ "ruv_dwin_set_std_cpen", "tdwin" }
        .window([](Ctx &, RUV_WIN w) { ruv_dwin_set_std_cpen(w, 4); return 0; })
        .refused_type(Obj::Button)
        .bad("pen 7 (warning, pen 1 used)", 0x01250001,
             [](Ctx &c) { ruv_dwin_set_std_cpen(c.get(Obj::Doc), 7); return 0; }, nullptr, RUV_SEV_WARNING)
        .valid([](Ctx &c) { ruv_dwin_set_std_cpen(c.get(Obj::Doc), 4); return 0; })
        .read_back([](Ctx &c) { return tools_of(c).pen.color != T_BLACK; }),

    Row{ "ruv_dwin_set_std_cbrush", "tdwin" }
        .window([](Ctx &, RUV_WIN w) { ruv_dwin_set_std_cbrush(w, 1); return 0; })
        .refused_type(Obj::Button)
        .bad("brush 2 (warning, brush 1 used)", 0x01250001,
             [](Ctx &c) { ruv_dwin_set_std_cbrush(c.get(Obj::Doc), 2); return 0; },
             [](Ctx &c) -> void * { return c.get(Obj::Doc); }, RUV_SEV_WARNING)
        .valid([](Ctx &c) { ruv_dwin_set_std_cbrush(c.get(Obj::Doc), 0); return 0; }),

    Row{ "ruv_dwin_set_draw_mode", "tdwin" }
        .window([](Ctx &, RUV_WIN w) { ruv_dwin_set_draw_mode(w, 0); return 0; })
        .refused_type(Obj::Button)
        .valid([](Ctx &c) { ruv_dwin_set_draw_mode(c.get(Obj::Doc), 2); return 0; })
        .read_back([](Ctx &c) { return tools_of(c).draw_mode == 2; }),

    Row{ "ruv_dwin_set_fore_color", "tdwin" }
        .window([](Ctx &, RUV_WIN w) { ruv_dwin_set_fore_color(w, T_BLUE); return 0; })
        .refused_type(Obj::Button)
        .valid([](Ctx &c) { ruv_dwin_set_fore_color(c.get(Obj::Doc), T_BLUE); return 0; })
        .read_back([](Ctx &c) { return tools_of(c).fore == T_BLUE; }),

    Row{ "ruv_dwin_set_back_color", "tdwin" }
        .window([](Ctx &, RUV_WIN w) { ruv_dwin_set_back_color(w, T_BLUE); return 0; })
        .refused_type(Obj::Button)
        .valid([](Ctx &c) { ruv_dwin_set_back_color(c.get(Obj::Doc), T_BLUE); return 0; })
        .read_back([](Ctx &c) { return tools_of(c).back == T_BLUE; }),

    Row{ "ruv_dwin_invalidate_rect", "tdwin" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_dwin_invalidate_rect(w, nullptr); return 0; })
        .refused_type(Obj::Button)
        .refused_type(Obj::Screen)
        .bad("reversed rectangle", 0x01240003,
             [](Ctx &c) { RUV_RECT r = rc(50, 60, 10, 20); ruv_dwin_invalidate_rect(c.get(Obj::Doc), &r); return 0; },
             nullptr, RUV_SEV_WARNING)
        .bad("empty rectangle (nothing raised)", 0,
             [](Ctx &c) { ruv_dwin_invalidate_rect(c.get(Obj::Doc), &kEmpty); return 0; })
        .valid([](Ctx &c) {
            RUV_WIN w = c.get(Obj::Doc);
            pump(20);
            ValidateRect(c.hwnd(Obj::Doc), nullptr);
            RUV_RECT r = shape();
            ruv_dwin_invalidate_rect(w, &r);
            RECT u{};
            GetUpdateRect(c.hwnd(Obj::Doc), &u, FALSE);
            return R(u.left == r.left && u.top == r.top && u.right == r.right && u.bottom == r.bottom);
        })
        .check_result(answered_true),

    Row{ "ruv_dwin_scroll_rect", "tdwin" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { RUV_RECT r = shape(); ruv_dwin_scroll_rect(w, &r, 5, 5); return 0; })
        .refused_type(Obj::Button)
        .bad("NULL rectangle", 0x00210000, [](Ctx &c) { ruv_dwin_scroll_rect(c.get(Obj::Doc), nullptr, 5, 5); return 0; })
        .bad("empty rectangle (nothing raised)", 0,
             [](Ctx &c) { ruv_dwin_scroll_rect(c.get(Obj::Doc), &kEmpty, 5, 5); return 0; })
        .valid([](Ctx &c) {
            RUV_WIN w = canvas(c);
            RUV_RECT band = rc(X0, Y0, X1, Y0 + 10);
            ruvk_dwin_draw_rect(w, &band);
            RUV_RECT r = rc(X0, Y0, X1, Y1);
            ruv_dwin_scroll_rect(w, &r, 0, 50);
            return 0;
        })
        .read_back([](Ctx &c) { return Pixels(c.hwnd(Obj::Doc)).at(X0 + 50, Y0 + 55) == PX_RED; }),

    Row{ "ruv_dwin_update", "tdwin" }
        .refuses()
        .window([](Ctx &, RUV_WIN w) { ruv_dwin_update(w); return 0; })
        .refused_type(Obj::Button)
        .valid([](Ctx &c) {
            RUV_WIN w = c.get(Obj::Doc);
            InvalidateRect(c.hwnd(Obj::Doc), nullptr, TRUE);
            ruv_dwin_update(w);
            return R(GetUpdateRect(c.hwnd(Obj::Doc), nullptr, FALSE) == 0);
        })
        .check_result(answered_true),

    // Outside an update a document has nothing to ask about: FALSE, and no
    // error.
    Row{ "ruv_dwin_is_update_needed", "tdwin" }
        .failure(FALSE)
        .window([](Ctx &, RUV_WIN w) { RUV_RECT r = shape(); return R(ruv_dwin_is_update_needed(w, &r)); })
        .refused_type(Obj::Button)
        .valid([](Ctx &c) { RUV_RECT r = shape(); return R(ruv_dwin_is_update_needed(c.get(Obj::Doc), &r)); }),

    Row{ "ruv_dwin_get_text_width", "tdwin" }
        .failure(-1)
        .window([](Ctx &, RUV_WIN w) { return R(ruv_dwin_get_text_width(w, "abc", -1)); })
        .refused_type(Obj::Button)
        .bad("NULL text", 0x00210000, [](Ctx &c) { return R(ruv_dwin_get_text_width(c.get(Obj::Doc), nullptr, -1)); })
        .valid([](Ctx &c) { return R(ruv_dwin_get_text_width(c.get(Obj::Doc), "abc", -1)); }),

    Row{ "ruv_dwin_get_font", "tdwin" }
        .window([](Ctx &, RUV_WIN w) { return R(ruv_dwin_get_font(w)); })
        .refused_type(Obj::Button)
        .valid([](Ctx &c) {
            RUV_FONT *f = ruv_dwin_get_font(c.get(Obj::Doc));
            bool ok = f && ruvv_font_is_valid(f);
            ruvv_font_destroy(f);
            return R(ok);
        })
        .check_result(answered_true),

    Row{ "ruv_dwin_set_font", "tdwin" }
        .window([](Ctx &c, RUV_WIN w) {
            RUV_FONT *f = ruvv_font_create();
            ruv_dwin_set_font(w, f);
            ruvv_font_destroy(f);
            return 0;
        })
        .refused_type(Obj::Button)
        .bad("NULL font", 0x01210003, [](Ctx &c) { ruv_dwin_set_font(c.get(Obj::Doc), nullptr); return 0; })
        .bad("a record that is no font", 0x01220003,
             [](Ctx &c) { RUV_FONT f{}; ruv_dwin_set_font(c.get(Obj::Doc), &f); return 0; })
        .valid([](Ctx &c) {
            RUV_FONT *f = ruvv_font_create();
            ruvv_font_set_family(f, "Courier New");
            ruvv_font_set_size(f, 14);
            ruv_dwin_set_font(c.get(Obj::Doc), f);
            ruvv_font_destroy(f);
            return 0;
        })
        .read_back([](Ctx &c) { return ruv_dwin_get_font_size(c.get(Obj::Doc)) == 14; }),

    // Any window but a text edit: the push button is measured too.
    Row{ "ruv_dwin_get_font_metrics", "tdwin" }
        .window([](Ctx &, RUV_WIN w) { int32_t l, a, d; ruv_dwin_get_font_metrics(w, &l, &a, &d); return 0; })
        .valid([](Ctx &c) {
            int32_t l = -1, a = -1, d = -1;
            ruv_dwin_get_font_metrics(c.get(Obj::Doc), &l, &a, &d);
            return R(a > 0 && d >= 0 && l >= 0);
        })
        .check_result(answered_true),

    font_text_row("ruv_dwin_get_font_family", ruv_dwin_get_font_family, true),
    font_text_row("ruv_dwin_get_font_family_mapped", ruv_dwin_get_font_family_mapped, true),
    font_text_row("ruv_dwin_get_font_native_desc", ruv_dwin_get_font_native_desc, false),

    window_row("ruv_dwin_get_font_app_data", ruv_dwin_get_font_app_data),
    window_row("ruv_dwin_get_font_size", ruv_dwin_get_font_size),
    window_row("ruv_dwin_get_font_size_mapped", ruv_dwin_get_font_size_mapped),
    window_row("ruv_dwin_get_font_style", ruv_dwin_get_font_style),
    window_row("ruv_dwin_get_font_style_mapped", ruv_dwin_get_font_style_mapped),

    Row{ "ruv_dwin_set_font_app_data", "tdwin" }
        .window([](Ctx &, RUV_WIN w) { ruv_dwin_set_font_app_data(w, nullptr); return 0; })
        .refused_type(Obj::Button)
        .valid([](Ctx &c) { ruv_dwin_set_font_app_data(c.get(Obj::Doc), &c); return 0; })
        .read_back([](Ctx &c) { return ruv_dwin_get_font_app_data(c.get(Obj::Doc)) == &c; }),

    Row{ "ruv_dwin_set_font_family", "tdwin" }
        .window([](Ctx &, RUV_WIN w) { ruv_dwin_set_font_family(w, "Arial"); return 0; })
        .refused_type(Obj::Button)
        .bad("NULL name", 0x00210000, [](Ctx &c) { ruv_dwin_set_font_family(c.get(Obj::Doc), nullptr); return 0; })
        .valid([](Ctx &c) { ruv_dwin_set_font_family(c.get(Obj::Doc), "Courier New"); return 0; })
        .read_back([](Ctx &c) {
            char b[64] = "";
            return ruv_dwin_get_font_family(c.get(Obj::Doc), b, sizeof b) && std::strcmp(b, "Courier New") == 0;
        }),

    Row{ "ruv_dwin_set_font_native_desc", "tdwin" }
        .window([](Ctx &, RUV_WIN w) { ruv_dwin_set_font_native_desc(w, ""); return 0; })
        .refused_type(Obj::Button)
        .bad("NULL text", 0x00210000, [](Ctx &c) { ruv_dwin_set_font_native_desc(c.get(Obj::Doc), nullptr); return 0; })
        .valid([](Ctx &c) {
            RUV_WIN w = c.get(Obj::Doc);
            char desc[256] = "";
            ruv_dwin_get_font_native_desc(w, desc, sizeof desc);
            ruv_dwin_set_font_native_desc(w, desc);
            return 0;
        }),

    Row{ "ruv_dwin_set_font_size", "tdwin" }
        .window([](Ctx &, RUV_WIN w) { ruv_dwin_set_font_size(w, 10); return 0; })
        .refused_type(Obj::Button)
        .bad("size 0", 0x01250004, [](Ctx &c) { ruv_dwin_set_font_size(c.get(Obj::Doc), 0); return 0; })
        .valid([](Ctx &c) { ruv_dwin_set_font_size(c.get(Obj::Doc), 17); return 0; })
        .read_back([](Ctx &c) { return ruv_dwin_get_font_size(c.get(Obj::Doc)) == 17; }),

    Row{ "ruv_dwin_set_font_style", "tdwin" }
        .window([](Ctx &, RUV_WIN w) { ruv_dwin_set_font_style(w, 0); return 0; })
        .refused_type(Obj::Button)
        .valid([](Ctx &c) { ruv_dwin_set_font_style(c.get(Obj::Doc), 1); return 0; })
        .read_back([](Ctx &c) { return ruv_dwin_get_font_style(c.get(Obj::Doc)) == 1; }),
};

// Every drawing row's valid call reads its pixels back itself, so that the
// drawing it makes inside a real E_UPDATE (the table's update probe) is
// checked as well as the one made outside.
struct ReadBackInUpdate {
    ReadBackInUpdate()
    {
        for (Row &row : all_rows()) {
            if (row.source != "tdwin" || !row.draws_in_update || !row.read_back_check)
                continue;
            Call body = row.valid_call;
            std::function<bool(Ctx &)> check = row.read_back_check;
            std::string name = row.name;
            row.valid_call = [body, check, name](Ctx &c) {
                intptr_t result = body(c);
                EXPECT_TRUE(check(c)) << name << ": nothing drawn";
                return result;
            };
        }
    }
} read_back_in_update;

} // namespace
