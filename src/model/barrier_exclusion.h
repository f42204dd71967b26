#pragma once

// The barriers the user has excluded with "고르기": 0-based positions in the document's
// barrier list (m_arrExcludedBarrier). They stay excluded for every calculation until the
// user releases them, so everything that shows the model or its results must say so. A
// copy of the list (an input window's working list) may have other positions for the same
// barriers; a barrier there is matched by its ends, which no two barriers of one list share.
// Texts are UTF-8.

#include <string>
#include <vector>

#include "model/entities.h"

class CMyTalvoDoc;

// The excluded positions that name a barrier of a list of `count`, each once, ascending.
std::vector<int> ExcludedPositions(const std::vector<int>& excluded, std::size_t count);

// "방음벽 1, 3" (1-based numbers, ascending); empty without an exclusion.
std::string ExcludedBarrierNames(const CMyTalvoDoc& doc);
// "방음벽 1, 3 제외하고 계산": what every result computed now leaves out; empty without one.
std::string ExclusionNote(const CMyTalvoDoc& doc);

// The name of the undo step that leaves the barriers `after` excluded: "방음벽 1, 3 제외",
// or "방음벽 제외 해제" when none stays excluded.
std::string ExclusionChangeName(const std::vector<int>& after, std::size_t barrierCount);

// For every barrier of `shown` (the document's own list or a copy of it): whether the
// calculation leaves it out.
std::vector<bool> ExcludedBarrierFlags(const CMyTalvoDoc& doc, const std::vector<CBarrier_Stage>& shown);

// The ends ("%.2f" each) of the barriers at `positions`, in that order.
std::vector<std::string> BarrierEnds(const std::vector<CBarrier_Stage>& barriers, const std::vector<int>& positions);
// The positions in `barriers` of the barriers with those ends (either way round), in the
// order of `ends`; ends no barrier has are left out.
std::vector<int> PositionsWithEnds(const std::vector<CBarrier_Stage>& barriers, const std::vector<std::string>& ends);
