// KELPA file layout and file sets: the name hash, byte order, the bytes of
// new files, header recognition, and opening and closing sets.
#include "kelpa_core.h"
#include "kelpa_test_util.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace kelpa;
using namespace kelpa_test;

namespace {

struct Closer {
    int set = -1;
    ~Closer() { CloseFileSet(&set); }
};

}  // namespace

TEST(KelpaHash, PaddingEmptyAndKnownBuckets)
{
    EXPECT_EQ(HashName("A"), HashName("A               "));
    EXPECT_EQ(HashName(""), -1);
    // Buckets worked out by hand from the factor products.
    EXPECT_EQ(HashName("A"), 446);
    EXPECT_EQ(HashName("GRID"), 738);
    EXPECT_EQ(HashName("KIMBOL_PARAMS"), 147);
    EXPECT_EQ(HashName("abcdefghijklmnop"), 314);
    // Bytes of 128 and above count as negative values.
    EXPECT_EQ(HashName("\xe9t\xe9"), 813);
    // Only 16 characters count.
    EXPECT_EQ(HashName("abcdefghijklmnopqrs"), 314);
}

TEST(KelpaByteOrder, ReversalUnitsByTypeAndSize)
{
    struct Case {
        const char *type;
        int size;
        int code;
        const char *expected;  // reversed form of "01234567" (8 bytes) or 16
    };
    const Case cases[] = {
        {"INTEGER", 2, 0, "10325476"}, {"INTEGER", 4, 0, "32107654"}, {"INTEGER", 8, 0, "76543210"},
        {"REAL", 4, 0, "32107654"},    {"REAL", 8, 0, "76543210"},    {"COMPLEX", 8, 0, "32107654"},
        {"LOGICAL", 2, 0, "10325476"}, {"LOGICAL", 4, 0, "32107654"}, {"CHARACTE", 3, 0, "01234567"},
        {"INTEGER", 3, 10001, nullptr}, {"REAL", 2, 10002, nullptr},  {"COMPLEX", 4, 10004, nullptr},
        {"LOGICAL", 8, 10005, nullptr}, {"DOUBLE", 8, 10006, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.type) + " " + std::to_string(c.size));
        char out[9] = "xxxxxxxx";
        EXPECT_EQ(ConvertByteOrder(out, "01234567", 8, c.size, c.type, 0), c.code);
        if (c.expected) {
            EXPECT_EQ(std::string(out, 8), c.expected);
        }
    }
    char out[17] = {};
    ASSERT_EQ(ConvertByteOrder(out, "0123456789abcdef", 16, 16, "COMPLEX", 1), 0);
    EXPECT_EQ(std::string(out, 16), "76543210fedcba98");
}

TEST(KelpaNewFile, DataFileBytesFollowTheLayout)
{
    std::string name = Fresh("new_data.dat");
    Closer c;
    ASSERT_EQ(OpenFileSet(&c.set, name.c_str(), "", 'L', 'c'), 0);
    ASSERT_EQ(CloseFileSet(&c.set), 0);
    std::vector<uint8_t> b = ReadBytes(name);
    ASSERT_EQ(b.size(), 8044u);
    std::string text = "Ostravel, KELPA Data File; 5.00.00";
    EXPECT_EQ(Text(b, 0, 34), text);
    EXPECT_EQ(b[34], 0);
    EXPECT_EQ(Text(b, 35, 24), std::string(24, ' '));
    EXPECT_EQ(b[59], 'L');
    EXPECT_EQ(Le64(b, 60), 8044u);
    for (int i = 1; i < 998; ++i)
        ASSERT_EQ(Le64(b, 60 + 8 * size_t(i)), ~uint64_t(0)) << i;
}

TEST(KelpaNewFile, SizesOfTheThreeKindsAndBigEndianTable)
{
    std::string def = Fresh("new_def.def");
    std::string dd = Fresh("new_dd.dd");
    Closer a, b;
    ASSERT_EQ(OpenFileSet(&a.set, "", def.c_str(), 'B', 'c'), 0);
    ASSERT_EQ(OpenFileSet(&b.set, dd.c_str(), dd.c_str(), 'L', 'c'), 0);
    EXPECT_TRUE(SetIsCombined(b.set));
    ASSERT_EQ(CloseFileSet(&a.set), 0);
    ASSERT_EQ(CloseFileSet(&b.set), 0);
    std::vector<uint8_t> d = ReadBytes(def);
    ASSERT_EQ(d.size(), 23996u);
    EXPECT_EQ(Text(d, 0, 40), "Ostravel, KELPA Definition File; 5.00.00");
    EXPECT_EQ(d[40], 0);
    EXPECT_EQ(d[59], 'B');
    EXPECT_EQ(Be64(d, 60), 23996u);
    std::vector<uint8_t> x = ReadBytes(dd);
    ASSERT_EQ(x.size(), 32040u);
    std::string banner = "@(#)Ostravel, KELPA Version 5.07.02.4043, Sep  8 2014, 14:27:34";
    EXPECT_EQ(Text(x, 0, 105), "Ostravel, KELPA Definition and Data File; " + banner);
    EXPECT_EQ(x[105], 0);
    EXPECT_EQ(Text(x, 106, 21), std::string(21, ' '));
    EXPECT_EQ(x[127], 'L');
    EXPECT_EQ(Le64(x, 128), 32040u);
    EXPECT_EQ(Le64(x, 128 + 8 * 3988), ~uint64_t(0));
}

