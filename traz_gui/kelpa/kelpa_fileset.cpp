// KELPA file sets: the process-wide file-set table, opening, creating,
// flushing and closing the data, definition and DefinitionData files of a
// set, positioned reads and writes with 64-bit addresses, the library's
// error convention and message texts, the trace and the version texts.
#include "kelpa_internal.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kelpa {

namespace {

struct LibraryState {
    int last_error = 0;
    int error_count = 0;
    std::string message;
    int used_slots = 0;
    bool first_open = true;
    std::vector<FileSet> sets = std::vector<FileSet>(kMaxSets);
    std::string trace_path = "KELPA";
};

LibraryState &State()
{
    static LibraryState state;
    return state;
}

int Record(bool counted, int code, const char *format, va_list args)
{
    LibraryState &s = State();
    char text[kMessageLen + 1];
    std::vsnprintf(text, sizeof text, format, args);
    s.message = text;
    s.last_error = code;
    if (counted)
        ++s.error_count;
    return code;
}

// ---- Platform file access ---------------------------------------------------

#ifdef _WIN32
int SysOpen(const char *name, int flags) { return _open(name, flags | _O_BINARY, _S_IREAD | _S_IWRITE); }
int SysClose(int fd) { return _close(fd); }
int64_t SysSeek(int fd, int64_t pos) { return _lseeki64(fd, pos, SEEK_SET); }
int SysRead(int fd, void *buf, unsigned n) { return _read(fd, buf, n); }
int SysWrite(int fd, const void *buf, unsigned n) { return _write(fd, buf, n); }
constexpr int kReadOnly = _O_RDONLY;
constexpr int kReadWrite = _O_RDWR;
constexpr int kCreate = _O_RDWR | _O_CREAT | _O_TRUNC;
#else
int SysOpen(const char *name, int flags) { return ::open(name, flags, S_IRUSR | S_IWUSR); }
int SysClose(int fd) { return ::close(fd); }
int64_t SysSeek(int fd, int64_t pos) { return int64_t(::lseek(fd, off_t(pos), SEEK_SET)); }
long SysRead(int fd, void *buf, unsigned n) { return long(::read(fd, buf, n)); }
long SysWrite(int fd, const void *buf, unsigned n) { return long(::write(fd, buf, n)); }
constexpr int kReadOnly = O_RDONLY;
constexpr int kReadWrite = O_RDWR;
constexpr int kCreate = O_RDWR | O_CREAT | O_TRUNC;
#endif

constexpr unsigned kChunk = 1u << 30;

void FreeSlot(FileSet &fs)
{
    if (fs.handle >= 0)
        DropIterations(fs.handle);
    fs.handle = -1;
    fs.data_fd = fs.definition_fd = fs.dd_fd = -1;
    fs.data_big = fs.definition_big = fs.dd_big = false;
    fs.combined = false;
    fs.location_in_use = false;
    fs.location_renew = false;
    fs.data_name.clear();
    fs.definition_name.clear();
    fs.dd_name.clear();
    fs.data_table.clear();
    fs.definition_table.clear();
    fs.dd_table.clear();
    fs.write_access = false;
    ResetValueCaches(fs);
}

void CloseQuietly(int &fd)
{
    if (fd >= 0)
        SysClose(fd);
    fd = -1;
}

// The three file kinds and their texts.
struct KindInfo {
    int header_len;
    int table_words;
    const char *title;
    const char *accepted[2];
    // messages: write header, write table, access, read header, not kelpa,
    // version, read table
    int codes[7];
    const char *texts[7];
};

const KindInfo kDataInfo = {
    kDataHeaderLen, kDataTableWords, ", KELPA Data File; ", {"KELPA Data File", "DATA FILE"},
    {8004, 8005, 8007, 8008, 8009, 8032, 8010},
    {"Header was not written to data file '%s'", "Hashtable was not written to data file '%s'",
     "Unable to access data file '%s'", "During reading header of data file '%s'",
     "File '%s' is not a KELPA data file", "Data File '%s' has unregcognized version number",
     "During reading hashtable of data file  '%s'"}};

const KindInfo kDefinitionInfo = {
    kDefinitionHeaderLen, kDefinitionTableWords, ", KELPA Definition File; ",
    {"KELPA Definition File", "DEFN FILE"},
    {8011, 8012, 8014, 8015, 8016, 8033, 8017},
    {"Unable to write header of definition file '%s'",
     "Unable to write hashtable of definition file '%s'", "Unable to access definition file '%s'",
     "During reading header of definition file '%s'", "File '%s' is not a KELPA definition file",
     "Definition File '%s' has unregcognized version number",
     "On reading hashtable of definition file '%s'"}};

const KindInfo kDefinitionDataInfo = {
    kDefinitionDataHeaderLen, kDefinitionDataTableWords, ", KELPA Definition and Data File; ",
    {"KELPA Definition and Data File", nullptr},
    {8018, 8019, 8021, 8022, 8023, 8034, 8024},
    {"Unable to write header of DefinitionData file '%s'",
     "Unable to write hashtable of DefinitionData file '%s'",
     "Unable to access DefinitionData file '%s'",
     "During reading header of DefinitionData file '%s'",
     "File '%s' is not a KELPA DefinitionData file",
     "DefinitionData File '%s' has unregcognized version number",
     "On reading hashtable of DefinitionData file '%s'"}};

bool HeaderHas(const std::vector<char> &header, const char *what)
{
    std::string h(header.begin(), header.end());
    return h.find(what) != std::string::npos;
}

enum class OpenStep { kDone, kBecameCombined, kFailed };

// Opens one file of the set: creates it with a fresh header and table, or
// reads and recognises the existing header and loads its table.
OpenStep OpenOneFile(FileSet &fs, int slot, const KindInfo &info, const std::string &name,
                     char letter, char access, bool definition, int &fd,
                     std::vector<uint64_t> &table, bool &big, bool *existed)
{
    int created = 0;
    if (OpenKelpaFile(name.c_str(), access, &fd, &created) != 0)
        return OpenStep::kFailed;
    const char *cname = name.c_str();
    table.assign(size_t(info.table_words), kNil);
    if (created) {
        std::vector<char> header(size_t(info.header_len), ' ');
        std::string text = std::string(KelpaMakerName()) + info.title +
                           (&info == &kDefinitionDataInfo ? KelpaBanner() : KelpaFormatVersion());
        std::memcpy(header.data(), text.data(), text.size());
        header[text.size()] = '\0';
        char mapped = letter;
        if (mapped == 'N' || mapped == 'n')
            mapped = 'L';
        if (definition)
            mapped = char(std::toupper(static_cast<unsigned char>(mapped)));
        big = SetNumberFormat(header.data(), mapped, info.header_len) == 1;
        fs.form = kNewForm;
        table[0] = uint64_t(info.header_len) + uint64_t(info.table_words) * 8;
        if (WriteAt(fd, header.data(), 0, info.header_len) != info.header_len) {
            RecordError(info.codes[0], info.texts[0], cname);
            return OpenStep::kFailed;
        }
        int64_t bytes = int64_t(info.table_words) * 8;
        if (WriteHashTable(fd, table.data(), uint64_t(info.header_len), bytes, slot) != bytes) {
            RecordError(info.codes[1], info.texts[1], cname);
            return OpenStep::kFailed;
        }
        return OpenStep::kDone;
    }
    if (existed)
        *existed = true;
    std::vector<char> header(size_t(info.header_len), ' ');
    int64_t got = ReadAt(header.data(), fd, 0, info.header_len);
    if (got < 0) {
        RecordError(info.codes[2], info.texts[2], cname);
        return OpenStep::kFailed;
    }
    if (got > info.header_len) {
        RecordError(info.codes[3], info.texts[3], cname);
        return OpenStep::kFailed;
    }
    if (&info != &kDefinitionDataInfo && HeaderHas(header, "KELPA Definition and Data File"))
        return OpenStep::kBecameCombined;
    bool kind_ok = HeaderHas(header, info.accepted[0]) ||
                   (info.accepted[1] != nullptr && HeaderHas(header, info.accepted[1]));
    if (!kind_ok) {
        RecordError(info.codes[4], info.texts[4], cname);
        return OpenStep::kFailed;
    }
    int form = kNewForm;
    if (CheckVersion(header.data(), header.size(), &form) != 0) {
        RecordError(info.codes[5], info.texts[5], cname);
        return OpenStep::kFailed;
    }
    fs.form = form;
    big = NeedsByteSwap(letter, slot, header.data(), info.header_len) == 1;
    if (definition)
        fs.definition_big = big;
    int64_t bytes = int64_t(info.table_words) * 8;
    // The whole table must be there, and its next-free address behind it;
    // anything else would let appends overwrite the header or the table.
    uint64_t table_end = uint64_t(info.header_len) + uint64_t(info.table_words) * (form == kOldForm ? 4 : 8);
    if (ReadHashTable(fd, table.data(), uint64_t(info.header_len), bytes, slot) != bytes ||
        table[0] == kNil || table[0] < table_end) {
        RecordError(info.codes[6], info.texts[6], cname);
        return OpenStep::kFailed;
    }
    return OpenStep::kDone;
}

}  // namespace

