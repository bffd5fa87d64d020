/* Shared by the compiled-resource reader (res_stream.cpp) and the resource
   API (res_api.cpp): positioned reads of the current stream and the
   table-driven field decoder. */
#ifndef RES_READER_H
#define RES_READER_H

#include "ruvv_res.h"

#include <cstddef>
#include <cstdint>

namespace ruv_res {

/* Field kinds of a decode table. */
enum FieldKind : int {
    F_INT32 = 0,
    F_INT16 = 1,
    F_BYTE = 2,
    F_STRING = 3, /* int16 length + bytes -> new terminated heap text */
    F_SKIP = 5,   /* skip `offset` bytes */
    F_SKIP16 = 6, /* int16 n, skip n bytes */
    F_EXTRAS = 7, /* skip an extra-data list */
    F_END = 8,
};

struct Field {
    int kind;
    size_t offset;
};

/* Reads the next fields of the current resource into `target`; false on a
   short read (strings decoded by this call are freed again). */
bool decode(const Field *table, void *target);

/* Big-endian reads at the reader's position, bounded by the resource. */
bool read_i16(int16_t *out);
bool read_i32(int32_t *out);
bool read_string(char **out);            /* new heap text, "" for length 0 */
bool read_bytes(void *out, int32_t len); /* exactly len bytes */
bool skip_bytes(int32_t len);
bool skip_extras();
/* Bytes left in the resource being read. */
int32_t remaining();
/* Reads an extra-data list and returns a new text of the entry with the
   tag (NULL when absent); false on a short read. */
bool find_extra(int16_t tag, char **found);

} // namespace ruv_res

#endif
