/* Printing: the print record (the application's printer settings, filled
   from the default printer or the print-setup dialog), page size and
   orientation, the printer device context, the print function run on the
   GUI thread, documents, pages and bands on a print window, the abort
   procedure with its status dialog, and the mapping of the spooler's
   failures to toolkit errors. */
#ifndef RUV_KERNEL_PRINTING_H
#define RUV_KERNEL_PRINTING_H

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "ruv_types.h"
#include "ruvv_vobj.h"

#ifdef __cplusplus
extern "C" {
#endif

#define RUVK_PRINT_DEVMODE_SIZE 524444
#define RUVK_PRINT_NAMES_SIZE 2408

/* The print record, one contiguous block (526,860 bytes here: the print
   window pointer takes 8).  The application keeps it between jobs. */
#pragma pack(push, 4)
typedef struct RUV_PRINT_RECORD {
    RUV_WIN print_win;                        /* printing now, else NULL */
    uint8_t devmode[RUVK_PRINT_DEVMODE_SIZE]; /* DEVMODEA and driver bytes */
    uint8_t names[RUVK_PRINT_NAMES_SIZE];     /* DEVNAMES and its strings */
} RUV_PRINT_RECORD;
#pragma pack(pop)

/* What a device tells about its page: printable height and width in
   device pixels, vertical and horizontal resolution (dots per inch). */
typedef struct RUVK_PAGE_INFO {
    int16_t height;
    int16_t width;
    int32_t vres;
    int32_t hres;
} RUVK_PAGE_INFO;

/* The block of the platform escape 4000: a record and its page. */
typedef struct RUVK_PAGE_INFO_QUERY {
    RUV_PRINT_RECORD *record;
    RUVK_PAGE_INFO page;
} RUVK_PAGE_INFO_QUERY;

/* The application's print function: given its data, TRUE on success. */
typedef RUV_BOOL (*RUVK_PRINT_FUNC)(void *data);

/* ---- Exported ------------------------------------------------------------ */
/* A zero-filled record filled from the default printer (all zero without
   one); its size into *size when size is not NULL.  NULL without memory. */
RUV_PRINT_RECORD *ruvk_print_create(int32_t *size);
void ruvk_print_destroy(RUV_PRINT_RECORD *record);
/* Valid, and an information context can be made for it. */
RUV_BOOL ruvk_print_is_valid(RUV_PRINT_RECORD *record);
/* 0 portrait, 1 landscape; FALSE and no change for other values. */
RUV_BOOL ruvk_print_set_page_orient(RUV_PRINT_RECORD *record, int32_t orientation);
/* Chooses the printer's paper nearest width x height (units 0 inches,
   1 millimetres). */
RUV_BOOL ruvk_print_set_page_size(RUV_PRINT_RECORD *record, double width, double height, int32_t units);
/* The print-setup dialog over the record: TRUE when the record changed (or
   attribute 10041 asks TRUE for any accepted dialog). */
RUV_BOOL ruvk_dm_post_page_setup(RUV_PRINT_RECORD *record);
/* Runs the print function now, on this thread, inside an error frame. */
RUV_BOOL ruvk_print_start_thread(RUVK_PRINT_FUNC function, void *data);
/* Starts a document on the record's printer: the print window, NULL on
   failure (reported). */
RUV_WIN ruvk_print_create_win(RUV_PRINT_RECORD *record, const char *document);
/* The record a print window prints with; NULL for any other object. */
RUV_PRINT_RECORD *ruvk_print_get_record(RUV_WIN print_win);
/* Page start and end; print_win points at the print window (a print
   record's first field does). */
RUV_BOOL ruvk_print_open_page(RUV_WIN *print_win);
RUV_BOOL ruvk_print_close_page(RUV_WIN *print_win);
/* The next band of the current page to draw, NULL when the page is done. */
RUV_RECT *ruvk_print_get_next_band(void);
/* Nothing to do on this platform: 1. */
RUV_BOOL ruvk_print_open(void);
void ruvk_print_close(void);

/* ---- Kernel-internal ----------------------------------------------------- */
/* The device functions printing calls; a test may put its own in place
   (NULL restores the system's). */
typedef struct RUVK_PRINT_DEVICE {
    int (WINAPI *get_device_caps)(HDC, int);
    int (WINAPI *escape)(HDC, int, int, LPCSTR, LPVOID);
    int (WINAPI *start_doc)(HDC, const DOCINFOA *);
    int (WINAPI *end_doc)(HDC);
    int (WINAPI *abort_doc)(HDC);
    int (WINAPI *start_page)(HDC);
    int (WINAPI *end_page)(HDC);
    int (WINAPI *set_abort_proc)(HDC, ABORTPROC);
    HDC (WINAPI *create_dc)(LPCSTR, LPCSTR, LPCSTR, const DEVMODEA *);
    HDC (WINAPI *create_ic)(LPCSTR, LPCSTR, LPCSTR, const DEVMODEA *);
} RUVK_PRINT_DEVICE;
void ruvk_print_set_device(const RUVK_PRINT_DEVICE *device);
const RUVK_PRINT_DEVICE *ruvk_print_device(void);

/* Fills the record from the default printer; all zero when there is none. */
RUV_BOOL ruvk_print_get_default(RUV_PRINT_RECORD *record);
/* Copies a device mode and names block (global handles, either NULL) into
   the record; FALSE (0x0073C360) for a names block over 2,408 bytes or
   one whose strings do not end inside it. */
RUV_BOOL ruvk_print_from_handles(RUV_PRINT_RECORD *record, HGLOBAL devmode, HGLOBAL names);
/* New global copies of the record's device mode and names; FALSE when
   memory runs out. */
RUV_BOOL ruvk_print_to_handles(RUV_PRINT_RECORD *record, HGLOBAL *devmode, HGLOBAL *names);
RUV_BOOL ruvk_print_record_is_valid(const RUV_PRINT_RECORD *record);
/* A record that follows the default printer (names block flag) takes it
   again when the default has changed. */
void ruvk_print_follow_default(RUV_PRINT_RECORD *record);
/* The platform escape 4000: the query's record and page; FALSE when no
   context can be made. */
int32_t ruvk_print_page_query(RUVK_PAGE_INFO_QUERY *query);
/* The record's printer DC (ic non-zero: an information context); an
   invalid record is first refilled from the default printer. */
HDC ruvk_print_make_dc(RUV_PRINT_RECORD *record, RUV_BOOL ic);
/* The page of a record (through an information context) or of a DC. */
RUV_BOOL ruvk_print_get_page_info(RUV_PRINT_RECORD *record, HDC hdc, RUVK_PAGE_INFO *out);
/* The print-setup dialog (retry and force-default flags). */
RUV_BOOL ruvk_print_setup_dialog(RUV_PRINT_RECORD *record, RUV_BOOL retry, RUV_BOOL force_default);
/* Reports the failure of a print call (a result of 0 or less) by the
   thread's last error when that is a print code (bit 0x4000), else by the
   result: TRUE when an error was reported (aborts are not). */
RUV_BOOL ruvk_print_report_error(int result);
/* Ends the document of a print window and destroys it (the print
   window's destruction). */
void ruvk_print_end_doc(RUV_WIN print_win);
/* The page rectangle of a print window (0, 0, height, width). */
void ruvk_print_get_page_rect(RUV_WIN print_win, RUV_RECT *out);

#ifdef __cplusplus
}
#endif

#endif
