// The help library's records and inner operations: the help information
// record, association records and list, the association-file entries, the
// path rules and search, and the allocation that ends the process when
// memory runs out.
#ifndef HELP_PRIVATE_H
#define HELP_PRIVATE_H

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "ruv_help.h"
#include "ruvv_vobj.h"

// Paths are at most 255 characters; working buffers are 256 bytes.
constexpr size_t kHelpPathSize = 256;
// Buckets of the association table (513, not 512).
constexpr uintptr_t kHelpBuckets = 513;

// Separator the path rules add between a directory and a name: the
// system's backslash; the native build (tests) uses its own.
#ifdef _WIN32
constexpr char kHelpDirSep = '\\';
#else
constexpr char kHelpDirSep = '/';
#endif

// Kinds of an association record (exactly one bit set).
enum : uint8_t {
    HELP_ASSOC_WINDOW = 0x1,
    HELP_ASSOC_MENU = 0x2,
    HELP_ASSOC_CONTROL = 0x4,
    HELP_ASSOC_DIALOG = 0x8,
};

// Kinds of an association-file entry (and of an object for lookups).
enum : int32_t {
    HELP_KIND_NONE = 0,
    HELP_KIND_WINDOW = 1,
    HELP_KIND_DIALOG = 2,
    HELP_KIND_CONTROL = 3,
    HELP_KIND_MENU = 4,
};

// One association: window, dialog, control or menu command of a window.
struct HelpAssoc {
    RUV_WIN owner;      // control: its parent window; menu: the window given (or none)
    RUV_WIN object;     // window, dialog or control; none for a menu item
    int32_t tag;        // menu tag
    int32_t topic;      // never 0
    uint8_t kind;       // HELP_ASSOC_*
    HelpAssoc *next;    // next record of the same bucket
    HelpAssoc *prev_in_list;
    HelpAssoc *next_in_list;
};

// Every association record of a help file once, in the order first set.
struct HelpAssocList {
    HelpAssoc *first;
    HelpAssoc *last;
    int32_t count;
};

// One line of the association file.
struct RUV_HELP_CSA_ENTRY {
    int32_t kind;
    int32_t id;
    int32_t parent;
    int32_t topic;
};

// One open help file.  The handle is the record's address; it is valid
// while self points to the record.
struct RUV_HELP_INFO {
    RUV_HELP_INFO *self;
    RUV_HELP_INFO *handle;
    char *path;
    int32_t open_flags;
    int32_t mode;            // 0x1: object-click mode
    int32_t saved_cursor;
    HelpAssoc **table;       // kHelpBuckets heads, made on first use
    HelpAssocList *list;
    RUV_POINT last_pos;      // screen coordinates (object-click mode)
    RUV_WIN objclick_win;
    RUV_HELP_CSA_ENTRY *entries;
    int32_t entry_count;
};

constexpr int32_t kHelpModeObjClick = 0x1;

// ---- allocation (a failure ends the process) ----
void *help_alloc(size_t size, const char *module, int line);
void *help_zalloc(size_t size, const char *module, int line);
char *help_strdup(const char *text, const char *module, int line);
// The fatal text of a failed allocation (what help_alloc hands on).
void help_format_alloc_failure(char *buf, size_t size, size_t asked, const char *module, int line);

// ---- object kinds ----
// The object's lookup kind from its type (HELP_KIND_NONE for none).
int32_t help_object_kind(RUV_WIN obj);
// Window argument check: not NULL and its first word the object tag.
bool help_is_window(RUV_WIN win);

// ---- associations ----
// Frees every association record, the table and the list.
void help_free_associations(RUV_HELP_INFO *info);
// Makes the (empty) association list; false when it cannot be made.
bool help_make_assoc_list(RUV_HELP_INFO *info);

// ---- association file ----
// Reads the association file at path into the record's entry table.
RUV_BOOL hassoc_read_csa_file(RUV_HELP_INFO *info, const char *path);
// Reads an open association file into a new table (counted, stored,
// sorted); NULL with *count 0 for a rejected file.  The id of the
// rejection (0 for none) goes to *error.
RUV_HELP_CSA_ENTRY *hassoc_read_csa_stream(std::FILE *file, int32_t *count, uint32_t *error);
// Lines of the file that are not comments.
int32_t hassoc_count_entries(std::FILE *file);
// Stores at most capacity entries from the file's lines; the number
// stored, or -1 with *error set for a malformed line.
int32_t hassoc_store_entries(std::FILE *file, RUV_HELP_CSA_ENTRY *table, int32_t capacity, uint32_t *error);
// One line (without its end): 1 entry, 0 comment, -1 malformed with *error.
int hassoc_parse_line(const char *line, size_t length, RUV_HELP_CSA_ENTRY *entry, uint32_t *error);
// Topic for (kind, id, parent) in the record's sorted table, 0 for none.
int32_t hassoc_lookup_entry(const RUV_HELP_INFO *info, int32_t kind, int32_t id, int32_t parent);
void hassoc_sort_entries(RUV_HELP_CSA_ENTRY *table, int32_t count);

// Ids of association-file errors.
constexpr uint32_t kHelpCsaFewFields = 0x597171;
constexpr uint32_t kHelpCsaBadKind = 0x597172;
constexpr uint32_t kHelpNoDefinition = 0x597170;

// ---- paths ----
// Joins dir and name into out (kHelpPathSize); false when together they
// are 253 characters or longer.
bool helpu_join(const char *dir, size_t dir_len, const char *name, char *out);
// helpu_change_extension into a buffer of out_size; false (out untouched)
// when the result does not fit.
bool helpu_change_extension_n(const char *path, char *out, size_t out_size, const char *ext);
// Whether the file exists (the file status query succeeds).
bool helpu_file_exists(const char *path);
// Searches name along the directories of variable (an empty variable
// name: the name itself); the found path in the library's path buffer, or
// NULL.
const char *helpu_search_file(const char *variable, const char *name);
// The help file of a file specification with the extension ext; the path
// in the library's path buffer, or NULL.
const char *helpu_find_help_file(const RUV_FILE_SPEC *spec, const char *ext);

#endif
