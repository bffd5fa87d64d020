// KELPA definitions: elements, cells, group definitions and data groups as
// they land on disk, their checks, lookups and iterations, and the
// hand-made fixtures of both forms.
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

const int32_t kOne[5] = {1, 1, 1, 1, 1};

int Element(int set, const char *name, const char *type, int size, int ndims, const int32_t *dims)
{
    char t[32];
    std::snprintf(t, sizeof t, "%s", type);
    return DefineElement(set, Pad(name).c_str(), t, "quantity", "unit", "description", size, ndims,
                         dims);
}

int Cell(int set, const char *name, const std::vector<std::string> &elements)
{
    std::vector<std::array<char, 17>> names(elements.size() + 1);
    for (size_t i = 0; i < elements.size(); ++i)
        std::snprintf(names[i].data(), 17, "%s", Pad(elements[i]).c_str());
    return DefineCell(set, Pad(name).c_str(), int32_t(elements.size()),
                      reinterpret_cast<const char(*)[17]>(names.data()));
}

}  // namespace

TEST(KelpaElement, DimensionAndTypeChecks)
{
    std::string def = Fresh("elements.def");
    Set s;
    ASSERT_EQ(OpenFileSet(&s.set, "", def.c_str(), 'L', 'c'), 0);
    const int32_t dims[5] = {2, 3, 4, 5, 6};
    EXPECT_EQ(Element(s.set, "E0", "REAL", 4, 0, dims), 5001);
    EXPECT_EQ(Element(s.set, "E6", "REAL", 4, 6, dims), 5001);
    EXPECT_EQ(Element(s.set, "E5", "REAL", 4, 5, dims), 0);
    EXPECT_EQ(Element(s.set, "R8", "real", 8, 1, kOne), 0);
    EXPECT_EQ(Element(s.set, "I3", "INTEGER", 3, 1, kOne), 5003);
    EXPECT_EQ(Element(s.set, "C37", "CHARACTER", 37, 1, kOne), 0);
    EXPECT_EQ(Element(s.set, "D8", "DOUBLE", 8, 1, kOne), 5006);
    EXPECT_EQ(Element(s.set, "R2", "REAL", 2, 1, kOne), 5002);
    EXPECT_EQ(Element(s.set, "X16", "COMPLEX", 16, 1, kOne), 0);
    EXPECT_EQ(Element(s.set, "L8", "LOGICAL", 8, 1, kOne), 5005);

    ElementRecord r;
    ASSERT_EQ(LookupElement(s.set, Pad("R8").c_str(), &r), 0);
    EXPECT_STREQ(r.type, "REAL    ");
    ASSERT_EQ(LookupElement(s.set, Pad("C37").c_str(), &r), 0);
    EXPECT_STREQ(r.type, "CHARACTE");
    EXPECT_EQ(r.total_bytes, 37u);
    ASSERT_EQ(LookupElement(s.set, Pad("E5").c_str(), &r), 0);
    EXPECT_EQ(r.total_bytes, 4u * 2 * 3 * 4 * 5 * 6);
    EXPECT_EQ(LookupElement(s.set, Pad("I3").c_str(), &r), 6005);

    // A second definition of the same name is refused and writes nothing.
    ASSERT_EQ(FlushHashTable(SetDefinitionDescriptor(s.set), s.set), 0);
    std::vector<uint8_t> before = ReadBytes(def);
    EXPECT_EQ(Element(s.set, "R8", "REAL", 4, 1, kOne), 5007);
    EXPECT_EQ(MessageText(), "Element 'R8              ' already exists\n");
    ASSERT_EQ(FlushHashTable(SetDefinitionDescriptor(s.set), s.set), 0);
    EXPECT_EQ(ReadBytes(def), before);
}

