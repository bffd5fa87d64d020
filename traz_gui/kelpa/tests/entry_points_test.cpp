// KELPA entry points: the calling form with blank-padded texts and appended
// lengths as the water-quality routines use it, the entry points' own size
// checks, and the plain form.
#include "kelpa.h"
#include "kelpa_core.h"
#include "kelpa_test_util.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace kelpa_test;

namespace {

// A blank-padded text field of a fixed length, as a record-file routine
// passes it.
struct Field {
    std::string text;
    Field(const std::string &s, size_t len) : text(s) { text.resize(len, ' '); }
    const char *p() const { return text.data(); }
    char *w() { return &text[0]; }
    kelpa_len n() const { return kelpa_len(text.size()); }
};

}  // namespace

TEST(KelpaEntry, WaterQualityRoundTripWithPaddedNames)
{
    Fresh("wq.ada");
    Fresh("wq.adf");
    Field dat("wq.ada", 256), def("wq.adf", 256), coding("N", 1);
    int32_t fdat = -1, fdef = -1;
    ASSERT_EQ(Attdef(&fdef, def.p(), coding.p(), def.n(), coding.n()), 0);
    ASSERT_EQ(Attdat(&fdat, dat.p(), coding.p(), dat.n(), coding.n()), 0);
    // The data file was created little-endian ('N' maps to 'L').
    int32_t size = 4, nd = 2;
    const int32_t dims[5] = {3, 2, 7, 7, 7};
    Field el("XCOORD", 16), type("REAL", 8), qty("x", 16), unit("m", 16), desc("x coordinate", 64);
    ASSERT_EQ(Newelm(&fdef, el.p(), type.p(), &size, qty.p(), unit.p(), desc.p(), &nd, dims, el.n(),
                     type.n(), qty.n(), unit.n(), desc.n()),
              0);
    Field cell("GRID", 16), names("XCOORD", 20);
    int32_t one = 1;
    ASSERT_EQ(Newcel(&fdef, cell.p(), &one, names.p(), cell.n(), names.n()), 0);
    Field grp("GRID", 16);
    int32_t gdims[5] = {1, 0, 0, 0, 0}, gorder[5] = {1, 2, 3, 4, 5};
    ASSERT_EQ(Newgrp(&fdef, grp.p(), cell.p(), &one, gdims, gorder, grp.n(), cell.n()), 0);
    // Data groups live in the data file; the definition file of another set
    // is not this set's: the group definition is not found there.
    EXPECT_EQ(Newdat(&fdat, grp.p(), grp.p(), grp.n(), grp.n()), 5017);
    // Nor can elements be defined in a set that has no definition file.
    EXPECT_EQ(Newelm(&fdat, el.p(), type.p(), &size, qty.p(), unit.p(), desc.p(), &nd, dims, el.n(),
                     type.n(), qty.n(), unit.n(), desc.n()),
              5008);
    char dgn[16], gdn[16];
    EXPECT_EQ(Inqfst(&fdef, dgn, gdn, 16, 16), -6022);
    ASSERT_EQ(Detdat(&fdat), 0);
    ASSERT_EQ(Detdef(&fdef), 0);
    EXPECT_EQ(fdat, -1);

    // One set holding both files is how values are written.
    int32_t set = -1;
    Field access("u", 1);
    ASSERT_EQ(Crenef(&set, dat.p(), def.p(), coding.p(), access.p(), dat.n(), def.n(), 1, 1), 0);
    ASSERT_EQ(Newdat(&set, grp.p(), grp.p(), grp.n(), grp.n()), 0);
    float xy[6] = {1, 2, 3, 4, 5, 6};
    int32_t index[15] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    int32_t order[5] = {1, 2, 3, 4, 5};
    ASSERT_EQ(Putval(&set, grp.p(), el.p(), index, order, xy, grp.n(), el.n()), 0);
    ASSERT_EQ(Endset(&set), 0);

    ASSERT_EQ(Crenef(&set, dat.p(), def.p(), coding.p(), Field("r", 1).p(), dat.n(), def.n(), 1, 1), 0);
    float back[6] = {};
    int32_t len = sizeof back;
    ASSERT_EQ(Getval(&set, grp.p(), el.p(), index, order, &len, back, grp.n(), el.n()), 0);
    EXPECT_EQ(back[5], 6.0f);
    Field cellout("", 20);
    int32_t nd_room = 5, gd[5] = {}, go[5] = {};
    ASSERT_EQ(Inqgrp(&set, grp.p(), cellout.w(), &nd_room, gd, go, grp.n(), cellout.n()), 0);
    EXPECT_EQ(cellout.text, Pad("GRID", 20));
    EXPECT_EQ(nd_room, 1);
    Field nogroup("KIMBOL_PARAMS", 16);
    nd_room = 5;
    EXPECT_NE(Inqgrp(&set, nogroup.p(), cellout.w(), &nd_room, gd, go, nogroup.n(), cellout.n()), 0);
    int32_t largest = -1;
    ASSERT_EQ(Inqmax(&set, grp.p(), &largest, grp.n()), 0);
    EXPECT_EQ(largest, 1);
    // Dimensions beyond the number given were stored as 1.
    Field t("", 8), q("", 16), u("", 16), d("", 64);
    int32_t vs = 0, room = 5, ed[5] = {};
    ASSERT_EQ(Inqelm(&set, el.p(), t.w(), &vs, q.w(), u.w(), d.w(), &room, ed, el.n(), t.n(), q.n(), u.n(),
                     d.n()),
              0);
    EXPECT_EQ(room, 2);
    EXPECT_EQ(ed[1], 2);
    EXPECT_EQ(ed[2], 1);
    EXPECT_EQ(t.text, "REAL    ");
    EXPECT_EQ(d.text, Pad("x coordinate", 64));
    ASSERT_EQ(Endset(&set), 0);
    std::vector<uint8_t> e = ReadBytes("wq.adf");
    EXPECT_EQ(Le32(e, 23996 + 160 + 8), 1u);
}

