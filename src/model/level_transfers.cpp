#include "model/level_transfers.h"

#include "model/document.h"

namespace {

// What the emission reads and the propagation does not: traffic, pavement, gradient,
// corrections, the bridge kind's spectrum and the powers of both periods.
template <class Source>
void ForgetEmission(Source& s)
{
    Source fresh;
    s.m_pDescription.clear();
    s.m_dGradient = fresh.m_dGradient;
    s.m_nVehicleClassMode = fresh.m_nVehicleClassMode;
    s.m_dSpeed = fresh.m_dSpeed;
    s.m_dVolume = fresh.m_dVolume;
    s.m_nPavementDetail = fresh.m_nPavementDetail;
    s.m_nPavementState = fresh.m_nPavementState;
    s.m_dUserPowerLevel = fresh.m_dUserPowerLevel;
    s.m_bNightTraffic = fresh.m_bNightTraffic;
    s.m_dNightSpeed = fresh.m_dNightSpeed;
    s.m_dNightVolume = fresh.m_dNightVolume;
    s.m_bNightPower = fresh.m_bNightPower;
    s.m_dNightPowerLevel = fresh.m_dNightPowerLevel;
}

CRoad RoadPaths(CRoad r)
{
    ForgetEmission(r);
    r.m_nBridgeType = 0;
    r.m_dCorrection = {};
    return r;
}

CTunnel TunnelPaths(CTunnel t)
{
    ForgetEmission(t);
    t.m_nTunnelForm = 0;
    t.m_nWallMaterial = 0;
    return t;
}

CReceiverPoint ReceiverPaths(const CReceiverPoint& p)
{
    CReceiverPoint r;
    r.SetPosition(p.m_dX, p.m_dY, p.m_dZ);
    r.SetGroundFactors(p.m_dGroundFactor, p.m_dAreaFactor);
    return r;
}

CProjectSettings SettingsPaths(CProjectSettings s)
{
    const CProjectSettings fresh;
    s.m_strProjectName.clear();
    s.m_strCrs.clear();
    s.m_dSectionX = fresh.m_dSectionX;
    s.m_dSectionY = fresh.m_dSectionY;
    s.m_nSectionAxis = fresh.m_nSectionAxis;
    s.m_dReceiverSpacing = fresh.m_dReceiverSpacing;
    s.m_dSectionSpacing = fresh.m_dSectionSpacing;
    s.m_dReceiverHeight = fresh.m_dReceiverHeight;
    s.m_bReceiverHeightEmpty = fresh.m_bReceiverHeightEmpty;
    s.m_bShowReceivers = fresh.m_bShowReceivers;
    s.m_dNightTrafficRatio = fresh.m_dNightTrafficRatio;
    s.m_nCriterion = fresh.m_nCriterion;
    s.m_strZone.clear();
    s.m_dUserDayLimit = fresh.m_dUserDayLimit;
    s.m_dUserNightLimit = fresh.m_dUserNightLimit;
    return s;
}

template <class T, class Fn>
std::vector<T> Each(const std::vector<T>& list, Fn paths)
{
    std::vector<T> out;
    out.reserve(list.size());
    for (const T& item : list)
        out.push_back(paths(item));
    return out;
}

}  // namespace

CPropagationInputs CPropagationInputs::Of(const CMyTalvoDoc& doc)
{
    CPropagationInputs in;
    in.roads = Each(doc.m_arrRoad, RoadPaths);
    in.tunnels = Each(doc.m_arrTunnel, TunnelPaths);
    in.barriers = Each(doc.m_arrBarrier, [](CBarrier_Stage b) {
        b.m_pDescription.clear();
        b.m_pAbsorptionDesc.clear();
        return b;
    });
    in.embankments = Each(doc.m_arrEmbankment, [](CSungto s) {
        s.m_pDescription.clear();
        return s;
    });
    in.cuttings = Each(doc.m_arrCutting, [](CJulto s) {
        s.m_pDescription.clear();
        return s;
    });
    in.buildings = Each(doc.m_arrBuilding, [](CBuilding b) {
        b.m_pName.clear();
        b.m_pAbsorptionDesc.clear();
        b.m_strZone.clear();
        return b;
    });
    in.receivers = Each(doc.m_arrReceiver, ReceiverPaths);
    in.excludedBarriers = doc.m_arrExcludedBarrier;
    in.settings = SettingsPaths(doc.m_settings);
    return in;
}
