// Services of the scenario editor windows that the scenario model calls:
// paths and titles, file selection, page and table helpers, message boxes,
// control titles and the status bar, and the editor state the model reads
// and writes directly.
//
// The substance tables (names, units, oil flags), the table-slot filled
// markers and the grid-available flag that the model fills for the editor
// are fields of the StartupRecord (scenario model); they are not repeated
// here.
#ifndef TRAZ_EDITOR_SERVICES_H
#define TRAZ_EDITOR_SERVICES_H

#include <cstdint>

#include "ruv_types.h"

struct ScenarioRecord;
struct XYSeries;

#if defined(__clang__)
#define TRAZ_PRINTF_LIKE(f, a) __attribute__((format(printf, f, a)))
#elif defined(__GNUC__)
#define TRAZ_PRINTF_LIKE(f, a) __attribute__((format(gnu_printf, f, a)))
#else
#define TRAZ_PRINTF_LIKE(f, a)
#endif

// ---------------------------------------------------------------------------
// Editor state (process-wide values of the editor).

constexpr int EDITOR_PAGE_COUNT = 12;  // pages 0..11
constexpr int EDITOR_TABLE_SLOTS = 14; // table slots 0..13

// The main window (owner of the status bar) and the twelve page windows.
extern RUV_WIN MainWindow;
extern RUV_WIN PageWindows[EDITOR_PAGE_COUNT];
// 1 while the scenario has unsaved changes (the " *" of the title).
extern int16_t ModifiedFlag;
// Current page, -1 = none.
extern int32_t CurrentPage;
// Selected element of each page's list, -1 = none.
extern int32_t PageSelection[EDITOR_PAGE_COUNT];
// Per-page "already filled" flags of the editor.
extern int32_t PageFilled[EDITOR_PAGE_COUNT];

// Empties the map's observation-point, instantaneous- and continuous-release
// sets and hides the zoom area box, clearing its corners (the box records of
// the map pages, reset with the scenario).
void ResetMapPageBoxes(void);

// ---------------------------------------------------------------------------
// Paths and titles.

// The path relative to the project directory ("..", "/"), or a copy of the
// path unchanged; static buffer.
const char *MakeProjectRelativePath(const char *fullPath);
// Title path = project directory + "/" + input name ("--Unnamed--").
void BuildScenarioPath(void);
// Every '\' -> '/' in place.
void ToForwardSlashes(char *text);
// "Particle tracking  [%s %s]" from the title path and the modified mark.
void UpdateMainTitle(void);
// Fills a file specification from a path; 0 when it cannot be converted.
int16_t PathToFileSpec(const char *path, RUV_FILE_SPEC *spec);

// File dialog for the type (extension text such as "mdp") with the prompt;
// mode 0 save, 1 open.  On OK spec holds the chosen directory and name
// ('/' separators); on cancel the name stays empty.
void SelectFile(const char *fileType, const char *prompt, int mode, RUV_FILE_SPEC *spec);

// ---------------------------------------------------------------------------
// Pages and checks before saving.

// Nonzero when the zoom-grid output settings are valid (else a message).
RUV_BOOL CheckZoomGrid(void);
// Nonzero when the six settling tables have equal lengths and time levels.
RUV_BOOL CheckSettlingTables(void);
void ShowHydrodynamicsPage(ScenarioRecord *scenario, RUV_WIN page);
void EnableInitialConditionButton(int flag);
// Shows sub-pane number index (6 = zoom grid) of the page.
void ShowSubPane(RUV_WIN page, int32_t control, int index);
// Makes page n (0..11) current as its page button does: the page shown is
// stored and hidden, page n filled and shown.
void SwitchPage(int n);
void EnablePageButtons(void);
// Shows where a broken rule of the scenario is mended: page n as its page
// button does, the sub-pane given (-1 none) and the location or settling
// table given (-1 none) selected.
void ShowScenarioBreak(int page, int subPane, int item);
// Hands the Location at index of the page's list (7 instantaneous,
// 8 continuous, 10 observation points) to the map window.
void SendLocationToVisArea(RUV_WIN page, int pageNumber, int index, int mode);

// Units of the current model kind: concentration in a static buffer; mass
// as a new 20-byte text (GE_Alloc) that the caller frees with GE_Free.
const char *GetConcentrationUnit(void);
char *GetMassUnit(void);

// ---------------------------------------------------------------------------
// Time tables.

// New table (kind 0, no time column) with the same row times and, per new
// column k, the old column map[k] (-1 gives 0.0); count -1 = all columns,
// map NULL = identity.  NULL for NULL or more than 70 series.
XYSeries *CopyXYSeries(XYSeries *table, int count, const int *map);
// Forgets the 14 table slots (mode 1: destroys the open tables first).
void ResetTableSlots(int mode);
// Gives the slot its default tables (two rows: start and stop).
void CreateDefaultTables(ScenarioRecord *scenario, int slot);
// After the time frame changed: the tables' first and last rows moved onto
// the simulation start and stop, the rows outside the period dropped.
void UpdateTableTimes(ScenarioRecord *scenario);

// ---------------------------------------------------------------------------
// Messages, controls and the status bar.

// Formats (cut at 1023 characters) and shows the toolkit's note / error.
void PostNoteF(const char *format, ...) TRAZ_PRINTF_LIKE(1, 2);
void PostErrorF(const char *format, ...) TRAZ_PRINTF_LIKE(1, 2);
void SetWindowVisible(RUV_WIN window, int flag);
void SetControlTitle(RUV_WIN window, int32_t controlId, const char *text);
// The control's text (at most 100 characters) in a static buffer.
const char *GetControlTitle(RUV_WIN window, int32_t controlId);
// Status bar of the window's main window: text ("" and NULL both show the
// default text); returns the text shown or NULL.
const char *statbar_set_title(RUV_WIN window, const char *text);

#endif
