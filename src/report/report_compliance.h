#pragma once

// The levels of a calculated project against their limits, per period, as the report's
// summary gives them: every receiver, and every floor of every building by the highest
// level of its façade points.

#include <QString>
#include <optional>
#include <vector>

#include "model/compliance.h"
#include "model/noise_limits.h"

class CMyTalvoDoc;

struct CPeriodVerdict {
    double level;                 // dB(A); kNoEnergy when no sound arrives (or no night level)
    std::optional<CLimit> limit;  // nothing: no target and no criterion
    bool Exceeds() const;
};

struct CReceiverVerdict {
    std::size_t receiver;  // 0-based
    CPeriodVerdict day, night;
};

struct CFloorVerdict {
    int building;  // 0-based
    int floor;     // from 1
    CPeriodVerdict day, night;
};

std::vector<CReceiverVerdict> ReceiverVerdicts(const CMyTalvoDoc& doc);
// Building by building, floor by floor, for the floors that have façade points.
std::vector<CFloorVerdict> FloorVerdicts(const CMyTalvoDoc& doc);

// Ascending numbers with their runs joined: "1~4, 7"; empty for none.
QString NumberRuns(const std::vector<int>& numbers);
// Floors as a reader names them: runs joined, "3~5, 9층"; empty for none.
QString FloorRuns(const std::vector<int>& floors);

// The summary's tables (rich text): receivers against their limits, and each building's
// floors (its highest floor level and the floors over the limit), with night columns when
// `night` is set.
QString ReceiverVerdictTable(const CMyTalvoDoc& doc, const std::vector<CReceiverVerdict>& verdicts, bool night);
QString BuildingVerdictTable(const CMyTalvoDoc& doc, const std::vector<CFloorVerdict>& verdicts, bool night);
