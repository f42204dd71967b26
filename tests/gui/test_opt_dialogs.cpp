// The barrier optimisation windows: the receiver list and its target question, the
// one-receiver rule, the window's states while a run is under way and after it, apply
// with its refusals, close, and the result viewer with its file.

#include <atomic>
#include <chrono>
#include <thread>

#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "app/model_windows.h"
#include "dialogs/optimise/opt_input_dialog.h"
#include "dialogs/optimise/opt_result_dialog.h"
#include "helpers/recording_dialogs.h"
#include "model/document.h"
#include "optimise/barrier_apply.h"
#include "views/plan_view.h"

namespace {

constexpr double kTarget = 60.0;
const QString kSelectOne = QStringLiteral("하나의 수음점을 선택하세요.");

// Three receivers, the second marked for optimisation with the target kTarget; a
// prediction has run.
void MakeProject(CMyTalvoDoc& doc)
{
    doc.m_arrSegment.resize(2);
    for (int i = 0; i < 3; ++i) {
        CReceiverPoint r;
        r.SetPosition(10.0 * i, 20, 1.5);
        doc.m_arrReceiver.push_back(r);
    }
    doc.m_arrReceiver[1].m_nOptTarget = 1;
    doc.m_arrReceiver[1].m_dTargetLevel = kTarget;
    doc.m_settings.m_dBaseHeight = 2.5;
}

// Design (0,0)-(30,0), H_max 2, Δl 10, Δh 0.8.
void EnterDesign(COptInputDlg& dlg)
{
    const char* values[] = {"0", "0", "30", "0", "2", "10", "0.8"};
    for (int i = 0; i < COptInputDlg::kDesignFields; ++i)
        dlg.Field(i)->setText(QString::fromLatin1(values[i]));
}

// An evaluation that answers level and, while hold is set, waits before answering.
OptEvaluation Answering(double level, std::atomic<bool>* hold = nullptr)
{
    return [level, hold](CMyTalvoDoc& d) {
        while (hold && *hold)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        d.m_dOptLevel = level;
        return level;
    };
}

QStringList ResultTexts(const COptInputDlg& dlg)
{
    QStringList texts;
    for (int i = 0; i < 5; ++i)
        texts << dlg.ResultField(i)->text();
    return texts;
}

void RunToEnd(COptInputDlg& dlg)
{
    QSignalSpy finished(&dlg, &COptInputDlg::OptimisationFinished);
    dlg.RunButton()->click();
    QVERIFY(finished.wait(10000));
}

}  // namespace

class TestOptDialogs : public QObject {
    Q_OBJECT
private slots:
    void receiverListAndTargetQuestion();
    void twoOrNoCheckedReceiversRefused();
    void statesWhileRunningAndAfterFinish();
    void cancelledRunShowsNoMessage();
    void cannotSatisfyClearsTheFields();
    void applyTwiceAndWithoutResult();
    void closeClearsTheCandidateAndWindow();
    void resultViewerShowsTheFile();
    void resultViewerFileChoice();
    void missingOptimiserReported();
};

void TestOptDialogs::receiverListAndTargetQuestion()
{
    CMyTalvoDoc doc;
    MakeProject(doc);
    COptInputDlg dlg(&doc);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("검증 작업 중입니다."));
    QListWidget* list = dlg.ReceiverList();
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->item(1)->text(), QStringLiteral("         2                10.00                20.00"
                                                   "                 1.50                60.00"));
    QCOMPARE(list->item(1)->checkState(), Qt::Checked);
    QCOMPARE(list->item(0)->checkState(), Qt::Unchecked);
    QCOMPARE(dlg.BaseHeightField()->text(), QStringLiteral("2.50"));

    QList<double> offered;
    QList<std::optional<double>> answers{65.5, 0.0};
    dlg.SetTargetLevelAsker([&](QWidget*, double current) {
        offered << current;
        return answers.takeFirst();
    });
    list->setCurrentRow(0);  // unchecked: no question
    QVERIFY(offered.isEmpty());
    dlg.MessageLine()->setText(QStringLiteral("old"));
    list->setCurrentRow(1);
    QCOMPARE(offered, QList<double>{kTarget});
    QCOMPARE(doc.m_arrReceiver[1].m_dTargetLevel, 65.5);
    QVERIFY(list->item(1)->text().endsWith(QStringLiteral("65.50")));
    QVERIFY(dlg.MessageLine()->text().isEmpty());

    list->item(2)->setCheckState(Qt::Checked);
    const QString before = list->item(2)->text();
    list->setCurrentRow(2);  // target 0: stored, the row text stays
    QCOMPARE(doc.m_arrReceiver[2].m_dTargetLevel, 0.0);
    QCOMPARE(list->item(2)->text(), before);
}

