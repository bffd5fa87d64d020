/* Saving a scenario: the File menu's Save and Save as, the file list and
   the model input file ("V3.66.00"), section by section, with its time and
   table formats.  Both files are written to temporary files beside them and
   replace the old ones only when complete. */
#include "input_writer.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "datetime.h"
#include "editor_services.h"
#include "ruv.h"
#include "scenario.h"
#include "scenario_check.h"
#include "startup.h"
#include "utilities.h"

namespace {

/* Table slots of the editor's default tables. */
const int kSlotDecay = 0;
const int kSlotWind = 2;
const int kSlotFirstSettling = 3;
const int kSlotReleaseRates = 10;

const char *const kTemperatureLabels[TEMP_VALUE_COUNT] = {
    "specific heat", "density", "salinity", "ambient temp.", "excess temp.", "dilution",
    "thickness mixing layer", "Richardson number", "rel. thickness bottom layer",
    "crit. dens. diff", "bouy. length scale"};

const char *const kRedTideLabels[RED_TIDE_VALUE_COUNT] = {
    "growth rate     day NH4   ", "growth rate     night NO3 ", "growth rate     day NO3   ",
    "growth rate     night NO3 ", "half saturation day NH4   ", "half saturation night NH4 ",
    "half saturation day NO3   ", "half saturation night NO3 ", "concentration       NH    ",
    "concentration   NO3       ", "concentration Nitrogen    ", "mortality rate Red Tide   ",
    "splitting period          ", "threshold                 ", "growth rate max Nitrogen  ",
    "growth rate min Red Tide  ", "scale factor nutrient conc", "scale factor Red Tide unit",
    "intensity optimal growth  ", "intensity max. light      ", "daylight hours            ",
    "sunrise hour              ", "vert. ext. coeff."};

const char *const kSettlingHeaders[SETTLING_TABLE_COUNT] = {
    "A0[m/s]", "A1[m/s]", "Period[h]", "Phase[h]", "Vmin[m/s]", "Vmax[m/s]"};

/* Small values and values above 1000 are written in e-format. */
bool UsesExponent(double value)
{
    const double a = std::fabs(value);
    return a > 1000.0 || (a > FLT_MIN && a < 0.001);
}

/* A time held in minutes as "%d %2d %2d %2d": whole seconds rounded to the
   nearest, each field with the sign of the time. */
std::string FormatMinutes(const char *format, double minutes)
{
    /* A time that is no number is written as 0; one beyond the day count's
       range keeps the largest day count. */
    const double kMaxSeconds = 86400.0 * INT_MAX;
    double rounded = MinutesToSeconds(minutes);
    if (!std::isfinite(rounded))
        rounded = std::isnan(rounded) ? 0.0 : std::copysign(kMaxSeconds, rounded);
    rounded = std::max(-kMaxSeconds, std::min(kMaxSeconds, rounded));
    const long long total = static_cast<long long>(std::fabs(rounded));
    const int sign = rounded < 0 ? -1 : 1;
    const long long days = total / 86400;
    const int hours = static_cast<int>(total % 86400 / 3600);
    const int mins = static_cast<int>(total % 3600 / 60);
    const int secs = static_cast<int>(total % 60);
    char text[96];
    std::snprintf(text, sizeof text, format, static_cast<int>(sign * days), sign * hours,
                  sign * mins, sign * secs);
    return text;
}

/* Fields of a 14-digit text; missing fields are 0. */
void SplitTimeText(const char *time, int fields[6])
{
    for (int i = 0; i < 6; ++i)
        fields[i] = 0;
    if (time == nullptr || std::strlen(time) < static_cast<size_t>(DATETIME_LEN))
        return;
    std::sscanf(time, "%4d%2d%2d%2d%2d%2d", &fields[0], &fields[1], &fields[2], &fields[3],
                &fields[4], &fields[5]);
}

int RowCount(XYSeries *table)
{
    const int rows = table != nullptr ? GetXYSeriesInfo(table, XYS_INFO_ROWS) : 0;
    return rows > 0 ? rows : 0;
}

int SeriesCount(XYSeries *table)
{
    const int n = table != nullptr ? GetXYSeriesInfo(table, XYS_INFO_SERIES) : 0;
    return n > 0 ? n : 0;
}

/* The rows of a table (all series), read with every series selected and
   the redraw switched off, both restored afterwards. */
struct TableRows {
    int rows = 0;
    int series = 0;
    std::vector<double> times;
    std::vector<float> values;    /* rows * series */

