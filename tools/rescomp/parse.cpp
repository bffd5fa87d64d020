// Parser of the resource description language.
//
// A description is a sequence of resources, one logical line each for a
// font, an image or a raw resource, a block up to "end" for a menu, a window
// or a dialog.  '#' starts a comment; a line ending in '\' continues on the
// next.  Names given as NAME = value become #defines of the id header, so
// each id is written once and the C++ code uses the name.
//
//   menu MAIN_MENU = 1000
//       popup "~File"
//           item FILE_NEW = 1002 "~New"
//           separator
//           item FILE_EXIT = 1008 "E~xit" flags disabled
//       end
//   end
//
//   window MAIN_WINDOW = 101 document "Particle tracking" at 0 0 size 790 530 menubar MAIN_MENU
//       button PB_HYDRO = 1 "~Hydrodynamics" at 10 40 size 150 24
//       edit   ED_NAME = 2 at 170 40 size 200 20 flags readonly data 1 "name"
//   end
//
//   font SMALL_FONT = 3 family "helvetica" size 8 style bold native "NT_01/..."
//   image LOGO = 7 inline "logo.png" data 1 "logo"
//   image HELP_PIC = 8 file "help.bmp"
//   raw ACCEL = 9001 type 2 text "..."
#include "ruvrc.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace ruvrc {
namespace {

struct Failure {
    std::string message;
};

enum class Tok { Word, Number, String, Equals, Pipe, End };

struct Token {
    Tok kind = Tok::End;
    std::string text; // word or string contents
    long long number = 0;
};

constexpr size_t MAX_LOGICAL_LINE = 16384;

// ---- Flag names, by the meaning the toolkit gives the bits once read ----

struct FlagName {
    const char *name;
    uint32_t bits;
};

const FlagName WINDOW_FLAGS[] = {
    {"sizable", 0x1}, {"close_box", 0x2}, {"hscroll", 0x4}, {"vscroll", 0x8},
    {"hidden", 0x10}, {"disabled", 0x20}, {"iconisable", 0x80}, {"minimised", 0x100},
    {"no_menubar", 0x800}, {"maximised", 0x1000}, {"no_modal_loop", 0x8000}, {nullptr, 0}};
const FlagName CONTROL_FLAGS[] = {
    {"disabled", 0x1}, {"checked", 0x4}, {"default", 0x8}, {"hidden", 0x10},
    {"group_end", 0x20}, {"readonly", 0x200}, {"no_notify", 0x200}, {"extended_select", 0x400},
    {"left", 0x2000}, {"center", 0x4000}, {"right", 0x8000}, {"password", 0x10000}, {nullptr, 0}};
const FlagName DIALOG_FLAGS[] = {{"disabled", 0x1}, {"hidden", 0x2}, {nullptr, 0}};
const FlagName TX_FLAGS[] = {
    {"readonly", 0x1}, {"wrap", 0x2}, {"autovscroll", 0x4}, {"autohscroll", 0x8},
    {"border", 0x10}, {"onepar", 0x80}, {"nocopy", 0x100}, {"nocut", 0x200}, {nullptr, 0}};
const FlagName STYLE_FLAGS[] = {
    {"bold", 0x1}, {"italic", 0x2}, {"underline", 0x10}, {"strikeout", 0x200},
    {"any_style", 0x2000000}, {nullptr, 0}};
const FlagName MENU_FLAGS[] = {
    {"disabled", 0x1}, {"checkable", 0x2}, {"checked", 0x4}, {nullptr, 0}};

// Stream bit for each toolkit bit (inverse of the reader's translation).
struct BitMap {
    uint32_t def;
    uint32_t file;
};
const BitMap WINDOW_BITS[] = {
    {0x1, 0x1}, {0x2, 0x2}, {0x4, 0x4}, {0x8, 0x8}, {0x10, 0x10}, {0x20, 0x20}, {0x40, 0x40},
    {0x80, 0x80}, {0x100, 0x100}, {0x200, 0x200}, {0x800, 0x400}, {0x1000, 0x800},
    {0x2000, 0x1000}, {0x8000, 0x2000}, {0, 0}};
const BitMap CONTROL_BITS[] = {
    {0x1, 0x1}, {0x4, 0x2}, {0x8, 0x4}, {0x10, 0x8}, {0x20, 0x10}, {0x200, 0x20}, {0x400, 0x40},
    {0x2000, 0x80}, {0x4000, 0x100}, {0x8000, 0x200}, {0x800, 0x400}, {0x1000, 0x800},
    {0x80, 0x1000}, {0x100, 0x2000}, {0x10000, 0x8000}, {0, 0}};
const BitMap DIALOG_BITS[] = {{0x2, 0x1}, {0x1, 0x2}, {0, 0}};
const BitMap TX_BITS[] = {
    {0x1, 0x1}, {0x2, 0x2}, {0x4, 0x4}, {0x8, 0x8}, {0x10, 0x10}, {0x80, 0x80}, {0x100, 0x100},
    {0x200, 0x200}, {0x400, 0x400}, {0x800, 0x800}, {0x1000, 0x1000}, {0x2000, 0x2000},
    {0x4000, 0x4000}, {0x8000, 0x8000}, {0, 0}};
const BitMap STYLE_BITS[] = {
    {0x1, 0x1}, {0x2, 0x2}, {0x10, 0x10}, {0x20, 0x20}, {0x40, 0x40}, {0x80, 0x80},
    {0x100, 0x100}, {0x200, 0x200}, {0x8000, 0x8000}, {0x10000, 0x10000}, {0x20000, 0x20000},
    {0x40000, 0x40000}, {0x80000, 0x80000}, {0x2000000, 0x2000000}, {0, 0}};
// Menu flags are given by name only and stored as they are.
const BitMap MENU_BITS[] = {{0x1, 0x1}, {0x2, 0x2}, {0x4, 0x4}, {0, 0}};

struct FlagContext {
    const char *what;
    const FlagName *names;
    const BitMap *bits;
};
const FlagContext WINDOW_CTX = {"window", WINDOW_FLAGS, WINDOW_BITS};
const FlagContext CONTROL_CTX = {"control", CONTROL_FLAGS, CONTROL_BITS};
const FlagContext DIALOG_CTX = {"dialog", DIALOG_FLAGS, DIALOG_BITS};
const FlagContext TX_CTX = {"text-edit", TX_FLAGS, TX_BITS};
const FlagContext STYLE_CTX = {"font style", STYLE_FLAGS, STYLE_BITS};
const FlagContext MENU_CTX = {"menu item", MENU_FLAGS, MENU_BITS};

// ---- Item kinds: keyword -> stream file type ----

enum class KindClass { Window, Dialog, Control };
struct KindName {
    const char *name;
    int16_t file_type;
    KindClass cls;
};
const KindName KINDS[] = {
    {"document", 0, KindClass::Window},     {"plain", 1, KindClass::Window},
    {"framed", 2, KindClass::Window},       {"pane", 3, KindClass::Window},
    {"modal_window", 21, KindClass::Window}, {"modal_dialog", 4, KindClass::Dialog},
    {"modeless_dialog", 5, KindClass::Dialog}, {"button", 6, KindClass::Control},
    {"radio", 7, KindClass::Control},       {"checkbox", 8, KindClass::Control},
    {"hscroll", 9, KindClass::Control},     {"vscroll", 10, KindClass::Control},
    {"edit", 11, KindClass::Control},       {"static", 12, KindClass::Control},
    {"listbox", 13, KindClass::Control},    {"textedit", 14, KindClass::Control},
    {"icon", 15, KindClass::Control},       {"dropdown", 16, KindClass::Control},
    {"droplist", 17, KindClass::Control},   {"groupbox", 18, KindClass::Control},
    {nullptr, 0, KindClass::Control}};

const KindName *find_kind(const std::string &word)
{
    for (const KindName *k = KINDS; k->name; ++k)
        if (word == k->name)
            return k;
    return nullptr;
}

const char *const ATTRIBUTE_WORDS[] = {
    "at", "size", "flags", "font", "link", "menubar", "iconid", "units", "data", "txflags",
    "margin", "limit", "title", "mnemonic", "family", "style", "native", "file", "inline",
    "type", "text", nullptr};

bool is_attribute_word(const std::string &w)
{
    for (const char *const *a = ATTRIBUTE_WORDS; *a; ++a)
        if (w == *a)
            return true;
    return false;
}

enum Field { FIELD_ID = 0, FIELD_LINK = 1, FIELD_FONT = 2 };

class Parser {
public:
    Parser(const std::string &text, const std::string &file, const std::string &dir, Description &desc)
        : text_(text), file_(file), dir_(dir), desc_(desc)
    {
    }

