// Common utilities: trimming, comparisons and rounding, plain arrays, paths,
// checked file opening and file helpers, and the window helpers against the
// toolkit fake.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fakes.h"
#include "ge_list.h"
#include "ruv.h"
#include "utilities.h"

namespace fs = std::filesystem;

namespace {

class Utilities : public ::testing::Test {
protected:
    void SetUp() override
    {
        fakes::Reset();
        dir_ = fs::path(TRAZ_TEST_BINARY_DIR) / "model_utilities_files";
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override
    {
        fs::remove_all(dir_);
        fakes::Reset();
    }
    std::string File(const std::string &name, const std::string &content)
    {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << content;
        return p.string();
    }
    fs::path dir_;
};

TEST(Trim, Blanks)
{
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"  abc  ", "abc"},
        {"     ", ""},
        {"\t a b \r\n", "a b"},
        {"", ""},
        {std::string(255, 'x'), std::string(255, 'x')},
        {std::string(300, ' ') + "x" + std::string(300, ' '), "x"},
        {std::string(256, 'x'), ""},  // does not fit: refused, never cut
    };
    for (const auto &c : cases)
        EXPECT_EQ(std::string(TrimBlanks(c.in.c_str())), c.out) << "'" << c.in << "'";
    EXPECT_STREQ(TrimBlanks(nullptr), "");
    // The shared buffer may be handed back in, as the parsers do.
    EXPECT_STREQ(TrimBlanks(TrimBlanks("   inner  ")), "inner");

    char line[512];
    std::snprintf(line, sizeof line, "  %s \n", std::string(400, 'y').c_str());
    TrimLine(line);
    EXPECT_EQ(std::string(line), std::string(400, 'y'));
    char empty[] = " \n";
    TrimLine(empty);
    EXPECT_STREQ(empty, "");
}

TEST(Trim, CaseAndBlankTests)
{
    char text[] = "MixEd 1";
    EXPECT_EQ(StringToUpper(text), 7);
    EXPECT_STREQ(text, "MIXED 1");
    EXPECT_EQ(IsBlankString(nullptr), 1);
    EXPECT_EQ(IsBlankString(" \t\n"), 1);
    EXPECT_EQ(IsBlankString(" x "), 0);
    EXPECT_EQ(CompareNoCase("abc", "ABC"), 0);
    EXPECT_LT(CompareNoCase("abc", "abcd"), 0);
    EXPECT_GT(CompareNoCase("b", "A"), 0);
    EXPECT_EQ(CompareNoCaseN("abcX", "ABCy", 3), 0);

    char *copy = CopyString("text");
    EXPECT_STREQ(copy, "text");
    GE_Free(copy);
    char *abbreviated = AbbreviateMiddle("abcdefghijklmnopqrst", 9);
    EXPECT_STREQ(abbreviated, "abc...rst");
    GE_Free(abbreviated);
    abbreviated = AbbreviateMiddle("short", 9);
    EXPECT_STREQ(abbreviated, "short");
    GE_Free(abbreviated);

    EXPECT_STREQ(FormatExponential(1.0), "  1.0000000e+00");
    EXPECT_STREQ(FormatExponentialFloat(-2.5f), " -2.5000000e+00");
    char *long_text = FormatAlloc("%s-%d", std::string(250, 'z').c_str(), 42);
    ASSERT_NE(long_text, nullptr);
    EXPECT_EQ(std::string(long_text), std::string(250, 'z') + "-42");
    std::free(long_text);
}

TEST(Numbers, RoundingAndTolerances)
{
    const double rounding[][2] = {{2.5, 3}, {-2.5, -2}, {2.4, 2}, {-2.6, -3}, {0.5, 1}, {-0.5, 0}};
    for (const auto &r : rounding)
        EXPECT_EQ(RoundHalfUp(r[0]), r[1]) << r[0];

    const struct {
        double a, b, t;
        int result;
    } tol[] = {
        {1000, 1000.5, 0.001, 0},  // relative 0.0005
        {0.1, 0.2, 0.05, -1},      // absolute below 1
        {0.2, 0.1, 0.05, 1},
        {5, -5, 0.1, 1},
        {0, 0, 1e-9, 0},
        {1e6, 1.1e6, 0.05, -1},
    };
    for (const auto &c : tol) {
        EXPECT_EQ(CompareDoublesTol(c.a, c.b, c.t), c.result) << c.a << " " << c.b;
        EXPECT_EQ(CompareFloatsTol(static_cast<float>(c.a), static_cast<float>(c.b),
                                   static_cast<float>(c.t)),
                  c.result);
    }
}

