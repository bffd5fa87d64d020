// Error frames, handler stacks and the dispatch of error reports.  A report
// is offered to the handlers of the innermost frame, newest first, then to
// the enclosing frames; the root frame's handlers (application hook,
// standard report, last chance) answer what nobody else does.  The standard
// report counts errors, defers reports made during a repaint, and shows
// the text in the dialog manager's warning or error box, whose help topic
// F1 asks for.  Message texts are assembled by literal substitution:
// a text from "ERRCODES.TXT" is user data and never a format.

#include <cstdio>
#include <cstring>
#include <string>

#include "error_private.h"
#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_dm.h"
#include "ruvv_mem.h"
#include "ruvv_static.h"
#include "ruvv_str.h"

namespace {

constexpr int DEFERRED_MAX = 3;
constexpr int16_t BUDGET_LIMIT = 300;
constexpr int16_t BUDGET_STEP = 100;
constexpr int16_t ERROR_LIMIT = 9;
constexpr size_t TEXT = RUV_ERRMSG_TEXT_SIZE;
constexpr size_t NAME_COPY = 257;

// A deferred report keeps its own copies of the argument and file texts:
// the caller's buffers are gone by the time it is delivered.
struct Deferred {
    RUV_ERRMSG msg;
    char arg[TEXT];
    char file[NAME_COPY];
    bool has_arg;
    bool has_file;
};

struct ErrBlock {
    RUV_ERRFRM *innermost;
    RUV_ERRFRM root;
    Deferred deferred[DEFERRED_MAX];
    RUV_ERRMSG_ID last_id;
    int16_t error_count;
    int16_t deferred_len;
    int16_t budget;
    int16_t ready;
    char invalid_text[256];
    char unknown_text[256];
    char api_label[TEXT];
};

RUV_BOOL last_chance(RUV_ERRMSG *errmsg, void *data);
RUV_BOOL standard_report(RUV_ERRMSG *errmsg, void *data);
RUV_BOOL application_hook(RUV_ERRMSG *errmsg, void *data);

void err_init(void *p)
{
    ErrBlock *b = static_cast<ErrBlock *>(p);
    RUV_ERRFRM &r = b->root;
    r.handlers = r.inline_handlers;
    r.may_push = 1;
    r.inline_handlers[0] = { last_chance, nullptr };
    // Its text also goes to the debug file (when the user made one).
    r.inline_handlers[1] = { standard_report, reinterpret_cast<void *>(1) };
    r.inline_handlers[2] = { application_hook, nullptr };
    r.handler_count = 3;
    b->innermost = &r;
}

void err_term(void *p)
{
    ErrBlock *b = static_cast<ErrBlock *>(p);
    if (b->root.handlers != b->root.inline_handlers)
        ruvv_mem_free(b->root.handlers);
}

RUV_STATIC_BLOCK(err_desc, ErrBlock, err_init, err_term);

ErrBlock *err_block()
{
    return static_cast<ErrBlock *>(ruvk_static_get_ptr(&err_desc));
}

// Texts of the framework's own that the application may replace by string
// resources.
constexpr int32_t STR_LAST_CHANCE = 31404;
constexpr int32_t STR_INVALID = 31405;
constexpr int32_t STR_UNKNOWN = 31406;

// The "unknown" file name, kept in the block.
const char *unknown_file(ErrBlock *b)
{
    static const char def[] = "unknown";
    if (!b)
        return def;
    return ruvv_str_getstr(STR_UNKNOWN, b->unknown_text, static_cast<int32_t>(sizeof b->unknown_text), def);
}

bool never_reported(RUV_ERRMSG_ID id)
{
    return ((id >> 16) & 0xFF) == 0x40;
}

bool valid(const RUV_ERRMSG *m)
{
    return m && m->self == m;
}

bool has_arg(const RUV_ERRMSG *m)
{
    return reinterpret_cast<uintptr_t>(m->arg) >= 256;
}

void copy_text(char *dst, size_t size, const char *src)
{
    if (size == 0)
        return;
    size_t n = std::strlen(src);
    if (n > size - 1)
        n = size - 1;
    std::memcpy(dst, src, n);
    dst[n] = '\0';
}

// Text of an id: "ERRCODES.TXT", else the built-in table, else the
// generic form.
void id_text(RUV_ERRMSG_ID id, char *buf, size_t len)
{
    if (!buf || len == 0)
        return;
    char text[TEXT];
    if (ruvv_errcodes_lookup(id, text, static_cast<int32_t>(sizeof text))) {
        copy_text(buf, len, text);
        return;
    }
    if (const char *t = ruvv_errtable_find(id)) {
        copy_text(buf, len, t);
        return;
    }
    std::snprintf(buf, len,
                  (id & 0x01000000u) ? "MSG 0x%08lx [CAT %d/%d NUM %d ]" : "MSG 0x%08lx [CAT %d/%d STD %d ]",
                  static_cast<unsigned long>(id), static_cast<int>((id >> 20) & 0xF),
                  static_cast<int>((id >> 16) & 0xF), static_cast<int>(id & 0xFFFF));
}

std::string id_text(RUV_ERRMSG_ID id)
{
    char buf[TEXT];
    id_text(id, buf, sizeof buf);
    return buf;
}

// format with each "%s" replaced, in order, by the next value; every other
// character (other % sequences included) is copied as it stands.
std::string substitute(const std::string &format, const std::string *values, size_t count)
{
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's' && next < count) {
            out += values[next++];
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

// The message text of a record into its work buffer.
const char *make_msg_text(RUV_ERRMSG *m)
{
    char format[TEXT];
    id_text(m->id, format, sizeof format);
    if (has_arg(m)) {
        if (((m->id >> 16) & 0xFF) == 0x32) {
            copy_text(m->msg_text, sizeof m->msg_text, m->arg);
        } else {
            std::string arg = m->arg;
            if (arg.size() + std::strlen(format) > TEXT)
                arg.clear();
            copy_text(m->msg_text, sizeof m->msg_text, substitute(format, &arg, 1).c_str());
        }
    } else {
        copy_text(m->msg_text, sizeof m->msg_text, format);
    }
    return m->msg_text;
}

const char *make_sev_text(RUV_ERRMSG *m)
{
    RUV_ERRMSG_ID id = m->severity == 1 ? 0x01810001 : m->severity == 2 ? 0x01810002 : 0x01810003;
    id_text(id, m->sev_text, sizeof m->sev_text);
    return m->sev_text;
}

const char *make_cat_text(RUV_ERRMSG *m)
{
    std::string parts[2] = { id_text(m->id & 0xF00000u), id_text(m->id & 0xFF0000u) };
    copy_text(m->cat_text, sizeof m->cat_text, substitute("%s (%s)", parts, 2).c_str());
    return m->cat_text;
}

// The names marked in the open frames, innermost first.
void make_api_names(const ErrBlock *b, RUV_ERRMSG *m)
{
    size_t len = 0;
    m->api_names[0] = '\0';
    for (const RUV_ERRFRM *f = b->innermost; f; f = f->outer) {
        for (int i = f->mark_count; i >= 0; --i) {
            if (i >= RUV_ERRFRM_MARKS || !f->marks[i])
                continue;
            size_t n = std::strlen(f->marks[i]);
            if (n > 62 - len)
                n = 62 - len;
            std::memcpy(m->api_names + len, f->marks[i], n);
            len += n;
            bool stop = len > 54;
            m->api_names[len++] = ' ';
            m->api_names[len] = '\0';
            if (stop)
                return;
        }
    }
}

void build(ErrBlock *b, RUV_ERRMSG *m, void *object, int32_t severity, RUV_ERRMSG_ID id,
           const char *file, int32_t line, const char *arg)
{
    std::memset(m, 0, sizeof *m);
    m->self = m;
    m->req_object = object;
    m->severity = b->ready ? severity : RUV_SEV_FATAL;
    m->id = id;
    m->file = file;
    m->arg = arg;
    m->line = static_cast<int16_t>(line);
    make_api_names(b, m);
}

int32_t offer(RUV_ERRFRM *frame, RUV_ERRMSG *m)
{
    for (RUV_ERRFRM *f = frame; f; f = f->outer) {
        if (f->handler_count <= 0)
            continue;
        int16_t saved = f->handler_count;
        int32_t result = 0;
        {
            // Errors raised by a handler go to the handlers below it, and
            // a handler may not push handlers of its own here.
            ruv::ErrFrame temp(f->owner, 0);
            for (int16_t i = static_cast<int16_t>(saved - 1); i >= 0 && result == 0; --i) {
                f->handler_count = i;
                RUV_ERRHDL h = f->handlers[i];
                result = static_cast<int16_t>(h.callback(m, h.data));
            }
        }
        f->handler_count = saved;
        if (result != 0)
            return result;
    }
    return 0;
}

int32_t post_box(int32_t (*post)(const char *, va_list), const char *format, ...)
{
    va_list args;
    va_start(args, format);
    int32_t result = post(format, args);
    va_end(args);
    return result;
}

// "%s%s %s%d" of the file label, file name, line label and line.
std::string file_line(ErrBlock *b, RUV_ERRMSG *m)
{
    const char *file = m->file ? m->file : unknown_file(b);
    return id_text(0x01820003) + file + " " + id_text(0x01820004) + std::to_string(m->line);
}

RUV_BOOL standard_report(RUV_ERRMSG *m, void *data)
{
    ErrBlock *b = err_block();
    if (!b || !valid(m))
        return 0;

    // A deferred report is counted when it is delivered, not twice.
    bool during_update = ruvv_app_proc_update() && m->severity != RUV_SEV_FATAL;
    if (during_update) {
        if (b->deferred_len < DEFERRED_MAX && b->budget < BUDGET_LIMIT) {
            Deferred &d = b->deferred[b->deferred_len++];
            d.msg = *m;
            d.msg.self = &d.msg;
            d.has_arg = has_arg(m);
            d.has_file = m->file != nullptr;
            if (d.has_arg)
                copy_text(d.arg, sizeof d.arg, m->arg);
            if (d.has_file)
                copy_text(d.file, sizeof d.file, m->file);
            b->budget = static_cast<int16_t>(b->budget + BUDGET_STEP);
            return 1;
        }
    }
    if (m->severity == RUV_SEV_ERROR)
        ++b->error_count;
    // One that cannot wait is fatal and reported now.
    if (during_update)
        m->severity = RUV_SEV_FATAL;

    std::string api = m->api_names[0] ? std::string(m->api_names) : id_text(0x01820005);
    std::string lines[4] = {
        std::string(make_sev_text(m)) + make_msg_text(m),
        id_text(0x01820001) + make_cat_text(m),
        id_text(0x01820002) + api,
        file_line(b, m),
    };
    std::string text = substitute(id_text(0x01820006), lines, 4);
    if (data)
        ruvv_debug_print("%s\n", text.c_str());

    if (m->severity == RUV_SEV_WARNING) {
        post_box(ruvv_dm_post_warning, "%s", text.c_str());
    } else if (m->severity == RUV_SEV_ERROR) {
        post_box(ruvv_dm_post_error, "%s", text.c_str());
    } else {
        post_box(ruvv_dm_post_error, "%s", text.c_str());
        ruvv_app_destroy();
    }
    return 1;
}

RUV_BOOL last_chance(RUV_ERRMSG *m, void *)
{
    if (valid(m) && m->severity != RUV_SEV_FATAL)
        return 1;
    char text[256];
    ruvv_str_getstr(STR_LAST_CHANCE, text, static_cast<int32_t>(sizeof text),
                    "FATAL ERROR within last chance error handler\nexiting application");
    post_box(ruvv_dm_post_error, "%s", text);
    ruvv_app_destroy();
    return 1;
}

RUV_BOOL application_hook(RUV_ERRMSG *m, void *data)
{
    RUV_ERR_HANDLER hook = reinterpret_cast<RUV_ERR_HANDLER>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_ERROR_HOOK));
    return hook ? hook(m, data) : 0;
}

