#pragma once

// Support for the input window tests: a message-box recorder that answers questions
// without a modal loop, and small helpers to fill fields and press buttons.

#include <QList>
#include <QMessageBox>
#include <QStringList>

#include "ui/message_box.h"

class QAbstractButton;
class QLineEdit;

namespace inputtest {

// Records every box; questions take the queued answers in order, Yes when none is left.
class CMessageRecorder : public IMessageBox {
public:
    CMessageRecorder() { SetMessageBoxes(this); }
    ~CMessageRecorder() override { SetMessageBoxes(nullptr); }
    CMessageRecorder(const CMessageRecorder&) = delete;
    CMessageRecorder& operator=(const CMessageRecorder&) = delete;

    void Information(QWidget* parent, const QString& text, const QString& title) override;
    QMessageBox::StandardButton Question(QWidget* parent, const QString& text, const QString& title,
                                         QMessageBox::StandardButtons buttons) override;

    QStringList m_texts;
    QStringList m_questions;
    QList<QMessageBox::StandardButton> m_answers;
};

void SetText(QLineEdit* field, const QString& text);
void SetNumber(QLineEdit* field, double value);
void Click(QAbstractButton* button);

}  // namespace inputtest
