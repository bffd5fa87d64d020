// Fuzz target of the *.hyd reader: any bytes through the scanner and parser
// into a description.  The reader's messages on standard output and error
// are closed off so that the fuzzer's own output stays readable.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "hyd_reader.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static char closeStreams[] = "-close_fd_mask=3";
    for (int i = 1; i < *argc; ++i)
        if (std::strncmp((*argv)[i], "-close_fd_mask", 14) == 0)
            return 0;
    char **args = static_cast<char **>(std::calloc(*argc + 2, sizeof(char *)));
    if (args == nullptr)
        return 0;
    std::memcpy(args, *argv, *argc * sizeof(char *));
    args[(*argc)++] = closeStreams;
    *argv = args;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static HydDescription description;
    SetHydStartValues(&description);
    ParseHydText(reinterpret_cast<const char *>(data), size, &description);
    // The slots must stay terminated and the counters in their bounds.
    for (const auto &slot : description.files)
        if (std::memchr(slot, '\0', sizeof slot) == nullptr)
            std::abort();
    for (const auto &time : description.times)
        if (std::memchr(time, '\0', sizeof time) == nullptr)
            std::abort();
    if (description.valueCounter > HYD_VALUE_SLOTS || description.boundaryCellCount >= HYD_BOUNDARY_CELLS ||
        description.descriptionLineCount > HYD_DESCRIPTION_LINES)
        std::abort();
    return 0;
}
