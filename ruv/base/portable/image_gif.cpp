/* GIF files, read through giflib: the last image of the file becomes an
   indexed image with its local (or the global) colour map.  Decoder
   failures are told in the toolkit's own words in the debug output.  An
   image whose sides promise more pixels than the file can code is refused
   before it is allocated. */
#include <string.h>

#include <gif_lib.h>

#include "image_private.h"
#include "ruvv_image_probe.h"

using namespace ruv_image;

namespace {

struct GifText {
    int code;
    const char *text;
};

/* The decoder's error codes in the toolkit's words (the encoder's 1-10 are
   listed too: a failure code is printed whichever side it comes from). */
const GifText GIF_TEXTS[] = {
    {1, "Failed to open given file"},
    {101, "Failed to open given file"},
    {2, "Failed to Write to given file"},
    {3, "Screen Descriptor already been set"},
    {4, "Image Descriptor is still active"},
    {5, "Neither Global Nor Local color map"},
    {106, "Neither Global Nor Local color map"},
    {6, "#Pixels bigger than Width * Height"},
    {108, "#Pixels bigger than Width * Height"},
    {7, "Fail to allocate required memory"},
    {109, "Fail to allocate required memory"},
    {8, "Write failed (disk full?)"},
    {9, "Failed to close given file"},
    {110, "Failed to close given file"},
    {10, "Given file was not opened for write"},
    {102, "Failed to Read from given file"},
    {103, "Given file is NOT GIF file"},
    {104, "No Screen Descriptor detected"},
    {105, "No Image Descriptor detected"},
    {107, "Wrong record type detected"},
    {111, "Given file was not opened for read"},
    {112, "Image is defective, decoding aborted"},
    {113, "Image EOF detected, before image complete"},
};

/* At best a 12-bit code stands for 4096 pixels: 3 bytes for 8192. */
uint64_t fewest_bytes(int width, int height)
{
    return (uint64_t)width * (uint64_t)height * 3 / 8192;
}

void report(RUV_IOSTR *stream, int code)
{
    const char *text = nullptr;
    for (const GifText &t : GIF_TEXTS)
        if (t.code == code)
            text = t.text;
    if (text)
        ruvv_debug_print("GIF Error: %s", text);
    else
        ruvv_debug_print("GIF Error: %d", code);
    RUV_ERR(stream, RUV_SEV_WARNING, ERR_GIF);
}

int read_input(GifFileType *gif, GifByteType *buffer, int count)
{
    int32_t n = ruvv_iostr_read(static_cast<RUV_IOSTR *>(gif->UserData), count, buffer);
    return n < 0 ? 0 : n;
}

struct GifClose {
    void operator()(GifFileType *gif) const
    {
        int error;
        DGifCloseFile(gif, &error);
    }
};

/* Reads the records up to the terminator; the error code on failure. */
int decode(GifFileType *gif, ImagePtr &image)
{
    GifRecordType type;
    do {
        if (DGifGetRecordType(gif, &type) == GIF_ERROR)
            return gif->Error;
        if (type == IMAGE_DESC_RECORD_TYPE) {
            if (DGifGetImageDesc(gif) == GIF_ERROR)
                return gif->Error;
            const GifImageDesc &d = gif->Image;
            if (d.Width < 1 || d.Height < 1 || d.Left < 0 || d.Top < 0 ||
                d.Left + d.Width > gif->SWidth || d.Top + d.Height > gif->SHeight ||
                d.Width > RUV_IMAGE_MAX_SIDE || d.Height > RUV_IMAGE_MAX_SIDE)
                return D_GIF_ERR_IMAGE_DEFECT;
            const ColorMapObject *map = d.ColorMap ? d.ColorMap : gif->SColorMap;
            if (!map || !map->Colors || map->ColorCount < 1 || map->ColorCount > 256)
                return D_GIF_ERR_NO_COLOR_MAP;
            if (!source_holds(static_cast<RUV_IOSTR *>(gif->UserData), fewest_bytes(d.Width, d.Height)))
                return D_GIF_ERR_EOF_TOO_SOON;
            image.reset(); /* the last image of the file is kept */
            image.reset(create(RUV_IMAGE_INDEXED, d.Width, d.Height, false));
            if (!image)
                return D_GIF_ERR_NOT_ENOUGH_MEM;
            for (int i = 0; i < map->ColorCount; i++) {
                const GifColorType &c = map->Colors[i];
                image->clut[i] = (RUV_COLOR)c.Red << 16 | (RUV_COLOR)c.Green << 8 | c.Blue;
            }
            ruvv_image_set_ncolors(image.get(), map->ColorCount);
            if (d.Interlace) {
                static const int start[4] = {0, 4, 2, 1};
                static const int step[4] = {8, 8, 4, 2};
                for (int pass = 0; pass < 4; pass++)
                    for (int y = start[pass]; y < d.Height; y += step[pass])
                        if (DGifGetLine(gif, ruvv_image_get_scanline(image.get(), y), d.Width) == GIF_ERROR)
                            return gif->Error;
            } else {
                for (int y = 0; y < d.Height; y++)
                    if (DGifGetLine(gif, ruvv_image_get_scanline(image.get(), y), d.Width) == GIF_ERROR)
                        return gif->Error;
            }
        } else if (type == EXTENSION_RECORD_TYPE) {
            int code;
            GifByteType *block;
            if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
                return gif->Error;
            while (block) {
                if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
                    return gif->Error;
            }
        }
    } while (type != TERMINATE_RECORD_TYPE);
    return image ? D_GIF_SUCCEEDED : D_GIF_ERR_NO_IMAG_DSCR;
}

} // namespace

extern "C" RUV_BOOL ruvv_image_probe_gif(RUV_IOSTR *stream)
{
    char sig[6];
    if (!read_exact(stream, sig, 6))
        return FALSE;
    return memcmp(sig, "GIF87a", 6) == 0 || memcmp(sig, "GIF89a", 6) == 0 ? TRUE : FALSE;
}

extern "C" RUV_IMAGE *ruvv_image_read_gif(RUV_IOSTR *stream)
{
    int error = 0;
    std::unique_ptr<GifFileType, GifClose> gif(DGifOpen(stream, read_input, &error));
    if (!gif) {
        report(stream, error);
        return nullptr;
    }
    ImagePtr image;
    error = decode(gif.get(), image);
    if (error != D_GIF_SUCCEEDED) {
        report(stream, error);
        return nullptr;
    }
    return image.release();
}
