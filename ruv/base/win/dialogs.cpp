// Toolkit dialogs from window definitions and native dialog resources: the
// dialog template written in memory from a definition, modal and modeless
// creation over the chosen owner, the native controls adopted as toolkit
// controls when the dialog starts, the list of modeless dialogs whose
// messages the loop offers to the dialog manager, closing and freeing.

#include "dialogs.h"

#include <cstring>
#include <string>
#include <vector>

#include "native_controls.h"
#include "draw_state.h"
#include "timers.h"
#include "window_create.h"
#include "window_procs.h"
#include "window_services.h"
#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_color.h"
#include "ruvv_ctl_text.h"
#include "ruvv_errmsg.h"
#include "ruvv_font.h"
#include "ruvv_mem.h"

namespace {

constexpr RUV_ERRMSG_ID ERR_GLOBAL_ALLOC = 0x1510002;  // "Failed to allocate global memory"
constexpr RUV_ERRMSG_ID ERR_BAD_VALUE = 0x1250001;     // "Bad value"
constexpr RUV_ERRMSG_ID ERR_NO_RESOURCE = 0x1530003;   // "Failed to find resource"

constexpr uint32_t KINDS_DISABLED_BY_MODAL = 0x1047u;
constexpr uint32_t DIALOG_COLOR_COMPONENTS = 0x4Eu;

// The dialog object's kind words.
enum { DW_RES_ID = 0, DW_FROM_RES = 1, DW_DEF = 2, DW_FONT = 3 };

bool valid(RUV_WIN w)
{
    return w && w->tag == RUV_VOBJ_TAG;
}

bool attr_on(int32_t key)
{
    return static_cast<int16_t>(ruvk_vobj_get_attr(NULL_WIN, key)) != 0;
}

RUV_WIN task_window()
{
    return reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
}

HWND native_of(RUV_WIN w)
{
    return valid(w) ? static_cast<HWND>(w->native) : nullptr;
}

bool own_dialog_id(intptr_t id)
{
    return id >= 9050 && id <= 9099;
}

// ---- the template ---------------------------------------------------------------

// The radio-group flag lives for the process, as the template writer's
// other state: the dialog header and every non-radio item close the group.
bool radio_group_open = false;

class TemplateWriter {
public:
    void word(uint16_t v)
    {
        bytes_.push_back(static_cast<uint8_t>(v));
        bytes_.push_back(static_cast<uint8_t>(v >> 8));
    }
    void dword(uint32_t v)
    {
        word(static_cast<uint16_t>(v));
        word(static_cast<uint16_t>(v >> 16));
    }
    void text(const std::string &s)
    {
        if (!s.empty()) {
            int n = MultiByteToWideChar(CP_ACP, 0, s.c_str(), static_cast<int>(s.size()), nullptr, 0);
            std::vector<wchar_t> w(static_cast<size_t>(n > 0 ? n : 0));
            if (n > 0)
                MultiByteToWideChar(CP_ACP, 0, s.c_str(), static_cast<int>(s.size()), w.data(), n);
            for (wchar_t c : w)
                word(static_cast<uint16_t>(c));
        }
        word(0);
    }
    void align()
    {
        while (bytes_.size() % 4)
            bytes_.push_back(0);
    }
    const std::vector<uint8_t> &bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

struct ItemKind {
    int32_t type;
    const char *cls;
    bool titled;
    DWORD style;
};
constexpr ItemKind ITEM_KINDS[] = {
    {12, "BUTTON", true, 0x44030000}, {13, "BUTTON", true, 0x44000004},    {14, "BUTTON", true, 0x44030002},
    {22, "BUTTON", true, 0x44000007}, {15, "SCROLLBAR", false, 0x44030000}, {16, "SCROLLBAR", false, 0x44030001},
    {17, "EDIT", true, 0x44830080},   {24, "STATIC", false, 0x44000003},   {19, "LISTBOX", false, 0x44A31000},
    {18, "STATIC", true, 0x44000000}, {20, "COMBOBOX", true, 0x44230003},  {21, "COMBOBOX", true, 0x44230042},
};

const ItemKind *item_kind(int32_t type)
{
    for (const ItemKind &k : ITEM_KINDS)
        if (k.type == type)
            return &k;
    return nullptr;
}

// The rectangle in dialog-template units: x, y, width, height.
void template_rect(const RUV_WIN_DEF *e, int16_t out[4])
{
    RUV_RECT r = e->rect;
    int32_t bx, by;
    ruvk_dialog_base_units(&bx, &by);
    ruvv_units_convert_rect(&r, e->unit, RUV_UNIT_DIALOG, bx, by);
    out[0] = r.left;
    out[1] = r.top;
    out[2] = static_cast<int16_t>(r.right - r.left);
    out[3] = static_cast<int16_t>(r.bottom - r.top);
}

std::string item_title(const RUV_WIN_DEF *e)
{
    if (!e->title || !*e->title)
        return std::string();
    if (!ruvk_type_has_mnemonics(e->type))
        return e->title;
    std::string out(std::strlen(e->title) * 2 + 1, '\0');
    ruvk_title_to_native(e->title, &out[0], out.size());
    out.resize(std::strlen(out.c_str()));
    return out;
}

bool write_item(TemplateWriter &t, const RUV_WIN_DEF *e)
{
    const ItemKind *k = item_kind(e->type);
    if (!k)
        return false;
    const uint32_t flags = static_cast<uint32_t>(e->u.ctl.flags);
    DWORD style = k->style;
    switch (e->type) {
    case WC_PUSH_BUTTON:
        if (flags & RUV_CF_DEFAULT)
            style |= BS_DEFPUSHBUTTON;
        break;
    case WC_RADIO_BUTTON:
        if (!radio_group_open) {
            radio_group_open = true;
            style |= WS_GROUP | WS_TABSTOP;
        } else if (flags & 0x20u) {
            radio_group_open = false;
        }
        break;
    case WC_HSCROLL_BAR:
        if (e->rect.top == e->rect.bottom)
            style |= SBS_TOPALIGN;
        break;
    case WC_VSCROLL_BAR:
        if (e->rect.left == e->rect.right)
            style |= SBS_LEFTALIGN;
        break;
    case WC_EDIT:
        if (flags & RUV_CF_READONLY)
            style |= ES_READONLY;
        if (flags & RUV_CF_PASSWORD)
            style |= ES_PASSWORD;
        break;
    case WC_LIST_BOX:
        if (!(flags & RUV_CF_READONLY))
            style |= LBS_NOTIFY;
        if (flags & RUV_CF_EXTENDED)
            style |= LBS_EXTENDEDSEL;
        break;
    case WC_STATIC_TEXT:
        if (flags & RUV_CF_CENTER)
            style |= SS_CENTER;
        else if (flags & RUV_CF_RIGHT)
            style |= SS_RIGHT;
        break;
    default:
        break;
    }
    if (e->type != WC_RADIO_BUTTON)
        radio_group_open = false;
    if (flags & RUV_CF_DISABLED)
        style |= WS_DISABLED;
    if (!(flags & RUV_CF_HIDDEN))
        style |= WS_VISIBLE;

    int16_t r[4];
    template_rect(e, r);
    t.align();
    t.dword(style);
    t.dword(0);
    for (int16_t v : r)
        t.word(static_cast<uint16_t>(v));
    t.word(static_cast<uint16_t>(e->u.ctl.ctl_id));
    t.text(k->cls);
    if (e->type == WC_ICON) {
        t.word(0xFFFF);
        t.word(static_cast<uint16_t>(e->u.ctl.icon_id));
    } else {
        t.text(k->titled ? item_title(e) : std::string());
    }
    t.word(0);
    return true;
}

// ---- the modeless list -----------------------------------------------------------

struct ModelessNode {
    ModelessNode *prev, *next;
    RUV_WIN dialog;
};
ModelessNode *modeless_head = nullptr;

void modeless_link(RUV_WIN dlg)
{
    auto *node = static_cast<ModelessNode *>(ruvv_mem_zalloc(sizeof(ModelessNode)));
    if (!node)
        return;
    node->dialog = dlg;
    if (!modeless_head) {
        node->prev = node->next = node;
    } else {
        node->next = modeless_head;
        node->prev = modeless_head->prev;
        modeless_head->prev->next = node;
        modeless_head->prev = node;
    }
    modeless_head = node;
    dlg->modeless_node = node;
    if (RUV_APP_RECORD *app = ruvk_app_record())
        ++app->modeless_count;
}

void modeless_unlink(RUV_WIN dlg)
{
    auto *node = static_cast<ModelessNode *>(dlg->modeless_node);
    if (!node)
        return;
    if (node->next == node) {
        modeless_head = nullptr;
    } else {
        node->prev->next = node->next;
        node->next->prev = node->prev;
        if (modeless_head == node)
            modeless_head = node->next;
    }
    dlg->modeless_node = nullptr;
    ruvv_mem_free(node);
    if (RUV_APP_RECORD *app = ruvk_app_record())
        if (app->modeless_count > 0)
            --app->modeless_count;
}

// ---- modal disabling -------------------------------------------------------------

void enable_again(RUV_WIN dlg)
{
    ruvk_dlg_enable_windows(static_cast<RUV_WIN *>(dlg->modal_disabled));
    dlg->modal_disabled = nullptr;
}

// ---- creation ------------------------------------------------------------------------

RUV_WIN make_object(int32_t type, intptr_t res_id, RUV_WIN_DEF *def, uint32_t event_mask,
                    RUV_EVENT_HANDLER handler, void *app_data)
{
    auto *rec = static_cast<RUV_VOBJ *>(ruvv_mem_zalloc(sizeof(RUV_VOBJ)));
    if (!rec)
        return NULL_WIN;
    RUV_WIN screen = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_SCREEN_WINDOW));
    if (!ruvk_vobj_record_init(rec, type, RUVK_KIND_DIALOG, screen)) {
        ruvk_vobj_record_release(rec);
        ruvv_mem_free(rec);
        return NULL_WIN;
    }
    rec->top = rec;
    rec->handler = handler;
    rec->event_mask = event_mask;
    rec->app_data = app_data;
    rec->kind_words[DW_RES_ID] = res_id;
    if (res_id) {
        rec->kind_words[DW_FROM_RES] = 1;
        rec->kind_words[DW_DEF] = reinterpret_cast<intptr_t>(def);
    }
    if (def) {
        rec->kind_words[DW_FONT] = reinterpret_cast<intptr_t>(def->u.dlg.font);
        if (RUVK_CTL_STATE *st = ruvk_ctl_state(rec)) {
            st->colors.allowed = DIALOG_COLOR_COMPONENTS;
            if (def->colors)
                ruvv_color_modify_set(&st->colors, def->colors, 0);
        }
    }
    return rec;
}

