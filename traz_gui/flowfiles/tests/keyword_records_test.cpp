// Keyword records: the cyclic record search, the character and numeric
// value readers with continuation records, brackets and defaults, the word
// scanners, the format and file checks, and the message lines.

#include "flow_definition.h"
#include "flow_fixture.h"
#include "keyword_records.h"
#include "record_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int32_t kDefUnit = 60;
constexpr int32_t kDiagUnit = 61;

const char kMessages[] =
    "U036 Invalid value for keyword #\n"
    "U100 Required keyword # not found\n"
    "G004 File # does not exist\n"
    "X001 Message without a place for text\n"
    "X002 A very long message text that goes on and on: # and it goes past the cut\n";

// A definition file on kDefUnit, the diagnostic file on kDiagUnit and the
// message file in the working directory.
class KeywordFile : public ::testing::Test {
protected:
    void SetUp() override { flowfix::WriteText("errfil", kMessages); }
    void TearDown() override
    {
        recio::Close(kDefUnit);
        recio::Close(kDiagUnit);
    }

    void Open(const std::string &text)
    {
        flowfix::WriteText("def.md", text);
        ASSERT_EQ(recio::Open(kDefUnit, "def.md", recio::Form::kFormatted, recio::Access::kSequential,
                              recio::OpenStatus::kOld),
                  recio::kOk);
        std::remove("diag.txt");
        ASSERT_EQ(recio::Open(kDiagUnit, "diag.txt", recio::Form::kFormatted, recio::Access::kSequential,
                              recio::OpenStatus::kUnknown),
                  recio::kOk);
        record_number_ = 0;
    }

    // The diagnostic lines written so far (the unit is closed).
    std::string Diag()
    {
        recio::Close(kDiagUnit);
        return flowfix::ReadText("diag.txt");
    }

    // A search from the current record all the way round.
    bool Find(const std::string &keyword, const char *print = "NO", int32_t stop = -1)
    {
        int32_t found = 0, new_search = 0, width = 6;
        if (stop < 0)
            stop = record_number_;
        FIND_KEYWORD_RECORD(&kDefUnit, &error_, &new_search, &record_number_, &found, &stop, record_, 80, &width,
                            keyword.c_str(), static_cast<int32_t>(keyword.size()), print,
                            static_cast<int32_t>(std::strlen(print)));
        return found != 0;
    }

    std::string String(const std::string &keyword, int32_t *required, int32_t value_len = 10)
    {
        std::vector<char> value(static_cast<size_t>(value_len), '?');
        int32_t length = 0, new_search = 0, stop = FromStart();
        READ_KEYWORD_STRING(&kDefUnit, &error_, keyword.c_str(), static_cast<int32_t>(keyword.size()),
                            &new_search, required, record_, 80, value.data(), value_len, "dflt", 4, &length,
                            &record_number_, &stop, &kDiagUnit);
        EXPECT_EQ(length, value_len);
        return std::string(value.data(), value.size());
    }

    std::vector<std::string> Strings(const std::string &keyword, int32_t *count)
    {
        const int32_t len = 6;
        std::vector<char> values(static_cast<size_t>(*count * len), '?');
        int32_t new_search = 0, stop = FromStart(), max = 5;
        READ_KEYWORD_STRINGS(&kDefUnit, &error_, keyword.c_str(), static_cast<int32_t>(keyword.size()),
                             &new_search, count, record_, 80, values.data(), len, "def", 3, &max, &record_number_,
                             &stop, &kDiagUnit);
        std::vector<std::string> out;
        for (size_t i = 0; i + len <= values.size(); i += len)
            out.emplace_back(values.data() + i, len);
        return out;
    }