    void run()
    {
        while (next_line()) {
            if (at_end())
                continue;
            std::string word = expect_word("a resource keyword (menu, window, dialog, font, image, raw)");
            if (word == "menu")
                parse_menu();
            else if (word == "window")
                parse_window(RES_WINDOW);
            else if (word == "dialog")
                parse_window(RES_DIALOG);
            else if (word == "font")
                parse_font();
            else if (word == "image")
                parse_image();
            else if (word == "raw")
                parse_raw();
            else if (word == "end")
                fail("'end' without an open menu, window or dialog");
            else
                fail("unknown resource keyword '" + word + "'");
        }
    }

private:
    // ---- Lines and tokens ----

    bool next_line()
    {
        tokens_.clear();
        pos_ = 0;
        std::string logical;
        bool any = false;
        for (;;) {
            if (offset_ >= text_.size())
                break;
            size_t eol = text_.find('\n', offset_);
            std::string raw = text_.substr(offset_, eol == std::string::npos ? std::string::npos : eol - offset_);
            offset_ = eol == std::string::npos ? text_.size() : eol + 1;
            ++line_;
            if (!any)
                first_line_ = line_;
            any = true;
            if (!raw.empty() && raw.back() == '\r')
                raw.pop_back();
            std::string code = strip_comment(raw);
            while (!code.empty() && (code.back() == ' ' || code.back() == '\t'))
                code.pop_back();
            bool cont = !code.empty() && code.back() == '\\';
            if (cont)
                code.pop_back();
            logical += code;
            logical += ' ';
            if (logical.size() > MAX_LOGICAL_LINE)
                fail("line longer than " + std::to_string(MAX_LOGICAL_LINE) + " characters");
            if (!cont)
                break;
        }
        if (!any)
            return false;
        tokenize(logical);
        return true;
    }

