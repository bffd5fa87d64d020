// Error framework: the message table, texts of ids (built-in, generic and
// from "ERRCODES.TXT"), frames with API marks and handler stacks, the
// dispatcher, the standard report with its count, deferral during repaint
// and boxes, the accessors, and the debug file.

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "core_test_support.h"
#include "../error_private.h"
#include "ruvv_vobj.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvk.h"
#include "standin_res.h"
#include "standin_strings.h"

using namespace coretest;
namespace fs = std::filesystem;

namespace {

std::string text_of(RUV_ERRMSG_ID id)
{
    // Any valid record will do for ruvv_errmsg_get_text.
    RUV_ERRMSG m{};
    m.self = &m;
    char buf[RUV_ERRMSG_TEXT_SIZE];
    return ruvv_errmsg_get_text(&m, id, buf, sizeof buf);
}

std::string slurp(const fs::path &p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    std::string s = ss.str();
    std::string out;
    for (char c : s)
        if (c != '\r')
            out += c;
    return out;
}

// A scratch start-up directory of the test's own.
class StartupDir {
public:
    explicit StartupDir(const char *name)
        : path_(fs::path(TRAZ_TEST_BINARY_DIR) / "core_tmp" / name)
    {
        fs::remove_all(path_);
        fs::create_directories(path_);
        standin::set_startup_dir(path_.string());
    }
    ~StartupDir() { std::error_code ec; fs::remove_all(path_, ec); }
    fs::path file(const char *leaf) const { return path_ / leaf; }
    void write(const char *leaf, const std::string &bytes) const
    {
        std::ofstream out(file(leaf), std::ios::binary);
        out << bytes;
    }

private:
    fs::path path_;
};

class ErrorTest : public CoreTest {};

// ---- the table ----

TEST_F(ErrorTest, TableHasEveryIdOnceWithAText)
{
    int32_t count = 0;
    const RUV_ERRTEXT *t = ruvv_errtable_entries(&count);
    EXPECT_EQ(count, 164);
    std::set<RUV_ERRMSG_ID> seen;
    for (int32_t i = 0; i < count; ++i) {
        EXPECT_TRUE(seen.insert(t[i].id).second) << "twice: " << std::hex << t[i].id;
        ASSERT_NE(t[i].text, nullptr) << std::hex << t[i].id;
        EXPECT_NE(t[i].text[0], '\0') << std::hex << t[i].id;
        EXPECT_LT(std::strlen(t[i].text), size_t(RUV_ERRMSG_TEXT_SIZE)) << std::hex << t[i].id;
    }
}

TEST_F(ErrorTest, TextsOfIds)
{
    struct {
        RUV_ERRMSG_ID id;
        const char *text;
    } cases[] = {
        { 0x00100000, "Application" },
        { 0x00830000, "Error Message Frame problems" },
        { 0x01210001, "NULL Object handle" },
        { 0x01530003, "Failed to find resource" },
        { 0x01530005, "Failed to find font" },
        { 0x0159000c, "GIF error -- See debug file for details" },
        { 0x0159000d, "PNG error -- See debug file for details" },
        { 0x01810003, "FATAL ERROR: " },
        { 0x01820003, "File:     " },
        { 0x01820006, "%s\n%s\n%s\n%s\n" },
        { 0x01830007, "No room for recusive API mark" },
        // No text: the generic forms, standard and toolkit-specific.
        { 0x00597170, "MSG 0x00597170 [CAT 5/9 STD 29040 ]" },
        { 0x0073C37E, "MSG 0x0073c37e [CAT 7/3 STD 50046 ]" },
        { 0x01FF1234, "MSG 0x01ff1234 [CAT 15/15 NUM 4660 ]" },
    };
    for (const auto &c : cases)
        EXPECT_EQ(text_of(c.id), c.text) << std::hex << c.id;
}

TEST_F(ErrorTest, TextIsCutToTheCallersBuffer)
{
    RUV_ERRMSG m{};
    m.self = &m;
    char buf[8];
    EXPECT_STREQ(ruvv_errmsg_get_text(&m, 0x01210001, buf, sizeof buf), "NULL Ob");
    RUV_ERRMSG bad{};  // self pointer not set: invalid
    buf[0] = 'x';
    EXPECT_STREQ(ruvv_errmsg_get_text(&bad, 0x01210001, buf, sizeof buf), "");
}

// ---- frames, marks and handlers ----

TEST_F(ErrorTest, ReportReachesTheInnermostHandlersWithTheApiNames)
{
    ruvv_errfrm_mark_API("ruv_outer");
    {
        ruv::ErrFrame frame;
        ruv::ApiMark a("ruv_win_create");
        ruv::ApiMark b("ruv_ctl_create");
        RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01220002);
    }
    ruvv_errfrm_unmark_API();
    ASSERT_EQ(reports().size(), 1u);
    EXPECT_EQ(reports()[0].id, 0x01220002u);
    EXPECT_EQ(reports()[0].severity, RUV_SEV_ERROR);
    EXPECT_EQ(reports()[0].text, "Invalid Window handle");
    EXPECT_EQ(reports()[0].api, "ruv_ctl_create ruv_win_create ruv_outer ");
}

