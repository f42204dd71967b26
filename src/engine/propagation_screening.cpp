#include "engine/propagation_screening.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/band_pairs.h"
#include "engine/fast_exp.h"
#include "engine/propagation_diffraction.h"

// Insertion loss of each top device (index of the attenuator list, 0 = none), in dB, all bands.
const double kAttenuatorInsertion[11] = {0.0, 3.0, 3.2, 2.0, 1.0, 1.6, 1.4, 2.3, 3.4, 0.3, 0.4};

namespace {

constexpr double kCapSingle = 25.0;                    // dB
constexpr double kCapDouble = 30.0;                    // dB
constexpr double kTenthLn10 = 0.23025850929940456840;  // ln(10) / 10: 10^(x/10) = exp(x kTenthLn10)

// Which fields of a record one path reads.
struct PathFields {
    CMVector CDiffractionPoint::*d1;
    CMVector CDiffractionPoint::*d2;
    double CDiffractionPoint::*rank1;
    double CDiffractionPoint::*rank2;
};

constexpr PathFields kTopFields{&CDiffractionPoint::m_vTopD1, &CDiffractionPoint::m_vTopD2,
                                &CDiffractionPoint::m_dTopRank1, &CDiffractionPoint::m_dTopRank2};
constexpr PathFields kLeftFields{&CDiffractionPoint::m_vLeftD1, &CDiffractionPoint::m_vLeftD2,
                                 &CDiffractionPoint::m_dLeftRank1, &CDiffractionPoint::m_dLeftRank2};
constexpr PathFields kRightFields{&CDiffractionPoint::m_vRightD1, &CDiffractionPoint::m_vRightD2,
                                  &CDiffractionPoint::m_dRightRank1, &CDiffractionPoint::m_dRightRank2};

// An obstacle takes part in a band only when it is wider than the wavelength
// (ISO 9613-2, 7.4), seen from the D1 points or from the D2 points.
double WidthAtD1(const CDiffractionPoint& r) { return std::abs(r.m_dExtentLeft1) + std::abs(r.m_dExtentRight1); }
double WidthAtD2(const CDiffractionPoint& r) { return std::abs(r.m_dExtentLeft2) + std::abs(r.m_dExtentRight2); }

// Record i takes best's place when there is none yet or its field ranks above best's (on
// values equal within kRankAngleTolerance the earlier record keeps it).
inline void KeepIfAbove(const std::vector<CDiffractionPoint>& recs, int& best, int i, double CDiffractionPoint::*rank)
{
    if (best < 0 || RanksAbove(recs[i].*rank, recs[best].*rank))
        best = i;
}

// LargestRank among two records or more.
int LargestRankOfMany(const CScreeningScratch& scratch, double CDiffractionPoint::*rank, bool first, double wavelength)
{
    const auto& parts = scratch.m_arrPart;
    int best = -1;
    for (int i = 0; i < static_cast<int>(parts.size()); ++i)
        if ((first ? parts[i].m_dWidth1 : parts[i].m_dWidth2) > wavelength)
            KeepIfAbove(scratch.m_arrRecord, best, i, rank);
    return best;
}

// Position of the taking-part record with the largest value of the field; -1 for none.
// On values equal within kRankAngleTolerance the earlier record is kept. Inline for the
// one record that most screened paths meet.
inline int LargestRank(const CScreeningScratch& scratch, double CDiffractionPoint::*rank, bool first, double wavelength)
{
    if (scratch.m_arrRecord.size() == 1)
        return (first ? scratch.m_arrPart[0].m_dWidth1 : scratch.m_arrPart[0].m_dWidth2) > wavelength ? 0 : -1;
    return LargestRankOfMany(scratch, rank, first, wavelength);
}

// One path type (top, left or right) across the bands: the records chosen for the D1 and
// D2 points and the path's geometry, measured again only when the choice changes (the
// records taking part grow as the wavelength shrinks, so it changes rarely).
template <class Geometry>
class CPathAcrossBands {
public:
    CPathAcrossBands(const PathFields& f, const CMVector& s, const CMVector& r) : m_f(f), m_s(s), m_r(r) {}

