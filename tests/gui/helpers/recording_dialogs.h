#pragma once

// Stand-ins for the message boxes and file dialogs: they record what the program
// showed and answer from a queue, so tests never enter a modal loop. Each installs
// itself for its lifetime.

#include <QList>
#include <QStringList>

#include "ui/file_dialogs.h"
#include "ui/message_box.h"

// Questions take the queued answers in order, then whenNoAnswer: Cancel for the main
// window's tests (an unexpected question cancels), Yes for the input windows' tests.
class CRecordingMessageBox final : public IMessageBox {
public:
    explicit CRecordingMessageBox(QMessageBox::StandardButton whenNoAnswer = QMessageBox::Cancel)
        : m_whenNoAnswer(whenNoAnswer)
    {
        SetMessageBoxes(this);
    }
    ~CRecordingMessageBox() override { SetMessageBoxes(nullptr); }
    CRecordingMessageBox(const CRecordingMessageBox&) = delete;
    CRecordingMessageBox& operator=(const CRecordingMessageBox&) = delete;

    void Information(QWidget*, const QString& text, const QString&) override;
    QMessageBox::StandardButton Question(QWidget*, const QString& text, const QString&,
                                         QMessageBox::StandardButtons) override;

    QStringList m_infos;                           // texts of the information boxes, in order
    QStringList m_questions;                       // texts of the questions, in order
    QStringList m_texts;                           // texts of every box, in order
    QList<QMessageBox::StandardButton> m_answers;  // next answers; whenNoAnswer when empty

private:
    QMessageBox::StandardButton m_whenNoAnswer;
};

class CRecordingFileDialogs final : public IFileDialogs {
public:
    CRecordingFileDialogs() { SetFileDialogs(this); }
    ~CRecordingFileDialogs() override { SetFileDialogs(nullptr); }

    QString OpenFileName(QWidget*, const QString&, const QString&, const QString& filter) override;
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString& filter) override;

    QStringList m_paths;    // next chosen paths; an empty text or an empty queue cancels
    QStringList m_filters;  // the filters the program offered
    int m_nAsked = 0;
};

// Points QSettings at a fresh temporary folder and a test-only organisation, so no
// test reads or writes the user's own settings.
void UseTemporarySettings();