TEST(KelpaEntry, FileNameChecksAndTrimming)
{
    int before = kelpa::ErrorCount();
    std::string long_name(260, 'a');
    int32_t set = 7;
    EXPECT_EQ(Crenef(&set, long_name.c_str(), "x.def", "L", "c", 260, 5, 1, 1), 2002);
    EXPECT_EQ(kelpa::MessageText(), "Crenef: Data filename too long ( length < 259 )");
    EXPECT_EQ(kelpa::ErrorCount(), before);
    EXPECT_EQ(kelpa::UsedSlotCount(), 0);
    // 259 characters pass the check; the read-only open then finds no file.
    std::string longest(259, 'b');
    EXPECT_EQ(Crenef(&set, longest.c_str(), "", "L", "r", 259, 0, 1, 1), 8031);
    EXPECT_EQ(set, -1);
    EXPECT_EQ(Crenef(&set, "", long_name.c_str(), "L", "r", 0, 260, 1, 1), 2003);
    EXPECT_EQ(kelpa::MessageText(), "Crenef: Definition filename too long ( length < 259 )");
    Fresh("trimmed.ada");
    const char name[] = "trimmed.ada \t\n   ";
    ASSERT_EQ(Attdat(&set, name, "L", kelpa_len(sizeof name - 1), 1), 0);
    EXPECT_EQ(kelpa::SetDataName(set), "trimmed.ada");
    EXPECT_EQ(ReadBytes("trimmed.ada").size(), 8044u);
    char header[60];
    EXPECT_EQ(Gethdt(&set, header, 59), 2004);
    ASSERT_EQ(Gethdt(&set, header, 60), 0);
    EXPECT_EQ(std::string(header, 34), "Ostravel, KELPA Data File; 5.00.00");
    ASSERT_EQ(Quitdt(&set), 0);
    char text[200];
    int32_t mode = 0;
    ASSERT_EQ(Errtxt(&mode, text, 200), 0);
    EXPECT_EQ(std::string(text, 28), "The total number of KELPA er");
}

