// Toolkit attributes: the table of the 107 keys in their fixed order, with
// each key's access rule (stored, read-only, before start only, exclusive
// task-window mode, MDI margin, or a handler of its own) and the stored
// values.  Values are pointer-sized.  What only the window system knows
// (metrics, colours, native handles, printer values) is asked of the
// kernel.

#include <cstring>
#include <initializer_list>

#include "ruvk.h"
#include "ruvv_attr.h"
#include "ruvv_errmsg.h"
#include "ruvv_static.h"
#include "ruvv_vobj.h"

namespace {

constexpr RUV_ERRMSG_ID ERR_PRINT_WINDOW = 0x73C378;
constexpr RUV_ERRMSG_ID ERR_PRINTER_KEY = 0x73C379;
constexpr RUV_ERRMSG_ID ERR_RUNNING = 0x73C37A;
constexpr RUV_ERRMSG_ID ERR_EXCLUSIVE = 0x73C37B;
constexpr RUV_ERRMSG_ID ERR_MARGIN_NOT_RUNNING = 0x73C37C;
constexpr RUV_ERRMSG_ID ERR_MARGIN_NO_MDI = 0x73C37D;
constexpr RUV_ERRMSG_ID ERR_SET = 0x73C37E;
constexpr RUV_ERRMSG_ID ERR_GET = 0x73C382;
constexpr RUV_ERRMSG_ID ERR_NO_VALUES = 0x72C381;

constexpr uint32_t NATIVE_KINDS = 0x501f;   // windows with a native window
constexpr uint32_t FLAG_NAVIGATION = 0x4;   // kernel flag: navigation attached

struct AttrBlock {
    intptr_t values[RUV_ATTR_COUNT];
};

void set_fixed_start_values(AttrBlock *b);

void attr_init(void *p)
{
    set_fixed_start_values(static_cast<AttrBlock *>(p));
}

RUV_STATIC_BLOCK(attr_desc, AttrBlock, attr_init, nullptr);

AttrBlock *attr_block()
{
    return static_cast<AttrBlock *>(ruvk_static_get_ptr(&attr_desc));
}

void report(RUV_ERRMSG_ID id)
{
    ruvv_errmsg_dispatch(nullptr, RUV_SEV_ERROR, id, __FILE__, __LINE__);
}

int find(int32_t key);
intptr_t stored(int32_t key);

bool tagged(RUV_WIN win)
{
    return win && win->tag == RUV_VOBJ_TAG;
}

// ---- getters ----

template <int32_t KEY>
intptr_t sys_get(RUV_WIN win, int32_t arg)
{
    return ruvk_attr_get_system(win, KEY, arg);
}

// The system's button-face colour, native 0x00BBGGRR, as a RUV_COLOR
// 0x00RRGGBB.
intptr_t back_color(RUV_WIN win, int32_t arg)
{
    uint32_t native = static_cast<uint32_t>(ruvk_attr_get_system(win, RUV_ATTR_BACK_COLOR, arg));
    uint32_t rgb = ((native & 0xFFu) << 16) | (native & 0xFF00u) | ((native >> 16) & 0xFFu);
    return static_cast<intptr_t>(rgb);
}

intptr_t printer_value(RUV_WIN win, int32_t arg)
{
    if (arg < 404 || arg > 407) {
        report(ERR_PRINTER_KEY);
        return 0;
    }
    return ruvk_attr_get_system(win, arg, arg);
}

intptr_t native_window(RUV_WIN win, int32_t arg)
{
    if (!tagged(win))
        return 0;
    if (win->kind & RUV_KIND_PRINT) {
        report(ERR_PRINT_WINDOW);
        return 0;
    }
    return ruvk_attr_get_system(win, RUV_ATTR_NATIVE_WINDOW, arg);
}

intptr_t navigation_get(RUV_WIN win, int32_t)
{
    if (!tagged(win) || !(win->kind & NATIVE_KINDS))
        return 0;
    return (win->kernel_flags & FLAG_NAVIGATION) ? 1 : 0;
}

intptr_t debug_file_get(RUV_WIN, int32_t)
{
    return reinterpret_cast<intptr_t>(ruvv_debug_get_file());
}

// ---- setters (index = the key's place in the table) ----

void read_only(RUV_WIN, int32_t, intptr_t)
{
    // A sign, never called: read-only keys are refused.
}

void store(int32_t index, intptr_t value)
{
    if (AttrBlock *b = attr_block())
        b->values[index] = value;
}

template <int32_t KEY>
void sys_set(RUV_WIN win, int32_t, intptr_t value)
{
    ruvk_attr_set_system(win, KEY, value);
}

void before_start(RUV_WIN, int32_t index, intptr_t value)
{
    if (ruvk_app_is_running()) {
        report(ERR_RUNNING);
        return;
    }
    store(index, value);
}

// At most one of the three task-window modes may be set.
void exclusive_mode(RUV_WIN, int32_t index, intptr_t value)
{
    if (ruvk_app_is_running()) {
        report(ERR_RUNNING);
        return;
    }
    AttrBlock *b = attr_block();
    if (!b)
        return;
    intptr_t previous = b->values[index];
    b->values[index] = value;
    int set = 0;
    for (int32_t key : { RUV_ATTR_MDI, RUV_ATTR_DRAWABLE_TASK_WINDOW, RUV_ATTR_NO_TASK_WINDOW })
        if (stored(key) != 0)
            ++set;
    if (set > 1) {
        b->values[index] = previous;
        report(ERR_EXCLUSIVE);
    }
}

void mdi_margin(RUV_WIN, int32_t index, intptr_t value)
{
    if (!ruvk_app_is_running()) {
        report(ERR_MARGIN_NOT_RUNNING);
        return;
    }
    if (static_cast<int16_t>(stored(RUV_ATTR_MDI)) == 0) {
        report(ERR_MARGIN_NO_MDI);
        return;
    }
    store(index, value);
    ruvk_app_layout_mdi_client();
}

void font_cache_size(RUV_WIN, int32_t index, intptr_t value)
{
    store(index, value <= 0 ? 10 : value);
}

void navigation_set(RUV_WIN win, int32_t, intptr_t value)
{
    if (!tagged(win) || !(win->kind & NATIVE_KINDS))
        return;
    if (static_cast<int16_t>(value))
        win->kernel_flags |= FLAG_NAVIGATION;
    else
        win->kernel_flags &= ~FLAG_NAVIGATION;
}

void debug_file_set(RUV_WIN, int32_t, intptr_t value)
{
    ruvv_debug_set_file(reinterpret_cast<const char *>(value));
}

const RUV_ATTR_ENTRY table[RUV_ATTR_COUNT] = {
    {10017, nullptr, nullptr, 10017},  // RUV_ATTR_MESSAGE_HOOK
    {703, nullptr, nullptr, 703},  // RUV_ATTR_WNDPROC_HOOK
    {713, nullptr, before_start, 713},  // RUV_ATTR_KEY_HOOK_MODE
    {715, nullptr, before_start, 715},  // RUV_ATTR_CTL_COLORS
    {719, nullptr, before_start, 719},  // RUV_ATTR_CTL_FONT
    {100, back_color, read_only, 100},  // RUV_ATTR_BACK_COLOR
    {712, nullptr, nullptr, 712},  // RUV_ATTR_COLLATE_HOOK
    {200, nullptr, read_only, 200},
    {201, nullptr, read_only, 201},
    {202, nullptr, read_only, 202},
    {203, sys_get<203>, read_only, 3},  // RUV_ATTR_HSCROLL_HEIGHT
    {205, nullptr, read_only, 205},
    {206, nullptr, read_only, 206},
    {204, sys_get<204>, read_only, 2},  // RUV_ATTR_VSCROLL_WIDTH
    {505, sys_get<505>, read_only, 8},
    {504, sys_get<504>, read_only, 7},
    {700, debug_file_get, debug_file_set, 700},
    {708, nullptr, before_start, 708},  // RUV_ATTR_PALETTE_TYPE
    {105, sys_get<105>, read_only, 105},
    {721, nullptr, nullptr, 721},
    {501, sys_get<501>, read_only, 33},  // RUV_ATTR_FRAME_HEIGHT
    {500, sys_get<500>, read_only, 32},
    {408, nullptr, read_only, 408},
    {409, nullptr, read_only, 409},
    {706, nullptr, nullptr, 706},
    {709, nullptr, nullptr, 709},
    {710, nullptr, nullptr, 710},  // RUV_ATTR_HELP_HOOK
    {711, nullptr, nullptr, 711},  // RUV_ATTR_HELP_INFO
    {705, nullptr, nullptr, 705},  // RUV_ATTR_FATAL_HOOK
    {800, nullptr, nullptr, 800},  // RUV_ATTR_FONT_MAP_HOOK
    {801, nullptr, nullptr, 801},  // RUV_ATTR_FONT_DIALOG_HOOK
    {802, nullptr, font_cache_size, 802},  // RUV_ATTR_FONT_CACHE_SIZE
    {503, sys_get<503>, read_only, 8},
    {502, sys_get<502>, read_only, 7},
    {101, nullptr, read_only, 101},
    {102, sys_get<102>, read_only, 19},
    {208, sys_get<208>, read_only, 12},
    {207, sys_get<207>, read_only, 11},
    {702, nullptr, nullptr, 702},  // RUV_ATTR_KEY_HOOK
    {701, nullptr, nullptr, 701},  // RUV_ATTR_MEM_ERR_HOOK
    {506, sys_get<506>, read_only, 15},  // RUV_ATTR_MENU_HEIGHT
    {601, sys_get<601>, read_only, 601},
    {602, native_window, read_only, 602},  // RUV_ATTR_NATIVE_WINDOW
    {103, nullptr, read_only, 103},
    {720, nullptr, nullptr, 720},
    {404, printer_value, read_only, 404},
    {406, printer_value, read_only, 406},
    {407, printer_value, read_only, 407},
    {405, printer_value, read_only, 405},
    {714, nullptr, nullptr, 714},  // RUV_ATTR_RESOURCE_LIBRARY
    {718, nullptr, nullptr, 718},  // RUV_ATTR_TX_HANDLE_API
    {400, sys_get<400>, read_only, 1},  // RUV_ATTR_SCREEN_HEIGHT
    {402, nullptr, read_only, 402},
    {403, nullptr, read_only, 403},
    {401, sys_get<401>, read_only, 0},  // RUV_ATTR_SCREEN_WIDTH
    {300, nullptr, read_only, 300},  // RUV_ATTR_SCREEN_WINDOW
    {704, nullptr, nullptr, 704},
    {301, nullptr, read_only, 301},  // RUV_ATTR_TASK_WINDOW
    {507, sys_get<507>, read_only, 4},
    {104, nullptr, read_only, 104},  // RUV_ATTR_APP_CONFIG
    {716, nullptr, before_start, 716},
    {717, nullptr, before_start, 717},
    {603, navigation_get, navigation_set, 603},  // RUV_ATTR_NAVIGATION
    {10000, nullptr, read_only, 10000},
    {10019, nullptr, nullptr, 10019},  // RUV_ATTR_CREATE_HOOK
    {10004, nullptr, nullptr, 10004},
    {10001, nullptr, read_only, 10001},
    {10003, nullptr, exclusive_mode, 10003},  // RUV_ATTR_MDI
    {10021, nullptr, read_only, 10021},  // RUV_ATTR_MDI_CLIENT
    {10020, nullptr, nullptr, 10020},
    {10005, nullptr, nullptr, 10005},
    {10006, nullptr, exclusive_mode, 10006},  // RUV_ATTR_DRAWABLE_TASK_WINDOW
    {10014, nullptr, nullptr, 10014},
    {10008, nullptr, exclusive_mode, 10008},  // RUV_ATTR_NO_TASK_WINDOW
    {10007, nullptr, nullptr, 10007},
    {10009, nullptr, nullptr, 10009},
    {10010, nullptr, nullptr, 10010},
    {10011, nullptr, nullptr, 10011},
    {10012, nullptr, nullptr, 10012},  // RUV_ATTR_TASK_STYLE
    {10013, nullptr, nullptr, 10013},
    {10018, nullptr, nullptr, 10018},
    {10002, nullptr, read_only, 10002},
    {10015, nullptr, before_start, 10015},
    {10022, nullptr, nullptr, 10022},
    {10016, nullptr, nullptr, 10016},
    {10023, sys_get<10023>, sys_set<10023>, 10023},
    {10024, sys_get<10024>, read_only, 10024},
    {10025, nullptr, before_start, 10025},
    {10026, nullptr, nullptr, 10026},  // RUV_ATTR_NATIVE_DIALOGS
    {10027, nullptr, nullptr, 10027},
    {10028, nullptr, nullptr, 10028},  // RUV_ATTR_BANDING
    {10029, nullptr, before_start, 10029},  // RUV_ATTR_USE_CTL3D
    {10030, nullptr, mdi_margin, 10030},  // RUV_ATTR_MDI_MARGIN_TOP
    {10031, nullptr, mdi_margin, 10031},  // RUV_ATTR_MDI_MARGIN_BOTTOM
    {10032, nullptr, mdi_margin, 10032},
    {10033, nullptr, mdi_margin, 10033},
    {10034, nullptr, read_only, 10034},  // RUV_ATTR_MDI_FRAME_WINDOW
    {10035, nullptr, nullptr, 10035},
    {10036, nullptr, nullptr, 10036},  // RUV_ATTR_PRINT_THREAD
    {10041, nullptr, nullptr, 10041},
    {10037, sys_get<10037>, read_only, 10037},
    {10038, sys_get<10038>, sys_set<10038>, 10038},
    {10039, nullptr, nullptr, 10039},  // RUV_ATTR_COLOR_COMBO_ROWS
    {10040, nullptr, nullptr, 10040},  // RUV_ATTR_COLOR_LIST_ROWS
    {10042, nullptr, nullptr, 10042},  // RUV_ATTR_DIALOG_OWNER
    {10043, nullptr, nullptr, 10043},
    {10044, nullptr, nullptr, 10044},
};

int find(int32_t key)
{
    for (int i = 0; i < RUV_ATTR_COUNT; ++i)
        if (table[i].key == key)
            return i;
    return -1;
}

intptr_t stored(int32_t key)
{
    AttrBlock *b = attr_block();
    int i = find(key);
    return b && i >= 0 ? b->values[i] : 0;
}

void set_value(AttrBlock *b, int32_t key, intptr_t value)
{
    int i = find(key);
    if (i >= 0)
        b->values[i] = value;
}

void set_fixed_start_values(AttrBlock *b)
{
    set_value(b, RUV_ATTR_PALETTE_TYPE, 1);
    set_value(b, 103, 1);
    set_value(b, 10015, 1000);
    set_value(b, 10022, 1);
    set_value(b, RUV_ATTR_BANDING, 0);
    set_value(b, 10041, 0);
}

} // namespace

