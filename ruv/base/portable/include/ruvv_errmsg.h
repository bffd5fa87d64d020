/* Error framework of the toolkit.  Every failure is reported by calling
   ruvv_errmsg_dispatch (object, severity, message id, source file, line)
   and then returning NULL, 0 or FALSE; nothing is thrown.  The report is
   offered to the handler stacks of the open error frames, innermost first.
   A frame is opened around every toolkit API call and every callback into
   the application; it also records the names of the API functions being
   run (API marks).  Message texts come from "ERRCODES.TXT" in the start-up
   directory when it holds them, else from the built-in table.  Reports
   made while a repaint is processed are deferred until before the next
   event.  Also the debug output file. */
#ifndef RUVV_ERRMSG_H
#define RUVV_ERRMSG_H

#include <stdarg.h>
#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Bit 24 set: toolkit-specific number; bits 20-23 category; bits 16-19
   sub-category; bits 0-15 number.  Ids whose bits 16-23 are 0x40 are never
   reported. */
typedef uint32_t RUV_ERRMSG_ID;

/* Severities; 0 reports nothing. */
#define RUV_SEV_NONE    0
#define RUV_SEV_WARNING 1
#define RUV_SEV_ERROR   2
#define RUV_SEV_FATAL   3

#define RUV_ERRMSG_TEXT_SIZE 64

/* One report, built by the dispatcher and handed to the handlers.  Valid
   only while self holds its own address. */
typedef struct RUV_ERRMSG {
    struct RUV_ERRMSG *self;
    void *req_object;
    int32_t severity;
    RUV_ERRMSG_ID id;
    const char *file;          /* may be NULL */
    const char *arg;           /* text inserted into the message, or a
                                  value below 256 meaning none */
    int16_t line;
    char api_names[RUV_ERRMSG_TEXT_SIZE];
    char sev_text[RUV_ERRMSG_TEXT_SIZE];
    char msg_text[RUV_ERRMSG_TEXT_SIZE];
    char cat_text[2 * RUV_ERRMSG_TEXT_SIZE + 4];
} RUV_ERRMSG;

/* An error handler: non-zero (16 bits) when it handled the report. */
typedef RUV_BOOL (*RUV_ERR_HANDLER)(RUV_ERRMSG *errmsg, void *data);

typedef struct RUV_ERRHDL {
    RUV_ERR_HANDLER callback;
    void *data;
} RUV_ERRHDL;

#define RUV_ERRFRM_MARKS 4
#define RUV_ERRFRM_INLINE_HANDLERS 3

/* An error frame, opened on the caller's stack.  Frames nest strictly: each
   ruvv_errfrm_init is matched by one ruvv_errfrm_destroy in the same
   function (C++ code uses ruv::ErrFrame below). */
typedef struct RUV_ERRFRM {
    struct RUV_ERRFRM *outer;
    void *owner;
    const char *marks[RUV_ERRFRM_MARKS];
    RUV_ERRHDL *handlers;      /* the inline array, or a heap array beyond 3 */
    RUV_ERRHDL inline_handlers[RUV_ERRFRM_INLINE_HANDLERS];
    int16_t handler_count;
    int16_t mark_count;
    int16_t may_push;
} RUV_ERRFRM;

/* Frames and API marks. */
void ruvv_errfrm_init(RUV_ERRFRM *frame, void *owner, int16_t may_push);
void ruvv_errfrm_destroy(RUV_ERRFRM *frame);
void ruvv_errfrm_mark_API(const char *name);
void ruvv_errfrm_unmark_API(void);

/* Handler stack of the innermost frame.  Push refuses (warning 0x01830005)
   in a frame that may not push; a null callback is ignored.  Pop removes
   the newest entry with that callback and every entry pushed after it and
   returns the new count. */
RUV_BOOL ruvv_errmsg_push_handler(RUV_ERR_HANDLER callback, void *data);
int16_t ruvv_errmsg_pop_handler(RUV_ERR_HANDLER callback);

/* Reporting.  The result is the answer of the handlers (the id itself for
   severity 0 and for ids that are never reported).  From the tenth error of
   severity 2 on, each is followed by the fatal "Too many errors
   encountered". */
