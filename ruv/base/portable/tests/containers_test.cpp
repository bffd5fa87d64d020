// Hash tables, doubly linked lists, string lists, the name-to-id map and
// the filling of list controls.
#include <filesystem>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ruvv_hash.h"
#include "ruvv_list.h"
#include "ruvv_vobj.h"
#include "strings_test_support.h"

using coretest::reported;
using strtest::StringTest;

namespace {

constexpr RUV_ERRMSG_ID kBadValue = 0x01250001;

// ---- hash tables ----

int32_t int_hash(const void *key) { return *static_cast<const int *>(key); }
int int_compare(const void *a, const void *b) { return *static_cast<const int *>(a) - *static_cast<const int *>(b); }

class HashTest : public StringTest {};

TEST_F(HashTest, InsertFindRemoveInOneBucket)
{
    RUV_HASH *h = ruvv_hash_create(7, int_hash, int_compare);
    ASSERT_NE(h, nullptr);
    int a = 3, b = 10, c = 17, probe = 10; // one bucket (mod 7)
    EXPECT_TRUE(ruvv_hash_insert(h, &a));
    EXPECT_TRUE(ruvv_hash_insert(h, &b));
    EXPECT_TRUE(ruvv_hash_insert(h, &c));
    EXPECT_EQ(ruvv_hash_find(h, &probe), &b); // the stored key, not the probe
    EXPECT_EQ(ruvv_hash_remove(h, &a), &a);   // the head of the chain
    EXPECT_EQ(ruvv_hash_find(h, &a), nullptr);
    EXPECT_EQ(ruvv_hash_remove(h, &c), &c); // the tail
    EXPECT_EQ(ruvv_hash_find(h, &probe), &b);
    EXPECT_EQ(ruvv_hash_remove(h, &c), nullptr);
    ruvv_hash_destroy(h); // frees the node left
}

TEST_F(HashTest, NegativeHashIsNeverStored)
{
    RUV_HASH *h = ruvv_hash_create(353, int_hash, int_compare);
    int k = -5;
    EXPECT_FALSE(ruvv_hash_insert(h, &k));
    EXPECT_EQ(ruvv_hash_find(h, &k), nullptr);
    EXPECT_EQ(ruvv_hash_remove(h, &k), nullptr);
    ruvv_hash_destroy(h);
}

class HashAllocTest : public StringTest {
protected:
    void install_hooks() override { coretest::FailingAlloc::install(0); }
};

TEST_F(HashAllocTest, FailedAllocationsLeaveNoTableAndRefuseInsert)
{
    coretest::FailingAlloc::fail_next(1);
    EXPECT_EQ(ruvv_hash_create(5, int_hash, int_compare), nullptr);
    coretest::FailingAlloc::fail_next(2); // the bucket array
    EXPECT_EQ(ruvv_hash_create(5, int_hash, int_compare), nullptr);
    RUV_HASH *h = ruvv_hash_create(5, int_hash, int_compare);
    ASSERT_NE(h, nullptr);
    int k = 4;
    coretest::FailingAlloc::fail_next(1);
    EXPECT_FALSE(ruvv_hash_insert(h, &k));
    EXPECT_EQ(ruvv_hash_find(h, &k), nullptr);
    ruvv_hash_destroy(h);
}

// ---- doubly linked lists ----

class DListTest : public StringTest {
protected:
    RUV_DLIST *list = nullptr;
    int v[6] = {0, 1, 2, 3, 4, 5};
    void SetUp() override
    {
        StringTest::SetUp();
        list = ruvv_dlist_create();
    }
    void TearDown() override
    {
        ruvv_dlist_destroy(list);
        StringTest::TearDown();
    }
    std::vector<int> forward() const
    {
        std::vector<int> out;
        for (RUV_DLIST_NODE *n = ruvv_dlist_first(list); n; n = ruvv_dlist_next(n))
            out.push_back(*static_cast<int *>(ruvv_dlist_get_data(n)));
        return out;
    }
    std::vector<int> backward() const
    {
        std::vector<int> out;
        for (RUV_DLIST_NODE *n = ruvv_dlist_last(list); n; n = ruvv_dlist_prev(n))
            out.insert(out.begin(), *static_cast<int *>(ruvv_dlist_get_data(n)));
        return out;
    }
};

TEST_F(DListTest, InsertAtEveryPlace)
{
    RUV_DLIST_NODE *n2 = ruvv_dlist_insert(list, &v[2], nullptr, RUV_DLIST_BEFORE); // empty: any place
    ruvv_dlist_insert(list, &v[0], nullptr, RUV_DLIST_FRONT);
    RUV_DLIST_NODE *n5 = ruvv_dlist_insert(list, &v[5], nullptr, RUV_DLIST_END);
    ruvv_dlist_insert(list, &v[1], n2, RUV_DLIST_BEFORE);
    ruvv_dlist_insert(list, &v[3], n2, RUV_DLIST_AFTER);
    ruvv_dlist_insert(list, &v[4], n5, RUV_DLIST_BEFORE);
    EXPECT_EQ(forward(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(backward(), forward());
    EXPECT_EQ(ruvv_dlist_count(list), 6);
}

TEST_F(DListTest, RefusedInsertsChangeNothing)
{
    RUV_DLIST_NODE *n = ruvv_dlist_insert(list, &v[1], nullptr, RUV_DLIST_END);
    EXPECT_EQ(ruvv_dlist_insert(list, &v[2], nullptr, 4), nullptr);
    EXPECT_EQ(ruvv_dlist_insert(list, &v[2], nullptr, RUV_DLIST_AFTER), nullptr); // no ref
    RUV_DLIST *other = ruvv_dlist_create();
    RUV_DLIST_NODE *foreign = ruvv_dlist_insert(other, &v[3], nullptr, RUV_DLIST_END);
    EXPECT_EQ(ruvv_dlist_insert(list, &v[2], foreign, RUV_DLIST_BEFORE), nullptr);
    EXPECT_EQ(ruvv_dlist_delete(list, foreign), nullptr);
    EXPECT_EQ(ruvv_dlist_count(list), 1);
    EXPECT_EQ(ruvv_dlist_count(other), 1);
    EXPECT_EQ(ruvv_dlist_first(list), n);
    ruvv_dlist_destroy(other);
}

TEST_F(DListTest, DeletingTheOnlyNodeEmptiesTheList)
{
    RUV_DLIST_NODE *n = ruvv_dlist_insert(list, &v[1], nullptr, RUV_DLIST_FRONT);
    EXPECT_EQ(ruvv_dlist_delete(list, n), &v[1]);
    EXPECT_EQ(ruvv_dlist_count(list), 0);
    EXPECT_EQ(ruvv_dlist_first(list), nullptr);
    EXPECT_EQ(ruvv_dlist_last(list), nullptr);
    ruvv_dlist_insert(list, &v[2], nullptr, RUV_DLIST_END); // usable again
    EXPECT_EQ(forward(), (std::vector<int>{2}));
}

int same_int(const void *key, const void *data) { return *static_cast<const int *>(key) != *static_cast<const int *>(data); }

TEST_F(DListTest, FindForwardAndBackwardFromANode)
{
    int twos[3] = {2, 2, 2};
    RUV_DLIST_NODE *a = ruvv_dlist_insert(list, &twos[0], nullptr, RUV_DLIST_END);
    ruvv_dlist_insert(list, &v[1], nullptr, RUV_DLIST_END);
    RUV_DLIST_NODE *c = ruvv_dlist_insert(list, &twos[1], nullptr, RUV_DLIST_END);
    int key = 2;
    EXPECT_EQ(ruvv_dlist_find_next(list, &key, nullptr, same_int), a);
    EXPECT_EQ(ruvv_dlist_find_next(list, &key, a, same_int), c);
    EXPECT_EQ(ruvv_dlist_find_next(list, &key, c, same_int), nullptr);
    EXPECT_EQ(ruvv_dlist_find_prev(list, &key, nullptr, same_int), c);
    EXPECT_EQ(ruvv_dlist_find_prev(list, &key, c, same_int), a);
    ruvv_dlist_put_data(a, &v[3]);
    EXPECT_EQ(ruvv_dlist_find_prev(list, &key, c, same_int), nullptr);
}

int below_three(void *data) { return *static_cast<int *>(data) < 3; }

TEST_F(DListTest, ApplyStopsAtTheFirstZero)
{
    for (int i : {0, 1, 2})
        ruvv_dlist_insert(list, &v[i], nullptr, RUV_DLIST_END);
    EXPECT_TRUE(ruvv_dlist_apply(list, below_three));
    ruvv_dlist_insert(list, &v[4], nullptr, RUV_DLIST_FRONT);
    EXPECT_FALSE(ruvv_dlist_apply(list, below_three));
}

// ---- string lists ----

class SListTest : public StringTest {
protected:
    SLIST *list = nullptr;
    void SetUp() override
    {
        StringTest::SetUp();
        list = ruvv_slist_create();
    }
    void TearDown() override
    {
        ruvv_slist_destroy(list);
        StringTest::TearDown();
    }
    static std::string joined(const SLIST *l)
    {
        std::string out;
        for (SLIST_ELT *e = ruvv_slist_get_first(l); e; e = ruvv_slist_get_next(l, e))
            out += std::string(out.empty() ? "" : ",") + ruvv_slist_get(l, e, nullptr);
        return out;
    }
};

TEST_F(SListTest, AddAtPosition)
{
    EXPECT_TRUE(ruvv_slist_is_valid(list));
    EXPECT_TRUE(ruvv_slist_add_at_pos(list, 0, "b", 2)); // empty list, pos 0
    EXPECT_TRUE(ruvv_slist_add_at_pos(list, 0, "a", 1));
    EXPECT_TRUE(ruvv_slist_add_at_pos(list, 100, "d", 4)); // beyond the end: appended
    EXPECT_TRUE(ruvv_slist_add_at_pos(list, 2, "c", 3));
    EXPECT_EQ(joined(list), "a,b,c,d");
    EXPECT_EQ(ruvv_slist_count(list), 4);
    intptr_t refcon = 0;
    EXPECT_STREQ(ruvv_slist_get_elt(list, 2, &refcon), "c");
    EXPECT_EQ(refcon, 3);
    EXPECT_EQ(ruvv_slist_get_elt(list, 4, &refcon), nullptr);
}

TEST_F(SListTest, RefconHoldsAWholePointer)
{
    const intptr_t big = (intptr_t)0x00007ffd12345678LL;
    ruvv_slist_add_at_pos(list, 0, "obj", big);
    SLIST_ELT *e = ruvv_slist_get_first(list);
    EXPECT_EQ(*ruvv_slist_get_data(e), big);
}

TEST_F(SListTest, AddingAListMovesItsElementsAndEmptiesIt)
{
    ruvv_slist_add_at_pos(list, -1, "a", 1);
    ruvv_slist_add_at_pos(list, -1, "d", 4);
    SLIST *src = ruvv_slist_create();
    ruvv_slist_add_at_pos(src, -1, "b", 2);
    ruvv_slist_add_at_pos(src, -1, "c", 3);
    EXPECT_TRUE(ruvv_slist_add_at_pos(list, 1, reinterpret_cast<const char *>(src), 0));
    EXPECT_EQ(joined(list), "a,b,c,d");
    intptr_t refcon = 0;
    ruvv_slist_get_elt(list, 2, &refcon);
    EXPECT_EQ(refcon, 3);
    EXPECT_EQ(ruvv_slist_count(src), 0);
    EXPECT_TRUE(ruvv_slist_add_at_pos(list, 0, reinterpret_cast<const char *>(src), 0)); // empty source
    EXPECT_EQ(ruvv_slist_count(list), 4);
    EXPECT_FALSE(ruvv_slist_add_at_pos(list, 0, reinterpret_cast<const char *>(list), 0)); // itself
    EXPECT_TRUE(reported(kBadValue));
    ruvv_slist_destroy(src);
}

TEST_F(SListTest, AddAfterAnElement)
{
    ruvv_slist_add_at_elt(list, nullptr, "a", 0);
    ruvv_slist_add_at_elt(list, nullptr, "c", 0);
    ruvv_slist_add_at_elt(list, ruvv_slist_get_first(list), "b", 0);
    EXPECT_EQ(joined(list), "a,b,c");
    SLIST *other = ruvv_slist_create();
    ruvv_slist_add_at_pos(other, 0, "x", 0);
    EXPECT_TRUE(ruvv_slist_add_at_elt(list, ruvv_slist_get_first(other), "d", 0)); // foreign: at the end
    EXPECT_TRUE(reported(kBadValue));
    EXPECT_EQ(joined(list), "a,b,c,d");
    ruvv_slist_destroy(other);
}

TEST_F(SListTest, AddSorted)
{
    for (const char *s : {"pear", "Apple", "fig"})
        EXPECT_TRUE(ruvv_slist_add_sorted(list, s, 0, 1, 0));
    EXPECT_EQ(joined(list), "Apple,fig,pear");
    EXPECT_TRUE(ruvv_slist_add_sorted(list, "APPLE", 0, 1, 0)); // present ignoring case: kept out
    EXPECT_EQ(ruvv_slist_count(list), 3);
    EXPECT_TRUE(ruvv_slist_add_sorted(list, "FIG", 7, 0, 0)); // not unique: before the equal one
    EXPECT_EQ(joined(list), "Apple,FIG,fig,pear");
    EXPECT_FALSE(ruvv_slist_add_sorted(list, "\xff" "abc", 0, 0, 0));
    EXPECT_FALSE(ruvv_slist_add_sorted(list, nullptr, 0, 0, 0));
    EXPECT_TRUE(reported(kBadValue));
    EXPECT_EQ(ruvv_slist_count(list), 4);
}

TEST_F(SListTest, RemoveOnlyElementsOfTheList)
{
    ruvv_slist_add_at_pos(list, -1, "a", 0);
    ruvv_slist_add_at_pos(list, -1, "b", 0);
    EXPECT_TRUE(ruvv_slist_rem(list, ruvv_slist_get_next(list, ruvv_slist_get_first(list))));
    EXPECT_EQ(joined(list), "a");
    SLIST *other = ruvv_slist_create();
    ruvv_slist_add_at_pos(other, 0, "x", 0);
    EXPECT_FALSE(ruvv_slist_rem(list, ruvv_slist_get_first(other)));
    EXPECT_TRUE(reported(kBadValue));
    EXPECT_EQ(ruvv_slist_count(other), 1);
    ruvv_slist_destroy(other);
}

TEST_F(SListTest, NullArguments)
{
    EXPECT_FALSE(ruvv_slist_destroy(nullptr));
    EXPECT_FALSE(ruvv_slist_is_valid(nullptr));
    EXPECT_FALSE(ruvv_slist_is_valid("text"));
    EXPECT_EQ(ruvv_slist_count(nullptr), 0);
    EXPECT_EQ(ruvv_slist_get_first(nullptr), nullptr);
    EXPECT_EQ(ruvv_slist_get(list, nullptr, nullptr), nullptr);
    EXPECT_FALSE(ruvv_slist_add_at_pos(nullptr, 0, "a", 0));
    EXPECT_FALSE(ruvv_slist_add_at_pos(list, 0, nullptr, 0));
}

TEST_F(SListTest, DebugListing)
{
    // The test's own working directory: test programs run in parallel never
    // share a debug file.
    std::string dir = std::filesystem::current_path().string();
    standin::set_startup_dir(dir);
    std::string path = dir + "/debug";
    { std::ofstream(path).put('\n'); } // the debug file is written only when it exists
    ruvv_slist_debug(nullptr);
    ruvv_slist_debug(list);
    ruvv_slist_add_at_pos(list, -1, "one", 7);
    ruvv_slist_add_at_pos(list, -1, "two", -12);
    ruvv_slist_debug(list);
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    std::remove(path.c_str());
    std::string got = text.str();
    got.erase(std::remove(got.begin(), got.end(), '\r'), got.end());
    EXPECT_EQ(got, "NULL argument.\n"
                   "Empty list.\n"
                   "   1: Refcon =         7   String = \"one\"\n"
                   "   2: Refcon =       -12   String = \"two\"\n");
}

// ---- the name-to-id map ----

class IdMapTest : public StringTest {};

TEST_F(IdMapTest, SameNameSameIdFromOne)
{
    EXPECT_EQ(ruvv_idmap_intern("NavClassName"), 1);
    EXPECT_EQ(ruvv_idmap_intern("TreeClass"), 2);
    EXPECT_EQ(ruvv_idmap_intern("NavClassName"), 1);
    EXPECT_STREQ(ruvv_idmap_name(2), "TreeClass");
    EXPECT_EQ(ruvv_idmap_name(0), nullptr);
    EXPECT_EQ(ruvv_idmap_name(3), nullptr);
    EXPECT_EQ(ruvv_idmap_name(-7), nullptr);
}

TEST_F(IdMapTest, HighBytesHashIntoTheTable)
{
    // Bytes above 0x7F once made the hash negative: every such name must
    // land in a real bucket and come back by its id.
    std::vector<std::string> names = {"\xff", "\xff\xff\xff\xff\xff\xff\xff\xff", "\x80\x81\x82",
                                      std::string(300, '\xe0'), std::string(40, '\xff') + "tail"};
    std::vector<int16_t> ids;
    for (const std::string &n : names)
        ids.push_back(ruvv_idmap_intern(n.c_str()));
    for (size_t i = 0; i < names.size(); i++) {
        EXPECT_GT(ids[i], 0);
        EXPECT_EQ(ruvv_idmap_intern(names[i].c_str()), ids[i]);
        EXPECT_EQ(ruvv_idmap_name(ids[i]), names[i]);
    }
}

TEST_F(IdMapTest, NamesFillManyPools)
{
    // 3000 names of 100 bytes need more than 70 pools of 4096 bytes and more
    // than one page of ids.
    for (int i = 0; i < 3000; i++) {
        std::string n = std::to_string(i) + std::string(96, 'x');
        ASSERT_EQ(ruvv_idmap_intern(n.c_str()), i + 1);
    }
    EXPECT_EQ(ruvv_idmap_name(1), std::string("0") + std::string(96, 'x'));
    EXPECT_EQ(ruvv_idmap_name(3000), std::string("2999") + std::string(96, 'x'));
    EXPECT_EQ(ruvv_idmap_intern("1500xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"),
              1501);
}

TEST_F(IdMapTest, ANameLongerThanAPoolIsRefused)
{
    std::string fits(4000, 'n'), too_long(4096, 'n');
    EXPECT_EQ(ruvv_idmap_intern(fits.c_str()), 1);
    EXPECT_EQ(ruvv_idmap_intern(too_long.c_str()), 0);
    EXPECT_TRUE(reported(kBadValue));
    EXPECT_EQ(ruvv_idmap_intern("after"), 2);
    EXPECT_EQ(ruvv_idmap_name(1), fits);
}

// ---- list controls ----

class ListAddTest : public StringTest {
protected:
    RUV_VOBJ ctl{};
    void SetUp() override
    {
        StringTest::SetUp();
        ctl.tag = RUV_VOBJ_TAG;
        ctl.type = 20; // drop-down list
    }
};

char *skip_b(RUV_WIN, char *title, int32_t *, int32_t *, intptr_t)
{
    if (title[0] == 'b')
        return nullptr;
    if (title[0] == 'x')
        return reinterpret_cast<char *>(-1);
    return const_cast<char *>("row");
}

TEST_F(ListAddTest, AListFillsAnEmptyDropDownAndSelectsTheFirstRow)
{
    SLIST *l = ruvv_slist_create();
    for (const char *s : {"a", "b", "c"})
        ruvv_slist_add_at_pos(l, -1, s, 0);
    EXPECT_TRUE(ruvv_list_add(&ctl, -1, reinterpret_cast<const char *>(l)));
    EXPECT_EQ(standin::list_rows(&ctl), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(standin::list_selection(&ctl), 0);
    ruvv_slist_destroy(l);
}

TEST_F(ListAddTest, PositionsAdvanceAndOnlyAnEmptyDropDownSelects)
{
    ruvv_list_add(&ctl, -1, "z"); // empty drop-down: row 0 is selected
    EXPECT_EQ(standin::list_selection(&ctl), 0);
    ruvk_list_set_sel(&ctl, -1, FALSE); // the selection cleared
    SLIST *l = ruvv_slist_create();
    ruvv_slist_add_at_pos(l, -1, "a", 0);
    ruvv_slist_add_at_pos(l, -1, "b", 0);
    ruvv_list_add(&ctl, 0, reinterpret_cast<const char *>(l)); // rows 0 and 1
    EXPECT_EQ(standin::list_rows(&ctl), (std::vector<std::string>{"a", "b", "z"}));
    EXPECT_EQ(standin::list_selection(&ctl), -1); // it was not empty: nothing selected

    standin::list_reset();
    ctl.type = 19; // a list box selects nothing, even when it was empty
    ruvv_list_add(&ctl, -1, "x");
    EXPECT_EQ(standin::list_rows(&ctl), (std::vector<std::string>{"x"}));
    EXPECT_EQ(standin::list_selection(&ctl), -1);
    ruvv_slist_destroy(l);
}

TEST_F(ListAddTest, TheFormatterReplacesOrSkipsRows)
{
    ctl.title_formatter = skip_b;
    SLIST *l = ruvv_slist_create();
    for (const char *s : {"a", "b", "c"})
        ruvv_slist_add_at_pos(l, -1, s, 0);
    ruvv_list_add(&ctl, -1, reinterpret_cast<const char *>(l)); // list: NULL skips
    ruvv_list_add(&ctl, -1, "b");                                // one text: NULL adds the text
    ruvv_list_add(&ctl, -1, "x");                                // -1 adds nothing
    EXPECT_EQ(standin::list_rows(&ctl), (std::vector<std::string>{"row", "row", "b"}));
    ruvv_slist_destroy(l);
}

} // namespace
