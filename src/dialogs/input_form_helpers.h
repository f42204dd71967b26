#pragma once

// Small building blocks shared by the input windows: labelled edit fields, panels without
// margins, command buttons, the absorption row style ("%.3f"), the ignored Escape key.

#include <initializer_list>
#include <optional>

#include <QString>

#include "dialogs/band_row_widget.h"

class QGridLayout;
class QHBoxLayout;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class QWidget;

// A label at (row, column) and an edit field right of it.
QLineEdit* AddLabelledField(QGridLayout* grid, int row, int column, const QString& label, QWidget* parent);
// A widget without margins of its own, laid out by the grid or row handed back.
QWidget* NewGridPanel(QWidget* parent, QGridLayout*& grid);
QWidget* NewRowPanel(QWidget* parent, QHBoxLayout*& row);
// A push button that never acts as the window's default button.
QPushButton* AddCommandButton(QHBoxLayout* row, const QString& text, QWidget* parent);
void SetWidgetsEnabled(std::initializer_list<QWidget*> widgets, bool enabled);
// True (the key taken) for Escape, which does nothing in the input windows.
bool SwallowEscape(QKeyEvent* event);

// A band row's cells; empty (after the message) when one does not read.
std::optional<Bands> ReadBandRow(QWidget* parent, const CBandRowWidget* row);

// "%.3f".
QString Fixed3(double value);
// Absorption coefficients: three decimals, edit boxes written back as typed, an empty box
// giving emptyBox.
CBandRowStyle AbsorptionRowStyle(const QString& emptyBox);
