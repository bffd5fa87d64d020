// Printing to the project's print queue (a PDF file): two pages of text, a
// rectangle, an image, a pixmap and a picture read back with the PDF tools
// (pages, A4, text, pixels); landscape; paper chosen by size; the page of
// the platform escape; the print-setup dialog accepted and cancelled; the
// status dialog's texts and its Cancel (nothing printed); a names block
// whose last string runs out; the print error ids by the last error;
// bands through a device that bands; straight lines and rectangles as the
// printer's rules; a queue gone before the end of the document; and no
// printer at all.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cursor.h"
#include "draw_primitives.h"
#include "draw_state.h"
#include "kernel_test_support.h"
#include "pixmaps.h"
#include "printing.h"
#include "ruvv_font.h"
#include "ruvv_image.h"
#include "ruvv_mem.h"
#include "services_test_support.h"
#include "window_create.h"

#include <commdlg.h>

extern "C" void ruvk_dwin_draw_rect(RUV_WIN win, const RUV_RECT *rect);

namespace {

// ---- the queue and the PDF tools ------------------------------------------

// The print server's directory (Unix path), empty when none is set.
std::string cups_dir()
{
    char buf[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("CUPS_SERVER", buf, sizeof buf))
        return "";
    std::string s = buf;
    size_t slash = s.rfind('/');
    return slash == std::string::npos ? "" : s.substr(0, slash);
}

std::string win_path(const std::string &unix_path)
{
    std::string w = "Z:" + unix_path;
    for (char &c : w)
        if (c == '/')
            c = '\\';
    return w;
}

// Runs a shell command on the host in the server's directory; its exit
// code (-1 when it could not run or took over 60 s).  A host program
// started from here is not waited for by the system, so the script leaves
// its status in a file when it ends.
int sh(const std::string &command)
{
    const std::string dir = cups_dir();
    const std::string step = dir + "/test_step_" + std::to_string(GetCurrentProcessId());
    const std::string script = step + ".sh", status = step + ".status";
    DeleteFileA(win_path(status).c_str());
    {
        std::ofstream out(win_path(script), std::ios::binary | std::ios::trunc);
        // The host's own search path: the process has the prefix's.
        out << "PATH=/usr/bin:/bin:/usr/sbin:/sbin\nexport PATH\ncd '" << dir << "' || exit 99\n(\n"
            << command << "\n)\necho $? > '" << status << ".tmp'\nmv '" << status << ".tmp' '" << status << "'\n";
    }
    std::string line = "/bin/sh " + script;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::printf("cannot start %s (error %lu)\n", line.c_str(), GetLastError());
        return -1;
    }
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    for (int i = 0; i < 1200; ++i) {
        int code = -1;
        bool done;
        {
            std::ifstream in(win_path(status));
            done = static_cast<bool>(in >> code);
        }
        if (done) {
            DeleteFileA(win_path(status).c_str());
            DeleteFileA(win_path(script).c_str());
            return code;
        }
        Sleep(50);
    }
    return -1;
}

std::string read_file(const std::string &unix_name)
{
    std::ifstream in(win_path(cups_dir() + "/" + unix_name), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Waits (at most 30 s) until the queue is empty and the PDF is complete.
bool wait_for_pdf()
{
    return sh("for i in $(seq 300); do [ -z \"$(lpstat -o traz 2>/dev/null)\" ] && [ -s out.pdf ] && "
              "pdfinfo out.pdf >/dev/null 2>&1 && exit 0; sleep 0.1; done; exit 1") == 0;
}

// True when no job is left and no PDF came after a few seconds.
bool nothing_printed()
{
    return sh("sleep 3; [ -z \"$(lpstat -o traz 2>/dev/null)\" ] && [ ! -e out.pdf ]") == 0;
}

struct PdfInfo {
    int pages = 0;
    double width = 0, height = 0;
    int rotation = 0;
};

PdfInfo pdf_info()
{
    PdfInfo info;
    sh("pdfinfo out.pdf > info.txt");
    std::istringstream in(read_file("info.txt"));
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("Pages:", 0) == 0)
            info.pages = std::atoi(line.c_str() + 6);
        else if (line.rfind("Page size:", 0) == 0)
            std::sscanf(line.c_str() + 10, "%lf x %lf", &info.width, &info.height);
        else if (line.rfind("Page rot:", 0) == 0)
            info.rotation = std::atoi(line.c_str() + 9);
    }
    return info;
}

// One page rendered at 30 dpi as RGB pixels.
struct Raster {
    int width = 0, height = 0;
    std::string rgb;
    uint32_t at(int x, int y) const
    {
        size_t i = ((size_t)y * width + x) * 3;
        return ((uint32_t)(uint8_t)rgb[i] << 16) | ((uint32_t)(uint8_t)rgb[i + 1] << 8) | (uint8_t)rgb[i + 2];
    }
    // The pixel at a point given in printer pixels (300 dpi).
    uint32_t at_device(int x, int y) const { return at(x / 10, y / 10); }
};

