// Section readers not yet written: each reports failure through its error
// flag and touches nothing else.

#include "boundary_sections.h"

namespace {
void Fail(int32_t *error)
{
    *error = -1;
}
}  // namespace

extern "C" {

void READ_HARMONIC_BOUNDARY_CONDITIONS(const int32_t *, const int32_t *, int32_t *error, int32_t *, char *, int32_t,
                                       const int32_t *, char *, int32_t, char *, int32_t, char *, int32_t, char *,
                                       int32_t, const int32_t *, const int32_t *, const int32_t *, const int32_t *,
                                       float *, float *, const char *, int32_t)
{
    Fail(error);
}
void READ_HARMONIC_BC_FILE(const int32_t *, int32_t *error, const char *, int32_t, const char *, int32_t,
                           const int32_t *, const int32_t *, const int32_t *, const int32_t *, float *, float *)
{
    Fail(error);
}
void READ_TIMESERIES_BOUNDARY_CONDITIONS(const int32_t *, const int32_t *, int32_t *error, int32_t *, char *, int32_t,
                                         const int32_t *, int32_t *, int32_t *, const char *, int32_t, char *,
                                         int32_t, char *, int32_t, const int32_t *, float *, const float *,
                                         const int32_t *, const int32_t *, const int32_t *, const int32_t *,
                                         int32_t *, float *)
{
    Fail(error);
}
void READ_TRANSPORT_BOUNDARY_CONDITIONS(const int32_t *, const int32_t *, int32_t *error, int32_t *, char *, int32_t,
                                        const int32_t *, int32_t *, int32_t *, const char *, int32_t, char *,
                                        int32_t, char *, int32_t, const int32_t *, float *, const float *,
                                        const int32_t *, const int32_t *, const int32_t *, const int32_t *,
                                        int32_t *, const int32_t *, const int32_t *, const int32_t *,
                                        const int32_t *, const int32_t *, float *, float *, float *, float *, char *,
                                        int32_t)
{
    Fail(error);
}

}  // extern "C"
