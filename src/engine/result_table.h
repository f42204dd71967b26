#pragma once

// The receiver result table as text: the header line, then one line per receiver
// with its ID (from 1), X, Y, Z, the eight band levels and the overall level, tab
// separated, each line ended by "\n". A level without energy shows as kNoEnergyMark.
// The night table has the same layout with the night levels.

#include <string>

#include "model/noise_limits.h"

class CMyTalvoDoc;
class CReceiverPoint;

extern const char* const kResultTableHeader;  // "ID\tX(m)\t...\tOverall"

// The 13 fields of one receiver joined by tabs, without the line end.
std::string ResultRowText(const CReceiverPoint& receiver, int id, EPeriod period = EPeriod::kDay);

std::string ResultTableText(const CMyTalvoDoc& doc, EPeriod period = EPeriod::kDay);
