#pragma once

// Reflections from vertical reflectors by an image source (ISO 9613-2, 7.5): the
// geometry, the per-band validity test and the two sides of the source line. Pure:
// safe on any thread.

#include "engine/propagation_obstacle.h"
#include "model/bands.h"

struct CReflector {
    CObstacle m_rect;       // the reflecting rectangle
    Bands m_dAbsorption{};  // absorption coefficient per band
    int m_nObstacle = -1;   // the same body's position among the obstacles; -1 for none
    // A building's wall reflects on its outer face only: a source on the footprint's side of
    // its plane (opposite m_vOuter, the unit plan normal pointing out) gets no reflection.
    // A barrier reflects on both faces.
    bool m_bOuterFaceOnly = false;
    CMVector m_vOuter;
    // Made by PrepareReflector from the fields above, once per calculation:
    CMVector m_vNormal;               // unit plan normal; zero for a rectangle of no plan length
    Bands m_dPowerChange{};           // 10*lg(1 - alpha) of each band (ReflectedPower less the power)
    bool m_bReflectsSomeBand = true;  // some band absorbs 0.8 or less
    double m_dPlanMargin = 0;         // how far outside its plan box a hit may still lie, m
};

// Fills the prepared fields of a reflector whose rectangle and absorption are set.
void PrepareReflector(CReflector& reflector);

struct CReflectionHit {
    bool m_bHit = false;
    CMVector m_vImage;  // S mirrored in the reflector's plane, same height
    CMVector m_vPoint;  // where S'->R crosses the plane, inside the rectangle
};
// A source or receiver lying in the reflector's plane (LiesInPlane) has no reflection.
CReflectionHit FindReflection(const CObstacle& rect, const CMVector& s, const CMVector& r);
// The same with the prepared reflector: quicker, the same hit; none for a source behind
// a reflector that reflects on its outer face only.
CReflectionHit FindReflection(const CReflector& reflector, const CMVector& s, const CMVector& r);

// Cosine of the angle between the incoming direction s->x and the plane's normal.
double IncidenceCosine(const CObstacle& rect, const CMVector& s, const CMVector& x);

// l_min: the plan length when that is less than the top height above the highest road
// end, else the top's height above the ground at the reflection point.
double ReflectorMinLength(const CObstacle& rect, double maxRoadHeight, double groundAtPoint);

// The band reflects: its Fresnel condition holds and its absorption is 0.8 or less.
bool ReflectionValid(double wavelength, double minLength, double cosBeta, double dso, double dor, double absorption);

// Band power after the reflection: 10*lg(1 - alpha) added.
double ReflectedPower(double power, double absorption);

// The line a source piece belongs to (a road, or a tunnel mouth's pair of corners).
struct CSourceLine {
    CMVector m_vStart;
    CMVector m_vDirection;
};

// true for the left side: the vertical component of direction x (point - start) is positive.
bool LeftOfSourceLine(const CSourceLine& line, const CMVector& point);

// Energy sum of the two side slots, where 0 is no reflection; 0 when neither has one.
double CombineSides(double left, double right);
