#pragma once

// The limits in talvo-cli's tables and the result table: the limit a receiver, façade
// receiver or floor is judged by (model/compliance.h) beside its level, and the exceedance
// (level minus limit, signed). Without a limit or a level a cell shows kNoEnergyMark.

#include <string>
#include <vector>

#include "model/noise_limits.h"

class CMyTalvoDoc;
class CReceiverPoint;
struct CProjectSettings;

// The two columns --limits adds, for the period a table shows.
extern const char* const kLimitColumnsHeader;  // "Limit\tExceedance"

// The table with "\t" + cells[i] after its line i + 1 and "\t" + header after its first
// line; lines without a cell get kNoEnergyMark in each column of the header.
std::string AppendColumns(const std::string& table, const std::string& header, const std::vector<std::string>& cells);

// "limit\texceedance" of every receiver, façade receiver or floor (in the order of the
// receiver, façade and floor tables) for the period.
std::vector<std::string> ReceiverLimitCells(const CMyTalvoDoc& doc, EPeriod period);
std::vector<std::string> FacadeLimitCells(const CMyTalvoDoc& doc, EPeriod period);
std::vector<std::string> FloorLimitCells(const CMyTalvoDoc& doc, EPeriod period);

// The result table's judgement columns, after the overall level.
extern const char* const kJudgementHeader;  // "목표\t주간 기준\t주간 초과\t야간\t야간 기준\t야간 초과"
constexpr int kJudgementColumns = 6;
// The receiver's target ("%.2f", or kNoEnergyMark for none), the day's limit and
// exceedance, the night's overall level, limit and exceedance.
std::vector<std::string> JudgementCells(const CReceiverPoint& receiver, const CProjectSettings& settings);