TEST(Numbers, PointInPolygon)
{
    const double x[] = {0, 1, 1, 0};
    const double y[] = {0, 0, 1, 1};
    const struct {
        double px, py;
        int result;
    } cases[] = {{0.5, 0.5, 1}, {2, 0.5, -1}, {0.5, 0, 0}, {0, 0.5, 0}, {1, 1, 0},
                 {0.5, 1.5, -1}, {-0.5, -0.5, -1}, {0.999, 0.001, 1}};
    for (const auto &c : cases)
        EXPECT_EQ(PointInPolygon(x, y, 4, c.px, c.py), c.result) << c.px << "," << c.py;
    EXPECT_EQ(PointInPolygon(nullptr, y, 4, 0.5, 0.5), -1);
}

TEST(Numbers, ParseBoolean)
{
    const struct {
        const char *text;
        int result;
        int16_t value;
    } cases[] = {{".TRUE.", 0, 1}, {"  .false. rest", 0, 0}, {"True", 0, 1},
                 {"false", 0, 0},  {"yes", 1, 7},            {"", 1, 7},
                 {"truex", 1, 7}};
    for (const auto &c : cases) {
        int16_t value = 7;
        EXPECT_EQ(ParseBoolean(c.text, &value), c.result) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
}

TEST(Arrays, InsertAndDelete)
{
    int count = 0;
    int *a = nullptr;
    const int values[] = {10, 20, 30, 5};
    a = static_cast<int *>(ArrayInsert(-1, a, &count, &values[0], sizeof(int)));  // {10}
    a = static_cast<int *>(ArrayInsert(count - 1, a, &count, &values[1], sizeof(int)));  // append
    a = static_cast<int *>(ArrayInsert(0, a, &count, &values[2], sizeof(int)));  // after 0
    a = static_cast<int *>(ArrayInsert(-1, a, &count, &values[3], sizeof(int)));  // front
    ASSERT_EQ(count, 4);
    EXPECT_EQ(std::vector<int>(a, a + 4), (std::vector<int>{5, 10, 30, 20}));

    EXPECT_EQ(ArrayDelete(1, a, &count, sizeof(int)), 3);
    EXPECT_EQ(std::vector<int>(a, a + 4), (std::vector<int>{5, 30, 20, 0}));  // last zeroed

    int *before = a;
    {
        fakes::FailingAllocator failing(1);
        a = static_cast<int *>(ArrayInsert(0, a, &count, &values[0], sizeof(int)));
    }
    EXPECT_EQ(a, before);
    EXPECT_EQ(count, 3);
    GE_Free(a);

    void **rows = Alloc2DArray(3, 4, sizeof(double));
    ASSERT_NE(rows, nullptr);
    static_cast<double *>(rows[2])[3] = 1.5;
    Free2DArray(rows, 3);
    for (int nth = 1; nth <= 4; ++nth) {
        fakes::FailingAllocator failing(nth);
        EXPECT_EQ(Alloc2DArray(3, 4, sizeof(double)), nullptr) << nth;
    }
}

TEST(Paths, Components)
{
    EXPECT_STREQ(PathBaseName("C:\\a\\b.inp"), "b.inp");
    EXPECT_STREQ(PathBaseName("dir/sub/f.hyd"), "f.hyd");
    EXPECT_STREQ(PathBaseName("plain"), "plain");
    EXPECT_STREQ(PathDirName("C:\\a\\b.inp"), "C:\\a");
    EXPECT_STREQ(PathDirName("dir/sub/f.hyd"), "dir/sub");
    EXPECT_STREQ(PathDirName("plain"), ".");
    EXPECT_STREQ(PathFileName("dir/sub/f.hyd"), "f.hyd");
    EXPECT_STREQ(PathFileName("C:\\a\\noext"), "noext");
    char path[] = "a/b/c";
    SlashesToBackslashes(path);
    EXPECT_STREQ(path, "a\\b\\c");
}

TEST(Paths, Relative)
{
    const struct {
        const char *dir;
        const char *path;
        const char *result;
    } cases[] = {
        {"C:\\a\\b", "C:\\a\\c\\f.inp", "..\\c\\f.inp"},
        {"C:\\a\\b\\", "C:\\a\\b\\f.inp", "f.inp"},
        {"C:\\a\\b", "C:\\x\\y", "..\\..\\x\\y"},
        {"C:\\a\\b\\c", "C:\\a", "..\\.."},
        {"C:\\a\\b", "D:\\x", "D:\\x"},          // other first character
        {"C:\\a", "Cx\\b", "Cx\\b"},              // nothing in common
        {"/work/p", "/work/q/f.inp", "..\\q/f.inp"},
    };
    for (const auto &c : cases) {
        char out[64];
        EXPECT_EQ(MakeRelativePath(c.dir, c.path, out, sizeof out), 1);
        EXPECT_STREQ(out, c.result) << c.dir << " | " << c.path;
    }
    char small[6];
    MakeRelativePath("C:\\a\\b", "C:\\a\\c\\f.inp", small, sizeof small);
    EXPECT_STREQ(small, "..\\c\\");
}

TEST_F(Utilities, AbsolutePathsAndDirectories)
{
    const fs::path cwd = fs::current_path();
    char out[512];
    ASSERT_EQ(MakeAbsolutePath("sub/../f.inp", out, sizeof out), 1);
    EXPECT_EQ(fs::path(out), (cwd / "f.inp").lexically_normal());
    ASSERT_EQ(MakeAbsolutePath("sub/..", out, sizeof out), 1);
    EXPECT_EQ(fs::path(out), cwd.lexically_normal());
    ASSERT_EQ(MakeAbsolutePath("C:\\x\\y.inp", out, sizeof out), 1);
    EXPECT_STREQ(out, "C:\\x\\y.inp");

    const char *text = GetCurrentDirectoryText();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(fs::path(text), cwd);
    ASSERT_EQ(ChangeDirectory(dir_.string().c_str()), 1);
    EXPECT_EQ(fs::current_path(), dir_);
    ASSERT_EQ(ChangeDirectory(cwd.string().c_str()), 1);
    EXPECT_EQ(ChangeDirectory((dir_ / "missing").string().c_str()), 0);
    EXPECT_EQ(fs::current_path(), cwd);
    EXPECT_TRUE(fakes::Entries().empty());
}

TEST(ResolvePathIn, NamesAreTakenInTheFolderAndResolvedByName)
{
    const struct {
        const char *directory, *path, *resolved;
    } cases[] = {
        {"Z:/w/A", "../hyd/flow2.hyd", "Z:/w/hyd/flow2.hyd"},
        {"Z:/w/A", "hyd/./flow2.hyd", "Z:/w/A/hyd/flow2.hyd"},
        {"Z:/w/A/", "sub\\..\\run.inp", "Z:/w/A/run.inp"},
        {"Z:/w/A", "C:\\data\\x.hyd", "C:/data/x.hyd"},      // a name with a drive stays where it is
        {"Z:/w/A", "/tmp/x.hyd", "/tmp/x.hyd"},
        {"Z:/", "../../x.hyd", "Z:/x.hyd"},                  // nothing above the root
        {"//server/share/w", "../x.hyd", "//server/share/x.hyd"},
        {"", "a/../../b.hyd", "../b.hyd"},                    // no folder: stays relative
        {nullptr, "x.hyd", "x.hyd"},
        {"Z:/w/A", "a/b/../../../..", "Z:/"},
        {"rel/dir", "../../../up", "../up"},
        {"a/b", "../c/./d/..", "a/c"},
        {"a", "..", "."},
        {"C:", "data/../x", "C:/x"},                          // a folder of a drive alone
        {"", "C:..", "C:.."},
        {"", "C:/..", "C:/"},
        {"/", "..", "//"},
        {"", "///x//y/", "//x/y"},
        {"//s", "../../t", "//t"},
        {"Z:\\w\\A", "..\\..\\..\\b", "Z:/b"},
        {"w", "./", "w"},
    };
    for (const auto &c : cases) {
        char out[64];
        ASSERT_EQ(ResolvePathIn(c.directory, c.path, out, sizeof out), 1) << c.path;
        EXPECT_STREQ(out, c.resolved) << (c.directory ? c.directory : "(null)") << " + " << c.path;
    }
    char small[8] = "x";
    EXPECT_EQ(ResolvePathIn("Z:/w", "flow2.hyd", small, sizeof small), 0);
    EXPECT_STREQ(small, "");
    EXPECT_EQ(ResolvePathIn("Z:/w", "", small, sizeof small), 0);
}

TEST_F(Utilities, ShortenPathForMessage)
{
    // The fake measures 6 pixels a character: 216 pixels hold 36.
    const int live = fakes::LiveWindowCount();
    const std::string longName = "C:\\" + std::string(50, 'a') + ".inp";
    const struct {
        std::string path;
        std::string shown;
    } cases[] = {
        {"C:\\short.inp", "C:\\short.inp"},
        {"C:\\data\\projects\\harbour\\scenario\\run01\\input.inp",
         "...\\harbour\\scenario\\run01\\input.inp"},
        {"/data/projects/harbour/scenario/run01/input.inp", "...\\harbour/scenario/run01/input.inp"},
        {longName, "..." + std::string(29, 'a') + ".inp"},
        {"", "Filename unknown"},
    };
    for (const auto &c : cases) {
        const std::string shown = ShortenPathForMessage(c.path.c_str());
        EXPECT_EQ(shown, c.shown) << c.path;
        EXPECT_LE(shown.size(), 36u);
    }
    EXPECT_EQ(fakes::LiveWindowCount(), live);  // the measuring window is gone

    const RUV_RECT r = {0, 0, 100, 300};
    RUV_WIN page = fakes::CreateTestWindow(r);
    const RUV_RECT c = {10, 10, 34, 70};  // 60 pixels: 10 characters
    ASSERT_NE(ruv_ctl_create(18, &c, "", page, 0x10, nullptr, 5), NULL_WIN);
    EXPECT_EQ(FitTextToControl("C:\\dir\\file.inp", page, 5), 1);
    EXPECT_EQ(fakes::WindowTitle(ruv_win_get_ctl(page, 5)), "...ile.inp");
    EXPECT_EQ(FitTextToControl("C:\\dir\\file.inp", page, 6), 0);
    ruv_vobj_destroy(page);
}

TEST_F(Utilities, OpenFileChecked)
{
    FILE *f = reinterpret_cast<FILE *>(&f);
    EXPECT_EQ(OpenFileChecked("", &f, 0), 0);
    EXPECT_EQ(f, nullptr);
    EXPECT_TRUE(fakes::Entries().empty());  // an empty path is silent

    const std::string missingDir = (dir_ / "no" / "such" / "directory" / "out.inp").string();
    EXPECT_EQ(OpenFileChecked(missingDir.c_str(), &f, 1), 0);
    const std::string missingFile = (dir_ / "absent.inp").string();
    EXPECT_EQ(OpenFileChecked(missingFile.c_str(), &f, 0), 0);
    const std::vector<std::string> errors = fakes::Texts("error");
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0], std::string(ShortenPathForMessage(missingDir.c_str())) +
                             "\n\nCannot create file!");
    EXPECT_EQ(errors[1], std::string(ShortenPathForMessage(missingFile.c_str())) +
                             "\n\nFile does not exist!");

    const std::string present = File("present.txt", "hello\n");
    ASSERT_EQ(OpenFileChecked(present.c_str(), &f, 0), 1);
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    EXPECT_EQ(FileIsReadable(present.c_str()), 1);
    EXPECT_EQ(FileIsReadable(missingFile.c_str()), 0);
}