    const Geometry& ForBand(const CScreeningScratch& scratch, double wavelength, bool sameChoice)
    {
        if (sameChoice)
            return m_geometry;
        const int i1 = LargestRank(scratch, m_f.rank1, true, wavelength);
        const int i2 = LargestRank(scratch, m_f.rank2, false, wavelength);
        if (i1 == m_i1 && i2 == m_i2)
            return m_geometry;
        m_i1 = i1;
        m_i2 = i2;
        CPathPoints p;
        if (i1 >= 0 && i2 >= 0) {
            const auto& recs = scratch.m_arrRecord;
            p = {true, recs[i1].*m_f.d1, recs[i2].*m_f.d2, recs[i1].*m_f.rank1, recs[i2].*m_f.rank2};
        }
        m_geometry = Measure(p);
        return m_geometry;
    }
    // The record the D2 point (chosen last) came from; -1 for none.
    int LastRecord() const { return m_i1 >= 0 ? m_i2 : -1; }

private:
    Geometry Measure(const CPathPoints& p) const;

    const PathFields& m_f;
    const CMVector& m_s;
    const CMVector& m_r;
    int m_i1 = -2, m_i2 = -2;
    Geometry m_geometry;
};

template <>
CTopGeometry CPathAcrossBands<CTopGeometry>::Measure(const CPathPoints& p) const
{
    return TopPathGeometry(m_s, m_r, p);
}
template <>
CLateralGeometry CPathAcrossBands<CLateralGeometry>::Measure(const CPathPoints& p) const
{
    return LateralPathGeometry(m_s, m_r, p);
}

// The path types of one band, which decide the cap from the last band.
struct BandResult {
    double sum = 0;  // energy of the open paths, 0 when none is open
    bool topSingle = false;
    bool lateralsDouble = false;
};

// 10^(-insertion/10) of every top-device kind.
const std::array<double, 11>& DeviceEnergy()
{
    static const std::array<double, 11> energy = [] {
        std::array<double, 11> e{};
        for (int k = 0; k < 11; ++k)
            e[k] = std::pow(10.0, -kAttenuatorInsertion[k] / 10.0);
        return e;
    }();
    return energy;
}

// 10^(-D/10) of the top path, D = 10 lg A - A_gr (+ the top device's insertion value):
// 10^(A_gr/10) / A, with the ground factor kept from the band before while A_gr repeats.
class CTopEnergy {
public:
    double Of(const CTopTerm& t, double ground, const CScreeningScratch& scratch, int record)
    {
        if (!t.m_bScreens)
            return 1.0;              // an open path: 0 dB
        if (!(t.m_dArgument > 0.0))  // never for a path that screens; kept for safety
            return std::pow(10.0, -(10.0 * std::log10(t.m_dArgument) - ground) / 10.0);
        if (ground != m_dGround) {
            m_dGround = ground;
            m_dGroundEnergy = FastExp(ground * kTenthLn10);
        }
        double e = m_dGroundEnergy / t.m_dArgument;
        const int kind = record >= 0 ? scratch.m_arrPart[record].m_nAttenuator : 0;
        if (kind >= 1 && kind <= 10)
            e *= DeviceEnergy()[kind];
        return e;
    }

private:
    double m_dGround = std::numeric_limits<double>::quiet_NaN();
    double m_dGroundEnergy = 1.0;
};

struct CScreenPaths {
    CPathAcrossBands<CTopGeometry> top;
    CPathAcrossBands<CLateralGeometry> left, right;
    CTopEnergy topEnergy;
};

// The energy sum of the top and the two lateral paths. A path of kNoPath (999 dB, a path
// that takes no part) adds 1e-99.9, which vanishes beside the energy of any real path (all
// lie far below 300 dB): it is left out.
BandResult ScreenBand(CScreenPaths& paths, const CScreeningScratch& scratch, double wavelength, double ground,
                      bool sameChoice)
{
    const CTopTerm top = TopPathTerm(paths.top.ForBand(scratch, wavelength, sameChoice), wavelength);
    const CLateralGeometry& left = paths.left.ForBand(scratch, wavelength, sameChoice);
    const CLateralGeometry& right = paths.right.ForBand(scratch, wavelength, sameChoice);
    double sum = 0.0;
    if (top.m_eCase != ETopCase::kUndetermined)
        sum = paths.topEnergy.Of(top, ground, scratch, paths.top.LastRecord());
    if (top.m_eCase != ETopCase::kSingleBelow) {  // an edge below the line of sight: no lateral paths
        sum += LateralPathEnergy(left, wavelength);
        sum += LateralPathEnergy(right, wavelength);
    }
    BandResult b;
    b.sum = sum;
    b.topSingle = top.m_eCase == ETopCase::kSingleAbove || top.m_eCase == ETopCase::kSingleBelow;
    b.lateralsDouble = left.m_eCase == ELateralCase::kDouble && right.m_eCase == ELateralCase::kDouble;
    return b;
}

// The records taking part in a band, one bit each (D1 and D2 widths); the choices of
// every path repeat those of the band before when both sets do.
struct CTakingPart {
    std::uint64_t d1 = 0, d2 = 0;
    bool known = false;  // at most 64 records
};

CTakingPart TakingPart(const CScreeningScratch& scratch, double wavelength)
{
    CTakingPart t;
    const std::size_t n = scratch.m_arrRecord.size();
    if (n > 64)
        return t;
    for (std::size_t i = 0; i < n; ++i) {
        t.d1 |= static_cast<std::uint64_t>(scratch.m_arrPart[i].m_dWidth1 > wavelength) << i;
        t.d2 |= static_cast<std::uint64_t>(scratch.m_arrPart[i].m_dWidth2 > wavelength) << i;
    }
    t.known = true;
    return t;
}

}  // namespace

