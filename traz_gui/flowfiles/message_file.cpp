// Diagnostic lines of the flow-model readers: a 4-character code looked up
// in the message file "errfil", the caller's text put in place of the '#'
// of the message, and the line written to the diagnostic unit; and the
// message file's default directory, the program's own.

#include "keyword_records.h"

#include "flow_record_util.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#ifdef _WIN32
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

}  // namespace

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
    flowrec::UnitGuard file;
    if (file.Open(path, recio::Form::kFormatted, recio::OpenStatus::kOld) == recio::kOk) {
        const int32_t unit = file.unit();
        int32_t error = 0, new_search = 0, record_number = 0, stop = 1, width = 4;
        FIND_KEYWORD_RECORD(&unit, &error, &new_search, &record_number, &found, &stop, record, 80, &width,
                            key.c_str(), static_cast<int32_t>(key.size()), "no", 2);
        file.Close();
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

    std::string message = flowrec::FieldText(record + 5, 75);
    const std::string insert = flowrec::FieldText(text, text_len);
    const size_t hash = message.find('#');
    if (hash != std::string::npos)
        message = message.substr(0, hash) + insert + message.substr(hash + 1);
    else
        message += "   ";
    if (message.size() > 79)
        message.resize(79);
    recio::WriteLine(*diag_unit, message);
}
