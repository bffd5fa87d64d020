// Diagnostic lines of the flow-model readers: a 4-character code looked up
// in the message file "errfil", the caller's text put in place of the '#'
// of the message, and the line written to the diagnostic unit.

#include "keyword_records.h"

#include "flow_record_util.h"

#include <cstdio>
#include <cstdlib>
#include <string>

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
        "errfil";
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
