#pragma once

// Band sound power per metre of a road, a bridge road or a tunnel, from its traffic.
// The road and tunnel input windows and the command line all call ComputeEmission.
// Pure functions of their arguments; safe from any thread.

#include <array>
#include <string>

#include "model/bands.h"
#include "model/entities.h"
#include "model/noise_limits.h"

// Refusals, shown to the user as they are.
inline constexpr const char* kMsgNoRoadGeometry = "도로 형상 정보를 입력하여 주십시오.";
inline constexpr const char* kMsgNoTunnelGeometry = "터널 형상 정보를 입력하여 주십시오.";
inline constexpr const char* kMsgNoTunnelSize = "터널 폭과 넓이 정보를 입력하여 주십시오.";
inline constexpr const char* kMsgNoTraffic = "도로 음향 파워 정보를 입력하여 주십시오.";
// Stored values no input window can produce (a damaged or hand-edited project).
inline constexpr const char* kMsgBadTraffic = "차종별 속도와 차량수를 확인하여 주십시오.";
inline constexpr const char* kMsgBadPavement = "도로 포장 정보를 확인하여 주십시오.";
inline constexpr const char* kMsgBadBridgeType = "교량 종류를 확인하여 주십시오.";
inline constexpr const char* kMsgBadTunnelKind = "터널 형태와 벽면 재질을 확인하여 주십시오.";

constexpr int kRoadInfoBridge = 1;
constexpr int kTunnelFormBox = 0;
constexpr int kTunnelFormHorseshoe = 1;

// Everything the computation reads. Speeds km/h, volumes vehicles per hour, gradient
// per cent, corrections dB, lengths metres.
struct CEmissionInput {
    bool m_bTunnel = false;
    bool m_bNoGeometry = false;  // all six start and end coordinates are 0
    std::array<double, kVehicleClassCount> m_dSpeed{};
    std::array<double, kVehicleClassCount> m_dVolume{};
    int m_nVehicleClassMode = 0;  // 1: five classes; otherwise only the first two count
    int m_nPavementState = 0;
    int m_nPavementDetail = 0;
    double m_dGradient = 0;
    // Roads only.
    Bands m_dCorrection{};
    int m_nRoadInfo = 0;
    int m_nBridgeType = 0;
    // Tunnels only.
    double m_dWidth = 0;
    double m_dHeight = 0;
    int m_nTunnelForm = kTunnelFormBox;
    int m_nWallMaterial = 0;
    double m_dPlanLength = 0;  // distance between the portals in plan
};

struct CEmissionResult {
    bool ok = false;
    std::string message;  // the refusal when ok is false
    // Roads: dB(A) per metre; tunnels: the level radiated from the portal. A band in
    // which no vehicle class has traffic holds kNoEnergy.
    Bands m_dLevel{};
    std::array<double, kVehicleClassCount> m_dSpeed{};  // the speeds after clamps and caps

    double Overall() const { return EnergySum(m_dLevel); }
};

CEmissionResult ComputeEmission(const CEmissionInput& input);

// The inputs as stored in a road or a tunnel (tunnel length: plan distance of the portals).
CEmissionInput EmissionInputOf(const CRoad& road);
CEmissionInput EmissionInputOf(const CTunnel& tunnel);

// The inputs of a period: by day as above; at night the same with the night traffic in
// place of the day's (same class mode, pavement, gradient, corrections and bridge), as the
// input windows compute the night powers.
CEmissionInput EmissionInputOf(const CRoad& road, EPeriod period);
CEmissionInput EmissionInputOf(const CTunnel& tunnel, EPeriod period);

// The band powers of the whole road or tunnel that its night traffic gives, stored as the
// day's are (per metre plus 10 lg of its length m_dLength): the value of m_dNightPowerLevel.
// The refusal of ComputeEmission when it refuses the night traffic, or kMsgNoNightTraffic
// when the road has none.
inline constexpr const char* kMsgNoNightTraffic = "야간 교통량이 없습니다.";
struct CNightPowers {
    bool ok = false;
    std::string message;
    Bands m_dPowerLevel{};
};
CNightPowers NightPowersFromTraffic(const CRoad& road);
CNightPowers NightPowersFromTraffic(const CTunnel& tunnel);
