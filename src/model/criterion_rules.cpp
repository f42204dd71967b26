#include "model/criterion_rules.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace {

bool IsCriterionBlank(char c) { return c == ' ' || c == '\t'; }

// The whole text, blanks around it allowed: empty gives an empty optional inside; text that is
// not one finite number gives none at all.
std::optional<std::optional<double>> ParseOptional(const std::string& text)
{
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsCriterionBlank(text[begin]))
        ++begin;
    while (end > begin && IsCriterionBlank(text[end - 1]))
        --end;
    if (begin == end)
        return std::optional<double>();
    const std::string number = text.substr(begin, end - begin);
    char* stop = nullptr;
    errno = 0;
    const double value = std::strtod(number.c_str(), &stop);
    if (stop != number.c_str() + number.size() || errno == ERANGE || !std::isfinite(value))
        return std::nullopt;
    return std::optional<double>(value);
}

}  // namespace

void ChooseCriterion(CProjectSettings& settings, ECriterion criterion)
{
    settings.m_nCriterion = static_cast<int>(criterion);
    const std::vector<CZoneLimit>& zones = CriterionZones(criterion);
    for (const CZoneLimit& z : zones)
        if (settings.m_strZone == z.m_pZone)
            return;
    settings.m_strZone = zones.empty() ? std::string() : zones.front().m_pZone;
}

bool ApplyUserLimit(CProjectSettings& settings, EPeriod period, const std::string& text)
{
    const auto value = ParseOptional(text);
    if (!value)
        return false;
    (period == EPeriod::kDay ? settings.m_dUserDayLimit : settings.m_dUserNightLimit) = *value;
    return true;
}

bool ApplyNightTrafficRatio(CProjectSettings& settings, const std::string& text)
{
    const auto value = ParseOptional(text);
    if (!value || (*value && **value < 0))
        return false;
    settings.m_dNightTrafficRatio = *value;
    return true;
}
