// The standard dialogs on real windows: the question box's answers and
// its hidden buttons, the error and note boxes, the 199-character cut of a
// format and a long argument kept within the text buffer, the string
// prompt's bound and cancel, the about box's help request and its alert,
// the font dialog's event for another font, the colour dialog's untagged
// answer, the file dialogs' type, cancel, failure and the cut of a full
// initial name, the folder dialog, F1 in a box of the dialog manager and
// in the box of a reported error or warning,
// boxes that cannot be made, the About and Font items of a menu bar, and
// the fatal exit in a child process.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "event_test_support.h"
#include <commdlg.h>
#include <dlgs.h>
#include "ruvv_dm.h"
#include "menus.h"
#include "ruvv_font.h"
#include "ruvv_res.h"
#include "startup.h"

namespace {

// Answers the next dialog whose title is `title` from a thread timer inside
// the modal loop: `look` sees it first, then `button` is clicked (0 closes
// it).
struct Answerer {
    Answerer(std::string t, int b, std::function<void(HWND)> l = {})
        : title(std::move(t)), button(b), look(std::move(l))
    {
    }
    std::string title;
    int button = 0;
    std::function<void(HWND)> look;
    bool done = false;
};
Answerer *answerer = nullptr;

void CALLBACK answer_tick(HWND, UINT, UINT_PTR id, DWORD)
{
    if (!answerer || answerer->done)
        return;
    HWND h = FindWindowA("#32770", answerer->title.c_str());
    if (!h || !IsWindowVisible(h))
        return;
    answerer->done = true;
    KillTimer(nullptr, id);
    if (answerer->look)
        answerer->look(h);
    if (answerer->button)
        PostMessageA(h, WM_COMMAND, MAKEWPARAM(answerer->button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(h, answerer->button)));
    else
        PostMessageA(h, WM_CLOSE, 0, 0);
}

template <typename F> auto answered(Answerer a, F call) -> decltype(call())
{
    answerer = &a;
    UINT_PTR t = SetTimer(nullptr, 0, 30, answer_tick);
    auto r = call();
    KillTimer(nullptr, t);
    EXPECT_TRUE(a.done) << "no dialog " << a.title;
    answerer = nullptr;
    return r;
}

int32_t ask(const char *b2, const char *b3, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    int32_t r = ruvk_dm_post_ask("Yes", b2, b3, format, args);
    va_end(args);
    return r;
}

int32_t note(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    int32_t r = ruvk_dm_post_note(format, args);
    va_end(args);
    return r;
}

std::string item_text(HWND dlg, int id)
{
    char buf[8192] = "";
    GetDlgItemTextA(dlg, id, buf, sizeof buf);
    return buf;
}

void app(std::function<void()> body, RUV_EVENT_HANDLER task = nullptr)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::seen().clear();
    et::run(std::move(body), task);
}

TEST(QuestionBox, AnswersByButtonAndHidesMissingOnes)
{
    app([] {
        struct Case {
            int button;
            int32_t want;
        } cases[] = {{1, 0}, {4, 1}, {2, 2}, {0, 2}};
        for (const Case &c : cases)
            EXPECT_EQ(answered({"Question", c.button}, [] { return ask("No", "Cancel", "Go on %d?", 3); }), c.want)
                << c.button;

        // Yes, No and no third button: two buttons; mnemonics put in front
        // except on an exempt "Cancel".
        bool third_shown = true;
        std::string texts[3], message;
        answered({"Question", 0,
                  [&](HWND h) {
                      third_shown = IsWindowVisible(GetDlgItem(h, 2));
                      texts[0] = item_text(h, 1);
                      texts[1] = item_text(h, 4);
                      message = item_text(h, 5);
                  }},
                 [] { return ask("No", nullptr, "Go on %s?", "now"); });
        EXPECT_FALSE(third_shown);
        EXPECT_EQ(texts[0], "&Yes");
        EXPECT_EQ(texts[1], "&No");
        EXPECT_EQ(message, "Go on now?");
        answered({"Question", 0, [&](HWND h) { texts[2] = item_text(h, 2); }},
                 [] { return ask("N~o", "Cancel", "?"); });
        EXPECT_EQ(texts[2], "Cancel");
    });
}

