// Start-up of a program that brings none of the native resources a toolkit
// program should have, and start-ups that fail: each failure is reported
// with its own id and severity 3.
#include <cstring>
#include <string>

#include "kernel_test_support.h"
#include "ruvv_app.h"
#include "window_create.h"

namespace {

TEST(BareStartUp, MissingApplicationNameAndAcceleratorsAreReported)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_NO_TASK_WINDOW, 1);
    bool ran = false;
    kt::run_app([&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_EQ(kt::severity_of(0x72C350), 3);
    EXPECT_EQ(kt::severity_of(0x347E92), 3);
    EXPECT_FALSE(kt::reported(0x347E90));
    // The classes are named without an application name.
    EXPECT_STREQ(ruvk_app_record()->app_name, "");
}

TEST(BareStartUp, MissingWindowMenuOfAMultipleDocumentProgramIsReported)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_MDI, 1);
    kt::run_app([] {});
    EXPECT_EQ(kt::severity_of(0x347E90), 3);
}

TEST(BareStartUp, AMissingResourceLibraryIsToldAndTheProgramsOwnResourcesServe)
{
    kt::ModalGuard guard({ { "Cannot find resource file - will use default resources", IDOK } });
    kt::Session session;
    ASSERT_TRUE(session.ok());
    static char name[] = "no_such_resource_library.dll";
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_RESOURCE_LIBRARY, reinterpret_cast<intptr_t>(name));
    bool ran = false;
    kt::run_app([&] {
        ran = true;
        EXPECT_EQ(ruvk_app_record()->res_instance, ruvk_app_record()->instance);
    });
    EXPECT_TRUE(ran);
    guard.stop();
    ASSERT_EQ(guard.texts().size(), 1u);
    // The caption is the application's name.
    EXPECT_EQ(guard.texts()[0].rfind("ktest", 0), 0u);
}

void break_task_class(DWORD *, LPCSTR *cls, LPCSTR *, DWORD *, int *, int *, int *, int *, HWND *, HMENU *,
                      HINSTANCE *, LPVOID *)
{
    if (std::strstr(*cls, "task"))
        *cls = "no such class";
}

TEST(BareStartUp, ATaskWindowThatCannotBeMadeIsReportedAndTheLoopDoesNotRun)
{
    kt::MemCount::install(true);
    {
        kt::Session session;
        ASSERT_TRUE(session.ok());
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_CREATE_HOOK, reinterpret_cast<intptr_t>(&break_task_class));
        bool ran = false;
        kt::run_app([&] { ran = true; });
        EXPECT_FALSE(ran);
        EXPECT_EQ(kt::severity_of(0x1530003), 3);
        EXPECT_EQ(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW), 0);
    }
    EXPECT_EQ(kt::MemCount::outstanding(), 0);
}

// The attribute values' block (107 words) cannot be had.
void *no_attribute_block(size_t count, size_t size)
{
    return size == RUV_ATTR_COUNT * sizeof(intptr_t) ? nullptr : std::calloc(count, size);
}

TEST(BareStartUp, AttributeValuesThatCannotBeHadFailTheStart)
{
    // The report cannot reach the hook of attribute 706: it shows as the
    // fatal box.
    kt::ModalGuard guard({ { "0072c381", IDOK } });
    ruvk_static_calloc = no_attribute_block;
    RUV_START_RECORD start = kt::start_record();
    EXPECT_TRUE(ruvwi_Begin(&start));
    EXPECT_EQ(ruvwi_Init(&start), 0);
    ruvk_static_calloc = std::calloc;
    ruvwi_End();
    guard.stop();
}

} // namespace
