#pragma once

// The six kinds of entity a user places on the site. Every entity is a plain value
// owned by exactly one array of the document; it owns its texts. Coordinates are
// metres (X, Y in plan, Z height), speeds km/h, volumes vehicles per hour, levels dB.

#include <array>
#include <string>

#include "model/bands.h"

constexpr int kVehicleClassCount = 5;  // large trucks, medium trucks, small trucks, buses, cars
constexpr int kAttenuatorCount = 11;   // top-device kinds 0 ("없음") to 10
// Most discrete sources of one road, and most lanes of one tunnel, that a project may
// hold: far beyond any real one; more would only exhaust memory.
constexpr int kMaxDiscreteSources = 100000;

// Identity text helpers: each coordinate printed "%.2f" and concatenated.
std::string MakeKey(std::initializer_list<double> coords);

class CDrawingObj {
public:
    virtual ~CDrawingObj() = default;
    bool operator==(const CDrawingObj&) const = default;
};

class CRoad : public CDrawingObj {
public:
    double m_dWidth = 0;
    double m_dEndY = 0, m_dEndX = 0, m_dEndZ = 0;
    double m_dStartY = 0, m_dStartX = 0, m_dStartZ = 0;
    double m_dAngle = 0;     // plan heading start->end, radians (computed)
    double m_dGradient = 0;  // percent
    double m_dLength = 0;    // straight 3-D distance start->end (computed)
    int m_nSourceCount = 1;
    int m_nVehicleClassMode = 0;  // 1: all five classes given; otherwise the first two
    std::array<double, kVehicleClassCount> m_dSpeed{};
    std::array<double, kVehicleClassCount> m_dVolume{};
    int m_nPavementDetail = 0;
    int m_nPavementState = 0;  // 0 asphalt, 1 concrete, 2 low-noise
    int m_nBridgeType = 0;
    int m_nRoadInfo = 0;  // 0 ordinary, 1 bridge, 2 embankment, 3 cutting
    Bands m_dCorrection{};
    std::string m_pDescription;
    std::string m_pKey;
    Bands m_dUserPowerLevel{};  // band power of the whole road, dB(A)
    // Night (야간, 22-06 h): the hourly traffic in the same class mode as the day's, when
    // given, and the night band powers of the whole road (computed from it by the emission
    // or typed), when the road has its own. Without them the project's night traffic ratio
    // may give night powers (NightPowerLevels).
    bool m_bNightTraffic = false;
    std::array<double, kVehicleClassCount> m_dNightSpeed{};
    std::array<double, kVehicleClassCount> m_dNightVolume{};
    bool m_bNightPower = false;
    Bands m_dNightPowerLevel{};
    Bands m_dLeftAbsorption{}, m_dCentreAbsorption{}, m_dRightAbsorption{};
    double m_dLeftBarrierHeight = 0, m_dCentreBarrierHeight = 0, m_dRightBarrierHeight = 0;
    int m_nLeftAttenuator = 0, m_nCentreAttenuator = 0, m_nRightAttenuator = 0;

    void SetGeometry(double sx, double sy, double ex, double ey, double sz, double ez, double width, double length,
                     int sourceCount);
    void SetFiveClasses(const std::array<double, 5>& speeds, const std::array<double, 5>& volumes);
    void SetTwoClasses(double speed1, double speed2, double volume1, double volume2);
    void SetUserPowerLevels(const Bands& levels) { m_dUserPowerLevel = levels; }
    void SetPavement(int classMode, int state, int detail);
    void SetDescription(const std::string& text) { m_pDescription = text; }
    void SetKey(const std::string& text) { m_pKey = text; }
    void ComputeAngle();
    double Length3D() const;
    // start X, start Y, start Z, end X, end Y, end Z, "%.2f" each.
    std::string MakeIdentity() const;
    bool operator==(const CRoad&) const = default;  // every field, exactly
};

class CBarrier_Stage : public CDrawingObj {
public:
    double m_dHeight = 0;
    double m_dEndY = 0, m_dEndX = 0;
    double m_dStartY = 0, m_dStartX = 0;
    double m_dAngle = 0;
    int m_nAttenuator = 0;
    Bands m_dAbsorption{};
    std::string m_pKey;
    std::string m_pAbsorptionDesc;
    std::string m_pDescription;

