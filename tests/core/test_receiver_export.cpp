#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "io/receiver_export.h"
#include "model/document.h"

namespace {

CReceiverGrid AreaGrid(double endX, double endY, double spacing, double height = 1.5)
{
    CReceiverGrid grid;
    grid.m_dEndX = endX;
    grid.m_dEndY = endY;
    grid.m_dSpacing = spacing;
    grid.m_dHeight = height;
    return grid;
}

// A level that tells the point apart: 60 dB in the 1 kHz band only, plus x / 1000.
Bands FakeExportLevels(double x, double, double)
{
    Bands b;
    b.fill(kNoEnergy);
    b[4] = 60.0 + x / 1000.0;
    return b;
}

std::vector<std::string> SplitCrLf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
        lines.push_back(text.substr(from, at - from));
    EXPECT_EQ(from, text.size()) << "text after the last CR LF";
    return lines;
}

std::string Export(const CReceiverGrid& grid, int threads, CRunProgress& progress,
                   const PointLevelProvider& levels = FakeExportLevels)
{
    std::ostringstream out;
    const CExportOutcome outcome = RunReceiverExport(grid, levels, out, progress, threads);
    EXPECT_EQ(outcome.status, CExportOutcome::Status::Finished) << outcome.message;
    return out.str();
}

}  // namespace

TEST(ReceiverGrid, DefaultAreaAt50mHas533PointsColumnByColumn)
{
    CRunProgress progress;
    const std::string text = Export(AreaGrid(2000, 600, 50), 1, progress);
    const auto lines = SplitCrLf(text);
    ASSERT_EQ(lines.size(), 533u);
    EXPECT_EQ(progress.Total(), 533);
    EXPECT_EQ(progress.Done(), 533);
    EXPECT_EQ(lines[0], "0.00\t0.00\t1.50\t60.00");
    EXPECT_EQ(lines[1], "0.00\t50.00\t1.50\t60.00");
    EXPECT_EQ(lines[2], "0.00\t100.00\t1.50\t60.00");
    EXPECT_EQ(lines[12], "0.00\t600.00\t1.50\t60.00");
    EXPECT_EQ(lines[13], "50.00\t0.00\t1.50\t60.05");
    EXPECT_EQ(lines[532], "2000.00\t600.00\t1.50\t62.00");
}

TEST(ReceiverGrid, EndNotAMultipleOfTheSpacingStopsBeforeTheEnd)
{
    EXPECT_EQ(GridColumnXs(AreaGrid(120, 0, 50)), (std::vector<double>{0, 50, 100}));
    // The progress total is the truncated product (3.4 * 1 -> 3 here, 3.4 * 2.2 -> 7 below)
    // while the walk yields whole columns and rows.
    EXPECT_EQ(GridProgressTotal(AreaGrid(120, 0, 50)), 3);
    EXPECT_EQ(GridProgressTotal(AreaGrid(120, 60, 50)), 7);
    CRunProgress progress;
    const auto lines = SplitCrLf(Export(AreaGrid(120, 60, 50), 2, progress));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[1], "0.00\t50.00\t1.50\t60.00");
    EXPECT_EQ(lines[5], "100.00\t50.00\t1.50\t60.10");
    EXPECT_EQ(progress.Done(), 6);
    EXPECT_EQ(progress.Percent(), 85);  // 6 * 100 / 7
}

TEST(ReceiverGrid, CoordinatesComeFromRepeatedAddition)
{
    // 0.1 added seven times is 0.7000000000000001 in binary arithmetic, one step more
    // than 7 * 0.1 > 0.7 would suggest; the walk must keep to the additions.
    double sum = 0;
    std::vector<double> expected;
    for (; sum <= 0.7; sum += 0.1)
        expected.push_back(sum);
    EXPECT_EQ(WalkAxis(0, 0.7, 0.1), expected);
}

TEST(ReceiverExport, EveryLineHasThreeTabsAndEndsWithCrLf)
{
    const PointLevelProvider silent = [](double, double, double) {
        Bands b;
        b.fill(kNoEnergy);
        return b;
    };
    CRunProgress progress;
    const std::string text = Export(AreaGrid(100, 100, 50, -2.345), 3, progress, silent);
    std::size_t lineCount = 0, from = 0;
    for (std::size_t at; (at = text.find('\n', from)) != std::string::npos; from = at + 1, ++lineCount) {
        const std::string line = text.substr(from, at + 1 - from);
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 3) << line;
        EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
        EXPECT_EQ(std::count(line.begin(), line.end(), '\r'), 1) << line;
    }
    EXPECT_EQ(lineCount, 9u);
    EXPECT_EQ(text.substr(0, 19), "0.00\t0.00\t-2.35\t-\r\n");  // no energy: the mark
}

TEST(ReceiverExport, ThreadCountNeverChangesTheBytes)
{
    // Uneven costs per point make the workers finish out of order.
    const PointLevelProvider uneven = [](double x, double y, double z) {
        volatile double spin = 0;
        for (int i = 0; i < static_cast<int>(std::fmod(x + 3 * y, 7.0)) * 2000; ++i)
            spin = spin + 1;
        return FakeExportLevels(x + y, y, z);
    };
    const CReceiverGrid grid = AreaGrid(300, 200, 10);
    CRunProgress p1, p3, p8;
    const std::string one = Export(grid, 1, p1, uneven);
    EXPECT_EQ(Export(grid, 3, p3, uneven), one);
    EXPECT_EQ(Export(grid, 8, p8, uneven), one);
    EXPECT_EQ(p3.Done(), p1.Done());
    EXPECT_EQ(p1.Done(), 31 * 21);
}

