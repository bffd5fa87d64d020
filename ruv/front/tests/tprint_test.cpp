// Printing functions: every one is refused from an update handler, and a
// page printed through them reaches the project's print queue (when the
// test runs with its print server): the front hands the kernel the print
// window through the record it is given.  The page query of the platform
// escape fills the caller's block and nothing past it, and a print
// window's font lists are its printer's.
#include <string>
#include <vector>

#include "controls_support.h"
#include "cursor.h"
#include "guard_pages.h"
#include "printing.h"
#include "ruvv_font.h"

namespace {

using namespace ruvf_test;

TEST(PrintUpdate, EveryPrintingCallIsRefused)
{
    in_app([] {
        Ctx c;
        c.get(Obj::Doc);
        RUV_PRINT_RECORD *record = ruvk_print_create(nullptr);
        int32_t size = 0;
        int ran = 0;
        struct Call {
            const char *name;
            std::function<void()> call;
        } calls[] = {
            { "ruv_print_create", [&] { ruv_print_create(&size); } },
            { "ruv_print_destroy", [&] { ruv_print_destroy(record); } },
            { "ruv_print_is_valid", [&] { ruv_print_is_valid(record); } },
            { "ruv_print_set_page_size", [&] { ruv_print_set_page_size(record, 210, 297, 1); } },
            { "ruv_print_set_page_orient", [&] { ruv_print_set_page_orient(record, 1); } },
            { "ruv_print_open", [&] { ruv_print_open(); } },
            { "ruv_print_close", [&] { ruv_print_close(); } },
            { "ruv_print_create_win", [&] { ruv_print_create_win(record, "doc"); } },
            { "ruv_print_open_page", [&] { ruv_print_open_page(record); } },
            { "ruv_print_close_page", [&] { ruv_print_close_page(record); } },
            { "ruv_print_get_next_band", [&] { ruv_print_get_next_band(); } },
            { "ruv_print_start_thread",
              [&] { ruv_print_start_thread([](void *d) -> RUV_BOOL { return ++*static_cast<int *>(d) > 0; }, &ran); } },
        };
        Recorder rec;
        ASSERT_TRUE(ctl_test::during_update([&] {
            for (const Call &k : calls)
                k.call();
        }));
        ASSERT_EQ(rec.reports().size(), std::size(calls));
        for (size_t i = 0; i < std::size(calls); ++i) {
            EXPECT_EQ(rec.reports()[i].id, 0x01610001u) << calls[i].name;
            EXPECT_EQ(rec.reports()[i].innermost(), calls[i].name);
        }
        EXPECT_EQ(ran, 0);
        EXPECT_EQ(size, 0);
        ruvk_print_destroy(record);  // still there: the refused destroy left it
    });
}

// The queue's PDF (a host path seen through drive Z:), empty without a
// print server.
std::string queue_pdf()
{
    char server[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("CUPS_SERVER", server, sizeof server))
        return "";
    std::string s = server;
    s = "Z:" + s.substr(0, s.rfind('/')) + "/out.pdf";
    for (char &ch : s)
        if (ch == '/')
            ch = '\\';
    return s;
}

struct Job {
    RUV_PRINT_RECORD *record;
    RUV_WIN window = NULL_WIN;
    bool on_record = false, opened = false, closed = false;
    int bands = 0;
};

RUV_BOOL print_page(void *data)
{
    auto *job = static_cast<Job *>(data);
    job->window = ruv_print_create_win(job->record, "front page");
    if (!job->window)
        return FALSE;
    job->on_record = job->record->print_win == job->window;
    job->opened = ruv_print_open_page(job->record);
    while (RUV_RECT *band = ruv_print_get_next_band()) {
        ruvk_dwin_draw_rect(job->window, band);
        if (++job->bands > 50)
            break;
    }
    job->closed = ruv_print_close_page(job->record);
    ruvk_vobj_destroy(job->window);
    return TRUE;
}

TEST(PrintJob, APageThroughTheFrontReachesTheQueue)
{
    const std::string pdf = queue_pdf();
    if (pdf.empty())
        GTEST_SKIP() << "no print server (CUPS_SERVER) for this run";
    in_app([&] {
        Ctx c;
        c.get(Obj::Doc);
        DeleteFileA(pdf.c_str());
        Recorder rec;
        int32_t size = 0;
        Job job{ ruv_print_create(&size) };
        ASSERT_NE(job.record, nullptr);
        ASSERT_TRUE(ruv_print_is_valid(job.record));
        EXPECT_TRUE(ruv_print_start_thread(print_page, &job));
        EXPECT_TRUE(job.on_record);
        EXPECT_TRUE(job.opened);
        EXPECT_TRUE(job.closed);
        EXPECT_GE(job.bands, 1);
        EXPECT_EQ(rec.errors(), 0u);
        ruv_print_destroy(job.record);
        // The queue writes the document out.
        WIN32_FILE_ATTRIBUTE_DATA attr{};
        bool written = false;
        for (int i = 0; i < 300 && !written; ++i) {
            written = GetFileAttributesExA(pdf.c_str(), GetFileExInfoStandard, &attr) && attr.nFileSizeLow > 0;
            if (!written)
                Sleep(100);
        }
        EXPECT_TRUE(written) << pdf;
    });
}

TEST(PrintEscape, PageQueryFillsTheCallersBlockAndNothingPastIt)
{
    const bool printer = !queue_pdf().empty();
    in_app([&] {
        Recorder rec;
        int32_t size = 0;
        RUV_PRINT_RECORD *record = ruv_print_create(&size);
        ASSERT_NE(record, nullptr);
        kt::Guarded<RUVK_PAGE_INFO_QUERY> query;
        ASSERT_NE(query.get(), nullptr);
        query->record = record;
        const int16_t answer = ruv_app_escape(RUVK_ESCAPE_PAGE_INFO, query.get());
        EXPECT_EQ(query->record, record);
        if (printer) {
            // The answer is the kernel's, for the record the caller named.
            RUVK_PAGE_INFO_QUERY kernel{ record, {} };
            ASSERT_TRUE(ruvk_app_escape(RUVK_ESCAPE_PAGE_INFO, &kernel));
            const RUVK_PAGE_INFO &direct = kernel.page;
            EXPECT_TRUE(answer);
            EXPECT_GT(query->page.height, 0);
            EXPECT_GT(query->page.width, 0);
            EXPECT_GT(query->page.vres, 0);
            EXPECT_GT(query->page.hres, 0);
            EXPECT_EQ(query->page.height, direct.height);
            EXPECT_EQ(query->page.width, direct.width);
            EXPECT_EQ(query->page.vres, direct.vres);
            EXPECT_EQ(query->page.hres, direct.hres);
        }
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
        ruv_print_destroy(record);
    });
}

// The families of a device, as the portable layer lists them for a print
// record or NULL (the display); the names are freed.
std::vector<std::string> families_of(void *device)
{
    char *names[64] = {};
    const int32_t n = ruvv_fmap_get_families(device, names, 64);
    std::vector<std::string> out;
    for (int32_t i = 0; i < n; ++i) {
        out.push_back(names[i]);
        ruvv_mem_free(names[i]);
    }
    return out;
}

struct FontLists {
    RUV_PRINT_RECORD *record;
    std::vector<std::string> families;
    int32_t styles = -1, sizes = -1;
};

RUV_BOOL list_fonts(void *data)
{
    auto *job = static_cast<FontLists *>(data);
    RUV_WIN window;
    {
        kt::GuardMem::Armed guarded;  // the print window ends on a guard page
        window = ruv_print_create_win(job->record, "font lists");
    }
    if (!window)
        return FALSE;
    char *names[64] = {};
    const int32_t n = ruv_fmap_get_families(window, names, 64);
    for (int32_t i = 0; i < n; ++i) {
        job->families.push_back(names[i]);
        ruv_mem_free(names[i]);
    }
    if (!job->families.empty()) {
        uint32_t styles[16];
        int32_t sizes[64];
        RUV_BOOL scalable = FALSE;
        const char *family = job->families.front().c_str();
        job->styles = ruv_fmap_get_family_styles(window, family, styles, 16);
        job->sizes = ruv_fmap_get_family_sizes(window, family, sizes, &scalable, 64);
    }
    // Cancelled through its status box, the document reaches no queue.
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM) -> BOOL {
            char text[64] = "";
            GetDlgItemTextA(h, 4, text, sizeof text);
            if (std::string(text) == "font lists")
                SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            return TRUE;
        },
        0);
    ruvk_vobj_destroy(window);
    return TRUE;
}

TEST(PrintFonts, APrintWindowListsThePrintersFonts)
{
    if (queue_pdf().empty())
        GTEST_SKIP() << "no print server (CUPS_SERVER) for this run";
    kt::GuardMem::install();
    in_app([] {
        ASSERT_EQ(ruvv_mem_get_functions()->alloc, kt::GuardMem::alloc);
        Recorder rec;
        int32_t size = 0;
        FontLists job{ ruv_print_create(&size), {} };
        ASSERT_NE(job.record, nullptr);
        const std::vector<std::string> printer = families_of(job.record);
        ASSERT_NE(printer, families_of(nullptr)) << "the printer and the display offer the same families";
        ASSERT_TRUE(ruv_print_start_thread(list_fonts, &job));
        EXPECT_EQ(job.families, printer);
        EXPECT_GT(job.styles, 0);
        EXPECT_GT(job.sizes, 0);
        EXPECT_EQ(rec.errors(), 0u) << describe(rec.reports());
        ruv_print_destroy(job.record);
    });
}

} // namespace
