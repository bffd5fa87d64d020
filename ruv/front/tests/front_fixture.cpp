// The front layer's test fixture: started application, report recorder,
// objects on demand and the modal-window dismisser (front_fixture.h).
#include "front_fixture.h"

#include <sstream>

#include "native_controls.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_res.h"
#include "ruvv_tx.h"
#include "window_create.h"

namespace ruvf_test {

// ---- Recorder ----

Recorder::Recorder()
{
    ruvv_errmsg_push_handler(record, this);
}

Recorder::~Recorder()
{
    ruvv_errmsg_pop_handler(record);
}

RUV_BOOL Recorder::record(RUV_ERRMSG *m, void *data)
{
    auto *self = static_cast<Recorder *>(data);
    const char *file = ruvv_errmsg_get_code_file(m);
    self->reports_.push_back({ ruvv_errmsg_get_sev_id(m), ruvv_errmsg_get_msg_id(m), ruvv_errmsg_get_api_name(m),
                               file ? file : "", ruvv_errmsg_get_code_line(m), ruvv_errmsg_get_req_object(m) });
    return 1;
}

size_t Recorder::errors() const
{
    size_t n = 0;
    for (const Report &r : reports_)
        n += r.severity != RUV_SEV_WARNING;
    return n;
}

std::vector<std::string> Recorder::marks() const
{
    std::vector<std::string> out;
    const RUV_ERRFRM *f = frame_.get();
    for (int i = 0; i < f->mark_count && i < RUV_ERRFRM_MARKS; ++i)
        out.push_back(f->marks[i] ? f->marks[i] : "(null)");
    return out;
}

std::string describe(const std::vector<Report> &reports)
{
    std::ostringstream s;
    for (const Report &r : reports)
        s << "[sev " << r.severity << " id 0x" << std::hex << r.id << std::dec << " api '" << r.api << "' file "
          << r.file << ':' << r.line << "] ";
    return s.str();
}

// ---- Ctx ----

namespace {

int32_t accept_all(RUV_WIN, RUV_EVENT *)
{
    return 0;
}

RUV_WIN attr_win(int32_t key)
{
    return reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, key));
}

RUV_WIN make_window(int32_t type, RUV_WIN parent, int16_t top, int16_t left, const char *title, uint32_t flags)
{
    RUV_RECT r{ top, left, static_cast<int16_t>(top + 200), static_cast<int16_t>(left + 300) };
    return ruvk_win_create(type, &r, title, 0, parent, flags, RUV_EVENT_MASK_ALL, accept_all, nullptr);
}

RUV_WIN make_control(int32_t type, RUV_WIN parent, int16_t top, const char *title, int32_t id)
{
    RUV_RECT r{ top, 10, static_cast<int16_t>(top + 24), 150 };
    return ruvk_ctl_create(type, &r, title, parent, 0, nullptr, id);
}

} // namespace

RUV_WIN Ctx::get(Obj o)
{
    auto it = made_.find(o);
    if (it != made_.end() && ruvv_vobj_is_valid(it->second))
        return it->second;
    RUV_WIN w = NULL_WIN;
    switch (o) {
    case Obj::Doc:
        w = make_window(1, attr_win(RUV_ATTR_TASK_WINDOW), 40, 40, "Doc", 0x803);
        break;
    case Obj::Plain:
        w = make_window(2, attr_win(RUV_ATTR_TASK_WINDOW), 60, 360, "Plain", 0x803);
        break;
    case Obj::Child:
        w = make_window(7, get(Obj::Doc), 100, 160, "Child", 0);
        break;
    case Obj::Button:
        w = make_control(WC_PUSH_BUTTON, get(Obj::Doc), 10, "Button", 101);
        break;
    case Obj::Edit:
        w = make_control(WC_EDIT, get(Obj::Doc), 40, "Edit", 102);
        break;
    case Obj::List:
        w = make_control(WC_LIST_BOX, get(Obj::Doc), 70, "", 103);
        break;
    case Obj::Static:
        w = make_control(WC_STATIC_TEXT, get(Obj::Doc), 130, "Static", 104);
        break;
    case Obj::HScroll:
        w = make_control(WC_HSCROLL_BAR, get(Obj::Doc), 160, "", 105);
        break;
    case Obj::TextEdit: {
        RUV_WIN_DEF def[2]{};
        def[0].type = 23;
        def[0].rect = RUV_RECT{ 190, 10, 250, 200 };
        def[0].u.tx.ctl_id = 106;
        w = reinterpret_cast<RUV_WIN>(ruvv_tx_create_def(def, get(Obj::Doc), nullptr));
        break;
    }
    case Obj::Task:
        return attr_win(RUV_ATTR_TASK_WINDOW);
    case Obj::Screen:
        return attr_win(RUV_ATTR_SCREEN_WINDOW);
    }
    made_[o] = w;
    return w;
}

