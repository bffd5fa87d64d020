// Generic lists and allocation helpers: pointer-sized slots, block growth,
// heap copies of large elements, index rules, and operations whose
// allocation fails.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "fakes.h"
#include "ge_list.h"

namespace {

struct Big {
    int32_t a, b, c;  // 12 bytes: more than a slot on every target
};

size_t BlockOf(const GE_List *l) { return static_cast<size_t>(l->count) * l->slotSize + l->freeRoom; }

TEST(GeList, SlotSizes)
{
    const struct {
        uint32_t elementSize;
        uint32_t slotSize;
    } cases[] = {
        {1, 1}, {2, 2}, {4, 4}, {sizeof(void *), sizeof(void *)},
        {sizeof(void *) + 1, sizeof(void *)}, {12, sizeof(void *)}, {100, sizeof(void *)},
    };
    for (const auto &c : cases) {
        GE_List *l = GE_ListCreate(c.elementSize);
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(l->slotSize, c.slotSize) << c.elementSize;
        EXPECT_EQ(l->elementSize, c.elementSize);
        EXPECT_EQ(l->freeRoom, 255u);
        EXPECT_EQ(l->count, 0);
        GE_ListDestroy(l);
    }
    EXPECT_EQ(GE_ListCreate(0), nullptr);
}

// A list of pointers holds 31 in its first 255-byte block; the 32nd grows
// it to 510 bytes, which holds 63; the 64th grows it to 765.
TEST(GeList, PointerListGrowsBy255)
{
    GE_List *l = GE_ListCreate(sizeof(void *));
    ASSERT_NE(l, nullptr);
    const size_t perBlock = 255 / sizeof(void *);
    ASSERT_EQ(perBlock, 31u);
    std::vector<int> objects(200);
    for (int i = 0; i < 130; ++i) {
        void *p = &objects[static_cast<size_t>(i)];
        ASSERT_EQ(GE_ListInsert(l, i, &p), 1);
        // The smallest block of 255-byte steps whose slots hold them all.
        size_t expectedBlock = 255;
        while (expectedBlock / sizeof(void *) < static_cast<size_t>(i) + 1)
            expectedBlock += 255;
        if (i == 30 || i == 31 || i == 62 || i == 63) {
            ASSERT_EQ(expectedBlock, i == 30 ? 255u : i == 63 ? 765u : 510u);
        }
        ASSERT_EQ(BlockOf(l), expectedBlock) << "after insertion " << i + 1;
    }
    for (int i = 0; i < 130; ++i) {
        void *p = nullptr;
        ASSERT_EQ(GE_ListGet(l, i, &p), 1);
        EXPECT_EQ(p, &objects[static_cast<size_t>(i)]);
    }
    // Removing gives the room back; the block never shrinks.
    void *p = nullptr;
    ASSERT_EQ(GE_ListRemove(l, 0, &p), 1);
    EXPECT_EQ(p, &objects[0]);
    EXPECT_EQ(BlockOf(l), 1275u);
    GE_ListClear(l);
    EXPECT_EQ(l->count, 0);
    EXPECT_EQ(l->freeRoom, 1275u);
    GE_ListDestroy(l);
}

TEST(GeList, InsertIndexIsClamped)
{
    GE_List *l = GE_ListCreate(sizeof(int32_t));
    ASSERT_NE(l, nullptr);
    const struct {
        int index;
        int32_t value;
    } steps[] = {{0, 1}, {1, 2}, {2, 3}, {-5, 0}, {1000, 4}, {2, 9}};
    for (const auto &s : steps)
        ASSERT_EQ(GE_ListInsert(l, s.index, &s.value), 1);
    const int32_t expected[] = {0, 1, 9, 2, 3, 4};
    ASSERT_EQ(GE_ListCount(l), 6);
    for (int i = 0; i < 6; ++i) {
        int32_t v = -1;
        ASSERT_EQ(GE_ListGet(l, i, &v), 1);
        EXPECT_EQ(v, expected[i]) << i;
    }
    GE_ListDestroy(l);
}

TEST(GeList, IndexOutsideTheListChangesNothing)
{
    GE_List *l = GE_ListCreate(sizeof(int32_t));
    const int32_t one = 1;
    GE_ListInsert(l, 0, &one);
    int32_t buffer = 77;
    for (int index : {-1, 1, 5}) {
        EXPECT_EQ(GE_ListGet(l, index, &buffer), 0);
        EXPECT_EQ(GE_ListSet(l, index, &one), 0);
        EXPECT_EQ(GE_ListRemove(l, index, &buffer), 0);
    }
    EXPECT_EQ(buffer, 77);
    EXPECT_EQ(GE_ListCount(l), 1);
    EXPECT_EQ(GE_ListCount(nullptr), 0);
    GE_ListDestroy(nullptr);
    GE_ListDestroy(l);
}

TEST(GeList, LargeElementsAreCopies)
{
    GE_List *l = GE_ListCreate(sizeof(Big));
    ASSERT_NE(l, nullptr);
    Big b = {1, 2, 3};
    ASSERT_EQ(GE_ListInsert(l, 0, &b), 1);
    b.a = 100;  // the caller's variable is not the stored element
    Big out = {};
    ASSERT_EQ(GE_ListGet(l, 0, &out), 1);
    EXPECT_EQ(out.a, 1);
    EXPECT_EQ(out.c, 3);

    const Big changed = {7, 8, 9};
    ASSERT_EQ(GE_ListSet(l, 0, &changed), 1);
    const Big second = {4, 5, 6};
    ASSERT_EQ(GE_ListInsert(l, 1, &second), 1);
    ASSERT_EQ(GE_ListRemove(l, 0, &out), 1);
    EXPECT_EQ(out.a, 7);
    EXPECT_EQ(out.b, 8);
    EXPECT_EQ(out.c, 9);
    ASSERT_EQ(GE_ListGet(l, 0, &out), 1);
    EXPECT_EQ(out.a, 4);
    GE_ListDestroy(l);  // frees the remaining copy (checked by the leak detector)
}

std::vector<void *> g_seen;
void Remember(void *element) { g_seen.push_back(element); }
int g_bigB = 0;
void RememberBig(void *element) { g_bigB = static_cast<Big *>(element)->b; }
void *Double(void *element)
{
    return reinterpret_cast<void *>(reinterpret_cast<uintptr_t>(element) * 2);
}

TEST(GeList, FunctionsReceiveElementValues)
{
    GE_List *l = GE_ListCreate(sizeof(void *));
    int x = 0, y = 0;
    void *px = &x, *py = &y;
    GE_ListInsert(l, 0, &px);
    GE_ListInsert(l, 1, &py);
    g_seen.clear();
    EXPECT_EQ(GE_ListClearWith(l, Remember), l);
    EXPECT_EQ((std::vector<void *>{&x, &y}), g_seen);
    EXPECT_EQ(GE_ListCount(l), 0);
    EXPECT_EQ(GE_ListClearWith(nullptr, Remember), nullptr);

    GE_ListInsert(l, 0, &px);
    g_seen.clear();
    GE_ListDestroyWith(l, Remember);
    EXPECT_EQ(g_seen, std::vector<void *>{&x});

    // Small non-pointer elements arrive as their value; large ones as the
    // address of the list's copy.
    GE_List *ints = GE_ListCreate(sizeof(int32_t));
    const int32_t v = 21;
    GE_ListInsert(ints, 0, &v);
    GE_List *doubled = GE_ListCreate(sizeof(int32_t));
    ASSERT_EQ(GE_ListMap(doubled, ints, Double), 1);
    int32_t out = 0;
    ASSERT_EQ(GE_ListGet(doubled, 0, &out), 1);
    EXPECT_EQ(out, 42);
    GE_ListDestroy(ints);
    GE_ListDestroy(doubled);

    GE_List *bigs = GE_ListCreate(sizeof(Big));
    const Big b = {5, 6, 7};
    GE_ListInsert(bigs, 0, &b);
    GE_ListClearWith(bigs, RememberBig);
    EXPECT_EQ(g_bigB, 6);
    GE_ListDestroy(bigs);
}

TEST(GeList, Copy)
{
    GE_List *src = GE_ListCreate(sizeof(Big));
    for (int i = 0; i < 40; ++i) {
        const Big b = {i, i * 2, i * 3};
        GE_ListInsert(src, i, &b);
    }
    GE_List *dst = GE_ListCreate(sizeof(Big));
    const Big old = {-1, -1, -1};
    GE_ListInsert(dst, 0, &old);
    ASSERT_EQ(GE_ListCopy(dst, src), 1);
    ASSERT_EQ(GE_ListCount(dst), 40);
    Big out = {};
    GE_ListGet(dst, 39, &out);
    EXPECT_EQ(out.c, 117);
    // The copies are the destination's own.
    const Big changed = {0, 0, 0};
    GE_ListSet(src, 39, &changed);
    GE_ListGet(dst, 39, &out);
    EXPECT_EQ(out.c, 117);

    GE_List *other = GE_ListCreate(sizeof(int32_t));
    EXPECT_EQ(GE_ListCopy(other, src), 0);  // element sizes differ
    EXPECT_EQ(GE_ListCopy(dst, nullptr), 0);
    EXPECT_EQ(GE_ListCount(dst), 40);
    GE_ListDestroy(other);
    GE_ListDestroy(src);
    GE_ListDestroy(dst);
}

TEST(GeAlloc, ZeroSizes)
{
    EXPECT_EQ(GE_Alloc(0), nullptr);
    void *p = GE_Alloc(16);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(GE_ReAlloc(p, 0), nullptr);  // frees p (the leak detector checks)
    void *q = GE_ReAlloc(nullptr, 8);
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(GE_Free(q), 0);
    EXPECT_EQ(GE_Free(nullptr), 0);
}

TEST(GeAlloc, StringsAndFloats)
{
    EXPECT_EQ(GE_StrDup(nullptr), nullptr);
    char *s = nullptr;
    GE_StrAppend(&s, "abc", static_cast<const char *>(nullptr));
    ASSERT_NE(s, nullptr);
    EXPECT_STREQ(s, "abc");
    GE_StrAppend(&s, "de", "", "fgh", static_cast<const char *>(nullptr));
    EXPECT_STREQ(s, "abcdefgh");
    GE_StrAppend(&s, s, "!", static_cast<const char *>(nullptr));  // the target itself
    EXPECT_STREQ(s, "abcdefghabcdefgh!");
    GE_Free(s);

    EXPECT_EQ(GE_FloatsNear(1.0f, 1.5f, 0.5f), 1);
    EXPECT_EQ(GE_FloatsNear(1.0f, 1.6f, 0.5f), 0);
    EXPECT_EQ(GE_FloatsNear(-1.0f, 1.0f, 2.0f), 1);

    GE_EditEvent *e = GE_EditEventCreate();
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->index, -1);
    EXPECT_EQ(e->operation, 2);
    ASSERT_NE(e->item, nullptr);
    void *item = &e;  // the buffer holds a whole pointer
    std::memcpy(e->item, &item, sizeof item);
    GE_Free(e->item);
    GE_Free(e);
}

