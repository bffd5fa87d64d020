// Conformance rows of the error-message forwarders: no mark, no check; a
// report raised through them carries the marks of the caller only.
#include "conformance.h"

using namespace ruvf_test;

namespace {

RUV_BOOL ignore(RUV_ERRMSG *, void *)
{
    return 0;
}

// A report raised and read back inside a handler of its own frame.
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
    ruv_errmsg_dispatch(&seen, RUV_SEV_WARNING, 0x01250001, "probe", 7);
    return seen.value;
}

} // namespace

#define ERRMSG_GETTER(fn, expr)                                                                                  \
    Row{ #fn, "terr" }.forwarder().valid([](Ctx &) { return with_report([](RUV_ERRMSG *m) { return R(expr); }); })

static Rows rows{
    Row{ "ruv_errmsg_dispatch", "terr" }
        .forwarder()
        .bad("a report of the caller", 0x01250001,
             [](Ctx &) { return R(ruv_errmsg_dispatch(nullptr, RUV_SEV_ERROR, 0x01250001, "tcaller", 1)); })
        .valid([](Ctx &) { return with_report([](RUV_ERRMSG *m) { return R(ruv_errmsg_get_code_line(m)); }); }),
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
    }),
    Row{ "ruv_errmsg_pop_handler", "terr" }.forwarder().valid([](Ctx &) {
        ruv::ErrFrame frame;
        ruv_errmsg_push_handler(ignore, nullptr);
        return R(ruv_errmsg_pop_handler(ignore));
    }),
    ERRMSG_GETTER(ruv_errmsg_get_sev_id, ruv_errmsg_get_sev_id(m)),
    ERRMSG_GETTER(ruv_errmsg_get_sev_text, ruv_errmsg_get_sev_text(m)),
    ERRMSG_GETTER(ruv_errmsg_get_msg_id, ruv_errmsg_get_msg_id(m)),
    ERRMSG_GETTER(ruv_errmsg_get_msg_text, ruv_errmsg_get_msg_text(m)),
    ERRMSG_GETTER(ruv_errmsg_get_cat_text, ruv_errmsg_get_cat_text(m)),
    ERRMSG_GETTER(ruv_errmsg_get_code_line, ruv_errmsg_get_code_line(m)),
    ERRMSG_GETTER(ruv_errmsg_get_code_file, ruv_errmsg_get_code_file(m)),
    ERRMSG_GETTER(ruv_errmsg_get_api_name, ruv_errmsg_get_api_name(m)),
    ERRMSG_GETTER(ruv_errmsg_get_tgt_object, ruv_errmsg_get_tgt_object(m)),
    ERRMSG_GETTER(ruv_errmsg_get_req_object, ruv_errmsg_get_req_object(m)),
    Row{ "ruv_errmsg_get_text", "terr" }.forwarder().valid([](Ctx &) {
        char buf[64] = "";
        ruv_errmsg_get_text(nullptr, 0x01210002, buf, sizeof buf);
        return R(std::string(buf) == "NULL Window handle");
    }),
};