Raster render(int page)
{
    Raster r;
    std::string n = std::to_string(page);
    sh("rm -f page*.ppm; pdftoppm -r 30 -f " + n + " -l " + n + " out.pdf page");
    std::string data = read_file("page-" + n + ".ppm");
    if (data.empty())
        data = read_file("page-" + std::string(2 - n.size(), '0') + n + ".ppm");
    std::istringstream in(data);
    std::string magic;
    int maxval = 0;
    in >> magic >> r.width >> r.height >> maxval;
    in.get();
    r.rgb.resize((size_t)r.width * r.height * 3);
    in.read(&r.rgb[0], (std::streamsize)r.rgb.size());
    if (magic != "P6" || !in)
        r.width = r.height = 0;
    return r;
}

// Near a colour (the PDF pipeline may round a component by a few steps).
bool close_to(uint32_t got, uint32_t want)
{
    for (int s = 0; s < 24; s += 8) {
        int g = (got >> s) & 0xFF, w = (want >> s) & 0xFF;
        if (g - w > 24 || w - g > 24)
            return false;
    }
    return true;
}

// ---- the status dialog ----------------------------------------------------

HWND status_dialog()
{
    return FindWindowA("#32770", "traz_gui");
}

std::string status_text(int item)
{
    char buf[256] = "";
    if (HWND h = status_dialog())
        GetDlgItemTextA(h, item, buf, sizeof buf);
    return buf;
}

// A device that tells what the status line said at each document call
// and may stand in for the queue or the banding.
struct Recorder {
    static std::vector<std::string> &texts()
    {
        static std::vector<std::string> t;
        return t;
    }
    static std::function<void()> &before_end()
    {
        static std::function<void()> f;
        return f;
    }
    static int WINAPI start_doc(HDC hdc, const DOCINFOA *di)
    {
        texts().push_back(status_text(5));
        return StartDocA(hdc, di);
    }
    static int WINAPI end_page(HDC hdc)
    {
        texts().push_back(status_text(5));
        return EndPage(hdc);
    }
    static int WINAPI end_doc(HDC hdc)
    {
        texts().push_back(status_text(5));
        if (before_end())
            before_end()();
        return EndDoc(hdc);
    }
};

// A banding device: three bands of a third of the page each, then an empty
// one.
struct Bands {
    static int &calls()
    {
        static int n = 0;
        return n;
    }
    static int WINAPI caps(HDC hdc, int index)
    {
        int v = GetDeviceCaps(hdc, index);
        return index == RASTERCAPS ? (v | RC_BANDING) : v;
    }
    static int WINAPI escape(HDC hdc, int code, int in_size, LPCSTR in, LPVOID out)
    {
        if (code != NEXTBAND)
            return Escape(hdc, code, in_size, in, out);
        RECT *r = static_cast<RECT *>(out);
        int n = calls()++ % 4;
        if (n == 3)
            *r = RECT{0, 0, 0, 0};
        else
            *r = RECT{0, n * 1000, 2000, n * 1000 + 1000};
        return 1;
    }
};

// ---- what a page holds ------------------------------------------------------

struct ImageDel {
    void operator()(RUV_IMAGE *i) const { ruvv_image_destroy(i); }
};

RUV_RECT rect(int top, int left, int bottom, int right)
{
    return RUV_RECT{(int16_t)top, (int16_t)left, (int16_t)bottom, (int16_t)right};
}

// Printer-pixel places of what draw_page draws.
const RUV_RECT RECT_AT = rect(600, 300, 900, 900);       // red rectangle
const RUV_RECT IMAGE_AT = rect(1200, 300, 1500, 600);    // blue image
const RUV_RECT PMAP_AT = rect(1200, 900, 1500, 1200);    // green pixmap
const RUV_RECT PICT_AT = rect(1800, 300, 2100, 600);     // magenta picture

struct PageParts {
    RUV_IMAGE *image;
    RUV_WIN pixmap;
    HBITMAP picture;
};

void draw_page(RUV_WIN pw, int page, const PageParts &parts)
{
    std::string text = "TRAZ page " + std::to_string(page) + " of two";
    ruvk_dwin_draw_text(pw, 300, 400, text.c_str(), -1);
    RUV_CPEN pen{0, 1, 0, 0};
    RUV_CBRUSH brush{2, 0xFF0000};
    ruvk_dwin_set_cpen(pw, &pen);
    ruvk_dwin_set_cbrush(pw, &brush);
    ruvk_dwin_draw_rect(pw, &RECT_AT);
    RUV_RECT whole = rect(0, 0, parts.image->height, parts.image->width);
    ruvk_dwin_draw_image(pw, parts.image, &whole, &IMAGE_AT);
    RUV_RECT pm = rect(0, 0, 10, 10);
    ruvk_dwin_draw_pmap(pw, parts.pixmap, &pm, &PMAP_AT);
    ruvk_dwin_draw_pict(pw, parts.picture, &PICT_AT);
}

