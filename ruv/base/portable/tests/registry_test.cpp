// Object registry: validity of handles (also above 4 GiB), listings by
// filter and by parent, the iterator, a failed registration, and the
// application queries built on the registry block.

#include <algorithm>
#include <vector>

#include "core_test_support.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_list.h"
#include "ruvv_vobj.h"

using namespace coretest;

namespace {

// A zero-filled record as the kernel makes it, from the memory hooks.
RUV_VOBJ *make_obj(RUV_VOBJ *parent, uint32_t kind, int32_t type)
{
    RUV_VOBJ *o = static_cast<RUV_VOBJ *>(ruvv_mem_zalloc(sizeof(RUV_VOBJ)));
    o->tag = RUV_VOBJ_TAG;
    o->parent = parent;
    o->kind = kind;
    o->type = type;
    return o;
}

void destroy_obj(RUV_VOBJ *o)
{
    ruvv_registry_remove(o);
    ruvv_mem_free(o);
}

std::vector<std::pair<std::string, RUV_WIN>> contents(SLIST *list)
{
    std::vector<std::pair<std::string, RUV_WIN>> out;
    for (SLIST_ELT *e = ruvv_slist_get_first(list); e; e = ruvv_slist_get_next(list, e)) {
        intptr_t refcon = 0;
        const char *s = ruvv_slist_get(list, e, &refcon);
        out.emplace_back(s, reinterpret_cast<RUV_WIN>(refcon));
    }
    return out;
}

class RegistryTest : public CoreTest {};

TEST_F(RegistryTest, ValidFromAddUntilRemove)
{
    RUV_VOBJ *o = make_obj(nullptr, 8, 1);
    EXPECT_FALSE(ruvv_vobj_is_valid(o));  // never registered
    EXPECT_FALSE(ruvv_vobj_is_valid(NULL_WIN));
    EXPECT_TRUE(ruvv_registry_add(o));
    EXPECT_TRUE(ruvv_vobj_is_valid(o));
    EXPECT_EQ(ruvv_registry_remove(o), o);
    EXPECT_FALSE(ruvv_vobj_is_valid(o));
    EXPECT_EQ(ruvv_registry_remove(o), o);  // a second remove is harmless
    ruvv_mem_free(o);
}

TEST_F(RegistryTest, AddingTwiceKeepsOneListEntry)
{
    RUV_VOBJ *o = make_obj(nullptr, 8, 1);
    ASSERT_TRUE(ruvv_registry_add(o));
    ASSERT_TRUE(ruvv_registry_add(o));
    RUV_REGISTRY_ITER it;
    ruvv_registry_iter_init(&it);
    int n = 0;
    while (ruvv_registry_iter_next(&it, nullptr, 0))
        ++n;
    EXPECT_EQ(n, 1);
    ruvv_registry_remove(o);
    EXPECT_FALSE(ruvv_vobj_is_valid(o));
    ruvv_mem_free(o);
}

TEST_F(RegistryTest, IteratorWalksNewestFirstThroughTheFilter)
{
    RUV_VOBJ *a = make_obj(nullptr, 0x10, 1);
    RUV_VOBJ *b = make_obj(nullptr, 0x100, 6);
    RUV_VOBJ *c = make_obj(nullptr, 0x10, 1);
    for (RUV_VOBJ *o : { a, b, c })
        ruvv_registry_add(o);
    RUV_REGISTRY_ITER it;
    ruvv_registry_iter_init(&it);
    EXPECT_EQ(ruvv_registry_iter_next(&it, ruvv_registry_filter_flags, 0x10), c);
    EXPECT_EQ(ruvv_registry_iter_next(&it, ruvv_registry_filter_flags, 0x10), a);
    EXPECT_EQ(ruvv_registry_iter_next(&it, ruvv_registry_filter_flags, 0x10), nullptr);
    ruvv_registry_iter_init(&it);
    EXPECT_EQ(ruvv_registry_iter_next(&it, nullptr, 0), c);
    EXPECT_EQ(ruvv_registry_iter_next(&it, nullptr, 0), b);
    EXPECT_EQ(ruvv_registry_iter_next(&it, nullptr, 0), a);
    for (RUV_VOBJ *o : { a, b, c })
        destroy_obj(o);
}

TEST_F(RegistryTest, ListIsInTitleOrderIgnoringCaseAndKeepsEqualTitles)
{
    RUV_VOBJ *screen = make_obj(nullptr, 256, 6);
    RUV_VOBJ *w1 = make_obj(screen, 8, 1);
    RUV_VOBJ *w2 = make_obj(screen, 8, 1);
    RUV_VOBJ *w3 = make_obj(screen, 8, 1);
    RUV_VOBJ *w4 = make_obj(screen, 8, 1);
    for (RUV_VOBJ *o : { screen, w1, w2, w3, w4 })
        ruvv_registry_add(o);
    standin::set_title(w1, "beta");
    standin::set_title(w2, "Alpha");
    standin::set_title(w3, "gamma");
    standin::set_title(w4, "alpha");

    SLIST *list = ruvv_registry_list(ruvv_registry_filter_parent, reinterpret_cast<intptr_t>(screen), TRUE);
    ASSERT_NE(list, nullptr);
    auto got = contents(list);
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0].first.size(), 5u);  // both alphas first (either case)
    EXPECT_EQ(got[2], std::make_pair(std::string("beta"), RUV_WIN(w1)));
    EXPECT_EQ(got[3], std::make_pair(std::string("gamma"), RUV_WIN(w3)));
    std::vector<RUV_WIN> alphas = { got[0].second, got[1].second };
    std::sort(alphas.begin(), alphas.end());
    std::vector<RUV_WIN> expect = { w2, w4 };
    std::sort(expect.begin(), expect.end());
    EXPECT_EQ(alphas, expect);
    ruvv_slist_destroy(list);

    // Without titles every string is empty.
    list = ruvv_registry_list(ruvv_registry_filter_parent, reinterpret_cast<intptr_t>(screen), FALSE);
    ASSERT_NE(list, nullptr);
    for (auto &e : contents(list))
        EXPECT_EQ(e.first, "");
    EXPECT_EQ(ruvv_slist_count(list), 4);
    ruvv_slist_destroy(list);
    for (RUV_VOBJ *o : { screen, w1, w2, w3, w4 })
        destroy_obj(o);
}

