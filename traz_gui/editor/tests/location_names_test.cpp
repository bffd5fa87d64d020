// New location names: the number after the last name of the kind in list
// order, never one already in use.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ge_list.h"
#include "location_names.h"
#include "scenario.h"

namespace {

std::string NameFor(int kind, const std::vector<std::string> &names)
{
    GE_List *list = GE_ListCreate(sizeof(Location *));
    std::vector<Location> records(names.size());
    for (size_t k = 0; k < names.size(); ++k) {
        records[k] = Location{};
        std::snprintf(records[k].name, sizeof records[k].name, "%s", names[k].c_str());
        Location *p = &records[k];
        GE_ListInsert(list, static_cast<int>(k), &p);
    }
    char name[SCEN_LOCATION_NAME_LEN] = "";
    MakeLocationName(kind, list, name);
    GE_ListDestroy(list);
    return name;
}

TEST(LocationNames, NextNumberAfterTheLastOfTheKindSkippingThoseInUse)
{
    struct Case {
        int kind;
        std::vector<std::string> names;
        const char *expected;
    };
    const Case cases[] = {
        {7, {}, "dye release 01"},
        {8, {}, "cont. release 01"},
        {10, {}, "obs. point 01"},
        {7, {"dye release 01", "dye release 03"}, "dye release 04"},
        {7, {"dye release 03", "dye release 01"}, "dye release 02"},
        // The last name's number + 1 is taken: 03, not a second 02.
        {7, {"dye release 02", "dye release 01"}, "dye release 03"},
        {10, {"obs. point 02", "obs. point 03", "obs. point 01"}, "obs. point 04"},
        // Names of other kinds and renamed ones do not count.
        {8, {"dye release 05", "harbour", "cont. release 07"}, "cont. release 08"},
        {10, {"obs. point 09", "outfall"}, "obs. point 10"},
        // A name of the kind without a number reads as 0.
        {7, {"dye release 01", "dye release"}, "dye release 02"},
        {7, {"dye release 99"}, "dye release 100"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(NameFor(c.kind, c.names), c.expected);
    }
}

}  // namespace
