#pragma once

// The levels of the buildings' façade receivers: each one against every source piece of a
// scene with its building's ground factors, as a grid point is computed. The receivers are
// spread over threads; each one's levels depend on itself only, so the result is the same
// for any number of threads.

#include <vector>

#include "model/bands.h"
#include "model/facade_receivers.h"

struct CSceneData;

// Fills every receiver's m_dLevel (SumPointLevels); threads <= 0: one per core. With
// transfers, they are replaced by every receiver's energy transfer from each source of the
// scene (receiver i, source s at i * scene.m_nSourceCount + s).
void ComputeFacadeLevels(const CSceneData& scene, std::vector<CFacadeReceiver>& receivers, int threads = 0,
                         std::vector<Bands>* transfers = nullptr);
