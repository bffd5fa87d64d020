// The record input/output runtime: the unit table, opening and closing files
// in their storage forms, sequential records with length markers,
// transparent streams and formatted lines.

#include "record_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#ifdef _WIN32
#include <process.h>
#include <unistd.h>
#define RECIO_GETPID _getpid
#else
#include <unistd.h>
#define RECIO_GETPID getpid
#endif
#include <sys/stat.h>
#include <sys/types.h>

namespace recio {
namespace {

// ---------------------------------------------------------------- file helpers

int64_t Tell(std::FILE *f)
{
#ifdef _WIN32
    return _ftelli64(f);
#else
    return static_cast<int64_t>(ftello(f));
#endif
}

bool SeekTo(std::FILE *f, int64_t pos)
{
#ifdef _WIN32
    return _fseeki64(f, pos, SEEK_SET) == 0;
#else
    return fseeko(f, static_cast<off_t>(pos), SEEK_SET) == 0;
#endif
}

int64_t LengthOf(std::FILE *f)
{
#ifdef _WIN32
    if (_fseeki64(f, 0, SEEK_END) != 0)
        return -1;
#else
    if (fseeko(f, 0, SEEK_END) != 0)
        return -1;
#endif
    return Tell(f);
}

enum class Kind { kUnknown, kRegular, kFolder, kOther };

// What an open file is, and its length when it is a regular file.
Kind KindOf(std::FILE *f, int64_t *length = nullptr)
{
#ifdef _WIN32
    struct _stati64 st;
    if (_fstati64(_fileno(f), &st) != 0)
        return Kind::kUnknown;
    const unsigned type = st.st_mode & _S_IFMT;
    const bool regular = type == _S_IFREG, folder = type == _S_IFDIR;
#else
    struct stat st;
    if (fstat(fileno(f), &st) != 0)
        return Kind::kUnknown;
    const bool regular = S_ISREG(st.st_mode), folder = S_ISDIR(st.st_mode);
#endif
    if (regular && length)
        *length = static_cast<int64_t>(st.st_size);
    return regular ? Kind::kRegular : folder ? Kind::kFolder : Kind::kOther;
}

// Length of a file just opened, which stays at its start: a regular file
// tells it without moving; anything else is measured by going to its end
// and back (-1 when that fails).
int64_t LengthOfNew(std::FILE *f)
{
    int64_t length = -1;
    if (KindOf(f, &length) == Kind::kRegular)
        return length;
    length = LengthOf(f);
    return length >= 0 && SeekTo(f, 0) ? length : -1;
}

bool TruncateAt(std::FILE *f, int64_t length)
{
    if (std::fflush(f) != 0)
        return false;
#ifdef _WIN32
    return ftruncate64(_fileno(f), length) == 0;
#else
    return ftruncate(fileno(f), static_cast<off_t>(length)) == 0;
#endif
}

struct FileCloser {
    void operator()(std::FILE *f) const
    {
        if (f)
            std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// ---------------------------------------------------------------- unit table

enum class LastOp { kNone, kRead, kWrite };

struct Unit {
    std::unique_ptr<char[]> buffer;   // the stream's buffer, which outlives it
    FilePtr file;
    std::string name;
    std::string scratch_path;   // removed on close
    Form form = Form::kUnformatted;
    Access access = Access::kSequential;
    bool read_only = false;
    int64_t pos = 0;
    int64_t size = 0;
    LastOp last = LastOp::kNone;
    // Formatted reading takes the file in blocks: ahead[ahead_at ..
    // ahead_end) are the bytes read from the file beyond pos.  While any
    // are left the file's own position is past pos; every operation but
    // the reading of lines first puts it back (Settle).
    static constexpr size_t kAhead = 4096;
    std::unique_ptr<char[]> ahead;   // kAhead bytes, from the first line read
    size_t ahead_at = 0;
    size_t ahead_end = 0;
    // The block holds the whole file, read from its start, and the file's
    // position is at its end (no other operation since): a rewind reads
    // the file into the block again with one read from its start.
    bool whole = false;
    // The last block read ended short: the file's end was met there.
    bool met_end = false;
    // The file is taken to stay as it is (HoldFile).
    bool held = false;
    // Fills of the block so far; and the offsets of the LFs in the block
    // as filled for the fill-th time (PassLinesWithout).
    uint64_t fills = 0;
    uint64_t lines_of_fill = 0;
    std::vector<uint32_t> line_ends;

    bool IsStream() const { return form == Form::kBinary || access == Access::kTransparent; }
    bool IsFramed() const { return form == Form::kUnformatted && access == Access::kSequential; }
};

// The units by number, 0 to kMaxUnit.
std::unique_ptr<Unit> *Units()
{
    static std::unique_ptr<Unit> units[kMaxUnit + 1];
    return units;
}

// The unit of a number in 0..kMaxUnit, or null when none is connected.
Unit *Find(int unit)
{
    return Units()[unit].get();
}

int Lookup(int unit, Unit **u)
{
    if (unit < 0 || unit > kMaxUnit)
        return kErrBadUnit;
    *u = Find(unit);
    return *u ? kOk : kErrNotConnected;
}

// Read-ahead blocks of closed units, kept for the next units that read
// lines (a few at most).
std::vector<std::unique_ptr<char[]>> &SpareBlocks()
{
    static std::vector<std::unique_ptr<char[]>> blocks;
    return blocks;
}

void KeepBlock(std::unique_ptr<char[]> block)
{
    constexpr size_t kMostKept = 8;
    if (block && SpareBlocks().size() < kMostKept)
        SpareBlocks().push_back(std::move(block));
}

std::unique_ptr<char[]> TakeBlock()
{
    auto &blocks = SpareBlocks();
    if (blocks.empty())
        return std::unique_ptr<char[]>(new char[Unit::kAhead]);
    std::unique_ptr<char[]> block = std::move(blocks.back());
    blocks.pop_back();
    return block;
}

// Buffers of the streams of closed units, kept for the next units opened
// (a few at most), so that opening a file allocates none.
constexpr size_t kStreamBuffer = 4096;

std::vector<std::unique_ptr<char[]>> &SpareBuffers()
{
    static std::vector<std::unique_ptr<char[]>> buffers;
    return buffers;
}

// Gives the stream of a unit just opened a buffer that the unit holds.
void BufferStream(Unit *u)
{
    auto &buffers = SpareBuffers();
    if (buffers.empty()) {
        u->buffer.reset(new char[kStreamBuffer]);
    } else {
        u->buffer = std::move(buffers.back());
        buffers.pop_back();
    }
    if (std::setvbuf(u->file.get(), u->buffer.get(), _IOFBF, kStreamBuffer) != 0)
        u->buffer.reset();   // the stream keeps a buffer of its own
}

void KeepBuffer(std::unique_ptr<char[]> buffer)
{
    constexpr size_t kMostKept = 8;
    if (buffer && SpareBuffers().size() < kMostKept)
        SpareBuffers().push_back(std::move(buffer));
}

// Forgets the bytes read ahead.
void DropAhead(Unit *u)
{
    u->ahead_at = u->ahead_end = 0;
    u->whole = false;
    ++u->fills;
}

// Gives back to the file the bytes read ahead of the unit's position.
bool Settle(Unit *u)
{
    if (u->ahead_at == u->ahead_end)
        return true;
    DropAhead(u);
    return SeekTo(u->file.get(), u->pos);
}

// Reads the whole file into the unit's block again when it still fits in
// it and is as long as before, so that the file's position (its end)
// stays right; false when it does not (the block is then undefined).
bool ReadWholeAgain(Unit *u)
{
#ifdef _WIN32
    (void)u;
    return false;
#else
    if (!u->whole)
        return false;
    ++u->fills;
    const ssize_t got = pread(fileno(u->file.get()), u->ahead.get(), Unit::kAhead, 0);
    return got >= 0 && static_cast<size_t>(got) == u->ahead_end;
#endif
}

// C streams need a positioning call between a write and a read.
bool PrepareFor(Unit *u, LastOp op)
{
    if (!Settle(u))
        return false;
    if (op != LastOp::kRead)
        u->whole = false;
    if (u->last != op && u->last != LastOp::kNone) {
        if (!SeekTo(u->file.get(), u->pos))
            return false;
    }
    u->last = op;
    return true;
}

// Reads exactly n bytes at the unit's position; false when fewer came.
bool ReadExact(Unit *u, void *data, size_t n)
{
    if (n == 0)
        return true;
    size_t got = std::fread(data, 1, n, u->file.get());
    u->pos += static_cast<int64_t>(got);
    return got == n;
}

bool WriteExact(Unit *u, const void *data, size_t n)
{
    if (n == 0)
        return true;
    size_t put = std::fwrite(data, 1, n, u->file.get());
    u->pos += static_cast<int64_t>(put);
    if (u->pos > u->size)
        u->size = u->pos;
    return put == n;
}

bool Skip(Unit *u, int64_t n)
{
    if (n == 0)
        return true;
    // A short way is read past: a seek costs a call of the system even
    // within the stream's buffer.  Should the bytes not all come, the seek
    // decides as before.
    constexpr int64_t kReadPast = 4096;
    if (n > 0 && n <= kReadPast) {
        unsigned char scratch[kReadPast];
        if (std::fread(scratch, 1, static_cast<size_t>(n), u->file.get()) == static_cast<size_t>(n)) {
            u->pos += n;
            return true;
        }
    }
    if (!SeekTo(u->file.get(), u->pos + n))
        return false;
    u->pos += n;
    return true;
}

// After a sequential write the file ends with the record just written.
bool EndFileHere(Unit *u)
{
    if (u->access != Access::kSequential || u->pos >= u->size)
        return true;
    if (!TruncateAt(u->file.get(), u->pos))
        return false;
    u->size = u->pos;
    return SeekTo(u->file.get(), u->pos);
}

std::string Upper(std::string_view text)
{
    size_t end = text.size();
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\0'))
        --end;
    std::string out(text.substr(0, end));
    for (char &c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// A file opened for reading, or null when it cannot be opened or is a
// folder.
FilePtr OpenForReading(const std::string &path)
{
    FilePtr f(std::fopen(path.c_str(), "rb"));
    if (f && KindOf(f.get()) == Kind::kFolder)
        f.reset();
    return f;
}

std::string ScratchPath(int unit)
{
    static unsigned counter = 0;
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
    if (ec)
        dir = ".";
    for (int attempt = 0; attempt < 1000; ++attempt) {
        char leaf[64];
        std::snprintf(leaf, sizeof leaf, "recio_%d_%u_%d.tmp", static_cast<int>(RECIO_GETPID()), ++counter, unit);
        std::filesystem::path p = dir / leaf;
        if (!std::filesystem::exists(p, ec))
            return p.string();
    }
    return std::string();
}

}  // namespace

// ---------------------------------------------------------------- texts

const char *ResultText(int result)
{
    switch (result) {
    case kOk: return "no error";
    case kEndOfFile: return "end of file";
    case kErrBadUnit: return "unit number out of range";
    case kErrNotConnected: return "unit not connected";
    case kErrAlreadyConnected: return "unit already connected";
    case kErrOpenFailed: return "file cannot be opened";
    case kErrShortRecord: return "record too short for the read";
    case kErrBrokenFrame: return "record length markers broken";
    case kErrReadFailed: return "read failed";
    case kErrWriteFailed: return "write failed";
    case kErrBadNumber: return "not a number of the wanted kind";
    case kErrWrongForm: return "not possible for this form or access";
    case kErrSeekFailed: return "positioning failed";
    case kErrBadArgument: return "invalid argument";
    default: return result < 0 ? "end of file" : "input/output error";
    }
}

bool FormFromText(std::string_view text, Form *form)
{
    std::string t = Upper(text);
    if (t == "UNFORMATTED") *form = Form::kUnformatted;
    else if (t == "BINARY") *form = Form::kBinary;
    else if (t == "FORMATTED") *form = Form::kFormatted;
    else return false;
    return true;
}

bool AccessFromText(std::string_view text, Access *access)
{
    std::string t = Upper(text);
    if (t == "SEQUENTIAL") *access = Access::kSequential;
    else if (t == "TRANSPARENT") *access = Access::kTransparent;
    else return false;
    return true;
}

bool StatusFromText(std::string_view text, OpenStatus *status)
{
    std::string t = Upper(text);
    if (t == "OLD") *status = OpenStatus::kOld;
    else if (t == "NEW") *status = OpenStatus::kNew;
    else if (t == "UNKNOWN") *status = OpenStatus::kUnknown;
    else if (t == "SCRATCH") *status = OpenStatus::kScratch;
    else return false;
    return true;
}

// ---------------------------------------------------------------- units

bool FileExists(const std::string &path)
{
    return path.empty() ? false : OpenForReading(path) != nullptr;
}

int64_t FileSize(const std::string &path)
{
    if (!FileExists(path))
        return -1;
    FilePtr f(std::fopen(path.c_str(), "rb"));
    return f ? LengthOf(f.get()) : -1;
}

int Open(int unit, const std::string &path, Form form, Access access, OpenStatus status)
{
    if (unit < 0 || unit > kMaxUnit)
        return kErrBadUnit;
    if (Find(unit))
        return kErrAlreadyConnected;
    if (form == Form::kFormatted && access != Access::kSequential)
        return kErrWrongForm;

    auto u = std::make_unique<Unit>();
    u->form = form;
    u->access = access;

    std::FILE *f = nullptr;
    switch (status) {
    case OpenStatus::kOld:
    case OpenStatus::kUnknown:
        if (path.empty())
            return kErrOpenFailed;
        // A file that opens for update exists (a folder does not open so);
        // one that is not there needs no second look.
        errno = 0;
        f = std::fopen(path.c_str(), "r+b");
        if (f)
            break;
        if (errno != ENOENT && FileExists(path)) {
            f = std::fopen(path.c_str(), "rb");
            u->read_only = f != nullptr;
        } else if (status == OpenStatus::kUnknown) {
            f = std::fopen(path.c_str(), "w+b");
        }
        break;
    case OpenStatus::kNew:
        if (path.empty() || FileExists(path))
            return kErrOpenFailed;
        {
            std::error_code ec;
            if (std::filesystem::exists(path, ec))
                return kErrOpenFailed;
        }
        f = std::fopen(path.c_str(), "w+b");
        break;
    case OpenStatus::kScratch:
        u->scratch_path = ScratchPath(unit);
        if (!u->scratch_path.empty())
            f = std::fopen(u->scratch_path.c_str(), "w+b");
        break;
    }
    if (!f)
        return kErrOpenFailed;
    u->file.reset(f);
    BufferStream(u.get());
    u->name = status == OpenStatus::kScratch ? std::string() : path;
    u->size = LengthOfNew(f);
    if (u->size < 0) {
        u->file.reset();
        if (!u->scratch_path.empty())
            std::remove(u->scratch_path.c_str());
        return kErrOpenFailed;
    }
    u->pos = 0;
    Units()[unit] = std::move(u);
    return kOk;
}

int Close(int unit, bool delete_file)
{
    if (unit < 0 || unit > kMaxUnit)
        return kErrBadUnit;
    std::unique_ptr<Unit> u = std::move(Units()[unit]);
    if (!u)
        return kOk;
    KeepBlock(std::move(u->ahead));
    int result = kOk;
    if (std::fclose(u->file.release()) != 0)
        result = kErrWriteFailed;
    KeepBuffer(std::move(u->buffer));
    if (!u->scratch_path.empty())
        std::remove(u->scratch_path.c_str());
    else if (delete_file && std::remove(u->name.c_str()) != 0)
        result = kErrWriteFailed;
    return result;
}

int Rewind(int unit)
{
    Unit *u;
    int r = Lookup(unit, &u);
    if (r != kOk)
        return r;
    if ((u->held && u->whole) || ReadWholeAgain(u)) {
        // As after reading the block from the start: the lines are taken
        // from it, the end of the file is met when they are.
        u->ahead_at = 0;
        u->pos = 0;
        u->last = LastOp::kNone;
        std::clearerr(u->file.get());
        return kOk;
    }
    DropAhead(u);
    if (u->last == LastOp::kWrite)
        std::fflush(u->file.get());
    if (!SeekTo(u->file.get(), 0))
        return kErrSeekFailed;
    u->pos = 0;
    u->last = LastOp::kNone;
    return kOk;
}

int HoldFile(int unit, bool hold)
{
    Unit *u;
    int r = Lookup(unit, &u);
    if (r != kOk)
        return r;
    u->held = hold;
    return kOk;
}

int Backspace(int unit)
{
    Unit *u;
    int r = Lookup(unit, &u);
    if (r != kOk)
        return r;
    if (u->IsStream())
        return kErrWrongForm;
    if (!Settle(u))
        return kErrSeekFailed;
    if (u->pos == 0)
        return kOk;
    std::FILE *f = u->file.get();
    u->whole = false;   // the file's position moves
    if (u->last == LastOp::kWrite)
        std::fflush(f);
    u->last = LastOp::kNone;

    if (u->form == Form::kUnformatted) {
        unsigned char m[4];
        if (u->pos < 8 || !SeekTo(f, u->pos - 4) || std::fread(m, 1, 4, f) != 4)
            return kErrBrokenFrame;
        int64_t len = GetInt32LE(m);
        int64_t start = u->pos - 8 - len;
        if (len < 0 || start < 0 || !SeekTo(f, start) || std::fread(m, 1, 4, f) != 4 ||
            GetInt32LE(m) != len) {
            SeekTo(f, u->pos);
            return kErrBrokenFrame;
        }
        if (!SeekTo(f, start))
            return kErrSeekFailed;
        u->pos = start;
        return kOk;
    }

    // Formatted: the line before the position starts after the line end
    // before it (or at the start of the file).
    int64_t p = u->pos - 1;   // the line end of the previous line
    while (p > 0) {
        if (!SeekTo(f, p - 1))
            return kErrSeekFailed;
        int c = std::fgetc(f);
        if (c == '\n')
            break;
        --p;
    }
    if (!SeekTo(f, p))
        return kErrSeekFailed;
    u->pos = p;
    return kOk;
}

bool IsConnected(int unit)
{
    return unit >= 0 && unit <= kMaxUnit && Find(unit) != nullptr;
}

UnitInfo Inquire(int unit)
{
    UnitInfo info;
    Unit *u = (unit >= 0 && unit <= kMaxUnit) ? Find(unit) : nullptr;
    if (!u)
        return info;
    info.connected = true;
    info.name = u->name;
    info.form = u->form;
    info.access = u->access;
    info.read_only = u->read_only;
    info.position = u->pos;
    info.size = u->size;
    return info;
}

int FreeUnit(int from)
{
    if (from < kFirstFreeUnit)
        from = kFirstFreeUnit;
    for (int unit = from; unit <= kLastFreeUnit; ++unit)
        if (!Find(unit))
            return unit;
    return -1;
}

// ---------------------------------------------------------------- records

int32_t GetInt32LE(const unsigned char *b)
{
    uint32_t v = static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                 static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
    int32_t out;
    std::memcpy(&out, &v, 4);
    return out;
}

float GetReal32LE(const unsigned char *b)
{
    int32_t bits = GetInt32LE(b);
    float out;
    std::memcpy(&out, &bits, 4);
    return out;
}

void PutInt32LE(unsigned char *b, int32_t value)
{
    uint32_t v;
    std::memcpy(&v, &value, 4);
    b[0] = static_cast<unsigned char>(v);
    b[1] = static_cast<unsigned char>(v >> 8);
    b[2] = static_cast<unsigned char>(v >> 16);
    b[3] = static_cast<unsigned char>(v >> 24);
}

void PutReal32LE(unsigned char *b, float value)
{
    int32_t bits;
    std::memcpy(&bits, &value, 4);
    PutInt32LE(b, bits);
}

int ReadRecord(int unit, void *data, size_t nbytes, size_t *record_bytes)
{
    Unit *u;
    int r = Lookup(unit, &u);
    if (r != kOk)
        return r;
    if (u->form == Form::kFormatted)
        return kErrWrongForm;
    if (nbytes > 0 && !data)
        return kErrBadArgument;
    if (!PrepareFor(u, LastOp::kRead))
        return kErrSeekFailed;

    if (u->IsStream()) {
        if (nbytes == 0) {
            if (record_bytes)
                *record_bytes = 0;
            return kOk;
        }
        int64_t left = u->size - u->pos;
        if (left < static_cast<int64_t>(nbytes)) {
            // The stream ends inside the request: consume what is left.
            Skip(u, left > 0 ? left : 0);
            return kEndOfFile;
        }
        if (!ReadExact(u, data, nbytes))
            return kErrReadFailed;
        if (record_bytes)
            *record_bytes = nbytes;
        return kOk;
    }

    // Framed record.
    int64_t left = u->size - u->pos;
    if (left <= 0)
        return kEndOfFile;
    unsigned char m[4];
    if (left < 8 || !ReadExact(u, m, 4))
        return kErrBrokenFrame;
    int64_t len = GetInt32LE(m);
    if (len < 0 || len > left - 8)
        return kErrBrokenFrame;
    if (record_bytes)
        *record_bytes = static_cast<size_t>(len);
    size_t take = nbytes <= static_cast<uint64_t>(len) ? nbytes : 0;
    if (!ReadExact(u, data, take))
        return kErrReadFailed;
    if (!Skip(u, len - static_cast<int64_t>(take)))
        return kErrSeekFailed;
    if (!ReadExact(u, m, 4))
        return kErrReadFailed;
    if (GetInt32LE(m) != len)
        return kErrBrokenFrame;
    if (nbytes > static_cast<uint64_t>(len))
        return kErrShortRecord;
    return kOk;
}

int SkipRecord(int unit)
{
    return ReadRecord(unit, nullptr, 0);
}

// Turns count 4-byte little-endian values, read into place, into host
// values: nothing to do on a little-endian host.
static void FromLittleEndian(void *values, size_t count)
{
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    (void)values;
    (void)count;
#else
    unsigned char *b = static_cast<unsigned char *>(values);
    for (size_t i = 0; i < count; ++i) {
        uint32_t v = static_cast<uint32_t>(b[4 * i]) | static_cast<uint32_t>(b[4 * i + 1]) << 8 |
                     static_cast<uint32_t>(b[4 * i + 2]) << 16 | static_cast<uint32_t>(b[4 * i + 3]) << 24;
        std::memcpy(b + 4 * i, &v, 4);
    }
#endif
}

int ReadInt32(int unit, int32_t *values, size_t count)
{
    if (count > SIZE_MAX / 4)
        return kErrBadArgument;
    int r = ReadRecord(unit, values, count * 4);
    if (r == kOk)
        FromLittleEndian(values, count);
    return r;
}

int ReadReal32(int unit, float *values, size_t count)
{
    if (count > SIZE_MAX / 4)
        return kErrBadArgument;
    int r = ReadRecord(unit, values, count * 4);
    if (r == kOk)
        FromLittleEndian(values, count);
    return r;
}

int SkipBytes(int unit, int64_t nbytes)
{
    Unit *u;
    int r = Lookup(unit, &u);
    if (r != kOk)
        return r;
    if (!u->IsStream())
        return kErrWrongForm;
    if (nbytes < 0)
        return kErrBadArgument;
    if (!PrepareFor(u, LastOp::kRead))
        return kErrSeekFailed;
    if (u->size - u->pos < nbytes) {
        Skip(u, u->size - u->pos);
        return kEndOfFile;
    }
    return Skip(u, nbytes) ? kOk : kErrSeekFailed;
}

int WriteRecord(int unit, const void *data, size_t nbytes)
{
    Unit *u;
    int r = Lookup(unit, &u);
    if (r != kOk)
        return r;
    if (u->form == Form::kFormatted)
        return kErrWrongForm;
    if (u->read_only)
        return kErrWriteFailed;
    if (nbytes > 0 && !data)
        return kErrBadArgument;
    if (!PrepareFor(u, LastOp::kWrite))
        return kErrSeekFailed;
    if (u->IsFramed()) {
        if (nbytes > INT32_MAX)
            return kErrBadArgument;
        unsigned char m[4];
        PutInt32LE(m, static_cast<int32_t>(nbytes));
        if (!WriteExact(u, m, 4) || !WriteExact(u, data, nbytes) || !WriteExact(u, m, 4))
            return kErrWriteFailed;
    } else if (!WriteExact(u, data, nbytes)) {
        return kErrWriteFailed;
    }
    return EndFileHere(u) ? kOk : kErrWriteFailed;
}

namespace {

// Reads the 4 bytes at an offset of a file through a window of it kept in
// memory, read again from that offset when the bytes lie outside it: the
// markers of a file of small records come from one read.
class MarkerReader {
public:
    // Through a stream of the check's own, which it makes unbuffered (the
    // window is the buffer).
    explicit MarkerReader(std::FILE *f) : f_(f), own_stream_(true)
    {
        std::setvbuf(f_, nullptr, _IONBF, 0);
    }
    // Through the stream of a unit, whose file is `size` bytes long: where
    // the system reads at an offset the stream stays where it is;
    // elsewhere it moves, and the caller puts it back.
    MarkerReader(std::FILE *f, int64_t size) : f_(f), own_stream_(false), size_(size) {}

    bool Read(int64_t at, unsigned char *m)
    {
        if (start_ < 0 || at < start_ || at + 4 > start_ + static_cast<int64_t>(length_)) {
            start_ = -1;
            if (!Fill(at))
                return false;
            start_ = at;
            if (length_ < 4)
                return false;
        }
        std::memcpy(m, Window() + (at - start_), 4);
        return true;
    }

private:
    static constexpr size_t kWindow = 65536;
    // One window for every check (the layer serves one thread).
    static unsigned char *Window()
    {
        static std::unique_ptr<unsigned char[]> window(new unsigned char[kWindow]);
        return window.get();
    }

    bool Fill(int64_t at)
    {
#ifndef _WIN32
        if (!own_stream_) {
            // No more than the file holds: a read that fills the window
            // needs no second one to meet the end.
            const size_t want =
                size_ - at < static_cast<int64_t>(kWindow) ? static_cast<size_t>(size_ - at) : kWindow;
            length_ = 0;
            while (length_ < want) {
                const ssize_t got = pread(fileno(f_), Window() + length_, want - length_,
                                          static_cast<off_t>(at + static_cast<int64_t>(length_)));
                if (got < 0 && errno == EINTR)
                    continue;
                if (got <= 0)
                    break;
                length_ += static_cast<size_t>(got);
            }
            return true;
        }
#endif
        if (!SeekTo(f_, at))
            return false;
        length_ = std::fread(Window(), 1, kWindow, f_);
        return true;
    }

    std::FILE *f_;
    bool own_stream_;
    int64_t size_ = 0;
    int64_t start_ = -1;
    size_t length_ = 0;
};

// How the markers of a file of `size` bytes chain through it.
FrameChain ChainOf(MarkerReader &markers, int64_t size)
{
    if (size <= 0)
        return FrameChain::kNone;
    int64_t pos = 0;
    int records = 0;
    unsigned char m[4];
    while (pos < size) {
        if (size - pos < 8 || !markers.Read(pos, m))
            break;
        int64_t len = GetInt32LE(m);
        if (len < 0 || len > size - pos - 8)
            break;
        if (!markers.Read(pos + 4 + len, m) || GetInt32LE(m) != len)
            break;
        pos += 8 + len;
        ++records;
    }
    if (pos == size)
        return FrameChain::kExact;
    return records > 0 ? FrameChain::kDamaged : FrameChain::kNone;
}

}  // namespace

FrameChain CheckRecordFrames(const std::string &path)
{
    FilePtr f(path.empty() ? nullptr : OpenForReading(path));
    if (!f)
        return FrameChain::kNone;
    MarkerReader markers(f.get());
    return ChainOf(markers, LengthOf(f.get()));
}

FrameChain CheckRecordFrames(int unit)
{
    Unit *u;
    if (Lookup(unit, &u) != kOk || !Settle(u))
        return FrameChain::kNone;
    std::FILE *f = u->file.get();
    // What was written goes to the file first.
    if (u->last == LastOp::kWrite && std::fflush(f) != 0)
        return FrameChain::kNone;
    MarkerReader markers(f, u->size);
    const FrameChain chain = ChainOf(markers, u->size);
#ifdef _WIN32
    // The markers were read through the unit's stream: it goes back to the
    // unit's position.
    u->whole = false;
    u->last = LastOp::kNone;
    std::clearerr(f);
    if (!SeekTo(f, u->pos))
        return FrameChain::kNone;
#endif
    return chain;
}

// ---------------------------------------------------------------- formatted

namespace {

// Takes the next line of a formatted unit, handing its characters (not
// its LF) to take(bytes, count) piece by piece; *last gets the last of
// them.  kEndOfFile when no character is left; a last line without a
// line end is a line.
template <typename Take>
int ScanLine(int unit, Take take, char *last)
{
    Unit *u;
    int r = Lookup(unit, &u);
    if (r != kOk)
        return r;
    if (u->form != Form::kFormatted)
        return kErrWrongForm;
    // Bytes read ahead are left only by lines read before, so the file is
    // then already set for reading.
    if (u->ahead_at == u->ahead_end && !PrepareFor(u, LastOp::kRead))
        return kErrSeekFailed;
    std::FILE *f = u->file.get();
    if (!u->ahead)
        u->ahead = TakeBlock();
    bool any = false;
    *last = '\0';
    for (;;) {
        if (u->ahead_at == u->ahead_end) {
            const bool from_start = u->pos == 0;
            if (u->whole && u->held)
                break;   // the whole file was read, and stays as it was
#ifdef _WIN32
            // The runtime's descriptor stays at its end, once met, until
            // it is positioned: bytes the file has gained since are read
            // only after a seek to where the unit is.
            if (u->met_end && !SeekTo(f, u->pos))
                return kErrSeekFailed;
#endif
            const size_t got = std::fread(u->ahead.get(), 1, Unit::kAhead, f);
            u->met_end = got < Unit::kAhead;
            if (got == 0) {
                // The block read before stays: the whole file when it was
                // read from the start.
                if (std::ferror(f)) {
                    DropAhead(u);
                    return kErrReadFailed;
                }
                break;
            }
            u->ahead_at = 0;
            u->ahead_end = got;
            ++u->fills;
            // A short read from the start took the whole file (the
            // runtime's end flag may be left from before a seek).
            u->whole = from_start && got < Unit::kAhead && !std::ferror(f);
            // The end of the file is met when a line asks for more, as a
            // read of one character at a time meets it.
            if (std::feof(f) && !std::ferror(f))
                std::clearerr(f);
        }
        const char *from = u->ahead.get() + u->ahead_at;
        const size_t left = u->ahead_end - u->ahead_at;
        const char *end = static_cast<const char *>(std::memchr(from, '\n', left));
        const size_t take_bytes = end ? static_cast<size_t>(end - from) + 1 : left;
        const size_t count = end ? take_bytes - 1 : take_bytes;
        if (count > 0) {
            take(from, count);
            *last = from[count - 1];
        }
        u->ahead_at += take_bytes;
        u->pos += static_cast<int64_t>(take_bytes);
        any = true;
        if (end)
            break;
    }
    return any ? kOk : kEndOfFile;
}

}  // namespace

int ReadLine(int unit, std::string *line)
{
    line->clear();
    char last;
    const int r = ScanLine(unit, [line](const char *bytes, size_t count) { line->append(bytes, count); }, &last);
    if (r == kOk && last == '\r')
        line->pop_back();
    return r;
}

int ReadLineInto(int unit, char *front, size_t size, char pad, size_t *length)
{
    size_t total = 0;
    char last;
    const int r = ScanLine(
        unit,
        [&](const char *bytes, size_t count) {
            if (total < size)
                std::memcpy(front + total, bytes, std::min(count, size - total));
            total += count;
        },
        &last);
    if (r != kOk)
        return r;
    if (last == '\r')
        --total;
    if (total < size)
        std::memset(front + total, pad, size - total);
    if (length)
        *length = total;
    return kOk;
}

size_t PassLinesWithout(int unit, std::string_view key, size_t window, size_t most)
{
    Unit *u;
    if (key.empty() || Lookup(unit, &u) != kOk || u->form != Form::kFormatted || !u->ahead)
        return 0;
    const std::string_view block(u->ahead.get(), u->ahead_end);
    // The line ends of the block, found once for each fill of it.
    std::vector<uint32_t> &ends = u->line_ends;
    if (u->lines_of_fill != u->fills) {
        ends.clear();
        for (size_t lf = block.find('\n'); lf != std::string_view::npos; lf = block.find('\n', lf + 1))
            ends.push_back(static_cast<uint32_t>(lf));
        u->lines_of_fill = u->fills;
    }
    const size_t from = u->ahead_at;
    // The unit's line (it starts at from), and the end of the lines that
    // may be passed: those whose end is read, at most `most` of them.
    const size_t first = static_cast<size_t>(std::lower_bound(ends.begin(), ends.end(), from) - ends.begin());
    const size_t last = first + std::min(most, ends.size() - first);
    size_t line = first;
    size_t hit = block.find(key, from);   // the key's first place from the line on
    while (line < last && hit != std::string_view::npos) {
        // The line of the key's place: the lines before it are passed.
        line = static_cast<size_t>(std::lower_bound(ends.begin() + static_cast<long>(line),
                                                    ends.begin() + static_cast<long>(last), hit) -
                                   ends.begin());
        if (line == last)
            break;
        const size_t start = line == 0 ? 0 : ends[line - 1] + 1;
        const size_t lf = ends[line];
        size_t length = lf - start;
        if (length > 0 && block[lf - 1] == '\r')
            --length;
        // The line holds the key when its first place in it lies in the
        // window (any later one ends later).
        if (hit + key.size() <= lf && hit + key.size() <= start + std::min(window, length))
            break;
        ++line;
        hit = block.find(key, lf + 1);
    }
    if (hit == std::string_view::npos)
        line = last;
    const size_t at = line == 0 ? 0 : static_cast<size_t>(ends[line - 1]) + 1;
    const size_t next = std::max(at, from);
    u->pos += static_cast<int64_t>(next - from);
    u->ahead_at = next;
    return line - first;
}

int WriteLine(int unit, std::string_view text)
{
    Unit *u;
    int r = Lookup(unit, &u);
    if (r != kOk)
        return r;
    if (u->form != Form::kFormatted)
        return kErrWrongForm;
    if (u->read_only)
        return kErrWriteFailed;
    if (!PrepareFor(u, LastOp::kWrite))
        return kErrSeekFailed;
#ifdef _WIN32
    static const char kLineEnd[] = "\r\n";
#else
    static const char kLineEnd[] = "\n";
#endif
    if (!WriteExact(u, text.data(), text.size()) || !WriteExact(u, kLineEnd, sizeof kLineEnd - 1))
        return kErrWriteFailed;
    return EndFileHere(u) ? kOk : kErrWriteFailed;
}

}  // namespace recio
