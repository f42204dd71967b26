#include <gtest/gtest.h>

#include <cmath>

#include "model/bands.h"

namespace {
constexpr double kExactLevelTol = 1e-9;
}

TEST(EnergySum, AddsEnergyAndIgnoresEmptyTerms)
{
    EXPECT_NEAR(EnergyAdd(60.0, 60.0), 60.0 + 10.0 * std::log10(2.0), kExactLevelTol);
    EXPECT_EQ(EnergyAdd(kNoEnergy, 55.0), 55.0);
    EXPECT_EQ(EnergyAdd(55.0, std::nan("")), 55.0);
    EXPECT_FALSE(HasEnergy(EnergyAdd(kNoEnergy, kNoEnergy)));
    Bands none;
    none.fill(kNoEnergy);
    EXPECT_FALSE(HasEnergy(EnergySum(none)));
    EXPECT_EQ(FormatLevel(EnergySum(none)), kNoEnergyMark);
    EXPECT_EQ(FormatLevel(70.004), "70.00");
}