TEST_F(ErrorTest, ApiNameListStopsPastFiftyFourCharacters)
{
    ruv::ErrFrame frame;
    ruv::ApiMark a("ruv_aaaaaaaaaaaaaaaaaaaa");  // 24 characters each
    ruv::ApiMark b("ruv_bbbbbbbbbbbbbbbbbbbb");
    ruv::ApiMark c("ruv_cccccccccccccccccccc");
    RUV_ERR(nullptr, RUV_SEV_WARNING, 0x01250001);
    ASSERT_EQ(reports().size(), 1u);
    // 24 + 1 + 24 + 1 = 50, then the third name is cut at 62 characters.
    EXPECT_EQ(reports()[0].api, "ruv_cccccccccccccccccccc ruv_bbbbbbbbbbbbbbbbbbbb ruv_aaaaaaaa ");
    EXPECT_EQ(reports()[0].api.size(), 63u);
}

TEST_F(ErrorTest, FifthMarkIsRefusedAndTheFourStayIntact)
{
    ruv::ErrFrame frame;
    const char *names[] = { "n1", "n2", "n3", "n4" };
    for (const char *n : names)
        ruvv_errfrm_mark_API(n);
    ruvv_errmsg_push_handler(capture, nullptr);
    ruvv_errfrm_mark_API("n5");
    ASSERT_EQ(reports().size(), 1u);
    EXPECT_EQ(reports()[0].id, 0x01830007u);
    EXPECT_EQ(reports()[0].severity, RUV_SEV_WARNING);
    EXPECT_EQ(reports()[0].text, "No room for recusive API mark");
    EXPECT_EQ(reports()[0].api, "n4 n3 n2 n1 ");
    for (int i = 0; i < 4; ++i)
        EXPECT_STREQ(frame.get()->marks[i], names[i]);
    EXPECT_EQ(frame.get()->handler_count, 1);
    ruvv_errmsg_pop_handler(capture);
    for (int i = 0; i < 4; ++i)
        ruvv_errfrm_unmark_API();
}

TEST_F(ErrorTest, UnmarkWithoutMarkIsOutOfSync)
{
    {
        ruv::ErrFrame frame;
        ruvv_errfrm_unmark_API();
    }
    ASSERT_EQ(reports().size(), 1u);
    EXPECT_EQ(reports()[0].id, 0x01830008u);
    EXPECT_EQ(reports()[0].text, "API marks out of sync");
}

TEST_F(ErrorTest, FrameLeftWithMarksOrHandlersWarnsOnExit)
{
    {
        ruv::ErrFrame frame;
        ruvv_errfrm_mark_API("ruv_forgot_unmark");
    }
    {
        ruv::ErrFrame frame;
        ruvv_errmsg_push_handler(capture, nullptr);
    }
    ASSERT_EQ(reports().size(), 2u);
    EXPECT_EQ(reports()[0].id, 0x01830002u);
    EXPECT_EQ(reports()[1].id, 0x01830001u);
    EXPECT_EQ(reports()[1].severity, RUV_SEV_WARNING);
}

std::vector<std::string> calls;
RUV_BOOL decline_a(RUV_ERRMSG *, void *) { calls.push_back("a"); return 0; }
RUV_BOOL decline_b(RUV_ERRMSG *, void *) { calls.push_back("b"); return 0; }
RUV_BOOL decline_c(RUV_ERRMSG *, void *) { calls.push_back("c"); return 0; }
RUV_BOOL decline_d(RUV_ERRMSG *, void *) { calls.push_back("d"); return 0; }
RUV_BOOL accept_e(RUV_ERRMSG *, void *data)
{
    calls.push_back(std::string("e") + static_cast<const char *>(data));
    return 7;
}

