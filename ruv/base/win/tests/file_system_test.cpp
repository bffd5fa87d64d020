// Files, directories and path names on a scratch directory under the
// system's temporary directory: directory records, full paths, saving and
// restoring the current directory, the start-up directory, splitting and
// building path names, and listings with patterns, filters and drives.
#include <direct.h>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "file_system.h"
#include "kernel_test_support.h"
#include "ruvv_list.h"
#include "system_test_support.h"

namespace {

using st::cwd;

// A fresh scratch tree, made current: a.inp, b.INP, c.txt, README, data.in,
// sub1\, sub2\x.inp.
class FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(session_.ok());
        ruvv_errmsg_set_ready();
        ASSERT_EQ(_chdir(scratch_.path().c_str()), 0);
        root_ = cwd();
    }
    void TearDown() override { _chdir(start_.c_str()); }

    kt::Session session_;
    std::string start_ = cwd();
    st::ScratchDir scratch_{ "ruvk_fsys_", { "a.inp", "b.INP", "c.txt", "README", "data.in", "sub2\\x.inp" }, { "sub1" } };
    std::string root_;
};

TEST_F(FileSystemTest, DirectoryRecordsMoveBetweenDirectoriesAndBack)
{
    RUV_FILE_DIR dir{};
    ruvk_fsys_get_default_dir(&dir);
    EXPECT_STREQ(dir.path, ".");

    // An empty path succeeds and changes nothing.
    RUV_FILE_DIR none{};
    EXPECT_TRUE(ruvk_fsys_set_dir(&none));
    EXPECT_EQ(cwd(), root_);

    RUV_FILE_DIR here{};
    ASSERT_TRUE(ruvk_fsys_get_dir(&here));
    EXPECT_EQ(std::string(here.path), root_);
    RUV_FILE_DIR sub{};
    strcpy(sub.path, "sub1");
    ASSERT_TRUE(ruvk_fsys_set_dir(&sub));
    EXPECT_EQ(cwd(), root_ + "\\sub1");
    ASSERT_TRUE(ruvk_fsys_set_dir(&here));
    EXPECT_EQ(cwd(), root_);

    strcpy(sub.path, "missing");
    EXPECT_FALSE(ruvk_fsys_set_dir(&sub));
    EXPECT_EQ(cwd(), root_);
}

TEST_F(FileSystemTest, QueriesAndConversionsLeaveTheCurrentDirectory)
{
    EXPECT_TRUE(ruvk_fsys_is_dir("sub1"));
    EXPECT_FALSE(ruvk_fsys_is_dir("a.inp"));
    EXPECT_FALSE(ruvk_fsys_is_dir("missing"));
    EXPECT_FALSE(ruvk_fsys_is_dir(""));
    EXPECT_FALSE(ruvk_fsys_is_dir(nullptr));

    RUV_FILE_DIR dir{};
    strcpy(dir.path, "sub2");
    char text[RUV_FILE_DIR_SIZE];
    ASSERT_TRUE(ruvk_fsys_convert_dir_to_str(&dir, text, sizeof text));
    EXPECT_EQ(std::string(text), root_ + "\\sub2");
    // Too small a buffer fails rather than cutting the path.
    EXPECT_FALSE(ruvk_fsys_convert_dir_to_str(&dir, text, 4));
    strcpy(dir.path, "missing");
    EXPECT_FALSE(ruvk_fsys_convert_dir_to_str(&dir, text, sizeof text));

    RUV_FILE_DIR back{};
    ASSERT_TRUE(ruvk_fsys_convert_str_to_dir("sub1\\..\\sub2", &back));
    EXPECT_EQ(std::string(back.path), root_ + "\\sub2");
    EXPECT_FALSE(ruvk_fsys_convert_str_to_dir("missing", &back));
    EXPECT_EQ(cwd(), root_);

    char full[MAX_PATH];
    ASSERT_TRUE(ruvk_fsys_full_path(full, "C:", sizeof full));
    EXPECT_STREQ(full, "C:\\");
    EXPECT_FALSE(ruvk_fsys_full_path(full, "", sizeof full));
    EXPECT_FALSE(ruvk_fsys_full_path(full, nullptr, sizeof full));
}

TEST_F(FileSystemTest, AnUnresolvablePathIsNeverTakenForTheRoot)
{
    std::string longer(300, 'd');
    EXPECT_FALSE(ruvk_fsys_change_dir(longer.c_str()));
    EXPECT_FALSE(ruvk_fsys_is_dir(longer.c_str()));
    EXPECT_EQ(cwd(), root_);
}

