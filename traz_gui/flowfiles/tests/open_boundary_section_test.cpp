// The open boundaries: keyword groups, the boundary file in both forms and
// its limits, and the checks of the openings (names, letters, order of the
// data kinds, grid lines, profiles).

#include "boundary_fixture.h"
#include "boundary_sections.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using bndfix::Lines;
using recio::RecordBytes;

constexpr int32_t kLimit = 100;

class Boundaries : public bndfix::BoundaryTest {
protected:
    void SetUp() override
    {
        bndfix::BoundaryTest::SetUp();
        std::fill(std::begin(names_), std::end(names_), '.');
        std::fill(std::begin(types_), std::end(types_), '.');
        std::fill(std::begin(kinds_), std::end(kinds_), '.');
        std::fill(std::begin(lines_), std::end(lines_), -9);
        std::fill(std::begin(profiles_), std::end(profiles_), '.');
        std::fill(std::begin(labels_), std::end(labels_), '.');
    }
    void Read(bool strict, int32_t count, int32_t harmonic, int32_t kmax = 1, int32_t mmax = 200, int32_t nmax = 50)
    {
        const int32_t mode = strict ? kStrict : kLenient;
        READ_OPEN_BOUNDARIES(&kDef, &kDiag, &error_, &record_number_, record_, 80, &mode, &count, &harmonic, &mmax,
                             &nmax, &kmax, &kLimit, file_, 12, format_, 2, &flag_, 1, names_, 20, types_, 1, kinds_, 1,
                             lines_, alpha_, profiles_, 20, labels_, 12);
    }
    void ReadFile(const std::string &name, const char *format, bool strict, int32_t kmax = 1)
    {
        OpenDiag();
        const int32_t mode = strict ? kStrict : kLenient;
        const std::string field = bndfix::Field(name, 12);
        READ_BOUNDARY_FILE(&kDiag, &error_, &mode, &kmax, &kLimit, &read_, &non_series_, field.c_str(), 12, format, 11,
                           names_, 20, types_, 1, kinds_, 1, lines_, alpha_, profiles_, 20, labels_, 12);
    }
    std::string Name(int i) const { return std::string(names_ + 20 * i, 20); }
    std::string Profile(int i) const { return std::string(profiles_ + 20 * i, 20); }
    std::string Label(int i, int j) const { return std::string(labels_ + 12 * (i + kLimit * j), 12); }
    std::vector<int32_t> Line(int i) const { return std::vector<int32_t>(lines_ + 4 * i, lines_ + 4 * i + 4); }

    char file_[12] = {}, format_[2] = {}, flag_ = '?';
    char names_[20 * (kLimit + 1)] = {}, types_[kLimit + 1] = {}, kinds_[kLimit + 1] = {};
    int32_t lines_[4 * (kLimit + 1)] = {};
    float alpha_[kLimit + 1] = {};
    char profiles_[20 * (kLimit + 1)] = {}, labels_[12 * 2 * kLimit + 12] = {};
    int32_t read_ = -1, non_series_ = -1;
};

TEST_F(Boundaries, KeywordGroups)
{
    // The second opening has no Alpha record: it keeps its place in the
    // file all the same.
    Open({"Filbnd = # #", "Nambnd = #West#", "Typbnd = #C#", "Datbnd = #A#", "MNbnd  = 1 1 1 10",
          "Alpha  = 0.5", "ProfU  = #Logarithmic#", "Label  = #Lab1# #Lab2#", "Nambnd = #  #", "Typbnd = #Z#",
          "Datbnd = #A#", "MNbnd  = 2 1 2 10", "Label  = #L3#", "        #L4#"});
    Read(false, 2, 2, 3);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(flag_, 'Y');
    EXPECT_EQ(Name(0), bndfix::Field("West", 20));
    EXPECT_EQ(Name(1), "Boundary Opening   2");
    EXPECT_EQ(std::string(types_, 2), "CZ");
    EXPECT_EQ(std::string(kinds_, 2), "AA");
    EXPECT_EQ(Line(1), (std::vector<int32_t>{2, 1, 2, 10}));
    EXPECT_EQ(alpha_[0], 0.5f);
    EXPECT_EQ(alpha_[1], 0.0f);
    EXPECT_EQ(Profile(0), bndfix::Field("Logarithmic", 20));
    EXPECT_EQ(Profile(1), bndfix::Field("Uniform", 20));
    EXPECT_EQ(Label(0, 0) + Label(0, 1), bndfix::Field("Lab1", 12) + bndfix::Field("Lab2", 12));
    EXPECT_EQ(Label(1, 0) + Label(1, 1), bndfix::Field("L3", 12) + bndfix::Field("L4", 12));
    EXPECT_EQ(Diag(), (Lines{"U100 Alpha"}));
}

