// Fuzz target: a KELPA file set opened read-only from fuzzed bytes and read
// through every inquiry (definitions, data groups, values, attributes).
// The first byte chooses the layout: even - the rest is one DefinitionData
// file; odd - two bytes give the length of a definition file, which is
// followed by a data file.
#include "kelpa.h"
#include "kelpa_core.h"
#include "../../../gridfiles/tests/fuzz/fuzz_files.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

void Write(const char *name, const uint8_t *data, size_t size)
{
    FILE *f = std::fopen(name, "wb");
    if (!f)
        return;
    if (size)
        std::fwrite(data, 1, size, f);
    std::fclose(f);
}

void ReadEverything(int32_t set)
{
    using namespace kelpa;
    ElementRecord e;
    for (int i = 0; i < 2000 && IterateElements(set, i > 0, &e) == 0; ++i) {
    }
    auto cell = std::make_unique<CellRecord>();
    for (int i = 0; i < 2000 && IterateCells(set, i > 0, cell.get()) == 0; ++i) {
    }
    GroupRecord g;
    for (int i = 0; i < 2000 && IterateGroups(set, i > 0, &g) == 0; ++i) {
    }
    std::vector<uint8_t> buffer(1 << 16);
    char dg[17], gd[17];
    for (int i = 0; i < 200; ++i) {
        int r = i == 0 ? Inqfst(&set, dg, gd, 16, 16) : Inqnxt(&set, dg, gd, 16, 16);
        if (r != 0)
            break;
        int32_t largest = 0;
        Inqmax(&set, dg, &largest, 16);
        GroupRecord group;
        if (LookupGroup(set, gd, &group) == 0 && LookupCell(set, group.cell, cell.get()) == 0) {
            for (int k = 0; k < cell->count; ++k) {
                int32_t index[15], order[5];
                for (int u = 0; u < 5; ++u) {
                    index[3 * u] = 1;
                    index[3 * u + 1] = (group.dims[u] > 0 && group.dims[u] < 4) ? group.dims[u] : 1;
                    index[3 * u + 2] = 1;
                    order[u] = u + 1;
                }
                int32_t len = int32_t(buffer.size());
                Getval(&set, dg, cell->names[k], index, order, &len, buffer.data(), 16, 16);
            }
            int32_t index[15] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
            int32_t order[5] = {1, 2, 3, 4, 5};
            int32_t len = int32_t(buffer.size());
            Getval(&set, dg, "*", index, order, &len, buffer.data(), 16, 1);
        }
        char name[17], value[17];
        int32_t iv;
        float rv;
        for (int k = 0; k < 6; ++k) {
            if ((k == 0 ? Inqfia(&set, dg, name, &iv, 16, 16) : Inqnia(&set, dg, name, &iv, 16, 16)) != 0)
                break;
        }
        for (int k = 0; k < 6; ++k) {
            if ((k == 0 ? Inqfra(&set, dg, name, &rv, 16, 16) : Inqnra(&set, dg, name, &rv, 16, 16)) != 0)
                break;
        }
        for (int k = 0; k < 6; ++k) {
            if ((k == 0 ? Inqfsa(&set, dg, name, value, 16, 16, 16)
                        : Inqnsa(&set, dg, name, value, 16, 16, 16)) != 0)
                break;
        }
    }
    char header[60];
    Gethdt(&set, header, 60);
    Gethdf(&set, header, 60);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const fuzzfiles::InDir in;   // the files on a RAM-backed folder
    if (size < 1)
        return 0;
    int32_t set = -1;
    if ((data[0] & 1) == 0) {
        Write("fuzz_input.dd", data + 1, size - 1);
        Crenef(&set, "fuzz_input.dd", "fuzz_input.dd", "L", "r", 13, 13, 1, 1);
    } else {
        if (size < 3)
            return 0;
        size_t def_len = size_t(data[1]) | size_t(data[2]) << 8;
        def_len = def_len * 2 > size - 3 ? size - 3 : def_len * 2;
        Write("fuzz_input.def", data + 3, def_len);
        Write("fuzz_input.dat", data + 3 + def_len, size - 3 - def_len);
        Crenef(&set, "fuzz_input.dat", "fuzz_input.def", data[0] & 2 ? "N" : "L", "r", 14, 14, 1, 1);
    }
    if (set >= 0) {
        ReadEverything(set);
        Endset(&set);
    }
    return 0;
}
