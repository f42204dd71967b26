#include "helpers/input_test_support.h"

#include <QAbstractButton>
#include <QLineEdit>

namespace inputtest {

void SetText(QLineEdit* field, const QString& text) { field->setText(text); }

void SetNumber(QLineEdit* field, double value) { field->setText(QString::number(value, 'g', 12)); }

void Click(QAbstractButton* button) { button->click(); }

}  // namespace inputtest