TEST(NoteBox, FormatCutAt199AndLongArgumentsBounded)
{
    app([] {
        std::string format(250, 'f');
        format += "%s";
        std::string shown;
        EXPECT_EQ(answered({"Note", 1, [&](HWND h) { shown = item_text(h, 5); }},
                           [&] { return note(format.c_str(), "never"); }),
                  1);
        EXPECT_EQ(shown, std::string(199, 'f'));

        // A 10000-character argument into the 4 KB text.
        std::string huge(10000, 'x');
        EXPECT_EQ(answered({"Note", 0, [&](HWND h) { shown = item_text(h, 5); }},
                           [&] { return note("%s", huge.c_str()); }),
                  2);
        EXPECT_EQ(shown, std::string(4095, 'x'));
    });
}

TEST(StringPrompt, BoundedResponseAndCancel)
{
    app([] {
        char buf[6] = "abc";
        char *r = answered({"Prompt", 1,
                            [](HWND h) {
                                EXPECT_EQ(item_text(h, 4), "Name?");
                                EXPECT_EQ(item_text(h, 5), "abc");
                                SetDlgItemTextA(h, 5, "abcdefgh");
                            }},
                           [&] { return ruvk_dm_post_string_prompt("Name?", buf, sizeof buf); });
        EXPECT_EQ(r, buf);
        EXPECT_STREQ(buf, "abcde");
        for (int button : {2, 0}) {
            std::strcpy(buf, "keep");
            EXPECT_EQ(answered({"Prompt", button, [](HWND h) { SetDlgItemTextA(h, 5, "zz"); }},
                               [&] { return ruvk_dm_post_string_prompt("Name?", buf, sizeof buf); }),
                      nullptr);
            EXPECT_STREQ(buf, "keep");
        }
    });
}

int32_t help_topics(RUV_WIN win, RUV_EVENT *ev)
{
    if (ev->type == E_HELP)
        et::record(win, ev);
    return 0;
}

TEST(AboutBox, HelpButtonAsksTheTaskWindowAndAMissingBoxAlerts)
{
    app(
        [] {
            answered({"About the test", 2}, [] { ruvk_dm_post_about_box(); return 0; });
            EXPECT_TRUE(et::seen().empty());
            answered({"About the test", 1}, [] { ruvk_dm_post_about_box(); return 0; });
            ASSERT_EQ(et::seen().size(), 1u);
            EXPECT_EQ(et::seen()[0].win, et::task());
            EXPECT_EQ(et::seen()[0].ev.v.help.topic, 32006);

            auto *config = reinterpret_cast<RUV_APP_CONFIG *>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_APP_CONFIG));
            RUV_APP_CONFIG missing = config ? *config : RUV_APP_CONFIG{};
            missing.about_box_id = 777;
            ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_APP_CONFIG, reinterpret_cast<intptr_t>(&missing));
            std::string text;
            answered({"Alert", 0, [&](HWND h) { text = item_text(h, 0xFFFF); }},
                     [] { ruvk_dm_post_about_box(); return 0; });
            ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_APP_CONFIG, reinterpret_cast<intptr_t>(config));
            EXPECT_EQ(text, "Can't show the about box");
        },
        help_topics);
}

TEST(DialogManagerEntry, F1InABoxAsksTheTaskWindowWithTheBoxsTopic)
{
    app(
        [] {
            answered({"Note", 1,
                      [](HWND h) {
                          HWND ok = GetDlgItem(h, 1);
                          SetFocus(ok);
                          PostMessageA(ok, WM_KEYDOWN, VK_F1, 0);
                      }},
                     [] { return ruvv_dm_post_note_va("Read %s", "this"); });
            ASSERT_EQ(et::seen().size(), 1u);
            EXPECT_EQ(et::seen()[0].win, et::task());
            EXPECT_EQ(et::seen()[0].ev.v.help.topic, 32060);
            EXPECT_EQ(ruvv_win_get_help_ctx(), 0);
        },
        help_topics);
}

