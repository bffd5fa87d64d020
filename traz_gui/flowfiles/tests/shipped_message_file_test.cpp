// The message file shipped with the definition readers: one record per
// code of the table of raised codes, each with the place of the caller's
// text, copied beside the programs; and the codes the sources raise.

#include "keyword_records.h"
#include "message_codes.h"
#include "record_io.h"

#include "flow_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <dirent.h>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kSourceDir = std::string(TRAZ_TEST_SOURCE_DIR) + "/traz_gui/flowfiles";

std::vector<std::string> Lines(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

std::set<std::string> Table()
{
    const auto &codes = msgcodes::RaisedCodes();
    return std::set<std::string>(codes.begin(), codes.end());
}

TEST(ShippedMessageFile, HoldsEveryRaisedCodeOnceWithOnePlaceForTheText)
{
    const std::vector<std::string> records = Lines(flowfix::ReadText(kSourceDir + "/data/errfil"));
    ASSERT_EQ(Table().size(), msgcodes::RaisedCodes().size()) << "a code stands twice in the table";
    std::set<std::string> codes;
    for (const std::string &r : records) {
        SCOPED_TRACE(r);
        ASSERT_GE(r.size(), 6u);
        EXPECT_TRUE(std::regex_match(r.substr(0, 4), std::regex("[FGUV][0-9]{3}")));
        EXPECT_EQ(r[4], ' ');
        EXPECT_NE(r[5], ' ');
        EXPECT_EQ(std::count(r.begin(), r.end(), '#'), 1);
        EXPECT_LE(r.size(), 79u);
        EXPECT_TRUE(codes.insert(r.substr(0, 4)).second) << "code twice in the file";
    }
    EXPECT_EQ(codes, Table());
    EXPECT_EQ(codes.size(), 72u);
}

TEST(ShippedMessageFile, CopiedBesideTheProgramsAndIntoTheTestDirectory)
{
    const std::string shipped = flowfix::ReadText(kSourceDir + "/data/errfil");
    EXPECT_EQ(flowfix::ReadText(std::string(TRAZ_TEST_BINARY_DIR) + "/bin/errfil"), shipped);
    EXPECT_EQ(flowfix::ReadText("errfil"), shipped);
}

// Every code literal of the readers' sources (.cpp and .h) stands in the
// table, and every code of the table is raised somewhere.
TEST(ShippedMessageFile, TableMatchesTheCodesTheSourcesRaise)
{
    std::set<std::string> raised;
    const std::regex literal("\"([FGUV][0-9]{3})\"");
    DIR *dir = opendir(kSourceDir.c_str());
    ASSERT_NE(dir, nullptr);
    while (dirent *entry = readdir(dir)) {
        const std::string name = entry->d_name;
        const size_t dot = name.rfind('.');
        if (dot == std::string::npos || (name.substr(dot) != ".cpp" && name.substr(dot) != ".h"))
            continue;
        const std::string text = flowfix::ReadText(kSourceDir + "/" + name);
        for (std::sregex_iterator it(text.begin(), text.end(), literal), end; it != end; ++it)
            raised.insert((*it)[1]);
    }
    closedir(dir);
    for (const std::string &code : raised)
        EXPECT_TRUE(Table().count(code)) << code << " is raised but not in the table";
    for (const std::string &code : Table())
        EXPECT_TRUE(raised.count(code)) << code << " is in the table but raised nowhere";
}

// Each code of the shipped file gives its own line with the caller's text.
TEST(ShippedMessageFile, EveryCodeReportsWithTheCallersText)
{
    const int32_t diag = 60;
    ASSERT_EQ(recio::Open(diag, "diag.txt", recio::Form::kFormatted, recio::Access::kSequential,
                          recio::OpenStatus::kUnknown),
              recio::kOk);
    FlowDefinitionState *state = FlowDefinitionStateGet();
    std::fill(state->message_directory, state->message_directory + sizeof state->message_directory, ' ');
    for (const std::string &code : msgcodes::RaisedCodes())
        REPORT_MESSAGE(&diag, code.c_str(), 4, "<text>", 6);
    recio::Close(diag);
    const std::vector<std::string> lines = Lines(flowfix::ReadText("diag.txt"));
    ASSERT_EQ(lines.size(), msgcodes::RaisedCodes().size());
    for (const std::string &line : lines)
        EXPECT_NE(line.find("<text>"), std::string::npos) << line;
    EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()).size(), lines.size());
}

}  // namespace
