// The check of a whole scenario: every rule that ties two values of the
// record together, judged on the record alone (no window).  It gives each
// rule the record breaks, with the message the user is shown and the page
// (and sub-pane, and the location, substance or row concerned) on which it
// is mended.  The writer refuses a scenario that breaks one; the editor's
// Save, the GUI test driver's question and the monkey ask it too.
//
// A rule is either kept at every moment (Always: a value that depends on
// another follows it when it changes, or the change is not made) or one
// that a user may break on the way, by typing one value of a pair before
// the other, and that only a save enforces (Save).
#ifndef TRAZ_SCENARIO_CHECK_H
#define TRAZ_SCENARIO_CHECK_H

#include <cstdint>
#include <string>
#include <vector>

struct ScenarioRecord;

enum class RuleScope { Always, Save };

// The pages (and sub-panes) on which a rule is mended.
enum {
    CHECK_PAGE_SUBSTANCES = 2,
    CHECK_PAGE_TIME_FRAME = 3,
    CHECK_PAGE_PROCESS = 6,
    CHECK_PAGE_INSTANTANEOUS = 7,
    CHECK_PAGE_CONTINUOUS = 8,
    CHECK_PAGE_OBSERVATION = 10,
    CHECK_PAGE_OUTPUT = 11
};
enum {
    CHECK_PANE_NONE = -1,
    CHECK_PANE_DECAY = 0,
    CHECK_PANE_SETTLING = 4,
    CHECK_PANE_PHYSICAL = 5,
    CHECK_PANE_ZOOM_GRID = 6,
    CHECK_PANE_RECOVERY = 7
};

struct ScenarioBreak {
    std::string rule;      // the rule's stable name, such as "history.stop.after-simulation"
    std::string message;   // what the user is told
    int32_t page;          // the page it is mended on (0..11)
    int32_t subPane;       // its sub-pane, CHECK_PANE_NONE for none
    int32_t item;          // the location or substance (0-based), -1 for none
    RuleScope scope;
};

// Every rule the scenario breaks, in the order of the pages.  Without
// hydrodynamics only the substances and the cells of the locations are
// judged, without substances no table's columns (the writer refuses either
// scenario on its own).
std::vector<ScenarioBreak> CheckScenario(const ScenarioRecord &scenario);

// The first break of a scenario, or nullptr when it holds every rule; the
// break is held until the next call.
const ScenarioBreak *FirstScenarioBreak(const ScenarioRecord &scenario);

// What a save refused for a break tells the user: its message and
// "Data not saved".
std::string SaveRefusalText(const ScenarioBreak &broken);

#endif
