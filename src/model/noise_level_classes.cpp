#include "model/noise_level_classes.h"

#include <cmath>
#include <limits>

#include "model/bands.h"

namespace {

constexpr std::array<const char*, kLevelClassCount> kClassColours = {"#C0FFC0", "#00CC00", "#005000", "#FFFF00",
                                                                     "#FFC74A", "#FF6600", "#FF3333", "#990033",
                                                                     "#AD9AD6", "#0000FF", "#000066"};

constexpr std::array<const char*, kBandCount> kBandNames = {"63 Hz", "125 Hz", "250 Hz", "500 Hz",
                                                            "1K Hz", "2K Hz",  "4K Hz",  "8K Hz"};

bool ValidClass(int levelClass) { return levelClass >= 0 && levelClass < kLevelClassCount; }

std::string EdgeText(double edge) { return std::to_string(static_cast<int>(edge)); }

}  // namespace

int LevelClass(double level)
{
    if (!HasEnergy(level))
        return kNoLevelClass;
    if (level < kLowestClassEdge)
        return 0;
    if (level >= kHighestClassEdge)
        return kLevelClassCount - 1;
    return static_cast<int>(std::floor((level - kLowestClassEdge) / kClassWidth)) + 1;
}

const char* LevelClassColour(int levelClass)
{
    return ValidClass(levelClass) ? kClassColours[std::size_t(levelClass)] : "#FFFFFF";
}

double LevelClassLow(int levelClass)
{
    if (levelClass <= 0)
        return -std::numeric_limits<double>::infinity();
    return kLowestClassEdge + (levelClass - 1) * kClassWidth;
}

double LevelClassHigh(int levelClass)
{
    if (levelClass >= kLevelClassCount - 1)
        return std::numeric_limits<double>::infinity();
    return kLowestClassEdge + levelClass * kClassWidth;
}

std::array<double, kLevelClassCount - 1> LevelClassEdges()
{
    std::array<double, kLevelClassCount - 1> edges{};
    for (std::size_t i = 0; i < edges.size(); ++i)
        edges[i] = kLowestClassEdge + double(i) * kClassWidth;
    return edges;
}

std::string LevelClassLabel(int levelClass)
{
    if (!ValidClass(levelClass))
        return {};
    if (levelClass == 0)
        return "< " + EdgeText(kLowestClassEdge);
    if (levelClass == kLevelClassCount - 1)
        return ">= " + EdgeText(kHighestClassEdge);
    return EdgeText(LevelClassLow(levelClass)) + " - " + EdgeText(LevelClassHigh(levelClass));
}

std::string NoiseMapUnit(int band)
{
    if (band >= 1 && band <= kBandCount)
        return std::string("dB(A) ") + kBandNames[std::size_t(band - 1)];
    return "dB(A)";
}
