// General section of the wave input file: the first file name, the
// seven-value line, tide steps, texts, the two field groups, nest areas,
// starting lines and the two codes.  In the old layout the file ends here.

#include "wave_reader_context.h"

#include "keyword_records.h"

namespace wave {

namespace {

constexpr float kNotGiven = 999.0f;

void LowerCase(std::string *text)
{
    const int32_t n = static_cast<int32_t>(text->size());
    if (n > 0)
        TO_LOWER_CASE(&(*text)[0], n, &n);
}

// Three reals, two integers, two reals on one line.
bool ReadValueLine(WaveReader *reader, WaveValueLine *line)
{
    return reader->Read()
        .Real(&line->first[0]).Real(&line->first[1]).Real(&line->first[2])
        .Int(&line->ints[0]).Int(&line->ints[1])
        .Real(&line->last[0]).Real(&line->last[1])
        .Finish();
}

// A field group: n values (group 2: five reals and a logical), alone or
// followed by a field file name and a code; "dif" adds the extra line.
bool ReadFieldGroup(WaveReader *reader, WaveFieldGroup *group, bool second)
{
    const int words = second ? 6 : 2;
    auto values = [&](WaveReader::Statement &s) -> WaveReader::Statement & {
        for (int i = 0; i < words - (second ? 1 : 0); ++i)
            s.Real(&group->values[i]);
        if (second)
            s.Logical(&group->flag_value);
        return s;
    };

    bool plain = true;
    if (reader->current_layout() && !reader->NextLineHasWords(words, &plain))
        return false;
    if (plain) {
        group->file_flag = false;
        auto s = reader->Read();
        return values(s).Finish();
    }
    group->file_flag = true;
    auto s = reader->Read();
    if (!values(s).Text(&group->file_name, kNameLength).Text(&group->code, 3).Finish())
        return false;
    group->file_name = FitText(group->file_name, kNameLength);
    group->code = FitText(group->code, 3);
    LowerCase(&group->file_name);
    LowerCase(&group->code);
    if (group->file_name.compare(0, 3, "not") == 0) {
        group->file_flag = false;
        return true;
    }
    if (group->code == "dif")
        return ReadValueLine(reader, &group->extra);
    return true;
}

// One code of the current layout: the code alone (value 999.0) or the code
// and its value.
bool ReadCode(WaveReader *reader, std::string *code, float *value)
{
    bool with_value = false;
    if (!reader->NextLineHasWords(2, &with_value))
        return false;
    if (with_value)
        return reader->Read().Text(code, 3).Real(value).Finish();
    if (!reader->Read().Text(code, 3).Finish())
        return false;
    *value = kNotGiven;
    return true;
}

// One code of the old layout: a logical, true for "inc" (999.0), false
// for "ref" (0.0).
bool ReadOldCode(WaveReader *reader, std::string *code, float *value)
{
    bool inc = false;
    if (!reader->Read().Logical(&inc).Finish())
        return false;
    *code = inc ? "inc" : "ref";
    *value = inc ? kNotGiven : 0.0f;
    return true;
}

bool ReadCodes(WaveReader *reader, WaveInputRecord *r)
{
    if (reader->current_layout())
        return ReadCode(reader, &r->code1, &r->value1) && ReadCode(reader, &r->code2, &r->value2);
    bool ignored_flag = false;
    float ignored_value = 0.0f;
    for (int i = 0; i < 2; ++i)
        if (!reader->Read().Logical(&ignored_flag).Real(&ignored_value).Finish())
            return false;
    return ReadOldCode(reader, &r->code1, &r->value1) && ReadOldCode(reader, &r->code2, &r->value2);
}

bool ReadSection(WaveReader *reader, const WaveCapacities &caps, WaveInputRecord *r)
{
    if (!reader->Read().Text(&r->first_file_name, kNameLength).Finish())
        return false;
    if (!reader->Read()
             .Int(&r->seven_ints[0]).Int(&r->seven_ints[1])
             .Real(&r->seven_reals[0]).Real(&r->seven_reals[1]).Real(&r->seven_reals[2])
             .Real(&r->seven_reals[3]).Real(&r->seven_reals[4])
             .Finish())
        return false;

    if (!reader->Read().Int(&r->tide_step_count).Finish())
        return false;
    if (r->tide_step_count > caps.tide_steps) {
        r->tide_step_count = 1;
        reader->Overflow(" Number of tide steps exceeds maximum");
        return false;
    }
    for (int32_t i = 0; i < r->tide_step_count; ++i) {
        WaveTideStep &t = r->tide_steps.at(static_cast<size_t>(i));
        if (!reader->Read().Int(&t.step).Real(&t.values[0]).Real(&t.values[1]).Real(&t.values[2]).Finish())
            return false;
    }

    if (!reader->Read().Text(&r->text16, 16).Finish() || !reader->Read().Text(&r->text4, 4).Finish())
        return false;
    for (std::string &t : r->texts65)
        if (!reader->Read().Text(&t, 65).Finish())
            return false;
    if (!reader->Read().Int(&r->int_pair[0]).Int(&r->int_pair[1]).Finish() ||
        !reader->Read().Real(&r->real_triple[0]).Real(&r->real_triple[1]).Real(&r->real_triple[2]).Finish() ||
        !reader->Read().Real(&r->real_pair[0]).Real(&r->real_pair[1]).Finish())
        return false;

    if (!ReadFieldGroup(reader, &r->field1, false))
        return false;

    if (!reader->Read().Int(&r->nest_count).Finish())
        return false;
    if (r->nest_count > caps.nests) {
        r->nest_count = 1;
        reader->Overflow(" Number of nest areas exceeds maximum");
        return false;
    }
    const size_t nests = r->nest_count > 0 ? static_cast<size_t>(r->nest_count) : 0;
    for (size_t i = 0; i < nests; ++i)
        if (!ReadValueLine(reader, &r->nests.at(i).line_a))
            return false;
    for (size_t i = 0; i < nests; ++i) {
        WaveNest &n = r->nests.at(i);
        n.name1 = FitText("", kNameLength);
        n.name2 = FitText("", kNameLength);
        n.name_value = 0.0f;
        if (!reader->Read().Text(&n.name1, kNameLength).Text(&n.name2, kNameLength).Real(&n.name_value).Finish())
            return false;
    }
    for (size_t i = 0; i < nests; ++i) {
        WaveNest &n = r->nests.at(i);
        if (!reader->Read().Real(&n.b_reals[0]).Real(&n.b_reals[1]).Real(&n.b_reals[2])
                 .Int(&n.b_ints[0]).Int(&n.b_ints[1]).Finish() ||
            !reader->Read().Int(&n.c_int).Real(&n.c_reals[0]).Real(&n.c_reals[1]).Real(&n.c_reals[2]).Finish())
            return false;
    }

    if (!reader->Read().Real(&r->further_real).Int(&r->further_ints[0]).Int(&r->further_ints[1]).Finish() ||
        !reader->Read().Int(&r->g19_int1).Real(&r->g19_reals[0]).Real(&r->g19_reals[1]).Int(&r->g19_int2).Finish())
        return false;

    if (!reader->Read().Int(&r->starting_line_count).Real(&r->starting_value).Finish())
        return false;
    if (r->starting_line_count > caps.starting_lines) {
        r->starting_line_count = 1;
        reader->Overflow(" Number of starting lines exceeds maximum");
        return false;
    }
    for (int32_t i = 0; i < r->starting_line_count; ++i) {
        std::array<float, 5> &v = r->starting_lines.at(static_cast<size_t>(i));
        if (!reader->Read().Real(&v[0]).Real(&v[1]).Real(&v[2]).Real(&v[3]).Real(&v[4]).Finish())
            return false;
    }

    if (!ReadFieldGroup(reader, &r->field2, true) || !ReadCodes(reader, r))
        return false;

    for (size_t i = 1; i < nests; ++i) {
        WaveNest &n = r->nests.at(i);
        if (!reader->Read().Text(&n.second_name1, kNameLength).Text(&n.second_name2, kNameLength)
                 .Int(&n.second_value).Finish())
            return false;
    }
    return true;
}

}  // namespace

void ReadGeneralSection(WaveReader *reader, const WaveCapacities &caps, WaveInputRecord *record)
{
    if (!ReadSection(reader, caps, record))
        return;
    record->obstacle_count = 0;
    record->obstacle_point_total = 0;
    record->curve_count = 0;
    record->curve_entry_count = 0;
    record->curve_total = 0;
    if (!reader->current_layout())
        record->boundary_section_absent = true;
}

}  // namespace wave