    std::string strip_comment(const std::string &s)
    {
        char quote = 0;
        for (size_t i = 0; i < s.size(); ++i) {
            char c = s[i];
            if (quote) {
                if (c == '\\' && i + 1 < s.size())
                    ++i;
                else if (c == quote)
                    quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '#') {
                return s.substr(0, i);
            }
        }
        return s;
    }

    static int hexval(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    // Reads a quoted text starting after the quote; returns the index after
    // the closing quote.
    size_t read_quoted(const std::string &s, size_t i, char quote, std::string &out)
    {
        for (;;) {
            if (i >= s.size())
                fail("text not closed");
            char c = s[i++];
            if (c == quote)
                return i;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (i >= s.size())
                fail("text not closed");
            char e = s[i++];
            switch (e) {
            case 'n': out += '\n'; break;
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            case '0': out += '\0'; break;
            case '\\': out += '\\'; break;
            case '"': out += '"'; break;
            case '\'': out += '\''; break;
            case 'x': {
                int h1 = i < s.size() ? hexval(s[i]) : -1;
                int h2 = i + 1 < s.size() ? hexval(s[i + 1]) : -1;
                if (h1 < 0 || h2 < 0)
                    fail("\\x needs two hexadecimal digits");
                out += static_cast<char>(h1 * 16 + h2);
                i += 2;
                break;
            }
            default:
                fail(std::string("unknown escape \\") + e);
            }
        }
    }

    void tokenize(const std::string &s)
    {
        size_t i = 0;
        while (i < s.size()) {
            char c = s[i];
            if (c == ' ' || c == '\t') {
                ++i;
                continue;
            }
            Token t;
            if (c == '=') {
                t.kind = Tok::Equals;
                ++i;
            } else if (c == '|') {
                t.kind = Tok::Pipe;
                ++i;
            } else if (c == '"') {
                t.kind = Tok::String;
                i = read_quoted(s, i + 1, '"', t.text);
            } else if (c == '\'') {
                std::string ch;
                i = read_quoted(s, i + 1, '\'', ch);
                if (ch.size() != 1)
                    fail("a character literal holds one character");
                t.kind = Tok::Number;
                t.number = static_cast<unsigned char>(ch[0]);
            } else if (c == '-' || (c >= '0' && c <= '9')) {
                size_t j = i + 1;
                while (j < s.size() && (isalnum(static_cast<unsigned char>(s[j])) || s[j] == '_'))
                    ++j;
                std::string num = s.substr(i, j - i);
                t.kind = Tok::Number;
                t.number = parse_number(num);
                i = j;
            } else if (isalpha(static_cast<unsigned char>(c)) || c == '_') {
                size_t j = i + 1;
                while (j < s.size() && (isalnum(static_cast<unsigned char>(s[j])) || s[j] == '_'))
                    ++j;
                t.kind = Tok::Word;
                t.text = s.substr(i, j - i);
                i = j;
            } else {
                fail(std::string("unexpected character '") + c + "'");
            }
            tokens_.push_back(t);
        }
    }

    long long parse_number(const std::string &num)
    {
        const char *p = num.c_str();
        bool neg = false;
        if (*p == '-') {
            neg = true;
            ++p;
        }
        int base = 10;
        if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
            base = 16;
            p += 2;
        }
        if (!*p)
            fail("bad number '" + num + "'");
        unsigned long long v = 0;
        for (; *p; ++p) {
            int d = hexval(*p);
            if (d < 0 || d >= base)
                fail("bad number '" + num + "'");
            v = v * base + d;
            if (v > 0xFFFFFFFFull)
                fail("number out of range '" + num + "'");
        }
        return neg ? -static_cast<long long>(v) : static_cast<long long>(v);
    }

