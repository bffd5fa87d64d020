// KELPA damaged files: copies of a small sound pair, cut or changed on
// disk, must give an error number and change nothing.  No attribute, cell
// or value is made up from a record the file no longer holds whole, and no
// write lands outside the record it addresses.
#include "kelpa.h"
#include "kelpa_core.h"
#include "kelpa_test_util.h"
#include "sound_pair.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using namespace kelpa_test;

namespace {

const std::string kData = std::string(TRAZ_TEST_SOURCE_DIR) + "/traz_gui/kelpa/tests/data/";

// Where the records of the pair lie (data/make_fixtures.py).
constexpr size_t kFixGrpAt = 23996 + 6 * 180 + 100;
constexpr size_t kVarGrpAt = kFixGrpAt + 200;
constexpr size_t kQualAt = kFixGrpAt + 100;

// A name field of 16 characters, as the calling form passes it.
struct Name {
    char text[17];
    explicit Name(const char *s = "") { std::snprintf(text, sizeof text, "%-16s", s); }
};

// A set on copies of a data and a definition file, closed at the end.
struct Pair {
    int32_t set = -1;
    std::string dat, def;
    Pair(const std::string &base, const std::vector<uint8_t> &data, const std::vector<uint8_t> &definition,
         const char *access = "u")
        : dat(Fresh(base + ".dat")), def(Fresh(base + ".def"))
    {
        WriteBytes(dat, data);
        WriteBytes(def, definition);
        int r = Crenef(&set, dat.c_str(), def.c_str(), "L", access, int32_t(dat.size()), int32_t(def.size()), 1, 1);
        EXPECT_EQ(r, 0);
    }
    ~Pair() { Close(); }
    void Close()
    {
        if (set >= 0) {
            EXPECT_EQ(Endset(&set), 0);
        }
    }
};

struct Index {
    int32_t v[15] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    int32_t order[5] = {1, 2, 3, 4, 5};
    Index(int32_t from1, int32_t to1, int32_t from2, int32_t to2)
    {
        v[0] = from1;
        v[1] = to1;
        v[3] = from2;
        v[4] = to2;
    }
};

int Put(Pair &p, const char *group, const char *element, const Index &ix, const void *values)
{
    Name g(group), e(element);
    return Putval(&p.set, g.text, e.text, ix.v, ix.order, values, 16, 16);
}

int Get(Pair &p, const char *group, const char *element, const Index &ix, int32_t len, void *values)
{
    Name g(group), e(element);
    return Getval(&p.set, g.text, e.text, ix.v, ix.order, &len, values, 16, 16);
}

}  // namespace

TEST(KelpaSoundPair, LibraryWritesTheHandMadePairAndReadsIt)
{
    ASSERT_EQ(kelpa_pair::BuildSoundPair("made.dat", "made.def"), 0);
    std::vector<uint8_t> dat = ReadBytes(kData + "pair.dat"), def = ReadBytes(kData + "pair.def");
    ASSERT_EQ(def.size(), kVarGrpAt + 100);
    EXPECT_EQ(ReadBytes("made.def"), def);
    EXPECT_EQ(ReadBytes("made.dat"), dat);

    Pair p("sound", dat, def, "r");
    float depth = 0;
    ASSERT_EQ(Get(p, "FIXDG", "DEPTH", Index(2, 2, 3, 3), 4, &depth), 0);
    EXPECT_EQ(depth, kelpa_pair::FixedDepth(1 + 4 * 2));
    double temp[4] = {};
    ASSERT_EQ(Get(p, "VARDG", "TEMP", Index(1, 2, 1, 2), sizeof temp, temp), 0);
    EXPECT_EQ(temp[3], kelpa_pair::VariableTemp(2, 1));
    Name name, dg("VARDG");
    int32_t ntimes = 0;
    ASSERT_EQ(Inqfia(&p.set, dg.text, name.text, &ntimes, 16, 16), 0);
    EXPECT_EQ(std::string(name.text, 16), Name("NTIMES").text);
    EXPECT_EQ(ntimes, 2);
    EXPECT_EQ(Inqnia(&p.set, dg.text, name.text, &ntimes, 16, 16), 6016);
    float real = 0;
    EXPECT_EQ(Inqfra(&p.set, dg.text, name.text, &real, 16, 16), 6018);
    char names[3][16];
    int32_t count = 3;
    ASSERT_EQ(Inqcel(&p.set, Name("QUAL").text, &count, &names[0][0], 16, 16), 0);
    EXPECT_EQ(std::string(names[2], 16), Name("SAL").text);
}

