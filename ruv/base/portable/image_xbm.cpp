/* X bitmap files: C text with a width and a height definition and an array
   of hexadecimal bytes, 8 pixels a byte, least significant bit first, a set
   bit black.  Read into an indexed image of two colours. */
#include <string.h>
#include <string>

#include "image_private.h"
#include "ruvv_image_probe.h"

using namespace ruv_image;

namespace {

bool is_blank(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

int hex_digit(int c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

class XbmLexer {
public:
    explicit XbmLexer(RUV_IOSTR *stream) : in_(stream) {}

    /* The next token separated by blanks, tabs and line ends; empty at the
       end.  Tokens longer than a line buffer are refused as empty. */
    std::string token()
    {
        int c;
        while ((c = in_.peek()) >= 0 && is_blank(c))
            in_.get();
        std::string t;
        while ((c = in_.peek()) >= 0 && !is_blank(c)) {
            t += (char)in_.get();
            if (t.size() > 1024)
                return std::string();
        }
        return t;
    }

    /* "#define name number" with 1 <= number <= 32767. */
    bool define(int32_t &value)
    {
        std::string t = token();
        if (t == "#") {
            if (token() != "define")
                return false;
        } else if (t != "#define") {
            return false;
        }
        if (token().empty())
            return false;
        std::string number = token();
        if (number.empty())
            return false;
        int32_t v = 0;
        for (char ch : number) {
            if (ch < '0' || ch > '9')
                return false;
            v = v * 10 + (ch - '0');
            if (v > RUV_IMAGE_MAX_SIDE)
                return false;
        }
        value = v;
        return v >= 1;
    }

    /* Skips everything up to and including the next "{". */
    bool skip_to_brace()
    {
        int c;
        while ((c = in_.get()) >= 0)
            if (c == '{')
                return true;
        return false;
    }

    enum Item { VALUE, END_BRACE, END_OF_FILE, BAD };

    /* The next array item: a value "0x.." (low 8 bits kept), the closing
       brace, or the end of the text. */
    Item item(unsigned &value)
    {
        int c;
        while ((c = in_.peek()) >= 0 && (is_blank(c) || c == ','))
            in_.get();
        if (c < 0)
            return END_OF_FILE;
        if (c == '}') {
            in_.get();
            return END_BRACE;
        }
        if (in_.get() != '0')
            return BAD;
        c = in_.get();
        if (c != 'x' && c != 'X')
            return BAD;
        unsigned v = 0;
        int digits = 0;
        while (hex_digit(in_.peek()) >= 0) {
            v = (v << 4 | (unsigned)hex_digit(in_.get())) & 0xFFFFu;
            digits++;
        }
        c = in_.peek();
        if (digits == 0 || !(c < 0 || is_blank(c) || c == ',' || c == '}'))
            return BAD;
        value = v & 0xFF;
        return VALUE;
    }

private:
    ByteReader in_;
};

} // namespace

extern "C" RUV_BOOL ruvv_image_probe_xbm(RUV_IOSTR *stream)
{
    XbmLexer lex(stream);
    int32_t width, height;
    return lex.define(width) && lex.define(height) && lex.skip_to_brace() ? TRUE : FALSE;
}

extern "C" RUV_IMAGE *ruvv_image_read_xbm(RUV_IOSTR *stream)
{
    XbmLexer lex(stream);
    int32_t width, height;
    /* Hot-spot definitions, if any, lie before the brace and are skipped. */
    if (!lex.define(width) || !lex.define(height) || !lex.skip_to_brace()) {
        RUV_ERR(stream, RUV_SEV_ERROR, ERR_BAD_VALUE);
        return nullptr;
    }
    /* Each value of the array takes at least "0x0" and a separator. */
    int32_t per_row = (width + 7) / 8;
    if (!source_holds(stream, (uint64_t)per_row * (uint64_t)height * 4 - 1)) {
        RUV_ERR(stream, RUV_SEV_ERROR, ERR_BAD_VALUE);
        return nullptr;
    }
    ImagePtr image(create(RUV_IMAGE_INDEXED, width, height, false));
    if (!image)
        return nullptr;
    image->clut[0] = STD_BLACK;
    image->clut[1] = STD_WHITE;
    ruvv_image_set_ncolors(image.get(), 2);
    for (int32_t y = 0; y < height; y++)
        memset(ruvv_image_get_scanline(image.get(), y), 1, (size_t)width);

    XbmLexer::Item item = XbmLexer::VALUE;
    for (int32_t y = 0; y < height && item == XbmLexer::VALUE; y++) {
        uint8_t *row = ruvv_image_get_scanline(image.get(), y);
        for (int32_t k = 0; k < per_row; k++) {
            unsigned value = 0;
            item = lex.item(value);
            if (item == XbmLexer::BAD) {
                RUV_ERR(stream, RUV_SEV_ERROR, ERR_BAD_VALUE);
                return nullptr;
            }
            if (item != XbmLexer::VALUE)
                break;
            for (int32_t bit = 0; bit < 8 && k * 8 + bit < width; bit++)
                row[k * 8 + bit] = (value >> bit & 1) ? 0 : 1;
        }
    }
    /* Look for the closing brace after the last value needed. */
    while (item == XbmLexer::VALUE) {
        unsigned value;
        item = lex.item(value);
        if (item == XbmLexer::BAD) { /* stray text after the values */
            if (!lex.skip_to_brace())
                item = XbmLexer::END_OF_FILE;
            else
                item = XbmLexer::END_BRACE;
        }
    }
    if (item == XbmLexer::END_OF_FILE)
        RUV_ERR(stream, RUV_SEV_WARNING, ERR_XBM_NO_END);
    return image.release();
}
