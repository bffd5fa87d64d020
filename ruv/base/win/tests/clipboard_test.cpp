// The clipboard through the real system clipboard: text, named formats and
// pictures put by the kernel and read back natively (and the other way
// round), the got block released before the next read, and every fatal
// misuse or system failure (one system call made to fail through the
// module's call table).
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "clipboard.h"
#include "kernel_test_support.h"

namespace {

constexpr const char *kNamed = "TRAZ kernel test format";

std::string native_text()
{
    std::string out = "(none)";
    if (!OpenClipboard(nullptr))
        return "(not opened)";
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        out = static_cast<const char *>(GlobalLock(h));
        GlobalUnlock(h);
    }
    CloseClipboard();
    return out;
}

void native_put_text(HWND owner, const char *text)
{
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
    strcpy(static_cast<char *>(GlobalLock(g)), text);
    GlobalUnlock(g);
    SetClipboardData(CF_TEXT, g);
    CloseClipboard();
}

bool put_text(const char *text, int32_t length)
{
    if (!ruvk_cb_open(TRUE))
        return false;
    char *p = static_cast<char *>(ruvk_cb_alloc_data(static_cast<int32_t>(strlen(text))));
    if (!p)
        return false;
    memcpy(p, text, strlen(text));
    bool ok = ruvk_cb_put_data(RUVK_CB_TEXT, nullptr, length, nullptr);
    return ruvk_cb_close() && ok;
}

// A session with a window for the clipboard to be opened on (the utility
// window's place until start-up makes it).
class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(session_.ok());
        owner_ = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(owner_, nullptr);
        RUV_APP_RECORD *app = ruvk_app_record();
        ASSERT_NE(app, nullptr);
        if (!app->utility) {
            app->utility = owner_;
            lent_ = true;
        }
    }
    void TearDown() override
    {
        ruvk_cb_calls = saved_;
        ruvk_cb_close();
        if (GetOpenClipboardWindow())
            CloseClipboard();
        if (lent_)
            ruvk_app_record()->utility = nullptr;
        DestroyWindow(owner_);
    }

    kt::Session session_;
    HWND owner_ = nullptr;
    bool lent_ = false;
    const RUVK_CB_CALLS saved_ = ruvk_cb_calls;
};

TEST_F(ClipboardTest, TextGoesToTheSystemClipboardAndComesBack)
{
    ASSERT_TRUE(put_text("hello world", 11));
    EXPECT_EQ(native_text(), "hello world");
    // Only the given length goes: the rest of the block is cleared.
    ASSERT_TRUE(put_text("abcdefghij", 3));
    EXPECT_EQ(native_text(), "abc");

    native_put_text(owner_, "from the system");
    EXPECT_TRUE(ruvk_cb_has_format(RUVK_CB_TEXT, nullptr));
    EXPECT_FALSE(ruvk_cb_has_format(RUVK_CB_NAMED, kNamed));
    ASSERT_TRUE(ruvk_cb_open(FALSE));
    int32_t len = -1;
    const char *got = static_cast<const char *>(ruvk_cb_get_data(RUVK_CB_TEXT, nullptr, &len));
    ASSERT_NE(got, nullptr);
    EXPECT_STREQ(got, "from the system");
    EXPECT_EQ(len, 15);
    // A format that is not there.
    EXPECT_EQ(ruvk_cb_get_data(RUVK_CB_PICTURE, nullptr, &len), nullptr);
    EXPECT_EQ(len, 0);
    EXPECT_TRUE(ruvk_cb_close());
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
    EXPECT_TRUE(kt::reports().empty());
}

TEST_F(ClipboardTest, NamedFormatRoundTripKeepsEveryByte)
{
    const unsigned char bytes[] = { 1, 0, 2, 0xFF, 3 };
    ASSERT_TRUE(ruvk_cb_open(TRUE));
    auto *p = static_cast<unsigned char *>(ruvk_cb_alloc_data(sizeof bytes));
    ASSERT_NE(p, nullptr);
    memcpy(p, bytes, sizeof bytes);
    ASSERT_TRUE(ruvk_cb_put_data(RUVK_CB_NAMED, kNamed, sizeof bytes, nullptr));
    ASSERT_TRUE(ruvk_cb_close());

    EXPECT_TRUE(ruvk_cb_has_format(RUVK_CB_NAMED, kNamed));
    EXPECT_FALSE(ruvk_cb_has_format(RUVK_CB_NAMED, "TRAZ another format"));
    EXPECT_FALSE(ruvk_cb_has_format(RUVK_CB_TEXT, nullptr));
    EXPECT_EQ(IsClipboardFormatAvailable(RegisterClipboardFormatA(kNamed)), TRUE);

    ASSERT_TRUE(ruvk_cb_open(FALSE));
    int32_t len = 0;
    auto *got = static_cast<const unsigned char *>(ruvk_cb_get_data(RUVK_CB_NAMED, kNamed, &len));
    ASSERT_NE(got, nullptr);
    ASSERT_GE(len, static_cast<int32_t>(sizeof bytes));
    EXPECT_EQ(memcmp(got, bytes, sizeof bytes), 0);
    EXPECT_TRUE(ruvk_cb_close());
}