    bool at_end() const { return pos_ >= tokens_.size(); }
    const Token &peek() const
    {
        static const Token end;
        return at_end() ? end : tokens_[pos_];
    }
    bool peek_word(const char *w) const { return peek().kind == Tok::Word && peek().text == w; }

    [[noreturn]] void fail(const std::string &msg) const
    {
        throw Failure{file_ + ":" + std::to_string(first_line_) + ": " + msg};
    }

    std::string expect_word(const char *what)
    {
        if (peek().kind != Tok::Word)
            fail(std::string("expected ") + what);
        return tokens_[pos_++].text;
    }
    std::string expect_string(const char *what)
    {
        if (peek().kind != Tok::String)
            fail(std::string("expected ") + what + " in double quotes");
        return tokens_[pos_++].text;
    }
    long long expect_number(const char *what)
    {
        if (peek().kind != Tok::Number)
            fail(std::string("expected ") + what);
        return tokens_[pos_++].number;
    }
    int16_t expect_int16(const char *what)
    {
        long long v = expect_number(what);
        return to_int16(v, what);
    }
    int16_t to_int16(long long v, const char *what) const
    {
        if (v < -32768 || v > 32767)
            fail(std::string(what) + " " + std::to_string(v) + " is outside -32768..32767");
        return static_cast<int16_t>(v);
    }
    void expect_line_end()
    {
        if (!at_end())
            fail("unexpected '" + describe(peek()) + "' at the end of the line");
    }
    static std::string describe(const Token &t)
    {
        switch (t.kind) {
        case Tok::Word: return t.text;
        case Tok::Number: return std::to_string(t.number);
        case Tok::String: return "\"" + t.text + "\"";
        case Tok::Equals: return "=";
        case Tok::Pipe: return "|";
        default: return "end of line";
        }
    }

    Location here() const { return Location{file_, first_line_}; }

    // ---- Symbols ----

    void define(const std::string &name, long value, const std::string &resource)
    {
        auto it = desc_.symbols.find(name);
        if (it != desc_.symbols.end()) {
            if (it->second.value != value)
                fail("'" + name + "' is already " + std::to_string(it->second.value) + " (" +
                     it->second.where.file + ":" + std::to_string(it->second.where.line) + ")");
            return;
        }
        Symbol s;
        s.value = value;
        s.where = here();
        s.resource = resource;
        desc_.symbols[name] = s;
        desc_.symbol_order.push_back(name);
    }

    // NAME = number, or a number.
    void parse_resource_def(Resource &r, const char *what)
    {
        if (peek().kind == Tok::Word && pos_ + 1 < tokens_.size() && tokens_[pos_ + 1].kind == Tok::Equals) {
            r.name = tokens_[pos_].text;
            pos_ += 2;
        }
        long long id = expect_number((std::string(what) + " id").c_str());
        if (id < 0 || id > 32767)
            fail(std::string(what) + " id " + std::to_string(id) + " is outside 0..32767");
        r.id = static_cast<int16_t>(id);
        if (!r.name.empty())
            define(r.name, r.id, r.name);
    }

