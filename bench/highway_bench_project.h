#pragma once

// The engine benchmark's project, built in code: a dual carriageway 1 km long (two
// 4-lane roads of 125 source points each) on an embankment 3 m high, an absorptive
// barrier beside each carriageway, and a calculation area of 1.2 km x 0.6 km whose
// 20 m receiver grid at 4 m height has 61 x 31 = 1,891 points. With extraBarriers the
// project gains a row of 38 building-sized barriers (20 m long, 6 to 12 m high, 40 to
// 300 m from the road), as absorptive as the road's own barriers. AddApartmentBlocks adds
// a row of apartment blocks instead.

#include <string>

#include "model/document.h"

namespace benchproject {

inline constexpr int kExtraBarrierCount = 38;

inline CRoad Carriageway(double y)
{
    CRoad r;
    r.SetGeometry(100.0, y, 1100.0, y, 3.0, 3.0, 15.0, 1000.0, 125);
    r.ComputeAngle();
    r.m_dUserPowerLevel = {88.0, 91.0, 95.0, 99.0, 102.0, 99.0, 93.0, 85.0};
    return r;
}

inline CBarrier_Stage AbsorptiveBarrier(double sx, double sy, double ex, double ey, double height)
{
    CBarrier_Stage b;
    b.SetGeometry(sx, sy, ex, ey, height, 0);
    b.ComputeAngle();
    b.m_dAbsorption.fill(0.9);
    return b;
}

// The row of buildings: 19 on each side of the road, 50 m apart along it, their
// distance from the road axis and their height varying from one to the next.
inline void AddBuildingRow(CMyTalvoDoc& doc)
{
    for (int i = 0; i < kExtraBarrierCount; ++i) {
        const int k = i / 2;
        const double x = 130.0 + 50.0 * k;
        const double distance = 40.0 + static_cast<double>((k * 37 + i * 11) % 261);
        const double y = i % 2 == 0 ? 300.0 - distance : 300.0 + distance;
        const double height = 6.0 + static_cast<double>((i * 5) % 7);
        doc.m_arrBarrier.push_back(AbsorptiveBarrier(x, y, x + 20.0, y, height));
    }
}

inline constexpr int kBlockCount = 20;

// Twenty apartment blocks of 15 floors of 2.9 m, 60 m x 15 m, ten on each side of the
// road, 100 m apart along it, their near walls 40 to 130 m from the road axis (80 walls,
// about 5,000 façade receivers with the default façade settings). The walls reflect as
// walls with windows do (absorption 0.2), or absorb everything (1.0).
inline void AddApartmentBlocks(CMyTalvoDoc& doc, bool absorbing = false)
{
    for (int i = 0; i < kBlockCount; ++i) {
        const int k = i / 2;
        const double x = 150.0 + 100.0 * k;
        const double near = 40.0 + static_cast<double>((k * 37) % 91);
        const double y0 = i % 2 == 0 ? 300.0 - near - 15.0 : 300.0 + near;
        CBuilding b;
        b.m_arrFootprint = {{x, y0, 0.0}, {x, y0 + 15.0, 0.0}, {x + 60.0, y0 + 15.0, 0.0}, {x + 60.0, y0, 0.0}};
        b.m_nFloors = 15;
        b.m_dFloorHeight = 2.9;
        b.m_pName = std::to_string(101 + i) + "동";
        if (absorbing)
            b.m_dAbsorption.fill(1.0);
        doc.m_arrBuilding.push_back(b);
    }
}

inline CMyTalvoDoc HighwayBenchProject(bool extraBarriers)
{
    CMyTalvoDoc doc;
    CProjectSettings& s = doc.m_settings;
    s.m_dAreaStartX = 0.0;
    s.m_dAreaStartY = 0.0;
    s.m_dAreaEndX = 1200.0;
    s.m_dAreaEndY = 600.0;
    s.m_dReceiverSpacing = 20.0;
    s.m_dReceiverHeight = 4.0;
    s.m_bReceiverHeightEmpty = false;
    doc.m_arrRoad = {Carriageway(292.0), Carriageway(308.0)};
    CSungto bank;
    bank.SetGeometry(100.0, 300.0, 1100.0, 300.0, 3.0, 50.0, 1000.0);
    bank.ComputeAngle();
    bank.m_dAbsorption.fill(0.9);
    doc.m_arrEmbankment.push_back(bank);
    doc.m_arrBarrier = {AbsorptiveBarrier(100.0, 282.0, 1100.0, 282.0, 6.0),
                        AbsorptiveBarrier(100.0, 318.0, 1100.0, 318.0, 6.0)};
    if (extraBarriers)
        AddBuildingRow(doc);
    doc.MakeBaselineCopies();
    return doc;
}

}  // namespace benchproject
