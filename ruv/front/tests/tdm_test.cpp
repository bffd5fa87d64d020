// Standard dialog functions: the question box's refusals and its optional
// third button, box texts with arguments named by position, and the fatal
// exit, which no update refuses (run in a child process, as it ends its
// process).
#include <cstdio>
#include <cstdlib>

#include "controls_support.h"

namespace {

using namespace ruvf_test;

const char kFatalChildVar[] = "RUVF_TDM_FATAL_CHILD";

TEST(DmAsk, RefusalsAnswer127AndTheThirdButtonMayBeMissing)
{
    in_app([] {
        Ctx c;
        c.get(Obj::Doc);
        Recorder rec;
        EXPECT_EQ(ruv_dm_post_ask("Yes", "No", nullptr, nullptr), 127);
        EXPECT_EQ(ruv_dm_post_ask(nullptr, "No", nullptr, "Q"), 127);
        ASSERT_EQ(rec.reports().size(), 2u);
        EXPECT_EQ(rec.reports()[0].id, 0x00210000u);
        EXPECT_EQ(rec.reports()[1].id, 0x00210000u);
        rec.clear();
        Dismisser dismiss;
        int answer = ruv_dm_post_ask("Yes", "No", nullptr, "Two buttons, %s?", "fine");
        EXPECT_EQ(dismiss.answered(), 1);
        EXPECT_NE(answer, 127);
        EXPECT_EQ(rec.errors(), 0u);
        // During an update the box is refused and nothing is shown.
        rec.clear();
        int refused = 0;
        ASSERT_TRUE(ctl_test::during_update([&] { refused = ruv_dm_post_ask("Yes", "No", nullptr, "Now?"); }));
        EXPECT_EQ(refused, 127);
        EXPECT_EQ(dismiss.answered(), 1);
        ASSERT_EQ(rec.reports().size(), 1u);
        EXPECT_EQ(rec.reports()[0].id, 0x01610001u);
    });
}

// The text of a box is made by the toolkit's own formatter: arguments
// named by position are taken in that order, and a positional format that
// names one twice is reported as an illegal format and shows no text.
TEST(DmBoxes, TextsTakeTheirArgumentsByPosition)
{
    in_app([] {
        Recorder rec;
        kt::ModalGuard guard({ { "x is 7", 1 }, { "7 and y", 1 }, { "Note", 1 } });
        ruv_dm_post_note("%2$s is %1$d", 7, "x");
        ruv_dm_post_warning("%1$d and %2$s", 7, "y");
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
        ruv_dm_post_note("%1$d and %1$d", 7, 8);
        guard.stop();
        const std::vector<std::string> texts = guard.texts();
        ASSERT_EQ(texts.size(), 3u);
        EXPECT_EQ(texts[0], "Note\nx is 7");
        EXPECT_EQ(texts[2], "Note");
        ASSERT_EQ(rec.reports().size(), 1u) << describe(rec.reports());
        EXPECT_EQ(rec.reports()[0].id, 0x159000au);
    });
}

// Closes the boxes the fatal exit shows in the child.
DWORD WINAPI close_boxes(LPVOID)
{
    for (;;) {
        EnumWindows(
            [](HWND h, LPARAM) -> BOOL {
                DWORD pid = 0;
                GetWindowThreadProcessId(h, &pid);
                char cls[64] = "";
                GetClassNameA(h, cls, sizeof cls);
                if (pid == GetCurrentProcessId() && IsWindowVisible(h) && lstrcmpA(cls, "#32770") == 0)
                    PostMessageA(h, WM_COMMAND, IDOK, 0);
                return TRUE;
            },
            0);
        Sleep(20);
    }
}

TEST(DmFatalExit, ReachesTheToolkitDuringAnUpdate)
{
    if (const char *out = std::getenv(kFatalChildVar)) {
        std::freopen(out, "w", stderr);
        in_app([] {
            CreateThread(nullptr, 0, close_boxes, nullptr, 0, nullptr);
            ctl_test::during_update([] { ruv_dm_post_fatal_exit("Stopped at %d", 7); });
            std::fprintf(stderr, "returned\n");
            std::fflush(stderr);
        });
        return;
    }
    kt::ChildRun child = kt::run_child(kFatalChildVar, "DmFatalExit.*");
    ASSERT_TRUE(child.ran);
    EXPECT_NE(child.output.find("Stopped at 7"), std::string::npos) << child.output;
    EXPECT_EQ(child.output.find("returned"), std::string::npos) << child.output;
    EXPECT_EQ(child.output.find("Request during E_UPDATE"), std::string::npos) << child.output;
}

} // namespace