const char *KelpaMakerName() { return "Ostravel"; }
const char *KelpaFormatVersion() { return "5.00.00"; }
const char *KelpaBanner() { return "@(#)Ostravel, KELPA Version 5.07.02.4043, Sep  8 2014, 14:27:34"; }

int LastError() { return State().last_error; }
void SetLastError(int code) { State().last_error = code; }
int ErrorCount() { return State().error_count; }
const std::string &MessageText() { return State().message; }
int UsedSlotCount() { return State().used_slots; }

int RecordError(int code, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    Record(true, code, format, args);
    va_end(args);
    return code;
}

int RecordUncountedError(int code, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    Record(false, code, format, args);
    va_end(args);
    return code;
}

FileSet *GetSet(int set)
{
    if (set < 0 || set >= kMaxSets)
        return nullptr;
    FileSet &fs = State().sets[size_t(set)];
    return fs.handle == set ? &fs : nullptr;
}

bool SetIsOpen(int set) { return GetSet(set) != nullptr; }
bool SetIsCombined(int set) { FileSet *fs = GetSet(set); return fs && fs->combined; }
int SetForm(int set) { FileSet *fs = GetSet(set); return fs ? fs->form : kNewForm; }

int SetDataDescriptor(int set)
{
    FileSet *fs = GetSet(set);
    return fs ? (fs->combined ? fs->dd_fd : fs->data_fd) : -1;
}