TEST_F(RegistryTest, ListWinsInCreationOrderWithTitlesByType)
{
    RUV_VOBJ *parent = make_obj(nullptr, 8, 1);
    ruvv_registry_add(parent);
    struct Case {
        uint32_t kind;
        int32_t type;
        const char *title;
        const char *listed;  // nullptr: not listed
    } cases[] = {
        { 0x10, 1, "document", "document" },         // titled type
        { 0x40, 12, "push", "push" },                // control kind, titled
        { 0x40, 15, "edit", "" },                    // untitled type
        { 0x40, 20, "drop", "" },
        { 0x40, 24, "other", "" },
        { 0x40, 25, "notebook", "notebook" },        // 25 and above: titled
        { 0x2040, 12, "text edit", "text edit" },    // counts as type 23: titled
        { 0x2040, 15, "text edit 2", "text edit 2" },
        { 0x100, 1, "not a child kind", nullptr },   // flags miss 0x70df
    };
    std::vector<RUV_VOBJ *> made;
    for (const Case &c : cases) {
        RUV_VOBJ *o = make_obj(parent, c.kind, c.type);
        ruvv_registry_add(o);
        standin::set_title(o, c.title);
        made.push_back(o);
    }
    RUV_VOBJ *elsewhere = make_obj(nullptr, 0x40, 12);  // another parent
    ruvv_registry_add(elsewhere);

    SLIST *list = ruvv_win_list_wins(parent, 0, TRUE);
    ASSERT_NE(list, nullptr);
    auto got = contents(list);
    size_t k = 0;
    for (size_t i = 0; i < made.size(); ++i) {
        if (!cases[i].listed)
            continue;
        ASSERT_LT(k, got.size());
        EXPECT_EQ(got[k].second, made[i]) << cases[i].title;
        EXPECT_EQ(got[k].first, cases[i].listed) << cases[i].title;
        ++k;
    }
    EXPECT_EQ(k, got.size());
    ruvv_slist_destroy(list);

    SLIST *none = ruvv_win_list_wins(elsewhere, 0, TRUE);  // no children: empty, not NULL
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(ruvv_slist_count(none), 0);
    ruvv_slist_destroy(none);

    for (RUV_VOBJ *o : made)
        destroy_obj(o);
    destroy_obj(elsewhere);
    destroy_obj(parent);
}

