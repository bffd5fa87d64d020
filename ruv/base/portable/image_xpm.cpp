/* X pixmap files (the XPM 3 form): C text whose quoted strings give the
   values, one string per colour with its key and colour per visual context,
   one string per row of keys and optional extensions.  Read into an indexed
   image of at most 256 colours. */
#include <stdlib.h>
#include <string.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "image_private.h"
#include "ruvk.h"
#include "ruvv_color.h"
#include "ruvv_image_probe.h"

using namespace ruv_image;

namespace {

constexpr int32_t MAX_CHARS_PER_PIXEL = 10;
constexpr int32_t MAX_COLORS = 256;
/* Toolkit attribute 105: the screen's colour class, which chooses the
   colour context (0 mono, 1 four-level grey, 2 grey, 3-5 colour). */
constexpr int32_t ATTR_COLOR_CLASS = 105;
/* Longest quoted string taken: a row of the widest image at the most
   characters a pixel. */
constexpr size_t MAX_STRING = (size_t)RUV_IMAGE_MAX_SIDE * MAX_CHARS_PER_PIXEL;

bool is_space(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

class XpmLexer {
public:
    explicit XpmLexer(RUV_IOSTR *stream) : in_(stream) {}

    /* Skips to the end of the first line (outside comments) whose last
       character other than white space is "{". */
    bool find_data()
    {
        int last = 0;
        for (;;) {
            int c = in_.get();
            if (c < 0)
                return last == '{';
            if (c == '/' && in_.peek() == '*') {
                in_.get();
                if (!skip_comment())
                    return false;
            } else if (c == '\n') {
                if (last == '{')
                    return true;
                last = 0;
            } else if (!is_space(c)) {
                last = c;
            }
        }
    }

    /* The next quoted string, skipping white space, commas and comments;
       false at anything else (the closing brace) or the end. */
    bool string(std::string &s)
    {
        s.clear();
        for (;;) {
            int c = in_.get();
            if (c < 0)
                return false;
            if (is_space(c) || c == ',')
                continue;
            if (c == '/' && in_.peek() == '*') {
                in_.get();
                if (!skip_comment())
                    return false;
                continue;
            }
            if (c != '"')
                return false;
            while ((c = in_.get()) != '"') {
                if (c < 0 || s.size() >= MAX_STRING)
                    return false;
                s += (char)c;
            }
            return true;
        }
    }

private:
    bool skip_comment()
    {
        int prev = 0, c;
        while ((c = in_.get()) >= 0) {
            if (prev == '*' && c == '/')
                return true;
            prev = c;
        }
        return false;
    }

    ByteReader in_;
};

std::vector<std::string> split(const std::string &s)
{
    std::vector<std::string> words;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && is_space((unsigned char)s[i]))
            i++;
        size_t start = i;
        while (i < s.size() && !is_space((unsigned char)s[i]))
            i++;
        if (i > start)
            words.push_back(s.substr(start, i - start));
    }
    return words;
}

bool parse_int(const std::string &word, int32_t &value)
{
    if (word.empty() || word.size() > 9)
        return false;
    int32_t v = 0;
    for (char c : word) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    value = v;
    return true;
}

struct XpmValues {
    int32_t width = 0, height = 0, ncolors = 0, cpp = 0;
    bool extensions = false;
};

/* The values string: width, height, colours, characters per pixel, then
   optionally the hot spot and "XPMEXT". */
bool parse_values(const std::string &s, XpmValues &v)
{
    std::vector<std::string> w = split(s);
    if (w.size() < 4 || !parse_int(w[0], v.width) || !parse_int(w[1], v.height) ||
        !parse_int(w[2], v.ncolors) || !parse_int(w[3], v.cpp))
        return false;
    size_t i = 4;
    int32_t hot;
    if (w.size() >= 6 && parse_int(w[4], hot) && parse_int(w[5], hot))
        i = 6;
    for (; i < w.size(); i++)
        if (w[i] == "XPMEXT")
            v.extensions = true;
    return true;
}

