// Help associations of one help file: window, dialog and control records
// hashed by object, menu records by tag, in a table of 513 buckets, and
// every record once in the association list in the order first set, which
// is how the associations of an owner are found and removed.
#include <cstring>

#include "help_private.h"
#include "ruvv_errmsg.h"
#include "ruvv_mem.h"

namespace {

const char kModule[] = "hassoc";
constexpr uint32_t kNullHandle = 0x210000;
constexpr uint32_t kRequestFailed = 0x500000;
constexpr uint8_t kObjectKinds = HELP_ASSOC_WINDOW | HELP_ASSOC_DIALOG | HELP_ASSOC_CONTROL;

uintptr_t object_bucket(RUV_WIN obj)
{
    return reinterpret_cast<uintptr_t>(obj) % kHelpBuckets;
}

uintptr_t tag_bucket(int32_t tag)
{
    return static_cast<uint32_t>(tag) % kHelpBuckets;
}

HelpAssoc **table_of(RUV_HELP_INFO *info)
{
    if (!info->table)
        info->table = static_cast<HelpAssoc **>(help_zalloc(kHelpBuckets * sizeof(HelpAssoc *), kModule, __LINE__));
    return info->table;
}

HelpAssoc *find_object(RUV_HELP_INFO *info, RUV_WIN obj)
{
    if (!info->table)
        return nullptr;
    for (HelpAssoc *a = info->table[object_bucket(obj)]; a; a = a->next)
        if ((a->kind & kObjectKinds) && a->object == obj)
            return a;
    return nullptr;
}

HelpAssoc *find_menu(RUV_HELP_INFO *info, RUV_WIN owner, int32_t tag)
{
    if (!info->table)
        return nullptr;
    for (HelpAssoc *a = info->table[tag_bucket(tag)]; a; a = a->next)
        if (a->kind == HELP_ASSOC_MENU && a->tag == tag && a->owner == owner)
            return a;
    return nullptr;
}

HelpAssoc *create(RUV_HELP_INFO *info, uintptr_t bucket)
{
    HelpAssoc **table = table_of(info);
    auto *a = static_cast<HelpAssoc *>(help_zalloc(sizeof(HelpAssoc), kModule, __LINE__));
    a->next = table[bucket];
    table[bucket] = a;
    HelpAssocList *list = info->list;
    if (!list) {
        help_make_assoc_list(info);
        list = info->list;
    }
    a->prev_in_list = list->last;
    if (list->last)
        list->last->next_in_list = a;
    else
        list->first = a;
    list->last = a;
    ++list->count;
    return a;
}

// Takes the record out of the list and its bucket and frees it.
void drop(RUV_HELP_INFO *info, HelpAssoc *a, uintptr_t bucket)
{
    HelpAssocList *list = info->list;
    if (a->prev_in_list)
        a->prev_in_list->next_in_list = a->next_in_list;
    else
        list->first = a->next_in_list;
    if (a->next_in_list)
        a->next_in_list->prev_in_list = a->prev_in_list;
    else
        list->last = a->prev_in_list;
    --list->count;
    for (HelpAssoc **p = &info->table[bucket]; *p; p = &(*p)->next)
        if (*p == a) {
            *p = a->next;
            break;
        }
    ruvv_mem_free(a);
}

void remove_record(RUV_HELP_INFO *info, HelpAssoc *a)
{
    drop(info, a, a->kind == HELP_ASSOC_MENU ? tag_bucket(a->tag) : object_bucket(a->object));
}

// Core argument checks shared by the four set and get functions.
bool usable(const RUV_HELP_INFO *info, bool other_missing, int line)
{
    if (!info || other_missing) {
        ruvv_errmsg_dispatch(nullptr, RUV_SEV_ERROR, kNullHandle, kModule, line);
        return false;
    }
    if (!ruvv_help_is_valid_info(info)) {
        ruvv_errmsg_dispatch(nullptr, RUV_SEV_WARNING, kRequestFailed, kModule, line);
        return false;
    }
    return true;
}

} // namespace

bool help_is_window(RUV_WIN win)
{
    return win && win->tag == RUV_VOBJ_TAG;
}

