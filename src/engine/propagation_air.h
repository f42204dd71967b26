#pragma once

// Air tables of one calculation (ISO 9613-1) and the air absorption of a path.
// Pure functions of their arguments: safe on any thread.

#include "model/bands.h"

struct CAirTables {
    Bands m_dWavelength{};  // metres, at the nominal band frequencies
    Bands m_dAbsorption{};  // alpha in dB per metre, at the exact band-centre frequencies
};

// temperatureC in degrees Celsius, humidity in per cent relative humidity, pressureKPa in kPa.
CAirTables PrepareAirTables(double temperatureC, double humidity, double pressureKPa);

// Speed of sound in m/s at temperatureC: 343.2 m/s at 20 degrees Celsius.
double SpeedOfSound(double temperatureC);

// Nominal band frequency (63, 125, ... 8000 Hz) and exact centre 62.5 * 2^band.
double NominalBandFrequency(int band);
double ExactBandFrequency(int band);

// A_atm of every band over the 3-D distance d (metres).
Bands AirAbsorption(const CAirTables& air, double distance);