int SetDefinitionDescriptor(int set)
{
    FileSet *fs = GetSet(set);
    return fs ? (fs->combined ? fs->dd_fd : fs->definition_fd) : -1;
}

std::string SetDataName(int set)
{
    FileSet *fs = GetSet(set);
    return fs ? (fs->combined ? fs->dd_name : fs->data_name) : std::string();
}

std::string SetDefinitionName(int set)
{
    FileSet *fs = GetSet(set);
    return fs ? (fs->combined ? fs->dd_name : fs->definition_name) : std::string();
}

Side SideOf(FileSet &fs, RecordKind kind)
{
    Side s;
    s.combined = fs.combined;
    if (fs.combined) {
        s.fd = fs.dd_fd;
        s.big = fs.dd_big;
        s.table = &fs.dd_table;
        s.name = &fs.dd_name;
        s.bucket_base = 1 + int(kind) * kBuckets;
    } else if (kind == kDataGroupKind) {
        s.fd = fs.data_fd;
        s.big = fs.data_big;
        s.table = &fs.data_table;
        s.name = &fs.data_name;
        s.bucket_base = 1;
    } else {
        s.fd = fs.definition_fd;
        s.big = fs.definition_big;
        s.table = &fs.definition_table;
        s.name = &fs.definition_name;
        s.bucket_base = 1 + int(kind) * kBuckets;
    }
    return s;
}