TEST(KelpaEntry, InquiriesOfCellsGroupsAndDataGroups)
{
    Fresh("inq.dd");
    int32_t set = -1;
    ASSERT_EQ(kelpa_crenef(&set, "inq.dd", "inq.dd", 'L', 'c'), 0);
    const int32_t one[5] = {1, 1, 1, 1, 1};
    for (const char *n : {"A", "B", "C"})
        ASSERT_EQ(kelpa_newelm(set, n, "integer", 4, "q", "u", "d", 1, one), 0);
    const char *abc[] = {"A", "B", "C"};
    ASSERT_EQ(kelpa_newcel(set, "ABC", 3, abc), 0);
    ASSERT_EQ(kelpa_newcel(set, "AB", 2, abc), 0);
    const int32_t dims[5] = {2, 0}, order[5] = {1, 2};
    ASSERT_EQ(kelpa_newgrp(set, "G", "AB", 2, dims, order), 0);
    ASSERT_EQ(kelpa_newdat(set, "D1", "G"), 0);
    ASSERT_EQ(kelpa_newdat(set, "D2", "G"), 0);

    char names[3 * 16];
    std::memset(names, '#', sizeof names);
    int32_t room = 2;
    EXPECT_EQ(Inqcel(&set, "ABC", &room, names, 3, 16), 2013);
    EXPECT_EQ(names[0], '#');
    room = 3;
    ASSERT_EQ(Inqcel(&set, "ABC", &room, names, 3, 16), 0);
    EXPECT_EQ(std::string(names, 48), Pad("A") + Pad("B") + Pad("C"));

    // Cells iterate in address order of their bucket heads; find AB.
    char cell[16], slots[3 * 17];
    int64_t bytes = 0;
    std::memset(slots, '#', sizeof slots);
    room = 3;
    int r = Inqfcl(&set, cell, &room, &bytes, slots, 16, 16);
    while (r == 0 && std::string(cell, 16) != Pad("AB")) {
        room = 3;
        std::memset(slots, '#', sizeof slots);
        r = Inqncl(&set, cell, &room, &bytes, slots, 16, 16);
    }
    ASSERT_EQ(r, 0);
    EXPECT_EQ(room, 2);
    EXPECT_EQ(bytes, 8);
    EXPECT_STREQ(slots, Pad("A").c_str());
    EXPECT_STREQ(slots + 17, Pad("B").c_str());
    EXPECT_EQ(slots[34], '#');

    char dg[16], gd[16];
    std::vector<std::string> groups;
    for (r = Inqfst(&set, dg, gd, 16, 16); r == 0; r = Inqnxt(&set, dg, gd, 16, 16))
        groups.push_back(std::string(dg, 16));
    EXPECT_EQ(r, -6021);
    EXPECT_EQ(groups.size(), 2u);
    EXPECT_EQ(Inqfst(&set, dg, gd, 15, 16), 2018);

    // Header of a combined set: no data file header to read.
    char header[60];
    std::memset(header, '#', sizeof header);
    EXPECT_EQ(Gethdt(&set, header, 60), 0);
    EXPECT_EQ(header[0], '#');

    // Attributes through the entry points.
    ASSERT_EQ(kelpa_putiat(set, "D1", "COUNT", 5), 0);
    ASSERT_EQ(kelpa_putrat(set, "D1", "SCALE", 0.5f), 0);
    ASSERT_EQ(kelpa_putsat(set, "D1", "UNIT", "metres"), 0);
    EXPECT_EQ(kelpa_putsat(set, "D1", "UNIT", "a value of more than sixteen"), 2044);
    EXPECT_EQ(kelpa_putiat(set, "D1", "A_NAME_OF_SEVENTEEN", 1), 2042);
    int32_t iv = 0;
    float rv = 0;
    ASSERT_EQ(kelpa_getiat(set, "D1", "COUNT", &iv), 0);
    EXPECT_EQ(iv, 5);
    ASSERT_EQ(kelpa_getrat(set, "D1", "SCALE", &rv), 0);
    EXPECT_EQ(rv, 0.5f);
    char value[20];
    EXPECT_EQ(Getsat(&set, "D1", "UNIT", value, 2, 4, 15), 2011);
    ASSERT_EQ(Getsat(&set, "D1", "UNIT", value, 2, 4, 20), 0);
    EXPECT_EQ(std::string(value, 20), Pad("metres", 20));
    char an[16];
    ASSERT_EQ(Inqfsa(&set, "D1", an, value, 2, 16, 16), 0);
    EXPECT_EQ(std::string(an, 16), Pad("UNIT"));
    EXPECT_EQ(Inqnsa(&set, "D1", an, value, 2, 16, 16), 6020);
    EXPECT_EQ(Inqfia(&set, "D1", an, &iv, 2, 15), 2031);

    // Values along the variable dimension.
    int32_t v[2] = {7, 8};
    int32_t index[15] = {1, 2, 1, 4, 4, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    ASSERT_EQ(kelpa_putval(set, "D2", "B", index, order, v), 0);
    int32_t largest = 0;
    ASSERT_EQ(kelpa_inqmax(set, "D2", &largest), 0);
    EXPECT_EQ(largest, 4);
    int32_t got[2] = {};
    ASSERT_EQ(kelpa_getval(set, "D2", "B", index, order, 8, got), 0);
    EXPECT_EQ(got[1], 8);
    ASSERT_EQ(Endset(&set), 0);
}

TEST(KelpaEntry, GetstrReadsAnArrayOfTexts)
{
    // Substance names as a character array: the appended length is that of
    // one text, the buffer length that of the whole array.
    Fresh("names.dd");
    int32_t set = -1;
    ASSERT_EQ(kelpa_crenef(&set, "names.dd", "names.dd", 'L', 'c'), 0);
    const int32_t two[5] = {2, 1, 1, 1, 1}, three[5] = {3, 1, 1, 1, 1}, order[5] = {1, 2, 3, 4, 5};
    ASSERT_EQ(kelpa_newelm(set, "NAME", "CHARACTER", 4, "q", "u", "d", 1, two), 0);
    const char *one[] = {"NAME"};
    ASSERT_EQ(kelpa_newcel(set, "NAMES", 1, one), 0);
    ASSERT_EQ(kelpa_newgrp(set, "SUBST", "NAMES", 1, three, order), 0);
    ASSERT_EQ(kelpa_newdat(set, "SUBST", "SUBST"), 0);
    const char names[] = "OXY NH4 NO3 PO4 SAL TEMP";
    int32_t index[15] = {1, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    ASSERT_EQ(kelpa_putval(set, "SUBST", "NAME", index, order, names), 0);
    char back[6][4];
    std::memset(back, '#', sizeof back);
    int32_t len = sizeof back;
    ASSERT_EQ(Getstr(&set, "SUBST", "NAME", index, order, &len, &back[0][0], 5, 4, 4), 0);
    EXPECT_EQ(std::string(&back[0][0], 24), std::string(names, 24));
    // One text of room too few is still refused.
    len = 20;
    std::memset(back, '#', sizeof back);
    EXPECT_EQ(Getstr(&set, "SUBST", "NAME", index, order, &len, &back[0][0], 5, 4, 4), 3005);
    EXPECT_EQ(back[0][0], '#');
    ASSERT_EQ(Endset(&set), 0);
}

// NameContains: both names cut at 16 characters, the greater (in byte
// order) searched within the smaller; the answer points into the smaller.
TEST(KelpaEntry, NameContainsSearchesTheGreaterWithinTheSmaller)
{
    const std::string x16(16, 'X');
    const std::string x16_tail = x16 + "TAIL";
    struct Case {
        const char *first, *second;
        int in;    // 1: the answer points into first, 2: into second, 0: none
        int at;
    };
    const Case cases[] = {
        {"ABC", "ABC", 1, 0},                    // equal
        {"ABC", "BC", 1, 1},                     // "BC" is greater: found in "ABC"
        {"BC", "ABC", 2, 1},                     // the same, the other way round
        {"AZZ", "ZZ", 1, 1},
        {"ABC", "AB", 0, 0},                     // the greater is the longer: not found
        {"Q", "ABC", 0, 0},
        {x16_tail.c_str(), x16.c_str(), 1, 0},   // equal after the cut
        {"", "A", 0, 0},                         // nothing is greater than "A" within ""
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.first) + " / " + c.second);
        const char *found = kelpa::NameContains(c.first, c.second);
        const char *expected = c.in == 1 ? c.first + c.at : c.in == 2 ? c.second + c.at : nullptr;
        EXPECT_EQ(found, expected);
    }
}