class Printing : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (cups_dir().empty())
            GTEST_SKIP() << "no print server (CUPS_SERVER)";
        ASSERT_TRUE(session_.ok());
        // Errors keep their severity, as in a running application.
        ruvv_errmsg_set_ready();
        ruvv_font_cache_init();
        sh("rm -f out.pdf");
        record_ = ruvk_print_create(&size_);
        ASSERT_NE(record_, nullptr);
        win_ = std::make_unique<st::Win>(8u, 1, nullptr, nullptr, "print source", WS_POPUP | WS_VISIBLE, 0, 0, 100,
                                         100);
        image_.reset(ruvv_image_create(RUV_IMAGE_DIRECT, 8, 8));
        RUV_RECT all = rect(0, 0, 8, 8);
        ruvv_image_fill_rect(image_.get(), 0x0000FF, &all);
        pixmap_ = ruvk_pmap_create(win_->rec(), 1, 10, 10);
        fill(pixmap_, RGB(0, 255, 0));
        RUV_RECT r = rect(0, 0, 20, 20);
        ruvk_dwin_open_pict(win_->rec(), &r);
        fill(win_->rec(), RGB(255, 0, 255));
        picture_ = ruvk_dwin_close_pict(win_->rec());
        Recorder::texts().clear();
        Recorder::before_end() = nullptr;
    }
    void TearDown() override
    {
        ruvk_print_set_device(nullptr);
        if (picture_)
            ruvk_pict_destroy(picture_);
        if (win_)
            ruvk_pmap_destroy_children(win_->rec());
        win_.reset();
        ruvk_print_destroy(record_);
        ruvv_font_cache_term();
    }
    static void fill(RUV_WIN w, COLORREF c)
    {
        RUV_DRAW_STATE *st = ruvk_draw_begin(w);
        ASSERT_NE(st, nullptr);
        RECT r{-100, -100, 100, 100};
        HBRUSH b = CreateSolidBrush(c);
        FillRect(st->hdc, &r, b);
        DeleteObject(b);
        ruvk_draw_end(st);
    }
    PageParts parts() { return PageParts{image_.get(), pixmap_, picture_}; }

    // Prints pages through the print function; body(pw, page) draws each
    // band.  The print function's result.
    RUV_BOOL print(int pages, const char *name = "C:\\data\\report.dat",
                   std::function<void(RUV_WIN, int)> body = nullptr)
    {
        struct Job {
            Printing *self;
            int pages;
            const char *name;
            std::function<void(RUV_WIN, int)> body;
        } job{this, pages, name, body};
        auto fn = [](void *data) -> RUV_BOOL {
            auto *j = static_cast<Job *>(data);
            RUV_WIN pw = ruvk_print_create_win(j->self->record_, j->name);
            if (!pw)
                return FALSE;
            if (j->self->after_start_)
                j->self->after_start_(pw);
            RUV_BOOL ok = TRUE;
            for (int p = 1; p <= j->pages; ++p) {
                if (!ruvk_print_open_page(&j->self->record_->print_win)) {
                    ok = FALSE;
                    break;
                }
                while (RUV_RECT *band = ruvk_print_get_next_band()) {
                    (void)band;
                    if (j->body)
                        j->body(pw, p);
                    else
                        draw_page(pw, p, j->self->parts());
                }
                if (!ruvk_print_close_page(&j->self->record_->print_win))
                    ok = FALSE;
            }
            ruvk_vobj_destroy(pw);
            return ok;
        };
        return ruvk_print_start_thread(fn, &job);
    }

    kt::Session session_;
    RUV_PRINT_RECORD *record_ = nullptr;
    int32_t size_ = 0;
    std::unique_ptr<st::Win> win_;
    std::unique_ptr<RUV_IMAGE, ImageDel> image_;
    RUV_WIN pixmap_ = nullptr;
    HBITMAP picture_ = nullptr;
    std::function<void(RUV_WIN)> after_start_;  // between the document's start and its first page
};

// A device that answers the rule escape as told and records the rules it
// is sent: {x, y, width, height, style, pattern}.
struct RuleDevice {
    static int &support()
    {
        static int s = 0;
        return s;
    }
    static std::vector<std::vector<int>> &rules()
    {
        static std::vector<std::vector<int>> r;
        return r;
    }
    static int WINAPI escape(HDC hdc, int code, int size, LPCSTR in, LPVOID out)
    {
        if (code == QUERYESCSUPPORT && size >= static_cast<int>(sizeof(int)) &&
            *reinterpret_cast<const int *>(in) == DRAWPATTERNRECT)
            return support();
        if (code == DRAWPATTERNRECT) {
            const auto *p = reinterpret_cast<const DRAWPATRECT *>(in);
            rules().push_back({ static_cast<int>(p->ptPosition.x), static_cast<int>(p->ptPosition.y),
                                static_cast<int>(p->ptSize.x), static_cast<int>(p->ptSize.y), p->wStyle,
                                p->wPattern });
            return 1;
        }
        return Escape(hdc, code, size, in, out);
    }
};

