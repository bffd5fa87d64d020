// Associations of windows, dialogs, controls and menu commands: replace,
// remove, the order of the list, removal by owner and at close, the kinds
// of objects, shared buckets, and the core functions' own checks.
#include <algorithm>
#include <vector>

#include "help_test_support.h"

namespace {

struct Objects {
    RUV_VOBJ screen{}, win{}, other{}, dlg{}, ctl{}, ctl2{}, edit{}, text_edit{}, menu_bar{};
    Objects()
    {
        set(screen, 0, nullptr);
        set(win, 1, &screen);
        set(other, 7, &screen);
        set(dlg, 10, &screen);
        set(ctl, 12, &win);
        set(ctl2, 24, &win);
        set(edit, 17, &dlg);
        set(text_edit, 12, &win);
        text_edit.kind |= RUV_KIND_TEXT_EDIT;
        set(menu_bar, 4, &win);
    }
    static void set(RUV_VOBJ &o, int32_t type, RUV_VOBJ *parent)
    {
        o.tag = RUV_VOBJ_TAG;
        o.type = type;
        o.parent = parent;
    }
};

class Associations : public helptest::HelpTest {
protected:
    helptest::Record record;
    Objects o;
    RUV_HELP_INFO *info = record.get();

    // The list from first to last as (kind, topic).
    std::vector<std::pair<int, int32_t>> list()
    {
        std::vector<std::pair<int, int32_t>> v;
        for (HelpAssoc *a = info->list->first; a; a = a->next_in_list)
            v.emplace_back(a->kind, a->topic);
        return v;
    }
    size_t table_records()
    {
        size_t n = 0;
        if (info->table)
            for (uintptr_t b = 0; b < kHelpBuckets; ++b)
                for (HelpAssoc *a = info->table[b]; a; a = a->next)
                    ++n;
        return n;
    }
};

TEST_F(Associations, KindsOfObjects)
{
    ruvv_help_set_win_assoc(info, &o.win, 1, 0);
    ruvv_help_set_win_assoc(info, &o.dlg, 2, 0);
    ruvv_help_set_win_assoc(info, &o.ctl, 3, 0);
    ruvv_help_set_win_assoc(info, &o.ctl2, 4, 0);
    ruvv_help_set_win_assoc(info, &o.menu_bar, 5, 0);   // type 4: no kind
    ruvv_help_set_win_assoc(info, &o.text_edit, 6, 0);  // text edit counts as 23: no kind
    ruvv_help_set_win_assoc(info, &o.screen, 7, 0);
    using P = std::pair<int, int32_t>;
    EXPECT_EQ(list(), (std::vector<P>{ { HELP_ASSOC_WINDOW, 1 }, { HELP_ASSOC_DIALOG, 2 },
                                       { HELP_ASSOC_CONTROL, 3 }, { HELP_ASSOC_CONTROL, 4 } }));
    EXPECT_EQ(info->list->first->owner, nullptr);
    EXPECT_EQ(info->list->last->owner, &o.win) << "a control's owner is its parent";
    EXPECT_EQ(ruvv_help_get_win_assoc(info, &o.menu_bar), 0);
    EXPECT_EQ(ruvv_help_get_win_assoc(info, &o.ctl2), 4);
    EXPECT_TRUE(ids().empty());
}

TEST_F(Associations, ReplaceAndRemove)
{
    ruvv_help_set_win_assoc(info, &o.win, 10, 0);
    ruvv_help_set_win_assoc(info, &o.dlg, 20, 0);
    ruvv_help_set_win_assoc(info, &o.win, 11, 0);
    using P = std::pair<int, int32_t>;
    EXPECT_EQ(list(), (std::vector<P>{ { HELP_ASSOC_WINDOW, 11 }, { HELP_ASSOC_DIALOG, 20 } }))
        << "replaced in place, no new entry";
    EXPECT_EQ(ruvv_help_get_win_assoc(info, &o.win), 11);
    ruvv_help_set_win_assoc(info, &o.win, 0, 0);
    EXPECT_EQ(ruvv_help_get_win_assoc(info, &o.win), 0);
    EXPECT_EQ(list(), (std::vector<P>{ { HELP_ASSOC_DIALOG, 20 } }));
    EXPECT_EQ(info->list->count, 1);
    EXPECT_EQ(table_records(), 1u);
    // Removing what is not there changes nothing.
    ruvv_help_set_win_assoc(info, &o.win, 0, 0);
    ruvv_help_set_menu_assoc(info, &o.win, 5, 0, 0);
    EXPECT_EQ(info->list->count, 1);

    ruvv_help_set_menu_assoc(info, &o.win, 1003, 520, 0);
    ruvv_help_set_menu_assoc(info, nullptr, 1003, 521, 0);
    ruvv_help_set_menu_assoc(info, &o.win, 1003, 522, 0);
    EXPECT_EQ(ruvv_help_get_menu_assoc(info, &o.win, 1003), 522);
    EXPECT_EQ(ruvv_help_get_menu_assoc(info, nullptr, 1003), 521);
    EXPECT_EQ(ruvv_help_get_menu_assoc(info, &o.other, 1003), 0) << "the owner must match";
    ruvv_help_set_menu_assoc(info, nullptr, 1003, 0, 0);
    EXPECT_EQ(ruvv_help_get_menu_assoc(info, nullptr, 1003), 0);
    EXPECT_EQ(ruvv_help_get_menu_assoc(info, &o.win, 1003), 522);
    EXPECT_EQ(info->list->count, 2);
    EXPECT_EQ(table_records(), 2u);
}

TEST_F(Associations, RemovalByOwner)
{
    ruvv_help_set_win_assoc(info, &o.win, 1, 0);
    ruvv_help_set_win_assoc(info, &o.ctl, 2, 0);
    ruvv_help_set_menu_assoc(info, &o.win, 1003, 3, 0);
    ruvv_help_set_menu_assoc(info, nullptr, 1003, 4, 0);
    ruvv_help_set_win_assoc(info, &o.other, 5, 0);
    ruvv_help_set_win_assoc(info, &o.dlg, 6, 0);
    ruvv_help_set_win_assoc(info, &o.edit, 7, 0);
    ruvv_help_set_menu_assoc(info, &o.other, 9, 8, 0);

    // The window's controls, its menu commands and its own association.
    ruvv_help_disassoc_all(info, &o.win);
    using P = std::pair<int, int32_t>;
    EXPECT_EQ(list(), (std::vector<P>{ { HELP_ASSOC_MENU, 4 }, { HELP_ASSOC_WINDOW, 5 }, { HELP_ASSOC_DIALOG, 6 },
                                       { HELP_ASSOC_CONTROL, 7 }, { HELP_ASSOC_MENU, 8 } }));
    EXPECT_EQ(ruvv_help_get_win_assoc(info, &o.ctl), 0);
    EXPECT_EQ(table_records(), 5u);

    // No window (as at close): everything without owner.
    ruvv_help_disassoc_all(info, nullptr);
    EXPECT_EQ(list(), (std::vector<P>{ { HELP_ASSOC_CONTROL, 7 }, { HELP_ASSOC_MENU, 8 } }));
    EXPECT_EQ(table_records(), 2u);
    EXPECT_TRUE(ids().empty());
}

TEST_F(Associations, SharedBucketsKeepTheirRecords)
{
    // Objects whose handles fall into the same bucket, and menu tags 513
    // apart.
    std::vector<RUV_VOBJ> many(1100);
    std::vector<RUV_VOBJ *> same;
    const uintptr_t bucket = reinterpret_cast<uintptr_t>(&many[0]) % kHelpBuckets;
    for (RUV_VOBJ &v : many)
        if (reinterpret_cast<uintptr_t>(&v) % kHelpBuckets == bucket) {
            Objects::set(v, 2, &o.screen);
            same.push_back(&v);
        }
    ASSERT_GE(same.size(), 3u);
    for (size_t i = 0; i < same.size(); ++i)
        ruvv_help_set_win_assoc(info, same[i], static_cast<int32_t>(100 + i), 0);
    ruvv_help_set_win_assoc(info, same[1], 0, 0);
    for (size_t i = 0; i < same.size(); ++i)
        EXPECT_EQ(ruvv_help_get_win_assoc(info, same[i]), i == 1 ? 0 : static_cast<int32_t>(100 + i));
    ruvv_help_set_menu_assoc(info, nullptr, 7, 1, 0);
    ruvv_help_set_menu_assoc(info, nullptr, 7 + 513, 2, 0);
    ruvv_help_set_menu_assoc(info, nullptr, 7, 0, 0);
    EXPECT_EQ(ruvv_help_get_menu_assoc(info, nullptr, 7 + 513), 2);
    EXPECT_EQ(ruvv_help_get_menu_assoc(info, nullptr, 7), 0);
}

TEST_F(Associations, CoreChecks)
{
    RUV_HELP_INFO stale{};
    struct Case {
        const char *what;
        void (*call)(RUV_HELP_INFO *info, RUV_WIN win);
        bool with_stale;
        RUV_ERRMSG_ID id;
        int32_t severity;
    };
    auto set_win = [](RUV_HELP_INFO *i, RUV_WIN w) { ruvv_help_set_win_assoc(i, w, 1, 0); };
    auto get_win = [](RUV_HELP_INFO *i, RUV_WIN w) { ruvv_help_get_win_assoc(i, w); };
    auto set_menu = [](RUV_HELP_INFO *i, RUV_WIN w) { ruvv_help_set_menu_assoc(i, w, 0, 1, 0); };
    auto get_menu = [](RUV_HELP_INFO *i, RUV_WIN w) { ruvv_help_get_menu_assoc(i, w, 5); };
    auto disassoc = [](RUV_HELP_INFO *i, RUV_WIN w) { ruvv_help_disassoc_all(i, w); };
    const Case cases[] = {
        { "set win, no handle", set_win, false, 0x210000, RUV_SEV_ERROR },
        { "get win, no handle", get_win, false, 0x210000, RUV_SEV_ERROR },
        { "set menu, tag 0", set_menu, false, 0x210000, RUV_SEV_ERROR },
        { "get menu, no handle", get_menu, false, 0x210000, RUV_SEV_ERROR },
        { "get menu, stale", get_menu, true, 0x500000, RUV_SEV_WARNING },
        { "set win, stale", set_win, true, 0x500000, RUV_SEV_WARNING },
        { "disassoc, no handle", disassoc, false, 0x500000, RUV_SEV_WARNING },
        { "disassoc, stale", disassoc, true, 0x500000, RUV_SEV_WARNING },
    };
    for (const Case &c : cases) {
        helptest::reports().clear();
        c.call(c.with_stale ? &stale : nullptr, &o.win);
        ASSERT_EQ(helptest::reports().size(), 1u) << c.what;
        EXPECT_EQ(helptest::reports()[0].id, c.id) << c.what;
        EXPECT_EQ(helptest::reports()[0].severity, c.severity) << c.what;
    }
    helptest::reports().clear();
    ruvv_help_set_win_assoc(info, nullptr, 1, 0);
    EXPECT_EQ(ids(), std::vector<RUV_ERRMSG_ID>{ 0x210000 });
    EXPECT_EQ(info->list->count, 0);
    EXPECT_FALSE(ruvv_help_is_valid_info(&stale));
    EXPECT_FALSE(ruvv_help_is_valid_info(nullptr));
    EXPECT_TRUE(ruvv_help_is_valid_info(info));
}

} // namespace
