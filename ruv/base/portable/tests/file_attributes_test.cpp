// Attributes of files named by file specifications, and removing files.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/stat.h>
#ifdef _WIN32
#include <direct.h>
#define make_dir(p) _mkdir(p)
#define current_dir _getcwd
#else
#include <unistd.h>
#define make_dir(p) mkdir(p, 0755)
#define current_dir getcwd
#endif

#include "ruvv_fsys.h"
#include "strings_test_support.h"

using coretest::reported;
using strtest::StringTest;

namespace {

constexpr RUV_ERRMSG_ID kInvalidAttribute = 0x0122000b;
constexpr RUV_ERRMSG_ID kFileNotFound = 0x01530001;

class FileAttributes : public StringTest {
protected:
    std::string dir = std::string(TRAZ_TEST_BINARY_DIR) + "/fattr_dir";
    RUV_FILE_SPEC spec{};
    void SetUp() override
    {
        StringTest::SetUp();
        make_dir(dir.c_str());
        make_dir((dir + "/sub").c_str());
        std::ofstream(dir + "/data.txt", std::ios::binary) << "0123456789";
        std::strcpy(spec.dir.path, dir.c_str());
        std::strcpy(spec.name, "data.txt");
    }
    void TearDown() override
    {
        std::remove((dir + "/data.txt").c_str());
        StringTest::TearDown();
    }
    static std::string cwd()
    {
        char buf[512];
        return current_dir(buf, sizeof buf) ? buf : "";
    }
};

TEST_F(FileAttributes, StatusOfAFile)
{
    EXPECT_EQ(ruvv_fsys_get_file_attr(&spec, RUV_FATTR_EXISTS), 1);
    EXPECT_EQ(ruvv_fsys_get_file_attr(&spec, RUV_FATTR_READABLE), 1);
    EXPECT_EQ(ruvv_fsys_get_file_attr(&spec, RUV_FATTR_WRITABLE), 1);
    EXPECT_EQ(ruvv_fsys_get_file_attr(&spec, RUV_FATTR_IS_DIR), 0);
    EXPECT_EQ(ruvv_fsys_get_file_attr(&spec, RUV_FATTR_SIZE), 10);
    EXPECT_GE(ruvv_fsys_get_file_attr(&spec, RUV_FATTR_LINK_COUNT), 1);
    EXPECT_GT(ruvv_fsys_get_file_attr(&spec, RUV_FATTR_MODIFY_TIME), 1000000000);
    std::strcpy(spec.name, "sub");
    EXPECT_EQ(ruvv_fsys_get_file_attr(&spec, RUV_FATTR_IS_DIR), 1);
    std::strcpy(spec.name, "missing.txt");
    EXPECT_EQ(ruvv_fsys_get_file_attr(&spec, RUV_FATTR_EXISTS), 0);
    EXPECT_EQ(ruvv_fsys_get_file_attr(&spec, RUV_FATTR_SIZE), 0);
    std::strcpy(spec.dir.path, (dir + "/nowhere").c_str());
    EXPECT_EQ(ruvv_fsys_get_file_attr(&spec, RUV_FATTR_EXISTS), -1); // no path can be made
}

TEST_F(FileAttributes, FieldsOfTheSpecification)
{
    std::string before = cwd();
    EXPECT_EQ(ruvv_fsys_get_file_attr(&spec, RUV_FATTR_NAME), (intptr_t)spec.name);
    EXPECT_EQ(ruvv_fsys_get_file_attr(&spec, RUV_FATTR_TYPE), (intptr_t)spec.type);
    EXPECT_EQ(ruvv_fsys_get_file_attr(&spec, RUV_FATTR_CREATOR), (intptr_t)spec.tag);
    const char *text = reinterpret_cast<const char *>(ruvv_fsys_get_file_attr(&spec, RUV_FATTR_DIR_TEXT));
    ASSERT_NE(text, reinterpret_cast<const char *>(-1));
    EXPECT_NE(std::string(text).find("fattr_dir"), std::string::npos);
    EXPECT_EQ(cwd(), before);
    for (int bad : {0, 15, -3}) {
        coretest::reports().clear();
        EXPECT_EQ(ruvv_fsys_get_file_attr(&spec, bad), -1);
        EXPECT_TRUE(reported(kInvalidAttribute));
    }
}

TEST_F(FileAttributes, SetTheFourCharacterFields)
{
    EXPECT_TRUE(ruvv_fsys_set_file_attr(&spec, RUV_FATTR_CREATOR, "ABCDEFG"));
    EXPECT_STREQ(spec.tag, "ABCD");
    EXPECT_TRUE(ruvv_fsys_set_file_attr(&spec, RUV_FATTR_TYPE, "inp"));
    EXPECT_STREQ(spec.type, "inp");
    EXPECT_FALSE(ruvv_fsys_set_file_attr(&spec, RUV_FATTR_TYPE, nullptr));
    EXPECT_FALSE(ruvv_fsys_set_file_attr(&spec, RUV_FATTR_SIZE, "x"));
    EXPECT_TRUE(reported(kInvalidAttribute));
}

TEST_F(FileAttributes, RemoveAFile)
{
    std::string before = cwd();
    EXPECT_TRUE(ruvv_fsys_rem_file(&spec)); // TRUE: removed
    EXPECT_EQ(ruvv_fsys_get_file_attr(&spec, RUV_FATTR_EXISTS), 0);
    EXPECT_EQ(cwd(), before); // the directory is restored
    EXPECT_FALSE(ruvv_fsys_rem_file(&spec)); // gone already
    EXPECT_TRUE(reported(kFileNotFound));
    EXPECT_EQ(cwd(), before);
    coretest::reports().clear();
    std::strcpy(spec.dir.path, (dir + "/nowhere").c_str());
    EXPECT_FALSE(ruvv_fsys_rem_file(&spec));
    EXPECT_TRUE(reported(kFileNotFound));
}

} // namespace
