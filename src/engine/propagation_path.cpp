#include "engine/propagation_path.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

#include "engine/fast_exp.h"
#include "engine/propagation_divergence.h"

namespace {

CPieceBox BoxOf(const CRoad_Segment& piece) { return {piece.m_dWidth, piece.m_dPieceLength, piece.m_dAngle}; }

constexpr double kTenthLn10 = 0.23025850929940456840;  // ln(10) / 10

// 10^(level/10); no energy is 0.
double Energy(double level) { return FastExp(level * kTenthLn10); }

// Energy of every band at once.
Bands BandEnergies(const Bands& level)
{
    Bands x;
#pragma GCC unroll 8
    for (int j = 0; j < kBandCount; ++j)
        x[j] = level[j] * kTenthLn10;
    return FastExp8(x);
}

// 10*lg(10^((Lw - A)/10) + 10^(Lrefl/10)); a zero L_refl is no reflection.
double Contribution(double power, double attenuation, double reflected)
{
    return EnergyAdd(power - attenuation, reflected == 0.0 ? kNoEnergy : reflected);
}

}  // namespace

CMVector PiecePosition(const CRoad_Segment& piece) { return {piece.m_dX, piece.m_dY, piece.m_dZ}; }

// Position in the scene of a piece of the scene.
std::size_t CPathEvaluator::PieceIndex(const CRoad_Segment& piece) const
{
    return static_cast<std::size_t>(&piece - m_scene.m_arrPiece.data());
}

CPathEvaluator::CPathEvaluator(const CSceneData& scene, const CTerrainSection& terrain, const CGroundFactors& factors,
                               const CMVector& r, CScreeningScratch& scratch)
    : m_scene(scene),
      m_terrain(terrain),
      m_factors(factors),
      m_r(r),
      m_scratch(scratch),
      m_receiverGround(ReceiverHeightTerms(r.z - terrain.GroundHeight(r.y)))
{
    m_scratch.m_sectors.Build(scene.m_arrObstacle, r);
    m_scratch.m_reflectors.Build(scene.m_arrReflector, scene.m_nFirstReflecting, r);
    if (!m_scratch.m_reflectors.Candidates().empty())
        m_scratch.m_reflectors.BuildRuns(scene.m_arrPiece);
}

CPathResult CPathEvaluator::Evaluate(int index) const
{
    const CRoad_Segment& piece = m_scene.m_arrPiece[index];
    const CMVector s = PiecePosition(piece);
    CPathResult res;
    CAttenuation& a = res.m_att;
    a.m_nSource = index;
    a.m_dAir = AirAbsorption(m_scene.m_air, Length(s - m_r));
    a.m_dGround = GroundAttenuation(s, m_r, m_terrain.GroundHeight(s.y), m_receiverGround, m_factors);
    const CDivergence div = Divergence(s, m_r, BoxOf(piece), m_scene.m_arrPieceTrig[index]);
    a.m_dDivergence = div.m_dValue;
    res.m_bInsideBox = div.m_bInsideBox;
    a.m_dReflection = Reflections(piece, s, res.m_dReflectedGain);
    a.m_dBarrier = Screening(s, m_r, m_scene.m_arrObstacle, -1, m_scene.m_air.m_dWavelength, a.m_dGround, m_scratch,
                             &m_scratch.m_sectors);
    for (int j = 0; j < kBandCount; ++j) {
        a.m_dTotalAttenuation[j] = a.m_dBarrier[j] + a.m_dAir[j] + a.m_dGround[j] + a.m_dDivergence;
        a.m_dContribution[j] = Contribution(piece.m_dPowerLevel[j], a.m_dTotalAttenuation[j], a.m_dReflection[j]);
    }
    return res;
}

