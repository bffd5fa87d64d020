// The program start on the real base library: ruv_win_main's argument
// vector, ruv_app_create's argument checks and memory hooks, the
// configuration behind attribute 104 after the loop, the exit status of a
// fatal error and the shared-library start without its entry.  Runs that
// end their process run in a child of this program.
#include "front_fixture.h"
#include "ruv.h"
#include "ruvv_dm.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// What ProgramMain does and what it saw.
enum class Mode { Record, AppArgcZero, AppNullArgv, AppConfigLife, Hooks, Fatal };
Mode g_mode = Mode::Record;
int g_argc = -1;
DWORD g_main_thread = 0;
std::string g_argv0;
bool g_task_made = false;
std::vector<ruvf_test::Report> g_reports;

void fatal(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    ruvv_dm_post_fatal_exit(format, args);
    va_end(args);
}

int32_t task_handler(RUV_WIN, RUV_EVENT *e)
{
    if (e->type == E_CREATE)
        g_task_made = true;
    return 0;
}

// Ends the message loop from inside (after the task window's creation) by
// the quit message, so ruv_app_create returns (destroying the task window
// would end the process through the exit callback); a fatal error instead
// when asked.
void CALLBACK end_app(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    if (g_mode == Mode::Fatal) {
        fatal("Fatal in the start test");
        return;
    }
    PostQuitMessage(0);
}

RUV_APP_CONFIG g_caller_config{ 0, 0, "ftest", "Front test", "Front test task" };

void run_app(int argc, char **argv)
{
    SetTimer(nullptr, 0, 50, end_app);
    RUV_APP_CONFIG config = g_caller_config;
    ruv_app_create(argc, argv, 0, task_handler, &config);
}

// Writes a line to the file that the parent named, for child runs.
void child_says(const std::string &line)
{
    if (const char *out = std::getenv("RUVF_START_CHILD"))
        if (FILE *f = std::fopen(out, "a")) {
            std::fprintf(f, "%s\n", line.c_str());
            std::fclose(f);
        }
}

// Overwrites the stack below the caller, where the frames of the calls
// that have returned were.
__attribute__((noinline)) void scrub_stack()
{
    volatile char scrub[16384];
    for (size_t i = 0; i < sizeof scrub; ++i)
        scrub[i] = 0x5A;
}

} // namespace

extern "C" int ProgramMain(int argc, char **argv)
{
    g_argc = argc;
    g_main_thread = GetCurrentThreadId();
    g_argv0 = argc > 0 && argv && argv[0] ? argv[0] : "";
    ruvf_test::Recorder rec;
    switch (g_mode) {
    case Mode::Record:
        break;
    case Mode::AppArgcZero:
        run_app(0, nullptr);
        break;
    case Mode::AppNullArgv:
        ruv_app_create(1, nullptr, 0, task_handler, &g_caller_config);
        break;
    case Mode::AppConfigLife: {
        run_app(argc, argv);
        // The caller's record and ruv_app_create's frame are gone; the
        // attribute still names the configuration.
        scrub_stack();
        auto *c = reinterpret_cast<const RUV_APP_CONFIG *>(ruv_vobj_get_attr(NULL_WIN, 104));
        bool same = c && c->menu_bar_id == 0 && std::string(c->base_name) == "ftest" &&
                    std::string(c->task_title) == "Front test task";
        child_says(same ? "config kept" : "config lost");
        break;
    }
    case Mode::Hooks: {
        run_app(argc, argv);
        auto *f = reinterpret_cast<RUV_MEM_FUNCS *>(ruv_vobj_get_attr(NULL_WIN, 707));
        if (!f || !f->alloc)
            child_says("no hooks");
        else if (f->alloc == kt::MemCount::alloc)
            child_says(kt::MemCount::allocs() > 0 ? "own hooks kept" : "own hooks unused");
        else
            child_says("defaults");
        break;
    }
    case Mode::Fatal:
        run_app(argc, argv);
        break;
    }
    g_reports = rec.reports();
    return 42;
}

