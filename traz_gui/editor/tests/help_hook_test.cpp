// The help associations recorded before the help file is open: the list
// grows by 50 entries at a time, the free index follows the entries, and a
// destroyed window's entries are taken again by the next recordings.
#include <gtest/gtest.h>

#include "editor_shell.h"
#include "front_fixture.h"

// The main window does not route events in this test.
bool MainWindowIsRouting(void) { return false; }

namespace {

using ruvf_test::Ctx;
using ruvf_test::in_app;
using ruvf_test::Obj;

TEST(HelpAssociations, ListGrowsBy50AndThe51stRecordingLandsInEntry50)
{
    in_app([] {
        Ctx c;
        const RUV_WIN window = c.get(Obj::Doc);
        CloseHelp();
        EXPECT_EQ(HelpRecordedCapacity(), 0);
        EXPECT_EQ(HelpRecordedFreeIndex(), -1);

        HelpRecordAssociation(window, 0, 111, 1);
        EXPECT_EQ(HelpRecordedCapacity(), 50);
        EXPECT_EQ(HelpRecordedFreeIndex(), 1);
        for (int i = 1; i < 50; ++i)
            HelpRecordAssociation(window, i, 112, 2);
        EXPECT_EQ(HelpRecordedCapacity(), 50);
        EXPECT_EQ(HelpRecordedFreeIndex(), -1) << "all 50 entries are taken";

        HelpRecordAssociation(window, 50, 113, 2);
        EXPECT_EQ(HelpRecordedCapacity(), 100);
        EXPECT_EQ(HelpRecordedFreeIndex(), 51) << "the 51st recording took entry 50";

        CloseHelp();
        EXPECT_EQ(HelpRecordedCapacity(), 0);
        EXPECT_EQ(HelpRecordedFreeIndex(), -1);
    });
}

TEST(HelpAssociations, ARemovedWindowsEntriesAreTakenAgain)
{
    in_app([] {
        Ctx c;
        const RUV_WIN kept = c.get(Obj::Doc);
        const RUV_WIN removed = c.get(Obj::Child);
        CloseHelp();
        // Entries 0..49: removed at 10, 20 and 30, kept elsewhere.
        for (int i = 0; i < 50; ++i)
            HelpRecordAssociation(i == 10 || i == 20 || i == 30 ? removed : kept, i, 105, 2);
        ASSERT_EQ(HelpRecordedFreeIndex(), -1);

        HelpRemoveWindow(removed);
        EXPECT_EQ(HelpRecordedFreeIndex(), 30) << "the last entry of the window";
        HelpRecordAssociation(kept, 60, 105, 2);
        EXPECT_EQ(HelpRecordedFreeIndex(), 10) << "searched again from the start";
        HelpRecordAssociation(kept, 61, 105, 2);
        EXPECT_EQ(HelpRecordedFreeIndex(), 20);
        HelpRecordAssociation(kept, 62, 105, 2);
        EXPECT_EQ(HelpRecordedFreeIndex(), -1);
        EXPECT_EQ(HelpRecordedCapacity(), 50) << "no growth while freed entries remain";

        HelpRemoveWindow(NULL_WIN);
        EXPECT_EQ(HelpRecordedFreeIndex(), -1) << "no window, no entry freed";
        CloseHelp();
    });
}

TEST(HelpAssociations, EventsOtherThanHelpRequestsPassWithoutOpeningTheHelpFile)
{
    in_app([] {
        Ctx c;
        const RUV_WIN window = c.get(Obj::Doc);
        CloseHelp();
        RUV_EVENT event{};
        for (int32_t type : {E_CHAR, E_CONTROL, E_UPDATE}) {
            event.type = type;
            EXPECT_TRUE(HelpEventHook(nullptr, window, &event)) << "event type " << type;
        }
        event.type = E_COMMAND;
        for (int32_t tag : {1002, 1022, 32449, 32463}) {
            event.v.command.tag = tag;
            EXPECT_TRUE(HelpEventHook(nullptr, window, &event)) << "command " << tag;
        }
        EXPECT_EQ(HelpRecordedCapacity(), 0);
    });
}

}  // namespace