TEST_F(Boundaries, Checks)
{
    struct Case {
        const char *label;
        std::vector<std::string> kinds;
        std::vector<std::string> types;
        Lines diag;
    };
    const std::vector<Case> cases = {
        {"H, H, T", {"H", "H", "T"}, {"Z", "Q", "R"}, {}},
        {"T before H", {"T", "H", "T"}, {"Z", "Z", "Z"}, {"U039 "}},
        {"A and H mixed", {"A", "H", "T"}, {"Z", "Z", "Z"}, {"U065 "}},
        {"lower-case letters", {"h", "H", "T"}, {"z", "Z", "Z"}, {"U047 ", "V004   1"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        std::vector<std::string> records = {"Filbnd = # #"};
        for (size_t i = 0; i < 3; ++i) {
            records.push_back("Nambnd = #B" + std::to_string(i) + "#");
            records.push_back("Typbnd = #" + c.types[i] + "#");
            records.push_back("Datbnd = #" + c.kinds[i] + "#");
            records.push_back("MNbnd  = 1 1 1 2");
            records.push_back("Alpha  = 0");
            records.push_back("Label  = #a# #b#");
        }
        for (bool strict : {false, true}) {
            Open(records);
            Read(strict, 3, 2);
            EXPECT_EQ(error_ != 0, strict && !c.diag.empty());
            EXPECT_EQ(Diag(), c.diag);
        }
    }

    // Grid lines beyond the grid, and a profile that is neither kind.
    Open({"Filbnd = # #", "Nambnd = #B#", "Typbnd = #C#", "Datbnd = #H#", "MNbnd  = 0 5 300 5", "Alpha  = 0",
          "ProfU  = #Parabolic#"});
    Read(false, 1, 1, 2, 200, 5);
    EXPECT_EQ(Line(0), (std::vector<int32_t>{1, 5, 200, 5}));
    EXPECT_EQ(Profile(0), bndfix::Field("Uniform", 20));
    EXPECT_EQ(Diag(), (Lines{"U151 ", "U151 ", "U066 Parabolic"}));
}

TEST_F(Boundaries, FormattedFile)
{
    flowfix::WriteText("b.bnd",
                       "North side          Z H 1 1 1 9 0.5\n"
                       "                    C A 2 1 2 9 0 Logarithmic lab1 lab2\n"
                       "East                Q T 3 1 3 9 1.5 logarithmic\n");
    ReadFile("b.bnd", "formatted  ", true, 1);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(read_, 3);
    EXPECT_EQ(non_series_, 2);
    EXPECT_EQ(Name(1), "Boundary Opening   2");
    EXPECT_EQ(Label(1, 0), bndfix::Field("lab1", 12));   // with one layer the profile word is passed over
    EXPECT_EQ(Label(1, 1), bndfix::Field("lab2", 12));
    EXPECT_EQ(alpha_[2], 1.5f);
    EXPECT_EQ(Diag(), Lines{"U150 b.bnd"});

    // With layers the lower-case profile is stored as read and then refused
    // by the checks of the section.
    Open({"Filbnd = #b.bnd#", "Fmtbnd = #FR#"});
    Read(false, 3, 2, 4);
    EXPECT_EQ(std::string(file_, 12), bndfix::Field("b.bnd", 12));
    EXPECT_EQ(Profile(2), bndfix::Field("Uniform", 20));
    EXPECT_EQ(Diag(), (Lines{"U150 b.bnd", "U065 ", "U066 logarithmic"}));
}

TEST_F(Boundaries, FileLimitAndFailures)
{
    std::string text;
    for (int i = 1; i <= 100; ++i)
        text += "Opening             Z H 1 1 1 2 0\n";
    flowfix::WriteText("full.bnd", text);
    ReadFile("full.bnd", "formatted  ", false);
    EXPECT_EQ(read_, 100);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(types_[100], '.');   // nothing past the limit
    flowfix::WriteText("full.bnd", text + "Opening             Z H 1 1 1 2 0\n");
    ReadFile("full.bnd", "formatted  ", false);
    EXPECT_NE(error_, 0);   // in lenient mode too
    EXPECT_EQ(types_[100], '.');
    EXPECT_EQ(Diag(), Lines{"U122 full.bnd"});

    struct Case {
        const char *label;
        const char *text;
        bool strict;
        bool error;
        int32_t read;
        Lines diag;
    };
    const std::vector<Case> cases = {
        {"empty file", "", true, false, 0, {}},
        {"apostrophe in the first line", "'North' 'Z' 'H' 1 1 1 9 0\n", false, true, 0, {"U158 f.bnd", "U122 f.bnd"}},
        {"type of two letters", "B                   ZZ H 1 1 1 9 0\n", true, true, 0, {"G007 f.bnd"}},
        {"bracket in the line", "B                   Z H 1 [1] 1 9 0\n", true, true, 0, {"G007 f.bnd"}},
        {"lenient: no error flag", "B                   Z H 1 1 1 9\n", false, false, 0, {"G007 f.bnd"}},
        {"label missing", "B                   Z A 1 1 1 9 0 only\n", true, true, 0, {"G007 f.bnd"}},
        {"missing file", nullptr, false, false, 0, {"G004 f.bnd"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        std::remove("f.bnd");
        if (c.text)
            flowfix::WriteText("f.bnd", c.text);
        ReadFile("f.bnd", "formatted  ", c.strict);
        EXPECT_EQ(error_ != 0, c.error);
        EXPECT_EQ(read_, c.read);
        EXPECT_EQ(Diag(), c.diag);
    }
}

TEST_F(Boundaries, UnformattedFile)
{
    auto opening = [](const char *name, const char *type, const char *kind, int32_t m) {
        return RecordBytes().Text(name, 20).Text(type, 1).Text(kind, 1).Ints({m, 1, m, 5}).Real(0.25f);
    };
    ASSERT_EQ(recio::WriteRecordFile("u.bnd", recio::Form::kUnformatted,
                                     {opening("South", "Z", "H", 1), opening("Gate", "Q", "t", 2)}),
              recio::kOk);
    ReadFile("u.bnd", "unformatted", true, 3);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(read_, 2);
    EXPECT_EQ(non_series_, 1);
    EXPECT_EQ(Line(1), (std::vector<int32_t>{2, 1, 2, 5}));
    EXPECT_EQ(Profile(1), bndfix::Field("Uniform", 20));
    EXPECT_EQ(Label(1, 1), std::string(12, ' '));

    // Through the section: the counts differ from the dimensions', the
    // lower-case 't' is then refused by the checks, which also run over the
    // third opening as the arrays hold it.
    Open({"Filbnd = #u.bnd#", "Fmtbnd = #UN#"});
    Read(true, 3, 1, 3);
    EXPECT_NE(error_, 0);
    EXPECT_EQ(Diag(), (Lines{"U145 ", "V004   2", "U047 ", "V004   3", "U151 "}));
}

TEST_F(Boundaries, MissingFileInLenientMode)
{
    Open({"Filbnd = #none.bnd#", "Fmtbnd = #FR#", "Nambnd = #x#"});
    Read(false, 1, 1);
    EXPECT_EQ(error_, 0);
    Lines diag = Diag();
    ASSERT_FALSE(diag.empty());
    EXPECT_EQ(diag[0], "G004 none.bnd");
}

}  // namespace