TEST_F(ErrorTest, HandlersAreOfferedNewestFirstThenTheEnclosingFrame)
{
    calls.clear();
    ruv::ErrFrame outer;
    ruvv_errmsg_push_handler(accept_e, const_cast<char *>("1"));
    int32_t result;
    {
        ruv::ErrFrame inner;
        for (RUV_ERR_HANDLER h : { decline_a, decline_b, decline_c, decline_d })
            ASSERT_TRUE(ruvv_errmsg_push_handler(h, nullptr));  // the fourth goes to the heap
        result = RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01250001);
        EXPECT_EQ(ruvv_errmsg_pop_handler(decline_a), 0);
    }
    EXPECT_EQ(ruvv_errmsg_pop_handler(accept_e), 0);
    EXPECT_EQ(result, 7);
    EXPECT_EQ(calls, (std::vector<std::string>{ "d", "c", "b", "a", "e1" }));
    EXPECT_TRUE(reports().empty());  // handled before the root frame
}

TEST_F(ErrorTest, PopRemovesEveryHandlerPushedAfterIt)
{
    ruv::ErrFrame frame;
    ruvv_errmsg_push_handler(decline_a, nullptr);
    ruvv_errmsg_push_handler(decline_b, nullptr);
    ruvv_errmsg_push_handler(decline_c, nullptr);
    ruvv_errmsg_push_handler(decline_d, nullptr);
    EXPECT_EQ(ruvv_errmsg_pop_handler(decline_b), 1);
    EXPECT_EQ(frame.get()->handler_count, 1);
    EXPECT_EQ(ruvv_errmsg_pop_handler(decline_c), 1);  // gone already
    EXPECT_TRUE(reported(0x01830004));
    EXPECT_EQ(ruvv_errmsg_pop_handler(decline_a), 0);
    EXPECT_FALSE(ruvv_errmsg_push_handler(nullptr, nullptr));  // ignored
    EXPECT_EQ(frame.get()->handler_count, 0);
}

RUV_BOOL raise_inside(RUV_ERRMSG *m, void *)
{
    calls.push_back("top:" + std::to_string(ruvv_errmsg_get_msg_id(m)));
    if (ruvv_errmsg_get_msg_id(m) == 0x01250001) {
        RUV_ERR(nullptr, RUV_SEV_WARNING, 0x01250003);
        ruvv_errmsg_push_handler(decline_a, nullptr);  // refused inside a handler
    }
    return 1;
}
RUV_BOOL record_below(RUV_ERRMSG *m, void *)
{
    calls.push_back("below:" + std::to_string(ruvv_errmsg_get_msg_id(m)));
    return 1;
}

TEST_F(ErrorTest, ErrorInsideAHandlerGoesToTheHandlersBelowIt)
{
    calls.clear();
    ruv::ErrFrame frame;
    ruvv_errmsg_push_handler(record_below, nullptr);
    ruvv_errmsg_push_handler(raise_inside, nullptr);
    RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01250001);
    EXPECT_EQ(calls, (std::vector<std::string>{ "top:" + std::to_string(0x01250001),
                                                "below:" + std::to_string(0x01250003),
                                                "below:" + std::to_string(0x01830005) }));
    EXPECT_EQ(frame.get()->handler_count, 2);  // restored
    ruvv_errmsg_pop_handler(record_below);
}

class FailingErrorTest : public CoreTest {
protected:
    void install_hooks() override { FailingAlloc::install(0); }
};

TEST_F(FailingErrorTest, HandlerArrayThatCannotGrowRefusesThePush)
{
    ruv::ErrFrame frame;
    for (RUV_ERR_HANDLER h : { decline_a, decline_b, decline_c })
        ASSERT_TRUE(ruvv_errmsg_push_handler(h, nullptr));
    FailingAlloc::fail_next(1);
    EXPECT_FALSE(ruvv_errmsg_push_handler(decline_d, nullptr));
    EXPECT_EQ(frame.get()->handler_count, 3);
    EXPECT_TRUE(ruvv_errmsg_push_handler(decline_d, nullptr));  // next time it works
    EXPECT_EQ(ruvv_errmsg_pop_handler(decline_a), 0);
    // The refusal went up to the root frame's capture as a warning.
    EXPECT_TRUE(reported(0x01510001));
}

TEST_F(FailingErrorTest, ErrcodesCacheThatCannotGrowStillAnswersSilently)
{
    StartupDir dir("errcodes_failing");
    dir.write("ERRCODES.TXT", "0x01530001 \"from the file\"\n");
    FailingAlloc::fail_next(1);  // the cache slot
    EXPECT_EQ(text_of(0x01530001), "from the file");
    EXPECT_EQ(text_of(0x01530001), "from the file");  // read again, cached now
    EXPECT_TRUE(reports().empty());
}

// ---- the dispatcher ----

