// Shared by the fuzz targets whose readers take files (grid and flow-model
// readers, the model input file, KELPA file sets): the input written or
// split into files in a private directory on a RAM-backed folder, so that
// writing and reading them back costs no disk access.
#ifndef TRAZ_GRID_FUZZ_FILES_H
#define TRAZ_GRID_FUZZ_FILES_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace fuzzfiles {

// Where the private directories lie: the RAM-backed /dev/shm where there
// is one, else the system's temporary folder.
inline std::filesystem::path ScratchBase()
{
    std::error_code ec;
    if (std::filesystem::is_directory("/dev/shm", ec) && access("/dev/shm", W_OK) == 0)
        return "/dev/shm";
    return std::filesystem::temp_directory_path(ec);
}

// The private directory: its name has a fixed length (the process id in
// seven digits), since the length of a path must not change what a run
// covers.
inline std::filesystem::path &DirPath()
{
    static std::filesystem::path p = [] {
        char name[32];
        std::snprintf(name, sizeof name, "traz_grid_fuzz_%07ld", static_cast<long>(getpid()));
        return ScratchBase() / name;
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

// The private directory is the current one while the object lives; then
// the directory the process started in (where relative corpus paths and
// artifacts point) is current again.  Files of fixed relative names so
// keep their names from run to run.
class InDir {
public:
    InDir()
    {
        Home();
        if (chdir(Dir().c_str()) != 0)
            std::abort();
    }
    InDir(const InDir &) = delete;
    InDir &operator=(const InDir &) = delete;
    ~InDir()
    {
        if (chdir(Home().c_str()) != 0)
            std::abort();
    }
    // The directory the process started in: taken by the first call, which
    // comes before the first input.
    static const std::string &Home()
    {
        static const std::string home = [] {
            char buffer[4096];
            return std::string(getcwd(buffer, sizeof buffer) ? buffer : ".");
        }();
        return home;
    }
};

// Writes the file with the system's calls: no stream (and no buffer) is
// made for it.
inline void Write(const std::string &path, const uint8_t *data, size_t size)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return;
    while (size > 0) {
        const ssize_t put = write(fd, data, size);
        if (put <= 0)
            break;
        data += put;
        size -= static_cast<size_t>(put);
    }
    close(fd);
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
