// Releases whose particles start from an earlier water-quality run: the
// map file's header (substance names and the time of each output record)
// and the window-free part of the user-defined releases (Location records)
// that the releases-from-file page edits.
#ifndef TRAZ_EDITOR_MAP_FILE_RELEASES_H
#define TRAZ_EDITOR_MAP_FILE_RELEASES_H

#include <cstdint>
#include <string>
#include <vector>

#include "datetime.h"
#include "ge_list.h"
#include "scenario.h"

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

// Source options of a user-defined release (its userOption).
enum UserReleaseSource : int32_t { USER_SOURCE_MAP = 0, USER_SOURCE_OTHER = 1, USER_SOURCE_RELEASE_FILE = 2 };

// A list of heap texts (GE_Alloc) as a user-defined release keeps the map
// file's substances and times; NULL when memory is short.  Freed with
// FreeTextList.
GE_List *MakeTextList(const std::vector<std::string> &texts);
std::vector<std::string> TextListItems(const GE_List *texts);
// The release's two map-file lists replaced (the old ones freed); NULL for
// none read.
void SetMapFileLists(Location *release, GE_List *substances, GE_List *times);

// Reads path's header for the release.  On failure its map-substance count
// and both selections (userWord4, mapTime) become -1; on success it keeps
// the names and the time texts (edit form, after reference) as its lists.
// The reader's result.
int LoadMapFileLists(const char *path, Location *release, const char *reference);

// The name a stored release gets from its 1-based position: "UD<n>", or for
// a map-file release with both lists read and a substance of this run
// chosen, "UD<n>: s<substance> & (s<map substance>, t<map time>)".
std::string UserReleaseName(const Location &release, int position, bool substanceChosen);

#endif
