#pragma once

// Stand-ins for the message boxes and file dialogs: they record what the program
// showed and answer from a queue, so tests never enter a modal loop. Each installs
// itself for its lifetime.

#include <QList>
#include <QStringList>

#include "ui/file_dialogs.h"
#include "ui/message_box.h"

class CRecordingMessageBox final : public IMessageBox {
public:
    CRecordingMessageBox() { SetMessageBoxes(this); }
    ~CRecordingMessageBox() override { SetMessageBoxes(nullptr); }

    void Information(QWidget*, const QString& text, const QString&) override { m_infos.append(text); }
    QMessageBox::StandardButton Question(QWidget*, const QString& text, const QString&,
                                         QMessageBox::StandardButtons) override;

    QStringList m_infos;                           // texts of the information boxes, in order
    QStringList m_questions;                       // texts of the questions, in order
    QList<QMessageBox::StandardButton> m_answers;  // next answers; Cancel when empty
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