namespace {

std::string module_path()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

int start(Mode mode)
{
    g_mode = mode;
    g_task_made = false;
    g_reports.clear();
    return ruv_win_main(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_SHOWNORMAL);
}

// Runs this program with the tests of filter (first_word, when given,
// first on its command line): exit code and what the child wrote.
kt::ChildRun run_child(const char *filter, const char *first_word = nullptr)
{
    return kt::run_child("RUVF_START_CHILD", filter, first_word);
}

bool in_child()
{
    return std::getenv("RUVF_START_CHILD") != nullptr;
}

TEST(Start, ProgramMainGetsTheModulePathAsFirstArgument)
{
    EXPECT_EQ(start(Mode::Record), 42);
    EXPECT_GE(g_argc, 1);
    EXPECT_EQ(g_argv0, module_path());
    child_says("argv0 " + g_argv0);
}

TEST(Start, FirstArgumentIsTheModulePathWhateverTheCommandLineSays)
{
    if (in_child())
        GTEST_SKIP();
    kt::ChildRun run = run_child("Start.ProgramMainGetsTheModulePathAsFirstArgument", "not_the_program");
    ASSERT_TRUE(run.ran);
    EXPECT_EQ(run.exit_code, 0u);
    EXPECT_EQ(run.output, "argv0 " + module_path() + "\n");
}

TEST(Start, AppCreateWithoutArgumentsStarts)
{
    EXPECT_EQ(start(Mode::AppArgcZero), 42);
    EXPECT_TRUE(g_task_made);
    // (A program without resources hears about its missing name and
    // accelerators from the kernel; the front raises nothing.)
    for (const ruvf_test::Report &r : g_reports)
        EXPECT_NE(r.file, "tapp") << "report 0x" << std::hex << r.id;
}

TEST(Start, AppCreateWithArgcOneAndNoVectorReportsOnceAndDoesNotStart)
{
    EXPECT_EQ(start(Mode::AppNullArgv), 42);
    EXPECT_FALSE(g_task_made);
    ASSERT_EQ(g_reports.size(), 1u);
    EXPECT_EQ(g_reports[0].id, 0x00210000u);
    EXPECT_EQ(g_reports[0].innermost(), "ruv_app_create");
    EXPECT_EQ(g_reports[0].file, "tapp");
}

TEST(Start, ConfigurationOfAttribute104OutlivesTheLoop)
{
    if (!in_child()) {
        kt::ChildRun run = run_child("Start.ConfigurationOfAttribute104OutlivesTheLoop");
        ASSERT_TRUE(run.ran);
        EXPECT_EQ(run.output, "config kept\n");
        return;
    }
    start(Mode::AppConfigLife);
}

// Hooks are the process's: the first installation wins, so each case runs
// in a child of its own.
TEST(Start, HooksInstalledBeforeAppCreateStay)
{
    if (!in_child()) {
        kt::ChildRun run = run_child("Start.HooksInstalledBeforeAppCreateStay");
        ASSERT_TRUE(run.ran);
        EXPECT_EQ(run.output, "own hooks kept\n");
        return;
    }
    kt::MemCount::install(false);
    start(Mode::Hooks);
}

TEST(Start, WithoutHooksTheDefaultsComeBeforeTheStart)
{
    if (!in_child()) {
        kt::ChildRun run = run_child("Start.WithoutHooksTheDefaultsComeBeforeTheStart");
        ASSERT_TRUE(run.ran);
        EXPECT_EQ(run.output, "defaults\n");
        return;
    }
    start(Mode::Hooks);
}

TEST(Start, FatalErrorEndsTheRunWithANonZeroStatus)
{
    if (!in_child()) {
        kt::ChildRun run = run_child("Start.FatalErrorEndsTheRunWithANonZeroStatus");
        ASSERT_TRUE(run.ran);
        EXPECT_EQ(run.exit_code, 1u);
        EXPECT_EQ(run.output, "");
        return;
    }
    kt::ModalGuard guard({ { "Fatal in the start test", 0 } });
    start(Mode::Fatal);
    child_says("returned");
}

TEST(Start, NormalEndThroughTheExitCallbackIsZero)
{
    if (!in_child()) {
        kt::ChildRun run = run_child("Start.NormalEndThroughTheExitCallbackIsZero");
        ASSERT_TRUE(run.ran);
        EXPECT_EQ(run.exit_code, 0u);
        return;
    }
    ruv_exit_callback(0);
}

TEST(Start, StartRecordGetsTheThreeCallbacks)
{
    RUV_START_RECORD record{};
    EXPECT_EQ(ruv_fill_start_callbacks(nullptr), 0);
    EXPECT_EQ(ruv_fill_start_callbacks(&record), 1);
    EXPECT_EQ(record.exit_callback, ruv_exit_callback);
    EXPECT_EQ(record.tx_create_callback, reinterpret_cast<void *>(ruv_tx_create_def_callback));
    EXPECT_EQ(record.tx_lookup_callback, reinterpret_cast<void *>(ruv_tx_get_tx_callback));
}

// The shared-library start: ProgramMain runs on the thread that
// ruv_dll_start_thread makes, with the module's path as its one argument.
TEST(Start, SharedLibraryStartRunsProgramMainOnItsOwnThread)
{
    if (!in_child()) {
        kt::ChildRun run = run_child("Start.SharedLibraryStartRunsProgramMainOnItsOwnThread");
        ASSERT_TRUE(run.ran);
        EXPECT_EQ(run.output, "thread 42, argc 1, argv0 " + module_path() + "\n");
        return;
    }
    EXPECT_EQ(ruv_dll_main(GetModuleHandleA(nullptr), 1, nullptr), 1);
    g_mode = Mode::Record;
    HANDLE thread = ruv_dll_start_thread();
    ASSERT_TRUE(thread);
    WaitForSingleObject(thread, 20000);
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    if (g_main_thread != GetCurrentThreadId())
        child_says("thread " + std::to_string(code) + ", argc " + std::to_string(g_argc) + ", argv0 " + g_argv0);
}

TEST(Start, DllThreadWithoutDllMainShowsTheBoxAndReturnsOne)
{
    kt::ModalGuard guard({ { "\"ruv_dll_main\" entry point not called", 0 } });
    EXPECT_EQ(ruv_dll_thread_main(nullptr), 1);
    guard.stop();
    std::vector<std::string> texts = guard.texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].find("RUV Error"), std::string::npos);
}

} // namespace
