#pragma once

// A small calculated project for the tests of barrier designs for several receivers and
// buildings: a road along y = 0, a reflecting barrier south of it, a block of six floors
// north of it, and receivers north of the road, beside the block and high behind the
// southern barrier (where a candidate north of the road reflects to).

#include "calc_test_support.h"
#include "engine/calculation.h"
#include "optimise/barrier_optimisation.h"

namespace designtest {

inline CBuilding Block()
{
    CBuilding b;
    b.m_arrFootprint = {{20, 30, 0}, {20, 45, 0}, {80, 45, 0}, {80, 30, 0}};
    b.m_nFloors = 6;
    b.m_pName = "101동";
    return b;
}

inline CMyTalvoDoc DesignProject()
{
    using namespace calctest;
    CMyTalvoDoc doc;
    doc.m_arrRoad.push_back(Road(-150, 0, 250, 0, 0.5, 7.0, 40, 100));
    doc.m_arrBarrier.push_back(Barrier(-50, -12, 150, -12, 4.0, 0.05));
    doc.m_arrBuilding.push_back(Block());
    for (const auto& [x, y, z] : {std::tuple{50.0, 20.0, 1.5}, {120.0, 40.0, 4.0}, {60.0, -25.0, 6.0}})
        doc.m_arrReceiver.push_back(Receiver(x, y, z));
    Calculate(doc);
    return doc;
}

// A design line 10 m north of the road axis, from x = -40 to 140.
inline COptDesign Design(double maxHeight = 8.0, double lengthStep = 20.0, double heightStep = 1.0)
{
    return {-40, 10, 140, 10, maxHeight, lengthStep, heightStep};
}

inline CBarrier_Stage Candidate(double x1, double x2, double height)
{
    return calctest::Barrier(x1, 10, x2, 10, height);
}

}  // namespace designtest