TEST_F(ErrorTest, DispatcherRules)
{
    EXPECT_EQ(RUV_ERR(nullptr, RUV_SEV_NONE, 0x01250001), 0x01250001);  // nothing reported
    EXPECT_EQ(ruvv_errmsg_get_last_msg(), 0x01250001u);
    EXPECT_EQ(RUV_ERR(nullptr, RUV_SEV_ERROR, 0x00400005), 0x00400005);  // bits 16-23 0x40
    EXPECT_EQ(ruvv_errmsg_get_last_msg(), 0x00400005u);
    EXPECT_TRUE(reports().empty());
    EXPECT_EQ(RUV_ERR(nullptr, RUV_SEV_WARNING, 0x01250002), 1);  // the capture's answer
    EXPECT_EQ(reports().size(), 1u);
}

TEST_F(ErrorTest, BeforeTheFirstEventEveryReportIsFatal)
{
    standin::end_process();
    reports().clear();
    ruvv_errmsg_push_handler(capture, nullptr);
    RUV_ERR(nullptr, RUV_SEV_WARNING, 0x01250002);
    ruvv_errmsg_set_ready();
    RUV_ERR(nullptr, RUV_SEV_WARNING, 0x01250002);
    ASSERT_EQ(reports().size(), 2u);
    EXPECT_EQ(reports()[0].severity, RUV_SEV_FATAL);
    EXPECT_EQ(reports()[1].severity, RUV_SEV_WARNING);
}

TEST_F(ErrorTest, MessageTextAndArgument)
{
    std::string long_arg(70, 'x');
    struct {
        RUV_ERRMSG_ID id;
        const char *arg;
        std::string text;
    } cases[] = {
        { 0x01530001, nullptr, "Failed to find file" },
        { 0x01530001, "ignored", "Failed to find file" },  // no "%s" in the text
        { 0x01320001, "the argument is the message", "the argument is the message" },
        { 0x01320001, long_arg.c_str(), std::string(63, 'x') },
        { 0x01530001, reinterpret_cast<const char *>(200), "Failed to find file" },  // below 256: none
    };
    for (const auto &c : cases) {
        reports().clear();
        ruvv_errmsg_dispatch_s(nullptr, RUV_SEV_WARNING, c.id, "f.c", 1, c.arg);
        ASSERT_EQ(reports().size(), 1u);
        EXPECT_EQ(reports()[0].text, c.text) << std::hex << c.id;
    }
}

// ---- "ERRCODES.TXT" ----

TEST_F(ErrorTest, ErrcodesFileOverridesTheTable)
{
    StartupDir dir("errcodes_override");
    dir.write("ERRCODES.TXT",
              "; comment lines have no number\n"
              "0x01530001 \"Datei nicht gefunden: \\\"%s\\\"\"\n"
              "22216706 \"decimal id\"\r\n"                    // 0x01530002, CRLF line end
              "0123 \"octal id\"\n"                            // 83
              "0x01530003 \"tab\\there\\nnext \\q\\\\ end\\\n"  // escapes, trailing backslash
              "0x01530004 no quote at all\n"
              "0x01530005 \"\"\n"                              // empty: the table's text
              "0x01530001 \"second line for the same id\"\n");
    EXPECT_EQ(text_of(0x01530001), "Datei nicht gefunden: \"%s\"");
    EXPECT_EQ(text_of(0x01530002), "decimal id");
    EXPECT_EQ(text_of(83), "octal id");
    EXPECT_EQ(text_of(0x01530003), "tab\there\nnext q\\ end\\");
    EXPECT_EQ(text_of(0x01530004), "Failed to find font");
    EXPECT_EQ(text_of(0x01530005), "Failed to find font");
    EXPECT_EQ(text_of(0x01210001), "NULL Object handle");  // not in the file
    // Cached: the file's later change is not seen until the process ends.
    dir.write("ERRCODES.TXT", "0x01530001 \"changed\"\n");
    EXPECT_EQ(text_of(0x01530001), "Datei nicht gefunden: \"%s\"");
}

TEST_F(ErrorTest, ArgumentThatMakesTheTextTooLongIsLeftOut)
{
    StartupDir dir("errcodes_arg_length");
    dir.write("ERRCODES.TXT", "0x01530001 \"File %s missing\"\n");  // 15 characters
    struct {
        size_t arg;
        std::string text;
    } cases[] = {
        { 49, "File " + std::string(49, 'y') + " missing" },  // 15 + 49 = 64: in
        { 50, "File  missing" },                            // 65: left out
        { 0, "File  missing" },
    };
    for (const auto &c : cases) {
        reports().clear();
        std::string arg(c.arg, 'y');
        ruvv_errmsg_dispatch_s(nullptr, RUV_SEV_WARNING, 0x01530001, "f.c", 1, arg.c_str());
        ASSERT_EQ(reports().size(), 1u);
        EXPECT_EQ(reports()[0].text, c.text) << c.arg;
    }
}

