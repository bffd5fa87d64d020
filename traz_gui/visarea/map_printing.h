// Printing a map window: the process-wide print record of the map windows,
// Page Setup, and a print job that draws a copy of the window's record,
// zoomed onto the printer's page, into a print window.
#ifndef TRAZ_VISAREA_MAP_PRINTING_H
#define TRAZ_VISAREA_MAP_PRINTING_H

#include <cstdint>

#include "ruv.h"

// The print record made with the first map window (NULL before and after).
RUV_PRINT_RECORD *GE_PrintRecord(void);
// The printer's page set-up; without a printer only "No printer available".
void GE_PageSetup(void);
void GE_PrinterSetup(void);
// Prints the map window synchronously: 1 printed (or "No printer available"
// or "Nothing to print" shown), 0 failed ("Printing failed" shown).
int16_t GE_PrintWindow(RUV_WIN window);
// GE_PrintWindow as the toolkit's print function (data: the map window).
RUV_BOOL GE_PrintWindowJob(void *data);
// The print window of the job running now, NULL outside a job.
RUV_WIN GE_CurrentPrintWindow(void);
// Horizontal and vertical printer resolution / 25 of the last job.
float GE_PrinterFactorX(void);
float GE_PrinterFactorY(void);

// The zoom of a page: min(page height / client height, page width / client
// width); 0 when a size is not positive (nothing to print).
float GE_PrintPageScale(int32_t pageHeight, int32_t pageWidth, const RUV_RECT &client);

#endif
