// Fuzz target: values written and read through a damaged definition file.
// The sound pair of sound_pair.h is made once; each input changes bytes in
// the records of its definition file, then writes (and reads) values of the
// pair's two data groups through it.  No write may change a byte of the
// data file outside the record it addresses: for FIXDG its data area; for
// VARDG its slices (of the length its step word gives), the room the put
// reserved at the end of the file, and empty entries of its pointer tables,
// which may only take addresses inside that room.  Apart from the next-free address, the definition file and the
// data file's header and buckets must not change at all.
//
// Every run works in a private directory of its own on a RAM-backed
// folder, so the files have fixed names: a name that changed from run to
// run would change what the library hashes, and so what a run covers.
//
// Input: byte 0 - the number of changes (low 3 bits); each change is 2 bytes
// of offset into the definition file's records and 4 bytes written there.
// Then up to 8 operations of 21 bytes: one byte choosing the data group
// (bit 0), whether the values are read back (bit 1) and the element (the
// rest modulo 7: the six elements, then "*" for the whole cell); for each
// of the 5 user dimensions a signed start, a signed stop distance and a
// signed increment; 5 bytes of user order (modulo 7, less 1).
#include "../sound_pair.h"
#include "kelpa_core.h"
#include "../../../gridfiles/tests/fuzz/fuzz_files.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace kelpa;

using kelpa_pair::Name;

std::vector<uint8_t> ReadFile(const std::string &path)
{
    std::vector<uint8_t> bytes;
    if (FILE *f = std::fopen(path.c_str(), "rb")) {
        uint8_t block[1 << 16];
        size_t n;
        while ((n = std::fread(block, 1, sizeof block, f)) > 0)
            bytes.insert(bytes.end(), block, block + n);
        std::fclose(f);
    }
    return bytes;
}

