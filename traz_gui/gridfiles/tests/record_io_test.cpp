// Record input/output: units, framed records, streams, formatted lines,
// list-directed input and the fixture writer, checked against bytes written
// by hand.

#include "record_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using recio::Access;
using recio::Form;
using recio::OpenStatus;
using Bytes = std::vector<unsigned char>;

std::string WorkDir()
{
    std::string dir = "recio_work";
    std::filesystem::create_directories(dir);
    return dir + "/";
}

void WriteBytes(const std::string &path, const Bytes &b)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char *>(b.data()), static_cast<std::streamsize>(b.size()));
}

Bytes ReadBytes(const std::string &path)
{
    std::ifstream f(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// Little-endian int32 as bytes.
Bytes LE(std::initializer_list<int32_t> values)
{
    Bytes b;
    for (int32_t v : values) {
        uint32_t u = static_cast<uint32_t>(v);
        for (int k = 0; k < 4; ++k)
            b.push_back(static_cast<unsigned char>(u >> (8 * k)));
    }
    return b;
}

Bytes Cat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes &p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

// Closes a unit at the end of a test, whatever happened.
struct UnitGuard {
    int unit;
    ~UnitGuard() { recio::Close(unit); }
};

TEST(RecordWriter, WritesLengthMarkersAndPlainBytesByHand)
{
    std::string dir = WorkDir();
    recio::RecordBytes r1, r2;
    r1.Int(1).Int(-2);
    r2.Real(1.5f).Text("AB", 3);
    ASSERT_EQ(recio::WriteRecordFile(dir + "w.unf", Form::kUnformatted, {r1, r2}), recio::kOk);
    ASSERT_EQ(recio::WriteRecordFile(dir + "w.bin", Form::kBinary, {r1, r2}), recio::kOk);

    // 1.5f is 0x3FC00000.
    Bytes rec2 = {0x00, 0x00, 0xC0, 0x3F, 'A', 'B', ' '};
    Bytes expect_unf = Cat({LE({8, 1, -2, 8}), LE({7}), rec2, LE({7})});
    Bytes expect_bin = Cat({LE({1, -2}), rec2});
    EXPECT_EQ(ReadBytes(dir + "w.unf"), expect_unf);
    EXPECT_EQ(ReadBytes(dir + "w.bin"), expect_bin);
    EXPECT_FALSE(recio::IsConnected(10));
}

TEST(RecordWriter, ReplacesALongerOldFile)
{
    std::string dir = WorkDir();
    WriteBytes(dir + "old.unf", Bytes(100, 0xAA));
    recio::RecordBytes r;
    r.Int(5);
    ASSERT_EQ(recio::WriteRecordFile(dir + "old.unf", Form::kUnformatted, {r}), recio::kOk);
    EXPECT_EQ(ReadBytes(dir + "old.unf"), LE({4, 5, 4}));
}

TEST(FramedRecords, ReadFrontSkipRestShortRecordEndAndBrokenFrames)
{
    std::string path = WorkDir() + "framed.unf";
    WriteBytes(path, Cat({LE({12, 7, 8, 9, 12}), LE({4, 10, 4}), LE({0, 0}), LE({8, 11, 12, 8})}));
    UnitGuard g{20};
    ASSERT_EQ(recio::Open(20, path, Form::kUnformatted, Access::kSequential, OpenStatus::kOld), recio::kOk);

    int32_t v[3] = {0, 0, 0};
    size_t len = 0;
    // The front of a record; the rest is passed over.
    ASSERT_EQ(recio::ReadRecord(20, v, 4, &len), recio::kOk);
    EXPECT_EQ(len, 12u);
    EXPECT_EQ(recio::GetInt32LE(reinterpret_cast<unsigned char *>(v)), 7);
    // More than the record holds: an error, and the record is passed over.
    EXPECT_EQ(recio::ReadInt32(20, v, 2), recio::kErrShortRecord);
    // An empty record.
    EXPECT_EQ(recio::ReadInt32(20, v, 1), recio::kErrShortRecord);
    ASSERT_EQ(recio::ReadInt32(20, v, 2), recio::kOk);
    EXPECT_EQ(v[0], 11);
    EXPECT_EQ(v[1], 12);
    // End of file at a record boundary.
    EXPECT_EQ(recio::ReadInt32(20, v, 1), recio::kEndOfFile);
    EXPECT_EQ(recio::SkipRecord(20), recio::kEndOfFile);

    // Backspace steps back over whole records.
    ASSERT_EQ(recio::Backspace(20), recio::kOk);
    ASSERT_EQ(recio::Backspace(20), recio::kOk);
    ASSERT_EQ(recio::ReadRecord(20, nullptr, 0, &len), recio::kOk);
    EXPECT_EQ(len, 0u);
    ASSERT_EQ(recio::Rewind(20), recio::kOk);
    ASSERT_EQ(recio::ReadInt32(20, v, 3), recio::kOk);
    EXPECT_EQ(v[2], 9);
    ASSERT_EQ(recio::Rewind(20), recio::kOk);
    EXPECT_EQ(recio::Backspace(20), recio::kOk);   // at the start: nothing to do
    EXPECT_EQ(recio::Inquire(20).position, 0);
}

TEST(FramedRecords, BrokenFramesAreReadErrors)
{
    struct Case {
        const char *what;
        Bytes bytes;
        int first;   // result of reading one value
    } cases[] = {
        {"closing marker differs", Cat({LE({4, 1, 5})}), recio::kErrBrokenFrame},
        {"marker runs past the end", Cat({LE({400, 1, 400})}), recio::kErrBrokenFrame},
        {"negative marker", Cat({LE({-4, 1, -4})}), recio::kErrBrokenFrame},
        {"file ends inside the marker", Bytes{4, 0}, recio::kErrBrokenFrame},
        {"empty file", Bytes{}, recio::kEndOfFile},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        std::string path = WorkDir() + "broken.unf";
        WriteBytes(path, c.bytes);
        UnitGuard g{21};
        ASSERT_EQ(recio::Open(21, path, Form::kUnformatted, Access::kSequential, OpenStatus::kOld), recio::kOk);
        int32_t v = 0;
        EXPECT_EQ(recio::ReadInt32(21, &v, 1), c.first);
    }
}

TEST(FramedRecords, SequentialWriteEndsTheFileAndBackspaceRewrites)
{
    std::string path = WorkDir() + "rewrite.unf";
    std::remove(path.c_str());
    UnitGuard g{22};
    ASSERT_EQ(recio::Open(22, path, Form::kUnformatted, Access::kSequential, OpenStatus::kNew), recio::kOk);
    int32_t a = 1, b = 2, c = 3;
    ASSERT_EQ(recio::WriteRecord(22, &a, 4), recio::kOk);
    ASSERT_EQ(recio::WriteRecord(22, &b, 4), recio::kOk);
    ASSERT_EQ(recio::WriteRecord(22, &c, 4), recio::kOk);
    ASSERT_EQ(recio::Backspace(22), recio::kOk);
    ASSERT_EQ(recio::Backspace(22), recio::kOk);
    int32_t d = 4;
    ASSERT_EQ(recio::WriteRecord(22, &d, 4), recio::kOk);   // replaces record 2, drops record 3
    ASSERT_EQ(recio::Close(22), recio::kOk);
    EXPECT_EQ(ReadBytes(path), Cat({LE({4, 1, 4}), LE({4, 4, 4})}));
    EXPECT_EQ(recio::CheckRecordFrames(path), recio::FrameChain::kExact);
}

// Records passed over, of lengths on both sides of what is read past
// rather than sought past, each followed by a record that is read.
TEST(FramedRecords, SkipsRecordsShortAndLong)
{
    std::string path = WorkDir() + "skips.unf";
    Bytes bytes;
    const int32_t lengths[] = {4, 4092, 4096, 4100, 100000};
    for (int32_t length : lengths) {
        bytes = Cat({bytes, LE({length}), Bytes(static_cast<size_t>(length), 5), LE({length}), LE({4, length, 4})});
    }
    WriteBytes(path, bytes);
    UnitGuard g{21};
    ASSERT_EQ(recio::Open(21, path, Form::kUnformatted, Access::kSequential, OpenStatus::kOld), recio::kOk);
    int64_t at = 0;
    for (int32_t length : lengths) {
        SCOPED_TRACE(length);
        ASSERT_EQ(recio::SkipRecord(21), recio::kOk);
        int32_t v = 0;
        ASSERT_EQ(recio::ReadInt32(21, &v, 1), recio::kOk);
        EXPECT_EQ(v, length);
        at += length + 8 + 12;
        EXPECT_EQ(recio::Inquire(21).position, at);
    }
    EXPECT_EQ(recio::SkipRecord(21), recio::kEndOfFile);

    // A stream passed over by bytes to the value after each long record,
    // and beyond its end.
    UnitGuard h{22};
    ASSERT_EQ(recio::Open(22, path, Form::kBinary, Access::kSequential, OpenStatus::kOld), recio::kOk);
    for (int32_t length : lengths) {
        SCOPED_TRACE(length);
        ASSERT_EQ(recio::SkipBytes(22, 4 + length + 4 + 4), recio::kOk);
        int32_t v = 0;
        ASSERT_EQ(recio::ReadInt32(22, &v, 1), recio::kOk);
        EXPECT_EQ(v, length);
        ASSERT_EQ(recio::SkipBytes(22, 4), recio::kOk);
    }
    ASSERT_EQ(recio::Rewind(22), recio::kOk);
    EXPECT_EQ(recio::SkipBytes(22, static_cast<int64_t>(bytes.size()) + 1), recio::kEndOfFile);
    EXPECT_EQ(recio::Inquire(22).position, static_cast<int64_t>(bytes.size()));
}

TEST(Streams, ValuesBackToBackWithoutRecords)
{
    std::string path = WorkDir() + "stream.bin";
    WriteBytes(path, LE({5, 6, 7}));
    for (auto [form, access] : {std::pair{Form::kBinary, Access::kSequential},
                                std::pair{Form::kUnformatted, Access::kTransparent}}) {
        UnitGuard g{23};
        ASSERT_EQ(recio::Open(23, path, form, access, OpenStatus::kOld), recio::kOk);
        int32_t v[2];
        EXPECT_EQ(recio::SkipRecord(23), recio::kOk);   // a record has no length: nothing is read
        ASSERT_EQ(recio::ReadInt32(23, v, 1), recio::kOk);
        EXPECT_EQ(v[0], 5);
        ASSERT_EQ(recio::SkipBytes(23, 4), recio::kOk);
        ASSERT_EQ(recio::ReadInt32(23, v, 1), recio::kOk);
        EXPECT_EQ(v[0], 7);
        EXPECT_EQ(recio::ReadInt32(23, v, 1), recio::kEndOfFile);
        EXPECT_EQ(recio::Backspace(23), recio::kErrWrongForm);
        ASSERT_EQ(recio::Rewind(23), recio::kOk);
        EXPECT_EQ(recio::ReadInt32(23, v, 2), recio::kOk);
        EXPECT_EQ(recio::ReadInt32(23, v, 2), recio::kEndOfFile);   // ends inside the request
    }
}

TEST(Streams, TransparentWriteKeepsWhatFollows)
{
    std::string path = WorkDir() + "transparent.bin";
    WriteBytes(path, LE({1, 2, 3}));
    UnitGuard g{24};
    ASSERT_EQ(recio::Open(24, path, Form::kUnformatted, Access::kTransparent, OpenStatus::kOld), recio::kOk);
    unsigned char nine[4];
    recio::PutInt32LE(nine, 9);
    ASSERT_EQ(recio::WriteRecord(24, nine, 4), recio::kOk);
    ASSERT_EQ(recio::Close(24), recio::kOk);
    EXPECT_EQ(ReadBytes(path), LE({9, 2, 3}));
}

TEST(FrameChain, TellsExactDamagedAndNone)
{
    struct Case {
        const char *what;
        Bytes bytes;
        recio::FrameChain expect;
    } cases[] = {
        {"two records", Cat({LE({4, 1, 4}), LE({8, 2, 3, 8})}), recio::FrameChain::kExact},
        {"an empty record", LE({0, 0}), recio::FrameChain::kExact},
        {"truncated last record", Cat({LE({4, 1, 4}), LE({8, 2})}), recio::FrameChain::kDamaged},
        {"trailing garbage", Cat({LE({4, 1, 4}), Bytes{1, 2, 3}}), recio::FrameChain::kDamaged},
        {"binary values", LE({3, 2, 6, 1, 2, 3, 4, 5, 6}), recio::FrameChain::kNone},
        {"empty file", Bytes{}, recio::FrameChain::kNone},
        // Records longer than what a read takes at once, and small ones
        // after them.
        {"long records", Cat({LE({100000}), Bytes(100000, 7), LE({100000, 4, 1, 4, 70000}), Bytes(70000, 8),
                              LE({70000})}),
         recio::FrameChain::kExact},
        {"long record with a wrong closing marker", Cat({LE({100000}), Bytes(100000, 7), LE({99999})}),
         recio::FrameChain::kNone},
        {"wrong marker after long records",
         Cat({LE({4, 1, 4}), LE({100000}), Bytes(100000, 7), LE({100000, 8, 1, 2, 9})}),
         recio::FrameChain::kDamaged},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        std::string path = WorkDir() + "chain.bin";
        WriteBytes(path, c.bytes);
        EXPECT_EQ(recio::CheckRecordFrames(path), c.expect);

        // The check of a connected file tells the same and leaves the unit
        // where it was: its first value is read next, as without the check.
        UnitGuard g{25};
        ASSERT_EQ(recio::Open(25, path, Form::kBinary, Access::kSequential, OpenStatus::kOld), recio::kOk);
        EXPECT_EQ(recio::CheckRecordFrames(25), c.expect);
        EXPECT_EQ(recio::Inquire(25).position, 0);
        if (c.bytes.size() >= 4) {
            int32_t first = 0;
            ASSERT_EQ(recio::ReadInt32(25, &first, 1), recio::kOk);
            EXPECT_EQ(first, recio::GetInt32LE(c.bytes.data()));
        }
    }
    EXPECT_EQ(recio::CheckRecordFrames(WorkDir() + "no-such-file"), recio::FrameChain::kNone);
    EXPECT_EQ(recio::CheckRecordFrames(25), recio::FrameChain::kNone);   // no file connected
}

// A unit part-way through its file, with records just written and not yet
// flushed: the check sees them, and reading and writing go on from where
// they were.
TEST(FrameChain, CheckOfAUnitInUse)
{
    std::string path = WorkDir() + "chain_in_use.unf";
    std::remove(path.c_str());
    UnitGuard g{26};
    ASSERT_EQ(recio::Open(26, path, Form::kUnformatted, Access::kSequential, OpenStatus::kNew), recio::kOk);
    int32_t a = 1, b = 2, c = 3, v = 0;
    ASSERT_EQ(recio::WriteRecord(26, &a, 4), recio::kOk);
    ASSERT_EQ(recio::WriteRecord(26, &b, 4), recio::kOk);
    EXPECT_EQ(recio::CheckRecordFrames(26), recio::FrameChain::kExact);
    ASSERT_EQ(recio::WriteRecord(26, &c, 4), recio::kOk);
    ASSERT_EQ(recio::Rewind(26), recio::kOk);
    ASSERT_EQ(recio::ReadInt32(26, &v, 1), recio::kOk);
    EXPECT_EQ(v, 1);
    EXPECT_EQ(recio::CheckRecordFrames(26), recio::FrameChain::kExact);
    EXPECT_EQ(recio::Inquire(26).position, 12);
    ASSERT_EQ(recio::ReadInt32(26, &v, 1), recio::kOk);
    EXPECT_EQ(v, 2);
    ASSERT_EQ(recio::Close(26), recio::kOk);
    EXPECT_EQ(ReadBytes(path), Cat({LE({4, 1, 4}), LE({4, 2, 4}), LE({4, 3, 4})}));
}

TEST(Units, OpenStatusesAndTheUnitTable)
{
    std::string dir = WorkDir();
    std::string path = dir + "units.unf";
    std::remove(path.c_str());
    EXPECT_EQ(recio::Open(30, path, Form::kUnformatted, Access::kSequential, OpenStatus::kOld), recio::kErrOpenFailed);
    EXPECT_FALSE(recio::IsConnected(30));
    ASSERT_EQ(recio::Open(30, path, Form::kUnformatted, Access::kSequential, OpenStatus::kUnknown), recio::kOk);
    EXPECT_EQ(recio::Open(30, path, Form::kUnformatted, Access::kSequential, OpenStatus::kUnknown),
              recio::kErrAlreadyConnected);
    recio::UnitInfo info = recio::Inquire(30);
    EXPECT_TRUE(info.connected);
    EXPECT_EQ(info.name, path);
    EXPECT_EQ(info.form, Form::kUnformatted);
    ASSERT_EQ(recio::Close(30), recio::kOk);
    EXPECT_EQ(recio::Close(30), recio::kOk);   // closing a free unit is no error
    EXPECT_TRUE(recio::FileExists(path));
    EXPECT_EQ(recio::Open(31, path, Form::kBinary, Access::kSequential, OpenStatus::kNew), recio::kErrOpenFailed);

    EXPECT_EQ(recio::Open(-1, path, Form::kBinary, Access::kSequential, OpenStatus::kOld), recio::kErrBadUnit);
    EXPECT_EQ(recio::Open(1000, path, Form::kBinary, Access::kSequential, OpenStatus::kOld), recio::kErrBadUnit);
    EXPECT_EQ(recio::Open(32, path, Form::kFormatted, Access::kTransparent, OpenStatus::kOld), recio::kErrWrongForm);
    int32_t v;
    EXPECT_EQ(recio::ReadInt32(33, &v, 1), recio::kErrNotConnected);

    // A scratch file lives as long as its unit.
    ASSERT_EQ(recio::Open(34, "", Form::kUnformatted, Access::kSequential, OpenStatus::kScratch), recio::kOk);
    int32_t w = 42;
    ASSERT_EQ(recio::WriteRecord(34, &w, 4), recio::kOk);
    ASSERT_EQ(recio::Rewind(34), recio::kOk);
    ASSERT_EQ(recio::ReadInt32(34, &v, 1), recio::kOk);
    EXPECT_EQ(v, 42);
    ASSERT_EQ(recio::Close(34), recio::kOk);

    // Close with delete removes the file.
    ASSERT_EQ(recio::Open(30, path, Form::kUnformatted, Access::kSequential, OpenStatus::kOld), recio::kOk);
    ASSERT_EQ(recio::Close(30, true), recio::kOk);
    EXPECT_FALSE(recio::FileExists(path));
    EXPECT_EQ(recio::FileSize(path), -1);
    EXPECT_FALSE(recio::FileExists(dir));   // a directory is not a file
    for (OpenStatus status : {OpenStatus::kOld, OpenStatus::kUnknown})
        EXPECT_EQ(recio::Open(30, dir, Form::kFormatted, Access::kSequential, status), recio::kErrOpenFailed);
    EXPECT_EQ(recio::CheckRecordFrames(dir), recio::FrameChain::kNone);
}

TEST(Units, FreeUnitSearchesTenToNinetyNine)
{
    std::string path = WorkDir() + "free.bin";
    WriteBytes(path, LE({1}));
    ASSERT_EQ(recio::FreeUnit(), 10);
    ASSERT_EQ(recio::Open(10, path, Form::kBinary, Access::kSequential, OpenStatus::kOld), recio::kOk);
    ASSERT_EQ(recio::Open(11, path, Form::kBinary, Access::kSequential, OpenStatus::kOld), recio::kOk);
    EXPECT_EQ(recio::FreeUnit(), 12);
    EXPECT_EQ(recio::FreeUnit(11), 12);
    EXPECT_EQ(recio::FreeUnit(99), 99);
    recio::Close(10);
    recio::Close(11);
    EXPECT_EQ(recio::FreeUnit(), 10);
}

TEST(Units, KeywordTexts)
{
    Form f;
    Access a;
    OpenStatus s;
    EXPECT_TRUE(recio::FormFromText("BINARY              ", &f));
    EXPECT_EQ(f, Form::kBinary);
    EXPECT_TRUE(recio::FormFromText("unformatted", &f));
    EXPECT_EQ(f, Form::kUnformatted);
    EXPECT_FALSE(recio::FormFromText("BIN", &f));
    EXPECT_TRUE(recio::AccessFromText("TRANSPARENT         ", &a));
    EXPECT_EQ(a, Access::kTransparent);
    EXPECT_FALSE(recio::AccessFromText("DIRECT", &a));
    EXPECT_TRUE(recio::StatusFromText("scratch", &s));
    EXPECT_EQ(s, OpenStatus::kScratch);
    EXPECT_FALSE(recio::StatusFromText("REPLACE", &s));
}

TEST(Formatted, LinesWithEitherLineEnd)
{
    std::string path = WorkDir() + "lines.txt";
    {
        std::ofstream f(path, std::ios::binary);
        f << "first\r\nsecond\n\nlast without end";
    }
    UnitGuard g{40};
    ASSERT_EQ(recio::Open(40, path, Form::kFormatted, Access::kSequential, OpenStatus::kOld), recio::kOk);
    std::string line;
    const char *expect[] = {"first", "second", "", "last without end"};
    for (const char *e : expect) {
        ASSERT_EQ(recio::ReadLine(40, &line), recio::kOk);
        EXPECT_EQ(line, e);
    }
    EXPECT_EQ(recio::ReadLine(40, &line), recio::kEndOfFile);
    ASSERT_EQ(recio::Backspace(40), recio::kOk);
    ASSERT_EQ(recio::ReadLine(40, &line), recio::kOk);
    EXPECT_EQ(line, "last without end");
    int32_t v;
    EXPECT_EQ(recio::ReadInt32(40, &v, 1), recio::kErrWrongForm);
}

TEST(Formatted, WriteLineUsesThePlatformLineEnd)
{
    std::string path = WorkDir() + "written.txt";
    std::remove(path.c_str());
    {
        UnitGuard g{41};
        ASSERT_EQ(recio::Open(41, path, Form::kFormatted, Access::kSequential, OpenStatus::kNew), recio::kOk);
        ASSERT_EQ(recio::WriteLine(41, "a b"), recio::kOk);
        ASSERT_EQ(recio::WriteLine(41, ""), recio::kOk);
        ASSERT_EQ(recio::Backspace(41), recio::kOk);
        ASSERT_EQ(recio::WriteLine(41, "c"), recio::kOk);   // replaces the empty line
    }
    Bytes b = ReadBytes(path);
    std::string text(b.begin(), b.end());
#ifdef _WIN32
    EXPECT_EQ(text, "a b\r\nc\r\n");
#else
    EXPECT_EQ(text, "a b\nc\n");
#endif
}

// Lines are read ahead of the position; every other operation on the unit
// works from the position of the lines taken, not from the read-ahead.
TEST(Formatted, OperationsAfterAReadWorkFromTheLinesTaken)
{
    const std::string path = WorkDir() + "mixed.txt";
    const std::string long_line(10000, 'x');   // longer than any read-ahead
    const std::string text = "one\ntwo\r\nthree\n" + long_line + "\n" + std::string("nul\0in\n\rlast", 12);
    std::string line;
    auto reopen = [&](int unit) {
        WriteBytes(path, Bytes(text.begin(), text.end()));
        recio::Close(unit);
        ASSERT_EQ(recio::Open(unit, path, Form::kFormatted, Access::kSequential, OpenStatus::kOld), recio::kOk);
    };
    UnitGuard g{42};

    // Position, Backspace and Rewind count the lines taken.
    reopen(42);
    ASSERT_EQ(recio::ReadLine(42, &line), recio::kOk);
    EXPECT_EQ(recio::Inquire(42).position, 4);
    ASSERT_EQ(recio::ReadLine(42, &line), recio::kOk);
    EXPECT_EQ(line, "two");
    ASSERT_EQ(recio::Backspace(42), recio::kOk);
    EXPECT_EQ(recio::Inquire(42).position, 4);
    ASSERT_EQ(recio::ReadLine(42, &line), recio::kOk);
    EXPECT_EQ(line, "two");
    ASSERT_EQ(recio::ReadLine(42, &line), recio::kOk);
    EXPECT_EQ(line, "three");
    ASSERT_EQ(recio::ReadLine(42, &line), recio::kOk);
    EXPECT_EQ(line, long_line);
    ASSERT_EQ(recio::ReadLine(42, &line), recio::kOk);
    EXPECT_EQ(line, std::string("nul\0in", 6));
    ASSERT_EQ(recio::ReadLine(42, &line), recio::kOk);
    EXPECT_EQ(line, "\rlast");   // only a CR before the LF is dropped
    EXPECT_EQ(recio::Inquire(42).position, static_cast<int64_t>(text.size()));
    EXPECT_EQ(recio::ReadLine(42, &line), recio::kEndOfFile);
    ASSERT_EQ(recio::Rewind(42), recio::kOk);
    ASSERT_EQ(recio::ReadLine(42, &line), recio::kOk);
    EXPECT_EQ(line, "one");

    // A write after a read goes where the lines taken end, and ends the
    // file there; reading on after a rewind sees what was written.
    reopen(42);
    ASSERT_EQ(recio::ReadLine(42, &line), recio::kOk);
    ASSERT_EQ(recio::WriteLine(42, "2"), recio::kOk);
    EXPECT_EQ(recio::ReadLine(42, &line), recio::kEndOfFile);
    ASSERT_EQ(recio::Rewind(42), recio::kOk);
    for (const char *e : {"one", "2"}) {
        ASSERT_EQ(recio::ReadLine(42, &line), recio::kOk);
        EXPECT_EQ(line, e);
    }
    EXPECT_EQ(recio::ReadLine(42, &line), recio::kEndOfFile);
    recio::Close(42);
    Bytes b = ReadBytes(path);
#ifdef _WIN32
    EXPECT_EQ(std::string(b.begin(), b.end()), "one\n2\r\n");
#else
    EXPECT_EQ(std::string(b.begin(), b.end()), "one\n2\n");
#endif
}

// A rewind reads the file as it is then, however little it changed since
// its lines were read: rewritten at once to the same length, longer,
// shorter or emptied, by a plain write or by another unit; and lines read
// again from an unchanged file are the same, from any point of the file.
TEST(Formatted, RewindReadsTheFileAsItIsThen)
{
    const std::string path = WorkDir() + "rewound.txt";
    const std::string first = "alpha\nbeta\r\ngamma";
    struct Case {
        const char *name;
        std::string then;       // the file's text at the rewind
        bool through_a_unit;    // written by another unit, else by a plain write
    };
    const Case cases[] = {
        {"unchanged", first, false},
        {"same length", "alpha\nBETA\r\ngamma", false},
        {"same length by a unit", "ALPHA\nbeta\r\ngamma", true},
        {"longer", first + "\ndelta\n", false},
        {"longer than a block", first + "\n" + std::string(5000, 'z'), false},
        {"shorter", "alpha\n", true},
        {"emptied", "", false},
    };
    auto lines = [](const std::string &text) {
        std::vector<std::string> out;
        size_t from = 0;
        while (from < text.size()) {
            size_t end = text.find('\n', from);
            const size_t next = end == std::string::npos ? text.size() : end + 1;
            if (end == std::string::npos)
                end = text.size();
            std::string line = text.substr(from, end - from);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            out.push_back(line);
            from = next;
        }
        return out;
    };
    auto read_all = [](int unit) {
        std::vector<std::string> out;
        std::string line;
        int r;
        while ((r = recio::ReadLine(unit, &line)) == recio::kOk)
            out.push_back(line);
        EXPECT_EQ(r, recio::kEndOfFile);
        return out;
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(path, Bytes(first.begin(), first.end()));
        UnitGuard g{45};
        ASSERT_EQ(recio::Open(45, path, Form::kFormatted, Access::kSequential, OpenStatus::kOld), recio::kOk);
        EXPECT_EQ(read_all(45), lines(first));
        ASSERT_EQ(recio::Rewind(45), recio::kOk);
        std::string line;
        ASSERT_EQ(recio::ReadLine(45, &line), recio::kOk);   // a rewind from inside the file
        EXPECT_EQ(line, "alpha");
        if (c.through_a_unit) {
            UnitGuard w{46};
            ASSERT_EQ(recio::Open(46, path, Form::kBinary, Access::kSequential, OpenStatus::kOld), recio::kOk);
            ASSERT_EQ(recio::WriteRecord(46, c.then.data(), c.then.size()), recio::kOk);
        } else {
            WriteBytes(path, Bytes(c.then.begin(), c.then.end()));
        }
        for (int round = 0; round < 2; ++round) {
            ASSERT_EQ(recio::Rewind(45), recio::kOk);
            EXPECT_EQ(read_all(45), lines(c.then)) << round;
            EXPECT_EQ(recio::Inquire(45).position, static_cast<int64_t>(c.then.size())) << round;
        }
    }
}

// A line read into a field of fixed size gives the field what ReadLine
// gives, cut or padded, and the line's whole length.
TEST(Formatted, LineIntoAFieldIsTheLineCutOrPadded)
{
    const std::string path = WorkDir() + "fields.txt";
    const std::string across(5000, 'y');   // crosses the read-ahead's blocks
    const std::string text = "abc\nabcdef\r\nab\r\n\r\nabcd\r\n" + across + "\nlast\r";
    WriteBytes(path, Bytes(text.begin(), text.end()));
    UnitGuard g{43}, h{44};
    ASSERT_EQ(recio::Open(43, path, Form::kFormatted, Access::kSequential, OpenStatus::kOld), recio::kOk);
    ASSERT_EQ(recio::Open(44, path, Form::kFormatted, Access::kSequential, OpenStatus::kOld), recio::kOk);
    for (int row = 0; row < 7; ++row) {
        std::string line;
        ASSERT_EQ(recio::ReadLine(44, &line), recio::kOk);
        char field[6];
        std::memset(field, '?', sizeof field);
        size_t length = 0;
        ASSERT_EQ(recio::ReadLineInto(43, field, 5, '.', &length), recio::kOk);
        EXPECT_EQ(length, line.size()) << row;
        std::string expect = line.substr(0, 5);
        expect.resize(5, '.');
        EXPECT_EQ(std::string(field, 5), expect) << row;
        EXPECT_EQ(field[5], '?') << row;   // nothing past the field
        EXPECT_EQ(recio::Inquire(43).position, recio::Inquire(44).position) << row;
    }
    char field[5];
    EXPECT_EQ(recio::ReadLineInto(43, field, 5, ' '), recio::kEndOfFile);
    EXPECT_EQ(recio::ReadLineInto(42, field, 5, ' '), recio::kErrNotConnected);
}

// Lines passed over without a key stop before the first line that holds
// it in its window (a CR before the LF not counted), after `most` lines, or
// where the lines read ahead end: a line whose end is not read yet, and
// bytes the file gained since, are left to the next read.  The unit is
// then where reading the lines passed leaves it: position, the next line,
// Backspace, and a write that ends the file there.
TEST(Formatted, LinesPassedOverAreLeftAsReadingThemLeavesThem)
{
    const std::string path = WorkDir() + "passed.txt";
    const std::string across(5000, 'y');   // ends past the first block
    const std::string text = "skip\nxxKEY\r\nKEY\r\nxKEYz\n" + across + "KEY\nKEY last";
    struct Case {
        const char *name;
        std::string key;
        size_t window, most, skipped_first;   // lines read before the pass
        size_t passed;
        const char *next;   // the line read after the pass (null: the long one)
    };
    const Case cases[] = {
        {"key past a window of 4", "KEY", 4, SIZE_MAX, 1, 1, "KEY"},
        {"key inside a window of 5", "KEY", 5, SIZE_MAX, 1, 0, "xxKEY"},
        {"CR not in the window", "KEY\r", 80, SIZE_MAX, 1, 3, nullptr},
        {"at most two", "none", 80, 2, 1, 2, "xKEYz"},
        {"none: stops at the line not read whole", "none", 80, SIZE_MAX, 1, 3, nullptr},
        {"empty key passes nothing", "", 80, SIZE_MAX, 1, 0, "xxKEY"},
        {"window 0", "K", 0, SIZE_MAX, 1, 3, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(path, Bytes(text.begin(), text.end()));
        UnitGuard g{47};
        ASSERT_EQ(recio::Open(47, path, Form::kFormatted, Access::kSequential, OpenStatus::kOld), recio::kOk);
        std::string line;
        EXPECT_EQ(recio::PassLinesWithout(47, "none", 80, SIZE_MAX), 0u);   // no line read ahead yet
        for (size_t n = 0; n < c.skipped_first; ++n)
            ASSERT_EQ(recio::ReadLine(47, &line), recio::kOk);
        const size_t passed = recio::PassLinesWithout(47, c.key, c.window, c.most);
        EXPECT_EQ(passed, c.passed);
        // Where reading as many lines leaves a second unit.
        UnitGuard h{48};
        ASSERT_EQ(recio::Open(48, path, Form::kFormatted, Access::kSequential, OpenStatus::kOld), recio::kOk);
        for (size_t n = 0; n < c.skipped_first + passed; ++n)
            ASSERT_EQ(recio::ReadLine(48, &line), recio::kOk);
        EXPECT_EQ(recio::Inquire(47).position, recio::Inquire(48).position);
        ASSERT_EQ(recio::ReadLine(47, &line), recio::kOk);
        EXPECT_TRUE(line == (c.next ? std::string(c.next) : across + "KEY")) << line.substr(0, 20);
    }

    // A backspace, and a write that ends the file, after a pass.
    WriteBytes(path, Bytes(text.begin(), text.end()));
    {
        UnitGuard g{47};
        ASSERT_EQ(recio::Open(47, path, Form::kFormatted, Access::kSequential, OpenStatus::kOld), recio::kOk);
        std::string line;
        ASSERT_EQ(recio::ReadLine(47, &line), recio::kOk);
        ASSERT_EQ(recio::PassLinesWithout(47, "none", 80, 2), 2u);
        ASSERT_EQ(recio::Backspace(47), recio::kOk);
        ASSERT_EQ(recio::ReadLine(47, &line), recio::kOk);
        EXPECT_EQ(line, "KEY");
        ASSERT_EQ(recio::WriteLine(47, "end"), recio::kOk);
    }
    const Bytes b = ReadBytes(path);
#ifdef _WIN32
    EXPECT_EQ(std::string(b.begin(), b.end()), "skip\nxxKEY\r\nKEY\r\nend\r\n");
#else
    EXPECT_EQ(std::string(b.begin(), b.end()), "skip\nxxKEY\r\nKEY\r\nend\n");
#endif

    // Bytes the file gained after its last line was read ahead are not
    // passed: the next read takes them from the file.
    const std::string small = "a\nb\n";
    WriteBytes(path, Bytes(small.begin(), small.end()));
    UnitGuard g{47};
    ASSERT_EQ(recio::Open(47, path, Form::kFormatted, Access::kSequential, OpenStatus::kOld), recio::kOk);
    std::string line;
    ASSERT_EQ(recio::ReadLine(47, &line), recio::kOk);
    {
        std::ofstream more(path, std::ios::binary | std::ios::app);
        more << "c\nd\n";
    }
    EXPECT_EQ(recio::PassLinesWithout(47, "none", 80, SIZE_MAX), 1u);
    ASSERT_EQ(recio::ReadLine(47, &line), recio::kOk);
    EXPECT_EQ(line, "c");
    EXPECT_EQ(recio::PassLinesWithout(42, "none", 80, SIZE_MAX), 0u);   // no unit

    // Rewritten to the same length with its lines elsewhere: after a
    // rewind the lines passed are those of the file as it is.
    const std::string before = "a\nbb\nccc\n", after = "aaa\nb\ncc\n";
    WriteBytes(path, Bytes(before.begin(), before.end()));
    UnitGuard h{48};
    ASSERT_EQ(recio::Open(48, path, Form::kFormatted, Access::kSequential, OpenStatus::kOld), recio::kOk);
    ASSERT_EQ(recio::ReadLine(48, &line), recio::kOk);
    EXPECT_EQ(recio::PassLinesWithout(48, "none", 80, SIZE_MAX), 2u);
    WriteBytes(path, Bytes(after.begin(), after.end()));
    ASSERT_EQ(recio::Rewind(48), recio::kOk);
    ASSERT_EQ(recio::ReadLine(48, &line), recio::kOk);
    EXPECT_EQ(line, "aaa");
    EXPECT_EQ(recio::PassLinesWithout(48, "none", 80, 1), 1u);
    ASSERT_EQ(recio::ReadLine(48, &line), recio::kOk);
    EXPECT_EQ(line, "cc");
}

// A unit that holds its file reads it once: a rewrite, longer or of the
// same length, is seen neither at its end nor after rewinds, until the
// hold ends; a file larger than the read-ahead is read as always.
TEST(Formatted, AHeldFileIsReadOnce)
{
    const std::string path = WorkDir() + "held.txt";
    auto write = [&](const std::string &text) { WriteBytes(path, Bytes(text.begin(), text.end())); };
    auto read_all = [](int unit) {
        std::string all, line;
        while (recio::ReadLine(unit, &line) == recio::kOk)
            all += line + "|";
        return all;
    };
    const std::string big(5000, 'b');
    struct Case {
        const char *name;
        std::string first, then, held_reads;
    };
    const Case cases[] = {
        {"longer", "one\ntwo\n", "ONE\nTWO\nTHREE\n", "one|two|"},
        {"same length", "one\ntwo", "ONE\nTWO", "one|two|"},
        {"larger than a block", big + "\n", big + "\nmore\n", big + "|more|"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        write(c.first);
        UnitGuard g{50};
        ASSERT_EQ(recio::Open(50, path, Form::kFormatted, Access::kSequential, OpenStatus::kOld), recio::kOk);
        ASSERT_EQ(recio::HoldFile(50, true), recio::kOk);
        std::string line;
        ASSERT_EQ(recio::ReadLine(50, &line), recio::kOk);
        write(c.then);
        const std::string rest = read_all(50);
        ASSERT_EQ(recio::Rewind(50), recio::kOk);
        EXPECT_EQ(line + "|" + rest, c.held_reads);
        EXPECT_EQ(read_all(50), c.held_reads);
        ASSERT_EQ(recio::Rewind(50), recio::kOk);
        EXPECT_EQ(read_all(50), c.held_reads);
        ASSERT_EQ(recio::HoldFile(50, false), recio::kOk);
        ASSERT_EQ(recio::Rewind(50), recio::kOk);
        std::string expect;
        for (size_t from = 0; from < c.then.size();) {
            const size_t end = std::min(c.then.find('\n', from), c.then.size());
            expect += c.then.substr(from, end - from) + "|";
            from = end + 1;
        }
        EXPECT_EQ(read_all(50), expect);
    }
    EXPECT_EQ(recio::HoldFile(42, true), recio::kErrNotConnected);
}

TEST(ListDirected, ItemsSeparatorsRepeatsNullsAndSlash)
{
    struct Case {
        const char *text;
        int result;
        std::vector<double> expect;   // four reals, start values 0
    } cases[] = {
        {"1 2 3 4\n", recio::kOk, {1, 2, 3, 4}},
        {"1,2 , 3,\t4\n", recio::kOk, {1, 2, 3, 4}},
        {"1\n2\n\n3 4 5\n", recio::kOk, {1, 2, 3, 4}},           // items span lines
        {"1,,3,4\n", recio::kOk, {1, 0, 3, 4}},                   // empty item keeps the value
        {",2,3,4\n", recio::kOk, {0, 2, 3, 4}},
        {"3*7 8\n", recio::kOk, {7, 7, 7, 8}},
        {"2* 5 6\n", recio::kOk, {0, 0, 5, 6}},
        {"1 2 / 9 9\n", recio::kOk, {1, 2, 0, 0}},                // slash ends the statement
        {"1.5D+02 -2.5e-1 1e3 +4.\n", recio::kOk, {150, -0.25, 1000, 4}},
        {"1 2\n", recio::kEndOfFile, {1, 2, 0, 0}},
        {"1 x 3 4\n", recio::kErrBadNumber, {1, 0, 0, 0}},
        {"1 2 1e99 4\n", recio::kErrBadNumber, {1, 2, 0, 0}},    // no float holds it
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        std::string path = WorkDir() + "list.txt";
        {
            std::ofstream f(path, std::ios::binary);
            f << c.text;
        }
        UnitGuard g{42};
        ASSERT_EQ(recio::Open(42, path, Form::kFormatted, Access::kSequential, OpenStatus::kOld), recio::kOk);
        float v[4] = {0, 0, 0, 0};
        recio::ListRead read(42);
        read.Real(&v[0]).Real(&v[1]).Real(&v[2]).Real(&v[3]);
        EXPECT_EQ(read.result(), c.result);
        for (int i = 0; i < 4; ++i)
            EXPECT_FLOAT_EQ(v[i], static_cast<float>(c.expect[i])) << i;
    }
}

TEST(ListDirected, IntegersTextsAndOneStatementPerLine)
{
    std::string path = WorkDir() + "list2.txt";
    {
        std::ofstream f(path, std::ios::binary);
        f << "10 'it''s' 20 rest ignored\n30 \"two words\" 2147483648\n7 1.5\n";
    }
    UnitGuard g{43};
    ASSERT_EQ(recio::Open(43, path, Form::kFormatted, Access::kSequential, OpenStatus::kOld), recio::kOk);
    int32_t a = 0, b = 0, c = 0;
    std::string s, t;
    recio::ListRead first(43);
    first.Int(&a).Text(&s).Int(&b);
    EXPECT_EQ(first.result(), recio::kOk);
    EXPECT_EQ(a, 10);
    EXPECT_EQ(s, "it's");
    EXPECT_EQ(b, 20);
    // The next statement starts on the next line.
    recio::ListRead second(43);
    second.Int(&a).Text(&t).Int(&c);
    EXPECT_EQ(second.result(), recio::kErrBadNumber);   // beyond int32
    EXPECT_EQ(a, 30);
    EXPECT_EQ(t, "two words");
    recio::ListRead third(43);
    third.Int(&a).Int(&b);
    EXPECT_EQ(third.result(), recio::kErrBadNumber);    // 1.5 is no integer
    EXPECT_EQ(a, 7);
}

TEST(ListDirected, RepeatedQuotedTextsKeepTheirBlanks)
{
    std::string path = WorkDir() + "list3.txt";
    {
        std::ofstream f(path, std::ios::binary);
        f << "2*'a b, c' 'd' 2*5\n";
    }
    UnitGuard g{44};
    ASSERT_EQ(recio::Open(44, path, Form::kFormatted, Access::kSequential, OpenStatus::kOld), recio::kOk);
    std::string s1, s2, s3;
    int32_t a = 0, b = 0;
    recio::ListRead read(44);
    read.Text(&s1).Text(&s2).Text(&s3).Int(&a).Int(&b);
    EXPECT_EQ(read.result(), recio::kOk);
    EXPECT_EQ(s1, "a b, c");
    EXPECT_EQ(s2, "a b, c");
    EXPECT_EQ(s3, "d");
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 5);
}

}  // namespace
