// Fixtures of the definition reader tests: a message file whose lines are
// the message code followed by the inserted text, definition files written
// record by record, and the diagnostic lines read back.
#ifndef TRAZ_DEFINITION_FIXTURE_H
#define TRAZ_DEFINITION_FIXTURE_H

#include "flow_fixture.h"
#include "keyword_records.h"

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace deffix {

// Every code that the opening and dimensions steps write: "CODE <text>".
inline void WriteMessageFile()
{
    static const char *const kCodes[] = {"F001", "G004", "G006", "G007", "U036", "U100", "U101", "U112",
                                         "U113", "U120", "U121", "U122", "U124", "U125", "U126", "U127",
                                         "V001", "V047", "U041", "U042", "U044", "U062"};
    std::string text;
    for (const char *code : kCodes)
        text += std::string(code) + " " + code + " #\n";
    flowfix::WriteText("errfil", text);
    FlowDefinitionState *state = FlowDefinitionStateGet();
    std::fill(state->message_directory, state->message_directory + sizeof state->message_directory, ' ');
}

// A definition file from its records (LF line ends).
inline void WriteDefinition(const std::string &path, const std::vector<std::string> &records)
{
    std::string text;
    for (const std::string &r : records)
        text += r + "\n";
    flowfix::WriteText(path, text);
}

// The lines of a diagnostic file, without line ends.
inline std::vector<std::string> Lines(const std::string &path)
{
    std::vector<std::string> lines;
    std::istringstream in(flowfix::ReadText(path));
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

}  // namespace deffix

#endif
