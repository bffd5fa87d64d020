// The Substances page (page 2): the model kind, the substance list with
// add, rename and delete, the sticky mark of oil fractions and the nutrient
// files of the red-tide model, over the window-free substance set; the
// page's show and store and its controls' events.
#ifndef TRAZ_EDITOR_SUBSTANCES_PAGE_H
#define TRAZ_EDITOR_SUBSTANCES_PAGE_H

#include <cstdint>

#include "editor_services.h"
#include "ruv.h"
#include "substance_set.h"

struct GE_List;

// The page's record (the page window's application data).
SubstancePage *SubstancesPageRecord(void);

void ShowSubstancesPage(RUV_WIN window);
void StoreSubstanceFields(RUV_WIN window);
// Stores the fields, then shows the substance selected in list 4; -1 when
// nothing is selected.
int ShowSubstanceFields(RUV_WIN window);
void AddSubstance(const char *name, RUV_WIN window);
void DeleteSubstance(RUV_WIN window);
void RenameSubstance(RUV_WIN window, int32_t control);
void ToggleStickyFraction(RUV_WIN window);
// Kind 4 makes a tracer scenario with the substance "tracer".
void SetModelKind(int kind, RUV_WIN window);
void SelectNutrientFile(RUV_WIN window);
void LimitNameLength(RUV_WIN window, int32_t control);
void SubstancePageLayout(RUV_WIN window, int kind);

// The thirteen unit pairs into a list control; the substances of list as
// "%-40.40s %g %s" (mode 1) or "%-40.40s (%s)" lines appended to a list
// control.
void FillUnitList(RUV_WIN window, int32_t listControl);
void FillSubstanceList(GE_List *list, int mode, RUV_WIN window, int32_t listControl);

// The page stored into the process data: its fields, the temperature intake
// table when the temperature kind is entered or left, the header tables;
// "No oil fractions specified!" for an oil page without fractions.
void StoreSubstancesPage(ScenarioRecord *scenario, RUV_WIN page);

// Page 2 filled or stored (false for the other pages).
bool FillSubstancesPage(int n);
bool StoreSubstancesPageOf(int n);

// The control events of the page's own controls; the pages' common protocol
// handles the rest.
void SubstancesPageControl(RUV_WIN page, const RUV_EVENT *event);
// The page's keys: Delete in the substance list asks and deletes, as the
// Delete button does.
void SubstancesPageKey(RUV_WIN page, const RUV_EVENT *event);

#endif