void release_object(RUV_WIN rec)
{
    ruvk_draw_state_destroy(rec);
    ruvk_vobj_record_release(rec);
    ruvv_mem_free(rec);
}

// Set while a dialog is being made: a dialog whose procedure never saw its
// first message is freed by its creator.
struct Creation {
    RUV_WIN dialog;
    bool started;
};
std::vector<Creation *> creations;

RUV_WIN run_dialog(int32_t type, intptr_t res_id, RUV_WIN_DEF *def, HGLOBAL mem_template, uint32_t event_mask,
                   RUV_EVENT_HANDLER handler, void *app_data)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    const bool modal = type == RUVK_W_MODAL_DIALOG;
    HWND owner = ruvk_dlg_owner(modal);
    RUV_WIN dlg = app ? make_object(type, res_id, def, event_mask, handler, app_data) : NULL_WIN;
    if (!dlg)
        return NULL_WIN;
    if (modal)
        dlg->modal_disabled = ruvk_dlg_disable_windows(owner);
    else
        modeless_link(dlg);

    HINSTANCE inst = app->res_instance ? app->res_instance : app->instance;
    // With native dialogs the kernel loads the resource itself and clears
    // its absolute alignment, in a copy.
    std::vector<uint8_t> native_copy;
    const DLGTEMPLATE *tpl = nullptr;
    if (mem_template) {
        tpl = static_cast<const DLGTEMPLATE *>(GlobalLock(mem_template));
    } else if (attr_on(RUV_ATTR_NATIVE_DIALOGS)) {
        if (HRSRC found = FindResourceA(inst, MAKEINTRESOURCEA(res_id), reinterpret_cast<LPCSTR>(RT_DIALOG))) {
            HGLOBAL loaded = LoadResource(inst, found);
            const void *p = loaded ? LockResource(loaded) : nullptr;
            DWORD size = SizeofResource(inst, found);
            if (p && size >= sizeof(DWORD) * 2) {
                native_copy.assign(static_cast<const uint8_t *>(p), static_cast<const uint8_t *>(p) + size);
                // An extended template keeps its style at offset 12.
                const bool ex = reinterpret_cast<const uint16_t *>(native_copy.data())[1] == 0xFFFF;
                size_t at = ex ? 12 : 0;
                if (native_copy.size() >= at + 4) {
                    DWORD style;
                    std::memcpy(&style, native_copy.data() + at, 4);
                    style &= ~static_cast<DWORD>(DS_ABSALIGN);
                    std::memcpy(native_copy.data() + at, &style, 4);
                }
                tpl = reinterpret_cast<const DLGTEMPLATE *>(native_copy.data());
            }
        }
    }

    Creation creation{dlg, false};
    creations.push_back(&creation);
    const LPARAM param = reinterpret_cast<LPARAM>(dlg);
    bool ok;
    SetLastError(0);
    if (modal) {
        INT_PTR r = tpl ? DialogBoxIndirectParamA(inst, tpl, owner, ruvk_proc_dialog, param)
                        : DialogBoxParamA(inst, MAKEINTRESOURCEA(res_id), owner, ruvk_proc_dialog, param);
        ok = r != -1;
    } else {
        HWND h = tpl ? CreateDialogIndirectParamA(inst, tpl, owner, ruvk_proc_dialog, param)
                     : CreateDialogParamA(inst, MAKEINTRESOURCEA(res_id), owner, ruvk_proc_dialog, param);
        ok = h != nullptr;
    }
    creations.pop_back();
    if (mem_template) {
        GlobalUnlock(mem_template);
        GlobalFree(mem_template);
    }
    if (!ok) {
        RUV_ERR(NULL_WIN, RUV_SEV_ERROR, ERR_NO_RESOURCE);
        if (!creation.started) {
            enable_again(dlg);
            modeless_unlink(dlg);
            if (def && res_id)
                ruvv_res_free_win_def(def);
            release_object(dlg);
        }
        return NULL_WIN;
    }
    // A modal dialog has ended and its object is gone: the result tells
    // only success.
    return dlg;
}

} // namespace

