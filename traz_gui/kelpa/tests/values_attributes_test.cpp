// KELPA values and attributes: where values land in a data group, user
// index and user order, the variable dimension's pointer tables, byte
// order, and the attribute slots; plus the writer reproducing the
// hand-made fixtures byte for byte.
#include "kelpa_core.h"
#include "kelpa_test_util.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

using namespace kelpa;
using namespace kelpa_test;

namespace {

struct Set {
    int set = -1;
    ~Set() { CloseFileSet(&set); }
};

int Element(int set, const char *name, const char *type, int size, std::vector<int32_t> dims,
            const char *quantity = "q", const char *unit = "u", const char *description = "d")
{
    char t[32];
    std::snprintf(t, sizeof t, "%s", type);
    int32_t d[5] = {1, 1, 1, 1, 1};
    for (size_t i = 0; i < dims.size(); ++i)
        d[i] = dims[i];
    return DefineElement(set, Pad(name).c_str(), t, quantity, unit, description, size,
                         int32_t(dims.size()), d);
}

int Cell(int set, const char *name, const std::vector<std::string> &elements)
{
    std::vector<std::array<char, 17>> names(elements.size() + 1);
    for (size_t i = 0; i < elements.size(); ++i)
        std::snprintf(names[i].data(), 17, "%s", Pad(elements[i]).c_str());
    return DefineCell(set, Pad(name).c_str(), int32_t(elements.size()),
                      reinterpret_cast<const char(*)[17]>(names.data()));
}

int Group(int set, const char *name, const char *cell, std::vector<int32_t> dims,
          std::vector<int32_t> order)
{
    int32_t d[5] = {1, 1, 1, 1, 1}, o[5] = {1, 2, 3, 4, 5};
    for (size_t i = 0; i < dims.size(); ++i) {
        d[i] = dims[i];
        o[i] = order[i];
    }
    return DefineGroup(set, Pad(name).c_str(), Pad(cell).c_str(), int32_t(dims.size()), d, o);
}

struct Index {
    int32_t v[15] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    int32_t order[5] = {1, 2, 3, 4, 5};
    Index &Dim(int u, int32_t start, int32_t stop, int32_t inc = 1)
    {
        v[3 * u] = start;
        v[3 * u + 1] = stop;
        v[3 * u + 2] = inc;
        return *this;
    }
    Index &Order(std::vector<int32_t> o)
    {
        for (size_t i = 0; i < o.size(); ++i)
            order[i] = o[i];
        return *this;
    }
};

int Put(int set, const char *group, const char *element, const Index &ix, const void *values)
{
    return PutElementValues(set, Pad(group).c_str(), Pad(element).c_str(), ix.v, ix.order, values);
}

int Get(int set, const char *group, const char *element, const Index &ix, int64_t len, void *values)
{
    return GetElementValues(set, Pad(group).c_str(), Pad(element).c_str(), ix.v, ix.order, len, values);
}

// A set on a data and definition pair with an INTEGER*4 scalar "I" in cell
// "C" and the given group "G" with a data group "D".
void MakeSet(Set &s, const std::string &base, std::vector<int32_t> dims, std::vector<int32_t> order,
             char letter = 'L')
{
    std::string dat = Fresh(base + ".dat"), def = Fresh(base + ".def");
    ASSERT_EQ(OpenFileSet(&s.set, dat.c_str(), def.c_str(), letter, 'c'), 0);
    ASSERT_EQ(Element(s.set, "I", "INTEGER", 4, {1}), 0);
    ASSERT_EQ(Cell(s.set, "C", {"I"}), 0);
    ASSERT_EQ(Group(s.set, "G", "C", dims, order), 0);
    ASSERT_EQ(CreateDataGroup(s.set, Pad("D").c_str(), Pad("G").c_str()), 0);
}

}  // namespace

