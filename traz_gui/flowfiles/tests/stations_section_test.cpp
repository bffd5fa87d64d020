// Stations, cross sections and drogues: from their records or attached
// files, blank names, drogue steps and cells, unique names, and the three
// file readers called directly.

#include "process_sections.h"
#include "boundary_fixture.h"
#include "definition_dump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using bndfix::Field;
using bndfix::Lines;

class Monitoring : public bndfix::BoundaryTest {
protected:
    // Every code of the readers, these sections' included.
    void SetUp() override
    {
        BoundaryTest::SetUp();
        deffix::WriteMessageFile();
    }
    void Read(int32_t strict, int32_t stations, int32_t crs, int32_t drogues_count, bool drogues)
    {
        drogue_flag_ = drogues ? -1 : 0;
        READ_MONITORING_POINTS(&kDef, &kDiag, &error_, &record_number_, record_, 80, &strict, &dt_, filsta_, 12,
                               fmtsta_, 2, &stations, filcrs_, 12, fmtcrs_, 2, &crs, filpar_, 12, fmtpar_, 2,
                               &drogues_count, &drogue_flag_, namst_.data(), 20, namcrs_.data(), 20, nampar_.data(), 20,
                               mnst_.data(), mncrs_.data(), cells_.data(), tpar_.data(), xypar_.data());
    }
    std::string Name(const std::string &names, int i) const { return names.substr(static_cast<size_t>(20 * i), 20); }

    float dt_ = 1;
    int32_t drogue_flag_ = 0;
    char filsta_[12] = {}, fmtsta_[2] = {}, filcrs_[12] = {}, fmtcrs_[2] = {}, filpar_[12] = {}, fmtpar_[2] = {};
    std::string namst_ = std::string(20 * 200, '.'), namcrs_ = std::string(20 * 50, '.'),
                nampar_ = std::string(20 * 50, '.');
    std::vector<int32_t> mnst_ = std::vector<int32_t>(400, -1), mncrs_ = std::vector<int32_t>(200, -1),
                         cells_ = std::vector<int32_t>(100, -1), tpar_ = std::vector<int32_t>(100, -1);
    std::vector<float> xypar_ = std::vector<float>(100, -1.0f);
};

TEST_F(Monitoring, ListsFromTheirRecords)
{
    Open({"Namst  = #Harbour#", "MNst   = 3 4", "Namcrs = #Mouth#", "MNcrs  = 1 2 3 4", "Namst  = #Pier#",
          "MNst   = 5 6", "Nampar = #Float#", "Tpar   = 0.0 60.05", "XYpar  = 10.25 20.5"});
    Read(kStrict, 2, 1, 1, true);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(Name(namst_, 0), Field("Harbour", 20));
    EXPECT_EQ(Name(namst_, 1), Field("Pier", 20));
    EXPECT_EQ(std::vector<int32_t>(mnst_.begin(), mnst_.begin() + 5), (std::vector<int32_t>{3, 4, 5, 6, -1}));
    EXPECT_EQ(std::vector<int32_t>(mncrs_.begin(), mncrs_.begin() + 4), (std::vector<int32_t>{1, 2, 3, 4}));
    EXPECT_EQ(Name(nampar_, 0), Field("Float", 20));
    EXPECT_EQ(tpar_[0], 0);
    EXPECT_EQ(tpar_[1], 60);
    EXPECT_EQ(cells_[0], 10);
    EXPECT_EQ(cells_[1], 20);
    EXPECT_EQ(xypar_[0], 0.25f);
    EXPECT_EQ(xypar_[1], 0.5f);
    EXPECT_TRUE(Diag().empty());
}

TEST_F(Monitoring, DrogueTimeOffTheGrid)
{
    Open({"Nampar = #Float#", "Tpar   = 0.0 60.3", "XYpar  = 1.5 2.5"});
    Read(kLenient, 0, 0, 1, true);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(Diag(), (Lines{"U044 stop  time", " for drogue: Float"}));
    EXPECT_EQ(cells_[0], 1);   // lenient: the list goes on
    Open({"Nampar = #Float#", "Tpar   = 0.0 60.3", "XYpar  = 1.5 2.5"});
    cells_[0] = -1;
    Read(kStrict, 0, 0, 1, true);
    EXPECT_NE(error_, 0);
    EXPECT_EQ(cells_[0], -1);   // strict: the list ends
}

