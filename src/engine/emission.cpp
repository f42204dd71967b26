#include "engine/emission.h"

#include <cmath>
#include <optional>

#include "engine/emission_table.h"

namespace {

using ClassValues = std::array<double, kVehicleClassCount>;

constexpr double kMinSpeed = 40.0;   // km/h
constexpr double kMaxSpeed = 130.0;  // km/h
constexpr int kFiveClassMode = 1;
constexpr double kReferencePower = 1e-12;  // W
constexpr double kPortalPi = 3.14;         // the portal formula's constant, kept as published
// Band centres of the bridge spectrum shape; the lowest band is taken at 65 Hz.
constexpr Bands kBridgeShapeFrequency = {65.0, 125.0, 250.0, 500.0, 1000.0, 2000.0, 4000.0, 8000.0};

CEmissionResult Refuse(const char* message)
{
    CEmissionResult r;
    r.message = message;
    return r;
}

bool AllFinite(const ClassValues& values)
{
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

// Volumes that take part: all five classes in five-class mode, else the first two.
ClassValues CountedVolumes(const CEmissionInput& in)
{
    ClassValues volume = in.m_dVolume;
    if (in.m_nVehicleClassMode != kFiveClassMode)
        for (int k = 2; k < kVehicleClassCount; ++k)
            volume[k] = 0.0;
    return volume;
}

bool HasNoTraffic(const CEmissionInput& in)
{
    if (in.m_nVehicleClassMode != kFiveClassMode)
        return false;
    double sum = 0.0;
    for (int k = 0; k < kVehicleClassCount; ++k)
        sum += in.m_dSpeed[k] * in.m_dVolume[k];
    return sum == 0.0;
}

bool TrafficIsValid(const CEmissionInput& in, const ClassValues& volume)
{
    if (!AllFinite(in.m_dSpeed) || !AllFinite(volume) || !std::isfinite(in.m_dGradient))
        return false;
    for (double v : volume)
        if (v < 0.0)
            return false;
    return true;
}

// The first refusal that applies, in the order the input windows check.
const char* FirstRefusal(const CEmissionInput& in, const ClassValues& volume)
{
    if (in.m_bNoGeometry)
        return in.m_bTunnel ? kMsgNoTunnelGeometry : kMsgNoRoadGeometry;
    if (in.m_bTunnel && !(in.m_dWidth > 0.0 && in.m_dHeight > 0.0))
        return kMsgNoTunnelSize;
    if (HasNoTraffic(in))
        return kMsgNoTraffic;
    if (!TrafficIsValid(in, volume))
        return kMsgBadTraffic;
    if (!PavementRow(in.m_nPavementState, in.m_nPavementDetail))
        return kMsgBadPavement;
    if (!in.m_bTunnel && in.m_nRoadInfo == kRoadInfoBridge &&
        (in.m_nBridgeType < 0 || in.m_nBridgeType >= kBridgeTypeCount))
        return kMsgBadBridgeType;
    if (in.m_bTunnel && (in.m_nWallMaterial < 0 || in.m_nWallMaterial >= kWallMaterialCount ||
                         (in.m_nTunnelForm != kTunnelFormBox && in.m_nTunnelForm != kTunnelFormHorseshoe)))
        return kMsgBadTunnelKind;
    return nullptr;
}

// A class without vehicles has no speed; the others run between 40 and 130 km/h.
ClassValues ClampSpeeds(const ClassValues& speed, const ClassValues& volume)
{
    ClassValues out{};
    for (int k = 0; k < kVehicleClassCount; ++k)
        out[k] = volume[k] == 0.0 ? 0.0 : std::fmin(kMaxSpeed, std::fmax(kMinSpeed, speed[k]));
    return out;
}

// Highest truck speed on a gradient of g per cent.
double GradientSpeedCap(double g)
{
    if (g >= 7.0)
        return 40.0;
    if (g >= 6.0)
        return 50.0;
    if (g >= 5.0)
        return 60.0;
    if (g >= 4.0)
        return 80.0;
    if (g >= 3.0)
        return 100.0;
    return 130.0;
}

// Caps the first cappedClasses classes (the trucks) that carry vehicles.
void CapTruckSpeeds(ClassValues& speed, const ClassValues& volume, double cap, int cappedClasses)
{
    for (int k = 0; k < cappedClasses; ++k) {
        if (volume[k] == 0.0)
            continue;
        if (speed[k] > cap)
            speed[k] = cap;
        else if (speed[k] < kMinSpeed)
            speed[k] = kMinSpeed;
    }
}

// 10*lg(vehicles per metre of lane): count / (1000 * speed) vehicles per metre.
double DensityTerm(double volume, double speed)
{
    return speed != 0.0 ? 10.0 * std::log10(volume / (1000.0 * speed)) : 0.0;
}

// Band levels of one vehicle class; a class without speed carries no energy.
Bands ClassLevels(const CEmissionCoefficients& c, double speed, double volume)
{
    Bands level;
    level.fill(kNoEnergy);
    if (speed == 0.0 || volume == 0.0)
        return level;
    const double lgSpeed = std::log10(speed);
    const double density = DensityTerm(volume, speed);
    for (int j = 0; j < kBandCount; ++j)
        level[j] = c.m_dA[j] + c.m_dB[j] * lgSpeed + density;
    return level;
}

// Energy sum over the classes, band by band.
Bands TrafficLevels(const ClassValues& speed, const ClassValues& volume, int row)
{
    const EmissionTable& table = VehicleEmissionTable();
    Bands sum;
    sum.fill(kNoEnergy);
    for (int k = 0; k < kVehicleClassCount; ++k) {
        const Bands level = ClassLevels(table[k][row], speed[k], volume[k]);
        for (int j = 0; j < kBandCount; ++j)
            sum[j] = EnergyAdd(sum[j], level[j]);
    }
    return sum;
}

// Structure noise of a bridge from the trucks: empty when no truck class has vehicles.
std::optional<Bands> BridgeLevels(const ClassValues& speed, const ClassValues& volume, int bridgeType)
{
    const double trucks = volume[0] + volume[1];
    if (!(trucks > 0.0))
        return std::nullopt;
    const double meanSpeed = (speed[0] * volume[0] + speed[1] * volume[1]) / trucks;
    if (!(meanSpeed > 0.0))
        return std::nullopt;
    const double overall =
        10.0 * std::log10(trucks / (1000.0 * meanSpeed)) + 30.0 * std::log10(meanSpeed) + BridgeConstant(bridgeType);
    Bands level;
    for (int j = 0; j < kBandCount; ++j) {
        const double ratio = kBridgeShapeFrequency[j] / 2000.0;
        level[j] = overall - 10.0 * std::log10(1.0 + ratio * ratio);
    }
    return level;
}

// Share of a tunnel's power per metre that leaves a portal from depth x (m): the
// box and horseshoe radiation laws without the power factor.
double PortalShare(const CEmissionInput& in, double x)
{
    const double h = in.m_dHeight, b = in.m_dWidth;
    if (in.m_nTunnelForm == kTunnelFormHorseshoe)
        return 0.5 * (1.0 - x / std::sqrt(x * x + h * h));
    return std::atan(h * b / std::sqrt((h * h + b * b) * x * x + x * x * x * x)) / kPortalPi;
}

// Band level radiated from the portal of a tunnel whose traffic gives levelPerMetre.
double PortalLevel(const CEmissionInput& in, double levelPerMetre, double absorption)
{
    if (!HasEnergy(levelPerMetre))
        return kNoEnergy;
    const double power = std::pow(10.0, levelPerMetre / 10.0) * kReferencePower;
    const double length = in.m_dPlanLength;
    const double radiated = power * (PortalShare(in, absorption * length) - PortalShare(in, length));
    return radiated > 0.0 ? 10.0 * std::log10(radiated / kReferencePower) : kNoEnergy;
}

Bands PortalLevels(const CEmissionInput& in, const Bands& levelPerMetre)
{
    const Bands& alpha = WallAbsorption(in.m_nWallMaterial);
    Bands level;
    for (int j = 0; j < kBandCount; ++j)
        level[j] = PortalLevel(in, levelPerMetre[j], alpha[j]);
    return level;
}

Bands RoadLevels(const CEmissionInput& in, const ClassValues& speed, const ClassValues& volume, Bands level)
{
    if (in.m_nRoadInfo == kRoadInfoBridge)
        if (const auto bridge = BridgeLevels(speed, volume, in.m_nBridgeType))
            return *bridge;
    for (int j = 0; j < kBandCount; ++j)
        level[j] += in.m_dCorrection[j];
    return level;
}

}  // namespace

CEmissionResult ComputeEmission(const CEmissionInput& in)
{
    const ClassValues volume = CountedVolumes(in);
    if (const char* refusal = FirstRefusal(in, volume))
        return Refuse(refusal);
    CEmissionResult r;
    r.ok = true;
    r.m_dSpeed = ClampSpeeds(in.m_dSpeed, volume);
    CapTruckSpeeds(r.m_dSpeed, volume, GradientSpeedCap(in.m_dGradient), in.m_bTunnel ? 1 : 2);
    const Bands traffic = TrafficLevels(r.m_dSpeed, volume, *PavementRow(in.m_nPavementState, in.m_nPavementDetail));
    r.m_dLevel = in.m_bTunnel ? PortalLevels(in, traffic) : RoadLevels(in, r.m_dSpeed, volume, traffic);
    return r;
}

CEmissionInput EmissionInputOf(const CRoad& road)
{
    CEmissionInput in;
    in.m_bNoGeometry = road.m_dStartX == 0 && road.m_dStartY == 0 && road.m_dStartZ == 0 && road.m_dEndX == 0 &&
                       road.m_dEndY == 0 && road.m_dEndZ == 0;
    in.m_dSpeed = road.m_dSpeed;
    in.m_dVolume = road.m_dVolume;
    in.m_nVehicleClassMode = road.m_nVehicleClassMode;
    in.m_nPavementState = road.m_nPavementState;
    in.m_nPavementDetail = road.m_nPavementDetail;
    in.m_dGradient = road.m_dGradient;
    in.m_dCorrection = road.m_dCorrection;
    in.m_nRoadInfo = road.m_nRoadInfo;
    in.m_nBridgeType = road.m_nBridgeType;
    return in;
}

CEmissionInput EmissionInputOf(const CTunnel& tunnel)
{
    CEmissionInput in;
    in.m_bTunnel = true;
    in.m_bNoGeometry = tunnel.m_dStartX == 0 && tunnel.m_dStartY == 0 && tunnel.m_dStartZ == 0 && tunnel.m_dEndX == 0 &&
                       tunnel.m_dEndY == 0 && tunnel.m_dEndZ == 0;
    in.m_dSpeed = tunnel.m_dSpeed;
    in.m_dVolume = tunnel.m_dVolume;
    in.m_nVehicleClassMode = tunnel.m_nVehicleClassMode;
    in.m_nPavementState = tunnel.m_nPavementState;
    in.m_nPavementDetail = tunnel.m_nPavementDetail;
    in.m_dGradient = tunnel.m_dGradient;
    in.m_dWidth = tunnel.m_dWidth;
    in.m_dHeight = tunnel.m_dHeight;
    in.m_nTunnelForm = tunnel.m_nTunnelForm;
    in.m_nWallMaterial = tunnel.m_nWallMaterial;
    in.m_dPlanLength = std::hypot(tunnel.m_dEndX - tunnel.m_dStartX, tunnel.m_dEndY - tunnel.m_dStartY);
    return in;
}

namespace {

template <class Source>
CEmissionInput WithNightTraffic(CEmissionInput in, const Source& s, EPeriod period)
{
    if (period == EPeriod::kNight) {
        in.m_dSpeed = s.m_dNightSpeed;
        in.m_dVolume = s.m_dNightVolume;
    }
    return in;
}

template <class Source>
CNightPowers WholeNightPowers(const Source& s)
{
    CNightPowers out;
    if (!s.m_bNightTraffic) {
        out.message = kMsgNoNightTraffic;
        return out;
    }
    const CEmissionResult r = ComputeEmission(EmissionInputOf(s, EPeriod::kNight));
    if (!r.ok) {
        out.message = r.message;
        return out;
    }
    out.ok = true;
    for (int j = 0; j < kBandCount; ++j)
        out.m_dPowerLevel[j] = r.m_dLevel[j] + LengthTerm(s.m_dLength);
    return out;
}

}  // namespace

CEmissionInput EmissionInputOf(const CRoad& road, EPeriod period)
{
    return WithNightTraffic(EmissionInputOf(road), road, period);
}

CEmissionInput EmissionInputOf(const CTunnel& tunnel, EPeriod period)
{
    return WithNightTraffic(EmissionInputOf(tunnel), tunnel, period);
}

CNightPowers NightPowersFromTraffic(const CRoad& road) { return WholeNightPowers(road); }
CNightPowers NightPowersFromTraffic(const CTunnel& tunnel) { return WholeNightPowers(tunnel); }
