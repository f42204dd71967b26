#pragma once

// The ground along the section line, as the section view draws it: flat at height 0,
// raised by the embankments it cuts (each slope, and the fill between neighbouring
// embankment crossings) and lowered by the cuttings (each slope, with the air above it
// down from 0). Positions u run along the line (X or Y), heights are metres.
// Thread-safe once built: a plain value.

#include <vector>

// One straight stretch of ground surface from (u0, h0) to (u1, h1); u0 and u1 in any order.
struct CGroundPiece {
    double u0 = 0, h0 = 0, u1 = 0, h1 = 0;

    bool Covers(double u) const;
    double HeightAt(double u) const;  // on the straight line through both ends
};

struct CSectionGround {
    // Raised ground: the body reaches from height 0 up to the piece (embankment slopes and
    // the fill between their crossings).
    std::vector<CGroundPiece> m_arrRaise;
    // Cut ground: the air reaches from the piece up to height 0 where the piece lies below 0;
    // where it lies above 0 the cut's wall stands up to it.
    std::vector<CGroundPiece> m_arrCut;

    // The height of the ground surface at u: the highest raise or cut wall above 0, else the
    // lowest cut below 0, else 0.
    double HeightAt(double u) const;
    // The lowest ground surface over [from, to] (at the ends and at every piece's end inside).
    double Lowest(double from, double to) const;
};