TEST(KelpaValues, CellPositionFollowsTheGroupOrder)
{
    Set s;
    MakeSet(s, "order", {4, 3}, {2, 1});
    int32_t v = 77;
    // Group indices (3, 2), 0-based (2, 1): cell number 1 + 3 x 2 = 7.
    ASSERT_EQ(Put(s.set, "D", "I", Index().Dim(0, 3, 3).Dim(1, 2, 2), &v), 0);
    ASSERT_EQ(FlushHashTable(SetDataDescriptor(s.set), s.set), 0);
    std::vector<uint8_t> b = ReadBytes("order.dat");
    EXPECT_EQ(Le32(b, 8044 + 416 + 7 * 4), 77u);

    // User order 2, 1: user dimension 1 runs over group dimension 2 (1..3),
    // user dimension 2 over group dimension 1 (2, 4); dimension 1 fastest.
    int32_t six[6] = {10, 11, 12, 20, 21, 22};
    Index ix = Index().Dim(0, 1, 3).Dim(1, 2, 4, 2).Order({2, 1});
    ASSERT_EQ(Put(s.set, "D", "I", ix, six), 0);
    for (int k2 = 0; k2 < 2; ++k2)
        for (int k1 = 0; k1 < 3; ++k1) {
            int32_t one = -1;
            ASSERT_EQ(Get(s.set, "D", "I", Index().Dim(0, 2 + 2 * k2, 2 + 2 * k2).Dim(1, 1 + k1, 1 + k1), 4, &one), 0);
            EXPECT_EQ(one, six[k1 + 3 * k2]) << k1 << "," << k2;
        }
    int32_t back[6] = {};
    ASSERT_EQ(Get(s.set, "D", "I", ix, sizeof back, back), 0);
    EXPECT_EQ(std::vector<int32_t>(back, back + 6), std::vector<int32_t>(six, six + 6));
    // Values never written read as zeros.
    int32_t all[12];
    std::memset(all, 0xff, sizeof all);
    ASSERT_EQ(Get(s.set, "D", "I", Index().Dim(0, 1, 4).Dim(1, 1, 3), sizeof all, all), 0);
    EXPECT_EQ(all[0], 0);
}

TEST(KelpaValues, SelectionChecks)
{
    Set s;
    MakeSet(s, "checks", {4, 3}, {1, 2});
    int32_t buf[64] = {};
    struct Case {
        Index ix;
        int put, get;
    };
    const Case cases[] = {
        {Index().Dim(0, 3, 2), 4001, 3001},
        {Index().Dim(0, 1, 2, 0), 4002, 3002},
        {Index().Dim(0, 0, 2), 4003, 3003},
        {Index().Dim(0, 1, 5), 4004, 3004},
        {Index().Dim(0, 1, 2).Order({7, 2}), 4005, 3007},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.put);
        EXPECT_EQ(Put(s.set, "D", "I", c.ix, buf), c.put);
        EXPECT_EQ(Get(s.set, "D", "I", c.ix, sizeof buf, buf), c.get);
    }
    EXPECT_EQ(MessageText(), "User order [0]=7 should be between 1 and 5\n");
    // The last failure found is the one reported.
    EXPECT_EQ(Put(s.set, "D", "I", Index().Dim(0, 0, 5, 0), buf), 4004);
    EXPECT_EQ(Get(s.set, "D", "I", Index().Dim(0, 1, 5), sizeof buf, buf), 3004);
    EXPECT_EQ(MessageText(), "Stop value 5 should be smaller than 4\n");
    // One byte short: 3005 and the buffer untouched.
    int32_t two[2] = {5, 6};
    ASSERT_EQ(Put(s.set, "D", "I", Index().Dim(0, 1, 2), two), 0);
    int32_t out[2] = {-1, -1};
    EXPECT_EQ(Get(s.set, "D", "I", Index().Dim(0, 1, 2), 7, out), 3005);
    EXPECT_EQ(MessageText(), "Buffer length too small, should be 8 instead of 7\nGroup \"D               \", element \"I               \"\n");
    EXPECT_EQ(out[0], -1);
    EXPECT_EQ(Get(s.set, "D", "X", Index(), 8, out), 9002);
    EXPECT_EQ(Get(s.set, "NOPE", "I", Index(), 8, out), 6004);
}

