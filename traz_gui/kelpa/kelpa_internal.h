// KELPA library internals shared by its modules: the file-set slot, the
// per-set caches, the view of a set's definition and data sides, and the
// field encoder and decoder that lay records out in either form and byte
// order.
#ifndef TRAZ_KELPA_INTERNAL_H
#define TRAZ_KELPA_INTERNAL_H

#include "kelpa_core.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace kelpa {

struct LocationNode {
    char group[kNameLen];
    char element[kNameLen];
    uint64_t cell_bytes = 0;
    int32_t dims[MAX_DIM] = {};
    int32_t order[MAX_DIM] = {};
    int32_t element_dims[MAX_DIM] = {};
    int32_t ndims = 0;
    uint64_t offset = 0;
    int32_t value_size = 0;
    char type[kTypeLen + 1] = {};
    uint64_t address = kNil;
    uint64_t element_bytes = 0;
    bool variable = false;
    uint64_t area_bytes = 0;
    std::unique_ptr<LocationNode> left, right;
};

struct VarGroupEntry {
    uint64_t address = kNil;
    uint32_t largest = 0;
};

struct FileSet {
    bool location_in_use = false;
    bool location_renew = false;
    int handle = -1;
    int data_fd = -1, definition_fd = -1, dd_fd = -1;
    bool data_big = false, definition_big = false, dd_big = false;
    bool combined = false;
    int form = kNewForm;
    std::vector<uint64_t> data_table, definition_table, dd_table;
    std::string data_name, definition_name, dd_name;
    bool write_access = false;
    // Per-set caches (values).
    std::unique_ptr<LocationNode> locations;
    VarGroupEntry var_groups[MAX_VAR_GROUPS];
};

// The slot of an open set, or nullptr.
FileSet *GetSet(int set);

// One side of a set: the file that holds a record kind.
struct Side {
    int fd = -1;
    bool big = false;
    std::vector<uint64_t> *table = nullptr;
    const std::string *name = nullptr;
    int bucket_base = 1;  // index of the kind's first bucket in the table
    bool combined = false;
};
Side SideOf(FileSet &fs, RecordKind kind);

// Drops the per-set value caches (location tree and variable-group cache).
void ResetValueCaches(FileSet &fs);

// Ends the iterations (elements, cells, group definitions, data groups)
// that run over a set, so that a later set in the same slot does not
// continue them on its own file.
void DropIterations(int set);

// Field encoder: appends fields in file form (old form: 4-byte addresses
// and sizes, 4-character kind) and byte order.
class Encoder {
public:
    Encoder(bool old_form, bool big) : old_(old_form), big_(big) {}
    void Address(uint64_t v);  // 8 bytes, old form 4 (nil stays nil)
    void I32(int32_t v);
    void Text(const char *text, size_t width);  // blank-padded, no NUL
    void Kind(int kind);
    void Blanks(size_t n) { bytes_.insert(bytes_.end(), n, ' '); }
    std::vector<uint8_t> &Bytes() { return bytes_; }
    size_t Size() const { return bytes_.size(); }
    // Patches the length field (second address) once the size is known.
    void PatchAddress(size_t offset, uint64_t v);

private:
    bool old_, big_;
    std::vector<uint8_t> bytes_;
};

// Field decoder over a record buffer; reads past the end give zeros.
class Decoder {
public:
    Decoder(const uint8_t *bytes, size_t size, bool old_form, bool big)
        : b_(bytes), n_(size), old_(old_form), big_(big) {}
    uint64_t Address();
    int32_t I32();
    void Text(char *out, size_t width);  // out gets width characters and a NUL
    void Skip(size_t n) { pos_ += n; }
    void KindText() { Skip(old_ ? 4 : 8); }
    // The record kind: the number right-aligned in its field, -1 when the
    // field holds anything else.
    int32_t KindNumber();
    size_t Position() const { return pos_; }

private:
    void Raw(uint8_t *out, size_t n);
    const uint8_t *b_;
    size_t n_;
    size_t pos_ = 0;
    bool old_, big_;
};

// Encodes and decodes single numbers in a file's byte order.
void StoreU64(uint8_t *p, uint64_t v, bool big);
uint64_t LoadU64(const uint8_t *p, bool big);
void StoreU32(uint8_t *p, uint32_t v, bool big);
uint32_t LoadU32(const uint8_t *p, bool big);
// Widens a 4-byte old-form address (-1 is nil).
inline uint64_t WidenAddress(uint32_t v) { return v == 0xFFFFFFFFu ? kNil : uint64_t(v); }

// Reads or writes an array of addresses (hash table or pointer table) at a
// file position in the set's form and the side's byte order; results are the
// counts of the new form (8 bytes a word) as ReadHashTable gives them.
int64_t ReadAddressTable(int fd, bool old_form, bool big, uint64_t *words, size_t count,
                         uint64_t address);
int64_t WriteAddressTable(int fd, bool old_form, bool big, const uint64_t *words, size_t count,
                          uint64_t address);

// The name as text for messages (16 characters, trailing blanks kept).
std::string NameText(const char *name, size_t width = kNameLen);

// Case-sensitive comparison over the leading characters of a type text.
bool TypeIs(const char *type, const char *prefix);

}  // namespace kelpa

#endif
