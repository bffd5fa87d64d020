// Fuzzes the whole definition reader over a definition file and the files
// it may attach.  Input: the definition, then attached files, separated by
// lines "%%"; the files are named a1, a2, ... (a definition names them,
// e.g. "Filbnd = #a1#").  Each input is read leniently and then strictly
// (attached files read, scratch files written), in the fuzzer's private
// directory with the shipped message file; after each read no unit may
// stay connected.

#include "definition_fuzz_files.h"
#include "definition_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    deffuzz::InputDirectory::Home();   // taken before the first input
    deffuzz::InputDirectory input(data, size);
    for (int32_t mode : {0, -1}) {
        int32_t error = 0;
        READ_FLOW_DEFINITION_IN_MODE("fz", 2, &mode, &error, "", 0);
        deffuzz::ExpectAllUnitsClosed();   // every file is closed after a read
    }
    return 0;
}