TEST(KelpaElement, RecordBytesOnDisk)
{
    std::string def = Fresh("element_bytes.def");
    {
        Set s;
        ASSERT_EQ(OpenFileSet(&s.set, "", def.c_str(), 'L', 'c'), 0);
        const int32_t dims[5] = {7, 2, 9, 9, 9};
        ASSERT_EQ(Element(s.set, "DEPTH", "integer", 2, 2, dims), 0);
    }
    std::vector<uint8_t> b = ReadBytes(def);
    ASSERT_EQ(b.size(), 23996u + 180u);
    size_t at = 23996;
    EXPECT_EQ(Le64(b, 60), 23996u + 180u);
    EXPECT_EQ(Le64(b, 60 + 8 * size_t(1 + HashName("DEPTH"))), at);
    EXPECT_EQ(Le64(b, at), ~uint64_t(0));
    EXPECT_EQ(Le64(b, at + 8), 164u);
    EXPECT_EQ(Text(b, at + 16, 8), "       1");
    EXPECT_EQ(Text(b, at + 24, 16), Pad("DEPTH"));
    EXPECT_EQ(Text(b, at + 40, 8), "INTEGER ");
    EXPECT_EQ(Le64(b, at + 48), 28u);
    EXPECT_EQ(Le32(b, at + 56), 2u);
    EXPECT_EQ(Text(b, at + 60, 16), Pad("quantity"));
    EXPECT_EQ(Text(b, at + 92, 64), Pad("description", 64));
    EXPECT_EQ(Le32(b, at + 156), 2u);
    // Dimensions are stored as given; entry points pass 1 beyond the count.
    EXPECT_EQ(Le32(b, at + 160), 7u);
    EXPECT_EQ(Le32(b, at + 164), 2u);
}

TEST(KelpaCell, CountsBytesAndLayout)
{
    std::string def = Fresh("cells.def");
    {
        Set s;
        ASSERT_EQ(OpenFileSet(&s.set, "", def.c_str(), 'L', 'c'), 0);
        const int32_t three[5] = {3, 1, 1, 1, 1};
        ASSERT_EQ(Element(s.set, "L2", "LOGICAL", 2, 1, three), 0);
        ASSERT_EQ(Element(s.set, "I4", "INTEGER", 4, 1, kOne), 0);
        ASSERT_EQ(Element(s.set, "R4", "REAL", 4, 1, kOne), 0);
        EXPECT_EQ(Cell(s.set, "EMPTY", {}), 5012);
        std::vector<std::string> many(101, "I4");
        EXPECT_EQ(Cell(s.set, "TOOMANY", many), 5012);
        many.resize(100);
        EXPECT_EQ(Cell(s.set, "HUNDRED", many), 0);
        EXPECT_EQ(Cell(s.set, "MISSING", {"NOPE"}), 5009);
        uint64_t before = 0;
        {
            std::vector<uint8_t> b = ReadBytes(def);
            (void)b;
        }
        (void)before;
        ASSERT_EQ(Cell(s.set, "MIXED", {"L2", "I4", "R4"}), 0);
        EXPECT_EQ(Cell(s.set, "MIXED", {"L2"}), 5010);
        CellRecord c;
        ASSERT_EQ(LookupCell(s.set, Pad("MIXED").c_str(), &c), 0);
        EXPECT_EQ(c.count, 3);
        EXPECT_EQ(c.cell_bytes, 8u + 4u + 4u);
        EXPECT_STREQ(c.names[1], Pad("I4").c_str());
        EXPECT_EQ(LookupCell(s.set, Pad("NOCELL").c_str(), &c), 6003);
    }
    std::vector<uint8_t> b = ReadBytes(def);
    // MIXED is the last record: 52 + 3 x 16 bytes, length field 84.
    size_t at = b.size() - 100;
    EXPECT_EQ(Le64(b, 60 + 8 * size_t(1 + 997 + HashName("MIXED"))), at);
    EXPECT_EQ(Le64(b, at + 8), 84u);
    EXPECT_EQ(Text(b, at + 16, 8), "       2");
    EXPECT_EQ(Le64(b, at + 40), 16u);
    EXPECT_EQ(Le32(b, at + 48), 3u);
    EXPECT_EQ(Text(b, at + 52, 48), Pad("L2") + Pad("I4") + Pad("R4"));
}

