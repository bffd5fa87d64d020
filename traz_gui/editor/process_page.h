// The Process parameters page (page 6) and its sub-panes: the model button,
// the decay, settling (settling velocities, sedimentation and erosion),
// physical and wind, temperature, red-tide and oil panes filled from the
// scenario's process parameters and stored back, the oil-fraction editor,
// and the control events of the page and its panes.
//
// A field that its check refuses never reaches the scenario: every store
// reads a field only when its text passes the field's check, otherwise the
// scenario keeps its value.
#ifndef TRAZ_EDITOR_PROCESS_PAGE_H
#define TRAZ_EDITOR_PROCESS_PAGE_H

#include <cstdint>

#include "editor_services.h"
#include "ruv.h"

struct ProcessParameters;

// Sub-pane index of the model-specific pane (temperature, red tide or oil
// by the model kind; the decay pane for a tracer).
constexpr int PROCESS_MODEL_PANE = 15;
// The settling tables' kinds (list 9 of the settling pane).
constexpr int SETTLING_KIND_COUNT = 6;

// Page 6 filled: the model button's title and visibility; for an oil
// scenario the release-name table (instantaneous first, at most 1000); the
// current sub-pane of the page filled again from the scenario.
void ShowProcessParametersPage(ScenarioRecord *scenario, RUV_WIN page);

// The model-specific sub-panes (0 decay, 1 temperature, 2 red tide, 3 oil,
// 5 physical and wind, 11 the settling choice, 12 and 4 with the choice;
// PROCESS_MODEL_PANE by the model kind; -1 nothing): the current sub-pane
// stored and hidden, the new one filled, shown and made current.
void ShowProcessSubPane(int index);
// The settling choice's sub-panes: 4 settling velocities, 12 sedimentation.
void ShowSettlingSubPane(int index);
// Title (control 4) and table of a settling kind 0..5 on the settling pane.
void ShowSettlingTableKind(RUV_WIN pane, int kind);
// The settling kind list 9 shows (kept while the program runs).
int SettlingTableKind(void);

// Sub-panes 1, 2, 3, 4, 5 and 12 stored into the process parameters (each
// only while it shows what it was filled with); false for the other indexes.
bool StoreProcessSubPane(int index);
// Every sub-pane's texts forgotten (a new or opened scenario, a change of
// the model kind or the substances): none is stored until filled again.
void ForgetProcessPanes(void);
// One physical field (8, 6, 7, 9, 10) into its value; other ids nothing.
void StorePhysicalField(ProcessParameters *process, RUV_WIN pane, int32_t control);
// Fields 4, 5, 6 enabled with the switch, and the switch set.
void EnableSedimentationFields(RUV_WIN pane, int flag);

// The oil pane.
void ShowOilPane(RUV_WIN pane);
void ShowOilLayerFields(RUV_WIN pane);
void FillOilPane(RUV_WIN pane);
void StoreOilPane(RUV_WIN pane);
void OnOilFractionSelected(RUV_WIN pane);
// The fraction the oil pane edits (-1 none).
int SelectedOilFraction(void);
void SetSelectedOilFraction(int index);

// The control events of page 6 and its sub-panes; the pages' common
// protocol handles the rest.
void ProcessPageControl(RUV_WIN page, const RUV_EVENT *event);
void SettlingChoicePaneControl(RUV_WIN pane, const RUV_EVENT *event);
void SedimentationPaneControl(RUV_WIN pane, const RUV_EVENT *event);
void SettlingPaneControl(RUV_WIN pane, const RUV_EVENT *event);
void PhysicalPaneControl(RUV_WIN pane, const RUV_EVENT *event);
void TemperaturePaneControl(RUV_WIN pane, const RUV_EVENT *event);
void RedTidePaneControl(RUV_WIN pane, const RUV_EVENT *event);
void OilPaneControl(RUV_WIN pane, const RUV_EVENT *event);

#endif