extern "C" {

RUV_WIN *ruvk_dlg_disable_windows(HWND owner)
{
    std::vector<RUV_WIN> found;
    RUV_REGISTRY_ITER it;
    ruvv_registry_iter_init(&it);
    while (RUV_WIN w = ruvv_registry_iter_next(&it, nullptr, 0)) {
        if (!(w->kind & KINDS_DISABLED_BY_MODAL) || w->kind == RUVK_KIND_MDIFRAME_OBJ)
            continue;
        HWND h = native_of(w);
        if (!h || h == owner || !IsWindowEnabled(h))
            continue;
        found.push_back(w);
    }
    auto *list = static_cast<RUV_WIN *>(ruvv_mem_zalloc(sizeof(RUV_WIN) * (found.size() + 1)));
    if (!list)
        return nullptr;
    for (size_t i = 0; i < found.size(); ++i) {
        list[i] = found[i];
        EnableWindow(native_of(found[i]), FALSE);
    }
    return list;
}

void ruvk_dlg_enable_windows(RUV_WIN *list)
{
    if (!list)
        return;
    for (RUV_WIN *p = list; *p; ++p)
        if (valid(*p) && (*p)->native)
            EnableWindow(static_cast<HWND>((*p)->native), TRUE);
    ruvv_mem_free(list);
}

HGLOBAL ruvk_dlg_build_template(const RUV_WIN_DEF *def, size_t *length)
{
    if (length)
        *length = 0;
    if (!def || (def->type != RUVK_W_MODAL_DIALOG && def->type != RUVK_W_MODELESS_DIALOG)) {
        RUV_ERR(NULL_WIN, RUV_SEV_ERROR, ERR_BAD_VALUE);
        return nullptr;
    }
    TemplateWriter t;
    const uint32_t dflags = static_cast<uint32_t>(def->u.dlg.flags);
    const bool titled = def->title && *def->title;
    DWORD style = def->type == RUVK_W_MODAL_DIALOG ? 0x84080085u : 0x84C80005u;
    if (def->type == RUVK_W_MODAL_DIALOG && titled)
        style |= WS_CAPTION;
    if (dflags & 0x1u)
        style |= WS_DISABLED;
    if (!(dflags & 0x2u))
        style |= WS_VISIBLE;
    radio_group_open = false;
    uint16_t count = 0;
    for (const RUV_WIN_DEF *e = def + 1; e->type != 0; ++e)
        ++count;
    int16_t r[4];
    template_rect(def, r);
    t.dword(style);
    t.dword(0);
    t.word(count);
    for (int16_t v : r)
        t.word(static_cast<uint16_t>(v));
    t.word(0);
    t.word(0);
    t.text(titled ? def->title : "");
    // Group boxes after every other item, so they sit behind them.
    bool ok = true;
    for (const RUV_WIN_DEF *e = def + 1; ok && e->type != 0; ++e)
        if (e->type != WC_GROUP_BOX)
            ok = write_item(t, e);
    for (const RUV_WIN_DEF *e = def + 1; ok && e->type != 0; ++e)
        if (e->type == WC_GROUP_BOX)
            ok = write_item(t, e);
    if (!ok) {
        RUV_ERR(NULL_WIN, RUV_SEV_ERROR, ERR_BAD_VALUE);
        return nullptr;
    }
    const std::vector<uint8_t> &bytes = t.bytes();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size() * 2);
    void *p = mem ? GlobalLock(mem) : nullptr;
    if (!p) {
        if (mem)
            GlobalFree(mem);
        RUV_ERR(NULL_WIN, RUV_SEV_ERROR, ERR_GLOBAL_ALLOC);
        return nullptr;
    }
    std::memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(mem);
    if (length)
        *length = bytes.size();
    return mem;
}

