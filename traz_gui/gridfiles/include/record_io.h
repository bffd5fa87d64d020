/* Record input/output of the record-file routines: numbered units (10 to 99
   for the allocators), the storage forms of their files, sequential records
   framed by length markers, transparent byte streams, formatted lines and
   list-directed numbers, and a writer that makes record files in either form
   (for the programs and tests that need fixtures).

   The grid readers, and later the flow-file, wave and map readers, are
   written against this layer.  Every operation returns an I/O result in the
   style of the classic runtime: 0 success, a negative value end of file, a
   positive value an error; each family of routines maps these to its own
   outcome numbers.

   On disk:
   - UNFORMATTED, sequential access: each record is a 4-byte little-endian
     length L, the L bytes, and L again.
   - BINARY form, or TRANSPARENT access: the bytes of all records back to
     back, no markers.  A record then has no length of its own: reading takes
     exactly the bytes asked for, and skipping a record reads nothing.
   - FORMATTED: text lines; read with LF or CR LF ends, written with the
     platform's line end.
   Numbers in record files are 4-byte little-endian integers and reals.

   The layer serves one thread, as the program has. */
#ifndef TRAZ_RECORD_IO_H
#define TRAZ_RECORD_IO_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace recio {

// ---------------------------------------------------------------- results

enum IoResult : int {
    kOk = 0,
    kEndOfFile = -1,            // end of file at a record or line boundary
    kErrBadUnit = 1,            // unit number outside 0..999
    kErrNotConnected = 2,       // no file is connected to the unit
    kErrAlreadyConnected = 3,   // the unit is in use
    kErrOpenFailed = 4,         // missing (OLD), present (NEW) or not openable
    kErrShortRecord = 5,        // the read asks for more than the record holds
    kErrBrokenFrame = 6,        // length markers disagree or run past the end
    kErrReadFailed = 7,         // the system refused a read, or a stream ended inside a value
    kErrWriteFailed = 8,        // the system refused a write, or the unit is read-only
    kErrBadNumber = 9,          // a list-directed item is not a number of the wanted kind
    kErrWrongForm = 10,         // operation not available for the unit's form or access
    kErrSeekFailed = 11,
    kErrBadArgument = 12,
};

// Short English text of a result, for diagnostics.
const char *ResultText(int result);

// ---------------------------------------------------------------- units

enum class Form { kUnformatted, kBinary, kFormatted };
enum class Access { kSequential, kTransparent };
enum class OpenStatus { kOld, kNew, kUnknown, kScratch };

constexpr int kMaxUnit = 999;
constexpr int kFirstFreeUnit = 10;   // range searched by FreeUnit and the allocators
constexpr int kLastFreeUnit = 99;

// The keyword texts of OPEN ("BINARY", "UNFORMATTED", "FORMATTED";
// "SEQUENTIAL", "TRANSPARENT"; "OLD", "NEW", "UNKNOWN", "SCRATCH"), case
// ignored, trailing blanks ignored (fixed-width fields).  False for any other.
bool FormFromText(std::string_view text, Form *form);
bool AccessFromText(std::string_view text, Access *access);
bool StatusFromText(std::string_view text, OpenStatus *status);

// Connects a file to a unit.  OLD: the file must exist (opened for update,
// or read-only when it cannot be written).  NEW: it must not exist; it is
// created.  UNKNOWN: opened when present, else created.  SCRATCH: a new
// temporary file (path ignored) removed when the unit is closed.  FORMATTED
// files have sequential access only.  The position is the start of the file.
int Open(int unit, const std::string &path, Form form, Access access, OpenStatus status);

// Disconnects the unit; delete_file removes the file as well (a scratch file
// is always removed).  Closing a unit that is not connected is not an error.
int Close(int unit, bool delete_file = false);

int Rewind(int unit);

// While a unit holds its file (hold true), the file is taken to stay as it
// is: once a read has taken the whole file into memory, its end is met and
// a rewind goes back to its start there, without reading the file again.
// For a reader that takes a small file in one go, going round it many
// times.  hold false: each rewind and end read the file again.
int HoldFile(int unit, bool hold);

// Moves back one record (unformatted sequential) or one line (formatted).
// At the start of the file it does nothing.  Streams have no records:
// kErrWrongForm.
int Backspace(int unit);

struct UnitInfo {
    bool connected = false;
    std::string name;            // the path given to Open ("" for scratch)
    Form form = Form::kUnformatted;
    Access access = Access::kSequential;
    bool read_only = false;
    int64_t position = 0;        // byte offset of the next transfer
    int64_t size = 0;            // file length in bytes
};

bool IsConnected(int unit);
UnitInfo Inquire(int unit);

// First unit from `from` to 99 that is not connected, or -1.
int FreeUnit(int from = kFirstFreeUnit);

// True when a file of that name exists and can be opened for reading.
bool FileExists(const std::string &path);

// Length of a file in bytes, -1 when it cannot be opened.
int64_t FileSize(const std::string &path);

// ---------------------------------------------------------------- records

// Reads the next record.  Unformatted sequential: takes the record's first
// nbytes into data (data may be null when nbytes is 0: the record is
// skipped) and moves past the whole record; asking for more bytes than the
// record holds gives kErrShortRecord (the record is passed over all the
// same); the length of the record goes to *record_bytes when given.  End of
// file before a record gives kEndOfFile; a length marker that runs past the
// end, a negative one, or a closing marker that differs from the opening one
// gives kErrBrokenFrame.
// Streams: reads exactly nbytes (kEndOfFile when the stream ends first);
// *record_bytes = nbytes.
int ReadRecord(int unit, void *data, size_t nbytes, size_t *record_bytes = nullptr);

// Passes over one record (nothing on a stream).
int SkipRecord(int unit);

