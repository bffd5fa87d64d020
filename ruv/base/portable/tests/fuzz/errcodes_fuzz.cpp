// Fuzz target for the "ERRCODES.TXT" parser: the input is the file's
// contents; its lines are searched for a few ids (and for the id that the
// first line names) into buffers of several sizes.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "../../error_private.h"

namespace {

struct Source {
    const uint8_t *data;
    size_t size;
    size_t pos;
};

// Lines as the file reader gives them: cut at the buffer, the rest of an
// over-long line skipped, the line end removed.
RUV_BOOL next_line(void *p, char *line, int32_t size)
{
    Source *s = static_cast<Source *>(p);
    if (s->pos >= s->size)
        return FALSE;
    int32_t n = 0;
    while (s->pos < s->size && s->data[s->pos] != '\n') {
        if (n < size - 1)
            line[n++] = static_cast<char>(s->data[s->pos]);
        ++s->pos;
    }
    if (s->pos < s->size)
        ++s->pos;
    if (n > 0 && line[n - 1] == '\r')
        --n;
    line[n] = '\0';
    return TRUE;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    RUV_ERRMSG_ID ids[] = { 0x01530001, 0x01820006, 0, 1, 0xFFFFFFFFu, 0x0159000c, 0x0159000d };
    char first[64] = {};
    size_t n = size < sizeof first - 1 ? size : sizeof first - 1;
    std::memcpy(first, data, n);
    ids[2] = static_cast<RUV_ERRMSG_ID>(std::strtoul(first, nullptr, 0));
    for (RUV_ERRMSG_ID id : ids) {
        for (int32_t len : { 64, 1, 7 }) {
            Source s = { data, size, 0 };
            std::string buf(static_cast<size_t>(len), '\x7f');
            if (ruvv_errcodes_scan(next_line, &s, id, &buf[0], len)) {
                size_t used = std::strlen(buf.c_str());
                if (used >= static_cast<size_t>(len))
                    std::abort();
            }
        }
    }
    return 0;
}
