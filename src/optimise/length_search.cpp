#include "optimise/length_search.h"

#include <cmath>
#include <cstdio>

#include "engine/calculation.h"
#include "model/document.h"
#include "optimise/opt_receiver.h"
#include "optimise/search_run_inputs.h"

PredictionRun CalculateCommandRun()
{
    return [](CMyTalvoDoc& doc) { Calculate(doc, SearchRunInputs(doc)); };
}

namespace {

CMVector RoadStart(const CRoad& road) { return {road.m_dStartX, road.m_dStartY, road.m_dStartZ}; }

CMVector RoadEnd(const CRoad& road) { return {road.m_dEndX, road.m_dEndY, road.m_dEndZ}; }

// Projection of p onto the infinite line through a and b; a itself when a = b.
CMVector FootPoint(const CMVector& a, const CMVector& b, const CMVector& p)
{
    const CMVector d = b - a;
    const double dd = Dot(d, d);
    if (dd == 0)
        return a;
    const double t = -Dot(a - p, d) / dd;
    return a + t * d;
}

// Restores the length-search flag however the prediction ends.
class CLengthSearchMode {
public:
    explicit CLengthSearchMode(CMyTalvoDoc& doc) : m_doc(doc) { m_doc.m_bLengthSearch = true; }
    ~CLengthSearchMode() { m_doc.m_bLengthSearch = false; }
    CLengthSearchMode(const CLengthSearchMode&) = delete;
    CLengthSearchMode& operator=(const CLengthSearchMode&) = delete;

private:
    CMyTalvoDoc& m_doc;
};

std::string ExtensionMessage(double extension, const CMyTalvoDoc& doc)
{
    if (extension == 0)
        return kMsgNoBarrierNeeded;
    if (doc.m_dDivBest == doc.m_dDivMax)
        return kMsgEnlargeArea;
    return MaxExtensionMessage(extension);
}

}  // namespace

CNearestRoad FindNearestRoad(const std::vector<CRoad>& roads, const CMVector& position)
{
    CNearestRoad nearest;
    for (int k = 0; k < static_cast<int>(roads.size()); ++k) {
        const CRoad& road = roads[static_cast<std::size_t>(k)];
        const CMVector foot = FootPoint(RoadStart(road), RoadEnd(road), position);
        const double distance = Length(foot - position);
        if (nearest.m_nIndex < 0 || distance < nearest.m_dDistance)
            nearest = {k, foot, distance};
    }
    return nearest;
}

double LengthSearchThreshold(const CRoad& road, double targetLevel)
{
    double sum = 0;
    for (double level : road.m_dUserPowerLevel)
        sum += std::pow(10.0, level / 10.0);
    const double roadPower = 10.0 * std::log10(sum);
    const double perSourcePoint = roadPower - 10.0 * std::log10(static_cast<double>(road.m_nSourceCount));
    return perSourcePoint - targetLevel + 23.0;
}

std::string MaxExtensionMessage(double extension)
{
    char buf[512];
    std::snprintf(buf, sizeof buf, "선택한 수음점에서 방음벽의 최대 연장은 %.2fm입니다.", extension);
    return buf;
}

std::string RunLengthSearch(CMyTalvoDoc& doc, int receiverIndex, const PredictionRun& predict)
{
    if (receiverIndex < 0 || receiverIndex >= static_cast<int>(doc.m_arrReceiver.size()))
        return kMsgSelectOneReceiver;
    if (doc.m_arrRoad.empty())
        return kMsgNoRoadToSearch;
    const CReceiverPoint& receiver = doc.m_arrReceiver[static_cast<std::size_t>(receiverIndex)];
    const CMVector position(receiver.m_dX, receiver.m_dY, receiver.m_dZ);
    const CNearestRoad nearest = FindNearestRoad(doc.m_arrRoad, position);

    doc.m_nOptReceiver = receiverIndex;
    doc.m_nOptRoad = nearest.m_nIndex;
    doc.m_dOptCriterion =
        LengthSearchThreshold(doc.m_arrRoad[static_cast<std::size_t>(nearest.m_nIndex)], receiver.m_dTargetLevel);
    doc.m_vOptSourcePoint = nearest.m_vFoot;
    doc.m_vOptReceiverPos = position;
    doc.m_dDivBest = 0;
    doc.m_dDivMax = 0;
    {
        CLengthSearchMode mode(doc);
        predict(doc);
    }
    const double extension = 2.0 * Length(nearest.m_vFoot - doc.m_vOptSourcePoint);
    return ExtensionMessage(extension, doc);
}