    float Value(int row, int column) const
    {
        return column >= 0 && column < series ? values[static_cast<size_t>(row) * series + column]
                                               : 0.0f;
    }
};

TableRows ReadRows(XYSeries *table)
{
    TableRows t;
    if (table == nullptr)
        return t;
    t.series = SeriesCount(table);
    const int rows = RowCount(table);
    if (t.series == 0)
        return t;
    const int selection = SelectXYSeries(table, XYS_ALL);
    const int redraw = SetXYSeriesRedraw(table, 0);
    t.times.resize(static_cast<size_t>(rows));
    t.values.resize(static_cast<size_t>(rows) * t.series);
    for (int r = 0; r < rows; ++r) {
        double time = 0.0;
        if (EvaluateXYSeries(table, XYS_ROW, r, &time, &t.values[static_cast<size_t>(r) * t.series],
                             nullptr) != XYS_OK)
            break;
        t.times[static_cast<size_t>(r)] = time;
        t.rows = r + 1;
    }
    SelectXYSeries(table, selection);
    SetXYSeriesRedraw(table, redraw);
    return t;
}

void WriteValue(FILE *file, const char *eFormat, const char *fFormat, double value)
{
    std::fprintf(file, UsesExponent(value) ? eFormat : fFormat, value);
}

/* WriteSeriesTable over a column map: output column k takes the table's
   series map[k] (-1, or a series the table lacks, gives 0). */
void WriteMappedSeries(FILE *file, const TableRows &t, bool labelled, const std::vector<int> &map,
                       const std::vector<std::string> *labels)
{
    const int columns = static_cast<int>(map.size());
    for (int r = 0; r < t.rows; ++r) {
        if (!labelled)
            std::fputs(FormatMinutes("\n   %d %2d %2d %2d    ", t.times[static_cast<size_t>(r)]).c_str(),
                       file);
        for (int k = 0; k < columns; ++k) {
            const double v = t.Value(r, map[static_cast<size_t>(k)]);
            if (labelled) {
                const char *label = labels != nullptr && k < static_cast<int>(labels->size())
                                        ? (*labels)[static_cast<size_t>(k)].c_str()
                                        : "";
                std::fprintf(file, UsesExponent(v) ? "%12.3e        ; %s\n" : "%12.3f        ; %s\n",
                             v, label);
            } else {
                WriteValue(file, "%12.3e ", "%12.3f ", v);
                if ((k + 1) % 6 == 0 && k + 1 < columns)
                    std::fputs("\n                 ", file);
            }
        }
    }
}

std::vector<int> IdentityMap(int columns)
{
    std::vector<int> map(static_cast<size_t>(columns > 0 ? columns : 0));
    for (size_t k = 0; k < map.size(); ++k)
        map[k] = static_cast<int>(k);
    return map;
}

/* Output columns of the release, decay and settling tables: each substance
   in list order, and after an oil fraction its dispersed and sticky parts. */
struct OutputColumn {
    int substance;           /* index in the substance list */
    int part;                /* 0 the substance, 1 dispersed, 2 sticky */
    int settlingColumn;      /* column of the settling tables, -1 none */
    std::string name;
};

std::vector<OutputColumn> OutputColumns(const ScenarioRecord *s, int oilFractions)
{
    std::vector<OutputColumn> columns;
    const int count = GE_ListCount(s->substances);
    const bool oil = s->modelKind == MODEL_OIL;
    int oilSeen = 0;
    int otherSeen = 0;
    for (int i = 0; i < count; ++i) {
        Substance *sub = nullptr;
        GE_ListGet(s->substances, i, &sub);
        const std::string name = sub != nullptr ? sub->name : "";
        if (oil && sub != nullptr && sub->isOilFraction) {
            columns.push_back({i, 0, 2 * oilSeen, name});
            columns.push_back({i, 1, 2 * oilSeen + 1, name});
            columns.push_back({i, 2, -1, name});
            ++oilSeen;
        } else {
            columns.push_back({i, 0, 2 * oilFractions + otherSeen, name});
            ++otherSeen;
        }
    }
    return columns;
}

int CountOilFractions(const ScenarioRecord *s)
{
    if (s->modelKind != MODEL_OIL)
        return 0;
    int oil = 0;
    for (int i = 0; i < GE_ListCount(s->substances); ++i) {
        Substance *sub = nullptr;
        if (GE_ListGet(s->substances, i, &sub) && sub != nullptr && sub->isOilFraction)
            ++oil;
    }
    return oil;
}

std::string JoinPath(const std::string &directory, const std::string &name)
{
    if (directory.empty())
        return name;
    const char last = directory.back();
    return last == '/' || last == '\\' ? directory + name : directory + "/" + name;
}

std::string ReplaceTail(const std::string &path, size_t n, const std::string &tail)
{
    return path.size() >= n ? path.substr(0, path.size() - n) + tail : path + tail;
}

/* A quoted text of the input file and the list: a quote inside it is
   written twice, and read back as one. */
std::string Quoted(const std::string &text)
{
    std::string quoted = "'";
    for (char c : text) {
        quoted += c;
        if (c == '\'')
            quoted += '\'';
    }
    return quoted + "'";
}

/* The most characters of a file name that the reader takes back. */
const size_t kMaxWrittenName = 254;

/* What the writer met that it cannot write as it is: the first such thing,
   in the words of the message that refuses the save. */
class Refusal {
public:
    void Note(const std::string &why)
    {
        if (why_.empty())
            why_ = why;
    }
    const std::string &Why() const { return why_; }

    /* A file name as the files give it: relative to the project when that
       form fits a name of the input file, else the name as it is; a name
       that fits in neither form refuses the save. */
    std::string Name(const std::string &path)
    {
        const std::string relative = MakeProjectRelativePath(path.c_str());
        if (relative.size() <= kMaxWrittenName)
            return relative;
        if (path.size() <= kMaxWrittenName)
            return path;
        char why[SCEN_FILE_NAME_LEN * 2 + 160];
        std::snprintf(why, sizeof why,
                      "Saving data: the file name\n%s\nhas %d characters; the input file holds names of at most %d.",
                      path.c_str(), static_cast<int>(path.size()), static_cast<int>(kMaxWrittenName));
        Note(why);
        return relative;
    }

private:
    std::string why_;
};

/* A text file written to a temporary file beside its target and moved over
   the target only by Commit; a file not committed is removed. */
class ReplacingFile {
public:
    ReplacingFile() = default;
    explicit ReplacingFile(const std::string &target) { Open(target); }
    /* A target that may not be replaced (read-only, or a folder) opens
       nothing: moving a file over it would go round its protection. */
    void Open(const std::string &target)
    {
        target_ = target;
        if (!Replaceable(target))
            return;
        temporary_ = target + ".~sav";
        file_ = std::fopen(temporary_.c_str(), "w");
    }
    ~ReplacingFile()
    {
        if (file_ != nullptr)
            std::fclose(file_);
        if (!committed_ && !temporary_.empty())
            std::remove(temporary_.c_str());
    }
    ReplacingFile(const ReplacingFile &) = delete;
    ReplacingFile &operator=(const ReplacingFile &) = delete;

    FILE *get() const { return file_; }
    bool IsOpen() const { return file_ != nullptr; }

    /* Closes the temporary file and, when every byte reached it, puts it in
       place of the target. */
    bool Finish()
    {
        if (file_ == nullptr)
            return false;
        const bool written = std::fflush(file_) == 0 && !std::ferror(file_);
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        return written && closed;
    }

    bool Commit()
    {
#ifdef _WIN32
        committed_ = MoveFileExA(temporary_.c_str(), target_.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
        committed_ = std::rename(temporary_.c_str(), target_.c_str()) == 0;
#endif
        return committed_;
    }

private:
    static bool Replaceable(const std::string &target)
    {
#ifdef _WIN32
        const DWORD attributes = GetFileAttributesA(target.c_str());
        return attributes == INVALID_FILE_ATTRIBUTES ||
               (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) == 0;
#else
        struct stat info;
        if (stat(target.c_str(), &info) != 0)
            return true;
        return S_ISREG(info.st_mode) && access(target.c_str(), W_OK) == 0;
#endif
    }

    std::string target_;
    std::string temporary_;
    FILE *file_ = nullptr;
    bool committed_ = false;
};

/* The input file, section by section. */
class InputFileWriter {
public:
    InputFileWriter(FILE *file, ScenarioRecord *scenario, Refusal *refusal)
        : f_(file), s_(scenario), refusal_(refusal), oilFractions_(CountOilFractions(scenario)),
          columns_(OutputColumns(scenario, oilFractions_))
    {
    }

