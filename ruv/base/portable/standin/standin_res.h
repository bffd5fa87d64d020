/* Controls of the kernel stand-in's resources for tests: the raw-data and
   string resources the "program" holds.  Under Windows, ids not given here
   are looked up in the test executable's own resources. */
#ifndef STANDIN_RES_H
#define STANDIN_RES_H

#include <cstdint>
#include <string>

namespace standin {

/* Raw-data resource id holds these bytes. */
void set_rcdata(int32_t id, const std::string &bytes);
void remove_rcdata(int32_t id);
/* Forgets every raw-data and string resource given here. */
void clear_resources();
/* Stores a compiled stream as the index resource 10000 ("total first size"
   and a terminator) and its chunks first, first + 1, ... */
void set_stream(const std::string &stream, int32_t first_chunk, int32_t chunk_size);
/* Number of raw-data loads asked of the kernel so far. */
int rcdata_loads();

/* String resource id. */
void set_string(int32_t id, const std::string &text);

} // namespace standin

#endif
