// Scenario scripts of the GUI test driver: one command a line, words
// separated by blanks, texts in double quotes with C escapes (\n, \t, \\,
// \", \xHH), '#' starting a comment outside quotes.
#ifndef TRAZ_SCENARIO_SCRIPT_H
#define TRAZ_SCENARIO_SCRIPT_H

#include <string>
#include <vector>

namespace scn {

struct Command {
    int line = 0;                     // line number in the script, from 1
    std::string verb;                 // first word
    std::vector<std::string> args;    // the other words and texts, unescaped
    std::string source;               // the line as written, for reports
};

// Splits one line; false with a reason for an unterminated text, a bad
// escape or a quote in the middle of a word.  An empty or comment line
// gives a command with an empty verb.
bool ParseLine(const std::string &text, int line, Command *command, std::string *error);

// Every command of a script (empty lines and comments dropped); false with
// the first error, prefixed by its line number.  Lines between
// "define NAME" and "end" make the body of a command NAME: a later line
// whose verb is NAME stands for its body, with $1..$9 in any word of it
// replaced by the line's arguments (a body may call other commands
// defined before it is used, its verb may be an argument).  The
// commands of a body keep their own line number; their source names the
// calling line.
bool ParseScript(const std::string &text, std::vector<Command> *commands, std::string *error);

// A text as the script would write it (quoted, escaped), for reports.
std::string Quote(const std::string &text);

}  // namespace scn

#endif
