#pragma once

// The tolerances most tests compare with. A test that needs another keeps its own, under
// its own name.

inline constexpr double kLevelTol = 0.01;       // dB
inline constexpr double kAcceptanceTol = 0.02;  // dB and metres, as the reference results are given
inline constexpr double kTol = 1e-9;            // coordinates and other exact arithmetic
inline constexpr double kCoordTol = 1e-9;       // m
inline constexpr double kPosTol = 1e-9;         // m
inline constexpr double kAreaTol = 1e-6;        // m², over areas of some thousand m²