    void Write()
    {
        Header();
        Hydrodynamics();
        NumericalParameters();
        Substances();
        Particles();
        PhysicalParameters();
        Wind();
        ModelSpecific();
        Timers();
        if (s_->modelKind == MODEL_OIL)
            InitialCondition();
        ObservationPoints();
        OutputParameters();
        ZoomGrid();
        InstantaneousReleases();
        ContinuousReleases();
        UserDefinedReleases();
        DecayRates();
        SettlingVelocities();
        if (Process()->sedimentationErosion)
            SedimentationErosion();
        Put("\n");
    }

private:
    void Put(const char *text) { std::fputs(text, f_); }

    void Printf(const char *format, ...)
    {
        va_list args;
        va_start(args, format);
        std::vfprintf(f_, format, args);
        va_end(args);
    }

    ProcessParameters *Process() const { return s_->processParameters; }
    bool SeveralLayers() const { return s_->hydLayers > 1; }

    /* A time as its offset from T0; a time that has none refuses the save
       (it is never written as T0 itself). */
    std::string Offset(const char *time, const char *what) const
    {
        double seconds = 0.0;
        if (!DateTimeDiffSeconds(s_->hydReferenceTime, time, &seconds)) {
            char why[256];
            std::snprintf(why, sizeof why,
                          "Saving data: the %s \"%.14s\" cannot be written as a time from the reference time %.14s.",
                          what, time != nullptr ? time : "", s_->hydReferenceTime);
            refusal_->Note(why);
        }
        char text[64];
        FormatTimeOffset(s_->hydReferenceTime, time, text);
        return text;
    }

    std::string Field(int flag, const char *time) const
    {
        char text[64];
        FormatTimeField(flag, time, text);
        return text;
    }

    Substance *SubstanceAt(int i) const
    {
        Substance *sub = nullptr;
        GE_ListGet(s_->substances, i, &sub);
        return sub;
    }

    /* Rows of a table after the editor was asked for its default tables
       when it has fewer than 2; the count written is the rows there are. */
    int EnsureRows(XYSeries **table, int slot)
    {
        if (RowCount(*table) < 2)
            CreateDefaultTables(s_, slot);
        return RowCount(*table);
    }

    void Header()
    {
        Printf("'%-16s' %s\n", SCENARIO_CURRENT_VERSION, " ; please, don't change this line");
        Put("\n");
        for (const auto &title : s_->titles)
            Printf("%s\n", Quoted(title).c_str());
        int t[6];
        SplitTimeText(s_->hydReferenceTime, t);
        Printf("'T0: %04d.%02d.%02d %02d:%02d:%02d (scu =       ls)'\n", t[0], t[1], t[2], t[3],
               t[4], t[5]);
    }

    void Hydrodynamics()
    {
        Put("\n;                            Hydrodynamics file (*.hyd)\n");
        Printf("%s; name of *hyd file\n;\n", Quoted(refusal_->Name(s_->fileNames[FILE_HYD])).c_str());
    }

    int FileModelType() const
    {
        switch (s_->modelKind) {
        case MODEL_TEMPERATURE: return s_->temperatureVariant == 0 ? 2 : 5;
        case MODEL_RED_TIDE: return 3;
        case MODEL_OIL: return 4;
        default: return 1;
        }
    }

    void NumericalParameters()
    {
        const ::NumericalParameters *np = s_->numericalParameters;
        Put("\n;                            Numerical parameters\n");
        Put("; Type of model: 1 - tracer (basic module)\n");
        Put(";                2 - (obsolete option)\n");
        Put(";                3 - obsolete option\n");
        Put(";                4 - oil model\n");
        Put(";                5 - (obsolete option)\n");
        Printf(" %6d %6d %6d %6d %s\n", FileModelType(), static_cast<int>(Process()->tracks), 0,
               Process()->sedimentationErosion ? 1 : 0,
               s_->modelKind == MODEL_OIL
                   ? " ; type of model          tracks(0/1)    extra_output(0/1)    sed/erosion(0/1)"
                   : " ; type of model          tracks(0/1)    extra output      sed/erosion(0/1)");
        Printf(" %6d %6d                %s\n", 1,
               DurationToSeconds(s_->timeGroups[TIME_GROUP_SIMULATION][TIME_STEP]),
               "; num. scheme            time_step(s)   (0=flow time step)");
        Printf(" %6d %6.2f %6g         %s\n", np->verticalDispersionOption == 3 ? 0 : 1,
               static_cast<double>(np->scale), static_cast<double>(np->dispersionCoefficient),
               "; vert. disp option(*)   scale          disp_coeff.(m2/s)");
        Printf("%63s", "  ; (*) 0=constant 1=depth averaged");
    }

    void Substances()
    {
        const int count = GE_ListCount(s_->substances);
        Put("\n\n\n;                            Substances\n");
        if (s_->modelKind == MODEL_OIL)
            Printf("  %6d  %6d   %s\n", count + 2 * oilFractions_, oilFractions_,
                   "; no of substances         no of oil fractions");
        else
            Printf("  %6d   %s\n", count, "; no_of_substances");
        if (s_->modelKind == MODEL_OIL)
            for (int i = 0; i < count; ++i) {
                Substance *sub = SubstanceAt(i);
                if (sub != nullptr && sub->isOilFraction) {
                    Printf(" %s\n", Quoted(sub->name).c_str());
                    Printf(" %s\n", Quoted(std::string(sub->name) + " disp").c_str());
                    Printf(" %s\n", Quoted(std::string(sub->name) + " stick").c_str());
                }
            }
        for (int i = 0; i < count; ++i) {
            Substance *sub = SubstanceAt(i);
            if (sub != nullptr && !(s_->modelKind == MODEL_OIL && sub->isOilFraction))
                Printf(" %s\n", Quoted(sub->name).c_str());
        }
        if (s_->modelKind == MODEL_RED_TIDE)
            for (const char *nutrient : {"NH4_file", "NO3_file"})
                for (int i = 0; i < count; ++i) {
                    Substance *sub = SubstanceAt(i);
                    if (sub != nullptr && std::strcmp(sub->name, nutrient) == 0) {
                        Printf("%s\n", Quoted(sub->dataFile).c_str());
                        break;
                    }
                }
    }

    void Particles()
    {
        Put("\n;                            Particles\n");
        Printf("    %d ; number of particles \n", s_->numericalParameters->particleCount);
    }

    void PhysicalParameters()
    {
        const ::PhysicalParameters *p = Process()->physical;
        Put("\n;                            Physical parameters \n");
        Printf("    %12g %s\n", static_cast<double>(p->roughness), "; roughness [m]         ");
        Printf("    %12g %s\n", static_cast<double>(p->dispersionA), "; a coeff. in hor. diff. D = a*t^b");
        Printf("    %12g %s\n", static_cast<double>(p->dispersionB), "; b coeff. in hor. diff. D = a*t^b");
        Printf("    %12g %s\n", static_cast<double>(p->windDrag), "; wind_drag (%)");
        Printf("    %12g %s\n", static_cast<double>(p->waterDensity), "; density of water (kg/m3)");
    }

