#include "model/environment_rules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <tuple>

namespace {

constexpr CEnvEffect kNothing{};
constexpr CEnvEffect kBothViews{true, true, false};

double* NumberSlot(CProjectSettings& s, EEnvField field)
{
    switch (field) {
    case EEnvField::Temperature: return &s.m_dTemperature;
    case EEnvField::Humidity: return &s.m_dHumidity;
    case EEnvField::Pressure: return &s.m_dPressure;
    case EEnvField::AreaStartX: return &s.m_dAreaStartX;
    case EEnvField::AreaEndX: return &s.m_dAreaEndX;
    case EEnvField::AreaStartY: return &s.m_dAreaStartY;
    case EEnvField::AreaEndY: return &s.m_dAreaEndY;
    default: return nullptr;
    }
}

bool IsAreaField(EEnvField field)
{
    return field == EEnvField::AreaStartX || field == EEnvField::AreaEndX || field == EEnvField::AreaStartY ||
           field == EEnvField::AreaEndY;
}

CEnvEffect ApplySpacing(CProjectSettings& s, const std::string& text)
{
    s.m_dReceiverSpacing = std::max(0.0, ParseEnvNumber(text));
    return {true, false, s.m_dReceiverSpacing == 0.0};
}

// Empty text restores the default; other text must give a positive number.
CEnvEffect ApplySectionSpacing(CProjectSettings& s, const std::string& text)
{
    if (text.find_first_not_of(" \t") == std::string::npos) {
        s.m_dSectionSpacing = 0.0;
        return kNothing;
    }
    const double value = ParseEnvNumber(text);
    if (!(value > 0.0)) {
        CEnvEffect rejected;
        rejected.m_bRejected = true;
        return rejected;
    }
    s.m_dSectionSpacing = value;
    return kNothing;
}

// The whole text (blanks around it allowed) as a finite number.
std::optional<double> WholeNumber(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    const std::size_t last = text.find_last_not_of(" \t");
    if (first == std::string::npos)
        return std::nullopt;
    const char* begin = text.data() + first + (text[first] == '+' ? 1 : 0);
    const char* end = text.data() + last + 1;
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A façade setting takes only a whole number above `lowest` (or at it, when `lowestTaken`);
// anything else leaves it as it was. The plan view draws the façade points.
CEnvEffect ApplyFacade(double& slot, const std::string& text, double lowest, bool lowestTaken)
{
    const std::optional<double> value = WholeNumber(text);
    if (!value || *value < lowest || (*value == lowest && !lowestTaken)) {
        CEnvEffect rejected;
        rejected.m_bRejected = true;
        return rejected;
    }
    slot = *value;
    return {true, false, false};
}

CEnvEffect ApplyHeight(CProjectSettings& s, const std::string& text)
{
    s.m_dReceiverHeight = ParseEnvNumber(text);
    s.m_bReceiverHeightEmpty = text.empty();
    return {true, true, true};
}

}  // namespace

double ParseEnvNumber(const std::string& text)
{
    // Like atof, but independent of the process locale (the pane always uses '.' decimals).
    // Infinities and NaN give 0: no setting may hold them.
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return 0.0;
    if (text[first] == '+')
        ++first;
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(text.data() + first, text.data() + text.size(), value);
    if (ec != std::errc() || !std::isfinite(value))
        return 0.0;
    return value;
}

double ClampSectionPosition(double value, const CProjectSettings& settings)
{
    const double end = settings.m_nSectionAxis == 0 ? settings.m_dAreaEndX : settings.m_dAreaEndY;
    value = std::max(0.0, value);
    return value > end ? end : value;
}

CEnvEffect ApplyEnvField(CProjectSettings& s, EEnvField field, const std::string& text)
{
    switch (field) {
    case EEnvField::ProjectName: s.m_strProjectName = text; return kNothing;
    case EEnvField::SectionX: s.m_dSectionX = ClampSectionPosition(ParseEnvNumber(text), s); return kBothViews;
    case EEnvField::SectionY: s.m_dSectionY = ClampSectionPosition(ParseEnvNumber(text), s); return kBothViews;
    case EEnvField::ReceiverSpacing: return ApplySpacing(s, text);
    case EEnvField::ReceiverHeight: return ApplyHeight(s, text);
    case EEnvField::SectionSpacing: return ApplySectionSpacing(s, text);
    case EEnvField::FacadeSpacing: return ApplyFacade(s.m_dFacadeSpacing, text, 0.0, false);
    case EEnvField::FacadeDistance: return ApplyFacade(s.m_dFacadeDistance, text, 0.0, false);
    case EEnvField::FacadeHeight: return ApplyFacade(s.m_dFacadeHeight, text, 0.0, true);
    default: break;
    }
    *NumberSlot(s, field) = ParseEnvNumber(text);
    if (!IsAreaField(field))
        return kNothing;
    CEnvEffect effect = kBothViews;
    effect.m_bSectionMoved = KeepSectionInArea(s);
    return effect;
}

namespace {

// Moves `cut` to the middle of [a, b] (either order) when it lies outside; true when moved.
bool CentreIfOutside(double& cut, double a, double b)
{
    if (cut >= std::min(a, b) && cut <= std::max(a, b))
        return false;
    cut = 0.5 * (a + b);
    return true;
}

}  // namespace

bool KeepSectionInArea(CProjectSettings& s)
{
    const bool movedX = CentreIfOutside(s.m_dSectionX, s.m_dAreaStartX, s.m_dAreaEndX);
    const bool movedY = CentreIfOutside(s.m_dSectionY, s.m_dAreaStartY, s.m_dAreaEndY);
    return movedX || movedY;
}

void SettleShownSettings(CProjectSettings& s)
{
    KeepSectionInArea(s);
    s.m_bReceiverHeightEmpty = false;
}

namespace {

// Where the section line cuts across the axis it does not follow.
double SectionCut(const CProjectSettings& s) { return s.m_nSectionAxis == 1 ? s.m_dSectionY : s.m_dSectionX; }

auto NoiseMapInputs(const CProjectSettings& s)
{
    return std::make_tuple(s.m_dTemperature, s.m_dHumidity, s.m_dPressure, s.m_dAreaStartX, s.m_dAreaStartY,
                           s.m_dAreaEndX, s.m_dAreaEndY, s.m_nSectionAxis, SectionCut(s), s.m_dBaseHeight,
                           s.m_dReceiverSpacing, s.m_dReceiverHeight, s.m_bReceiverHeightEmpty, s.m_dSectionSpacing);
}

}  // namespace

bool SameNoiseMapInputs(const CProjectSettings& a, const CProjectSettings& b)
{
    return NoiseMapInputs(a) == NoiseMapInputs(b);
}

bool SameReceiverLevelInputs(const CProjectSettings& a, const CProjectSettings& b)
{
    return std::make_tuple(a.m_dTemperature, a.m_dHumidity, a.m_dPressure, a.m_dFacadeSpacing, a.m_dFacadeDistance,
                           a.m_dFacadeHeight) == std::make_tuple(b.m_dTemperature, b.m_dHumidity, b.m_dPressure,
                                                                 b.m_dFacadeSpacing, b.m_dFacadeDistance,
                                                                 b.m_dFacadeHeight);
}