    std::vector<int32_t> Ints(const std::string &keyword, int32_t count, int32_t brackets = 0, size_t room = 8)
    {
        std::vector<int32_t> values(room, -1);
        int32_t new_search = 0, stop = FromStart(), fill = -999, capacity = static_cast<int32_t>(room);
        READ_KEYWORD_INTS(&kDefUnit, &error_, keyword.c_str(), static_cast<int32_t>(keyword.size()), &new_search,
                          &count, record_, 80, values.data(), &capacity, &fill, &brackets, &record_number_, &stop,
                          &kDiagUnit);
        return values;
    }

    std::vector<float> Reals(const std::string &keyword, int32_t count)
    {
        std::vector<float> values(8, -1.0f);
        int32_t new_search = 0, stop = FromStart(), brackets = 0, capacity = 8;
        float fill = -999.0f;
        READ_KEYWORD_REALS(&kDefUnit, &error_, keyword.c_str(), static_cast<int32_t>(keyword.size()),
                           &new_search, &count, record_, 80, values.data(), &capacity, &fill, &brackets,
                           &record_number_, &stop, &kDiagUnit);
        return values;
    }

    // Value readers search from the first record: record number 0, stop 1.
    int32_t FromStart()
    {
        recio::Rewind(kDefUnit);
        record_number_ = 0;
        return 1;
    }

    std::string Record() const { return std::string(record_, 80); }

    int32_t error_ = 0;
    int32_t record_number_ = 0;
    char record_[80];
};

TEST_F(KeywordFile, SearchGoesRoundFromTheStartRecord)
{
    Open("Ident  #abc#\nRuntxt #t1#\nFilcco #x.grd#\nAnfil  #y#\nTstart 0.0\n");
    // Position the file at record 3.
    ASSERT_TRUE(Find("Filcco"));
    EXPECT_EQ(record_number_, 3);
    // Runtxt lies before it: found after one rewind.
    ASSERT_TRUE(Find("Runtxt"));
    EXPECT_EQ(record_number_, 2);
    EXPECT_EQ(Record().substr(0, 11), "Runtxt #t1#");
    EXPECT_EQ(Record().substr(11), std::string(69, ' '));

    // A missing keyword: the search gives up back at the start record.
    testing::internal::CaptureStdout();
    EXPECT_FALSE(Find("Nokey", "YES"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), " *** ERROR Record Nokey not found\n");
    EXPECT_EQ(record_number_, 2);
    EXPECT_EQ(error_, 0);

    // A stop record that never comes does not make the search endless.
    testing::internal::CaptureStdout();
    EXPECT_FALSE(Find("Nokey", "no", 0));
    EXPECT_FALSE(Find("Nokey", "no", 99));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    // The keyword must lie in the keyword field.
    EXPECT_FALSE(Find("x.grd"));
}

// A search that begins at the last record reads on from the first record
// after the rewind: with stop 1 (forward to the end of the file) it gives up
// there, and a keyword before it is not found; with the last record as
// its stop it goes round as any other search.
TEST_F(KeywordFile, SearchFromTheLastRecordStopsAtItsStop)
{
    Open("Ident  #abc#\nTsbcC  0\nSab    1 2\nTsbcC  60\nSab    3 4\n");
    ASSERT_TRUE(Find("Sab", "NO", 1));
    ASSERT_TRUE(Find("Sab", "NO", 1));
    ASSERT_EQ(record_number_, 5);
    EXPECT_FALSE(Find("TsbcC", "NO", 1));
    EXPECT_EQ(record_number_, 1);
    EXPECT_EQ(error_, 0);

    ASSERT_TRUE(Find("Sab", "NO", 1));
    ASSERT_TRUE(Find("Sab", "NO", 1));
    ASSERT_EQ(record_number_, 5);
    ASSERT_TRUE(Find("TsbcC"));
    EXPECT_EQ(record_number_, 2);

    // A one-record file searched round from its only record.
    recio::Close(kDefUnit);
    recio::Close(kDiagUnit);
    Open("Ident  #abc#\n");
    ASSERT_TRUE(Find("Ident", "NO", 1));
    EXPECT_FALSE(Find("Ident"));
    EXPECT_EQ(record_number_, 1);
}