    void Wind()
    {
        ::PhysicalParameters *p = Process()->physical;
        Put("\n;                            Wind_parameters \n");
        const int rows = EnsureRows(&p->wind, kSlotWind);
        Printf("  %d \n", rows);
        Put("; dd hh mm ss        speed(m/s)   direction(degr.)\n");
        /* A table of fewer than two rows is not read back: none is written. */
        if (rows >= 2)
            WriteMappedSeries(f_, ReadRows(p->wind), false, IdentityMap(2), nullptr);
    }

    void ModelSpecific()
    {
        Put("\n\n;                            Model specific parameters\n ");
        switch (s_->modelKind) {
        case MODEL_TEMPERATURE: Temperature(); break;
        case MODEL_RED_TIDE: RedTide(); break;
        case MODEL_OIL: Oil(); break;
        default: Printf("\n   %d ; number of model specific parameters\n ", 0); break;
        }
    }

    void Temperature()
    {
        ProcessParameters *p = Process();
        const TableRows intakes = ReadRows(p->intakes);
        Put("\n;        temperature model parameters \n");
        Printf("   %d \n ", 12 + 10 * intakes.rows);
        for (int i = 0; i < TEMP_VALUE_COUNT; ++i)
            Printf("   %20.4f   ; %s\n", static_cast<double>(p->temperature[i]), kTemperatureLabels[i]);
        Printf("   %20d   ; number of intakes\n ", intakes.rows);
        if (s_->temperatureVariant != 0) {
            /* Ten values an intake, each labelled with the name of its
               column in the intake table. */
            std::vector<std::string> labels;
            for (int k = 0; k < SCEN_INTAKE_SERIES; ++k) {
                const char *name = k < intakes.series ? SetXYSeriesName(p->intakes, XYS_GET, k, nullptr)
                                                      : nullptr;
                labels.push_back(name != nullptr && name[0] != '\0' ? std::string(name)
                                                                    : "intake value " + std::to_string(k + 1));
            }
            WriteMappedSeries(f_, intakes, true, IdentityMap(SCEN_INTAKE_SERIES), &labels);
        } else {
            for (int r = 0; r < intakes.rows; ++r) {
                for (int k = 0; k < 4; ++k)
                    Printf("%20g\n", static_cast<double>(intakes.Value(r, k)));
                Printf("%20g\n", 1.0);
                for (int k = 4; k < 9; ++k)
                    Printf("%20g\n", static_cast<double>(intakes.Value(r, k)));
            }
        }
    }

    void RedTide()
    {
        ProcessParameters *p = Process();
        Put("\n;        red tide model parameters \n");
        Printf("   %d \n ", RED_TIDE_VALUE_COUNT);
        for (int i = 0; i < RED_TIDE_VALUE_COUNT; ++i)
            Printf(i == 8 ? "   %20.7f    ;%s \n" : "   %20.4f    ;%s \n",
                   static_cast<double>(p->redTide[i]), kRedTideLabels[i]);
    }

    void OilLine(double value, const char *comment)
    {
        Printf("   %12g               %s\n", value, comment);
    }

    void Oil()
    {
        ProcessParameters *p = Process();
        Put("\n;                            Oil model parameters \n");
        Printf("   %d ;number of constants \n", oilFractions_ * 10 + (SeveralLayers() ? 2 : 1));
        Put("; Oil fraction dependent parameters\n");
        const OilFraction *defaults = nullptr;
        OilFraction fallback;
        for (int i = 0; i < GE_ListCount(s_->substances); ++i) {
            Substance *sub = SubstanceAt(i);
            if (sub == nullptr || !sub->isOilFraction)
                continue;
            const OilFraction *oil = sub->oilFraction;
            if (oil == nullptr) {
                if (defaults == nullptr) {
                    OilFraction *made = CreateOilFraction();
                    std::memset(&fallback, 0, sizeof fallback);
                    if (made != nullptr) {
                        fallback = *made;
                        GE_Free(made);
                    }
                    defaults = &fallback;
                }
                oil = defaults;
            }
            Printf("; %s \n", sub->name);
            OilLine(oil->evaporation, "; Evaporation fraction per day");
            if (oil->dispersionOption == 0)
                Printf("   %12d  %12g %s\n", 0, static_cast<double>(oil->dispersionRate),
                       "; Oil dispersion ; option[0/1] ");
            else
                Printf("   %12d               %s\n", 1, "; Oil dispersion option [0/1]");
            Printf("                              %s\n", "; (0=fraction per day 1=Delvigne/Sweeny formula)");
            OilLine(oil->stickyProbability, "; Sticky probability [0,1]");
            OilLine(oil->volatileFraction, "; Volatile fraction [0,1]");
            OilLine(oil->emulsificationC1, "; Emulsification parameter C1");
            OilLine(oil->maxWaterContentC2, "; Maximum water content C2  [0,1]");
            OilLine(oil->emulsificationStart, "; Evap. fraction at which emulsification starts");
            OilLine(oil->density, "; Density ");
            OilLine(oil->viscosity, "; Kinematic viscosity ");
        }
        Put("; Global oil parameters\n");
        OilLine(p->minimumOilThickness, "; minimum thickness oil layer");
        if (SeveralLayers())
            OilLine(p->coriolisAngle, "; deflection angle (due to Coriolis force) - only for 3D");
    }

    void Timers()
    {
        const auto &sim = s_->timeGroups[TIME_GROUP_SIMULATION];
        const auto &map = s_->timeGroups[TIME_GROUP_MAP];
        const auto &his = s_->timeGroups[TIME_GROUP_HISTORY];
        Put("\n;                            Timers \n");
        Put(";yyyy mm dd hh mm ss \n");
        Printf("          %s      ;simulation start time \n", Offset(sim[TIME_START], "simulation start time").c_str());
        Printf("          %s      ;simulation stop time \n", Offset(sim[TIME_STOP], "simulation stop time").c_str());
        Printf("          %s      ;KIMBOL take over time \n", Field(1, s_->takeOverTime).c_str());
        Printf("          %s      ;map file start time \n", Offset(map[TIME_START], "map file start time").c_str());
        Printf("          %s      ;map file stop time \n", Offset(map[TIME_STOP], "map file stop time").c_str());
        Printf("          %s      ;map file time step \n", Field(1, map[TIME_STEP]).c_str());
        Printf("          %s      ;his file start time \n", Offset(his[TIME_START], "his file start time").c_str());
        Printf("          %s      ;his file stop time \n", Offset(his[TIME_STOP], "his file stop time").c_str());
        Printf("          %s      ;his file time step \n", Field(1, his[TIME_STEP]).c_str());
        Printf(" %s      ;reference date for output\n", Field(0, s_->outputReferenceDate).c_str());
    }

