// A change of the simulation period made by the user (period_change.h).
#include "period_change.h"

#include <cstring>
#include <string>

#include "datetime.h"
#include "editor_services.h"
#include "period_rules.h"
#include "ruv.h"
#include "time_tables.h"

namespace {

constexpr int kCompared = 15;

bool Same(const char *a, const char *b) { return std::strncmp(a, b, kCompared) == 0; }

void CopyTime(DateTimeString target, const char *time)
{
    std::strncpy(target, time, sizeof(DateTimeString) - 1);
    target[sizeof(DateTimeString) - 1] = '\0';
}

// Asks when a period from start to stop would drop table rows or move
// release times (and, with outputs, output times); true without a loss or
// on Yes.
bool AskBeforeLoss(ScenarioRecord *scenario, const char *start, const char *stop, bool outputs)
{
    int lost = ReleaseTimesOutside(*scenario, start, stop);
    if (outputs)
        lost += OutputFilesOutside(*scenario, start, stop);
    double first = 0.0, last = 0.0;
    if (DateTimeDiffMinutes(scenario->hydReferenceTime, start, &first) &&
        DateTimeDiffMinutes(scenario->hydReferenceTime, stop, &last))
        lost += TableRowsOutsidePeriod(scenario, first, last);
    return lost == 0 ||
           ruv_dm_post_ask("Yes", "No", nullptr, "%s", "You will lose data. Do you want to continue?") == 0;
}

}  // namespace

bool ChangeSimulationPeriod(ScenarioRecord *scenario, const char *start, const char *stop, const char *step)
{
    DateTimeString(&sim)[3] = scenario->timeGroups[TIME_GROUP_SIMULATION];
    const bool moves = !Same(start, sim[TIME_START]) || !Same(stop, sim[TIME_STOP]);
    if (moves && !AskBeforeLoss(scenario, start, stop, true))
        return false;
    // The period's texts may be the scenario's own slots: copied first.
    const std::string newStart = start, newStop = stop, newStep = step, oldStop = sim[TIME_STOP];
    CopyTime(sim[TIME_START], newStart.c_str());
    CopyTime(sim[TIME_STOP], newStop.c_str());
    CopyTime(sim[TIME_STEP], newStep.c_str());
    if (moves) {
        MoveReleaseTimesInto(*scenario, sim[TIME_START], sim[TIME_STOP]);
        FitOutputTimes(*scenario, oldStop.c_str(), sim[TIME_START], sim[TIME_STOP]);
        UpdateTableTimes(scenario);
    }
    return true;
}

bool ConfirmHydrodynamicsPeriod(ScenarioRecord *scenario, const char *path)
{
    std::string start, stop;
    if (!HydConversionPeriod(path, *scenario, &start, &stop))
        return true;
    const DateTimeString(&sim)[3] = scenario->timeGroups[TIME_GROUP_SIMULATION];
    if (Same(start.c_str(), sim[TIME_START]) && Same(stop.c_str(), sim[TIME_STOP]))
        return true;
    // The load gives the output files the whole period: only the tables
    // and the release times can lose anything.
    return AskBeforeLoss(scenario, start.c_str(), stop.c_str(), false);
}

void FollowHydrodynamicsPeriod(ScenarioRecord *scenario)
{
    const DateTimeString(&sim)[3] = scenario->timeGroups[TIME_GROUP_SIMULATION];
    MoveReleaseTimesInto(*scenario, sim[TIME_START], sim[TIME_STOP]);
}
