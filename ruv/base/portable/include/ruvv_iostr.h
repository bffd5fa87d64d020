/* I/O streams: the byte sources and sinks through which the image readers
   and writers (and the code-set maps) reach a runtime file or any caller
   data.  Also the image-file probe that names the format of a file. */
#ifndef RUVV_IOSTR_H
#define RUVV_IOSTR_H

#include <stdio.h>
#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct RUV_IOSTR RUV_IOSTR;

/* Source functions of a stream over a runtime file: the runtime's own
   fread, fgets, fseek, ftell and fwrite fit these. */
typedef size_t (*RUV_IOSTR_FREAD)(void *buffer, size_t size, size_t count, FILE *file);
typedef char *(*RUV_IOSTR_FGETS)(char *buffer, int size, FILE *file);
typedef int (*RUV_IOSTR_FSEEK)(FILE *file, long offset, int whence);
typedef long (*RUV_IOSTR_FTELL)(FILE *file);
typedef size_t (*RUV_IOSTR_FWRITE)(const void *buffer, size_t size, size_t count, FILE *file);

/* The operations readers and writers call (NULL when one does not apply):
     read bytes: count read (a short count at the end), -1 on failure;
     read line:  length of the line in bytes without its newline (0 for an
                 empty line), -1 at the end of the source;
     size:       bytes in the source, -1 when unknown;
     write:      count written, -1 unless all were written. */
typedef int32_t (*RUV_IOSTR_READ)(RUV_IOSTR *stream, int32_t count, void *buffer);
typedef int32_t (*RUV_IOSTR_READ_LINE)(RUV_IOSTR *stream, int32_t size, char *buffer);
typedef int32_t (*RUV_IOSTR_SIZE)(RUV_IOSTR *stream);
typedef int32_t (*RUV_IOSTR_WRITE)(RUV_IOSTR *stream, int32_t count, const void *buffer);

struct RUV_IOSTR {
    RUV_IOSTR_FREAD fread_fn;      /* source functions (file streams) */
    RUV_IOSTR_FSEEK fseek_fn;
    RUV_IOSTR_FTELL ftell_fn;
    RUV_IOSTR_FGETS fgets_fn;
    RUV_IOSTR_FWRITE fwrite_fn;
    void *source;                  /* the FILE, or the caller's data */
    RUV_IOSTR_READ read_bytes;
    RUV_IOSTR_READ_LINE read_line;
    RUV_IOSTR_SIZE size;
    RUV_IOSTR_WRITE write;
};

/* Convenience calls of the four operations; -1 when the stream is NULL or
   lacks the operation. */
int32_t ruvv_iostr_read(RUV_IOSTR *stream, int32_t count, void *buffer);
int32_t ruvv_iostr_read_line(RUV_IOSTR *stream, int32_t size, char *buffer);
int32_t ruvv_iostr_size(RUV_IOSTR *stream);
int32_t ruvv_iostr_write(RUV_IOSTR *stream, int32_t count, const void *buffer);

/* Stream over a runtime file opened for reading.  Read line keeps at most
   size - 1 bytes and removes a final newline. */
RUV_IOSTR *ruvv_iostr_create_fread(FILE *file, RUV_IOSTR_FREAD read, RUV_IOSTR_FGETS gets,
                                   RUV_IOSTR_FSEEK seek, RUV_IOSTR_FTELL tell);
/* Stream over a runtime file opened for writing. */
RUV_IOSTR *ruvv_iostr_create_fwrite(FILE *file, RUV_IOSTR_FWRITE write);
/* Stream over any source: read bytes and size are the caller's (they find
   their data in stream->source); read line is built on read bytes and stops
   at a NUL or newline byte, which it replaces by the terminator.  A line
   that fills the buffer returns size unterminated. */
RUV_IOSTR *ruvv_iostr_create_read(void *source, RUV_IOSTR_READ read_bytes, RUV_IOSTR_SIZE size);
/* Stream whose write is the caller's. */
RUV_IOSTR *ruvv_iostr_create_write(void *source, RUV_IOSTR_WRITE write);
/* Frees the stream; the source stays open.  NULL is accepted. */
void ruvv_iostr_destroy(RUV_IOSTR *stream);

#ifdef __cplusplus
}
#endif

#endif
