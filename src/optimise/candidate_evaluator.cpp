#include "optimise/candidate_evaluator.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <system_error>
#include <thread>

#include "engine/calc_scene_data.h"
#include "engine/period_levels.h"
#include "engine/propagation_path.h"
#include "engine/source_pieces.h"
#include "model/document.h"
#include "optimise/design_limits.h"
#include "optimise/plan_segments.h"

namespace {

// How near (m, in plan) a path's line must pass to a candidate to be computed again: far
// above the engine's own tolerances (0.01 m on a line, 0.05 m beside a reflector's ends).
constexpr double kProbeMargin = 0.5;

// A path a candidate may change: its piece, its energy without a candidate, whether its
// direct line passes near the largest barrier, the probes of its reflections (starts of plan
// lines to the receiver) in the point's probe list, and its attenuation without a candidate.
// While no reflection probe passes near a candidate, the candidate changes the screening of
// the direct path alone, and the rest of the attenuation is kept.
struct CTouchable {
    int m_nPiece = 0;
    Bands m_dEnergy{};
    bool m_bDirect = false;
    int m_nFirstProbe = 0;
    int m_nProbes = 0;
    CAttenuation m_att;
};

struct CPointWork {
    CMVector m_vR;  // relative to the base height
    CGroundFactors m_factors;
    CTerrainSection m_terrain;
    Bands m_dFixed{};  // energy of the paths no candidate changes
    double m_dBefore = kNoEnergy;
    std::vector<CTouchable> m_arrTouchable;
    std::vector<CMVector> m_arrProbe;
};

// Energies are relative to the scene's reference power, as SumPointLevels sums them.
void AddEnergy(Bands& energy, const Bands& contribution, const Bands& ref)
{
    for (int j = 0; j < kBandCount; ++j)
        if (HasEnergy(contribution[j]))
            energy[j] += std::pow(10.0, (contribution[j] - ref[j]) / 10.0);
}

void AddEnergy(Bands& energy, const Bands& other)
{
    for (int j = 0; j < kBandCount; ++j)
        energy[j] += other[j];
}

double OverallOf(const Bands& energy, const Bands& ref)
{
    Bands levels;
    for (int j = 0; j < kBandCount; ++j)
        levels[j] = energy[j] > 0.0 ? ref[j] + 10.0 * std::log10(energy[j]) : kNoEnergy;
    return EnergySum(levels);
}

Bands HighestPowers(const std::vector<CRoad_Segment>& pieces)
{
    Bands top{};
    for (const CRoad_Segment& piece : pieces)
        for (int j = 0; j < kBandCount; ++j)
            if (HasEnergy(piece.m_dPowerLevel[j]))
                top[j] = std::max(top[j], piece.m_dPowerLevel[j]);
    return top;
}

CSceneData PeriodScene(const CMyTalvoDoc& doc, const std::vector<CRoad_Segment>& pieces, const CRunInputs& run)
{
    const std::vector<CBarrier_Stage> bridge = BuildBridgeBarriers(doc.m_arrRoad, doc.m_settings.m_dBaseHeight);
    CSceneData scene = BuildSceneData(doc, bridge, HighestRoadEnd(doc, doc.m_dMaxRoadHeight), run);
    scene.m_arrPiece = pieces;
    scene.m_dReferencePower = HighestPowers(pieces);
    return scene;
}

bool PassesNear(const CMVector& start, const CMVector& r, const CPlanSegment& barrier)
{
    return PlanSegmentDistance(start, r, barrier) <= kProbeMargin;
}

// The contribution of a path as the path evaluator combines it: the direct sound less its
// attenuation, and the reflected level (0: none).
Bands Contribution(const Bands& power, const CAttenuation& a)
{
    Bands c;
    for (int j = 0; j < kBandCount; ++j) {
        const double total = a.m_dBarrier[j] + a.m_dAir[j] + a.m_dGround[j] + a.m_dDivergence;
        c[j] = EnergyAdd(power[j] - total, a.m_dReflection[j] == 0.0 ? kNoEnergy : a.m_dReflection[j]);
    }
    return c;
}

CPlanSegment PlanLineOf(const CBarrier_Stage& b)
{
    return {CMVector(b.m_dStartX, b.m_dStartY, 0.0), CMVector(b.m_dEndX, b.m_dEndY, 0.0)};
}

// Runs fn(index, scratch) for every index on up to `threads` threads, each with its own
// scratch, until fn returns true for one of them.
template <class Fn>
void ForEachIndex(int threads, std::size_t count, const Fn& fn)
{
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stop{false};
    auto work = [&] {
        CScreeningScratch scratch;
        for (std::size_t i = next++; i < count && !stop; i = next++)
            if (fn(i, scratch))
                stop = true;
    };
    const std::size_t used = std::min<std::size_t>(static_cast<std::size_t>(std::max(threads, 1)), count);
    std::vector<std::thread> pool;
    try {
        for (std::size_t t = 1; t < used; ++t)
            pool.emplace_back(work);
    } catch (const std::system_error&) {
        // No more threads to be had: the ones started and this one share the work.
    }
    work();
    for (std::thread& t : pool)
        t.join();
}

}  // namespace

