#pragma once

// The progress window of the receiver export. "시작" (or the close box) creates the file
// and starts the export on a worker thread; the button then reads "취소" and asks before
// cancelling. Until the worker knows how many points there are the bar shows it is busy. A 100 ms
// timer shows "done / total ( percent% )"; the worker's end arrives by a queued signal,
// which closes the file and the window. The document must not change while it runs,
// which the window, being modal, ensures.

#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include <QDialog>
#include <QTimer>

#include "io/receiver_export.h"
#include "model/run_progress.h"

class QLabel;
class QProgressBar;
class QPushButton;

// Makes the level query of the export; called once on the worker thread, so that building
// the calculation scene does not block the window.
using ExportLevelsFactory = std::function<PointLevelProvider()>;

class CProgressDlg : public QDialog {
    Q_OBJECT
public:
    CProgressDlg(const CReceiverGrid& grid, ExportLevelsFactory levels, QWidget* parent = nullptr);
    ~CProgressDlg() override;

    // Checks that the output file can be written; false, with the message to show, when
    // it cannot. Call before showing the window. The file itself is created (or
    // truncated) only by the start, so a window closed unstarted leaves no empty file.
    bool OpenOutput(const std::string& path, std::string& message);

    // What the main window's status bar says at the end: the lines written and where.
    static QString DoneMessage(const CExportOutcome& outcome, const QString& path);

    // The button: starts the export, or asks whether to cancel it.
    void OnButton();
    // The timer tick: the bar and "%d / %d ( %d%% )".
    void UpdateProgress();

    bool IsRunning() const { return m_worker.joinable(); }
    const CExportOutcome& Outcome() const { return m_outcome; }
    const CRunProgress& Progress() const { return m_progress; }
    QPushButton* Button() const { return m_pButton; }
    QProgressBar* Bar() const { return m_pBar; }
    QLabel* StatusText() const { return m_pStatus; }
    const QTimer& Timer() const { return m_timer; }

signals:
    // Emitted on the worker thread when the export has ended.
    void WorkerFinished();
    // Emitted on the window's thread after the file was closed.
    void ExportFinished();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Start();
    void AskCancel();
    void OnWorkerFinished();

    CReceiverGrid m_grid;
    ExportLevelsFactory m_levels;
    std::string m_strPath;
    std::ofstream m_out;
    CRunProgress m_progress;
    CExportOutcome m_outcome;
    std::thread m_worker;
    QTimer m_timer;
    bool m_bStarted = false;
    bool m_bFinished = false;
    QProgressBar* m_pBar;
    QPushButton* m_pButton;
    QLabel* m_pStatus;
};
