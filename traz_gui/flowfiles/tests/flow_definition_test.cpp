// The flow definition record: the table of limits, and every field of the
// three blocks through its setter and getter.

#include "flow_definition.h"
#include "keyword_records.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

TEST(FlowDefinitionLimits, SameTwentyValuesInEveryState)
{
    const int32_t expected[20] = {100, 750, 100, 50, 100, 100, 1, 100, 50, 200,
                                  50,  50,  100000, 234, 100, 100, 50, 100, 12, 7500};
    for (int round = 0; round < 2; ++round) {
        int32_t limits[20] = {};
        GET_DEFINITION_LIMITS(limits);
        for (int i = 0; i < 20; ++i)
            EXPECT_EQ(limits[i], expected[i]) << "slot " << i + 1;
        FlowDefinitionGet()->mmax[0] = 12345;   // the record's content does not matter
    }
}

// Fills every field of a record with bytes that differ from field to field.
void FillPattern(FlowDefinition *d, unsigned seed)
{
    unsigned char *bytes = reinterpret_cast<unsigned char *>(d);
    for (size_t i = 0; i < sizeof *d; ++i)
        bytes[i] = static_cast<unsigned char>((i * 131u + seed) % 251u + 1u);
}

#define ARG_TEXT(name, length, count) src->name, length
#define ARG_TEXT_OUT(name, length, count) dst->name, length
#define ARG_VALUES(type, name, count) src->name
#define ARG_VALUES_OUT(type, name, count) dst->name
#define EXPECT_TEXT_FIELD(name, length, count) \
    EXPECT_EQ(0, std::memcmp(dst->name, src->name, sizeof src->name)) << #name;
#define EXPECT_VALUE_FIELD(type, name, count) \
    EXPECT_EQ(0, std::memcmp(dst->name, src->name, sizeof src->name)) << #name;

TEST(FlowDefinitionAccess, GetAfterSetReturnsEveryFieldOfEveryBlock)
{
    auto in = std::make_unique<FlowDefinition>();
    auto out = std::make_unique<FlowDefinition>();
    FillPattern(in.get(), 7);
    std::memset(out.get(), 0, sizeof *out);
    const FlowDefinition *src = in.get();
    FlowDefinition *dst = out.get();

    SET_DEFINITION_STRINGS(FLOW_DEFINITION_STRINGS(ARG_TEXT, FLOW_DEF_COMMA));
    SET_DEFINITION_INTS_A(FLOW_DEFINITION_INTS_A(ARG_VALUES, FLOW_DEF_COMMA));
    SET_DEFINITION_INTS_B(FLOW_DEFINITION_INTS_B(ARG_VALUES, FLOW_DEF_COMMA));
    // The record itself now holds the values, field by field.
    {
        FlowDefinition *dst = FlowDefinitionGet();
        FLOW_DEFINITION_STRINGS(EXPECT_TEXT_FIELD, )
        FLOW_DEFINITION_INTS_A(EXPECT_VALUE_FIELD, )
        FLOW_DEFINITION_INTS_B(EXPECT_VALUE_FIELD, )
    }

    GET_DEFINITION_STRINGS(FLOW_DEFINITION_STRINGS(ARG_TEXT_OUT, FLOW_DEF_COMMA));
    GET_DEFINITION_INTS_A(FLOW_DEFINITION_INTS_A(ARG_VALUES_OUT, FLOW_DEF_COMMA));
    GET_DEFINITION_INTS_B(FLOW_DEFINITION_INTS_B(ARG_VALUES_OUT, FLOW_DEF_COMMA));
    FLOW_DEFINITION_STRINGS(EXPECT_TEXT_FIELD, )
    FLOW_DEFINITION_INTS_A(EXPECT_VALUE_FIELD, )
    FLOW_DEFINITION_INTS_B(EXPECT_VALUE_FIELD, )
}

