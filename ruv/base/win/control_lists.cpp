/* Rows of list boxes, drop lists and drop-downs: adding (one row or a
   string list), removing, clearing, counting, reading rows (each row is
   measured before it is read, so a long row never runs past a buffer),
   selection, suspended redrawing, the horizontal extent of list boxes with
   a horizontal bar, the dropped list's height, and the two things the
   event translation asks of these controls: the drop-down's copy of its
   selected row into its edit part and the edit formatter. */
#include "native_controls.h"

#include <cstring>
#include <string>
#include <vector>

#include "event_translate.h"
#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_ctl_text.h"
#include "ruvv_errmsg.h"
#include "ruvv_list.h"
#include "ruvv_mem.h"
#include "window_services.h"

namespace {

constexpr RUV_ERRMSG_ID ERR_NO_MEMORY = 0x510000;
constexpr RUV_ERRMSG_ID ERR_INVALID_OBJECT = 0x220000;
constexpr RUV_ERRMSG_ID ERR_VALUE_TOO_HIGH = 0x1250003;
constexpr RUV_ERRMSG_ID ERR_BAD_VALUE = 0x1250001;
constexpr RUV_ERRMSG_ID ERR_ACCESS = 0x540000;
constexpr RUV_ERRMSG_ID ERR_OBJECT_TYPE = 0x230000;
constexpr RUV_ERRMSG_ID ERR_BAD_WINDOW = 0x1220002;
constexpr RUV_ERRMSG_ID ERR_BAD_ARGUMENT = 0x200000;
constexpr RUV_ERRMSG_ID ERR_CORRUPTED = 0x1570001;
constexpr int32_t ROW_BUFFER = 300;        // rows gathered into string lists
constexpr int32_t DROP_DOWN_COPY = 256;    // selected row copied into the edit part

bool valid(RUV_WIN w)
{
    return w && w->tag == RUV_VOBJ_TAG;
}

HWND hwnd_of(RUV_WIN w)
{
    return valid(w) ? static_cast<HWND>(w->native) : nullptr;
}

// List kind by the native class: 19 list box, 20/21 combo box, else -1.
int32_t list_kind(RUV_WIN list)
{
    int32_t t = ruvk_ctl_type_of_hwnd(hwnd_of(list));
    return (t == WC_LIST_BOX || t == WC_DROP_LIST || t == WC_DROP_DOWN) ? t : -1;
}

struct Msgs {
    UINT insert, remove, reset, count, textlen, text, cursel, setcursel;
};
constexpr Msgs LB = {LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_GETCOUNT,
                     LB_GETTEXTLEN,  LB_GETTEXT,      LB_GETCURSEL,    LB_SETCURSEL};
constexpr Msgs CB = {CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_GETCOUNT,
                     CB_GETLBTEXTLEN, CB_GETLBTEXT,    CB_GETCURSEL,    CB_SETCURSEL};

const Msgs &msgs(int32_t kind)
{
    return kind == WC_LIST_BOX ? LB : CB;
}

bool multi_select(HWND hwnd)
{
    return (GetWindowLongPtrA(hwnd, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}

bool has_extent(RUV_WIN list)
{
    return list->type == WC_LIST_BOX && (list->create_flags & RUV_CF_LIST_HSCROLL);
}

// Width of a row's visible text in the list's font.
int32_t row_width(RUV_WIN list, const char *row)
{
    HWND h = hwnd_of(list);
    RUV_ROW_COLORS rc;
    ruvv_row_colors_parse(row, &rc);
    HDC dc = GetDC(h);
    if (!dc)
        return -1;
    HFONT f = ruvk_ctl_inherited_font(list);
    HGDIOBJ old = SelectObject(dc, f ? static_cast<HGDIOBJ>(f) : GetStockObject(SYSTEM_FONT));
    SIZE size{0, 0};
    BOOL ok = GetTextExtentPoint32A(dc, rc.visible, static_cast<int>(std::strlen(rc.visible)), &size);
    SelectObject(dc, old);
    ReleaseDC(h, dc);
    return ok ? size.cx : -1;
}

bool widen_extent(RUV_WIN list, const char *row)
{
    int32_t w = row_width(list, row);
    if (w < 0) {
        RUV_ERR(list, RUV_SEV_ERROR, ERR_CORRUPTED);
        return false;
    }
    HWND h = hwnd_of(list);
    if (w + 10 > static_cast<int32_t>(SendMessageA(h, LB_GETHORIZONTALEXTENT, 0, 0)))
        SendMessageA(h, LB_SETHORIZONTALEXTENT, w + 10, 0);
    return true;
}

// A combo box whose list is dropped shows as many rows as it holds (below 10).
void fit_dropped_list(RUV_WIN list, int32_t kind, int32_t rows)
{
    HWND h = hwnd_of(list);
    if (kind == WC_LIST_BOX || !SendMessageA(h, CB_GETDROPPEDSTATE, 0, 0))
        return;
    int32_t count = static_cast<int32_t>(SendMessageA(h, CB_GETCOUNT, 0, 0));
    if (count >= 10)
        return;
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!GetComboBoxInfo(h, &info) || !info.hwndList)
        return;
    int32_t item = static_cast<int32_t>(SendMessageA(h, CB_GETITEMHEIGHT, 0, 0));
    RECT r;
    GetWindowRect(info.hwndList, &r);
    SetWindowPos(info.hwndList, nullptr, 0, 0, r.right - r.left, item * rows, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Adds one row; 1 done, 0 failed (reported).
int add_row(RUV_WIN list, int32_t kind, int32_t index, const char *text, bool report_as_memory)
{
    HWND h = hwnd_of(list);
    const Msgs &m = msgs(kind);
    int32_t before = static_cast<int32_t>(SendMessageA(h, m.count, 0, 0));
    LRESULT r = SendMessageA(h, m.insert, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    if (r < 0) {
        RUV_ERR(list, RUV_SEV_ERROR, (r == -2 || report_as_memory) ? ERR_NO_MEMORY : ERR_INVALID_OBJECT);
        return 0;
    }
    if (has_extent(list) && !widen_extent(list, text))
        return 0;
    fit_dropped_list(list, kind, before + 2);
    return 1;
}

std::string read_row(HWND h, bool combo, int32_t index, bool *ok)
{
    LRESULT len = SendMessageA(h, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    *ok = len >= 0;
    if (len < 0)
        return std::string();
    // Room for the row and more: the length query may count a multi-byte
    // row short, the read never.
    std::vector<char> buf(static_cast<size_t>(len) * 2 + 2, '\0');
    LRESULT got = SendMessageA(h, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(index),
                               reinterpret_cast<LPARAM>(buf.data()));
    if (got < 0) {
        *ok = false;
        return std::string();
    }
    buf.back() = '\0';
    return std::string(buf.data());
}

SLIST *gather(RUV_WIN list, bool selected_only)
{
    int32_t kind = list_kind(list);
    if (kind < 0)
        return nullptr;
    HWND h = hwnd_of(list);
    const bool combo = kind != WC_LIST_BOX;
    int32_t count = static_cast<int32_t>(SendMessageA(h, msgs(kind).count, 0, 0));
    if (count < 0)
        return nullptr;
    SLIST *out = ruvv_slist_create();
    if (!out)
        return nullptr;
    int32_t cursel = combo ? static_cast<int32_t>(SendMessageA(h, CB_GETCURSEL, 0, 0)) : -1;
    char buf[ROW_BUFFER];
    for (int32_t i = 0; i < count; ++i) {
        if (selected_only) {
            bool sel = combo ? i == cursel : SendMessageA(h, LB_GETSEL, i, 0) > 0;
            if (!sel)
                continue;
        }
        if (!ruvk_list_read_row(h, combo, i, buf, sizeof buf) ||
            !ruvv_slist_add_at_pos(out, -1, buf, i)) {
            ruvv_slist_destroy(out);
            return nullptr;
        }
    }
    return out;
}

} // namespace

extern "C" {

RUV_BOOL ruvk_list_read_row(HWND hwnd, bool combo, int32_t index, char *buf, int32_t size)
{
    if (!buf || size < 1)
        return 0;
    bool ok = false;
    std::string row = read_row(hwnd, combo, index, &ok);
    if (!ok) {
        buf[0] = '\0';
        return 0;
    }
    size_t n = row.size() < static_cast<size_t>(size - 1) ? row.size() : static_cast<size_t>(size - 1);
    std::memcpy(buf, row.data(), n);
    buf[n] = '\0';
    return 1;
}

RUV_BOOL ruvk_list_recompute_extent(RUV_WIN list)
{
    HWND h = hwnd_of(list);
    if (!h || !has_extent(list))
        return 0;
    SendMessageA(h, LB_SETHORIZONTALEXTENT, 0, 0);
    int32_t count = static_cast<int32_t>(SendMessageA(h, LB_GETCOUNT, 0, 0));
    int32_t longest = -1;
    LRESULT most = -1;
    for (int32_t i = 0; i < count; ++i) {
        LRESULT len = SendMessageA(h, LB_GETTEXTLEN, i, 0);
        if (len > most) {
            most = len;
            longest = i;
        }
    }
    if (longest < 0)
        return 1;
    bool ok = false;
    std::string row = read_row(h, false, longest, &ok);
    return ok && widen_extent(list, row.c_str()) ? 1 : 0;
}

RUV_BOOL ruvk_list_add(RUV_WIN list, int32_t index, const char *text)
{
    int32_t kind = list_kind(list);
    if (kind < 0 || !text)
        return 0;
    int done = 1;
    if (ruvv_slist_is_valid(text)) {
        auto *sl = reinterpret_cast<const SLIST *>(text);
        for (SLIST_ELT *e = ruvv_slist_get_first(sl); e && done; e = ruvv_slist_get_next(sl, e)) {
            done = add_row(list, kind, index, ruvv_slist_get(sl, e, nullptr), true);
            if (index != -1)
                ++index;
        }
    } else {
        done = add_row(list, kind, index, text, false);
    }
    HWND h = hwnd_of(list);
    if (kind == WC_DROP_LIST && SendMessageA(h, CB_GETCOUNT, 0, 0) == 1) {
        ruvk_ctl_guard(1);
        SendMessageA(h, CB_SETCURSEL, 0, 0);
        ruvk_ctl_guard(0);
    }
    return done ? 1 : 0;
}

RUV_BOOL ruvk_list_rem(RUV_WIN list, int32_t index)
{
    int32_t kind = list_kind(list);
    if (kind < 0)
        return 0;
    HWND h = hwnd_of(list);
    const Msgs &m = msgs(kind);
    LRESULT left = SendMessageA(h, m.remove, static_cast<WPARAM>(index), 0);
    if (left < 0) {
        RUV_ERR(list, RUV_SEV_ERROR, ERR_VALUE_TOO_HIGH);
        return 0;
    }
    if (kind == WC_DROP_LIST && left == 0)
        SendMessageA(h, CB_RESETCONTENT, 0, 0);
    if (has_extent(list))
        ruvk_list_recompute_extent(list);
    fit_dropped_list(list, kind, static_cast<int32_t>(left) + 1);
    return 1;
}

RUV_BOOL ruvk_list_clear(RUV_WIN list)
{
    int32_t kind = list_kind(list);
    if (kind < 0)
        return 1;
    SendMessageA(hwnd_of(list), msgs(kind).reset, 0, 0);
    if (has_extent(list))
        SendMessageA(hwnd_of(list), LB_SETHORIZONTALEXTENT, 0, 0);
    return 1;
}

int32_t ruvk_list_count_all(RUV_WIN list)
{
    int32_t kind = list_kind(list);
    LRESULT n = kind < 0 ? -1 : SendMessageA(hwnd_of(list), msgs(kind).count, 0, 0);
    if (n < 0) {
        RUV_ERR(list, RUV_SEV_ERROR, ERR_BAD_ARGUMENT);
        return -1;
    }
    return static_cast<int32_t>(n);
}

int32_t ruvk_list_count_sel(RUV_WIN list)
{
    int32_t kind = list_kind(list);
    if (kind < 0)
        return -1;
    HWND h = hwnd_of(list);
    if (kind == WC_LIST_BOX && multi_select(h)) {
        LRESULT n = SendMessageA(h, LB_GETSELCOUNT, 0, 0);
        return n < 0 ? -1 : static_cast<int32_t>(n);
    }
    return SendMessageA(h, msgs(kind).cursel, 0, 0) >= 0 ? 1 : 0;
}

RUV_BOOL ruvk_list_get_elt(RUV_WIN list, int32_t index, char *buf, int32_t len)
{
    int32_t kind = list_kind(list);
    if (kind < 0 || !buf)
        return 0;
    HWND h = hwnd_of(list);
    const bool combo = kind != WC_LIST_BOX;
    LRESULT n = SendMessageA(h, msgs(kind).textlen, static_cast<WPARAM>(index), 0);
    if (n < 0) {
        RUV_ERR(list, RUV_SEV_ERROR, ERR_BAD_VALUE);
        return 0;
    }
    if (n >= len) {
        RUV_ERR(list, RUV_SEV_ERROR, combo ? ERR_BAD_VALUE : ERR_VALUE_TOO_HIGH);
        return 0;
    }
    if (!ruvk_list_read_row(h, combo, index, buf, len)) {
        RUV_ERR(list, RUV_SEV_ERROR, ERR_BAD_VALUE);
        return 0;
    }
    return 1;
}

RUV_BOOL ruvk_list_get_first_sel(RUV_WIN list, char *buf, int32_t len)
{
    int32_t kind = list_kind(list);
    if (kind < 0) {
        RUV_ERR(list, RUV_SEV_ERROR, ERR_OBJECT_TYPE);
        return 0;
    }
    HWND h = hwnd_of(list);
    int32_t index = -1;
    if (kind == WC_LIST_BOX) {
        int32_t count = static_cast<int32_t>(SendMessageA(h, LB_GETCOUNT, 0, 0));
        for (int32_t i = 0; i < count; ++i) {
            LRESULT s = SendMessageA(h, LB_GETSEL, i, 0);
            if (s < 0) {
                RUV_ERR(list, RUV_SEV_ERROR, ERR_ACCESS);
                return 0;
            }
            if (s > 0) {
                index = i;
                break;
            }
        }
    } else {
        index = static_cast<int32_t>(SendMessageA(h, CB_GETCURSEL, 0, 0));
    }
    if (index < 0)
        return 0;
    if (buf && len > 0 && !ruvk_list_read_row(h, kind != WC_LIST_BOX, index, buf, len))
        return 0;
    return 1;
}

int32_t ruvk_list_get_sel_index(RUV_WIN list)
{
    int32_t kind = list_kind(list);
    if (kind < 0)
        return -1;
    HWND h = hwnd_of(list);
    if (kind == WC_LIST_BOX && multi_select(h)) {
        int32_t count = static_cast<int32_t>(SendMessageA(h, LB_GETCOUNT, 0, 0));
        for (int32_t i = 0; i < count; ++i)
            if (SendMessageA(h, LB_GETSEL, i, 0) > 0)
                return i;
        return -1;
    }
    LRESULT r = SendMessageA(h, msgs(kind).cursel, 0, 0);
    return r < 0 ? -1 : static_cast<int32_t>(r);
}

RUV_BOOL ruvk_list_is_sel(RUV_WIN list, int32_t index)
{
    int32_t kind = list_kind(list);
    if (kind < 0) {
        RUV_ERR(list, RUV_SEV_ERROR, ERR_BAD_WINDOW);
        return 0;
    }
    HWND h = hwnd_of(list);
    if (kind == WC_LIST_BOX)
        return SendMessageA(h, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0 ? 1 : 0;
    return SendMessageA(h, CB_GETCURSEL, 0, 0) == index ? 1 : 0;
}

RUV_BOOL ruvk_list_set_sel(RUV_WIN list, int32_t index, RUV_BOOL select)
{
    int32_t kind = list_kind(list);
    if (kind < 0)
        return 1;
    HWND h = hwnd_of(list);
    ruvk_ctl_guard(1);
    if (kind == WC_LIST_BOX && multi_select(h)) {
        SendMessageA(h, LB_SETSEL, select ? TRUE : FALSE, static_cast<LPARAM>(index));
        if (index >= 0)
            SendMessageA(h, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    } else {
        WPARAM to = (select && index >= 0) ? static_cast<WPARAM>(index) : static_cast<WPARAM>(-1);
        SendMessageA(h, msgs(kind).setcursel, to, 0);
    }
    ruvk_ctl_guard(0);
    return 1;
}

SLIST *ruvk_list_get_all(RUV_WIN list)
{
    return gather(list, false);
}

SLIST *ruvk_list_get_sel(RUV_WIN list)
{
    return gather(list, true);
}

void ruvk_list_suspend(RUV_WIN list)
{
    if (list_kind(list) == WC_LIST_BOX)
        SendMessageA(hwnd_of(list), WM_SETREDRAW, FALSE, 0);
}

void ruvk_list_resume(RUV_WIN list)
{
    if (list_kind(list) != WC_LIST_BOX)
        return;
    HWND h = hwnd_of(list);
    SendMessageA(h, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(h, nullptr, TRUE);
}

// ---- What the event translation asks ------------------------------------------------

// The drop-down's selected row into its edit part (at most 255 bytes);
// FALSE when the row cannot be read.
RUV_BOOL ruvk_ctl_copy_selected_row(RUV_WIN combo)
{
    HWND h = hwnd_of(combo);
    if (!h)
        return 0;
    LRESULT sel = SendMessageA(h, CB_GETCURSEL, 0, 0);
    char row[DROP_DOWN_COPY];
    if (sel < 0 || !ruvk_list_read_row(h, true, static_cast<int32_t>(sel), row, sizeof row))
        return 0;
    ruvk_ctl_guard(1);
    SetWindowTextA(h, row);
    ruvk_ctl_guard(0);
    return 1;
}

// The edit formatter: the control's formatter gets the text and the
// selection (when the control has the focus); a text it returns replaces
// the field's.
void ruvk_ctl_run_formatter(RUV_WIN ctl)
{
    if (!valid(ctl) || !ctl->title_formatter)
        return;
    HWND h = hwnd_of(ctl);
    HWND text_hwnd = h;
    if (ctl->type == WC_DROP_DOWN) {
        RUVK_CTL_STATE *st = static_cast<RUVK_CTL_STATE *>(ctl->ctl_state);
        text_hwnd = st && valid(st->secondary) ? hwnd_of(st->secondary) : GetWindow(h, GW_CHILD);
    }
    int n = GetWindowTextLengthA(text_hwnd);
    std::vector<char> buf(static_cast<size_t>(n < 40 ? 40 : n + 1), '\0');
    GetWindowTextA(text_hwnd, buf.data(), static_cast<int>(buf.size()));
    const bool focused = GetFocus() == text_hwnd || GetFocus() == h;
    DWORD b1 = 0, b2 = 0;
    if (focused)
        SendMessageA(text_hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&b1), reinterpret_cast<LPARAM>(&b2));
    int32_t first = static_cast<int32_t>(b1), second = static_cast<int32_t>(b2);
    char *result;
    // The formatter may move its copy of the selection; the field keeps
    // the one it had.
    {
        ruv::ErrFrame frame(ctl);
        result = ctl->title_formatter(ctl, buf.data(), &first, &second, ctl->title_data);
    }
    if (!result || result == reinterpret_cast<char *>(-1) || result == reinterpret_cast<char *>(255))
        return;
    RUV_APP_RECORD *app = ruvk_app_record();
    int16_t was = app ? app->kernel_sets_text : 0;
    if (app)
        app->kernel_sets_text = 1;
    SetWindowTextA(text_hwnd, result);
    if (focused)
        SendMessageA(text_hwnd, EM_SETSEL, b1, b2);
    if (app)
        app->kernel_sets_text = was;
}

} // extern "C"