TEST(KelpaValues, VariableDimensionTablesAndSlices)
{
    Set s;
    MakeSet(s, "variable", {2, 0}, {1, 2});
    int32_t largest = -1;
    ASSERT_EQ(LargestVariableIndex(s.set, Pad("D").c_str(), &largest), 0);
    EXPECT_EQ(largest, 0);
    // Both user dimensions on the fixed dimension: the values would land on
    // the pointer tables.
    int32_t stray[2] = {9, 9};
    EXPECT_EQ(Put(s.set, "D", "I", Index().Dim(0, 1, 1).Dim(1, 2, 2).Order({1, 1}), stray), 4005);
    EXPECT_EQ(Get(s.set, "D", "I", Index().Dim(0, 1, 1).Dim(1, 2, 2).Order({1, 1}), 8, stray), 3007);
    EXPECT_EQ(Group(s.set, "TWOVAR", "C", {0, 0}, {1, 2}), 5031);
    uint64_t rec = 8044, after_group = 8044 + 416 + 2056;
    int32_t pair[2] = {1, 2};
    ASSERT_EQ(Put(s.set, "D", "I", Index().Dim(0, 1, 2).Dim(1, 1, 1), pair), 0);
    ASSERT_EQ(FlushHashTable(SetDataDescriptor(s.set), s.set), 0);
    std::vector<uint8_t> b = ReadBytes("variable.dat");
    // Index 1 (key bytes 0, 0, 0, 1): tables on levels 2 to 4, then an
    // 8-byte slice.
    EXPECT_EQ(Le64(b, 60), after_group + 3 * 2048 + 8);
    EXPECT_EQ(Le64(b, rec + 424), after_group);
    EXPECT_EQ(Le64(b, after_group), after_group + 2048);
    EXPECT_EQ(Le64(b, after_group + 2048), after_group + 4096);
    EXPECT_EQ(Le64(b, after_group + 4096 + 8), after_group + 3 * 2048);
    EXPECT_EQ(Le32(b, after_group + 3 * 2048 + 4), 2u);

    // Index 300 (key bytes 0, 0, 1, 44): one more level-4 table and a slice.
    int32_t third[2] = {30, 31};
    ASSERT_EQ(Put(s.set, "D", "I", Index().Dim(0, 1, 2).Dim(1, 300, 300), third), 0);
    ASSERT_EQ(FlushHashTable(SetDataDescriptor(s.set), s.set), 0);
    b = ReadBytes("variable.dat");
    uint64_t end1 = after_group + 3 * 2048 + 8;
    EXPECT_EQ(Le64(b, 60), end1 + 2048 + 8);
    EXPECT_EQ(Le64(b, after_group + 2048 + 8), end1);
    ASSERT_EQ(LargestVariableIndex(s.set, Pad("D").c_str(), &largest), 0);
    EXPECT_EQ(largest, 300);
    int32_t got[2] = {};
    ASSERT_EQ(Get(s.set, "D", "I", Index().Dim(0, 1, 2).Dim(1, 300, 300), 8, got), 0);
    EXPECT_EQ(got[1], 31);
    EXPECT_EQ(Get(s.set, "D", "I", Index().Dim(0, 1, 2).Dim(1, 301, 301), 8, got), 3006);
    EXPECT_EQ(MessageText(), "Variable dimension 301 not found for:\n group \"D               \", element \"I               \"\n");
    // Index 2 lies below the largest but was never written: no values to read.
    EXPECT_EQ(Get(s.set, "D", "I", Index().Dim(0, 1, 2).Dim(1, 2, 2), 8, got), 3006);
    int32_t both[4] = {};
    ASSERT_EQ(Get(s.set, "D", "I", Index().Dim(0, 1, 2).Dim(1, 1, 300, 299), 16, both), 0);
    EXPECT_EQ(std::vector<int32_t>(both, both + 4), (std::vector<int32_t>{1, 2, 30, 31}));
}

