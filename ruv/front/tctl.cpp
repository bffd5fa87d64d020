// Control functions of the front layer: native controls made in windows and
// dialogs (from arguments or from a definition element), their colours,
// font, check state and text selection.  Text edits (a window whose kind
// flags mark it as one, type 23) go to the text-edit module, every other
// control to the kernel.
#include "front_guard.h"
#include "native_controls.h"
#include "ruv.h"
#include "ruvv_color.h"
#include "ruvv_font.h"
#include "ruvv_mem.h"
#include "ruvv_rect.h"
#include "ruvv_res.h"
#include "ruvv_tx.h"
#include "ruvv_windef.h"
#include "ruvv_winflags.h"

using ruvf::Guard;
using ruvf::type_range;
using ruvf::types;

namespace {

const char SRC[] = "tctl";
constexpr RUV_COLOR NO_COLOR = static_cast<RUV_COLOR>(-1);

// Types the kernel's colour functions accept besides the controls.
bool colored_window(RUV_WIN ctl)
{
    int32_t t = ruvf::type_of(ctl);
    return (t == 2 || t == 7) && (ctl->kind & ruvf::KIND_CTL_COLORS) != 0;
}

// Colour functions: controls 12-25 (12-22, 24 and 25 go to the kernel, the
// text edit to its own colours).
bool colors_type(RUV_WIN ctl)
{
    return colored_window(ctl) || ruvf::type_in(ctl, type_range(12, 25));
}

// Font functions: no scroll bars, no icons.
bool font_type(RUV_WIN ctl)
{
    return colored_window(ctl) || ruvf::type_in(ctl, types({ 12, 13, 14, 17, 18, 19, 20, 21, 22, 23, 25 }));
}

bool component_code(int32_t code)
{
    switch (code) {
    case 2: case 4: case 8: case 16: case 32: case 64: case 128:
        return true;
    default:
        return false;
    }
}

bool native_type(int32_t type)
{
    return (type >= 12 && type <= 25) || type == 27;
}

// The colour of code in a list made by the base library, which is freed.
RUV_COLOR take_component(RUV_COLOR_COMPONENT *list, int32_t code)
{
    if (!list)
        return NO_COLOR;
    RUV_COLOR found = NO_COLOR;
    for (const RUV_COLOR_COMPONENT *c = list; c->type != 0; ++c) {
        if (c->type == code) {
            found = c->color;
            break;
        }
    }
    ruvv_mem_free(list);
    return found;
}

// The colour list of a control as the getters read it.
RUV_COLOR_COMPONENT *colors_of(RUV_WIN ctl)
{
    return ruvf::is_text_edit(ctl) ? ruvk_win_get_ctl_colors(ctl) : ruvk_ctl_get_colors(ctl);
}

void set_colors(RUV_WIN ctl, const RUV_COLOR_COMPONENT *list, int32_t action)
{
    if (ruvf::is_text_edit(ctl))
        ruvv_tx_reset_colors(ctl, list, static_cast<RUV_BOOL>(action));
    else
        ruvk_ctl_set_colors(ctl, list, action);
}

// Whether a control's rectangle is in order for its type: push buttons,
// horizontal scroll bars, edit fields and static texts may have no height,
// vertical scroll bars no width.
bool rect_in_order(int32_t type, const RUV_RECT &r)
{
    switch (type) {
    case 12: case 15: case 17: case 18:
        return r.left < r.right && r.top <= r.bottom;
    case 16:
        return r.left <= r.right && r.top < r.bottom;
    default:
        return r.left < r.right && r.top < r.bottom;
    }
}

// Controls may not be made in a modeless dialog, nor a notebook in a modal
// one; a text-edit parent takes any.
bool parent_accepts(RUV_WIN parent, int32_t type)
{
    if (ruvf::is_text_edit(parent))
        return true;
    if (parent->type == 11)
        return false;
    return !(type == 25 && parent->type == 10);
}

bool parent_checks(Guard &g, RUV_WIN parent, int32_t type, int line = __builtin_LINE())
{
    return g.window(parent, line) && g.check(parent_accepts(parent, type), ruvf::ID_INVALID_WINDOW, nullptr, line);
}

bool flags_checks(Guard &g, int32_t type, uint32_t flags, int line = __builtin_LINE())
{
    uint32_t id = ruvv_ctl_check_flags(type, flags);
    return id == 0 || g.raise(id, nullptr, RUV_SEV_ERROR, line);
}

// The checks of the single-component setters: update refusal, window,
// component code, control type.
bool component_checks(Guard &g, RUV_WIN ctl, int32_t component, int line = __builtin_LINE())
{
    return g.not_in_update(line) && g.window(ctl, line) &&
           g.check(component_code(component), ruvf::ID_INCORRECT_WINDOW_TYPE, nullptr, line) &&
           g.check(colors_type(ctl), ruvf::ID_INCORRECT_WINDOW_TYPE, nullptr, line);
}

// Gives a definition element its rectangle back whatever way the creation
// ends.
class RectRestore {
public:
    explicit RectRestore(RUV_RECT &r) : rect_(r), saved_(r) {}
    ~RectRestore() { rect_ = saved_; }
    RectRestore(const RectRestore &) = delete;
    RectRestore &operator=(const RectRestore &) = delete;

private:
    RUV_RECT &rect_;
    RUV_RECT saved_;
};

} // namespace

