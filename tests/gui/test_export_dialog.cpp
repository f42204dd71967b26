// The receiver export behind its progress window: the start by the button or the close
// box, the progress text, a confirmed cancel and the file left complete and closed.

#include <atomic>
#include <chrono>
#include <thread>

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "app/main_frame.h"
#include "dialogs/export_progress_dialog.h"
#include "helpers/recording_dialogs.h"

namespace {

// Area X 0..2000, Y 0..600 at 50 m: 41 x 13 = 533 points.
CReceiverGrid Grid533()
{
    CReceiverGrid grid;
    grid.m_dEndX = 2000;
    grid.m_dEndY = 600;
    grid.m_dSpacing = 50;
    grid.m_dHeight = 1.5;
    return grid;
}

// Every band at 50 dB (overall 50 + 10 lg 8 = 59.03); each point takes pauseMs.
ExportLevelsFactory FlatLevels(int pauseMs)
{
    return [pauseMs]() -> PointLevelProvider {
        return [pauseMs](double, double, double) {
            std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
            Bands b;
            b.fill(50.0);
            return b;
        };
    };
}

QList<QByteArray> Lines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> lines = file.readAll().split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

}  // namespace

class TestExportDialog : public QObject {
    Q_OBJECT
private slots:
    void buttonRunsTheWholeExport();
    void closeBoxStartsAndProgressTextShows();
    void confirmedCancelKeepsTheLinesWritten();
    void commandChecksAndSaveDialog();
    void fileAppearsOnlyWithTheOneClickThatStarts();
};

void TestExportDialog::buttonRunsTheWholeExport()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    CProgressDlg dialog(Grid533(), FlatLevels(0));
    std::string failure;
    QVERIFY(dialog.OpenOutput(path.toStdString(), failure));
    QCOMPARE(dialog.Button()->text(), QStringLiteral("시작"));
    QSignalSpy finished(&dialog, &CProgressDlg::ExportFinished);
    dialog.Button()->click();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("수음점 정보를 저장중입니다."));
    QCOMPARE(dialog.Button()->text(), QStringLiteral("취소"));
    QVERIFY(dialog.Timer().isActive());
    QCOMPARE(dialog.Timer().interval(), 100);
    QVERIFY(finished.wait(20000));
    QVERIFY(!dialog.Timer().isActive());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.StatusText()->text(), QStringLiteral("533 / 533 ( 100% )"));

    const QList<QByteArray> lines = Lines(path);  // readable in full: the file was closed
    QCOMPARE(lines.size(), 533);
    QCOMPARE(lines[0], QByteArray("0.00\t0.00\t1.50\t59.03\r"));
    QCOMPARE(lines[2], QByteArray("0.00\t100.00\t1.50\t59.03\r"));
    QCOMPARE(lines[13], QByteArray("50.00\t0.00\t1.50\t59.03\r"));
}

void TestExportDialog::closeBoxStartsAndProgressTextShows()
{
    QTemporaryDir dir;
    CProgressDlg dialog(Grid533(), FlatLevels(2));
    std::string failure;
    QVERIFY(dialog.OpenOutput(dir.filePath(QStringLiteral("out.txt")).toStdString(), failure));
    QSignalSpy finished(&dialog, &CProgressDlg::ExportFinished);
    QVERIFY(!dialog.close());  // the close box starts the export and keeps the window
    QVERIFY(dialog.IsRunning());
    QCOMPARE(dialog.Button()->text(), QStringLiteral("취소"));
    QTRY_VERIFY_WITH_TIMEOUT(dialog.Progress().Done() > 0, 10000);
    dialog.UpdateProgress();
    const QRegularExpression shape(QStringLiteral("^(\\d+) / 533 \\( (\\d+)% \\)$"));
    const QRegularExpressionMatch match = shape.match(dialog.StatusText()->text());
    QVERIFY2(match.hasMatch(), qPrintable(dialog.StatusText()->text()));
    const int done = match.captured(1).toInt();
    QCOMPARE(match.captured(2).toInt(), done * 100 / 533);
    QCOMPARE(dialog.Bar()->value(), done * 100 / 533);
    QVERIFY(finished.wait(30000));
}