TEST_F(RegistryTest, RecordsStillRegisteredAreFreedAtProcessEnd)
{
    // Nothing is removed here: the registry block's end frees the records
    // (the sanitizer's leak check watches this).
    for (int i = 0; i < 5; ++i)
        ruvv_registry_add(make_obj(nullptr, 8, 1));
}

class FailingRegistryTest : public CoreTest {
protected:
    void install_hooks() override { FailingAlloc::install(0); }
};

TEST_F(FailingRegistryTest, FailedHashInsertLeavesTheObjectListedButInvalid)
{
    RUV_VOBJ *first = make_obj(nullptr, 0x10, 1);
    ASSERT_TRUE(ruvv_registry_add(first));  // registry block and table exist now
    RUV_VOBJ *o = make_obj(nullptr, 0x10, 1);
    FailingAlloc::fail_next(1);
    EXPECT_FALSE(ruvv_registry_add(o));
    EXPECT_FALSE(ruvv_vobj_is_valid(o));
    RUV_REGISTRY_ITER it;
    ruvv_registry_iter_init(&it);
    EXPECT_EQ(ruvv_registry_iter_next(&it, nullptr, 0), o);  // on the list all the same
    destroy_obj(o);
    destroy_obj(first);
}

TEST_F(FailingRegistryTest, ListingFailuresGiveNull)
{
    RUV_VOBJ *parent = make_obj(nullptr, 8, 1);
    RUV_VOBJ *child = make_obj(parent, 0x10, 1);
    ruvv_registry_add(parent);
    ruvv_registry_add(child);
    FailingAlloc::fail_next(1);  // the list itself
    EXPECT_EQ(ruvv_win_list_wins(parent, 0, FALSE), nullptr);
    FailingAlloc::fail_next(2);  // its first element
    EXPECT_EQ(ruvv_win_list_wins(parent, 0, FALSE), nullptr);
    FailingAlloc::fail_next(2);
    EXPECT_EQ(ruvv_registry_list(nullptr, 0, FALSE), nullptr);
    reports().clear();
    destroy_obj(child);
    destroy_obj(parent);
}

// Handles above 4 GiB: the hash takes the whole pointer.
class HighRegistryTest : public CoreTest {
protected:
    void install_hooks() override
    {
        if (!HighAlloc::map())
            GTEST_SKIP() << "no address above 4 GiB could be mapped";
        HighAlloc::install();
    }
};

TEST_F(HighRegistryTest, HandlesAboveFourGiBAreValid)
{
    std::vector<RUV_VOBJ *> objs;
    for (int i = 0; i < 50; ++i) {
        RUV_VOBJ *o = make_obj(nullptr, 8, 1);
        uintptr_t a = reinterpret_cast<uintptr_t>(o);
        ASSERT_GT(a, uintptr_t(0xFFFFFFFFu));
        ASSERT_LT(static_cast<int32_t>(static_cast<uint32_t>(a)), 0);  // negative low half
        EXPECT_TRUE(ruvv_registry_add(o));
        objs.push_back(o);
    }
    for (RUV_VOBJ *o : objs)
        EXPECT_TRUE(ruvv_vobj_is_valid(o));
    for (RUV_VOBJ *o : objs) {
        ruvv_registry_remove(o);
        EXPECT_FALSE(ruvv_vobj_is_valid(o));
    }
}

