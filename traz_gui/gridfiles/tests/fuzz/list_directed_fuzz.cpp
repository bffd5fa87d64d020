// Fuzzes list-directed input: lines of numbers and texts read as a mix of
// statements until the file ends.

#include "fuzz_files.h"
#include "record_io.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string path = fuzzfiles::Dir() + "l.txt";
    fuzzfiles::Write(path, data, size);
    const int unit = 50;
    if (recio::Open(unit, path, recio::Form::kFormatted, recio::Access::kSequential, recio::OpenStatus::kOld) !=
        recio::kOk)
        return 0;
    for (int statement = 0; statement < 64; ++statement) {
        int32_t i = 0;
        float r = 0;
        double d = 0;
        std::string t;
        recio::ListRead read(unit);
        read.Int(&i).Real(&r).Text(&t).Double(&d);
        if (read.result() == recio::kEndOfFile)
            break;
    }
    recio::Close(unit);
    return 0;
}