TEST(KelpaDamaged, ADataGroupCutInsideItsFixedPartHasNoAttributes)
{
    // cut_attributes.dat ends 200 bytes into VARDG's 416-byte fixed part;
    // VARDG holds one integer attribute and no others.
    std::vector<uint8_t> cut = ReadBytes(kData + "cut_attributes.dat");
    ASSERT_EQ(cut.size(), 8700u + 200u);
    Pair p("cut_attributes", cut, ReadBytes(kData + "pair.def"));
    Name dg("VARDG");
    const Name untouched("untouched");
    struct Case {
        const char *what;
        int code;
        std::function<int(Name &)> call;
    };
    int32_t iv = -7;
    float rv = -7;
    char sv[16];
    std::memset(sv, '#', sizeof sv);
    const Case cases[] = {
        {"Inqfia", 6014, [&](Name &n) { return Inqfia(&p.set, dg.text, n.text, &iv, 16, 16); }},
        {"Inqfra", 6014, [&](Name &n) { return Inqfra(&p.set, dg.text, n.text, &rv, 16, 16); }},
        {"Inqfsa", 6014, [&](Name &n) { return Inqfsa(&p.set, dg.text, n.text, sv, 16, 16, 16); }},
        {"Inqnia", 6014, [&](Name &n) { return Inqnia(&p.set, dg.text, n.text, &iv, 16, 16); }},
        {"Getiat", 6014, [&](Name &) { return Getiat(&p.set, dg.text, Name("NTIMES").text, &iv, 16, 16); }},
        {"Putiat", 6009, [&](Name &) {
             int32_t five = 5;
             return Putiat(&p.set, dg.text, Name("NEW").text, &five, 16, 16);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Name n = untouched;
        EXPECT_EQ(c.call(n), c.code);
        EXPECT_EQ(std::string(n.text, 16), untouched.text);
    }
    EXPECT_EQ(iv, -7);
    EXPECT_EQ(rv, -7.0f);
    EXPECT_EQ(sv[0], '#');
    EXPECT_EQ(kelpa::MessageText(), "On reading attribute of group 'VARDG           '");

    // The data group before the cut still answers.
    Name fix("FIXDG"), n;
    ASSERT_EQ(Inqfia(&p.set, fix.text, n.text, &iv, 16, 16), 0);
    EXPECT_EQ(iv, 12);
    ASSERT_EQ(Inqfsa(&p.set, fix.text, n.text, sv, 16, 16, 16), 0);
    EXPECT_EQ(std::string(sv, 16), Name("fixed group").text);
    p.Close();
    EXPECT_EQ(ReadBytes(p.dat), cut);
}

TEST(KelpaDamaged, ACellCutInsideItsNamesIsRefused)
{
    // cut_cell.def ends inside QUAL, behind its first element name.
    std::vector<uint8_t> cut = ReadBytes(kData + "cut_cell.def");
    ASSERT_EQ(cut.size(), kQualAt + 52 + 16);
    Pair p("cut_cell", ReadBytes(kData + "pair.dat"), cut);
    char names[3][16];
    std::memset(names, '#', sizeof names);
    int32_t count = 3;
    EXPECT_EQ(Inqcel(&p.set, Name("QUAL").text, &count, &names[0][0], 16, 16), 7004);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(names[0][0], '#');
    // Iterating the cells meets it too: HYDRO, then the cut QUAL.
    Name cell;
    int64_t bytes = 0;
    char slots[3][17];
    count = 3;
    ASSERT_EQ(Inqfcl(&p.set, cell.text, &count, &bytes, &slots[0][0], 16, 16), 0);
    EXPECT_EQ(std::string(cell.text, 16), Name("HYDRO").text);
    count = 3;
    EXPECT_EQ(Inqncl(&p.set, cell.text, &count, &bytes, &slots[0][0], 16, 16), 7004);
    // VARGRP lay behind the cut: its record is gone, not made up.
    Name group;
    int32_t ndims = 5, dims[5], order[5];
    EXPECT_EQ(Inqgrp(&p.set, Name("VARGRP").text, group.text, &ndims, dims, order, 16, 16), 7002);
    // What lies before the cut still reads.
    float vel[3] = {};
    ASSERT_EQ(Get(p, "FIXDG", "VEL", Index(4, 4, 3, 3), sizeof vel, vel), 0);
    EXPECT_EQ(vel[1], -11.0f);
}

TEST(KelpaDamaged, AWriteThroughADamagedGroupStaysInsideItsRecord)
{
    std::vector<uint8_t> dat = ReadBytes(kData + "pair.dat"), def = ReadBytes(kData + "pair.def");
    auto patched = [&](size_t at, const std::string &bytes) {
        std::vector<uint8_t> d = def;
        std::copy(bytes.begin(), bytes.end(), d.begin() + long(at));
        return d;
    };
    auto int32 = [](int32_t v) { return std::string(reinterpret_cast<const char *>(&v), 4); };
    struct Case {
        const char *what;
        std::vector<uint8_t> definition;
        const char *group, *element;
        Index index;
        int put, get;
    };
    const Case cases[] = {
        // (2, 30) lies 12 cells of 20 bytes behind FIXDG's area, on VARDG's
        // first pointer table.
        {"FIXGRP 4 x 30 for 4 x 3", ReadBytes(kData + "wide_group.def"), "FIXDG", "VEL", Index(2, 2, 30, 30), 4004,
         3004},
        {"VARGRP 20 x variable for 2 x variable", patched(kVarGrpAt + 60, int32(20)), "VARDG", "TEMP",
         Index(20, 20, 1, 1), 4004, 3004},
        {"FIXGRP of cell QUAL (24 bytes) for HYDRO (20)", patched(kFixGrpAt + 40, Name("QUAL").text), "FIXDG", "SAL",
         Index(4, 4, 3, 3), 4004, 3004},
        {"FIXGRP made variable", patched(kFixGrpAt + 64, int32(0)), "FIXDG", "VEL", Index(1, 1, 1, 1), 7006, 7006},
        {"VARGRP made fixed", patched(kVarGrpAt + 64, int32(5)), "VARDG", "TEMP", Index(1, 1, 5, 5), 7006, 7006},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Pair p("damaged_group", dat, c.definition);
        uint8_t values[64];
        std::memset(values, 0x5a, sizeof values);
        EXPECT_EQ(Put(p, c.group, c.element, c.index, values), c.put);
        EXPECT_EQ(Get(p, c.group, c.element, c.index, sizeof values, values), c.get);
        EXPECT_EQ(values[0], 0x5a);
        p.Close();
        EXPECT_EQ(ReadBytes(p.dat), dat);
    }
    EXPECT_EQ(kelpa::MessageText(), "During reading of group structure");

    // The message names the extent the record holds.  Inside the record, a
    // put through the wide group still goes where the data group's own
    // layout has it (the damaged dimension is the slowest), and VARDG,
    // behind FIXDG, keeps its values.
    Pair p("wide_inside", dat, ReadBytes(kData + "wide_group.def"));
    float v[3] = {7, 8, 9};
    EXPECT_EQ(Put(p, "FIXDG", "VEL", Index(2, 2, 30, 30), v), 4004);
    EXPECT_EQ(kelpa::MessageText(), "Stop value user index [1,1]=30 should be smaller than 3\n");
    EXPECT_EQ(Get(p, "FIXDG", "VEL", Index(2, 2, 30, 30), sizeof v, v), 3004);
    EXPECT_EQ(kelpa::MessageText(), "Stop value 30 should be smaller than 3\n");
    ASSERT_EQ(Put(p, "FIXDG", "VEL", Index(2, 2, 3, 3), v), 0);
    double temp[4] = {};
    ASSERT_EQ(Get(p, "VARDG", "TEMP", Index(1, 2, 1, 2), sizeof temp, temp), 0);
    EXPECT_EQ(temp[2], kelpa_pair::VariableTemp(2, 0));
    p.Close();
    std::vector<uint8_t> after = ReadBytes(p.dat);
    size_t at = 8044 + 416 + (1 + 4 * 2) * 20 + 4;
    std::vector<uint8_t> expected = dat;
    std::memcpy(&expected[at], v, sizeof v);
    EXPECT_EQ(after, expected);
}

TEST(KelpaDamaged, AHugeDimensionInADamagedGroupReservesNoMoreThanASlice)
{
    // VARGRP's fixed dimension 788570113 for 2: a put at a new variable
    // index inside the slice reserves the 48 bytes VARDG's step word gives a
    // slice, not some 19 GB.
    std::vector<uint8_t> dat = ReadBytes(kData + "pair.dat"), def = ReadBytes(kData + "pair.def");
    const int32_t huge = 788570113;
    std::memcpy(&def[kVarGrpAt + 60], &huge, 4);
    Pair p("huge_group", dat, def);
    double temp[2] = {40.5, 41.5};
    ASSERT_EQ(Put(p, "VARDG", "TEMP", Index(1, 2, 3, 3), temp), 0);
    double back[2] = {};
    ASSERT_EQ(Get(p, "VARDG", "TEMP", Index(1, 2, 3, 3), sizeof back, back), 0);
    EXPECT_EQ(back[1], 41.5);
    p.Close();
    std::vector<uint8_t> after = ReadBytes(p.dat);
    uint64_t next_free = Le64(dat, 60);
    EXPECT_EQ(Le64(after, 60), next_free + 48);
    EXPECT_EQ(after.size(), next_free + 24 + 10 + 8);
}
