#pragma once

// The Korean limits a road project is judged by, per period, in Leq dB(A). Day (주간) is
// 06-22 h, night (야간) 22-06 h.

#include <optional>
#include <string>
#include <vector>

enum class ECriterion {
    kNone = 0,               // no criterion: only receivers' own targets count
    kTrafficManagement = 1,  // "도로교통소음 관리기준"
    kRoadsideStandard = 2,   // "환경기준 도로변지역"
    kApartmentOutdoor = 3,   // "공동주택 실외소음"
    kUserDefined = 4,        // "사용자 정의"
};

enum class EPeriod { kDay = 0, kNight = 1 };

// One zone of a criterion: its name as the lists show it and its two limits; a period
// without a limit (the apartment rule has none at night) holds no value.
struct CZoneLimit {
    const char* m_pZone;
    const char* m_pDescription;
    std::optional<double> m_dDay;
    std::optional<double> m_dNight;
};

// The criterion's name as the lists show it ("도로교통소음 관리기준", ...); "기준 없음" for none.
const char* CriterionName(ECriterion criterion);
// Where the values come from, for the report's method statement.
const char* CriterionSource(ECriterion criterion);
// The zones of a fixed criterion in the order the lists show them; empty for none and for
// user-defined limits.
const std::vector<CZoneLimit>& CriterionZones(ECriterion criterion);

// The limit of a period: a fixed criterion's zone (by its name, "가" ... "라"; an unknown zone
// has none), or the user's values for kUserDefined (a value that is not a finite number is
// no limit).
std::optional<double> LimitOf(ECriterion criterion, const std::string& zone, EPeriod period, double userDay,
                              double userNight);
