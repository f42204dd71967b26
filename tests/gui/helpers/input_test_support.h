#pragma once

// Support for the input window tests: small helpers to fill fields and press buttons.

#include <QString>

class QAbstractButton;
class QLineEdit;

namespace inputtest {

void SetText(QLineEdit* field, const QString& text);
void SetNumber(QLineEdit* field, double value);
void Click(QAbstractButton* button);

}  // namespace inputtest
