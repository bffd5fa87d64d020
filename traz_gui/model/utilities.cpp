// Common utilities (module utils): texts, paths, checked file opening and
// file helpers, plain growable arrays, tolerant comparisons, rounding, a
// point-in-polygon test and the window helpers that fit a long path into a
// fixed width for messages.
#include "utilities.h"

#include <cassert>
#include <cctype>
#include <cmath>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <sys/stat.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "editor_services.h"
#include "ge_list.h"
#include "ruv.h"

namespace {

// Toolkit attributes and kinds used by the window helpers.
constexpr int32_t kAttrTaskWindow = 301;
constexpr int32_t kAttrScreenHeight = 400;
constexpr int32_t kAttrScreenWidth = 401;
constexpr int32_t kAttrFrameHeight = 501;
constexpr int32_t kAttrMenuHeight = 506;
constexpr int32_t kWindowTypeDocument = 2;
constexpr int32_t kControlStaticText = 18;
constexpr int32_t kMeasureControlId = 9999;
constexpr int32_t kFileAttrReadable = 2;

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// Copies text into a static std::string holder and returns its characters.
const char *Keep(std::string &holder, std::string text)
{
    holder = std::move(text);
    return holder.c_str();
}

// Opens a file; on failure explains it in an error box.
int16_t OpenChecked(const char *path, FILE **file, int mode, bool binary)
{
    if (file)
        *file = nullptr;
    if (!file || !path || !*path)
        return 0;
    assert(mode == 0 || mode == 1);
    if (mode != 0 && mode != 1)
        return 0;
    const char *how = mode == 0 ? (binary ? "rb" : "r") : (binary ? "wb" : "w");
    FILE *f = std::fopen(path, how);
    if (f) {
        *file = f;
        return 1;
    }
    const bool readable = FileIsReadable(path) != 0;
    const std::string shortPath = ShortenPathForMessage(path);
    const char *format;
    if (mode == 0)
        format = readable ? "%s\n\nCannot open file!" : "%s\n\nFile does not exist!";
    else
        format = readable ? "%s\n\nCannot access file!" : "%s\n\nCannot create file!";
    PostErrorF(format, shortPath.c_str());
    return 0;
}

// Copies one open file into another; true when the source was read to its
// end and everything was written.
bool CopyStream(FILE *from, FILE *to)
{
    char buffer[8192];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, from)) > 0)
        if (std::fwrite(buffer, 1, n, to) != n)
            return false;
    return std::feof(from) && !std::ferror(from);
}

int32_t IgnoreEvents(RUV_WIN, struct RUV_EVENT *) { return 0; }

int TextWidth(RUV_WIN window, const std::string &text)
{
    return ruv_dwin_get_text_width(window, text.c_str(), -1);
}

// The path fitted to the client width of control ctl, measured in window.
std::string FitPath(const char *path, RUV_WIN window, RUV_WIN ctl)
{
    if (!path || !*path)
        return "Filename unknown";
    RUV_RECT client = {0, 0, 0, 0};
    ruv_vobj_get_client_rect(ctl, &client);
    const int w = client.right - client.left;
    const std::string full = path;
    if (TextWidth(window, full) <= w)
        return full;
    for (size_t i = 0; i < full.size(); ++i) {
        if (!IsSeparator(full[i]))
            continue;
        const std::string candidate = "...\\" + full.substr(i + 1);
        if (TextWidth(window, candidate) <= w)
            return candidate;
    }
    size_t lastSep = full.find_last_of("/\\");
    const std::string last = lastSep == std::string::npos ? full : full.substr(lastSep + 1);
    for (size_t drop = 1; drop <= last.size(); ++drop) {
        const std::string candidate = "..." + last.substr(drop);
        if (TextWidth(window, candidate) <= w)
            return candidate;
    }
    return "...";
}