RUV_WIN ruvk_dlg_create_def(const RUV_WIN_DEF *def, uint32_t event_mask, RUV_EVENT_HANDLER handler, void *app_data)
{
    HGLOBAL tpl = ruvk_dlg_build_template(def, nullptr);
    if (!tpl)
        return NULL_WIN;
    // The definition's font and colours serve the dialog; the controls were
    // written with theirs.
    return run_dialog(def->type, 0, const_cast<RUV_WIN_DEF *>(def), tpl, event_mask, handler, app_data);
}

RUV_WIN ruvk_dlg_create_res(int32_t type, int32_t res_id, uint32_t event_mask, RUV_EVENT_HANDLER handler,
                            void *app_data)
{
    if ((type != RUVK_W_MODAL_DIALOG && type != RUVK_W_MODELESS_DIALOG) || res_id <= 0 || res_id > 0x7FFF) {
        RUV_ERR(NULL_WIN, RUV_SEV_ERROR, ERR_BAD_VALUE);
        return NULL_WIN;
    }
    RUV_WIN_DEF *def = nullptr;
    if (ruvv_furl_find(RUV_RES_DIALOG, static_cast<int16_t>(res_id)))
        def = ruvv_res_get_dlg_def(static_cast<int16_t>(res_id));
    return run_dialog(type, res_id, def, nullptr, event_mask, handler, app_data);
}

