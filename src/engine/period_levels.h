#pragma once

// Levels per period: the day (주간) is the prediction with the stored band powers; the
// night (야간) is the same prediction with the night powers of model/period_powers.h, from
// the same paths. A calculation keeps, per receiver and source, the energy transfer of its
// paths (model/level_transfers.h); the night levels, and both periods again after the
// traffic changed, are sums of those transfers with the sources' powers. A source without
// night powers adds nothing at night; when no source has any, there is no night level
// (kNoEnergy in every band).
//
// Pure functions of their arguments, except the Store functions, which write the document
// and belong to the thread that owns it.

#include <optional>
#include <vector>

#include "model/bands.h"
#include "model/engine_records.h"
#include "model/noise_limits.h"

class CMyTalvoDoc;
class CReceiverPoint;
struct CFacadeReceiver;

inline constexpr const char* kMsgNoNightLevel =
    "야간 소음도가 없습니다. 야간 교통량이나 야간 음향파워레벨을 가진 도로·터널이 없고 야간 교통량 비율도 "
    "없습니다.";

// The band powers of every source in the period, every road in order and then every
// tunnel: the stored powers by day; at night NightPowerLevels, none for a source without.
std::vector<std::optional<Bands>> SourcePowers(const CMyTalvoDoc& doc, EPeriod period);

// True when the period has a level at all: always by day; at night when some road or
// tunnel has night powers.
bool HasPeriodPowers(const CMyTalvoDoc& doc, EPeriod period);

// The document's source pieces (m_arrSegment) with their powers in the period: by day as
// built; at night each piece carries its share of its source's night powers, and the
// pieces of a source without night powers carry no energy.
std::vector<CRoad_Segment> PeriodPieces(const CMyTalvoDoc& doc, EPeriod period);

// 10 lg sum_s 10^(P_s/10) T_s in each band, over the sources with a power in that band (a
// power that is not a finite number adds nothing); kNoEnergy where nothing adds energy.
// transfers holds powers.size() values.
Bands SumTransfers(const Bands* transfers, const std::vector<std::optional<Bands>>& powers);

// The levels of a receiver or a façade receiver in the period.
const Bands& LevelsOf(const CReceiverPoint& receiver, EPeriod period);
const Bands& LevelsOf(const CFacadeReceiver& receiver, EPeriod period);

// Sets the night levels of the receivers and façade receivers from the document's
// transfers; without transfers for them, no night level.
void StoreNightLevels(CMyTalvoDoc& doc);
// Sets the levels of both periods from the transfers, for the powers the model holds now.
void StoreLevelsOfBothPeriods(CMyTalvoDoc& doc);
