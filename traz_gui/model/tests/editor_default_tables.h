// The editor's default tables, as the reader's tests and the console test
// tool stand in for the editor: when the writer finds a table of fewer than
// two rows it asks the editor for the defaults of that table slot, and the
// editor gives the table two rows of zeros, at the simulation start and
// stop, with one column per output column (decay rates, slot 0), per
// settling column (the six settling tables, slots 3 to 8) or speed and
// direction (wind, slot 2).  A converted file is thus written as the
// program writes it: the count 2 and two rows where the old file had none.
#ifndef TRAZ_MODEL_TESTS_EDITOR_DEFAULT_TABLES_H
#define TRAZ_MODEL_TESTS_EDITOR_DEFAULT_TABLES_H

#include <vector>

#include "datetime.h"
#include "ge_list.h"
#include "scenario.h"
#include "xyseries.h"

inline void EditorDefaultTables(ScenarioRecord *s, int slot)
{
    ProcessParameters *p = s->processParameters;
    const int substances = GE_ListCount(s->substances);
    const int oilFractions = s->modelKind == MODEL_OIL ? s->oilFractionCount : 0;
    XYSeries **table = nullptr;
    int series = 0;
    if (slot == 0) {
        table = &p->decayRates;
        series = substances + 2 * oilFractions;
    } else if (slot == 2) {
        table = &p->physical->wind;
        series = 2;
    } else if (slot >= 3 && slot <= 8) {
        table = &p->settling[slot - 3];
        series = substances + oilFractions;
    }
    if (table == nullptr || series < 1)
        return;
    double start = 0.0, stop = 0.0;
    DateTimeDiffMinutes(s->hydReferenceTime, s->timeGroups[TIME_GROUP_SIMULATION][TIME_START], &start);
    DateTimeDiffMinutes(s->hydReferenceTime, s->timeGroups[TIME_GROUP_SIMULATION][TIME_STOP], &stop);
    XYSeries *fresh = CreateXYSeries(XYS_LINEAR, 1, series);
    if (fresh == nullptr)
        return;
    const std::vector<float> zeros(static_cast<size_t>(series), 0.0f);
    SelectXYSeries(fresh, XYS_ALL);
    for (double minutes : {start, stop}) {
        XYSeriesEdit edit = {fresh, XYS_INSERT_AT_TIME, GetXYSeriesInfo(fresh, XYS_INFO_ROWS), minutes,
                             zeros.data(), nullptr};
        EditXYSeriesRows(edit);
    }
    DestroyXYSeries(*table);
    *table = fresh;
}

#endif
