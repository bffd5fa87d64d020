// Fixtures of the definition reader tests: a message file whose lines are
// the message code followed by the inserted text, definition files written
// record by record, and the diagnostic lines read back.
#ifndef TRAZ_DEFINITION_FIXTURE_H
#define TRAZ_DEFINITION_FIXTURE_H

#include "flow_fixture.h"
#include "keyword_records.h"
#include "message_codes.h"

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace deffix {

// A message file holding every code the readers raise: "CODE <text>".
inline void WriteMessageFile()
{
    std::string text;
    for (const std::string &code : msgcodes::RaisedCodes())
        text += code + " " + code + " #\n";
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