// The search against records read one by one with ReadLineInto, as the
// search reads them where it cannot pass lines over in memory: files of LF
// and of CR LF lines with blank, long and last lines without their end,
// and one longer than a read-ahead block (lines across its end); each
// keyword (in the field, only past it, at its edge, absent, with a blank,
// empty) searched from every record of the small files and from records
// about the block's end, testing it or not, with stops before, on and
// after it.  Found, record number, record and the line read next agree.
TEST(KeywordSearch, AgreesWithRecordsReadOneByOne)
{
    constexpr int32_t kUnit = 62, kModelUnit = 63;
    struct Model {
        int32_t found = 0, rn = 0;
        char record[80];
        void Search(bool test_current, int32_t stop, const std::string &key, int32_t width)
        {
            int ends = 0;
            auto read = [&](bool may_stop) {   // 1: a record, 0: give up
                if (recio::ReadLineInto(kModelUnit, record, 80, ' ') != recio::kOk) {
                    std::memset(record, ' ', 80);
                    if (++ends > 1)
                        return 0;
                    rn = 0;
                    recio::Rewind(kModelUnit);
                    if (recio::ReadLineInto(kModelUnit, record, 80, ' ') != recio::kOk) {
                        std::memset(record, ' ', 80);
                        return 0;
                    }
                    may_stop = true;
                }
                ++rn;
                return may_stop && rn == stop ? 0 : 1;
            };
            for (int step = test_current ? 1 : read(false); step == 1; step = read(true))
                if (std::string_view(record, static_cast<size_t>(width)).find(key) != std::string_view::npos) {
                    found = -1;
                    return;
                }
            found = 0;
        }
    };
    const std::string long_line = "Filler " + std::string(90, 'x') + "Deep";
    std::string big;
    for (int n = 0; big.size() < 9000; ++n)
        big += (n % 7 == 3 ? "Sab    " : "Filler ") + std::to_string(n) + std::string(n % 50, 'y') + "\r\n";
    big += "Tstop  9\n";
    struct Case {
        std::string text;
        std::vector<int32_t> starts;   // empty: every record
    };
    const std::vector<Case> cases = {
        {"Ident  #abc#\nRuntxt #t1#\nFilcco #x.grd#\nSab    1 2\nTstart 0.0\n", {}},
        {"Ident  #abc#\r\nSab\r\n\r\n" + long_line + "\r\nSab    3 4\r\nTstop  9", {}},
        {"\n\nSab 1\n" + long_line + "\nRuntxt\nSab", {}},
        {"  Sab\nxxSab\r\nSa\nb\n", {}},
        {big, {0, 1, 60, 90, 95, 100, 150, 200, 230}},
    };
    const std::vector<std::string> keys = {"Sab", "Tstop", "x.grd", "Deep", "Nokey", "Sab ", "b    ", "", "y\r"};
    for (const Case &c : cases) {
        flowfix::WriteText("search.md", c.text);
        flowfix::WriteText("model.md", c.text);
        ASSERT_EQ(recio::Open(kUnit, "search.md", recio::Form::kFormatted, recio::Access::kSequential,
                              recio::OpenStatus::kOld),
                  recio::kOk);
        ASSERT_EQ(recio::Open(kModelUnit, "model.md", recio::Form::kFormatted, recio::Access::kSequential,
                              recio::OpenStatus::kOld),
                  recio::kOk);
        std::vector<int32_t> starts = c.starts;
        if (starts.empty())
            for (int32_t n = 0; n <= static_cast<int32_t>(std::count(c.text.begin(), c.text.end(), '\n')) + 1; ++n)
                starts.push_back(n);
        for (const std::string &key : keys)
            for (int32_t width : {5, 6, 80})
                for (int32_t start : starts)
                    for (bool test_current : {false, true})
                        for (int32_t stop : {0, 1, start, start + 3, start + 40}) {
                            SCOPED_TRACE(testing::Message() << "case " << &c - cases.data() << " key '" << key
                                                            << "' width " << width << " from " << start
                                                            << (test_current ? " tested" : "") << " stop " << stop);
                            Model model;
                            char record[80];
                            std::memset(record, ' ', 80);
                            std::memset(model.record, ' ', 80);
                            recio::Rewind(kUnit);
                            recio::Rewind(kModelUnit);
                            for (int32_t n = 0; n < start; ++n) {
                                recio::ReadLineInto(kUnit, record, 80, ' ');
                                recio::ReadLineInto(kModelUnit, model.record, 80, ' ');
                            }
                            model.rn = start;
                            model.Search(test_current, stop, key, width);
                            int32_t error = 0, found = 0, rn = start, new_search = test_current ? -1 : 0;
                            FIND_KEYWORD_RECORD(&kUnit, &error, &new_search, &rn, &found, &stop, record, 80, &width,
                                                key.c_str(), static_cast<int32_t>(key.size()), "NO", 2);
                            ASSERT_EQ(error, 0);
                            ASSERT_EQ(found, model.found);
                            ASSERT_EQ(rn, model.rn);
                            ASSERT_EQ(std::string(record, 80), std::string(model.record, 80));
                            std::string next, model_next;
                            ASSERT_EQ(recio::ReadLine(kUnit, &next), recio::ReadLine(kModelUnit, &model_next));
                            ASSERT_EQ(next, model_next);
                        }
        recio::Close(kUnit);
        recio::Close(kModelUnit);
    }
}