void TestOptDialogs::twoOrNoCheckedReceiversRefused()
{
    CRecordingMessageBox boxes;
    CMyTalvoDoc doc;
    MakeProject(doc);
    COptInputDlg dlg(&doc);
    EnterDesign(dlg);
    bool predicted = false;
    dlg.SetPrediction([&predicted](CMyTalvoDoc&) { predicted = true; });
    dlg.ReceiverList()->item(0)->setCheckState(Qt::Checked);  // two checked
    dlg.LengthSearchButton()->click();
    dlg.RunButton()->click();
    dlg.ReceiverList()->item(0)->setCheckState(Qt::Unchecked);
    dlg.ReceiverList()->item(1)->setCheckState(Qt::Unchecked);  // none checked
    dlg.LengthSearchButton()->click();
    dlg.RunButton()->click();
    QCOMPARE(boxes.m_infos, QStringList(4, kSelectOne));
    QVERIFY(!predicted);
    QVERIFY(!dlg.IsRunning());
    QCOMPARE(dlg.RunButton()->text(), QStringLiteral("최적 방음벽 계산"));
}

void TestOptDialogs::statesWhileRunningAndAfterFinish()
{
    CRecordingMessageBox boxes;
    CMyTalvoDoc doc;
    MakeProject(doc);
    COptInputDlg dlg(&doc);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QVERIFY(!dlg.ReceiverList()->horizontalScrollBar()->isVisible());  // the target column shows
    EnterDesign(dlg);
    std::atomic<bool> hold{true};
    dlg.SetEvaluation(Answering(kTarget - 1.0, &hold));  // every candidate meets the target
    QSignalSpy finished(&dlg, &COptInputDlg::OptimisationFinished);
    dlg.RunButton()->click();

    QVERIFY(dlg.IsRunning());
    QCOMPARE(dlg.RunButton()->text(), QStringLiteral("계산 취소"));
    QVERIFY(dlg.RunButton()->isEnabled());
    QVERIFY(!dlg.LengthSearchButton()->isEnabled());
    QVERIFY(!dlg.CloseButton()->isEnabled());
    QVERIFY(!dlg.ApplyButton()->isEnabled());
    for (int key : {Qt::Key_Escape, Qt::Key_Return}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&dlg, &press);
    }
    QVERIFY(dlg.isVisible());
    boxes.m_answers = {QMessageBox::No};
    dlg.RunButton()->click();  // the cancel question, answered No
    QCOMPARE(boxes.m_questions, QStringList{QStringLiteral("계산 작업을 취소하시겠습니까?")});

    hold = false;
    QVERIFY(finished.wait(10000));
    QCOMPARE(dlg.RunButton()->text(), QStringLiteral("최적 방음벽 계산"));
    for (QPushButton* b : {dlg.LengthSearchButton(), dlg.CloseButton(), dlg.ApplyButton()})
        QVERIFY(b->isEnabled());
    // The bar stays full and a line says the run ended.
    QCOMPARE(dlg.Bar()->value(), 100);
    QCOMPARE(dlg.RunStatus()->text(), QStringLiteral("최적 방음벽 계산을 마쳤습니다."));
    QVERIFY(!doc.m_bOptimising);
    // L0 = 30, Δl = 10: lengths 30, 20, 10; at each, heights 2.0 and 1.2 meet the target.
    // The last recorded is 10 m centred on the design line at 1.2 m.
    QCOMPARE(ResultTexts(dlg), (QStringList{"10.00", "0.00", "20.00", "0.00", "1.20"}));
    QVERIFY(boxes.m_infos.isEmpty());
}

void TestOptDialogs::cancelledRunShowsNoMessage()
{
    CRecordingMessageBox boxes;
    CMyTalvoDoc doc;
    MakeProject(doc);
    COptInputDlg dlg(&doc);
    EnterDesign(dlg);
    std::atomic<bool> hold{true};
    dlg.SetEvaluation(Answering(kTarget - 5.0, &hold));  // never within 2 dB: nothing found
    QSignalSpy finished(&dlg, &COptInputDlg::OptimisationFinished);
    dlg.RunButton()->click();
    boxes.m_answers = {QMessageBox::Yes};
    dlg.RunButton()->click();
    hold = false;
    QVERIFY(finished.wait(10000));
    QCOMPARE(ResultTexts(dlg), QStringList(5, QStringLiteral("0.00")));
    QVERIFY(boxes.m_infos.isEmpty());
}

