// Shared by the record-file fuzz targets (grid and flow-model readers): the
// input written or split into files in a
// private temporary directory.
#ifndef TRAZ_GRID_FUZZ_FILES_H
#define TRAZ_GRID_FUZZ_FILES_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fuzzfiles {

// The private directory: its name has a fixed length (the process id in
// seven digits), since the length of a path must not change what a run
// covers.
inline std::filesystem::path &DirPath()
{
    static std::filesystem::path p = [] {
        char name[32];
        std::snprintf(name, sizeof name, "traz_grid_fuzz_%07ld", static_cast<long>(getpid()));
        return std::filesystem::temp_directory_path() / name;
    }();
    return p;
}

inline void RemoveDir()
{
    std::error_code ec;
    std::filesystem::remove_all(DirPath(), ec);
}

// The directory of this process, removed when it ends.
inline const std::string &Dir()
{
    static const std::string dir = [] {
        std::filesystem::create_directories(DirPath());
        std::atexit(RemoveDir);
        return DirPath().string() + "/";
    }();
    return dir;
}

inline void Write(const std::string &path, const uint8_t *data, size_t size)
{
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
        return;
    if (size)
        std::fwrite(data, 1, size, f);
    std::fclose(f);
}

// Input: a 2-byte little-endian length n, then n bytes of the first file,
// then the second file.
inline void Split(const uint8_t *data, size_t size, const std::string &first, const std::string &second)
{
    size_t n = 0;
    if (size >= 2) {
        n = static_cast<size_t>(data[0] | data[1] << 8);
        data += 2;
        size -= 2;
    } else {
        size = 0;
    }
    if (n > size)
        n = size;
    Write(first, data, n);
    Write(second, data + n, size - n);
}

}  // namespace fuzzfiles

#endif
