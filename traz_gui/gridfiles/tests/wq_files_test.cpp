// Water-quality record-file routines: array, parameter, step and field
// files, the KELPA grid pair, and the result-file family over plain files
// (both storage forms) and KELPA sets; their call wrappers.

#include "wq_files.h"

#include "kelpa.h"
#include "record_calls.h"
#include "record_io.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using recio::Form;
using recio::RecordBytes;

// A 256-character blank-padded name field.
struct Field {
    char text[256];
    explicit Field(const std::string &name)
    {
        std::memset(text, ' ', sizeof text);
        std::memcpy(text, name.data(), name.size());
    }
};

std::string ReadAll(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteText(const std::string &path, const std::string &text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

void ExpectNoUnitConnected()
{
    for (int u = recio::kFirstFreeUnit; u <= recio::kLastFreeUnit; ++u)
        EXPECT_FALSE(recio::IsConnected(u)) << "unit " << u;
}

const char *FormName(Form f) { return f == Form::kBinary ? "binary" : "unformatted"; }

// ---------------------------------------------------------------- WQWBIN

TEST(WqBinaryFile, WritesZeroThenValuesAndCleansTheName)
{
    std::remove("wqbin.dat");
    char name[256];
    std::memset(name, 'x', sizeof name);
    std::strcpy(name, "wqbin.dat");   // NUL, then rubbish
    const float values[3] = {1.5f, -2.0f, 3.25f};
    int32_t n = 3, ierr = -1;
    WQWBIN(values, &n, &ierr, name, 256);
    EXPECT_EQ(ierr, 0);
    EXPECT_EQ(std::string(name + 9, 247), std::string(247, ' '));
    std::string bytes = ReadAll("wqbin.dat");
    ASSERT_EQ(bytes.size(), 16u);
    const unsigned char *b = reinterpret_cast<const unsigned char *>(bytes.data());
    EXPECT_EQ(recio::GetInt32LE(b), 0);
    EXPECT_EQ(recio::GetReal32LE(b + 4), 1.5f);
    EXPECT_EQ(recio::GetReal32LE(b + 12), 3.25f);
    ExpectNoUnitConnected();
}

TEST(WqBinaryFile, RefusesNegativeCountAndKeepsTheOldFile)
{
    WriteText("wqbin_old.dat", "old");
    Field name("wqbin_old.dat");
    int32_t n = -1, ierr = 0;
    WQWBIN(nullptr, &n, &ierr, name.text, 256);
    EXPECT_EQ(ierr, 1);
    EXPECT_EQ(ReadAll("wqbin_old.dat"), "old");
}

// ---------------------------------------------------------------- WQRPAR

TEST(WqParameterFile, ReadsBothFormsAndCopiesTheFirstColumn)
{
    for (Form form : {Form::kBinary, Form::kUnformatted}) {
        SCOPED_TRACE(FormName(form));
        ASSERT_EQ(recio::WriteRecordFile("par.dat", form,
                                         {RecordBytes().Ints({7, 8, 9, 10, 3, 11}),
                                          RecordBytes().Reals({0.5f, 1.5f, 2.5f})}),
                  0);
        float a[3][2];
        std::memset(a, 0xff, sizeof a);
        Field name("par.dat");
        int32_t n = 3, m = 2, ierr = -1;
        WQRPAR(&a[0][0], &n, &m, &ierr, name.text, 256);
        EXPECT_EQ(ierr, 0);
        const float *flat = &a[0][0];
        for (int col = 0; col < 2; ++col)
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(flat[col * 3 + i], 0.5f + i) << col << "," << i;
        ExpectNoUnitConnected();
    }
}

TEST(WqParameterFile, FailuresZeroTheArray)
{
    struct Case {
        const char *what;
        std::vector<RecordBytes> records;   // empty: no file
    } cases[] = {
        {"fifth header value is not N", {RecordBytes().Ints({0, 0, 0, 0, 4, 0}), RecordBytes().Reals({1, 2, 3})}},
        {"values missing", {RecordBytes().Ints({0, 0, 0, 0, 3, 0}), RecordBytes().Reals({1})}},
        {"short header", {RecordBytes().Ints({0, 0, 0})}},
        {"no file", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        std::remove("parbad.dat");
        if (!c.records.empty()) {
            ASSERT_EQ(recio::WriteRecordFile("parbad.dat", Form::kUnformatted, c.records), 0);
        }
        float a[6];
        for (float &v : a)
            v = 9.0f;
        Field name("parbad.dat");
        int32_t n = 3, m = 2, ierr = 0;
        WQRPAR(a, &n, &m, &ierr, name.text, 256);
        EXPECT_EQ(ierr, 1);
        for (float v : a)
            EXPECT_EQ(v, 0.0f);
        ExpectNoUnitConnected();
    }
}

// ---------------------------------------------------------------- WQWRCA

TEST(WqArrayFile, WritesInStepsAndReportsEachMisuse)
{
    std::remove("steps.dat");
    Field name("steps.dat"), blank("");
    const float a[6] = {1, 2, 3, 4, 5, 6};
    int32_t n1 = 2, n2 = 3, n3 = 1, ierr = -1;
    auto call = [&](int32_t mode, Field &f) {
        WQWRCA(&mode, a, &n1, &n2, &n3, &ierr, f.text, 256);
        return ierr;
    };
    EXPECT_EQ(call(2, name), 5);
    EXPECT_EQ(call(4, name), 5);
    EXPECT_EQ(call(3, name), 7);
    EXPECT_EQ(call(9, name), 1);
    EXPECT_EQ(call(1, blank), 3);
    EXPECT_EQ(call(1, name), 0);
    EXPECT_EQ(call(1, name), 2);
    EXPECT_EQ(call(2, name), 0);
    EXPECT_EQ(call(4, name), 0);
    EXPECT_EQ(call(3, name), 0);
    EXPECT_EQ(call(3, name), 7);

    ASSERT_EQ(recio::Open(30, "steps.dat", Form::kUnformatted, recio::Access::kSequential,
                          recio::OpenStatus::kOld),
              0);
    for (int r = 0; r < 3; ++r) {
        float v[2];
        size_t bytes = 0;
        ASSERT_EQ(recio::ReadRecord(30, v, 8, &bytes), 0);
        EXPECT_EQ(bytes, 8u);
        EXPECT_EQ(v[0], 1.0f + 2 * r);
        EXPECT_EQ(v[1], 2.0f + 2 * r);
    }
    int32_t zero = -1;
    EXPECT_EQ(recio::ReadInt32(30, &zero, 1), 0);
    EXPECT_EQ(zero, 0);
    EXPECT_EQ(recio::ReadInt32(30, &zero, 1), recio::kEndOfFile);
    recio::Close(30);
}

TEST(WqArrayFile, NeverWritesOrClosesAnotherFileOnUnitTen)
{
    // Unit 10 held by a file that this routine did not open.
    WriteText("other.dat", "");
    ASSERT_EQ(recio::Open(10, "other.dat", Form::kUnformatted, recio::Access::kSequential,
                          recio::OpenStatus::kOld),
              0);
    Field name("steps2.dat");
    const float a[2] = {1, 2};
    int32_t n1 = 2, n2 = 1, n3 = 1, ierr = 0;
    int32_t mode = 1;
    WQWRCA(&mode, a, &n1, &n2, &n3, &ierr, name.text, 256);
    EXPECT_EQ(ierr, 2);
    mode = 2;
    WQWRCA(&mode, a, &n1, &n2, &n3, &ierr, name.text, 256);
    EXPECT_EQ(ierr, 5);
    mode = 3;
    WQWRCA(&mode, a, &n1, &n2, &n3, &ierr, name.text, 256);
    EXPECT_EQ(ierr, 7);
    EXPECT_TRUE(recio::IsConnected(10));
    recio::Close(10);
    EXPECT_EQ(ReadAll("other.dat"), "");
}

// ---------------------------------------------------------------- REAMIC

struct FieldCase {
    const char *what;
    const char *text;
    int32_t ierr;
    std::vector<float> values;   // 3 x 2 x 1
};

TEST(WqFieldFile, ReadsDeclaredFieldsAndRejectsMismatches)
{
    const FieldCase cases[] = {
        {"declared and read", "1 2 3\n4, 5, 6\n*** dims = 3 2 1\n", 0, {1, 2, 3, 4, 5, 6}},
        {"CR LF lines", "1 2 3\r\n4 5 6\r\n***=3,2,1\r\n", 0, {1, 2, 3, 4, 5, 6}},
        {"a record over lines, rest of line unused", "1\n2 3 4\n5 6 7\n*** = 3 2 1\n", 0, {1, 2, 3, 5, 6, 7}},
        {"one dimension differs: accepted", "1 2 3\n4 5 6\n*** = 3 9 1\n", 0, {1, 2, 3, 4, 5, 6}},
        {"all three differ", "1 2 3\n4 5 6\n*** = 4 9 2\n", 15, {0, 0, 0, 0, 0, 0}},
        {"declaration unreadable", "1 2 3\n4 5 6\n*** = three\n", 15, {0, 0, 0, 0, 0, 0}},
        {"no declaration", "1 2 3\n4 5 6\n", 0, {1, 2, 3, 4, 5, 6}},
        {"early end leaves zeros", "1 2 3\n", 0, {1, 2, 3, 0, 0, 0}},
        {"bad number", "1 x 3\n4 5 6\n*** = 3 2 1\n", 4, {1, 0, 0, 0, 0, 0}},
    };
    for (const FieldCase &c : cases) {
        SCOPED_TRACE(c.what);
        WriteText("field.txt", c.text);
        float rdep[6];
        for (float &v : rdep)
            v = 7.0f;
        Field name("field.txt");
        int32_t n = 3, m = 2, k = 1, ierr = -1;
        REAMIC(name.text, rdep, &n, &m, &k, &ierr, 256);
        EXPECT_EQ(ierr, c.ierr);
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(rdep[i], c.values[i]) << i;
        ExpectNoUnitConnected();
    }
}

TEST(WqFieldFile, MissingFile)
{
    std::remove("nofield.txt");
    Field name("nofield.txt");
    float rdep[1] = {3};
    int32_t n = 1, ierr = 0;
    REAMIC(name.text, rdep, &n, &n, &n, &ierr, 256);
    EXPECT_EQ(ierr, 1);
    ExpectNoUnitConnected();
}

// ---------------------------------------------------------------- WQWGRD

void ExpectGridPair(const std::string &data, const std::string &def)
{
    int32_t set = -1;
    ASSERT_EQ(kelpa_crenef(&set, data.c_str(), def.c_str(), 'N', 'r'), 0);
    const int32_t index[15] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    const int32_t order[5] = {1, 2, 3, 4, 5};
    int32_t sizes[4];
    const char *names[4] = {"NCRD1", "NCRD2", "NCRD3", "NOCLAY"};
    for (int i = 0; i < 4; ++i)
        ASSERT_EQ(kelpa_getval(set, "GRID", names[i], index, order, 4, &sizes[i]), 0) << names[i];
    EXPECT_EQ(sizes[0], 3);
    EXPECT_EQ(sizes[1], 2);
    EXPECT_EQ(sizes[2], 4);
    EXPECT_EQ(sizes[3], 5);
    int32_t lgrid[6];
    float x[6];
    ASSERT_EQ(kelpa_getval(set, "GRID", "LGRID", index, order, sizeof lgrid, lgrid), 0);
    ASSERT_EQ(kelpa_getval(set, "GRID", "YCOORD", index, order, sizeof x, x), 0);
    EXPECT_EQ(lgrid[5], -1);
    EXPECT_EQ(x[4], 40.5f);
    Endset(&set);
}

TEST(WqGridFile, WritesAndRewritesTheKelpaPair)
{
    for (const char *f : {"grid.ada", "grid.adf", "run2.ada", "run2.adf"})
        std::remove(f);
    const int32_t n1 = 3, n2 = 2, n3 = 4, noclay = 5;
    const int32_t lgrid[6] = {1, 2, 3, 4, 5, -1};
    const float x[6] = {0, 1, 2, 3, 4, 5};
    float y[6] = {10.5f, 20.5f, 30.5f, 35.5f, 40.5f, 50.5f};
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        Field name("grid.inp");
        int32_t ierr = -1;
        WQWGRD(&n1, &n2, &n3, &noclay, lgrid, x, y, &ierr, name.text, 256);
        EXPECT_EQ(ierr, 0);
        EXPECT_EQ(std::string(name.text, 8), "grid.inp");   // the caller's name is kept
        ExpectGridPair("grid.ada", "grid.adf");
    }
    // No ".inp": the extension goes at the first two blanks.
    Field name("run2");
    int32_t ierr = -1;
    WQWGRD(&n1, &n2, &n3, &noclay, lgrid, x, y, &ierr, name.text, 256);
    EXPECT_EQ(ierr, 0);
    ExpectGridPair("run2.ada", "run2.adf");
}

TEST(WqGridFile, AGridOfAnotherSizeReplacesThePair)
{
    std::remove("resize.ada");
    std::remove("resize.adf");
    const int32_t big = 4, one = 1;
    std::vector<int32_t> lgrid(16, 7);
    std::vector<float> xy(16, 1.0f);
    Field name("resize.inp");
    int32_t ierr = -1;
    WQWGRD(&big, &big, &one, &one, lgrid.data(), xy.data(), xy.data(), &ierr, name.text, 256);
    ASSERT_EQ(ierr, 0);
    const int32_t n1 = 3, n2 = 2, n3 = 4, noclay = 5;
    const int32_t small[6] = {1, 2, 3, 4, 5, -1};
    const float y[6] = {10.5f, 20.5f, 30.5f, 35.5f, 40.5f, 50.5f};
    WQWGRD(&n1, &n2, &n3, &noclay, small, y, y, &ierr, name.text, 256);
    ASSERT_EQ(ierr, 0);
    ExpectGridPair("resize.ada", "resize.adf");
    int32_t set = -1;
    ASSERT_EQ(kelpa_crenef(&set, "resize.ada", "resize.adf", 'N', 'r'), 0);
    char type[8], quantity[16], unit[16], description[64];
    int32_t size = 0, ndims = 5, dims[5];
    ASSERT_EQ(Inqelm(&set, "LGRID", type, &size, quantity, unit, description, &ndims, dims, 5, 8, 16, 16, 64), 0);
    EXPECT_EQ(dims[0], 3);
    EXPECT_EQ(dims[1], 2);
    Endset(&set);
}

TEST(WqGridFile, FailureIsReported)
{
    const int32_t n1 = 1, zero = 0;
    const int32_t lgrid[1] = {1};
    const float xy[1] = {0};
    int32_t ierr = 0;
    Field missing_dir("no_such_dir/grid.inp");
    WQWGRD(&n1, &n1, &n1, &n1, lgrid, xy, xy, &ierr, missing_dir.text, 256);
    EXPECT_NE(ierr, 0);
    Field empty_grid("empty.inp");
    WQWGRD(&zero, &n1, &n1, &n1, lgrid, xy, xy, &ierr, empty_grid.text, 256);
    EXPECT_EQ(ierr, 1);
}

// ---------------------------------------------------------------- plain result files

// Two substances, three segments, times 0, 3600 and 7200 s; value =
// 100 * time index + 10 * segment + substance.
std::vector<RecordBytes> PlainResult(bool history, int32_t substances = 2)
{
    std::vector<RecordBytes> r;
    r.push_back(RecordBytes()
                    .Text("Water quality run", 40)
                    .Text("second title", 40)
                    .Text("third", 40)
                    .Text("T0: 2000.01.01 12:00:00  (scu=       1s)", 40));
    r.push_back(RecordBytes().Int(substances).Int(3));
    RecordBytes names;
    names.Text("OXY", 20).Text("Salinity", 20);
    r.push_back(names);
    if (history) {
        RecordBytes loc;
        for (int i = 1; i <= 3; ++i)
            loc.Int(i).Text("Station " + std::to_string(i), 20);
        r.push_back(loc);
    }
    for (int t = 0; t < 3; ++t) {
        RecordBytes rec;
        rec.Int(3600 * t);
        for (int g = 1; g <= 3; ++g)
            for (int s = 1; s <= 2; ++s)
                rec.Real(100.0f * t + 10.0f * g + s);
        r.push_back(rec);
    }
    return r;
}

class WqPlainResult : public ::testing::TestWithParam<Form> {};

TEST_P(WqPlainResult, TitlesNamesTimesAndValues)
{
    for (const char *file : {"res.map", "res.his", "res_his.dat"}) {
        SCOPED_TRACE(file);
        const bool history = std::strstr(file, "his") != nullptr;
        ASSERT_EQ(recio::WriteRecordFile(file, GetParam(), PlainResult(history)), 0);
        int32_t h[WQ_HANDLE_SIZE] = {0};
        Field name(file);
        int32_t ierr = -1, date = 0, time = 0;
        char titles[4][40];
        DQBINF(name.text, h, &date, &time, &titles[0][0], &ierr, 256, 40);
        ASSERT_EQ(ierr, 0);
        EXPECT_EQ(h[WQ_H_KIND], history ? WQ_KIND_PLAIN_HISTORY : WQ_KIND_PLAIN_MAP);
        EXPECT_EQ(std::string(titles[0], 17), "Water quality run");
        EXPECT_EQ(date, 20000101);
        EXPECT_EQ(time, 120000);

        char names[2][20];
        int32_t index[2] = {0, 0}, count = 0;
        DQBPAR(name.text, h, &names[0][0], index, &count, &ierr, 256, 20);
        ASSERT_EQ(ierr, 0);
        EXPECT_EQ(count, 2);
        EXPECT_EQ(std::string(names[1], 8), "Salinity");
        EXPECT_EQ(index[1], 2);

        double times[3] = {0, 0, 0};
        int32_t room = 3, unit_code = 3;
        DQBTIM(name.text, h, times, &room, &unit_code, &ierr, 256);
        ASSERT_EQ(ierr, 0);
        EXPECT_EQ(room, 3);
        EXPECT_EQ(times[2], 2.0);
        room = 2;
        DQBTIM(name.text, h, times, &room, &unit_code, &ierr, 256);
        EXPECT_EQ(ierr, 4);

        // All of time 1 h, then substance 2 of segment 3 at 1.5 h (the next
        // record, 2 h), then back to time 0 (read from the start again).
        float v[6];
        int32_t all = -1, s2 = 2, g3 = 3, sel = 3, six = 6;
        double t = 1.0;
        DQBMAT(name.text, h, &all, &all, &t, &sel, v, &six, &ierr, 256);
        ASSERT_EQ(ierr, 0);
        EXPECT_EQ(v[0], 111.0f);
        EXPECT_EQ(v[5], 132.0f);
        t = 1.5;
        DQBMAT(name.text, h, &s2, &g3, &t, &sel, v, &six, &ierr, 256);
        ASSERT_EQ(ierr, 0);
        EXPECT_EQ(v[0], 232.0f);
        EXPECT_EQ(t, 2.0);
        t = 0.0;
        DQBMAT(name.text, h, &s2, &all, &t, &sel, v, &six, &ierr, 256);
        ASSERT_EQ(ierr, 0);
        EXPECT_EQ(v[0], 12.0f);
        EXPECT_EQ(v[2], 32.0f);
        // Every time of substance 1, segment 2.
        int32_t s1 = 1, g2 = 2, every = -1, three = 3;
        DQBMAT(name.text, h, &s1, &g2, &t, &every, v, &three, &ierr, 256);
        ASSERT_EQ(ierr, 0);
        EXPECT_EQ(v[0], 21.0f);
        EXPECT_EQ(v[1], 121.0f);
        EXPECT_EQ(v[2], 221.0f);

        struct Bad {
            int32_t s, g, o, room, ierr;
            double t;
        } bad[] = {
            {1, 1, 7, 6, 5, 0.0},     // selector
            {3, 1, 3, 6, 5, 0.0},     // substance
            {1, 4, 3, 6, 5, 0.0},     // segment
            {-1, -1, 3, 5, 4, 0.0},   // room
            {1, 1, 3, 6, 2, 9.0},     // after the last time
        };
        for (const Bad &b : bad) {
            double bt = b.t;
            DQBMAT(name.text, h, &b.s, &b.g, &bt, &b.o, v, &b.room, &ierr, 256);
            EXPECT_EQ(ierr, b.ierr) << b.s << " " << b.g << " " << b.o;
        }
        const int unit = h[WQ_H_UNIT];
        DQBCLS(h);
        EXPECT_EQ(h[WQ_H_TAG], 0);
        EXPECT_FALSE(recio::IsConnected(unit));
    }
}

TEST_P(WqPlainResult, RejectedHeadersLeaveNothingOpen)
{
    struct Case {
        const char *what;
        std::vector<RecordBytes> records;
    } cases[] = {
        {"no substances", {RecordBytes().Text("t", 160), RecordBytes().Int(0).Int(3)}},
        {"huge sizes", {RecordBytes().Text("t", 160), RecordBytes().Int(0x7fffffff).Int(0x7fffffff),
                        RecordBytes().Text("A", 20)}},
        {"control character in a name",
         {RecordBytes().Text("t", 160), RecordBytes().Int(1).Int(1), RecordBytes().Text("A\tB", 20)}},
        {"titles only", {RecordBytes().Text("t", 160)}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(recio::WriteRecordFile("bad.map", GetParam(), c.records), 0);
        int32_t h[WQ_HANDLE_SIZE];
        for (int32_t &v : h)
            v = 5;
        Field name("bad.map");
        int32_t ierr = 0;
        DQBSET(name.text, h, &ierr, 256);
        EXPECT_EQ(ierr, 3);
        EXPECT_EQ(h[WQ_H_TAG], 0);
        ExpectNoUnitConnected();
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, WqPlainResult, ::testing::Values(Form::kBinary, Form::kUnformatted),
                         [](const ::testing::TestParamInfo<Form> &i) { return std::string(FormName(i.param)); });

TEST(WqResultFile, MissingFileAndWrongTextLengths)
{
    std::remove("none.map");
    int32_t h[WQ_HANDLE_SIZE] = {0};
    Field name("none.map");
    int32_t ierr = 0;
    DQBSET(name.text, h, &ierr, 256);
    EXPECT_EQ(ierr, 3);
    EXPECT_EQ(h[WQ_H_TAG], 0);

    ASSERT_EQ(recio::WriteRecordFile("len.map", Form::kBinary, PlainResult(false)), 0);
    Field good("len.map");
    char titles[4][40];
    int32_t date, time, index[2], count;
    DQBINF(good.text, h, &date, &time, &titles[0][0], &ierr, 256, 20);
    EXPECT_EQ(ierr, 6);
    char names[2][40];
    DQBPAR(good.text, h, &names[0][0], index, &count, &ierr, 256, 40);
    EXPECT_EQ(ierr, 6);
    double times[3];
    int32_t room = 3, unit_code = 5;
    DQBTIM(good.text, h, times, &room, &unit_code, &ierr, 256);
    EXPECT_EQ(ierr, 5);
    DQBCLS(h);
    ExpectNoUnitConnected();
}

// ---------------------------------------------------------------- KELPA result sets

void WriteKelpaResult(const std::string &data, const std::string &def, const char *prefix)
{
    std::remove(data.c_str());
    std::remove(def.c_str());
    int32_t set = -1;
    ASSERT_EQ(kelpa_crenef(&set, data.c_str(), def.c_str(), 'N', 'c'), 0);
    const int32_t one[5] = {1, 1, 1, 1, 1}, two[5] = {2, 1, 1, 1, 1}, three[5] = {3, 1, 1, 1, 1};
    const int32_t four[5] = {4, 1, 1, 1, 1}, variable[5] = {0, 1, 1, 1, 1}, order[5] = {1, 2, 3, 4, 5};
    ASSERT_EQ(kelpa_newelm(set, "TITLE", "CHARACTER", 40, "-", "-", "titles", 1, four), 0);
    ASSERT_EQ(kelpa_newelm(set, "SIZES", "INTEGER", 4, "-", "-", "sizes", 1, two), 0);
    ASSERT_EQ(kelpa_newelm(set, "SUBST_NAMES", "CHARACTER", 20, "-", "-", "names", 1, two), 0);
    ASSERT_EQ(kelpa_newelm(set, "TIME", "INTEGER", 4, "-", "s", "time", 1, one), 0);
    ASSERT_EQ(kelpa_newelm(set, "SUBST_1", "REAL", 4, "-", "-", "s1", 1, three), 0);
    ASSERT_EQ(kelpa_newelm(set, "SUBST_2", "REAL", 4, "-", "-", "s2", 1, three), 0);
    const char *params[] = {"TITLE", "SIZES", "SUBST_NAMES"};
    const char *results[] = {"TIME", "SUBST_1", "SUBST_2"};
    const std::string p = std::string(prefix) + "_PARAMS", r = std::string(prefix) + "_RESULTS";
    ASSERT_EQ(kelpa_newcel(set, p.c_str(), 3, params), 0);
    ASSERT_EQ(kelpa_newcel(set, r.c_str(), 3, results), 0);
    ASSERT_EQ(kelpa_newgrp(set, p.c_str(), p.c_str(), 1, one, order), 0);
    ASSERT_EQ(kelpa_newgrp(set, r.c_str(), r.c_str(), 1, variable, order), 0);
    ASSERT_EQ(kelpa_newdat(set, p.c_str(), p.c_str()), 0);
    ASSERT_EQ(kelpa_newdat(set, r.c_str(), r.c_str()), 0);
    int32_t index[15] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    char title[161];
    std::snprintf(title, sizeof title, "%-40s%-40s%-40s%-40s", "Kelpa run", "", "",
                  "T0: 2001.02.03 04:05:06");
    ASSERT_EQ(kelpa_putval(set, p.c_str(), "TITLE", index, order, title), 0);
    const int32_t sizes[2] = {2, 3};
    ASSERT_EQ(kelpa_putval(set, p.c_str(), "SIZES", index, order, sizes), 0);
    char names[41];
    std::snprintf(names, sizeof names, "%-20s%-20s", "OXY", "Salinity");
    ASSERT_EQ(kelpa_putval(set, p.c_str(), "SUBST_NAMES", index, order, names), 0);
    // 25 times (more than one block of 20), 600 s apart.
    for (int t = 1; t <= 25; ++t) {
        index[0] = index[1] = t;
        int32_t time = 600 * (t - 1);
        ASSERT_EQ(kelpa_putval(set, r.c_str(), "TIME", index, order, &time), 0);
        for (int s = 1; s <= 2; ++s) {
            float v[3];
            for (int g = 1; g <= 3; ++g)
                v[g - 1] = 100.0f * t + 10.0f * g + s;
            ASSERT_EQ(kelpa_putval(set, r.c_str(), s == 1 ? "SUBST_1" : "SUBST_2", index, order, v), 0);
        }
    }
    ASSERT_EQ(Endset(&set), 0);
}

TEST(WqKelpaResult, ReadsBothModels)
{
    struct Case {
        const char *prefix, *data, *def;
        int32_t kind;
    } cases[] = {
        {"KIMBOL", "kres.ada", "kres.adf", WQ_KIND_KELPA_MAP},
        {"KIMBOL", "kres.hda", "kres.hdf", WQ_KIND_KELPA_HISTORY},
        {"LUPREN", "lres.ada", "lres.adf", WQ_KIND_KELPA_MAP + 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.data);
        WriteKelpaResult(c.data, c.def, c.prefix);
        int32_t h[WQ_HANDLE_SIZE] = {0};
        Field name(c.data);
        int32_t ierr = -1, date = 0, time = 0;
        char titles[4][40];
        DQBINF(name.text, h, &date, &time, &titles[0][0], &ierr, 256, 40);
        ASSERT_EQ(ierr, 0);
        EXPECT_EQ(h[WQ_H_KIND], c.kind);
        EXPECT_EQ(std::string(titles[0], 9), "Kelpa run");
        EXPECT_EQ(date, 20010203);
        EXPECT_EQ(time, 40506);

        char names[2][20];
        int32_t index[2], count = 0;
        DQBPAR(name.text, h, &names[0][0], index, &count, &ierr, 256, 20);
        ASSERT_EQ(ierr, 0);
        EXPECT_EQ(count, 2);
        EXPECT_EQ(std::string(names[1], 8), "Salinity");

        double times[25];
        int32_t room = 25, minutes = 2;
        DQBTIM(name.text, h, times, &room, &minutes, &ierr, 256);
        ASSERT_EQ(ierr, 0);
        EXPECT_EQ(room, 25);
        EXPECT_EQ(times[24], 240.0);
        room = 24;
        DQBTIM(name.text, h, times, &room, &minutes, &ierr, 256);
        EXPECT_EQ(ierr, 4);

        float v[6];
        int32_t all = -1, sel = 2, six = 6;
        double t = 235.0;   // between 230 and 240 minutes: the later
        DQBMAT(name.text, h, &all, &all, &t, &sel, v, &six, &ierr, 256);
        ASSERT_EQ(ierr, 0);
        EXPECT_EQ(t, 240.0);
        EXPECT_EQ(v[0], 2511.0f);
        EXPECT_EQ(v[5], 2532.0f);
        int32_t s2 = 2, g1 = 1, every = -1, three = 3;
        DQBMAT(name.text, h, &s2, &g1, &t, &every, v, &three, &ierr, 256);
        ASSERT_EQ(ierr, 0);
        EXPECT_EQ(v[0], 112.0f);
        EXPECT_EQ(v[2], 312.0f);
        DQBCLS(h);
        EXPECT_EQ(h[WQ_H_TAG], 0);
    }
}

TEST(WqKelpaResult, UnrecognisedSetIsRefused)
{
    WriteKelpaResult("other.ada", "other.adf", "OTHER");
    int32_t h[WQ_HANDLE_SIZE] = {0};
    Field name("other.ada");
    int32_t ierr = 0;
    DQBSET(name.text, h, &ierr, 256);
    EXPECT_EQ(ierr, 2);
    EXPECT_EQ(h[WQ_H_TAG], 0);
    // The set was closed: the pair can be opened for writing again.
    int32_t set = -1;
    EXPECT_EQ(kelpa_crenef(&set, "other.ada", "other.adf", 'N', 'u'), 0);
    Endset(&set);
}

// ---------------------------------------------------------------- DQBCNT

TEST(WqTimeConversion, UnitCodesAndJulianDays)
{
    int32_t h[WQ_HANDLE_SIZE] = {0};
    h[WQ_H_REF_DATE] = 20000101;
    h[WQ_H_REF_TIME] = 120000;
    struct Case {
        int32_t unit;
        int32_t itime;
        double time;
    } cases[] = {
        {1, 90, 90.0}, {2, 90, 1.5}, {3, 5400, 1.5}, {4, 43200, 0.5}, {0, 0, 2451545.0}, {0, 43200, 2451545.5},
    };
    for (const Case &c : cases) {
        int32_t it = c.itime, dir = 1;
        double t = 0;
        DQBCNT(h, &it, &t, &c.unit, &dir);
        EXPECT_DOUBLE_EQ(t, c.time) << c.unit;
        dir = 0;
        it = -1;
        DQBCNT(h, &it, &t, &c.unit, &dir);
        EXPECT_EQ(it, c.itime) << c.unit;
    }
    // Beyond the integer range the time is held at its bound.
    int32_t it = 0, dir = 0, days = 4;
    double t = 1e9;
    DQBCNT(h, &it, &t, &days, &dir);
    EXPECT_EQ(it, INT32_MAX);
}

// ---------------------------------------------------------------- call wrappers

TEST(WqCallWrappers, PassLengthsAndRestoreTheTerminator)
{
    char name[32] = "wrap.dat";
    const int32_t values[2] = {4, 5};
    int32_t n = 2, ierr = -1;
    WqWriteBinaryFile(values, &n, &ierr, name);
    EXPECT_EQ(ierr, 0);
    EXPECT_STREQ(name, "wrap.dat");
    EXPECT_EQ(ReadAll("wrap.dat").size(), 12u);

    ASSERT_EQ(recio::WriteRecordFile("wrap.map", Form::kUnformatted, PlainResult(false)), 0);
    char map[32] = "wrap.map";
    int32_t h[WQ_HANDLE_SIZE] = {0}, date = 0, time = 0;
    char titles[4][40];
    WqReadResultTitles(map, h, &date, &time, &titles[0][0], &ierr);
    EXPECT_EQ(ierr, 0);
    EXPECT_EQ(date, 20000101);
    char names[2][20];
    int32_t index[2], count = 0;
    WqReadResultSubstances(map, h, &names[0][0], index, &count, &ierr);
    EXPECT_EQ(count, 2);
    double times[3];
    count = 3;
    WqReadResultTimes(map, h, times, &count, 1, &ierr);
    EXPECT_EQ(times[1], 3600.0);
    float v[1];
    int32_t room = 1;
    WqReadResultValues(map, h, 2, 3, 3600.0, 1, v, &room, &ierr);
    EXPECT_EQ(ierr, 0);
    EXPECT_EQ(v[0], 132.0f);
    WqCloseResultFile(h);
    ExpectNoUnitConnected();

    char steps[32] = "wrapsteps.dat";
    int32_t mode = 1, one = 1;
    float a[1] = {2};
    WqWriteArrayFile(&mode, a, &one, &one, &one, &ierr, steps);
    EXPECT_EQ(ierr, 0);
    EXPECT_STREQ(steps, "wrapsteps.dat");
    mode = 3;
    WqWriteArrayFile(&mode, a, &one, &one, &one, &ierr, steps);
    EXPECT_EQ(ierr, 0);

    ASSERT_EQ(recio::WriteRecordFile("wrappar.dat", Form::kBinary,
                                     {RecordBytes().Ints({0, 0, 0, 0, 1, 0}), RecordBytes().Real(6.5f)}),
              0);
    char par[32] = "wrappar.dat";
    float p[2];
    int32_t two = 2;
    WqReadParameterFile(p, &one, &two, &ierr, par);
    EXPECT_EQ(ierr, 0);
    EXPECT_EQ(p[1], 6.5f);
    EXPECT_STREQ(par, "wrappar.dat");

    WriteText("wrapfield.txt", "8.5\n*** = 1 1 1\n");
    char field[32] = "wrapfield.txt";
    float r[1];
    WqReadFieldFile(field, r, &one, &one, &one, &ierr);
    EXPECT_EQ(ierr, 0);
    EXPECT_EQ(r[0], 8.5f);

    std::remove("wgrid.ada");
    std::remove("wgrid.adf");
    char grid[32] = "wgrid.inp";
    int32_t n1 = 1, lg[1] = {1};
    float xy[1] = {0};
    WqWriteGridFile(&n1, &n1, &n1, &n1, lg, xy, xy, &ierr, grid);
    EXPECT_EQ(ierr, 0);
    EXPECT_TRUE(recio::FileExists("wgrid.ada"));
}

}  // namespace