struct CCandidateEvaluator::Impl {
    CSceneData bare;                       // the model as it stands
    CSceneData withCandidate;              // the same with the current candidate
    int obstacle = -1, reflector = -1;     // the candidate's places in withCandidate
    std::vector<CObstacle> candidateOnly;  // the candidate's obstacle alone
    CPlanSegment largest, current;
    std::vector<CPointWork> points;

    void Prepare(CPointWork& w, CScreeningScratch& scratch) const;
    void CollectProbes(const CReflectorBounds& bounds, const CMVector& s, const CMVector& r,
                       std::vector<CMVector>& out) const;
    enum class ETouch { kNone, kDirectPath, kWholePath };
    ETouch Touched(const CPointWork& w, const CTouchable& t) const;
    bool PiercesCandidate(const CPointWork& w, const CTouchable& t, CScreeningScratch& scratch) const;
    Bands DirectPathAgain(const CPointWork& w, const CTouchable& t, CScreeningScratch& scratch) const;
    double LevelWith(const CPointWork& w, CScreeningScratch& scratch, long long& paths) const;
};

// The reflection probes of the path from s to r that pass near the largest barrier: the line
// from the source's image in the barrier (its own reflection), and the line from its image
// in every reflector that reflects it.
void CCandidateEvaluator::Impl::CollectProbes(const CReflectorBounds& bounds, const CMVector& s, const CMVector& r,
                                              std::vector<CMVector>& out) const
{
    auto keep = [&](const CMVector& start) {
        if (PassesNear(start, r, largest))
            out.push_back(start);
    };
    keep(MirrorInPlan(s, largest));
    for (std::size_t n = 0; n < bounds.Candidates().size(); ++n) {
        const CReflector& f = bare.m_arrReflector[static_cast<std::size_t>(bounds.Candidates()[n])];
        if (!f.m_bReflectsSomeBand || !bounds.MayReflect(n, s))
            continue;
        const CReflectionHit hit = FindReflection(f, s, r);
        if (hit.m_bHit)
            keep(hit.m_vImage);
    }
}

void CCandidateEvaluator::Impl::Prepare(CPointWork& w, CScreeningScratch& scratch) const
{
    w.m_terrain.Build(w.m_vR.x, bare.m_arrEmbankment, bare.m_arrCutting, bare.m_settings);
    const CPathEvaluator eval(bare, w.m_terrain, w.m_factors, w.m_vR, scratch);
    const Bands& ref = bare.m_dReferencePower;
    Bands all{};
    std::vector<CMVector> probes;
    // A barrier of no length screens and reflects nothing.
    const bool mayChange = PlanLength(largest.b - largest.a) > 0.0;
    for (int k = 0; k < static_cast<int>(bare.m_arrPiece.size()); ++k) {
        const CAttenuation att = eval.Evaluate(k).m_att;
        Bands energy{};
        AddEnergy(energy, att.m_dContribution, ref);
        AddEnergy(all, energy);
        const CMVector s = PiecePosition(bare.m_arrPiece[static_cast<std::size_t>(k)]);
        probes.clear();
        const bool direct = mayChange && PassesNear(s, w.m_vR, largest);
        if (mayChange)
            CollectProbes(scratch.m_reflectors, s, w.m_vR, probes);
        if (!direct && probes.empty()) {
            AddEnergy(w.m_dFixed, energy);
            continue;
        }
        w.m_arrTouchable.push_back(
            {k, energy, direct, static_cast<int>(w.m_arrProbe.size()), static_cast<int>(probes.size()), att});
        w.m_arrProbe.insert(w.m_arrProbe.end(), probes.begin(), probes.end());
    }
    w.m_dBefore = OverallOf(all, ref);
}