TEST(KelpaValues, LargestIndexOfAFixedGroupAndTheCacheLimit)
{
    Set s;
    MakeSet(s, "cache", {7, 2}, {1, 2});
    int32_t largest = 0;
    ASSERT_EQ(LargestVariableIndex(s.set, Pad("D").c_str(), &largest), 0);
    EXPECT_EQ(largest, 7);
    ASSERT_EQ(Group(s.set, "V", "C", {0}, {1}), 0);
    int32_t one = 5;
    for (int i = 0; i < 11; ++i) {
        std::string n = "V" + std::to_string(i);
        ASSERT_EQ(CreateDataGroup(s.set, Pad(n.c_str()).c_str(), Pad("V").c_str()), 0);
        ASSERT_EQ(Put(s.set, n.c_str(), "I", Index(), &one), 0);
    }
    int32_t got = 0;
    for (int i = 0; i < 10; ++i)
        ASSERT_EQ(Get(s.set, ("V" + std::to_string(i)).c_str(), "I", Index(), 4, &got), 0) << i;
    EXPECT_EQ(Get(s.set, "V10", "I", Index(), 4, &got), 3006);
}

TEST(KelpaValues, WholeCellAndReadOnlySets)
{
    std::string dat = Fresh("whole.dat"), def = Fresh("whole.def");
    {
        Set s;
        ASSERT_EQ(OpenFileSet(&s.set, dat.c_str(), def.c_str(), 'L', 'c'), 0);
        std::vector<std::string> names;
        for (int i = 0; i < 100; ++i) {
            names.push_back("E" + std::to_string(i));
            ASSERT_EQ(Element(s.set, names.back().c_str(), "INTEGER", 4, {1}), 0);
        }
        ASSERT_EQ(Cell(s.set, "C", names), 0);
        ASSERT_EQ(Group(s.set, "G", "C", {2}, {1}), 0);
        ASSERT_EQ(CreateDataGroup(s.set, Pad("D").c_str(), Pad("G").c_str()), 0);
        for (int i = 0; i < 100; ++i) {
            int32_t v[2] = {i, 1000 + i};
            ASSERT_EQ(Put(s.set, "D", names[size_t(i)].c_str(), Index().Dim(0, 1, 2), v), 0);
        }
        std::vector<int32_t> cell(200, -1);
        ASSERT_EQ(Get(s.set, "D", "*", Index().Dim(0, 1, 2), 800, cell.data()), 0);
        EXPECT_EQ(cell[0], 0);
        EXPECT_EQ(cell[99], 99);
        EXPECT_EQ(cell[100], 1000);
        EXPECT_EQ(cell[199], 1099);
    }
    Set r;
    ASSERT_EQ(OpenFileSet(&r.set, dat.c_str(), def.c_str(), 'L', 'r'), 0);
    int32_t v[2] = {1, 2};
    // A write that cannot happen is reported, not taken as done.
    EXPECT_EQ(Put(r.set, "D", "E5", Index().Dim(0, 1, 2), v), 4007);
    int32_t got[2] = {};
    ASSERT_EQ(Get(r.set, "D", "E5", Index().Dim(0, 1, 2), 8, got), 0);
    EXPECT_EQ(got[1], 1005);
}

TEST(KelpaValues, BigEndianFileStoresBigEndianNumbers)
{
    std::string dd = Fresh("big.dd");
    {
        Set s;
        ASSERT_EQ(OpenFileSet(&s.set, dd.c_str(), dd.c_str(), 'B', 'c'), 0);
        ASSERT_EQ(Element(s.set, "R", "REAL", 8, {2}), 0);
        ASSERT_EQ(Cell(s.set, "C", {"R"}), 0);
        ASSERT_EQ(Group(s.set, "G", "C", {1}, {1}), 0);
        ASSERT_EQ(CreateDataGroup(s.set, Pad("D").c_str(), Pad("G").c_str()), 0);
        double v[2] = {1.5, -2.25};
        ASSERT_EQ(Put(s.set, "D", "R", Index(), v), 0);
    }
    std::vector<uint8_t> b = ReadBytes(dd);
    EXPECT_EQ(b[127], 'B');
    Set s;
    ASSERT_EQ(OpenFileSet(&s.set, dd.c_str(), dd.c_str(), 'B', 'u'), 0);
    double got[2] = {};
    ASSERT_EQ(Get(s.set, "D", "R", Index(), 16, got), 0);
    EXPECT_EQ(got[0], 1.5);
    EXPECT_EQ(got[1], -2.25);
}