    // An id value: a number or a name (possibly defined later).
    void parse_ref(size_t res, size_t item, int field, int16_t &target, const char *what)
    {
        if (peek().kind == Tok::Number) {
            target = expect_int16(what);
            return;
        }
        std::string name = expect_word(what);
        auto it = desc_.symbols.find(name);
        if (it != desc_.symbols.end()) {
            target = to_int16(it->second.value, what);
            return;
        }
        desc_.pending.push_back(PendingName{res, item, field, name, here()});
    }

    uint32_t parse_flags(const FlagContext &ctx)
    {
        uint32_t def = 0;
        for (;;) {
            if (peek().kind == Tok::Number) {
                long long v = expect_number("a flag");
                if (v < 0)
                    fail("negative flag value");
                def |= static_cast<uint32_t>(v);
            } else {
                std::string w = expect_word("a flag name");
                const FlagName *n = ctx.names;
                while (n->name && w != n->name)
                    ++n;
                if (!n->name)
                    fail("unknown " + std::string(ctx.what) + " flag '" + w + "'");
                def |= n->bits;
            }
            if (peek().kind != Tok::Pipe)
                break;
            ++pos_;
        }
        uint32_t file = 0;
        uint32_t left = def;
        for (const BitMap *b = ctx.bits; b->def; ++b) {
            if (def & b->def) {
                file |= b->file;
                left &= ~b->def;
            }
        }
        if (left) {
            char buf[64];
            snprintf(buf, sizeof buf, "0x%X", left);
            fail(std::string(ctx.what) + " flag bits " + buf + " cannot be stored");
        }
        return file;
    }

    ExtraData parse_data()
    {
        ExtraData e;
        e.tag = expect_int16("a data tag");
        e.bytes = expect_string("the data");
        if (e.bytes.size() > 32767)
            fail("data longer than 32767 bytes");
        return e;
    }

    void check_text(const std::string &s, const char *what)
    {
        if (s.size() > 32767)
            fail(std::string(what) + " longer than 32767 bytes");
    }

    // ---- Menus ----

    // Title in mnemonic notation: "~N" marks N, "~~" is one tilde.
    static void split_mnemonic(const std::string &in, std::string &title, int16_t &mnemonic)
    {
        title.clear();
        for (size_t i = 0; i < in.size(); ++i) {
            if (in[i] == '~' && i + 1 < in.size()) {
                if (in[i + 1] == '~') {
                    title += '~';
                } else {
                    if (mnemonic == 0)
                        mnemonic = static_cast<unsigned char>(in[i + 1]);
                    title += in[i + 1];
                }
                ++i;
            } else {
                title += in[i];
            }
        }
    }

    void parse_menu()
    {
        Resource r;
        r.type = RES_MENU;
        r.where = here();
        parse_resource_def(r, "menu");
        expect_line_end();
        size_t index = desc_.resources.size();
        desc_.resources.push_back(r);
        std::vector<MenuItem> items;
        parse_menu_body(items, 1);
        desc_.resources[index].menu = std::move(items);
    }

