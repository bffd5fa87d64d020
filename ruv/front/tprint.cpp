// Printing functions of the front layer: the print record, page size and
// orientation, the print job run through the kernel, documents, pages and
// bands.  Every member is refused while a window is repainted.
#include "front_guard.h"
#include "printing.h"
#include "ruv.h"

using ruvf::Guard;

namespace {

const char SRC[] = "tprint";

// Update refusal and a required print record.
bool record_checks(Guard &g, const RUV_PRINT_RECORD *record, int line = __builtin_LINE())
{
    return g.not_in_update(line) && g.not_null(record, ruvf::ID_NULL_HANDLE, line);
}

// The kernel finds the print window through the record's first field.
RUV_WIN *print_win_of(RUV_PRINT_RECORD *record)
{
    return &record->print_win;
}

} // namespace

extern "C" RUV_PRINT_RECORD *ruv_print_create(int32_t *size)
{
    Guard g("ruv_print_create", SRC);
    if (!g.not_in_update() || !g.not_null(size))
        return nullptr;
    return ruvk_print_create(size);
}

extern "C" void ruv_print_destroy(RUV_PRINT_RECORD *record)
{
    Guard g("ruv_print_destroy", SRC);
    if (!record_checks(g, record))
        return;
    ruvk_print_destroy(record);
}

extern "C" RUV_BOOL ruv_print_is_valid(RUV_PRINT_RECORD *record)
{
    Guard g("ruv_print_is_valid", SRC);
    if (!record_checks(g, record))
        return FALSE;
    return ruvk_print_is_valid(record);
}

extern "C" RUV_BOOL ruv_print_set_page_size(RUV_PRINT_RECORD *record, double width, double height, int32_t units)
{
    Guard g("ruv_print_set_page_size", SRC);
    if (!record_checks(g, record) || !g.check(width != 0.0 && height != 0.0, ruvf::ID_INVALID_OBJECT))
        return FALSE;
    return ruvk_print_set_page_size(record, width, height, units);
}

extern "C" RUV_BOOL ruv_print_set_page_orient(RUV_PRINT_RECORD *record, int32_t orientation)
{
    Guard g("ruv_print_set_page_orient", SRC);
    if (!record_checks(g, record) || !g.check(orientation < 2, ruvf::ID_INVALID_OBJECT))
        return FALSE;
    return ruvk_print_set_page_orient(record, orientation);
}

extern "C" RUV_BOOL ruv_print_open(void)
{
    Guard g("ruv_print_open", SRC);
    if (!g.not_in_update())
        return FALSE;
    return ruvk_print_open();
}

extern "C" void ruv_print_close(void)
{
    Guard g("ruv_print_close", SRC);
    if (!g.not_in_update())
        return;
    ruvk_print_close();
}

extern "C" RUV_WIN ruv_print_create_win(RUV_PRINT_RECORD *record, const char *title)
{
    Guard g("ruv_print_create_win", SRC);
    if (!record_checks(g, record) || !g.not_null(title))
        return NULL_WIN;
    return ruvk_print_create_win(record, title);
}

extern "C" RUV_BOOL ruv_print_open_page(RUV_PRINT_RECORD *record)
{
    Guard g("ruv_print_open_page", SRC);
    if (!record_checks(g, record))
        return FALSE;
    return ruvk_print_open_page(print_win_of(record));
}

extern "C" RUV_BOOL ruv_print_close_page(RUV_PRINT_RECORD *record)
{
    Guard g("ruv_print_close_page", SRC);
    if (!record_checks(g, record))
        return FALSE;
    return ruvk_print_close_page(print_win_of(record));
}

extern "C" RUV_RECT *ruv_print_get_next_band(void)
{
    Guard g("ruv_print_get_next_band", SRC);
    if (!g.not_in_update())
        return nullptr;
    return ruvk_print_get_next_band();
}

extern "C" RUV_BOOL ruv_print_start_thread(RUV_PRINT_FUNCTION function, void *data)
{
    Guard g("ruv_print_start_thread", SRC);
    if (!g.not_in_update())
        return FALSE;
    return ruvk_print_start_thread(function, data);
}
