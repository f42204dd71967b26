#pragma once

// The calculate command and the point-level query.

#include <string>
#include <vector>

#include "engine/run_inputs.h"

class CMyTalvoDoc;
class CReceiverPoint;

// Runs the calculate command on doc for the purpose run says; returns the messages to
// show, in order.
std::vector<std::string> Calculate(CMyTalvoDoc& doc, const CRunInputs& run = {});

// Level at one point (X, Y, Z absolute as stored in a receiver): fills the point's
// eight level slots and returns the selected level as text ("%.2f", or the no-energy
// mark); selector 0 is the overall level, 1..8 one band (63 Hz = 1).
std::string PointLevel(const CMyTalvoDoc& doc, CReceiverPoint& point, int selector);
