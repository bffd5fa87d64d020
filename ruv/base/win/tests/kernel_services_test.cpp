// The kernel's small entries on the real system: the error, warning and
// note boxes and the attribute values only the window system knows.
#include <cstdarg>
#include <string>

#include "kernel_test_support.h"
#include "ruvv_app.h"
#include "window_create.h"

namespace {

int32_t post(int32_t (*box)(const char *, va_list), const char *format, ...)
{
    va_list args;
    va_start(args, format);
    int32_t r = box(format, args);
    va_end(args);
    return r;
}

RUV_WIN task()
{
    return reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
}

TEST(StandardBoxes, ErrorWarningAndNoteAreSystemBoxesWithTheApplicationsName)
{
    kt::ModalGuard guard({ { "Disk full: 42", IDOK }, { "Careful", IDOK }, { "Saved 3 files", IDOK } });
    kt::Session session;
    ASSERT_TRUE(session.ok());
    kt::run_app([] {
        EXPECT_EQ(post(ruvk_dm_post_error, "Disk full: %d", 42), IDOK);
        EXPECT_EQ(post(ruvk_dm_post_warning, "%s", "Careful"), IDOK);
        EXPECT_EQ(post(ruvk_dm_post_note, "Saved %d %s", 3, "files"), IDOK);
    });
    guard.stop();
    std::vector<std::string> texts = guard.texts();
    ASSERT_EQ(texts.size(), 3u);
    for (const std::string &t : texts)
        EXPECT_EQ(t.rfind("ktest", 0), 0u) << t;   // the caption comes first
}

TEST(KernelAttributes, ValuesOnlyTheWindowSystemKnows)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    kt::run_app([] {
        const struct {
            int32_t key;
            int metric;
        } metrics[] = { { 203, SM_CYHSCROLL }, { 204, SM_CXVSCROLL }, { 400, SM_CYSCREEN },
                        { 401, SM_CXSCREEN },  { 506, SM_CYMENU },    { 507, SM_CYCAPTION },
                        { 500, SM_CXFRAME },   { 501, SM_CYFRAME },   { 102, SM_MOUSEPRESENT } };
        for (const auto &m : metrics)
            EXPECT_EQ(ruvk_vobj_get_attr(NULL_WIN, m.key), GetSystemMetrics(m.metric)) << m.key;

        COLORREF face = GetSysColor(COLOR_BTNFACE);
        intptr_t rgb = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
        EXPECT_EQ(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_BACK_COLOR), rgb);

        RUV_RECT rect{ 10, 10, 100, 200 };
        RUV_WIN doc = ruvk_win_create(1, &rect, "Attr", 0, task(), 0x3, RUV_EVENT_MASK_ALL, nullptr, nullptr);
        ASSERT_NE(doc, nullptr);
        EXPECT_EQ(ruvk_vobj_get_attr(doc, RUV_ATTR_NATIVE_WINDOW), reinterpret_cast<intptr_t>(kt::hwnd_of(doc)));
        EXPECT_EQ(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_NATIVE_WINDOW), 0);
        HDC dc = reinterpret_cast<HDC>(ruvk_vobj_get_attr(doc, 601));
        ASSERT_NE(dc, nullptr);
        EXPECT_EQ(WindowFromDC(dc), kt::hwnd_of(doc));
        EXPECT_EQ(ruvk_vobj_get_attr(NULL_WIN, 10024), 0);  // native menus cached: none without bars

        EXPECT_EQ(ruvk_vobj_get_attr(NULL_WIN, 10023), 7);
        ruvk_vobj_set_attr(NULL_WIN, 10023, 3);
        EXPECT_EQ(ruvk_vobj_get_attr(NULL_WIN, 10023), 3);

        intptr_t color_class = ruvk_vobj_get_attr(NULL_WIN, 105);
        EXPECT_TRUE(color_class == 5 || color_class == 4 || color_class == 3 || color_class == 0);
    });
}

TEST(StartInfo, ARecordIsNeeded)
{
    kt::Session session;
    ASSERT_TRUE(session.ok());
    EXPECT_FALSE(ruvv_win_save_start_info(nullptr));
    RUV_START_RECORD start = kt::start_record();
    EXPECT_TRUE(ruvv_win_save_start_info(&start));
}

} // namespace