    void parse_menu_body(std::vector<MenuItem> &items, int depth)
    {
        if (depth > 32)
            fail("menus nested deeper than 32");
        int open_line = first_line_;
        for (;;) {
            if (!next_line()) {
                first_line_ = open_line;
                fail("menu not closed with 'end'");
            }
            if (at_end())
                continue;
            std::string w = expect_word("item, popup, separator or end");
            if (w == "end") {
                expect_line_end();
                return;
            }
            MenuItem m;
            if (w == "separator") {
                // Separators and untagged popups carry tag -1: a zero tag
                // ends a menu array once read.
                m.tag = -1;
                m.flags = 0x8;
                expect_line_end();
            } else if (w == "item" || w == "popup") {
                m.tag = -1;
                if (peek().kind == Tok::Word && pos_ + 1 < tokens_.size() && tokens_[pos_ + 1].kind == Tok::Equals) {
                    std::string name = tokens_[pos_].text;
                    pos_ += 2;
                    m.tag = expect_int16("a menu tag");
                    define(name, m.tag, current_resource_name());
                } else if (peek().kind == Tok::Number) {
                    m.tag = expect_int16("a menu tag");
                } else if (peek().kind == Tok::Word && !is_attribute_word(peek().text)) {
                    std::string name = expect_word("a menu tag");
                    auto it = desc_.symbols.find(name);
                    if (it == desc_.symbols.end())
                        fail("menu tag '" + name + "' is not defined");
                    m.tag = to_int16(it->second.value, "menu tag");
                }
                if (w == "item" && m.tag == -1)
                    fail("a menu item needs its tag");
                if (m.tag == 0)
                    fail("menu tag 0 ends a menu; use another tag");
                std::string raw_title;
                if (peek().kind == Tok::String)
                    raw_title = expect_string("a title");
                bool explicit_mnemonic = false;
                while (!at_end()) {
                    std::string a = expect_word("a menu item attribute");
                    if (a == "flags")
                        m.flags = static_cast<int16_t>(m.flags | parse_flags(MENU_CTX));
                    else if (a == "mnemonic") {
                        m.mnemonic = expect_int16("a mnemonic character");
                        explicit_mnemonic = true;
                    } else if (a == "data")
                        m.extras.push_back(parse_data());
                    else if (a == "title")
                        raw_title = expect_string("a title");
                    else
                        fail("unknown menu item attribute '" + a + "'");
                }
                int16_t mn = 0;
                split_mnemonic(raw_title, m.title, mn);
                if (!explicit_mnemonic)
                    m.mnemonic = mn;
                check_text(m.title, "title");
                if (w == "popup") {
                    m.flags = static_cast<int16_t>(m.flags | 0x10);
                    parse_menu_body(m.submenu, depth + 1);
                }
            } else {
                fail("unknown menu line '" + w + "'");
            }
            if (items.size() >= 32767)
                fail("too many menu items");
            items.push_back(std::move(m));
        }
    }

    std::string current_resource_name() const
    {
        return desc_.resources.empty() ? std::string() : desc_.resources.back().name;
    }

    // ---- Windows and dialogs ----

    void parse_window(int16_t type)
    {
        Resource r;
        r.type = type;
        r.where = here();
        parse_resource_def(r, type == RES_WINDOW ? "window" : "dialog");
        size_t index = desc_.resources.size();
        desc_.resources.push_back(r);

        std::string kw = expect_word(type == RES_WINDOW ? "the window kind (document, plain, framed, pane, modal_window)"
                                                        : "the dialog kind (modal_dialog, modeless_dialog)");
        const KindName *k = find_kind(kw);
        KindClass want = type == RES_WINDOW ? KindClass::Window : KindClass::Dialog;
        if (!k || k->cls != want)
            fail("'" + kw + "' is not a " + (type == RES_WINDOW ? "window" : "dialog") + " kind");
        bool unit_given = false;
        WinItem first = parse_item(index, 0, *k, 0, &unit_given);
        int16_t default_unit = unit_given ? first.unit : 0;
        desc_.resources[index].items.push_back(first);

        int open_line = first_line_;
        for (;;) {
            if (!next_line()) {
                first_line_ = open_line;
                fail(std::string(type == RES_WINDOW ? "window" : "dialog") + " not closed with 'end'");
            }
            if (at_end())
                continue;
            std::string w = expect_word("a control kind or end");
            if (w == "end") {
                expect_line_end();
                return;
            }
            const KindName *ck = find_kind(w);
            if (!ck)
                fail("unknown control kind '" + w + "'");
            if (ck->cls != KindClass::Control)
                fail("'" + w + "' can only open a window or dialog resource");
            size_t item = desc_.resources[index].items.size();
            if (item >= 32767)
                fail("too many controls");
            WinItem c = parse_item(index, item, *ck, default_unit, nullptr);
            desc_.resources[index].items.push_back(c);
        }
    }

