// The general pages of the editor (Description, Hydrodynamics, Time frame,
// Initial conditions, Numerical parameters, Output options) and the zoom
// grid sub-pane: show, store, their controls' events with the field and
// time checks, file selection, project-relative file names and the checks
// before a save.
#ifndef TRAZ_EDITOR_GENERAL_PAGES_H
#define TRAZ_EDITOR_GENERAL_PAGES_H

#include "editor_services.h"
#include "ruv.h"

// direction 1 shows, 0 stores; other values do nothing.
void ExchangeDescriptionPage(ScenarioRecord *scenario, RUV_WIN page, int direction);
// Empties the title fields so that the next show fills them (New, Open).
void ForgetDescriptionPage(RUV_WIN page);
void StoreHydrodynamicsPage(ScenarioRecord *scenario, RUV_WIN page);
void CmdSelectHydrodynamics(RUV_WIN page);
// Show kinds: 1 Time frame, 2 Output options, 3 and 4 release-time windows.
void ShowTimeFields(ScenarioRecord *scenario, RUV_WIN window, int kind);
// Store kinds: 0 Time frame, 1 Output options.
void StoreTimeFields(ScenarioRecord *scenario, RUV_WIN window, int kind);
void ShowInitialConditionsPage(RUV_WIN page);
void StoreInitialConditionsPage(ScenarioRecord *scenario, RUV_WIN page);
void CmdSelectIniFile(RUV_WIN page);
void EnableIniFileFields(RUV_WIN page, int option);
void ShowNumericalParametersPage(RUV_WIN page);
void StoreNumericalParametersPage(ScenarioRecord *scenario, RUV_WIN page);
void ShowOutputOptionsPage(ScenarioRecord *scenario, RUV_WIN page);
void StoreOutputOptionsPage(ScenarioRecord *scenario, RUV_WIN page);

// Page n filled / stored when it is one of the general pages (0, 1, 3, 4,
// 5, 11); false for the others.  The time-frame page (3) holds only times,
// which the page switch shows with ShowTimeFields.
bool FillGeneralPage(int n);
bool StoreGeneralPage(int n);

// The zoom grid sub-pane: its fields from the scenario's box and cells, and
// back.  Sub-pane 14 is the particle-tracks switch of the output page.
void FillZoomGridPane(RUV_WIN pane);
// Sub-panes 6 and 14 stored; false for the others.  The zoom grid is
// stored only from fields filled for the scenario in hand.
bool StoreOutputSubPane(int index);
// The zoom grid fields no longer belong to the scenario (New, Open) until
// the sub-pane is filled again.
void ForgetZoomGridPane(void);

// The check of the continuous releases' rate tables before a save: TRUE
// when they may be saved, FALSE after the refusal was shown.  Save does
// not run it (a release's own table is checked against the simulation when
// its window is left).
RUV_BOOL CheckContinuousReleaseTables(void);

// The control events of the general pages' own fields and buttons (content
// changes, focus gains and losses, clicks); the pages' common protocol
// handles the rest.
void DescriptionPageControl(RUV_WIN page, const RUV_EVENT *event);
void HydrodynamicsPageControl(RUV_WIN page, const RUV_EVENT *event);
void TimeFramePageControl(RUV_WIN page, const RUV_EVENT *event);
void InitialConditionsPageControl(RUV_WIN page, const RUV_EVENT *event);
void NumericalParametersPageControl(RUV_WIN page, const RUV_EVENT *event);
void OutputOptionsPageControl(RUV_WIN page, const RUV_EVENT *event);
void ZoomGridPaneControl(RUV_WIN pane, const RUV_EVENT *event);

#endif
