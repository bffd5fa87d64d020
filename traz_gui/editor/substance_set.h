// The scenario's substance set without windows: adding, deleting and
// renaming substances, the sticky mark of oil fractions, the model kind with
// its default substances, the units of each kind and the thirteen unit
// pairs, the oil block's records, and the column maps that keep every
// per-substance table column with its substance when the set changes.
//
// Order: in an oil scenario the sticky fractions come first (the input file
// writes and reads the decay, settling and release columns in that order),
// so a new fraction is placed no later than after the last fraction, a
// fraction that is un-ticked moves behind the fractions and one that is
// ticked moves to their end.
//
// Ownership of the oil records: the oil block's list owns every record a
// substance points to.  Its first oilFractionCount entries are the sticky
// fractions in substance order, the records of un-ticked substances (which
// keep their parameters) follow.  A record is freed once: when its substance
// is deleted, when the model kind replaces the set, or by the scenario reset.
#ifndef TRAZ_SUBSTANCE_SET_H
#define TRAZ_SUBSTANCE_SET_H

#include <cstdint>
#include <string>
#include <vector>

struct ScenarioRecord;
struct OilFraction;
struct StartupRecord;
struct Substance;
struct XYSeries;

constexpr int SUBSTANCE_KIND_TRACER_REQUEST = 4;  // SetModelKind's "make it a tracer scenario"
constexpr int SUBSTANCE_TYPED_NAME_MAX = 14;      // characters a typed name keeps
constexpr int UNIT_PAIR_COUNT = 13;

// The Substances page's record: the kind the page shows, the selected
// substance (-1 none) and the scenario whose list it edits.
struct SubstancePage {
    int32_t kind;
    int32_t selected;
    ScenarioRecord *scenario;
};

enum SubstanceResult {
    SUBSTANCE_DONE = 0,
    SUBSTANCE_NOTHING_SELECTED,  // no selection: nothing changed
    SUBSTANCE_LIST_FULL,         // 90 substances: "Maximum number of substances is %d !"
    SUBSTANCE_LAST_FRACTION,     // "At least one oil fraction should remain!"
    SUBSTANCE_NO_MEMORY,
    SUBSTANCE_UNCHANGED          // the kind asked for is the page's kind
};

// Per column of a table in the new order, the column it came from before the
// change (-1: a new, empty column).  decay: a sticky oil fraction has three
// columns (itself, dispersed, sticky); settling: two; substances: one per
// substance (release masses and concentrations).
struct SubstanceColumnMaps {
    std::vector<int> decay;
    std::vector<int> settling;
    std::vector<int> substances;
};

// The substances and their sticky marks, taken before a change.
struct SubstanceOrder {
    std::vector<const Substance *> items;
    std::vector<bool> sticky;
};

SubstanceOrder TakeSubstanceOrder(const ScenarioRecord *scenario);
SubstanceColumnMaps BuildColumnMaps(const SubstanceOrder &before, const ScenarioRecord *scenario);

// Rebuilds the decay table to n + 2 x fractions columns (oil; n otherwise),
// the six settling tables to n + fractions (n) and every instantaneous and
// continuous release's masses (or concentrations) to n columns through the
// maps, n being the substance count + extra; a release's rate table is left
// alone.  A user-defined release's substance index becomes its new position
// (-1 when its substance is gone), its 1-based number (userWord3) with it,
// and the releases-from-file substance list is marked for refilling.  Tables
// keep their kind, time mode and rows; a table never drops below one column.
void RemapSubstanceTables(ScenarioRecord *scenario, const int *decayMap, const int *settlingMap,
                          const int *substanceMap, int extra);
void RemapSubstanceTables(ScenarioRecord *scenario, const SubstanceColumnMaps &maps);

Substance *SubstanceAt(const ScenarioRecord *scenario, int index);
int SubstanceCount(const ScenarioRecord *scenario);
// True for a substance that is a sticky oil fraction of an oil scenario.
bool IsStickyFraction(const ScenarioRecord *scenario, const Substance *substance);

// Adds a substance named name (cut to the field; "(new)" when empty) after
// the selected one, or at the end; in an oil scenario it is a sticky
// fraction with a fresh oil record; a red-tide "NH4_file" or "NO3_file"
// names "- none yet -" as its file.  The scenario takes the page's kind and
// the tables are remapped.  The new one becomes the selection.
SubstanceResult AddSubstanceEntry(SubstancePage *page, const char *name);
// Removes and frees the selected substance (and its oil record); the
// selection becomes -1.
SubstanceResult DeleteSubstanceEntry(SubstancePage *page);
// The selected substance (and its oil record) takes name, cut to the field;
// in a red-tide scenario a substance renamed "NH4_file" or "NO3_file" that
// names no file gets "- none yet -".
SubstanceResult RenameSubstanceEntry(SubstancePage *page, const char *name);
// Ticks or un-ticks the selected oil substance: it moves to the end of the
// fractions or just behind them, the selection follows it, its extra columns
// appear empty or disappear.  An un-ticked substance keeps its oil record.
SubstanceResult SetSubstanceSticky(SubstancePage *page, bool sticky);
// Replaces every substance (and oil record) by the kind's defaults: tracer
// "tracer"; temperature "temperature"; red tide "RED-Q", "RED-N", "RED-C",
// "NH4_file", "NO3_file"; oil "Ekofisk".  Kind 4 means tracer.  The first
// becomes the selection.
SubstanceResult ChangeModelKind(SubstancePage *page, int kind);

// A value other than 0 in any row of column `column` of the table (any
// column for -1).
bool TableHoldsValues(XYSeries *table, int column = -1);
// Un-ticking sticky fraction `index` would drop a value other than 0 from
// its dispersed or sticky columns of the decay or settling tables.
bool UntickDropsValues(const ScenarioRecord *scenario, int index);
// An oil record whose parameters differ from those of a new fraction.
bool OilFractionTyped(const OilFraction *oil);

// Puts the records of the sticky fractions first (substance order), then
// those of un-ticked substances, and frees records no substance points to.
void RebuildOilNameList(ScenarioRecord *scenario);

// Units of a model kind: "kg/m3" and "kg" for tracer and oil, "degree C" and
// "m3 degree C" for temperature, "mumolN/l" and "1e3 mumolN" for red tide.
const char *ConcentrationUnitOfKind(int kind);
const char *MassUnitOfKind(int kind);
void SetSubstanceUnits(Substance *substance, int kind);

// The red-tide substances that name a nutrient file.
bool IsNutrientSubstance(const char *name);

// The per-substance header tables (names, units, sticky flags) from the
// scenario's substances; entries past the last substance are cleared.
void RefreshSubstanceTables(StartupRecord *startup, const ScenarioRecord *scenario);

// The thirteen unit pairs: index of a pair (0 for any other pair) and the
// list text of a pair ("%-20s %-20s" of the concentration unit and the
// pair's mass text); an empty text outside 0..12.
int GetUnitIndex(const char *concentrationUnit, const char *massUnit);
std::string UnitPairText(int index);

// A substance's line in a substance list: "%-40.40s %g %s" of its label,
// value and the concentration unit in mode 1, else "%-40.40s (%s)" of label
// and name.
std::string SubstanceListText(const Substance *substance, int mode, const char *concentrationUnit);


#endif