TEST_F(ErrorTest, ErrcodesTextsAreSubstitutedLiterallyNeverAsFormats)
{
    StartupDir dir("errcodes_literal");
    dir.write("ERRCODES.TXT",
              "0x01530001 \"%n%n %s %x%p %d\"\n"
              "0x01820006 \"%s|%s|%s|%s|%n%s\"\n");
    reports().clear();
    ruvv_errmsg_dispatch_s(nullptr, RUV_SEV_WARNING, 0x01530001, "f.c", 1, "ARG%n");
    ASSERT_EQ(reports().size(), 1u);
    EXPECT_EQ(reports()[0].text, "%n%n ARG%n %x%p %d");

    // Through the standard report: the joining format is also literal.
    ruvv_errmsg_pop_handler(capture);
    ruvv_errmsg_dispatch_s(nullptr, RUV_SEV_WARNING, 0x01530001, "f.c", 12, "A");
    ASSERT_EQ(standin::boxes().size(), 1u);
    EXPECT_EQ(standin::boxes()[0].kind, "warning");
    EXPECT_EQ(standin::boxes()[0].text,
              "WARNING: %n%n A %x%p %d|Category: Correctly requested operation failed (Failed to find)|"
              "Function: RUV portability toolkit internal call|File:     f.c line: 12|%n%s");
}

TEST_F(ErrorTest, OverLongErrcodesLinesAreNotSplitIntoNewLines)
{
    StartupDir dir("errcodes_long");
    // A 300-character line whose 256th character starts what looks like a
    // line for 0x01530002: it is the same line, not a new one.
    std::string line = "1 \"" + std::string(252, 'a');
    line += "0x01530002 \"hijacked\"";
    line += std::string(300 - line.size(), 'b');
    dir.write("ERRCODES.TXT", line + "\n0x01530003 \"after\"\n");
    EXPECT_EQ(text_of(0x01530002), "Failed to find name");
    EXPECT_EQ(text_of(0x01530003), "after");
    EXPECT_EQ(text_of(1), std::string(63, 'a'));  // cut to 63 bytes
}

// In the double-byte code page a trail byte that equals a backslash is
// part of its character, not an escape, and the text is never cut inside
// a character.
class MultiByteErrorTest : public CoreTest {
protected:
    void SetUp() override
    {
        CoreTest::SetUp();
        standin::set_codepage(932);
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_KEY_HOOK_MODE, 1);
    }
    void TearDown() override
    {
        standin::set_codepage(0);
        CoreTest::TearDown();
    }
};

TEST_F(MultiByteErrorTest, ErrcodesTextsAreReadByCharacter)
{
    StartupDir dir("errcodes_mb");
    const std::string hyo = "\x95\x5c";  // second byte is a backslash
    dir.write("ERRCODES.TXT", "0x01530001 \"" + hyo + " end\"\n" +
                                  "0x01530002 \"" + std::string(62, 'a') + hyo + "\"\n");
    EXPECT_EQ(text_of(0x01530001), hyo + " end");
    EXPECT_EQ(text_of(0x01530002), std::string(62, 'a'));  // the character does not fit
}

TEST_F(ErrorTest, MissingErrcodesFileIsSilent)
{
    StartupDir dir("errcodes_missing");
    EXPECT_EQ(text_of(0x01530001), "Failed to find file");
    EXPECT_TRUE(reports().empty());
}

// ---- the standard report ----

class StandardReportTest : public CoreTest {
protected:
    RUV_VOBJ task{};
    void SetUp() override
    {
        CoreTest::SetUp();
        ruvv_errmsg_pop_handler(capture);  // the root frame's handlers answer
        ruvv_attr_set_internal(NULL_WIN, RUV_ATTR_TASK_WINDOW, reinterpret_cast<intptr_t>(&task));
    }
};

TEST_F(StandardReportTest, TextOfTheBox)
{
    int line;
    {
        ruv::ErrFrame frame;
        ruv::ApiMark mark("ruv_win_create");
        line = __LINE__ + 1;
        RUV_ERR_S(nullptr, RUV_SEV_ERROR, 0x01220002, nullptr);
    }
    ASSERT_EQ(standin::boxes().size(), 1u);
    EXPECT_EQ(standin::boxes()[0].kind, "error");
    std::string file = __FILE__;
    EXPECT_EQ(standin::boxes()[0].text,
              "ERROR: Invalid Window handle\n"
              "Category: Invalid argument (Invalid object)\n"
              "Function: ruv_win_create \n"
              "File:     " + file + " line: " + std::to_string(line) + "\n");
    EXPECT_TRUE(standin::destroyed().empty());
}