TEST_F(Utilities, FileHelpers)
{
    const std::string text = File("text.txt", "plain text\twith blanks\r\n");
    const std::string binary = File("binary.bin", std::string("abc\0def", 7));
    const std::string lateBinary = File("late.bin", std::string(200, 'x') + '\x01');
    EXPECT_EQ(IsTextFile(text.c_str()), 1);
    EXPECT_EQ(IsTextFile(binary.c_str()), 0);
    EXPECT_EQ(IsTextFile(lateBinary.c_str()), 1);  // only the first 200 count

    const std::string same = File("same.txt", "plain text\twith blanks\r\n");
    const std::string longer = File("longer.txt", "plain text\twith blanks\r\nmore");
    EXPECT_EQ(CompareFiles(text.c_str(), same.c_str()), 1);
    EXPECT_EQ(CompareFiles(text.c_str(), binary.c_str()), 0);
    // A file that is a prefix of the other is not equal to it.
    EXPECT_EQ(CompareFiles(text.c_str(), longer.c_str()), 0);
    EXPECT_EQ(CompareFiles(longer.c_str(), text.c_str()), 0);
    fakes::ClearRecord();
    const std::string absent = (dir_ / "absent").string();
    EXPECT_EQ(CompareFiles(text.c_str(), absent.c_str()), 0);
    EXPECT_EQ(fakes::Texts("error"), std::vector<std::string>{"Cannot open file " + absent});
    // The record keeps a message whole, however long.
    fakes::ClearRecord();
    const std::string farAbsent = (dir_ / std::string(1100, 'n')).string();
    EXPECT_EQ(CompareFiles(farAbsent.c_str(), text.c_str()), 0);
    EXPECT_EQ(fakes::Texts("error"), std::vector<std::string>{"Cannot open file " + farAbsent});

    char *temp = MakeTempFileName("qnx");
    ASSERT_NE(temp, nullptr);
    EXPECT_TRUE(fs::exists(temp));
    EXPECT_NE(fs::path(temp).filename().string().find("qnx"), std::string::npos);
    fs::remove(temp);
    GE_Free(temp);

    // The copy keeps every byte (line ends, NUL, end-of-file marks).
    const std::string raw = std::string("line\r\nnext\n\0\x1a tail", 18);
    const std::string source = File("source.bin", raw);
    const std::string destination = (dir_ / "copy.bin").string();
    EXPECT_EQ(CopyFileViaTemp(source.c_str(), destination.c_str()), 1);
    EXPECT_EQ(CompareFiles(source.c_str(), destination.c_str()), 1);
    EXPECT_EQ(fs::file_size(destination), raw.size());
    EXPECT_EQ(CopyFileViaTemp(absent.c_str(), destination.c_str()), 0);
}

