// Event entry and handler chains: the order screen chain, window chain,
// window handler; event masks; consumption by a handler and by the event
// hook; E_CXO refused; deferred reports delivered before the next event;
// the update counter around repaints; help requests without a topic; and
// handlers created and destroyed while they run.

#include <string>
#include <vector>

#include "core_test_support.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_cxo.h"
#include "ruvv_font.h"
#include "ruvv_list.h"
#include "../event_private.h"
#include "ruvv_vobj.h"

using namespace coretest;

namespace {

std::vector<std::string> &trace()
{
    static std::vector<std::string> t;
    return t;
}

// What a test handler does with an event after recording it.
enum Action { PASS, CONSUME, DESTROY_SELF_THEN_PASS, DESTROY_SELF_ON_CREATE };

struct Probe {
    std::string name;
    Action action = PASS;
    RUV_CXO *also_destroy = nullptr;  // destroyed before passing on
    RUV_WIN owner_seen = NULL_WIN;
    bool update_seen = false;
};

std::string label(const std::string &name, const RUV_EVENT *e)
{
    if (e->type != E_CXO)
        return name + ":" + std::to_string(e->type);
    if (e->v.cxo.message == E_CXO_CREATED)
        return name + ":created";
    if (e->v.cxo.message == E_CXO_DESTROYED)
        return name + ":destroyed";
    return name + ":msg" + std::to_string(e->v.cxo.message);
}

int32_t probe_cb(RUV_CXO *cxo, RUV_EVENT *e)
{
    Probe *p = static_cast<Probe *>(cxo->app_data);
    trace().push_back(label(p->name, e));
    if (e->type == E_CXO) {
        if (e->v.cxo.message == E_CXO_CREATED && p->action == DESTROY_SELF_ON_CREATE)
            ruvv_cxo_destroy(cxo);
        return e->v.cxo.message == E_CXO_CREATED || e->v.cxo.message == E_CXO_DESTROYED ? 0 : 40;
    }
    p->owner_seen = cxo->owner;
    p->update_seen = ruvv_app_is_update_in_progress() != 0;
    switch (p->action) {
    case CONSUME:
        return 55;
    case DESTROY_SELF_THEN_PASS:
        ruvv_cxo_destroy(cxo);
        ruvv_cxo_destroy(p->also_destroy);
        ruvv_cxo_free_pending();  // must not free this handler while it runs
        return ruvv_cxo_call_next(NULL_WIN, cxo, e);
    default:
        return ruvv_cxo_call_next(NULL_WIN, cxo, e);
    }
}

// Window handlers: record, note what the test asks about, answer 7.
struct WinSeen {
    size_t boxes = 0;
    bool update = false;
    RUV_EVENT event{};
};
WinSeen &seen()
{
    static WinSeen s;
    return s;
}

int32_t win_handler(RUV_WIN, RUV_EVENT *e)
{
    trace().push_back("win:" + std::to_string(e->type));
    seen().boxes = standin::boxes().size();
    seen().update = ruvv_app_is_update_in_progress() != 0;
    seen().event = *e;
    return 7;
}

int32_t task_handler(RUV_WIN, RUV_EVENT *e)
{
    trace().push_back("task:" + std::to_string(e->type));
    seen().event = *e;
    return 8;
}

int32_t win_handler_reporting(RUV_WIN w, RUV_EVENT *e)
{
    RUV_ERR(w, RUV_SEV_ERROR, 0x00250000);
    return win_handler(w, e);
}

// The event hook: answers hook_answer() and records what it was given.
RUV_BOOL &hook_answer()
{
    static RUV_BOOL a = 1;
    return a;
}
RUV_BOOL hook(void *info, RUV_WIN win, RUV_EVENT *e)
{
    trace().push_back("hook:" + std::to_string(e->type) + (info == &hook_answer() ? "+info" : "") +
                      (win ? "+win" : ""));
    return hook_answer();
}

RUV_EVENT event_of(int32_t type)
{
    RUV_EVENT e;
    std::memset(&e, 0, sizeof e);
    e.type = type;
    return e;
}

class DispatchTest : public CoreTest {
protected:
    RUV_VOBJ *screen = nullptr;
    RUV_VOBJ *task = nullptr;
    RUV_VOBJ *win = nullptr;