namespace {

void AddRecord(const CObstacle& o, const CPathLine& p, const CMVector& crossing, CScreeningScratch& scratch)
{
    const CDiffractionPoint& rec = AppendDiffractionRecord(o, p, crossing, scratch.m_arrRecord);
    scratch.m_arrPart.push_back({WidthAtD1(rec), WidthAtD2(rec), o.m_nAttenuator});
}

// Inline: most obstacles listed for a path's direction are passed over by the quick tests.
inline void CollectRecord(const CObstacle& o, const CPathLine& p, CScreeningScratch& scratch)
{
    if (p.BoxApart(o) || p.PassesBeside(o))
        return;
    CMVector crossing(0.0, 0.0, 0.0);
    if (CrossesObstacle(o, p, crossing))
        AddRecord(o, p, crossing, scratch);
}

}  // namespace

void CollectDiffractionRecords(const CMVector& s, const CMVector& r, const std::vector<CObstacle>& obstacles, int skip,
                               CScreeningScratch& scratch, const CObstacleSectors* sectors)
{
    scratch.m_arrRecord.clear();
    scratch.m_arrPart.clear();
    const CPathLine path(s, r);
    scratch.m_dPathLength = path.length;
    if (sectors) {
        for (int i : sectors->Candidates(s))
            if (i != skip)
                CollectRecord(obstacles[i], path, scratch);
        return;
    }
    for (int i = 0; i < static_cast<int>(obstacles.size()); ++i)
        if (i != skip)
            CollectRecord(obstacles[i], path, scratch);
}

double FlatPathTerm(const CMVector& s, const CMVector& r)
{
    const double dh = PlanLength(s - r);
    if (!(dh > 0.0))
        return 0.0;
    const double slope = (34.0 + 600.0 / dh) * std::abs(s.z - r.z) / dh;
    return slope - 4.8 <= 0.0 ? 4.8 - slope : 0.0;
}

