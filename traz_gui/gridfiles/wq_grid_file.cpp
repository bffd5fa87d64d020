// The grid of a water-quality run written as a KELPA file pair (WQWGRD): the
// grid sizes, the active-grid table and the cell-corner coordinates, in the
// data group "GRID".

#include "wq_files.h"

#include "kelpa.h"
#include "wq_names.h"

#include <string>

namespace {

// The name with ext written over the field from the later ".inp"/".INP", or
// else from its first two blanks (or its end), cut at the first blank.  The
// caller's field is not changed.
std::string PairName(const std::string &field, const char *ext)
{
    size_t at = std::string::npos;
    size_t lower = field.rfind(".inp"), upper = field.rfind(".INP");
    if (lower != std::string::npos && upper != std::string::npos)
        at = lower > upper ? lower : upper;
    else if (lower != std::string::npos)
        at = lower;
    else if (upper != std::string::npos)
        at = upper;
    else
        at = field.find("  ");
    if (at == std::string::npos) {
        at = field.size();
        while (at > 0 && field[at - 1] == ' ')
            --at;
    }
    std::string name = field.substr(0, at) + ext;
    size_t blank = name.find(' ');
    return blank == std::string::npos ? name : name.substr(0, blank);
}

// True when the set has no grid table yet or one of n1 x n2 values.
bool SameGridSize(int32_t set, int32_t n1, int32_t n2)
{
    char type[8], quantity[16], unit[16], description[64];
    int32_t value_size = 0, ndims = 5, dims[5] = {0, 0, 0, 0, 0};
    if (Inqelm(&set, "LGRID", type, &value_size, quantity, unit, description, &ndims, dims, 5, 8, 16, 16,
               64) != 0)
        return true;
    return ndims == 2 && dims[0] == n1 && dims[1] == n2;
}

}  // namespace

extern "C" void WQWGRD(const int32_t *n1, const int32_t *n2, const int32_t *n3, const int32_t *noclay,
                       const int32_t *lgrid, const float *xcoord, const float *ycoord, int32_t *ierr,
                       char *filnam, int32_t filnam_len)
{
    *ierr = 0;
    wqnames::CleanName(filnam, filnam_len);
    const std::string field = filnam_len > 0 ? std::string(filnam, static_cast<size_t>(filnam_len)) : std::string();
    const std::string data_name = PairName(field, ".ada");
    const std::string def_name = PairName(field, ".adf");
    if (*n1 < 1 || *n2 < 1) {
        *ierr = 1;
        return;
    }

    // One set holds both files: the definitions must be known where the
    // values are written.  An existing pair of the same grid size is
    // updated; one of another size is made anew, since its elements would
    // take the new values in the old shape.
    int32_t set = 0;
    int err = kelpa_crenef(&set, data_name.c_str(), def_name.c_str(), 'N', 'u');
    if (err == 0 && !SameGridSize(set, *n1, *n2)) {
        Endset(&set);
        err = kelpa_crenef(&set, data_name.c_str(), def_name.c_str(), 'N', 'c');
    }
    if (err != 0) {
        *ierr = err;
        return;
    }

    // Definitions that an earlier run of this routine left in the pair are
    // there already; their errors matter only if the values cannot be
    // written.
    const int32_t dims2[2] = {*n1, *n2};
    struct Element {
        const char *name, *type, *unit, *description;
        int32_t ndims;
    };
    const Element elements[7] = {
        {"NCRD1", "INTEGER", "-", "Grid size in first direction", 0},
        {"NCRD2", "INTEGER", "-", "Grid size in second direction", 0},
        {"NCRD3", "INTEGER", "-", "Grid size in third direction", 0},
        {"NOCLAY", "INTEGER", "-", "Number of segments per layer", 0},
        {"LGRID", "INTEGER", "-", "LGRID-table", 2},
        {"XCOORD", "REAL", "m", "X-coordinates of cell corners", 2},
        {"YCOORD", "REAL", "m", "Y-coordinates of cell corners", 2},
    };
    const char *names[7];
    for (int i = 0; i < 7; ++i) {
        names[i] = elements[i].name;
        kelpa_newelm(set, elements[i].name, elements[i].type, 4, "-", elements[i].unit,
                     elements[i].description, elements[i].ndims, dims2);
    }
    kelpa_newcel(set, "GRID", 7, names);
    const int32_t one[1] = {1};
    kelpa_newgrp(set, "GRID", "GRID", 1, one, one);
    kelpa_newdat(set, "GRID", "GRID");

    const int32_t index[15] = {1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    const int32_t order[5] = {1, 2, 0, 0, 0};
    const void *values[7] = {n1, n2, n3, noclay, lgrid, xcoord, ycoord};
    for (int i = 0; i < 7 && err == 0; ++i)
        err = kelpa_putval(set, "GRID", elements[i].name, index, order, values[i]);
    int close_err = Detdat(&set);
    *ierr = err != 0 ? err : close_err;
}
