// Cutting the receiver grid into tiles of whole columns: the cut, the plan text, and the
// tile exports written one after the other against the untiled export.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "io/grid_tiles.h"
#include "io/receiver_export.h"

namespace {

CReceiverGrid Area(double startX, double endX, double startY, double endY, double spacing)
{
    CReceiverGrid grid;
    grid.m_dStartX = startX;
    grid.m_dEndX = endX;
    grid.m_dStartY = startY;
    grid.m_dEndY = endY;
    grid.m_dSpacing = spacing;
    grid.m_dHeight = 1.5;
    return grid;
}

// A level that tells the points apart.
Bands FakeLevels(double x, double y, double)
{
    Bands b;
    b.fill(kNoEnergy);
    b[4] = 50.0 + x / 100.0 + y / 10000.0;
    return b;
}

std::string Untiled(const CReceiverGrid& grid, int threads)
{
    std::ostringstream out;
    CRunProgress progress;
    const CExportOutcome outcome = RunReceiverExport(grid, FakeLevels, out, progress, threads);
    EXPECT_EQ(outcome.status, CExportOutcome::Status::Finished) << outcome.message;
    return out.str();
}

// The tile files of a cut into count tiles, written one after the other.
std::string TilesConcatenated(const CReceiverGrid& grid, long long count, int threads)
{
    std::string all;
    for (const CGridTile& tile : PlanGridTiles(grid, count).m_arrTile) {
        std::ostringstream out;
        CRunProgress progress;
        const CExportOutcome outcome =
            RunReceiverExportColumns(grid, tile.m_nFirstColumn, tile.m_nColumns, FakeLevels, out, progress, threads);
        EXPECT_EQ(outcome.status, CExportOutcome::Status::Finished) << outcome.message;
        EXPECT_EQ(progress.Total(), tile.m_nPoints) << "tile " << tile.m_nNumber;
        EXPECT_EQ(outcome.lines, tile.m_nPoints) << "tile " << tile.m_nNumber;
        all += out.str();
    }
    return all;
}

}  // namespace

TEST(GridTiles, TileSpecAcceptsOnlyKOfNWithKFromOneToN)
{
    CTileSpec tileSpec;
    EXPECT_EQ(ParseTileSpec("3/7", tileSpec), "");
    EXPECT_EQ(tileSpec.m_nTile, 3);
    EXPECT_EQ(tileSpec.m_nCount, 7);
    EXPECT_EQ(ParseTileSpec("1/1", tileSpec), "");
    const char* bad[] = {"",
                         "3",
                         "/3",
                         "1/",
                         "0/3",
                         "4/3",
                         "1/0",
                         "-1/3",
                         "+1/3",
                         " 1/3",
                         "1/3 ",
                         "1/3/4",
                         "a/b",
                         "1.0/3",
                         "1/3.0",
                         "1\\3",
                         "99999999999999999999/1"};
    for (const char* text : bad) {
        CTileSpec untouched;
        untouched.m_nTile = 5;
        EXPECT_NE(ParseTileSpec(text, untouched), "") << '"' << text << '"';
        EXPECT_EQ(untouched.m_nTile, 5) << '"' << text << '"';
    }
}

TEST(GridTiles, TileCountRefusedBelowOneAndAboveTheColumns)
{
    EXPECT_NE(CheckTileCount(21, 0), "");
    EXPECT_NE(CheckTileCount(21, -2), "");
    EXPECT_NE(CheckTileCount(21, 22), "");
    EXPECT_EQ(CheckTileCount(21, 21), "");
    EXPECT_EQ(CheckTileCount(1, 1), "");
}

