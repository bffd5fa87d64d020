// List-control functions on a real list box: the order of the add checks,
// the request object of every report, and what an update handler may ask.
#include "controls_support.h"

namespace {

using namespace ruvf_test;

TEST(ListAdd, TextBeforeIndexAndTheListNamedInEveryReport)
{
    in_app([] {
        Ctx c;
        RUV_WIN list = c.get(Obj::List);
        RUV_WIN button = c.get(Obj::Button);
        Recorder rec;
        struct Case {
            const char *what;
            RUV_WIN target;
            int32_t index;
            const char *text;
            RUV_ERRMSG_ID id;
        } cases[] = {
            { "NULL text and index -2: the text first", list, -2, nullptr, 0x00210000 },
            { "index -2", list, -2, "x", 0x01250001 },
            { "push button", button, -1, "x", 0x01230001 },
        };
        for (const Case &k : cases) {
            SCOPED_TRACE(k.what);
            rec.clear();
            EXPECT_EQ(ruv_list_add(k.target, k.index, k.text), FALSE);
            ASSERT_EQ(rec.reports().size(), 1u);
            EXPECT_EQ(rec.reports()[0].id, k.id);
            EXPECT_EQ(rec.reports()[0].req, k.target);
        }
        EXPECT_EQ(SendMessageA(c.hwnd(Obj::List), LB_GETCOUNT, 0, 0), 0);
        // A push button is no list: -1 and the button named.
        rec.clear();
        EXPECT_EQ(ruv_list_count_all(button), -1);
        ASSERT_EQ(rec.reports().size(), 1u);
        EXPECT_EQ(rec.reports()[0].id, 0x01230001u);
        EXPECT_EQ(rec.reports()[0].req, button);
        // -1 appends, an index inserts.
        rec.clear();
        EXPECT_TRUE(ruv_list_add(list, -1, "b"));
        EXPECT_TRUE(ruv_list_add(list, 0, "a"));
        EXPECT_EQ(ruv_list_count_all(list), 2);
        char buf[8] = "";
        EXPECT_TRUE(ruv_list_get_elt(list, 0, buf, sizeof buf));
        EXPECT_STREQ(buf, "a");
        EXPECT_TRUE(rec.reports().empty());
    });
}

TEST(ListUpdate, ChangesRefusedQuestionsAnswered)
{
    in_app([] {
        Ctx c;
        RUV_WIN list = c.get(Obj::List);
        ruvk_list_add(list, -1, "one");
        ruvk_list_add(list, -1, "two");
        ruvk_list_set_sel(list, 1, TRUE);
        Recorder rec;
        int32_t selected = -2, count = -2;
        RUV_BOOL added = TRUE;
        ASSERT_TRUE(ctl_test::during_update([&] {
            ruv_list_suspend(list);
            added = ruv_list_add(list, -1, "three");
            selected = ruv_list_count_sel(list);
            count = ruv_list_count_all(list);
        }));
        ASSERT_EQ(rec.reports().size(), 2u);
        for (const Report &r : rec.reports()) {
            EXPECT_EQ(r.id, 0x01610001u);
            EXPECT_EQ(r.req, list);
        }
        EXPECT_EQ(added, FALSE);
        EXPECT_EQ(selected, 1);
        EXPECT_EQ(count, 2);
        EXPECT_EQ(SendMessageA(c.hwnd(Obj::List), LB_GETCOUNT, 0, 0), 2);
    });
}

} // namespace
