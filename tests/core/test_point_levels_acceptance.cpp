// The point-level engine on the acceptance grid of barrier-embankment, whose expected
// overall levels come from an independent calculation (grid 40 m, height 4 m).
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "engine/calc_scene.h"
#include "engine/calculation.h"
#include "io/project_file.h"
#include "io_test_support.h"
#include "model/document.h"
#include "test_tolerances.h"

namespace {
}

TEST(PointLevelsAcceptance, BarrierEmbankmentGridAgreesWithTheIndependentCalculation)
{
    CMyTalvoDoc doc;
    ASSERT_TRUE(OpenProject(doc, iotest::DataPath("acceptance/barrier-embankment.tlv")).ok);
    Calculate(doc);
    const CCalcScene scene(doc);
    std::istringstream expected(iotest::ReadBytes(iotest::DataPath("acceptance/barrier-embankment.grid.txt")));
    std::string line;
    int lines = 0;
    while (std::getline(expected, line)) {
        double x = 0, y = 0, z = 0, level = 0;
        ASSERT_EQ(std::sscanf(line.c_str(), "%lf\t%lf\t%lf\t%lf", &x, &y, &z, &level), 4) << line;
        EXPECT_NEAR(EnergySum(scene.PointLevels(x, y, z)), level, kAcceptanceTol) << line;
        ++lines;
    }
    EXPECT_EQ(lines, 189);
}
