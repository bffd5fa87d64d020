// Conformance rows of the error-message forwarders: no mark, no check; a
// report raised through them carries the marks of the caller only.
#include "conformance.h"

#include <cstring>
#include <string>

using namespace ruvf_test;

namespace {

RUV_BOOL ignore(RUV_ERRMSG *, void *)
{
    return 0;
}

RUV_BOOL other(RUV_ERRMSG *, void *)
{
    return 0;
}

// A report raised and read back inside a handler of its own frame, under
// the mark "ruv_probe_api": warning 0x01250001 for the request object
// g_probe from "probe", line 7.
char g_probe[1];

template <typename F>
intptr_t with_report(F read)
{
    struct Seen {
        F read;
        intptr_t value = 0;
    } seen{ read };
    ruv::ErrFrame frame;
    ruv_errmsg_push_handler(
        [](RUV_ERRMSG *m, void *d) -> RUV_BOOL {
            auto *s = static_cast<Seen *>(d);
            s->value = s->read(m);
            return 1;
        },
        &seen);
    ruvv_errfrm_mark_API("ruv_probe_api");
    ruv_errmsg_dispatch(g_probe, RUV_SEV_WARNING, 0x01250001, "probe", 7);
    ruvv_errfrm_unmark_API();
    return seen.value;
}

bool text_is(const char *text, const char *expected)
{
    return text && std::strcmp(text, expected) == 0;
}

} // namespace

// A getter's row: the check holds for what it reads from the probe report.
#define ERRMSG_GETTER(fn, check)                                                                                 \
    Row{ #fn, "terr" }                                                                                           \
        .forwarder()                                                                                             \
        .valid([](Ctx &) { return with_report([](RUV_ERRMSG *m) { return R(check); }); })                       \
        .answers(1)

static Rows rows{
    Row{ "ruv_errmsg_dispatch", "terr" }
        .forwarder()
        .bad("a report of the caller", 0x01250001,
             [](Ctx &) { return R(ruv_errmsg_dispatch(nullptr, RUV_SEV_ERROR, 0x01250001, "tcaller", 1)); })
        .valid([](Ctx &) { return with_report([](RUV_ERRMSG *m) { return R(ruv_errmsg_get_code_line(m)); }); })
        .answers(7),
    Row{ "ruv_errmsg_dispatch_s", "terr" }
        .forwarder()
        .bad("a report of the caller", 0x01250004,
             [](Ctx &) { return R(ruv_errmsg_dispatch_s(nullptr, RUV_SEV_ERROR, 0x01250004, "tcaller", 1, "arg")); })
        .valid([](Ctx &) {
            ruv::ErrFrame frame;
            ruv_errmsg_push_handler([](RUV_ERRMSG *, void *) -> RUV_BOOL { return 1; }, nullptr);
            return R(ruv_errmsg_dispatch_s(nullptr, RUV_SEV_WARNING, 0x01250004, "tcaller", 1, "arg"));
        }),
    Row{ "ruv_errmsg_push_handler", "terr" }.forwarder().valid([](Ctx &) {
        ruv::ErrFrame frame;
        RUV_BOOL pushed = ruv_errmsg_push_handler(ignore, nullptr);
        ruv_errmsg_pop_handler(ignore);
        return R(pushed);
    }).answers(TRUE),
    // Popping answers the number of handlers left on the frame.
    Row{ "ruv_errmsg_pop_handler", "terr" }.forwarder().valid([](Ctx &) {
        ruv::ErrFrame frame;
        ruv_errmsg_push_handler(ignore, nullptr);
        ruv_errmsg_push_handler(other, nullptr);
        return R(ruv_errmsg_pop_handler(other));
    }).answers(1),
    ERRMSG_GETTER(ruv_errmsg_get_sev_id, ruv_errmsg_get_sev_id(m) == RUV_SEV_WARNING),
    ERRMSG_GETTER(ruv_errmsg_get_sev_text, text_is(ruv_errmsg_get_sev_text(m), "WARNING: ")),
    ERRMSG_GETTER(ruv_errmsg_get_msg_id, ruv_errmsg_get_msg_id(m) == 0x01250001),
    ERRMSG_GETTER(ruv_errmsg_get_msg_text, text_is(ruv_errmsg_get_msg_text(m), "Bad value")),
    ERRMSG_GETTER(ruv_errmsg_get_cat_text, text_is(ruv_errmsg_get_cat_text(m), "Invalid argument (Bad value)")),
    ERRMSG_GETTER(ruv_errmsg_get_code_line, ruv_errmsg_get_code_line(m) == 7),
    ERRMSG_GETTER(ruv_errmsg_get_code_file, text_is(ruv_errmsg_get_code_file(m), "probe")),
    // The marked names, each followed by a blank.
    ERRMSG_GETTER(ruv_errmsg_get_api_name, text_is(ruv_errmsg_get_api_name(m), "ruv_probe_api ")),
    ERRMSG_GETTER(ruv_errmsg_get_tgt_object, ruv_errmsg_get_tgt_object(m) == g_probe),
    ERRMSG_GETTER(ruv_errmsg_get_req_object, ruv_errmsg_get_req_object(m) == g_probe),
    // The text of any id, read with a report in hand; none without one.
    Row{ "ruv_errmsg_get_text", "terr" }.forwarder().valid([](Ctx &) {
        char none[64] = "x";
        ruv_errmsg_get_text(nullptr, 0x01210002, none, sizeof none);
        return R(none[0] == '\0' && with_report([](RUV_ERRMSG *m) {
                     char buf[64] = "";
                     return R(ruv_errmsg_get_text(m, 0x01210002, buf, sizeof buf) == buf &&
                              std::string(buf) == "NULL Window handle");
                 }) == 1);
    }).answers(1),
};
