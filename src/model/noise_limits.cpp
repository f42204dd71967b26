#include "model/noise_limits.h"

#include <cmath>

// The tables below, as in force on 2026-12-09:
// - 도로교통소음 관리기준: 소음·진동관리법 시행규칙 별표 12 (교통소음·진동의 관리기준), 도로:
//   주거지역·녹지지역·관리지역 중 취락지구 등 68 / 58, 상업지역·공업지역 등 73 / 63 dB(A).
// - 환경기준 도로변지역: 환경정책기본법 시행령 별표 1 (환경기준), 소음, 도로변지역:
//   가·나 지역 65 / 55, 다 지역 70 / 60, 라 지역 75 / 70 dB(A).
// - 공동주택 실외소음: 주택건설기준 등에 관한 규정 제9조, 실외소음도 65 dB(A) 미만 (주간만).

namespace {

const std::vector<CZoneLimit> kTrafficManagement = {
    {"가", "주거지역 등", 68.0, 58.0},
    {"나", "상업·공업지역 등", 73.0, 63.0},
};

const std::vector<CZoneLimit> kRoadsideStandard = {
    {"가", "가 지역", 65.0, 55.0},
    {"나", "나 지역", 65.0, 55.0},
    {"다", "다 지역", 70.0, 60.0},
    {"라", "라 지역", 75.0, 70.0},
};

const std::vector<CZoneLimit> kApartmentOutdoor = {
    {"가", "공동주택", 65.0, std::nullopt},
};

const std::vector<CZoneLimit> kNoZones;

}  // namespace

const char* CriterionName(ECriterion criterion)
{
    switch (criterion) {
    case ECriterion::kTrafficManagement: return "도로교통소음 관리기준";
    case ECriterion::kRoadsideStandard: return "환경기준 도로변지역";
    case ECriterion::kApartmentOutdoor: return "공동주택 실외소음";
    case ECriterion::kUserDefined: return "사용자 정의";
    case ECriterion::kNone: break;
    }
    return "기준 없음";
}

const char* CriterionSource(ECriterion criterion)
{
    switch (criterion) {
    case ECriterion::kTrafficManagement: return "소음·진동관리법 시행규칙 별표 12 (교통소음·진동의 관리기준, 도로)";
    case ECriterion::kRoadsideStandard: return "환경정책기본법 시행령 별표 1 (환경기준, 소음, 도로변지역)";
    case ECriterion::kApartmentOutdoor: return "주택건설기준 등에 관한 규정 제9조 (실외소음도 65 dB(A) 미만)";
    case ECriterion::kUserDefined: return "사용자가 입력한 기준";
    case ECriterion::kNone: break;
    }
    return "";
}

const std::vector<CZoneLimit>& CriterionZones(ECriterion criterion)
{
    switch (criterion) {
    case ECriterion::kTrafficManagement: return kTrafficManagement;
    case ECriterion::kRoadsideStandard: return kRoadsideStandard;
    case ECriterion::kApartmentOutdoor: return kApartmentOutdoor;
    default: return kNoZones;
    }
}

std::optional<double> LimitOf(ECriterion criterion, const std::string& zone, EPeriod period, double userDay,
                              double userNight)
{
    if (criterion == ECriterion::kUserDefined) {
        const double v = period == EPeriod::kDay ? userDay : userNight;
        return std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
    }
    const std::vector<CZoneLimit>& zones = CriterionZones(criterion);
    for (const CZoneLimit& z : zones)
        if (zone == z.m_pZone || (zone.empty() && zones.size() == 1))
            return period == EPeriod::kDay ? z.m_dDay : z.m_dNight;
    return std::nullopt;
}
