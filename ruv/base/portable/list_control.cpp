/* Filling list controls (list boxes and combo boxes) from a string or an
   SLIST, through the control's title formatter when it has one. */
#include "ruvk.h"
#include "ruvv_errmsg.h"
#include "ruvv_list.h"
#include "ruvv_vobj.h"

namespace {

constexpr int32_t kDropDownList = 20;
constexpr int32_t kTextEditType = 23;

/* The control's formatter result for a text: the text itself when it has
   none (the formatter runs in an error frame owned by the control). */
const char *formatted(RUV_WIN ctl, const char *text, bool &has_formatter)
{
    has_formatter = ctl->title_formatter != nullptr;
    if (!has_formatter)
        return text;
    ruv::ErrFrame frame(ctl);
    int32_t first = -1, second = -1;
    return ctl->title_formatter(ctl, const_cast<char *>(text), &first, &second, ctl->title_data);
}

bool is_minus_one(const char *p) { return p == reinterpret_cast<const char *>(-1); }

int32_t type_of(RUV_WIN ctl) { return (ctl->kind & RUV_KIND_TEXT_EDIT) ? kTextEditType : ctl->type; }

} // namespace

extern "C" RUV_BOOL ruvv_list_add(RUV_WIN ctl, int32_t pos, const char *text_or_list)
{
    if (!ctl || !text_or_list)
        return FALSE;
    int32_t before = ruvk_list_count_all(ctl);
    bool has_formatter = false;
    if (ruvv_slist_is_valid(text_or_list)) {
        auto *list = reinterpret_cast<const SLIST *>(text_or_list);
        for (SLIST_ELT *e = ruvv_slist_get_first(list); e; e = ruvv_slist_get_next(list, e)) {
            const char *s = ruvv_slist_get(list, e, nullptr);
            if (!s)
                return FALSE;
            const char *row = formatted(ctl, s, has_formatter);
            if (has_formatter && (!row || is_minus_one(row)))
                continue; /* the formatter skips it */
            ruvk_list_add(ctl, pos, row);
            if (pos != -1)
                pos++;
        }
    } else {
        const char *row = formatted(ctl, text_or_list, has_formatter);
        if (!row)
            row = text_or_list;
        if (!is_minus_one(row))
            ruvk_list_add(ctl, pos, row);
    }
    if (type_of(ctl) == kDropDownList && before == 0 && ruvk_list_count_all(ctl) > 0)
        ruvk_list_set_sel(ctl, 0, TRUE);
    return TRUE;
}
