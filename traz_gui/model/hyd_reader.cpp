/* Reading a hydrodynamics description file (*.hyd) into the
   HydDescription and the scenario: start values, the parse through the
   generated scanner and parser, and the copy of times, description lines
   and companion file names into the ScenarioRecord. */
#include "hyd_reader.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "datetime.h"
#include "hyd_parse_context.h"
#include "scenario.h"
#include "utilities.h"

namespace {

HydDescription g_description;

/* The read in progress, for the messages of HydParseError. */
HydParseContext *g_activeContext = nullptr;

struct FileCloser {
    void operator()(FILE *file) const { std::fclose(file); }
};

int32_t RunParse(HydDescription *description, FILE *file, const char *text, size_t length)
{
    HydParseContext context;
    context.description = description;
    HydParseContext *outer = g_activeContext;
    g_activeContext = &context;
    int result = HydParse(&context, file, text, length);
    g_activeContext = outer;
    return result == 0 ? HYD_READ_OK : HYD_PARSE_FAILED;
}

void CopyBounded(char *slot, size_t size, const char *text)
{
    std::snprintf(slot, size, "%s", text);
}

/* The largest description file read: real ones hold a few kilobytes. */
const int64_t kMaxHydBytes = 16 << 20;

void Report(const char *format, const char *what, const char *value = "", const char *other = "")
{
    std::printf(format, what, value, other);
    std::fflush(stdout);
}

/* The text of an open file parsed from memory: the scanner then takes no
   buffer of its own size for a file of a few lines.  A file that cannot be
   read to its end is parsed as a stream from its start, so that the
   scanner meets the failure and reports it as it always has.  A UTF-8
   byte-order mark before the text is passed over. */
int32_t ParseHydFile(FILE *file, HydDescription *description)
{
    std::string text;
    char block[4096];
    size_t got;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0) {
        text.append(block, got);
        if (static_cast<int64_t>(text.size()) > kMaxHydBytes) {   // grown since it was opened
            Report("%s is larger than a description file can be\n", "The file");
            return HYD_PARSE_FAILED;
        }
    }
    if (std::ferror(file)) {
        std::clearerr(file);
        std::rewind(file);
        return ParseHydStream(file, description);
    }
    const size_t skip = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    return ParseHydText(text.data() + skip, text.size() - skip, description);
}

/* The times of the description as a simulation takes them: each date a
   date, each step a duration of more than nothing, each stop after its
   start.  Times the files have not given (empty) are not looked at.  False
   after a message that names the time. */
bool TimesMakeASimulation(const HydDescription *d)
{
    static const struct {
        int slot;
        const char *keyword;
    } dates[] = {{HYD_REFERENCE_TIME, "reference-time"},
                 {HYD_START_TIME, "hydrodynamic-start-time"},
                 {HYD_STOP_TIME, "hydrodynamic-stop-time"},
                 {HYD_CONVERSION_START_TIME, "conversion-start-time"},
                 {HYD_CONVERSION_STOP_TIME, "conversion-stop-time"}},
      steps[] = {{HYD_TIMESTEP, "hydrodynamic-timestep"}, {HYD_CONVERSION_TIMESTEP, "conversion-timestep"}},
      periods[] = {{HYD_START_TIME, "hydrodynamic-stop-time"}, {HYD_CONVERSION_START_TIME, "conversion-stop-time"}};
    for (const auto &date : dates) {
        const char *time = d->times[date.slot];
        if (time[0] != '\0' && !IsValidDateTime(time)) {
            Report("Invalid time: %s '%s' is no date\n", date.keyword, time);
            return false;
        }
    }
    for (const auto &step : steps) {
        const char *time = d->times[step.slot];
        if (time[0] != '\0' && (!IsValidDuration(time) || std::strspn(time, "0") == std::strlen(time))) {
            Report("Invalid time: %s '%s' is no time step\n", step.keyword, time);
            return false;
        }
    }
    for (const auto &period : periods) {
        const char *start = d->times[period.slot], *stop = d->times[period.slot + 1];
        double seconds = 0.0;
        if (start[0] != '\0' && stop[0] != '\0' && DateTimeDiffSeconds(start, stop, &seconds) && !(seconds > 0.0)) {
            Report("Invalid time: %s '%s' is not after its start '%s'\n", period.keyword, stop, start);
            return false;
        }
    }
    return true;
}