std::vector<std::string> SplitComponents(const std::string &path)
{
    std::vector<std::string> parts;
    std::string current;
    for (char c : path) {
        if (IsSeparator(c)) {
            parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    parts.push_back(current);
    return parts;
}

void CopyCut(const std::string &text, char *out, size_t length)
{
    const size_t n = text.size() < length - 1 ? text.size() : length - 1;
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

} // namespace

// ---------------------------------------------------------------------------
// Texts.

char *TrimBlanks(const char *text)
{
    static char buffer[TRIM_BUFFER_SIZE];
    if (!text) {
        buffer[0] = '\0';
        return buffer;
    }
    const char *begin = text;
    while (*begin && IsSpace(*begin))
        ++begin;
    const char *end = begin + std::strlen(begin);
    while (end > begin && IsSpace(end[-1]))
        --end;
    const size_t n = static_cast<size_t>(end - begin);
    // A text that does not fit is refused, never cut: "" tells the caller.
    if (n >= sizeof buffer) {
        buffer[0] = '\0';
        return buffer;
    }
    std::memmove(buffer, begin, n);  // text may be this buffer itself
    buffer[n] = '\0';
    return buffer;
}

void TrimLine(char *buffer)
{
    if (!buffer)
        return;
    char *begin = buffer;
    while (*begin && IsSpace(*begin))
        ++begin;
    char *end = begin + std::strlen(begin);
    while (end > begin && IsSpace(end[-1]))
        --end;
    const size_t n = static_cast<size_t>(end - begin);
    std::memmove(buffer, begin, n);
    buffer[n] = '\0';
}

int StringToUpper(char *text)
{
    if (!text)
        return 0;
    int n = 0;
    for (; text[n]; ++n)
        text[n] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[n])));
    return n;
}

int16_t IsBlankString(const char *text)
{
    if (!text)
        return 1;
    for (; *text; ++text)
        if (!IsSpace(*text))
            return 0;
    return 1;
}

