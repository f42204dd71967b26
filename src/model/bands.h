#pragma once

#include <array>
#include <limits>
#include <string>

// Octave bands 63, 125, 250, 500, 1000, 2000, 4000 and 8000 Hz, always in this order.
constexpr int kBandCount = 8;
using Bands = std::array<double, kBandCount>;

// A level carrying no energy (an energy sum over no terms, a band without traffic).
// It adds nothing to any energy sum and is shown as kNoEnergyMark, never as a number.
constexpr double kNoEnergy = -std::numeric_limits<double>::infinity();
inline constexpr const char* kNoEnergyMark = "-";

// Eight bands without energy: a spectrum of no sound (no source, no result).
inline Bands NoEnergyBands()
{
    Bands b;
    b.fill(kNoEnergy);
    return b;
}

// True when the level carries energy (finite; NaN never does).
bool HasEnergy(double level);

// 10*lg(10^(a/10) + 10^(b/10)); a level without energy adds nothing.
double EnergyAdd(double a, double b);

// Energy sum of the eight bands (the "Overall"); kNoEnergy when no band has energy.
double EnergySum(const Bands& levels);

// "%.2f" of any value, whole however long (a coordinate of the tables and files).
std::string FormatFixed2(double value);
// "%.2f" of the level, or kNoEnergyMark when it carries no energy.
std::string FormatLevel(double level);

// 10*lg(length): what turns a line source's level per metre into the level of its whole length.
double LengthTerm(double length);
// The per-metre levels of a line source's stored whole-length levels; no energy, or no
// length, gives no energy.
Bands PerMetreLevels(const Bands& stored, double length);
