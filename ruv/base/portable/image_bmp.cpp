/* Windows and OS/2 bitmap files: the probe, the reader of uncompressed 1,
   4, 8 and 24-bit files, and the writer of 1, 8 and 24-bit files.  The
   header block and the image are allocated only when the file is long
   enough to hold them. */
#include <string.h>

#include "image_private.h"
#include "ruvv_image_probe.h"

using namespace ruv_image;

namespace {

constexpr int32_t FILE_HEADER = 14;
constexpr int32_t OS2_HEADER = 12;
constexpr int32_t WIN_HEADER_MIN = 36; /* up to the colours-used field */
/* The block between the file header and the pixels holds the info header
   and the palette; anything larger than this is not a bitmap we read. */
constexpr int32_t MAX_HEADER_BLOCK = 1 << 20;

uint32_t le16(const unsigned char *p) { return (uint32_t)p[0] | (uint32_t)p[1] << 8; }
uint32_t le32(const unsigned char *p)
{
    return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}
void put16(unsigned char *p, uint32_t v)
{
    p[0] = (unsigned char)v;
    p[1] = (unsigned char)(v >> 8);
}
void put32(unsigned char *p, uint32_t v)
{
    put16(p, v);
    put16(p + 2, v >> 16);
}

struct BmpHeader {
    int32_t width = 0;
    int32_t height = 0;
    bool top_down = false;
    int32_t bits = 0;
    int32_t colors = 0;                /* palette entries to take */
    uint32_t offset = 0;               /* of the pixels in the file */
    RUV_COLOR palette[256] = {};
};

/* Reads and checks the file header, the info header and the palette.  Every
   field is checked against the block it comes from: the offset of the
   pixels, the header size, the palette size and 1 <= width, height <=
   32767 (a negative height is a top-down bitmap). */
bool read_header(RUV_IOSTR *stream, BmpHeader &h)
{
    unsigned char file[FILE_HEADER];
    if (!read_exact(stream, file, FILE_HEADER) || file[0] != 'B' || file[1] != 'M')
        return false;
    uint32_t offset = le32(file + 10);
    if (offset < (uint32_t)(FILE_HEADER + OS2_HEADER) || offset > (uint32_t)(FILE_HEADER + MAX_HEADER_BLOCK) ||
        !source_holds(stream, offset))
        return false;
    h.offset = offset;
    int32_t block_len = (int32_t)offset - FILE_HEADER;
    MemPtr<unsigned char> block(static_cast<unsigned char *>(ruvv_mem_alloc((size_t)block_len)));
    if (!block || !read_exact(stream, block.get(), block_len))
        return false;
    const unsigned char *b = block.get();

    uint32_t header_size = le32(b);
    int32_t entry_size;
    int32_t compression = 0;
    uint32_t colors_used = 0;
    if (header_size == (uint32_t)OS2_HEADER) {
        h.width = (int16_t)le16(b + 4);
        h.height = (int16_t)le16(b + 6);
        h.bits = (int32_t)le16(b + 10);
        entry_size = 3;
    } else {
        /* The important-colours field follows unless the header ends at 36. */
        if (header_size < (uint32_t)WIN_HEADER_MIN || (header_size != 36 && header_size < 40) ||
            header_size > (uint32_t)block_len)
            return false;
        h.width = (int32_t)le32(b + 4);
        int32_t height = (int32_t)le32(b + 8);
        if (height < 0) {
            if (height < -RUV_IMAGE_MAX_SIDE)
                return false;
            h.top_down = true;
            height = -height;
        }
        h.height = height;
        h.bits = (int32_t)le16(b + 14);
        compression = (int32_t)le32(b + 16);
        colors_used = le32(b + 32);
        entry_size = 4;
    }
    if (h.width < 1 || h.width > RUV_IMAGE_MAX_SIDE || h.height < 1 || h.height > RUV_IMAGE_MAX_SIDE)
        return false;
    if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 24)
        return false;
    /* Run-length encoded 4 and 8-bit files are not read; 1 and 24-bit files
       are read as uncompressed whatever the field says. */
    if ((h.bits == 4 || h.bits == 8) && compression != 0)
        return false;
    if (h.bits <= 8) {
        uint32_t colors = header_size == (uint32_t)OS2_HEADER || colors_used == 0 ? 1u << h.bits : colors_used;
        if (colors > 256)
            colors = 256;
        if ((int64_t)header_size + (int64_t)colors * entry_size > block_len)
            return false;
        h.colors = (int32_t)colors;
        const unsigned char *p = b + header_size;
        for (int32_t i = 0; i < h.colors; i++, p += entry_size)
            h.palette[i] = (RUV_COLOR)p[2] << 16 | (RUV_COLOR)p[1] << 8 | p[0];
    }
    return true;
}