    RUV_VOBJ *make_obj(uint32_t mask, RUV_EVENT_HANDLER handler)
    {
        RUV_VOBJ *o = static_cast<RUV_VOBJ *>(ruvv_mem_zalloc(sizeof(RUV_VOBJ)));
        o->tag = RUV_VOBJ_TAG;
        o->event_mask = mask;
        o->handler = handler;
        ruvv_registry_add(o);
        return o;
    }

    void make_objects()
    {
        screen = make_obj(RUV_EVENT_MASK_ALL, nullptr);
        task = make_obj(RUV_EVENT_MASK_ALL, task_handler);
        win = make_obj(RUV_EVENT_MASK_ALL, win_handler);
        win->parent = screen;
        ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_SCREEN_WINDOW, reinterpret_cast<intptr_t>(screen));
        ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_TASK_WINDOW, reinterpret_cast<intptr_t>(task));
    }

    void SetUp() override
    {
        CoreTest::SetUp();
        trace().clear();
        seen() = WinSeen();
        hook_answer() = 1;
        standin::clear_boxes();
        make_objects();
    }

    // Handlers left on the objects go before the objects do; their probes
    // (locals of the test) are gone, so they get no last message.
    void TearDown() override
    {
        for (RUV_VOBJ *o : { screen, task, win }) {
            if (!ruvv_vobj_is_valid(o))
                continue;
            for (RUV_CXO *c = o->cxo_chain; c; c = c->next)
                c->callback = nullptr;
            ruvv_cxo_destroy_chain(&o->cxo_chain);
        }
        CoreTest::TearDown();
    }

    RUV_CXO *add(RUV_WIN owner, Probe &p, int32_t position = RUV_CXO_TAIL,
                 uint32_t mask = RUV_EVENT_MASK_ALL, const char *cls = "Probe")
    {
        return ruvv_cxo_create(owner, nullptr, position, probe_cb, mask, cls, &p);
    }

    int32_t send(RUV_WIN w, int32_t type)
    {
        RUV_EVENT e = event_of(type);
        return ruvv_win_dispatch_event(w, &e);
    }

    void install_hook()
    {
        ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_HELP_HOOK, reinterpret_cast<intptr_t>(hook));
        ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_HELP_INFO, reinterpret_cast<intptr_t>(&hook_answer()));
    }
};

using Trace = std::vector<std::string>;

TEST_F(DispatchTest, ScreenChainThenWindowChainThenWindowHandler)
{
    Probe s1{ "s1" }, s2{ "s2" }, w1{ "w1" }, w2{ "w2" };
    add(screen, s1, RUV_CXO_TAIL);
    add(screen, s2, RUV_CXO_TAIL);
    add(win, w1, RUV_CXO_FRONT);
    add(win, w2, RUV_CXO_FRONT);  // in front of w1
    trace().clear();

    EXPECT_EQ(send(win, E_MOUSE_DOWN), 7);
    EXPECT_EQ(trace(), (Trace{ "s1:6", "s2:6", "w2:6", "w1:6", "win:6" }));
    // A screen-level handler stands for the event's window while it runs.
    EXPECT_EQ(s1.owner_seen, win);
    EXPECT_EQ(s2.owner_seen, win);
    EXPECT_EQ(w1.owner_seen, win);
    EXPECT_EQ(ruvv_win_get_cxo(screen, "Probe", &s1)->owner, screen);
}

TEST_F(DispatchTest, EventForTheScreenObjectSeesItsChainOnce)
{
    Probe s1{ "s1" }, s2{ "s2" }, w{ "w" };
    add(screen, s1);
    add(screen, s2);
    add(win, w);
    screen->handler = win_handler;
    trace().clear();
    EXPECT_EQ(send(screen, E_COMMAND), 7);
    EXPECT_EQ(trace(), (Trace{ "s1:14", "s2:14", "win:14" }));
    EXPECT_EQ(s1.owner_seen, screen);
}

