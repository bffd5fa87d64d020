// The fuzz targets' input as a file the readers can open.
#ifndef TRAZ_VISAREA_FUZZ_FILE_H
#define TRAZ_VISAREA_FUZZ_FILE_H

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "../../../gridfiles/tests/fuzz/fuzz_files.h"

// On a RAM-backed folder where there is one, so that writing and reading
// the input costs no disk access.
inline std::string FuzzInputFile(const char *extension, const uint8_t *data, size_t size)
{
    static const std::string folder = fuzzfiles::ScratchBase().string() + "/";
    const std::string name = folder + "visarea_fuzz_" + std::to_string(getpid()) + "." + extension;
    std::FILE *f = std::fopen(name.c_str(), "wb");
    if (f) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return name;
}

#endif