/* Bytes of pixel data in a file row, and the row as stored (padded to 4). */
int32_t data_bytes(int32_t bits, int32_t width)
{
    switch (bits) {
    case 1: return (width - 1) / 8 + 1;
    case 4: return (width - 1) / 2 + 1;
    case 8: return width;
    default: return width * 3;
    }
}
int32_t padded(int32_t bytes) { return (bytes + 3) & ~3; }

/* Red + green + blue: the measure by which a mono pixel is white. */
uint32_t lightness(RUV_COLOR c) { return ((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF); }

void convert_row(const BmpHeader &h, const unsigned char *in, uint8_t *out)
{
    switch (h.bits) {
    case 1: memcpy(out, in, (size_t)data_bytes(1, h.width)); break;
    case 8: memcpy(out, in, (size_t)h.width); break;
    case 4:
        for (int32_t x = 0; x < h.width; x++)
            out[x] = (x & 1) ? (in[x >> 1] & 0x0F) : (in[x >> 1] >> 4);
        break;
    default:
        for (int32_t x = 0; x < h.width; x++, in += 3) {
            uint32_t c = (uint32_t)in[2] << 16 | (uint32_t)in[1] << 8 | in[0];
            memcpy(out + (size_t)x * 4, &c, 4);
        }
    }
}

bool write_all(RUV_IOSTR *stream, const void *data, int32_t count)
{
    return ruvv_iostr_write(stream, count, data) == count;
}

} // namespace

extern "C" RUV_BOOL ruvv_image_probe_bmp(RUV_IOSTR *stream)
{
    BmpHeader h;
    return read_header(stream, h) ? TRUE : FALSE;
}

extern "C" RUV_IMAGE *ruvv_image_read_bmp(RUV_IOSTR *stream)
{
    BmpHeader h;
    if (!read_header(stream, h)) {
        RUV_ERR(stream, RUV_SEV_ERROR, ERR_BAD_VALUE);
        return nullptr;
    }
    int32_t row_len = padded(data_bytes(h.bits, h.width));
    /* Every row but the last, which may come short, is in the file. */
    if (!source_holds(stream, h.offset + (uint64_t)row_len * (uint64_t)(h.height - 1))) {
        RUV_ERR(stream, RUV_SEV_ERROR, ERR_READ);
        return nullptr;
    }
    int32_t format = h.bits == 1 ? RUV_IMAGE_MONO : h.bits == 24 ? RUV_IMAGE_DIRECT : RUV_IMAGE_INDEXED;
    ImagePtr image(create(format, h.width, h.height, false));
    if (!image)
        return nullptr;
    MemPtr<unsigned char> row(static_cast<unsigned char *>(ruvv_mem_alloc((size_t)row_len)));
    if (!row) {
        RUV_ERR(stream, RUV_SEV_ERROR, ERR_HEAP);
        return nullptr;
    }
    for (int32_t i = 0; i < h.height; i++) {
        int32_t y = h.top_down ? i : h.height - 1 - i;
        bool last = i == h.height - 1;
        memset(row.get(), 0, (size_t)row_len);
        /* The last row of the file may come short: what was read is kept. */
        int32_t got = 0;
        while (got < row_len) {
            int32_t n = ruvv_iostr_read(stream, row_len - got, row.get() + got);
            if (n <= 0)
                break;
            got += n;
        }
        if (got < row_len && !last) {
            RUV_ERR(stream, RUV_SEV_ERROR, ERR_READ);
            return nullptr;
        }
        convert_row(h, row.get(), ruvv_image_get_scanline(image.get(), y));
    }
    if (format == RUV_IMAGE_MONO && h.colors >= 2 && lightness(h.palette[0]) > lightness(h.palette[1])) {
        /* A mono image's set bit is white: a file whose palette puts the
           light colour first (white on black, say) is stored with its bits
           inverted and the two entries swapped, so that its pixels, the
           transfer through its table and a BMP written from it all keep the
           picture. */
        int32_t bytes = data_bytes(1, h.width);
        for (int32_t y = 0; y < h.height; y++) {
            uint8_t *p = ruvv_image_get_scanline(image.get(), y);
            for (int32_t i = 0; i < bytes; i++)
                p[i] = (uint8_t)~p[i];
        }
        RUV_COLOR first = h.palette[0];
        h.palette[0] = h.palette[1];
        h.palette[1] = first;
    }
    if (format != RUV_IMAGE_DIRECT) {
        int32_t entries = format == RUV_IMAGE_MONO ? 2 : 256;
        for (int32_t i = 0; i < h.colors && i < entries; i++)
            image->clut[i] = h.palette[i];
        ruvv_image_set_ncolors(image.get(), h.colors);
    }
    return image.release();
}