// A position or time with no 32-bit cell or step is refused.
TEST_F(Monitoring, PositionsAndTimesBeyond32BitsAreRefused)
{
    Open({"Nampar = #Float#", "Tpar   = 0 60", "XYpar  = 1e30 2.5"});
    Read(kStrict, 0, 0, 1, true);
    EXPECT_NE(error_, 0);
    EXPECT_EQ(Diag(), Lines{"U036 XYpar"});
    Open({"Nampar = #Float#", "Tpar   = 0 1e12", "XYpar  = 1 2.5"});
    dt_ = 1e-6f;
    Read(kLenient, 0, 0, 1, true);
    EXPECT_EQ(Diag(), Lines{"U036 Tpar"});
}

TEST_F(Monitoring, WithoutTheDrogueFlagNoDrogueIsRead)
{
    Open({"Nampar = #Float#", "Tpar   = 0 60", "XYpar  = 1 2"});
    Read(kStrict, 0, 0, 1, false);
    EXPECT_EQ(Name(nampar_, 0), std::string(20, '.'));
    EXPECT_TRUE(Diag().empty());
}

TEST_F(Monitoring, BlankNamesAndDuplicates)
{
    Open({"Namst  = #A#", "MNst   = 1 1", "Namst  = #A#", "MNst   = 2 2", "Namst  = #A#", "MNst   = 3 3",
          "Namcrs = # #", "MNcrs  = 1 1 2 2"});
    Read(kLenient, 3, 1, 0, false);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(Diag(), (Lines{"U170 A", "U170 A", "U170 A", "V014 "}));

    // Duplicate cross sections and drogues, and a blank drogue name.
    Open({"Namcrs = #Mouth#", "MNcrs  = 1 1 2 2", "Namcrs = #Mouth#", "MNcrs  = 3 3 4 4", "Nampar = #F#",
          "Tpar   = 0 60", "XYpar  = 1 2", "Nampar = #F#", "Tpar   = 0 60", "XYpar  = 1 2"});
    Read(kLenient, 0, 2, 2, true);
    EXPECT_EQ(Diag(), (Lines{"U171 Mouth", "U172 F"}));
    Open({"Nampar = # #", "Tpar   = 0 60", "XYpar  = 1 2"});
    Read(kStrict, 0, 0, 1, true);
    EXPECT_NE(error_, 0);
    EXPECT_EQ(Diag(), Lines{"V034 "});
}

// A blank format keyword takes the default "formatted", which the format
// check refuses: reported, and the file is read as formatted.
TEST_F(Monitoring, BlankFormatKeywordsAreReported)
{
    Open({"Filsta = #s.txt#", "Fmtsta = # #", "Filcrs = #c.txt#", "Fmtcrs = # #", "Filpar = #p.txt#",
          "Fmtpar = # #"});
    Read(kLenient, 0, 0, 0, true);
    EXPECT_EQ(Diag(), (Lines{"U036 Fmtsta", "U036 Fmtcrs", "U036 Fmtpar"}));
    EXPECT_EQ(std::string(fmtsta_, 2) + std::string(fmtcrs_, 2) + std::string(fmtpar_, 2), "FRFRFR");
}

// Counts above the record's limits read no more entries than the arrays
// hold (the arrays here are exactly as large as the record's).
TEST_F(Monitoring, CountsAboveTheLimitsAreCapped)
{
    std::vector<std::string> records;
    for (int i = 1; i <= 210; ++i) {
        records.push_back("Namst  = #S" + std::to_string(i) + "#");
        records.push_back("MNst   = " + std::to_string(i) + " 1");
    }
    Open(records);
    Read(kLenient, 300, 70, 70, true);
    EXPECT_EQ(Name(namst_, 199), Field("S200", 20));
    EXPECT_EQ(mnst_[398], 200);
    EXPECT_EQ(error_, 0);
}

TEST_F(Monitoring, FileKeywordsInLenientModeOnlyNameTheFiles)
{
    Open({"Filsta = #st.txt#", "Fmtsta = #UN#", "Filcrs = #cr.txt#", "Fmtcrs = #FR#", "Namst  = #A#",
          "MNst   = 1 1"});
    Read(kLenient, 1, 1, 0, false);
    EXPECT_EQ(std::string(filsta_, 12), Field("st.txt", 12));
    EXPECT_EQ(std::string(fmtsta_, 2), "UN");
    EXPECT_EQ(std::string(fmtcrs_, 2), "FR");
    EXPECT_EQ(Name(namst_, 0), std::string(20, '.'));
    EXPECT_EQ(error_, 0);
}

