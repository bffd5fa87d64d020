// The grid-object section: enclosure, dry points and thin dams from their
// keyword records (ends, failures, the limit of a list), from attached
// files in strict mode, their scratch files, and the three copy routines
// called directly.

#include "boundary_sections.h"
#include "boundary_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using recio::RecordBytes;
using bndfix::Lines;

class GridObjects : public bndfix::BoundaryTest {
protected:
    // The section with the given strict mode on a 30 x 20 grid; the arrays
    // are one entry longer than the limit to catch writes past it.
    void Read(bool strict)
    {
        const int32_t mode = strict ? kStrict : kLenient, mmax = 30, nmax = 20;
        std::fill(std::begin(grd_), std::end(grd_), -7);
        std::fill(std::begin(dry_), std::end(dry_), -7);
        std::fill(std::begin(td_), std::end(td_), -7);
        std::fill(std::begin(types_), std::end(types_), '?');
        grd_flag_ = dry_flag_ = td_flag_ = 0;   // the driver clears them
        grd_count_ = dry_count_ = td_count_ = -1;
        READ_ENCLOSURE_DRY_POINTS_THIN_DAMS(&kDef, &kDiag, &error_, &record_number_, record_, 80, &mode, "abc", 3,
                                            &mmax, &nmax, filgrd_, 12, fmtgrd_, 2, &grd_flag_, grd_, &limit_,
                                            &grd_count_, fildry_, 12, fmtdry_, 2, &dry_flag_, dry_, &limit_,
                                            &dry_count_, filtd_, 12, fmttd_, 2, types_, 1, &td_flag_, td_, &limit_,
                                            &td_count_);
    }

    const int32_t limit_ = 100;
    char filgrd_[12] = {}, fmtgrd_[2] = {}, fildry_[12] = {}, fmtdry_[2] = {}, filtd_[12] = {}, fmttd_[2] = {};
    int32_t grd_[2 * 101] = {}, dry_[4 * 101] = {}, td_[4 * 101] = {};
    char types_[101] = {};
    int32_t grd_flag_ = 0, dry_flag_ = 0, td_flag_ = 0;
    int32_t grd_count_ = -1, dry_count_ = -1, td_count_ = -1;
};

TEST_F(GridObjects, KeywordRecordsInLenientMode)
{
    // Thin dams after the dry points in the file, the enclosure ends with a
    // zero in its third record, no dry points at all, no Filtd keyword.
    Open({"MNtd   = 2 3 2 9 #U#", "Filgrd = #  #", "MNgrd  = 1 1", "MNgrd  = 1 20", "MNgrd  = 0 0",
          "MNtd   = 5 5 8 5 #V#"});
    testing::internal::CaptureStdout();
    Read(false);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), " *** ERROR Record MNdry not found\n");
    EXPECT_EQ(error_, 0);   // a failed keyword list never fails the read
    EXPECT_EQ(grd_count_, 2);
    EXPECT_EQ(grd_flag_, 0);
    EXPECT_EQ(std::vector<int32_t>(grd_, grd_ + 4), (std::vector<int32_t>{1, 1, 1, 20}));
    EXPECT_EQ(dry_count_, 0);
    EXPECT_EQ(dry_flag_, 0);
    EXPECT_EQ(td_count_, 2);
    EXPECT_NE(td_flag_, 0);
    // The search begins at the end of the enclosure and wraps once.
    EXPECT_EQ(std::vector<int32_t>(td_, td_ + 8), (std::vector<int32_t>{5, 5, 8, 5, 2, 3, 2, 9}));
    EXPECT_EQ(std::string(types_, 3), "VU?");
    EXPECT_EQ(std::string(filgrd_, 12), std::string(12, ' '));
    EXPECT_EQ(Diag(), (Lines{"V003 Comp. grid enclosure", "U100 MNdry", "U100 Filtd"}));
}