TEST_F(DispatchTest, EventMasksOfHandlersAndWindow)
{
    struct Case {
        const char *name;
        int32_t type;
        uint32_t handler_mask;
        uint32_t win_mask;
        int32_t result;
        Trace trace;
    };
    const Case cases[] = {
        { "both take it", E_MOUSE_DOWN, RUV_EVENT_BIT(E_MOUSE_DOWN), RUV_EVENT_MASK_ALL, 7, { "h:6", "win:6" } },
        { "window lacks it", E_MOUSE_DOWN, RUV_EVENT_BIT(E_MOUSE_DOWN), RUV_EVENT_BIT(E_MOUSE_UP), -1, { "h:6" } },
        { "handler lacks it", E_MOUSE_UP, RUV_EVENT_BIT(E_MOUSE_DOWN), RUV_EVENT_BIT(E_MOUSE_UP), 7, { "win:7" } },
        { "neither takes it", E_CHAR, RUV_EVENT_BIT(E_MOUSE_DOWN), RUV_EVENT_BIT(E_MOUSE_UP), -1, {} },
        { "user event", E_USER, RUV_EVENT_BIT(E_USER), RUV_EVENT_BIT(E_USER), 7, { "h:20", "win:20" } },
        { "no handler mask", E_CREATE, 0, RUV_EVENT_MASK_ALL, 7, { "win:0" } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        win->event_mask = c.win_mask;
        Probe h{ "h" };
        RUV_CXO *cxo = add(win, h, RUV_CXO_TAIL, c.handler_mask);
        trace().clear();
        EXPECT_EQ(send(win, c.type), c.result);
        EXPECT_EQ(trace(), c.trace);
        ruvv_cxo_destroy(cxo);
    }
}

TEST_F(DispatchTest, HandlerThatDoesNotPassOnConsumes)
{
    Probe s{ "s" }, w1{ "w1", CONSUME }, w2{ "w2" };
    add(screen, s);
    add(win, w1);
    add(win, w2);
    trace().clear();
    EXPECT_EQ(send(win, E_COMMAND), 55);
    EXPECT_EQ(trace(), (Trace{ "s:14", "w1:14" }));
}

TEST_F(DispatchTest, EventHook)
{
    struct Case {
        RUV_BOOL answer;
        int32_t type;
        int32_t result;
        Trace trace;
    };
    const Case cases[] = {
        { 0, E_MOUSE_DOWN, -1, { "hook:6+info+win" } },
        { 1, E_MOUSE_DOWN, 7, { "hook:6+info+win", "w:6", "win:6" } },
        { 0, E_COMMAND, -1, { "hook:14+info+win" } },
        { -1, E_COMMAND, 7, { "hook:14+info+win", "w:14", "win:14" } },
    };
    install_hook();
    Probe w{ "w" };
    add(win, w);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.answer);
        hook_answer() = c.answer;
        trace().clear();
        EXPECT_EQ(send(win, c.type), c.result);
        EXPECT_EQ(trace(), c.trace);
    }
}

TEST_F(DispatchTest, HookThatEndsTheWindowEndsTheDispatch)
{
    auto ending_hook = [](void *, RUV_WIN w, RUV_EVENT *) -> RUV_BOOL {
        trace().push_back("hook");
        ruvv_registry_remove(w);
        return 1;
    };
    ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_HELP_HOOK, reinterpret_cast<intptr_t>(+ending_hook));
    Probe s{ "s" };
    add(screen, s);
    trace().clear();
    EXPECT_EQ(send(win, E_MOUSE_DOWN), -1);
    EXPECT_EQ(trace(), (Trace{ "hook" }));
    ruvv_mem_free(win);
    win = nullptr;
}

TEST_F(DispatchTest, HandlerChainMessagesAreNeverDispatched)
{
    install_hook();
    Probe s{ "s" }, w{ "w" };
    add(screen, s);
    add(win, w);
    trace().clear();
    EXPECT_EQ(send(win, E_CXO), -1);
    EXPECT_TRUE(trace().empty());

    RUV_EVENT e = event_of(E_CXO);
    EXPECT_EQ(ruvv_cxo_call_next(win, nullptr, &e), -1);
    EXPECT_TRUE(trace().empty());
}

