#pragma once

// The levels of the buildings' façade receivers: each one against every source piece of a
// scene, as an ordinary receiver at the same point with the same ground factors. The
// receivers are spread over threads; each one's levels depend on itself only, so the
// result is the same for any number of threads.

#include <vector>

#include "model/facade_receivers.h"

struct CSceneData;

// Fills every receiver's m_dLevel with the energy sum, piece by piece in the scene's order,
// of the contributions of every piece (as the summation of an ordinary receiver); threads
// <= 0: one per core.
void ComputeFacadeLevels(const CSceneData& scene, std::vector<CFacadeReceiver>& receivers, int threads = 0);
