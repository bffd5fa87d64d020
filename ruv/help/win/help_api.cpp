// Public functions of the help library: each marks its name in the error
// frame, checks its arguments in a fixed order (the first failure is
// reported with severity 2 and the call does nothing) and calls the core
// function of the same name.
#include "help_engine.h"
#include "ruvv_errmsg.h"

namespace {

const char kModule[] = "thelp";
constexpr uint32_t kNullHandle = 0x210000;
constexpr uint32_t kInvalidObject = 0x1220001;
constexpr uint32_t kInvalidWindow = 0x1220002;
constexpr uint32_t kBadValue = 0x1250001;

// The name stays marked for the whole call.
struct Frame {
    explicit Frame(const char *name) { ruvv_errfrm_mark_API(name); }
    ~Frame() { ruvv_errfrm_unmark_API(); }
    Frame(const Frame &) = delete;
    Frame &operator=(const Frame &) = delete;
};

// Posts id when failed; true when the check passed.
bool check(bool failed, uint32_t id, int line)
{
    if (failed)
        ruvv_errmsg_dispatch(nullptr, RUV_SEV_ERROR, id, kModule, line);
    return !failed;
}

#define CHECK(failed, id) check((failed), (id), __LINE__)

bool handle_ok(const RUV_HELP_INFO *info)
{
    return CHECK(!ruvv_help_is_valid_info(info), kInvalidObject);
}

// Window NULL, then window check.
bool window_ok(RUV_WIN win)
{
    return CHECK(!win, kNullHandle) && CHECK(!help_is_window(win), kInvalidWindow);
}

} // namespace

extern "C" {

RUV_HELP_INFO *ruv_help_open_helpfile(const RUV_FILE_SPEC *spec, int32_t flags)
{
    Frame frame("ruv_help_open_helpfile");
    if (!CHECK(!spec, kNullHandle))
        return nullptr;
    return ruvv_help_open_helpfile(spec, flags);
}

void ruv_help_close_helpfile(RUV_HELP_INFO *info)
{
    Frame frame("ruv_help_close_helpfile");
    if (handle_ok(info))
        ruvv_help_close_helpfile(info);
}

void ruv_help_display_topic(RUV_HELP_INFO *info, int32_t topic)
{
    Frame frame("ruv_help_display_topic");
    if (handle_ok(info) && CHECK(topic == 0, kNullHandle))
        ruvv_help_display_topic(info, topic);
}

void ruv_help_search_topic(RUV_HELP_INFO *info, int32_t topic, const char *key)
{
    Frame frame("ruv_help_search_topic");
    if (handle_ok(info))
        ruvv_help_search_topic(info, topic, key ? key : "");
}

void ruv_help_set_menu_assoc(RUV_HELP_INFO *info, RUV_WIN win, int32_t tag, int32_t topic, int32_t unused)
{
    Frame frame("ruv_help_set_menu_assoc");
    if (handle_ok(info) && CHECK(win && !help_is_window(win), kInvalidWindow) && CHECK(tag <= 0, kBadValue))
        ruvv_help_set_menu_assoc(info, win, tag, topic, unused);
}

int32_t ruv_help_get_menu_assoc(RUV_HELP_INFO *info, RUV_WIN win, int32_t tag)
{
    Frame frame("ruv_help_get_menu_assoc");
    if (handle_ok(info) && window_ok(win) && CHECK(tag <= 0, kBadValue))
        return ruvv_help_get_menu_assoc(info, win, tag);
    return 0;
}

void ruv_help_set_win_assoc(RUV_HELP_INFO *info, RUV_WIN win, int32_t topic, int32_t unused)
{
    Frame frame("ruv_help_set_win_assoc");
    if (handle_ok(info) && window_ok(win))
        ruvv_help_set_win_assoc(info, win, topic, unused);
}

int32_t ruv_help_get_win_assoc(RUV_HELP_INFO *info, RUV_WIN win)
{
    Frame frame("ruv_help_get_win_assoc");
    if (handle_ok(info) && window_ok(win))
        return ruvv_help_get_win_assoc(info, win);
    return 0;
}

void ruv_help_assoc_all(RUV_HELP_INFO *info, RUV_WIN win, int32_t res_id, RUV_WIN_DEF *def)
{
    Frame frame("ruv_help_assoc_all");
    if (handle_ok(info) && window_ok(win) && CHECK(res_id <= 0, kNullHandle))
        ruvv_help_assoc_all(info, win, res_id, def);
}

void ruv_help_disassoc_all(RUV_HELP_INFO *info, RUV_WIN win)
{
    Frame frame("ruv_help_disassoc_all");
    if (handle_ok(info) && window_ok(win))
        ruvv_help_disassoc_all(info, win);
}

void ruv_help_begin_objclick(RUV_HELP_INFO *info, RUV_WIN win, int32_t unused)
{
    Frame frame("ruv_help_begin_objclick");
    if (handle_ok(info) && CHECK(!help_is_window(win), kInvalidWindow))
        ruvv_help_begin_objclick(info, win, unused);
}

void ruv_help_end_objclick(RUV_HELP_INFO *info)
{
    Frame frame("ruv_help_end_objclick");
    if (handle_ok(info))
        ruvv_help_end_objclick(info);
}

RUV_BOOL ruv_help_process_event(RUV_HELP_INFO *info, RUV_WIN win, RUV_EVENT *event)
{
    Frame frame("ruv_help_process_event");
    if (handle_ok(info) && window_ok(win) && CHECK(!event, kNullHandle))
        return ruvv_help_process_event(info, win, event);
    return FALSE;
}

int32_t ruv_help_get_flavor(void)
{
    Frame frame("ruv_help_get_flavor");
    return ruvv_help_get_flavor();
}

} // extern "C"