void WriteFile(const std::string &path, const std::vector<uint8_t> &bytes)
{
    if (FILE *f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

// The first position from i on where the two images differ (the shorter
// one counts as different past its end); the larger size when none.
size_t NextDifference(const std::vector<uint8_t> &a, const std::vector<uint8_t> &b, size_t i)
{
    size_t common = std::min(a.size(), b.size());
    constexpr size_t kBlock = 256;
    while (i < common) {
        size_t n = std::min(kBlock, common - i);
        if (std::memcmp(&a[i], &b[i], n) != 0)
            break;
        i += n;
    }
    for (; i < common; ++i)
        if (a[i] != b[i])
            return i;
    return i;
}

[[noreturn]] void Fail(const char *what, size_t at)
{
    std::fprintf(stderr, "damaged write: %s (byte %zu)\n", what, at);
    std::abort();
}

struct Sound {
    std::vector<uint8_t> dat, def;
    size_t records = 0;  // first record of the definition file
    uint64_t fixed_at = 0, fixed_length = 0, variable_at = 0;
};

const Sound &TheSoundPair()
{
    static Sound sound = [] {
        Sound s;
        std::string base = "damaged_write_sound";
        std::string dat = base + ".dat", def = base + ".def";
        if (kelpa_pair::BuildSoundPair(dat.c_str(), def.c_str()) != 0)
            Fail("the sound pair could not be made", 0);
        s.dat = ReadFile(dat);
        s.def = ReadFile(def);
        s.records = size_t(kDefinitionHeaderLen) + 8 * size_t(kDefinitionTableWords);
        int set = -1;
        char group[kNameLen + 1];
        if (OpenFileSet(&set, dat.c_str(), def.c_str(), 'L', 'r') != 0 ||
            LookupDataGroup(set, Name("FIXDG").c_str(), &s.fixed_at, group) != 0 ||
            LookupDataGroup(set, Name("VARDG").c_str(), &s.variable_at, group) != 0)
            Fail("the sound pair does not read", 0);
        CloseFileSet(&set);
        // The length field (little-endian) of FIXDG's record.
        for (int k = 7; k >= 0; --k)
            s.fixed_length = s.fixed_length << 8 | s.dat.at(size_t(s.fixed_at) + 8 + size_t(k));
        std::remove(dat.c_str());
        std::remove(def.c_str());
        return s;
    }();
    return sound;
}

constexpr uint64_t kNextFreeAt = kDataHeaderLen;

uint64_t Word(const std::vector<uint8_t> &image, uint64_t at)
{
    if (at > image.size() || image.size() - at < 8)
        Fail("a pointer table lies outside the file", size_t(at));
    uint64_t v = 0;
    for (int k = 7; k >= 0; --k)
        v = v << 8 | image[size_t(at) + size_t(k)];
    return v;
}

// VARDG's pointer tables and slices as an image of the data file has them.
struct VariableSpace {
    std::vector<uint64_t> tables, slices;
    void Walk(const std::vector<uint8_t> &image, uint64_t table, int level)
    {
        tables.push_back(table);
        for (int k = 0; k < kPointerTableWords; ++k) {
            uint64_t entry = Word(image, table + 8 * uint64_t(k));
            if (entry == kNil)
                continue;
            if (level == 3)
                slices.push_back(entry);
            else
                Walk(image, entry, level + 1);
        }
    }
};

// Bytes a put to the data group may change, given the data file before
// and after it (both with the next-free address written back).
void CheckChanges(const Sound &s, const std::vector<uint8_t> &before, const std::vector<uint8_t> &after,
                  bool variable)
{
    uint64_t old_free = Word(before, kNextFreeAt), new_free = Word(after, kNextFreeAt);
    VariableSpace space;
    uint64_t step = 0;
    if (variable) {
        space.Walk(before, s.variable_at + kDataGroupFixedLen + 8, 0);
        step = Word(before, s.variable_at + kDataGroupFixedLen);
    }
    auto allowed = [&](uint64_t at) {
        if (at >= kNextFreeAt && at < kNextFreeAt + 8)
            return true;
        if (!variable)
            return at >= s.fixed_at + kDataGroupFixedLen && at < s.fixed_at + s.fixed_length;
        if (at >= old_free && at < new_free)
            return true;
        for (uint64_t slice : space.slices)
            if (at >= slice && at - slice < step)
                return true;
        // An empty table entry may take the address of a table or slice
        // the put made.
        for (uint64_t table : space.tables)
            if (at >= table && at - table < 8 * uint64_t(kPointerTableWords)) {
                uint64_t word = table + (at - table) / 8 * 8, made = Word(after, word);
                return Word(before, word) == kNil && made >= old_free && made < new_free;
            }
        return false;
    };
    size_t end = std::max(before.size(), after.size());
    for (size_t i = NextDifference(before, after, 0); i < end; i = NextDifference(before, after, i + 1))
        if (!allowed(i))
            Fail(variable ? "a write to VARDG landed outside it" : "a write to FIXDG landed outside it", i);
}

// The bytes one value of the element takes, through the (damaged)
// definition; 0 when the library cannot find it either.
uint64_t ElementBytes(int set, const std::string &group, const char *element)
{
    uint64_t address;
    char gname[kNameLen + 1];
    GroupRecord g;
    auto cell = std::make_unique<CellRecord>();
    if (LookupDataGroup(set, group.c_str(), &address, gname) != 0 || LookupGroup(set, gname, &g) != 0 ||
        LookupCell(set, g.cell, cell.get()) != 0)
        return 0;
    if (element[0] == '*')
        return cell->cell_bytes;
    ElementRecord e;
    return LookupElement(set, Name(element).c_str(), &e) == 0 ? e.total_bytes : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const fuzzfiles::InDir in;   // the files on a RAM-backed folder
    const Sound &s = TheSoundPair();
    if (size < 1)
        return 0;
    size_t pos = 1;
    std::vector<uint8_t> def = s.def;
    size_t span = def.size() - s.records - 3;
    for (int k = 0; k < (data[0] & 7) && pos + 6 <= size; ++k, pos += 6) {
        size_t at = s.records + (size_t(data[pos]) | size_t(data[pos + 1]) << 8) % span;
        std::memcpy(&def[at], data + pos + 2, 4);
    }
    std::string base = "damaged_write";
    std::string dat_name = base + ".dat", def_name = base + ".def";
    WriteFile(dat_name, s.dat);
    WriteFile(def_name, def);
    int set = -1;
    if (OpenFileSet(&set, dat_name.c_str(), def_name.c_str(), 'L', 'u') != 0)
        return 0;
    static const char *const kElements[7] = {"DEPTH", "VEL", "FLAG", "NAME", "TEMP", "SAL", "*"};
    std::vector<uint8_t> image = s.dat;
    for (int op = 0; op < 8 && pos + 21 <= size; ++op, pos += 21) {
        const uint8_t *o = data + pos;
        bool variable = o[0] & 1;
        bool read_back = o[0] & 2;
        const char *element = kElements[(o[0] >> 2) % 7];
        int32_t index[15], order[5];
        uint64_t values = 1;
        for (int u = 0; u < 5; ++u) {
            int32_t start = int8_t(o[1 + 3 * u]);
            int32_t stop = start + int8_t(o[2 + 3 * u]) / 16;
            int32_t increment = int8_t(o[3 + 3 * u]) % 4;
            index[3 * u] = start;
            index[3 * u + 1] = stop;
            index[3 * u + 2] = increment;
            order[u] = o[16 + u] % 7 - 1;
            if (stop >= start && increment > 0)
                values *= uint64_t((stop - start) / increment + 1);
        }
        std::string group = Name(variable ? "VARDG" : "FIXDG");
        // The caller's buffer must hold what the library will move.
        uint64_t bytes = ElementBytes(set, group, element);
        if (bytes == 0 || bytes > (4u << 20) || values * bytes > (4u << 20))
            continue;
        std::vector<uint8_t> buffer(size_t(values * bytes), 0xa5);
        PutElementValues(set, group.c_str(), Name(element).c_str(), index, order, buffer.data());
        FlushHashTable(SetDataDescriptor(set), set);
        std::vector<uint8_t> after = ReadFile(dat_name);
        CheckChanges(s, image, after, variable);
        image = after;
        if (read_back)
            GetElementValues(set, group.c_str(), Name(element).c_str(), index, order, int64_t(buffer.size()),
                             buffer.data());
    }
    CloseFileSet(&set);
    if (ReadFile(dat_name) != image)
        Fail("closing changed the data file", 0);
    if (ReadFile(def_name) != def)
        Fail("the definition file changed", 0);
    return 0;
}
