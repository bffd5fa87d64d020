// Fuzzes the whole definition reader over a definition file and one
// attached file that it may name ("att", e.g. as its boundary file).  Input
// as fuzzfiles::Split: a 2-byte length, the definition, the attached file.
// The read runs in the fuzzer's private directory, with a message file that
// knows every code the reader writes.

#include "../../../gridfiles/tests/fuzz/fuzz_files.h"
#include "flow_definition.h"
#include "record_io.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The reader works in the current directory: the private one during a
    // read, the fuzzer's own (where its corpus paths point) otherwise.
    static const std::string home = [] {
        char buffer[4096];
        return std::string(getcwd(buffer, sizeof buffer) ? buffer : ".");
    }();
    static const bool ready = [] {
        std::string text;
        for (const char *code : {"F001", "G004", "G006", "G007", "U036", "U100", "U101", "U112", "U113", "U120",
                                 "U121", "U122", "U124", "U125", "U126", "U127", "V001", "V047"})
            text += std::string(code) + " # (" + code + ")\n";
        fuzzfiles::Write(fuzzfiles::Dir() + "errfil", reinterpret_cast<const uint8_t *>(text.data()), text.size());
        return true;
    }();
    (void)ready;
    fuzzfiles::Split(data, size, fuzzfiles::Dir() + "md-file.fz", fuzzfiles::Dir() + "att");
    if (chdir(fuzzfiles::Dir().c_str()) != 0)
        std::abort();
    int32_t error = 0;
    READ_FLOW_DEFINITION("fz", 2, &error, "", 0);
    if (chdir(home.c_str()) != 0)
        std::abort();
    for (int unit = recio::kFirstFreeUnit; unit <= recio::kLastFreeUnit; ++unit)
        if (recio::IsConnected(unit))
            std::abort();   // every file is closed after a read
    return 0;
}