namespace {

// Per band the energy sum of the paths (0 when none is open), and the cap the path types
// of the last band decide.
struct CScreenSums {
    Bands sum{};
    double cap = kCapSingle;
};

// Every record takes part in all bands or in none, seen from either end: the same records
// are chosen in every band.
bool SameRecordsInEveryBand(const CScreeningScratch& scratch, const Bands& wavelength)
{
    double shortest = wavelength[0], longest = wavelength[0];
#pragma GCC unroll 8
    for (int j = 1; j < kBandCount; ++j) {
        shortest = std::min(shortest, wavelength[j]);
        longest = std::max(longest, wavelength[j]);
    }
    const auto decided = [&](double width) { return width > longest || !(width > shortest); };
    for (std::size_t i = 0; i < scratch.m_arrRecord.size(); ++i)
        if (!decided(scratch.m_arrPart[i].m_dWidth1) || !decided(scratch.m_arrPart[i].m_dWidth2))
            return false;
    return true;
}

// 10^(A_gr/10) of every band. The ground term is the same in every band from 2 kHz up, and
// from 125 Hz up where the receiver's region is hard: one exponential serves each run of
// equal values.
Bands GroundEnergies(const Bands& ground)
{
    Bands e;
    const double first = FastExp(ground[0] * kTenthLn10);
    bool same = true;
#pragma GCC unroll 6
    for (int j = 2; j < kBandCount; ++j)
        same &= ground[j] == ground[1];
    if (same) {
        e.fill(ground[1] == ground[0] ? first : FastExp(ground[1] * kTenthLn10));
        e[0] = first;
        return e;
    }
    e[0] = first;
    double last = ground[0];
    for (int j = 1; j < kBandCount; ++j) {
        if (ground[j] != last) {
            last = ground[j];
            e[j] = FastExp(last * kTenthLn10);
        } else {
            e[j] = e[j - 1];
        }
    }
    return e;
}

// C3 of eq. (15) in each lane, as MultipleEdgeFactor gives it.
BandPair MultipleEdgeFactors(BandPair wavelength, double e)
{
    const BandPair ratio = 5.0 * wavelength / e;
    return (1.0 + ratio * ratio) / (1.0 / 3.0 + ratio * ratio);
}

// The argument B of a lateral path's energy 1/B in each band, as BarrierArgument gives it;
// 1 for a missing path.
[[gnu::always_inline]] inline CBandPairs LateralArguments(const CLateralGeometry& g, const CBandPairs& wl)
{
    CBandPairs b;
    if (g.m_eCase == ELateralCase::kSingle) {
#pragma GCC unroll 4
        for (int q = 0; q < 4; ++q)
            b.p[q] = 3.0 + 20.0 / wl.p[q] * g.m_dZ;
    } else if (g.m_eCase == ELateralCase::kDouble) {
#pragma GCC unroll 4
        for (int q = 0; q < 4; ++q)
            b.p[q] = 3.0 + 20.0 / wl.p[q] * (MultipleEdgeFactors(wl.p[q], g.m_dEdge) * g.m_dZ);
    } else {
        b = CBandPairs::Fill(1.0);
    }
    return b;
}

// The argument A of a top path with one edge above the line of sight or two edges not both
// below it, in each band.
CBandPairs TopArguments(const CTopGeometry& g, const CBandPairs& wl)
{
    CBandPairs a;
    if (g.m_eCase == ETopCase::kSingleAbove) {
        const double zm = g.m_dZ * g.m_dMeteo;
#pragma GCC unroll 4
        for (int q = 0; q < 4; ++q)
            a.p[q] = 3.0 + 20.0 / wl.p[q] * zm;
    } else {
#pragma GCC unroll 4
        for (int q = 0; q < 4; ++q)
            a.p[q] = 3.0 + 20.0 / wl.p[q] * (MultipleEdgeFactors(wl.p[q], g.m_dEdge) * g.m_dZ * g.m_dMeteo);
    }
    return a;
}

// The band sums of a top path that screens in every band (one edge above the line of sight,
// or two edges not both below it) beside lateral paths of positive arguments: the same
// formulas in every band, two bands at a time, as the band-by-band terms give them. False,
// with sum untouched, for any other case. Where the geometry is finite every argument is 3
// or more (no path difference lies below 0, up to rounding), so only a sum that is not a
// number shows an argument that is not positive.
bool SideBySideSums(const CTopGeometry& top, const CLateralGeometry& left, const CLateralGeometry& right, int kind,
                    const Bands& wavelength, const Bands& ground, Bands& sum)
{
    if (top.m_eCase != ETopCase::kSingleAbove && top.m_eCase != ETopCase::kTwoOther)
        return false;
    const CBandPairs wl = CBandPairs::Load(wavelength);
    const CBandPairs topArg = TopArguments(top, wl), leftArg = LateralArguments(left, wl),
                     rightArg = LateralArguments(right, wl);
    const double device = kind >= 1 && kind <= 10 ? DeviceEnergy()[kind] : 1.0;
    const CBandPairs groundPairs = CBandPairs::Load(GroundEnergies(ground));
    CBandPairs out;
    PairMask numbers = {-1, -1};
#pragma GCC unroll 4
    for (int q = 0; q < 4; ++q) {
        out.p[q] = groundPairs.p[q] / topArg.p[q] * device + 1.0 / leftArg.p[q] + 1.0 / rightArg.p[q];
        numbers &= out.p[q] == out.p[q];
    }
    if (!AllTrue(numbers))
        return false;
    sum = out.Store();
    return true;
}

// The records of the largest ranks at both ends of the three path types (top, left, right),
// among the records taking part in a band: LargestRank of each field, in one pass.
struct CChoices {
    int top1, top2, left1, left2, right1, right2;
};
CChoices LargestRanks(const CScreeningScratch& scratch, double wavelength)
{
    if (scratch.m_arrRecord.size() == 1) {
        const int at1 = scratch.m_arrPart[0].m_dWidth1 > wavelength ? 0 : -1,
                  at2 = scratch.m_arrPart[0].m_dWidth2 > wavelength ? 0 : -1;
        return {at1, at2, at1, at2, at1, at2};
    }
    const auto& recs = scratch.m_arrRecord;
    CChoices c{-1, -1, -1, -1, -1, -1};
    for (int i = 0; i < static_cast<int>(recs.size()); ++i) {
        if (scratch.m_arrPart[i].m_dWidth1 > wavelength) {
            KeepIfAbove(recs, c.top1, i, &CDiffractionPoint::m_dTopRank1);
            KeepIfAbove(recs, c.left1, i, &CDiffractionPoint::m_dLeftRank1);
            KeepIfAbove(recs, c.right1, i, &CDiffractionPoint::m_dRightRank1);
        }
        if (scratch.m_arrPart[i].m_dWidth2 > wavelength) {
            KeepIfAbove(recs, c.top2, i, &CDiffractionPoint::m_dTopRank2);
            KeepIfAbove(recs, c.left2, i, &CDiffractionPoint::m_dLeftRank2);
            KeepIfAbove(recs, c.right2, i, &CDiffractionPoint::m_dRightRank2);
        }
    }
    return c;
}

// The geometry of a path type from the records chosen at its ends (none when an end has
// none), as TopPathGeometry and LateralPathGeometry take it from the chosen points, with the
// direct distance of the path the records were collected for.
CTopGeometry TopFrom(const CScreeningScratch& scratch, const CMVector& s, const CMVector& r, int i1, int i2)
{
    if (i1 < 0 || i2 < 0)
        return {};
    const auto& recs = scratch.m_arrRecord;
    return TopPathGeometry(s, r, scratch.m_dPathLength, recs[i1].m_vTopD1, recs[i2].m_vTopD2, recs[i1].m_dTopRank1,
                           recs[i2].m_dTopRank2);
}
CLateralGeometry LateralFrom(const CScreeningScratch& scratch, const PathFields& f, const CMVector& s,
                             const CMVector& r, int i1, int i2)
{
    if (i1 < 0 || i2 < 0)
        return {};
    const auto& recs = scratch.m_arrRecord;
    return LateralPathGeometry(s, r, scratch.m_dPathLength, recs[i1].*f.d1, recs[i2].*f.d2);
}

// ScreenSums when the paths' geometry is the same in every band: the band terms alone.
CScreenSums SameGeometrySums(const CMVector& s, const CMVector& r, const CScreeningScratch& scratch,
                             const Bands& wavelength, const Bands& ground)
{
    const CChoices c = LargestRanks(scratch, wavelength[0]);
    const int record = c.top1 >= 0 ? c.top2 : -1;  // the record of the top path's D2 point, as LastRecord
    const CTopGeometry top = TopFrom(scratch, s, r, c.top1, c.top2);
    const CLateralGeometry left = LateralFrom(scratch, kLeftFields, s, r, c.left1, c.left2);
    const CLateralGeometry right = LateralFrom(scratch, kRightFields, s, r, c.right1, c.right2);
    const bool laterals = top.m_eCase != ETopCase::kSingleBelow;  // an edge below the line of sight: none
    CScreenSums out;
    const int kind = record >= 0 ? scratch.m_arrPart[record].m_nAttenuator : 0;
    if (!SideBySideSums(top, left, right, kind, wavelength, ground, out.sum)) {
        CTopEnergy topEnergy;
        for (int j = 0; j < kBandCount; ++j) {
            const CTopTerm t = TopPathTerm(top, wavelength[j]);
            double sum = 0.0;
            if (top.m_eCase != ETopCase::kUndetermined)
                sum = topEnergy.Of(t, ground[j], scratch, record);
            if (laterals) {
                sum += LateralPathEnergy(left, wavelength[j]);
                sum += LateralPathEnergy(right, wavelength[j]);
            }
            out.sum[j] = sum;
        }
    }
    const bool topSingle = top.m_eCase == ETopCase::kSingleAbove || top.m_eCase == ETopCase::kSingleBelow;
    const bool lateralsDouble = left.m_eCase == ELateralCase::kDouble && right.m_eCase == ELateralCase::kDouble;
    out.cap = lateralsDouble && !topSingle ? kCapDouble : kCapSingle;
    return out;
}

CScreenSums ScreenSums(const CMVector& s, const CMVector& r, const CScreeningScratch& scratch, const Bands& wavelength,
                       const Bands& ground)
{
    if (SameRecordsInEveryBand(scratch, wavelength))
        return SameGeometrySums(s, r, scratch, wavelength, ground);
    CScreenPaths paths{{kTopFields, s, r}, {kLeftFields, s, r}, {kRightFields, s, r}, {}};
    CScreenSums out;
    BandResult last;
    CTakingPart before;
    for (int j = 0; j < kBandCount; ++j) {
        const CTakingPart now = TakingPart(scratch, wavelength[j]);
        const bool same = j > 0 && now.known && before.known && now.d1 == before.d1 && now.d2 == before.d2;
        last = ScreenBand(paths, scratch, wavelength[j], ground[j], same);
        out.sum[j] = last.sum;
        before = now;
    }
    out.cap = last.lateralsDouble && !last.topSingle ? kCapDouble : kCapSingle;
    return out;
}

}  // namespace

