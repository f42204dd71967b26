#pragma once

// Computing a noise map: the levels at the nodes of a plan grid over the calculation area
// or of a vertical grid along the section line, from a prepared CCalcScene on several
// threads. Every node is computed on its own, so the levels do not depend on the number
// of threads.

#include <cstdint>
#include <string>
#include <vector>

#include "maps/noise_map_refine.h"
#include "model/bands.h"
#include "model/noise_map_grid.h"
#include "model/run_progress.h"

class CCalcScene;
class CMyTalvoDoc;
struct CProjectSettings;
struct CSectionGround;

// The section grid reaches from the lowest ground of the section line this high, metres.
constexpr double kSectionMapHeight = 30.0;
// The section spacing when none is set: the finer of kSectionSpacingCap and the receiver
// spacing over kSectionSpacingDivisor, metres.
constexpr double kSectionSpacingCap = 1.0;
constexpr double kSectionSpacingDivisor = 5.0;
// A finer map than this many nodes is refused as a wrong spacing.
constexpr std::int64_t kMaxMapNodes = 4'000'000;

inline constexpr const char* kMapMsgNotCalculated = "소음해석을 먼저 수행하세요.";
inline constexpr const char* kMapMsgBadSpacing = "수음점 간격이 잘못되었습니다.";
inline constexpr const char* kMapMsgBadArea = "계산영역의 좌표가 잘못되었습니다.";
inline constexpr const char* kMapMsgBadSectionSpacing = "단면 간격이 잘못되었습니다. 0보다 큰 값을 입력하세요.";

// Empty when a plan map of the document with this spacing may be computed; otherwise the
// message refusing it: no calculation yet, results stale (the model changed since), a wrong
// spacing, a wrong area.
std::string CheckNoiseMap(const CMyTalvoDoc& doc, double spacing);

// The spacing of the section grid: the one set, else the finer of 1 m and a fifth of the
// receiver spacing.
double SectionSpacing(const CProjectSettings& settings);
// Empty when a section grid of this spacing may be laid along the section line; otherwise
// the message refusing it: not a positive number, or so fine that the grid would have more
// than kMaxMapNodes nodes (the message gives the count). A wrong area is CheckNoiseMap's.
std::string CheckSectionMap(const CProjectSettings& settings, double spacing);

// The plan grid over the calculation area at the given node height (levels not yet set).
CNoiseMapGrid PlanMapLayout(const CProjectSettings& settings, double spacing, double height, int band);
// The vertical grid along the section line with one spacing along the line and in height,
// from the lowest ground of the line up kSectionMapHeight; each column knows the ground
// under it, and the nodes below it are never computed (levels not yet set).
CNoiseMapGrid SectionMapLayout(const CProjectSettings& settings, const CSectionGround& ground, double spacing,
                               int band);

// Computes every node's level (overall or the grid's band) on `threads` threads (<= 0: the
// default of map_workers.h). False when cancelled; the levels are then incomplete. Each node is written by
// one worker only; progress is counted and cancellation read through the thread-safe
// CRunProgress, which another thread may watch meanwhile.
bool ComputeNoiseMap(const CCalcScene& scene, CNoiseMapGrid& grid, CRunProgress& progress, int threads);
// As ComputeNoiseMap, but the grid's nodes are counted onto a run whose total the caller set
// beforehand (CRunProgress::Start), so one progress may run once over several grids.
bool ComputeNoiseMapNodes(const CCalcScene& scene, CNoiseMapGrid& grid, CRunProgress& progress, int threads);

// The level a map shows of a point's bands: the overall level for band 0, else the band.
double MapLevel(const Bands& levels, int band);

// The level the scene gives at any point (u, v) of the grid's plane, as ComputeNoiseMap
// computes it at the nodes: the overall level or the grid's band. With the section's
// ground, points below it are in the soil and not mapped (NaN). The scene must outlive
// the function; the grid need not.
CMapLevelAt SceneLevelAt(const CCalcScene& scene, const CNoiseMapGrid& grid, const CSectionGround* ground = nullptr);