TEST_F(DispatchTest, CallNextNeedsExactlyOneStart)
{
    Probe w{ "w" };
    RUV_CXO *cxo = add(win, w);
    RUV_EVENT e = event_of(E_MOUSE_DOWN);
    trace().clear();
    EXPECT_EQ(ruvv_cxo_call_next(win, cxo, &e), -1);
    EXPECT_EQ(ruvv_cxo_call_next(NULL_WIN, nullptr, &e), -1);
    EXPECT_EQ(ruvv_cxo_call_next(win, nullptr, nullptr), -1);
    EXPECT_TRUE(trace().empty());
    // A handler may start a walk after itself: only what follows it.
    EXPECT_EQ(ruvv_cxo_call_next(NULL_WIN, cxo, &e), 7);
    EXPECT_EQ(trace(), (Trace{ "win:6" }));
}

TEST_F(DispatchTest, DeferredReportIsDeliveredBeforeTheNextEvent)
{
    ruvv_errmsg_pop_handler(capture);  // the standard report shows boxes
    win->handler = win_handler_reporting;

    send(win, E_UPDATE);
    EXPECT_TRUE(standin::boxes().empty());  // held during the repaint
    send(win, E_UPDATE);
    EXPECT_TRUE(standin::boxes().empty());  // not before another repaint

    win->handler = win_handler;
    send(win, E_MOUSE_DOWN);
    EXPECT_EQ(seen().boxes, 2u);  // both shown before the handler ran
    ASSERT_EQ(standin::boxes().size(), 2u);
    EXPECT_EQ(standin::boxes()[0].kind, "error");
    EXPECT_TRUE(standin::destroyed().empty());  // nothing was made fatal
}

TEST_F(DispatchTest, UpdateEventBracketsTheCounter)
{
    struct Case {
        const char *name;
        bool hook;
        RUV_BOOL answer;
    };
    const Case cases[] = { { "no hook", false, 1 }, { "hook passes", true, 1 }, { "hook consumes", true, 0 } };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_HELP_HOOK, c.hook ? reinterpret_cast<intptr_t>(hook) : 0);
        hook_answer() = c.answer;
        seen() = WinSeen();
        send(win, E_UPDATE);
        if (c.answer) {
            EXPECT_TRUE(seen().update);
        }
        EXPECT_FALSE(ruvv_app_is_update_in_progress());
        send(win, E_MOUSE_DOWN);
        if (c.answer) {
            EXPECT_FALSE(seen().update);
        }
    }
}

TEST_F(DispatchTest, HelpWithoutTopicGoesToTheTaskWindow)
{
    struct Case {
        int32_t ctx;
        int32_t topic;
        const char *receiver;
        int32_t topic_seen;
        bool object_kept;
    };
    const Case cases[] = {
        { 0, 0, "win:19", 0, true },
        { 500, 0, "task:19", 500, false },
        { 500, 42, "win:19", 42, true },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.ctx * 1000 + c.topic);
        ruvv_win_set_help_ctx(c.ctx);
        RUV_EVENT e = event_of(E_HELP);
        e.v.help.object = win;
        e.v.help.menu_tag = 1022;
        e.v.help.topic = c.topic;
        trace().clear();
        ruvv_win_dispatch_event(win, &e);
        EXPECT_EQ(trace(), (Trace{ c.receiver }));
        EXPECT_EQ(seen().event.v.help.topic, c.topic_seen);
        EXPECT_EQ(seen().event.v.help.object, c.object_kept ? win : NULL_WIN);
        EXPECT_EQ(seen().event.v.help.menu_tag, c.object_kept ? 1022 : 0);
    }
    EXPECT_EQ(ruvv_win_set_help_ctx(0), 500);
    EXPECT_EQ(ruvv_win_get_help_ctx(), 0);
}

