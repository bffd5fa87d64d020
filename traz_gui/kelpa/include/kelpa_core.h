// KELPA data-file library, core operations: the file layout (headers, hash
// tables, records, byte order), the process-wide file-set table with its
// low-level input and output, the error convention and trace, and the
// operations on definitions, data groups, values and attributes.  Programs
// use the entry points of kelpa.h; these are what the entry points call.
//
// Every operation that can fail returns an error number (0 success), which
// also stands in the process-wide last error number; an error raises the
// error count and leaves its text in the message text.  The library is for
// one thread.
#ifndef TRAZ_KELPA_CORE_H
#define TRAZ_KELPA_CORE_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace kelpa {

constexpr uint64_t kNil = ~uint64_t(0);   // the nil address
constexpr int kBuckets = 997;             // buckets per record kind
constexpr int kMaxSets = 512;             // file-set slots
constexpr int MAX_DIM = 5;                // dimensions of an element or group
constexpr int MAX_CEL_DIM = 100;          // elements of a cell
constexpr int MAX_VAR_GROUPS = 10;        // variable-group cache entries per set
constexpr int kNameLen = 16;              // stored width of every name
constexpr int kTypeLen = 8;
constexpr int kDescriptionLen = 64;
constexpr int kMessageLen = 1024;
constexpr int kFileNameLen = 260;         // 259 characters and a NUL

// Sizes of the three file kinds (new form).
constexpr int kDataHeaderLen = 60;
constexpr int kDefinitionHeaderLen = 60;
constexpr int kDefinitionDataHeaderLen = 128;
constexpr int kDataTableWords = 1 + kBuckets;
constexpr int kDefinitionTableWords = 1 + 3 * kBuckets;
constexpr int kDefinitionDataTableWords = 1 + 4 * kBuckets;

// Record sizes (new form / old form).
constexpr int kElementRecordLen = 180;
constexpr int kOldElementRecordLen = 164;
constexpr int kGroupRecordLen = 100;
constexpr int kOldGroupRecordLen = 88;
constexpr int kDataGroupFixedLen = 416;
constexpr int kOldDataGroupFixedLen = 404;
constexpr int kPointerTableWords = 256;

// Forms of a file set.
constexpr int kOldForm = 1;
constexpr int kNewForm = 2;

// Version texts.
const char *KelpaMakerName();
const char *KelpaFormatVersion();
const char *KelpaBanner();

// ---- File layout -----------------------------------------------------------

// Bucket 0..996 of a name of at most 16 characters (blank padding does not
// change it); -1 for an empty name.
int HashName(const char *name);

// Copies count bytes from source to destination, reversing the bytes of each
// value of the given type and size (direction is informational: the same
// reversal both ways).  0 or 10001-10006.
int ConvertByteOrder(void *destination, const void *source, uint64_t count, int value_size,
                     const char *type, int direction);

// 0 and form 1 (old) or 2 (new); 1 when the version is not recognised.
int CheckVersion(const char *header, size_t header_len, int *form);

// Stores 'L' or 'B' at the 1-based position; 1 when 'B' was stored.
int SetNumberFormat(char *header, char letter, int position);

// 1 when the file whose header is given holds big-endian numbers.
int NeedsByteSwap(char letter, int set, const char *header, int position);

struct ElementRecord {
    uint64_t next;
    char name[kNameLen + 1];
    char type[kTypeLen + 1];
    uint64_t total_bytes;
    int32_t value_size;
    char quantity[kNameLen + 1];
    char unit[kNameLen + 1];
    char description[kDescriptionLen + 1];
    int32_t ndims;
    int32_t dims[MAX_DIM];
};

struct CellRecord {
    uint64_t next;
    char name[kNameLen + 1];
    uint64_t cell_bytes;
    int32_t count;
    char names[MAX_CEL_DIM][kNameLen + 1];  // stride of 17 characters
};

struct GroupRecord {
    uint64_t next;
    char name[kNameLen + 1];
    char cell[kNameLen + 1];
    int32_t ndims;
    int32_t dims[MAX_DIM];
    int32_t order[MAX_DIM];
};

struct DataGroupHead {
    uint64_t next;
    uint64_t length;  // fixed part and data area
    int32_t kind;     // 4 fixed, 5 variable; -1 when the kind text is not a number
    char name[kNameLen + 1];
    char group[kNameLen + 1];
};

// Record readers: read from the file of the set that holds the kind, widen
// an old-form record, convert the byte order.  0 or 7004-7007; a record
// that the library could not have written is refused with the same codes:
// one cut short by the end of the file (a cell must hold all the names it
// counts), or one whose counts are out of range.
int ReadElementRecord(int set, uint64_t address, ElementRecord *out);
int ReadCellRecord(int set, uint64_t address, CellRecord *out);
int ReadGroupDefinitionRecord(int set, uint64_t address, GroupRecord *out);
int ReadDataGroupRecord(int set, uint64_t address, DataGroupHead *out);

