#pragma once

#include "model/mvector.h"

// A 4x4 affine transform, row-major m[r][c]; points are column vectors (M * (p, 1)).
// A default matrix is the zero matrix, not the identity.
class CTransMatrix {
public:
    double m[4][4] = {};

    CTransMatrix() = default;
    virtual ~CTransMatrix() = default;
    CTransMatrix(const CTransMatrix&) = default;
    CTransMatrix& operator=(const CTransMatrix&) = default;

    void Zero();
    CTransMatrix operator+(const CTransMatrix& o) const;
    CTransMatrix operator-(const CTransMatrix& o) const;
    CTransMatrix operator*(const CTransMatrix& o) const;

    static CTransMatrix Identity();
    static CTransMatrix Translation(double tx, double ty, double tz);
    // Turns points counter-clockwise by theta in plan.
    static CTransMatrix RotationZ(double theta);
    // These two turn points by -theta about their axes (transposes of the usual matrices).
    static CTransMatrix RotationX(double theta);
    static CTransMatrix RotationY(double theta);
};

CMVector Apply(const CTransMatrix& a, const CMVector& p);

// Maps a point of an entity's own frame (x along it from its start, y across, z up)
// to the plan: rotate by the heading, then translate to the start point.
CMVector PlaceLocal(double startX, double startY, double heading, const CMVector& local);
