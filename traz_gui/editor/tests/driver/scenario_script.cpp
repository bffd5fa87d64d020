// Scenario scripts of the GUI test driver: splitting lines into a verb and
// its arguments, with quoted texts and their C escapes.
#include "scenario_script.h"

#include <cstdio>
#include <map>

namespace scn {
namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads a quoted text from text[at] (the opening quote) into out; at ends
// after the closing quote.
bool ReadQuoted(const std::string &text, size_t *at, std::string *out, std::string *error)
{
    size_t i = *at + 1;
    while (i < text.size()) {
        char c = text[i];
        if (c == '"') {
            *at = i + 1;
            return true;
        }
        if (c != '\\') {
            out->push_back(c);
            ++i;
            continue;
        }
        if (i + 1 >= text.size())
            break;
        char e = text[i + 1];
        i += 2;
        switch (e) {
        case 'n': out->push_back('\n'); break;
        case 't': out->push_back('\t'); break;
        case 'r': out->push_back('\r'); break;
        case '\\': out->push_back('\\'); break;
        case '"': out->push_back('"'); break;
        case 'x': {
            int hi = i < text.size() ? HexValue(text[i]) : -1;
            int lo = i + 1 < text.size() ? HexValue(text[i + 1]) : -1;
            if (hi < 0 || lo < 0) {
                *error = "\\x needs two hexadecimal digits";
                return false;
            }
            out->push_back(static_cast<char>(hi * 16 + lo));
            i += 2;
            break;
        }
        default:
            *error = std::string("unknown escape \\") + e;
            return false;
        }
    }
    *error = "text without its closing quote";
    return false;
}

}  // namespace

bool ParseLine(const std::string &text, int line, Command *command, std::string *error)
{
    *command = Command();
    command->line = line;
    command->source = text;
    std::vector<std::string> words;
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        if (c == '#')
            break;
        std::string word;
        if (c == '"') {
            if (!ReadQuoted(text, &i, &word, error))
                return false;
        } else {
            while (i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != '\r') {
                if (text[i] == '"') {
                    *error = "a quote inside a word";
                    return false;
                }
                word.push_back(text[i++]);
            }
        }
        if (i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != '\r') {
            *error = "no blank after a text";
            return false;
        }
        words.push_back(word);
    }
    if (!words.empty()) {
        command->verb = words.front();
        command->args.assign(words.begin() + 1, words.end());
    }
    return true;
}

namespace {

constexpr int kMaxCallDepth = 16;

struct Macro {
    std::vector<Command> body;
};

// A body word with $1..$9 replaced by the call's arguments.
bool Substitute(const std::string &word, const std::vector<std::string> &args, std::string *out,
                std::string *error)
{
    out->clear();
    for (size_t i = 0; i < word.size(); ++i) {
        if (word[i] != '$' || i + 1 >= word.size() || word[i + 1] < '1' || word[i + 1] > '9') {
            out->push_back(word[i]);
            continue;
        }
        const size_t n = static_cast<size_t>(word[i + 1] - '1');
        if (n >= args.size()) {
            *error = "$" + std::string(1, word[i + 1]) + " without its argument";
            return false;
        }
        *out += args[n];
        ++i;
    }
    return true;
}

class Expander {
public:
    explicit Expander(std::vector<Command> *out) : out_(out) {}

    // One command of the script or of a body: a call is replaced by its
    // body, anything else is kept.
    bool Add(const Command &command, int depth, std::string *error)
    {
        auto found = macros_.find(command.verb);
        if (found == macros_.end()) {
            out_->push_back(command);
            return true;
        }
        if (depth >= kMaxCallDepth) {
            *error = "calls nested deeper than " + std::to_string(kMaxCallDepth);
            return false;
        }
        // A copy: a body may not change the macro it belongs to, but the
        // map may grow while it is expanded.
        const std::vector<Command> body = found->second.body;
        for (const Command &line : body) {
            Command expanded = line;
            if (!Substitute(line.verb, command.args, &expanded.verb, error))
                return false;
            for (size_t i = 0; i < line.args.size(); ++i)
                if (!Substitute(line.args[i], command.args, &expanded.args[i], error))
                    return false;
            expanded.source = line.source + "   [called at line " + std::to_string(command.line) + ": " +
                              command.source + "]";
            if (!Add(expanded, depth + 1, error))
                return false;
        }
        return true;
    }

    std::map<std::string, Macro> &macros() { return macros_; }

private:
    std::vector<Command> *out_;
    std::map<std::string, Macro> macros_;
};

}  // namespace

bool ParseScript(const std::string &text, std::vector<Command> *commands, std::string *error)
{
    commands->clear();
    Expander expander(commands);
    std::string defining;      // the macro whose body is being read
    int definedAt = 0;
    size_t start = 0;
    int line = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        ++line;
        Command command;
        std::string why;
        if (!ParseLine(text.substr(start, end - start), line, &command, &why)) {
            *error = "line " + std::to_string(line) + ": " + why;
            return false;
        }
        if (command.verb == "define") {
            if (!defining.empty() || command.args.empty()) {
                *error = "line " + std::to_string(line) + ": " +
                         (defining.empty() ? "define without a name" : "define inside define");
                return false;
            }
            defining = command.args.front();
            definedAt = line;
            expander.macros()[defining] = Macro();
        } else if (command.verb == "end" && !defining.empty()) {
            defining.clear();
        } else if (!defining.empty() && !command.verb.empty()) {
            expander.macros()[defining].body.push_back(command);
        } else if (!command.verb.empty() && !expander.Add(command, 0, &why)) {
            *error = "line " + std::to_string(line) + ": " + why;
            return false;
        }
        if (end == text.size())
            break;
        start = end + 1;
    }
    if (!defining.empty()) {
        *error = "line " + std::to_string(definedAt) + ": define " + defining + " without its end";
        return false;
    }
    return true;
}

std::string Quote(const std::string &text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        default:
            if (c < 0x20 || c == 0x7f) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02x", c);
                out += hex;
            } else {
                out.push_back(static_cast<char>(c));
            }
        }
    }
    return out + "\"";
}

}  // namespace scn