// From the tenth error on, each is followed by a fatal report.
int32_t check_error_count(ErrBlock *b, void *object, const char *file, int32_t line, int32_t result)
{
    if (b->error_count <= ERROR_LIMIT)
        return result;
    RUV_ERRMSG m;
    build(b, &m, object, RUV_SEV_FATAL, 0x01830006, file, line, nullptr);
    result = offer(b->innermost, &m);
    m.self = nullptr;
    return result;
}

void warn(RUV_ERRMSG_ID id)
{
    ruvv_errmsg_dispatch(nullptr, RUV_SEV_WARNING, id, __FILE__, __LINE__);
}

} // namespace

extern "C" {

void ruvv_errfrm_init(RUV_ERRFRM *frame, void *owner, int16_t may_push)
{
    if (!frame)
        return;
    std::memset(frame, 0, sizeof *frame);
    frame->owner = owner;
    frame->handlers = frame->inline_handlers;
    frame->may_push = may_push;
    ErrBlock *b = err_block();
    if (b) {
        frame->outer = b->innermost;
        b->innermost = frame;
    }
}

void ruvv_errfrm_destroy(RUV_ERRFRM *frame)
{
    if (!frame)
        return;
    if (frame->handlers && frame->handlers != frame->inline_handlers)
        ruvv_mem_free(frame->handlers);
    frame->handlers = frame->inline_handlers;
    ErrBlock *b = err_block();
    if (b)
        b->innermost = frame->outer ? frame->outer : &b->root;
    bool marks_left = frame->mark_count != 0 || frame->marks[0] != nullptr;
    bool handlers_left = frame->handler_count != 0;
    frame->handler_count = 0;
    if (marks_left)
        warn(0x01830002);
    if (handlers_left)
        warn(0x01830001);
}

void ruvv_errfrm_mark_API(const char *name)
{
    ErrBlock *b = err_block();
    if (!b)
        return;
    RUV_ERRFRM *f = b->innermost;
    if (f->mark_count >= RUV_ERRFRM_MARKS) {
        warn(0x01830007);
        return;
    }
    f->marks[f->mark_count++] = name;
    if (f->mark_count < RUV_ERRFRM_MARKS)
        f->marks[f->mark_count] = nullptr;
}

void ruvv_errfrm_unmark_API(void)
{
    ErrBlock *b = err_block();
    if (!b)
        return;
    RUV_ERRFRM *f = b->innermost;
    if (f->mark_count > 0)
        --f->mark_count;
    if (!f->marks[f->mark_count])
        warn(0x01830008);
    f->marks[f->mark_count] = nullptr;
}

RUV_BOOL ruvv_errmsg_push_handler(RUV_ERR_HANDLER callback, void *data)
{
    ErrBlock *b = err_block();
    if (!b)
        return FALSE;
    RUV_ERRFRM *f = b->innermost;
    if (!f->may_push) {
        warn(0x01830005);
        return FALSE;
    }
    if (!callback)
        return FALSE;
    if (f->handler_count >= RUV_ERRFRM_INLINE_HANDLERS) {
        // Beyond the inline three the array lives on the heap, one entry
        // longer for each push.
        size_t n = static_cast<size_t>(f->handler_count) + 1;
        RUV_ERRHDL *grown;
        if (f->handlers == f->inline_handlers) {
            grown = static_cast<RUV_ERRHDL *>(ruvv_mem_alloc(n * sizeof(RUV_ERRHDL)));
            if (grown)
                std::memcpy(grown, f->inline_handlers, sizeof f->inline_handlers);
        } else {
            grown = static_cast<RUV_ERRHDL *>(ruvv_mem_realloc(f->handlers, n * sizeof(RUV_ERRHDL)));
        }
        if (!grown) {
            ruvv_errmsg_dispatch(nullptr, RUV_SEV_WARNING, 0x01510001, __FILE__, __LINE__);
            return FALSE;
        }
        f->handlers = grown;
    }
    f->handlers[f->handler_count++] = { callback, data };
    return TRUE;
}

int16_t ruvv_errmsg_pop_handler(RUV_ERR_HANDLER callback)
{
    ErrBlock *b = err_block();
    if (!b)
        return 0;
    RUV_ERRFRM *f = b->innermost;
    for (int16_t i = static_cast<int16_t>(f->handler_count - 1); i >= 0; --i) {
        if (f->handlers[i].callback == callback) {
            f->handler_count = i;
            return i;
        }
    }
    warn(0x01830004);
    return f->handler_count;
}

int32_t ruvv_errmsg_dispatch(void *object, int32_t severity, RUV_ERRMSG_ID id, const char *file, int32_t line)
{
    return ruvv_errmsg_dispatch_s(object, severity, id, file, line, nullptr);
}

int32_t ruvv_errmsg_dispatch_s(void *object, int32_t severity, RUV_ERRMSG_ID id, const char *file,
                               int32_t line, const char *arg)
{
    ErrBlock *b = err_block();
    if (!b)
        return static_cast<int32_t>(id);
    b->last_id = id;
    if (never_reported(id))
        return static_cast<int32_t>(id);
    int32_t result = static_cast<int32_t>(id);
    if (severity != RUV_SEV_NONE) {
        RUV_ERRMSG m;
        build(b, &m, object, severity, id, file, line, arg);
        result = offer(b->innermost, &m);
        m.self = nullptr;
    }
    if (severity == RUV_SEV_ERROR)
        result = check_error_count(b, object, file, line, result);
    return result;
}

RUV_ERRMSG_ID ruvv_errmsg_get_last_msg(void)
{
    ErrBlock *b = err_block();
    return b ? b->last_id : 0;
}

void ruvv_errmsg_set_ready(void)
{
    if (ErrBlock *b = err_block())
        b->ready = 1;
}

void ruvv_errmsg_deliver_deferred(void)
{
    ErrBlock *b = err_block();
    if (!b)
        return;
    if (b->budget > 0)
        --b->budget;
    while (b->deferred_len > 0) {
        Deferred d = b->deferred[0];
        --b->deferred_len;
        for (int i = 0; i < b->deferred_len; ++i) {
            b->deferred[i] = b->deferred[i + 1];
            b->deferred[i].msg.self = &b->deferred[i].msg;
        }
        d.msg.self = &d.msg;
        d.msg.arg = d.has_arg ? d.arg : nullptr;
        d.msg.file = d.has_file ? d.file : nullptr;
        int32_t severity = d.msg.severity;
        offer(b->innermost, &d.msg);
        // Counted now, so the limit is checked now.
        if (severity == RUV_SEV_ERROR)
            check_error_count(b, d.msg.req_object, d.msg.file, d.msg.line, 0);
    }
}

int16_t ruvv_errmsg_error_count(void)
{
    ErrBlock *b = err_block();
    return b ? b->error_count : 0;
}

int32_t ruvv_errmsg_get_sev_id(const RUV_ERRMSG *errmsg)
{
    return valid(errmsg) ? errmsg->severity : RUV_SEV_FATAL;
}

RUV_ERRMSG_ID ruvv_errmsg_get_msg_id(const RUV_ERRMSG *errmsg)
{
    return valid(errmsg) ? errmsg->id : 0;
}

int32_t ruvv_errmsg_get_code_line(const RUV_ERRMSG *errmsg)
{
    return valid(errmsg) ? errmsg->line : 0;
}

void *ruvv_errmsg_get_req_object(const RUV_ERRMSG *errmsg)
{
    return valid(errmsg) ? errmsg->req_object : nullptr;
}

void *ruvv_errmsg_get_tgt_object(const RUV_ERRMSG *errmsg)
{
    return ruvv_errmsg_get_req_object(errmsg);
}

const char *ruvv_errmsg_get_sev_text(RUV_ERRMSG *errmsg)
{
    return valid(errmsg) ? make_sev_text(errmsg) : "";
}

const char *ruvv_errmsg_get_msg_text(RUV_ERRMSG *errmsg)
{
    if (valid(errmsg))
        return make_msg_text(errmsg);
    static const char def[] = "Invalid RUV_ERRMSG object";
    ErrBlock *b = err_block();
    if (!b)
        return def;
    return ruvv_str_getstr(STR_INVALID, b->invalid_text, static_cast<int32_t>(sizeof b->invalid_text), def);
}

const char *ruvv_errmsg_get_cat_text(RUV_ERRMSG *errmsg)
{
    return valid(errmsg) ? make_cat_text(errmsg) : "";
}

const char *ruvv_errmsg_get_api_name(RUV_ERRMSG *errmsg)
{
    if (!valid(errmsg))
        return "";
    if (errmsg->api_names[0])
        return errmsg->api_names;
    ErrBlock *b = err_block();
    if (!b)
        return "";
    id_text(0x01820005, b->api_label, sizeof b->api_label);
    return b->api_label;
}

const char *ruvv_errmsg_get_code_file(RUV_ERRMSG *errmsg)
{
    if (!valid(errmsg))
        return "";
    if (errmsg->file)
        return errmsg->file;
    return unknown_file(err_block());
}

char *ruvv_errmsg_get_text(RUV_ERRMSG *errmsg, RUV_ERRMSG_ID id, char *buf, int32_t len)
{
    if (!buf || len <= 0)
        return buf;
    if (!valid(errmsg)) {
        buf[0] = '\0';
        return buf;
    }
    id_text(id, buf, static_cast<size_t>(len));
    return buf;
}

} // extern "C"