std::string WithoutTrailingBlanks(const char *text)
{
    std::string line(text);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
        line.pop_back();
    return line;
}

}  // namespace

HydDescription *GetHydDescription(void)
{
    return &g_description;
}

void SetHydStartValues(HydDescription *d)
{
    std::memset(d->files, 0, sizeof d->files);
    std::memset(d->integers, 0, sizeof d->integers);
    d->integers[HYD_HYDRODYNAMIC_LAYERS] = 1;
    d->integers[HYD_WATER_QUALITY_LAYERS] = 1;
    d->integers[HYD_HYDRODYNAMIC_THICKNESS_START] = HYD_FIRST_THICKNESS;
    d->integers[HYD_WATER_QUALITY_THICKNESS_START] = HYD_FIRST_THICKNESS + 1;
    for (float &value : d->values)
        value = 0.0f;
    /* one layer of relative thickness 1 for each model */
    d->values[HYD_FIRST_THICKNESS] = 1.0f;
    d->values[HYD_FIRST_THICKNESS + 1] = 1.0f;
    d->valueCounter = HYD_FIRST_THICKNESS;
    d->descriptionLineCount = 0;
    d->layersGiven[0] = d->layersGiven[1] = 0;
    d->boundaryCellCount = 0;
}

int32_t ParseHydStream(FILE *file, HydDescription *description)
{
    if (file == nullptr)
        return HYD_PARSE_FAILED;
    return RunParse(description, file, nullptr, 0);
}

int32_t ParseHydText(const char *text, size_t length, HydDescription *description)
{
    if (text == nullptr && length != 0)
        return HYD_PARSE_FAILED;
    return RunParse(description, nullptr, text == nullptr ? "" : text, length);
}

void HydTokenHook(int)
{
}

void HydParseError(const char *message)
{
    const HydParseContext *context = g_activeContext;
    std::printf("%s near or at line %d  [%s]\n", message,
                context != nullptr ? context->tokenLine : 0,
                context != nullptr ? context->tokenText.c_str() : "");
    std::fflush(stdout);
}

int32_t ReadHydDescription(const char *path, HydDescription *description)
{
    /* Only a regular file of a size that a description can have is read:
       a device or a pipe could be read for ever. */
    int status = REGULAR_FILE_MISSING;
    std::unique_ptr<FILE, FileCloser> file(OpenRegularFile(path, "r", kMaxHydBytes, &status));
    if (!file) {
        if (status == REGULAR_FILE_MISSING)
            return HYD_CANNOT_OPEN;
        Report(status == REGULAR_FILE_TOO_LARGE ? "%s is larger than a description file can be\n"
                                                : "%s is not a regular file\n",
               path);
        return HYD_PARSE_FAILED;
    }
    const int32_t result = ParseHydFile(file.get(), description);
    if (result != HYD_READ_OK)
        return result;
    return TimesMakeASimulation(description) ? HYD_READ_OK : HYD_PARSE_FAILED;
}