// A file rewritten between two searches (to the same length, and then
// longer) is searched as it is once the search goes round to its start.
TEST_F(KeywordFile, SearchSeesTheFileAsItIsWhenItGoesRound)
{
    Open("Ident  #abc#\nRuntxt #t1#\nFilcco #x.grd#\n");
    ASSERT_TRUE(Find("Runtxt"));
    flowfix::WriteText("def.md", "Tstart #abc#\nRuntxt #t1#\nFilcco #x.grd#\n");
    ASSERT_TRUE(Find("Tstart"));
    EXPECT_EQ(record_number_, 1);
    EXPECT_EQ(Record().substr(0, 12), "Tstart #abc#");
    EXPECT_FALSE(Find("Ident"));
    flowfix::WriteText("def.md", "Tstart #abc#\nRuntxt #t1#\nFilcco #x.grd#\nTstop  1\n");
    ASSERT_TRUE(Find("Tstop"));
    EXPECT_EQ(record_number_, 4);
    std::string line;
    EXPECT_EQ(recio::ReadLine(kDefUnit, &line), recio::kEndOfFile);
}

TEST_F(KeywordFile, SearchInAnEmptyFile)
{
    Open("");
    EXPECT_FALSE(Find("Ident"));
    EXPECT_EQ(error_, 0);
}

TEST_F(KeywordFile, OneCharacterValue)
{
    Open("Filcco #  grid.grd  #\n"
         "Blank  #   #\n"
         "Opened #  open ended   \n"
         "Nohash   text\n"
         "Toolng #0123456789ABC#\n"
         "Exact  #0123456789#\n");
    struct Case {
        const char *keyword;
        int32_t required;
        const char *value;
        int32_t required_after;
        bool error;
    };
    const Case cases[] = {
        {"Filcco", 1, "grid.grd  ", 1, false},
        {"Blank", 1, "dflt      ", 1, false},
        {"Opened", 0, "open ended", 0, false},
        {"Exact", 1, "0123456789", 1, false},
        {"Nohash", 1, "          ", -1, true},
        {"Toolng", 0, "          ", -1, true},
        {"Missng", 0, "          ", 999, false},
        {"Missng", -1, "          ", 999, false},
        {"Missng", 1, "          ", -1, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.keyword);
        error_ = 0;
        int32_t required = c.required;
        EXPECT_EQ(String(c.keyword, &required), c.value);
        EXPECT_EQ(required, c.required_after);
        EXPECT_EQ(error_ != 0, c.error);
    }
    EXPECT_EQ(Diag(),
              "Invalid value for keyword Nohash\n"
              "Invalid value for keyword Toolng\n"
              "Required keyword Missng not found\n");
}

