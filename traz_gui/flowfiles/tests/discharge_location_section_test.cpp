// The discharge locations (groups in file order, failed and blank values)
// and the depth: an attached depth file, the uniform depth, and the depth
// file reader called directly.

#include "boundary_fixture.h"
#include "boundary_sections.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using bndfix::Lines;
using recio::RecordBytes;

class Discharges : public bndfix::BoundaryTest {
protected:
    void Read(bool strict, int32_t count)
    {
        const int32_t mode = strict ? kStrict : kLenient;
        READ_DISCHARGE_LOCATIONS(&kDef, &kDiag, &error_, &record_number_, record_, 80, &mode, &count, mnk_, disint_, 1,
                                 names_, 20);
    }
    std::string Name(int i) const { return std::string(names_ + 20 * i, 20); }

    int32_t mnk_[3 * 51] = {};
    char disint_[51] = {};
    char names_[20 * 51] = {};
};

TEST_F(Discharges, GroupsInFileOrder)
{
    // The second group has no Disint: it takes the third group's letter and
    // location, and the third discharge then finds nothing more.
    Open({"Namdis = #Outfall A#", "Disint = #no#", "MNKdis = 1 2 3", "Namdis = #Intake#", "Namdis = #River#",
          "Disint = #N#", "MNKdis = 4 5 6"});
    std::fill(std::begin(disint_), std::end(disint_), '?');
    std::fill(std::begin(mnk_), std::end(mnk_), -1);
    Read(false, 3);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(Name(0), bndfix::Field("Outfall A", 20));
    EXPECT_EQ(Name(1), bndfix::Field("Intake", 20));
    EXPECT_EQ(std::string(disint_, 4), "NNY?");
    EXPECT_EQ(std::vector<int32_t>(mnk_, mnk_ + 7), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, -1}));
    EXPECT_EQ(Diag(), (Lines{"U100 Namdis", "U100 MNKdis"}));
}

TEST_F(Discharges, LettersBlankNamesAndCounts)
{
    Open({"Namdis = #  #", "Disint = #yes#", "MNKdis = 1 1 1", "Namdis = #B#", "MNKdis = 2 2 2", "Namdis = #C#",
          "Disint = #x#", "MNKdis = 3 3 [3]"});
    std::fill(std::begin(disint_), std::end(disint_), '?');
    Read(true, 3);
    EXPECT_NE(error_, 0);   // the blank name, in strict mode
    EXPECT_EQ(std::string(disint_, 3), "YY?");   // a missing Disint is Y too
    EXPECT_EQ(Diag(), (Lines{"V012 ", "U036 MNKdis"}));

    // No discharges: the file is not read at all.  Groups without Disint
    // each keep their own location; a count beyond the record's limit
    // reads no more than 50 groups.
    Open({"Namdis = #A#"});
    record_number_ = 7;
    Read(false, 0);
    EXPECT_EQ(record_number_, 7);
    std::vector<std::string> records;
    for (int i = 1; i <= 51; ++i) {
        records.push_back("Namdis = #D" + std::to_string(i) + "#");
        records.push_back("MNKdis = " + std::to_string(i) + " 1 1");
    }
    Open(records);
    mnk_[150] = -9;
    Read(false, 60);
    EXPECT_EQ(mnk_[3], 2);
    EXPECT_EQ(mnk_[147], 50);
    EXPECT_EQ(mnk_[150], -9);
    EXPECT_EQ(Name(50), std::string(20, '\0'));
}

class Depth : public bndfix::BoundaryTest {
protected:
    // A 3 x 2 grid in an array of row length 4 and m from -1 to 5.
    void Read(bool strict)
    {
        const int32_t mode = strict ? kStrict : kLenient, mmax = 3, row = 4, nmax = 2;
        std::fill(std::begin(depth_), std::end(depth_), -1.0f);
        READ_DEPTH(&kDef, &kDiag, &error_, record_, 80, &record_number_, &mode, file_, 12, format_, 2, &uniform_, &mmax,
                   &row, &nmax, depth_);
    }
    void ReadFile(const std::string &name, const char *format, int32_t mmax = 3, int32_t nmax = 2)
    {
        OpenDiag();
        const int32_t row = 4;
        std::fill(std::begin(depth_), std::end(depth_), -1.0f);
        const std::string field = bndfix::Field(name, 12);
        READ_DEPTH_FILE(&kDiag, &error_, field.c_str(), 12, format, 11, &mmax, &row, &nmax, depth_);
    }
    float At(int n, int m) const { return depth_[(n - 1) + 4 * (m + 1)]; }

