// The conformance table's driver: every row of every family (rows_*.cpp)
// run in a started application against the real ruvbase.dll (what a row
// promises: conformance.h), and the coverage check that every function
// declared in ruv.h has a row.
#include "conformance.h"
#include "window_create.h"

#include <algorithm>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

// This program's import slot of the base library's mark entry.
extern "C" void (*__imp_ruvv_errfrm_mark_API)(const char *);

namespace ruvf_test {
namespace {

using MarkEntry = void (*)(const char *);

// The names the front layer marks while a valid call runs, seen through
// this program's import of the base library's mark entry: those marked
// while the recorder's frame held only the marks it had before the call
// (a function's own mark, not those of the functions it calls).
class MarkSpy {
public:
    explicit MarkSpy(Recorder &rec) : rec_(rec), base_(rec.marks().size()), real_(__imp_ruvv_errfrm_mark_API)
    {
        active_ = this;
        swap(spy);
    }
    ~MarkSpy()
    {
        swap(real_);
        active_ = nullptr;
    }
    MarkSpy(const MarkSpy &) = delete;
    MarkSpy &operator=(const MarkSpy &) = delete;
    const std::vector<std::string> &outer() const { return outer_; }

private:
    static void swap(MarkEntry entry)
    {
        DWORD old = 0;
        VirtualProtect(&__imp_ruvv_errfrm_mark_API, sizeof entry, PAGE_READWRITE, &old);
        __imp_ruvv_errfrm_mark_API = entry;
        VirtualProtect(&__imp_ruvv_errfrm_mark_API, sizeof entry, old, &old);
    }
    static void spy(const char *name)
    {
        MarkSpy *s = active_;
        if (s && s->rec_.marks().size() == s->base_)
            s->outer_.push_back(name ? name : "(null)");
        s->real_(name);
    }
    static MarkSpy *active_;
    Recorder &rec_;
    size_t base_;
    MarkEntry real_;
    std::vector<std::string> outer_;
};
MarkSpy *MarkSpy::active_ = nullptr;

std::string joined(const std::vector<std::string> &names)
{
    std::string out;
    for (const std::string &n : names)
        out += (out.empty() ? "" : " ") + n;
    return out.empty() ? "nothing" : out;
}

// One bad call: its first report, the marks, the failure value.
void expect_refused(const Row &row, Recorder &rec, const std::string &what, RUV_ERRMSG_ID id, int32_t severity,
                    void *req, const std::function<intptr_t()> &call)
{
    SCOPED_TRACE(row.name + ": " + what);
    rec.clear();
    std::vector<std::string> before = rec.marks();
    intptr_t result = call();
    EXPECT_EQ(rec.marks(), before) << "the frame's marks changed";
    if (id == 0) {
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
        return;
    }
    ASSERT_FALSE(rec.reports().empty()) << "nothing raised";
    const Report &r = rec.reports().front();
    EXPECT_EQ(r.id, id) << describe(rec.reports());
    EXPECT_EQ(r.severity, severity) << describe(rec.reports());
    if (row.plain_forwarder) {
        EXPECT_EQ(r.api.find(row.name), std::string::npos) << "a forwarder marked its name: " << r.api;
        return;
    }
    EXPECT_EQ(r.innermost(), row.name) << r.api;
    EXPECT_EQ(r.file, row.source);
    EXPECT_EQ(r.req, req);
    if (severity != RUV_SEV_WARNING) {
        EXPECT_EQ(result, row.failure_value);
    }
}

// The update probe: the row's valid call made inside a real E_UPDATE.
struct UpdateProbe {
    const Row *row = nullptr;
    Ctx *ctx = nullptr;
    bool ran = false;
    intptr_t result = 0;
    std::vector<Report> reports;
    std::vector<std::string> marks_before, marks_after;
};
UpdateProbe *g_probe = nullptr;

int32_t update_handler(RUV_WIN, RUV_EVENT *e)
{
    if (e->type != E_UPDATE || !g_probe || g_probe->ran)
        return 0;
    g_probe->ran = true;
    Recorder rec;
    g_probe->marks_before = rec.marks();
    g_probe->result = g_probe->row->valid_call(*g_probe->ctx);
    g_probe->marks_after = rec.marks();
    g_probe->reports = rec.reports();
    return 0;
}

void run_in_update(const Row &row, Ctx &c)
{
    SCOPED_TRACE(row.name + ": called during E_UPDATE");
    RUV_RECT r{ 300, 420, 500, 720 };
    RUV_WIN painted = ruvk_win_create(1, &r, "Update", 0, c.get(Obj::Task), 0x803, RUV_EVENT_MASK_ALL,
                                      update_handler, nullptr);
    ASSERT_TRUE(painted);
    c.make_all();
    pump(30);
    std::string before = c.snapshot();
    UpdateProbe probe;
    probe.row = &row;
    probe.ctx = &c;
    g_probe = &probe;
    HWND h = static_cast<HWND>(painted->native);
    InvalidateRect(h, nullptr, TRUE);
    UpdateWindow(h);
    g_probe = nullptr;
    ruvk_vobj_destroy(painted);
    pump(10);
    ASSERT_TRUE(probe.ran) << "no E_UPDATE reached the window";
    EXPECT_EQ(probe.marks_after, probe.marks_before);
    if (row.refuses_update) {
        ASSERT_FALSE(probe.reports.empty()) << "nothing raised";
        EXPECT_EQ(probe.reports.front().id, 0x01610001u) << describe(probe.reports);
        EXPECT_EQ(probe.reports.front().innermost(), row.name);
        EXPECT_EQ(probe.reports.front().file, row.source);
        EXPECT_EQ(probe.result, row.failure_value);
        EXPECT_EQ(c.snapshot(), before) << "a refused call changed a window";
    } else {
        size_t errors = 0;
        for (const Report &rep : probe.reports)
            errors += rep.severity != RUV_SEV_WARNING;
        EXPECT_EQ(errors, 0u) << describe(probe.reports);
    }
}

void run_row(const Row &row)
{
    SCOPED_TRACE(row.name);
    // A box that a call shows is answered, whichever call shows it.
    Dismisser dismiss;
    Recorder rec;
    // Window probes.
    if (row.window_call) {
        Ctx c;
        expect_refused(row, rec, "NULL window", row.null_window_id, RUV_SEV_ERROR, nullptr,
                       [&] { return row.window_call(c, NULL_WIN); });
        expect_refused(row, rec, "foreign record with the tag", row.invalid_window_id, RUV_SEV_ERROR, nullptr,
                       [&] { return row.window_call(c, c.foreign()); });
        if (row.probe_destroyed) {
            RUV_WIN gone = c.destroyed();
            expect_refused(row, rec, "destroyed window", row.invalid_window_id, RUV_SEV_ERROR, nullptr,
                           [&] { return row.window_call(c, gone); });
        }
        for (auto &t : row.refused) {
            RUV_WIN w = c.get(t.first);
            expect_refused(row, rec, "refused window kind " + std::to_string(static_cast<int>(t.first)), t.second,
                           RUV_SEV_ERROR, nullptr, [&] { return row.window_call(c, w); });
        }
    }
    // Bad calls.
    for (const Bad &b : row.bads) {
        Ctx c;
        void *req = b.req ? b.req(c) : nullptr;
        expect_refused(row, rec, b.what, b.id, b.severity, req, [&] { return b.call(c); });
    }
    // The valid call.
    if (!row.valid_call) {
        EXPECT_FALSE(row.no_valid_reason.empty()) << "a row without a valid call says why";
        return;
    }
    {
        Ctx c;
        rec.clear();
        std::vector<std::string> before = rec.marks();
        intptr_t result;
        std::vector<std::string> marked;
        {
            MarkSpy spy(rec);
            result = row.valid_call(c);
            marked = spy.outer();
        }
        pump(10);
        EXPECT_EQ(rec.marks(), before);
        bool own = std::find(marked.begin(), marked.end(), row.name) != marked.end();
        if (row.plain_forwarder) {
            EXPECT_FALSE(own) << "a forwarder marked its name";
        } else {
            EXPECT_TRUE(own) << "the valid call marked " << joined(marked) << ", not its own name";
        }
        EXPECT_EQ(rec.errors(), 0u) << "the valid call raised " << describe(rec.reports());
        if (row.read_back_check) {
            EXPECT_TRUE(row.read_back_check(c)) << "the valid call's change is not there";
        }
        if (row.result_check) {
            EXPECT_TRUE(row.result_check(c, result)) << "the valid call's result is wrong: " << result;
        }
    }
    if (row.refuses_update || row.draws_in_update) {
        Ctx c;
        run_in_update(row, c);
    }
}

std::vector<std::string> sources()
{
    std::set<std::string> s;
    for (const Row &r : all_rows())
        s.insert(r.source);
    return { s.begin(), s.end() };
}

} // namespace

class Family : public ::testing::TestWithParam<std::string> {};

TEST_P(Family, EveryRowConforms)
{
    in_app([&] {
        for (const Row &row : all_rows())
            if (row.source == GetParam())
                run_row(row);
    });
}

GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(Family);
INSTANTIATE_TEST_SUITE_P(Table, Family, ::testing::ValuesIn(sources()),
                         [](const ::testing::TestParamInfo<std::string> &i) { return i.param; });

// Every function declared in ruv.h has a row (run as its own test,
// ruvf_coverage; the table's run skips it).
TEST(Coverage, EveryDeclaredFunctionHasARow)
{
    if (!getenv("RUVF_COVERAGE"))
        GTEST_SKIP() << "run as ruvf_coverage";
    std::ifstream in(TRAZ_TEST_SOURCE_DIR "/ruv/front/include/ruv.h");
    ASSERT_TRUE(in) << "ruv.h not found";
    std::stringstream ss;
    ss << in.rdbuf();
    std::string text = ss.str();
    // Without comments and preprocessor lines.
    text = std::regex_replace(text, std::regex(R"(/\*[\s\S]*?\*/)"), " ");
    text = std::regex_replace(text, std::regex(R"(//[^\n]*)"), " ");
    text = std::regex_replace(text, std::regex(R"(#[^\n]*)"), " ");
    std::set<std::string> declared;
    std::regex decl(R"(\b(ruv_[A-Za-z0-9_]+)\s*\()");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), decl); it != std::sregex_iterator(); ++it)
        declared.insert((*it)[1]);
    std::set<std::string> rows;
    for (const Row &r : all_rows())
        EXPECT_TRUE(rows.insert(r.name).second) << "two rows for " << r.name;
    std::string missing, extra;
    for (const std::string &d : declared)
        if (!rows.count(d))
            missing += d + " ";
    for (const std::string &r : rows)
        if (!declared.count(r))
            extra += r + " ";
    EXPECT_EQ(missing, "") << declared.size() << " declared, " << rows.size() << " rows";
    EXPECT_EQ(extra, "") << "rows for functions ruv.h does not declare";
}

} // namespace ruvf_test
