#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "model/entities.h"
#include "model/trans_matrix.h"

namespace {
constexpr double kTightTol = 1e-12;
}

TEST(Geometry, CrossAndLengths)
{
    const CMVector c = Cross({1, 0, 0}, {0, 1, 0});
    EXPECT_EQ(c, CMVector(0, 0, 1));
    EXPECT_DOUBLE_EQ(PlanLength({3, 4, 12}), 5.0);
    EXPECT_DOUBLE_EQ(Length({3, 4, 12}), 13.0);
    EXPECT_NE(CMVector(1, 2, 3), CMVector(1, 2, 3 + 1e-12));
    EXPECT_EQ(CMVector(4, 5, 6).element(-1), 6.0);
}

TEST(Geometry, TransformsComposeRotateThenTranslate)
{
    const CTransMatrix m = CTransMatrix::Translation(1, 2, 3) * CTransMatrix::RotationZ(std::numbers::pi / 2);
    const CMVector p = Apply(m, {1, 0, 0});
    EXPECT_NEAR(p.x, 1, kTightTol);
    EXPECT_NEAR(p.y, 3, kTightTol);
    EXPECT_NEAR(p.z, 3, kTightTol);
    EXPECT_EQ(Apply(CTransMatrix(), {5, 6, 7}), CMVector(0, 0, 0));
    // RotationX turns by -theta: (0,1,0) goes to (0, cos, -sin).
    const CMVector q = Apply(CTransMatrix::RotationX(std::numbers::pi / 2), {0, 1, 0});
    EXPECT_NEAR(q.z, -1, kTightTol);
}

TEST(Geometry, BarrierHeadingsFollowThePlanRule)
{
    CBarrier_Stage b;
    b.SetGeometry(0, 0, 0, 10, 3, 0);
    b.ComputeAngle();
    EXPECT_NEAR(b.m_dAngle, std::numbers::pi / 2, kTightTol);
    b.SetGeometry(0, 10, 0, 0, 3, 0);
    b.ComputeAngle();
    EXPECT_NEAR(b.m_dAngle, -std::numbers::pi / 2, kTightTol);
    b.SetGeometry(0, 0, 10, 0, 3, 0);
    b.ComputeAngle();
    EXPECT_EQ(b.m_dAngle, 0.0);
    EXPECT_TRUE(std::signbit(b.m_dAngle));  // -0 along +X
    b.SetGeometry(0, 0, -10, 0, 3, 0);
    b.ComputeAngle();
    EXPECT_NEAR(b.m_dAngle, -std::numbers::pi, kTightTol);
}

TEST(Geometry, CoincidentEndsHaveHeadingZero)
{
    CRoad r;
    r.SetGeometry(5, 5, 5, 5, 0, 3, 10, 3, 1);
    r.ComputeAngle();
    EXPECT_EQ(r.m_dAngle, 0.0);
}
