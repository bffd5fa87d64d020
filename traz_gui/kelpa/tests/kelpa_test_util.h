// Helpers of the KELPA tests: whole-file reads and writes and number
// decoding written independently of the library, so that tests check the
// bytes on disk against the layout rather than against the code.
#ifndef TRAZ_KELPA_TEST_UTIL_H
#define TRAZ_KELPA_TEST_UTIL_H

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kelpa_test {

inline std::vector<uint8_t> ReadBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string &path, const std::vector<uint8_t> &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
}

inline std::string Fresh(const std::string &name)
{
    std::remove(name.c_str());
    return name;
}

inline uint64_t Le64(const std::vector<uint8_t> &b, size_t at)
{
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | b.at(at + size_t(i));
    return v;
}

inline uint64_t Be64(const std::vector<uint8_t> &b, size_t at)
{
    uint64_t v = 0;
    for (int i = 0; i < 8; ++i)
        v = (v << 8) | b.at(at + size_t(i));
    return v;
}

inline uint32_t Le32(const std::vector<uint8_t> &b, size_t at)
{
    return uint32_t(b.at(at)) | uint32_t(b.at(at + 1)) << 8 | uint32_t(b.at(at + 2)) << 16 |
           uint32_t(b.at(at + 3)) << 24;
}

inline uint32_t Be32(const std::vector<uint8_t> &b, size_t at)
{
    return uint32_t(b.at(at + 3)) | uint32_t(b.at(at + 2)) << 8 | uint32_t(b.at(at + 1)) << 16 |
           uint32_t(b.at(at)) << 24;
}

inline std::string Text(const std::vector<uint8_t> &b, size_t at, size_t n)
{
    return std::string(b.begin() + long(at), b.begin() + long(at + n));
}

// Blank-pads a name to 16 characters.
inline std::string Pad(const std::string &s, size_t width = 16)
{
    std::string r = s.substr(0, width);
    r.resize(width, ' ');
    return r;
}

}  // namespace kelpa_test

#endif