CCandidateEvaluator::Impl::ETouch CCandidateEvaluator::Impl::Touched(const CPointWork& w, const CTouchable& t) const
{
    for (int p = t.m_nFirstProbe; p < t.m_nFirstProbe + t.m_nProbes; ++p)
        if (PassesNear(w.m_arrProbe[static_cast<std::size_t>(p)], w.m_vR, current))
            return ETouch::kWholePath;
    const CMVector s = PiecePosition(withCandidate.m_arrPiece[static_cast<std::size_t>(t.m_nPiece)]);
    return t.m_bDirect && PassesNear(s, w.m_vR, current) ? ETouch::kDirectPath : ETouch::kNone;
}

// Whether the direct path meets the candidate as the screening meets an obstacle (its line
// through the rectangle). When it does not, the screening finds the records it found without
// the candidate, and the path keeps its energy.
bool CCandidateEvaluator::Impl::PiercesCandidate(const CPointWork& w, const CTouchable& t,
                                                 CScreeningScratch& scratch) const
{
    const CMVector s = PiecePosition(withCandidate.m_arrPiece[static_cast<std::size_t>(t.m_nPiece)]);
    CollectDiffractionRecords(s, w.m_vR, candidateOnly, -1, scratch);
    return !scratch.m_arrRecord.empty();
}

// The direct path screened again by the obstacles with the candidate; the rest as it was.
Bands CCandidateEvaluator::Impl::DirectPathAgain(const CPointWork& w, const CTouchable& t,
                                                 CScreeningScratch& scratch) const
{
    const CRoad_Segment& piece = withCandidate.m_arrPiece[static_cast<std::size_t>(t.m_nPiece)];
    CAttenuation a = t.m_att;
    a.m_dBarrier = Screening(PiecePosition(piece), w.m_vR, withCandidate.m_arrObstacle, -1,
                             withCandidate.m_air.m_dWavelength, a.m_dGround, scratch, &scratch.m_sectors);
    return Contribution(piece.m_dPowerLevel, a);
}

double CCandidateEvaluator::Impl::LevelWith(const CPointWork& w, CScreeningScratch& scratch, long long& paths) const
{
    const Bands& ref = withCandidate.m_dReferencePower;
    Bands energy = w.m_dFixed;
    std::optional<CPathEvaluator> eval;  // made at the first path to compute; it sorts the obstacles
    for (const CTouchable& t : w.m_arrTouchable) {
        const ETouch touch = Touched(w, t);
        if (touch == ETouch::kNone || (touch == ETouch::kDirectPath && !PiercesCandidate(w, t, scratch))) {
            AddEnergy(energy, t.m_dEnergy);
            continue;
        }
        if (!eval)
            eval.emplace(withCandidate, w.m_terrain, w.m_factors, w.m_vR, scratch);
        const Bands c = touch == ETouch::kDirectPath ? DirectPathAgain(w, t, scratch)
                                                     : eval->Evaluate(t.m_nPiece).m_att.m_dContribution;
        AddEnergy(energy, c, ref);
        ++paths;
    }
    return OverallOf(energy, ref);
}

