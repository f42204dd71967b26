#include "model/section_ground.h"

#include <algorithm>

bool CGroundPiece::Covers(double u) const { return std::min(u0, u1) <= u && u <= std::max(u0, u1); }

double CGroundPiece::HeightAt(double u) const
{
    if (u1 == u0)
        return std::max(h0, h1);
    return h0 + (h1 - h0) * (u - u0) / (u1 - u0);
}

double CSectionGround::HeightAt(double u) const
{
    double top = 0;
    for (const CGroundPiece& p : m_arrRaise)
        if (p.Covers(u))
            top = std::max(top, p.HeightAt(u));
    for (const CGroundPiece& p : m_arrCut)
        if (p.Covers(u))
            top = std::max(top, p.HeightAt(u));
    if (top > 0)
        return top;
    double floor = 0;
    for (const CGroundPiece& p : m_arrCut)
        if (p.Covers(u))
            floor = std::min(floor, p.HeightAt(u));
    return floor;
}

double CSectionGround::Lowest(double from, double to) const
{
    const double lo = std::min(from, to), hi = std::max(from, to);
    double lowest = std::min(HeightAt(lo), HeightAt(hi));
    for (const CGroundPiece& p : m_arrCut)
        for (double u : {p.u0, p.u1})
            if (lo <= u && u <= hi)
                lowest = std::min(lowest, HeightAt(u));
    return lowest;
}
