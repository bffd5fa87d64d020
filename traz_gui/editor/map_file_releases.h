// Releases whose particles start from an earlier water-quality run: the
// map file's header (substance names and the time of each output record)
// and the window-free part of the user-defined release records that the
// releases-from-file page edits.
#ifndef TRAZ_EDITOR_MAP_FILE_RELEASES_H
#define TRAZ_EDITOR_MAP_FILE_RELEASES_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "datetime.h"

// Map file layout: 160 bytes of titles, int32 substance count n, int32
// segment count s, n names of 20 characters, then one record per output
// time: int32 seconds after the hydrodynamics reference time and n * s
// float32 values.  Little-endian, no record markers.
constexpr int MAP_TITLE_BYTES = 160;
constexpr int MAP_NAME_BYTES = 20;
constexpr int MAP_NAME_SHOWN = 19;

enum MapFileResult : int {
    MAPFILE_OK = 0,
    MAPFILE_NO_RELEASE = 1,    // no release to read for
    MAPFILE_CANNOT_OPEN = 2,
    MAPFILE_NO_RECORDS = 3,    // the time records cannot be reached
};

struct MapFileHeader {
    int32_t substanceCount = 0;
    int32_t segmentCount = 0;
    std::vector<std::string> substances;  // cut to 19 characters
    std::vector<int32_t> times;           // seconds after the reference time
};

// Reads the counts, the names and the time of every record.  A file that
// ends before its names, counts that are not positive, or a record size
// 4 + 4 n s beyond 32 bits give MAPFILE_NO_RECORDS; header is then empty.
int ReadMapFileContents(const char *path, MapFileHeader *header);

// The record times as date-times after reference, in the edit form.
std::vector<std::string> MapFileTimeTexts(const std::vector<int32_t> &times, const char *reference);

// Source options of a user-defined release.
enum UserReleaseSource : int32_t { USER_SOURCE_MAP = 0, USER_SOURCE_OTHER = 1, USER_SOURCE_RELEASE_FILE = 2 };

constexpr int USER_RELEASE_NAME_LEN = 40;
constexpr int USER_RELEASE_FILE_LEN = 256;

struct UserRelease {
    std::string name = "(new pair)";
    float scale = 1.0f;
    float percentage = 100.0f;
    DateTimeString releaseTime = "";
    DateTimeString mapFileTime = "";   // the chosen record's date-time
    std::string file;
    int32_t option = USER_SOURCE_MAP;
    int32_t substance = -1;         // 0-based in this simulation
    int32_t substanceNumber = 0;    // substance + 1
    int32_t mapSubstanceCount = 0;
    int32_t mapSubstance = -1;      // selection in the map file's names
    int32_t mapTime = -1;           // selection in the map file's times
    std::optional<std::vector<std::string>> mapSubstances;  // none until read
    std::optional<std::vector<std::string>> mapTimes;
    int32_t slots[10] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
};

// Reads path's header for releases[index]: 1 (and a message on stderr) for
// an index outside the list or an empty path, else the reader's result.
// On failure the release's map-substance count and both selections become
// -1; on success it keeps the names and the time texts (edit form, after
// reference).
int ReadMapFileHeader(const char *path, std::vector<UserRelease> &releases, int index, const char *reference);

// The name a stored release gets from its 1-based position: "UD<n>", or for
// a map-file release with both lists read and a substance of this run
// chosen, "UD<n>: s<substance> & (s<map substance>, t<map time>)".
std::string UserReleaseName(const UserRelease &release, int position, bool substanceChosen);

#endif
