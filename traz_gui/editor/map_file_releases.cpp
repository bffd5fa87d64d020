// Releases from a map file: the header reader and the release records'
// window-free rules (see map_file_releases.h).
#include "map_file_releases.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>

namespace {

int32_t LittleInt32(const unsigned char *b)
{
    const uint32_t v = static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                       static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
    int32_t r;
    std::memcpy(&r, &v, sizeof r);
    return r;
}

bool ReadAt(std::ifstream &in, int64_t offset, unsigned char *buffer, size_t size)
{
    in.clear();
    in.seekg(static_cast<std::streamoff>(offset));
    if (!in) return false;
    in.read(reinterpret_cast<char *>(buffer), static_cast<std::streamsize>(size));
    return static_cast<size_t>(in.gcount()) == size;
}

}  // namespace

int ReadMapFileContents(const char *path, MapFileHeader *header)
{
    *header = MapFileHeader{};
    if (!path) return MAPFILE_CANNOT_OPEN;
    std::ifstream in(path, std::ios::binary);
    if (!in) return MAPFILE_CANNOT_OPEN;
    in.seekg(0, std::ios::end);
    const int64_t length = static_cast<int64_t>(in.tellg());
    if (length < 0) return MAPFILE_NO_RECORDS;

    unsigned char counts[8];
    if (!ReadAt(in, MAP_TITLE_BYTES, counts, sizeof counts)) return MAPFILE_NO_RECORDS;
    const int32_t n = LittleInt32(counts);
    const int32_t s = LittleInt32(counts + 4);
    // Counts that are not positive or a record that no 32-bit size holds
    // leave no way to step from record to record.
    if (n <= 0 || s <= 0) return MAPFILE_NO_RECORDS;
    const int64_t values = static_cast<int64_t>(n) * s;
    if (values > (std::numeric_limits<int32_t>::max() - 4) / 4) return MAPFILE_NO_RECORDS;
    const int64_t recordSize = 4 + 4 * values;
    const int64_t first = MAP_TITLE_BYTES + 8 + static_cast<int64_t>(MAP_NAME_BYTES) * n;
    if (first > length) return MAPFILE_NO_RECORDS;

    MapFileHeader h;
    h.substanceCount = n;
    h.segmentCount = s;
    std::vector<unsigned char> names(static_cast<size_t>(MAP_NAME_BYTES) * static_cast<size_t>(n));
    if (!ReadAt(in, MAP_TITLE_BYTES + 8, names.data(), names.size())) return MAPFILE_NO_RECORDS;
    h.substances.reserve(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i) {
        const char *name = reinterpret_cast<const char *>(names.data()) + static_cast<size_t>(i) * MAP_NAME_BYTES;
        h.substances.emplace_back(name, strnlen(name, MAP_NAME_SHOWN));
    }

    const int64_t records = (length - first) / recordSize;
    h.times.reserve(static_cast<size_t>(records));
    for (int64_t r = 0; r < records; ++r) {
        unsigned char t[4];
        if (!ReadAt(in, first + r * recordSize, t, sizeof t)) return MAPFILE_NO_RECORDS;
        h.times.push_back(LittleInt32(t));
    }
    *header = std::move(h);
    return MAPFILE_OK;
}

std::vector<std::string> MapFileTimeTexts(const std::vector<int32_t> &times, const char *reference)
{
    std::vector<std::string> texts;
    texts.reserve(times.size());
    for (int32_t t : times) {
        const std::string at = AddSecondsToDateTime(reference, t);
        texts.emplace_back(DateTimeToDmy(at.c_str()));
    }
    return texts;
}

GE_List *MakeTextList(const std::vector<std::string> &texts)
{
    GE_List *list = GE_ListCreate(sizeof(char *));
    for (size_t i = 0; list && i < texts.size(); ++i) {
        char *copy = GE_StrDup(texts[i].c_str());
        if (!copy || !GE_ListInsert(list, static_cast<int>(i), &copy)) {
            GE_Free(copy);
            FreeTextList(list);
            return nullptr;
        }
    }
    return list;
}

std::vector<std::string> TextListItems(const GE_List *texts)
{
    std::vector<std::string> items;
    for (int i = 0; i < GE_ListCount(texts); ++i) {
        const char *text = nullptr;
        GE_ListGet(texts, i, &text);
        items.emplace_back(text ? text : "");
    }
    return items;
}

void SetMapFileLists(Location *release, GE_List *substances, GE_List *times)
{
    if (release->mapSubstances != substances)
        FreeTextList(release->mapSubstances);
    if (release->mapTimes != times)
        FreeTextList(release->mapTimes);
    release->mapSubstances = substances;
    release->mapTimes = times;
}

int LoadMapFileLists(const char *path, Location *release, const char *reference)
{
    MapFileHeader header;
    const int result = ReadMapFileContents(path, &header);
    if (result != MAPFILE_OK) {
        // The map substance the release was stored with stays: a file that
        // is gone for now must not change what the next save writes.
        release->mapSubstanceCount = -1;
        release->mapTime = -1;
        return result;
    }
    GE_List *substances = MakeTextList(header.substances);
    GE_List *times = MakeTextList(MapFileTimeTexts(header.times, reference));
    if (!substances || !times) {
        FreeTextList(substances);
        FreeTextList(times);
        substances = times = nullptr;
    }
    SetMapFileLists(release, substances, times);
    return MAPFILE_OK;
}

std::string UserReleaseName(const Location &release, int position, bool substanceChosen)
{
    char name[96];
    if (release.userOption == USER_SOURCE_MAP && release.mapSubstances && release.mapTimes && substanceChosen)
        std::snprintf(name, sizeof name, "UD%d: s%d & (s%d, t%d)", position, release.userWord3,
                      release.userWord4 + 1, release.mapTime + 1);
    else
        std::snprintf(name, sizeof name, "UD%d", position);
    return std::string(name).substr(0, SCEN_LOCATION_NAME_LEN - 1);
}
