/* Input-mask patterns: a pattern text is compiled into a tree once; the
   tree then formats what a user types (inserting fixed characters, forcing
   case, completing words) and tests whole texts.

   The matcher walks the tree with a state (input position, output length,
   characters written and consumed); every construct that may fail saves
   the state first and restores it on failure.  It never backtracks into a
   construct that has succeeded, and a repetition stops as soon as a round
   takes no input, so every pattern is matched in bounded time. */
#include <string.h>

#include "ruvk.h"
#include "ruvv_errmsg.h"
#include "ruvv_mem.h"
#include "ruvv_pattern.h"
#include "ruvv_str.h"
#include "str_internal.h"

namespace {

constexpr const char *kModule = "pattern";
constexpr RUV_ERRMSG_ID kNoMemory = 0x00510000;    /* "Failed to allocate memory" */
constexpr RUV_ERRMSG_ID kToolkitError = 0x00730000; /* "Toolkit error" */
constexpr int kMaxDepth = 64;                       /* nesting of constructs */

enum NodeKind {
    kSequence = 0,
    kLiteral = 1,
    kMask = 2,
    kOptional = 3,
    kRepeat = 4,
    kRepeatOnce = 5,
    kOneOf = 6,
    kWordList = 7,
    kWord = 8,
    kGroup = 9,
};

struct Node {
    int kind;
    char ch[4];   /* literal or mask character, terminated */
    char *word;   /* text of a word node */
    Node *child;  /* contents: elements, alternatives, words, the repeated element */
    Node *next;   /* next sibling */
};

} // namespace

struct RUV_PATTERN {
    Node *root; /* a sequence */
};

namespace {

using ruv::str::char_size;

void free_node(Node *n)
{
    while (n) {
        Node *next = n->next;
        free_node(n->child);
        ruvv_mem_free(n->word);
        ruvv_mem_free(n);
        n = next;
    }
}

/* ---- Parsing ------------------------------------------------------------- */

enum ParseError { kOk, kSyntax, kMemory, kTooDeep };

struct Parser {
    const char *p;
    ParseError error = kOk;

    Node *new_node(int kind)
    {
        auto *n = static_cast<Node *>(ruvv_mem_zalloc(sizeof(Node)));
        if (!n)
            error = kMemory;
        else
            n->kind = kind;
        return n;
    }

    /* Bytes of the character at p (an invalid byte counts as one). */
    static int size_at(const char *p)
    {
        int n = char_size(p);
        return n < 0 ? 1 : n;
    }

    /* A literal or mask node of the character at p; advances. */
    Node *char_node(int kind)
    {
        Node *n = new_node(kind);
        if (!n)
            return nullptr;
        int k = size_at(p);
        memcpy(n->ch, p, (size_t)k);
        n->ch[k] = 0;
        p += k;
        return n;
    }

    /* Word list "{w1,w2,...}", p after the "{". */
    Node *word_list()
    {
        Node *list = new_node(kWordList);
        if (!list)
            return nullptr;
        Node **tail = &list->child;
        for (;;) {
            const char *start = p;
            size_t bytes = 0;
            /* measure the word (escapes count their character only) */
            while (*p && *p != ',' && *p != '}') {
                if (*p == '\\' && p[1])
                    p++;
                int k = size_at(p);
                bytes += (size_t)k;
                p += k;
            }
            if (!*p) {
                error = kSyntax;
                break;
            }
            if (bytes > 0) {
                Node *w = new_node(kWord);
                char *text = w ? static_cast<char *>(ruvv_mem_alloc(bytes + 1)) : nullptr;
                if (!text) {
                    error = kMemory;
                    ruvv_mem_free(w);
                    break;
                }
                size_t j = 0;
                for (const char *q = start; q < p;) {
                    if (*q == '\\' && q + 1 < p)
                        q++;
                    int k = size_at(q);
                    memcpy(text + j, q, (size_t)k);
                    j += (size_t)k;
                    q += k;
                }
                text[j] = 0;
                w->word = text;
                *tail = w;
                tail = &w->next;
            }
            if (*p++ == '}')
                break;
        }
        if (error == kOk && !list->child)
            error = kSyntax; /* an empty word list */
        if (error != kOk) {
            free_node(list);
            return nullptr;
        }
        return list;
    }

