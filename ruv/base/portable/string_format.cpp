/* Formatted printing with positional arguments: a conversion may name the
   argument it takes ("%2$s is %1$d"), so that a translated message can use
   its arguments in another order than the call passes them.  A format whose
   first conversion has no position goes to the runtime's formatter as it
   is.

   In a positional format each argument is fetched from the list by the
   type its conversion names (int, long, double, long double, pointer), and
   only the conversions themselves go through the runtime's formatter: the
   literal text between them is copied (a "%%" becomes "%"), so a stray
   "%n" or "%*d" in a message text can never make the runtime read or
   write an argument that was not passed. */
#include <stdio.h>
#include <string.h>

#include <string>

#include <wchar.h>

#include "ruvv_errmsg.h"
#include "ruvv_str.h"
#include "str_internal.h"

namespace {

constexpr const char *kModule = "strfmt";
constexpr RUV_ERRMSG_ID kIllegalFormat = 0x159000a; /* "Illegal format specification" */
constexpr int kMaxDirectives = 9;

enum Kind {
    kNone = 0,    /* not a directive */
    kShort = 1,   /* d i o u x X c with h */
    kInt = 2,     /* d i o u x X c */
    kLong = 3,    /* d i o u x X c with l or L */
    kDouble = 4,  /* e E f g G (or with h) */
    kLongFp = 5,  /* e E f g G with l (double) or L (long double) */
    kString = 6,  /* s */
    kPointer = 7, /* p */
};

struct Directive {
    Kind kind = kNone;
    int position = -1;       /* 0-based, -1 when not given */
    const char *start;       /* the "%" */
    const char *spec;        /* flags, width and precision */
    size_t spec_length;
    char length;             /* h, l, L or 0 */
    char conversion;
    const char *end;         /* just after the conversion letter */
};

Directive classify(const char *q)
{
    Directive d;
    d.start = q;
    const char *p = q + 1;
    if (*p >= '1' && *p <= '9' && p[1] == '$') {
        d.position = *p - '1';
        p += 2;
    }
    d.spec = p;
    while (*p && strchr("-+ #.0123456789", *p))
        p++;
    d.spec_length = (size_t)(p - d.spec);
    d.length = 0;
    if (*p == 'h' || *p == 'l' || *p == 'L')
        d.length = *p++;
    if (!*p || !strchr("diuoxXfeEgGcsp", *p))
        return d;
    d.conversion = *p;
    d.end = p + 1;
    if (strchr("diouxXc", *p))
        d.kind = d.length == 'h' ? kShort : d.length ? kLong : kInt;
    else if (strchr("eEfgG", *p))
        d.kind = d.length == 'l' || d.length == 'L' ? kLongFp : kDouble;
    else
        d.kind = *p == 's' ? kString : kPointer;
    return d;
}

/* The next "%" at or after p (never inside a double-byte character). */
const char *next_percent(const char *p) { return ruvv_str_find_first_char(p, "%"); }

/* Where scanning goes on after a "%" that is no directive: two characters
   on, or the terminator. */
const char *skip_non_directive(const char *q)
{
    const char *p = q + 1;
    if (!*p)
        return p;
    int n = ruv::str::char_size(p);
    return p + (n > 0 ? n : 1);
}

struct Slot {
    Kind kind = kNone;
    char length = 0;
    char conversion = 0;
    long long i = 0;
    double d = 0;
    long double ld = 0;
    const void *p = nullptr;
};

/* Appends the runtime's text of one conversion spec with its value. */
template <typename T> bool append_value(std::string &out, const char *spec, T value)
{
    const int n = snprintf(nullptr, 0, spec, value);
    if (n < 0)
        return false;
    const size_t at = out.size();
    out.resize(at + (size_t)n + 1);
    snprintf(&out[at], (size_t)n + 1, spec, value);
    out.resize(at + (size_t)n);
    return true;
}

/* Appends one conversion with its value; false when the runtime formatter
   fails. */
bool format_one(std::string &out, const Directive &d, const Slot &v)
{
    ruv::str::MemBuf<char> spec;
    if (!spec.alloc(d.spec_length + 4, __LINE__))
        return false;
    size_t k = 0;
    spec[k++] = '%';
    memcpy(spec.get() + k, d.spec, d.spec_length);
    k += d.spec_length;
    auto finish = [&](char length) {
        if (length)
            spec[k++] = length;
        spec[k++] = d.conversion;
        spec[k] = 0;
    };
    switch (d.kind) {
    case kShort:
        finish('h');
        return append_value(out, spec.get(), (int)(int16_t)v.i);
    case kInt:
        finish(0);
        return append_value(out, spec.get(), (int)v.i);
    case kLong:
        finish('l');
        if (d.conversion == 'c')
            return append_value(out, spec.get(), (wint_t)v.i);
        if (d.conversion == 'd' || d.conversion == 'i')
            return append_value(out, spec.get(), (long)v.i);
        return append_value(out, spec.get(), (unsigned long)v.i);
    case kDouble:
        finish(0);
        return append_value(out, spec.get(), v.d);
    case kLongFp:
        if (d.length == 'L') {
            finish('L');
            return append_value(out, spec.get(), v.ld);
        }
        finish(0);
        return append_value(out, spec.get(), v.d);
    case kString:
        finish(0);
        return append_value(out, spec.get(), static_cast<const char *>(v.p));
    case kPointer:
        finish(0);
        return append_value(out, spec.get(), v.p);
    default:
        return false;
    }
}

/* Literal text: copied, with "%%" taken as one "%". */
void append_literal(std::string &out, const char *p, const char *end)
{
    while (p < end) {
        if (p[0] == '%' && p + 1 < end && p[1] == '%')
            p++;
        out += *p++;
    }
}

bool illegal_format()
{
    ruvv_errmsg_dispatch(nullptr, RUV_SEV_WARNING, kIllegalFormat, kModule, __LINE__);
    return false;
}

/* Whether the first directive of a format names its argument: only then
   does the toolkit format it itself. */
bool positional(const char *format)
{
    for (const char *q = next_percent(format); q; q = next_percent(skip_non_directive(q))) {
        const Directive d = classify(q);
        if (d.kind != kNone)
            return d.position >= 0;
    }
    return false;
}

/* The text of a positional format with its arguments; false (reported as
   an illegal format) when a directive has no position, a position is
   missing or used twice, or there are more than nine. */
bool format_positional(std::string &out, const char *format, va_list args)
{
    /* Collect the directives, each with its position. */
    Directive dirs[kMaxDirectives];
    Slot slots[kMaxDirectives];
    int count = 0;
    for (const char *q = next_percent(format); q;) {
        Directive x = classify(q);
        if (x.kind == kNone) {
            q = next_percent(skip_non_directive(q));
            continue;
        }
        if (x.position < 0 || count == kMaxDirectives)
            return illegal_format();
        dirs[count++] = x;
        slots[x.position].kind = x.kind;
        slots[x.position].length = x.length;
        slots[x.position].conversion = x.conversion;
        q = next_percent(x.end);
    }

    if (count == 0) /* never so when the first directive has a position */
        return illegal_format();

    /* Fetch the arguments in position order, each by its type. */
    va_list ap;
    va_copy(ap, args);
    for (int j = 0; j < count; j++) {
        Slot &s = slots[j];
        switch (s.kind) {
        case kShort:
        case kInt:
            s.i = va_arg(ap, int);
            break;
        case kLong:
            if (s.conversion == 'c')
                s.i = va_arg(ap, unsigned int); /* a promoted wint_t */
            else
                s.i = va_arg(ap, long);
            break;
        case kDouble:
            s.d = va_arg(ap, double);
            break;
        case kLongFp:
            if (s.length == 'L')
                s.ld = va_arg(ap, long double);
            else
                s.d = va_arg(ap, double);
            break;
        case kString:
        case kPointer:
            s.p = va_arg(ap, const void *);
            break;
        default: /* a gap or a repeated position */
            va_end(ap);
            return illegal_format();
        }
    }
    va_end(ap);

    /* Print: the leading text, then each directive and the text after it. */
    append_literal(out, format, dirs[0].start);
    for (int i = 0; i < count; i++) {
        if (!format_one(out, dirs[i], slots[dirs[i].position])) {
            out.clear();
            return illegal_format();
        }
        const char *tail_end = i + 1 < count ? dirs[i + 1].start : dirs[i].end + strlen(dirs[i].end);
        append_literal(out, dirs[i].end, tail_end);
    }
    return true;
}

} // namespace

extern "C" int32_t ruvv_str_vsprintf(char *buffer, const char *format, va_list args)
{
    if (!positional(format))
        return vsprintf(buffer, format, args);
    std::string text;
    if (!format_positional(text, format, args)) {
        buffer[0] = 0;
        return 0;
    }
    memcpy(buffer, text.c_str(), text.size() + 1);
    return (int32_t)text.size();
}

extern "C" int32_t ruvv_str_vsnprintf(char *buffer, size_t size, const char *format, va_list args)
{
    if (!buffer || size == 0)
        return 0;
    if (!positional(format)) {
        const int n = vsnprintf(buffer, size, format, args);
        if (n < 0) {
            buffer[0] = 0;
            return 0;
        }
        return (int32_t)((size_t)n < size ? (size_t)n : size - 1);
    }
    std::string text;
    if (!format_positional(text, format, args)) {
        buffer[0] = 0;
        return 0;
    }
    const size_t n = text.size() < size ? text.size() : size - 1;
    memcpy(buffer, text.data(), n);
    buffer[n] = 0;
    return (int32_t)n;
}

extern "C" int32_t ruvv_str_sprintf(char *buffer, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    int32_t n = ruvv_str_vsprintf(buffer, format, args);
    va_end(args);
    return n;
}