TEST_F(DispatchTest, FirstEventLetsReportsKeepTheirSeverity)
{
    standin::end_process();  // no event yet
    ruvv_errmsg_push_handler(capture, nullptr);
    make_objects();
    reports().clear();
    RUV_ERR(nullptr, RUV_SEV_WARNING, 0x00250000);
    send(win, E_CREATE);
    RUV_ERR(nullptr, RUV_SEV_WARNING, 0x00250000);
    ASSERT_EQ(reports().size(), 2u);
    EXPECT_EQ(reports()[0].severity, RUV_SEV_FATAL);
    EXPECT_EQ(reports()[1].severity, RUV_SEV_WARNING);
}

// ---- lifetime of handlers ----

TEST_F(DispatchTest, EachHandlerGetsOneCreatedAndOneDestroyed)
{
    Probe a{ "a" }, b{ "b" };
    RUV_CXO *ca = add(win, a);
    RUV_CXO *cb = add(screen, b);
    EXPECT_TRUE(ruvv_cxo_is_valid(ca));
    EXPECT_EQ(cb->screen_level, 1);
    EXPECT_EQ(ca->screen_level, 0);
    ruvv_cxo_destroy(ca);
    ruvv_cxo_destroy(cb);
    EXPECT_EQ(trace(), (Trace{ "a:created", "b:created", "a:destroyed", "b:destroyed" }));
    EXPECT_EQ(win->cxo_chain, nullptr);
    EXPECT_EQ(screen->cxo_chain, nullptr);
}

TEST_F(DispatchTest, CreationMessageCarriesTheUserData)
{
    static void *got = nullptr;
    auto cb = [](RUV_CXO *, RUV_EVENT *e) -> int32_t {
        if (e->type == E_CXO && e->v.cxo.message == E_CXO_CREATED)
            got = e->v.cxo.data;
        return 0;
    };
    int data = 0;
    RUV_CXO *c = ruvv_cxo_create(win, &data, RUV_CXO_FRONT, cb, 0, "X", nullptr);
    EXPECT_EQ(got, &data);
    EXPECT_EQ(c->user_data, &data);
    ruvv_cxo_destroy(c);
}

TEST_F(DispatchTest, HandlerDestroyingItselfIsFreedWhenItsCallReturns)
{
    Probe h1{ "h1", DESTROY_SELF_THEN_PASS }, h2{ "h2" }, h3{ "h3" };
    add(win, h1);
    h1.also_destroy = add(win, h2);  // destroyed idle by h1, at once
    add(win, h3);
    trace().clear();
    EXPECT_EQ(send(win, E_MOUSE_DOWN), 7);
    // h1 still passes on past h2, which left the chain meanwhile.
    EXPECT_EQ(trace(), (Trace{ "h1:6", "h2:destroyed", "h3:6", "win:6", "h1:destroyed" }));
    ASSERT_NE(win->cxo_chain, nullptr);
    EXPECT_EQ(win->cxo_chain->app_data, &h3);
    EXPECT_EQ(win->cxo_chain->next, nullptr);
}

TEST_F(DispatchTest, ScreenHandlerDestroyingItselfWhileItRuns)
{
    Probe s{ "s", DESTROY_SELF_THEN_PASS }, w{ "w" };
    add(screen, s);
    add(win, w);
    trace().clear();
    EXPECT_EQ(send(win, E_MOUSE_DOWN), 7);
    EXPECT_EQ(trace(), (Trace{ "s:6", "w:6", "win:6", "s:destroyed" }));
    EXPECT_EQ(screen->cxo_chain, nullptr);
}

TEST_F(DispatchTest, HandlerDestroyingItselfOnCreation)
{
    Probe h{ "h", DESTROY_SELF_ON_CREATE };
    EXPECT_EQ(add(win, h), nullptr);
    EXPECT_EQ(trace(), (Trace{ "h:created", "h:destroyed" }));
    EXPECT_EQ(win->cxo_chain, nullptr);
}