TEST(KelpaGroup, ChecksAndDataGroupAreas)
{
    std::string def = Fresh("groups.def"), dat = Fresh("groups.dat");
    Set s;
    ASSERT_EQ(OpenFileSet(&s.set, "", def.c_str(), 'L', 'c'), 0);
    Set d;
    ASSERT_EQ(OpenFileSet(&d.set, dat.c_str(), def.c_str(), 'L', 'c'), 8002);
    CloseFileSet(&s.set);
    ASSERT_EQ(OpenFileSet(&d.set, dat.c_str(), def.c_str(), 'L', 'u'), 0);
    const int32_t three[5] = {3, 1, 1, 1, 1};
    ASSERT_EQ(Element(d.set, "R3", "REAL", 4, 1, three), 0);
    ASSERT_EQ(Cell(d.set, "C", {"R3"}), 0);  // 12 bytes
    const int32_t dims[5] = {10, 0, 3, 1, 1}, order[5] = {1, 2, 3, 4, 5};
    EXPECT_EQ(DefineGroup(d.set, Pad("G6").c_str(), Pad("C").c_str(), 6, dims, order), 5016);
    const int32_t bad_order[5] = {1, 1, 3, 4, 5};
    EXPECT_EQ(DefineGroup(d.set, Pad("GB").c_str(), Pad("C").c_str(), 3, dims, bad_order), 5031);
    EXPECT_EQ(DefineGroup(d.set, Pad("GX").c_str(), Pad("NOCELL").c_str(), 3, dims, order), 5013);
    ASSERT_EQ(DefineGroup(d.set, Pad("VAR").c_str(), Pad("C").c_str(), 3, dims, order), 0);
    EXPECT_EQ(DefineGroup(d.set, Pad("VAR").c_str(), Pad("C").c_str(), 3, dims, order), 5014);
    const int32_t fixed_dims[5] = {7, 2, 9, 9, 9};
    ASSERT_EQ(DefineGroup(d.set, Pad("FIX").c_str(), Pad("C").c_str(), 2, fixed_dims, order), 0);
    GroupRecord g;
    ASSERT_EQ(LookupGroup(d.set, Pad("FIX").c_str(), &g), 0);
    EXPECT_EQ(g.dims[2], 1);
    EXPECT_EQ(g.order[4], 5);

    ASSERT_EQ(CreateDataGroup(d.set, Pad("F1").c_str(), Pad("FIX").c_str()), 0);
    ASSERT_EQ(CreateDataGroup(d.set, Pad("V1").c_str(), Pad("VAR").c_str()), 0);
    EXPECT_EQ(CreateDataGroup(d.set, Pad("V1").c_str(), Pad("VAR").c_str()), 5019);
    EXPECT_EQ(CreateDataGroup(d.set, Pad("N1").c_str(), Pad("NOGROUP").c_str()), 5017);
    uint64_t address;
    char group[17];
    ASSERT_EQ(LookupDataGroup(d.set, Pad("F1").c_str(), &address, group), 0);
    EXPECT_EQ(address, 8044u);
    EXPECT_STREQ(group, Pad("FIX").c_str());
    EXPECT_EQ(LookupDataGroup(d.set, Pad("NONE").c_str(), &address, group), 6004);
    ASSERT_EQ(CloseFileSet(&d.set), 0);

    std::vector<uint8_t> b = ReadBytes(dat);
    uint64_t v1 = 8044 + 416 + 14 * 12;
    EXPECT_EQ(Le64(b, 8044 + 8), 416u + 14 * 12);
    EXPECT_EQ(Text(b, 8044 + 16, 8), "       4");
    EXPECT_EQ(Text(b, 8044 + 56, 360), std::string(360, ' '));
    EXPECT_EQ(Text(b, v1 + 16, 8), "       5");
    EXPECT_EQ(Le64(b, v1 + 8), 416u + 2056u);
    EXPECT_EQ(Le64(b, v1 + 416), 30u * 12);
    EXPECT_EQ(Le64(b, v1 + 424), ~uint64_t(0));
    EXPECT_EQ(Le64(b, 60), v1 + 416 + 2056);
    EXPECT_EQ(b.size(), v1 + 416 + 2056);
}

TEST(KelpaIterate, ChainsInAddressOrderNewestFirst)
{
    std::string def = Fresh("iterate.def");
    Set s;
    ASSERT_EQ(OpenFileSet(&s.set, "", def.c_str(), 'L', 'c'), 0);
    ElementRecord r;
    EXPECT_EQ(IterateElements(s.set, 0, &r), -6024);
    EXPECT_EQ(IterateElements(s.set, 1, &r), -6024);
    // Find two names sharing a bucket and one in another bucket.
    std::string a = "A", b, other = "B";
    for (int i = 0; i < 100000 && b.empty(); ++i) {
        std::string n = "N" + std::to_string(i);
        if (HashName(n.c_str()) == HashName("A"))
            b = n;
    }
    ASSERT_FALSE(b.empty());
    ASSERT_NE(HashName("B"), HashName("A"));
    ASSERT_EQ(Element(s.set, other.c_str(), "REAL", 4, 1, kOne), 0);
    ASSERT_EQ(Element(s.set, a.c_str(), "REAL", 4, 1, kOne), 0);
    ASSERT_EQ(Element(s.set, b.c_str(), "REAL", 4, 1, kOne), 0);
    std::vector<std::string> seen;
    for (int next = 0; IterateElements(s.set, next, &r) == 0; next = 1)
        seen.push_back(std::string(r.name, 16));
    EXPECT_EQ(LastError(), -6024);
    EXPECT_EQ(MessageText(), "No more elements available in definition file 'iterate.def'\n");
    EXPECT_EQ(seen, (std::vector<std::string>{Pad(other), Pad(b), Pad(a)}));

    // An iteration does not outlive its set: a set opened later in the same
    // slot does not continue it on its own file.
    ASSERT_EQ(IterateElements(s.set, 0, &r), 0);
    int slot = s.set;
    ASSERT_EQ(CloseFileSet(&s.set), 0);
    std::string other_def = Fresh("iterate2.def");
    ASSERT_EQ(OpenFileSet(&s.set, "", other_def.c_str(), 'L', 'c'), 0);
    ASSERT_EQ(s.set, slot);
    ASSERT_EQ(Element(s.set, "X", "REAL", 4, 1, kOne), 0);
    EXPECT_EQ(IterateElements(s.set, 1, &r), -6024);
}

