// Section readers of the master definition file for the print and store
// flags of the four outputs (printed history, printed map, stored history,
// stored map), switched off where the definition cannot produce them, and
// for the output times with their time steps and the restart switch.

#include "process_sections.h"

#include "flow_definition.h"
#include "process_keywords.h"

#include <string>
#include <vector>

using sectionkw::Cursor;
using sectionkw::Reach;

namespace {

// One keyword's group of positions in a flag field (1-based, inclusive).
struct FlagGroup {
    const char *keyword;
    int first;
    int last;
};

// Positions first..last (1-based) of a flag field become "N".
void SwitchOff(std::string &flags, int first, int last)
{
    for (int i = first; i <= last && i <= static_cast<int>(flags.size()); ++i)
        flags[static_cast<size_t>(i - 1)] = 'N';
}

// A flag field from its keywords: each value (at most 10 characters; a
// missing, blank or too long one: all "Y") fills its group, and every
// position is then "N" or "Y".
std::string ReadFlags(Cursor &cursor, size_t length, const std::vector<FlagGroup> &groups)
{
    std::string flags(length, ' ');
    for (const FlagGroup &g : groups) {
        char value[10];
        if (cursor.ReadText(g.keyword, false, value, 10, "YYYYYYYYYY") != Cursor::Text::kValue)
            sectionkw::Store(value, 10, "YYYYYYYYYY");
        for (int i = g.first; i <= g.last; ++i)
            flags[static_cast<size_t>(i - 1)] = value[i - g.first];
    }
    for (char &c : flags)
        c = c == 'n' || c == 'N' ? 'N' : 'Y';
    return flags;
}

// The steps of a group of output times, each checked against the step
// grid ("U044" with its text).  False when a time has no step in 32 bits.
bool TimeSteps(const int32_t *diag_unit, int32_t *error, bool strict, const float *times, int count, float dt,
               const char *const *texts, int32_t *steps)
{
    for (int i = 0; i < count; ++i) {
        bool off = false;
        if (!sectionkw::StepOf(times[i], dt, &steps[i], &off))
            return false;
        if (off) {
            sectionkw::Report(diag_unit, "U044", texts[i]);
            if (strict)
                *error = sectionkw::kTrue;
        }
    }
    return true;
}

// A group of three output times (start, interval, stop): a failed read
// gives 0.0 for all three.  keep: which of the three are stored (their
// fields and step slots in `fields` and `steps`, null where not kept).
void ReadTimeGroup(Cursor &cursor, int32_t *error, bool strict, const char *keyword, float dt,
                   const char *const texts[3], float *const fields[3], int32_t *const steps[3])
{
    float times[3] = {0.0f, 0.0f, 0.0f};
    if (!cursor.ReadReals(keyword, 3, 3, false, times, 0.0f))
        times[0] = times[1] = times[2] = 0.0f;
    int32_t step[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        if (!fields[i])
            continue;
        if (!TimeSteps(cursor.diag_unit, error, strict, &times[i], 1, dt, &texts[i], &step[i])) {
            // A time beyond every step: the group is refused.
            sectionkw::Report(cursor.diag_unit, "U036", keyword);
            if (strict)
                *error = sectionkw::kTrue;
            for (int j = 0; j < 3; ++j)
                times[j] = 0.0f, step[j] = 0;
            break;
        }
    }
    for (int i = 0; i < 3; ++i)
        if (fields[i]) {
            *fields[i] = times[i];
            *steps[i] = step[i];
        }
}

}  // namespace

