#pragma once

#include <cmath>

// A 3-D point or vector in metres: X and Y in the plan, Z up. A plain value (trivially
// copyable, no virtual functions): the engine copies millions of them per second.
class CMVector {
public:
    double x = 0.0, y = 0.0, z = 0.0;

    CMVector() = default;
    CMVector(double ax, double ay, double az) : x(ax), y(ay), z(az) {}

    void Set(double ax, double ay, double az)
    {
        x = ax;
        y = ay;
        z = az;
    }
    // x for i mod 3 = 0, y for 1, z for 2 (negative i wraps the same way).
    double element(int i) const;

    bool operator==(const CMVector& o) const { return x == o.x && y == o.y && z == o.z; }
    bool operator!=(const CMVector& o) const { return !(*this == o); }
    CMVector operator+(const CMVector& o) const { return {x + o.x, y + o.y, z + o.z}; }
    CMVector operator-(const CMVector& o) const { return {x - o.x, y - o.y, z - o.z}; }
    CMVector operator*(double s) const { return {x * s, y * s, z * s}; }
    CMVector operator/(double s) const { return {x / s, y / s, z / s}; }
};

inline CMVector operator*(double s, const CMVector& a) { return a * s; }
// Componentwise s/x, s/y, s/z.
inline CMVector operator/(double s, const CMVector& a) { return {s / a.x, s / a.y, s / a.z}; }

inline double Dot(const CMVector& a, const CMVector& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline CMVector Cross(const CMVector& a, const CMVector& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Length(const CMVector& a) { return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z); }
inline double PlanLength(const CMVector& a) { return std::sqrt(a.x * a.x + a.y * a.y); }

// Plan heading of the direction (dx, dy) in radians from +X towards +Y:
// arccos(dx / plan length), negated when dy is not positive. A direction of zero
// plan length has heading 0.
double PlanHeading(double dx, double dy);

// Angle in radians between two directions; 0 when either has zero length.
double AngleBetween(const CMVector& a, const CMVector& b);