TEST(KelpaFixture, OldFormPairReadsLikeTheLayout)
{
    std::string src = std::string(TRAZ_TEST_SOURCE_DIR) + "/traz_gui/kelpa/tests/data/";
    WriteBytes("old_pair.def", ReadBytes(src + "old_pair.def"));
    WriteBytes("old_pair.dat", ReadBytes(src + "old_pair.dat"));
    Set s;
    ASSERT_EQ(OpenFileSet(&s.set, "old_pair.dat", "old_pair.def", 'L', 'r'), 0);
    EXPECT_EQ(SetForm(s.set), kOldForm);
    ElementRecord e;
    ASSERT_EQ(LookupElement(s.set, Pad("DEPTH").c_str(), &e), 0);
    EXPECT_EQ(e.next, kNil);
    EXPECT_STREQ(e.type, "REAL    ");
    EXPECT_EQ(e.total_bytes, 12u);
    EXPECT_EQ(e.value_size, 4);
    EXPECT_STREQ(e.unit, Pad("m").c_str());
    EXPECT_STREQ(e.description, Pad("water depth", 64).c_str());
    EXPECT_EQ(e.ndims, 1);
    EXPECT_EQ(e.dims[0], 3);
    CellRecord c;
    ASSERT_EQ(LookupCell(s.set, Pad("CELL").c_str(), &c), 0);
    EXPECT_EQ(c.cell_bytes, 12u);
    EXPECT_EQ(c.count, 1);
    GroupRecord g;
    ASSERT_EQ(LookupGroup(s.set, Pad("GRP").c_str(), &g), 0);
    EXPECT_STREQ(g.cell, Pad("CELL").c_str());
    EXPECT_EQ(g.dims[0], 2);
    EXPECT_EQ(g.order[1], 2);
    uint64_t address;
    char group[17];
    ASSERT_EQ(LookupDataGroup(s.set, Pad("DG").c_str(), &address, group), 0);
    EXPECT_EQ(address, 60u + 3992u);
    EXPECT_STREQ(group, Pad("GRP").c_str());
}

TEST(KelpaFixture, BigEndianDefinitionDataFile)
{
    std::string src = std::string(TRAZ_TEST_SOURCE_DIR) + "/traz_gui/kelpa/tests/data/";
    WriteBytes("new_big.dd", ReadBytes(src + "new_big.dd"));
    Set s;
    // The header's 'B' rules, whatever the caller passes.
    ASSERT_EQ(OpenFileSet(&s.set, "new_big.dd", "", 'L', 'r'), 0);
    EXPECT_TRUE(SetIsCombined(s.set));
    EXPECT_EQ(SetForm(s.set), kNewForm);
    ElementRecord e;
    ASSERT_EQ(LookupElement(s.set, Pad("DEPTH").c_str(), &e), 0);
    EXPECT_EQ(e.total_bytes, 12u);
    EXPECT_EQ(e.dims[0], 3);
    GroupRecord g;
    ASSERT_EQ(LookupGroup(s.set, Pad("GRP").c_str(), &g), 0);
    EXPECT_EQ(g.dims[0], 2);
    DataGroupHead h;
    ASSERT_EQ(IterateDataGroups(s.set, 0, &h), 0);
    EXPECT_STREQ(h.name, Pad("DG").c_str());
    EXPECT_EQ(IterateDataGroups(s.set, 1, &h), -6021);
    EXPECT_EQ(MessageText(), "No more data groups available in DefinitonData file 'new_big.dd'\n");
}

