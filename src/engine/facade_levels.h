#pragma once

// The levels of the buildings' façade receivers: each one against every source piece of a
// scene with its building's ground factors, as a grid point is computed. The receivers are
// spread over threads; each one's levels depend on itself only, so the result is the same
// for any number of threads.

#include <vector>

#include "model/facade_receivers.h"

struct CSceneData;

// Fills every receiver's m_dLevel (SumPointLevels); threads <= 0: one per core.
void ComputeFacadeLevels(const CSceneData& scene, std::vector<CFacadeReceiver>& receivers, int threads = 0);
