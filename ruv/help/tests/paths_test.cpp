// Path rules and the help file search: the extension rule, the join of a
// directory and a name, and the order of the candidates (the
// specification's directory, the bare name, HELP, RUVPATH, PATH), with
// candidates too long for the path buffers skipped.
#include <cstring>
#include <string>

#include "help_test_support.h"

namespace {

using helptest::EnvVar;
using helptest::TempDir;

// Cases are written with the system's backslash; the native build runs
// them with its own separator.
std::string native(std::string s)
{
#ifndef _WIN32
    for (char &c : s)
        if (c == '\\')
            c = '/';
#endif
    return s;
}

struct ExtCase {
    const char *path;
    const char *ext;
    const char *expected;
};

TEST(HelpPaths, ExtensionRule)
{
    const ExtCase cases[] = {
        { "C:\\help\\app.hlp", ".csa", "C:\\help\\app.csa" },
        { "app", "hlp", "app.hlp" },
        { "docs.old\\app", ".hlp", "docs.old\\app.hlp" },  // a '.' before the separator starts nothing
        { "a.b.c", "hlp", "a.b.hlp" },
        { "app.txt", nullptr, "app" },
        { ".\\app.txt", ".hlp", ".\\app.hlp" },
        { "C:app", "hlp", "C:\\app.hlp" },                 // a drive alone gets a separator
        { "\\", "hlp", ".hlp" },                           // short path ending in a separator: no directory
        { "dir\\.profile", "csa", "dir\\.csa" },
        { "", "hlp", ".hlp" },
    };
    for (const ExtCase &c : cases) {
        std::string path = native(c.path);
        char out[300] = "junk";
        EXPECT_EQ(helpu_change_extension(&path[0], out, c.ext), out) << c.path;
        EXPECT_EQ(std::string(out), native(c.expected)) << c.path;
        EXPECT_EQ(path, native(c.path)) << "path kept when out is given";
    }
#ifdef _WIN32
    // A directory ending in a slash still gets the backslash.
    char out[64];
    char path[] = "C:/x/app.hlp";
    EXPECT_STREQ(helpu_change_extension(path, out, "csa"), "C:/x/\\app.csa");
#endif
}

TEST(HelpPaths, ExtensionRuleInPlace)
{
    char text[32] = "a.b.c";
    EXPECT_EQ(helpu_change_extension(text, nullptr, "hlp"), text);
    EXPECT_STREQ(text, "a.b.hlp");
    EXPECT_EQ(helpu_change_extension(nullptr, nullptr, "hlp"), nullptr);
}

TEST(HelpPaths, SizedExtensionRuleRefusesWhatDoesNotFit)
{
    char out[kHelpPathSize];
    std::string name(251, 'n');
    ASSERT_TRUE(helpu_change_extension_n(name.c_str(), out, sizeof out, ".hlp"));  // 255 characters
    EXPECT_EQ(std::strlen(out), 255u);
    name += 'n';
    std::memset(out, 'x', sizeof out);
    EXPECT_FALSE(helpu_change_extension_n(name.c_str(), out, sizeof out, ".hlp"));
    EXPECT_EQ(out[0], 'x') << "out untouched";
}

TEST(HelpPaths, Join)
{
    char out[kHelpPathSize];
    const std::string sep(1, kHelpDirSep);
    ASSERT_TRUE(helpu_join("d", 1, "app.hlp", out));
    EXPECT_EQ(std::string(out), "d" + sep + "app.hlp");
    ASSERT_TRUE(helpu_join(("d" + sep).c_str(), 2, (sep + "app.hlp").c_str(), out));
    EXPECT_EQ(std::string(out), "d" + sep + "app.hlp");
    ASSERT_TRUE(helpu_join("", 0, "app.hlp", out));
    EXPECT_STREQ(out, "app.hlp");
    // Only the given length of the directory counts (an item of a list).
    ASSERT_TRUE(helpu_join("d;e", 1, "x", out));
    EXPECT_EQ(std::string(out), "d" + sep + "x");
    // Together 253 characters or more: no join.
    const std::string dir(200, 'd');
    EXPECT_TRUE(helpu_join(dir.c_str(), dir.size(), std::string(52, 'n').c_str(), out));
    EXPECT_EQ(std::strlen(out), 253u);
    EXPECT_FALSE(helpu_join(dir.c_str(), dir.size(), std::string(53, 'n').c_str(), out));
}

// The search of a file specification, in scratch directories, with HELP,
// RUVPATH and PATH under the test's control.
class HelpSearch : public helptest::HelpTest {
protected:
    TempDir root{ "search" };
    std::string spec_dir = root.sub("spec").string();
    std::string help = root.sub("help").string();
    std::string ruvpath = root.sub("ruvpath").string();
    std::string path = root.sub("path").string();
    EnvVar help_var{ "HELP", nullptr };
    EnvVar ruvpath_var{ "RUVPATH", nullptr };
    EnvVar path_var{ "PATH", nullptr };

