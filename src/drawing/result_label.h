#pragma once

// The level text the views write beside a receiver when results are shown.

#include <string>

class CReceiverPoint;

// "%.2f" of the receiver's level in band 1..8 (63 Hz .. 8 kHz), or for 0 of its overall
// level; kNoEnergyMark for a level without energy. A receiver with night levels shows both
// periods, day first, to one decimal: "62.3 / 54.1".
std::string ResultLabel(const CReceiverPoint& receiver, int band);