    void InitialCondition()
    {
        const InitialConditions *ic = s_->initialConditions;
        int option = ic != nullptr ? ic->option : 0;
        /* A name left from an earlier scenario (the defaults keep it) is
           not a file named for this one. */
        const bool named = ic != nullptr && ic->fileGiven != 0 && ic->iniFile[0] != '\0';
        if (option == 1 && !named) {
            ruv_dm_post_message("%s", "Missing data on saving input file\n"
                                      "Initial oil condition file not yet selected\n"
                                      "Please check !\n");
            option = 0;   /* a file line is required after option 1 */
        }
        Put("\n;                            Initial condition (oil only)\n\n");
        Printf("%15d ", option);
        Put("; 0 = no initial particles\n");
        Put("                ; 1 = initial oil patches (from *.ini file)\n");
        if (option == 1)
            Printf("%s ;%s ", Quoted(refusal_->Name(ic->iniFile)).c_str(),
                   " Initial condition file (including polygones describing the oil patches)\n");
    }

    void ObservationPoints()
    {
        const int count = GE_ListCount(s_->observationPoints);
        Put("\n;                            Observation points \n");
        Printf("    %d\n", count);
        Printf("; %s", "                                  x-coordinate           y-coordinate\n");
        for (int i = 0; i < count; ++i) {
            Location *point = nullptr;
            if (!GE_ListGet(s_->observationPoints, i, &point) || point == nullptr)
                continue;
            const std::string quoted = Quoted(point->name);
            Printf("   %-20s   %22.2f %22.2f  \n", quoted.c_str(), static_cast<double>(point->x),
                   static_cast<double>(point->y));
        }
    }

    void OutputParameters()
    {
        XYSeries *recovery = s_->outputOptions->recovery;
        const TableRows rows = ReadRows(recovery);
        Put("\n;                            Output parameters \n");
        Put(";Zoom grid output method\n");
        Printf(" %d\n", rows.rows);
        Put("; dd hh mm ss        recovery(-) (for scaling of output)");
        WriteMappedSeries(f_, rows, false, IdentityMap(1), nullptr);
    }

    void ZoomGrid()
    {
        const ::ZoomGrid *z = s_->outputOptions->zoomGrid;
        Put("\n\n;                            Zoom grid output parameters \n");
        Printf("%12.2f  %12.2f  %s\n", static_cast<double>(z->xStart), static_cast<double>(z->xEnd),
               "; x-start(m)              x-end(m)");
        Printf("%12.2f  %12.2f  %s\n", static_cast<double>(z->yStart), static_cast<double>(z->yEnd),
               "; y-start(m)              y-end(m)");
        Printf("%12d  %12d  %s\n", z->cellsX, z->cellsY,
               "; grid cells in x dir(-)  grid cells in y dir(-)");
    }

    /* A release's mass or concentration table in output-column order: the
       table's columns are the substances; an oil fraction's dispersed and
       sticky columns, and a missing table, give zeros.  One row at least. */
    void ReleaseTable(XYSeries *table)
    {
        TableRows rows = ReadRows(table);
        if (rows.rows == 0) {
            rows.rows = 1;
            rows.times.assign(1, 0.0);
            rows.series = 0;
        }
        std::vector<int> map;
        std::vector<std::string> labels;
        for (const OutputColumn &c : columns_) {
            map.push_back(c.part == 0 ? c.substance : -1);
            labels.push_back(c.part == 0 ? c.name
                                         : c.name + (c.part == 1 ? " dispersed" : " sticky"));
        }
        WriteMappedSeries(f_, rows, true, map, &labels);
    }

    void PositionLine(const Location *r, const char *depthComment, const char *layerComment,
                      const char *oilComment)
    {
        Printf("    %12.2f   %12.2f ", static_cast<double>(r->x), static_cast<double>(r->y));
        if (s_->modelKind == MODEL_OIL)
            Printf("               %s\n", oilComment);
        else if (SeveralLayers())
            Printf("  %12d %s\n", r->layer, layerComment);
        else
            Printf("  %12.4f %s\n", static_cast<double>(r->depth), depthComment);
    }

    void InstantaneousReleases()
    {
        const int count = GE_ListCount(s_->instantaneousReleases);
        Put("\n\n\n;                    Instantaneous releases \n");
        Printf("    %d  %s", count, "; number of instantaneous releases");
        for (int i = 0; i < count; ++i) {
            Location *r = nullptr;
            if (!GE_ListGet(s_->instantaneousReleases, i, &r) || r == nullptr)
                continue;
            Printf("\n\n\n\n%s\n", Quoted(r->name).c_str());
            Printf("      %s  %58s\n", Offset(r->releaseTime, "release time").c_str(), "; release time (dd hh mm ss) ");
            PositionLine(r, "; x-coord.       y-coord.        depth under surface(%)",
                         "; x-coord(m)     y-coord(m)      layer(-)",
                         "; x-coord(m)     y-coord(m)      (z-coord = 0)");
            if (r->radiusOption == 0)
                Printf("    %12d   %12.2f    %54s\n  %90s\n", 0, static_cast<double>(r->radius),
                       "; option for release radius      radius[m]",
                       "; (0=user-defined radius;1=formula Fay-Hoult)");
            else
                Printf("    %12d %57s\n  %90s\n", 1, "; option for release-radius",
                       "; (0=user-defined radius;1=formula Fay-Hoult)");
            Printf("    %12.2f                               %s\n", static_cast<double>(r->particleShare),
                   "; perc. of total particles(%)");
            Put("\n");
            Put(";released mass(kg)\n");
            ReleaseTable(r->masses);
        }
    }