// On a print window lines and rectangles go to the printer as rules when
// the device takes them and attribute 10022 is set: solid straight lines
// of the pen's width, a solid fill and a solid frame of four edges, black,
// white (only where the device answers 2) or grey by its level, clipped;
// anything else, or without the escape, is drawn as usual.
TEST_F(Printing, StraightLinesAndRectanglesGoAsRulesWhereTheDeviceTakesThem)
{
    using Rules = std::vector<std::vector<int>>;
    const Rules lines = { { 49, 100, 3, 200, 0, 0 }, { 50, 299, 200, 3, 0, 0 } };
    const Rules frame = { { 100, 500, 200, 1, 2, 50 }, { 100, 599, 200, 1, 2, 50 },
                          { 100, 501, 1, 98, 2, 50 }, { 299, 501, 1, 98, 2, 50 } };
    Rules with_white = { { 100, 500, 200, 100, 1, 0 } };
    with_white.insert(with_white.end(), frame.begin(), frame.end());
    Rules all = lines;
    all.insert(all.end(), frame.begin(), frame.end());
    Rules all_white = lines;
    all_white.insert(all_white.end(), with_white.begin(), with_white.end());
    struct Case {
        const char *name;
        int support;
        intptr_t attribute;
        int16_t clip_bottom;
        Rules want;
    } cases[] = {
        { "rules", 1, 1, 16960, all },
        { "rules with white", 2, 1, 16960, all_white },
        { "clipped", 1, 1, 250, { { 49, 100, 3, 150, 0, 0 } } },
        { "no rule escape", 0, 1, 16960, {} },
        { "attribute off", 1, 0, 16960, {} },
    };
    RUVK_PRINT_DEVICE dev = *ruvk_print_device();
    dev.escape = RuleDevice::escape;
    ruvk_print_set_device(&dev);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        RuleDevice::support() = c.support;
        RuleDevice::rules().clear();
        ruvk_vobj_set_attr(NULL_WIN, 10022, c.attribute);
        ASSERT_TRUE(print(1, "rules", [&](RUV_WIN pw, int) {
            RuleDevice::rules().clear();  // every band draws the same
            RUV_RECT clip = rect(0, 0, c.clip_bottom, 16960);
            ruvk_dwin_set_clip(pw, &clip);
            RUV_DRAW_CTOOLS t{};
            ruvk_dwin_get_draw_ctools(pw, &t);
            t.pen = RUV_CPEN{ 3, 2, 0, RUV_COLOR_BLACK };
            t.brush = RUV_CBRUSH{ 1, RUV_COLOR_WHITE };
            ruvk_dwin_set_draw_ctools(pw, &t);
            ruvk_dwin_draw_set_pos(pw, RUV_POINT{ 100, 50 });
            ruvk_dwin_draw_line(pw, RUV_POINT{ 300, 50 });    // down
            ruvk_dwin_draw_line(pw, RUV_POINT{ 300, 250 });   // right, from where the rule ended
            ruvk_dwin_draw_line(pw, RUV_POINT{ 400, 400 });   // slanted: no rule
            t.pen = RUV_CPEN{ 3, 2, 1, RUV_COLOR_BLACK };      // dotted: no rule
            ruvk_dwin_set_draw_ctools(pw, &t);
            ruvk_dwin_draw_line(pw, RUV_POINT{ 450, 400 });
            t.pen = RUV_CPEN{ 1, 2, 0, RUV_COLOR_GREY };
            t.brush = RUV_CBRUSH{ 2, RUV_COLOR_WHITE };
            ruvk_dwin_set_draw_ctools(pw, &t);
            RUV_RECT box = rect(500, 100, 600, 300);
            ruvk_dwin_draw_rect(pw, &box);
        }));
        EXPECT_EQ(RuleDevice::rules(), c.want);
    }
    ruvk_vobj_set_attr(NULL_WIN, 10022, 1);
}

TEST_F(Printing, TheRecordComesFromTheDefaultPrinter)
{
    EXPECT_EQ(size_, 526860);
    EXPECT_EQ(sizeof(RUV_PRINT_RECORD), 526860u);
    EXPECT_TRUE(ruvk_print_is_valid(record_));
    EXPECT_EQ(record_->print_win, nullptr);
    const DEVNAMES *dn = reinterpret_cast<const DEVNAMES *>(record_->names);
    EXPECT_STREQ(reinterpret_cast<const char *>(record_->names) + dn->wDeviceOffset, "traz");
    EXPECT_EQ(ruvk_print_open(), 1);
}

TEST_F(Printing, TwoPagesReachThePdfWithTextShapesAndRasters)
{
    ruvk_print_set_device(nullptr);
    ASSERT_TRUE(print(2));
    EXPECT_EQ(record_->print_win, nullptr);
    ASSERT_TRUE(wait_for_pdf());
    PdfInfo info = pdf_info();
    EXPECT_EQ(info.pages, 2);
    EXPECT_NEAR(info.width, 595, 1);
    EXPECT_NEAR(info.height, 842, 1);
    sh("pdftotext out.pdf text.txt");
    std::string text = read_file("text.txt");
    EXPECT_NE(text.find("TRAZ page 1 of two"), std::string::npos) << text;
    EXPECT_NE(text.find("TRAZ page 2 of two"), std::string::npos) << text;
    // The printable page starts 18 points (75 printer pixels) in.
    for (int page : {1, 2}) {
        SCOPED_TRACE(page);
        Raster r = render(page);
        ASSERT_GT(r.width, 0);
        auto inside = [&](const RUV_RECT &at) {
            return r.at_device((at.left + at.right) / 2 + 75, (at.top + at.bottom) / 2 + 75);
        };
        EXPECT_TRUE(close_to(inside(RECT_AT), 0xFF0000)) << std::hex << inside(RECT_AT);
        EXPECT_TRUE(close_to(inside(IMAGE_AT), 0x0000FF)) << std::hex << inside(IMAGE_AT);
        EXPECT_TRUE(close_to(inside(PMAP_AT), 0x00FF00)) << std::hex << inside(PMAP_AT);
        EXPECT_TRUE(close_to(inside(PICT_AT), 0xFF00FF)) << std::hex << inside(PICT_AT);
        EXPECT_TRUE(close_to(r.at_device(1800 + 75, 1000 + 75), 0xFFFFFF));
    }
}

