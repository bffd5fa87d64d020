// The call wrappers through which the editor reaches the grid readers and the
// water-quality routines: each passes its arguments by reference and appends
// the name field's length.

#include "record_calls.h"

#include "grid_readers.h"
#include "wq_files.h"

#include <cstring>

extern "C" void ReadLgaFile(char *name, int32_t name_len, int32_t *file_type, int32_t *location,
                            int32_t *dims_or_table, int32_t *segments, int32_t *spare, int32_t *status)
{
    ZRF_KIMBOL_UNF_LGA(name, file_type, location, dims_or_table, segments, spare, status, name_len);
}

extern "C" void ReadCcoFile(char *name, int32_t name_len, int32_t *file_type, int32_t *selector,
                            int32_t *spare, int32_t *location, float *missing, int32_t *capacity,
                            float *values, int32_t *status)
{
    ZRF_KIMBOL_UNF_CCO(name, file_type, selector, spare, location, missing, capacity, values, status,
                       name_len);
}

extern "C" void ReadDpsFile(char *name, int32_t name_len, int32_t *file_type, int32_t *location,
                            int32_t *dims, float *depths, int32_t *segments, int32_t *spare,
                            int32_t *status)
{
    ZRF_KIMBOL_UNF_DPS(name, file_type, location, dims, depths, segments, spare, status, name_len);
}

namespace {

int32_t NameLength(const char *name) { return static_cast<int32_t>(std::strlen(name)); }

}  // namespace

extern "C" void WqWriteBinaryFile(const void *array, int32_t *n, int32_t *ierr, char *name)
{
    int32_t len = NameLength(name);
    WQWBIN(array, n, ierr, name, len);
    name[len] = '\0';
}

extern "C" void WqWriteGridFile(int32_t *n1, int32_t *n2, int32_t *n3, int32_t *noclay, int32_t *lgrid,
                                float *xcoord, float *ycoord, int32_t *ierr, char *name)
{
    WQWGRD(n1, n2, n3, noclay, lgrid, xcoord, ycoord, ierr, name, NameLength(name));
}

extern "C" void WqReadParameterFile(float *array, int32_t *n, int32_t *m, int32_t *ierr, char *name)
{
    int32_t len = NameLength(name);
    WQRPAR(array, n, m, ierr, name, len);
    name[len] = '\0';
}

extern "C" void WqCloseResultFile(int32_t *handle) { DQBCLS(handle); }

extern "C" void WqReadResultTitles(char *name, int32_t *handle, int32_t *ref_date, int32_t *ref_time,
                                   char *title, int32_t *ierr)
{
    DQBINF(name, handle, ref_date, ref_time, title, ierr, NameLength(name), 40);
}

extern "C" void WqReadResultValues(char *name, int32_t *handle, int32_t substance, int32_t segment,
                                   double time, int32_t selector, float *values, int32_t *room,
                                   int32_t *ierr)
{
    DQBMAT(name, handle, &substance, &segment, &time, &selector, values, room, ierr, NameLength(name));
}

extern "C" void WqReadResultSubstances(char *name, int32_t *handle, char *names, int32_t *index,
                                       int32_t *count, int32_t *ierr)
{
    DQBPAR(name, handle, names, index, count, ierr, NameLength(name), 20);
}

extern "C" void WqReadResultTimes(char *name, int32_t *handle, double *times, int32_t *count,
                                  int32_t unit_code, int32_t *ierr)
{
    DQBTIM(name, handle, times, count, &unit_code, ierr, NameLength(name));
}

extern "C" void WqWriteArrayFile(int32_t *mode, float *array, int32_t *n1, int32_t *n2, int32_t *n3,
                                 int32_t *ierr, char *name)
{
    int32_t len = NameLength(name);
    WQWRCA(mode, array, n1, n2, n3, ierr, name, len);
    name[len] = '\0';
}

extern "C" void WqReadFieldFile(char *name, float *rdep, int32_t *n, int32_t *m, int32_t *k, int32_t *ierr)
{
    REAMIC(name, rdep, n, m, k, ierr, NameLength(name));
}
