#pragma once

// Small building blocks shared by the embankment, cutting, barrier and tunnel windows:
// labelled edit fields, command buttons, the absorption row style ("%.3f").

#include <initializer_list>

#include <QString>

#include "dialogs/band_row_widget.h"

class QGridLayout;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

// A label at (row, column) and an edit field right of it.
QLineEdit* AddLabelledField(QGridLayout* grid, int row, int column, const QString& label, QWidget* parent);
// A push button that never acts as the window's default button.
QPushButton* AddCommandButton(QHBoxLayout* row, const QString& text, QWidget* parent);
void SetWidgetsEnabled(std::initializer_list<QWidget*> widgets, bool enabled);

// "%.3f".
QString Fixed3(double value);
// Absorption coefficients: three decimals, edit boxes written back as typed, an empty box
// giving emptyBox.
CBandRowStyle AbsorptionRowStyle(const QString& emptyBox);
