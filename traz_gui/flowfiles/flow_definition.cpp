// The process-wide flow definition record and the routines that copy it to
// and from the argument lists of callers outside the reader.

#include "flow_definition.h"

#include "keyword_records.h"

#include <algorithm>
#include <cstring>

namespace {

FlowDefinition g_definition;   // zero-filled with the process

// Texts of one field: count elements of field_len characters in the record,
// of arg_len characters in the caller's argument (cut or blank-padded).
void CopyTextsOut(char *arg, int32_t arg_len, const char *field, int32_t field_len, int32_t count)
{
    if (!arg || arg_len <= 0)
        return;
    const size_t n = static_cast<size_t>(std::min(arg_len, field_len));
    for (int32_t i = 0; i < count; ++i) {
        char *to = arg + static_cast<size_t>(i) * static_cast<size_t>(arg_len);
        std::memcpy(to, field + static_cast<size_t>(i) * static_cast<size_t>(field_len), n);
        if (static_cast<size_t>(arg_len) > n)
            std::memset(to + n, ' ', static_cast<size_t>(arg_len) - n);
    }
}

void CopyTextsIn(char *field, int32_t field_len, const char *arg, int32_t arg_len, int32_t count)
{
    if (!arg || arg_len < 0)
        return;
    const size_t n = static_cast<size_t>(std::min(arg_len, field_len));
    for (int32_t i = 0; i < count; ++i) {
        char *to = field + static_cast<size_t>(i) * static_cast<size_t>(field_len);
        std::memcpy(to, arg + static_cast<size_t>(i) * static_cast<size_t>(arg_len), n);
        if (static_cast<size_t>(field_len) > n)
            std::memset(to + n, ' ', static_cast<size_t>(field_len) - n);
    }
}

template <typename T>
void CopyValues(T *to, const T *from, size_t count)
{
    if (to && from)
        std::memcpy(to, from, count * sizeof(T));
}

#define ONE_FIELD(...) +1
static_assert(0 FLOW_DEFINITION_STRINGS(ONE_FIELD, ) == 76, "block 1 holds 76 fields");
static_assert(0 FLOW_DEFINITION_INTS_A(ONE_FIELD, ) == 48, "block 2 holds 48 fields");
static_assert(0 FLOW_DEFINITION_INTS_B(ONE_FIELD, ) == 63, "block 3 holds 63 fields");
#undef ONE_FIELD

}  // namespace

extern "C" FlowDefinition *FlowDefinitionGet(void)
{
    return &g_definition;
}

extern "C" void GET_DEFINITION_LIMITS(int32_t *limits)
{
    static const int32_t kLimits[20] = {kFlowMaxLayers,    kFlowMaxGrid,       kFlowMaxBoundaries,
                                        kFlowMaxDischarges, kFlowMaxPoints,     kFlowMaxPoints,
                                        1,                  kFlowMaxPoints,     kFlowMaxCrossSections,
                                        kFlowMaxStations,   kFlowMaxDrogues,    kFlowMaxMapTimes,
                                        100000,             kFlowMaxFrequencies, kFlowMaxSeriesTimes,
                                        kFlowMaxSeriesTimes, kFlowMaxDischargeTimes, kFlowMaxBoundaries,
                                        12,                 7500};
    std::memcpy(limits, kLimits, sizeof kLimits);
}

#define COPY_TEXT_OUT(name, length, count) CopyTextsOut(name, name##_len, g_definition.name, length, count);
#define COPY_TEXT_IN(name, length, count) CopyTextsIn(g_definition.name, length, name, name##_len, count);
#define COPY_VALUES_OUT(type, name, count) CopyValues<type>(name, g_definition.name, count);
#define COPY_VALUES_IN(type, name, count) CopyValues<type>(g_definition.name, name, count);

extern "C" void GET_DEFINITION_STRINGS(FLOW_DEFINITION_STRINGS(FLOW_DEF_STRING_OUT, FLOW_DEF_COMMA))
{
    FLOW_DEFINITION_STRINGS(COPY_TEXT_OUT, )
}

extern "C" void SET_DEFINITION_STRINGS(FLOW_DEFINITION_STRINGS(FLOW_DEF_STRING_IN, FLOW_DEF_COMMA))
{
    FLOW_DEFINITION_STRINGS(COPY_TEXT_IN, )
}

extern "C" void GET_DEFINITION_INTS_A(FLOW_DEFINITION_INTS_A(FLOW_DEF_VALUE_OUT, FLOW_DEF_COMMA))
{
    FLOW_DEFINITION_INTS_A(COPY_VALUES_OUT, )
}

extern "C" void SET_DEFINITION_INTS_A(FLOW_DEFINITION_INTS_A(FLOW_DEF_VALUE_IN, FLOW_DEF_COMMA))
{
    FLOW_DEFINITION_INTS_A(COPY_VALUES_IN, )
}

extern "C" void GET_DEFINITION_INTS_B(FLOW_DEFINITION_INTS_B(FLOW_DEF_VALUE_OUT, FLOW_DEF_COMMA))
{
    FLOW_DEFINITION_INTS_B(COPY_VALUES_OUT, )
}

extern "C" void SET_DEFINITION_INTS_B(FLOW_DEFINITION_INTS_B(FLOW_DEF_VALUE_IN, FLOW_DEF_COMMA))
{
    FLOW_DEFINITION_INTS_B(COPY_VALUES_IN, )
}

extern "C" void SET_MESSAGE_DIRECTORY(const char *directory, int32_t directory_len)
{
    char *to = FlowDefinitionStateGet()->message_directory;
    CopyTextsIn(to, static_cast<int32_t>(sizeof FlowDefinitionStateGet()->message_directory), directory,
                directory_len, 1);
}
