#include "helpers/input_test_support.h"

#include <QAbstractButton>
#include <QLineEdit>

namespace inputtest {

void CMessageRecorder::Information(QWidget*, const QString& text, const QString&) { m_texts << text; }

QMessageBox::StandardButton CMessageRecorder::Question(QWidget*, const QString& text, const QString&,
                                                       QMessageBox::StandardButtons)
{
    m_texts << text;
    m_questions << text;
    return m_answers.isEmpty() ? QMessageBox::Yes : m_answers.takeFirst();
}

void SetText(QLineEdit* field, const QString& text) { field->setText(text); }

void SetNumber(QLineEdit* field, double value) { field->setText(QString::number(value, 'g', 12)); }

void Click(QAbstractButton* button) { button->click(); }

}  // namespace inputtest