    void ContinuousReleases()
    {
        const int count = GE_ListCount(s_->continuousReleases);
        Put("\n\n\n;                            Continuous releases \n");
        Printf("  %d %s", count, " ; number of continuous releases");
        for (int i = 0; i < count; ++i) {
            Location *r = nullptr;
            if (!GE_ListGet(s_->continuousReleases, i, &r) || r == nullptr)
                continue;
            Printf("\n\n\n\n%s\n", Quoted(r->name).c_str());
            PositionLine(r, "; x-coord(m)      y-coord(m)      depth under surface(%)",
                         "; x-coord(m)      y-coord(m)      layer",
                         "; x-coord(m)      y-coord(m) (z-coord = 0)");
            Printf("    %12.3f   %12.2f                %s\n", static_cast<double>(r->radius),
                   static_cast<double>(r->particleShare), "; radius(m)       perc. of total particles(%)");
            Printf("    %12.3f                               %s\n", static_cast<double>(r->loadScale),
                   "; scale factor for load (kg/s)");
            Printf("    %12d                               %s\n", r->interpolation,
                   "; interpolation option (0=block 1=linear)");
            Put("\n");
            Put("; released_concentrations (kg/m3) \n");
            ReleaseTable(r->masses);
            Put("\n");
            EnsureRows(&r->releaseRates, kSlotReleaseRates);
            const TableRows rates = ReadRows(r->releaseRates);
            Put("; release rates\n");
            Printf("  %d \n", rates.rows);
            Put("; dd hh mm ss     rate (m3/s)");
            std::vector<float> first(static_cast<size_t>(rates.rows));
            for (int row = 0; row < rates.rows; ++row)
                first[static_cast<size_t>(row)] = rates.Value(row, 0);
            WriteTimeTable(f_, rates.times.data(), first.data(), rates.rows, 1, 0);
        }
    }

    void UserDefinedReleases()
    {
        const int count = GE_ListCount(s_->userDefinedReleases);
        Put("\n\n;                            User defined releases \n");
        Printf("  %d \n", count);
        for (int i = 0; i < count; ++i) {
            Location *r = nullptr;
            if (!GE_ListGet(s_->userDefinedReleases, i, &r) || r == nullptr)
                continue;
            Printf("  %20.4f  %20.3f   \n", static_cast<double>(r->particleShare),
                   static_cast<double>(r->loadScale));
            Printf("  %s    %d   \n", Offset(r->releaseTime, "release start time").c_str(), r->userLayer);
            Printf("  %d \n", r->userOption);
            Printf("  %s  \n", Quoted(r->userText).c_str());
            if (r->userOption == 0)
                Printf("  %s    %d  %d  \n", Offset(r->stopTime, "release stop time").c_str(), r->userWord3,
                       r->userWord4 + 1);
        }
    }

    void DecayRates()
    {
        ProcessParameters *p = Process();
        Put("\n;                            Decay rates\n");
        const int rows = EnsureRows(&p->decayRates, kSlotDecay);
        Printf("  %d \n", rows);
        Put(";dd hh mm ss          decay rates (1/day)\n");
        /* One rate per output column is read back; a table of fewer than
           two rows is not. */
        if (rows >= 2)
            WriteMappedSeries(f_, ReadRows(p->decayRates), false,
                              IdentityMap(static_cast<int>(columns_.size())), nullptr);
    }

    void SettlingVelocities()
    {
        ProcessParameters *p = Process();
        Put("\n\n;                            Settling velocities \n");
        Put("; Generalized settling formula\n");
        Printf("    %12.4f %s", static_cast<double>(p->settlingExponent), " ; exponent for c(-)\n");
        Printf("    %12d  %s", p->refinementFactor, "; grid refinement factor for accurate settling(-)\n ");

        int dimension = 1000000;
        for (XYSeries *table : p->settling)
            dimension = std::min(dimension, RowCount(table));
        if (dimension > 1) {
            Put("\n; Settling tables");
            Printf("\n   %10d %s  \n", dimension, " ; table dimension");
        } else {
            for (int k = 0; k < SETTLING_TABLE_COUNT; ++k)
                if (RowCount(p->settling[k]) < 2)
                    CreateDefaultTables(s_, kSlotFirstSettling + k);
            dimension = 1000000;
            for (XYSeries *table : p->settling)
                dimension = std::min(dimension, RowCount(table));
            Printf("  %d \n", dimension);
        }
        /* Tables of fewer than two rows, or without output columns, are not
           read back. */
        if (dimension < 2 || columns_.empty())
            return;

        TableRows tables[SETTLING_TABLE_COUNT];
        for (int k = 0; k < SETTLING_TABLE_COUNT; ++k)
            tables[k] = ReadRows(p->settling[k]);
        std::vector<float> values(static_cast<size_t>(dimension) * SETTLING_TABLE_COUNT);
        for (const OutputColumn &c : columns_) {
            const std::string label =
                c.part == 0 ? c.name : c.name + (c.part == 1 ? " disp" : " stick");
            Printf("\n\n; %s", label.c_str());
            Printf("\n; dd hh mm ss  %12s%12s%12s%12s%12s%12s", kSettlingHeaders[0], kSettlingHeaders[1],
                   kSettlingHeaders[2], kSettlingHeaders[3], kSettlingHeaders[4], kSettlingHeaders[5]);
            for (int r = 0; r < dimension; ++r)
                for (int k = 0; k < SETTLING_TABLE_COUNT; ++k)
                    values[static_cast<size_t>(r) * SETTLING_TABLE_COUNT + k] =
                        tables[k].Value(r, c.settlingColumn);
            WriteTimeTable(f_, tables[SETTLING_A0].times.data(), values.data(), dimension,
                           SETTLING_TABLE_COUNT, 0);
        }
    }

    void SedimentationErosion()
    {
        ProcessParameters *p = Process();
        Put("\n\n\n;Sediment/erosion parameters\n");
        Printf("    %12.4e", static_cast<double>(p->criticalShearSedimentation));
        Put(" ; Critical shear stress for sedimentation (Pa)\n");
        Printf("    %12.4e", static_cast<double>(p->criticalShearErosion));
        Put(" ; Critical shear stress for erosion (Pa)\n");
        Printf("    %12.4e", static_cast<double>(p->chezy));
        Put(" ; Chezy coefficient (m1/2/s)\n");
    }