    WinItem parse_item(size_t res, size_t item, const KindName &kind, int16_t default_unit, bool *unit_given)
    {
        WinItem it;
        it.file_type = kind.file_type;
        it.unit = default_unit;
        // Optional id: NAME = n, n, or an already named id.
        if (peek().kind == Tok::Word && pos_ + 1 < tokens_.size() && tokens_[pos_ + 1].kind == Tok::Equals) {
            std::string name = tokens_[pos_].text;
            pos_ += 2;
            it.id = expect_int16("a control id");
            define(name, it.id, desc_.resources[res].name);
        } else if (peek().kind == Tok::Number) {
            it.id = expect_int16("a control id");
        } else if (peek().kind == Tok::Word && !is_attribute_word(peek().text)) {
            parse_ref(res, item, FIELD_ID, it.id, "a control id");
        }
        if (peek().kind == Tok::String)
            it.title = expect_string("a title");

        const FlagContext &ctx = kind.cls == KindClass::Window ? WINDOW_CTX
                               : kind.cls == KindClass::Dialog ? DIALOG_CTX
                                                               : CONTROL_CTX;
        bool is_tx = kind.file_type == 14;
        while (!at_end()) {
            std::string a = expect_word("an attribute");
            if (a == "at") {
                it.left = expect_int16("left");
                it.top = expect_int16("top");
            } else if (a == "size") {
                it.width = expect_int16("width");
                it.height = expect_int16("height");
            } else if (a == "flags") {
                it.flags |= parse_flags(ctx);
            } else if (a == "font") {
                parse_ref(res, item, FIELD_FONT, it.font_id, "a font id");
            } else if (a == "link" || a == "menubar" || a == "iconid") {
                parse_ref(res, item, FIELD_LINK, it.link, "an id");
            } else if (a == "units") {
                if (peek().kind == Tok::Number) {
                    it.unit = expect_int16("a unit");
                } else {
                    std::string u = expect_word("pixels, chars or dialog");
                    if (u == "pixels")
                        it.unit = 0;
                    else if (u == "chars")
                        it.unit = 1;
                    else if (u == "dialog")
                        it.unit = 2;
                    else
                        fail("unknown unit '" + u + "' (pixels, chars, dialog)");
                }
                if (unit_given)
                    *unit_given = true;
            } else if (a == "data") {
                it.extras.push_back(parse_data());
            } else if (a == "title") {
                it.title = expect_string("a title");
            } else if (a == "txflags" || a == "margin" || a == "limit") {
                if (!is_tx)
                    fail("'" + a + "' belongs to a textedit");
                if (a == "txflags")
                    it.tx_flags |= parse_flags(TX_CTX);
                else if (a == "margin")
                    it.tx_margin = expect_int16("a margin");
                else
                    it.tx_limit = expect_int16("a limit");
            } else {
                fail("unknown attribute '" + a + "'");
            }
        }
        check_text(it.title, "title");
        return it;
    }

    // ---- Fonts, images, raw resources ----

    void parse_font()
    {
        Resource r;
        r.type = RES_FONT;
        r.where = here();
        parse_resource_def(r, "font");
        while (!at_end()) {
            std::string a = expect_word("a font attribute");
            if (a == "family")
                r.font.family = expect_string("a family name");
            else if (a == "size")
                r.font.size = expect_int16("a size");
            else if (a == "style")
                r.font.style |= parse_flags(STYLE_CTX);
            else if (a == "native")
                r.font.native_desc = expect_string("a native descriptor");
            else
                fail("unknown font attribute '" + a + "'");
        }
        check_text(r.font.family, "family");
        check_text(r.font.native_desc, "native descriptor");
        desc_.resources.push_back(r);
    }

    bool read_file(const std::string &name, std::string &out)
    {
        std::string path = name;
        if (!path.empty() && path[0] != '/' && !(path.size() > 1 && path[1] == ':') && !dir_.empty())
            path = dir_ + "/" + name;
        std::ifstream f(path, std::ios::binary);
        if (!f)
            return false;
        std::ostringstream ss;
        ss << f.rdbuf();
        out = ss.str();
        desc_.inputs.push_back(path);
        return true;
    }

    void parse_image()
    {
        Resource r;
        r.type = RES_IMAGE;
        r.where = here();
        parse_resource_def(r, "image");
        bool source = false;
        uint32_t extra_flags = 0;
        while (!at_end()) {
            std::string a = expect_word("an image attribute");
            if (a == "file" || a == "inline") {
                if (source)
                    fail("an image has one file or inline source");
                source = true;
                std::string name = expect_string("a file name");
                if (a == "file") {
                    r.image.flags |= 1;
                    r.image.file_name = name;
                    check_text(name, "file name");
                } else if (!read_file(name, r.image.data)) {
                    fail("cannot read image file '" + name + "'");
                }
            } else if (a == "flags") {
                long long v = expect_number("image flags");
                if (v < 0 || (v & 1))
                    fail("image flag bit 0 is set by 'file'");
                extra_flags |= static_cast<uint32_t>(v);
            } else if (a == "data") {
                r.image.extras.push_back(parse_data());
            } else {
                fail("unknown image attribute '" + a + "'");
            }
        }
        if (!source)
            fail("an image needs 'file' or 'inline'");
        r.image.flags |= extra_flags;
        desc_.resources.push_back(r);
    }

