// What the two definition fuzz targets share: the input split into a
// definition file and its attached files in the fuzzer's private directory
// (the definition, then files a1, a2, ... after lines "%%"), the shipped
// message file beside them, and the check that no unit stays connected.
#ifndef TRAZ_DEFINITION_FUZZ_FILES_H
#define TRAZ_DEFINITION_FUZZ_FILES_H

#include "../../../gridfiles/tests/fuzz/fuzz_files.h"
#include "record_io.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace deffuzz {

// The input as files in the private directory, which is the current
// directory while the object lives: "md-file.fz" and the attached files
// a1 .. a8 (those of an earlier input removed), with the shipped message
// file.  Afterwards the fuzzer's own directory (where its corpus paths
// point) is current again.
class InputDirectory {
public:
    InputDirectory(const uint8_t *data, size_t size)
    {
        static const bool ready = [] {
            const std::filesystem::path shipped = TRAZ_SHIPPED_ERRFIL;
            std::error_code ec;
            std::filesystem::copy_file(shipped, fuzzfiles::Dir() + "errfil",
                                       std::filesystem::copy_options::overwrite_existing, ec);
            return !ec;
        }();
        if (!ready)
            std::abort();   // the shipped message file must be there
        const std::string text(reinterpret_cast<const char *>(data), size);
        const std::string mark = "\n%%\n";
        size_t from = 0;
        for (int part = 0; part < 9; ++part) {
            size_t end = text.find(mark, from);
            const bool last = end == std::string::npos || part == 8;
            if (last)
                end = text.size();
            const std::string name = part == 0 ? "md-file.fz" : "a" + std::to_string(part);
            fuzzfiles::Write(fuzzfiles::Dir() + name, reinterpret_cast<const uint8_t *>(text.data() + from),
                             end - from);
            if (last) {
                // The attached files of an earlier input past this one's
                // (the readers write none of these names: only the
                // diagnostic and TMP_ scratch files).
                static int attached = 8;
                for (int gone = part + 1; gone <= attached; ++gone)
                    std::remove((fuzzfiles::Dir() + "a" + std::to_string(gone)).c_str());
                attached = part;
                break;
            }
            from = end + mark.size();
        }
        in_.emplace();
    }

    // The directory the fuzzer started in.
    static const std::string &Home() { return fuzzfiles::InDir::Home(); }

private:
    std::optional<fuzzfiles::InDir> in_;
};

// Every unit of the allocator's range is closed.
inline void ExpectAllUnitsClosed()
{
    for (int unit = recio::kFirstFreeUnit; unit <= recio::kLastFreeUnit; ++unit)
        if (recio::IsConnected(unit))
            std::abort();
}

}  // namespace deffuzz

#endif