Bands CPathEvaluator::Energies(int index, const Bands& reference) const
{
    const CRoad_Segment& piece = m_scene.m_arrPiece[index];
    const CMVector s = PiecePosition(piece);
    const Bands air = AirAbsorption(m_scene.m_air, Length(s - m_r));
    const Bands ground = GroundAttenuation(s, m_r, m_terrain.GroundHeight(s.y), m_receiverGround, m_factors);
    const double div = DivergenceEnergy(s, m_r, BoxOf(piece), m_scene.m_arrPieceTrig[index]);
    const Bands bar = ScreeningEnergy(s, m_r, m_scene.m_arrObstacle, -1, m_scene.m_air.m_dWavelength, ground, m_scratch,
                                      &m_scratch.m_sectors);
    Bands level;
#pragma GCC unroll 8
    for (int j = 0; j < kBandCount; ++j)
        level[j] = piece.m_dPowerLevel[j] - reference[j] - air[j] - ground[j];
    Bands e = BandEnergies(level);
#pragma GCC unroll 8
    for (int j = 0; j < kBandCount; ++j)
        e[j] *= div * bar[j];
    if (m_scratch.m_reflectors.Candidates().empty())
        return e;  // no reflector may reflect to this receiver
    CReflectionWinners w;
    FindWinners(piece, s, w);
    for (int side = 0; side < 2; ++side) {
        if (!w.reflector[side])
            continue;
        const Bands r = ReflectedEnergies(piece, *w.reflector[side], s, w.hit[side], reference);
        for (int j = 0; j < kBandCount; ++j)
            e[j] += r[j];
    }
    return e;
}

// Every reflector that reflects at a point away from the source replaces the slot of
// its side; the last one of each side wins. So the reflectors are searched from the last
// one back, each side taking the first hit it meets, and only the winners' levels are
// computed. Before the first reflector that reflects some band, every hit would only
// leave its side without reflection, as a side without a hit is: the search stops there.
// Only the reflectors that may reflect to this receiver are searched, those that may reflect
// some piece of the piece's run, and a quick plan test passes over those that cannot reflect
// this source.
void CPathEvaluator::FindWinners(const CRoad_Segment& piece, const CMVector& s, CReflectionWinners& w) const
{
    const int line = piece.m_nRoadIndex;
    const bool hasLine = line >= 0 && line < static_cast<int>(m_scene.m_arrSourceLine.size());
    const auto& reflectors = m_scene.m_arrReflector;
    const CReflectorBounds& bounds = m_scratch.m_reflectors;
    const std::size_t index = PieceIndex(piece);
    for (std::size_t chunk = bounds.Chunks(); chunk-- > 0;) {
        for (std::uint64_t bits = bounds.RunBits(index, chunk); bits != 0;) {
            const int k = 63 - std::countl_zero(bits);  // the last one first
            bits &= ~(std::uint64_t{1} << k);
            const std::size_t n = 64 * chunk + static_cast<std::size_t>(k);
            if (!bounds.MayReflect(n, s))
                continue;
            const int i = bounds.Candidates()[n];
            const CReflectionHit hit = FindReflection(reflectors[i], s, m_r);
            if (!hit.m_bHit || !(Length(hit.m_vPoint - s) > 0.0))
                continue;
            const int side = hasLine && LeftOfSourceLine(m_scene.m_arrSourceLine[line], hit.m_vPoint) ? 0 : 1;
            if (w.reflector[side])
                continue;
            w.reflector[side] = &reflectors[i];
            w.hit[side] = hit;
            if (w.reflector[1 - side])
                return;
        }
    }
}

Bands CPathEvaluator::Reflections(const CRoad_Segment& piece, const CMVector& s, Bands (&gain)[2]) const
{
    CReflectionWinners w;
    FindWinners(piece, s, w);
    Bands sides[2]{};
    for (int side = 0; side < 2; ++side)
        if (w.reflector[side])
            sides[side] = ReflectedLevels(piece, *w.reflector[side], s, w.hit[side], gain[side]);
    Bands refl{};
    for (int j = 0; j < kBandCount; ++j)
        refl[j] = CombineSides(sides[0][j], sides[1][j]);
    return refl;
}