TEST_F(DispatchTest, DestroyEventEndsTheWindowsHandlers)
{
    struct Case {
        const char *name;
        uint32_t win_mask;
        Action action;
        Trace trace;
    };
    const Case cases[] = {
        { "reaches the window", RUV_EVENT_MASK_ALL, PASS, { "h:1", "win:1", "h:destroyed" } },
        { "window lacks the type", RUV_EVENT_BIT(E_CREATE), PASS, { "h:1", "h:destroyed" } },
        { "handler consumes it", RUV_EVENT_MASK_ALL, CONSUME, { "h:1", "h:destroyed" } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        win->event_mask = c.win_mask;
        Probe h{ "h", c.action };
        add(win, h);
        trace().clear();
        send(win, E_DESTROY);
        EXPECT_EQ(trace(), c.trace);
        EXPECT_EQ(win->cxo_chain, nullptr);
        EXPECT_EQ(win->event_mask, 0u);
    }
}

TEST_F(DispatchTest, DestroyedPageFaceLeavesItsNotebook)
{
    static std::vector<std::pair<RUV_WIN, RUV_WIN>> forgotten;
    forgotten.clear();
    ruvv_win_set_face_forget([](RUV_WIN nb, RUV_WIN face) { forgotten.emplace_back(nb, face); });
    RUV_VOBJ *notebook = make_obj(RUV_EVENT_MASK_ALL, win_handler);
    notebook->type = 25;
    RUV_VOBJ *face = make_obj(RUV_EVENT_MASK_ALL, win_handler);
    face->parent = notebook;
    face->kind = RUV_KIND_PAGE;
    RUV_VOBJ *plain = make_obj(RUV_EVENT_MASK_ALL, win_handler);
    plain->parent = notebook;  // not a page face
    send(plain, E_DESTROY);
    send(face, E_DESTROY);
    ASSERT_EQ(forgotten.size(), 1u);
    EXPECT_EQ(forgotten[0].first, notebook);
    EXPECT_EQ(forgotten[0].second, face);
}

TEST_F(DispatchTest, ApplicationMessages)
{
    Probe h{ "h" };
    RUV_CXO *c = add(win, h);
    trace().clear();
    EXPECT_EQ(ruvv_cxo_dispatch_msg(c, 12, nullptr), 40);
    EXPECT_EQ(trace(), (Trace{ "h:msg12" }));
    EXPECT_EQ(ruvv_cxo_dispatch_msg(nullptr, 12, nullptr), -1);
}

TEST_F(DispatchTest, PositionsOtherThanFrontAndTailLinkNowhere)
{
    Probe h{ "h" };
    RUV_CXO *c = add(win, h, 2);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(win->cxo_chain, nullptr);
    ruvv_cxo_destroy(c);  // not in the chain: left alone
    EXPECT_TRUE(ruvv_cxo_is_valid(c));
    c->magic = nullptr;
    ruvv_mem_free(c);
}

TEST_F(DispatchTest, OwnerMustBeAWindow)
{
    Probe h{ "h" };
    EXPECT_EQ(add(NULL_WIN, h), nullptr);
    EXPECT_TRUE(reported(0x00210000));
    RUV_VOBJ unregistered{};
    unregistered.tag = RUV_VOBJ_TAG;
    EXPECT_EQ(add(&unregistered, h), nullptr);
    EXPECT_TRUE(reported(0x00220000));
    EXPECT_TRUE(trace().empty());
}

// ---- lookup by class ----

TEST_F(DispatchTest, LookupAndListingByClass)
{
    Probe a{ "a" }, b{ "b" }, n{ "n" };
    RUV_CXO *ca = add(win, a, RUV_CXO_TAIL, 0, "Tree");
    RUV_CXO *cb = add(win, b, RUV_CXO_TAIL, 0, "Tree");
    RUV_CXO *cn = add(win, n, RUV_CXO_TAIL, 0, "NavClassName");

    EXPECT_EQ(ruvv_win_get_cxo(win, "Tree", nullptr), ca);
    EXPECT_EQ(ruvv_win_get_cxo(win, "Tree", &b), cb);
    EXPECT_EQ(ruvv_win_get_cxo(win, "Tree", &n), nullptr);
    EXPECT_EQ(ruvv_win_get_cxo(win, "Edit", nullptr), nullptr);
    EXPECT_EQ(ruvv_win_get_nav(win), cn);
    EXPECT_EQ(ruvv_win_get_nav(screen), nullptr);
    RUV_VOBJ unregistered{};
    unregistered.tag = RUV_VOBJ_TAG;
    unregistered.cxo_chain = ca;
    EXPECT_EQ(ruvv_win_get_cxo(&unregistered, "Tree", nullptr), nullptr);

    SLIST *list = ruvv_win_list_cxos(win);
    ASSERT_NE(list, nullptr);
    std::vector<std::pair<std::string, intptr_t>> got;
    for (SLIST_ELT *e = ruvv_slist_get_first(list); e; e = ruvv_slist_get_next(list, e)) {
        intptr_t refcon = 0;
        got.emplace_back(ruvv_slist_get(list, e, &refcon), refcon);
    }
    ruvv_slist_destroy(list);
    using P = std::pair<std::string, intptr_t>;
    EXPECT_EQ(got, (std::vector<P>{ P("NavClassName", reinterpret_cast<intptr_t>(cn)),
                                    P("Tree", reinterpret_cast<intptr_t>(cb)),
                                    P("Tree", reinterpret_cast<intptr_t>(ca)) }));
    EXPECT_EQ(ruvv_win_list_cxos(task), nullptr);  // empty chain

    char buf[5] = "zzzz";
    EXPECT_EQ(ruvv_cxo_get_class_name(cn, buf, sizeof buf), buf);
    EXPECT_STREQ(buf, "NavC");
    char none[8] = "zzzzzzz";
    RUV_CXO *anon = ruvv_cxo_create(win, nullptr, RUV_CXO_TAIL, probe_cb, 0, nullptr, &a);
    EXPECT_EQ(ruvv_cxo_get_class_name(anon, none, sizeof none), nullptr);
    EXPECT_STREQ(none, "");
    // A handler without a name stops the lookup there.
    EXPECT_EQ(ruvv_win_list_cxos(win), nullptr);
}

// ---- event fields ----

TEST_F(DispatchTest, VirtualKeys)
{
    struct Case {
        intptr_t mode;
        int16_t key;
        int16_t flag;
        bool virtual_key;
    };
    const Case cases[] = {
        { 0, K_HOME, 0, true }, { 0, 'a', 1, false }, { 0, 255, 0, false }, { 0, 256, 0, true },
        { 1, K_HOME, 0, false }, { 1, 'a', 1, true },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.key);
        ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_KEY_HOOK_MODE, c.mode);
        RUV_EVENT e = event_of(E_CHAR);
        e.v.chr.key = c.key;
        e.v.chr.virtual_key = c.flag;
        EXPECT_EQ(ruvv_event_is_virtual_key(&e) != 0, c.virtual_key);
    }
}