    void parse_raw()
    {
        Resource r;
        r.where = here();
        parse_resource_def(r, "raw resource");
        bool typed = false, body = false;
        while (!at_end()) {
            std::string a = expect_word("type, text or file");
            if (a == "type") {
                long long t = expect_number("a resource type");
                if (t < 0 || t > 32767 || t == RES_MENU || t == RES_DIALOG || t == RES_WINDOW ||
                    t == RES_FONT || t == RES_IMAGE)
                    fail("raw resources take a type other than 0, 1, 5, 6, 7");
                r.type = static_cast<int16_t>(t);
                typed = true;
            } else if (a == "text") {
                r.raw = expect_string("the bytes");
                body = true;
            } else if (a == "file") {
                std::string name = expect_string("a file name");
                if (!read_file(name, r.raw))
                    fail("cannot read file '" + name + "'");
                body = true;
            } else {
                fail("unknown raw resource attribute '" + a + "'");
            }
        }
        if (!typed || !body)
            fail("a raw resource needs a type and its text or file");
        desc_.resources.push_back(r);
    }

    const std::string &text_;
    std::string file_;
    std::string dir_;
    Description &desc_;
    size_t offset_ = 0;
    int line_ = 0;
    int first_line_ = 0;
    std::vector<Token> tokens_;
    size_t pos_ = 0;
};

} // namespace

bool parse_text(const std::string &text, const std::string &file_name, const std::string &dir,
                Description &out, std::string &error)
{
    try {
        Parser p(text, file_name, dir, out);
        p.run();
    } catch (const Failure &f) {
        error = f.message;
        return false;
    }
    return true;
}

bool parse_file(const std::string &path, Description &out, std::string &error)
{
    std::ifstream f(path, std::ios::binary);
    if (!f) {
        error = path + ": cannot open";
        return false;
    }
    std::ostringstream ss;
    ss << f.rdbuf();
    std::string dir;
    size_t slash = path.find_last_of("/\\");
    if (slash != std::string::npos)
        dir = path.substr(0, slash);
    out.inputs.push_back(path);
    return parse_text(ss.str(), path, dir, out, error);
}

bool finish(Description &desc, std::string &error)
{
    std::vector<PendingName> pending = std::move(desc.pending);
    desc.pending.clear();
    for (const PendingName &f : pending) {
        auto it = desc.symbols.find(f.name);
        std::string where = f.where.file + ":" + std::to_string(f.where.line) + ": ";
        if (it == desc.symbols.end()) {
            error = where + "'" + f.name + "' is not defined";
            return false;
        }
        long v = it->second.value;
        if (v < -32768 || v > 32767) {
            error = where + "'" + f.name + "' does not fit 16 bits";
            return false;
        }
        WinItem &item = desc.resources[f.resource].items[f.item];
        int16_t v16 = static_cast<int16_t>(v);
        if (f.field == FIELD_ID)
            item.id = v16;
        else if (f.field == FIELD_LINK)
            item.link = v16;
        else
            item.font_id = v16;
    }
    std::map<uint32_t, const Resource *> seen;
    for (const Resource &r : desc.resources) {
        uint32_t key = (static_cast<uint32_t>(static_cast<uint16_t>(r.type)) << 16) | static_cast<uint16_t>(r.id);
        auto ins = seen.emplace(key, &r);
        if (!ins.second) {
            const Resource *o = ins.first->second;
            error = r.where.file + ":" + std::to_string(r.where.line) + ": resource of type " +
                    std::to_string(r.type) + " and id " + std::to_string(r.id) + " already defined at " +
                    o->where.file + ":" + std::to_string(o->where.line);
            return false;
        }
    }
    if (desc.resources.size() > 32767) {
        error = "more than 32767 resources";
        return false;
    }
    return true;
}

} // namespace ruvrc