TEST_F(Utilities, AskYesNo)
{
    fakes::ScriptAsk(0);
    fakes::ScriptAsk(1);
    EXPECT_EQ(AskYesNo("Keep 100% of it?"), 1);
    EXPECT_EQ(AskYesNo("Really?"), 0);
    EXPECT_EQ(fakes::RecordLines(),
              (std::vector<std::string>{"ask: Keep 100% of it? [Yes/No]", "ask: Really? [Yes/No]"}));
}

TEST_F(Utilities, WindowPlacement)
{
    const RUV_RECT r = {50, 60, 150, 260};  // top, left, bottom, right: 200 x 100
    RUV_WIN w = fakes::CreateTestWindow(r);
    CenterWindowOnScreen(w);
    // Screen 1024 x 768, frame and menu 4 + 20.
    const RUV_RECT centred = fakes::WindowRect(w);
    EXPECT_EQ(centred.left, (1024 - 200) / 2);
    EXPECT_EQ(centred.top, (768 + 24 - 100) / 2);
    EXPECT_EQ(centred.right, (1024 + 200) / 2);
    EXPECT_EQ(centred.bottom, (768 + 100 + 24) / 2);

    const RUV_RECT start = {10, 20, 110, 220};
    ruv_vobj_move(w, &start);
    GrowWindowHeight(w, 50);
    const RUV_RECT grown = fakes::WindowRect(w);
    EXPECT_EQ(grown.top, 10);
    EXPECT_EQ(grown.left, 20);
    EXPECT_EQ(grown.bottom, 160);
    EXPECT_EQ(grown.right, 220);
    ruv_vobj_destroy(w);
}

} // namespace