TEST_F(DispatchTest, FontOfAFontEvent)
{
    RUV_FONT *mine = ruvv_font_create();
    RUV_FONT *given = ruvv_font_create();
    ASSERT_TRUE(mine && given);
    ruvv_font_set_size(given, 17);
    RUV_EVENT e = event_of(E_FONT);
    e.v.font.font = mine;
    EXPECT_EQ(ruvv_event_get_font(&e), mine);
    ruvv_event_set_font(&e, given);
    EXPECT_EQ(ruvv_font_get_size(mine), 17);
    RUV_EVENT other = event_of(E_MOUSE_DOWN);
    EXPECT_EQ(ruvv_event_get_font(&other), nullptr);
    ruvv_font_destroy(mine);
    ruvv_font_destroy(given);
}

// ---- memory ----

class DispatchAllocTest : public DispatchTest {
protected:
    void install_hooks() override { FailingAlloc::install(0); }
};

TEST_F(DispatchAllocTest, HandlerThatCannotBeAllocatedIsNullWithoutReport)
{
    Probe h{ "h" };
    FailingAlloc::fail_next(1);
    EXPECT_EQ(add(win, h), nullptr);
    EXPECT_TRUE(reports().empty());
    EXPECT_TRUE(trace().empty());
    EXPECT_EQ(win->cxo_chain, nullptr);
}

} // namespace