int32_t ReadHydFile(const char *path, ScenarioRecord *scenario)
{
    HydDescription *d = &g_description;
    SetHydStartValues(d);
    if (path == nullptr || path[0] == '\0')
        return HYD_READ_OK;

    /* The times and description lines carry over to the next read; those
       of a file that failed are not kept. */
    char times[HYD_TIME_SLOTS][HYD_TIME_LEN];
    char lines[HYD_DESCRIPTION_LINES][HYD_DESCRIPTION_LEN];
    std::memcpy(times, d->times, sizeof times);
    std::memcpy(lines, d->descriptionLines, sizeof lines);
    auto failed = [&](int32_t result) {
        std::memcpy(d->times, times, sizeof times);
        std::memcpy(d->descriptionLines, lines, sizeof lines);
        return result;
    };
    const int32_t result = ReadHydDescription(path, d);
    if (result != HYD_READ_OK)
        return failed(result);

    /* The companion files are named relative to the *.hyd file. */
    std::string directory(path);
    size_t slash = directory.find_last_of("\\/");
    directory.erase(slash == std::string::npos ? 0 : slash + 1);

    static const struct {
        int fileName;
        int slot;
    } companions[] = {
        {FILE_TOTAL_GRID, HYD_TOTAL_GRID_FILE},
        {FILE_GRID_INDICES, HYD_GRID_INDICES_FILE},
        {FILE_GRID_COORDINATES, HYD_GRID_COORDINATES_FILE},
        {FILE_VOLUMES, HYD_VOLUMES_FILE},
        {FILE_FLOWS, HYD_FLOWS_FILE},
        {FILE_WALKING_DISCHARGES, HYD_WALKING_DISCHARGES_FILE},
    };

    /* Check every name before the scenario is touched: a name that does
       not fit its slot fails the read rather than naming another file. */
    std::string names[FILE_NAME_COUNT];
    names[FILE_HYD] = path;
    for (const auto &c : companions)
        if (d->files[c.slot][0] != '\0') {
            char full[2 * SCEN_FILE_NAME_LEN];
            names[c.fileName] = ResolvePathIn(directory.c_str(), d->files[c.slot], full, sizeof full)
                                    ? full
                                    : directory + d->files[c.slot];
        }
    for (const auto &c : companions)
        if (names[c.fileName].size() >= SCEN_FILE_NAME_LEN) {
            std::printf("File name too long: %s\n", names[c.fileName].c_str());
            std::fflush(stdout);
            return failed(HYD_PARSE_FAILED);
        }
    if (names[FILE_HYD].size() >= SCEN_FILE_NAME_LEN) {
        std::printf("File name too long: %s\n", path);
        std::fflush(stdout);
        return failed(HYD_PARSE_FAILED);
    }

    /* Times that no read has given yet leave the scenario's own. */
    auto copyTime = [](char *target, const char *time) {
        if (time[0] != '\0')
            CopyBounded(target, SCEN_TIME_LEN, time);
    };
    copyTime(scenario->hydReferenceTime, d->times[HYD_REFERENCE_TIME]);
    copyTime(scenario->outputReferenceDate, d->times[HYD_REFERENCE_TIME]);
    copyTime(scenario->hydTimes[HYD_TIME_START], d->times[HYD_START_TIME]);
    copyTime(scenario->hydTimes[HYD_TIME_STOP], d->times[HYD_STOP_TIME]);
    copyTime(scenario->hydTimes[HYD_TIME_STEP], d->times[HYD_TIMESTEP]);
    copyTime(scenario->hydTimes[HYD_CONVERSION_START], d->times[HYD_CONVERSION_START_TIME]);
    copyTime(scenario->hydTimes[HYD_CONVERSION_STOP], d->times[HYD_CONVERSION_STOP_TIME]);
    copyTime(scenario->hydTimes[HYD_CONVERSION_STEP], d->times[HYD_CONVERSION_TIMESTEP]);

    // The description lines become the title lines, which hold fewer
    // characters: what the page shows is what is saved and read back.
    for (int i = 0; i < HYD_DESCRIPTION_LINES; ++i)
        CopyBounded(scenario->titles[i], SCEN_TITLE_CHARS + 1,
                    WithoutTrailingBlanks(d->descriptionLines[i]).c_str());

    CopyBounded(scenario->fileNames[FILE_HYD], SCEN_FILE_NAME_LEN, names[FILE_HYD].c_str());
    for (const auto &c : companions)
        CopyBounded(scenario->fileNames[c.fileName], SCEN_FILE_NAME_LEN,
                    names[c.fileName].c_str());
    return HYD_READ_OK;
}