    /* Whether a subtree holds a literal, mask or word. */
    static bool has_leaf(const Node *n)
    {
        for (; n; n = n->next) {
            if (n->kind == kLiteral || n->kind == kMask || n->kind == kWord || has_leaf(n->child))
                return true;
        }
        return false;
    }

    /* A construct whose elements run up to closer; p after the opener. */
    Node *construct(int kind, char closer, int depth)
    {
        Node *n = new_node(kind);
        if (!n)
            return nullptr;
        n->child = sequence(closer, kind == kOneOf, depth + 1);
        if (error == kOk && !has_leaf(n->child))
            error = kSyntax; /* encloses nothing */
        if (error != kOk) {
            free_node(n);
            return nullptr;
        }
        return n;
    }

    /* Elements up to closer (0: the end of the text), as a sibling chain. */
    Node *sequence(char closer, bool in_one_of, int depth)
    {
        if (depth > kMaxDepth) {
            error = kTooDeep;
            return nullptr;
        }
        Node *first = nullptr;
        Node **tail = &first;
        Node **last = nullptr; /* link to the latest element */
        while (error == kOk) {
            char c = *p;
            if (!c) {
                if (closer)
                    error = kSyntax; /* not closed */
                break;
            }
            if (c == ']' || c == ')' || c == '>') {
                if (c != closer)
                    error = kSyntax; /* a closer without its opener */
                else
                    p++;
                break;
            }
            Node *e = nullptr;
            if (!in_one_of && (c == '*' || c == '+')) {
                if (!last) {
                    error = kSyntax; /* a repeat with nothing before it */
                    break;
                }
                /* A repeat of a repeat nests one level deeper: bounded like
                   brackets, so that freeing and matching never recurse
                   without limit. */
                int chain = 0;
                for (const Node *r = *last; r && (r->kind == kRepeat || r->kind == kRepeatOnce); r = r->child)
                    chain++;
                if (depth + chain >= kMaxDepth) {
                    error = kTooDeep;
                    break;
                }
                p++;
                e = new_node(c == '*' ? kRepeat : kRepeatOnce);
                if (!e)
                    break;
                e->child = *last; /* the repeat takes the element's place */
                *last = e;
                tail = &e->next;
                continue;
            }
            if (c == '\\') {
                p++;
                if (!*p)
                    p--; /* a trailing "\" stands for itself */
                e = char_node(kLiteral);
            } else if (c == '?' || c == '#' || c == 'X' || c == 'A' || c == 'a') {
                e = char_node(kMask);
            } else if (c == '(') {
                p++;
                e = construct(kOneOf, ')', depth);
            } else if (!in_one_of && c == '[') {
                p++;
                e = construct(kOptional, ']', depth);
            } else if (!in_one_of && c == '<') {
                p++;
                e = construct(kGroup, '>', depth);
            } else if (!in_one_of && c == '{') {
                p++;
                e = word_list();
            } else {
                e = char_node(kLiteral);
            }
            if (!e)
                break;
            *tail = e;
            last = tail;
            tail = &e->next;
        }
        if (error != kOk) {
            free_node(first);
            return nullptr;
        }
        return first;
    }
};

/* ---- Matching ------------------------------------------------------------- */

enum Result {
    kMatched,  /* the construct matched */
    kFailed,   /* it did not (the caller restores or fails in turn) */
    kEndOk,    /* input or room ran out; nothing required is left here */
    kEndNeed,  /* input or room ran out with required elements left */
};

struct State {
    const char *in;
    size_t out_len;
    int32_t written;
    int32_t consumed;
};

struct Matcher {
    char *out;
    size_t cap; /* bytes of text the output may hold */
    bool complete;
    int32_t most = 0;

    /* The character at s upper-cased, for case-insensitive comparison. */
    static RUV_WCHAR upper_at(const char *s)
    {
        RUV_WCHAR wc;
        ruv::str::char_wide(s, &wc);
        return ruvv_str_convert_wchar_to_upper(wc);
    }

    static int size_at(const char *s) { return Parser::size_at(s); }

    bool room_for(const State &st, int bytes) const { return st.out_len + (size_t)bytes <= cap; }

    /* Writes k bytes at text; false when they do not fit. */
    bool write(State &st, const char *text, int k)
    {
        if (!room_for(st, k))
            return false;
        memcpy(out + st.out_len, text, (size_t)k);
        st.out_len += (size_t)k;
        st.written++;
        if (st.written > most)
            most = st.written;
        return true;
    }