// The boxes of the error framework's own report are the dialog manager's:
// F1 in the box of a reported warning or error asks the task window with
// the topic of warning or error boxes.
TEST(DialogManagerEntry, F1InTheBoxOfAReportAsksWithTheTopicOfItsKind)
{
    app(
        [] {
            // Without the application's error hook the root frame's
            // standard report shows the box.
            ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_ERROR_HOOK, 0);
            const struct {
                int32_t severity;
                int32_t topic;
            } cases[] = {{RUV_SEV_WARNING, 32080}, {RUV_SEV_ERROR, 32070}};
            for (const auto &c : cases) {
                SCOPED_TRACE(c.severity);
                et::seen().clear();
                std::string text;
                answered({"Error", 1,
                          [&](HWND h) {
                              text = item_text(h, 5);
                              HWND ok = GetDlgItem(h, 1);
                              SetFocus(ok);
                              PostMessageA(ok, WM_KEYDOWN, VK_F1, 0);
                          }},
                         [&] { return ruvv_errmsg_dispatch(nullptr, c.severity, 0x01250001, "boxes.c", 7); });
                EXPECT_NE(text.find("Bad value"), std::string::npos) << text;
                ASSERT_EQ(et::seen().size(), 1u);
                EXPECT_EQ(et::seen()[0].win, et::task());
                EXPECT_EQ(et::seen()[0].ev.v.help.topic, c.topic);
                EXPECT_EQ(ruvv_win_get_help_ctx(), 0);
            }
            kt::capture_errors();
        },
        help_topics);
}

TEST(ColourDialog, AnswersPlainRgbEvenForAKeptStandardColour)
{
    app([] {
        RUV_COLOR c = 0x05FF00FF;  // magenta with its standard-colour tag
        EXPECT_TRUE(answered({"Color", IDOK}, [&] { return ruvk_dm_post_color_sel(&c); }));
        EXPECT_EQ(c, 0x00FF00FFu);
        c = 0x01FF0000;
        EXPECT_FALSE(answered({"Color", IDCANCEL}, [&] { return ruvk_dm_post_color_sel(&c); }));
        EXPECT_EQ(c, 0x01FF0000u);
    });
}

int32_t font_events(RUV_WIN win, RUV_EVENT *ev)
{
    if (ev->type == E_FONT)
        et::record(win, ev);
    return 0;
}

TEST(FontDialog, AnotherSizeIsAFontEventAndCancelIsNot)
{
    app([] {
        RUV_WIN doc = et::make_window(et::task());
        ASSERT_NE(doc, nullptr);
        doc->handler = font_events;
        RUV_FONT *font = ruvv_font_create();
        ruvv_font_set_family(font, "courier");
        ruvv_font_set_size(font, 10);
        ruvv_font_map(font, doc);
        et::pump(50);
        et::seen().clear();
        bool colours_hidden = false;
        EXPECT_FALSE(answered({"Font", IDCANCEL,
                               [&](HWND h) {
                                   colours_hidden = !IsWindowVisible(GetDlgItem(h, 1139)) &&
                                                    !IsWindowVisible(GetDlgItem(h, 1091));
                               }},
                              [&] { return ruvk_dm_post_font_sel(doc, font, nullptr); }));
        EXPECT_TRUE(colours_hidden);
        EXPECT_TRUE(et::seen().empty());
        EXPECT_EQ(ruvv_font_get_size(font), 10);

        EXPECT_TRUE(answered({"Font", IDOK,
                              [](HWND h) {
                                  HWND sizes = GetDlgItem(h, 1138);
                                  int i = SendMessageA(sizes, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>("20"));
                                  SendMessageA(sizes, CB_SETCURSEL, i, 0);
                                  SendMessageA(h, WM_COMMAND, MAKEWPARAM(1138, CBN_SELCHANGE),
                                               reinterpret_cast<LPARAM>(sizes));
                              }},
                             [&] { return ruvk_dm_post_font_sel(doc, font, nullptr); }));
        EXPECT_EQ(ruvv_font_get_size(font), 20);
        ASSERT_EQ(et::seen().size(), 1u);
        EXPECT_EQ(et::seen()[0].win, doc);
        EXPECT_EQ(et::seen()[0].ev.v.font.font, font);
        EXPECT_NE(ruvv_font_get_native_desc(font, 0), nullptr);
        ruvv_font_destroy(font);
    });
}

