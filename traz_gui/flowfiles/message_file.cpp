// Diagnostic lines of the flow-model readers: a 4-character code looked up
// in the message file "errfil", the caller's text put in place of the '#'
// of the message, and the line written to the diagnostic unit; and the
// message file's default directory, the program's own.  Each line reads the
// message file's bytes in one go; its records are kept while those stay
// the same, so that a reader reporting many lines does not take the file
// through a unit, line by line, for each; while the file is held, its lines
// take the records kept without reading the file at all.

#include "keyword_records.h"

#include "flow_record_util.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

const char kMessageFile[] = "errfil";

bool FileExists(const std::string &path)
{
    std::FILE *f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    std::fclose(f);
    return true;
}

// The directory of the running program, with its trailing separator; empty
// when it cannot be found.
std::string ProgramDirectory()
{
    char path[4096];
#ifdef _WIN32
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    if (n == 0 || n >= sizeof path)
        return "";
    const std::string program(path, n);
#else
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path);
    if (n <= 0 || static_cast<size_t>(n) >= sizeof path)
        return "";
    const std::string program(path, static_cast<size_t>(n));
#endif
    const size_t slash = program.find_last_of("/\\");
    return slash == std::string::npos ? "" : program.substr(0, slash + 1);
}

// The bytes of a file, read with the system's own calls (no stream); false
// when it cannot be opened or read through.
bool ReadBytes(const std::string &path, std::string *bytes)
{
#ifdef _WIN32
    const int fd = _open(path.c_str(), _O_RDONLY | _O_BINARY);
#else
    const int fd = open(path.c_str(), O_RDONLY);
#endif
    if (fd < 0)
        return false;
    bytes->clear();
    char chunk[4096];
    bool ok = true;
    for (;;) {
#ifdef _WIN32
        const int got = _read(fd, chunk, sizeof chunk);
#else
        const ssize_t got = read(fd, chunk, sizeof chunk);
#endif
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        bytes->append(chunk, static_cast<size_t>(got));
    }
#ifdef _WIN32
    _close(fd);
#else
    close(fd);
#endif
    return ok;
}

// Whether the four characters at a and b are the same.
bool SameFour(const char *a, const char *b)
{
    uint32_t x, y;
    std::memcpy(&x, a, 4);
    std::memcpy(&y, b, 4);
    return x == y;
}

using MessageRecord = std::array<char, 80>;

// The message file as last read: its bytes and its records, each as the
// search reads it (the line without a CR before its LF, cut or padded with
// blanks to 80 characters).
struct MessageFile {
    std::string bytes;
    std::vector<MessageRecord> records;
};

// The holds open, and the path whose records were read during them.
int g_holds = 0;
bool g_held = false;
std::string g_held_path;

// The records of the message file at path, taken again from its bytes
// when they differ from those read before; null when it cannot be read
// (the search then opens it itself, and meets the same failure).
const std::vector<MessageRecord> *MessageRecords(const std::string &path)
{
    static MessageFile kept;
    static std::string bytes;
    if (g_held && path == g_held_path)
        return &kept.records;
    g_held = false;
    if (!ReadBytes(path, &bytes))
        return nullptr;
    if (g_holds > 0) {
        g_held = true;
        g_held_path = path;
    }
    if (bytes == kept.bytes)
        return &kept.records;
    kept.bytes = bytes;
    kept.records.clear();
    size_t from = 0;
    while (from < bytes.size()) {
        size_t end = bytes.find('\n', from);
        const size_t next = end == std::string::npos ? bytes.size() : end + 1;
        if (end == std::string::npos)
            end = bytes.size();
        if (end > from && bytes[end - 1] == '\r')
            --end;
        MessageRecord record;
        record.fill(' ');
        std::memcpy(record.data(), bytes.data() + from, std::min(end - from, record.size()));
        kept.records.push_back(record);
        from = next;
    }
    return &kept.records;
}

}  // namespace

MessageFileHold::MessageFileHold()
{
    ++g_holds;
}

MessageFileHold::~MessageFileHold()
{
    if (--g_holds == 0)
        g_held = false;
}

extern "C" void SetDefaultMessageDirectory(void)
{
    FlowDefinitionState *state = FlowDefinitionStateGet();
    const int32_t size = static_cast<int32_t>(sizeof state->message_directory);
    if (!flowrec::FirstWord(state->message_directory, size).empty() || FileExists(kMessageFile))
        return;
    const std::string directory = ProgramDirectory();
    if (directory.empty() || directory.size() > sizeof state->message_directory ||
        directory.find(' ') != std::string::npos || !FileExists(directory + kMessageFile))
        return;
    std::memset(state->message_directory, ' ', sizeof state->message_directory);
    std::memcpy(state->message_directory, directory.data(), directory.size());
}

extern "C" void WRITE_MESSAGE_TO_SCREEN(const char *code, int32_t code_len, const char *text, int32_t text_len)
{
}

extern "C" void REPORT_MESSAGE(const int32_t *diag_unit, const char *code, int32_t code_len, const char *text,
                               int32_t text_len)
{
    if (*diag_unit == 0) {
        WRITE_MESSAGE_TO_SCREEN(code, code_len, text, text_len);
        return;
    }
    const FlowDefinitionState *state = FlowDefinitionStateGet();
    const std::string path =
        flowrec::FirstWord(state->message_directory, static_cast<int32_t>(sizeof state->message_directory)) +
        kMessageFile;
    const std::string key = flowrec::FieldText(code, code_len);

    char record[80];
    int32_t found = 0;
    // A unit is taken as for reading the file (the program ends when none
    // is free), though the records kept need none.
    ALLOCATE_UNIT_NUMBER();
    if (const std::vector<MessageRecord> *records = MessageRecords(path)) {
        // The first record with the code in its first four characters (a
        // code of four is those characters).
        for (const MessageRecord &candidate : *records) {
            const bool holds = key.size() == 4 ? SameFour(candidate.data(), key.data())
                                               : std::string_view(candidate.data(), 4).find(key) != std::string_view::npos;
            if (holds) {
                std::memcpy(record, candidate.data(), sizeof record);
                found = 1;
                break;
            }
        }
    } else {
        flowrec::UnitGuard file;
        if (file.Open(path, recio::Form::kFormatted, recio::OpenStatus::kOld) == recio::kOk) {
            const int32_t unit = file.unit();
            int32_t error = 0, new_search = 0, record_number = 0, stop = 1, width = 4;
            FIND_KEYWORD_RECORD(&unit, &error, &new_search, &record_number, &found, &stop, record, 80, &width,
                                key.c_str(), static_cast<int32_t>(key.size()), "no", 2);
            file.Close();
        }
    }
    if (!found) {
        std::printf(" *** ERROR message file incomplete ! %s\n", key.c_str());
        std::printf(" Abnormal end of program\n");
        std::printf("           strike <ENTER> to continue...\n");
        std::fflush(stdout);
        char answer[256];
        if (!std::fgets(answer, sizeof answer, stdin))
            answer[0] = '\0';
        std::fprintf(stderr, "abnormal end\n");
        std::exit(1);
    }

    // Built in one buffer kept from line to line.
    const std::string_view body = recio::FieldView(record + 5, 75);
    static std::string message;
    message.clear();
    const size_t hash = body.find('#');
    if (hash != std::string_view::npos) {
        message.append(body.substr(0, hash));
        message.append(recio::FieldView(text, text_len));
        message.append(body.substr(hash + 1));
    } else {
        message.append(body);
        message.append("   ");
    }
    if (message.size() > 79)
        message.resize(79);
    recio::WriteLine(*diag_unit, message);
}