// A list operation whose allocation fails returns 0 and leaves the list as
// it was: every allocation of each operation is made to fail in turn.
struct Snapshot {
    int32_t count;
    uint32_t freeRoom;
    std::vector<int64_t> elements;
};

Snapshot Take(const GE_List *l)
{
    Snapshot s{l->count, l->freeRoom, {}};
    for (int i = 0; i < l->count; ++i) {
        Big b = {};
        int64_t small = 0;
        if (l->elementSize > sizeof(void *)) {
            GE_ListGet(l, i, &b);
            s.elements.push_back(b.a * 1000000LL + b.b * 1000 + b.c);
        } else {
            GE_ListGet(l, i, &small);
            s.elements.push_back(small);
        }
    }
    return s;
}

bool Same(const Snapshot &a, const Snapshot &b)
{
    return a.count == b.count && a.freeRoom == b.freeRoom && a.elements == b.elements;
}

GE_List *Filled(uint32_t size, int n)
{
    GE_List *l = GE_ListCreate(size);
    for (int i = 0; i < n; ++i) {
        Big b = {i, i + 1, i + 2};
        int64_t v = i;
        GE_ListInsert(l, i, size > sizeof(void *) ? static_cast<const void *>(&b) : &v);
    }
    return l;
}

// Runs op on a fresh list with each of its allocations failing in turn:
// every failure must return 0 and leave the list as it was; the first run
// without a failure must succeed.
void ExpectAtomic(const char *name, uint32_t elementSize, int count,
                  const std::function<int(GE_List *)> &op)
{
    for (int nth = 1;; ++nth) {
        GE_List *l = Filled(elementSize, count);
        const Snapshot before = Take(l);
        int result;
        bool failed;
        {
            fakes::FailingAllocator failing(nth);
            result = op(l);
            failed = failing.Failed();
        }
        if (!failed) {
            EXPECT_EQ(result, 1) << name;
            GE_ListDestroy(l);
            return;
        }
        EXPECT_EQ(result, 0) << name << ", allocation " << nth;
        EXPECT_TRUE(Same(before, Take(l))) << name << ", allocation " << nth;
        GE_ListDestroy(l);
    }
}

