#pragma once

// A 3-D point or vector in metres: X and Y in the plan, Z up.
class CMVector {
public:
    double x = 0.0, y = 0.0, z = 0.0;

    CMVector() = default;
    CMVector(double ax, double ay, double az) : x(ax), y(ay), z(az) {}
    virtual ~CMVector() = default;
    CMVector(const CMVector&) = default;
    CMVector& operator=(const CMVector&) = default;

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

double Dot(const CMVector& a, const CMVector& b);
CMVector Cross(const CMVector& a, const CMVector& b);
double Length(const CMVector& a);
double PlanLength(const CMVector& a);

// Plan heading of the direction (dx, dy) in radians from +X towards +Y:
// arccos(dx / plan length), negated when dy is not positive. A direction of zero
// plan length has heading 0.
double PlanHeading(double dx, double dy);

// Angle in radians between two directions; 0 when either has zero length.
double AngleBetween(const CMVector& a, const CMVector& b);