TEST_F(FileSystemTest, AMissingDirectoryOnAnotherDriveLeavesTheCurrentOne)
{
    // Another drive that exists: the change goes to its drive first.
    char other = 0;
    for (char letter : { 'Z', 'C', 'D', 'Y' }) {
        char root[4] = { letter, ':', '\\', 0 };
        UINT type = GetDriveTypeA(root);
        if (letter != toupper((unsigned char)root_[0]) && type != DRIVE_UNKNOWN && type != DRIVE_NO_ROOT_DIR) {
            other = letter;
            break;
        }
    }
    if (!other)
        GTEST_SKIP() << "no second drive";
    std::string missing = std::string(1, other) + ":\\ruvk_no_such_directory";
    EXPECT_FALSE(ruvk_fsys_change_dir(missing.c_str()));
    EXPECT_EQ(cwd(), root_);
    EXPECT_FALSE(ruvk_fsys_is_dir(missing.c_str()));
    EXPECT_EQ(cwd(), root_);
    RUV_FILE_DIR dir{};
    strcpy(dir.path, missing.c_str());
    EXPECT_FALSE(ruvk_fsys_set_dir(&dir));
    EXPECT_EQ(cwd(), root_);
    char text[RUV_FILE_DIR_SIZE];
    EXPECT_FALSE(ruvk_fsys_convert_dir_to_str(&dir, text, sizeof text));
    EXPECT_EQ(cwd(), root_);
}

TEST_F(FileSystemTest, MakePathJoinsDirectoryAndLeaf)
{
    RUV_FILE_SPEC spec{};
    char path[256];
    strcpy(spec.name, "a.inp");
    ASSERT_TRUE(ruvk_fsys_file_makepath(&spec, path));
    EXPECT_STREQ(path, "\\a.inp");

    strcpy(spec.dir.path, "sub2");
    ASSERT_TRUE(ruvk_fsys_file_makepath(&spec, path));
    EXPECT_EQ(std::string(path), root_ + "\\sub2\\a.inp");

    strcpy(spec.dir.path, "C:\\");
    ASSERT_TRUE(ruvk_fsys_file_makepath(&spec, path));
    EXPECT_STREQ(path, "C:\\a.inp");

    strcpy(spec.dir.path, "missing");
    EXPECT_FALSE(ruvk_fsys_file_makepath(&spec, path));

    // Directory length + name length + 2 reaching 256 does not fit.
    strcpy(spec.dir.path, "sub2");
    size_t room = 256 - 2 - (root_.size() + 5);
    std::string name(room, 'n');
    strcpy(spec.name, name.c_str());
    EXPECT_FALSE(ruvk_fsys_file_makepath(&spec, path));
    spec.name[room - 1] = 0;
    EXPECT_TRUE(ruvk_fsys_file_makepath(&spec, path));
    EXPECT_EQ(strlen(path), 254u);
}

TEST_F(FileSystemTest, RestoreWithoutSaveWarnsThenFailsAndChangesNothing)
{
    ruvk_fsys_restore_dir();
    EXPECT_EQ(kt::severity_of(0x01640001), RUV_SEV_WARNING);
    EXPECT_EQ(kt::severity_of(0x01540002), RUV_SEV_ERROR);
    EXPECT_EQ(cwd(), root_);

    kt::reports().clear();
    ruvk_fsys_save_dir();
    ASSERT_EQ(_chdir("sub1"), 0);
    ruvk_fsys_restore_dir();
    EXPECT_EQ(cwd(), root_);
    EXPECT_TRUE(kt::reports().empty());
    // The slot is forgotten after a restore.
    ruvk_fsys_restore_dir();
    EXPECT_TRUE(kt::reported(0x01640001));
}

TEST_F(FileSystemTest, StartupDirectoryIsRecordedOnceAndMadeCurrentOnEveryCall)
{
    ASSERT_TRUE(ruvk_fsys_set_dir_startup());
    EXPECT_EQ(cwd(), root_);
    ASSERT_EQ(_chdir("sub1"), 0);
    ASSERT_TRUE(ruvk_fsys_set_dir_startup());
    EXPECT_EQ(cwd(), root_);
}

