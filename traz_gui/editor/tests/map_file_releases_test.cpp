// Map-file headers read from small files written here: the record count
// from the file length, names cut to 19 characters, times after the
// reference in the edit form, refused counts, and the lists, failure marks
// and names of user-defined releases.
#include "map_file_releases.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

void PutInt(std::string &b, int32_t v)
{
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF));
}

// Titles, the counts, the names (padded to 20) and one record per time
// with n * s values (fewer names than n when names is short).
std::string MapFile(int32_t n, int32_t s, const std::vector<std::string> &names, const std::vector<int32_t> &times)
{
    std::string b(MAP_TITLE_BYTES, ' ');
    PutInt(b, n);
    PutInt(b, s);
    for (const std::string &name : names) b += (name + std::string(MAP_NAME_BYTES, ' ')).substr(0, MAP_NAME_BYTES);
    for (int32_t t : times) {
        PutInt(b, t);
        b.append(static_cast<size_t>(4) * static_cast<size_t>(n) * static_cast<size_t>(s), '\0');
    }
    return b;
}

class MapFileTest : public ::testing::Test {
protected:
    std::string Write(const std::string &bytes)
    {
        path_ = ::testing::TempDir() + "map_file_releases_test.map";
        std::FILE *f = std::fopen(path_.c_str(), "wb");
        EXPECT_NE(f, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
        return path_;
    }
    void TearDown() override { std::remove(path_.c_str()); }
    std::string path_;
};

TEST_F(MapFileTest, ThreeRecordsOfTwoSubstancesAndAHundredSegments)
{
    const std::string bytes = MapFile(2, 100, {"salinity", "a name of twenty ch."}, {0, 3600, 90061});
    ASSERT_EQ(bytes.size(), 168u + 40u + 3u * 804u);
    MapFileHeader h;
    ASSERT_EQ(ReadMapFileContents(Write(bytes).c_str(), &h), MAPFILE_OK);
    EXPECT_EQ(h.substanceCount, 2);
    EXPECT_EQ(h.segmentCount, 100);
    EXPECT_EQ(h.substances[0], std::string("salinity") + std::string(11, ' '));
    EXPECT_EQ(h.substances[1], "a name of twenty ch");
    EXPECT_EQ(h.times, (std::vector<int32_t>{0, 3600, 90061}));
    EXPECT_EQ(MapFileTimeTexts(h.times, "20200131230000"),
              (std::vector<std::string>{"31 01 2020 23 00 00", "01 02 2020 00 00 00", "02 02 2020 00 01 01"}));

    // A partial record at the end is not a time.
    ASSERT_EQ(ReadMapFileContents(Write(bytes + std::string(803, '\0')).c_str(), &h), MAPFILE_OK);
    EXPECT_EQ(h.times.size(), 3u);
}

TEST_F(MapFileTest, AFileEndingAfterItsNamesListsNoTime)
{
    MapFileHeader h;
    ASSERT_EQ(ReadMapFileContents(Write(MapFile(2, 100, {"a", "b"}, {})).c_str(), &h), MAPFILE_OK);
    EXPECT_EQ(h.substances.size(), 2u);
    EXPECT_TRUE(h.times.empty());
}

TEST_F(MapFileTest, CountsWithoutAUsableRecordSizeAreRefused)
{
    struct Case {
        const char *what;
        int32_t n, s;
        int names;
        int result;
    } cases[] = {
        {"no substance", 0, 10, 0, MAPFILE_NO_RECORDS},
        {"negative substances", -1, 10, 1, MAPFILE_NO_RECORDS},
        {"no segment", 1, 0, 1, MAPFILE_NO_RECORDS},
        {"negative segments", 1, -3, 1, MAPFILE_NO_RECORDS},
        {"names beyond the end", 3, 10, 1, MAPFILE_NO_RECORDS},
        {"names of 2^30 substances", 1 << 30, 1, 1, MAPFILE_NO_RECORDS},
        {"record just beyond 32 bits", 1, 536870911, 1, MAPFILE_NO_RECORDS},
        {"n * s beyond 32 bits", 65536, 65536, 1, MAPFILE_NO_RECORDS},
        {"largest record: no time fits", 1, 536870910, 1, MAPFILE_OK},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        std::string bytes = MapFile(c.n, c.s, std::vector<std::string>(static_cast<size_t>(c.names), "x"), {});
        bytes += std::string(8, '\0');
        MapFileHeader h;
        EXPECT_EQ(ReadMapFileContents(Write(bytes).c_str(), &h), c.result);
        EXPECT_TRUE(h.times.empty());
        if (c.result != MAPFILE_OK) {
            EXPECT_TRUE(h.substances.empty());
        }
    }
    MapFileHeader h;
    EXPECT_EQ(ReadMapFileContents(Write(std::string(100, ' ')).c_str(), &h), MAPFILE_NO_RECORDS);
    EXPECT_EQ(ReadMapFileContents((::testing::TempDir() + "no such file.map").c_str(), &h), MAPFILE_CANNOT_OPEN);
}

struct LocationDeleter {
    void operator()(Location *l) const { FreeLocation(l); }
};
using LocationPtr = std::unique_ptr<Location, LocationDeleter>;

TEST_F(MapFileTest, AReleaseKeepsTheListsOrIsMarkedUnread)
{
    const std::string path = Write(MapFile(3, 4, {"IM1", "IM2", "IM3"}, {600, 1200}));
    LocationPtr release(CreateLocation());
    ASSERT_EQ(LoadMapFileLists(path.c_str(), release.get(), "20200101000000"), MAPFILE_OK);
    EXPECT_EQ(TextListItems(release->mapSubstances),
              (std::vector<std::string>{"IM1" + std::string(16, ' '), "IM2" + std::string(16, ' '),
                                        "IM3" + std::string(16, ' ')}));
    EXPECT_EQ(TextListItems(release->mapTimes), (std::vector<std::string>{"01 01 2020 00 10 00", "01 01 2020 00 20 00"}));

    // Read again: the new lists replace the old ones (the leak checker
    // sees the old ones freed).
    ASSERT_EQ(LoadMapFileLists(Write(MapFile(1, 1, {"one"}, {})).c_str(), release.get(), "20200101000000"),
              MAPFILE_OK);
    EXPECT_EQ(TextListItems(release->mapSubstances).size(), 1u);
    ASSERT_NE(release->mapTimes, nullptr);
    EXPECT_EQ(GE_ListCount(release->mapTimes), 0);

    // A failure marks the count and the time unread and keeps the rest of
    // the release, its stored map substance too.
    release->mapSubstanceCount = 3;
    release->userWord4 = 1;
    release->mapTime = 0;
    release->userWord3 = 2;
    EXPECT_EQ(LoadMapFileLists((path + ".missing").c_str(), release.get(), "20200101000000"), MAPFILE_CANNOT_OPEN);
    EXPECT_EQ(release->mapSubstanceCount, -1);
    EXPECT_EQ(release->userWord4, 1);
    EXPECT_EQ(release->mapTime, -1);
    EXPECT_EQ(release->userWord3, 2);
}

TEST(UserReleaseNames, PositionSubstanceMapSubstanceAndMapTime)
{
    LocationPtr r(CreateLocation());
    r->userOption = USER_SOURCE_MAP;
    r->substanceIndex = 0;
    r->userWord3 = 1;
    r->userWord4 = 2;
    r->mapTime = 4;
    EXPECT_EQ(UserReleaseName(*r, 2, true), "UD2");  // lists not read
    SetMapFileLists(r.get(), MakeTextList(std::vector<std::string>(3, "s")), nullptr);
    EXPECT_EQ(UserReleaseName(*r, 2, true), "UD2");  // times not read
    SetMapFileLists(r.get(), r->mapSubstances, MakeTextList(std::vector<std::string>(5, "t")));
    EXPECT_EQ(UserReleaseName(*r, 2, true), "UD2: s1 & (s3, t5)");
    EXPECT_EQ(UserReleaseName(*r, 2, false), "UD2");
    r->userOption = USER_SOURCE_RELEASE_FILE;
    EXPECT_EQ(UserReleaseName(*r, 2, true), "UD2");
}

}  // namespace
