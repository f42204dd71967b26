#pragma once

// What the road and tunnel windows share: their start and end fields (X, Y, Z), and the
// level row, which shows the band power per metre while the entity keeps the level of
// its whole length (per metre plus 10*lg(length)).

#include <array>
#include <optional>

#include <QString>

#include "model/bands.h"

class QBoxLayout;
class QGridLayout;
class QPushButton;
class QLineEdit;
class QWidget;
class CBandRowWidget;
class CFormReader;
class CTrafficGroup;
struct CEmissionInput;

using CEndFields = std::array<QLineEdit*, 3>;  // X, Y, Z

// Two rows, "<startLabel>" and "<endLabel>", each with X, Y and Z fields.
void AddEndRows(QGridLayout* grid, QWidget* parent, const QString& startLabel, const QString& endLabel,
                CEndFields& start, CEndFields& end);
// The button "단위길이당 음향파워레벨 산정" (never a default button, so Enter in a field does not
// run it) and, under its caption, the user-defined level row, added to the window's column.
void AddLevelRows(QBoxLayout* layout, QWidget* parent, QPushButton*& compute, CBandRowWidget*& levels);
// Start and end in turn, X before Y before Z, into the given targets.
void ReadEnds(CFormReader& reader, const CEndFields& start, const CEndFields& end,
              const std::array<double*, 3>& startValues, const std::array<double*, 3>& endValues);
// "%.2f" each.
void ShowEnds(const CEndFields& start, const CEndFields& end, const std::array<double, 3>& startValues,
              const std::array<double, 3>& endValues);
// "0" in every field.
void ClearEnds(const CEndFields& start, const CEndFields& end);

// The levels a store keeps: the cells as they stand for an entity the store ignores (its
// key is all zeros), else the cells plus 10*lg(length). Empty (after noLengthMessage)
// when an entity to be stored has no length.
std::optional<Bands> WholeLengthLevels(QWidget* parent, const Bands& perMetre, bool ignored, double length,
                                       const char* noLengthMessage);
// The emission of the traffic: the speeds as used and the levels per metre go into the
// form, or the refusal is shown.
void ShowComputedLevels(QWidget* parent, const CEmissionInput& input, CTrafficGroup* traffic, CBandRowWidget* levels);