int hex_value(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

/* A colour text: "#" and 3n hex digits, or a colour name. */
bool parse_color(const std::string &text, RUV_COLOR &color)
{
    if (text.empty() || text[0] == '%')
        return false;
    if (text[0] == '#') {
        size_t digits = text.size() - 1;
        size_t n = digits / 3;
        if (digits == 0 || digits % 3 != 0 || n > 8)
            return false;
        uint64_t max = ((uint64_t)1 << (4 * n)) - 1; /* n digits of F */
        RUV_COLOR rgb = 0;
        for (size_t k = 0; k < 3; k++) {
            uint64_t v = 0;
            for (size_t d = 0; d < n; d++) {
                int h = hex_value(text[1 + k * n + d]);
                if (h < 0)
                    return false;
                v = v << 4 | (uint64_t)h;
            }
            rgb = rgb << 8 | (RUV_COLOR)((v * 255 + max / 2) / max);
        }
        color = rgb;
        return true;
    }
    uint16_t r, g, b;
    if (!ruvv_color_lookup_name(text.c_str(), &r, &g, &b))
        return false;
    color = (RUV_COLOR)(r & 0xFF) << 16 | (RUV_COLOR)(g & 0xFF) << 8 | (RUV_COLOR)(b & 0xFF);
    return true;
}

/* Context keys in the order of preference from colour down to mono. */
const char *const CONTEXTS[] = {"c", "g4", "g", "m"};
constexpr int NCONTEXTS = 4;

int context_index(const std::string &word)
{
    for (int i = 0; i < NCONTEXTS; i++)
        if (word == CONTEXTS[i])
            return i;
    return word == "s" ? NCONTEXTS : -1;
}

/* The colour of one colour string (its key already taken off): the first
   context present from the chosen one on is parsed, and only that one. */
bool parse_color_string(const std::string &rest, int first_context, RUV_COLOR &color)
{
    std::string texts[NCONTEXTS + 1];
    bool present[NCONTEXTS + 1] = {};
    int current = -1;
    for (const std::string &w : split(rest)) {
        int k = context_index(w);
        if (k >= 0 && (current < 0 || !texts[current].empty())) {
            current = k;
            present[k] = true;
            texts[k].clear();
            continue;
        }
        if (current < 0)
            return false;
        if (!texts[current].empty())
            texts[current] += ' ';
        texts[current] += w;
    }
    for (int k = first_context; k < NCONTEXTS; k++)
        if (present[k])
            return parse_color(texts[k], color);
    return false;
}

/* Which context the screen's colour class asks for; -1 for a class that
   has none. */
int chosen_context()
{
    intptr_t cls = ruvk_vobj_get_attr(NULL_WIN, ATTR_COLOR_CLASS);
    switch (cls) {
    case 0: return 3;       /* m */
    case 1: return 1;       /* g4 */
    case 2: return 2;       /* g */
    case 3: case 4: case 5: return 0; /* c */
    default: return -1;
    }
}

/* Pixel keys to colour indexes; the first colour with a key wins. */
class KeyIndex {
public:
    explicit KeyIndex(int32_t cpp) : cpp_(cpp)
    {
        if (cpp_ <= 2)
            direct_.assign(cpp_ == 1 ? 256 : 65536, -1);
    }
    void add(const char *key, int32_t index)
    {
        if (cpp_ <= 2) {
            int16_t &slot = direct_[code(key)];
            if (slot < 0)
                slot = (int16_t)index;
        } else {
            keys_.emplace(std::string(key, (size_t)cpp_), index);
        }
    }
    int32_t find(const char *key) const
    {
        if (cpp_ <= 2)
            return direct_[code(key)];
        auto it = keys_.find(std::string(key, (size_t)cpp_));
        return it == keys_.end() ? -1 : it->second;
    }

private:
    size_t code(const char *key) const
    {
        size_t c = (unsigned char)key[0];
        if (cpp_ == 2)
            c = c << 8 | (unsigned char)key[1];
        return c;
    }
    int32_t cpp_;
    std::vector<int16_t> direct_;
    std::unordered_map<std::string, int32_t> keys_;
};

} // namespace

