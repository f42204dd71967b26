#pragma once

// What a barrier is designed for when it is more than one receiver: several ordinary
// receivers, or the façade receivers of one building (all its floors or a range of them),
// judged in one period. The design works on rows: an ordinary receiver is a row of one
// point; a floor of the building is a row of every façade point on that floor, and it
// meets its limit when its loudest point does.

#include <optional>
#include <string>
#include <vector>

#include "model/compliance.h"
#include "model/mvector.h"
#include "model/noise_limits.h"

class CMyTalvoDoc;

struct CDesignTarget {
    enum class EKind { kReceivers, kBuilding };
    EKind m_eKind = EKind::kReceivers;
    std::vector<int> m_arrReceiver;  // kReceivers: 0-based positions in the document
    int m_nBuilding = -1;            // kBuilding: 0-based position in the document
    int m_nFirstFloor = 0;           // kBuilding: floors from 1, inclusive; 0 and 0: every floor
    int m_nLastFloor = 0;
    EPeriod m_ePeriod = EPeriod::kDay;
    // A target level for every row in place of the limits the result tables judge by.
    std::optional<double> m_dTarget;
};

// A receiver position of the design, absolute height as stored, with its ground factors.
struct CDesignPoint {
    CMVector m_vPos;
    double m_dGroundFactor = 0;  // Gm
    double m_dAreaFactor = 0;    // Gr
};

struct CDesignRow {
    std::string m_strName;          // "수음점 3", "101동 12층"
    int m_nReceiver = -1;           // 0-based, for a receiver's row
    int m_nBuilding = -1;           // 0-based, for a floor's row
    int m_nFloor = 0;               // from 1, for a floor's row
    std::optional<CLimit> m_limit;  // none: the row is shown but not tested
    std::vector<int> m_arrPoint;    // positions in CDesignSet::m_arrPoint
};

struct CDesignSet {
    std::vector<CDesignPoint> m_arrPoint;
    std::vector<CDesignRow> m_arrRow;  // receivers in the order chosen; floors from the lowest
};

inline constexpr const char* kMsgChooseReceivers = "최적화대상 수음점을 하나 이상 선택하세요.";
inline constexpr const char* kMsgNoSuchBuilding = "그런 건물이 없습니다.";
inline constexpr const char* kMsgNoFacadePoints = "선택한 층에 외벽 수음점이 없습니다.";
inline constexpr const char* kMsgNoLimitInSet =
    "설계 대상에 목표소음레벨도 기준도 없습니다. 목표소음레벨을 입력하거나 소음 기준을 고르십시오.";
inline constexpr const char* kMsgNoNightPowers =
    "야간 음향파워레벨이 있는 도로나 터널이 없습니다. 야간 교통량이나 야간 교통량 비율을 입력하십시오.";

// Empty when the target names receivers or a building and floors the document has, and
// the period has sources; otherwise the refusal to show.
std::string CheckDesignTarget(const CMyTalvoDoc& doc, const CDesignTarget& target);

// The rows and points of a target CheckDesignTarget accepts; the façade receivers are
// derived from the buildings as a calculation derives them.
CDesignSet MakeDesignSet(const CMyTalvoDoc& doc, const CDesignTarget& target);

// The rows named in one line, a building's consecutive floors as one range:
// "103동 10~12층, 수음점 3".
std::string DescribeRows(const CDesignSet& set, const std::vector<int>& rows);