TEST_F(Printing, TheStatusLineFollowsTheDocument)
{
    RUVK_PRINT_DEVICE dev = *ruvk_print_device();
    dev.start_doc = Recorder::start_doc;
    dev.end_page = Recorder::end_page;
    dev.end_doc = Recorder::end_doc;
    ruvk_print_set_device(&dev);
    std::vector<std::string> seen;
    std::string document;
    after_start_ = [&](RUV_WIN) { seen.push_back(status_text(5)); };
    // The application's hook sees the printer's DC before the document starts.
    static HDC hooked;
    hooked = nullptr;
    ruvk_vobj_set_attr(NULL_WIN, 10004, reinterpret_cast<intptr_t>(+[](HDC hdc) { hooked = hdc; }));
    ASSERT_TRUE(print(1, "C:\\models\\bay.trz", [&](RUV_WIN pw, int page) {
        document = status_text(4);
        seen.push_back(status_text(5));
        draw_page(pw, page, parts());
    }));
    after_start_ = nullptr;
    ruvk_vobj_set_attr(NULL_WIN, 10004, 0);
    EXPECT_NE(hooked, nullptr);
    EXPECT_EQ(GetDeviceCaps(hooked, TECHNOLOGY), 0) << "the DC is gone with its print window";
    ASSERT_TRUE(wait_for_pdf());
    EXPECT_EQ(document, "bay.trz");
    const std::vector<std::string> calls{"(Starting Document)", "(Finishing Page 1)", "(Ending Document)"};
    EXPECT_EQ(Recorder::texts(), calls);
    const std::vector<std::string> between{"(Started Document)", "(Starting Page 1)"};
    EXPECT_EQ(seen, between);
    // A document without a name.
    sh("rm -f out.pdf");
    ASSERT_TRUE(print(1, "", [&](RUV_WIN, int) { document = status_text(4); }));
    EXPECT_EQ(document, "(Untitled)");
    ASSERT_TRUE(wait_for_pdf());
    EXPECT_EQ(status_dialog(), nullptr);
}

TEST_F(Printing, CancelInTheStatusDialogPrintsNothing)
{
    std::string after;
    int pages_drawn = 0;
    EXPECT_FALSE(print(2, "cancelled", [&](RUV_WIN, int) {
        ++pages_drawn;
        SendMessageA(status_dialog(), WM_COMMAND, MAKEWPARAM(2, BN_CLICKED), 0);
        after = status_text(5);
    }));
    EXPECT_EQ(after, "Cancelling...");
    EXPECT_EQ(pages_drawn, 1);
    EXPECT_EQ(record_->print_win, nullptr);
    EXPECT_TRUE(nothing_printed());
    EXPECT_TRUE(kt::reports().empty());
}

TEST_F(Printing, LandscapeTurnsThePage)
{
    EXPECT_FALSE(ruvk_print_set_page_orient(record_, 2));
    ASSERT_TRUE(ruvk_print_set_page_orient(record_, 1));
    EXPECT_EQ(reinterpret_cast<DEVMODEA *>(record_->devmode)->dmOrientation, DMORIENT_LANDSCAPE);
    RUV_RECT page{};
    ASSERT_TRUE(print(1, "landscape", [&](RUV_WIN pw, int) {
        ruvk_vobj_get_client_rect(pw, &page);
        draw_page(pw, 1, parts());
    }));
    EXPECT_EQ(page.right, 3358);
    EXPECT_EQ(page.bottom, 2329);
    ASSERT_TRUE(wait_for_pdf());
    EXPECT_EQ(pdf_info().pages, 1);
    // The rectangle lies along the long side of the sheet.
    Raster r = render(1);
    ASSERT_GT(r.width, 0);
    bool wide = r.width > r.height;
    int x = 600 + 75, y = 750 + 75;  // the rectangle's middle on the turned page
    uint32_t c = wide ? r.at_device(x, y) : r.at_device(y, 3508 - x);
    EXPECT_TRUE(close_to(c, 0xFF0000)) << std::hex << c << (wide ? " wide" : " turned");
    ASSERT_TRUE(ruvk_print_set_page_orient(record_, 0));
    EXPECT_EQ(reinterpret_cast<DEVMODEA *>(record_->devmode)->dmOrientation, DMORIENT_PORTRAIT);
}

