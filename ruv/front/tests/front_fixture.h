// Test fixture of the front layer: a started toolkit application around a
// test body, a recorder that handles every report of its error frame, the
// objects a call needs (made on demand, destroyed with their context) and
// a dismisser that answers every modal window.
//
//   TEST(Vobj, GetParent) {
//       ruvf_test::in_app([] {
//           ruvf_test::Recorder rec;          // opens a frame; records reports
//           ruvf_test::Ctx c;                 // windows made on demand
//           EXPECT_EQ(ruv_vobj_get_parent(c.get(ruvf_test::Obj::Child)), c.get(ruvf_test::Obj::Doc));
//           EXPECT_TRUE(rec.reports().empty());
//       });
//   }
//
// The body runs inside the message loop once the task window is made (so
// reports keep their severity: before the first event every report is
// fatal); the task window is destroyed after it.
#ifndef RUVF_FRONT_FIXTURE_H
#define RUVF_FRONT_FIXTURE_H

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "event_test_support.h"
#include "kernel_test_support.h"

namespace ruvf_test {

// One report as a handler saw it.
struct Report {
    int32_t severity;
    RUV_ERRMSG_ID id;
    std::string api;     // API marks, innermost first, blank-separated
    std::string file;    // source name
    int32_t line;
    void *req;           // request object
    std::string innermost() const { return api.substr(0, api.find(' ')); }
};

// Opens an error frame for its scope and records (and handles) every report
// raised in it.
class Recorder {
public:
    Recorder();
    ~Recorder();
    Recorder(const Recorder &) = delete;
    Recorder &operator=(const Recorder &) = delete;
    std::vector<Report> &reports() { return reports_; }
    void clear() { reports_.clear(); }
    // Reports other than warnings.
    size_t errors() const;
    // The frame's API marks now.
    std::vector<std::string> marks() const;
    RUV_ERRFRM *frame() { return frame_.get(); }

private:
    static RUV_BOOL record(RUV_ERRMSG *m, void *data);
    mutable ruv::ErrFrame frame_;
    std::vector<Report> reports_;
};

// The reports as text (severity, id, marks, source and line), for messages.
std::string describe(const std::vector<Report> &reports);

// Objects a call may need.
enum class Obj {
    Doc,        // visible document window (type 1) of the task window
    Plain,      // visible top-level window of type 2
    Child,      // child window (type 7) of Doc
    Button,     // push button (12) in Doc
    Edit,       // edit field (17) in Doc
    List,       // list box (19) in Doc
    Static,     // static text (18) in Doc
    HScroll,    // horizontal scroll bar (15) in Doc
    TextEdit,   // text-edit window (kind flag 0x2000, type 23) in Doc
    Task,       // the task window (attribute 301)
    Screen,     // the screen object (attribute 300)
};

// The objects of one row or test, made on first use.
class Ctx {
public:
    Ctx() = default;
    ~Ctx();
    Ctx(const Ctx &) = delete;
    Ctx &operator=(const Ctx &) = delete;

    RUV_WIN get(Obj o);
    // Makes every object (before a snapshot that a call is compared to).
    void make_all();
    HWND hwnd(Obj o);
    // The native window text of an object.
    std::string title(Obj o);
    // A record with the tag that the registry does not know.
    RUV_WIN foreign();
    // The handle of a window made and destroyed just now.  Its memory is
    // taken again at once (as a new record would take it) and holds the
    // tag, so only the registry tells it from a window; no window made
    // after it can get its address while the context lives.
    RUV_WIN destroyed();
    // Native state (rectangles, texts, visibility, enabling, children) of
    // every object made so far, for "nothing changed" comparisons.
    std::string snapshot();

private:
    std::map<Obj, RUV_WIN> made_;
    RUV_VOBJ foreign_{};
    std::vector<void *> held_;
};

// Runs body in the message loop of a started application; task_handler
// (default: accepts everything) is the task window's handler.
void in_app(std::function<void()> body, RUV_EVENT_HANDLER task_handler = nullptr);

// Answers every modal window of this thread while it lives (OK, else
// closed).
class Dismisser {
public:
    Dismisser();
    ~Dismisser();
    int answered() const { return answered_; }

private:
    void watch();
    DWORD thread_;
    std::atomic<bool> running_{ true };
    std::atomic<int> answered_{ 0 };
    std::thread worker_;
};

// Processes pending messages for about ms milliseconds.
using et::pump;

} // namespace ruvf_test

#endif
