#pragma once

#include <cmath>
#include <initializer_list>
#include <optional>
#include <string>

// Farthest a calculation area may reach from the site origin, m (10,000 km, beyond any
// national grid). A grid over an area past it cannot be walked at any sensible spacing:
// the refusal then names the area, not the spacing.
inline constexpr double kMaxAreaCoordinate = 1e7;
inline constexpr const char* kMsgHugeArea =
    "계산영역이 너무 넓습니다. 계산영역의 좌표는 원점에서 10000 km 안에 있어야 합니다.";

inline bool IsHugeArea(double startX, double endX, double startY, double endY)
{
    for (double v : {startX, endX, startY, endY})
        if (std::fabs(v) > kMaxAreaCoordinate)
            return true;
    return false;
}

// The project settings saved with every project: air, calculation area, section line,
// receiver grid, name and coordinate system. A default-constructed value holds the new-project defaults.
struct CProjectSettings {
    double m_dTemperature = 20.0;  // degrees Celsius
    double m_dHumidity = 50.0;     // per cent relative humidity
    double m_dPressure = 101.5;    // kPa
    double m_dAreaStartX = 0.0, m_dAreaStartY = 0.0, m_dAreaEndX = 2000.0, m_dAreaEndY = 600.0;
    double m_dSectionX = 1000.0;
    double m_dSectionY = 300.0;
    int m_nSectionAxis = 0;  // 0: the section cuts at m_dSectionX; 1: at m_dSectionY
    // The smaller of 0 and the lowest cutting height; the engine measures heights from it.
    double m_dBaseHeight = 0.0;
    double m_dReceiverSpacing = 50.0;
    // The section noise map's spacing along the line and in height, m; 0: the default, the
    // finer of 1 m and a fifth of the receiver spacing. Like the receiver spacing it is a
    // setting of the session, not written to the project file.
    double m_dSectionSpacing = 0.0;
    double m_dReceiverHeight = 0.0;
    bool m_bReceiverHeightEmpty = true;
    bool m_bShowReceivers = true;
    std::string m_strProjectName = "정보를 입력하세요.";
    // The coordinate reference system the plan coordinates are in, as its code
    // ("EPSG:5186": X easting, Y northing, metres); empty for local metres.
    std::string m_strCrs;
    // Façade receivers of the buildings: points every m_dFacadeSpacing along each wall,
    // m_dFacadeDistance in front of it, m_dFacadeHeight above each floor (m).
    double m_dFacadeSpacing = 10.0;
    double m_dFacadeDistance = 1.0;
    double m_dFacadeHeight = 1.5;
    // "야간 교통량 비율": night hourly traffic as a fraction of the day's, for the roads and
    // tunnels without night powers of their own; none: such roads have no night level.
    std::optional<double> m_dNightTrafficRatio;
    // The criterion the levels are judged by (ECriterion of model/noise_limits.h), the zone
    // of it that receivers and buildings without their own take, and the limits typed for
    // the user-defined criterion (dB(A); none: that period has no limit).
    int m_nCriterion = 0;
    std::string m_strZone;
    std::optional<double> m_dUserDayLimit;
    std::optional<double> m_dUserNightLimit;

    // New-project defaults; whether receivers are shown is a view preference and survives.
    void ResetToDefaults()
    {
        const bool show = m_bShowReceivers;
        *this = CProjectSettings();
        m_bShowReceivers = show;
    }
    bool operator==(const CProjectSettings&) const = default;
};