TEST_F(FileSystemTest, PathNamesSplitAndBuild)
{
    struct Case {
        const char *path, *volume, *dir, *leaf, *ext;
    } cases[] = {
        { "C:\\dir.d\\file.inp", "C:", "\\dir.d\\", "file", "inp" },
        { "name", "", "", "name", "" },
        { "archive.tar.gz", "", "", "archive.tar", "gz" },
        { ".", "", "", ".", "" },
        { "..", "", "", "..", "" },
        { "D:", "D:", "", "", "" },
    };
    for (const Case &c : cases) {
        char v[_MAX_DRIVE] = "?", d[_MAX_DIR] = "?", l[_MAX_FNAME] = "?", e[_MAX_EXT] = "?";
        int16_t flag = 7;
        EXPECT_TRUE(ruvk_fsys_parse_pathname(c.path, v, d, l, e, &flag));
        EXPECT_STREQ(v, c.volume) << c.path;
        EXPECT_STREQ(d, c.dir) << c.path;
        EXPECT_STREQ(l, c.leaf) << c.path;
        EXPECT_STREQ(e, c.ext) << c.path;
        EXPECT_EQ(flag, 0);
    }
    char leaf[_MAX_FNAME];
    EXPECT_TRUE(ruvk_fsys_parse_pathname("x\\y.z", nullptr, nullptr, leaf, nullptr, nullptr));
    EXPECT_STREQ(leaf, "y");

    char path[_MAX_PATH];
    ASSERT_TRUE(ruvk_fsys_build_pathname(path, "C", "\\dir", "file", "inp"));
    EXPECT_STREQ(path, "C:\\dir\\file.inp");
    std::string huge(300, 'h');
    EXPECT_FALSE(ruvk_fsys_build_pathname(path, "C", huge.c_str(), "file", "inp"));
    EXPECT_STREQ(path, "");
}

TEST_F(FileSystemTest, NamesAreClassified)
{
    struct Case {
        const char *name;
        int32_t kind;
    } cases[] = { { "*.inp", 2 }, { "a?.inp", 2 }, { "sub1", 0 }, { "a.inp", 1 }, { "missing.inp", 3 } };
    for (const Case &c : cases)
        EXPECT_EQ(ruvk_fsys_classify_name(c.name), c.kind) << c.name;
    EXPECT_TRUE(ruvk_fsys_file_exists("a.inp"));
    EXPECT_TRUE(ruvk_fsys_file_exists("sub1"));
    EXPECT_FALSE(ruvk_fsys_file_exists("missing.inp"));
    EXPECT_FALSE(ruvk_fsys_file_exists(nullptr));
}

TEST_F(FileSystemTest, ListingsMatchPatternAndFilterIgnoringCase)
{
    struct Case {
        const char *filter, *pattern;
        RUV_BOOL dirs;
        std::vector<std::string> expect;
    } cases[] = {
        { "inp", "", FALSE, { "a.inp", "b.INP" } },
        { "INP", "b*", FALSE, { "b.INP" } },
        { "", "*.", FALSE, { "README" } },
        { "", "*.in*", FALSE, { "a.inp", "b.INP", "data.in" } },
        { "in", nullptr, FALSE, { "data.in" } },
        { "txt", "", TRUE, { ".", "..", "c.txt", "sub1", "sub2" } },
        { "", "s*", TRUE, { "sub1", "sub2" } },
        { RUVK_FSYS_DIR_FILTER, "", FALSE, {} },
    };
    for (const Case &c : cases) {
        SLIST *list = ruvk_fsys_list_files(c.filter, c.pattern, c.dirs);
        ASSERT_NE(list, nullptr) << c.pattern;
        EXPECT_EQ(st::strings(list), c.expect) << c.filter << " / " << (c.pattern ? c.pattern : "(null)");
        ruvv_slist_destroy(list);
    }

    std::string too_long(257, 'x');
    EXPECT_EQ(ruvk_fsys_list_files(too_long.c_str(), "", FALSE), nullptr);
    EXPECT_EQ(kt::severity_of(0x01260002), RUV_SEV_ERROR);
}

TEST_F(FileSystemTest, DirectoryListingPutsTheDrivesFirstLastLetterFirst)
{
    std::vector<std::string> drives;
    for (char c = 'Z'; c >= 'A'; --c) {
        char root[4] = { c, ':', '\\', 0 };
        UINT t = GetDriveTypeA(root);
        if (t != DRIVE_UNKNOWN && t != DRIVE_NO_ROOT_DIR)
            drives.push_back(std::string(1, c) + ":");
    }
    ASSERT_FALSE(drives.empty());
    std::vector<std::string> expect = drives;
    for (const char *d : { ".", "..", "sub1", "sub2" })
        expect.push_back(d);
    SLIST *list = ruvk_fsys_list_files(RUVK_FSYS_DIR_FILTER, "", TRUE);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(st::strings(list), expect);
    ruvv_slist_destroy(list);
}

TEST(PathBasename, PartAfterTheLastColonOrBackslash)
{
    struct Case {
        const char *path, *leaf;
    } cases[] = {
        { "C:\\dir\\file.inp", "file.inp" }, { "C:file", "file" }, { "plain", "plain" },
        { "dir\\", "" }, { "", "" },
    };
    for (const Case &c : cases)
        EXPECT_STREQ(ruvk_path_basename(c.path), c.leaf) << c.path;
    EXPECT_EQ(ruvk_path_basename(nullptr), nullptr);
}

} // namespace