    void consume(State &st)
    {
        st.in += size_at(st.in);
        st.consumed++;
    }

    /* Whether a node still needs input once the input has ended. */
    static bool required(const Node *n)
    {
        switch (n->kind) {
        case kOptional:
        case kRepeat:
            return false;
        case kSequence:
        case kGroup:
            for (const Node *c = n->child; c; c = c->next)
                if (required(c))
                    return true;
            return false;
        default:
            return true;
        }
    }

    Result sequence(const Node *first, State &st, bool lead)
    {
        for (const Node *c = first; c; c = c->next, lead = false) {
            Result r = match(c, st, lead);
            if (r == kFailed || r == kEndNeed)
                return r;
            if (r == kEndOk) {
                for (const Node *d = c->next; d; d = d->next)
                    if (required(d))
                        return kEndNeed;
                return kEndOk;
            }
        }
        return kMatched;
    }

    Result literal(const Node *n, State &st, bool lead)
    {
        if (!*st.in)
            return kEndNeed;
        int k = (int)strlen(n->ch);
        if (!room_for(st, k))
            return kEndNeed;
        bool same = upper_at(st.in) == upper_at(n->ch);
        if (!same && lead)
            return kFailed;
        if (same)
            consume(st);
        write(st, n->ch, k);
        return kMatched;
    }

    Result mask(const Node *n, State &st)
    {
        if (!*st.in)
            return kEndNeed;
        int k = size_at(st.in);
        if (!room_for(st, k))
            return kEndNeed;
        char c = n->ch[0];
        bool fits = c == '?' || (c == '#' && ruvv_str_is_digit(st.in)) ||
                    (c != '#' && ruvv_str_is_alpha(st.in));
        if (!fits) {
            consume(st); /* dropped */
            return kFailed;
        }
        char buf[8];
        memcpy(buf, st.in, (size_t)k);
        buf[k] = 0;
        if (k == 1 && c == 'A')
            ruvk_str_convert_to_upper(buf, buf, 1);
        else if (k == 1 && c == 'a')
            ruvk_str_convert_to_lower(buf, buf, 1);
        consume(st);
        write(st, buf, k);
        return kMatched;
    }

    Result optional(const Node *n, State &st)
    {
        State saved = st;
        Result r = sequence(n->child, st, true);
        if (r == kFailed) {
            st = saved;
            return kMatched;
        }
        return r == kMatched ? kMatched : kEndOk;
    }

    Result repeat(const Node *n, State &st, bool once)
    {
        int rounds = 0;
        for (;;) {
            if (!*st.in)
                return rounds > 0 || !once ? kEndOk : kEndNeed;
            State saved = st;
            Result r = match(n->child, st, true);
            if (r == kEndOk || r == kEndNeed) {
                /* the input ended inside a repetition */
                return rounds > 0 || !once || r == kEndOk ? kEndOk : kEndNeed;
            }
            if (r == kFailed || st.in == saved.in) {
                st = saved; /* a round that takes no input ends the repetition */
                break;
            }
            rounds++;
        }
        if (once && rounds == 0) {
            consume(st); /* dropped */
            return kFailed;
        }
        return kMatched;
    }

    Result one_of(const Node *n, State &st)
    {
        if (!*st.in)
            return kEndNeed;
        for (const Node *alt = n->child; alt; alt = alt->next) {
            State saved = st;
            Result r = match(alt, st, true);
            if (r != kFailed)
                return r;
            st = saved;
        }
        consume(st); /* dropped */
        return kFailed;
    }

    Result word_list(const Node *n, State &st)
    {
        if (!*st.in)
            return kEndNeed;
        /* the word sharing the longest prefix with the input (the first on
           a tie, and the first word when none shares a character) */
        const Node *best = n->child;
        int best_len = -1;
        for (const Node *w = n->child; w; w = w->next) {
            int len = 0;
            const char *a = w->word, *b = st.in;
            while (*a && *b && upper_at(a) == upper_at(b)) {
                a += size_at(a);
                b += size_at(b);
                len++;
            }
            if (len > best_len) {
                best = w;
                best_len = len;
            }
        }
        const char *w = best->word;
        if (complete) {
            for (; *w; w += size_at(w)) {
                if (!write(st, w, size_at(w)))
                    return kEndNeed;
                if (*st.in)
                    consume(st);
            }
            return kMatched;
        }
        for (int i = 0; i < best_len; i++, w += size_at(w)) {
            if (!write(st, w, size_at(w)))
                return kEndNeed;
            consume(st);
        }
        if (!*w)
            return kMatched;
        return *st.in ? kFailed : kEndNeed;
    }