extern "C" void READ_PRINT_FLAGS(const int32_t *def_unit, const int32_t *diag_unit, int32_t *record_number,
                                 char *record, int32_t record_len, const int32_t *layers,
                                 const int32_t *constituent_count, const int32_t *turbulence_count,
                                 const int32_t *salinity_index, const int32_t *temperature_index,
                                 const int32_t *station_count, const char *filsta, int32_t filsta_len,
                                 const int32_t *cross_section_count, const char *filcrs, int32_t filcrs_len,
                                 char *map_print, int32_t map_print_len, char *history_print,
                                 int32_t history_print_len, char *map_store, int32_t map_store_len,
                                 char *history_store, int32_t history_store_len)
{
    Cursor cursor{def_unit, diag_unit, record_number, record, record_len};
    std::string hp = ReadFlags(cursor, 23, {{"PHhydr", 1, 6}, {"PHproc", 7, 16}, {"PHderv", 17, 19}, {"PHflux", 20, 23}});
    std::string mp = ReadFlags(cursor, 19, {{"PMhydr", 1, 6}, {"PMproc", 7, 16}, {"SMderv", 17, 19}});
    std::string hs = ReadFlags(cursor, 23, {{"SHhydr", 1, 4}, {"SHproc", 5, 14}, {"SHderv", 15, 19}, {"SHflux", 20, 23}});
    std::string ms = ReadFlags(cursor, 20, {{"SMhydr", 1, 5}, {"SMproc", 6, 15}, {"SMderv", 16, 20}});

    const bool one_layer = *layers == 1;
    const bool no_constituents = *constituent_count == 0;
    const bool no_turbulence = *turbulence_count == 0;
    const bool no_salt_heat = *salinity_index == 0 && *temperature_index == 0;
    // Positions switched off per condition: history print, map print,
    // history store, map store.
    struct Off {
        bool when;
        int ranges[4][2];
    };
    const Off offs[5] = {{one_layer, {{6, 6}, {6, 6}, {4, 4}, {4, 5}}},
                         {no_constituents, {{7, 14}, {7, 14}, {5, 12}, {6, 13}}},
                         {no_turbulence, {{15, 16}, {15, 16}, {13, 14}, {14, 15}}},
                         {one_layer, {{17, 18}, {17, 18}, {17, 18}, {18, 19}}},
                         {no_salt_heat, {{19, 19}, {19, 19}, {19, 19}, {20, 20}}}};
    std::string *fields[4] = {&hp, &mp, &hs, &ms};
    for (const Off &o : offs)
        if (o.when)
            for (int f = 0; f < 4; ++f)
                SwitchOff(*fields[f], o.ranges[f][0], o.ranges[f][1]);

    const bool stations = *station_count > 0 || !sectionkw::Blank(filsta, filsta_len);
    const bool cross_sections = *cross_section_count > 0 || !sectionkw::Blank(filcrs, filcrs_len);
    if (!stations)
        SwitchOff(hp, 1, 19);
    if (no_constituents)
        SwitchOff(hp, 22, 23);
    if (!cross_sections)
        SwitchOff(hp, 20, 23);

    if (no_constituents)
        SwitchOff(hs, 22, 23);
    if (stations) {
        if (!cross_sections)
            SwitchOff(hs, 21, 23);
    } else {
        SwitchOff(hs, 1, 19);
        if (!cross_sections)
            SwitchOff(hs, 20, 23);
    }

    sectionkw::Store(history_print, history_print_len, hp);
    sectionkw::Store(map_print, map_print_len, mp);
    sectionkw::Store(history_store, history_store_len, hs);
    sectionkw::Store(map_store, map_store_len, ms);
}

