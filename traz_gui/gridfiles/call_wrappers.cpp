// The call wrappers through which the editor reaches the grid readers: each
// passes its arguments by reference and appends the name field's length.

#include "record_calls.h"

#include "grid_readers.h"

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