TEST(KelpaFixture, WriterReproducesTheHandMadeBigEndianFile)
{
    std::string dd = Fresh("remade.dd");
    std::string def = Fresh("remade.def"), dat = Fresh("remade.dat");
    // Letter 'B' on the definition side gives a big-endian definition file;
    // for a DefinitionData file build the same content on the fixture's own
    // header by copying it first and opening with 'c' is not possible, so
    // compare records: create on a copy of the empty big-endian header.
    std::string src = std::string(TRAZ_TEST_SOURCE_DIR) + "/traz_gui/kelpa/tests/data/";
    std::vector<uint8_t> fixture = ReadBytes(src + "new_big.dd");
    ASSERT_EQ(fixture.size(), 32828u);
    // An empty big-endian DefinitionData file: the fixture's header with an
    // empty table.
    std::vector<uint8_t> empty(fixture.begin(), fixture.begin() + 128);
    for (int w = 0; w < 3989; ++w)
        for (int k = 0; k < 8; ++k)
            empty.push_back(0xff);
    uint64_t first = 32040;
    for (int k = 0; k < 8; ++k)
        empty[128 + size_t(k)] = uint8_t(first >> (56 - 8 * k));
    WriteBytes(dd, empty);
    {
        Set s;
        ASSERT_EQ(OpenFileSet(&s.set, dd.c_str(), "", 'L', 'u'), 0);
        ASSERT_TRUE(SetIsCombined(s.set));
        ASSERT_EQ(Element(s.set, "DEPTH", "REAL", 4, {3}, "depth", "m", "water depth"), 0);
        ASSERT_EQ(Cell(s.set, "CELL", {"DEPTH"}), 0);
        ASSERT_EQ(Group(s.set, "GRP", "CELL", {2}, {1}), 0);
        ASSERT_EQ(CreateDataGroup(s.set, Pad("DG").c_str(), Pad("GRP").c_str()), 0);
        float v[6] = {1, 2, 3, 4, 5, 6};
        ASSERT_EQ(Put(s.set, "DG", "DEPTH", Index().Dim(0, 1, 2), v), 0);
        int32_t seven = 7;
        ASSERT_EQ(PutAttribute(s.set, Pad("DG").c_str(), Pad("IA").c_str(), &seven, "INTEGER"), 0);
    }
    EXPECT_EQ(ReadBytes(dd), fixture);
}

TEST(KelpaFixture, OldFormValuesAndAttributes)
{
    std::string src = std::string(TRAZ_TEST_SOURCE_DIR) + "/traz_gui/kelpa/tests/data/";
    WriteBytes("old_v.def", ReadBytes(src + "old_pair.def"));
    WriteBytes("old_v.dat", ReadBytes(src + "old_pair.dat"));
    Set s;
    ASSERT_EQ(OpenFileSet(&s.set, "old_v.dat", "old_v.def", 'L', 'u'), 0);
    float v[6] = {};
    ASSERT_EQ(Get(s.set, "DG", "DEPTH", Index().Dim(0, 1, 2), sizeof v, v), 0);
    EXPECT_EQ(v[0], 1.0f);
    EXPECT_EQ(v[5], 6.0f);
    int32_t ia = 0;
    char name[17] = "IA";
    ASSERT_EQ(GetAttribute(s.set, 0, Pad("DG").c_str(), name, &ia, "INTEGER"), 0);
    EXPECT_EQ(ia, 7);
    // Old-form records are written at the old positions.
    int32_t eight = 8;
    ASSERT_EQ(PutAttribute(s.set, Pad("DG").c_str(), Pad("IB").c_str(), &eight, "INTEGER"), 0);
    float nine[3] = {9, 9, 9};  // one value is the whole element
    ASSERT_EQ(Put(s.set, "DG", "DEPTH", Index().Dim(0, 2, 2), nine), 0);
    ASSERT_EQ(Element(s.set, "NEW", "INTEGER", 4, {1}), 0);
    ASSERT_EQ(CloseFileSet(&s.set), 0);
    std::vector<uint8_t> b = ReadBytes("old_v.dat");
    EXPECT_EQ(Text(b, 4052 + 44 + 16, 16), Pad("IB"));
    EXPECT_EQ(Le32(b, 4052 + 124 + 4), 8u);
    std::vector<uint8_t> d = ReadBytes("old_v.def");
    ASSERT_EQ(d.size(), 12332u + 164u);
    EXPECT_EQ(Le32(d, 12332), 0xFFFFFFFFu);
    EXPECT_EQ(Le32(d, 12332 + 4), 156u);
    EXPECT_EQ(Text(d, 12332 + 8, 4), "   1");
    EXPECT_EQ(Le32(d, 60), 12332u + 164u);
    Set again;
    ASSERT_EQ(OpenFileSet(&again.set, "old_v.dat", "old_v.def", 'L', 'r'), 0);
    ElementRecord e;
    ASSERT_EQ(LookupElement(again.set, Pad("NEW").c_str(), &e), 0);
    EXPECT_STREQ(e.type, "INTEGER ");
}