TEST(KelpaNewFile, NumberFormatLetterMapping)
{
    struct Case {
        bool definition;
        char letter;
        char stored;
    };
    const Case cases[] = {{false, 'n', 'L'}, {false, 'N', 'L'}, {false, 'b', 'L'}, {false, 'B', 'B'},
                          {true, 'b', 'B'},  {true, 'n', 'L'},  {true, 'X', 'L'},  {false, 'X', 'L'},
                          {true, 'l', 'L'}};
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(1, c.letter) + (c.definition ? " definition" : " data"));
        std::string name = Fresh("letter.kf");
        Closer s;
        ASSERT_EQ(OpenFileSet(&s.set, c.definition ? "" : name.c_str(), c.definition ? name.c_str() : "",
                              c.letter, 'c'),
                  0);
        ASSERT_EQ(CloseFileSet(&s.set), 0);
        EXPECT_EQ(ReadBytes(name).at(59), uint8_t(c.stored));
    }
}

TEST(KelpaOpen, HeaderRecognitionAndVersionErrors)
{
    std::string good = Fresh("recog.dat");
    {
        Closer s;
        ASSERT_EQ(OpenFileSet(&s.set, good.c_str(), "", 'L', 'c'), 0);
    }
    std::vector<uint8_t> b = ReadBytes(good);

    // Version 6.00.00 in place of 5.00.00.
    std::vector<uint8_t> v6 = b;
    std::memcpy(&v6[27], "6.00.00", 7);
    WriteBytes("v6.dat", v6);
    Closer s6;
    EXPECT_EQ(OpenFileSet(&s6.set, "v6.dat", "", 'L', 'u'), 8032);
    EXPECT_EQ(s6.set, -1);
    EXPECT_EQ(MessageText(), "Data File 'v6.dat' has unregcognized version number");

    // No kind text at all: 8009, and the slot is free again.
    std::vector<uint8_t> nokind = b;
    std::memcpy(&nokind[0], "Somebody else's file", 20);
    WriteBytes("nokind.dat", nokind);
    int before = UsedSlotCount();
    Closer sk;
    EXPECT_EQ(OpenFileSet(&sk.set, "nokind.dat", "", 'L', 'u'), 8009);
    EXPECT_EQ(MessageText(), "File 'nokind.dat' is not a KELPA data file");
    Closer again;
    ASSERT_EQ(OpenFileSet(&again.set, good.c_str(), "", 'L', 'u'), 0);
    EXPECT_EQ(again.set, 0);
    EXPECT_EQ(UsedSlotCount(), before == 0 ? 1 : before);

    // Old-style kind text "DATA FILE" with a 5.x version is accepted.
    std::vector<uint8_t> alt = b;
    std::memcpy(&alt[0], "DATA FILE; File; 5.0               ", 34);
    WriteBytes("alt.dat", alt);
    Closer sa;
    EXPECT_EQ(OpenFileSet(&sa.set, "alt.dat", "", 'L', 'r'), 0);
}

TEST(KelpaOpen, HostileTablesAreRefused)
{
    std::string good = Fresh("hostile.dat");
    {
        Closer s;
        ASSERT_EQ(OpenFileSet(&s.set, good.c_str(), "", 'L', 'c'), 0);
    }
    std::vector<uint8_t> b = ReadBytes(good);
    // A table cut short would leave buckets undefined.
    WriteBytes("short.dat", std::vector<uint8_t>(b.begin(), b.begin() + 4000));
    Closer s1;
    EXPECT_EQ(OpenFileSet(&s1.set, "short.dat", "", 'L', 'u'), 8010);
    // A next-free address inside the table would let records overwrite it.
    std::vector<uint8_t> low = b;
    low[60] = 100;
    low[61] = 0;
    WriteBytes("low.dat", low);
    Closer s2;
    EXPECT_EQ(OpenFileSet(&s2.set, "low.dat", "", 'L', 'u'), 8010);
    EXPECT_EQ(MessageText(), "During reading hashtable of data file  'low.dat'");
    // An empty existing file is no KELPA file.
    WriteBytes("empty.dat", {});
    Closer s3;
    EXPECT_EQ(OpenFileSet(&s3.set, "empty.dat", "", 'L', 'u'), 8009);
}