TEST(GeList, FailedAllocationLeavesTheListUnchanged)
{
    const Big big = {9, 9, 9};
    const int64_t word = 9;
    // 31 pointers fill the first block: the next insertion must grow it.
    ExpectAtomic("insert that grows the block", sizeof(void *), 31,
                 [&](GE_List *l) { return GE_ListInsert(l, 3, &word); });
    ExpectAtomic("insert of a heap copy", sizeof(Big), 5,
                 [&](GE_List *l) { return GE_ListInsert(l, 0, &big); });
    ExpectAtomic("insert of a heap copy into a full block", sizeof(Big), 31,
                 [&](GE_List *l) { return GE_ListInsert(l, 31, &big); });

    GE_List *bigSource = Filled(sizeof(Big), 40);
    ExpectAtomic("copy of heap copies", sizeof(Big), 3,
                 [&](GE_List *l) { return GE_ListCopy(l, bigSource); });
    GE_List *wordSource = Filled(sizeof(void *), 100);
    ExpectAtomic("copy into a larger block", sizeof(void *), 3,
                 [&](GE_List *l) { return GE_ListCopy(l, wordSource); });
    ExpectAtomic("map into a larger block", sizeof(void *), 3,
                 [&](GE_List *l) { return GE_ListMap(l, wordSource, Double); });
    GE_ListDestroy(bigSource);
    GE_ListDestroy(wordSource);

    for (int nth = 1; nth <= 2; ++nth) {
        {
            fakes::FailingAllocator failing(nth);
            EXPECT_EQ(GE_ListCreate(sizeof(void *)), nullptr) << nth;
        }
        {
            fakes::FailingAllocator failing(nth);
            EXPECT_EQ(GE_EditEventCreate(), nullptr) << nth;
        }
    }

    char *s = GE_StrDup("abc");
    {
        fakes::FailingAllocator failing(1);
        GE_StrAppend(&s, "def", static_cast<const char *>(nullptr));
    }
    EXPECT_STREQ(s, "abc");
    GE_Free(s);
}

} // namespace