void TestExportDialog::confirmedCancelKeepsTheLinesWritten()
{
    CRecordingMessageBox boxes;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    CProgressDlg dialog(Grid533(), FlatLevels(5));
    std::string failure;
    QVERIFY(dialog.OpenOutput(path.toStdString(), failure));
    QSignalSpy finished(&dialog, &CProgressDlg::ExportFinished);
    dialog.Button()->click();
    QTRY_VERIFY_WITH_TIMEOUT(dialog.Progress().Done() > 0, 10000);

    boxes.m_answers = {QMessageBox::No};
    dialog.Button()->click();  // "No": the export goes on
    QVERIFY(!dialog.Progress().CancelRequested());
    boxes.m_answers = {QMessageBox::Yes};
    dialog.Button()->click();
    QCOMPARE(boxes.m_questions, QStringList(2, QStringLiteral("저장 작업을 취소하시겠습니까?")));
    QVERIFY(finished.wait(10000));
    QCOMPARE(dialog.Outcome().status, CExportOutcome::Status::Cancelled);
    const int lines = Lines(path).size();
    QVERIFY(lines < 533);
    QCOMPARE(std::int64_t(lines), dialog.Progress().Done() + 1);
}

void TestExportDialog::commandChecksAndSaveDialog()
{
    UseTemporarySettings();
    CRecordingMessageBox boxes;
    CRecordingFileDialogs files;
    CMainFrame frame;
    frame.OnExportReceivers();
    QCOMPARE(boxes.m_infos, QStringList{QStringLiteral("소음해석을 먼저 수행하세요.")});

    frame.Document().m_arrSegment.resize(1);
    frame.Document().m_settings.m_dReceiverSpacing = 0;
    frame.OnExportReceivers();
    QCOMPARE(boxes.m_infos.last(), QStringLiteral("수음점 간격이 잘못되었습니다."));
    QCOMPARE(files.m_nAsked, 0);

    frame.Document().m_settings.m_dReceiverSpacing = 50;
    frame.OnExportReceivers();  // the save dialog is cancelled: nothing else happens
    QCOMPARE(files.m_nAsked, 1);
    QCOMPARE(files.m_filters.last(), QStringLiteral("텍스트 파일(*.txt);;모든 파일(*.*)"));
    QCOMPARE(boxes.m_infos.size(), 2);

    files.m_paths = {QStringLiteral("/nonexistent-folder/수음점.txt")};
    frame.OnExportReceivers();  // a file that cannot be created is reported, no window
    QCOMPARE(boxes.m_infos.size(), 3);
    QVERIFY(boxes.m_infos.last().contains(QStringLiteral("/nonexistent-folder/")));
}

void TestExportDialog::fileAppearsOnlyWithTheOneClickThatStarts()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("later.txt"));
    CProgressDlg dialog(Grid533(), FlatLevels(0));
    std::string failure;
    QVERIFY(dialog.OpenOutput(path.toStdString(), failure));
    QVERIFY(!QFileInfo::exists(path));  // no empty file while the window waits
    QSignalSpy finished(&dialog, &CProgressDlg::ExportFinished);
    dialog.Button()->click();  // the one click
    QVERIFY(QFileInfo::exists(path));
    QVERIFY(finished.wait(20000));
    QCOMPARE(dialog.Outcome().lines, std::int64_t(533));
    QCOMPARE(dialog.Bar()->value(), 100);
    QCOMPARE(CProgressDlg::DoneMessage(dialog.Outcome(), path),
             QStringLiteral("수음점 저장 완료: 533줄을 %1에 저장했습니다.").arg(path));
    // A file that exists keeps its bytes until the start.
    QFile keep(path);
    QVERIFY(keep.open(QIODevice::ReadOnly));
    const QByteArray before = keep.readAll();
    keep.close();
    CProgressDlg again(Grid533(), FlatLevels(0));
    QVERIFY(again.OpenOutput(path.toStdString(), failure));
    QVERIFY(keep.open(QIODevice::ReadOnly));
    QCOMPARE(keep.readAll(), before);
}

QTEST_MAIN(TestExportDialog)
#include "test_export_dialog.moc"