TEST_F(KeywordFile, SeveralCharacterValues)
{
    Open("Subst  #salt#  #temp#\n"
         "       #sed#   #  #\n"
         "Next   #x#\n"
         "Single no texts\n"
         "Long   #abcdef#\n");
    int32_t count = 6;
    EXPECT_EQ(Strings("Subst", &count), (std::vector<std::string>{"salt  ", "temp  ", "sed   ", "def   ", "def   ",
                                                                  "def   "}));
    EXPECT_EQ(count, 4);   // the blank text counts as read; the keyword record "Next" ends the list
    EXPECT_EQ(error_, 0);

    count = 1;
    Strings("Single", &count);
    EXPECT_EQ(count, 0);
    EXPECT_NE(error_, 0);

    error_ = 0;
    count = 1;
    Strings("Long", &count);   // longer than the maximum of 5
    EXPECT_NE(error_, 0);

    error_ = 0;
    count = 2;
    Strings("Absent", &count);
    EXPECT_EQ(count, 0);
    EXPECT_NE(error_, 0);
    EXPECT_EQ(Diag(),
              "Invalid value for keyword Single\n"
              "Invalid value for keyword Long\n"
              "Required keyword Absent not found\n");
}

TEST_F(KeywordFile, IntegerValues)
{
    Open("Mnkmax 10 20\n"
         "       30\n"
         "Thick  [a b] 5\n"
         "Brack  [ 7\n"
         "Emptyk\n"
         "Wrong  1 x\n");
    struct Case {
        const char *keyword;
        int32_t count;
        int32_t brackets;
        std::vector<int32_t> front;
        bool error;
    };
    const std::vector<Case> cases = {
        {"Mnkmax", 3, 0, {10, 20, 30, -1}, false},
        {"Mnkmax", 2, 0, {10, 20, -1}, false},
        {"Mnkmax", 0, 0, {10, 20, 30, -1}, false},   // every value up to the next keyword
        {"Mnkmax", 4, 0, {10, 20, 30, -1}, true},    // too few values
        {"Thick", 2, -1, {-999, 5, -1}, false},
        {"Thick", 2, 0, {-1}, true},
        {"Brack", 1, -1, {-999, -1}, false},         // "[" skips to the end of the line
        {"Brack", 1, 0, {-1}, true},
        {"Emptyk", 1, 0, {-1}, true},
        {"Wrong", 2, 0, {1, -1}, true},
        {"Absent", 1, 0, {-1}, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.keyword) + " " + std::to_string(c.count));
        error_ = 0;
        std::vector<int32_t> v = Ints(c.keyword, c.count, c.brackets);
        EXPECT_EQ(std::vector<int32_t>(v.begin(), v.begin() + static_cast<long>(c.front.size())), c.front);
        EXPECT_EQ(error_ != 0, c.error);
    }
}

