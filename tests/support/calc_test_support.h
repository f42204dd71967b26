#pragma once

// Small projects built in code for the tests of the calculate command.

#include <cmath>

#include "model/document.h"

namespace calctest {

// A straight road of the given pieces whose whole band power is 'power' in every band.
inline CRoad Road(double sx, double sy, double ex, double ey, double z, double width, int pieces, double power = 100.0)
{
    CRoad r;
    const double length = std::hypot(ex - sx, ey - sy);
    r.SetGeometry(sx, sy, ex, ey, z, z, width, length, pieces);
    r.ComputeAngle();
    r.m_dUserPowerLevel.fill(power);
    return r;
}

inline CBarrier_Stage Barrier(double sx, double sy, double ex, double ey, double height, double absorption = 0.0,
                              int attenuator = 0)
{
    CBarrier_Stage b;
    b.SetGeometry(sx, sy, ex, ey, height, attenuator);
    b.ComputeAngle();
    b.m_dAbsorption.fill(absorption);
    return b;
}

inline CReceiverPoint Receiver(double x, double y, double z)
{
    CReceiverPoint r;
    r.SetPosition(x, y, z);
    return r;
}

}  // namespace calctest