TEST_F(Monitoring, StrictFilesAndAFileErrorEndsTheReader)
{
    flowfix::WriteText("st.txt", "Harbour             3 4\nPier                5 6\n");
    flowfix::WriteText("dr.txt", "Float               0 60.05 10.25 20.5\n");
    Open({"Filsta = #st.txt#", "Fmtsta = #FR#", "Filpar = #dr.txt#", "Fmtpar = #FR#", "Namcrs = #Mouth#",
          "MNcrs  = 1 2 3 4"});
    Read(kStrict, 2, 1, 1, false);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(Name(namst_, 1), Field("Pier", 20));
    EXPECT_EQ(mnst_[3], 6);
    EXPECT_EQ(Name(namcrs_, 0), Field("Mouth", 20));
    EXPECT_EQ(drogue_flag_, -1);   // set by the drogue file
    EXPECT_EQ(tpar_[1], 60);

    // A station file shorter than the count: G006, and the cross sections
    // are not read.
    namcrs_.assign(namcrs_.size(), '.');
    Open({"Filsta = #st.txt#", "Fmtsta = #FR#", "Namcrs = #Mouth#", "MNcrs  = 1 2 3 4"});
    Read(kStrict, 3, 1, 0, false);
    EXPECT_NE(error_, 0);
    EXPECT_EQ(Diag(), Lines{"G006 st.txt"});
    EXPECT_EQ(Name(namcrs_, 0), std::string(20, '.'));
}

// The file readers called directly: forms, failures, counts beyond the
// lists' limits.
TEST_F(Monitoring, FileReadersDirectly)
{
    ASSERT_EQ(recio::WriteRecordFile("cr.unf", recio::Form::kUnformatted,
                                     {recio::RecordBytes().Text("Mouth", 20).Ints({1, 2, 3, 4}),
                                      recio::RecordBytes().Text("Bend", 20).Ints({5, 6, 7, 8})}),
              recio::kOk);
    OpenDiag();
    int32_t count = 2;
    READ_CROSS_SECTION_FILE(&kDiag, "cr.unf", 6, "unformatted", 11, &error_, &count, namcrs_.data(), 20, mncrs_.data());
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(Name(namcrs_, 1), Field("Bend", 20));
    EXPECT_EQ(mncrs_[7], 8);

    struct Case {
        std::string text;
        std::string diag;
    };
    const std::vector<Case> cases = {{"A                   1\n", "G007 s.txt"},
                                     {"A                   1 x\n", "G007 s.txt"},
                                     {"A                   1 [2]\n", "G007 s.txt"},
                                     {"                    1 2\n", "V013 "},
                                     {"", "G006 s.txt"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        flowfix::WriteText("s.txt", c.text);
        OpenDiag();
        count = 1;
        READ_STATION_FILE(&kDiag, "s.txt", 5, "formatted", 9, &error_, &count, namst_.data(), 20, mnst_.data());
        EXPECT_NE(error_, 0);
        EXPECT_EQ(Diag(), Lines{c.diag});
    }
    OpenDiag();
    READ_STATION_FILE(&kDiag, "none.txt", 8, "formatted", 9, &error_, &count, namst_.data(), 20, mnst_.data());
    EXPECT_EQ(Diag(), Lines{"G004 none.txt"});

    // A count above the drogue limit reads no more than 50 entries.
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += Field("D" + std::to_string(i), 20) + "0 10 1.5 2.5\n";
    flowfix::WriteText("d.txt", text);
    OpenDiag();
    count = 60;
    READ_DROGUE_FILE(&kDiag, "d.txt", 5, "formatted", 9, &error_, &count, &dt_, nampar_.data(), 20, cells_.data(),
                     tpar_.data(), xypar_.data());
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(Name(nampar_, 49), Field("D49", 20));
    EXPECT_EQ(tpar_[99], 10);
    // Off the step grid: an error in the file reader, after both checks.
    flowfix::WriteText("d.txt", "Float               0.3 10.4 1 2\n");
    OpenDiag();
    count = 1;
    READ_DROGUE_FILE(&kDiag, "d.txt", 5, "formatted", 9, &error_, &count, &dt_, nampar_.data(), 20, cells_.data(),
                     tpar_.data(), xypar_.data());
    EXPECT_NE(error_, 0);
    EXPECT_EQ(Diag(), (Lines{"U044 start time", " for drogue: Float", "U044 stop  time",
                             " for drogue: Float"}));
}

}  // namespace
