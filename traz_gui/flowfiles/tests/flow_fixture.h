// Small text fixtures of the flow-file tests, written in the test's working
// directory.
#ifndef TRAZ_FLOW_FIXTURE_H
#define TRAZ_FLOW_FIXTURE_H

#include <fstream>
#include <sstream>
#include <string>

namespace flowfix {

// Writes the bytes as given (binary mode: "\n" stays LF).
inline void WriteText(const std::string &path, const std::string &text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// The file's text with CR LF line ends turned into LF.
inline std::string ReadText(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    std::string text = s.str();
    std::string out;
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            out.push_back(text[i]);
    return out;
}

// A name as a fixed-length field: blank-padded to len characters.
inline std::string Field(const std::string &name, size_t len)
{
    std::string f = name;
    f.resize(len, ' ');
    return f;
}

}  // namespace flowfix

#endif