int CompareNoCaseN(const char *a, const char *b, size_t n)
{
    if (!a || !b)
        return (a == b) ? 0 : (a ? 1 : -1);
    for (size_t i = 0; i < n; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
    return 0;
}

int CompareNoCase(const char *a, const char *b)
{
    return CompareNoCaseN(a, b, static_cast<size_t>(-1));
}

char *CopyString(const char *text)
{
    return GE_StrDup(text);
}

char *AbbreviateMiddle(const char *text, int maxLength)
{
    if (!text)
        return nullptr;
    const std::string t = text;
    std::string result = t;
    if (maxLength < 0)
        maxLength = 0;
    const size_t m = static_cast<size_t>(maxLength);
    if (t.size() > m) {
        if (m < 3) {
            result = t.substr(0, m);
        } else {
            const size_t head = (m - 3) / 2;
            const size_t tail = m - 3 - head;
            result = t.substr(0, head) + "..." + t.substr(t.size() - tail);
        }
    }
    return GE_StrDup(result.c_str());
}

const char *FormatExponential(double value)
{
    static char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%#15.7e", value);
    return buffer;
}

const char *FormatExponentialFloat(float value)
{
    static char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%#15.7e", static_cast<double>(value));
    return buffer;
}

char *FormatAlloc(const char *format, ...)
{
    if (!format)
        return nullptr;
    size_t size = 100;
    char *block = static_cast<char *>(std::malloc(size));
    while (block) {
        std::va_list args;
        va_start(args, format);
        const int n = std::vsnprintf(block, size, format, args);
        va_end(args);
        if (n >= 0 && static_cast<size_t>(n) < size)
            return block;
        size = n >= 0 ? static_cast<size_t>(n) + 1 : size * 2;
        char *grown = static_cast<char *>(std::realloc(block, size));
        if (!grown) {
            std::free(block);
            return nullptr;
        }
        block = grown;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------
// Numbers.

double RoundHalfUp(double x)
{
    const double f = std::floor(x);
    return (x - f < 0.5) ? f : std::ceil(x);
}

int CompareDoublesTol(double a, double b, double t)
{
    const double d = (std::fabs(a) < 1.0 || std::fabs(b) < 1.0) ? a - b : a / b - 1.0;
    if (t > std::fabs(d))
        return 0;
    return a < b ? -1 : 1;
}

int CompareFloatsTol(float a, float b, float t)
{
    return CompareDoublesTol(a, b, t);
}

int PointInPolygon(const double *x, const double *y, int n, double px, double py)
{
    if (!x || !y || n < 1)
        return -1;
    int crossings = 0;
    for (int i = 0; i < n; ++i) {
        const int k = (i + 1) % n;  // the polygon is closed by its first vertex
        const double x0 = x[i] - px, y0 = y[i] - py;
        const double x1 = x[k] - px, y1 = y[k] - py;
        const bool spansY = (y0 <= 0.0 && y1 >= 0.0) || (y0 >= 0.0 && y1 <= 0.0);
        if ((x0 < 0.0 && 0.0 <= x1) || (x1 < 0.0 && 0.0 <= x0)) {
            if (y0 < 0.0 && y1 < 0.0) {
                ++crossings;
            } else if (spansY) {
                const double yc = (y0 * x1 - x0 * y1) / (x1 - x0);
                if (yc == 0.0)
                    return 0;
                if (yc < 0.0)
                    ++crossings;
            }
        } else if (std::fabs(x0) < 1e-8 && std::fabs(x1) < 1e-8 && spansY) {
            return 0;
        }
    }
    return (crossings % 2 == 1) ? 1 : -1;
}

int ParseBoolean(const char *text, int16_t *value)
{
    if (!text)
        return 1;
    const char *p = text;
    while (*p && IsSpace(*p))
        ++p;
    std::string word;
    while (*p && !IsSpace(*p))
        word += *p++;
    if (word.empty())
        return 1;
    static const struct {
        const char *word;
        int16_t value;
    } kWords[] = {{".true.", 1}, {".false.", 0}, {"true", 1}, {"false", 0}};
    for (const auto &w : kWords) {
        if (ruv_str_compare_ignoring_case(word.c_str(), w.word) == 0) {
            if (value)
                *value = w.value;
            return 0;
        }
    }
    return 1;
}

// ---------------------------------------------------------------------------
// Plain arrays.

void *ArrayInsert(int index, void *array, int *count, const void *element, size_t size)
{
    if (!count || !element || size == 0)
        return array;
    if (!array) {
        assert(index == -1);
        assert(*count == 0);
        if (index != -1 || *count != 0)
            return array;
    } else {
        assert(index >= -1);
        assert(index < *count);
        if (index < -1 || index >= *count)
            return array;
    }
    const size_t n = static_cast<size_t>(*count);
    auto *grown = static_cast<unsigned char *>(GE_ReAlloc(array, (n + 1) * size));
    if (!grown)
        return array;
    const size_t at = static_cast<size_t>(index + 1);
    if (at < n)
        std::memmove(grown + (at + 1) * size, grown + at * size, (n - at) * size);
    std::memcpy(grown + at * size, element, size);
    *count += 1;
    return grown;
}

int ArrayDelete(int index, void *array, int *count, size_t size)
{
    assert(array != nullptr);
    assert(count && *count > 0);
    assert(index >= 0);
    assert(count && index < *count);
    if (!array || !count || *count <= 0 || index < 0 || index >= *count)
        return count ? *count : 0;
    auto *bytes = static_cast<unsigned char *>(array);
    const size_t n = static_cast<size_t>(*count);
    const size_t at = static_cast<size_t>(index);
    if (at + 1 < n)
        std::memmove(bytes + at * size, bytes + (at + 1) * size, (n - at - 1) * size);
    std::memset(bytes + (n - 1) * size, 0, size);
    *count -= 1;
    return *count;
}

void **Alloc2DArray(int rows, int columns, size_t size)
{
    if (rows <= 0 || columns < 0)
        return nullptr;
    auto **array = static_cast<void **>(GE_Alloc(static_cast<size_t>(rows) * sizeof(void *)));
    if (!array)
        return nullptr;
    const size_t rowBytes = static_cast<size_t>(columns) * size;
    for (int r = 0; r < rows; ++r) {
        array[r] = GE_Alloc(rowBytes);
        if (!array[r] && rowBytes > 0) {
            Free2DArray(array, r);
            return nullptr;
        }
    }
    return array;
}

void Free2DArray(void **array, int rows)
{
    if (!array)
        return;
    for (int r = 0; r < rows; ++r)
        GE_Free(array[r]);
    GE_Free(array);
}

// ---------------------------------------------------------------------------
// Paths.

const char *PathBaseName(const char *path)
{
    static std::string holder;
    if (!path)
        return Keep(holder, "");
    const std::string p = path;
    const size_t sep = p.find_last_of("/\\");
    return Keep(holder, sep == std::string::npos ? p : p.substr(sep + 1));
}

const char *PathDirName(const char *path)
{
    static std::string holder;
    if (!path)
        return Keep(holder, ".");
    const std::string p = path;
    const size_t sep = p.find_last_of("/\\");
    return Keep(holder, sep == std::string::npos ? std::string(".") : p.substr(0, sep));
}

const char *PathFileName(const char *path)
{
    static std::string holder;
    char name[RUV_FILE_DIR_SIZE] = "";
    char extension[RUV_FILE_DIR_SIZE] = "";
    if (!path || !ruv_fsys_parse_pathname(path, nullptr, nullptr, name, extension, nullptr))
        return Keep(holder, "");
    std::string result = name;
    if (extension[0])
        result += std::string(".") + extension;
    return Keep(holder, result);
}

void SlashesToBackslashes(char *path)
{
    if (!path)
        return;
    for (; *path; ++path)
        if (*path == '/')
            *path = '\\';
}

int16_t MakeRelativePath(const char *projectDir, const char *fullPath, char *out, size_t length)
{
    if (!projectDir || !fullPath || !out || length == 0)
        return 0;
    const std::string full = fullPath;
    std::string dir = projectDir;
    if (dir.empty() || full.empty() || dir[0] != full[0]) {
        CopyCut(full, out, length);
        return 1;
    }
    while (!dir.empty() && IsSeparator(dir.back()))
        dir.pop_back();
    const std::vector<std::string> d = SplitComponents(dir);
    const std::vector<std::string> p = SplitComponents(full);
    size_t common = 0;
    while (common < d.size() && common < p.size() && d[common] == p[common])
        ++common;
    if (common == 0) {
        CopyCut(full, out, length);
        return 1;
    }
    std::string result;
    for (size_t i = common; i < d.size(); ++i)
        result += (i == common) ? ".." : "\\..";
    // The rest of the path from its first differing component on, as written.
    size_t at = 0;
    for (size_t i = 0; i < common && at != std::string::npos; ++i) {
        at = full.find_first_of("/\\", at);
        if (at != std::string::npos)
            ++at;
    }
    const std::string rest = at == std::string::npos ? std::string() : full.substr(at);
    if (!result.empty() && !rest.empty())
        result += '\\';
    result += rest;
    CopyCut(result, out, length);
    return 1;
}

int16_t ResolvePathIn(const char *directory, const char *path, char *out, size_t length)
{
    if (!out || length == 0)
        return 0;
    out[0] = '\0';
    if (!path || !path[0])
        return 0;
    const size_t pathLength = std::strlen(path);
    const bool hasDrive = pathLength >= 2 && path[1] == ':';
    std::string p;
    if (!hasDrive && !IsSeparator(path[0]) && directory && directory[0]) {
        p.reserve(std::strlen(directory) + 1 + pathLength);
        p.append(directory).append(1, '/');
    }
    p.append(path, pathLength);
    for (char &c : p)
        if (c == '\\')
            c = '/';
    // The root as written: a drive, a leading '/', or "//" before a share.
    std::string result;
    result.reserve(p.size() + 2);
    size_t at = 0;
    if (p.size() >= 2 && p[1] == ':') {
        result.assign(p, 0, 2);
        at = 2;
    } else if (p.compare(0, 2, "//") == 0) {
        result = "/";
        at = 1;
    }
    const bool rooted = at < p.size() && p[at] == '/';
    if (rooted) {
        result += '/';
        ++at;
    }
    // The parts after the root, put together in place: the names kept
    // follow the ".." kept in front of them (only a name can be taken back).
    const size_t root = result.size();
    size_t names = 0, ups = 0;
    for (size_t start = at; start <= p.size();) {
        size_t end = p.find('/', start);
        if (end == std::string::npos)
            end = p.size();
        const std::string_view part(p.data() + start, end - start);
        start = end + 1;
        if (part.empty() || part == ".")
            continue;
        if (part != "..") {
            if (names + ups > 0)
                result += '/';
            result.append(part);
            ++names;
        } else if (names > 0) {
            const size_t slash = result.rfind('/');
            result.resize(slash == std::string::npos || slash < root ? root : slash);
            --names;
        } else if (!rooted) {
            result.append(ups > 0 ? "/.." : "..");
            ++ups;
        }
    }
    if (result.empty())
        result = ".";
    if (result.size() >= length)
        return 0;
    std::memcpy(out, result.c_str(), result.size() + 1);
    return 1;
}

int16_t MakeAbsolutePath(const char *path, char *out, size_t length)
{
    if (!path || !out || length == 0)
        return 0;
    const std::string p = path;
    if ((p.size() >= 2 && p[1] == ':') || (!p.empty() && IsSeparator(p[0]))) {
        CopyCut(p, out, length);
        return 1;
    }
    const char *cwd = GetCurrentDirectoryText();
    if (!cwd)
        return 0;
    std::string joined = cwd;
    while (!joined.empty() && IsSeparator(joined.back()))
        joined.pop_back();
    joined += '\\';
    joined += p;

    char volume[RUV_FILE_DIR_SIZE] = "", directory[RUV_FILE_DIR_SIZE] = "";
    char name[RUV_FILE_DIR_SIZE] = "", extension[RUV_FILE_DIR_SIZE] = "";
    char version[RUV_FILE_DIR_SIZE] = "";
    if (!ruv_fsys_parse_pathname(joined.c_str(), volume, directory, name, extension, version))
        return 0;

    const size_t lastSep = joined.find_last_of("/\\");
    const std::string last = lastSep == std::string::npos ? joined : joined.substr(lastSep + 1);
    RUV_FILE_DIR dirRecord;
    char normal[257];
    if (last == ".." || last == "." || last.empty()) {
        if (!ruv_fsys_convert_str_to_dir(joined.c_str(), &dirRecord) ||
            !ruv_fsys_convert_dir_to_str(&dirRecord, normal, sizeof normal))
            return 0;
        CopyCut(normal, out, length);
        return 1;
    }
    const std::string dirText = std::string(volume) + directory;
    if (!ruv_fsys_convert_str_to_dir(dirText.c_str(), &dirRecord) ||
        !ruv_fsys_convert_dir_to_str(&dirRecord, normal, sizeof normal))
        return 0;
    char built[RUV_FILE_DIR_SIZE];
    if (!ruv_fsys_build_pathname(built, "", normal, name, extension, ""))
        return 0;
    CopyCut(built, out, length);
    return 1;
}

const char *GetCurrentDirectoryText(void)
{
    static char buffer[257];
    RUV_FILE_DIR dir;
    if (!ruv_fsys_get_dir(&dir)) {
        PostErrorF("Cannot retreive current directory!");
        return nullptr;
    }
    if (!ruv_fsys_convert_dir_to_str(&dir, buffer, sizeof buffer)) {
        PostErrorF("Cannot convert directory to string!");
        return nullptr;
    }
    return buffer;
}

int16_t ChangeDirectory(const char *path)
{
    if (!path || !*path)
        return 0;
    RUV_FILE_DIR dir;
    if (!ruv_fsys_convert_str_to_dir(path, &dir))
        return 0;
    return ruv_fsys_set_dir(&dir) ? 1 : 0;
}

// ---------------------------------------------------------------------------
// Files.

int16_t FileIsReadable(const char *path)
{
    if (!path || !*path)
        return 0;
    RUV_FILE_SPEC spec;
    std::memset(&spec, 0, sizeof spec);
    if (!PathToFileSpec(path, &spec))
        return 0;
    return ruv_fsys_get_file_attr(&spec, kFileAttrReadable) > 0 ? 1 : 0;
}

int16_t OpenFileChecked(const char *path, FILE **file, int mode)
{
    return OpenChecked(path, file, mode, false);
}

FILE *OpenRegularFile(const char *path, const char *mode, int64_t maxBytes, int *status, int64_t *size)
{
    int ignored = 0;
    int &why = status ? *status : ignored;
    why = REGULAR_FILE_MISSING;
    if (!path || !*path || !mode)
        return nullptr;
    // Looked at before the open, which for a pipe waits for a writer; and
    // again once open, in case the name meanwhile names something else.
#ifdef _WIN32
    struct _stati64 before;
    if (_stati64(path, &before) == 0 && (before.st_mode & _S_IFMT) != _S_IFREG) {
        why = REGULAR_FILE_NOT_REGULAR;
        return nullptr;
    }
#else
    struct stat before;
    if (stat(path, &before) == 0 && !S_ISREG(before.st_mode)) {
        why = REGULAR_FILE_NOT_REGULAR;
        return nullptr;
    }
#endif
    FILE *f = std::fopen(path, mode);
    if (!f)
        return nullptr;
    int64_t length = -1;
#ifdef _WIN32
    struct _stati64 st;
    if (_fstati64(_fileno(f), &st) == 0 && (st.st_mode & _S_IFMT) == _S_IFREG)
        length = st.st_size;
#else
    struct stat st;
    if (fstat(fileno(f), &st) == 0 && S_ISREG(st.st_mode))
        length = static_cast<int64_t>(st.st_size);
#endif
    why = length < 0 ? REGULAR_FILE_NOT_REGULAR : length > maxBytes ? REGULAR_FILE_TOO_LARGE : REGULAR_FILE_OPEN;
    if (why != REGULAR_FILE_OPEN) {
        std::fclose(f);
        return nullptr;
    }
    if (size)
        *size = length;
    return f;
}

int16_t IsTextFile(const char *path)
{
    FILE *f = nullptr;
    if (!OpenFileChecked(path, &f, 0))
        return 0;
    int16_t text = 1;
    for (int i = 0; i < 200; ++i) {
        const int c = std::fgetc(f);
        if (c == EOF)
            break;
        if (!std::isspace(c) && !std::isprint(c)) {
            text = 0;
            break;
        }
    }
    std::fclose(f);
    return text;
}

int16_t CompareFiles(const char *path1, const char *path2)
{
    FILE *a = path1 ? std::fopen(path1, "rb") : nullptr;
    if (!a) {
        PostErrorF("Cannot open file %s", path1 ? path1 : "");
        return 0;
    }
    FILE *b = path2 ? std::fopen(path2, "rb") : nullptr;
    if (!b) {
        std::fclose(a);
        PostErrorF("Cannot open file %s", path2 ? path2 : "");
        return 0;
    }
    int16_t equal = 1;
    for (;;) {
        const int ca = std::fgetc(a);
        const int cb = std::fgetc(b);
        if (ca != cb) {
            equal = 0;
            break;
        }
        if (ca == EOF)
            break;  // both ended together
    }
    if (std::ferror(a) || std::ferror(b)) {
        PostErrorF("Error while reading file %s or %s", path1, path2);
        equal = 0;
    }
    std::fclose(a);
    std::fclose(b);
    return equal;
}

char *MakeTempFileName(const char *prefix)
{
    constexpr size_t kSize = 257;
    auto *name = static_cast<char *>(GE_Alloc(kSize));
    if (!name)
        return nullptr;
    name[0] = '\0';
    const char *pre = prefix ? prefix : "";
#ifdef _WIN32
    char dir[MAX_PATH + 1];
    char made[MAX_PATH + 1];
    const DWORD n = GetTempPathA(sizeof dir, dir);
    if (n > 0 && n < sizeof dir && GetTempFileNameA(dir, pre, 0, made) != 0) {
        if (std::strlen(made) < kSize)
            std::strcpy(name, made);
        else
            DeleteFileA(made);
    }
#else
    const char *dir = std::getenv("TMPDIR");
    if (!dir || !*dir)
        dir = "/tmp";
    std::string pattern = std::string(dir) + "/" + pre + "XXXXXX";
    if (pattern.size() < kSize) {
        std::vector<char> buf(pattern.begin(), pattern.end());
        buf.push_back('\0');
        const int fd = mkstemp(buf.data());
        if (fd >= 0) {
            close(fd);
            std::strcpy(name, buf.data());
        }
    }
#endif
    if (!name[0]) {
        GE_Free(name);
        PostErrorF("Cannot create temporary file!");
        return nullptr;
    }
    return name;
}

int16_t CopyFileViaTemp(const char *source, const char *destination)
{
    char *temp = MakeTempFileName("qnx");
    if (!temp)
        return 0;
    bool ok = false;
    FILE *in = nullptr, *out = nullptr;
    if (OpenChecked(source, &in, 0, true) && OpenChecked(temp, &out, 1, true)) {
        ok = CopyStream(in, out);
        ok = std::fclose(out) == 0 && ok;
        out = nullptr;
    }
    if (in)
        std::fclose(in);
    in = nullptr;
    if (ok) {
        ok = false;
        if (OpenChecked(temp, &in, 0, true) && OpenChecked(destination, &out, 1, true)) {
            ok = CopyStream(in, out);
            ok = std::fclose(out) == 0 && ok;
        }
        if (in)
            std::fclose(in);
    }
    std::remove(temp);
    GE_Free(temp);
    return ok ? 1 : 0;
}

int16_t AskYesNo(const char *message)
{
    return ruv_dm_post_ask("Yes", "No", nullptr, "%s", message ? message : "") == 0 ? 1 : 0;
}

// ---------------------------------------------------------------------------
// Window helpers.

int16_t FitTextToControl(const char *path, RUV_WIN window, int32_t controlId)
{
    RUV_WIN ctl = ruv_win_get_ctl(window, controlId);
    if (ctl == NULL_WIN)
        return 0;
    SetControlTitle(window, controlId, FitPath(path, window, ctl).c_str());
    return 1;
}

const char *ShortenPathForMessage(const char *path)
{
    static std::string holder;
    if (!path || !*path)
        return Keep(holder, "Filename unknown");
    // An invisible measuring window with one static text of the message
    // width; it is destroyed after use.
    const auto task = reinterpret_cast<RUV_WIN>(ruv_vobj_get_attr(NULL_WIN, kAttrTaskWindow));
    RUV_RECT rect;
    ruv_rect_set(&rect, 0, 0, 226, 200);
    RUV_WIN window = ruv_win_create(kWindowTypeDocument, &rect, "", 0, task, 0x810, -1,
                                    IgnoreEvents, nullptr);
    if (window == NULL_WIN)
        return Keep(holder, path);
    RUV_RECT ctlRect;
    ruv_rect_set(&ctlRect, 0, 0, 216, 24);
    RUV_WIN ctl = ruv_ctl_create(kControlStaticText, &ctlRect, "", window, 0x10, nullptr,
                                 kMeasureControlId);
    if (ctl == NULL_WIN) {
        ruv_vobj_destroy(window);
        return Keep(holder, path);
    }
    std::string fitted = FitPath(path, window, ctl);
    SetControlTitle(window, kMeasureControlId, fitted.c_str());
    ruv_vobj_destroy(window);
    return Keep(holder, std::move(fitted));
}

void CenterWindowOnScreen(RUV_WIN window)
{
    const long screenW = static_cast<long>(ruv_vobj_get_attr(NULL_WIN, kAttrScreenWidth));
    const long screenH = static_cast<long>(ruv_vobj_get_attr(NULL_WIN, kAttrScreenHeight));
    const long frame = static_cast<long>(ruv_vobj_get_attr(NULL_WIN, kAttrFrameHeight)) +
                       static_cast<long>(ruv_vobj_get_attr(NULL_WIN, kAttrMenuHeight));
    RUV_RECT client = {0, 0, 0, 0};
    ruv_vobj_get_client_rect(window, &client);
    const long w = client.right - client.left;
    const long h = client.bottom - client.top;
    RUV_RECT rect;
    ruv_rect_set(&rect, static_cast<int16_t>((screenW - w) / 2),
                 static_cast<int16_t>((screenH + frame - h) / 2),
                 static_cast<int16_t>((screenW + w) / 2),
                 static_cast<int16_t>((screenH + h + frame) / 2));
    ruv_vobj_move(window, &rect);
}

void GrowWindowHeight(RUV_WIN window, int pixels)
{
    RUV_RECT client = {0, 0, 0, 0};
    ruv_vobj_get_client_rect(window, &client);
    RUV_POINT origin = {0, 0};
    ruv_vobj_translate_points(window, ruv_vobj_get_parent(window), &origin, 1);
    RUV_RECT rect = client;
    ruv_rect_set_pos(&rect, origin);
    ruv_rect_set_height(&rect, static_cast<int16_t>(client.bottom - client.top + pixels));
    ruv_vobj_move(window, &rect);
}