// ---- File sets, input and output, errors, trace ---------------------------

int OpenFileSet(int *set, const char *data_name, const char *definition_name, char letter,
                char access);
// write_back false: the hash tables are not written (Quitdt, Quitdf).
int CloseFileSet(int *set, bool write_back = true);
int OpenKelpaFile(const char *name, char access, int *descriptor, int *created);
int FlushHashTable(int descriptor, int set);
int64_t ReadHashTable(int descriptor, uint64_t *table, uint64_t address, int64_t bytes, int set);
int64_t WriteHashTable(int descriptor, const uint64_t *table, uint64_t address, int64_t bytes,
                       int set);
int64_t SeekTo(int descriptor, uint64_t address);
int64_t ReadAt(void *buffer, int descriptor, uint64_t address, int64_t bytes);
int64_t WriteAt(int descriptor, const void *buffer, uint64_t address, int64_t bytes);
int ReportKelpaError(int mode, std::string *text);
int TraceKelpa(int entering, const char *routine);
int KelpaNoOperation();

// The process-wide error state.
int LastError();
void SetLastError(int code);
int ErrorCount();
const std::string &MessageText();
// Records an error (count + 1 unless counted is false); returns code.
int RecordError(int code, const char *format, ...);
int RecordUncountedError(int code, const char *format, ...);

// What tests and entry points may ask of a set.
bool SetIsOpen(int set);
bool SetIsCombined(int set);
int SetForm(int set);
// Descriptors -1 when absent.
int SetDataDescriptor(int set);
int SetDefinitionDescriptor(int set);
std::string SetDataName(int set);
std::string SetDefinitionName(int set);
int UsedSlotCount();

// ---- Definitions ------------------------------------------------------------

int CheckElementType(const char *type, int32_t value_size, uint64_t *size);
int DefineElement(int set, const char *name, char *type, const char *quantity, const char *unit,
                  const char *description, int32_t value_size, int32_t ndims,
                  const int32_t dims[MAX_DIM]);
int DefineCell(int set, const char *name, int32_t count, const char (*names)[kNameLen + 1]);
int DefineGroup(int set, const char *name, const char *cell, int32_t ndims,
                const int32_t dims[MAX_DIM], const int32_t order[MAX_DIM]);
int CreateDataGroup(int set, const char *name, const char *group);

enum RecordKind { kElementKind = 0, kCellKind = 1, kGroupKind = 2, kDataGroupKind = 3 };
int FindInChain(int set, RecordKind kind, const char *name, uint64_t *address, int *bucket,
                int *not_found);
int LookupElement(int set, const char *name, ElementRecord *out);
int LookupCell(int set, const char *name, CellRecord *out);
int LookupGroup(int set, const char *name, GroupRecord *out);
int LookupDataGroup(int set, const char *name, uint64_t *address, char group[kNameLen + 1]);

int IterateElements(int set, int next, ElementRecord *out);
int IterateCells(int set, int next, CellRecord *out);
int IterateGroups(int set, int next, GroupRecord *out);
int IterateDataGroups(int set, int next, DataGroupHead *out);
void SortAddresses(uint64_t *addresses, int first, int last);

// ---- Values -----------------------------------------------------------------

// index: 5 x (start, stop, increment); order: 5 group dimension numbers.
int PutElementValues(int set, const char *group, const char *element, const int32_t index[15],
                     const int32_t order[5], const void *buffer);
int GetElementValues(int set, const char *group, const char *element, const int32_t index[15],
                     const int32_t order[5], int64_t buffer_len, void *buffer);
int LargestVariableIndex(int set, const char *group, int32_t *largest);

// ---- Attributes -------------------------------------------------------------

int PutAttribute(int set, const char *group, const char *name, const void *value,
                 const char *type);
// mode 0 by name, 1 first, 2 next; for modes 1 and 2 name receives 16
// characters (and a NUL).  String values are 16 characters (no NUL added).
int GetAttribute(int set, int mode, const char *group, char *name, void *value, const char *type);

// ---- Helpers ----------------------------------------------------------------

// Copies source up to the smaller of length and its NUL, at most width
// characters, blank-fills to width and puts a NUL after width.
void PadToWidth(char *destination, const char *source, size_t length, size_t width);

// Cuts both NUL-terminated names at 16 characters, compares them and
// searches the greater (in byte order) within the smaller: where it occurs
// in the smaller name, or NULL.  Equal names are found at the start of the
// first.
const char *NameContains(const char *first, const char *second);

}  // namespace kelpa

#endif