extern "C" RUV_WIN ruv_ctl_create(int32_t type, const RUV_RECT *rect, const char *title, RUV_WIN parent,
                                  int32_t flags, void *appData, int32_t controlId)
{
    Guard g("ruv_ctl_create", SRC);
    if (!g.not_in_update() || !g.not_null(rect))
        return NULL_WIN;
    RUV_RECT ordered;
    const RUV_RECT *r = rect;
    if (!rect_in_order(type, *rect)) {
        g.raise(ruvf::ID_RECT_FORMAT, nullptr, RUV_SEV_WARNING);
        r = ruvv_rect_repair_ptr(rect, &ordered);
    }
    if (!parent_checks(g, parent, type) || !g.check(type != WC_ICON, ruvf::ID_INVALID_WINDOW) ||
        !flags_checks(g, type, static_cast<uint32_t>(flags)))
        return NULL_WIN;
    return ruvk_ctl_create(type, r, title, parent, static_cast<uint32_t>(flags), appData, controlId);
}

extern "C" intptr_t ruv_ctl_set_tooltip(RUV_WIN control, const char *text, const RUV_RECT *rect)
{
    return ruvk_ctl_set_tooltip(control, text, rect);
}

extern "C" RUV_WIN ruv_ctl_create_def(RUV_WIN_DEF *def, RUV_WIN parent, void *appData)
{
    Guard g("ruv_ctl_create_def", SRC);
    if (!g.not_in_update() || !g.not_null(def) || !parent_checks(g, parent, def->type))
        return NULL_WIN;
    // The element is ordered in place for the kernel and always given its
    // own rectangle back, also when a later check refuses it.
    RectRestore restore(def->rect);
    if (!rect_in_order(def->type, def->rect)) {
        g.raise(ruvf::ID_RECT_FORMAT, nullptr, RUV_SEV_WARNING);
        ruvv_rect_repair(&def->rect);
    }
    bool tx = def->type == WC_TEXT_EDIT;
    uint32_t flags = static_cast<uint32_t>(tx ? def->u.tx.flags : def->u.ctl.flags);
    RUV_FONT *font = tx ? def->u.tx.font : def->u.ctl.font;
    if (!flags_checks(g, def->type, flags) || !g.check(!font || ruvv_font_is_valid(font), ruvf::ID_INVALID_FONT))
        return NULL_WIN;
    return ruvk_ctl_create_def(def, parent, appData);
}

extern "C" RUV_COLOR_COMPONENT *ruv_ctl_get_colors(RUV_WIN control)
{
    Guard g("ruv_ctl_get_colors", SRC);
    if (!g.window(control) || !g.check(colors_type(control), ruvf::ID_INCORRECT_WINDOW_TYPE))
        return nullptr;
    return colors_of(control);
}

extern "C" RUV_COLOR ruv_ctl_get_color_component(RUV_WIN control, int32_t component)
{
    Guard g("ruv_ctl_get_color_component", SRC);
    if (!g.window(control) || !g.check(component_code(component), ruvf::ID_INCORRECT_WINDOW_TYPE) ||
        !g.check(colors_type(control), ruvf::ID_INCORRECT_WINDOW_TYPE))
        return NO_COLOR;
    return take_component(colors_of(control), component);
}

extern "C" int32_t ruv_ctl_get_id(RUV_WIN control)
{
    Guard g("ruv_ctl_get_id", SRC);
    if (!g.window(control))
        return 0;
    if (ruvf::is_text_edit(control))
        return ruvv_tx_get_cid(reinterpret_cast<TXEDIT>(control));
    return ruvk_ctl_get_id(control);
}

extern "C" RUV_FONT *ruv_ctl_get_font(RUV_WIN control)
{
    Guard g("ruv_ctl_get_font", SRC);
    if (!g.window(control) || !g.check(font_type(control), ruvf::ID_INCORRECT_WINDOW_TYPE))
        return nullptr;
    if (ruvf::is_text_edit(control))
        return ruvv_tx_get_font(reinterpret_cast<TXEDIT>(control));
    return ruvk_ctl_get_font(control);
}

extern "C" RUV_COLOR_COMPONENT *ruv_ctl_get_native_colors(int32_t type)
{
    Guard g("ruv_ctl_get_native_colors", SRC);
    if (!g.check(native_type(type), ruvf::ID_INCORRECT_WINDOW_TYPE))
        return nullptr;
    if (type == WC_TEXT_EDIT)
        return ruvv_tx_get_native_colors();
    return ruvk_ctl_get_native_colors(type);
}

