#include "maps/noise_map_difference.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "model/bands.h"
#include "model/project_settings.h"

namespace {

constexpr double kFineReach = 10.0;    // dB, the outermost edge of the 1 dB scale
constexpr double kCoarseReach = 18.0;  // dB, the outermost edge of the 3 dB scale

struct CRgb {
    double r, g, b;
};

// A red-blue diverging ramp (light to dark on either side of a light grey), so that equal
// steps of the difference read as equal steps of lightness on both sides.
constexpr std::array<CRgb, 5> kBlues{{{209, 229, 240}, {146, 197, 222}, {67, 147, 195}, {33, 102, 172}, {5, 48, 97}}};
constexpr std::array<CRgb, 5> kReds{{{253, 219, 199}, {244, 165, 130}, {214, 96, 77}, {178, 24, 43}, {103, 0, 31}}};
constexpr const char* kNeutral = "#F7F7F7";

std::string Hex(const CRgb& c)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", int(std::lround(c.r)), int(std::lround(c.g)),
                  int(std::lround(c.b)));
    return text;
}

// The ramp's colour at t in [0, 1] (0 its lightest end), linear between its stops.
std::string RampColour(const std::array<CRgb, 5>& ramp, double t)
{
    const double at = std::clamp(t, 0.0, 1.0) * double(ramp.size() - 1);
    const std::size_t k = std::min(ramp.size() - 2, std::size_t(at));
    const double f = at - double(k);
    const CRgb& a = ramp[k];
    const CRgb& b = ramp[k + 1];
    return Hex({a.r + f * (b.r - a.r), a.g + f * (b.g - a.g), a.b + f * (b.b - a.b)});
}

bool SameLine(const CNoiseMapGrid& a, const CNoiseMapGrid& b)
{
    if (a.m_kind == CNoiseMapGrid::EKind::Plan)
        return a.m_dHeight == b.m_dHeight;
    return a.m_nSectionAxis == b.m_nSectionAxis && a.m_dFixed == b.m_dFixed;
}

std::string Signed(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%+g", value);
    return text;
}

}  // namespace

std::string CheckSameMapGrid(const CNoiseMapGrid& a, const CNoiseMapGrid& b)
{
    const bool same = a.m_kind == b.m_kind && a.m_nBand == b.m_nBand && a.m_dStartU == b.m_dStartU &&
                      a.m_dEndU == b.m_dEndU && a.m_dStartV == b.m_dStartV && a.m_dEndV == b.m_dEndV &&
                      a.m_arrU == b.m_arrU && a.m_arrV == b.m_arrV && SameLine(a, b) &&
                      a.m_arrLevel.size() == b.m_arrLevel.size() &&
                      a.m_arrLevel.size() == a.m_arrU.size() * a.m_arrV.size();
    return same ? std::string() : kMapMsgOtherGrid;
}

bool SameCalculationArea(const CProjectSettings& a, const CProjectSettings& b)
{
    return a.m_dAreaStartX == b.m_dAreaStartX && a.m_dAreaEndX == b.m_dAreaEndX && a.m_dAreaStartY == b.m_dAreaStartY &&
           a.m_dAreaEndY == b.m_dAreaEndY;
}

std::string SubtractMapGrids(const CNoiseMapGrid& a, const CNoiseMapGrid& b, CNoiseMapGrid& difference)
{
    if (std::string refusal = CheckSameMapGrid(a, b); !refusal.empty())
        return refusal;
    CNoiseMapGrid result = a;
    result.m_pRefinement.reset();  // a's own refinement says nothing of the difference
    for (std::size_t n = 0; n < result.m_arrLevel.size(); ++n) {
        const double la = a.m_arrLevel[n], lb = b.m_arrLevel[n];
        result.m_arrLevel[n] = HasEnergy(la) && HasEnergy(lb) ? la - lb : kNoEnergy;
    }
    difference = std::move(result);
    return {};
}

CMapLevelAt DifferenceLevelAt(CMapLevelAt minuend, CMapLevelAt subtrahend)
{
    return [minuend = std::move(minuend), subtrahend = std::move(subtrahend)](double u, double v) {
        const double a = minuend(u, v), b = subtrahend(u, v);
        if (std::isnan(a) || std::isnan(b))
            return std::nan("");
        return HasEnergy(a) && HasEnergy(b) ? a - b : kNoEnergy;
    };
}

bool IsDifferenceStep(double step) { return step == kDifferenceStepFine || step == kDifferenceStepCoarse; }

CMapScale DifferenceMapScale(double step)
{
    if (!IsDifferenceStep(step))
        step = kDifferenceStepFine;
    const int count = int(std::lround((step == kDifferenceStepFine ? kFineReach : kCoarseReach) / step));
    CMapScale scale;
    for (int k = count; k >= 1; --k)
        scale.edges.push_back(-k * step);
    for (int k = 1; k <= count; ++k)
        scale.edges.push_back(k * step);
    // Band i of the blues (0 the lowest, below -count * step) is the darkest.
    const double last = std::max(1, count - 1);
    for (int i = 0; i < count; ++i)
        scale.colours.push_back(RampColour(kBlues, double(count - 1 - i) / last));
    scale.colours.emplace_back(kNeutral);
    for (int i = 0; i < count; ++i)
        scale.colours.push_back(RampColour(kReds, double(i) / last));
    return scale;
}

std::vector<std::string> DifferenceScaleLabels(const CMapScale& scale)
{
    std::vector<std::string> labels;
    if (scale.edges.empty())
        return labels;
    labels.push_back("< " + Signed(scale.edges.front()));
    for (std::size_t i = 0; i + 1 < scale.edges.size(); ++i)
        labels.push_back(Signed(scale.edges[i]) + " ~ " + Signed(scale.edges[i + 1]));
    labels.push_back(">= " + Signed(scale.edges.back()));
    return labels;
}
