// Page 9, releases from file: the scenario's user-defined releases, whose
// particles start from a substance and an output time of an earlier
// water-quality run's map file, or from a release file.  The page lists
// them with the fields of the selected one, adds and deletes them, reads a
// map file's substances and times into the selected release and stores the
// choice into the release's record, which the input file carries.
#ifndef TRAZ_EDITOR_RELEASES_FROM_FILE_PAGE_H
#define TRAZ_EDITOR_RELEASES_FROM_FILE_PAGE_H

#include <cstdint>

#include "ruv.h"

constexpr int RELEASES_FROM_FILE_PAGE = 9;

void ShowReleasesFromFilePage(RUV_WIN window);
void AddUserRelease(RUV_WIN window);
void DeleteUserRelease(RUV_WIN window);
void StoreUserReleaseFields(RUV_WIN window);
void ShowUserReleaseFields(RUV_WIN window);
void OnUserReleaseField(RUV_WIN window, int32_t control);
void ReadReleaseSource(RUV_WIN window);
// Chooses a release file for the selected release; acts only for an empty
// text.  1 when no release is selected, else 0.
int SelectReleaseFile(const char *text, RUV_WIN window);
// Reads a map file's header into release index (path given) or, for an
// empty path, into the selected release from a file chosen in the file
// dialog.  0 read, 1 no release to read for, 2 the file cannot be opened
// (or none was chosen), 3 its time records cannot be reached.
int ReadMapFileHeader(const char *path, int index, RUV_WIN window);
// Every control may be edited: 0.
int AllowUserReleaseEdit(RUV_WIN window, int32_t control);

// Page 9 filled from or stored into the scenario (false for other pages).
bool FillReleasesFromFilePage(int n);
bool StoreReleasesFromFilePage(int n);

// The page's control events.
void ReleasesFromFilePageControl(RUV_WIN window, const RUV_EVENT *event);

#endif
