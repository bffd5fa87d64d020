// The window-free part of the time tables (time_tables_core.h).
#include "time_tables_core.h"

#include <cerrno>
#include <cstdarg>
#include <cstdint>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "datetime.h"
#include "ge_list.h"

namespace time_tables {

namespace {

std::string Format(const char *format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char *format, ...)
{
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

XYSeries *NewSeries(int modeFlag, int columns)
{
    XYSeries *series = CreateXYSeries(XYS_LINEAR, modeFlag, columns);
    if (series)
        SelectXYSeries(series, XYS_ALL);
    return series;
}

void InsertRow(XYSeries *series, int row, double time, const float *values)
{
    XYSeriesEdit edit = {series, XYS_INSERT_AT_TIME, row, time, values, nullptr};
    EditXYSeriesRows(edit);
}

// Reads row r (all series selected); false when it cannot be read.
bool ReadRow(XYSeries *series, int r, double *time, std::vector<float> &values)
{
    return EvaluateXYSeries(series, XYS_ROW, r, time, values.data(), nullptr) == XYS_OK;
}

}  // namespace

FirstColumn SlotFirstColumn(int slot)
{
    if (slot == kIntakes)
        return kRowNumbers;
    if (slot == kMasses || slot == kConcentrations)
        return kNoFirstColumn;
    return kTimeRows;
}

std::string FormatValue(double value)
{
    const double size = std::fabs(value);
    const bool exponent = size > 1000.0 || (size > static_cast<double>(FLT_MIN) && size < 0.001);
    return Format(exponent ? "%.3e" : "%.3f", value);
}

int SeriesRows(XYSeries *series)
{
    if (!series)
        return 0;
    const int previous = SelectXYSeries(series, XYS_ALL);
    const int rows = GetXYSeriesInfo(series, XYS_INFO_ROWS);
    SelectXYSeries(series, previous);
    return rows;
}

int SeriesCount(XYSeries *series)
{
    if (!series)
        return 0;
    const int previous = SelectXYSeries(series, XYS_ALL);
    const int count = GetXYSeriesInfo(series, XYS_INFO_SERIES);
    SelectXYSeries(series, previous);
    return count;
}

XYSeries *CopySeries(XYSeries *series, int count, const int *map)
{
    if (!series)
        return nullptr;
    const int previous = SelectXYSeries(series, XYS_ALL);
    const int rows = GetXYSeriesInfo(series, XYS_INFO_ROWS);
    const int source = GetXYSeriesInfo(series, XYS_INFO_SERIES);
    XYSeries *copy = nullptr;
    const int columns = (count == -1 || count == source) ? source : count;
    if (rows < 0 || rows > 1000000) {
        std::printf("CopyXYSeries : Invalid number of rows !\n");
    } else if (source < 1 || source > kMaxSeries || columns < 1 || columns > kMaxSeries) {
        std::printf("CopyXYSeries : Invalid number of series !\n");
    } else if ((copy = NewSeries(0, columns)) != nullptr) {
        std::vector<float> in(static_cast<size_t>(source)), out(static_cast<size_t>(columns));
        for (int r = 0; r < rows; ++r) {
            double time = 0.0;
            if (!ReadRow(series, r, &time, in)) {
                std::printf("CopyXYSeries : Unable to get data from XYSeries !\n");
                DestroyXYSeries(copy);
                copy = nullptr;
                break;
            }
            for (int k = 0; k < columns; ++k) {
                const int from = map ? map[k] : k;
                out[static_cast<size_t>(k)] = (from >= 0 && from < source) ? in[static_cast<size_t>(from)] : 0.0f;
            }
            InsertRow(copy, r, time, out.data());
        }
    }
    SelectXYSeries(series, previous);
    return copy;
}

int SubstanceColumns::oilCount() const
{
    if (!oilScenario)
        return 0;
    int n = 0;
    for (bool b : oil)
        n += b ? 1 : 0;
    return n;
}

SubstanceColumns ScenarioSubstances(const ScenarioRecord &scenario, const StartupRecord &startup,
                                    const char *concentrationUnit)
{
    SubstanceColumns subs;
    int count = GE_ListCount(scenario.substances);
    if (count > SCEN_MAX_SUBSTANCES)
        count = SCEN_MAX_SUBSTANCES;
    subs.oilScenario = scenario.modelKind == MODEL_OIL;
    for (int i = 0; i < count; ++i) {
        subs.names.emplace_back(startup.substanceNames[i],
                                strnlen(startup.substanceNames[i], SCEN_SUBSTANCE_TABLE_LEN));
        subs.massUnits.emplace_back(startup.massUnits[i], strnlen(startup.massUnits[i], SCEN_SUBSTANCE_TABLE_LEN));
        subs.oil.push_back(subs.oilScenario && startup.oilFlags[i] != 0);
    }
    subs.concentrationUnit = concentrationUnit ? concentrationUnit : "";
    return subs;
}

int SlotColumns(int slot, const SubstanceColumns &subs, const ScenarioRecord &scenario)
{
    const int n = subs.count();
    switch (slot) {
    case kDecay:
        return n + 2 * subs.oilCount();
    case kIntakes:
        return scenario.temperatureVariant ? 10 : 9;
    case kWind:
        return 2;
    case kMasses:
    case kConcentrations:
        return n;
    case kReleaseRates:
    case kRecovery:
        return 1;
    default:
        return IsSettlingSlot(slot) ? n + subs.oilCount() : -1;
    }
}

int ShownColumns(int slot, int seriesColumns, const SubstanceColumns &subs, const ScenarioRecord &scenario)
{
    if (slot == kIntakes && !scenario.temperatureVariant)
        return seriesColumns < 10 ? 9 : seriesColumns;
    const int least = SlotColumns(slot, subs, scenario);
    return seriesColumns > least ? seriesColumns : least;
}

int ShownRows(int slot, int seriesRows)
{
    if (slot == kMasses)
        return 1;
    const int least = (slot == kIntakes || slot == kConcentrations || slot == kRecovery) ? 1 : 2;
    return seriesRows > least ? seriesRows : least;
}

std::string FirstColumnHeader(int slot)
{
    switch (SlotFirstColumn(slot)) {
    case kTimeRows:
        return " time breakpoints\n dd mm yyyy hh mm ss ";
    case kRowNumbers:
        return "no.";
    default:
        return "";
    }
}

std::vector<std::string> ValueHeaders(int slot, int columns, const SubstanceColumns &subs,
                                      const ScenarioRecord &scenario)
{
    (void)scenario;
    std::vector<std::string> h;
    const int n = subs.count();
    switch (slot) {
    case kDecay:
        for (int i = 0; i < n; ++i) {
            h.push_back(subs.names[i] + "\n [1/day]");
            if (subs.oil[i]) {
                h.push_back(subs.names[i] + " disp.\n [1/day]");
                h.push_back(subs.names[i] + " sticky\n [1/day]");
            }
        }
        break;
    case kIntakes:
        h = {" temp\n [degree C]", " flow\n [m3/s]", " X", " Y"};
        if (columns == 10) {
            h.push_back(" Z");
            for (int r = 10; r <= 50; r += 10)
                h.push_back(Format(" R%d\n  [m]", r));
        } else {
            for (int r = 10; r <= 50; r += 10)
                h.push_back(Format("R%d\n [m]", r));
        }
        break;
    case kWind:
        h = {" wind speed\n [m/s]", " wind direction\n [degrees]"};
        break;
    case kMasses:
        for (int i = 0; i < n; ++i)
            h.push_back(subs.names[i] + "\n" + Format(" [%s]", subs.massUnits[i].c_str()));
        break;
    case kReleaseRates:
        h = {" Release rates\n [m3/s]"};
        break;
    case kConcentrations:
        for (int i = 0; i < n; ++i) {
            const std::string &mass = subs.massUnits[i];
            std::string unit;
            if (mass == "m3")
                unit = " [-]";
            else if (mass.compare(0, 7, "m3 degr") == 0)
                unit = Format(" [%s]", subs.concentrationUnit.c_str());
            else
                unit = Format(" [%s/m3]", mass.c_str());
            h.push_back(subs.names[i] + "\n" + unit);
        }
        break;
    case kRecovery:
        h = {" recovery\n  factor"};
        break;
    default:
        if (IsSettlingSlot(slot))
            for (int i = 0; i < n; ++i) {
                h.push_back(subs.names[i]);
                if (subs.oil[i])
                    h.push_back(subs.names[i] + " dispersed");
            }
        break;
    }
    h.resize(static_cast<size_t>(columns > 0 ? columns : 0));
    return h;
}

std::string MinutesToText(const char *reference, double minutes)
{
    return DateTimeToDmy(AddSecondsToDateTime(reference, MinutesToSeconds(minutes)));
}

bool TextToMinutes(const char *reference, const char *text, double *minutes)
{
    const char *stored = DmyToDateTime(text);
    if (!stored[0] || !IsValidDateTime(stored))
        return false;
    DateTimeString copy;
    std::snprintf(copy, sizeof copy, "%s", stored);
    return DateTimeDiffMinutes(reference, copy, minutes) != 0;
}

bool SimulationMinutes(const ScenarioRecord &scenario, double *start, double *stop)
{
    const auto &sim = scenario.timeGroups[TIME_GROUP_SIMULATION];
    *start = 0.0;
    *stop = 0.0;
    const bool a = DateTimeDiffMinutes(scenario.hydReferenceTime, sim[TIME_START], start) != 0;
    const bool b = DateTimeDiffMinutes(scenario.hydReferenceTime, sim[TIME_STOP], stop) != 0;
    return a && b;
}

std::vector<std::string> MakeCells(int slot, XYSeries *series, int rows, int columns,
                                   const ScenarioRecord &scenario)
{
    const FirstColumn mode = SlotFirstColumn(slot);
    const int first = mode == kNoFirstColumn ? 0 : 1;
    const int width = first + columns;
    std::vector<std::string> cells(static_cast<size_t>(rows) * static_cast<size_t>(width > 0 ? width : 0));
    const int seriesRows = SeriesRows(series);
    const int seriesColumns = SeriesCount(series);
    const int previous = series ? SelectXYSeries(series, XYS_ALL) : 0;
    std::vector<float> values(static_cast<size_t>(seriesColumns > 0 ? seriesColumns : 1));
    double start = 0.0, stop = 0.0;
    SimulationMinutes(scenario, &start, &stop);
    const std::string startText = MinutesToText(scenario.hydReferenceTime, start);
    const std::string stopText = MinutesToText(scenario.hydReferenceTime, stop);
    const char *pad = slot == kRecovery ? "1.0" : "0.0";
    for (int r = 0; r < rows; ++r) {
        double time = 0.0;
        const bool present = r < seriesRows && ReadRow(series, r, &time, values);
        std::string *row = &cells[static_cast<size_t>(r) * static_cast<size_t>(width)];
        if (mode == kTimeRows)
            row[0] = present ? MinutesToText(scenario.hydReferenceTime, time) : (r == 0 ? startText : stopText);
        else if (mode == kRowNumbers)
            row[0] = Format("%d", present ? static_cast<int>(std::lround(time)) : r + 1);
        for (int k = 0; k < columns; ++k)
            row[first + k] = (present && k < seriesColumns) ? FormatValue(values[static_cast<size_t>(k)]) : pad;
    }
    if (series)
        SelectXYSeries(series, previous);
    return cells;
}

bool IsBlank(const char *text)
{
    for (; text && *text; ++text)
        if (*text != ' ' && *text != '\t')
            return false;
    return true;
}

namespace {

// The text with its surrounding blanks removed.
std::string Trimmed(const char *text)
{
    std::string s = text ? text : "";
    const size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos)
        return "";
    const size_t b = s.find_last_not_of(" \t\r\n");
    return s.substr(a, b - a + 1);
}

bool ParseInteger(const char *text, long *value)
{
    const std::string s = Trimmed(text);
    if (s.empty())
        return false;
    char *end = nullptr;
    errno = 0;
    const long v = std::strtol(s.c_str(), &end, 10);
    if (errno || *end || v < INT32_MIN || v > INT32_MAX)
        return false;
    *value = v;
    return true;
}

bool ParseFloat(const char *text, double *value)
{
    const std::string s = Trimmed(text);
    if (s.empty())
        return false;
    char *end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (*end || !std::isfinite(v) || std::fabs(v) > static_cast<double>(FLT_MAX))
        return false;
    *value = v;
    return true;
}

}  // namespace

bool CellValid(CellKind kind, const char *text, const char *reference)
{
    if (IsBlank(text))
        return true;
    double d = 0.0;
    long l = 0;
    switch (kind) {
    case kDateTimeCell:
        return TextToMinutes(reference, Trimmed(text).c_str(), &d);
    case kIntegerCell:
        return ParseInteger(text, &l);
    default:
        return ParseFloat(text, &d);
    }
}

std::string CellError(CellKind kind, const char *text, int row, int column)
{
    const char *what = kind == kDateTimeCell ? "date-time" : kind == kIntegerCell ? "integer number"
                                                                                   : "floating point number";
    return Format("Input error:\nInput %s in row %d, column %d is not a valid %s", text ? text : "", row, column,
                  what);
}

XYSeries *CellsToSeries(int slot, FirstColumn mode, const std::vector<std::string> &cells, int rows, int columns,
                        const char *reference, std::string *error)
{
    error->clear();
    const int first = mode == kNoFirstColumn ? 0 : 1;
    const int values = columns - first;
    if (rows < 0 || values < 1 || values > kMaxSeries ||
        cells.size() < static_cast<size_t>(rows) * static_cast<size_t>(columns))
        return nullptr;
    struct Row {
        double time;
        std::vector<float> values;
    };
    std::vector<Row> kept;
    kept.reserve(static_cast<size_t>(rows));
    for (int r = 0; r < rows; ++r) {
        const std::string *row = &cells[static_cast<size_t>(r) * static_cast<size_t>(columns)];
        bool empty = true;
        for (int c = 0; c < columns && empty; ++c)
            empty = IsBlank(row[c].c_str());
        if (empty)
            continue;
        Row out{0.0, std::vector<float>(static_cast<size_t>(values), 0.0f)};
        if (mode == kTimeRows) {
            if (!TextToMinutes(reference, Trimmed(row[0].c_str()).c_str(), &out.time)) {
                *error = CellError(kDateTimeCell, row[0].c_str(), r + 1, 1);
                return nullptr;
            }
        } else if (mode == kRowNumbers) {
            long number = 0;
            if (!ParseInteger(row[0].c_str(), &number)) {
                *error = CellError(kIntegerCell, row[0].c_str(), r + 1, 1);
                return nullptr;
            }
            out.time = static_cast<double>(number);
        } else {
            out.time = static_cast<double>(kept.size() + 1);
        }
        for (int k = 0; k < values; ++k) {
            const char *text = row[first + k].c_str();
            double v = 0.0;
            if (!IsBlank(text) && !ParseFloat(text, &v)) {
                *error = CellError(kFloatCell, text, r + 1, first + k + 1);
                return nullptr;
            }
            out.values[static_cast<size_t>(k)] = static_cast<float>(v);
        }
        kept.push_back(std::move(out));
    }
    if (mode == kTimeRows && slot != kRecovery && kept.size() < 2) {
        std::printf("Number of rows < 2 !\n");
        return nullptr;
    }
    XYSeries *series = NewSeries(mode == kTimeRows ? 1 : 0, values);
    if (!series)
        return nullptr;
    for (size_t r = 0; r < kept.size(); ++r)
        InsertRow(series, static_cast<int>(r), kept[r].time, kept[r].values.data());
    SelectXYSeries(series, 0);
    return series;
}

std::vector<double> RegularTimes(double start, double stop, double step, long *total)
{
    std::vector<double> times;
    *total = 0;
    if (!(step > 0.0) || !(stop > start) || !std::isfinite(stop - start))
        return times;
    const double whole = std::floor((stop - start) / step);
    if (whole > 1e9)
        return times;
    long count = static_cast<long>(whole) + 1;
    const bool extra = start + static_cast<double>(count - 1) * step < stop;
    *total = count + (extra ? 1 : 0);
    for (long i = 0; i < count && static_cast<long>(times.size()) < kMaxRows; ++i)
        times.push_back(start + static_cast<double>(i) * step);
    if (extra && static_cast<long>(times.size()) < kMaxRows)
        times.push_back(stop);
    return times;
}

int ComputationalStepMinutes(const ScenarioRecord &scenario)
{
    const char *step = scenario.timeGroups[TIME_GROUP_SIMULATION][TIME_STEP];
    if (!IsValidDuration(step))
        return 0;
    int t[6] = {};
    std::sscanf(step, "%4d%2d%2d%2d%2d%2d", &t[0], &t[1], &t[2], &t[3], &t[4], &t[5]);
    const double seconds = JoinSeconds(t[2], t[3], t[4], static_cast<float>(t[5]));
    return static_cast<int>(std::lround(seconds / 60.0));
}

bool StepIsMultiple(int step, int computationalMinutes)
{
    if (computationalMinutes <= 0)
        return true;
    return step % computationalMinutes == 0;
}

XYSeries *RegularSeries(const std::vector<double> &times, const std::vector<float> &values)
{
    if (values.empty() || static_cast<int>(values.size()) > kMaxSeries)
        return nullptr;
    XYSeries *series = NewSeries(1, static_cast<int>(values.size()));
    if (!series)
        return nullptr;
    for (size_t r = 0; r < times.size(); ++r)
        InsertRow(series, static_cast<int>(r), times[r], values.data());
    SelectXYSeries(series, 0);
    return series;
}

XYSeries *DefaultSeries(int slot, const ScenarioRecord &scenario, const SubstanceColumns &subs)
{
    if (slot != kDecay && slot != kWind && !IsSettlingSlot(slot))
        return nullptr;
    const int columns = SlotColumns(slot, subs, scenario);
    if (columns < 1 || columns > kMaxSeries)
        return nullptr;
    double start = 0.0, stop = 0.0;
    SimulationMinutes(scenario, &start, &stop);
    XYSeries *series = NewSeries(1, columns);
    if (!series)
        return nullptr;
    const std::vector<float> zeros(static_cast<size_t>(columns), 0.0f);
    InsertRow(series, 0, start, zeros.data());
    InsertRow(series, 1, stop, zeros.data());
    SelectXYSeries(series, 0);
    return series;
}

namespace {

// A row time outside the period: before its start or after its stop (a
// row on either end is inside).
bool Outside(double time, double start, double stop)
{
    constexpr double kSlack = 1e-6;  // minutes
    return time < start - kSlack || time > stop + kSlack;
}

// Whether the row may go: with moving ends the first and last never do.
bool Dropped(int row, int rows, double time, double start, double stop, bool ends)
{
    if (ends && (row == 0 || row == rows - 1))
        return false;
    return Outside(time, start, stop);
}

}  // namespace

int RowsOutside(XYSeries *series, double start, double stop, bool ends)
{
    const int rows = SeriesRows(series);
    const int columns = SeriesCount(series);
    if (rows < 1 || columns < 1)
        return 0;
    const int previous = SelectXYSeries(series, XYS_ALL);
    std::vector<float> values(static_cast<size_t>(columns));
    int dropped = 0;
    for (int r = 0; r < rows; ++r) {
        double time = 0.0;
        if (ReadRow(series, r, &time, values) && Dropped(r, rows, time, start, stop, ends))
            ++dropped;
    }
    SelectXYSeries(series, previous);
    return dropped;
}

XYSeries *WithEndTimes(XYSeries *series, double start, double stop, const char *who)
{
    const int rows = SeriesRows(series);
    const int columns = SeriesCount(series);
    if (!series || rows < 1 || rows > 1000000) {
        std::printf("%s : Invalid number of rows !\n", who);
        return nullptr;
    }
    if (columns < 1 || columns > kMaxSeries) {
        std::printf("%s : Invalid number of series !\n", who);
        return nullptr;
    }
    const int previous = SelectXYSeries(series, XYS_ALL);
    XYSeries *moved = NewSeries(1, columns);
    std::vector<float> values(static_cast<size_t>(columns));
    const int last = rows < 2 ? 1 : rows - 1;
    int kept = 0;
    for (int r = 0; moved && r <= last; ++r) {
        double time = 0.0;
        if (!ReadRow(series, r < rows ? r : rows - 1, &time, values)) {
            std::printf("%s : Unable to get data from XYSeries !\n", who);
            DestroyXYSeries(moved);
            moved = nullptr;
            break;
        }
        if (r == 0)
            time = start;
        else if (r == last)
            time = stop;
        else if (Outside(time, start, stop))
            continue;
        InsertRow(moved, kept++, time, values.data());
    }
    if (moved)
        SelectXYSeries(moved, 0);
    SelectXYSeries(series, previous);
    return moved;
}

XYSeries *WithinPeriod(XYSeries *series, double start, double stop)
{
    const int rows = SeriesRows(series);
    const int columns = SeriesCount(series);
    if (!series || rows < 0 || rows > 1000000 || columns < 1 || columns > kMaxSeries)
        return nullptr;
    const int previous = SelectXYSeries(series, XYS_ALL);
    XYSeries *kept = NewSeries(1, columns);
    std::vector<float> values(static_cast<size_t>(columns));
    int count = 0;
    for (int r = 0; kept && r < rows; ++r) {
        double time = 0.0;
        if (!ReadRow(series, r, &time, values)) {
            DestroyXYSeries(kept);
            kept = nullptr;
            break;
        }
        if (!Outside(time, start, stop))
            InsertRow(kept, count++, time, values.data());
    }
    if (kept)
        SelectXYSeries(kept, 0);
    SelectXYSeries(series, previous);
    return kept;
}

XYSeries **SlotSeries(ScenarioRecord &scenario, int slot, Location *release)
{
    ProcessParameters *p = scenario.processParameters;
    switch (slot) {
    case kDecay:
        return p ? &p->decayRates : nullptr;
    case kIntakes:
        return p ? &p->intakes : nullptr;
    case kWind:
        return p && p->physical ? &p->physical->wind : nullptr;
    case kMasses:
    case kConcentrations:
        return release ? &release->masses : nullptr;
    case kReleaseRates:
        return release ? &release->releaseRates : nullptr;
    case kRecovery:
        return scenario.outputOptions ? &scenario.outputOptions->recovery : nullptr;
    default:
        if (IsSettlingSlot(slot) && p)
            return &p->settling[slot - kFirstSettling];
        return nullptr;
    }
}

std::string RowCommandRefusal(RowCommand command, int slot, int rows)
{
    if (command != kDeleteRow)
        return (slot == kMasses || slot == kConcentrations) ? "Only one row required !" : "";
    if (slot == kMasses || slot == kConcentrations || slot == kIntakes)
        return "Minimum one row required !";
    if (rows < 3 && slot != kRecovery)
        return "At Least 2 rows required !";
    return "";
}

}  // namespace time_tables
