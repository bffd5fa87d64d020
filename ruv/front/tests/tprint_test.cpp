// Printing functions: every one is refused from an update handler, and a
// page printed through them reaches the project's print queue (when the
// test runs with its print server): the front hands the kernel the print
// window through the record it is given.
#include <string>

#include "controls_support.h"
#include "cursor.h"
#include "guard_pages.h"
#include "printing.h"

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

} // namespace