TEST(KelpaHostile, ChainLoopsAndBadCountsEndWithErrors)
{
    std::string def = Fresh("loop.def");
    {
        Set s;
        ASSERT_EQ(OpenFileSet(&s.set, "", def.c_str(), 'L', 'c'), 0);
        ASSERT_EQ(Element(s.set, "A", "REAL", 4, 1, kOne), 0);
        ASSERT_EQ(Cell(s.set, "C", {"A"}), 0);
    }
    std::vector<uint8_t> b = ReadBytes(def);
    // The element points at itself; the cell claims 5000 elements.
    std::vector<uint8_t> bad = b;
    for (int i = 0; i < 8; ++i)
        bad[23996 + size_t(i)] = b[60 + 8 * size_t(1 + HashName("A")) + size_t(i)];
    bad[23996 + 180 + 48] = 0x88;
    bad[23996 + 180 + 49] = 0x13;
    WriteBytes(def, bad);
    Set s;
    ASSERT_EQ(OpenFileSet(&s.set, "", def.c_str(), 'L', 'u'), 0);
    ElementRecord e;
    EXPECT_EQ(LookupElement(s.set, Pad("Z").c_str(), &e), HashName("Z") == HashName("A") ? 7002 : 6005);
    uint64_t address;
    int bucket, absent;
    // Searching the looping chain for a name it does not hold ends.
    char other[17] = {};
    for (int i = 0; i < 100000; ++i) {
        std::snprintf(other, sizeof other, "Q%d", i);
        if (HashName(other) == HashName("A"))
            break;
    }
    EXPECT_EQ(FindInChain(s.set, kElementKind, Pad(other).c_str(), &address, &bucket, &absent), 7002);
    CellRecord c;
    EXPECT_EQ(LookupCell(s.set, Pad("C").c_str(), &c), 7004);
}

TEST(KelpaFixture, OldFormAndNewFormCopiesReadAlike)
{
    std::string src = std::string(TRAZ_TEST_SOURCE_DIR) + "/traz_gui/kelpa/tests/data/";
    WriteBytes("alike.def", ReadBytes(src + "old_pair.def"));
    WriteBytes("alike.dat", ReadBytes(src + "old_pair.dat"));
    WriteBytes("alike.dd", ReadBytes(src + "new_big.dd"));
    // An old-form header letter 'N' with the caller's 'B': no conversion.
    std::vector<uint8_t> d = ReadBytes("alike.def");
    d[59] = 'N';
    WriteBytes("alike.def", d);
    Set old_set, new_set;
    ASSERT_EQ(OpenFileSet(&old_set.set, "alike.dat", "alike.def", 'B', 'r'), 0);
    ASSERT_EQ(OpenFileSet(&new_set.set, "alike.dd", "alike.dd", 'L', 'r'), 0);
    ElementRecord a, b;
    ASSERT_EQ(LookupElement(old_set.set, Pad("DEPTH").c_str(), &a), 0);
    ASSERT_EQ(LookupElement(new_set.set, Pad("DEPTH").c_str(), &b), 0);
    EXPECT_EQ(a.next, b.next);
    EXPECT_STREQ(a.name, b.name);
    EXPECT_STREQ(a.type, b.type);
    EXPECT_EQ(a.total_bytes, b.total_bytes);
    EXPECT_EQ(a.value_size, b.value_size);
    EXPECT_STREQ(a.quantity, b.quantity);
    EXPECT_STREQ(a.unit, b.unit);
    EXPECT_STREQ(a.description, b.description);
    EXPECT_EQ(a.ndims, b.ndims);
    EXPECT_EQ(std::vector<int32_t>(a.dims, a.dims + 5), std::vector<int32_t>(b.dims, b.dims + 5));
}

TEST(KelpaClose, ReadOnlyAndQuitWriteNothingBack)
{
    std::string def = Fresh("quit.def");
    {
        Set s;
        ASSERT_EQ(OpenFileSet(&s.set, "", def.c_str(), 'L', 'c'), 0);
    }
    Set s;
    ASSERT_EQ(OpenFileSet(&s.set, "", def.c_str(), 'L', 'u'), 0);
    ASSERT_EQ(Element(s.set, "A", "REAL", 4, 1, kOne), 0);
    ASSERT_EQ(CloseFileSet(&s.set, false), 0);
    std::vector<uint8_t> b = ReadBytes(def);
    // The record is there, but the table still says the file is empty.
    EXPECT_EQ(b.size(), 23996u + 180u);
    EXPECT_EQ(Le64(b, 60), 23996u);
    ASSERT_EQ(OpenFileSet(&s.set, "", def.c_str(), 'L', 'r'), 0);
    ElementRecord e;
    EXPECT_EQ(LookupElement(s.set, Pad("A").c_str(), &e), 6005);
    ASSERT_EQ(CloseFileSet(&s.set), 0);
    EXPECT_EQ(ReadBytes(def), b);
}
