// The small sound data and definition pair that the damaged-file tests and
// the damaged-write fuzz target start from, made through the library: six
// elements, two cells, a fixed and a variable group, two data groups with
// values and attributes.  data/make_fixtures.py lays out the same pair byte
// by byte (pair.def, pair.dat); a test holds the two to each other.
#ifndef TRAZ_KELPA_SOUND_PAIR_H
#define TRAZ_KELPA_SOUND_PAIR_H

#include "kelpa_core.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace kelpa_pair {

// Blank-padded to 16 characters.
inline std::string Name(const char *text)
{
    std::string s(text);
    s.resize(16, ' ');
    return s;
}

// Values of FIXDG's cell c (= i1 + 4 x i2): DEPTH 1 + c, VEL (c, -c, c / 4),
// FLAG c % 2.
inline float FixedDepth(int c) { return 1.0f + float(c); }
inline int32_t FixedFlag(int c) { return c % 2; }

// VARDG, variable index v, cell i1: NAME "STATION<v>-<i1>", TEMP
// 10 + v + i1 / 2, SAL 30 + i1.
inline double VariableTemp(int v, int i1) { return 10.0 + v + 0.5 * i1; }

// Builds the pair in dat and def (both replaced); 0 or the first error.
inline int BuildSoundPair(const char *dat, const char *def)
{
    using namespace kelpa;
    std::remove(dat);
    std::remove(def);
    int set = -1;
    int err = OpenFileSet(&set, dat, def, 'L', 'c');
    auto element = [&](const char *name, const char *type, int32_t size, int32_t extent, const char *quantity,
                       const char *unit, const char *description) {
        char t[16];
        std::snprintf(t, sizeof t, "%s", type);
        const int32_t dims[5] = {extent, 1, 1, 1, 1};
        return DefineElement(set, Name(name).c_str(), t, quantity, unit, description, size, 1, dims);
    };
    auto cell = [&](const char *name, const char *a, const char *b, const char *c) {
        char names[3][kNameLen + 1];
        std::snprintf(names[0], sizeof names[0], "%s", Name(a).c_str());
        std::snprintf(names[1], sizeof names[1], "%s", Name(b).c_str());
        std::snprintf(names[2], sizeof names[2], "%s", Name(c).c_str());
        return DefineCell(set, Name(name).c_str(), 3, names);
    };
    auto group = [&](const char *name, const char *of, int32_t d1, int32_t d2) {
        const int32_t dims[5] = {d1, d2, 1, 1, 1}, order[5] = {1, 2, 3, 4, 5};
        return DefineGroup(set, Name(name).c_str(), Name(of).c_str(), 2, dims, order);
    };
    auto put = [&](const char *data_group, const char *el, int32_t from1, int32_t to1, int32_t from2, int32_t to2,
                   const void *values) {
        const int32_t index[15] = {from1, to1, 1, from2, to2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
        const int32_t order[5] = {1, 2, 3, 4, 5};
        return PutElementValues(set, Name(data_group).c_str(), Name(el).c_str(), index, order, values);
    };
    if (!err)
        err = element("DEPTH", "REAL", 4, 1, "depth", "m", "water depth");
    if (!err)
        err = element("VEL", "REAL", 4, 3, "velocity", "m/s", "flow velocity u, v, w");
    if (!err)
        err = element("FLAG", "INTEGER", 4, 1, "wet flag", "-", "1 wet, 0 dry");
    if (!err)
        err = element("NAME", "CHARACTER", 10, 1, "station", "-", "station name");
    if (!err)
        err = element("TEMP", "REAL", 8, 1, "temperature", "degC", "water temperature");
    if (!err)
        err = element("SAL", "REAL", 4, 1, "salinity", "ppt", "salinity");
    if (!err)
        err = cell("HYDRO", "DEPTH", "VEL", "FLAG");
    if (!err)
        err = group("FIXGRP", "HYDRO", 4, 3);
    if (!err)
        err = cell("QUAL", "NAME", "TEMP", "SAL");
    if (!err)
        err = group("VARGRP", "QUAL", 2, 0);
    if (!err)
        err = CreateDataGroup(set, Name("FIXDG").c_str(), Name("FIXGRP").c_str());
    if (!err)
        err = CreateDataGroup(set, Name("VARDG").c_str(), Name("VARGRP").c_str());
    float depth[12], vel[36];
    int32_t flag[12];
    for (int c = 0; c < 12; ++c) {
        depth[c] = FixedDepth(c);
        vel[3 * c] = float(c);
        vel[3 * c + 1] = -float(c);
        vel[3 * c + 2] = float(c) / 4;
        flag[c] = FixedFlag(c);
    }
    if (!err)
        err = put("FIXDG", "DEPTH", 1, 4, 1, 3, depth);
    if (!err)
        err = put("FIXDG", "VEL", 1, 4, 1, 3, vel);
    if (!err)
        err = put("FIXDG", "FLAG", 1, 4, 1, 3, flag);
    for (int v = 1; v <= 2 && !err; ++v) {
        char names[21];
        double temp[2] = {VariableTemp(v, 0), VariableTemp(v, 1)};
        float sal[2] = {30.0f, 31.0f};
        std::snprintf(names, sizeof names, "STATION%d-0STATION%d-1", v, v);
        err = put("VARDG", "NAME", 1, 2, v, v, names);
        if (!err)
            err = put("VARDG", "TEMP", 1, 2, v, v, temp);
        if (!err)
            err = put("VARDG", "SAL", 1, 2, v, v, sal);
    }
    int32_t nstep = 12, ntimes = 2;
    float dt = 0.5f;
    char title[17] = "fixed group     ";
    if (!err)
        err = PutAttribute(set, Name("FIXDG").c_str(), Name("NSTEP").c_str(), &nstep, "INTEGER");
    if (!err)
        err = PutAttribute(set, Name("FIXDG").c_str(), Name("DT").c_str(), &dt, "REAL");
    if (!err)
        err = PutAttribute(set, Name("FIXDG").c_str(), Name("TITLE").c_str(), title, "CHARACTER");
    if (!err)
        err = PutAttribute(set, Name("VARDG").c_str(), Name("NTIMES").c_str(), &ntimes, "INTEGER");
    int closed = CloseFileSet(&set);
    return err ? err : closed;
}

}  // namespace kelpa_pair

#endif