int OpenFileSet(int *set, const char *data_name, const char *definition_name, char letter,
                char access)
{
    LibraryState &s = State();
    if (s.first_open) {
        s.last_error = 0;
        s.error_count = 0;
        s.first_open = false;
    }
    *set = -1;
    std::string data = data_name ? data_name : "";
    std::string definition = definition_name ? definition_name : "";

    // A file already open in another set would get two hash tables in
    // memory, and the last one written would lose the other's records.
    for (int i = 0; i < s.used_slots; ++i) {
        const FileSet &o = s.sets[size_t(i)];
        if (o.handle == -1)
            continue;
        if (!data.empty() && (o.data_name == data || o.dd_name == data))
            return RecordError(8001, "Data file '%s' has already been opened", data.c_str());
        if (!definition.empty() && (o.definition_name == definition || o.dd_name == definition))
            return RecordError(8002, "Definition file '%s' has already been opened",
                               definition.c_str());
    }

    int slot = -1;
    for (int i = 0; i < s.used_slots; ++i)
        if (s.sets[size_t(i)].handle == -1) {
            slot = i;
            break;
        }
    if (slot < 0) {
        if (s.used_slots >= kMaxSets)
            return RecordError(8003, "Maximum number (=%d) of open files has been achieved",
                               kMaxSets);
        slot = s.used_slots++;
    }
    FileSet &fs = s.sets[size_t(slot)];
    FreeSlot(fs);
    fs.handle = slot;  // so that the readers find the set while it opens
    fs.form = kNewForm;
    char acc = char(std::tolower(static_cast<unsigned char>(access)));
    fs.write_access = (acc == 'c' || acc == 'u');
    if (!data.empty() && data == definition)
        fs.combined = true;

    auto fail = [&]() {
        CloseQuietly(fs.data_fd);
        CloseQuietly(fs.definition_fd);
        CloseQuietly(fs.dd_fd);
        FreeSlot(fs);
        *set = -1;
        return s.last_error;
    };

    if (!data.empty() && !fs.combined) {
        fs.data_name = data;
        bool existed = false;
        OpenStep r = OpenOneFile(fs, slot, kDataInfo, data, letter, access, false, fs.data_fd,
                                 fs.data_table, fs.data_big, &existed);
        if (existed)
            fs.location_renew = true;
        if (r == OpenStep::kFailed) {
            if (s.last_error == 8009)
                fs.data_name.clear();
            return fail();
        }
        if (r == OpenStep::kBecameCombined) {
            CloseQuietly(fs.data_fd);
            fs.data_table.clear();
            fs.combined = true;
            definition = data;
        }
    }
    if (!definition.empty() && !fs.combined) {
        fs.definition_name = definition;
        OpenStep r = OpenOneFile(fs, slot, kDefinitionInfo, definition, letter, access, true,
                                 fs.definition_fd, fs.definition_table, fs.definition_big,
                                 nullptr);
        if (r == OpenStep::kFailed)
            return fail();
        if (r == OpenStep::kBecameCombined) {
            CloseQuietly(fs.definition_fd);
            fs.definition_table.clear();
            fs.combined = true;
            data = definition;
        }
    }
    if (fs.combined) {
        CloseQuietly(fs.data_fd);
        CloseQuietly(fs.definition_fd);
        fs.data_table.clear();
        fs.definition_table.clear();
        std::string name = data.empty() ? definition : data;
        fs.data_name = fs.definition_name = fs.dd_name = name;
        fs.data_big = fs.definition_big = fs.dd_big = false;
        bool existed = false;
        OpenStep r = OpenOneFile(fs, slot, kDefinitionDataInfo, name, letter, access, false,
                                 fs.dd_fd, fs.dd_table, fs.dd_big, &existed);
        if (existed)
            fs.location_renew = true;
        if (r != OpenStep::kDone)
            return fail();
    }
    *set = slot;
    return 0;
}

