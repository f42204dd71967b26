#pragma once

// Computing a noise map: the levels at the nodes of a plan grid over the calculation area
// or of a vertical grid along the section line, from a prepared CCalcScene on several
// threads. Every node is computed on its own, so the levels do not depend on the number
// of threads.

#include <cstdint>
#include <string>
#include <vector>

#include "model/bands.h"
#include "model/noise_map_grid.h"
#include "model/run_progress.h"

class CCalcScene;
class CMyTalvoDoc;
struct CProjectSettings;

// The section grid reaches from the ground (height 0) up to this height, metres.
constexpr double kSectionMapTop = 30.0;
// A finer map than this many nodes is refused as a wrong spacing.
constexpr std::int64_t kMaxMapNodes = 4'000'000;

inline constexpr const char* kMapMsgNotCalculated = "소음해석을 먼저 수행하세요.";
inline constexpr const char* kMapMsgBadSpacing = "수음점 간격이 잘못되었습니다.";
inline constexpr const char* kMapMsgBadArea = "계산영역의 좌표가 잘못되었습니다.";

// Empty when a map of the document with this spacing may be computed; otherwise the message
// refusing it: no calculation yet, results stale (the model changed since), a wrong
// spacing, a wrong area.
std::string CheckNoiseMap(const CMyTalvoDoc& doc, double spacing);

// The plan grid over the calculation area at the given node height (levels not yet set).
CNoiseMapGrid PlanMapLayout(const CProjectSettings& settings, double spacing, double height, int band);
// The vertical grid along the section line, heights 0 .. kSectionMapTop (levels not yet set).
CNoiseMapGrid SectionMapLayout(const CProjectSettings& settings, double spacing, int band);

// Computes every node's level (overall or the grid's band) on `threads` threads (<= 0: one
// per core). False when cancelled; the levels are then incomplete. Each column is written by
// one worker only; progress is counted and cancellation read through the thread-safe
// CRunProgress, which another thread may watch meanwhile.
bool ComputeNoiseMap(const CCalcScene& scene, CNoiseMapGrid& grid, CRunProgress& progress, int threads);
// As ComputeNoiseMap, but the grid's nodes are counted onto a run whose total the caller set
// beforehand (CRunProgress::Start), so one progress may run once over several grids.
bool ComputeNoiseMapNodes(const CCalcScene& scene, CNoiseMapGrid& grid, CRunProgress& progress, int threads);

// The level a map shows of a point's bands: the overall level for band 0, else the band.
double MapLevel(const Bands& levels, int band);
