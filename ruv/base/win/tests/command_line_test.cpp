// The command line's files: wildcards expanded in their own directory,
// existing files and other arguments taken as they stand, and the type of
// each file taken from its leaf.
#include <direct.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "file_system.h"
#include "kernel_test_support.h"
#include "system_test_support.h"

namespace {

using st::cwd;

struct Got {
    std::string name, type;
};

std::vector<Got> split_and_read(std::vector<std::string> args)
{
    args.insert(args.begin(), "prog.exe");
    std::vector<char *> argv;
    for (std::string &a : args)
        argv.push_back(&a[0]);
    ruvk_app_split_command_line(static_cast<int32_t>(argv.size()), argv.data());
    std::vector<Got> out;
    while (RUV_FILE_SPEC *f = ruvk_app_get_file())
        out.push_back({ f->name, f->type });
    return out;
}

std::vector<std::string> just_names(const std::vector<Got> &got)
{
    std::vector<std::string> out;
    for (const Got &g : got)
        out.push_back(g.name);
    return out;
}

// A scratch directory with a dot in its name.
class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(session_.ok());
        ruvv_errmsg_set_ready();
        dir_ = scratch_.path();
    }
    void TearDown() override { ruvk_app_free_files(); }

    kt::Session session_;
    std::string start_ = cwd();
    st::ScratchDir scratch_{ "ruvk cmd.d", { "run.inp", "run2.inp", "base.hyd", "notes.txt" } };
    std::string dir_;
};

TEST_F(CommandLineTest, WildcardsExpandInTheirDirectoryWithItsPrefix)
{
    std::string d = dir_ + "\\";
    std::vector<Got> got = split_and_read({ d + "*.inp", d + "base.hyd", d + "run?.inp", d + "*.*yd",
                                            d + "nothing*.zzz", "plain-word", d });
    std::vector<std::string> expect = { d + "run.inp",       d + "run2.inp", d + "base.hyd", d + "run2.inp",
                                        d + "base.hyd",      d + "nothing*.zzz", "plain-word", d };
    EXPECT_EQ(just_names(got), expect);
    // The current directory is where it was.
    EXPECT_EQ(cwd(), start_);

    int16_t flag = 5;
    int32_t count = -1;
    EXPECT_EQ(ruvk_app_get_files_count(&flag, &count), 8);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(count, 8);
}

TEST_F(CommandLineTest, TypeComesFromTheLeafsLastDot)
{
    // A directory with a dot in its name, several dots in the leaf, none,
    // and a type longer than three characters.
    std::vector<Got> got = split_and_read({ dir_ + "\\run.inp", "C:\\my.data\\scenario.input", "C:\\v1.2\\model",
                                            "results.2024.his", "noext", "trailing.", "a/b.c/leaf.dat" });
    ASSERT_EQ(got.size(), 7u);
    const char *types[] = { "inp", "inp", "", "his", "", "", "dat" };
    for (size_t i = 0; i < got.size(); ++i)
        EXPECT_EQ(got[i].type, types[i]) << got[i].name;
}

TEST_F(CommandLineTest, ListRunsOutAndOverlongNamesAreRefused)
{
    std::string huge(300, 'n');
    std::vector<Got> got = split_and_read({ "first.inp", huge, "last.inp" });
    // The overlong name reports and gives NULL, which ends the reading loop.
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(kt::severity_of(0x01260004), RUV_SEV_ERROR);
    // The next call goes on with the name after it, then runs out.
    RUV_FILE_SPEC *f = ruvk_app_get_file();
    ASSERT_NE(f, nullptr);
    EXPECT_STREQ(f->name, "last.inp");
    EXPECT_EQ(ruvk_app_get_file(), nullptr);
    EXPECT_EQ(ruvk_app_get_file(), nullptr);

    // A new split starts over; no arguments give no files.
    EXPECT_TRUE(split_and_read({}).empty());
    EXPECT_EQ(ruvk_app_get_files_count(nullptr, nullptr), 0);
}

TEST_F(CommandLineTest, ListGrowsPastItsFirstCapacity)
{
    std::vector<std::string> args;
    for (int i = 0; i < 25; ++i)
        args.push_back("f" + std::to_string(i) + ".inp");
    std::vector<std::string> got = just_names(split_and_read(args));
    EXPECT_EQ(got, args);
}

} // namespace