TEST_F(StandardReportTest, MissingFileNameReadsUnknown)
{
    ruvv_errmsg_dispatch(nullptr, RUV_SEV_WARNING, 0x01250004, nullptr, 7);
    ASSERT_EQ(standin::boxes().size(), 1u);
    EXPECT_EQ(standin::boxes()[0].kind, "warning");
    EXPECT_NE(standin::boxes()[0].text.find("\nFile:     unknown line: 7\n"), std::string::npos);
}

TEST_F(StandardReportTest, TenthErrorIsShownThenTooManyErrorsEndsTheApplication)
{
    for (int i = 1; i <= 9; ++i)
        RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01250001);
    EXPECT_EQ(standin::boxes().size(), 9u);
    EXPECT_TRUE(standin::destroyed().empty());
    RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01250001);
    ASSERT_EQ(standin::boxes().size(), 11u);
    EXPECT_EQ(standin::boxes()[9].text.rfind("ERROR: Bad value\n", 0), 0u);
    EXPECT_EQ(standin::boxes()[10].text.rfind("FATAL ERROR: Too many errors encountered\n", 0), 0u);
    ASSERT_EQ(standin::destroyed().size(), 1u);
    EXPECT_EQ(standin::destroyed()[0], reinterpret_cast<RUV_WIN>(&task));
    // Warnings do not count.
    EXPECT_EQ(ruvv_errmsg_error_count(), 10);
    RUV_ERR(nullptr, RUV_SEV_WARNING, 0x01250001);
    EXPECT_EQ(ruvv_errmsg_error_count(), 10);
}

TEST_F(StandardReportTest, ReportsDuringRepaintAreDeferredUntilTheNextEvent)
{
    ruvv_app_update_count(TRUE);
    char arg[16] = "first";
    ruvv_errmsg_dispatch_s(nullptr, RUV_SEV_ERROR, 0x01320001, "a.c", 1, arg);
    std::strcpy(arg, "overwritten");  // the caller's buffer does not outlive the call
    RUV_ERR(nullptr, RUV_SEV_WARNING, 0x01250002);
    RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01250003);
    EXPECT_TRUE(standin::boxes().empty());
    // A fourth during the same repaint is fatal at once.
    RUV_ERR(nullptr, RUV_SEV_WARNING, 0x01250004);
    ASSERT_EQ(standin::boxes().size(), 1u);
    EXPECT_EQ(standin::boxes()[0].text.rfind("FATAL ERROR: Value too low\n", 0), 0u);
    EXPECT_EQ(standin::destroyed().size(), 1u);

    ruvv_app_update_count(FALSE);
    ruvv_errmsg_deliver_deferred();
    ASSERT_EQ(standin::boxes().size(), 4u);
    EXPECT_EQ(standin::boxes()[1].text.rfind("ERROR: first\n", 0), 0u);
    EXPECT_NE(standin::boxes()[1].text.find("File:     a.c line: 1"), std::string::npos);
    EXPECT_EQ(standin::boxes()[2].text.rfind("WARNING: Unknown value\n", 0), 0u);
    EXPECT_EQ(standin::boxes()[3].text.rfind("ERROR: Value too high\n", 0), 0u);
    // Each deferred error was counted once.
    EXPECT_EQ(ruvv_errmsg_error_count(), 2);
    ruvv_errmsg_deliver_deferred();
    EXPECT_EQ(standin::boxes().size(), 4u);
}

TEST_F(StandardReportTest, DeferredTenthErrorIsFollowedByTooManyErrors)
{
    for (int i = 1; i <= 9; ++i)
        RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01250001);
    ruvv_app_update_count(TRUE);
    RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01250003);
    EXPECT_EQ(standin::boxes().size(), 9u);  // waits for the repaint to end
    EXPECT_TRUE(standin::destroyed().empty());
    ruvv_app_update_count(FALSE);
    ruvv_errmsg_deliver_deferred();
    ASSERT_EQ(standin::boxes().size(), 11u);
    EXPECT_EQ(standin::boxes()[9].text.rfind("ERROR: Value too high\n", 0), 0u);
    EXPECT_EQ(standin::boxes()[10].text.rfind("FATAL ERROR: Too many errors encountered\n", 0), 0u);
    EXPECT_EQ(standin::destroyed().size(), 1u);
    EXPECT_EQ(ruvv_errmsg_error_count(), 10);
}

