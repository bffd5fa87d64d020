// Map files of any content through the header reader and into a release.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "map_file_releases.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string name = "map_file_header_fuzz_" + std::to_string(getpid()) + ".map";
    std::FILE *f = std::fopen(name.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    MapFileHeader header;
    const int result = ReadMapFileContents(name.c_str(), &header);
    if (result == MAPFILE_OK) {
        if (header.substances.size() != static_cast<size_t>(header.substanceCount)) __builtin_trap();
        if (header.times.size() > size) __builtin_trap();
    }
    if (Location *release = CreateLocation()) {
        if (LoadMapFileLists(name.c_str(), release, "20200101000000") == MAPFILE_OK &&
            GE_ListCount(release->mapTimes) != static_cast<int>(header.times.size()))
            __builtin_trap();
        FreeLocation(release);
    }
    std::remove(name.c_str());
    return 0;
}