    void SetGeometry(double sx, double sy, double ex, double ey, double height, int attenuator);
    void SetDescription(const std::string& text) { m_pDescription = text; }
    void SetAbsorptionDesc(const std::string& text) { m_pAbsorptionDesc = text; }
    void SetAbsorption(const Bands& values) { m_dAbsorption = values; }
    void ComputeAngle();
    double PlanLength() const;
    // start X, start Y, end X, end Y, "%.2f" each.
    std::string MakeIdentity() const;
    bool operator==(const CBarrier_Stage&) const = default;
};

// A barrier drawn by the section view for a bridge deck; no data of its own.
class CBridgeBarrier : public CBarrier_Stage {};

// Embankment (성토) and cutting (절토) share their fields.
class CSlope : public CDrawingObj {
public:
    std::string m_pDescription;
    std::string m_pKey;
    double m_dWidth = 0;
    double m_dLength = 0;  // plan length start->end (computed)
    double m_dEndY = 0, m_dEndX = 0;
    double m_dHeight = 0;
    double m_dStartY = 0, m_dStartX = 0;
    double m_dAngle = 0;
    Bands m_dAbsorption{};
    int m_nDirection = 0;

    void SetGeometry(double sx, double sy, double ex, double ey, double height, double width, double length);
    void SetDescription(const std::string& text) { m_pDescription = text; }
    void SetKey(const std::string& text) { m_pKey = text; }
    void ComputeAngle();
    double PlanLength() const;
    // start X, start Y, end X, end Y, "%.2f" each.
    std::string MakeIdentity() const;
    bool operator==(const CSlope&) const = default;
};

class CJulto : public CSlope {};   // cutting
class CSungto : public CSlope {};  // embankment

class CTunnel : public CDrawingObj {
public:
    std::string m_pDescription;
    std::string m_pKey;
    double m_dWidth = 0;
    double m_dHeight = 0;
    double m_dLength = 0;
    double m_dEndY = 0, m_dEndX = 0, m_dEndZ = 0;
    double m_dStartY = 0, m_dStartX = 0, m_dStartZ = 0;
    double m_dAngle = 0;
    int m_nTunnelForm = 0;  // 0 box, 1 vaulted
    int m_nWallMaterial = 0;
    Bands m_dUserPowerLevel{};
    double m_dGradient = 0;
    int m_nVehicleClassMode = 0;
    std::array<double, kVehicleClassCount> m_dSpeed{};
    std::array<double, kVehicleClassCount> m_dVolume{};
    int m_nPavementDetail = 0;
    int m_nPavementState = 0;
    int m_nLaneCount = 0;
    // Night (야간, 22-06 h): the hourly traffic in the same class mode as the day's, when
    // given, and the night band powers of the tunnel (computed from it by the emission
    // or typed), when the tunnel has its own. Without them the project's night traffic ratio
    // may give night powers (NightPowerLevels).
    bool m_bNightTraffic = false;
    std::array<double, kVehicleClassCount> m_dNightSpeed{};
    std::array<double, kVehicleClassCount> m_dNightVolume{};
    bool m_bNightPower = false;
    Bands m_dNightPowerLevel{};

    void ComputeAngle();
    double Length3D() const;
    std::string MakeIdentity() const;  // the six coordinates, "%.2f" each
    bool operator==(const CTunnel&) const = default;
};

class CReceiverPoint : public CDrawingObj {
public:
    Bands m_dLevel{};                       // day (주간) levels of the last calculation
    Bands m_dNightLevel = NoEnergyBands();  // night (야간) levels; kNoEnergy in every band when there are none
    double m_dTargetLevel = 0;              // 0 = not set
    // The zone of the project's criterion this receiver is judged by ("가" ... "라");
    // empty: the project's zone.
    std::string m_strZone;
    int m_nOptTarget = 0;
    double m_dGroundFactor = 0;  // between source and receiver (Gm)
    double m_dAreaFactor = 0;    // receiver region (Gr)
    double m_dZ = 0, m_dY = 0, m_dX = 0;

    void SetPosition(double x, double y, double z)
    {
        m_dX = x;
        m_dY = y;
        m_dZ = z;
    }
    void SetGroundFactors(double between, double area)
    {
        m_dGroundFactor = between;
        m_dAreaFactor = area;
    }
    double GetX() const { return m_dX; }
    double GetY() const { return m_dY; }
    double GetZ() const { return m_dZ; }
    std::string MakeIdentity() const;  // X, Y, Z, "%.2f" each
    bool operator==(const CReceiverPoint&) const = default;
};