// A list longer than the caller's array: the values past the capacity
// are read and checked, never stored.
TEST_F(KeywordFile, ValuesPastTheCapacityAreCheckedNotKept)
{
    Open("Uzero  1 2 3\n"
         "       4 5\n"
         "Ubad   1 2 3 x\n"
         "Next   9\n");
    struct Case {
        const char *keyword;
        int32_t count;
        std::vector<float> values;
        bool error;
    };
    const std::vector<Case> cases = {
        {"Uzero", 0, {1, 2, -1, -1, -1, -1}, false},
        {"Uzero", 5, {1, 2, -1, -1, -1, -1}, false},
        {"Uzero", 6, {1, 2, -1, -1, -1, -1}, true},   // a fixed count still needs every value
        {"Ubad", 0, {1, 2, -1, -1, -1, -1}, true},    // the bad word lies past the capacity
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.keyword) + " " + std::to_string(c.count));
        error_ = 0;
        std::vector<float> values(6, -1.0f);
        int32_t new_search = 0, stop = FromStart(), brackets = 0, capacity = 2, count = c.count;
        float fill = -999.0f;
        READ_KEYWORD_REALS(&kDefUnit, &error_, c.keyword, 6, &new_search, &count, record_, 80, values.data(),
                           &capacity, &fill, &brackets, &record_number_, &stop, &kDiagUnit);
        EXPECT_EQ(values, c.values);
        EXPECT_EQ(error_ != 0, c.error);
    }
    std::vector<int32_t> ints(4, -1);
    int32_t new_search = 0, stop = FromStart(), brackets = 0, capacity = 1, count = 0, fill = 0;
    READ_KEYWORD_INTS(&kDefUnit, &error_, "Uzero", 5, &new_search, &count, record_, 80, ints.data(), &capacity, &fill,
                      &brackets, &record_number_, &stop, &kDiagUnit);
    EXPECT_EQ(ints, (std::vector<int32_t>{1, -1, -1, -1}));
}

TEST_F(KeywordFile, RealValues)
{
    Open("Tstart 1.5 2 3e2\nTbad   1.0 abc\n");
    std::vector<float> v = Reals("Tstart", 3);
    EXPECT_EQ(std::vector<float>(v.begin(), v.begin() + 4), (std::vector<float>{1.5f, 2.0f, 300.0f, -1.0f}));
    EXPECT_EQ(error_, 0);
    Reals("Tbad", 2);
    EXPECT_NE(error_, 0);
    EXPECT_EQ(Diag(), "Invalid value for keyword Tbad\n");
}

// While the message file is held (the holds nest), the lines come from
// the file as the first line of the hold read it, and from the file of
// another message directory as that one is; once the last hold ends, each
// line reads the file again.
TEST_F(KeywordFile, HeldMessageFileIsReadOnceForItsLines)
{
    Open("");
    std::string changed = kMessages;
    changed.replace(changed.find("Required"), 8, "Wanted!!");
    {
        const MessageFileHold outer;
        REPORT_MESSAGE(&kDiagUnit, "U100", 4, "Tstart", 6);
        flowfix::WriteText("errfil", changed);
        {
            const MessageFileHold inner;
            REPORT_MESSAGE(&kDiagUnit, "U100", 4, "Tstop", 5);
        }
        REPORT_MESSAGE(&kDiagUnit, "U100", 4, "Dt", 2);
        std::filesystem::create_directories("other");
        flowfix::WriteText("other/errfil", "U100 Elsewhere #\n");
        SET_MESSAGE_DIRECTORY("other/", 6);
        REPORT_MESSAGE(&kDiagUnit, "U100", 4, "Dt", 2);
        SET_MESSAGE_DIRECTORY(" ", 1);
        REPORT_MESSAGE(&kDiagUnit, "U100", 4, "Dt", 2);
    }
    REPORT_MESSAGE(&kDiagUnit, "U100", 4, "Tstart", 6);
    EXPECT_EQ(Diag(), "Required keyword Tstart not found\n"
                      "Required keyword Tstop not found\n"
                      "Required keyword Dt not found\n"
                      "Elsewhere Dt\n"
                      "Wanted!! keyword Dt not found\n"
                      "Wanted!! keyword Tstart not found\n");
}

