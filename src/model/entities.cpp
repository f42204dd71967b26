#include "model/entities.h"

#include <cmath>

#include "model/bands.h"
#include "model/mvector.h"

std::string MakeKey(std::initializer_list<double> coords)
{
    std::string key;
    for (double c : coords)
        key += FormatFixed2(c);
    return key;
}

void CRoad::SetGeometry(double sx, double sy, double ex, double ey, double sz, double ez, double width, double length,
                        int sourceCount)
{
    m_dStartX = sx;
    m_dStartY = sy;
    m_dEndX = ex;
    m_dEndY = ey;
    m_dStartZ = sz;
    m_dEndZ = ez;
    m_dWidth = width;
    m_dLength = length;
    m_nSourceCount = sourceCount;
}

void CRoad::SetFiveClasses(const std::array<double, 5>& speeds, const std::array<double, 5>& volumes)
{
    m_dSpeed = speeds;
    m_dVolume = volumes;
}

void CRoad::SetTwoClasses(double speed1, double speed2, double volume1, double volume2)
{
    m_dSpeed[0] = speed1;
    m_dSpeed[1] = speed2;
    m_dVolume[0] = volume1;
    m_dVolume[1] = volume2;
}

void CRoad::SetPavement(int classMode, int state, int detail)
{
    m_nVehicleClassMode = classMode;
    m_nPavementState = state;
    m_nPavementDetail = detail;
}

void CRoad::ComputeAngle() { m_dAngle = PlanHeading(m_dEndX - m_dStartX, m_dEndY - m_dStartY); }

double CRoad::Length3D() const
{
    return Length(CMVector(m_dEndX - m_dStartX, m_dEndY - m_dStartY, m_dEndZ - m_dStartZ));
}

std::string CRoad::MakeIdentity() const
{
    return MakeKey({m_dStartX, m_dStartY, m_dStartZ, m_dEndX, m_dEndY, m_dEndZ});
}

void CBarrier_Stage::SetGeometry(double sx, double sy, double ex, double ey, double height, int attenuator)
{
    m_dStartX = sx;
    m_dStartY = sy;
    m_dEndX = ex;
    m_dEndY = ey;
    m_dHeight = height;
    m_nAttenuator = attenuator;
}

void CBarrier_Stage::ComputeAngle() { m_dAngle = PlanHeading(m_dEndX - m_dStartX, m_dEndY - m_dStartY); }

double CBarrier_Stage::PlanLength() const { return std::hypot(m_dStartX - m_dEndX, m_dStartY - m_dEndY); }

std::string CBarrier_Stage::MakeIdentity() const { return MakeKey({m_dStartX, m_dStartY, m_dEndX, m_dEndY}); }

void CSlope::SetGeometry(double sx, double sy, double ex, double ey, double height, double width, double length)
{
    m_dStartX = sx;
    m_dStartY = sy;
    m_dEndX = ex;
    m_dEndY = ey;
    m_dHeight = height;
    m_dWidth = width;
    m_dLength = length;
}

void CSlope::ComputeAngle() { m_dAngle = PlanHeading(m_dEndX - m_dStartX, m_dEndY - m_dStartY); }

double CSlope::PlanLength() const { return std::hypot(m_dStartX - m_dEndX, m_dStartY - m_dEndY); }

std::string CSlope::MakeIdentity() const { return MakeKey({m_dStartX, m_dStartY, m_dEndX, m_dEndY}); }

void CTunnel::ComputeAngle() { m_dAngle = PlanHeading(m_dEndX - m_dStartX, m_dEndY - m_dStartY); }

double CTunnel::Length3D() const
{
    return Length(CMVector(m_dEndX - m_dStartX, m_dEndY - m_dStartY, m_dEndZ - m_dStartZ));
}

std::string CTunnel::MakeIdentity() const
{
    return MakeKey({m_dStartX, m_dStartY, m_dStartZ, m_dEndX, m_dEndY, m_dEndZ});
}

std::string CReceiverPoint::MakeIdentity() const { return MakeKey({m_dX, m_dY, m_dZ}); }
