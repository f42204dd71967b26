#pragma once

// Records the engine produces and the document keeps between calculations. Plain values
// without virtual functions: the engine fills and copies them per path.

#include "model/bands.h"
#include "model/mvector.h"

// One point source: a piece of a road or of a tunnel mouth.
class CRoad_Segment {
public:
    double m_dAngle = 0;  // heading of the source line, radians
    Bands m_dPowerLevel{};
    int m_nRoadIndex = -1;                // road index; tunnel mouths: road count + 2*tunnel (+1 for the end mouth)
    double m_dZ = 0, m_dY = 0, m_dX = 0;  // Z relative to the base height
    double m_dWidth = 0;
    double m_dPieceLength = 0;
};

// The attenuations and the contribution of one source piece at one receiver.
class CAttenuation {
public:
    Bands m_dContribution{};
    Bands m_dTotalAttenuation{};
    int m_nReceiver = 0;
    int m_nSource = 0;
    Bands m_dGround{};
    Bands m_dAir{};
    double m_dDivergence = 0;
    Bands m_dReflection{};  // 0 = no reflection
    Bands m_dBarrier{};
};

// One obstacle met by a screened path: the diffraction points of its top path
// and of its two lateral paths.
class CDiffractionPoint {
public:
    CMVector m_vTopD1, m_vTopD2;
    CMVector m_vLeftD1, m_vLeftD2;
    CMVector m_vRightD1, m_vRightD2;
    // Ranks order the edges by their angle (1 - cosine; negative for a top edge below the
    // line of sight); -999 where the angle could not be formed.
    double m_dTopRank1 = 0, m_dTopRank2 = 0;
    double m_dLeftRank1 = 0, m_dLeftRank2 = 0;
    double m_dRightRank1 = 0, m_dRightRank2 = 0;
    double m_dExtentLeft1 = 0, m_dExtentRight1 = 0;  // normal to the path, at the D1 points
    double m_dExtentLeft2 = 0, m_dExtentRight2 = 0;  // at the D2 points
    int m_nIndex = 0;
    // 0 barrier, 1 cutting, 2 embankment, 3 bridge-road barrier, 4 optimisation barrier,
    // 5 building wall (its index counts the walls of all buildings in order)
    int m_nKind = 0;
};

// One interval of the terrain section: heights relative to the base height.
class CSurface_info {
public:
    virtual ~CSurface_info() = default;
    double m_dUpperY = 0;
    double m_dLowerY = 0;
    double m_dHeight = 0;
    double m_dSectionX = 0;
};

// One outline record of the terrain section.
class CPoint_info {
public:
    virtual ~CPoint_info() = default;
    double m_dY1 = 0;
    double m_dY2 = 0;
    double m_dHeight = 0;
    int m_nRisingSide = 0;
    int m_nIndex = 0;
};
