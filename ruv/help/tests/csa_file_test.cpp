// The association file: comments, letter cases, numbers and their range,
// rejected files, a missing file, lines of any length, the sorted table
// and the lookup with its parent fallbacks.
#include <climits>
#include <cstring>
#include <string>

#include "help_test_support.h"

namespace {

using helptest::TempDir;

class CsaFile : public helptest::HelpTest {
protected:
    TempDir dir{ "csa" };
    helptest::Record record;

    RUV_BOOL read(const std::string &text)
    {
        return hassoc_read_csa_file(record.get(), dir.file("app.csa", text).c_str());
    }
    int32_t lookup(int32_t kind, int32_t id, int32_t parent)
    {
        return hassoc_lookup_entry(record.get(), kind, id, parent);
    }
};

TEST_F(CsaFile, EntriesCommentsAndLetterCases)
{
    ASSERT_TRUE(read("# comment\n"
                     "' quoted comment\n"
                     " W 1 2 3\n"
                     "\tC 1 2 3\n"
                     "\n"
                     "W 101 0 500\n"
                     "c 5 101 510\n"
                     "M 1003 101 520 trailing words are ignored\n"
                     "d\t7\t0\t-8\r\n"
                     "w+9 -0 +1\n"));
    EXPECT_TRUE(ids().empty());
    ASSERT_EQ(record.get()->entry_count, 5);
    EXPECT_EQ(lookup(HELP_KIND_WINDOW, 101, 0), 500);
    EXPECT_EQ(lookup(HELP_KIND_CONTROL, 5, 101), 510);
    EXPECT_EQ(lookup(HELP_KIND_MENU, 1003, 101), 520);
    EXPECT_EQ(lookup(HELP_KIND_DIALOG, 7, 0), -8);
    EXPECT_EQ(lookup(HELP_KIND_WINDOW, 9, 0), 1);
    // Sorted by id, kind, parent.
    const RUV_HELP_CSA_ENTRY *e = record.get()->entries;
    for (int32_t i = 1; i < record.get()->entry_count; ++i)
        EXPECT_LE(e[i - 1].id, e[i].id);
}

TEST_F(CsaFile, ParentFallbacks)
{
    ASSERT_TRUE(read("C 5 0 600\nC 6 101 510\nC 6 102 511\nM 9 0 700\n"));
    // No exact entry: the entry without parent.
    EXPECT_EQ(lookup(HELP_KIND_CONTROL, 5, 101), 600);
    // Asked without parent: an entry of any parent.
    const int32_t any = lookup(HELP_KIND_CONTROL, 6, 0);
    EXPECT_TRUE(any == 510 || any == 511) << any;
    EXPECT_EQ(lookup(HELP_KIND_CONTROL, 6, 102), 511);
    // A parent of its own that is not listed, and no entry without parent.
    EXPECT_EQ(lookup(HELP_KIND_CONTROL, 6, 103), 0);
    // Kind counts.
    EXPECT_EQ(lookup(HELP_KIND_WINDOW, 5, 0), 0);
    EXPECT_EQ(lookup(HELP_KIND_MENU, 9, 1), 700);
}

TEST_F(CsaFile, RejectedFilesLeaveNoTable)
{
    struct Case {
        const char *text;
        RUV_ERRMSG_ID id;
    };
    const Case cases[] = {
        { "W 101 0 500\nX 1 2 3\n", kHelpCsaBadKind },
        { "W 101\n", kHelpCsaFewFields },
        { "X 1 2\n", kHelpCsaFewFields },         // the fields are counted first
        { "W 1 2 x\n", kHelpCsaFewFields },
        { "W 1 2 -\n", kHelpCsaFewFields },
        { "W 1 2 2147483648\n", kHelpCsaFewFields },  // beyond int32
        { "W -2147483649 0 1\n", kHelpCsaFewFields },
        { "1 2 3 4\n", kHelpCsaBadKind },
    };
    for (const Case &c : cases) {
        helptest::reports().clear();
        EXPECT_FALSE(read(c.text)) << c.text;
        ASSERT_EQ(helptest::reports().size(), 1u) << c.text;
        EXPECT_EQ(helptest::reports()[0].id, c.id) << c.text;
        EXPECT_EQ(helptest::reports()[0].severity, RUV_SEV_ERROR);
        EXPECT_EQ(record.get()->entries, nullptr);
        EXPECT_EQ(record.get()->entry_count, 0);
        EXPECT_EQ(lookup(HELP_KIND_WINDOW, 101, 0), 0);
    }
    // The extremes of int32 are numbers.
    EXPECT_TRUE(read("W -2147483648 2147483647 1\n"));
    EXPECT_EQ(lookup(HELP_KIND_WINDOW, INT32_MIN, INT32_MAX), 1);
}

TEST_F(CsaFile, MissingAndEmptyFiles)
{
    ASSERT_TRUE(read("W 1 0 2\n"));
    EXPECT_FALSE(hassoc_read_csa_file(record.get(), (dir.str() + "/none.csa").c_str()));
    EXPECT_TRUE(ids().empty()) << "a missing file is not reported";
    EXPECT_EQ(record.get()->entries, nullptr) << "the old table is gone";
    // Only comments: an empty table.
    EXPECT_TRUE(read("# nothing\n\n"));
    EXPECT_NE(record.get()->entries, nullptr);
    EXPECT_EQ(record.get()->entry_count, 0);
    EXPECT_EQ(lookup(HELP_KIND_WINDOW, 1, 0), 0);
    EXPECT_TRUE(read(""));
    EXPECT_EQ(record.get()->entry_count, 0);
    // A last line without its line feed counts.
    EXPECT_TRUE(read("W 1 0 2"));
    EXPECT_EQ(lookup(HELP_KIND_WINDOW, 1, 0), 2);
}

TEST_F(CsaFile, LongLinesAreOneLine)
{
    // A long comment is one comment, not a comment and an entry line.
    const std::string comment = "# " + std::string(300, 'x') + " W 1 2 3 and more\n";
    // A long entry line: what follows the fourth number is ignored.
    const std::string entry = "W 101 0 500 " + std::string(250, 'z') + "\n";
    ASSERT_TRUE(read(comment + entry + "C 5 101 510\n"));
    EXPECT_TRUE(ids().empty());
    EXPECT_EQ(record.get()->entry_count, 2);
    EXPECT_EQ(lookup(HELP_KIND_WINDOW, 101, 0), 500);
    // Numbers far into a long line still count.
    ASSERT_TRUE(read("M" + std::string(150, ' ') + "1003 101 520\n"));
    EXPECT_EQ(lookup(HELP_KIND_MENU, 1003, 101), 520);
}

TEST_F(CsaFile, StoringNeverPassesTheCount)
{
    // The file grew between the count and the second pass: the table
    // holds what was counted.
    std::string path = dir.file("grown.csa", "W 1 0 10\nW 2 0 20\nW 3 0 30\n");
    std::FILE *f = std::fopen(path.c_str(), "r");
    ASSERT_NE(f, nullptr);
    RUV_HELP_CSA_ENTRY table[2] = {};
    RUV_HELP_CSA_ENTRY guard{ 99, 99, 99, 99 };
    uint32_t error = 0;
    EXPECT_EQ(hassoc_store_entries(f, table, 2, &error), 2);
    EXPECT_EQ(table[1].topic, 20);
    EXPECT_EQ(guard.topic, 99);
    std::rewind(f);
    EXPECT_EQ(hassoc_count_entries(f), 3);
    std::fclose(f);
}

TEST_F(CsaFile, ParseLine)
{
    RUV_HELP_CSA_ENTRY e{};
    uint32_t error = 0;
    const char line[] = "M 1 2 3";
    EXPECT_EQ(hassoc_parse_line(line, 7, &e, &error), 1);
    EXPECT_EQ(e.kind, HELP_KIND_MENU);
    // The length bounds the line: no reading past it.
    EXPECT_EQ(hassoc_parse_line(line, 5, &e, &error), -1);
    EXPECT_EQ(error, kHelpCsaFewFields);
    EXPECT_EQ(hassoc_parse_line("", 0, &e, &error), 0);
}

} // namespace
