#pragma once

// The barrier length search: from one receiver and the road nearest to it, the longest
// stretch of that road whose source points still matter at the receiver, reported as the
// maximum barrier extension. Every position here (receiver, road ends, foot point, and the
// source points the prediction records) is in one frame: absolute heights as stored, the
// prediction adding the base height back to its source points. A search mixing frames
// would never match the receiver in any project with a cutting.
// Not thread-safe: it runs a prediction on the document.

#include <functional>
#include <string>
#include <vector>

#include "model/mvector.h"

class CMyTalvoDoc;
class CRoad;

// Runs one prediction on doc (the calculate command) with the search flags doc holds.
using PredictionRun = std::function<void(CMyTalvoDoc&)>;

// The calculate command of the engine, its messages dropped.
PredictionRun CalculateCommandRun();

inline constexpr const char* kMsgNoBarrierNeeded = "방음벽을 설치할 필요가 없습니다.";
inline constexpr const char* kMsgEnlargeArea = "계산영역을 크게 해주세요.";
inline constexpr const char* kMsgNoRoadToSearch =
    "도로가 없어 방음벽 연장을 계산할 수 없습니다. 도로를 먼저 입력하십시오.";

struct CNearestRoad {
    int m_nIndex = -1;  // -1: no road
    CMVector m_vFoot;   // foot point on the road's infinite line
    double m_dDistance = 0;
};

// The road whose line passes nearest to position (3-D); on equal distances the earlier
// road is kept.
CNearestRoad FindNearestRoad(const std::vector<CRoad>& roads, const CMVector& position);

// Divergence threshold, dB: the overall power of one discrete source point of the road,
// minus the target level, plus 23 dB.
double LengthSearchThreshold(const CRoad& road, double targetLevel);

// "선택한 수음점에서 방음벽의 최대 연장은 %.2fm입니다." filled with extension.
std::string MaxExtensionMessage(double extension);

// Runs the length search for receiver receiverIndex and returns the message for the
// optimisation window's message line (or the message refusing the search).
std::string RunLengthSearch(CMyTalvoDoc& doc, int receiverIndex, const PredictionRun& predict);
