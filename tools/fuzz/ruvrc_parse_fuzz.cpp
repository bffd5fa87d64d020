// Fuzz target of the description parser: any text either parses into a
// description that the writer can compile, or fails with a message.
#include "ruvrc.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string text(reinterpret_cast<const char *>(data), size);
    ruvrc::Description d;
    std::string error;
    // No directory: inline image files are never read.
    if (ruvrc::parse_text(text, "fuzz.ruv", "/nonexistent-dir", d, error) && ruvrc::finish(d, error)) {
        std::vector<uint8_t> out;
        ruvrc::write_stream(d, out, error);
        ruvrc::make_header(d, "G");
    } else if (error.empty()) {
        __builtin_trap();
    }
    return 0;
}
