// Scenario scripts of the GUI test driver: splitting lines into a verb and
// its arguments, with quoted texts and their C escapes.
#include "scenario_script.h"

#include <cstdio>

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

bool ParseScript(const std::string &text, std::vector<Command> *commands, std::string *error)
{
    commands->clear();
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
        if (!command.verb.empty())
            commands->push_back(command);
        if (end == text.size())
            break;
        start = end + 1;
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