// The terms of the image path the reflector's valid bands share; false when no band is
// valid, before the image path is measured.
bool CPathEvaluator::ImagePath(const CRoad_Segment& piece, const CReflector& reflector, const CMVector& s,
                               const CReflectionHit& hit, CImagePathTerms& t, bool divergenceEnergy) const
{
    if (!reflector.m_bReflectsSomeBand)
        return false;
    const double dso = Length(hit.m_vPoint - s), dor = Length(m_r - hit.m_vPoint);
    const double cosBeta = IncidenceCosine(reflector.m_rect, s, hit.m_vPoint);
    const double lmin =
        ReflectorMinLength(reflector.m_rect, m_scene.m_dMaxRoadHeight, m_terrain.GroundHeight(hit.m_vPoint.y));
    bool any = false;
    for (int j = 0; j < kBandCount; ++j) {
        t.valid[j] =
            ReflectionValid(m_scene.m_air.m_dWavelength[j], lmin, cosBeta, dso, dor, reflector.m_dAbsorption[j]);
        any = any || t.valid[j];
    }
    if (!any)
        return false;
    const CMVector& image = hit.m_vImage;
    t.air = AirAbsorption(m_scene.m_air, Length(image - m_r));
    t.ground = GroundAttenuation(image, m_r, m_terrain.GroundHeight(image.y), m_receiverGround, m_factors);
    const CHeadingTrig& trig = m_scene.m_arrPieceTrig[PieceIndex(piece)];
    t.div = divergenceEnergy ? DivergenceEnergy(image, m_r, BoxOf(piece), trig)
                             : Divergence(image, m_r, BoxOf(piece), trig).m_dValue;
    return true;
}

// Levels of the image source S' at the receiver; a band the reflector discards is 0.
// gain gets the levels relative to the piece's power (kNoEnergy where discarded).
Bands CPathEvaluator::ReflectedLevels(const CRoad_Segment& piece, const CReflector& reflector, const CMVector& s,
                                      const CReflectionHit& hit, Bands& gain) const
{
    Bands levels{};
    CImagePathTerms t;
    if (!ImagePath(piece, reflector, s, hit, t, false))
        return levels;
    const Bands bar = Screening(hit.m_vImage, m_r, m_scene.m_arrObstacle, reflector.m_nObstacle,
                                m_scene.m_air.m_dWavelength, t.ground, m_scratch, &m_scratch.m_sectors);
    for (int j = 0; j < kBandCount; ++j) {
        if (!t.valid[j])
            continue;
        const double loss = t.air[j] + t.ground[j] + t.div + bar[j];
        const double level = piece.m_dPowerLevel[j] + reflector.m_dPowerChange[j] - loss;
        levels[j] = HasEnergy(level) ? level : 0.0;
        gain[j] = reflector.m_dPowerChange[j] - loss;
    }
    return levels;
}

// The energies of ReflectedLevels relative to the reference levels (0 where discarded).
Bands CPathEvaluator::ReflectedEnergies(const CRoad_Segment& piece, const CReflector& reflector, const CMVector& s,
                                        const CReflectionHit& hit, const Bands& reference) const
{
    Bands e{};
    CImagePathTerms t;
    if (!ImagePath(piece, reflector, s, hit, t, true))
        return e;
    const Bands bar = ScreeningEnergy(hit.m_vImage, m_r, m_scene.m_arrObstacle, reflector.m_nObstacle,
                                      m_scene.m_air.m_dWavelength, t.ground, m_scratch, &m_scratch.m_sectors);
    Bands level;
    for (int j = 0; j < kBandCount; ++j)
        level[j] = piece.m_dPowerLevel[j] + reflector.m_dPowerChange[j] - reference[j] - t.air[j] - t.ground[j];
    const Bands energy = BandEnergies(level);
    for (int j = 0; j < kBandCount; ++j)
        if (t.valid[j])
            e[j] = energy[j] * (t.div * bar[j]);
    return e;
}