TEST_F(StandardReportTest, ErrorThatCannotBeDeferredIsCountedAndFatal)
{
    ruvv_app_update_count(TRUE);
    for (int i = 0; i < 3; ++i)
        RUV_ERR(nullptr, RUV_SEV_WARNING, 0x01250002);
    RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01250003);
    ASSERT_EQ(standin::boxes().size(), 1u);
    EXPECT_EQ(standin::boxes()[0].text.rfind("FATAL ERROR: Value too high\n", 0), 0u);
    EXPECT_EQ(ruvv_errmsg_error_count(), 1);
    ruvv_app_update_count(FALSE);
}

TEST_F(StandardReportTest, DeferralBudgetRunsOutAcrossRepaints)
{
    // Each deferral spends 100 of a budget of 300; each event gives 1 back.
    for (int round = 0; round < 3; ++round) {
        ruvv_app_update_count(TRUE);
        RUV_ERR(nullptr, RUV_SEV_WARNING, 0x01250002);
        ruvv_app_update_count(FALSE);
        ruvv_errmsg_deliver_deferred();
    }
    EXPECT_EQ(standin::boxes().size(), 3u);
    ruvv_app_update_count(TRUE);
    RUV_ERR(nullptr, RUV_SEV_WARNING, 0x01250002);  // budget 297: still deferred
    ruvv_app_update_count(FALSE);
    ruvv_errmsg_deliver_deferred();
    EXPECT_EQ(standin::boxes().size(), 4u);
    EXPECT_EQ(standin::boxes()[3].kind, "warning");
    // Budget 396 now: the next one cannot wait and is fatal at once.
    ruvv_app_update_count(TRUE);
    RUV_ERR(nullptr, RUV_SEV_WARNING, 0x01250002);
    ruvv_app_update_count(FALSE);
    ASSERT_EQ(standin::boxes().size(), 5u);
    EXPECT_EQ(standin::boxes()[4].text.rfind("FATAL ERROR: Unknown value\n", 0), 0u);
}

TEST_F(StandardReportTest, AttributeSevenOhFourKeepsReportsImmediate)
{
    ruvv_attr_set(NULL_WIN, RUV_ATTR_UPDATE_NOT_PENDING, 1);
    ruvv_app_update_count(TRUE);
    RUV_ERR(nullptr, RUV_SEV_WARNING, 0x01250002);
    EXPECT_EQ(standin::boxes().size(), 1u);
    ruvv_app_update_count(FALSE);
}

RUV_BOOL app_hook_answer(RUV_ERRMSG *m, void *)
{
    calls.push_back(ruvv_errmsg_get_msg_text(m));
    return 1;
}

TEST_F(StandardReportTest, ApplicationHookAnswersFirst)
{
    calls.clear();
    ruvv_attr_set(NULL_WIN, RUV_ATTR_ERROR_HOOK, reinterpret_cast<intptr_t>(app_hook_answer));
    RUV_ERR(nullptr, RUV_SEV_ERROR, 0x01250001);
    EXPECT_EQ(calls, std::vector<std::string>{ "Bad value" });
    EXPECT_TRUE(standin::boxes().empty());
}

TEST_F(StandardReportTest, FatalReportDestroysTheApplication)
{
    RUV_ERR(nullptr, RUV_SEV_FATAL, 0x01570001);
    ASSERT_EQ(standin::boxes().size(), 1u);
    EXPECT_EQ(standin::boxes()[0].text.rfind("FATAL ERROR: Internal data corrupted\n", 0), 0u);
    EXPECT_EQ(standin::destroyed().size(), 1u);
}

TEST_F(StandardReportTest, OwnTextsComeFromStringResourcesWhenPresent)
{
    standin::set_string(31405, "no such report");
    standin::set_string(31406, "(no file)");
    RUV_ERRMSG bad{};
    EXPECT_STREQ(ruvv_errmsg_get_msg_text(&bad), "no such report");
    ruvv_errmsg_dispatch(nullptr, RUV_SEV_WARNING, 0x01250004, nullptr, 7);
    ASSERT_EQ(standin::boxes().size(), 1u);
    EXPECT_NE(standin::boxes()[0].text.find("\nFile:     (no file) line: 7\n"), std::string::npos);
    standin::clear_resources();
}

// ---- accessors ----