TEST_F(ClipboardTest, PictureComesBackAsADeviceIndependentBitmap)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 4, 2);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            SetPixel(mem, x, y, RGB(10 * x, 100 * y, 200));
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);

    ASSERT_TRUE(ruvk_cb_open(TRUE));
    ASSERT_TRUE(ruvk_cb_put_data(RUVK_CB_PICTURE, nullptr, 0, bmp));
    ASSERT_TRUE(ruvk_cb_close());
    EXPECT_TRUE(ruvk_cb_has_format(RUVK_CB_PICTURE, nullptr));

    ASSERT_TRUE(ruvk_cb_open(FALSE));
    int32_t len = 0;
    auto *dib = static_cast<const BITMAPINFOHEADER *>(ruvk_cb_get_data(RUVK_CB_PICTURE, nullptr, &len));
    ASSERT_NE(dib, nullptr);
    EXPECT_EQ(dib->biWidth, 4);
    EXPECT_EQ(dib->biHeight, 2);
    ASSERT_GE(dib->biBitCount, 24);
    ASSERT_GE(len, static_cast<int32_t>(sizeof *dib + dib->biSizeImage));
    // Rows bottom-up; pixel (x, y) in blue, green, red order.
    const auto *bits = reinterpret_cast<const unsigned char *>(dib + 1);
    int bpp = dib->biBitCount / 8;
    int stride = (4 * dib->biBitCount + 31) / 32 * 4;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) {
            const unsigned char *px = bits + (1 - y) * stride + x * bpp;
            EXPECT_EQ(px[0], 200);
            EXPECT_EQ(px[1], 100 * y);
            EXPECT_EQ(px[2], 10 * x);
        }
    EXPECT_TRUE(ruvk_cb_close());
}

// Counts the unlocks and the fetches in the order they happen.
std::vector<std::string> &calls()
{
    static std::vector<std::string> c;
    return c;
}
BOOL WINAPI counting_unlock(HGLOBAL h)
{
    calls().push_back("unlock");
    return GlobalUnlock(h);
}
HANDLE WINAPI counting_get(UINT f)
{
    calls().push_back("get");
    return GetClipboardData(f);
}

TEST_F(ClipboardTest, ReadingAgainReleasesTheFirstBlockBeforeFetching)
{
    native_put_text(owner_, "twice");
    ruvk_cb_calls.unlock = counting_unlock;
    ruvk_cb_calls.get_data = counting_get;
    calls().clear();
    ASSERT_TRUE(ruvk_cb_open(FALSE));
    ASSERT_NE(ruvk_cb_get_data(RUVK_CB_TEXT, nullptr, nullptr), nullptr);
    const char *second = static_cast<const char *>(ruvk_cb_get_data(RUVK_CB_TEXT, nullptr, nullptr));
    ASSERT_NE(second, nullptr);
    EXPECT_STREQ(second, "twice");
    EXPECT_EQ(calls(), (std::vector<std::string>{ "get", "unlock", "get" }));
    EXPECT_TRUE(ruvk_cb_close());
    EXPECT_EQ(calls().back(), "unlock");
}

TEST_F(ClipboardTest, ClosingWhatIsNotOpenSucceeds)
{
    EXPECT_TRUE(ruvk_cb_close());
    EXPECT_TRUE(ruvk_cb_close());
    EXPECT_TRUE(ruvk_cb_free_data());
    EXPECT_TRUE(kt::reports().empty());
}

// ---- the fatal reports -------------------------------------------------

UINT WINAPI fail_register(LPCSTR) { return 0; }
BOOL WINAPI still_locked(HGLOBAL) { return TRUE; }
BOOL WINAPI unlock_fails(HGLOBAL)
{
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
}
HGLOBAL WINAPI free_fails(HGLOBAL h) { return h; }
BOOL WINAPI empty_fails() { return FALSE; }
BOOL WINAPI close_fails() { return FALSE; }
HGLOBAL WINAPI alloc_fails(UINT, SIZE_T) { return nullptr; }

