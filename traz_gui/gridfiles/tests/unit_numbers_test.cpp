// The unit-number allocator: first unconnected unit from 10 to 99, nothing
// reserved, and the program's abnormal end (exit code 2) when all are connected.

#include "record_calls.h"
#include "record_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

std::string ScratchFile()
{
    std::filesystem::create_directories("units_work");
    std::string path = "units_work/one.bin";
    std::ofstream(path, std::ios::binary) << "abcd";
    return path;
}

TEST(AllocateUnitNumber, SkipsConnectedUnitsAndReservesNothing)
{
    std::string path = ScratchFile();
    EXPECT_EQ(ALLOCATE_UNIT_NUMBER(), 10);
    for (int u = 10; u <= 14; ++u)
        ASSERT_EQ(recio::Open(u, path, recio::Form::kBinary, recio::Access::kSequential, recio::OpenStatus::kOld),
                  recio::kOk);
    EXPECT_EQ(ALLOCATE_UNIT_NUMBER(), 15);
    EXPECT_EQ(ALLOCATE_UNIT_NUMBER(), 15);   // nothing was reserved
    recio::Close(12);
    EXPECT_EQ(ALLOCATE_UNIT_NUMBER(), 12);
    // Units below 10 are never handed out, even when free.
    EXPECT_FALSE(recio::IsConnected(9));
    for (int u = 10; u <= 14; ++u)
        recio::Close(u);
}

TEST(AllocateUnitNumberDeathTest, AllNinetyConnectedEndsTheProgram)
{
    std::string path = ScratchFile();
    EXPECT_EXIT(
        {
            for (int u = 10; u <= 99; ++u)
                recio::Open(u, path, recio::Form::kBinary, recio::Access::kSequential, recio::OpenStatus::kOld);
            ALLOCATE_UNIT_NUMBER();
        },
        ::testing::ExitedWithCode(2), "abnormal end");
}

}  // namespace