// Reads the front of the next record as count 4-byte little-endian values.
int ReadInt32(int unit, int32_t *values, size_t count);
int ReadReal32(int unit, float *values, size_t count);

// Streams only: passes over nbytes (kEndOfFile when fewer remain).
int SkipBytes(int unit, int64_t nbytes);

// Writes one record (framed in the unformatted sequential form, plain bytes
// on a stream).  With sequential access the record becomes the last one of
// the file: what followed it is cut off.
int WriteRecord(int unit, const void *data, size_t nbytes);

// The 4-byte little-endian coding of record values.
int32_t GetInt32LE(const unsigned char *bytes);
float GetReal32LE(const unsigned char *bytes);
void PutInt32LE(unsigned char *bytes, int32_t value);
void PutReal32LE(unsigned char *bytes, float value);

// How the length markers of an unformatted file chain through it:
//   kExact    - from the first byte, every record's opening and closing
//               markers agree and the last record ends exactly at the end
//               of the file (an empty file does not count);
//   kDamaged  - the first record is framed correctly but the chain breaks
//               or stops short of the end;
//   kNone     - the file does not begin with a framed record (or cannot be
//               read).
enum class FrameChain { kExact, kDamaged, kNone };
FrameChain CheckRecordFrames(const std::string &path);
// The same for the file connected to a unit, which stays where it is: a
// reader that connects a file before it knows its form opens it once.
FrameChain CheckRecordFrames(int unit);

// ---------------------------------------------------------------- formatted

// Reads the next line without its line end (LF or CR LF).  kEndOfFile when
// no character is left; a last line without a line end is a line.
int ReadLine(int unit, std::string *line);

// Reads the next line as ReadLine does into a field of size characters:
// the line's first characters, the rest of the field filled with pad; the
// line's whole length to *length when given.  On any result but kOk the
// field is left in an undefined state.
int ReadLineInto(int unit, char *front, size_t size, char pad, size_t *length = nullptr);

// Passes over the next lines without handing them out, as many reads of
// them would, stopping before the first one that holds key within its
// first `window` characters (a CR before its LF not counted) and after at
// most `most` lines.  Only lines already read ahead of the unit's position
// whole, line end included, are passed: the file itself is not read, so
// that the next read takes the line stopped at (or the file's next bytes)
// exactly as before.  Returns the number of lines passed; 0 for an empty
// key or a unit that is not formatted.
size_t PassLinesWithout(int unit, std::string_view key, size_t window, size_t most);

// Writes a line and the platform's line end.
int WriteLine(int unit, std::string_view text);

// One list-directed READ statement on a formatted unit: it starts at the
// next line and takes as many lines as its items need.  Items are separated
// by blanks, tabs, commas or line ends; "r*v" repeats v r times; an empty
// item (",,", a leading comma, "r*") leaves its variable unchanged; "/" ends
// the statement and leaves the remaining variables unchanged.  What is left
// of the last line is not used by the next statement.  Reals accept the
// exponent letters E and D.  Texts are quoted with ' or " (a doubled quote
// stands for one) or are single words.
// After the first failure every further item is ignored; result() tells it.
class ListRead {
public:
    explicit ListRead(int unit);
    ListRead &Int(int32_t *value);
    ListRead &Real(float *value);
    ListRead &Double(double *value);
    ListRead &Text(std::string *value);
    int result() const { return result_; }

private:
    enum class Token { kValue, kNull, kSlash };
    int Next(Token *kind, std::string *text);
    int NextRaw(Token *kind, std::string *text);
    bool Take(std::string *text);   // false: leave the variable unchanged

    int unit_;
    int result_ = kOk;
    bool started_ = false;
    bool ended_ = false;         // a slash was read
    bool after_value_ = false;   // the last item was a value not yet followed by a comma
    bool quoted_ = false;        // the last item was a quoted text
    std::string line_;
    size_t at_ = 0;
    long repeat_ = 0;            // pending repetitions of repeat_text_
    std::string repeat_prefix_;  // count of the quoted text just read ("" = none)
    bool repeat_null_ = false;
    std::string repeat_text_;
};

// ---------------------------------------------------------------- fixture writer

// The values of one record, in order, as they go to the file.
class RecordBytes {
public:
    RecordBytes &Int(int32_t value);
    RecordBytes &Ints(const int32_t *values, size_t count);
    RecordBytes &Ints(const std::vector<int32_t> &values);
    RecordBytes &Real(float value);
    RecordBytes &Reals(const float *values, size_t count);
    RecordBytes &Reals(const std::vector<float> &values);
    RecordBytes &Text(std::string_view text, size_t width);   // blank-padded or cut to width
    const std::vector<unsigned char> &bytes() const { return bytes_; }

private:
    std::vector<unsigned char> bytes_;
};

// Writes the records to a new file (an existing one is replaced) in the given
// form: framed records for kUnformatted, back to back for kBinary.
int WriteRecordFile(const std::string &path, Form form, const std::vector<RecordBytes> &records);

// The text of a fixed-length text argument of a record-file routine (its
// length passed beside it): up to its first NUL, trailing blanks dropped;
// in place, and as a string.
inline std::string_view FieldView(const char *field, int32_t len)
{
    if (!field || len <= 0)
        return std::string_view();
    const void *nul = std::memchr(field, '\0', static_cast<size_t>(len));
    size_t n = nul ? static_cast<size_t>(static_cast<const char *>(nul) - field) : static_cast<size_t>(len);
    while (n > 0 && field[n - 1] == ' ')
        --n;
    return std::string_view(field, n);
}

inline std::string FieldText(const char *field, int32_t len)
{
    return std::string(FieldView(field, len));
}

}  // namespace recio

#endif
