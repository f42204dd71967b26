#include "engine/propagation_screening.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/propagation_diffraction.h"

// Insertion loss of each top device (index of the attenuator list, 0 = none), in dB, all bands.
const double kAttenuatorInsertion[11] = {0.0, 3.0, 3.2, 2.0, 1.0, 1.6, 1.4, 2.3, 3.4, 0.3, 0.4};

namespace {

constexpr double kCapSingle = 25.0;  // dB
constexpr double kCapDouble = 30.0;  // dB

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
bool WideAtD1(const CDiffractionPoint& r, double wavelength)
{
    return std::abs(r.m_dExtentLeft1) + std::abs(r.m_dExtentRight1) > wavelength;
}
bool WideAtD2(const CDiffractionPoint& r, double wavelength)
{
    return std::abs(r.m_dExtentLeft2) + std::abs(r.m_dExtentRight2) > wavelength;
}

// Position of the taking-part record with the largest value of the field; -1 for none.
// On equal values the earlier record is kept.
int LargestRank(const std::vector<CDiffractionPoint>& recs, double CDiffractionPoint::*rank, bool first,
                double wavelength)
{
    int best = -1;
    for (int i = 0; i < static_cast<int>(recs.size()); ++i) {
        const bool wide = first ? WideAtD1(recs[i], wavelength) : WideAtD2(recs[i], wavelength);
        if (wide && (best < 0 || recs[i].*rank > recs[best].*rank))
            best = i;
    }
    return best;
}

struct ChosenPath {
    CPathPoints points;
    int lastRecord = -1;  // the record the D2 point (chosen last) came from
};

ChosenPath ChoosePath(const std::vector<CDiffractionPoint>& recs, const PathFields& f, double wavelength)
{
    ChosenPath c;
    const int i1 = LargestRank(recs, f.rank1, true, wavelength);
    const int i2 = LargestRank(recs, f.rank2, false, wavelength);
    if (i1 < 0 || i2 < 0)
        return c;
    c.points = {true, recs[i1].*f.d1, recs[i2].*f.d2, recs[i1].*f.rank1, recs[i2].*f.rank2};
    c.lastRecord = i2;
    return c;
}

// The path types of one band, which decide the cap from the last band.
struct BandResult {
    double value = 0;
    bool topSingle = false;
    bool lateralsDouble = false;
};

double Combine(double top, double left, double right)
{
    return -10.0 *
           std::log10(std::pow(10.0, -top / 10.0) + std::pow(10.0, -left / 10.0) + std::pow(10.0, -right / 10.0));
}

// A top device adds its insertion value to a top path that screens.
double WithTopDevice(const CTopResult& top, const CScreeningScratch& scratch, int record)
{
    if (!top.m_bScreens || record < 0)
        return top.m_dValue;
    const int kind = scratch.m_arrAttenuator[record];
    if (kind < 1 || kind > 10)
        return top.m_dValue;
    return top.m_dValue + kAttenuatorInsertion[kind];
}

BandResult ScreenBand(const CMVector& s, const CMVector& r, const CScreeningScratch& scratch, double wavelength,
                      double ground)
{
    const auto& recs = scratch.m_arrRecord;
    const ChosenPath topPath = ChoosePath(recs, kTopFields, wavelength);
    const CTopResult top = TopPathAttenuation(s, r, topPath.points, wavelength, ground);
    CLateralResult left = LateralPathAttenuation(s, r, ChoosePath(recs, kLeftFields, wavelength).points, wavelength);
    CLateralResult right = LateralPathAttenuation(s, r, ChoosePath(recs, kRightFields, wavelength).points, wavelength);
    if (top.m_eCase == ETopCase::kSingleBelow)
        left.m_dValue = right.m_dValue = kNoPath;

    BandResult b;
    b.value = Combine(WithTopDevice(top, scratch, topPath.lastRecord), left.m_dValue, right.m_dValue);
    b.topSingle = top.m_eCase == ETopCase::kSingleAbove || top.m_eCase == ETopCase::kSingleBelow;
    b.lateralsDouble = left.m_eCase == ELateralCase::kDouble && right.m_eCase == ELateralCase::kDouble;
    return b;
}

}  // namespace

void CollectDiffractionRecords(const CMVector& s, const CMVector& r, const std::vector<CObstacle>& obstacles, int skip,
                               CScreeningScratch& scratch)
{
    scratch.m_arrRecord.clear();
    scratch.m_arrAttenuator.clear();
    for (int i = 0; i < static_cast<int>(obstacles.size()); ++i) {
        const CObstacle& o = obstacles[i];
        if (i == skip || !CrossesInPlan(o, s, r))
            continue;
        const CPlaneCrossing c = CrossPlane(o, s, r);
        if (!c.m_bCrosses || !InsideRectangle(o, c.m_vPoint))
            continue;
        scratch.m_arrRecord.push_back(MakeDiffractionRecord(o, s, r, c.m_vPoint));
        scratch.m_arrAttenuator.push_back(o.m_nAttenuator);
    }
}

double FlatPathTerm(const CMVector& s, const CMVector& r)
{
    const double dh = PlanLength(s - r);
    if (!(dh > 0.0))
        return 0.0;
    const double slope = (34.0 + 600.0 / dh) * std::abs(s.z - r.z) / dh;
    return slope - 4.8 <= 0.0 ? 4.8 - slope : 0.0;
}

Bands BarrierAttenuation(const CMVector& s, const CMVector& r, const CScreeningScratch& scratch,
                         const Bands& wavelength, const Bands& ground)
{
    Bands a{};
    BandResult last;
    for (int j = 0; j < kBandCount; ++j) {
        last = ScreenBand(s, r, scratch, wavelength[j], ground[j]);
        a[j] = last.value;
    }
    const double cap = last.lateralsDouble && !last.topSingle ? kCapDouble : kCapSingle;
    const double flat = FlatPathTerm(s, r);
    for (double& v : a) {
        v = std::max(0.0, std::min(v, cap));
        if (v == 0.0)
            v = flat;
    }
    return a;
}

Bands Screening(const CMVector& s, const CMVector& r, const std::vector<CObstacle>& obstacles, int skip,
                const Bands& wavelength, const Bands& ground, CScreeningScratch& scratch)
{
    CollectDiffractionRecords(s, r, obstacles, skip, scratch);
    return BarrierAttenuation(s, r, scratch, wavelength, ground);
}
