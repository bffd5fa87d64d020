// Printing a map window onto the printer's page through the toolkit's print
// window (see map_printing.h).  Without a printer neither printing nor the
// page set-up goes further than one box that says so.  The page's size
// comes from the platform escape 4000 and is checked, with the print
// record, before anything is drawn: a printer that gives no page prints
// nothing.
#include "map_printing.h"

#include <algorithm>

#include "cursor.h"
#include "map_window_state.h"
#include "printing.h"

namespace {

RUV_WIN g_printWindow = NULL_WIN;
float g_factorX = 0.0f, g_factorY = 0.0f;

// The page of the record: height and width in device pixels and the
// resolutions; false when the printer gives none.
bool QueryPage(RUV_PRINT_RECORD *record, RUVK_PAGE_INFO *page)
{
    RUVK_PAGE_INFO_QUERY query{};
    query.record = record;
    if (!ruv_app_escape(RUVK_ESCAPE_PAGE_INFO, &query))
        return false;
    *page = query.page;
    return page->height > 0 && page->width > 0;
}

// Whether the print record reaches a printer now; a record that names
// none is first filled from the platform's default printer, as the page
// query does.
bool PrinterAvailable(RUV_PRINT_RECORD *record)
{
    if (!record)
        return false;
    if (ruv_print_is_valid(record))
        return true;
    RUVK_PAGE_INFO page{};
    QueryPage(record, &page);
    return ruv_print_is_valid(record);
}

}  // namespace

float GE_PrintPageScale(int32_t pageHeight, int32_t pageWidth, const RUV_RECT &client)
{
    const int32_t height = client.bottom - client.top, width = client.right - client.left;
    if (pageHeight <= 0 || pageWidth <= 0 || height <= 0 || width <= 0)
        return 0.0f;
    return std::min(static_cast<float>(pageHeight) / static_cast<float>(height),
                    static_cast<float>(pageWidth) / static_cast<float>(width));
}

void GE_PageSetup(void)
{
    RUV_PRINT_RECORD *record = GE_PrintRecord();
    // Without a printer there is no page to set up: one box says so.
    if (!PrinterAvailable(record)) {
        ruv_dm_post_error("No printer available");
        return;
    }
    ruv_dm_post_page_setup(record);
}

void GE_PrinterSetup(void) {}

RUV_WIN GE_CurrentPrintWindow(void) { return g_printWindow; }
float GE_PrinterFactorX(void) { return g_factorX; }
float GE_PrinterFactorY(void) { return g_factorY; }

RUV_BOOL GE_PrintWindowJob(void *data) { return GE_PrintWindow(static_cast<RUV_WIN>(data)) ? TRUE : FALSE; }

int16_t GE_PrintWindow(RUV_WIN window)
{
    RUV_PRINT_RECORD *record = GE_PrintRecord();
    // Opening always succeeds on this platform: whether a printer is there
    // is the print record's to say.
    const bool opened = ruv_print_open();
    if (opened)
        ruv_print_close();
    if (!opened || !PrinterAvailable(record)) {
        ruv_dm_post_error("No printer available");
        return 1;
    }

    // The page query fills a record that reaches no printer from the
    // default printer, when there is one.
    RUVK_PAGE_INFO page{};
    const bool paged = record && QueryPage(record, &page);
    const GE_MapWindowState *source = GE_WindowState(window);
    RUV_RECT client{};
    if (source)
        ruv_vobj_get_client_rect(window, &client);
    const bool ready = paged && source && ruv_print_is_valid(record);
    const float scale = ready ? GE_PrintPageScale(page.height, page.width, client) : 0.0f;
    if (scale <= 0.0f) {
        ruv_dm_post_error("Nothing to print");
        return 1;
    }
    g_factorX = static_cast<float>(page.hres) / 25.0f;
    g_factorY = static_cast<float>(page.vres) / 25.0f;

    const RUV_WIN printWindow = ruv_print_create_win(record, "PrintArea");
    if (!printWindow) {
        ruv_dm_post_error("Printing failed");
        return 0;
    }
    // The job draws from a copy: the map window keeps its own record.
    GE_MapWindowState copy = *source;
    copy.window = printWindow;
    copy.statusBar = NULL_WIN;
    copy.bandShown = false;
    copy.figureCount = 0;
    copy.data.pixmap = NULL_WIN;
    copy.data.printing = 1;
    ruv_rect_set(&copy.data.drawing, 0, 0, page.width, page.height);
    // The window's pixels per world unit times the page scale; the page's
    // drawing fits the map to the page again, so the zoom carries the rest.
    const float pageFit = GE_FitScale(page.width, page.height);
    if (pageFit > 0.0f)
        copy.data.zoom = source->data.zoom * source->data.fitScale * scale / pageFit;
    copy.data.fitScale = pageFit;
    GE_UpdateTransform(&copy.data);
    ruv_vobj_set_data(printWindow, &copy);
    g_printWindow = printWindow;

    int16_t result = 0;
    if (ruv_print_open_page(record)) {
        while (ruv_print_get_next_band()) {
            GE_DrawBackground(printWindow);
            GE_RedrawObjects(printWindow);
        }
        if (ruv_print_close_page(record))
            result = 1;
    }
    ruv_print_close();
    g_printWindow = NULL_WIN;
    ruv_vobj_set_data(printWindow, nullptr);
    ruv_vobj_destroy(printWindow);
    if (!result)
        ruv_dm_post_error("Printing failed");
    return result;
}
