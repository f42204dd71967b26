#pragma once

// The 5 dB level classes of a noise map and their colours, after the scale noise maps
// conventionally use (DIN 18005-2 / ISO 1996-2 tradition): below 35, 35-40, ..., 75-80,
// 80 and above. A class holds its lower edge and not its upper one (35.00 is 35-40).

#include <array>
#include <string>

constexpr int kLevelClassCount = 11;
constexpr int kNoLevelClass = -1;  // a level without energy (or not a number): not drawn
constexpr double kLowestClassEdge = 35.0;
constexpr double kHighestClassEdge = 80.0;
constexpr double kClassWidth = 5.0;  // dB

// 0: below 35, 1: 35-40, ..., 9: 75-80, 10: 80 and above; kNoLevelClass without energy.
int LevelClass(double level);

// "#RRGGBB" of a class (0..10).
const char* LevelClassColour(int levelClass);

// Lower and upper edges of a class; the open ends are -infinity and +infinity.
double LevelClassLow(int levelClass);
double LevelClassHigh(int levelClass);

// The class edges 35, 40, ..., 80, where the iso-lines are drawn.
std::array<double, kLevelClassCount - 1> LevelClassEdges();

// Legend text of a class: "< 35", "35 - 40", ..., ">= 80".
std::string LevelClassLabel(int levelClass);

// The unit shown over the legend: "dB(A)", or "dB(A) 500 Hz" for one octave band (1..8).
std::string NoiseMapUnit(int band);