void Ctx::make_all()
{
    for (Obj o : { Obj::Doc, Obj::Plain, Obj::Child, Obj::Button, Obj::Edit, Obj::List, Obj::Static, Obj::HScroll,
                   Obj::TextEdit })
        get(o);
}

HWND Ctx::hwnd(Obj o)
{
    RUV_WIN w = get(o);
    return w ? static_cast<HWND>(w->native) : nullptr;
}

std::string Ctx::title(Obj o)
{
    char buf[512] = "";
    if (HWND h = hwnd(o))
        GetWindowTextA(h, buf, sizeof buf);
    return buf;
}

RUV_WIN Ctx::foreign()
{
    foreign_ = RUV_VOBJ{};
    foreign_.tag = RUV_VOBJ_TAG;
    foreign_.type = 1;
    foreign_.kind = 0x8;
    foreign_.handler = accept_all;
    foreign_.parent = attr_win(RUV_ATTR_TASK_WINDOW);
    return &foreign_;
}

RUV_WIN Ctx::destroyed()
{
    RUV_WIN w = make_window(1, attr_win(RUV_ATTR_TASK_WINDOW), 80, 80, "Gone", 0x803);
    ruvk_vobj_destroy(w);
    ruvk_app_process_pending_events();
    // Blocks of a record's size until the freed one comes back (the
    // allocator hands out freed blocks first); the others go again.
    std::vector<void *> tried;
    for (int i = 0; i < 64; ++i) {
        void *p = ruvv_mem_alloc(sizeof(RUV_VOBJ));
        if (!p)
            break;
        if (p == w) {
            static_cast<RUV_VOBJ *>(p)->tag = RUV_VOBJ_TAG;
            held_.push_back(p);
            break;
        }
        tried.push_back(p);
    }
    for (void *p : tried)
        ruvv_mem_free(p);
    return w;
}

std::string Ctx::snapshot()
{
    std::ostringstream s;
    for (auto &m : made_) {
        s << static_cast<int>(m.first) << ':';
        if (!ruvv_vobj_is_valid(m.second)) {
            s << "gone;";
            continue;
        }
        HWND h = static_cast<HWND>(m.second->native);
        RECT r{};
        GetWindowRect(h, &r);
        char text[256] = "";
        GetWindowTextA(h, text, sizeof text);
        int children = 0;
        for (HWND c = GetWindow(h, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            ++children;
        s << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom << ',' << text << ','
          << IsWindowVisible(h) << IsWindowEnabled(h) << ',' << children << ',' << (GetMenu(h) != nullptr)
          << ',' << static_cast<bool>(GetWindowLongPtrA(h, GWL_STYLE) & WS_DISABLED) << ';';
    }
    return s.str();
}

Ctx::~Ctx()
{
    // Controls go with their window; windows last made first.
    for (auto it = made_.rbegin(); it != made_.rend(); ++it)
        if (ruvv_vobj_is_valid(it->second) && it->second->type < WC_PUSH_BUTTON)
            ruvk_vobj_destroy(it->second);
    ruvk_app_process_pending_events();
    for (void *p : held_)
        ruvv_mem_free(p);
}

// ---- the application ----

void in_app(std::function<void()> body, RUV_EVENT_HANDLER task_handler)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::run(std::move(body), task_handler);
}

// ---- Dismisser ----

Dismisser::Dismisser() : thread_(GetCurrentThreadId()), worker_([this] { watch(); }) {}

Dismisser::~Dismisser()
{
    running_ = false;
    worker_.join();
}

void Dismisser::watch()
{
    while (running_) {
        EnumThreadWindows(
            thread_,
            [](HWND h, LPARAM lp) -> BOOL {
                char cls[64] = "";
                GetClassNameA(h, cls, sizeof cls);
                bool modal = std::strcmp(cls, "#32770") == 0 || std::strstr(cls, "wialog") != nullptr;
                if (modal && IsWindowVisible(h) && !GetPropA(h, "ruvf_answered")) {
                    SetPropA(h, "ruvf_answered", reinterpret_cast<HANDLE>(1));
                    if (GetDlgItem(h, IDOK))
                        PostMessageA(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                                     reinterpret_cast<LPARAM>(GetDlgItem(h, IDOK)));
                    else
                        PostMessageA(h, WM_CLOSE, 0, 0);
                    ++*reinterpret_cast<std::atomic<int> *>(lp);
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&answered_));
        Sleep(20);
    }
}

} // namespace ruvf_test
