// Common utilities (module utils) shared by the scenario model, the editor
// pages and the map window: trimming and case functions, path manipulation,
// file checks that explain a failure in a message box, a temporary-file copy,
// boolean parsing, plain growable arrays, tolerant number comparison,
// rounding, a point-in-polygon test and window helpers.
//
// Text results live in static buffers owned by each function, valid until
// its next call.  Heap results come from GE_Alloc (free with GE_Free), except
// FormatAlloc (free with free()).  Flags are 1 true, 0 false.
#ifndef TRAZ_UTILITIES_H
#define TRAZ_UTILITIES_H

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "ruv_types.h"

// Capacity of the shared trimming buffer: a trimmed text holds at most 255
// characters.
constexpr size_t TRIM_BUFFER_SIZE = 256;

// Static copy of text without leading and trailing white space (one buffer
// shared by every caller).  "" for NULL and for a text whose trimmed content
// does not fit the buffer.
char *TrimBlanks(const char *text);
// Trims a line read from a file in place (a final newline goes with it).
void TrimLine(char *buffer);
// Upper-cases in place; returns the length.
int StringToUpper(char *text);
// 1 for NULL, "" or only white space.
int16_t IsBlankString(const char *text);
int CompareNoCase(const char *a, const char *b);
int CompareNoCaseN(const char *a, const char *b, size_t n);
// Heap copy; NULL for NULL or no memory.
char *CopyString(const char *text);
// Heap copy cut in the middle with "..." to at most maxLength characters.
char *AbbreviateMiddle(const char *text, int maxLength);
// "%#15.7e" text.
const char *FormatExponential(double value);
const char *FormatExponentialFloat(float value);
// Heap text of a printf format (runtime allocator); NULL when memory fails.
char *FormatAlloc(const char *format, ...);

// Nearest whole number, halves upward (2.5 -> 3, -2.5 -> -2).
double RoundHalfUp(double x);
// 0 when equal within t (relative when both |a|, |b| >= 1), else -1 (a < b)
// or 1.
int CompareDoublesTol(double a, double b, double t);
int CompareFloatsTol(float a, float b, float t);
// 1 inside, -1 outside, 0 on the boundary.
int PointInPolygon(const double *x, const double *y, int n, double px, double py);
// 0 and *value set for ".true.", ".false.", "true", "false" (any case);
// 1 and nothing stored for any other first word.
int ParseBoolean(const char *text, int16_t *value);

// Inserts a copy of element after index (-1 = at the front) of a plain
// array of *count elements of size bytes; returns the reallocated array and
// increments *count.  When memory is short the old array is returned and
// *count is unchanged.
void *ArrayInsert(int index, void *array, int *count, const void *element, size_t size);
// Removes element index (later ones move down, the freed last slot zeroed);
// returns the new count.
int ArrayDelete(int index, void *array, int *count, size_t size);
// rows row pointers, each to columns elements; NULL when memory is short.
void **Alloc2DArray(int rows, int columns, size_t size);
void Free2DArray(void **array, int rows);

// Part after the last '\' or '/'.
const char *PathBaseName(const char *path);
// Part before the last '\' or '/'; "." when there is none.
const char *PathDirName(const char *path);
// Name and extension of the path's file ("name.ext", or "name").
const char *PathFileName(const char *path);
void SlashesToBackslashes(char *path);
// The path relative to the project directory (".." steps, '\' separators);
// cut to length - 1 characters.  Returns 1.
int16_t MakeRelativePath(const char *projectDir, const char *fullPath, char *out, size_t length);
// The path made absolute against the current directory and normalised; 0
// when it cannot be formed.
int16_t MakeAbsolutePath(const char *path, char *out, size_t length);
// The path as an absolute name with '/' separators: a relative path is taken
// in the directory; "." and ".." steps are resolved by name.  0 (and an
// empty result) for an empty path or a result that does not fit.
int16_t ResolvePathIn(const char *directory, const char *path, char *out, size_t length);
// Current directory as text (257-byte static buffer), NULL after a message.
const char *GetCurrentDirectoryText(void);
// 1 when the working directory changed.
int16_t ChangeDirectory(const char *path);
// The toolkit's "readable" file attribute of the path.
int16_t FileIsReadable(const char *path);
// Opens path for reading (mode 0, "r") or writing (mode 1, "w") into *file;
// on failure shows why in an error box (with the shortened path) and returns
// 0.  An empty path returns 0 without a message.
int16_t OpenFileChecked(const char *path, FILE **file, int mode);
// What OpenRegularFile found.
enum RegularFileStatus { REGULAR_FILE_OPEN, REGULAR_FILE_MISSING, REGULAR_FILE_NOT_REGULAR, REGULAR_FILE_TOO_LARGE };
// Opens an existing regular file for reading (mode "r" or "rb") of at most
// maxBytes bytes (its size into *size when given).  A folder, a device or a
// pipe is not opened at all (a read from one may never end), nor is a file
// larger than maxBytes; NULL then, with the reason in *status.
FILE *OpenRegularFile(const char *path, const char *mode, int64_t maxBytes, int *status, int64_t *size = nullptr);
// 1 when the first 200 characters are printable or white space.
int16_t IsTextFile(const char *path);
// 1 when both files have equal contents.
int16_t CompareFiles(const char *path1, const char *path2);
// Heap name of a new (created, empty) temporary file; NULL after a message.
char *MakeTempFileName(const char *prefix);
// Copies source to destination through a temporary file.
int16_t CopyFileViaTemp(const char *source, const char *destination);
// Question box "Yes" / "No"; 1 for "Yes".
int16_t AskYesNo(const char *message);

// The path fitted into 216 pixels for a message ("...\" plus its last
// components, or "..." plus the end of its name).
const char *ShortenPathForMessage(const char *path);
// Sets the control's title to the path fitted to its width; returns 1.
int16_t FitTextToControl(const char *path, RUV_WIN window, int32_t controlId);
void CenterWindowOnScreen(RUV_WIN window);
void GrowWindowHeight(RUV_WIN window, int pixels);

#endif