TEST_F(GridObjects, EmptyListsAndFailedEntries)
{
    struct Case {
        const char *label;
        std::vector<std::string> records;
        int32_t dry_count, dry_flag;
        Lines diag;
    };
    const std::vector<Case> cases = {
        {"first record zero: empty", {"MNdry  = 0 0 0 0"}, 0, 0, {}},
        {"a bracket reads as zero", {"MNdry  = 1 1 2 2", "MNdry  = 3 [x] 3 3"}, 1, 0,
         {"V003 Coord. of the dry point"}},
        {"not a number", {"MNdry  = 1 1 2 2", "MNdry  = 3 x 3 3"}, 1, 0, {"U036 MNdry"}},
        {"too few values", {"MNdry  = 1 1 2"}, 0, 0, {"U036 MNdry"}},
        {"wraps round the file", {"MNdry  = 1 1 2 2", "Runtxt = #x#", "MNdry  = 4 4 5 5"}, 2, -1, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        std::vector<std::string> records = {"Filgrd = # #", "MNgrd  = 0 0", "MNtd   = 0 0 0 0", "Filtd  = # #"};
        records.insert(records.end(), c.records.begin(), c.records.end());
        Open(records);
        Read(false);
        EXPECT_EQ(dry_count_, c.dry_count);
        EXPECT_EQ(dry_flag_, c.dry_flag);
        EXPECT_EQ(grd_flag_, -1);   // an empty enclosure is given
        EXPECT_EQ(grd_count_, 0);
        EXPECT_EQ(Diag(), c.diag);
    }
}

// The list's records are the last of the file and its search began at the
// first record: after the last entry the search goes round to the first
// record and stops there, without taking the entries again.
TEST_F(GridObjects, ListAtTheEndOfTheFileIsReadOnce)
{
    Open({"Fildry = # #", "MNdry  = 0 0 0 0", "Filtd  = # #", "MNtd   = 0 0 0 0", "MNgrd  = 1 1", "MNgrd  = 30 1",
          "MNgrd  = 30 20"});
    Read(false);
    EXPECT_EQ(grd_count_, 3);
    EXPECT_NE(grd_flag_, 0);
    EXPECT_EQ(std::vector<int32_t>(grd_, grd_ + 8), (std::vector<int32_t>{1, 1, 30, 1, 30, 20, -7, -7}));
    EXPECT_EQ(Diag(), (Lines{"U100 Filgrd"}));
}

// The list's search begins at a record just after one of its records (here
// the Filgrd record after the first MNgrd): going round, the search from
// that record reads the start first, which cannot end it, and came back to
// the list's first record again and again (in strict mode for ever).  Each
// record is taken once, in either mode.
TEST_F(GridObjects, ListBegunJustAfterOneOfItsRecordsIsReadOnce)
{
    for (bool strict : {false, true}) {
        SCOPED_TRACE(strict ? "strict" : "lenient");
        Open({"MNgrd  = 1 1", "Filgrd = # #", "MNgrd  = 30 1", "Fildry = # #", "MNdry  = 0 0 0 0", "Filtd  = # #",
              "MNtd   = 0 0 0 0"});
        Read(strict);
        EXPECT_EQ(Diag(), Lines{});
        if (strict) {
            EXPECT_EQ(bndfix::Records("TMP_abc.grd"),
                      bndfix::Records({RecordBytes().Int(30).Int(1), RecordBytes().Int(1).Int(1)}));
        } else {
            EXPECT_EQ(grd_count_, 2);
            EXPECT_EQ(std::vector<int32_t>(grd_, grd_ + 6), (std::vector<int32_t>{30, 1, 1, 1, -7, -7}));
        }
    }
}

TEST_F(GridObjects, ListLimit)
{
    for (int entries : {99, 100, 101}) {
        SCOPED_TRACE(entries);
        std::vector<std::string> records = {"Filgrd = # #", "MNgrd  = 0 0", "Filtd  = # #", "MNtd   = 0 0 0 0"};
        for (int i = 1; i <= entries; ++i)
            records.push_back("MNdry  = " + std::to_string(i) + " 1 " + std::to_string(i) + " 2");
        Open(records);
        Read(false);
        EXPECT_EQ(dry_count_, std::min(entries, 100));
        EXPECT_EQ(dry_flag_, entries < 100 ? -1 : 0);
        EXPECT_EQ(dry_[4 * 99], std::min(entries, 100) == 100 ? 100 : -7);
        EXPECT_EQ(dry_[4 * 100], -7);   // nothing past the limit
        EXPECT_EQ(Diag(), entries < 100 ? Lines{} : Lines{"U131   1"});
    }
}

TEST_F(GridObjects, StrictModeWritesScratchFilesOnly)
{
    std::vector<std::string> records = {"Filgrd = # #", "MNdry  = 0 1 1 1", "Filtd  = # #", "MNtd   = 1 2 1 4 #U#"};
    for (int i = 1; i <= 150; ++i)
        records.push_back("MNgrd  = " + std::to_string(i) + " 1");
    Open(records);
    Read(true);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(grd_count_, 0);   // the entries are in the scratch file only
    EXPECT_EQ(grd_flag_, -1);
    EXPECT_EQ(bndfix::Records("TMP_abc.grd").size(), 150u);
    EXPECT_EQ(bndfix::Records("TMP_abc.grd")[149], RecordBytes().Int(150).Int(1).bytes());
    EXPECT_FALSE(bndfix::Exists("TMP_abc.dry"));   // no dry points: deleted
    EXPECT_EQ(bndfix::Records("TMP_abc.td"), bndfix::Records({RecordBytes().Int(1).Int(2).Int(1).Int(4).Text("U", 1)}));
    EXPECT_EQ(td_count_, 0);
    EXPECT_EQ(Diag(), Lines{});

    // A zero in the first enclosure record: the whole grid.
    Open({"Filgrd = # #", "MNgrd  = 0 0", "MNdry  = 1 1 1 1", "Filtd  = # #", "MNtd   = 0 0 0 0"});
    Read(true);
    EXPECT_EQ(bndfix::Records("TMP_abc.grd"),
              bndfix::Records({RecordBytes().Int(1).Int(1), RecordBytes().Int(1).Int(20), RecordBytes().Int(30).Int(20),
                               RecordBytes().Int(30).Int(1), RecordBytes().Int(1).Int(1)}));
    EXPECT_EQ(bndfix::Records("TMP_abc.dry"), bndfix::Records({RecordBytes().Int(1).Int(1).Int(1).Int(1)}));
    EXPECT_FALSE(bndfix::Exists("TMP_abc.td"));
    EXPECT_EQ(Diag(), Lines{"V028 "});
}

TEST_F(GridObjects, AttachedFiles)
{
    flowfix::WriteText("encl.grd", "1 1\n1 20\n 30,20\n");
    ASSERT_EQ(recio::WriteRecordFile("dry.bin", recio::Form::kUnformatted,
                                     {RecordBytes().Ints({1, 2, 3, 4}), RecordBytes().Ints({5, 6, 7, 8})}),
              recio::kOk);
    flowfix::WriteText("dams.td", "1 2 1 9 U\n");
    Open({"Filgrd = #encl.grd#", "Fmtgrd = #FR#", "Fildry = #dry.bin#", "Fmtdry = #UN#", "Filtd  = #dams.td#",
          "Fmttd  = #FRformatted#"});

    // Lenient: named only.
    Read(false);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(grd_flag_, 0);
    EXPECT_EQ(grd_count_, -1);   // untouched
    EXPECT_EQ(std::string(filgrd_, 12), bndfix::Field("encl.grd", 12));
    EXPECT_EQ(std::string(fmtdry_, 2), "UN");
    EXPECT_EQ(std::string(fmttd_, 2), "FR");
    EXPECT_EQ(Diag(), Lines{});

    Open({"Filgrd = #encl.grd#", "Fmtgrd = #FR#", "Fildry = #dry.bin#", "Fmtdry = #UN#", "Filtd  = #dams.td#",
          "Fmttd  = #FRformatted#"});
    Read(true);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(grd_flag_, -1);
    EXPECT_EQ(dry_flag_, -1);
    EXPECT_EQ(td_flag_, -1);
    EXPECT_EQ(bndfix::Records("TMP_abc.grd"),
              bndfix::Records({RecordBytes().Int(1).Int(1), RecordBytes().Int(1).Int(20), RecordBytes().Int(30).Int(20)}));
    EXPECT_EQ(bndfix::Records("TMP_abc.dry").size(), 2u);
    EXPECT_EQ(bndfix::Records("TMP_abc.td"), bndfix::Records({RecordBytes().Ints({1, 2, 1, 9}).Text("U", 1)}));

    // An unreadable dry-point file fails the read: every scratch file that
    // closes after it is deleted, the enclosure's too.
    flowfix::WriteText("dry.bin", "not framed");
    Open({"Filgrd = #encl.grd#", "Fmtgrd = #FR#", "Fildry = #dry.bin#", "Fmtdry = #UN#", "Filtd  = #dams.td#",
          "Fmttd  = #FR#"});
    Read(true);
    EXPECT_NE(error_, 0);
    EXPECT_TRUE(bndfix::Exists("TMP_abc.grd"));   // closed before the failure
    EXPECT_FALSE(bndfix::Exists("TMP_abc.dry"));
    EXPECT_FALSE(bndfix::Exists("TMP_abc.td"));
    EXPECT_EQ(Diag(), Lines{"G007 dry.bin"});
}

TEST_F(GridObjects, MissingOptionalFormatIsRefused)
{
    Open({"Filgrd = # #", "MNgrd  = 0 0", "Fildry = #d.dry#", "Filtd  = # #", "MNtd   = 0 0 0 0"});
    Read(false);
    EXPECT_EQ(std::string(fmtdry_, 2), "FR");
    EXPECT_EQ(Diag(), Lines{"U036 Fmtdry"});
}

// The copy routines called directly.
class CopyRoutines : public bndfix::BoundaryTest {
protected:
    using Copy = void (*)(const int32_t *, const int32_t *, int32_t *, const char *, int32_t, const char *, int32_t,
                          int32_t *);
    void Run(Copy copy, const std::string &name, const char *format)
    {
        OpenDiag();
        std::remove("scratch.bin");
        ASSERT_EQ(recio::Open(kScratch, "scratch.bin", recio::Form::kUnformatted, recio::Access::kSequential,
                              recio::OpenStatus::kUnknown),
                  recio::kOk);
        const std::string field = bndfix::Field(name, 12);
        flag_ = 5;
        copy(&kDiag, &kScratch, &error_, field.c_str(), 12, format, 11, &flag_);
        recio::Close(kScratch);
    }
    static constexpr int32_t kScratch = 73;
    int32_t flag_ = 5;
};

TEST_F(CopyRoutines, ThinDamLines)
{
    struct Case {
        const char *label;
        const char *text;
        bool ok;
        size_t records;
    };
    const std::vector<Case> cases = {
        {"two dams", "1 2 1 9 U\n  3 3 6 3   V  rest\n", true, 2},
        {"direction of two characters", "1 2 1 9 U\n1 2 1 9 UV\n", false, 1},
        {"no direction", "1 2 1 9\n", false, 0},
        {"three integers", "1 2 9 U\n", false, 0},
        {"a bracketed value", "1 [2] 1 9 U\n", false, 0},
        {"empty file", "", true, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        flowfix::WriteText("t.td", c.text);
        Run(COPY_THIN_DAM_FILE, "t.td", "formatted  ");
        EXPECT_EQ(error_ != 0, !c.ok);
        EXPECT_EQ(flag_, c.ok ? -1 : 0);
        EXPECT_EQ(bndfix::Records("scratch.bin").size(), c.records);
        EXPECT_EQ(Diag(), c.ok ? Lines{} : Lines{"G007 t.td"});
    }
    flowfix::WriteText("t.td", "1 2 1 9 U\n  3 3 6 3   V  rest\n");
    Run(COPY_THIN_DAM_FILE, "t.td", "formatted  ");
    EXPECT_EQ(bndfix::Records("scratch.bin"), bndfix::Records({RecordBytes().Ints({1, 2, 1, 9}).Text("U", 1),
                                                               RecordBytes().Ints({3, 3, 6, 3}).Text("V", 1)}));
}

TEST_F(CopyRoutines, FormsAndFailures)
{
    ASSERT_EQ(recio::WriteRecordFile("e.bin", recio::Form::kUnformatted,
                                     {RecordBytes().Ints({1, 1}), RecordBytes().Ints({1, 9})}),
              recio::kOk);
    Run(COPY_ENCLOSURE_FILE, "e.bin", "unformatted");
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(flag_, -1);
    EXPECT_EQ(bndfix::Records("scratch.bin"), bndfix::Records({RecordBytes().Ints({1, 1}), RecordBytes().Ints({1, 9})}));

    ASSERT_EQ(recio::WriteRecordFile("t.bin", recio::Form::kUnformatted, {RecordBytes().Ints({4, 4, 4, 8}).Text("V", 1)}),
              recio::kOk);
    Run(COPY_THIN_DAM_FILE, "t.bin", "unformatted");
    EXPECT_EQ(flag_, -1);
    EXPECT_EQ(bndfix::Records("scratch.bin"), bndfix::Records({RecordBytes().Ints({4, 4, 4, 8}).Text("V", 1)}));

    // A record short of values.
    ASSERT_EQ(recio::WriteRecordFile("d.bin", recio::Form::kUnformatted,
                                     {RecordBytes().Ints({1, 2, 3, 4}), RecordBytes().Ints({1, 2, 3})}),
              recio::kOk);
    Run(COPY_DRY_POINT_FILE, "d.bin", "unformatted");
    EXPECT_NE(error_, 0);
    EXPECT_EQ(flag_, 0);
    EXPECT_EQ(bndfix::Records("scratch.bin").size(), 1u);
    EXPECT_EQ(Diag(), Lines{"G007 d.bin"});

    flowfix::WriteText("d.txt", "1 2 3 4\n5 6 x 8\n");
    Run(COPY_DRY_POINT_FILE, "d.txt", "formatted  ");
    EXPECT_NE(error_, 0);
    EXPECT_EQ(Diag(), Lines{"G007 d.txt"});

    // A missing file leaves the flag as it was.
    Run(COPY_ENCLOSURE_FILE, "absent.grd", "formatted  ");
    EXPECT_NE(error_, 0);
    EXPECT_EQ(flag_, 5);
    EXPECT_EQ(Diag(), Lines{"G004 absent.grd"});
}

}  // namespace