    char file_[12] = {}, format_[2] = {};
    float uniform_ = -5.0f;
    float depth_[4 * 7] = {};
};

TEST_F(Depth, UniformDepth)
{
    Open({"Fildep = # #", "Depuni = 12.5"});
    Read(true);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(uniform_, 12.5f);
    EXPECT_EQ(At(1, 1), 12.5f);
    EXPECT_EQ(At(2, 3), 12.5f);
    EXPECT_EQ(At(3, 1), -1.0f);   // past nmax
    EXPECT_EQ(At(1, 0), -1.0f);   // spare column
    EXPECT_EQ(At(1, 4), -1.0f);

    Open({"Runtxt = #x#"});
    Read(false);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(uniform_, 0.0f);
    EXPECT_EQ(At(1, 1), -1.0f);   // lenient: the array is never written
    EXPECT_EQ(Diag(), (Lines{"U100 Fildep", "U100 Depuni"}));
    Open({"Runtxt = #x#"});
    Read(true);
    EXPECT_NE(error_, 0);
}

TEST_F(Depth, AttachedFile)
{
    flowfix::WriteText("d.dep", "1 2 3\n4\n5 6\n");
    Open({"Fildep = #d.dep#", "Fmtdep = #FR#"});
    Read(false);
    EXPECT_EQ(std::string(file_, 12), bndfix::Field("d.dep", 12));
    EXPECT_EQ(std::string(format_, 2), "FR");
    EXPECT_EQ(At(1, 1), -1.0f);
    Open({"Fildep = #d.dep#", "Fmtdep = #FR#"});
    Read(true);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ((std::vector<float>{At(1, 1), At(1, 2), At(1, 3), At(2, 1), At(2, 2), At(2, 3)}),
              (std::vector<float>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(uniform_, -5.0f);
}

TEST_F(Depth, FileReader)
{
    ASSERT_EQ(recio::WriteRecordFile("d.bin", recio::Form::kUnformatted,
                                     {RecordBytes().Reals({1, 2, 3}), RecordBytes().Reals({4, 5, 6}),
                                      RecordBytes().Reals({7, 8, 9})}),
              recio::kOk);
    ReadFile("d.bin", "unformatted");
    EXPECT_EQ(error_, 0);   // the extra record is ignored
    EXPECT_EQ(At(2, 3), 6.0f);
    EXPECT_EQ(Diag(), Lines{});

    struct Case {
        const char *label;
        const char *text;
        Lines diag;
    };
    const std::vector<Case> cases = {
        {"too few records", "1 2 3\n", {"G006 f.dep"}},
        {"not a number", "1 2 3\n4 x 6\n", {"G007 f.dep"}},
        {"missing file", nullptr, {"G004 f.dep"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        std::remove("f.dep");
        if (c.text)
            flowfix::WriteText("f.dep", c.text);
        ReadFile("f.dep", "formatted  ");
        EXPECT_NE(error_, 0);
        EXPECT_EQ(Diag(), c.diag);
    }

    // A short unformatted record, and an nmax beyond the row length: no
    // value lands outside the caller's rows.
    ASSERT_EQ(recio::WriteRecordFile("s.bin", recio::Form::kUnformatted, {RecordBytes().Reals({1, 2})}), recio::kOk);
    ReadFile("s.bin", "unformatted");
    EXPECT_EQ(Diag(), Lines{"G007 s.bin"});
    flowfix::WriteText("w.dep", "1 1 1\n2 2 2\n3 3 3\n4 4 4\n5 5 5\n");
    ReadFile("w.dep", "formatted  ", 3, 5);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(At(4, 3), 4.0f);
    EXPECT_EQ(At(1, 4), -1.0f);
}

}  // namespace