TEST(KelpaAttributes, SlotsIterationAndLimits)
{
    Set s;
    MakeSet(s, "attributes", {1}, {1});
    const char *d = "D               ";
    int32_t v = 1;
    ASSERT_EQ(PutAttribute(s.set, d, Pad("A").c_str(), &v, "INTEGER"), 0);
    v = 2;
    ASSERT_EQ(PutAttribute(s.set, d, Pad("B").c_str(), &v, "INTEGER"), 0);
    v = 3;
    ASSERT_EQ(PutAttribute(s.set, d, Pad("A").c_str(), &v, "INTEGER"), 0);
    v = 4;
    ASSERT_EQ(PutAttribute(s.set, d, Pad("CC").c_str(), &v, "INTEGER"), 0);
    char name[17] = {};
    int32_t got = 0;
    std::vector<std::pair<std::string, int>> seen;
    for (int mode = 1; GetAttribute(s.set, mode, d, name, &got, "INTEGER") == 0; mode = 2)
        seen.emplace_back(name, got);
    EXPECT_EQ(LastError(), 6016);
    EXPECT_EQ(MessageText(), "No valid attribute name found");
    EXPECT_EQ(seen, (std::vector<std::pair<std::string, int>>{{Pad("A"), 3}, {Pad("B"), 2}, {Pad("CC"), 4}}));
    // By name, then next continues behind it; a short unpadded name matches
    // the first slot that begins with it.
    std::strcpy(name, "B");
    ASSERT_EQ(GetAttribute(s.set, 0, d, name, &got, "INTEGER"), 0);
    ASSERT_EQ(GetAttribute(s.set, 2, d, name, &got, "INTEGER"), 0);
    EXPECT_STREQ(name, Pad("CC").c_str());
    std::strcpy(name, "C");
    ASSERT_EQ(GetAttribute(s.set, 0, d, name, &got, "INTEGER"), 0);
    EXPECT_EQ(got, 4);
    std::strcpy(name, "Z");
    EXPECT_EQ(GetAttribute(s.set, 0, d, name, &got, "INTEGER"), 6015);
    EXPECT_EQ(MessageText(), "Integer attribute 'Z' of group 'D               'not found");

    float r = 0.5f;
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(PutAttribute(s.set, d, Pad("R" + std::to_string(i)).c_str(), &r, "REAL"), 0);
    EXPECT_EQ(PutAttribute(s.set, d, Pad("R5").c_str(), &r, "REAL"), 6011);
    r = 1.5f;
    ASSERT_EQ(PutAttribute(s.set, d, Pad("R3").c_str(), &r, "REAL"), 0);
    float rg = 0;
    std::strcpy(name, "R3");
    ASSERT_EQ(GetAttribute(s.set, 0, d, name, &rg, "REAL"), 0);
    EXPECT_EQ(rg, 1.5f);

    char text[17] = "a string value! ";
    ASSERT_EQ(PutAttribute(s.set, d, Pad("S").c_str(), text, "CHARACTER"), 0);
    char back[17] = {};
    std::strcpy(name, "S");
    ASSERT_EQ(GetAttribute(s.set, 0, d, name, back, "CHARACTE"), 0);
    EXPECT_EQ(std::string(back, 16), "a string value! ");
    EXPECT_EQ(GetAttribute(s.set, 1, Pad("NOGROUP").c_str(), name, back, "CHARACTE"), 6013);
    EXPECT_EQ(PutAttribute(s.set, Pad("NOGROUP").c_str(), name, back, "CHARACTE"), 6004);
    SetLastError(0);
    EXPECT_EQ(PutAttribute(s.set, d, name, back, "DOUBLE"), 0);

    ASSERT_EQ(FlushHashTable(SetDataDescriptor(s.set), s.set), 0);
    std::vector<uint8_t> b = ReadBytes("attributes.dat");
    EXPECT_EQ(Text(b, 8044 + 56, 48), Pad("A") + Pad("B") + Pad("CC"));
    EXPECT_EQ(Le32(b, 8044 + 136), 3u);
    EXPECT_EQ(Text(b, 8044 + 256, 16), Pad("S"));
    EXPECT_EQ(Text(b, 8044 + 336, 16), "a string value! ");
}