TEST_F(Printing, PaperIsChosenBySize)
{
    struct Case {
        double w, h;
        int32_t units;
        RUV_BOOL ok;
        short paper;
    } cases[] = {
        {215.9, 279.4, 1, TRUE, DMPAPER_LETTER},
        {8.5, 11.0, 0, TRUE, DMPAPER_LETTER},
        {210.5, 296.5, 1, TRUE, DMPAPER_A4},      // within 0.75 mm
        {200.0, 280.0, 1, TRUE, DMPAPER_A4},      // the smallest that holds it
        {290.0, 300.0, 1, TRUE, DMPAPER_A3},
        {500.0, 500.0, 1, TRUE, DMPAPER_A3},      // none holds it: the largest
        {210.0, 297.0, 2, FALSE, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.w);
        auto *dm = reinterpret_cast<DEVMODEA *>(record_->devmode);
        dm->dmPaperSize = 0;
        EXPECT_EQ(ruvk_print_set_page_size(record_, c.w, c.h, c.units), c.ok);
        if (c.ok) {
            EXPECT_EQ(dm->dmPaperSize, c.paper);
        }
    }
    ASSERT_TRUE(ruvk_print_set_page_size(record_, 215.9, 279.4, 1));
    ASSERT_TRUE(print(1));
    ASSERT_TRUE(wait_for_pdf());
    PdfInfo info = pdf_info();
    EXPECT_NEAR(info.width, 612, 1);
    EXPECT_NEAR(info.height, 792, 1);
}

TEST_F(Printing, ThePlatformEscapeAndTheAttributesTellThePage)
{
    RUVK_PAGE_INFO_QUERY q{};
    q.record = record_;
    EXPECT_TRUE(ruvk_app_escape(4000, &q));
    EXPECT_EQ(q.page.height, 3358);
    EXPECT_EQ(q.page.width, 2329);
    EXPECT_EQ(q.page.vres, 300);
    EXPECT_EQ(q.page.hres, 300);
    EXPECT_EQ(ruvk_vobj_get_attr(NULL_WIN, 404), 3358);
    EXPECT_EQ(ruvk_vobj_get_attr(NULL_WIN, 405), 2329);
    EXPECT_EQ(ruvk_vobj_get_attr(NULL_WIN, 406), 300);
    EXPECT_EQ(ruvk_vobj_get_attr(NULL_WIN, 407), 300);
    // The page of a print window is its client rectangle and its one band.
    std::vector<RUV_RECT> bands;
    RUV_RECT client{};
    ASSERT_TRUE(print(1, "page", [&](RUV_WIN pw, int) {
        bands.push_back(ruvk_app_record()->update_rect);
        ruvk_vobj_get_client_rect(pw, &client);
    }));
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0].top, 0);
    EXPECT_EQ(bands[0].bottom, 3358);
    EXPECT_EQ(bands[0].right, 2329);
    EXPECT_EQ(client.bottom, 3358);
    EXPECT_EQ(client.right, 2329);
    ASSERT_TRUE(wait_for_pdf());
}

TEST_F(Printing, PageSetupAcceptedOrCancelled)
{
    struct Case {
        intptr_t any_ok;
        int button;  // 1 OK, 0 closed
        RUV_BOOL result;
    } cases[] = {{0, 1, FALSE}, {0, 0, FALSE}, {1, 1, TRUE}, {1, 0, FALSE}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.any_ok * 10 + c.button);
        ruvk_vobj_set_attr(NULL_WIN, 10041, c.any_ok);
        std::vector<uint8_t> before(reinterpret_cast<uint8_t *>(record_),
                                    reinterpret_cast<uint8_t *>(record_) + sizeof *record_);
        kt::ModalGuard guard({{"", c.button}});
        EXPECT_EQ(ruvk_dm_post_page_setup(record_), c.result);
        guard.stop();
        if (!c.button) {
            EXPECT_EQ(std::memcmp(before.data(), record_, sizeof *record_), 0);
        }
        EXPECT_TRUE(ruvk_print_is_valid(record_));
    }
    ruvk_vobj_set_attr(NULL_WIN, 10041, 0);
}

// A names block is taken only when each of its strings ends inside it: a
// last string without its terminator is refused and the record kept.
TEST_F(Printing, ANamesBlockWhoseLastStringRunsOutIsRefused)
{
    const auto block = [](const std::string &strings) {
        const DEVNAMES head{ sizeof(DEVNAMES), sizeof(DEVNAMES) + 4, sizeof(DEVNAMES) + 8, 0 };
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, sizeof head + strings.size());
        auto *p = static_cast<char *>(GlobalLock(h));
        std::memcpy(p, &head, sizeof head);
        std::memcpy(p + sizeof head, strings.data(), strings.size());
        GlobalUnlock(h);
        return h;
    };
    std::vector<uint8_t> before(reinterpret_cast<uint8_t *>(record_),
                                reinterpret_cast<uint8_t *>(record_) + sizeof *record_);
    HGLOBAL open_end = block(std::string("drv\0dev\0lpt", 11));
    kt::reports().clear();
    EXPECT_FALSE(ruvk_print_from_handles(record_, nullptr, open_end));
    EXPECT_EQ(kt::severity_of(0x0073C360), 2);
    EXPECT_EQ(std::memcmp(before.data(), record_, sizeof *record_), 0);
    GlobalFree(open_end);

    HGLOBAL sound = block(std::string("drv\0dev\0lpt\0", 12));
    EXPECT_TRUE(ruvk_print_from_handles(record_, nullptr, sound));
    EXPECT_STREQ(reinterpret_cast<const char *>(record_->names) + sizeof(DEVNAMES) + 8, "lpt");
    GlobalFree(sound);
}