TEST_F(HighRegistryTest, HandlesWithEqualLowHalvesAreToldApart)
{
    // The same offset in two arenas 4 GiB apart.
    HighAlloc::used(1) = HighAlloc::used(0);
    RUV_VOBJ *low = make_obj(nullptr, 8, 1);
    HighAlloc::current() = 1;
    RUV_VOBJ *high = make_obj(nullptr, 8, 1);
    HighAlloc::current() = 0;
    ASSERT_EQ(reinterpret_cast<uintptr_t>(high) - reinterpret_cast<uintptr_t>(low), uintptr_t(1) << 32);

    ASSERT_TRUE(ruvv_registry_add(low));
    EXPECT_TRUE(ruvv_vobj_is_valid(low));
    EXPECT_FALSE(ruvv_vobj_is_valid(high));
    ASSERT_TRUE(ruvv_registry_add(high));
    ruvv_registry_remove(low);
    EXPECT_FALSE(ruvv_vobj_is_valid(low));
    EXPECT_TRUE(ruvv_vobj_is_valid(high));
    ruvv_registry_remove(high);
}

TEST_F(RegistryTest, UpdateCounterAndProcUpdate)
{
    EXPECT_FALSE(ruvv_app_is_update_in_progress());
    EXPECT_FALSE(ruvv_app_proc_update());
    ruvv_app_update_count(TRUE);
    ruvv_app_update_count(TRUE);
    EXPECT_TRUE(ruvv_app_is_update_in_progress());
    EXPECT_TRUE(ruvv_app_proc_update());
    ruvv_attr_set(NULL_WIN, RUV_ATTR_UPDATE_NOT_PENDING, 1);
    EXPECT_FALSE(ruvv_app_proc_update());  // attribute 704 hides it
    EXPECT_TRUE(ruvv_app_is_update_in_progress());  // this one ignores 704
    ruvv_attr_set(NULL_WIN, RUV_ATTR_UPDATE_NOT_PENDING, 0);
    ruvv_app_update_count(FALSE);
    EXPECT_TRUE(ruvv_app_proc_update());
    ruvv_app_update_count(FALSE);
    EXPECT_FALSE(ruvv_app_proc_update());
}

TEST_F(RegistryTest, ApplicationQueries)
{
    RUV_DRAW_CTOOLS t;
    std::memset(&t, 0x5A, sizeof t);
    ruvv_app_get_default_ctools(&t);
    EXPECT_EQ(t.pen.width, 1);
    EXPECT_EQ(t.pen.pattern, 2);
    EXPECT_EQ(t.pen.style, 0);
    EXPECT_EQ(t.pen.color, 0x07000000u);
    EXPECT_EQ(t.brush.pattern, 2);
    EXPECT_EQ(t.brush.color, 0x0BFFFFFFu);
    EXPECT_EQ(t.draw_mode, 0);
    EXPECT_EQ(t.fore, 0x07000000u);
    EXPECT_EQ(t.back, 0x0BFFFFFFu);
    EXPECT_EQ(t.opaque, 0);
    EXPECT_EQ(ruvv_app_get_remote_platform(), 300);
    EXPECT_EQ(ruvv_app_get_remote_winsys(), 300);

    RUV_VOBJ task{};
    ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_TASK_WINDOW, reinterpret_cast<intptr_t>(&task));
    ruvv_app_destroy();
    ASSERT_EQ(standin::destroyed().size(), 1u);
    EXPECT_EQ(standin::destroyed()[0], &task);
}

} // namespace
