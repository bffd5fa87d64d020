// The check of a whole scenario: the rules of its times, time tables,
// releases, locations and substances, each judged on the record.
#include "scenario_check.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "datetime.h"
#include "ge_list.h"
#include "scenario.h"
#include "time_rules.h"
#include "visarea.h"
#include "xyseries.h"

namespace {

std::string Format(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    char text[1024];
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

template <class T>
T *At(GE_List *list, int index)
{
    T *item = nullptr;
    GE_ListGet(list, index, &item);
    return item;
}

// The times of a table's rows (minutes after the hydrodynamics reference)
// and its number of value columns.
struct TableShape {
    std::vector<double> times;
    int columns = 0;
};

TableShape ShapeOf(const XYSeries *table)
{
    TableShape shape;
    if (table == nullptr || table->times == nullptr)
        return shape;
    shape.columns = table->seriesCount;
    for (int r = 0; r < table->times->count; ++r)
        shape.times.push_back(*static_cast<const double *>(GrowArrayAt(table->times, r)));
    return shape;
}

class Checker {
public:
    explicit Checker(const ScenarioRecord &s) : s_(s), times_(ScenarioSimulationTimes(s)) {}

    std::vector<ScenarioBreak> Run()
    {
        Substances();
        if (s_.hydLayers > 0) {
            Simulation();
            Tables();
            Releases();
            Output();
        }
        Locations();
        std::stable_sort(breaks_.begin(), breaks_.end(),
                         [](const ScenarioBreak &a, const ScenarioBreak &b) { return a.page < b.page; });
        return breaks_;
    }

private:
    // A step of no seconds (none known) divides nothing: the rules of its
    // multiples are not judged.
    bool StepKnown() const { return DurationSeconds(times_.step) > 0; }

    void Add(const char *rule, const std::string &message, int32_t page, int32_t subPane, int32_t item,
             RuleScope scope)
    {
        if (!message.empty())
            breaks_.push_back({ rule, message, page, subPane, item, scope });
    }

    // ---- substances

    bool Oil() const { return s_.modelKind == MODEL_OIL; }

    int SubstanceCount() const { return GE_ListCount(s_.substances); }

    int OilFractions() const
    {
        int count = 0;
        for (int i = 0; Oil() && i < SubstanceCount(); ++i) {
            const Substance *sub = At<Substance>(s_.substances, i);
            count += sub != nullptr && sub->isOilFraction != 0;
        }
        return count;
    }

    static bool NamesFile(const char *file) { return file[0] != '\0' && std::strcmp(file, "- none yet -") != 0; }

    void Substances()
    {
        const int count = SubstanceCount();
        if (count > SCEN_MAX_SUBSTANCES)
            Add("substances.count", Format("Maximum number of substances is %d !", SCEN_MAX_SUBSTANCES),
                CHECK_PAGE_SUBSTANCES, CHECK_PANE_NONE, -1, RuleScope::Always);
        if (Oil() && count > 0 && OilFractions() == 0)
            Add("substances.oil-fraction", "At least one oil fraction should remain!", CHECK_PAGE_SUBSTANCES,
                CHECK_PANE_NONE, -1, RuleScope::Always);
        const Substance *other = nullptr;
        const Substance *nutrients[2] = { nullptr, nullptr };
        for (int i = 0; i < count; ++i) {
            const Substance *sub = At<Substance>(s_.substances, i);
            if (sub == nullptr)
                continue;
            if (Oil() && sub->isOilFraction) {
                if (other != nullptr)
                    Add("substances.oil-order",
                        Format("Oil fraction %.20s is listed after substance %.20s\n"
                               "The oil fractions come before the other substances",
                               sub->name, other->name),
                        CHECK_PAGE_SUBSTANCES, CHECK_PANE_NONE, i, RuleScope::Always);
                if (sub->oilFraction == nullptr)
                    Add("substances.oil-record", Format("Oil fraction %.20s has no oil parameters", sub->name),
                        CHECK_PAGE_SUBSTANCES, CHECK_PANE_NONE, i, RuleScope::Always);
                else if (std::strncmp(sub->oilFraction->name, sub->name, SCEN_OIL_NAME_LEN) != 0)
                    Add("substances.oil-record",
                        Format("Oil fraction %.20s has the oil parameters of %.20s", sub->name,
                               sub->oilFraction->name),
                        CHECK_PAGE_SUBSTANCES, CHECK_PANE_NONE, i, RuleScope::Always);
            } else if (other == nullptr) {
                other = sub;
            }
            if (s_.modelKind == MODEL_RED_TIDE) {
                if (std::strcmp(sub->name, "NH4_file") == 0)
                    nutrients[0] = sub;
                else if (std::strcmp(sub->name, "NO3_file") == 0)
                    nutrients[1] = sub;
            }
        }
        if (nutrients[0] && nutrients[1] && NamesFile(nutrients[0]->dataFile) &&
            std::strcmp(nutrients[0]->dataFile, nutrients[1]->dataFile) == 0)
            Add("substances.nutrient-file",
                Format("NH4_file and NO3_file name the same data file\n%.200s\nEach nutrient has a data file of its own",
                       nutrients[0]->dataFile),
                CHECK_PAGE_SUBSTANCES, CHECK_PANE_NONE, -1, RuleScope::Always);
    }

    // ---- the simulation and the output files

    void Simulation()
    {
        const std::string stop = s_.timeGroups[TIME_GROUP_SIMULATION][TIME_STOP];
        Add("simulation.stop.before-start", SimulationStopRule(TimeRule::Before, times_, stop), CHECK_PAGE_TIME_FRAME,
            CHECK_PANE_NONE, -1, RuleScope::Always);
        if (DurationSeconds(times_.hydrodynamicsStep) <= 0)
            return;
        Add("simulation.period.multiple", SimulationStopRule(TimeRule::Multiple, times_, stop), CHECK_PAGE_TIME_FRAME,
            CHECK_PANE_NONE, -1, RuleScope::Save);
        if (StepKnown())
            Add("simulation.step.multiple", ComputationalStepRule(times_, times_.step), CHECK_PAGE_TIME_FRAME,
                CHECK_PANE_NONE, -1, RuleScope::Save);
    }

    void Output()
    {
        for (OutputFile file : { OutputFile::History, OutputFile::Map }) {
            const bool history = file == OutputFile::History;
            const auto &group = s_.timeGroups[history ? TIME_GROUP_HISTORY : TIME_GROUP_MAP];
            const std::string start = group[TIME_START], stop = group[TIME_STOP], step = group[TIME_STEP];
            const TimedStart which = history ? TimedStart::History : TimedStart::Map;
            const char *name = history ? "history" : "map";
            // Outside the simulation only a change of the simulation can
            // put them (the fields refuse it); the rest a user may type
            // one field at a time.
            const struct {
                TimeRule rule;
                const char *what;
                RuleScope scope;
            } kStart[] = { { TimeRule::Before, "start.before-simulation", RuleScope::Always },
                           { TimeRule::After, "start.after-simulation", RuleScope::Always },
                           { TimeRule::Multiple, "start.multiple", RuleScope::Save } },
              kStop[] = { { TimeRule::Before, "stop.before-start", RuleScope::Save },
                          { TimeRule::Equals, "stop.equals-start", RuleScope::Save },
                          { TimeRule::After, "stop.after-simulation", RuleScope::Always },
                          { TimeRule::Multiple, "stop.multiple", RuleScope::Save } };
            for (const auto &r : kStart)
                if (r.rule != TimeRule::Multiple || StepKnown())
                    Add((std::string(name) + "." + r.what).c_str(), StartTimeRule(which, r.rule, times_, start),
                    CHECK_PAGE_OUTPUT, CHECK_PANE_NONE, -1, r.scope);
            for (const auto &r : kStop)
                if (r.rule != TimeRule::Multiple || StepKnown())
                    Add((std::string(name) + "." + r.what).c_str(), StopTimeRule(file, r.rule, times_, stop, start),
                    CHECK_PAGE_OUTPUT, CHECK_PANE_NONE, -1, r.scope);
            if (StepKnown())
                Add((std::string(name) + ".step.multiple").c_str(), OutputStepRule(file, times_, step),
                    CHECK_PAGE_OUTPUT, CHECK_PANE_NONE, -1, RuleScope::Save);
        }
    }

    // ---- time tables

    // A row's time as a stored date-time.
    std::string RowTime(double minutes) const
    {
        return AddSecondsToDateTime(s_.hydReferenceTime, MinutesToSeconds(minutes));
    }

    // A table whose rows follow the simulation: in time order, and covering
    // it from its start to its stop.  A table of fewer than two rows gets
    // its default rows when it is written.
    void TimeTable(const char *rule, const XYSeries *table, bool keptOnPeriod, int32_t page, int32_t subPane,
                   int32_t item)
    {
        const TableShape shape = ShapeOf(table);
        const size_t rows = shape.times.size();
        for (size_t r = 1; r < rows; ++r)
            if (shape.times[r] < shape.times[r - 1]) {
                Add((std::string(rule) + ".order").c_str(),
                    Format("Error:\nTable rows not in time order \nTime row %zu            : %s\nTime row %zu            : %s",
                           r, RowTime(shape.times[r - 1]).c_str(), r + 1, RowTime(shape.times[r]).c_str()),
                    page, subPane, item, RuleScope::Always);
                break;
            }
        if (!keptOnPeriod || rows < 2)
            return;
        const std::string first = RowTime(shape.times.front()), last = RowTime(shape.times.back());
        // Rows beyond the period are the user's own (typed rows are taken
        // as they are); what the model needs is a table that covers it.
        Add((std::string(rule) + ".first-after-start").c_str(),
            TableEndRule(TableEnd::First, times_, RowTime(shape.times.front())), page, subPane,
            item, RuleScope::Save);
        Add((std::string(rule) + ".last-before-stop").c_str(),
            TableEndRule(TableEnd::Last, times_, RowTime(shape.times.back())), page, subPane, item,
            RuleScope::Save);
    }

    // A table of one value column per substance (and its oil parts): a
    // table with rows has as many columns as the substances need.  Without
    // a substance there is no column to judge: a table cannot be without
    // one, and keeps one of zeros and its rows until a substance comes back
    // (the writer refuses a scenario without substances on its own).
    void Columns(const char *rule, const char *what, const XYSeries *table, int needed, int32_t page,
                 int32_t subPane, int32_t item)
    {
        const TableShape shape = ShapeOf(table);
        if (SubstanceCount() == 0 || shape.times.empty() || shape.columns == needed)
            return;
        Add(rule, Format("Error:\nThe table of %s has %d value columns\nThe substances need %d", what, shape.columns,
                         needed),
            page, subPane, item, RuleScope::Always);
    }

    void Tables()
    {
        const ProcessParameters *process = s_.processParameters;
        if (process == nullptr)
            return;
        const int n = SubstanceCount(), fractions = OilFractions();
        if (process->physical != nullptr)
            TimeTable("wind", process->physical->wind, true, CHECK_PAGE_PROCESS, CHECK_PANE_PHYSICAL, -1);
        TimeTable("decay", process->decayRates, true, CHECK_PAGE_PROCESS, CHECK_PANE_DECAY, -1);
        Columns("decay.columns", "decay rates", process->decayRates, n + 2 * fractions, CHECK_PAGE_PROCESS,
                CHECK_PANE_DECAY, -1);
        for (int k = 0; k < SETTLING_TABLE_COUNT; ++k) {
            TimeTable("settling", process->settling[k], true, CHECK_PAGE_PROCESS, CHECK_PANE_SETTLING, k);
            Columns("settling.columns", "settling velocities", process->settling[k], n + fractions,
                    CHECK_PAGE_PROCESS, CHECK_PANE_SETTLING, k);
        }
        if (s_.outputOptions != nullptr)
            TimeTable("recovery", s_.outputOptions->recovery, false, CHECK_PAGE_OUTPUT, CHECK_PANE_RECOVERY, -1);
    }

    // ---- releases

    void Releases()
    {
        const int n = SubstanceCount();
        for (int i = 0; i < GE_ListCount(s_.instantaneousReleases); ++i) {
            const Location *l = At<Location>(s_.instantaneousReleases, i);
            if (l == nullptr)
                continue;
            const std::string time = l->releaseTime;
            Add("release.time.before-simulation", StartTimeRule(TimedStart::Release, TimeRule::Before, times_, time),
                CHECK_PAGE_INSTANTANEOUS, CHECK_PANE_NONE, i, RuleScope::Always);
            Add("release.time.after-simulation", StartTimeRule(TimedStart::Release, TimeRule::After, times_, time),
                CHECK_PAGE_INSTANTANEOUS, CHECK_PANE_NONE, i, RuleScope::Always);
            if (StepKnown())
                Add("release.time.multiple", StartTimeRule(TimedStart::Release, TimeRule::Multiple, times_, time),
                    CHECK_PAGE_INSTANTANEOUS, CHECK_PANE_NONE, i, RuleScope::Save);
            Columns("release.masses.columns", (std::string("released mass of ") + l->name).c_str(), l->masses, n,
                    CHECK_PAGE_INSTANTANEOUS, CHECK_PANE_NONE, i);
        }
        for (int i = 0; i < GE_ListCount(s_.continuousReleases); ++i) {
            const Location *l = At<Location>(s_.continuousReleases, i);
            if (l == nullptr)
                continue;
            TimeTable("release.rates", l->releaseRates, true, CHECK_PAGE_CONTINUOUS, CHECK_PANE_NONE, i);
            Columns("release.concentrations.columns", (std::string("released concentrations of ") + l->name).c_str(),
                    l->masses, n, CHECK_PAGE_CONTINUOUS, CHECK_PANE_NONE, i);
        }
    }

    // ---- locations on the grid

    void Locations()
    {
        const struct {
            GE_List *list;
            int32_t page;
            const char *what;
        } kinds[] = { { s_.instantaneousReleases, CHECK_PAGE_INSTANTANEOUS, "Instantaneous release" },
                      { s_.continuousReleases, CHECK_PAGE_CONTINUOUS, "Continuous release" },
                      { s_.observationPoints, CHECK_PAGE_OBSERVATION, "Observation point" } };
        const int layers = s_.hydLayers > 1 ? s_.hydLayers : 1;
        for (const auto &k : kinds) {
            for (int i = 0; i < GE_ListCount(k.list); ++i) {
                const Location *l = At<Location>(k.list, i);
                if (l == nullptr)
                    continue;
                int32_t m = 0, n = 0;
                if (!GE_FindGridCell(l->x, l->y, &m, &n))
                    m = n = 0;
                if (m != l->words[0] || n != l->words[1]) {
                    const std::string where =
                        m == 0 && n == 0 ? std::string("lies off the grid (not a valid point)")
                                         : Format("lies in grid cell M %d, N %d", m, n);
                    Add("location.cell",
                        Format("%s %.39s at x %g, y %g\n%s\nbut is kept in cell M %d, N %d", k.what, l->name,
                               static_cast<double>(l->x), static_cast<double>(l->y), where.c_str(), l->words[0],
                               l->words[1]),
                        k.page, CHECK_PANE_NONE, i, RuleScope::Always);
                }
                if (k.page != CHECK_PAGE_OBSERVATION && s_.hydLayers > 0 && (l->layer < 1 || l->layer > layers))
                    Add("location.layer",
                        Format("%s %.39s is released in layer %d\nThe hydrodynamics has %d layer%s", k.what, l->name,
                               l->layer, layers, layers == 1 ? "" : "s"),
                        k.page, CHECK_PANE_NONE, i, RuleScope::Always);
            }
        }
    }

    const ScenarioRecord &s_;
    const SimulationTimes times_;
    std::vector<ScenarioBreak> breaks_;
};

} // namespace

std::vector<ScenarioBreak> CheckScenario(const ScenarioRecord &scenario)
{
    return Checker(scenario).Run();
}

const ScenarioBreak *FirstScenarioBreak(const ScenarioRecord &scenario)
{
    static ScenarioBreak first;
    const std::vector<ScenarioBreak> breaks = CheckScenario(scenario);
    if (breaks.empty())
        return nullptr;
    first = breaks.front();
    return &first;
}

std::string SaveRefusalText(const ScenarioBreak &broken)
{
    return broken.message + "\nData not saved";
}
