#include "engine/calculation.h"

#include "model/document.h"

std::vector<std::string> Calculate(CMyTalvoDoc&) { return {}; }

std::string PointLevel(const CMyTalvoDoc&, CReceiverPoint&, int) { return "0.00"; }