    Result match(const Node *n, State &st, bool lead)
    {
        switch (n->kind) {
        case kLiteral: return literal(n, st, lead);
        case kMask: return mask(n, st);
        case kOptional: return optional(n, st);
        case kRepeat: return repeat(n, st, false);
        case kRepeatOnce: return repeat(n, st, true);
        case kOneOf: return one_of(n, st);
        case kWordList: return word_list(n, st);
        case kSequence:
        case kGroup: return sequence(n->child, st, lead);
        default: return kFailed;
        }
    }
};

/* Runs the matcher; the output is terminated (room >= 1). */
Result run(const RUV_PATTERN *pattern, const char *input, char *output, int32_t room, bool complete,
           State &st, int32_t &most)
{
    Matcher m{output, (size_t)room - 1, complete};
    st = State{input, 0, 0, 0};
    Result r = m.match(pattern->root, st, false);
    output[st.out_len] = 0;
    most = m.most;
    return r;
}

} // namespace

extern "C" RUV_PATTERN *ruvv_pattern_create(const char *text)
{
    if (!text) {
        ruvv_errmsg_dispatch(nullptr, RUV_SEV_ERROR, kToolkitError, kModule, __LINE__);
        return nullptr;
    }
    Parser parser{text};
    Node *elements = parser.sequence(0, false, 0);
    if (parser.error == kOk && !elements)
        parser.error = kSyntax; /* an empty pattern */
    if (parser.error != kOk) {
        if (parser.error == kMemory)
            ruvv_errmsg_dispatch(nullptr, RUV_SEV_ERROR, kNoMemory, kModule, __LINE__);
        else if (parser.error == kTooDeep)
            ruvv_errmsg_dispatch(nullptr, RUV_SEV_ERROR, kToolkitError, kModule, __LINE__);
        return nullptr;
    }
    auto *pattern = static_cast<RUV_PATTERN *>(ruvv_mem_zalloc(sizeof(RUV_PATTERN)));
    Node *root = pattern ? static_cast<Node *>(ruvv_mem_zalloc(sizeof(Node))) : nullptr;
    if (!root) {
        ruvv_mem_free(pattern);
        free_node(elements);
        ruvv_errmsg_dispatch(nullptr, RUV_SEV_ERROR, kNoMemory, kModule, __LINE__);
        return nullptr;
    }
    root->kind = kSequence;
    root->child = elements;
    pattern->root = root;
    return pattern;
}

extern "C" void ruvv_pattern_destroy(RUV_PATTERN *pattern)
{
    if (!pattern)
        return;
    free_node(pattern->root);
    ruvv_mem_free(pattern);
}

extern "C" const char *ruvv_pattern_format_string(const RUV_PATTERN *pattern, const char *input, char *output,
                                                  int32_t room, int complete, int32_t *written, int32_t *most)
{
    if (written)
        *written = 0;
    if (most)
        *most = 0;
    if (!pattern || !input || !output || room <= 0)
        return input;
    State st;
    int32_t greatest = 0;
    run(pattern, input, output, room, complete != 0, st, greatest);
    if (written)
        *written = st.written;
    if (most)
        *most = greatest;
    return st.in;
}

extern "C" RUV_BOOL ruvv_pattern_match(const RUV_PATTERN *pattern, const char *text, const char **end)
{
    if (end)
        *end = text;
    if (!pattern || !text)
        return FALSE;
    size_t len = strlen(text);
    ruv::str::MemBuf<char> copy;
    if (!copy.alloc(len + 1, __LINE__))
        return FALSE;
    State st;
    int32_t greatest = 0;
    Result r = run(pattern, text, copy.get(), (int32_t)(len + 1), false, st, greatest);
    if (end)
        *end = text + st.out_len;
    if (r == kFailed || r == kEndNeed)
        return FALSE;
    return strcmp(copy.get(), text) == 0;
}