// The declared order of the blocks as callers see it: spot checks of the
// positions of some fields in the argument lists.
TEST(FlowDefinitionAccess, FieldOrderAndShapes)
{
    EXPECT_EQ(offsetof(FlowDefinition, run_id), 0u);
    EXPECT_EQ(offsetof(FlowDefinition, Runtxt), 3u);
    EXPECT_EQ(sizeof(FlowDefinition{}.Runtxt), 300u);
    EXPECT_EQ(sizeof(FlowDefinition{}.Label), 12u * 200u);
    EXPECT_EQ(sizeof(FlowDefinition{}.ProfC), 10u * 100u * 100u * 7u);
    EXPECT_EQ(sizeof(FlowDefinition{}.Ampab_Phsab), 93600u * 4u);
    EXPECT_EQ(sizeof(FlowDefinition{}.MNKdis), 150u * 4u);
    EXPECT_LT(offsetof(FlowDefinition, Tidfor), offsetof(FlowDefinition, constituent_count));
    EXPECT_LT(offsetof(FlowDefinition, Betac), offsetof(FlowDefinition, Wstres));
}

// A text argument is copied in the declared shape of its field, whatever
// length follows it: the whole-array length (300 for ten lines of 30), the
// length of one element, less, or none.
TEST(FlowDefinitionAccess, TextsAreCopiedInTheirDeclaredShapeWhateverLengthFollows)
{
    for (const int32_t given : {300, 30, 5, 0, 70000}) {
        SCOPED_TRACE(given);
        auto in = std::make_unique<FlowDefinition>();
        auto out = std::make_unique<FlowDefinition>();
        FillPattern(in.get(), static_cast<unsigned>(given));
        std::memset(out.get(), 0, sizeof *out);
        const FlowDefinition *src = in.get();
        FlowDefinition *dst = out.get();
#define ARG_TEXT_GIVEN(name, length, count) src->name, given
#define ARG_TEXT_OUT_GIVEN(name, length, count) dst->name, given
        SET_DEFINITION_STRINGS(FLOW_DEFINITION_STRINGS(ARG_TEXT_GIVEN, FLOW_DEF_COMMA));
        EXPECT_EQ(0, std::memcmp(FlowDefinitionGet()->Runtxt, src->Runtxt, 300));
        GET_DEFINITION_STRINGS(FLOW_DEFINITION_STRINGS(ARG_TEXT_OUT_GIVEN, FLOW_DEF_COMMA));
        FLOW_DEFINITION_STRINGS(EXPECT_TEXT_FIELD, )
#undef ARG_TEXT_GIVEN
#undef ARG_TEXT_OUT_GIVEN
    }
}

// The wrappers by which other code passes the texts: each text with its
// length after it, through the record and back.
TEST(FlowDefinitionAccess, WrappersPassTheTextsThroughTheRecord)
{
    auto in = std::make_unique<FlowDefinition>();
    auto out = std::make_unique<FlowDefinition>();
    FillPattern(in.get(), 3);
    std::memset(out.get(), 0, sizeof *out);
    const FlowDefinition *src = in.get();
    FlowDefinition *dst = out.get();
    CallSetDefinitionStrings(FLOW_DEFINITION_STRINGS(ARG_TEXT, FLOW_DEF_COMMA));
    {
        FlowDefinition *dst = FlowDefinitionGet();
        FLOW_DEFINITION_STRINGS(EXPECT_TEXT_FIELD, )
    }
    CallGetDefinitionStrings(FLOW_DEFINITION_STRINGS(ARG_TEXT_OUT, FLOW_DEF_COMMA));
    FLOW_DEFINITION_STRINGS(EXPECT_TEXT_FIELD, )
}

TEST(FlowDefinitionAccess, MessageDirectoryIsCopiedAndPadded)
{
    SET_MESSAGE_DIRECTORY("msgs/", 5);
    EXPECT_EQ(std::string(FlowDefinitionStateGet()->message_directory, 60), "msgs/" + std::string(55, ' '));
    const std::string long_dir(70, 'd');
    SET_MESSAGE_DIRECTORY(long_dir.c_str(), 70);
    EXPECT_EQ(std::string(FlowDefinitionStateGet()->message_directory, 60), std::string(60, 'd'));
    SET_MESSAGE_DIRECTORY(" ", 1);
}

}  // namespace
