// The process-wide flow definition record and the routines that copy it to
// and from the argument lists of callers outside the reader.

#include "flow_definition.h"

#include "keyword_records.h"

#include <algorithm>
#include <cstring>

namespace {

FlowDefinition g_definition;   // zero-filled with the process

// A text of length characters, blank-padded or cut, into a field of
// field_len: the one text argument whose length the routines use (the
// message directory, which callers pass as a text of their own length).
void CopyTextIn(char *field, int32_t field_len, const char *arg, int32_t arg_len)
{
    if (!arg || arg_len < 0)
        return;
    const size_t n = static_cast<size_t>(std::min(arg_len, field_len));
    std::memcpy(field, arg, n);
    std::memset(field + n, ' ', static_cast<size_t>(field_len) - n);
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

// A text argument holds the field's declared shape (count texts of length
// characters); the length that follows it is not used.
#define COPY_TEXT_OUT(name, length, count) \
    (void)name##_len;                      \
    CopyValues<char>(name, g_definition.name, sizeof g_definition.name);
#define COPY_TEXT_IN(name, length, count) \
    (void)name##_len;                     \
    CopyValues<char>(g_definition.name, name, sizeof g_definition.name);
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
    CopyTextIn(to, static_cast<int32_t>(sizeof FlowDefinitionStateGet()->message_directory), directory,
               directory_len);
}