HBITMAP small_bitmap()
{
    HDC screen = GetDC(nullptr);
    HBITMAP b = CreateCompatibleBitmap(screen, 2, 2);
    ReleaseDC(nullptr, screen);
    return b;
}

TEST_F(ClipboardTest, MisuseAndSystemFailuresAreFatal)
{
    struct Case {
        RUV_ERRMSG_ID id;
        std::function<void()> run;
    };
    const Case cases[] = {
        { 0x3477EC, [] {
             ruvk_cb_calls.register_format = fail_register;
             EXPECT_FALSE(ruvk_cb_has_format(RUVK_CB_NAMED, kNamed));
         } },
        { 0x3477ED, [] { EXPECT_FALSE(ruvk_cb_has_format(7, nullptr)); } },
        { 0x3477EE, [this] {
             native_put_text(owner_, "locked");
             ASSERT_TRUE(ruvk_cb_open(FALSE));
             ASSERT_NE(ruvk_cb_get_data(RUVK_CB_TEXT, nullptr, nullptr), nullptr);
             ruvk_cb_calls.unlock = still_locked;
             ruvk_cb_close();
         } },
        { 0x3477EF, [] {
             ASSERT_TRUE(ruvk_cb_open(TRUE));
             ASSERT_TRUE(ruvk_cb_put_data(RUVK_CB_PICTURE, nullptr, 0, small_bitmap()));
             ruvk_cb_close();
             ASSERT_TRUE(ruvk_cb_open(FALSE));
             ASSERT_NE(ruvk_cb_get_data(RUVK_CB_PICTURE, nullptr, nullptr), nullptr);
             ruvk_cb_calls.free = free_fails;
             ruvk_cb_close();
         } },
        { 0x3477F0, [] {
             ASSERT_TRUE(ruvk_cb_open(TRUE));
             ASSERT_NE(ruvk_cb_alloc_data(3), nullptr);
             ruvk_cb_calls.unlock = unlock_fails;
             ruvk_cb_close();
         } },
        { 0x3477F1, [] {
             ASSERT_TRUE(ruvk_cb_open(TRUE));
             ASSERT_NE(ruvk_cb_alloc_data(3), nullptr);
             ruvk_cb_calls.free = free_fails;
             EXPECT_TRUE(ruvk_cb_free_data());
         } },
        { 0x3477F3, [] {
             ASSERT_TRUE(ruvk_cb_open(FALSE));
             EXPECT_FALSE(ruvk_cb_open(FALSE));
         } },
        { 0x3477F5, [] {
             ruvk_cb_calls.empty = empty_fails;
             EXPECT_FALSE(ruvk_cb_open(TRUE));
             EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
         } },
        { 0x3477F7, [] {
             ASSERT_TRUE(ruvk_cb_open(FALSE));
             ruvk_cb_calls.close = close_fails;
             EXPECT_FALSE(ruvk_cb_close());
         } },
        { 0x3477F9, [] {
             ASSERT_TRUE(ruvk_cb_open(TRUE));
             ASSERT_NE(ruvk_cb_alloc_data(3), nullptr);
             EXPECT_EQ(ruvk_cb_alloc_data(3), nullptr);
         } },
        { 0x3477FA, [this] {
             // A put block whose unlock failed leaves its pointer behind.
             ASSERT_TRUE(ruvk_cb_open(TRUE));
             ASSERT_NE(ruvk_cb_alloc_data(3), nullptr);
             ruvk_cb_calls.unlock = unlock_fails;
             ruvk_cb_close();
             ruvk_cb_calls = saved_;
             EXPECT_EQ(ruvk_cb_alloc_data(3), nullptr);
         } },
        { 0x3477FB, [] {
             ASSERT_TRUE(ruvk_cb_open(TRUE));
             ruvk_cb_calls.alloc = alloc_fails;
             EXPECT_EQ(ruvk_cb_alloc_data(3), nullptr);
             EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
         } },
        { 0x3477FE, [] {
             ASSERT_TRUE(ruvk_cb_open(TRUE));
             ASSERT_NE(ruvk_cb_alloc_data(3), nullptr);
             HBITMAP b = small_bitmap();
             EXPECT_FALSE(ruvk_cb_put_data(RUVK_CB_TEXT, nullptr, 3, b));
             DeleteObject(b);
         } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << "0x" << c.id);
        kt::reports().clear();
        c.run();
        EXPECT_EQ(kt::severity_of(c.id), RUV_SEV_FATAL);
        ruvk_cb_calls = saved_;
        ruvk_cb_close();
        if (GetOpenClipboardWindow())
            CloseClipboard();
    }
}

} // namespace