extern "C" RUV_BOOL ruvv_image_write_winbmp(RUV_IMAGE *image, RUV_IOSTR *stream)
{
    if (!ruvv_image_is_valid(image)) {
        RUV_ERR(image, RUV_SEV_FATAL, ERR_BAD_FORMAT);
        return FALSE;
    }
    int32_t bits, colors;
    switch (image->format) {
    case RUV_IMAGE_DIRECT: bits = 24; colors = 0; break;
    case RUV_IMAGE_MONO: bits = 1; colors = 2; break;
    default:
        bits = 8;
        colors = image->ncolors < 0 ? 0 : image->ncolors > 256 ? 256 : image->ncolors;
    }
    int32_t width = image->width, height = image->height;
    int32_t row_len = padded(data_bytes(bits, width));
    uint32_t data_size = (uint32_t)row_len * (uint32_t)height;

    unsigned char head[54] = {'B', 'M'};
    put32(head + 2, data_size + (uint32_t)colors * 4 + 54);
    put32(head + 10, (uint32_t)colors * 4 + 54);
    put32(head + 14, 40);
    put32(head + 18, (uint32_t)width);
    put32(head + 22, (uint32_t)height);
    put16(head + 26, 1);
    put16(head + 28, (uint32_t)bits);
    put32(head + 34, data_size);
    put32(head + 46, (uint32_t)colors);
    put32(head + 50, (uint32_t)colors);
    if (!write_all(stream, head, 54))
        return FALSE;

    unsigned char palette[256 * 4] = {};
    if (image->format == RUV_IMAGE_MONO) {
        palette[4] = palette[5] = palette[6] = 0xFF; /* black, then white */
    } else {
        for (int32_t i = 0; i < colors; i++) {
            RUV_COLOR c = image->clut[i];
            palette[i * 4] = (unsigned char)c;
            palette[i * 4 + 1] = (unsigned char)(c >> 8);
            palette[i * 4 + 2] = (unsigned char)(c >> 16);
        }
    }
    if (colors > 0 && !write_all(stream, palette, colors * 4))
        return FALSE;

    MemPtr<unsigned char> row(static_cast<unsigned char *>(ruvv_mem_zalloc((size_t)row_len)));
    if (!row) {
        RUV_ERR(image, RUV_SEV_ERROR, ERR_HEAP);
        return FALSE;
    }
    for (int32_t y = height - 1; y >= 0; y--) {
        const uint8_t *in = ruvv_image_get_scanline(image, y);
        unsigned char *out = row.get();
        if (image->format == RUV_IMAGE_DIRECT) {
            for (int32_t x = 0; x < width; x++, in += 4, out += 3) {
                out[0] = in[0]; /* 0x00RRGGBB is stored blue first */
                out[1] = in[1];
                out[2] = in[2];
            }
        } else {
            memcpy(out, in, (size_t)data_bytes(bits, width));
        }
        if (!write_all(stream, row.get(), row_len))
            return FALSE;
    }
    return TRUE;
}
