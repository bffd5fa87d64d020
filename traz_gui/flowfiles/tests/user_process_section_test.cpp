// User-defined processes: the selection against the catalogue and every
// reason to discard it, the files and coefficients of a selection, and the
// catalogue and record entry points.

#include "process_sections.h"
#include "boundary_fixture.h"
#include "definition_dump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using bndfix::Field;
using bndfix::Lines;

class UserProcesses : public bndfix::BoundaryTest {
protected:
    // Every code of the readers, these sections' included.
    void SetUp() override
    {
        BoundaryTest::SetUp();
        deffix::WriteMessageFile();
    }
    void TearDown() override
    {
        const int32_t none = 0;
        SET_USER_PROCESS_CATALOGUE(&none, "", 0, nullptr);
        BoundaryTest::TearDown();
    }
    // Processes "P<i>" requiring the given inputs (files, reals, integers,
    // characters) each.
    static void Catalogue(const std::vector<std::vector<int32_t>> &requirements)
    {
        std::string names;
        std::vector<int32_t> needs;
        for (size_t i = 0; i < requirements.size(); ++i) {
            names += Field("P" + std::to_string(i + 1), 20);
            needs.insert(needs.end(), requirements[i].begin(), requirements[i].end());
        }
        const int32_t count = static_cast<int32_t>(requirements.size());
        SET_USER_PROCESS_CATALOGUE(&count, names.c_str(), 20, needs.data());
    }
    void ReadAll(int32_t strict)
    {
        READ_USER_PROCESSES(&kDef, &kDiag, &error_, record_, 80, &record_number_, &strict);
        READ_USER_FILES(&kDef, &kDiag, &error_, record_, 80, &record_number_, &strict);
        READ_USER_COEFFICIENTS(&kDef, &kDiag, &error_, record_, 80, &record_number_, &strict);
        GET_USER_PROCESS_RECORD(&count_, names_, 20, inputs_, files_, 12, reals_, ints_, chars_, 20);
    }
    int32_t count_ = -1, inputs_[40] = {}, ints_[10] = {};
    char names_[200] = {}, files_[120] = {}, chars_[200] = {};
    float reals_[10] = {};
};

TEST_F(UserProcesses, EmptyCatalogueReadsNothing)
{
    Open({"Nprcus = 1", "Prcusr = #P1#"});
    ReadAll(kStrict);
    EXPECT_EQ(count_, 0);
    EXPECT_EQ(std::string(names_, 200), std::string(200, ' '));
    EXPECT_TRUE(Diag().empty());
}

TEST_F(UserProcesses, ASelectionWithItsFilesAndCoefficients)
{
    Catalogue({{2, 1, 0, 1}, {1, 2, 1, 0}});
    Open({"Nprcus = 2", "Prcusr = #P2#", "Nprinp = 1 2 1 0", "Prcusr = #P1#", "Nprinp = 2 1 0 1", "Filusr = #a.dat#",
          "Filusr = #b.dat#", "Filusr = #c.dat#", "Rcousr = 1.5 2.5 3.5", "Icousr = 7", "Ccousr = #text#"});
    ReadAll(kStrict);
    EXPECT_EQ(error_, 0);
    EXPECT_EQ(count_, 2);
    EXPECT_EQ(std::string(names_, 40), Field("P2", 20) + Field("P1", 20));
    EXPECT_EQ(std::vector<int32_t>(inputs_, inputs_ + 8), (std::vector<int32_t>{1, 2, 1, 0, 2, 1, 0, 1}));
    EXPECT_EQ(std::string(files_, 36), Field("a.dat", 12) + Field("b.dat", 12) + Field("c.dat", 12));
    EXPECT_EQ(std::vector<float>(reals_, reals_ + 4), (std::vector<float>{1.5f, 2.5f, 3.5f, 0.0f}));
    EXPECT_EQ(ints_[0], 7);
    EXPECT_EQ(std::string(chars_, 20), Field("text", 20));
    EXPECT_TRUE(Diag().empty());
}

TEST_F(UserProcesses, EveryReasonToDiscardTheSelection)
{
    struct Case {
        std::vector<std::string> records;
        Lines diag;
    };
    Catalogue({{0, 6, 0, 0}, {0, 5, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 250}});
    const std::vector<Case> cases = {
        {{"Nprcus = 5"}, {"V211  4", "V201 "}},
        {{"Nprcus = 1", "Prcusr = # #"}, {"V212 ", "V201 "}},
        {{"Nprcus = 1", "Prcusr = #P9#"}, {"V202 P9", "V201 "}},
        {{"Nprcus = 2", "Prcusr = #P3#", "Nprinp = 0 0 0 0", "Prcusr = #P3#"}, {"V213 P3", "V201 "}},
        {{"Nprcus = 1", "Prcusr = #P1#", "Nprinp = 0 5 0 0"}, {"V214 P1", "V201 "}},
        {{"Nprcus = 2", "Prcusr = #P1#", "Nprinp = 0 6 0 0", "Prcusr = #P2#", "Nprinp = 0 5 0 0"},
         {"V215 11", "V201 "}},
        {{"Nprcus = 1", "Prcusr = #P4#", "Nprinp = 0 0 0 250"}, {"V215 250", "V201 "}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.diag[0]);
        Open(c.records);
        ReadAll(kLenient);
        EXPECT_EQ(count_, 0);
        EXPECT_EQ(std::string(names_, 200), std::string(200, ' '));
        EXPECT_EQ(Diag(), c.diag);
        EXPECT_EQ(error_, 0);
    }
}

// A count above the record's ten slots is refused even when the catalogue
// knows more processes.
TEST_F(UserProcesses, MoreThanTenProcessesAreRefused)
{
    Catalogue(std::vector<std::vector<int32_t>>(12, {0, 0, 0, 0}));
    std::vector<std::string> records = {"Nprcus = 11"};
    for (int i = 1; i <= 11; ++i) {
        records.push_back("Prcusr = #P" + std::to_string(i) + "#");
        records.push_back("Nprinp = 0 0 0 0");
    }
    Open(records);
    const int32_t strict = kStrict;
    READ_USER_PROCESSES(&kDef, &kDiag, &error_, record_, 80, &record_number_, &strict);
    GET_USER_PROCESS_RECORD(&count_, names_, 20, inputs_, files_, 12, reals_, ints_, chars_, 20);
    EXPECT_EQ(count_, 0);
    EXPECT_NE(error_, 0);
    EXPECT_EQ(Diag(), (Lines{"V211 10", "V201 "}));
}

TEST_F(UserProcesses, BlankFileNameAndUnreadableCoefficients)
{
    Catalogue({{3, 2, 0, 0}});
    Open({"Nprcus = 1", "Prcusr = #P1#", "Nprinp = 3 2 0 0", "Filusr = #a.dat#", "Filusr = # #", "Filusr = #c.dat#",
          "Rcousr = 1 x"});
    ReadAll(kStrict);
    EXPECT_NE(error_, 0);
    EXPECT_EQ(std::string(files_, 24), Field("a.dat", 12) + Field("", 12));
    EXPECT_EQ(Diag(), (Lines{"V220 ", "U036 Rcousr", "V221 real"}));
}

}  // namespace
