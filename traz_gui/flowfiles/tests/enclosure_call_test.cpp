// The wrapper of the map library's enclosure reader, against a stand-in
// reader that records what it was given: the name's length, and every
// argument in order.

#include "flow_files.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct EnclosureCall {
    std::string name;
    int32_t *args[9];
};
EnclosureCall g_call;

}  // namespace

extern "C" void READ_ENCLOSURE_FILE(const char *name, int32_t name_len, int32_t *outcome, int32_t *nmax1,
                                    int32_t *mmax1, int32_t *cells, int32_t *polygon_m, int32_t *polygon_n,
                                    int32_t *all_m, int32_t *all_n, int32_t *count)
{
    g_call.name.assign(name, static_cast<size_t>(name_len));
    int32_t *args[9] = {outcome, nmax1, mmax1, cells, polygon_m, polygon_n, all_m, all_n, count};
    for (int i = 0; i < 9; ++i)
        g_call.args[i] = args[i];
}

namespace {

TEST(EnclosureWrapper, PassesTheNameLengthAndEveryArgument)
{
    int32_t v[9];
    CallReadEnclosureFile("encl.enc", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], &v[7], &v[8]);
    EXPECT_EQ(g_call.name, "encl.enc");
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(g_call.args[i], &v[i]) << i;
}

}  // namespace
