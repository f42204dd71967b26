#include "model/barrier_exclusion.h"

#include <algorithm>

#include "model/document.h"

namespace {

std::string ReversedEnds(const CBarrier_Stage& b) { return MakeKey({b.m_dEndX, b.m_dEndY, b.m_dStartX, b.m_dStartY}); }

bool HasEnds(const CBarrier_Stage& b, const std::string& ends)
{
    return b.MakeIdentity() == ends || ReversedEnds(b) == ends;
}

// "1, 3" for the positions 0 and 2.
std::string NumberList(const std::vector<int>& positions)
{
    std::string text;
    for (int p : positions)
        text += (text.empty() ? "" : ", ") + std::to_string(p + 1);
    return text;
}

}  // namespace

std::vector<int> ExcludedPositions(const std::vector<int>& excluded, std::size_t count)
{
    std::vector<int> valid;
    for (int p : excluded)
        if (p >= 0 && std::size_t(p) < count)
            valid.push_back(p);
    std::sort(valid.begin(), valid.end());
    valid.erase(std::unique(valid.begin(), valid.end()), valid.end());
    return valid;
}

std::string ExcludedBarrierNames(const CMyTalvoDoc& doc)
{
    const std::vector<int> excluded = ExcludedPositions(doc.m_arrExcludedBarrier, doc.m_arrBarrier.size());
    return excluded.empty() ? std::string() : "방음벽 " + NumberList(excluded);
}

std::string ExclusionNote(const CMyTalvoDoc& doc)
{
    const std::string names = ExcludedBarrierNames(doc);
    return names.empty() ? names : names + " 제외하고 계산";
}

std::string ExclusionChangeName(const std::vector<int>& after, std::size_t barrierCount)
{
    const std::vector<int> excluded = ExcludedPositions(after, barrierCount);
    if (excluded.empty())
        return "방음벽 제외 해제";
    return "방음벽 " + NumberList(excluded) + " 제외";
}

std::vector<bool> ExcludedBarrierFlags(const CMyTalvoDoc& doc, const std::vector<CBarrier_Stage>& shown)
{
    std::vector<bool> flags(shown.size(), false);
    const std::vector<int> excluded = ExcludedPositions(doc.m_arrExcludedBarrier, doc.m_arrBarrier.size());
    if (&shown == &doc.m_arrBarrier) {
        for (int p : excluded)
            flags[std::size_t(p)] = true;
        return flags;
    }
    for (int p : PositionsWithEnds(shown, BarrierEnds(doc.m_arrBarrier, excluded)))
        flags[std::size_t(p)] = true;
    return flags;
}

std::vector<std::string> BarrierEnds(const std::vector<CBarrier_Stage>& barriers, const std::vector<int>& positions)
{
    std::vector<std::string> ends;
    for (int p : positions)
        if (p >= 0 && std::size_t(p) < barriers.size())
            ends.push_back(barriers[std::size_t(p)].MakeIdentity());
    return ends;
}

std::vector<int> PositionsWithEnds(const std::vector<CBarrier_Stage>& barriers, const std::vector<std::string>& ends)
{
    std::vector<int> positions;
    for (const std::string& e : ends) {
        const auto found =
            std::find_if(barriers.begin(), barriers.end(), [&e](const CBarrier_Stage& b) { return HasEnds(b, e); });
        const int p = static_cast<int>(found - barriers.begin());
        if (found != barriers.end() && std::find(positions.begin(), positions.end(), p) == positions.end())
            positions.push_back(p);
    }
    return positions;
}
