// String resources, string lists and raw blocks of the current resources,
// and a resource-only library (built beside the tests) that replaces the
// program's strings, raw blocks and compiled resources while it is current.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "kernel_test_support.h"
#include "resources.h"
#include "ruvv_list.h"
#include "ruvv_res.h"
#include "system_test_support.h"

namespace {

constexpr const char *kLibrary = "ruvk_test_reslib.dll";

std::string str(int32_t id)
{
    char buf[256];
    const char *s = ruvk_res_get_str(id, buf, sizeof buf);
    return s ? s : "(missing)";
}

std::string rcdata(int32_t id)
{
    char buf[256];
    int32_t n = ruvk_res_load_rcdata(id, buf, sizeof buf);
    return n < 0 ? "(missing)" : std::string(buf, static_cast<size_t>(n));
}

bool has_menu(int16_t id)
{
    RUV_MENU_ITEM *m = ruvv_res_get_menu(id);
    ruvv_res_free_menu_tree(m);
    return m != nullptr;
}

class ResourcesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(session_.ok()); }
    void TearDown() override { ruvk_res_remove_all_res(); }
    kt::Session session_;
};

TEST_F(ResourcesTest, StringsAreCutToTheBufferAndMissingOnesGiveNull)
{
    EXPECT_EQ(str(7001), "Program first");
    char small[8];
    ASSERT_EQ(ruvk_res_get_str(7010, small, sizeof small), small);
    EXPECT_STREQ(small, "A strin");
    EXPECT_EQ(ruvk_res_get_str(7004, small, sizeof small), nullptr);
    EXPECT_EQ(ruvk_res_get_str(7001, small, 0), nullptr);
    EXPECT_EQ(ruvk_res_get_str(7001, nullptr, 8), nullptr);
}

TEST_F(ResourcesTest, StringListsRunLowToHighAndFailOnAGap)
{
    std::vector<std::string> three = { "Program first", "Program second", "Program third" };
    for (auto range : { std::make_pair(7001, 7003), std::make_pair(7003, 7001) }) {
        SLIST *list = ruvk_res_get_str_list(range.first, range.second);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(st::strings(list), three);
        ruvv_slist_destroy(list);
    }
    SLIST *one = ruvk_res_get_str_list(7005, 7005);
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(st::strings(one), std::vector<std::string>{ "After a gap" });
    ruvv_slist_destroy(one);
    EXPECT_EQ(ruvk_res_get_str_list(7001, 7005), nullptr);
}

TEST_F(ResourcesTest, OversizedRawBlockIsCutAtTheCapacity)
{
    unsigned char buf[64];
    std::memset(buf, 0xEE, sizeof buf);
    EXPECT_EQ(ruvk_res_load_rcdata(7100, buf, 16), 96);
    EXPECT_EQ(std::memcmp(buf, "0123456789ABCDEF", 16), 0);
    for (size_t i = 16; i < sizeof buf; ++i)
        ASSERT_EQ(buf[i], 0xEE) << "byte " << i << " written beyond the capacity";

    EXPECT_EQ(ruvk_res_load_rcdata(7100, nullptr, 0), 96);
    EXPECT_EQ(ruvk_res_load_rcdata(7100, buf, -5), 96);
    EXPECT_EQ(buf[0], '0');
    EXPECT_EQ(rcdata(7100).size(), 96u);
    EXPECT_EQ(ruvk_res_load_rcdata(7199, buf, sizeof buf), -1);
}

TEST_F(ResourcesTest, LibraryReplacesTheProgramsResourcesWhileCurrent)
{
    ASSERT_FALSE(has_menu(500));
    void *lib = ruvk_res_add_res(kLibrary);
    ASSERT_NE(lib, nullptr);
    ASSERT_NE(GetModuleHandleA(kLibrary), nullptr);
    // Added, not yet current.
    EXPECT_EQ(str(7001), "Program first");
    EXPECT_FALSE(has_menu(500));

    void *program = ruvk_res_use_res(lib);
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(str(7001), "Library first");
    EXPECT_EQ(rcdata(7100), "LIBRARY-BLOCK");
    EXPECT_TRUE(has_menu(500));
    SLIST *list = ruvk_res_get_str_list(7002, 7003);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(st::strings(list), (std::vector<std::string>{ "Library second", "Library third" }));
    ruvv_slist_destroy(list);
    EXPECT_EQ(str(7005), "(missing)");

    // Using the current one answers itself; switching back answers the library.
    EXPECT_EQ(ruvk_res_use_res(lib), lib);
    EXPECT_EQ(ruvk_res_use_res(program), lib);
    EXPECT_EQ(str(7001), "Program first");
    EXPECT_FALSE(has_menu(500));

    EXPECT_TRUE(ruvk_res_remove_res(lib));
    EXPECT_EQ(GetModuleHandleA(kLibrary), nullptr);
    EXPECT_FALSE(ruvk_res_remove_res(lib));
    EXPECT_EQ(ruvk_res_use_res(lib), nullptr);
    // The program's own resources are never removed.
    EXPECT_FALSE(ruvk_res_remove_res(program));
    EXPECT_EQ(str(7001), "Program first");
}

TEST_F(ResourcesTest, RemovingTheCurrentLibraryMakesTheNextCurrent)
{
    void *lib = ruvk_res_add_res(kLibrary);
    ASSERT_NE(lib, nullptr);
    ruvk_res_use_res(lib);
    ASSERT_EQ(str(7002), "Library second");
    EXPECT_TRUE(ruvk_res_remove_res(lib));
    EXPECT_EQ(str(7002), "Program second");
    EXPECT_EQ(rcdata(7100).size(), 96u);
    EXPECT_FALSE(has_menu(500));
}

TEST_F(ResourcesTest, RemoveAllGivesTheProgramsResourcesBack)
{
    void *first = ruvk_res_add_res(kLibrary);
    void *second = ruvk_res_add_res(kLibrary);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    ASSERT_NE(first, second);
    ruvk_res_use_res(second);
    ASSERT_EQ(str(7003), "Library third");
    ruvk_res_remove_all_res();
    EXPECT_EQ(str(7003), "Program third");
    EXPECT_FALSE(has_menu(500));
    EXPECT_EQ(GetModuleHandleA(kLibrary), nullptr);
    EXPECT_EQ(ruvk_res_use_res(first), nullptr);
    // A new list starts with the next addition.
    void *again = ruvk_res_add_res(kLibrary);
    ASSERT_NE(again, nullptr);
    ruvk_res_use_res(again);
    EXPECT_EQ(str(7003), "Library third");
}

TEST_F(ResourcesTest, LibrariesThatCannotServeAreRefusedAndLetGo)
{
    EXPECT_EQ(ruvk_res_add_res("no_such_library.dll"), nullptr);
    EXPECT_EQ(ruvk_res_add_res(nullptr), nullptr);
    // A library without a compiled resource stream.
    const char *plain = "msacm32.dll";
    bool loaded_before = GetModuleHandleA(plain) != nullptr;
    EXPECT_EQ(ruvk_res_add_res(plain), nullptr);
    if (!loaded_before) {
        EXPECT_EQ(GetModuleHandleA(plain), nullptr);
    }
    EXPECT_EQ(str(7001), "Program first");
}

} // namespace