void TestOptDialogs::cannotSatisfyClearsTheFields()
{
    CRecordingMessageBox boxes;
    CMyTalvoDoc doc;
    MakeProject(doc);
    COptInputDlg dlg(&doc);
    EnterDesign(dlg);
    dlg.SetEvaluation(Answering(kTarget + 0.5));
    RunToEnd(dlg);
    QCOMPARE(ResultTexts(dlg), QStringList(5, QStringLiteral("0.00")));
    QCOMPARE(boxes.m_infos, QStringList{QString::fromUtf8(kMsgCannotSatisfy)});
    boxes.m_infos.clear();
    dlg.ApplyButton()->click();  // nothing to apply
    QCOMPARE(boxes.m_infos, QStringList{QString::fromUtf8(kMsgNoOptimisedBarrier)});
    QVERIFY(doc.m_arrBarrier.empty());
}

void TestOptDialogs::applyTwiceAndWithoutResult()
{
    CRecordingMessageBox boxes;
    CMyTalvoDoc doc;
    MakeProject(doc);
    doc.m_nCalculatedInFile = 1;
    CPlan_View view(&doc);
    CModelWindows viewWindows(&doc, &view);
    view.SetResultDisplay(true, 2);
    view.SetNoiseMap(std::make_shared<CNoiseMap>());
    viewWindows.OnOptimise();
    COptInputDlg* dlg = viewWindows.OptInputWindow();
    QVERIFY(dlg);
    dlg->ApplyButton()->click();  // before any run
    QCOMPARE(boxes.m_infos, QStringList{QString::fromUtf8(kMsgNoOptimisedBarrier)});
    QVERIFY(doc.m_arrBarrier.empty());

    EnterDesign(*dlg);
    dlg->SetEvaluation(Answering(kTarget));
    RunToEnd(*dlg);
    QSignalSpy changed(&viewWindows, &CModelWindows::DocumentChanged);
    QSignalSpy notices(&viewWindows, &CModelWindows::StatusMessage);
    dlg->ApplyButton()->click();
    QCOMPARE(doc.m_arrBarrier.size(), std::size_t(1));
    // The noise map went with the levels, and the user is told.
    QVERIFY(!view.IsShowingNoiseMap());
    QCOMPARE(notices.count(), 1);
    QVERIFY(dlg->MessageLine()->text().contains(QStringLiteral("소음지도를 지웠습니다")));
    const CBarrier_Stage& added = doc.m_arrBarrier[0];
    QCOMPARE(added.m_dStartX, 10.0);
    QCOMPARE(added.m_dEndX, 20.0);
    QCOMPARE(added.m_dHeight, 1.2);
    QCOMPARE(added.m_pKey, std::string("10.000.0020.000.00"));
    QVERIFY(doc.m_bModified);
    QVERIFY(doc.m_bResultsStale);  // the levels were computed without the new barrier
    QCOMPARE(changed.count(), 1);
    QVERIFY(!view.IsShowingResults());

    dlg->ApplyButton()->click();
    QCOMPARE(boxes.m_infos.last(), QStringLiteral("동일한 지점에 방음벽이 존재합니다."));
    QCOMPARE(doc.m_arrBarrier.size(), std::size_t(1));

    // The same end points in reverse order count as the same place.
    std::swap(doc.m_arrBarrier[0].m_dStartX, doc.m_arrBarrier[0].m_dEndX);
    dlg->ApplyButton()->click();
    QCOMPARE(doc.m_arrBarrier.size(), std::size_t(1));
    QCOMPARE(boxes.m_infos.size(), 3);

    viewWindows.OnOptimise();
    QCOMPARE(boxes.m_infos.last(), QStringLiteral("방음벽 최적설계 입력창이 이미 열려있습니다."));
}

void TestOptDialogs::closeClearsTheCandidateAndWindow()
{
    CMyTalvoDoc doc;
    MakeProject(doc);
    CPlan_View view(&doc);
    CModelWindows viewWindows(&doc, &view);
    viewWindows.OnOptimise();
    COptInputDlg* dlg = viewWindows.OptInputWindow();
    EnterDesign(*dlg);
    dlg->SetEvaluation(Answering(kTarget));
    RunToEnd(*dlg);
    QVERIFY(doc.m_OptBarrier.m_dHeight > 0);  // the last candidate stays after a run
    dlg->CloseButton()->click();
    QCOMPARE(doc.m_OptBarrier.m_dHeight, 0.0);
    QCOMPARE(doc.m_OptBarrier.m_dEndX, 0.0);
    QCOMPARE(doc.m_OptBarrier.m_dAngle, 0.0);
    QVERIFY(!viewWindows.OptInputWindow());
    viewWindows.OnOptimise();  // opens again at once
    QVERIFY(viewWindows.OptInputWindow());
}