    FILE *f_;
    ScenarioRecord *s_;
    Refusal *refusal_;
    int oilFractions_;
    std::vector<OutputColumn> columns_;
};

void WriteFileList(FILE *f, const ScenarioRecord *s, const std::string &inputPath, Refusal *refusal)
{
    std::fprintf(f, "%d  %s\n", 15, Quoted(refusal->Name(inputPath)).c_str());
    auto entry = [f, refusal](int unit, const std::string &path) {
        std::fprintf(f, "%d  %s \n", unit, Quoted(refusal->Name(path)).c_str());
    };
    entry(16, ReplaceTail(inputPath, 3, "out"));
    entry(17, s->fileNames[FILE_GRID_INDICES]);
    entry(18, s->fileNames[FILE_TOTAL_GRID]);
    entry(19, s->fileNames[FILE_GRID_COORDINATES]);
    entry(20, s->fileNames[FILE_VOLUMES]);
    entry(21, s->fileNames[FILE_FLOWS]);
    entry(22, ReplaceTail(inputPath, 3, "map"));
    entry(23, ReplaceTail(inputPath, 3, "plo"));
    std::fprintf(f, "%d  'trazplot.out'\n", 24);
    std::fprintf(f, "%d  'contour.dat'\n", 25);
    std::fprintf(f, "%d  'measur.dat'\n", 26);
    entry(27, ReplaceTail(inputPath, 3, "his"));
    entry(28, ReplaceTail(inputPath, 3, "psf"));
    if (s->fileNames[FILE_WALKING_DISCHARGES][0] != '\0')
        entry(29, s->fileNames[FILE_WALKING_DISCHARGES]);
}

/* The list file and the input file are one file when the chosen name ends
   in ".inp"; the file then holds the input file. */
bool SameFile(const std::string &a, const std::string &b)
{
#ifdef _WIN32
    return CompareNoCase(a.c_str(), b.c_str()) == 0;
#else
    return a == b;
#endif
}

bool FileExists(const std::string &path)
{
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
#else
    struct stat info;
    return stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
#endif
}

/* The input file that a list file name stands for, with its folder. */
std::string InputPathOf(const RUV_FILE_SPEC &spec)
{
    char folder[SCEN_FILE_NAME_LEN] = "";
    if (spec.name[0] == '\0' || !ruv_fsys_convert_dir_to_str(&spec.dir, folder, sizeof folder))
        return std::string();
    ToForwardSlashes(folder);
    char input[SCEN_FILE_NAME_LEN + 8];
    MakeInputName(input, sizeof input, spec.name);
    return JoinPath(folder, input);
}

/* The scenario's own input file: the one its list named when read, else
   the one its name stands for. */
std::string OwnInputPath(const RUV_FILE_SPEC &spec, const char *inputFile)
{
    return inputFile[0] != '\0' ? std::string(inputFile) : InputPathOf(spec);
}

/* The file dialog asks before the chosen name is replaced; the input file
   beside it is replaced too, and is asked for here when it exists and is
   not the scenario's own.  True when the save may go on. */
bool MayReplaceInputFile(const RUV_FILE_SPEC &chosen, const std::string &ownInput)
{
    const std::string input = InputPathOf(chosen);
    if (input.empty() || !FileExists(input))
        return true;
    char inputName[SCEN_FILE_NAME_LEN + 8];
    MakeInputName(inputName, sizeof inputName, chosen.name);
    if (SameFile(chosen.name, inputName) || SameFile(input, ownInput))
        return true;
    return ruv_dm_post_ask("Yes", "No", nullptr, "%s already exists.\nDo you want to replace it?", inputName) == 0;
}

/* What a scenario that cannot be written lacks, in the user's words. */
std::string MissingPart(const ScenarioRecord *s)
{
    if (s->hydLayers == 0 && s->fileNames[FILE_HYD][0] == '\0')
        return "no hydrodynamics file (*.hyd) has been read";
    if (s->hydLayers == 0)
        return std::string("the grid files of ") + MakeProjectRelativePath(s->fileNames[FILE_HYD]) +
               " could not be read";
    return "no substance";
}

/* A scenario that breaks a rule of the whole record is not written: the
   user is told the rule and shown where it is mended. */
bool RefusedForBreak(const ScenarioRecord &s)
{
    const ScenarioBreak *first = FirstScenarioBreak(s);
    if (first == nullptr)
        return false;
    const ScenarioBreak broken = *first;
    ruv_dm_post_message("%s", SaveRefusalText(broken).c_str());
    ShowScenarioBreak(broken.page, broken.subPane, broken.item);
    return true;
}

void ReportCannotWrite()
{
    ruv_dm_post_error("%s", "Saving data: could not open file!");
}

/* The directory saved on entry is restored on every way out. */
struct DirectoryRestorer {
    DirectoryRestorer() { ruv_fsys_save_dir(); }
    ~DirectoryRestorer() { ruv_fsys_restore_dir(); }
};

}  // namespace

void MakeInputName(char *destination, size_t size, const char *source)
{
    if (destination == nullptr || size == 0)
        return;
    const std::string name = source != nullptr ? source : "";
    std::snprintf(destination, size, "%s", ReplaceTail(name, name.size() >= 4 ? 4 : 0, ".inp").c_str());
}

int32_t DurationToSeconds(const char *step)
{
    if (step == nullptr || std::strlen(step) < static_cast<size_t>(DATETIME_LEN))
        return 0;
    int d = 0, h = 0, m = 0, s = 0;
    if (std::sscanf(step + 6, "%2d%2d%2d%2d", &d, &h, &m, &s) != 4)
        return 0;
    return d * 86400 + h * 3600 + m * 60 + s;
}

void FormatTimeField(int flag, const char *time, char *output)
{
    int t[6];
    SplitTimeText(time, t);
    if (flag == 1)
        std::snprintf(output, 64, "%d %2d %2d %2d", t[2], t[3], t[4], t[5]);
    else
        std::snprintf(output, 64, "%4d %2d %2d %2d %2d %2d", t[0], t[1], t[2], t[3], t[4], t[5]);
}

void FormatTimeOffset(const char *reference, const char *time, char *output)
{
    double seconds = 0.0;
    if (!DateTimeDiffSeconds(reference, time, &seconds))
        seconds = 0.0;
    std::snprintf(output, 64, "%s", FormatMinutes("%d %2d %2d %2d", seconds / 60.0).c_str());
}

void WriteTimeTable(FILE *file, const double *times, const float *values, int rows, int columns,
                    int noTime)
{
    for (int r = 0; r < rows; ++r) {
        if (!noTime)
            std::fputs(FormatMinutes("\n   %d %2d %2d %2d  ", times[r]).c_str(), file);
        for (int k = 0; k < columns; ++k) {
            WriteValue(file, "%12.3e", "%12.3f",
                       static_cast<double>(values[static_cast<size_t>(r) * columns + k]));
            if ((k + 1) % 8 == 0 && k + 1 < columns)
                std::fputs("\n", file);
        }
    }
}

void WriteSeriesTable(FILE *file, XYSeries *table, int labelled, int columns,
                      const char *const *labels)
{
    if (table == nullptr)
        return;
    std::vector<std::string> names;
    if (labels != nullptr)
        for (int k = 0; k < columns; ++k)
            names.push_back(labels[k] != nullptr ? labels[k] : "");
    WriteMappedSeries(file, ReadRows(table), labelled != 0, IdentityMap(columns),
                      labels != nullptr ? &names : nullptr);
}

int32_t WriteInputFile(ScenarioRecord *scenario, const StartupRecord *startup)
{
    /* Everything that can refuse the save is checked before any file is
       touched. */
    if (GE_ListCount(scenario->substances) == 0 || scenario->hydLayers == 0) {
        ruv_dm_post_error("Scenario not defined: %s.\n Writing cancelled!", MissingPart(scenario).c_str());
        return WRITE_REFUSED;
    }
    if (ReleaseCount(scenario) > SCEN_MAX_RELEASE_NAMES) {
        const int instantaneous = GE_ListCount(scenario->instantaneousReleases);
        ruv_dm_post_error("Saving data: %d instantaneous and %d continuous releases.\nAn input file holds at most %d "
                          "releases in all; the %s releases go over it.\nWriting cancelled!",
                          instantaneous, GE_ListCount(scenario->continuousReleases), SCEN_MAX_RELEASE_NAMES,
                          instantaneous > SCEN_MAX_RELEASE_NAMES ? "instantaneous" : "continuous");
        return WRITE_REFUSED;
    }
    if (RefusedForBreak(*scenario))
        return WRITE_REFUSED;
    if (scenario->scenarioFile.name[0] == '\0' || scenario->numericalParameters == nullptr ||
        scenario->processParameters == nullptr || scenario->processParameters->physical == nullptr ||
        scenario->outputOptions == nullptr || scenario->outputOptions->zoomGrid == nullptr) {
        ReportCannotWrite();
        return WRITE_CANNOT_WRITE;
    }

    DirectoryRestorer restorer;
    if (!ruv_fsys_set_dir(&scenario->scenarioFile.dir)) {
        ReportCannotWrite();
        return WRITE_CANNOT_WRITE;
    }

    const std::string listName = scenario->scenarioFile.name;
    char derivedName[SCEN_FILE_NAME_LEN + 8];
    MakeInputName(derivedName, sizeof derivedName, listName.c_str());
    /* The input file that was read is the one written back. */
    const std::string inputName = scenario->inputFile[0] != '\0' ? scenario->inputFile : derivedName;

    std::string inputPath = inputName;
    char directory[SCEN_FILE_NAME_LEN] = "";
    if (startup->mode == STARTUP_STAND_ALONE) {
        if (ruv_fsys_convert_dir_to_str(&scenario->scenarioFile.dir, directory, 255)) {
            ToForwardSlashes(directory);
            if (scenario->inputFile[0] == '\0')
                inputPath = JoinPath(directory, inputName);
        } else {
            ruv_dm_post_error("%s", "Can't convert dir to string");
        }
    }

    /* Both files are written in full before either replaces its target,
       so that a failure leaves no new file of the pair. */
    const bool separateList = scenario->inputFile[0] != '\0' ? !SameFile(JoinPath(directory, listName), inputName)
                                                              : !SameFile(listName, inputName);
    ReplacingFile list;
    ReplacingFile input(inputName);
    if (separateList)
        list.Open(listName);
    if (!input.IsOpen() || (separateList && !list.IsOpen())) {
        ReportCannotWrite();
        return WRITE_CANNOT_WRITE;
    }
    Refusal refusal;
    if (separateList) {
        WriteFileList(list.get(), scenario, inputPath, &refusal);
        if (!list.Finish()) {
            ReportCannotWrite();
            return WRITE_CANNOT_WRITE;
        }
    }
    char status[SCEN_FILE_NAME_LEN + 64];
    std::snprintf(status, sizeof status, "Saving data to %s ...", inputPath.c_str());
    statbar_set_title(MainWindow, status);
    InputFileWriter(input.get(), scenario, &refusal).Write();
    /* A name or a time that the files cannot give as it is: neither file
       replaces its target. */
    if (!refusal.Why().empty()) {
        statbar_set_title(MainWindow, "");
        ruv_dm_post_error("%s\nWriting cancelled!", refusal.Why().c_str());
        return WRITE_REFUSED;
    }
    if (!input.Finish() || !input.Commit() || (separateList && !list.Commit())) {
        ReportCannotWrite();
        return WRITE_CANNOT_WRITE;
    }
    return WRITE_OK;
}

int32_t CmdSave(int32_t mode)
{
    ScenarioRecord *scenario = &g_scenario;
    StartupRecord *startup = &g_startup;

    /* A scenario that may not be written is never written, whichever way
       the save was asked for (the greyed menu, or Yes to a question). */
    if (const char *why = ScenarioSaveRefusal()) {
        ruv_dm_post_error("%s\nThis scenario cannot be saved.", why);
        return 0;
    }

    /* A refused check makes its page current as the page's button would,
       so that the page shown is the one whose edits are stored. */
    if (!(CheckZoomGrid() & 0xFFFF)) {
        SwitchPage(11);
        ShowSubPane(PageWindows[11], 21, 6);
        return 0;
    }
    if (!(CheckSettlingTables() & 0xFFFF)) {
        SwitchPage(6);
        return 0;
    }
    /* A scenario that breaks a rule is refused before a name is asked
       for, whichever pages were shown. */
    if (GE_ListCount(scenario->substances) > 0 && scenario->hydLayers > 0 && RefusedForBreak(*scenario))
        return 0;

    /* A save that does not happen or fails keeps the scenario's name and
       folder: the title and the next Save still name the file it came
       from. */
    const RUV_FILE_SPEC before = scenario->scenarioFile;
    char inputBefore[sizeof scenario->inputFile];
    std::memcpy(inputBefore, scenario->inputFile, sizeof inputBefore);
    char folderBefore[sizeof startup->directoryText];
    std::memcpy(folderBefore, startup->directoryText, sizeof folderBefore);
    if (mode == 1 || scenario->scenarioFile.name[0] == '\0') {
        RUV_FILE_SPEC chosen = scenario->scenarioFile;
        SelectFile("mdp", "Save the current data", 0, &chosen);
        if (chosen.name[0] == '\0' || !MayReplaceInputFile(chosen, OwnInputPath(before, inputBefore)))
            return 0;
        /* A name chosen is a new pair of files: its own input file. */
        scenario->scenarioFile = chosen;
        scenario->inputFile[0] = '\0';
        SetScenarioFolder(startup, &chosen.dir);
    }
    if (scenario->scenarioFile.name[0] == '\0')
        return 0;

    const int32_t result = WriteInputFile(scenario, startup);
    if (result == WRITE_OK) {
        ModifiedFlag = 0;
        /* The scenario has a name now: Save is offered. */
        ruv_menu_set_item_enabled(MainWindow, MENU_FILE_SAVE, TRUE);
    } else {
        scenario->scenarioFile = before;
        std::memcpy(scenario->inputFile, inputBefore, sizeof inputBefore);
        std::memcpy(startup->directoryText, folderBefore, sizeof folderBefore);
    }
    BuildScenarioPath();
    UpdateMainTitle();
    return result;
}

int32_t CmdSaveAs(void)
{
    return CmdSave(1);
}