TEST_F(ErrorTest, AccessorsOfAnInvalidRecord)
{
    RUV_ERRMSG bad{};
    EXPECT_EQ(ruvv_errmsg_get_sev_id(&bad), 3);
    EXPECT_EQ(ruvv_errmsg_get_msg_id(&bad), 0u);
    EXPECT_EQ(ruvv_errmsg_get_code_line(&bad), 0);
    EXPECT_EQ(ruvv_errmsg_get_req_object(&bad), nullptr);
    EXPECT_EQ(ruvv_errmsg_get_tgt_object(&bad), nullptr);
    EXPECT_STREQ(ruvv_errmsg_get_sev_text(&bad), "");
    EXPECT_STREQ(ruvv_errmsg_get_msg_text(&bad), "Invalid RUV_ERRMSG object");
    EXPECT_STREQ(ruvv_errmsg_get_cat_text(&bad), "");
    EXPECT_STREQ(ruvv_errmsg_get_api_name(&bad), "");
    EXPECT_STREQ(ruvv_errmsg_get_code_file(&bad), "");
    EXPECT_EQ(ruvv_errmsg_get_sev_id(nullptr), 3);
}

RUV_ERRMSG seen_copy;
std::string seen[6];
RUV_BOOL keep_texts(RUV_ERRMSG *m, void *)
{
    seen[0] = ruvv_errmsg_get_sev_text(m);
    seen[1] = ruvv_errmsg_get_cat_text(m);
    seen[2] = ruvv_errmsg_get_api_name(m);
    seen[3] = ruvv_errmsg_get_code_file(m);
    seen[4] = std::to_string(ruvv_errmsg_get_code_line(m));
    seen[5] = ruvv_errmsg_get_req_object(m) == &seen_copy ? "object" : "other";
    seen_copy = *m;  // a copy without its self pointer reset is not valid
    return 1;
}

TEST_F(ErrorTest, AccessorsOfAValidRecord)
{
    {
        ruv::ErrFrame frame;
        ruvv_errmsg_push_handler(keep_texts, nullptr);
        ruvv_errmsg_dispatch(&seen_copy, RUV_SEV_WARNING, 0x01650002, nullptr, 99);
        ruvv_errmsg_pop_handler(keep_texts);
    }
    EXPECT_EQ(seen[0], "WARNING: ");
    EXPECT_EQ(seen[1], "Invalid request or request context (Operation target attribute is wrong)");
    EXPECT_EQ(seen[2], "RUV portability toolkit internal call");
    EXPECT_EQ(seen[3], "unknown");
    EXPECT_EQ(seen[4], "99");
    EXPECT_EQ(seen[5], "object");
    EXPECT_EQ(ruvv_errmsg_get_msg_id(&seen_copy), 0u);
}

// ---- the debug file ----

TEST_F(ErrorTest, DebugFileIsWrittenOnlyWhenItExists)
{
    StartupDir dir("debug_file");
    ruvv_debug_print("not written: %d", 1);
    EXPECT_FALSE(fs::exists(dir.file("debug")));

    dir.write("debug", "old contents\n");
    ruvv_debug_print("first %s %d", "line", 2);  // truncates
    ruvv_debug_print("second");
    EXPECT_EQ(slurp(dir.file("debug")), "first line 2\nsecond\n");

    ruvv_debug_set_file("other.log");
    EXPECT_STREQ(ruvv_debug_get_file(), "other.log");
    EXPECT_EQ(reinterpret_cast<const char *>(ruvv_attr_get(NULL_WIN, RUV_ATTR_DEBUG_FILE)), std::string("other.log"));
    ruvv_debug_print("to nowhere");
    EXPECT_FALSE(fs::exists(dir.file("other.log")));
    ruvv_attr_set(NULL_WIN, RUV_ATTR_DEBUG_FILE, 0);  // NULL: back to "debug"
    EXPECT_STREQ(ruvv_debug_get_file(), "debug");

    fs::create_directory(dir.file("dirname"));
    ruvv_debug_set_file("dirname");  // a directory is not used
    ruvv_debug_print("x");
    EXPECT_TRUE(reports().empty());
}

TEST_F(StandardReportTest, StandardReportAlsoGoesToTheDebugFile)
{
    StartupDir dir("debug_report");
    dir.write("debug", "");
    RUV_ERR(nullptr, RUV_SEV_WARNING, 0x01250002);
    std::string got = slurp(dir.file("debug"));
    EXPECT_EQ(got.rfind("WARNING: Unknown value\nCategory: Invalid argument (Bad value)\n", 0), 0u);
    EXPECT_EQ(got.substr(got.size() - 3), "\n\n\n");  // the text's own line end, "\n", the line's
}

} // namespace