// A device-mode block too short to hold its own size fields is refused
// before they are read, and the record stays as it was.
TEST_F(Printing, ADeviceModeBlockShorterThanItsSizeFieldsIsRefused)
{
    std::vector<uint8_t> before(reinterpret_cast<uint8_t *>(record_),
                                reinterpret_cast<uint8_t *>(record_) + sizeof *record_);
    for (const SIZE_T size : { SIZE_T(1), SIZE_T(16), offsetof(DEVMODEA, dmDriverExtra) + 1 }) {
        HGLOBAL shortBlock = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
        ASSERT_NE(shortBlock, nullptr);
        EXPECT_FALSE(ruvk_print_from_handles(record_, shortBlock, nullptr)) << size;
        EXPECT_EQ(std::memcmp(before.data(), record_, sizeof *record_), 0) << size;
        GlobalFree(shortBlock);
    }
}

// A failed print call is told by the thread's last error when that is a
// print code (bit 0x4000), mapped by its value; a system error code there
// (what the system's own print calls leave) leaves the call's result to
// tell it, so no failure goes unreported.
TEST_F(Printing, PrintErrorsMapToTheirIds)
{
    const DWORD out_of_memory = static_cast<DWORD>(SP_OUTOFMEMORY), out_of_disk = static_cast<DWORD>(SP_OUTOFDISK);
    const DWORD user_abort = static_cast<DWORD>(SP_USERABORT), app_abort = static_cast<DWORD>(SP_APPABORT);
    struct Case {
        int result;
        DWORD last_error;
        bool reported;
        RUV_ERRMSG_ID id;
    } cases[] = {
        {1, out_of_memory, false, 0},
        {SP_ERROR, out_of_memory, true, 0x01510002},
        {0, out_of_disk, true, 0x01540001},
        {SP_ERROR, user_abort, false, 0},
        {SP_OUTOFDISK, app_abort, false, 0},
        {SP_ERROR, static_cast<DWORD>(SP_ERROR), true, 0x01540003},
        {SP_OUTOFMEMORY, 0x4005, true, 0x01540003},
        {SP_OUTOFMEMORY, ERROR_NOT_ENOUGH_MEMORY, true, 0x01510002},
        {SP_USERABORT, ERROR_PRINT_CANCELLED, false, 0},
        {0, ERROR_INVALID_HANDLE, true, 0x01540003},
        {SP_ERROR, 0, true, 0x01540003},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.result) + " " + std::to_string(c.last_error));
        kt::reports().clear();
        SetLastError(c.last_error);
        EXPECT_EQ(ruvk_print_report_error(c.result) != 0, c.reported);
        if (c.reported) {
            ASSERT_EQ(kt::reports().size(), 1u);
            EXPECT_EQ(kt::reports()[0].id, c.id);
            EXPECT_EQ(kt::reports()[0].severity, 2);
        } else {
            EXPECT_TRUE(kt::reports().empty());
        }
    }
}

TEST_F(Printing, PrintingRulesOfTheThreadAndTheJob)
{
    // Nested print functions are refused; the inner one never runs.
    static bool inner_ran;
    inner_ran = false;
    EXPECT_TRUE(ruvk_print_start_thread(
        [](void *) -> RUV_BOOL {
            RUV_BOOL nested = ruvk_print_start_thread(
                [](void *) -> RUV_BOOL {
                    inner_ran = true;
                    return TRUE;
                },
                nullptr);
            return nested ? FALSE : TRUE;
        },
        nullptr));
    EXPECT_FALSE(inner_ran);
    EXPECT_TRUE(kt::reported(0x0073C397));
    // Pages, bands and documents outside a print function.
    kt::reports().clear();
    RUV_WIN none = NULL_WIN;
    EXPECT_EQ(ruvk_print_create_win(record_, "x"), nullptr);
    EXPECT_TRUE(kt::reported(0x0073C39E));
    EXPECT_FALSE(ruvk_print_open_page(&none));
    EXPECT_TRUE(kt::reported(0x0073C399));
    EXPECT_EQ(ruvk_print_get_next_band(), nullptr);
    EXPECT_TRUE(kt::reported(0x0073C396));
    // A print function that leaves its print window open.
    kt::reports().clear();
    static RUV_WIN left;
    static RUV_PRINT_RECORD *rec;
    rec = record_;
    EXPECT_FALSE(ruvk_print_start_thread(
        [](void *) -> RUV_BOOL {
            left = ruvk_print_create_win(rec, "left open");
            return left != nullptr;
        },
        nullptr));
    EXPECT_TRUE(kt::reported(0x0073C398));
    ASSERT_NE(left, nullptr);
    ruvk_vobj_destroy(left);
    EXPECT_EQ(record_->print_win, nullptr);
    // A document without pages gives no file.
    sh("cancel -a traz");
}

