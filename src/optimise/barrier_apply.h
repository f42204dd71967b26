#pragma once

// Applying the optimised barrier: it becomes an ordinary barrier of the project unless a
// barrier already stands between the same two points (in either direction).
// Not thread-safe: it changes the document's barrier list.

#include <string>

#include "model/entities.h"
#include "optimise/barrier_optimisation.h"

inline constexpr const char* kMsgBarrierExists = "동일한 지점에 방음벽이 존재합니다.";
inline constexpr const char* kMsgNoOptimisedBarrier =
    "적용할 최적 방음벽이 없습니다. 최적 방음벽 계산을 먼저 실행하여 주십시오.";

// The barrier built from the result fields: absorption 0, empty descriptions, the
// identity text of its four coordinates, its direction angle.
CBarrier_Stage MakeOptimisedBarrier(const COptBarrierResult& fields);

// Appends the barrier of fields to doc and returns an empty text; otherwise leaves doc as
// it was and returns the refusal: no result to apply (hasResult false), or a barrier at
// the same place.
std::string ApplyOptimisedBarrier(CMyTalvoDoc& doc, const COptBarrierResult& fields, bool hasResult);

// Clears the candidate barrier: coordinates, height, angle and absorption 0.
void ClearOptBarrier(CMyTalvoDoc& doc);