CCandidateEvaluator::CCandidateEvaluator(const CMyTalvoDoc& doc, const std::vector<CDesignPoint>& points,
                                         EPeriod period, const CBarrier_Stage& largest, int threads)
    : m_impl(std::make_unique<Impl>()),
      m_nThreads(threads > 0 ? threads : static_cast<int>(std::max(1u, std::thread::hardware_concurrency())))
{
    Impl& d = *m_impl;
    const std::vector<CRoad_Segment> pieces = PeriodPieces(doc, period);
    d.bare = PeriodScene(doc, pieces, {});
    CRunInputs run;
    run.m_candidate = largest;
    d.withCandidate = PeriodScene(doc, pieces, run);
    for (int i = 0; i < static_cast<int>(d.withCandidate.m_arrObstacle.size()); ++i)
        if (d.withCandidate.m_arrObstacle[static_cast<std::size_t>(i)].m_nKind == kObstacleOptBarrier)
            d.obstacle = i;
    for (int i = 0; i < static_cast<int>(d.withCandidate.m_arrReflector.size()); ++i)
        if (d.withCandidate.m_arrReflector[static_cast<std::size_t>(i)].m_rect.m_nKind == kObstacleOptBarrier)
            d.reflector = i;
    d.candidateOnly.assign(1, d.withCandidate.m_arrObstacle[static_cast<std::size_t>(d.obstacle)]);
    d.largest = d.current = PlanLineOf(largest);
    const double base = d.bare.m_dBaseHeight;
    for (const CDesignPoint& p : points) {
        CPointWork w;
        w.m_vR = CMVector(p.m_vPos.x, p.m_vPos.y, p.m_vPos.z - base);
        w.m_factors = {p.m_dAreaFactor, p.m_dGroundFactor};
        d.points.push_back(std::move(w));
    }
    ForEachIndex(m_nThreads, d.points.size(), [&d](std::size_t i, CScreeningScratch& scratch) {
        d.Prepare(d.points[i], scratch);
        return false;
    });
}

CCandidateEvaluator::~CCandidateEvaluator() = default;

std::size_t CCandidateEvaluator::PointCount() const { return m_impl->points.size(); }

double CCandidateEvaluator::LevelBefore(std::size_t point) const { return m_impl->points[point].m_dBefore; }

void CCandidateEvaluator::SetCandidate(const CBarrier_Stage& candidate)
{
    Impl& d = *m_impl;
    d.current = PlanLineOf(candidate);
    CObstacle& o = d.withCandidate.m_arrObstacle[static_cast<std::size_t>(d.obstacle)];
    o.m_vStart = d.current.a;
    o.m_vEnd = d.current.b;
    o.m_dTop = candidate.m_dHeight;
    o.m_nAttenuator = candidate.m_nAttenuator;
    d.candidateOnly.assign(1, o);
    CReflector& f = d.withCandidate.m_arrReflector[static_cast<std::size_t>(d.reflector)];
    f.m_rect = o;
    f.m_dAbsorption = candidate.m_dAbsorption;
    PrepareReflector(f);
}

std::vector<double> CCandidateEvaluator::LevelsWith(const std::vector<int>& points) const
{
    std::vector<double> levels(points.size(), kNoEnergy);
    ForEachIndex(m_nThreads, points.size(), [&](std::size_t i, CScreeningScratch& scratch) {
        long long paths = 0;
        levels[i] = m_impl->LevelWith(m_impl->points[static_cast<std::size_t>(points[i])], scratch, paths);
        m_nPaths += paths;
        return false;
    });
    return levels;
}

bool CCandidateEvaluator::AllMeet(const std::vector<int>& points, const std::vector<CLimit>& limits) const
{
    // The point that failed the last candidate most often fails the next one too.
    std::vector<std::size_t> order(points.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    const auto last = std::find(points.begin(), points.end(), m_nLastFailed.load());
    if (last != points.end())
        std::swap(order[0], order[static_cast<std::size_t>(last - points.begin())]);
    std::atomic<bool> met{true};
    ForEachIndex(m_nThreads, order.size(), [&](std::size_t n, CScreeningScratch& scratch) {
        const std::size_t i = order[n];
        long long paths = 0;
        const double level = m_impl->LevelWith(m_impl->points[static_cast<std::size_t>(points[i])], scratch, paths);
        m_nPaths += paths;
        if (!ExceedsDesignLimit(level, limits[i]))
            return false;
        met = false;
        m_nLastFailed = points[i];
        return true;
    });
    return met;
}

double CCandidateEvaluator::LevelWithEveryPath(std::size_t point) const
{
    const CPointWork& w = m_impl->points[point];
    CScreeningScratch scratch;
    return EnergySum(SumPointLevels(m_impl->withCandidate, w.m_terrain, w.m_factors, w.m_vR, scratch));
}