TEST_F(Printing, ABandingDeviceGivesItsBandsAndThePageEnds)
{
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_BANDING, 1);
    RUVK_PRINT_DEVICE dev = *ruvk_print_device();
    dev.get_device_caps = Bands::caps;
    dev.escape = Bands::escape;
    ruvk_print_set_device(&dev);
    Bands::calls() = 0;
    std::vector<RUV_RECT> bands;
    ASSERT_TRUE(print(1, "bands", [&](RUV_WIN pw, int page) {
        RUV_APP_RECORD *app = ruvk_app_record();
        bands.push_back(app->update_rect);
        draw_page(pw, page, parts());
    }));
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_BANDING, 0);
    ruvk_print_set_device(nullptr);
    ASSERT_EQ(bands.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(bands[i].top, i * 1000);
        EXPECT_EQ(bands[i].bottom, i * 1000 + 1000);
        EXPECT_EQ(bands[i].left, 0);
        EXPECT_EQ(bands[i].right, 2000);
    }
    // The page ended with the empty band; the document prints.
    ASSERT_TRUE(wait_for_pdf());
    EXPECT_EQ(pdf_info().pages, 1);
}

TEST_F(Printing, AQueueGoneBeforeTheEndOfTheDocumentIsReported)
{
    RUVK_PRINT_DEVICE dev = *ruvk_print_device();
    dev.end_doc = Recorder::end_doc;
    ruvk_print_set_device(&dev);
    Recorder::before_end() = [] { sh("cupsreject traz; cupsdisable traz"); };
    kt::reports().clear();
    print(1);
    sh("cupsaccept traz; cupsenable traz");
    EXPECT_TRUE(kt::reported(0x01540003));
    EXPECT_EQ(kt::severity_of(0x01540003), 2);
    sh("cancel -a traz; rm -f out.pdf");
}

// The abort procedure serves the queue while the spooler works; a quit
// message it meets stays for the message loop.
TEST_F(Printing, TheAbortProcedureLeavesTheQuitMessageForTheLoop)
{
    PostQuitMessage(7);
    ASSERT_TRUE(print(1));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    ASSERT_TRUE(wait_for_pdf());
}

// A program without the status dialog: "Cannot Print", and nothing of the
// print window is used afterwards.
TEST_F(Printing, WithoutTheStatusDialogNothingPrints)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    HINSTANCE own = app->instance;
    app->instance = GetModuleHandleA("kernel32.dll");
    kt::ModalGuard guard({{"Cannot Print", 0}});
    EXPECT_FALSE(print(1));
    guard.stop();
    app->instance = own;
    EXPECT_EQ(record_->print_win, nullptr);
    EXPECT_EQ(app->print_job, nullptr);
    EXPECT_TRUE(IsWindowEnabled(win_->hwnd()));
    EXPECT_TRUE(nothing_printed());
}

// A printer that gives no device context (gone since the record was
// filled): no document starts, nothing is left behind and the
// application's windows are enabled again.
TEST_F(Printing, WithoutAPrinterNoDocumentStarts)
{
    RUVK_PRINT_DEVICE dev = *ruvk_print_device();
    dev.create_dc = [](LPCSTR, LPCSTR, LPCSTR, const DEVMODEA *) -> HDC { return nullptr; };
    dev.create_ic = dev.create_dc;
    ruvk_print_set_device(&dev);
    EXPECT_FALSE(ruvk_print_is_valid(record_));
    kt::reports().clear();
    static RUV_PRINT_RECORD *rec;
    rec = record_;
    EXPECT_FALSE(ruvk_print_start_thread(
        [](void *) -> RUV_BOOL { return ruvk_print_create_win(rec, "none") != nullptr; }, nullptr));
    EXPECT_TRUE(kt::reported(0x0072C35A));
    EXPECT_EQ(kt::severity_of(0x0072C35A), 2);
    EXPECT_EQ(record_->print_win, nullptr);
    EXPECT_EQ(status_dialog(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(win_->hwnd()));
    EXPECT_EQ(ruvk_app_record()->print_job, nullptr);
}

} // namespace

// The font lists and the font dialog of a print record use the printer:
// its families are listed, a record of no device lists none, and the font
// dialog runs over the printer's fonts and gives its context back.
TEST_F(Printing, ThePrintersFontsAreListedAndOffered)
{
    auto families = [](void *device) {
        std::vector<char *> names(513, nullptr);
        int32_t n = ruvk_fmap_get_families(device, names.data(), 512);
        std::vector<std::string> r;
        for (int32_t i = 0; i < n; ++i) {
            r.push_back(names[i]);
            ruvv_mem_free(names[i]);
        }
        return r;
    };
    std::vector<std::string> printer = families(record_);
    EXPECT_FALSE(printer.empty());
    std::vector<uint8_t> nothing(sizeof(RUV_PRINT_RECORD), 0);
    EXPECT_TRUE(families(nothing.data()).empty());
    int32_t sizes[64];
    RUV_BOOL scalable = FALSE;
    ASSERT_FALSE(printer.empty());
    EXPECT_GT(ruvk_fmap_get_family_sizes(record_, printer.front().c_str(), sizes, &scalable, 63), 0);

    RUV_FONT *font = ruvv_font_create();
    ruvv_font_set_family(font, "courier");
    ruvv_font_set_size(font, 10);
    const int gdi_before = static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    for (int round = 0; round < 3; ++round) {
        kt::ModalGuard guard({{"Font", IDCANCEL}});
        EXPECT_FALSE(ruvk_dm_post_font_sel(NULL_WIN, font, record_));
        guard.stop();
    }
    EXPECT_LE(static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)), gdi_before + 2)
        << "each dialog gives the printer's context back";
    EXPECT_EQ(ruvv_font_get_size(font), 10);
    ruvv_font_destroy(font);
}