int OpenKelpaFile(const char *name, char access, int *descriptor, int *created)
{
    char acc = char(std::tolower(static_cast<unsigned char>(access)));
    *created = 0;
    *descriptor = -1;
    if (acc != 'c' && acc != 'u' && acc != 'r')
        return RecordError(8029, "File '%s' can not be opened with unsupported KELPA access type '%c'",
                           name, access);
    int probe = SysOpen(name, kReadOnly);
    int fd = -1;
    if (probe < 0) {
        if (acc == 'r')
            return RecordError(8031, "File '%s' can not be opened as read only\n --- %s", name,
                               std::strerror(errno));
        fd = SysOpen(name, kCreate);
        *created = 1;
    } else {
        SysClose(probe);
        if (acc == 'u')
            fd = SysOpen(name, kReadWrite);
        else if (acc == 'r')
            fd = SysOpen(name, kReadOnly);
        else {
            fd = SysOpen(name, kCreate);
            *created = 1;
        }
    }
    if (fd < 0) {
        *created = 0;
        return RecordError(8030, "Cannot open file '%s' for access type '%c'\n --- %s", name, acc,
                           std::strerror(errno));
    }
    *descriptor = fd;
    return 0;
}

int FlushHashTable(int descriptor, int set)
{
    FileSet *fs = GetSet(set);
    if (fs == nullptr || descriptor < 0)
        return 0;
    struct Choice {
        int fd;
        std::vector<uint64_t> *table;
        uint64_t address;
        int code;
        const char *text;
        const std::string *name;
    };
    Choice choices[3] = {
        {fs->data_fd, &fs->data_table, kDataHeaderLen, 6001,
         "Hashtable not written to data file '%s'", &fs->data_name},
        {fs->definition_fd, &fs->definition_table, kDefinitionHeaderLen, 6002,
         "Hashtable not written to definition file '%s'", &fs->definition_name},
        {fs->dd_fd, &fs->dd_table, kDefinitionDataHeaderLen, 6002,
         "Hashtable not written to DefinitionData file '%s'", &fs->dd_name}};
    for (const Choice &c : choices) {
        if (c.fd != descriptor)
            continue;
        int64_t bytes = int64_t(c.table->size()) * 8;
        if (WriteHashTable(descriptor, c.table->data(), c.address, bytes, set) != bytes)
            return RecordError(c.code, c.text, c.name->c_str());
        return 0;
    }
    return 0;
}

int64_t ReadHashTable(int descriptor, uint64_t *table, uint64_t address, int64_t bytes, int set)
{
    FileSet *fs = GetSet(set);
    if (fs == nullptr)
        return -1;
    bool big = descriptor == fs->data_fd ? fs->data_big
               : descriptor == fs->dd_fd ? fs->dd_big
                                         : fs->definition_big;
    return ReadAddressTable(descriptor, fs->form == kOldForm, big, table, size_t(bytes / 8), address);
}

int64_t WriteHashTable(int descriptor, const uint64_t *table, uint64_t address, int64_t bytes,
                       int set)
{
    FileSet *fs = GetSet(set);
    if (fs == nullptr)
        return -1;
    bool big = descriptor == fs->data_fd ? fs->data_big
               : descriptor == fs->dd_fd ? fs->dd_big
                                         : fs->definition_big;
    return WriteAddressTable(descriptor, fs->form == kOldForm, big, table, size_t(bytes / 8),
                             address);
}