TEST(KelpaOpen, AccessLettersAndMissingFiles)
{
    Closer r;
    std::string missing = Fresh("missing.dat");
    EXPECT_EQ(OpenFileSet(&r.set, missing.c_str(), "", 'L', 'r'), 8031);
    EXPECT_EQ(r.set, -1);
    std::string text;
    ReportKelpaError(0, &text);
    EXPECT_EQ(text.rfind("\nKELPA message 8031:\nFile 'missing.dat' can not be opened as read only\n --- ", 0), 0u)
        << text;
    ReportKelpaError(0, &text);
    EXPECT_EQ(text.rfind("The total number of KELPA errors/warnings is ", 0), 0u) << text;

    Closer x;
    EXPECT_EQ(OpenFileSet(&x.set, "any.dat", "", 'L', 'x'), 8029);
    EXPECT_EQ(MessageText(), "File 'any.dat' can not be opened with unsupported KELPA access type 'x'");

    // 'c' on an existing file starts it afresh.
    std::string name = Fresh("trunc.dat");
    WriteBytes(name, std::vector<uint8_t>(20000, 'z'));
    Closer c;
    ASSERT_EQ(OpenFileSet(&c.set, name.c_str(), "", 'L', 'c'), 0);
    ASSERT_EQ(CloseFileSet(&c.set), 0);
    EXPECT_EQ(ReadBytes(name).size(), 8044u);
}

TEST(KelpaOpen, SlotsDuplicatesAndTheLimit)
{
    std::string a = Fresh("dup_a.dat"), b = Fresh("dup_b.dat");
    Closer sa, sb, sc;
    ASSERT_EQ(OpenFileSet(&sa.set, a.c_str(), "", 'L', 'c'), 0);
    // Another data file attached alone is fine.
    ASSERT_EQ(OpenFileSet(&sb.set, b.c_str(), "", 'L', 'c'), 0);
    // The same file twice would keep two tables of one file.
    EXPECT_EQ(OpenFileSet(&sc.set, a.c_str(), "", 'L', 'u'), 8001);
    EXPECT_EQ(MessageText(), "Data file 'dup_a.dat' has already been opened");
    // Likewise a definition file, also when it is open as one combined file.
    std::string d = Fresh("dup_d.def"), dd = Fresh("dup.dd");
    Closer sd, sdd, again;
    ASSERT_EQ(OpenFileSet(&sd.set, "", d.c_str(), 'L', 'c'), 0);
    EXPECT_EQ(OpenFileSet(&again.set, "", d.c_str(), 'L', 'u'), 8002);
    EXPECT_EQ(MessageText(), "Definition file 'dup_d.def' has already been opened");
    ASSERT_EQ(OpenFileSet(&sdd.set, dd.c_str(), dd.c_str(), 'L', 'c'), 0);
    EXPECT_EQ(OpenFileSet(&again.set, "", dd.c_str(), 'L', 'u'), 8002);
    EXPECT_EQ(OpenFileSet(&again.set, dd.c_str(), "", 'L', 'u'), 8001);
    EXPECT_EQ(again.set, -1);
    ASSERT_EQ(CloseFileSet(&sd.set), 0);
    ASSERT_EQ(CloseFileSet(&sdd.set), 0);
    ASSERT_EQ(CloseFileSet(&sa.set), 0);
    ASSERT_EQ(CloseFileSet(&sb.set), 0);
    EXPECT_EQ(UsedSlotCount(), 0);

    std::vector<Closer> sets(kMaxSets);
    std::string def = Fresh("many.def");
    for (int i = 0; i < kMaxSets; ++i) {
        std::string n = "many" + std::to_string(i) + ".dat";
        std::remove(n.c_str());
        ASSERT_EQ(OpenFileSet(&sets[size_t(i)].set, n.c_str(), "", 'L', 'c'), 0) << i;
        EXPECT_EQ(sets[size_t(i)].set, i);
    }
    Closer over;
    EXPECT_EQ(OpenFileSet(&over.set, "over.dat", "", 'L', 'c'), 8003);
    EXPECT_EQ(MessageText(), "Maximum number (=512) of open files has been achieved");
    for (int i = 0; i < kMaxSets; ++i) {
        ASSERT_EQ(CloseFileSet(&sets[size_t(i)].set), 0);
        std::remove(("many" + std::to_string(i) + ".dat").c_str());
    }
    Closer first;
    ASSERT_EQ(OpenFileSet(&first.set, a.c_str(), "", 'L', 'u'), 0);
    EXPECT_EQ(first.set, 0);
}

TEST(KelpaOpen, CombinedHeaderFoundThroughTheDataName)
{
    std::string dd = Fresh("through.dd");
    {
        Closer s;
        ASSERT_EQ(OpenFileSet(&s.set, dd.c_str(), dd.c_str(), 'L', 'c'), 0);
    }
    Closer s;
    ASSERT_EQ(OpenFileSet(&s.set, dd.c_str(), "", 'L', 'u'), 0);
    EXPECT_TRUE(SetIsCombined(s.set));
    EXPECT_EQ(SetDefinitionName(s.set), dd);
    EXPECT_GE(SetDefinitionDescriptor(s.set), 0);
}

TEST(KelpaTrace, PathGrowsAndShrinks)
{
    testing::internal::CaptureStdout();
    TraceKelpa(1, "Crenef");
    TraceKelpa(1, "Inner");
    TraceKelpa(0, "Inner");
    TraceKelpa(0, "Crenef");
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "Start KELPA:Crenef\nStart KELPA:Crenef:Inner\nExit  KELPA:Crenef:Inner\nExit  KELPA:Crenef\n");
}