int32_t help_object_kind(RUV_WIN obj)
{
    const int32_t type = (obj->kind & RUV_KIND_TEXT_EDIT) ? 23 : obj->type;
    if ((type >= 1 && type <= 3) || (type >= 5 && type <= 7) || type == 9)
        return HELP_KIND_WINDOW;
    if (type == 10 || type == 11)
        return HELP_KIND_DIALOG;
    if ((type >= 12 && type <= 22) || type == 24)
        return HELP_KIND_CONTROL;
    return HELP_KIND_NONE;
}

bool help_make_assoc_list(RUV_HELP_INFO *info)
{
    if (!info->list)
        info->list = static_cast<HelpAssocList *>(help_zalloc(sizeof(HelpAssocList), "hulist", __LINE__));
    return info->list != nullptr;
}

void help_free_associations(RUV_HELP_INFO *info)
{
    if (info->list) {
        for (HelpAssoc *a = info->list->first; a;) {
            HelpAssoc *next = a->next_in_list;
            ruvv_mem_free(a);
            a = next;
        }
        ruvv_mem_free(info->list);
        info->list = nullptr;
    }
    ruvv_mem_free(info->table);
    info->table = nullptr;
}

extern "C" {

RUV_BOOL ruvv_help_is_valid_info(const RUV_HELP_INFO *info)
{
    return info && info->self == info;
}

void ruvv_help_set_win_assoc(RUV_HELP_INFO *info, RUV_WIN obj, int32_t topic, int32_t)
{
    if (!usable(info, !obj, __LINE__))
        return;
    const int32_t kind = help_object_kind(obj);
    if (kind == HELP_KIND_NONE)
        return;
    HelpAssoc *a = find_object(info, obj);
    if (topic == 0) {
        if (a)
            drop(info, a, object_bucket(obj));
        return;
    }
    if (!a)
        a = create(info, object_bucket(obj));
    a->kind = kind == HELP_KIND_WINDOW ? HELP_ASSOC_WINDOW : kind == HELP_KIND_DIALOG ? HELP_ASSOC_DIALOG
                                                                                   : HELP_ASSOC_CONTROL;
    a->owner = kind == HELP_KIND_CONTROL ? obj->parent : NULL_WIN;
    a->object = obj;
    a->topic = topic;
}

int32_t ruvv_help_get_win_assoc(RUV_HELP_INFO *info, RUV_WIN obj)
{
    if (!usable(info, !obj, __LINE__))
        return 0;
    const HelpAssoc *a = find_object(info, obj);
    return a ? a->topic : 0;
}

void ruvv_help_set_menu_assoc(RUV_HELP_INFO *info, RUV_WIN win, int32_t tag, int32_t topic, int32_t)
{
    if (!usable(info, tag <= 0, __LINE__))
        return;
    HelpAssoc *a = find_menu(info, win, tag);
    if (topic == 0) {
        if (a)
            drop(info, a, tag_bucket(tag));
        return;
    }
    if (!a)
        a = create(info, tag_bucket(tag));
    a->owner = win;
    a->tag = tag;
    a->topic = topic;
    a->kind = HELP_ASSOC_MENU;
}

int32_t ruvv_help_get_menu_assoc(RUV_HELP_INFO *info, RUV_WIN win, int32_t tag)
{
    if (!usable(info, tag <= 0, __LINE__))
        return 0;
    const HelpAssoc *a = find_menu(info, win, tag);
    return a ? a->topic : 0;
}

void ruvv_help_disassoc_all(RUV_HELP_INFO *info, RUV_WIN win)
{
    if (!ruvv_help_is_valid_info(info)) {
        ruvv_errmsg_dispatch(nullptr, RUV_SEV_WARNING, kRequestFailed, kModule, __LINE__);
        return;
    }
    if (info->list)
        for (HelpAssoc *a = info->list->first; a;) {
            HelpAssoc *next = a->next_in_list;
            if (a->owner == win)
                remove_record(info, a);
            a = next;
        }
    if (win)
        if (HelpAssoc *own = find_object(info, win))
            remove_record(info, own);
}

} // extern "C"
