#pragma once

// The source pieces as one period hears them. The day's are the pieces of the last
// calculation as they are; at night each piece carries its road's or tunnel's night band
// power, shared among the source's pieces as the day power is, or no energy when the source
// has no night power (NightPowerLevels). Same positions, same order.

#include <vector>

#include "model/engine_records.h"
#include "model/noise_limits.h"

class CMyTalvoDoc;

// Some road or tunnel has a night power of its own or from the night traffic ratio.
bool HasNightPowers(const CMyTalvoDoc& doc);

// doc.m_arrSegment with the period's powers.
std::vector<CRoad_Segment> PeriodPieces(const CMyTalvoDoc& doc, EPeriod period);