void TestOptDialogs::resultViewerShowsTheFile()
{
    COptResult result = ParseOptResult(
        "2\n3.5 120.25\n10 20\n40 60\n1 2 1.5\n50 51 52 53 54 55 56 57 60.5\n"
        "7 8 9\n40 41 42 43 44 45 46 47 49\n");
    COptResultDlg dlg(result);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("방음벽 최적설계 결과"));
    QCOMPARE(dlg.HeightField()->text(), QStringLiteral("3.50"));
    QCOMPARE(dlg.AreaField()->text(), QStringLiteral("120.25"));
    QCOMPARE(dlg.CoordinateGrid()->item(1, 1)->text(), QStringLiteral("60.00"));
    QCOMPARE(dlg.ReceiverChooser()->count(), 2);
    QCOMPARE(dlg.ReceiverChooser()->itemText(1), QStringLiteral("2"));
    QCOMPARE(dlg.LevelGrid()->horizontalHeaderItem(8)->text(), QStringLiteral("Overall (A)"));
    QCOMPARE(dlg.PositionGrid()->horizontalHeaderItem(2)->text(), QStringLiteral("Z (m)"));
    QCOMPARE(dlg.LevelGrid()->item(0, 8)->text(), QStringLiteral("60.50"));
    dlg.ReceiverChooser()->setCurrentIndex(1);
    QCOMPARE(dlg.LevelGrid()->item(0, 0)->text(), QStringLiteral("40.00"));
    QCOMPARE(dlg.PositionGrid()->item(0, 2)->text(), QStringLiteral("9.00"));

    COptResultDlg empty(ParseOptResult("0\n2 30\n1 2\n3 4\n"));
    QCOMPARE(empty.ReceiverChooser()->count(), 0);
    QVERIFY(!empty.LevelGrid()->item(0, 0));
    QCOMPARE(empty.CoordinateGrid()->item(0, 0)->text(), QStringLiteral("1.00"));
}

void TestOptDialogs::resultViewerFileChoice()
{
    CRecordingMessageBox boxes;
    CRecordingFileDialogs files;
    CMyTalvoDoc doc;
    CPlan_View view(&doc);
    CModelWindows viewWindows(&doc, &view);
    viewWindows.OnOptResult();  // the file choice cancelled: no viewer
    QVERIFY(!viewWindows.OptResultWindow());
    QCOMPARE(files.m_filters.last(), QStringLiteral("방음벽 최적설계 결과파일 (*.out)"));

    files.m_paths = {QStringLiteral("/nonexistent/result.out")};
    viewWindows.OnOptResult();
    QVERIFY(!viewWindows.OptResultWindow());
    QCOMPARE(boxes.m_infos.size(), 1);
    QVERIFY(boxes.m_infos[0].startsWith(QString::fromUtf8(kMsgOptResultUnreadable)));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.out"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("1\n1 2\n3 4\n5 6\n");
    file.close();
    files.m_paths = {path};
    viewWindows.OnOptResult();
    QVERIFY(viewWindows.OptResultWindow());
    viewWindows.OnOptResult();
    QCOMPARE(boxes.m_infos.last(), QStringLiteral("방음벽 최적설계 입력창이 이미 열려 있습니다."));
    viewWindows.OptResultWindow()->OkButton()->click();
    QVERIFY(!viewWindows.OptResultWindow());
}

void TestOptDialogs::missingOptimiserReported()
{
    CRecordingMessageBox boxes;
    CMyTalvoDoc doc;
    CPlan_View view(&doc);
    CModelWindows viewWindows(&doc, &view);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QTemporaryDir().path().toUtf8());  // no WallSolver.exe anywhere
    viewWindows.OnRunWallSolver();
    qputenv("PATH", path);
    QCOMPARE(boxes.m_infos.size(), 1);
    QVERIFY(boxes.m_infos[0].contains(QStringLiteral("WallSolver.exe")));
}

QTEST_MAIN(TestOptDialogs)
#include "test_opt_dialogs.moc"