// The standard menu commands: About (32025, 32459) opens the about box and
// Font (32065, 32066) the font dialog over the window's font-menu
// selection, whose choice reaches the window as a font event; none of them
// is a command event of the window.
char *menu_text(const char *s)
{
    return const_cast<char *>(s);
}

RUV_MENU_ITEM g_standard_items[] = {
    { 32025, menu_text("About"), 'A', RUV_MENU_ENABLED, nullptr, 0 },
    { 32459, menu_text("About too"), 'b', RUV_MENU_ENABLED, nullptr, 0 },
    { 32065, menu_text("Font"), 'F', RUV_MENU_ENABLED, nullptr, 0 },
    { 32066, menu_text("Font too"), 'o', RUV_MENU_ENABLED, nullptr, 0 },
    {},
};
RUV_MENU_ITEM g_standard_bar[] = {
    { 100, menu_text("Standard"), 'S', RUV_MENU_ENABLED, g_standard_items, 0 },
    {},
};

// Chooses size 20 in the font dialog.
void choose_size_20(HWND h)
{
    HWND sizes = GetDlgItem(h, 1138);
    int i = SendMessageA(sizes, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>("20"));
    SendMessageA(sizes, CB_SETCURSEL, i, 0);
    SendMessageA(h, WM_COMMAND, MAKEWPARAM(1138, CBN_SELCHANGE), reinterpret_cast<LPARAM>(sizes));
}

TEST(StandardCommands, AboutAndFontItemsOpenTheirDialogs)
{
    app(
        [] {
            RUV_WIN doc = et::task();
            ruvk_menu_set_tree(doc, g_standard_bar);
            ASSERT_NE(GetMenu(et::hwnd(doc)), nullptr);
            et::pump(50);
            // The command a click on an item of the window's menu bar sends.
            const auto choose = [doc](int tag) {
                SendMessageA(et::hwnd(doc), WM_COMMAND, MAKEWPARAM(tag, 0), 0);
                et::pump(30);
                return 0;
            };
            for (int tag : { 32025, 32459 }) {
                et::seen().clear();
                answered({ "About the test", 2 }, [&] { return choose(tag); });
                EXPECT_TRUE(et::events_of(doc, ~RUV_EVENT_BIT(E_COMMAND)).empty()) << tag;
            }

            // Without a selection a new font is offered; with one, the selection.
            RUV_FONT *courier = ruvv_font_create();
            ruvv_font_set_family(courier, "courier");
            ruvv_font_set_size(courier, 10);
            for (int tag : { 32065, 32066 }) {
                for (bool selected : { false, true }) {
                    SCOPED_TRACE(std::to_string(tag) + (selected ? " with a selection" : " without one"));
                    ruvk_menu_set_font_sel(doc, selected ? courier : nullptr);
                    et::seen().clear();
                    std::string face;
                    answered({ "Font", IDOK,
                               [&](HWND h) {
                                   char buf[64] = "";
                                   GetDlgItemTextA(h, 1136, buf, sizeof buf);
                                   face = buf;
                                   choose_size_20(h);
                               } },
                             [&] { return choose(tag); });
                    std::vector<RUV_FONT *> fonts;
                    for (const et::Seen &e : et::seen())
                        if (e.win == doc && e.ev.type == E_FONT)
                            fonts.push_back(e.ev.v.font.font);
                    EXPECT_TRUE(et::events_of(doc, ~RUV_EVENT_BIT(E_COMMAND)).empty());
                    ASSERT_EQ(fonts.size(), 1u);
                    if (selected) {
                        EXPECT_NE(face.find("Courier"), std::string::npos) << face;
                        // The selection is the application's to change.
                        RUV_FONT *kept = ruvk_menu_get_font_sel(doc, 0);
                        ASSERT_NE(kept, nullptr);
                        EXPECT_EQ(ruvv_font_get_size(kept), 10);
                    }
                }
            }
            ruvv_font_destroy(courier);
        },
        et::record);
}