int CloseFileSet(int *set, bool write_back)
{
    LibraryState &s = State();
    if (*set == -1)
        return 0;
    FileSet *fs = GetSet(*set);
    if (fs == nullptr) {
        *set = -1;
        return 0;
    }
    bool write = fs->write_access && write_back;
    int result = 0;
    if (!fs->combined) {
        if (fs->data_fd >= 0) {
            if (write && (result = FlushHashTable(fs->data_fd, *set)) != 0)
                return result;
            if (SysClose(fs->data_fd) != 0)
                result = RecordError(8025, "Unable to close data file '%s'", fs->data_name.c_str());
            fs->data_fd = -1;
        }
        if (fs->definition_fd >= 0) {
            if (write && (result = FlushHashTable(fs->definition_fd, *set)) != 0)
                return result;
            if (SysClose(fs->definition_fd) != 0)
                result = RecordError(8026, "Unable to close definition file '%s'",
                                     fs->definition_name.c_str());
            fs->definition_fd = -1;
        }
    } else if (fs->dd_fd >= 0) {
        if (write && (result = FlushHashTable(fs->dd_fd, *set)) != 0)
            return result;
        if (SysClose(fs->dd_fd) != 0)
            result = RecordError(8027, "Unable to close DefinitionData file '%s'",
                                 fs->dd_name.c_str());
        fs->dd_fd = -1;
    }
    // The set's location tree describes its files only: a later set in the
    // same slot must not find it.
    FreeSlot(*fs);
    bool any_open = false;
    for (int i = 0; i < s.used_slots; ++i)
        if (s.sets[size_t(i)].handle != -1)
            any_open = true;
    if (!any_open)
        s.used_slots = 0;
    *set = -1;
    return result;
}

int64_t SeekTo(int descriptor, uint64_t address)
{
    if (descriptor < 0 || address > uint64_t(INT64_MAX))
        return -1;
    return SysSeek(descriptor, int64_t(address));
}

int64_t ReadAt(void *buffer, int descriptor, uint64_t address, int64_t bytes)
{
    if (descriptor < 0)
        return 0;
    if (SeekTo(descriptor, address) < 0)
        return -1;
    int64_t done = 0;
    uint8_t *p = static_cast<uint8_t *>(buffer);
    while (done < bytes) {
        unsigned n = unsigned(std::min<int64_t>(bytes - done, kChunk));
        auto got = SysRead(descriptor, p + done, n);
        if (got < 0)
            return done > 0 ? done : -1;
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

int64_t WriteAt(int descriptor, const void *buffer, uint64_t address, int64_t bytes)
{
    if (descriptor < 0)
        return 0;
    if (SeekTo(descriptor, address) < 0)
        return -1;
    int64_t done = 0;
    const uint8_t *p = static_cast<const uint8_t *>(buffer);
    while (done < bytes) {
        unsigned n = unsigned(std::min<int64_t>(bytes - done, kChunk));
        auto put = SysWrite(descriptor, p + done, n);
        if (put <= 0)
            return done > 0 ? done : -1;
        done += put;
    }
    return done;
}

int ReportKelpaError(int mode, std::string *text)
{
    LibraryState &s = State();
    char head[64];
    std::string out;
    if (s.last_error != 0) {
        std::snprintf(head, sizeof head, "\nKELPA message %d:\n", s.last_error);
        if (mode == 0)
            out = std::string(head) + s.message;
        else
            out = std::string(head) + " " + s.message + "\n";
        s.message.clear();
        s.last_error = 0;
    } else if (s.error_count != 0) {
        std::snprintf(head, sizeof head, "The total number of KELPA errors/warnings is %d",
                      s.error_count);
        out = mode == 0 ? std::string(head) : "\n" + std::string(head) + "\n";
    } else {
        out = mode == 0 ? "No KELPA errors encountered" : "\nNo KELPA errors encountered\n";
    }
    if (mode == 0) {
        if (text)
            *text = out;
    } else {
        std::fputs(out.c_str(), mode == 2 ? stderr : stdout);
    }
    return 0;
}

int TraceKelpa(int entering, const char *routine)
{
    LibraryState &s = State();
    if (entering == 1) {
        s.trace_path += ":";
        s.trace_path += routine;
        std::printf("Start %s\n", s.trace_path.c_str());
    } else {
        std::printf("Exit  %s\n", s.trace_path.c_str());
        size_t colon = s.trace_path.rfind(':');
        if (colon != std::string::npos)
            s.trace_path.erase(colon);
    }
    return s.last_error;
}

int KelpaNoOperation() { return 0; }

void ResetValueCaches(FileSet &fs)
{
    fs.locations.reset();
    for (VarGroupEntry &e : fs.var_groups)
        e = VarGroupEntry();
}

}  // namespace kelpa