extern "C" void READ_OUTPUT_TIMES(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error,
                                  int32_t *record_number, char *record, int32_t record_len,
                                  const int32_t *strict_mode, int32_t *map_steps, const int32_t *map_capacity,
                                  int32_t *map_print_count, int32_t *steps, float *prmap, float *prhis_start,
                                  float *prhis_interval, float *prhis_stop, float *flmap_start, float *flmap_interval,
                                  float *flmap_stop, float *flhis, float *flpp_start, float *flpp_interval,
                                  float *flpp_stop, char *restrt, int32_t restrt_len, const float *dt)
{
    const bool strict = sectionkw::IsTrue(strict_mode);
    Cursor cursor{def_unit, diag_unit, record_number, record, record_len};
    const int32_t capacity = std::max(1, std::min(*map_capacity, static_cast<int32_t>(kFlowMaxMapTimes)));

    // Map print times: without a Prmap record nothing changes but the
    // first step, which says that there is none.
    bool map_times_read = false;
    map_steps[0] = -1;
    if (cursor.Find("Prmap", true, Reach::kRound)) {
        const int32_t len = std::min(record_len, 80);
        int32_t position = FlowDefinitionStateGet()->value_start, end = 0, status = 0;
        float first = 0.0f;
        const float fill = 0.0f;
        SCAN_NEXT_REAL(record, len, &len, &position, &end, &first, &fill, &status);
        if (status == -1) {
            prmap[0] = 0.0f;
            *map_print_count = 0;
        } else {
            std::vector<float> times(static_cast<size_t>(capacity), 0.0f);
            if (!cursor.ReadReals("Prmap", 0, capacity, false, times.data(), 0.0f))
                std::fill(times.begin(), times.end(), 0.0f);
            int32_t count = 1;
            for (int32_t i = 0; i < capacity; ++i)
                if (times[static_cast<size_t>(i)] != 0.0f)
                    count = i + 1;
            std::vector<int32_t> map(static_cast<size_t>(count), 0);
            std::vector<const char *> texts(static_cast<size_t>(count), "Map print time");
            if (!TimeSteps(diag_unit, error, strict, times.data(), count, *dt, texts.data(), map.data())) {
                sectionkw::Report(diag_unit, "U036", "Prmap");
                if (strict)
                    *error = sectionkw::kTrue;
                std::fill(times.begin(), times.end(), 0.0f);
                count = 1;
                map.assign(1, 0);
            }
            std::copy(times.begin(), times.end(), prmap);
            std::copy(map.begin(), map.end(), map_steps);
            *map_print_count = count;
            map_times_read = true;
        }
    }

    if (cursor.Find("Prhis", true, Reach::kRound)) {
        static const char *const kTexts[3] = {"His print start time", "His print time interval", "His print stop time"};
        float *const fields[3] = {prhis_start, prhis_interval, prhis_stop};
        int32_t *const slots[3] = {&steps[0], &steps[1], &steps[2]};
        ReadTimeGroup(cursor, error, strict, "Prhis", *dt, kTexts, fields, slots);
    }
    {
        static const char *const kTexts[3] = {"Map store start time", "Map store time interval", "Map store stop time"};
        float *const fields[3] = {flmap_start, flmap_interval, flmap_stop};
        int32_t *const slots[3] = {&steps[3], &steps[4], &steps[5]};
        ReadTimeGroup(cursor, error, strict, "Flmap", *dt, kTexts, fields, slots);
    }
    {
        static const char *const kTexts[3] = {"", "History storage time interval", ""};
        float *const fields[3] = {nullptr, flhis, nullptr};
        int32_t *const slots[3] = {nullptr, &steps[6], nullptr};
        ReadTimeGroup(cursor, error, strict, "Flhis", *dt, kTexts, fields, slots);
    }
    {
        static const char *const kTexts[3] = {"COMMUNICATION file start time", "COMMUNICATION file time interval",
                                              "COMMUNICATION file stop time"};
        float *const fields[3] = {flpp_start, flpp_interval, flpp_stop};
        int32_t *const slots[3] = {&steps[7], &steps[8], &steps[9]};
        ReadTimeGroup(cursor, error, strict, "Flpp", *dt, kTexts, fields, slots);
    }

    char answer = 'Y';
    if (cursor.ReadText("Restrt", !map_times_read, &answer, 1, "Y") != Cursor::Text::kValue)
        answer = 'Y';
    sectionkw::Store(restrt, restrt_len, answer == 'N' || answer == 'n' ? "N" : "Y");
}
