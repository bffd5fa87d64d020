// The wrappers by which C code calls the flow-model file routines: each
// file routine's wrapper takes a NUL-terminated name and passes its length
// after it; the definition texts' wrappers pass their arguments unchanged.

#include "flow_definition.h"
#include "flow_files.h"

#include <cstring>

namespace {

int32_t NameLength(const char *name)
{
    return name ? static_cast<int32_t>(std::strlen(name)) : 0;
}

}  // namespace

extern "C" void CallReadPolylineFile(const char *name, double *x, double *y, int32_t *ends,
                                     const int32_t *capacity, int32_t *point_count, int32_t *outcome)
{
    READ_POLYLINE_FILE(name, NameLength(name), x, y, ends, capacity, point_count, outcome);
}

extern "C" void CallReadDepthRows(const char *name, float *depth, const int32_t *mmax, const int32_t *nmax,
                                  int32_t *outcome)
{
    READ_DEPTH_ROWS(name, NameLength(name), depth, mmax, nmax, outcome);
}

extern "C" void CallReadDepthStream(const char *name, float *depth, const int32_t *mmax, const int32_t *nmax,
                                    int32_t *outcome)
{
    READ_DEPTH_STREAM(name, NameLength(name), depth, mmax, nmax, outcome);
}

extern "C" void CallReadGridFile(const char *name, float *value1, float *value2, float *value3, float *x, float *y,
                                 int32_t *mmax, int32_t *nmax, int32_t *outcome)
{
    READ_GRID_FILE(name, NameLength(name), value1, value2, value3, x, y, mmax, nmax, outcome);
}

extern "C" void CallWriteDepthFile(const char *name, const float *depth, const int32_t *mmax, const int32_t *nmax,
                                   int32_t *outcome)
{
    WRITE_DEPTH_FILE(name, NameLength(name), depth, mmax, nmax, outcome);
}

extern "C" void CallWriteGridFile(const char *name, const float *x, const float *y, const int32_t *mmax,
                                  const int32_t *nmax, int32_t *outcome)
{
    WRITE_GRID_FILE(name, NameLength(name), x, y, mmax, nmax, outcome);
}

#define PASS_TEXT(name, length, count) name, name##_len

extern "C" void CallGetDefinitionStrings(FLOW_DEFINITION_STRINGS(FLOW_DEF_STRING_OUT, FLOW_DEF_COMMA))
{
    GET_DEFINITION_STRINGS(FLOW_DEFINITION_STRINGS(PASS_TEXT, FLOW_DEF_COMMA));
}

extern "C" void CallSetDefinitionStrings(FLOW_DEFINITION_STRINGS(FLOW_DEF_STRING_IN, FLOW_DEF_COMMA))
{
    SET_DEFINITION_STRINGS(FLOW_DEFINITION_STRINGS(PASS_TEXT, FLOW_DEF_COMMA));
}
