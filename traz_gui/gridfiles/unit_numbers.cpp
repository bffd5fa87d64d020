// The unit-number allocator shared by the record-file routines.

#include "record_calls.h"

#include "record_io.h"

#include <cstdio>
#include <cstdlib>

extern "C" int32_t ALLOCATE_UNIT_NUMBER(void)
{
    for (int unit = recio::kFirstFreeUnit; unit <= recio::kLastFreeUnit; ++unit)
        if (!recio::IsConnected(unit))
            return unit;
    std::printf(" *** FATAL ERROR - New unit number not available\n");
    std::printf(" Abnormal end\n");
    std::fflush(stdout);
    std::fprintf(stderr, "abnormal end\n");
    std::exit(2);
}
