#include "io/grid_tiles.h"

#include <algorithm>
#include <charconv>

#include "model/bands.h"

namespace {

// A whole decimal number made of digits only (no sign, no space), within long long.
bool ParseWhole(const std::string& text, long long& value)
{
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end;
}

}  // namespace

std::string ParseTileSpec(const std::string& text, CTileSpec& tileSpec)
{
    const std::size_t slash = text.find('/');
    CTileSpec parsed;
    if (slash == std::string::npos || !ParseWhole(text.substr(0, slash), parsed.m_nTile) ||
        !ParseWhole(text.substr(slash + 1), parsed.m_nCount))
        return "--tile takes K/N, tile K of N counted from 1 (e.g. 2/8), not \"" + text + "\"";
    if (parsed.m_nCount < 1)
        return "--tile " + text + ": the number of tiles N must be at least 1";
    if (parsed.m_nTile < 1 || parsed.m_nTile > parsed.m_nCount)
        return "--tile " + text + ": the tile K must lie between 1 and N = " + std::to_string(parsed.m_nCount);
    tileSpec = parsed;
    return {};
}

std::string CheckTileCount(std::size_t columns, long long count)
{
    if (count < 1)
        return "the number of tiles must be at least 1, not " + std::to_string(count);
    if (static_cast<unsigned long long>(count) > columns)
        return "the grid has " + std::to_string(columns) + " columns of x, too few for " + std::to_string(count) +
               " tiles of at least one column each";
    return {};
}

CGridTile TileColumns(std::size_t columns, long long count, long long number)
{
    const auto tiles = static_cast<std::size_t>(count);
    const auto index = static_cast<std::size_t>(number - 1);
    const std::size_t base = columns / tiles, wider = columns % tiles;  // the first `wider` take one more
    CGridTile tile;
    tile.m_nNumber = number;
    tile.m_nFirstColumn = index * base + std::min(index, wider);
    tile.m_nColumns = base + (index < wider ? 1 : 0);
    return tile;
}

CTilePlan PlanGridTiles(const CReceiverGrid& grid, long long count)
{
    const std::vector<double> xs = GridColumnXs(grid);
    CTilePlan plan;
    plan.m_nColumns = xs.size();
    plan.m_nRows = GridRowYs(grid).size();
    plan.m_nPoints = static_cast<std::int64_t>(plan.m_nColumns * plan.m_nRows);
    for (long long number = 1; number <= count; ++number) {
        CGridTile tile = TileColumns(xs.size(), count, number);
        tile.m_dFirstX = xs[tile.m_nFirstColumn];
        tile.m_dLastX = xs[tile.m_nFirstColumn + tile.m_nColumns - 1];
        tile.m_nPoints = static_cast<std::int64_t>(tile.m_nColumns * plan.m_nRows);
        plan.m_arrTile.push_back(tile);
    }
    return plan;
}

std::string FormatTilePlan(const CTilePlan& plan)
{
    std::string text = "points\t" + std::to_string(plan.m_nPoints) + "\n";
    text += "columns\t" + std::to_string(plan.m_nColumns) + "\n";
    text += "rows\t" + std::to_string(plan.m_nRows) + "\n";
    text += "tiles\t" + std::to_string(plan.m_arrTile.size()) + "\n";
    for (const CGridTile& tile : plan.m_arrTile)
        text += "tile\t" + std::to_string(tile.m_nNumber) + "\t" + FormatFixed2(tile.m_dFirstX) + "\t" +
                FormatFixed2(tile.m_dLastX) + "\t" + std::to_string(tile.m_nColumns) + "\t" +
                std::to_string(tile.m_nPoints) + "\n";
    return text;
}