TEST(KelpaValues, ASlotReusedByAnotherSetKeepsNoOldLocations)
{
    // Set one: element I at offset 0 of its cell.
    {
        Set s;
        MakeSet(s, "reuse_one", {1}, {1});
        int32_t v = 1;
        ASSERT_EQ(Put(s.set, "D", "I", Index(), &v), 0);
    }
    // Set two, same slot, same names, but I behind an 8-byte element X.
    std::string dat = Fresh("reuse_two.dat"), def = Fresh("reuse_two.def");
    Set s;
    ASSERT_EQ(OpenFileSet(&s.set, dat.c_str(), def.c_str(), 'L', 'c'), 0);
    ASSERT_EQ(Element(s.set, "X", "REAL", 8, {1}), 0);
    ASSERT_EQ(Element(s.set, "I", "INTEGER", 4, {1}), 0);
    ASSERT_EQ(Cell(s.set, "C", {"X", "I"}), 0);
    ASSERT_EQ(Group(s.set, "G", "C", {1}, {1}), 0);
    ASSERT_EQ(CreateDataGroup(s.set, Pad("D").c_str(), Pad("G").c_str()), 0);
    int32_t v = 42;
    ASSERT_EQ(Put(s.set, "D", "I", Index(), &v), 0);
    std::vector<uint8_t> b = ReadBytes(dat);
    EXPECT_EQ(Le32(b, 8044 + 416 + 8), 42u);
    EXPECT_EQ(Le32(b, 8044 + 416), 0u);
}

TEST(KelpaAttributes, AFailedWriteIsReported)
{
    {
        Set s;
        MakeSet(s, "attr_ro", {1}, {1});
    }
    Set s;
    ASSERT_EQ(OpenFileSet(&s.set, "attr_ro.dat", "attr_ro.def", 'L', 'r'), 0);
    int32_t v = 1;
    EXPECT_EQ(PutAttribute(s.set, Pad("D").c_str(), Pad("A").c_str(), &v, "INTEGER"), 6035);
}