TEST(GridTiles, FirstTilesTakeOneColumnMoreAndTheTilesCoverEveryColumnOnce)
{
    // 10 columns in 3 tiles: 4, 3, 3.
    EXPECT_EQ(TileColumns(10, 3, 1).m_nFirstColumn, 0u);
    EXPECT_EQ(TileColumns(10, 3, 1).m_nColumns, 4u);
    EXPECT_EQ(TileColumns(10, 3, 2).m_nFirstColumn, 4u);
    EXPECT_EQ(TileColumns(10, 3, 3).m_nFirstColumn, 7u);
    EXPECT_EQ(TileColumns(10, 3, 3).m_nColumns, 3u);
    for (std::size_t columns = 1; columns <= 40; ++columns) {
        for (long long count = 1; count <= static_cast<long long>(columns); ++count) {
            std::size_t next = 0, previousWidth = columns;
            for (long long k = 1; k <= count; ++k) {
                const CGridTile tile = TileColumns(columns, count, k);
                ASSERT_EQ(tile.m_nFirstColumn, next) << columns << " columns, tile " << k << "/" << count;
                ASSERT_GE(tile.m_nColumns, 1u);
                ASSERT_LE(tile.m_nColumns, previousWidth);
                ASSERT_LE(tile.m_nColumns, columns / count + 1);
                next += tile.m_nColumns;
                previousWidth = tile.m_nColumns;
            }
            ASSERT_EQ(next, columns) << columns << " columns in " << count << " tiles";
        }
    }
}

TEST(GridTiles, PlanOfAnAreaWhoseEndIsNotAMultipleOfTheSpacing)
{
    // x 0 to 120 at 50: columns 0, 50, 100; y 0 to 60: rows 0, 50.
    const CTilePlan plan = PlanGridTiles(Area(0, 120, 0, 60, 50), 2);
    EXPECT_EQ(FormatTilePlan(plan),
              "points\t6\ncolumns\t3\nrows\t2\ntiles\t2\n"
              "tile\t1\t0.00\t50.00\t2\t4\n"
              "tile\t2\t100.00\t100.00\t1\t2\n");
}

TEST(GridTiles, PlanCountsThePointsOfTheWalkNotTheProgressEstimate)
{
    // 0.1 added ten times is 0.9999999999999999, still within the end: 11 columns and,
    // from 0 to 0.35, rows 0, 0.1, 0.2, 0.30000000000000004: 4 rows, where the progress
    // estimate gives the integer part of about 4.5 * 11.
    const CReceiverGrid grid = Area(0, 1.0, 0, 0.35, 0.1);
    EXPECT_EQ(GridProgressTotal(grid), 49);
    const CTilePlan plan = PlanGridTiles(grid, 4);
    EXPECT_EQ(plan.m_nColumns, 11u);
    EXPECT_EQ(plan.m_nRows, 4u);
    EXPECT_EQ(plan.m_nPoints, 44);
    std::int64_t sum = 0;
    for (const CGridTile& tile : plan.m_arrTile)
        sum += tile.m_nPoints;
    EXPECT_EQ(sum, plan.m_nPoints);
}

TEST(GridTiles, ConcatenatedTilesAreTheUntiledExportByteForByte)
{
    const CReceiverGrid grids[] = {
        Area(0, 2000, 0, 600, 50),     // 41 columns: uneven in 2, 3 and 7 tiles
        Area(0, 1990, 25, 345, 45),    // ends not a multiple of the spacing
        Area(0, 1.0, 0, 0.5, 0.1),     // a spacing that binary fractions cannot hold
        Area(-35.5, 104.5, 0, 0, 20),  // one row of 8 points
    };
    for (const CReceiverGrid& grid : grids) {
        const std::string untiled = Untiled(grid, 1);
        for (long long count : {1, 2, 3, 7}) {
            EXPECT_EQ(TilesConcatenated(grid, count, 1), untiled) << count << " tiles, 1 thread";
            EXPECT_EQ(TilesConcatenated(grid, count, 3), untiled) << count << " tiles, 3 threads";
        }
        const auto columns = static_cast<long long>(GridColumnXs(grid).size());
        EXPECT_EQ(TilesConcatenated(grid, columns, 2), untiled) << "one tile per column";
    }
}