extern "C" {

RUV_BOOL ruvv_attr_init(const RUV_ATTR_START *start)
{
    AttrBlock *b = attr_block();
    if (!b) {
        ruvv_errmsg_dispatch(nullptr, RUV_SEV_FATAL, ERR_NO_VALUES, __FILE__, __LINE__);
        return FALSE;
    }
    std::memset(b->values, 0, sizeof b->values);
    set_fixed_start_values(b);
    if (start) {
        for (int32_t key : { 200, 201, 202 })
            set_value(b, key, start->dlg_units_12);
        for (int32_t key : { 205, 206 })
            set_value(b, key, start->dlg_units_9);
        set_value(b, 402, start->ppi_x);
        set_value(b, 403, start->ppi_y);
        set_value(b, 101, start->color_screen);
        set_value(b, 408, start->frame_width);
        set_value(b, 409, start->frame_height);
        set_value(b, RUV_ATTR_TASK_STYLE, start->task_style);
        set_value(b, 10001, start->instance);
        set_value(b, 10002, start->prev_instance);
        set_value(b, 10000, start->command_line);
    }
    return TRUE;
}

intptr_t ruvv_attr_get(RUV_WIN win, int32_t key)
{
    int i = find(key);
    if (i < 0) {
        report(ERR_GET);
        return 0;
    }
    const RUV_ATTR_ENTRY &e = table[i];
    if (e.get)
        return e.get(win, e.arg);
    AttrBlock *b = attr_block();
    return b ? b->values[i] : 0;
}

void ruvv_attr_set(RUV_WIN win, int32_t key, intptr_t value)
{
    int i = find(key);
    if (i < 0) {
        report(ERR_SET);
        return;
    }
    const RUV_ATTR_ENTRY &e = table[i];
    // A refused read-only value is not stored.
    if (e.set == read_only) {
        report(ERR_SET);
        return;
    }
    if (e.set)
        e.set(win, i, value);
    else
        store(i, value);
}

void ruvv_attr_set_internal(RUV_WIN win, int32_t key, intptr_t value)
{
    int i = find(key);
    if (i < 0)
        return;
    const RUV_ATTR_ENTRY &e = table[i];
    if (e.set && e.set != read_only)
        e.set(win, i, value);
    else
        store(i, value);
}

const RUV_ATTR_ENTRY *ruvv_attr_table(void)
{
    return table;
}

} // extern "C"
