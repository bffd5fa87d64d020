// Fuzz target for the association file reader and the path rules.  The
// input is an association file; its first line (up to 300 bytes) is also
// taken as a path for the extension rule and the join.  Every entry read
// must be found again by its own kind, id and parent.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "help_private.h"
#include "ruvv_mem.h"

namespace {

void check_paths(const uint8_t *data, size_t size)
{
    std::string path;
    for (size_t i = 0; i < size && i < 300 && data[i] != '\n'; ++i)
        if (data[i])
            path += static_cast<char>(data[i]);
    const char *ext = path.size() % 3 == 0 ? nullptr : path.size() % 3 == 1 ? ".hlp" : "csa";
    char sized[kHelpPathSize];
    const bool fits = helpu_change_extension_n(path.c_str(), sized, sizeof sized, ext);
    // The unsized rule, into room enough for any result.
    std::string big(path.size() * 2 + 16, '\0');
    std::string in = path;
    in.resize(big.size());
    helpu_change_extension(&in[0], &big[0], ext);
    const size_t len = std::strlen(big.c_str());
    if (fits != (len < kHelpPathSize))
        std::abort();
    if (fits && std::strcmp(sized, big.c_str()) != 0)
        std::abort();
    // In place gives the same text.
    helpu_change_extension(&in[0], nullptr, ext);
    if (std::strcmp(in.c_str(), big.c_str()) != 0)
        std::abort();
    char joined[kHelpPathSize];
    const size_t split = path.size() / 2;
    if (helpu_join(path.c_str(), split, path.c_str() + split, joined) && std::strlen(joined) >= kHelpPathSize)
        std::abort();
}

void check_csa(const uint8_t *data, size_t size)
{
    std::FILE *f = fmemopen(const_cast<uint8_t *>(data), size, "r");
    if (!f)
        return;
    int32_t count = 0;
    uint32_t error = 0;
    RUV_HELP_CSA_ENTRY *table = hassoc_read_csa_stream(f, &count, &error);
    std::fclose(f);
    if (!table) {
        if (error != kHelpCsaFewFields && error != kHelpCsaBadKind)
            std::abort();
        return;
    }
    RUV_HELP_INFO info{};
    info.self = &info;
    info.entries = table;
    info.entry_count = count;
    for (int32_t i = 0; i < count; ++i) {
        const RUV_HELP_CSA_ENTRY &e = table[i];
        if (e.kind < HELP_KIND_WINDOW || e.kind > HELP_KIND_MENU)
            std::abort();
        if (i > 0 && table[i - 1].id > e.id)
            std::abort();
        // An exact entry is found; with duplicates, one of the same key.
        const int32_t topic = hassoc_lookup_entry(&info, e.kind, e.id, e.parent);
        bool ok = false;
        for (int32_t j = 0; j < count; ++j)
            if (table[j].kind == e.kind && table[j].id == e.id && table[j].parent == e.parent &&
                table[j].topic == topic)
                ok = true;
        if (!ok)
            std::abort();
        hassoc_lookup_entry(&info, e.kind, e.id, 0);
        // Another parent: the next one, wrapping at the largest id.
        hassoc_lookup_entry(&info, e.kind, e.id, static_cast<int32_t>(static_cast<uint32_t>(e.parent) + 1u));
    }
    ruvv_mem_free(table);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    check_paths(data, size);
    if (size > 0)
        check_csa(data, size);
    return 0;
}