void ruvk_dlg_init_controls(RUV_WIN dlg)
{
    if (!valid(dlg) || !(dlg->kind & RUVK_KIND_DIALOG))
        return;
    for (Creation *c : creations)
        if (c->dialog == dlg)
            c->started = true;
    HWND hwnd = native_of(dlg);
    RUV_APP_RECORD *app = ruvk_app_record();
    if (!hwnd || !app)
        return;
    if (app->ctl3d && app->ctl3d_subclass)
        reinterpret_cast<BOOL(WINAPI *)(HWND, DWORD)>(reinterpret_cast<void *>(app->ctl3d_subclass))(hwnd, 0xFFFF);

    const intptr_t res_id = dlg->kind_words[DW_RES_ID];
    const bool from_res = dlg->kind_words[DW_FROM_RES] != 0;
    auto *def = reinterpret_cast<const RUV_WIN_DEF *>(dlg->kind_words[DW_DEF]);
    const bool plain_native = from_res && !def && !own_dialog_id(res_id);

    // Every descendant (not only the direct children) of a recognised class.
    std::vector<HWND> children;
    EnumChildWindows(
        hwnd,
        [](HWND h, LPARAM lp) -> BOOL {
            reinterpret_cast<std::vector<HWND> *>(lp)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) {
        if (ruvwi_hwnd_to_window(child))
            continue;
        // The edit part of a drop-down belongs to its combo box.
        char parent_class[16] = "";
        GetClassNameA(GetParent(child), parent_class, sizeof parent_class);
        if (lstrcmpiA(parent_class, "ComboBox") == 0)
            continue;
        const int32_t type = ruvk_ctl_type_of_hwnd(child);
        if (type < 0)
            continue;
        auto *rec = static_cast<RUV_VOBJ *>(ruvv_mem_zalloc(sizeof(RUV_VOBJ)));
        if (!rec)
            continue;
        if (!ruvk_vobj_record_init(rec, type, RUVK_KIND_CONTROL, dlg)) {
            ruvk_vobj_record_release(rec);
            ruvv_mem_free(rec);
            continue;
        }
        rec->top = dlg;
        rec->native = child;
        SetWindowLongPtrA(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(rec));
        RUVK_CTL_STATE *st = ruvk_ctl_state(rec);
        if (st)
            st->colors.allowed = ruvk_ctl_component_mask(type);
        ruvk_ctl_subclass(rec, child);
        if (plain_native)
            ruvk_ctl_resolve_colors(rec, ruvk_ctl_component_mask(type));
        if (type == WC_EDIT && (GetWindowLongPtrA(child, GWL_STYLE) & ES_PASSWORD))
            SendMessageA(child, EM_SETPASSWORDCHAR, '*', 0);
        if (type == WC_GROUP_BOX && from_res)
            SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    if (def && from_res && !own_dialog_id(res_id)) {
        ruvk_ctl_guard(1);
        for (const RUV_WIN_DEF *e = def + 1; e->type != 0; ++e) {
            RUV_WIN ctl = ruvk_win_get_ctl(dlg, static_cast<int32_t>(e->u.ctl.ctl_id));
            if (!valid(ctl))
                continue;
            if ((e->u.ctl.flags & RUV_CF_CHECKED) && (ctl->type == WC_RADIO_BUTTON || ctl->type == WC_CHECK_BOX))
                SendMessageA(native_of(ctl), BM_SETCHECK, BST_CHECKED, 0);
            if (ruvv_font_is_valid(e->u.ctl.font))
                ruvk_ctl_set_font(ctl, e->u.ctl.font);
            else if (HFONT f = ruvk_ctl_inherited_font(ctl))
                SendMessageA(native_of(ctl), WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
            if (e->colors)
                if (RUVK_CTL_STATE *st = ruvk_ctl_state(ctl))
                    ruvv_color_modify_set(&st->colors, e->colors, 0);
            ruvk_ctl_resolve_colors(ctl, ruvk_ctl_component_mask(ctl->type));
        }
        ruvk_ctl_guard(0);
    }
}

void ruvk_dlg_close(RUV_WIN win)
{
    if (!valid(win))
        return;
    HWND hwnd = native_of(win);
    if (!hwnd)
        return;
    if (win->type == RUVK_W_MODAL_DIALOG && (win->kind & RUVK_KIND_DIALOG)) {
        EndDialog(hwnd, 1);
        return;
    }
    if (GetActiveWindow() == hwnd) {
        for (HWND next = GetWindow(hwnd, GW_HWNDNEXT); next; next = GetWindow(next, GW_HWNDNEXT)) {
            if (IsWindowEnabled(next) && IsWindowVisible(next)) {
                SetFocus(next);
                break;
            }
        }
    }
    DestroyWindow(hwnd);
}

void ruvk_dlg_free(RUV_WIN dlg)
{
    if (!valid(dlg) || !(dlg->kind & RUVK_KIND_DIALOG))
        return;
    enable_again(dlg);
    modeless_unlink(dlg);
    if (dlg->kind_words[DW_FROM_RES] && dlg->kind_words[DW_DEF])
        ruvv_res_free_win_def(reinterpret_cast<RUV_WIN_DEF *>(dlg->kind_words[DW_DEF]));
    dlg->kind_words[DW_DEF] = 0;
    for (Creation *c : creations)
        if (c->dialog == dlg)
            c->started = true;
    if (HWND hwnd = native_of(dlg))
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    ruvk_focus_forget(dlg);
    release_object(dlg);
}

RUV_BOOL ruvk_dlg_modeless_message(MSG *msg)
{
    if (!msg || !modeless_head)
        return 0;
    // The windows first: a dialog that the message destroys takes its node
    // with it, and the walk goes on over the ones that were there.
    std::vector<HWND> windows;
    ModelessNode *n = modeless_head;
    do {
        if (HWND h = native_of(n->dialog))
            windows.push_back(h);
        n = n->next;
    } while (n != modeless_head);
    for (HWND h : windows)
        if (IsWindow(h) && IsDialogMessageA(h, msg))
            return 1;
    return 0;
}

HWND ruvk_dlg_owner(RUV_BOOL modal)
{
    HWND active = GetActiveWindow();
    RUV_WIN obj = active ? ruvwi_hwnd_to_window(active) : NULL_WIN;
    RUV_WIN task = task_window();
    const bool no_task = attr_on(RUV_ATTR_NO_TASK_WINDOW);
    auto attr_owner = [] { return reinterpret_cast<HWND>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_DIALOG_OWNER)); };
    if (modal) {
        if (obj)
            return active;
        if (HWND o = attr_owner())
            return o;
        return no_task ? nullptr : native_of(task);
    }
    if (!no_task)
        return native_of(task);
    if (!valid(obj))
        return attr_owner();
    if (obj->kind & RUVK_KIND_DIALOG)
        return GetWindow(active, GW_OWNER);
    RUV_WIN top = valid(obj->top) ? obj->top : obj;
    if (top->native)
        return static_cast<HWND>(top->native);
    return top->type == RUVK_W_DOC ? native_of(task) : nullptr;
}

} // extern "C"