TEST(WordScanners, Positions)
{
    const std::string line = "  12  -3 [x y] 4 [z 99 abc";
    const int32_t len = static_cast<int32_t>(line.size());
    int32_t last = len, position = 1, end = 0, value = 0, fill = -7, status = 9;
    struct Step {
        int32_t value, status, position;
    };
    const Step steps[] = {{12, 1, 5}, {-3, 1, 9}, {-7, -1, 15}, {4, 1, 17}, {-7, -1, len + 1}, {-7, 0, len + 1}};
    for (const Step &s : steps) {
        value = -7;
        SCAN_NEXT_INT(line.data(), len, &last, &position, &end, &value, &fill, &status);
        EXPECT_EQ(value, s.value);
        EXPECT_EQ(status, s.status);
        EXPECT_EQ(position, s.position);
        EXPECT_EQ(end, position);
    }
    // The last column ends the line early.
    last = 3;
    position = 1;
    SCAN_NEXT_INT(line.data(), len, &last, &position, &end, &value, &fill, &status);
    EXPECT_EQ(value, 1);

    position = 24;
    last = len;
    SCAN_NEXT_INT(line.data(), len, &last, &position, &end, &value, &fill, &status);
    EXPECT_EQ(status, -2);
    EXPECT_EQ(value, -7);

    const std::string reals = " 2.5 7 1d1";
    float r = 0, rfill = 0;
    position = 1;
    const int32_t rlen = static_cast<int32_t>(reals.size());
    std::vector<float> got;
    for (int i = 0; i < 3; ++i) {
        SCAN_NEXT_REAL(reals.data(), rlen, &rlen, &position, &end, &r, &rfill, &status);
        got.push_back(r);
    }
    EXPECT_EQ(got, (std::vector<float>{2.5f, 7.0f, 10.0f}));

    int32_t values[4] = {0, 0, 0, 0}, count = 4;
    const std::string three = "1 2 3";
    position = 1;
    const int32_t tlen = 5;
    SCAN_INT_ARRAY(three.data(), tlen, &tlen, &position, &end, &count, values, &fill, &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(values[2], 3);
}

TEST(WordScanners, WordsHashesTrimming)
{
    const std::string line = "ab  longword";
    const int32_t len = static_cast<int32_t>(line.size());
    char word[6];
    int32_t position = 1, end = 0, max = 6, status = 0;
    SCAN_NEXT_WORD(line.data(), len, &len, &position, &end, word, 6, &max, &status);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(std::string(word, 6), "ab    ");
    SCAN_NEXT_WORD(line.data(), len, &len, &position, &end, word, 6, &max, &status);
    EXPECT_EQ(status, -1);   // longer than 6

    const std::string rec = "Key    # a b # ## #open";
    const int32_t rlen = static_cast<int32_t>(rec.size());
    int32_t start = 1, stop = 0, error = 0;
    FIND_HASH_DELIMITED_VALUE(rec.data(), rlen, &rlen, &start, &stop, &error);
    EXPECT_EQ(start, 9);
    EXPECT_EQ(stop, 13);
    char value[8];
    int32_t first = start, last = stop, length = 8;
    COPY_TRIMMED_VALUE(rec.data(), rlen, &first, &last, &length, value, 8, &error);
    EXPECT_EQ(std::string(value, 8), "a b     ");
    EXPECT_EQ(length, 3);
    start = stop + 2;
    FIND_HASH_DELIMITED_VALUE(rec.data(), rlen, &rlen, &start, &stop, &error);
    EXPECT_EQ(start, 17);
    EXPECT_EQ(stop, 16);   // an empty text
    start = stop + 2;
    FIND_HASH_DELIMITED_VALUE(rec.data(), rlen, &rlen, &start, &stop, &error);
    EXPECT_EQ(rec.substr(static_cast<size_t>(start - 1), static_cast<size_t>(stop - start + 1)), "open");
    EXPECT_EQ(error, 0);
    start = stop + 2;
    FIND_HASH_DELIMITED_VALUE(rec.data(), rlen, &rlen, &start, &stop, &error);
    EXPECT_NE(error, 0);

    char text[] = "ABC def XYZ";
    int32_t count = 6;
    TO_LOWER_CASE(text, 11, &count);
    EXPECT_STREQ(text, "abc def XYZ");
}

TEST_F(KeywordFile, FormatAndFileChecks)
{
    Open("");
    struct Case {
        const char *in;
        const char *out;
        bool error;
    };
    const Case cases[] = {
        {"UNFORMATTED", "unformatted", false},
        {"FR         ", "formatted  ", false},
        {"unformatted", "unformatted", true},
        {"XX         ", "XX         ", true},
        {"UN FR      ", "UN FR      ", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.in);
        char format[12];
        std::memcpy(format, c.in, 11);
        int32_t error = 0;
        CHECK_FILE_FORMAT(&kDiagUnit, "Fmtfil", 6, format, 11, &error);
        EXPECT_EQ(std::string(format, 11), c.out);
        EXPECT_EQ(error != 0, c.error);
    }
    flowfix::WriteText("present.dat", "x");
    EXPECT_EQ(CHECK_FILE_EXISTS("present.dat  ignored", 20, &kDiagUnit, "G004", 4), -1);
    EXPECT_EQ(CHECK_FILE_EXISTS("missing.dat", 11, &kDiagUnit, "G004", 4), 0);
    EXPECT_EQ(Diag(),
              "Invalid value for keyword Fmtfil\n"
              "Invalid value for keyword Fmtfil\n"
              "Invalid value for keyword Fmtfil\n"
              "File missing.dat does not exist\n");
}

TEST_F(KeywordFile, MessageLines)
{
    Open("");
    REPORT_MESSAGE(&kDiagUnit, "U100", 4, "Tstart", 6);
    REPORT_MESSAGE(&kDiagUnit, "U100", 4, "      ", 6);   // a blank text drops the '#'
    REPORT_MESSAGE(&kDiagUnit, "X001", 4, "unused", 6);
    REPORT_MESSAGE(&kDiagUnit, "X002", 4, "inserted text", 13);
    const int32_t screen = 0;
    REPORT_MESSAGE(&screen, "NONE", 4, "", 0);   // unit 0: nothing at all
    const std::string long_line =
        "A very long message text that goes on and on: inserted text and it goes past th";
    EXPECT_EQ(long_line.size(), 79u);
    EXPECT_EQ(Diag(), "Required keyword Tstart not found\n"
                      "Required keyword  not found\n"
                      "Message without a place for text   \n" +
                          long_line + "\n");
}

// The message lines follow the message file as it is when each is written:
// a file rewritten between two lines (to the same length, at once), a CR LF
// line end, a last line without one and a code missing from a file just cut
// short.
TEST_F(KeywordFile, MessageLinesFollowTheMessageFileAsItIsThen)
{
    Open("");
    REPORT_MESSAGE(&kDiagUnit, "U100", 4, "Tstart", 6);
    std::string changed = kMessages;
    changed.replace(changed.find("Required"), 8, "Wanted!!");
    flowfix::WriteText("errfil", changed);
    REPORT_MESSAGE(&kDiagUnit, "U100", 4, "Tstart", 6);
    flowfix::WriteText("errfil", "U036 Bad #\r\nU100 Keyword # missing");
    REPORT_MESSAGE(&kDiagUnit, "U036", 4, "Tstop", 5);
    REPORT_MESSAGE(&kDiagUnit, "U100", 4, "Dt", 2);
    EXPECT_EQ(Diag(), "Required keyword Tstart not found\n"
                      "Wanted!! keyword Tstart not found\n"
                      "Bad Tstop\n"
                      "Keyword Dt missing\n");
}

#ifndef _WIN32
TEST(MessageFileDeathTest, MissingCodeEndsTheProgram)
{
    flowfix::WriteText("errfil", kMessages);
    const int32_t diag = kDiagUnit;
    EXPECT_EXIT(
        {
            recio::Open(kDiagUnit, "death.txt", recio::Form::kFormatted, recio::Access::kSequential,
                        recio::OpenStatus::kUnknown);
            REPORT_MESSAGE(&diag, "Q999", 4, "x", 1);
        },
        testing::ExitedWithCode(1), "abnormal end");
}
#endif

}  // namespace
