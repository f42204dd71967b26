// The optimiser's ".out" result file: whole files, the carry-over of missing numbers and
// blocks, and damaged text that must read without failing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "io/opt_result_file.h"
#include "test_tolerances.h"

namespace {

const char* const kTwoBlocks =
    "2\r\n"
    "3.5 120.25\r\n"
    "10 20\r\n"
    "40 60\r\n"
    "1 2 1.5\r\n"
    "50 51 52 53 54 55 56 57 60.5\r\n"
    "7 8 9\r\n"
    "40 41 42 43 44 45 46 47 49\r\n";

TEST(OptResultFile, ReadsHeaderAndBlocksInFileOrder)
{
    const COptResult r = ParseOptResult(kTwoBlocks);
    EXPECT_NEAR(r.m_dHeight, 3.5, kTol);
    EXPECT_NEAR(r.m_dArea, 120.25, kTol);
    EXPECT_NEAR(r.m_dStartX, 10, kTol);
    EXPECT_NEAR(r.m_dStartY, 20, kTol);
    EXPECT_NEAR(r.m_dEndX, 40, kTol);
    EXPECT_NEAR(r.m_dEndY, 60, kTol);
    ASSERT_EQ(r.m_arrReceiver.size(), 2u);
    EXPECT_NEAR(r.m_arrReceiver[0].m_dZ, 1.5, kTol);
    EXPECT_NEAR(r.m_arrReceiver[0].m_dLevel[8], 60.5, kTol);
    EXPECT_NEAR(r.m_arrReceiver[1].m_dX, 7, kTol);
    EXPECT_NEAR(r.m_arrReceiver[1].m_dLevel[0], 40, kTol);
}

TEST(OptResultFile, NoBlocksStillReadsTheBarrier)
{
    const COptResult r = ParseOptResult("0\n2 30\n1 2\n3 4\n9 9 9\n");
    EXPECT_TRUE(r.m_arrReceiver.empty());
    EXPECT_NEAR(r.m_dHeight, 2, kTol);
    EXPECT_NEAR(r.m_dEndY, 4, kTol);
}

TEST(OptResultFile, ShortLinesKeepThePreviousBlocksValues)
{
    // The second block's position line stops after X; its level line after two values.
    const COptResult r = ParseOptResult("2\n1 1\n0 0\n0 0\n1 2 3\n10 11 12 13 14 15 16 17 18\n5\n20 21\n");
    ASSERT_EQ(r.m_arrReceiver.size(), 2u);
    const COptReceiver& second = r.m_arrReceiver[1];
    EXPECT_NEAR(second.m_dX, 5, kTol);
    EXPECT_NEAR(second.m_dY, 2, kTol);  // carried over
    EXPECT_NEAR(second.m_dZ, 3, kTol);
    EXPECT_NEAR(second.m_dLevel[1], 21, kTol);
    EXPECT_NEAR(second.m_dLevel[2], 12, kTol);  // carried over
    EXPECT_NEAR(second.m_dLevel[8], 18, kTol);
}

TEST(OptResultFile, FirstBlockStartsFromZeroAndStopsAtAnUnreadableNumber)
{
    const COptResult r = ParseOptResult("1\n1 1\n0 0\n0 0\n4 x 6\n1 2\n");
    ASSERT_EQ(r.m_arrReceiver.size(), 1u);
    EXPECT_NEAR(r.m_arrReceiver[0].m_dX, 4, kTol);
    EXPECT_NEAR(r.m_arrReceiver[0].m_dY, 0, kTol);  // "x" ends the line's reading
    EXPECT_NEAR(r.m_arrReceiver[0].m_dZ, 0, kTol);
    EXPECT_NEAR(r.m_arrReceiver[0].m_dLevel[2], 0, kTol);
}

TEST(OptResultFile, MissingBlocksRepeatTheLastOne)
{
    const COptResult r = ParseOptResult("3\n1 1\n0 0\n0 0\n1 2 3\n10 11 12 13 14 15 16 17 18\n");
    ASSERT_EQ(r.m_arrReceiver.size(), 3u);
    for (const COptReceiver& rec : r.m_arrReceiver) {
        EXPECT_NEAR(rec.m_dZ, 3, kTol);
        EXPECT_NEAR(rec.m_dLevel[8], 18, kTol);
    }
}

TEST(OptResultFile, CountLineReadsAsAnIntegerConversion)
{
    EXPECT_EQ(ParseOptResult("  2abc\n").m_arrReceiver.size(), 2u);
    EXPECT_EQ(ParseOptResult("-4\n").m_arrReceiver.size(), 0u);
    EXPECT_EQ(ParseOptResult("x\n").m_arrReceiver.size(), 0u);
    EXPECT_EQ(ParseOptResult("99999999999999999999\n").m_arrReceiver.size(),
              static_cast<std::size_t>(kMaxOptResultBlocks));
}

TEST(OptResultFile, DamagedTextNeverFails)
{
    const std::string samples[] = {"", "\n\n\n", std::string("1\0\0\n", 4), "1\n+-1 .e5\n1e999 -1e999\nnan inf\n",
                                   "2\n\xff\xfe\n-\n+\n.\n"};
    for (const std::string& text : samples) {
        const COptResult r = ParseOptResult(text);
        EXPECT_LE(r.m_arrReceiver.size(), 2u);
    }
    EXPECT_NEAR(ParseOptResult("0\n-2.5 +3\n").m_dArea, 3, kTol);
    EXPECT_NEAR(ParseOptResult("0\n-2.5 +3\n").m_dHeight, -2.5, kTol);
}

TEST(OptResultFile, UnopenableFileGivesAMessage)
{
    COptResult r;
    std::string message;
    EXPECT_FALSE(ReadOptResultFile("/nonexistent/dir/result.out", r, message));
    EXPECT_EQ(message, kMsgOptResultUnreadable);

    const auto path = std::filesystem::temp_directory_path() / "talvo_opt_result_test.out";
    std::ofstream(path, std::ios::binary) << kTwoBlocks;
    ASSERT_TRUE(ReadOptResultFile(path.string(), r, message));
    EXPECT_EQ(r.m_arrReceiver.size(), 2u);
    std::filesystem::remove(path);
}

}  // namespace
