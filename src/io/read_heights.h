#pragma once

// The two heights both file forms derive from the entities they read. A height that is
// not a finite number (nan, inf, 1e400 in a damaged file) never becomes one of them:
// every height of the engine is measured from the base height, and one infinity there
// would spoil them all.

#include <cmath>
#include <vector>

#include "model/entities.h"

// The base height: the lowest finite cutting height, never above 0.
inline double LowestCuttingHeight(const std::vector<CJulto>& cuttings)
{
    double lowest = 0.0;
    for (const CJulto& c : cuttings)
        if (std::isfinite(c.m_dHeight) && c.m_dHeight < lowest)
            lowest = c.m_dHeight;
    return lowest;
}

// The receiver grid height: the Z of the last receiver, 0 when there is none or its Z
// is not finite.
inline double LastReceiverHeight(const std::vector<CReceiverPoint>& receivers)
{
    if (receivers.empty() || !std::isfinite(receivers.back().m_dZ))
        return 0.0;
    return receivers.back().m_dZ;
}
