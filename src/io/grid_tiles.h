#pragma once

// Cutting the receiver grid into tiles for separate runs (a cluster job array, a few
// machines sharing a folder). A tile is a run of whole columns of x in export order; the
// first tiles take one column more when the columns do not divide evenly. The columns are
// those of the export's own walk (GridColumnXs), so the tile files written one after the
// other are the untiled file byte for byte.
// Thread-safe: plain functions of their arguments.

#include <cstdint>
#include <string>
#include <vector>

#include "io/receiver_grid.h"

// Tile K of N, both counted from 1.
struct CTileSpec {
    long long m_nTile = 1;
    long long m_nCount = 1;
};

// Columns [m_nFirstColumn, m_nFirstColumn + m_nColumns) of the grid's column walk.
struct CGridTile {
    long long m_nNumber = 0;  // from 1
    std::size_t m_nFirstColumn = 0;
    std::size_t m_nColumns = 0;
    double m_dFirstX = 0, m_dLastX = 0;
    std::int64_t m_nPoints = 0;  // m_nColumns * rows
};

struct CTilePlan {
    std::size_t m_nColumns = 0;
    std::size_t m_nRows = 0;
    std::int64_t m_nPoints = 0;  // lines of the untiled file
    std::vector<CGridTile> m_arrTile;
};

// Parses "K/N": two decimal whole numbers with 1 <= K <= N, nothing else. Empty when it
// worked, otherwise the message refusing the text.
std::string ParseTileSpec(const std::string& text, CTileSpec& tileSpec);

// Empty when a grid of `columns` columns can be cut into `count` tiles (1 <= count <=
// columns, every tile at least one column); otherwise the message refusing it.
std::string CheckTileCount(std::size_t columns, long long count);

// Which columns tile `number` of `count` takes, out of `columns`; count checked before.
CGridTile TileColumns(std::size_t columns, long long count, long long number);

// The plan of a checked grid (CheckReceiverGrid) cut into a checked number of tiles.
CTilePlan PlanGridTiles(const CReceiverGrid& grid, long long count);

// The plan as tab-separated text, one record a line ending in LF:
//   points<TAB>P  columns<TAB>C  rows<TAB>R  tiles<TAB>N
//   tile<TAB>K<TAB>first x<TAB>last x<TAB>columns<TAB>points   (one line per tile, K from 1)
// with x as "%.2f", the form of the export's lines.
std::string FormatTilePlan(const CTilePlan& plan);
