// Conformance rows of the printing functions (tprint).  The table runs
// without a printer: the record is made from none, and the rows whose valid
// call needs a started document say so (tprint_test prints a page through
// them to the project's print server).
#include "conformance.h"
#include "printing.h"

using namespace ruvf_test;

namespace {

// A print record for the row's calls, destroyed with the program.
RUV_PRINT_RECORD *record()
{
    static RUV_PRINT_RECORD *r = ruvk_print_create(nullptr);
    return r;
}

RUV_BOOL ran_job(void *data)
{
    *static_cast<int *>(data) += 1;
    return TRUE;
}

// A band asked for inside the job: none, as no document was started.
RUV_BOOL band_job(void *data)
{
    *static_cast<RUV_RECT **>(data) = ruv_print_get_next_band();
    return TRUE;
}

int jobs_run = 0;

} // namespace

static Rows rows{
    Row{ "ruv_print_create", "tprint" }
        .refuses()
        .bad("NULL size", 0x00210000, [](Ctx &) { return R(ruv_print_create(nullptr)); })
        .valid([](Ctx &) {
            int32_t size = 0;
            RUV_PRINT_RECORD *r = ruv_print_create(&size);
            ruvk_print_destroy(r);
            return R(size);
        })
        .read_back([](Ctx &) {
            int32_t size = 0;
            RUV_PRINT_RECORD *r = ruv_print_create(&size);
            ruvk_print_destroy(r);
            return r && size == static_cast<int32_t>(sizeof(RUV_PRINT_RECORD));
        }),
    Row{ "ruv_print_destroy", "tprint" }
        .refuses()
        .bad("NULL record", 0x00210000, [](Ctx &) { ruv_print_destroy(nullptr); return 0; })
        .valid([](Ctx &) {
            ruv_print_destroy(ruvk_print_create(nullptr));
            return 0;
        }),
    Row{ "ruv_print_is_valid", "tprint" }
        .refuses()
        .bad("NULL record", 0x00210000, [](Ctx &) { return R(ruv_print_is_valid(nullptr)); })
        .valid([](Ctx &) { return R(ruv_print_is_valid(record())); }),
    Row{ "ruv_print_set_page_size", "tprint" }
        .refuses()
        .bad("NULL record", 0x00210000, [](Ctx &) { return R(ruv_print_set_page_size(nullptr, 210, 297, 1)); })
        .bad("width 0", 0x00220000, [](Ctx &) { return R(ruv_print_set_page_size(record(), 0.0, 297, 1)); })
        .bad("height 0", 0x00220000, [](Ctx &) { return R(ruv_print_set_page_size(record(), 210, 0.0, 1)); })
        .valid([](Ctx &) { return R(ruv_print_set_page_size(record(), 210, 297, 1)); }),
    Row{ "ruv_print_set_page_orient", "tprint" }
        .refuses()
        .bad("NULL record", 0x00210000, [](Ctx &) { return R(ruv_print_set_page_orient(nullptr, 1)); })
        .bad("orientation 2", 0x00220000, [](Ctx &) { return R(ruv_print_set_page_orient(record(), 2)); })
        .valid([](Ctx &) { return R(ruv_print_set_page_orient(record(), 1)); }),
    Row{ "ruv_print_open", "tprint" }
        .refuses()
        .valid([](Ctx &) { return R(ruv_print_open()); })
        .read_back([](Ctx &) { return ruv_print_open() == TRUE; }),
    Row{ "ruv_print_close", "tprint" }
        .refuses()
        .valid([](Ctx &) { ruv_print_close(); return 0; }),
    Row{ "ruv_print_create_win", "tprint" }
        .refuses()
        .bad("NULL record", 0x00210000, [](Ctx &) { return R(ruv_print_create_win(nullptr, "Doc")); })
        .bad("NULL title", 0x00210000, [](Ctx &) { return R(ruv_print_create_win(record(), nullptr)); })
        .no_valid("no printer in the table's run: a document cannot be started"),
    Row{ "ruv_print_open_page", "tprint" }
        .refuses()
        .bad("NULL record", 0x00210000, [](Ctx &) { return R(ruv_print_open_page(nullptr)); })
        .no_valid("no printer in the table's run: no document to open a page in"),
    Row{ "ruv_print_close_page", "tprint" }
        .refuses()
        .bad("NULL record", 0x00210000, [](Ctx &) { return R(ruv_print_close_page(nullptr)); })
        .no_valid("no printer in the table's run: no document to close a page of"),
    Row{ "ruv_print_get_next_band", "tprint" }
        .refuses()
        .valid([](Ctx &) {
            RUV_RECT *band = reinterpret_cast<RUV_RECT *>(1);
            ruvk_print_start_thread(band_job, &band);
            return R(band);
        })
        .read_back([](Ctx &) {
            RUV_RECT *band = reinterpret_cast<RUV_RECT *>(1);
            ruvk_print_start_thread(band_job, &band);
            return band == nullptr;
        }),
    Row{ "ruv_print_start_thread", "tprint" }
        .refuses()
        .valid([](Ctx &) {
            jobs_run = 0;
            return R(ruv_print_start_thread(ran_job, &jobs_run));
        })
        .read_back([](Ctx &) { return jobs_run == 1; }),
};