Bands PathTransfer(const CPathResult& path)
{
    Bands direct;
    for (int j = 0; j < kBandCount; ++j)
        direct[j] = -path.m_att.m_dTotalAttenuation[j];
    const Bands a = BandEnergies(direct), b = BandEnergies(path.m_dReflectedGain[0]),
                c = BandEnergies(path.m_dReflectedGain[1]);
    Bands t;
    for (int j = 0; j < kBandCount; ++j)
        t[j] = a[j] + b[j] + c[j];
    return t;
}

namespace {

// The piece's transfer follows from the energy of its contribution alone.
bool TransferFromEnergy(const CSceneData& scene, int piece)
{
    return scene.m_arrPieceSource[piece] >= 0 && scene.m_arrPieceTransferScale[piece][0] != 0.0;
}

}  // namespace

void AddPieceTransfer(const CSceneData& scene, int piece, const CPathResult& path, const Bands& energy,
                      Bands* transfers)
{
    const Bands& scale = scene.m_arrPieceTransferScale[piece];
    const int source = scene.m_arrPieceSource[piece];
    if (source < 0 || scale[0] == 0.0) {
        AddPieceTransfer(scene, piece, path, transfers);
        return;
    }
    for (int j = 0; j < kBandCount; ++j)
        transfers[source][j] += scale[j] * energy[j];
}

void AddPieceTransfer(const CSceneData& scene, int piece, const CPathResult& path, Bands* transfers)
{
    const int source = scene.m_arrPieceSource[piece];
    if (source < 0)
        return;
    const Bands& scale = scene.m_arrPieceTransferScale[piece];
    if (scale[0] != 0.0) {
        // One exponential per band: the contribution already holds the reflections.
        const Bands& c = path.m_att.m_dContribution;
        for (int j = 0; j < kBandCount; ++j)
            if (HasEnergy(c[j]))
                transfers[source][j] += scale[j] * Energy(c[j] - scene.m_dReferencePower[j]);
        return;
    }
    const double share = scene.m_arrPieceShare[piece];
    const Bands t = PathTransfer(path);
    for (int j = 0; j < kBandCount; ++j)
        transfers[source][j] += share * t[j];
}

Bands SumPointLevels(const CSceneData& scene, const CTerrainSection& terrain, const CGroundFactors& factors,
                     const CMVector& r, CScreeningScratch& scratch, Bands* transfers)
{
    const CPathEvaluator eval(scene, terrain, factors, r, scratch);
    const Bands& ref = scene.m_dReferencePower;
    Bands energy{};
    for (int k = 0; k < static_cast<int>(scene.m_arrPiece.size()); ++k) {
        const bool sounds = scene.m_arrPieceSounds[k];
        if (!transfers || (sounds && TransferFromEnergy(scene, k))) {
            if (!sounds)
                continue;  // it adds no energy
            const Bands e = eval.Energies(k, ref);
#pragma GCC unroll 8
            for (int j = 0; j < kBandCount; ++j)
                energy[j] += e[j];
            if (transfers)
                AddPieceTransfer(scene, k, {}, e, transfers);
            continue;
        }
        // A piece without power in some band: its transfer is summed from its path.
        const CPathResult path = eval.Evaluate(k);
        const CAttenuation& a = path.m_att;
        Bands e{};
        for (int j = 0; j < kBandCount; ++j)
            if (HasEnergy(a.m_dContribution[j])) {
                e[j] = Energy(a.m_dContribution[j] - ref[j]);
                energy[j] += e[j];
            }
        if (transfers)
            AddPieceTransfer(scene, k, path, e, transfers);
    }
    Bands levels;
    for (int j = 0; j < kBandCount; ++j)
        levels[j] = energy[j] > 0.0 ? ref[j] + 10.0 * std::log10(energy[j]) : kNoEnergy;
    return levels;
}

Bands SumContributions(const std::vector<CAttenuation>& records)
{
    Bands sum;
    sum.fill(kNoEnergy);
    for (const CAttenuation& a : records)
        for (int j = 0; j < kBandCount; ++j)
            sum[j] = EnergyAdd(sum[j], a.m_dContribution[j]);
    return sum;
}
