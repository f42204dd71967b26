#pragma once

// The night (야간) of a project as a document of its own: a copy whose roads and tunnels carry
// their night powers (a source without any carries none), so that a map computed of it is
// the night map. The copy keeps every other input, so the paths are those of the day.

#include <memory>

#include "engine/period_levels.h"

class CMyTalvoDoc;

// True when some road or tunnel has night powers: its own, or the project's ratio.
inline bool HasNightPowers(const CMyTalvoDoc& doc) { return HasPeriodPowers(doc, EPeriod::kNight); }

// The night copy with its source pieces built; nullptr when no source has night powers.
std::unique_ptr<CMyTalvoDoc> NightDocument(const CMyTalvoDoc& doc);
