#pragma once

// The receiver grid over the calculation area. Both axes are walked by WalkAxis (repeated
// addition of the spacing to the start value), so the export, any split of the grid, the
// noise map and the plan view's grid see exactly the same points.
// Thread-safe: plain functions of their arguments.

#include <cstdint>
#include <string>
#include <vector>

#include "model/grid_walk.h"

struct CProjectSettings;

struct CReceiverGrid {
    double m_dStartX = 0, m_dStartY = 0;
    double m_dEndX = 0, m_dEndY = 0;
    double m_dSpacing = 0;  // metres, the same along x and y
    double m_dHeight = 0;   // Z of every point, absolute as stored in a receiver

    // The calculation area, the receiver spacing and the receiver height of the settings.
    static CReceiverGrid FromSettings(const CProjectSettings& settings);
};

// The x of every column, in export order. The caller has checked the grid (CheckReceiverGrid).
std::vector<double> GridColumnXs(const CReceiverGrid& grid);
// The y of the points of every column, in export order (the same for each column).
std::vector<double> GridRowYs(const CReceiverGrid& grid);

// The expected number of points shown by the progress display: the integer part of
// ((end Y - start Y) / s + 1) * ((end X - start X) / s + 1), the product truncated once.
// It can differ by a few from the points the walk yields when an end is not a multiple
// of the spacing away from its start.
std::int64_t GridProgressTotal(const CReceiverGrid& grid);

// Largest number of values along one axis; a finer grid is refused as a wrong spacing.
constexpr std::int64_t kMaxGridAxisValues = 10'000'000;
// Largest number of points of one export; a larger grid is refused with a message that
// names its number of points.
constexpr std::int64_t kMaxGridPoints = 10'000'000;

// Empty when the grid can be walked and holds at least one point; otherwise the message
// that refuses it.
std::string CheckReceiverGrid(const CReceiverGrid& grid);

// Messages of the grid checks.
inline constexpr const char* kMsgBadSpacing = "수음점 간격이 잘못되었습니다.";
inline constexpr const char* kMsgEmptyGrid = "저장할 수음점이 없습니다. 계산영역의 끝 좌표가 시작 좌표보다 작습니다.";
inline constexpr const char* kMsgBadArea = "계산영역의 좌표가 잘못되었습니다.";
