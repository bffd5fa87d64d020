// File-system functions on real files: attributes of a specification
// without a file name (its own parts, "exists" answered at once, anything
// else "Failed to find file"), setting an attribute only on a file that is
// there, and the path helpers' sixth part.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "front_fixture.h"
#include "fsys_spec.h"
#include "ruv.h"
#include "ruvv_fsys.h"

using namespace ruvf_test;

namespace {

TEST(FileAttributes, SpecificationWithoutFileName)
{
    in_app([] {
        Recorder rec;
        EXPECT_EQ(ruv_fsys_get_file_attr(nullptr, 1), -1);
        ASSERT_EQ(rec.reports().size(), 1u);
        EXPECT_EQ(rec.reports()[0].id, 0x00210000u);

        RUV_FILE_SPEC s = spec_of("");
        rec.clear();
        EXPECT_EQ(ruv_fsys_get_file_attr(&s, RUV_FATTR_EXISTS), 0);
        EXPECT_TRUE(rec.reports().empty()) << "a file without a name simply does not exist";

        for (int32_t attr : { RUV_FATTR_READABLE, RUV_FATTR_IS_DIR, RUV_FATTR_SIZE, RUV_FATTR_MODIFY_TIME,
                              RUV_FATTR_CREATOR, RUV_FATTR_TYPE }) {
            rec.clear();
            EXPECT_EQ(ruv_fsys_get_file_attr(&s, attr), 0) << attr;
            ASSERT_EQ(rec.reports().size(), 1u) << attr;
            EXPECT_EQ(rec.reports()[0].id, 0x01530001u);
            EXPECT_EQ(rec.reports()[0].innermost(), "ruv_fsys_get_file_attr");
            EXPECT_EQ(rec.reports()[0].file, "tfsys");
        }
        // The specification's own parts need no file.
        rec.clear();
        intptr_t dir_text = ruv_fsys_get_file_attr(&s, RUV_FATTR_DIR_TEXT);
        ASSERT_NE(dir_text, 0);
        EXPECT_NE(reinterpret_cast<const char *>(dir_text)[0], '\0');
        EXPECT_EQ(ruv_fsys_get_file_attr(&s, RUV_FATTR_NAME), reinterpret_cast<intptr_t>(s.name));
        EXPECT_TRUE(rec.reports().empty());
    });
}

TEST(FileAttributes, ReadOfAFileThatIsThere)
{
    in_app([] {
        Recorder rec;
        if (FILE *f = std::fopen("attr_read.txt", "wb")) {
            std::fputs("0123456789", f);
            std::fclose(f);
        }
        RUV_FILE_SPEC s = spec_of("attr_read.txt");
        EXPECT_EQ(ruv_fsys_get_file_attr(&s, RUV_FATTR_EXISTS), 1);
        EXPECT_EQ(ruv_fsys_get_file_attr(&s, RUV_FATTR_SIZE), 10);
        EXPECT_TRUE(ruv_fsys_rem_file(&s));
        EXPECT_EQ(ruv_fsys_get_file_attr(&s, RUV_FATTR_EXISTS), 0);
        EXPECT_TRUE(rec.reports().empty());
    });
}

TEST(FileAttributes, SetOnlyOnAFileThatIsThere)
{
    in_app([] {
        Recorder rec;
        RUV_FILE_SPEC missing = spec_of("not_here.txt"), before = missing;
        EXPECT_FALSE(ruv_fsys_set_file_attr(&missing, RUV_FATTR_TYPE, "TEXT"));
        EXPECT_EQ(std::memcmp(&missing, &before, sizeof missing), 0) << "nothing changes";
        ASSERT_EQ(rec.reports().size(), 1u);
        EXPECT_EQ(rec.reports()[0].id, 0x01530001u);
        EXPECT_EQ(rec.reports()[0].innermost(), "ruv_fsys_set_file_attr");

        // A path that cannot be made: a directory record that names nothing.
        rec.clear();
        RUV_FILE_SPEC bad = spec_of("x.txt");
        std::memset(bad.dir.path, 0, sizeof bad.dir.path);
        std::memset(bad.dir.path, 'd', 250);
        EXPECT_FALSE(ruv_fsys_set_file_attr(&bad, RUV_FATTR_TYPE, "TEXT"));
        EXPECT_EQ(rec.reports().at(0).id, 0x01530001u);

        rec.clear();
        if (FILE *f = std::fopen("attr_set.txt", "wb"))
            std::fclose(f);
        RUV_FILE_SPEC there = spec_of("attr_set.txt");
        EXPECT_TRUE(ruv_fsys_set_file_attr(&there, RUV_FATTR_CREATOR, "ABCD"));
        EXPECT_EQ(std::strncmp(there.tag, "ABCD", 4), 0);
        EXPECT_TRUE(rec.reports().empty());
        std::remove("attr_set.txt");
    });
}

TEST(PathNames, SixthPartIsAlwaysEmpty)
{
    in_app([] {
        char vol[RUV_FILE_DIR_SIZE], dir[RUV_FILE_DIR_SIZE], name[RUV_FILE_DIR_SIZE], ext[RUV_FILE_DIR_SIZE];
        char sixth[RUV_FILE_DIR_SIZE];
        std::memset(sixth, 'z', sizeof sixth);
        ASSERT_TRUE(ruv_fsys_parse_pathname("D:\\runs\\case.inp", vol, dir, name, ext, sixth));
        EXPECT_STREQ(name, "case");
        EXPECT_STREQ(ext, "inp");
        EXPECT_EQ(sixth[0], '\0');
        EXPECT_EQ(sixth[1], 'z') << "only the terminator is written";
        // NULL destinations are skipped.
        EXPECT_TRUE(ruv_fsys_parse_pathname("D:\\runs\\case.inp", nullptr, nullptr, name, nullptr, nullptr));
        EXPECT_STREQ(name, "case");
        char path[RUV_FILE_DIR_SIZE];
        ASSERT_TRUE(ruv_fsys_build_pathname(path, vol, dir, name, ext, "ignored"));
        EXPECT_NE(std::strstr(path, "case.inp"), nullptr);
    });
}

} // namespace