// ---- file dialogs through the file-dialog hook ----

struct FileScript {
    const char *typed;      // name typed into the dialog; NULL cancels
    bool break_struct;      // the dialog is made to fail
    size_t initial_length;  // length of the initial name seen by the hook
};
FileScript file_script;

UINT_PTR CALLBACK explorer_hook(HWND child, UINT msg, WPARAM, LPARAM lp)
{
    if (msg == WM_NOTIFY && reinterpret_cast<OFNOTIFYA *>(lp)->hdr.code == CDN_INITDONE) {
        HWND dlg = GetParent(child);
        if (file_script.typed) {
            SendMessageA(dlg, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(file_script.typed));
            SendMessageA(dlg, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(file_script.typed));
            PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        } else {
            PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
    }
    return 0;
}

void file_hook(OPENFILENAMEA *ofn)
{
    file_script.initial_length = std::strlen(ofn->lpstrFile);
    ofn->Flags |= OFN_EXPLORER | OFN_ENABLEHOOK;
    ofn->lpfnHook = explorer_hook;
    if (file_script.break_struct)
        ofn->lStructSize = 3;
}

TEST(FileDialogs, SaveAddsTheTypeCancelAndFailureDifferAndALongNameStaysWhole)
{
    app([] {
        ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_FILE_DIALOG_HOOK, reinterpret_cast<intptr_t>(file_hook));
        char tmp[MAX_PATH];
        GetTempPathA(sizeof tmp, tmp);
        RUV_FILE_SPEC spec{};
        std::snprintf(spec.dir.path, sizeof spec.dir.path, "%s", tmp);
        std::strcpy(spec.type, "txt");
        std::strcpy(spec.name, "old");
        file_script = {"report", false, 0};
        EXPECT_EQ(ruvk_dm_post_file_save(&spec, "Save as"), 2);
        EXPECT_EQ(file_script.initial_length, 3u);
        EXPECT_STREQ(spec.name, "report.txt");
        EXPECT_STREQ(spec.type, "txt");
        EXPECT_NE(spec.dir.path[0], '\0');

        file_script = {nullptr, false, 0};
        EXPECT_EQ(ruvk_dm_post_file_open(&spec, ""), 1);
        EXPECT_EQ(file_script.initial_length, 0u);  // open starts without a name
        file_script = {nullptr, true, 0};
        EXPECT_EQ(ruvk_dm_post_file_open(&spec, ""), 0);

        // A name that fills its whole field starts the dialog whole: a cut
        // one would name another file.
        std::memset(spec.name, 'n', sizeof spec.name - 1);
        spec.name[sizeof spec.name - 1] = '\0';
        EXPECT_EQ(ruvk_dm_post_file_save(&spec, ""), 0);
        EXPECT_EQ(file_script.initial_length, sizeof spec.name - 1);
        ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_FILE_DIALOG_HOOK, 0);
    });
}

TEST(FolderDialog, ChosenAndCancelled)
{
    app([] {
        char tmp[MAX_PATH];
        GetTempPathA(sizeof tmp, tmp);
        RUV_FILE_DIR dir{};
        std::snprintf(dir.path, sizeof dir.path, "%s", tmp);
        EXPECT_EQ(answered({"Browse for Folder", IDCANCEL}, [&] { return ruvk_dm_post_dir_sel(&dir, "Where?"); }),
                  1);
        EXPECT_EQ(answered({"Browse for Folder", IDOK}, [&] { return ruvk_dm_post_dir_sel(&dir, "Where?"); }), 2);
        EXPECT_NE(dir.path[0], '\0');
    });
}

