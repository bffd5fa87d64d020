// The association file (".csa" beside the help file): its lines tie
// window, dialog and control ids and menu tags to topics.  A line starting
// with '#', a quote or white space is a comment; every other line is a
// kind letter (W, D, C, M in either case) and three int32 numbers (id,
// parent id, topic); what follows the fourth field is ignored.  A line is
// one line whatever its length.  The entries are kept sorted by (id, kind,
// parent id) for the lookup with its parent fallbacks.
#include <algorithm>
#include <cctype>
#include <climits>
#include <string>

#include "help_private.h"
#include "ruvv_errmsg.h"
#include "ruvv_mem.h"

namespace {

const char kModule[] = "hassoc";

// The next line without its line feed; false at the end of the file.
bool next_line(std::FILE *file, std::string &line)
{
    line.clear();
    int c = std::getc(file);
    if (c == EOF)
        return false;
    while (c != EOF && c != '\n') {
        line += static_cast<char>(c);
        c = std::getc(file);
    }
    return true;
}

bool is_space(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool is_comment(const std::string &line)
{
    return line.empty() || line[0] == '#' || line[0] == '\'' || is_space(line[0]);
}

// A signed decimal number after optional white space, within int32.
bool scan_number(const char *line, size_t length, size_t &pos, int32_t &value)
{
    while (pos < length && is_space(line[pos]))
        ++pos;
    bool negative = false;
    if (pos < length && (line[pos] == '+' || line[pos] == '-'))
        negative = line[pos++] == '-';
    if (pos >= length || !std::isdigit(static_cast<unsigned char>(line[pos])))
        return false;
    long long v = 0;
    while (pos < length && std::isdigit(static_cast<unsigned char>(line[pos]))) {
        v = v * 10 + (line[pos++] - '0');
        if (v > static_cast<long long>(INT32_MAX) + 1)
            return false;
    }
    if (negative)
        v = -v;
    if (v < INT32_MIN || v > INT32_MAX)
        return false;
    value = static_cast<int32_t>(v);
    return true;
}

int32_t kind_of_letter(char c)
{
    switch (c) {
    case 'W': case 'w': return HELP_KIND_WINDOW;
    case 'D': case 'd': return HELP_KIND_DIALOG;
    case 'C': case 'c': return HELP_KIND_CONTROL;
    case 'M': case 'm': return HELP_KIND_MENU;
    default: return HELP_KIND_NONE;
    }
}

bool entry_less(const RUV_HELP_CSA_ENTRY &a, const RUV_HELP_CSA_ENTRY &b)
{
    if (a.id != b.id)
        return a.id < b.id;
    if (a.kind != b.kind)
        return a.kind < b.kind;
    return a.parent < b.parent;
}

const RUV_HELP_CSA_ENTRY *find_exact(const RUV_HELP_INFO *info, int32_t kind, int32_t id, int32_t parent)
{
    const RUV_HELP_CSA_ENTRY key{ kind, id, parent, 0 };
    const RUV_HELP_CSA_ENTRY *end = info->entries + info->entry_count;
    const RUV_HELP_CSA_ENTRY *it = std::lower_bound(static_cast<const RUV_HELP_CSA_ENTRY *>(info->entries), end, key, entry_less);
    if (it != end && it->kind == kind && it->id == id && it->parent == parent)
        return it;
    return nullptr;
}

} // namespace

int hassoc_parse_line(const char *line, size_t length, RUV_HELP_CSA_ENTRY *entry, uint32_t *error)
{
    if (length == 0 || line[0] == '#' || line[0] == '\'' || is_space(line[0]))
        return 0;
    size_t pos = 1;
    int32_t numbers[3];
    for (int32_t &n : numbers)
        if (!scan_number(line, length, pos, n)) {
            *error = kHelpCsaFewFields;
            return -1;
        }
    const int32_t kind = kind_of_letter(line[0]);
    if (kind == HELP_KIND_NONE) {
        *error = kHelpCsaBadKind;
        return -1;
    }
    *entry = RUV_HELP_CSA_ENTRY{ kind, numbers[0], numbers[1], numbers[2] };
    return 1;
}

int32_t hassoc_count_entries(std::FILE *file)
{
    std::string line;
    int32_t count = 0;
    while (next_line(file, line))
        if (!is_comment(line) && count < INT32_MAX)
            ++count;
    return count;
}

int32_t hassoc_store_entries(std::FILE *file, RUV_HELP_CSA_ENTRY *table, int32_t capacity, uint32_t *error)
{
    std::string line;
    int32_t stored = 0;
    // The file may have grown since it was counted: never past the table.
    while (stored < capacity && next_line(file, line)) {
        RUV_HELP_CSA_ENTRY entry;
        const int r = hassoc_parse_line(line.data(), line.size(), &entry, error);
        if (r < 0)
            return -1;
        if (r > 0)
            table[stored++] = entry;
    }
    return stored;
}

void hassoc_sort_entries(RUV_HELP_CSA_ENTRY *table, int32_t count)
{
    std::sort(table, table + count, entry_less);
}

RUV_HELP_CSA_ENTRY *hassoc_read_csa_stream(std::FILE *file, int32_t *count, uint32_t *error)
{
    *count = 0;
    *error = 0;
    const int32_t counted = hassoc_count_entries(file);
    std::rewind(file);
    const size_t slots = counted > 0 ? static_cast<size_t>(counted) : 1;
    auto *table = static_cast<RUV_HELP_CSA_ENTRY *>(help_zalloc(slots * sizeof(RUV_HELP_CSA_ENTRY), kModule,
                                                                 __LINE__));
    const int32_t stored = hassoc_store_entries(file, table, counted, error);
    if (stored < 0) {
        ruvv_mem_free(table);
        return nullptr;
    }
    hassoc_sort_entries(table, stored);
    *count = stored;
    return table;
}

RUV_BOOL hassoc_read_csa_file(RUV_HELP_INFO *info, const char *path)
{
    ruvv_mem_free(info->entries);
    info->entries = nullptr;
    info->entry_count = 0;
    std::FILE *file = std::fopen(path, "r");
    if (!file)
        return FALSE;
    int32_t count = 0;
    uint32_t error = 0;
    RUV_HELP_CSA_ENTRY *table = hassoc_read_csa_stream(file, &count, &error);
    std::fclose(file);
    if (!table) {
        ruvv_errmsg_dispatch(nullptr, RUV_SEV_ERROR, error, kModule, __LINE__);
        return FALSE;
    }
    info->entries = table;
    info->entry_count = count;
    return TRUE;
}

int32_t hassoc_lookup_entry(const RUV_HELP_INFO *info, int32_t kind, int32_t id, int32_t parent)
{
    if (!info || !info->entries || info->entry_count <= 0)
        return 0;
    if (const RUV_HELP_CSA_ENTRY *e = find_exact(info, kind, id, parent))
        return e->topic;
    if (parent != 0) {
        const RUV_HELP_CSA_ENTRY *e = find_exact(info, kind, id, 0);
        return e ? e->topic : 0;
    }
    // Any parent: the first entry of this kind and id.
    const RUV_HELP_CSA_ENTRY key{ kind, id, INT32_MIN, 0 };
    const RUV_HELP_CSA_ENTRY *end = info->entries + info->entry_count;
    const RUV_HELP_CSA_ENTRY *it = std::lower_bound(static_cast<const RUV_HELP_CSA_ENTRY *>(info->entries), end, key, entry_less);
    if (it != end && it->kind == kind && it->id == id)
        return it->topic;
    return 0;
}