int32_t ruvv_errmsg_dispatch(void *object, int32_t severity, RUV_ERRMSG_ID id,
                             const char *file, int32_t line);
int32_t ruvv_errmsg_dispatch_s(void *object, int32_t severity, RUV_ERRMSG_ID id,
                               const char *file, int32_t line, const char *arg);
RUV_ERRMSG_ID ruvv_errmsg_get_last_msg(void);

/* Reports from this source line. */
#define RUV_ERR(object, severity, id) \
    ruvv_errmsg_dispatch((object), (severity), (id), __FILE__, __LINE__)
#define RUV_ERR_S(object, severity, id, arg) \
    ruvv_errmsg_dispatch_s((object), (severity), (id), __FILE__, __LINE__, (arg))

/* Accessors of a report; an invalid record gives severity 3, id 0, line 0,
   object NULL and empty texts. */
int32_t ruvv_errmsg_get_sev_id(const RUV_ERRMSG *errmsg);
RUV_ERRMSG_ID ruvv_errmsg_get_msg_id(const RUV_ERRMSG *errmsg);
int32_t ruvv_errmsg_get_code_line(const RUV_ERRMSG *errmsg);
void *ruvv_errmsg_get_req_object(const RUV_ERRMSG *errmsg);
void *ruvv_errmsg_get_tgt_object(const RUV_ERRMSG *errmsg);
const char *ruvv_errmsg_get_sev_text(RUV_ERRMSG *errmsg);
const char *ruvv_errmsg_get_msg_text(RUV_ERRMSG *errmsg);
const char *ruvv_errmsg_get_cat_text(RUV_ERRMSG *errmsg);
const char *ruvv_errmsg_get_api_name(RUV_ERRMSG *errmsg);
const char *ruvv_errmsg_get_code_file(RUV_ERRMSG *errmsg);
/* The text of any id into buf (at most len - 1 characters). */
char *ruvv_errmsg_get_text(RUV_ERRMSG *errmsg, RUV_ERRMSG_ID id, char *buf, int32_t len);

/* Called by the event entry: the first dispatched event lets reports keep
   their severity (before it every report is fatal); deferred reports are
   delivered before every event but E_UPDATE. */
void ruvv_errmsg_set_ready(void);
void ruvv_errmsg_deliver_deferred(void);

/* Debug output: one line to the debug file in the start-up directory, only
   when that file already exists (the first write truncates it). */
void ruvv_debug_printf(const char *format, va_list args);
void ruvv_debug_print(const char *format, ...);
void ruvv_debug_set_file(const char *name); /* NULL restores "debug" */
const char *ruvv_debug_get_file(void);

#ifdef __cplusplus
}

namespace ruv {

/* An error frame for the scope of a C++ block inside the toolkit. */
class ErrFrame {
public:
    explicit ErrFrame(void *owner = nullptr, int16_t may_push = 1) { ruvv_errfrm_init(&frame_, owner, may_push); }
    ~ErrFrame() { ruvv_errfrm_destroy(&frame_); }
    ErrFrame(const ErrFrame &) = delete;
    ErrFrame &operator=(const ErrFrame &) = delete;
    RUV_ERRFRM *get() { return &frame_; }

private:
    RUV_ERRFRM frame_;
};

/* Marks an API function's name in the innermost frame for its scope. */
class ApiMark {
public:
    explicit ApiMark(const char *name) { ruvv_errfrm_mark_API(name); }
    ~ApiMark() { ruvv_errfrm_unmark_API(); }
    ApiMark(const ApiMark &) = delete;
    ApiMark &operator=(const ApiMark &) = delete;
};

/* Pushes a handler on the innermost frame and pops it at scope end. */
class ErrHandlerScope {
public:
    ErrHandlerScope(RUV_ERR_HANDLER callback, void *data) : callback_(callback)
    {
        pushed_ = ruvv_errmsg_push_handler(callback, data) != 0;
    }
    ~ErrHandlerScope()
    {
        if (pushed_)
            ruvv_errmsg_pop_handler(callback_);
    }
    ErrHandlerScope(const ErrHandlerScope &) = delete;
    ErrHandlerScope &operator=(const ErrHandlerScope &) = delete;

private:
    RUV_ERR_HANDLER callback_;
    bool pushed_;
};

} // namespace ruv
#endif

#endif
