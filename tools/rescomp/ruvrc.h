// Resource compiler of the ruv toolkit: turns our plain-text descriptions of
// menus, windows, dialogs, fonts and images into the compiled resource
// stream (big-endian, version 4) that the toolkit's resource reader opens,
// the windres fragment that links the stream into a program as raw-data
// chunks with the index resource 10000, and a header with the names of the
// resource and control ids.  The model below holds the values as the stream
// stores them (file types, file flag bits), so the writer is a plain dump.
#ifndef RUVRC_H
#define RUVRC_H

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace ruvrc {

// Resource types of the stream directory.
enum : int16_t {
    RES_MENU = 0,
    RES_DIALOG = 1,
    RES_WINDOW = 5,
    RES_FONT = 6,
    RES_IMAGE = 7,
};

constexpr uint32_t STREAM_MAGIC = 0xDEADC0DEu;
constexpr int16_t STREAM_VERSION = 4;
constexpr int16_t INDEX_RESOURCE_ID = 10000;
constexpr int DEFAULT_CHUNK_SIZE = 4096;
constexpr int DEFAULT_FIRST_CHUNK = 10001;

struct Location {
    std::string file;
    int line = 0;
};

struct ExtraData {
    int16_t tag = 0;
    std::string bytes;
};

struct MenuItem {
    int16_t tag = 0;
    int16_t mnemonic = 0;
    int16_t flags = 0; // file bits; 0x10 = a submenu follows
    std::string title;
    std::vector<ExtraData> extras;
    std::vector<MenuItem> submenu;
};

struct WinItem {
    int16_t file_type = 0;
    int16_t id = 0;
    int16_t left = 0, top = 0, width = 0, height = 0;
    int16_t link = 0; // menu-bar id of a window, icon id of an icon
    uint32_t flags = 0; // file bits
    int16_t unit = 0;
    int16_t font_id = 0;
    std::string title;
    std::vector<ExtraData> extras;
    // Text-edit extra (file type 14 only): flags, then margin, then limit.
    uint32_t tx_flags = 0;
    int16_t tx_margin = 0;
    int16_t tx_limit = 0;
};

struct FontRes {
    int16_t size = 12;
    uint32_t style = 0;
    std::string family = "system";
    std::string native_desc;
};

struct ImageRes {
    uint32_t flags = 0; // bit 0: the image is read from the named file
    std::string file_name;
    std::vector<ExtraData> extras;
    std::string data; // inline file image when bit 0 is clear
};

struct Resource {
    int16_t type = 0;
    int16_t id = 0;
    std::string name;
    Location where;
    std::vector<MenuItem> menu;  // RES_MENU
    std::vector<WinItem> items;  // RES_WINDOW, RES_DIALOG: first = the window
    FontRes font;                // RES_FONT
    ImageRes image;              // RES_IMAGE
    std::string raw;             // any other type: the bytes as given
};

struct Symbol {
    long value = 0;
    Location where;
    std::string resource; // name of the resource that defines it
};

// A name used as a control id, link or font id before its definition.
struct PendingName {
    size_t resource = 0;
    size_t item = 0;
    int field = 0; // 0 id, 1 link, 2 font id
    std::string name;
    Location where;
};

struct Description {
    std::vector<Resource> resources;
    std::vector<PendingName> pending;
    std::map<std::string, Symbol> symbols;
    std::vector<std::string> symbol_order; // definition order
    std::vector<std::string> inputs;       // files read (for depfiles)
};

// Parses one description text into `out` (symbols and resources are added);
// `dir` is where relative file names of inline images are found.  On the
// first error returns false with "file:line: message" in `error`.
// References to names defined in other files are resolved by finish().
bool parse_text(const std::string &text, const std::string &file_name, const std::string &dir,
                Description &out, std::string &error);
bool parse_file(const std::string &path, Description &out, std::string &error);
// Resolves the names used before their definition and checks the whole
// description (duplicate resources, undefined names).
bool finish(Description &desc, std::string &error);

// The compiled stream.  Refuses a stream above 2 GiB (error set).
bool write_stream(const Description &desc, std::vector<uint8_t> &out, std::string &error);

// The id header (C and C++): one #define per name, grouped by resource.
std::string make_header(const Description &desc, const std::string &guard);

struct ChunkLayout {
    int chunk_size = DEFAULT_CHUNK_SIZE;
    int first_chunk = DEFAULT_FIRST_CHUNK;
};
// The index resource text "%ld %hd %hd" (total length, first chunk id,
// chunk size) without its terminator.
std::string make_index_text(size_t total, const ChunkLayout &layout);
// Number of chunks for a stream of `total` bytes (the last may be short).
size_t chunk_count(size_t total, const ChunkLayout &layout);
bool check_layout(size_t total, const ChunkLayout &layout, std::string &error);
// The windres fragment: resource 10000 from index_path, chunk k from
// chunk_paths[k], all as RCDATA.
std::string make_rc(const std::string &index_path, const std::vector<std::string> &chunk_paths,
                    const ChunkLayout &layout);

} // namespace ruvrc

#endif
