// Memory hooks: installation rules, the default hooks and their retry after
// the out-of-memory hook, reallocation edge cases, the failing allocator
// used by other tests, and global-memory blocks.

#include <cstdint>
#include <limits>

#include "core_test_support.h"
#include "ruvv_attr.h"
#include "ruvv_mem.h"

#if defined(__SANITIZE_ADDRESS__)
// A huge request must come back as NULL, as it does outside the sanitizer.
extern "C" const char *__asan_default_options()
{
    return "allocator_may_return_null=1";
}
#endif

using namespace coretest;

namespace {

int counting_allocs = 0;
void *counting_alloc(size_t n) { ++counting_allocs; return std::malloc(n ? n : 1); }
void *counting_zalloc(size_t n) { ++counting_allocs; return std::calloc(1, n ? n : 1); }
void *counting_realloc(void *p, size_t n) { ++counting_allocs; return std::realloc(p, n); }
void counting_free(void *p) { std::free(p); }
const RUV_MEM_FUNCS counting = { counting_alloc, counting_free, counting_realloc, counting_zalloc };

void *other_alloc(size_t) { return nullptr; }
const RUV_MEM_FUNCS other = { other_alloc, counting_free, counting_realloc, counting_zalloc };

size_t oom_size = 0;
int oom_calls = 0;
RUV_BOOL oom_hook(size_t size)
{
    oom_size = size;
    ++oom_calls;
    return 1;
}

const size_t HUGE_SIZE = std::numeric_limits<size_t>::max() / 4;

class MemoryTest : public CoreTest {};

TEST_F(MemoryTest, NoHooksUntilFirstUse)
{
    standin::end_process();
    EXPECT_EQ(ruvv_mem_get_functions(), nullptr);
    ruvv_mem_free(reinterpret_cast<void *>(0x1000));  // before hooks: nothing happens
    void *p = ruvv_mem_alloc(8);
    ASSERT_NE(p, nullptr);
    EXPECT_NE(ruvv_mem_get_functions(), nullptr);  // the defaults went in
    ruvv_mem_free(p);
}

TEST_F(MemoryTest, FirstInstallationWins)
{
    standin::end_process();
    ruvv_mem_set_functions(&counting);
    ruvv_mem_set_functions(&other);  // changes nothing
    ruvv_mem_set_functions(nullptr);  // nor does this
    counting_allocs = 0;
    void *p = ruvv_mem_alloc(16);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(counting_allocs, 1);
    RUV_MEM_FUNCS *got = ruvv_mem_get_functions();
    ASSERT_NE(got, nullptr);
    EXPECT_EQ(got->alloc, counting_alloc);
    ruvv_mem_free(p);
}

TEST_F(MemoryTest, RecordWithNullMemberIsRefusedAndReported)
{
    standin::end_process();
    ruvv_errmsg_set_ready();  // nothing allocated yet: no hooks installed
    RUV_MEM_FUNCS broken = counting;
    broken.realloc = nullptr;
    ruvv_mem_set_functions(&broken);
    EXPECT_EQ(ruvv_mem_get_functions(), nullptr);
    EXPECT_EQ(ruvv_errmsg_get_last_msg(), 0x01210001u);
    ASSERT_EQ(standin::boxes().size(), 1u);  // the standard report's error box
    EXPECT_NE(standin::boxes()[0].text.find("ERROR: NULL Object handle"), std::string::npos);

    ruvv_mem_set_functions(&counting);  // a sound record still gets in
    ASSERT_NE(ruvv_mem_get_functions(), nullptr);
    EXPECT_EQ(ruvv_mem_get_functions()->alloc, counting_alloc);
}

TEST_F(MemoryTest, ReallocEdgeCases)
{
    void *p = ruvv_mem_realloc(nullptr, 32);  // allocates
    ASSERT_NE(p, nullptr);
    std::memset(p, 0xAB, 32);
    p = ruvv_mem_realloc(p, 64);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(static_cast<unsigned char *>(p)[31], 0xAB);
    EXPECT_EQ(ruvv_mem_realloc(p, 0), nullptr);  // frees
    ruvv_mem_free(nullptr);
}

TEST_F(MemoryTest, ZallocZeroFillsAndZeroSizeGivesABlock)
{
    unsigned char *p = static_cast<unsigned char *>(ruvv_mem_zalloc(100));
    ASSERT_NE(p, nullptr);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(p[i], 0);
    void *z = ruvv_mem_alloc(0);
    EXPECT_NE(z, nullptr);
    ruvv_mem_free(z);
    ruvv_mem_free(p);
}

TEST_F(MemoryTest, OutOfMemoryHookIsAskedOnceAndRetried)
{
    ruvv_attr_set(NULL_WIN, RUV_ATTR_MEM_ERR_HOOK, reinterpret_cast<intptr_t>(oom_hook));
    oom_calls = 0;
    EXPECT_EQ(ruvv_mem_alloc(HUGE_SIZE), nullptr);
    EXPECT_EQ(oom_calls, 1);
    EXPECT_EQ(oom_size, HUGE_SIZE);

    oom_calls = 0;
    EXPECT_EQ(ruvv_mem_zalloc(HUGE_SIZE), nullptr);
    EXPECT_EQ(oom_calls, 1);

    // A failed resize leaves the block intact.
    oom_calls = 0;
    char *p = static_cast<char *>(ruvv_mem_alloc(8));
    ASSERT_NE(p, nullptr);
    std::strcpy(p, "kept");
    EXPECT_EQ(ruvv_mem_realloc(p, HUGE_SIZE), nullptr);
    EXPECT_EQ(oom_calls, 1);
    EXPECT_STREQ(p, "kept");
    ruvv_mem_free(p);
}

TEST_F(MemoryTest, WithoutHookAFailedAllocationIsJustNull)
{
    EXPECT_EQ(ruvv_mem_alloc(HUGE_SIZE), nullptr);
}

class FailingMemoryTest : public CoreTest {
protected:
    void install_hooks() override { FailingAlloc::install(0); }
};

TEST_F(FailingMemoryTest, TheNthAllocationFails)
{
    FailingAlloc::fail_next(2);
    void *a = ruvv_mem_alloc(4);
    void *b = ruvv_mem_alloc(4);
    void *c = ruvv_mem_alloc(4);
    EXPECT_NE(a, nullptr);
    EXPECT_EQ(b, nullptr);
    EXPECT_NE(c, nullptr);
    ruvv_mem_free(a);
    ruvv_mem_free(c);
}

TEST_F(FailingMemoryTest, GlobalMemoryFailureGivesNull)
{
    FailingAlloc::fail_next(1);
    EXPECT_EQ(ruvv_gmem_alloc(10), nullptr);
    void *h = ruvv_gmem_alloc(10);
    ASSERT_NE(h, nullptr);
    FailingAlloc::fail_next(1);
    EXPECT_EQ(ruvv_gmem_realloc(h, 1000), nullptr);
    EXPECT_EQ(ruvv_gmem_get_size(h), 10);  // unchanged
    ruvv_gmem_free(h);
}

TEST_F(MemoryTest, GlobalMemoryBlocks)
{
    EXPECT_EQ(ruvv_gmem_alloc(-1), nullptr);
    void *empty = ruvv_gmem_alloc(0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(ruvv_gmem_get_size(empty), 0);
    EXPECT_EQ(ruvv_gmem_free(empty), 1);

    char *h = static_cast<char *>(ruvv_gmem_alloc(5));
    ASSERT_NE(h, nullptr);
    std::memcpy(h, "abcde", 5);
    EXPECT_EQ(ruvv_gmem_unlock(h), 1);
    EXPECT_EQ(ruvv_gmem_realloc(h, -3), nullptr);
    h = static_cast<char *>(ruvv_gmem_realloc(h, 4000));
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(ruvv_gmem_get_size(h), 4000);
    EXPECT_EQ(std::memcmp(h, "abcde", 5), 0);
    EXPECT_EQ(ruvv_gmem_free(h), 1);
}

TEST_F(MemoryTest, RepCopiesEndToEnd)
{
    char dst[10] = {};
    EXPECT_EQ(ruvv_mem_rep(dst, "abc", 3, 3), dst);
    EXPECT_EQ(std::string(dst, 9), "abcabcabc");
    EXPECT_EQ(dst[9], 0);
    EXPECT_EQ(ruvv_mem_rep(dst, "xyz", 3, 0), dst);
    EXPECT_EQ(dst[0], 'a');
}

} // namespace