TEST(KelpaHostile, DamagedGroupOrCellRecordsMoveNoValuesOutOfTheGroup)
{
    // Order numbers that repeat a dimension, a dimension beyond the count
    // that is not 1, or cell bytes below the element's own bytes would all
    // place values past the data group's area, on other records.
    struct Case {
        const char *what;
        size_t field;  // offset in the group record (g) or cell record (c)
        bool cell;
        uint32_t value;
        int code;
    };
    const Case cases[] = {
        {"order 1, 1", 80 + 4, false, 1, 7006},
        {"order 3 on a group of two dimensions", 80 + 4, false, 3, 7006},
        {"order 4 beyond the count, on an extent of 1", 80 + 8, false, 4, 0},
        {"dimension 3 of 9 beyond the count", 60 + 8, false, 9, 7006},
        {"cell bytes 2", 40, true, 2, 7004},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        uint64_t group_at = 0, cell_at = 0;
        {
            Set s;
            MakeSet(s, "damaged", {4, 3}, {1, 2});
            int bucket, absent;
            ASSERT_EQ(FindInChain(s.set, kGroupKind, Pad("G").c_str(), &group_at, &bucket, &absent), 0);
            ASSERT_EQ(FindInChain(s.set, kCellKind, Pad("C").c_str(), &cell_at, &bucket, &absent), 0);
        }
        std::vector<uint8_t> def = ReadBytes("damaged.def");
        size_t at = size_t(c.cell ? cell_at : group_at) + c.field;
        for (int k = 0; k < 4; ++k)
            def.at(at + size_t(k)) = uint8_t(c.value >> (8 * k));
        WriteBytes("damaged.def", def);
        std::vector<uint8_t> before = ReadBytes("damaged.dat");
        Set s;
        ASSERT_EQ(OpenFileSet(&s.set, "damaged.dat", "damaged.def", 'L', 'u'), 0);
        int32_t v[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
        int r = Put(s.set, "D", "I", Index().Dim(0, 1, 4).Dim(1, 1, 3), v);
        EXPECT_EQ(r, c.code);
        int32_t got[12] = {};
        EXPECT_EQ(Get(s.set, "D", "I", Index().Dim(0, 1, 4).Dim(1, 1, 3), sizeof got, got), c.code);
        ASSERT_EQ(CloseFileSet(&s.set), 0);
        if (c.code != 0)
            EXPECT_EQ(ReadBytes("damaged.dat"), before);
        else
            EXPECT_EQ(got[11], 12);
    }
}

TEST(KelpaHostile, ADamagedStepWordBoundsTheSlice)
{
    {
        Set s;
        MakeSet(s, "stepword", {2, 0}, {1, 2});
    }
    std::vector<uint8_t> b = ReadBytes("stepword.dat");
    ASSERT_EQ(Le64(b, 8044 + 416), 8u);
    // The step word says a slice holds one 4-byte cell where the group
    // says two.
    b[8044 + 416] = 4;
    WriteBytes("stepword.dat", b);
    Set s;
    ASSERT_EQ(OpenFileSet(&s.set, "stepword.dat", "stepword.def", 'L', 'u'), 0);
    int32_t pair[2] = {1, 2};
    EXPECT_EQ(Put(s.set, "D", "I", Index().Dim(0, 1, 2).Dim(1, 1, 1), pair), 4004);
    EXPECT_EQ(MessageText(), "Stop value user index [0,1]=2 should be smaller than 1\n");
    EXPECT_EQ(Get(s.set, "D", "I", Index().Dim(0, 1, 2).Dim(1, 1, 1), sizeof pair, pair), 3004);
    EXPECT_EQ(ReadBytes("stepword.dat"), b);
    // The first cell fits; each new slice reserves what the step word
    // gives a slice, which holds every value a put may place in it.
    int32_t first = 3, second = 4;
    ASSERT_EQ(Put(s.set, "D", "I", Index().Dim(0, 1, 1).Dim(1, 1, 1), &first), 0);
    ASSERT_EQ(Put(s.set, "D", "I", Index().Dim(0, 1, 1).Dim(1, 2, 2), &second), 0);
    int32_t got[2] = {};
    ASSERT_EQ(Get(s.set, "D", "I", Index().Dim(0, 1, 1).Dim(1, 1, 2), sizeof got, got), 0);
    EXPECT_EQ(std::vector<int32_t>(got, got + 2), (std::vector<int32_t>{3, 4}));
    ASSERT_EQ(FlushHashTable(SetDataDescriptor(s.set), s.set), 0);
    EXPECT_EQ(Le64(ReadBytes("stepword.dat"), 60), 8044u + 416 + 2056 + 3 * 2048 + 2 * 4);
}
