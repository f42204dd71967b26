#pragma once

// Geometric divergence of one source piece treated as a small box (ISO 9613-2, 7.1,
// with a near field inside and beside the piece). Pure: safe on any thread.

#include "model/mvector.h"

// The box a piece stands for: centred on the piece position, pieceLength along the
// heading, width across it, kPieceBoxHeight high.
struct CPieceBox {
    double m_dWidth = 0;
    double m_dPieceLength = 0;
    double m_dHeading = 0;  // radians
};

constexpr double kPieceBoxHeight = 0.1;

struct CDivergence {
    double m_dValue = 0;        // A_div in dB
    bool m_bInsideBox = false;  // the receiver stood inside the box
};

// Cosine and sine of a box's heading and the diagonal of its plan, prepared once per piece.
struct CHeadingTrig {
    double m_dCos = 1, m_dSin = 0;
    double m_dDiagonal = 0;  // m
};
CHeadingTrig HeadingTrig(const CPieceBox& box);

CDivergence Divergence(const CMVector& s, const CMVector& r, const CPieceBox& box);
// The same with the heading's cosine and sine given.
CDivergence Divergence(const CMVector& s, const CMVector& r, const CPieceBox& box, const CHeadingTrig& trig);
// 10^(-A_div/10) of the same path, without a logarithm (equal to the energy of Divergence's
// value up to the last bits).
double DivergenceEnergy(const CMVector& s, const CMVector& r, const CPieceBox& box, const CHeadingTrig& trig);

// acos of a cosine: where the angle is below about 0.2 rad (cosine 0.98 and above), twice the
// arc sine of its half-angle's sine, by the series of the arc sine to the 15th power, within
// two units in the last place of std::acos and without a call; elsewhere std::acos itself.
double ArcCosine(double cosine);