TEST(ReceiverExport, CancelKeepsTheLineBeingWrittenWithoutCountingIt)
{
    for (int threads : {1, 3}) {
        CRunProgress progress;
        std::atomic<int> calls{0};
        // The watcher cancels while the 5th point is being computed.
        const PointLevelProvider levels = [&](double x, double y, double z) {
            if (++calls == 5)
                progress.RequestCancel();
            return FakeExportLevels(x, y, z);
        };
        std::ostringstream out;
        const CExportOutcome outcome = RunReceiverExport(AreaGrid(2000, 600, 50), levels, out, progress, threads);
        EXPECT_EQ(outcome.status, CExportOutcome::Status::Cancelled);
        const auto lines = SplitCrLf(out.str());
        ASSERT_GE(lines.size(), 1u);
        EXPECT_EQ(static_cast<std::int64_t>(lines.size()), outcome.lines);
        EXPECT_EQ(progress.Done(), outcome.lines - 1) << threads << " threads";
        // The written lines are the start of the full file.
        CRunProgress full;
        EXPECT_EQ(Export(AreaGrid(2000, 600, 50), 1, full).substr(0, out.str().size()), out.str());
        EXPECT_LE(lines.size(), 5u);  // never past the point during which it was cancelled
    }
}

TEST(ReceiverExport, CancelBeforeTheStartWritesOneUncountedLine)
{
    CRunProgress progress;
    progress.RequestCancel();
    std::ostringstream out;
    const CExportOutcome outcome = RunReceiverExport(AreaGrid(2000, 600, 50), FakeExportLevels, out, progress, 2);
    EXPECT_EQ(outcome.status, CExportOutcome::Status::Cancelled);
    EXPECT_EQ(out.str(), "0.00\t0.00\t1.50\t60.00\r\n");
    EXPECT_EQ(progress.Done(), 0);
    EXPECT_EQ(progress.Total(), 533);
}

TEST(ReceiverExport, FailuresOfTheLevelsOrTheFileAreReported)
{
    CRunProgress progress;
    const PointLevelProvider failing = [](double x, double, double) -> Bands {
        if (x > 100)
            throw std::runtime_error("no scene");
        return FakeExportLevels(x, 0, 0);
    };
    std::ostringstream out;
    const CExportOutcome broken = RunReceiverExport(AreaGrid(2000, 600, 50), failing, out, progress, 2);
    EXPECT_EQ(broken.status, CExportOutcome::Status::Failed);
    EXPECT_NE(broken.message.find("no scene"), std::string::npos);

    std::ostringstream full;
    full.setstate(std::ios::badbit);
    const CExportOutcome unwritable = RunReceiverExport(AreaGrid(100, 100, 50), FakeExportLevels, full, progress, 2);
    EXPECT_EQ(unwritable.status, CExportOutcome::Status::Failed);
    EXPECT_EQ(progress.Done(), 0);

    std::ofstream file;
    EXPECT_FALSE(CreateExportFile("/nonexistent-folder/수음점.txt", file).empty());
}

TEST(ReceiverExport, ChecksRefuseInOrder)
{
    CMyTalvoDoc doc;
    const CReceiverGrid good = AreaGrid(2000, 600, 50);
    EXPECT_EQ(CheckReceiverExport(doc, AreaGrid(2000, 600, 0)), "소음해석을 먼저 수행하세요.");
    doc.m_arrSegment.resize(1);
    EXPECT_EQ(CheckReceiverExport(doc, good), "");
    EXPECT_EQ(CheckReceiverExport(doc, AreaGrid(2000, 600, 0)), "수음점 간격이 잘못되었습니다.");
    EXPECT_EQ(CheckReceiverExport(doc, AreaGrid(2000, 600, -5)), "수음점 간격이 잘못되었습니다.");
    EXPECT_EQ(CheckReceiverExport(doc, AreaGrid(2000, 600, std::nan(""))), "수음점 간격이 잘못되었습니다.");
    // An end before its start leaves no point: refused rather than an empty file.
    EXPECT_EQ(CheckReceiverExport(doc, AreaGrid(-10, 600, 50)), kMsgEmptyGrid);
    EXPECT_EQ(CheckReceiverExport(doc, AreaGrid(-100, -100, 50)), kMsgEmptyGrid);  // total 1, no point
    // A spacing the coordinates cannot resolve would walk forever: an area that far out is
    // named as the fault, as is one too wide for any sensible spacing.
    CReceiverGrid far = good;
    far.m_dStartX = 1e17;
    far.m_dEndX = 1e17 + 1000;
    far.m_dSpacing = 1;
    EXPECT_EQ(CheckReceiverExport(doc, far), kMsgHugeArea);
    EXPECT_EQ(CheckReceiverExport(doc, AreaGrid(1e12, 600, 50)), kMsgHugeArea);
    EXPECT_EQ(CheckReceiverExport(doc, AreaGrid(2000, 600, 1e-6)), "수음점 간격이 잘못되었습니다.");
    EXPECT_EQ(CheckReceiverExport(doc, AreaGrid(INFINITY, 600, 50)), kMsgBadArea);
}
