#include "model/trans_matrix.h"

#include <cmath>

void CTransMatrix::Zero() { *this = CTransMatrix(); }

CTransMatrix CTransMatrix::operator+(const CTransMatrix& o) const
{
    CTransMatrix r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r.m[i][j] = m[i][j] + o.m[i][j];
    return r;
}

CTransMatrix CTransMatrix::operator-(const CTransMatrix& o) const
{
    CTransMatrix r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r.m[i][j] = m[i][j] - o.m[i][j];
    return r;
}

CTransMatrix CTransMatrix::operator*(const CTransMatrix& o) const
{
    CTransMatrix r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            for (int k = 0; k < 4; ++k)
                r.m[i][j] += m[i][k] * o.m[k][j];
    return r;
}

CTransMatrix CTransMatrix::Identity()
{
    CTransMatrix r;
    for (int i = 0; i < 4; ++i)
        r.m[i][i] = 1.0;
    return r;
}

CTransMatrix CTransMatrix::Translation(double tx, double ty, double tz)
{
    CTransMatrix r = Identity();
    r.m[0][3] = tx;
    r.m[1][3] = ty;
    r.m[2][3] = tz;
    return r;
}

CTransMatrix CTransMatrix::RotationZ(double t)
{
    CTransMatrix r;
    r.m[0][0] = std::cos(t);
    r.m[0][1] = -std::sin(t);
    r.m[1][0] = std::sin(t);
    r.m[1][1] = std::cos(t);
    r.m[2][2] = r.m[3][3] = 1.0;
    return r;
}

CTransMatrix CTransMatrix::RotationX(double t)
{
    CTransMatrix r;
    r.m[0][0] = 1.0;
    r.m[1][1] = std::cos(t);
    r.m[1][2] = std::sin(t);
    r.m[2][1] = -std::sin(t);
    r.m[2][2] = std::cos(t);
    r.m[3][3] = 1.0;
    return r;
}

CTransMatrix CTransMatrix::RotationY(double t)
{
    CTransMatrix r;
    r.m[0][0] = std::cos(t);
    r.m[0][2] = -std::sin(t);
    r.m[1][1] = 1.0;
    r.m[2][0] = std::sin(t);
    r.m[2][2] = std::cos(t);
    r.m[3][3] = 1.0;
    return r;
}

CMVector Apply(const CTransMatrix& a, const CMVector& p)
{
    return {a.m[0][0] * p.x + a.m[0][1] * p.y + a.m[0][2] * p.z + a.m[0][3],
            a.m[1][0] * p.x + a.m[1][1] * p.y + a.m[1][2] * p.z + a.m[1][3],
            a.m[2][0] * p.x + a.m[2][1] * p.y + a.m[2][2] * p.z + a.m[2][3]};
}

CMVector PlaceLocal(double startX, double startY, double heading, const CMVector& local)
{
    const CTransMatrix m = CTransMatrix::Translation(startX, startY, 0.0) * CTransMatrix::RotationZ(heading);
    return Apply(m, local);
}