extern "C" RUV_COLOR ruv_ctl_get_native_color_component(int32_t type, int32_t component)
{
    Guard g("ruv_ctl_get_native_color_component", SRC);
    if (!g.check(native_type(type), ruvf::ID_INCORRECT_WINDOW_TYPE) ||
        !g.check(component_code(component), ruvf::ID_INCORRECT_WINDOW_TYPE))
        return NO_COLOR;
    return take_component(ruvk_ctl_get_native_colors(type), component);
}

extern "C" RUV_BOOL ruv_ctl_is_checked(RUV_WIN control)
{
    Guard g("ruv_ctl_is_checked", SRC);
    if (!g.window(control, types({ 13, 14 })))
        return FALSE;
    return ruvk_ctl_is_checked(control);
}

extern "C" void ruv_ctl_set_colors(RUV_WIN control, const RUV_COLOR_COMPONENT *colors, int32_t action)
{
    Guard g("ruv_ctl_set_colors", SRC);
    if (!g.not_in_update() || !g.window(control) || !g.check(colors_type(control), ruvf::ID_INCORRECT_WINDOW_TYPE))
        return;
    // No list means back to the defaults, whatever action was given.
    set_colors(control, colors, colors ? action : 1);
}

extern "C" void ruv_ctl_set_color_component(RUV_WIN control, int32_t component, RUV_COLOR color)
{
    Guard g("ruv_ctl_set_color_component", SRC);
    if (!component_checks(g, control, component))
        return;
    const RUV_COLOR_COMPONENT list[2] = { { component, color }, { 0, NO_COLOR } };
    set_colors(control, list, 0);
}

extern "C" void ruv_ctl_unset_color_component(RUV_WIN control, int32_t component)
{
    Guard g("ruv_ctl_unset_color_component", SRC);
    if (!component_checks(g, control, component))
        return;
    const RUV_COLOR_COMPONENT list[2] = { { component, NO_COLOR }, { 0, NO_COLOR } };
    set_colors(control, list, 1);
}

extern "C" void ruv_ctl_set_font(RUV_WIN control, RUV_FONT *font)
{
    Guard g("ruv_ctl_set_font", SRC);
    if (!g.not_in_update() || !g.window(control) ||
        !g.check(!font || ruvv_font_is_valid(font), ruvf::ID_INVALID_FONT) ||
        !g.check(font_type(control), ruvf::ID_INCORRECT_WINDOW_TYPE))
        return;
    if (ruvf::is_text_edit(control))
        ruvv_tx_set_font(reinterpret_cast<TXEDIT>(control), font);
    else
        ruvv_ctl_set_font(control, font);
}

extern "C" void ruv_ctl_set_text_sel(RUV_WIN control, int32_t first, int32_t last)
{
    Guard g("ruv_ctl_set_text_sel", SRC);
    if (!g.not_in_update() || !g.window(control) ||
        !g.check(ruvf::type_in(control, types({ 17, 21 })), ruvf::ID_INCORRECT_WINDOW_TYPE, control))
        return;
    if (last < first) {
        g.raise(ruvf::ID_VALUE_TOO_LOW, control, RUV_SEV_WARNING);
        last = first;
    }
    ruvk_ctl_set_text_sel(control, first, last);
}

extern "C" void ruv_ctl_get_text_sel(RUV_WIN control, int32_t *first, int32_t *last)
{
    Guard g("ruv_ctl_get_text_sel", SRC);
    if (!g.not_in_update() || !g.window(control) || !g.not_null(first) || !g.not_null(last) ||
        !g.check(ruvf::type_in(control, types({ 17, 21 })), ruvf::ID_INCORRECT_WINDOW_TYPE, control))
        return;
    ruvk_ctl_get_text_sel(control, first, last);
}

extern "C" void ruv_ctl_set_checked(RUV_WIN control, RUV_BOOL checked)
{
    Guard g("ruv_ctl_set_checked", SRC);
    if (!g.not_in_update() || !g.window(control) ||
        !g.check(ruvf::type_in(control, types({ 14 })), ruvf::ID_INVALID_WINDOW))
        return;
    ruvk_ctl_set_checked(control, checked);
}

extern "C" void ruv_ctl_check_radio_button(RUV_WIN button, RUV_WIN *buttons, int32_t count)
{
    Guard g("ruv_ctl_check_radio_button", SRC);
    if (!g.not_in_update() || !g.window(button, types({ 13 })) || !g.not_null(buttons) ||
        !g.check(count >= 1, ruvf::ID_VALUE_TOO_LOW))
        return;
    for (int32_t i = 0; i < count; ++i)
        if (!g.window(buttons[i], types({ 13 })))
            return;
    ruvk_ctl_check_radio_button(button, buttons, count);
}