    RUV_FILE_SPEC spec_of(const std::string &dir, const std::string &name)
    {
        RUV_FILE_SPEC spec{};
        std::strncpy(spec.dir.path, dir.c_str(), sizeof spec.dir.path - 1);
        std::strncpy(spec.name, name.c_str(), sizeof spec.name - 1);
        return spec;
    }
    static std::string put(const std::string &dir, const std::string &name)
    {
        std::string p = (helptest::fs::path(dir) / name).string();
        std::ofstream(p) << "";
        return p;
    }
    static std::string found(const char *p) { return p ? p : "(none)"; }
    static std::string joined(const std::string &dir, const std::string &name)
    {
        return dir + kHelpDirSep + name;
    }
};

TEST_F(HelpSearch, OrderDirectoryThenHelpRuvpathPath)
{
    helptest::set_env("HELP", help.c_str());
    helptest::set_env("RUVPATH", ruvpath.c_str());
    helptest::set_env("PATH", path.c_str());
    const RUV_FILE_SPEC spec = spec_of(spec_dir, "app");
    for (const std::string &d : { spec_dir, help, ruvpath, path })
        put(d, "app.hlp");
    EXPECT_EQ(found(helpu_find_help_file(&spec, ".hlp")), joined(spec_dir, "app.hlp"));
    helptest::fs::remove(joined(spec_dir, "app.hlp"));
    EXPECT_EQ(found(helpu_find_help_file(&spec, ".hlp")), joined(help, "app.hlp"));
    helptest::fs::remove(joined(help, "app.hlp"));
    EXPECT_EQ(found(helpu_find_help_file(&spec, ".hlp")), joined(ruvpath, "app.hlp"));
    helptest::fs::remove(joined(ruvpath, "app.hlp"));
    EXPECT_EQ(found(helpu_find_help_file(&spec, ".hlp")), joined(path, "app.hlp"));
    helptest::fs::remove(joined(path, "app.hlp"));
    EXPECT_EQ(helpu_find_help_file(&spec, ".hlp"), nullptr);
    EXPECT_TRUE(ids().empty()) << "finding nothing is no error";
}

TEST_F(HelpSearch, ExtensionReplacedAndBareNameInTheCurrentDirectory)
{
    put(help, "app.hlp");
    helptest::set_env("HELP", help.c_str());
    const RUV_FILE_SPEC spec = spec_of(spec_dir, "app.txt");
    EXPECT_EQ(found(helpu_find_help_file(&spec, ".hlp")), joined(help, "app.hlp"));
    // The bare name, relative to the current directory, comes before HELP.
    TempDir cwd("cwd");
    const helptest::fs::path previous = helptest::fs::current_path();
    helptest::fs::current_path(cwd.str());
    put(".", "app.hlp");
    EXPECT_EQ(found(helpu_find_help_file(&spec, ".hlp")), "app.hlp");
    helptest::fs::current_path(previous);
}

TEST_F(HelpSearch, EmptyItemsSkippedAndUnsetVariablesQuiet)
{
    put(path, "app.hlp");
    put(help, "app.hlp");
    // Two separators, then the directory: only that directory is tried.
    helptest::set_env("HELP", (";;" + help).c_str());
    const RUV_FILE_SPEC spec = spec_of(spec_dir, "app");
    EXPECT_EQ(found(helpu_find_help_file(&spec, ".hlp")), joined(help, "app.hlp"));
    helptest::set_env("HELP", nullptr);
    helptest::set_env("PATH", (ruvpath + ";" + path).c_str());
    EXPECT_EQ(found(helpu_find_help_file(&spec, ".hlp")), joined(path, "app.hlp"));
    EXPECT_TRUE(ids().empty());
}

TEST_F(HelpSearch, NameWithDriveRootOrDotIsTriedAlone)
{
    put(help, "app.hlp");
    helptest::set_env("HELP", help.c_str());
    // A name with a drive, from a root, or from '.': as given only.
#ifdef _WIN32
    const RUV_FILE_SPEC drive = spec_of(spec_dir, "C:\\nowhere\\app");
    EXPECT_EQ(helpu_find_help_file(&drive, ".hlp"), nullptr);
#endif
    const RUV_FILE_SPEC root_name = spec_of(spec_dir, std::string(1, kHelpDirSep) + "nowhere" + kHelpDirSep + "app");
    EXPECT_EQ(helpu_find_help_file(&root_name, ".hlp"), nullptr);
    const RUV_FILE_SPEC dot = spec_of(spec_dir, std::string(".") + kHelpDirSep + "app.txt");
    EXPECT_EQ(helpu_find_help_file(&dot, ".hlp"), nullptr);
    // The given path itself is found, with the extension replaced.
    const std::string full = joined(help, "app.txt");
    const RUV_FILE_SPEC abs = spec_of(spec_dir, full);
#ifdef _WIN32
    EXPECT_EQ(found(helpu_find_help_file(&abs, ".hlp")), joined(help, "app.hlp"));
#else
    EXPECT_EQ(found(helpu_find_help_file(&abs, ".hlp")), joined(help, "app.hlp"));
#endif
}

TEST_F(HelpSearch, DirectoryThatCannotBeTurnedIntoTextFailsTheSearch)
{
    put(help, "app.hlp");
    helptest::set_env("HELP", help.c_str());
    const RUV_FILE_SPEC spec = spec_of(joined(root.str(), "no_such_dir"), "app");
    EXPECT_EQ(helpu_find_help_file(&spec, ".hlp"), nullptr);
}

TEST_F(HelpSearch, CandidatesTooLongForThePathBufferAreSkipped)
{
    put(help, "app.hlp");
    helptest::set_env("HELP", help.c_str());
    // The specification's directory joined with the name makes 253
    // characters: with ".hlp" it would pass the 256-byte buffer.
    const std::string dir = spec_dir;
    ASSERT_LT(dir.size(), 200u);
    const std::string name(252 - dir.size(), 'a');
    const RUV_FILE_SPEC long_join = spec_of(dir, name);
    EXPECT_EQ(helpu_find_help_file(&long_join, ".hlp"), nullptr);
    // A 255-character name cannot take ".hlp" at all.
    const RUV_FILE_SPEC long_name = spec_of(dir, std::string(255, 'b'));
    EXPECT_EQ(helpu_find_help_file(&long_name, ".hlp"), nullptr);
    // A list item too long to join is skipped, the next is tried.
    helptest::set_env("HELP", (std::string(300, 'x') + ";" + help).c_str());
    const RUV_FILE_SPEC spec = spec_of(dir, "app");
    EXPECT_EQ(found(helpu_find_help_file(&spec, ".hlp")), joined(help, "app.hlp"));
}

TEST_F(HelpSearch, SearchFileOfOneVariable)
{
    put(ruvpath, "x.hlp");
    helptest::set_env("RUVPATH", (help + ";" + ruvpath).c_str());
    EXPECT_EQ(found(helpu_search_file("RUVPATH", "x.hlp")), joined(ruvpath, "x.hlp"));
    EXPECT_EQ(helpu_search_file("HELP", "x.hlp"), nullptr);
    EXPECT_EQ(helpu_search_file("RUVPATH", "y.hlp"), nullptr);
    // The empty name is the bare name itself.
    const std::string full = joined(ruvpath, "x.hlp");
    EXPECT_EQ(found(helpu_search_file("", full.c_str())), full);
}

} // namespace