// ---- boxes that cannot be made, and the fatal exit ----

TEST(MissingDialogs, QuestionAndPromptReportTheirFatalErrors)
{
    app([] {
        // Resources looked up in a module that has none of the dialogs.
        RUV_APP_RECORD *rec = ruvk_app_record();
        HINSTANCE saved = rec->res_instance;
        rec->res_instance = GetModuleHandleA("kernel32.dll");
        kt::reports().clear();
        char buf[8] = "x";
        const int32_t asked = ask("No", nullptr, "?");
        char *const prompted = ruvk_dm_post_string_prompt("?", buf, sizeof buf);
        rec->res_instance = saved;
        EXPECT_EQ(asked, 0);  // -1 from the box maps to the first answer
        EXPECT_EQ(kt::severity_of(0x3484D0), 3);
        EXPECT_EQ(prompted, nullptr);
        EXPECT_EQ(kt::severity_of(0x3484D6), 3);
        EXPECT_TRUE(IsWindowEnabled(et::hwnd(et::task())));
    });
}

constexpr const char *kFatalChildVar = "RUVK_DM_FATAL_CHILD_OUT";

void mark_exit(int32_t)
{
    std::fprintf(stderr, "exit callback\n");
    std::fflush(stderr);
}

// In the child: a watcher thread writes the box's caption and text to
// stderr and closes the box.
DWORD WINAPI close_fatal_box(LPVOID main_thread)
{
    for (int i = 0; i < 500; ++i) {
        HWND box = nullptr;
        EnumThreadWindows(
            static_cast<DWORD>(reinterpret_cast<uintptr_t>(main_thread)),
            [](HWND hwnd, LPARAM lp) -> BOOL {
                char cls[16] = "";
                GetClassNameA(hwnd, cls, sizeof cls);
                if (std::strcmp(cls, "#32770") == 0 && IsWindowVisible(hwnd)) {
                    *reinterpret_cast<HWND *>(lp) = hwnd;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&box));
        if (box) {
            char caption[64] = "", text[512] = "";
            GetWindowTextA(box, caption, sizeof caption);
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            std::fprintf(stderr, "box %s: %s\n", caption, text);
            std::fflush(stderr);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            return 0;
        }
        Sleep(20);
    }
    return 0;
}

void fatal(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    ruvk_dm_post_fatal_exit(format, args);
    va_end(args);
}

TEST(FatalExit, ChildWritesFatalShowsTheBoxAndEndsThroughTheExitCallback)
{
    if (const char *out = std::getenv(kFatalChildVar)) {
        std::freopen(out, "w", stderr);
        RUV_START_RECORD start = kt::start_record();
        start.exit_callback = mark_exit;
        ASSERT_TRUE(ruvwi_Begin(&start) && ruvwi_Init(&start));
        CreateThread(nullptr, 0, close_fatal_box, reinterpret_cast<LPVOID>(uintptr_t(GetCurrentThreadId())), 0,
                     nullptr);
        fatal("Lost the %s", "disk");
        ADD_FAILURE() << "returned";
        return;
    }
    kt::ChildRun child = kt::run_child(kFatalChildVar, "FatalExit.*");
    ASSERT_TRUE(child.ran);
    EXPECT_EQ(child.exit_code, 1u);
    const std::string &seen = child.output;
    const size_t line = seen.find("FATAL: Lost the disk\n");
    const size_t box = seen.find("box System Error: Lost the disk\n");
    const size_t exit = seen.find("exit callback\n");
    EXPECT_NE(line, std::string::npos) << seen;
    EXPECT_NE(box, std::string::npos) << seen;
    EXPECT_NE(exit, std::string::npos) << seen;
    EXPECT_LT(line, box);
    EXPECT_LT(box, exit);
}

} // namespace