Bands BarrierAttenuation(const CMVector& s, const CMVector& r, const CScreeningScratch& scratch,
                         const Bands& wavelength, const Bands& ground)
{
    Bands a{};
    const double flat = FlatPathTerm(s, r);
    if (scratch.m_arrRecord.empty()) {
        // Three open paths: -10 lg 3 in every band, floored at 0, so the flat-path term.
        a.fill(flat);
        return a;
    }
    const CScreenSums sums = ScreenSums(s, r, scratch, wavelength, ground);
    for (int j = 0; j < kBandCount; ++j) {
        const double sum = sums.sum[j];
        double v = sum > 0.0 ? -10.0 * std::log10(sum) : 10.0 * kNoPath;  // nothing open: the cap decides
        v = std::max(0.0, std::min(v, sums.cap));
        a[j] = v == 0.0 ? flat : v;
    }
    return a;
}

Bands BarrierEnergy(const CMVector& s, const CMVector& r, const CScreeningScratch& scratch, const Bands& wavelength,
                    const Bands& ground)
{
    static const double capSingle = std::exp(-kCapSingle * kTenthLn10), capDouble = std::exp(-kCapDouble * kTenthLn10);
    Bands e{};
    if (scratch.m_arrRecord.empty()) {
        e.fill(FastExp(-FlatPathTerm(s, r) * kTenthLn10));
        return e;
    }
    const CScreenSums sums = ScreenSums(s, r, scratch, wavelength, ground);
    const double cap = sums.cap == kCapDouble ? capDouble : capSingle;
    // Every band between 0 dB and nothing open (the usual case): the sum, not below the cap,
    // two bands at a time.
    const CBandPairs sum = CBandPairs::Load(sums.sum);
    PairMask between = {-1, -1};
#pragma GCC unroll 4
    for (int q = 0; q < 4; ++q)
        between &= (sum.p[q] > 0.0) & (sum.p[q] < 1.0);
    if (AllTrue(between)) {
        CBandPairs out;
#pragma GCC unroll 4
        for (int q = 0; q < 4; ++q)
            out.p[q] = Max(sum.p[q], BandPair{cap, cap});
        return out.Store();
    }
    double flat = -1.0;  // measured when a band needs it
#pragma GCC unroll 8
    for (int j = 0; j < kBandCount; ++j) {
        const double sum = sums.sum[j];
        if (!(sum > 0.0) || sum < cap) {
            e[j] = cap;
        } else if (sum >= 1.0) {  // 0 dB or less: the flat-path term
            if (flat < 0.0)
                flat = FastExp(-FlatPathTerm(s, r) * kTenthLn10);
            e[j] = flat;
        } else {
            e[j] = sum;
        }
    }
    return e;
}

Bands Screening(const CMVector& s, const CMVector& r, const std::vector<CObstacle>& obstacles, int skip,
                const Bands& wavelength, const Bands& ground, CScreeningScratch& scratch,
                const CObstacleSectors* sectors)
{
    CollectDiffractionRecords(s, r, obstacles, skip, scratch, sectors);
    return BarrierAttenuation(s, r, scratch, wavelength, ground);
}

Bands ScreeningEnergy(const CMVector& s, const CMVector& r, const std::vector<CObstacle>& obstacles, int skip,
                      const Bands& wavelength, const Bands& ground, CScreeningScratch& scratch,
                      const CObstacleSectors* sectors)
{
    CollectDiffractionRecords(s, r, obstacles, skip, scratch, sectors);
    return BarrierEnergy(s, r, scratch, wavelength, ground);
}
