#include "engine/input_check.h"

#include <cmath>
#include <initializer_list>

#include "model/building_check.h"
#include "model/document.h"
#include "model/footprint_set.h"

namespace {

bool AllFinite(std::initializer_list<double> values)
{
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

bool AllFinite(const Bands& values)
{
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

bool IsUsableCount(int n) { return n >= 1 && n <= kMaxDiscreteSources; }

// A positive count the engine would refuse to split into so many pieces.
bool IsTooManyPieces(int n) { return n > kMaxDiscreteSources; }

std::string Numbered(const char* kind, std::size_t index) { return kind + std::to_string(index + 1); }

constexpr const char* kNotANumber = "의 값 중 올바른 숫자가 아닌 것이 있습니다 (nan 또는 무한대).";
constexpr const char* kTooManyPieces = "의 이산소음원(차선) 수가 100000개를 넘습니다.";

std::string CheckRoads(const std::vector<CRoad>& roads)
{
    for (std::size_t i = 0; i < roads.size(); ++i) {
        const CRoad& r = roads[i];
        if (IsTooManyPieces(r.m_nSourceCount))
            return Numbered("도로 ", i) + kTooManyPieces;
        const bool bridgeOk = AllFinite({r.m_dLeftBarrierHeight, r.m_dCentreBarrierHeight, r.m_dRightBarrierHeight});
        if (!HasFiniteGeometry(r) || !IsUsablePower(r.m_dUserPowerLevel) || !bridgeOk ||
            (r.m_bNightPower && !IsUsablePower(r.m_dNightPowerLevel)))
            return Numbered("도로 ", i) + kNotANumber;
    }
    return {};
}

std::string CheckTunnels(const std::vector<CTunnel>& tunnels)
{
    for (std::size_t i = 0; i < tunnels.size(); ++i) {
        const CTunnel& t = tunnels[i];
        if (IsTooManyPieces(t.m_nLaneCount))
            return Numbered("터널 ", i) + kTooManyPieces;
        if (!HasFiniteGeometry(t) || !IsUsablePower(t.m_dUserPowerLevel) ||
            (t.m_bNightPower && !IsUsablePower(t.m_dNightPowerLevel)))
            return Numbered("터널 ", i) + kNotANumber;
    }
    return {};
}

template <class Body>
std::string CheckBodies(const std::vector<Body>& bodies, const char* kind)
{
    for (std::size_t i = 0; i < bodies.size(); ++i)
        if (!HasFiniteGeometry(bodies[i]) || !AllFinite(bodies[i].m_dAbsorption))
            return Numbered(kind, i) + kNotANumber;
    return {};
}

std::string CheckBarriers(const std::vector<CBarrier_Stage>& barriers)
{
    for (std::size_t i = 0; i < barriers.size(); ++i) {
        const CBarrier_Stage& b = barriers[i];
        if (!AllFinite({b.m_dStartX, b.m_dStartY, b.m_dEndX, b.m_dEndY, b.m_dHeight, b.m_dAngle}) ||
            !AllFinite(b.m_dAbsorption))
            return Numbered("방음벽 ", i) + kNotANumber;
    }
    return {};
}

std::string CheckReceivers(const std::vector<CReceiverPoint>& receivers)
{
    for (std::size_t i = 0; i < receivers.size(); ++i) {
        const CReceiverPoint& p = receivers[i];
        if (!AllFinite({p.m_dX, p.m_dY, p.m_dZ, p.m_dGroundFactor, p.m_dAreaFactor}))
            return Numbered("수음점 ", i) + kNotANumber;
    }
    return {};
}

// An ordinary receiver inside a building's footprint or on its walls has no level.
std::string CheckReceiversOutsideBuildings(const CMyTalvoDoc& doc)
{
    if (doc.m_arrBuilding.empty())
        return {};
    const CFootprintSet footprints(doc.m_arrBuilding);
    for (std::size_t i = 0; i < doc.m_arrReceiver.size(); ++i) {
        const CReceiverPoint& p = doc.m_arrReceiver[i];
        const int building = footprints.BuildingAt({p.m_dX, p.m_dY, 0.0});
        if (building >= 0)
            return Numbered("수음점 ", i) + "이(가) " +
                   BuildingLabel(doc.m_arrBuilding, static_cast<std::size_t>(building)) +
                   " 안에 있습니다. 건물 안이나 외벽 위의 수음점은 계산할 수 없습니다.";
    }
    return {};
}

// All pieces the roads and tunnel mouths would be split into, counted in 64 bits.
long long TotalPieces(const CMyTalvoDoc& doc)
{
    long long total = 0;
    for (const CRoad& r : doc.m_arrRoad)
        total += r.m_nSourceCount > 0 ? r.m_nSourceCount : 0;
    for (const CTunnel& t : doc.m_arrTunnel)
        total += t.m_nLaneCount > 0 ? 2LL * t.m_nLaneCount : 0;
    return total;
}

}  // namespace

bool IsUsablePower(const Bands& power)
{
    for (double level : power)
        if (std::isnan(level) || (std::isinf(level) && level > 0.0))
            return false;
    return true;
}

bool HasFiniteGeometry(const CRoad& r)
{
    return AllFinite(
        {r.m_dStartX, r.m_dStartY, r.m_dStartZ, r.m_dEndX, r.m_dEndY, r.m_dEndZ, r.m_dWidth, r.m_dLength, r.m_dAngle});
}

bool HasFiniteGeometry(const CTunnel& t)
{
    return AllFinite({t.m_dStartX, t.m_dStartY, t.m_dStartZ, t.m_dEndX, t.m_dEndY, t.m_dEndZ, t.m_dWidth, t.m_dHeight,
                      t.m_dLength, t.m_dAngle});
}

bool HasFiniteGeometry(const CSlope& s)
{
    return AllFinite(
        {s.m_dStartX, s.m_dStartY, s.m_dEndX, s.m_dEndY, s.m_dHeight, s.m_dWidth, s.m_dLength, s.m_dAngle});
}

bool IsUsableSource(const CRoad& road)
{
    return HasFiniteGeometry(road) && IsUsablePower(road.m_dUserPowerLevel) && IsUsableCount(road.m_nSourceCount);
}

bool IsUsableSource(const CTunnel& tunnel)
{
    return HasFiniteGeometry(tunnel) && IsUsablePower(tunnel.m_dUserPowerLevel) && IsUsableCount(tunnel.m_nLaneCount);
}

bool HasFiniteSettings(const CProjectSettings& s)
{
    return AllFinite({s.m_dTemperature, s.m_dHumidity, s.m_dPressure, s.m_dAreaStartX, s.m_dAreaStartY, s.m_dAreaEndX,
                      s.m_dAreaEndY, s.m_dBaseHeight, s.m_dReceiverSpacing, s.m_dReceiverHeight});
}

std::string FindUnusableInput(const CMyTalvoDoc& doc)
{
    if (!HasFiniteSettings(doc.m_settings))
        return "계산 영역, 대기 조건 또는 수음점 높이·간격에 올바른 숫자가 아닌 값이 있습니다.";
    if (const auto& ratio = doc.m_settings.m_dNightTrafficRatio; ratio && !(*ratio >= 0.0 && std::isfinite(*ratio)))
        return "야간 교통량 비율은 0 이상의 숫자여야 합니다.";
    if (const long long pieces = TotalPieces(doc); pieces > kMaxTotalPieces)
        return "이산소음원이 모두 " + std::to_string(pieces) +
               "개로 너무 많습니다. 한 번의 계산에는 1000000개까지 쓸 수 있습니다.";
    for (const std::string& problem : {CheckRoads(doc.m_arrRoad), CheckTunnels(doc.m_arrTunnel),
                                       CheckBarriers(doc.m_arrBarrier), CheckBodies(doc.m_arrEmbankment, "성토 "),
                                       CheckBodies(doc.m_arrCutting, "절토 "), CheckReceivers(doc.m_arrReceiver)})
        if (!problem.empty())
            return problem;
    // Each check of the buildings assumes the ones before it passed.
    if (std::string problem = FindUnusableBuilding(doc.m_arrBuilding); !problem.empty())
        return problem;
    if (std::string problem = FindUnusableFacade(doc.m_arrBuilding, doc.m_settings); !problem.empty())
        return problem;
    return CheckReceiversOutsideBuildings(doc);
}
