/* I/O streams: the byte sources and sinks of the image readers and writers
   and of the code-set maps, over a runtime file or any caller data. */
#include <string.h>

#include "ruvv_errmsg.h"
#include "ruvv_iostr.h"
#include "ruvv_mem.h"
#include "str_internal.h"

namespace {

constexpr const char *kModule = "iostr";
constexpr RUV_ERRMSG_ID kNoHeap = 0x1510001;

FILE *file_of(RUV_IOSTR *s) { return static_cast<FILE *>(s->source); }

int32_t file_read(RUV_IOSTR *s, int32_t count, void *buffer)
{
    if (count <= 0)
        return 0;
    size_t n = s->fread_fn(buffer, 1, (size_t)count, file_of(s));
    return n == 0 ? -1 : (int32_t)n;
}

int32_t file_read_line(RUV_IOSTR *s, int32_t size, char *buffer)
{
    if (size <= 0 || !s->fgets_fn(buffer, size, file_of(s)))
        return -1;
    size_t len = strlen(buffer);
    if (len > 0 && buffer[len - 1] == '\n')
        buffer[--len] = 0;
    return (int32_t)len;
}

int32_t file_size(RUV_IOSTR *s)
{
    FILE *f = file_of(s);
    long here = s->ftell_fn(f);
    if (here < 0)
        return -1;
    if (s->fseek_fn(f, 0, SEEK_END) != 0) {
        s->fseek_fn(f, here, SEEK_SET);
        return -1;
    }
    long end = s->ftell_fn(f);
    s->fseek_fn(f, here, SEEK_SET);
    if (end < 0 || end > INT32_MAX)
        return -1;
    return (int32_t)end;
}

int32_t file_write(RUV_IOSTR *s, int32_t count, const void *buffer)
{
    if (count < 0)
        return -1;
    size_t n = count ? s->fwrite_fn(buffer, 1, (size_t)count, file_of(s)) : 0;
    return n == (size_t)count ? count : -1;
}

/* Whether byte c starts a double-byte character. */
bool is_lead(char c)
{
    const char probe[3] = {c, 'x', 0};
    return ruv::str::char_size(probe) == 2;
}

/* Line reading over a caller's read-bytes operation: one byte at a time up
   to a NUL or to a newline that is a character of its own (not the second
   byte of a double-byte character). */
int32_t source_read_line(RUV_IOSTR *s, int32_t size, char *buffer)
{
    if (size <= 0)
        return -1;
    int32_t n = 0;
    bool trail = false;
    while (n < size) {
        char c;
        int32_t got = s->read_bytes(s, 1, &c);
        if (got != 1) {
            if (n == 0)
                return -1; /* the end of the source (or a failure) */
            if (n < size)
                buffer[n] = 0;
            return n;
        }
        if (c == 0 || (c == '\n' && !trail)) {
            buffer[n] = 0;
            return n;
        }
        trail = !trail && is_lead(c);
        buffer[n++] = c;
    }
    return size; /* a full buffer, unterminated */
}

RUV_IOSTR *new_stream(void *source)
{
    auto *s = static_cast<RUV_IOSTR *>(ruvv_mem_zalloc(sizeof(RUV_IOSTR)));
    if (!s) {
        ruvv_errmsg_dispatch(nullptr, RUV_SEV_ERROR, kNoHeap, kModule, __LINE__);
        return nullptr;
    }
    s->source = source;
    return s;
}

} // namespace

extern "C" RUV_IOSTR *ruvv_iostr_create_fread(FILE *file, RUV_IOSTR_FREAD read, RUV_IOSTR_FGETS gets,
                                              RUV_IOSTR_FSEEK seek, RUV_IOSTR_FTELL tell)
{
    RUV_IOSTR *s = new_stream(file);
    if (!s)
        return nullptr;
    s->fread_fn = read;
    s->fgets_fn = gets;
    s->fseek_fn = seek;
    s->ftell_fn = tell;
    s->read_bytes = read ? file_read : nullptr;
    s->read_line = gets ? file_read_line : nullptr;
    s->size = seek && tell ? file_size : nullptr;
    return s;
}

extern "C" RUV_IOSTR *ruvv_iostr_create_fwrite(FILE *file, RUV_IOSTR_FWRITE write)
{
    RUV_IOSTR *s = new_stream(file);
    if (!s)
        return nullptr;
    s->fwrite_fn = write;
    s->write = write ? file_write : nullptr;
    return s;
}

extern "C" RUV_IOSTR *ruvv_iostr_create_read(void *source, RUV_IOSTR_READ read_bytes, RUV_IOSTR_SIZE size)
{
    RUV_IOSTR *s = new_stream(source);
    if (!s)
        return nullptr;
    s->read_bytes = read_bytes;
    s->read_line = read_bytes ? source_read_line : nullptr;
    s->size = size;
    return s;
}

extern "C" RUV_IOSTR *ruvv_iostr_create_write(void *source, RUV_IOSTR_WRITE write)
{
    RUV_IOSTR *s = new_stream(source);
    if (!s)
        return nullptr;
    s->write = write;
    return s;
}

extern "C" void ruvv_iostr_destroy(RUV_IOSTR *stream) { ruvv_mem_free(stream); }

extern "C" int32_t ruvv_iostr_read(RUV_IOSTR *stream, int32_t count, void *buffer)
{
    return stream && stream->read_bytes ? stream->read_bytes(stream, count, buffer) : -1;
}

extern "C" int32_t ruvv_iostr_read_line(RUV_IOSTR *stream, int32_t size, char *buffer)
{
    return stream && stream->read_line ? stream->read_line(stream, size, buffer) : -1;
}

extern "C" int32_t ruvv_iostr_size(RUV_IOSTR *stream)
{
    return stream && stream->size ? stream->size(stream) : -1;
}

extern "C" int32_t ruvv_iostr_write(RUV_IOSTR *stream, int32_t count, const void *buffer)
{
    return stream && stream->write ? stream->write(stream, count, buffer) : -1;
}
