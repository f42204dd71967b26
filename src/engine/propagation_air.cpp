#include "engine/propagation_air.h"

#include <cmath>

namespace {

constexpr double kZeroCelsius = 273.15;   // K
constexpr double kReferenceT = 293.15;    // T0 of ISO 9613-1, K
constexpr double kTriplePointT = 273.16;  // T01 of ISO 9613-1, K
constexpr double kReferenceP = 101.325;   // p_r, kPa

// Molar concentration of water vapour in per cent, ISO 9613-1 eq. (B.1)/(B.2).
double WaterVapourConcentration(double tK, double humidity, double pRel)
{
    const double psatOverPr = std::pow(10.0, 4.6151 - 6.8346 * std::pow(kTriplePointT / tK, 1.261));
    return humidity * psatOverPr / pRel;
}

// Relaxation frequency of oxygen, ISO 9613-1 eq. (3).
double OxygenRelaxation(double pRel, double h) { return pRel * (24.0 + 40400.0 * h * (0.02 + h) / (0.391 + h)); }

// Relaxation frequency of nitrogen, ISO 9613-1 eq. (4).
double NitrogenRelaxation(double pRel, double tRel, double h)
{
    return pRel * std::pow(tRel, -0.5) * (9.0 + 280.0 * h * std::exp(-4.17 * (std::pow(tRel, -1.0 / 3.0) - 1.0)));
}

struct AirState {
    double tK, tRel, pRel, frO, frN;
};

// Attenuation coefficient in dB per metre at frequency f, ISO 9613-1 eq. (5).
double AbsorptionAt(const AirState& a, double f)
{
    const double f2 = f * f;
    const double classical = 1.84e-11 / a.pRel * std::sqrt(a.tRel);
    const double oxygen = 0.01275 * std::exp(-2239.1 / a.tK) / (a.frO + f2 / a.frO);
    const double nitrogen = 0.1068 * std::exp(-3352.0 / a.tK) / (a.frN + f2 / a.frN);
    return 8.686 * f2 * (classical + std::pow(a.tRel, -2.5) * (oxygen + nitrogen));
}

}  // namespace

double SpeedOfSound(double temperatureC) { return 343.2 * std::sqrt((temperatureC + kZeroCelsius) / kReferenceT); }

double ExactBandFrequency(int band) { return 62.5 * std::pow(2.0, band); }

double NominalBandFrequency(int band) { return std::floor(ExactBandFrequency(band) + 0.5); }

CAirTables PrepareAirTables(double temperatureC, double humidity, double pressureKPa)
{
    AirState a{};
    a.tK = temperatureC + kZeroCelsius;
    a.tRel = a.tK / kReferenceT;
    a.pRel = pressureKPa / kReferenceP;
    const double h = WaterVapourConcentration(a.tK, humidity, a.pRel);
    a.frO = OxygenRelaxation(a.pRel, h);
    a.frN = NitrogenRelaxation(a.pRel, a.tRel, h);

    CAirTables air;
    const double c = SpeedOfSound(temperatureC);
    for (int j = 0; j < kBandCount; ++j) {
        air.m_dWavelength[j] = c / NominalBandFrequency(j);
        air.m_dAbsorption[j] = AbsorptionAt(a, ExactBandFrequency(j));
    }
    return air;
}

Bands AirAbsorption(const CAirTables& air, double distance)
{
    Bands a{};
#pragma GCC unroll 8
    for (int j = 0; j < kBandCount; ++j)
        a[j] = air.m_dAbsorption[j] * distance;
    return a;
}