extern "C" RUV_BOOL ruvv_image_probe_xpm(RUV_IOSTR *stream)
{
    XpmLexer lex(stream);
    std::string s;
    XpmValues v;
    return lex.find_data() && lex.string(s) && parse_values(s, v) ? TRUE : FALSE;
}

extern "C" RUV_IMAGE *ruvv_image_read_xpm(RUV_IOSTR *stream)
{
    XpmLexer lex(stream);
    if (!lex.find_data()) {
        RUV_ERR(stream, RUV_SEV_ERROR, ERR_XPM_DECL);
        return nullptr;
    }
    std::string s;
    XpmValues v;
    /* Zero characters a pixel or more than 256 colours would run past the
       colour table: refused with the values. */
    if (!lex.string(s) || !parse_values(s, v) || v.width < 1 || v.width > RUV_IMAGE_MAX_SIDE ||
        v.height < 1 || v.height > RUV_IMAGE_MAX_SIDE || v.ncolors < 1 || v.ncolors > MAX_COLORS ||
        v.cpp < 1) {
        RUV_ERR(stream, RUV_SEV_ERROR, ERR_XPM_VALUES);
        return nullptr;
    }
    if (v.cpp > MAX_CHARS_PER_PIXEL) {
        RUV_ERR(stream, RUV_SEV_ERROR, ERR_XPM_CPP);
        return nullptr;
    }
    /* Each row is a quoted string of width * cpp characters. */
    if (!source_holds(stream, (uint64_t)v.height * ((uint64_t)v.width * (uint64_t)v.cpp + 2))) {
        RUV_ERR(stream, RUV_SEV_ERROR, ERR_XPM_PIXELS);
        return nullptr;
    }
    ImagePtr image(create(RUV_IMAGE_INDEXED, v.width, v.height, false));
    if (!image) {
        RUV_ERR(stream, RUV_SEV_ERROR, ERR_XPM_IMAGE);
        return nullptr;
    }
    ruvv_image_set_ncolors(image.get(), v.ncolors);

    int first_context = chosen_context();
    KeyIndex keys(v.cpp);
    for (int32_t i = 0; i < v.ncolors; i++) {
        RUV_COLOR color = 0;
        if (first_context < 0 || !lex.string(s) || (int32_t)s.size() < v.cpp ||
            !parse_color_string(s.substr((size_t)v.cpp), first_context, color)) {
            RUV_ERR(stream, RUV_SEV_ERROR, ERR_XPM_COLORS);
            return nullptr;
        }
        image->clut[i] = color;
        keys.add(s.c_str(), i);
    }

    size_t row_len = (size_t)v.width * (size_t)v.cpp;
    for (int32_t y = 0; y < v.height; y++) {
        if (!lex.string(s) || s.size() != row_len) {
            RUV_ERR(stream, RUV_SEV_ERROR, ERR_XPM_PIXELS);
            return nullptr;
        }
        uint8_t *row = ruvv_image_get_scanline(image.get(), y);
        const char *p = s.c_str();
        for (int32_t x = 0; x < v.width; x++, p += v.cpp) {
            int32_t index = keys.find(p);
            if (index < 0) {
                RUV_ERR(stream, RUV_SEV_ERROR, ERR_XPM_PIXELS);
                return nullptr;
            }
            row[x] = (uint8_t)index;
        }
    }

    if (v.extensions) {
        for (;;) {
            if (!lex.string(s)) {
                RUV_ERR(stream, RUV_SEV_ERROR, ERR_XPM_EXT);
                return nullptr;
            }
            if (s.compare(0, 9, "XPMENDEXT") == 0)
                break;
        }
    }
    return image.release();
}
