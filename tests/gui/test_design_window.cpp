// The optimisation window designing for a set: the choice of a building's floors, the period
// and a common target reach the search; the design table and the result fields show what the
// search found, and the report takes the design with its floors; refusals come as
// messages and start nothing. With TALVO_SAVE_RENDERS set, the README's picture of a building
// design is saved.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>
#include <cmath>

#include "../support/design_test_support.h"
#include "app/main_frame.h"
#include "app/model_windows.h"
#include "app/report_commands.h"
#include "dialogs/optimise/design_table_widget.h"
#include "dialogs/optimise/opt_input_dialog.h"
#include "dialogs/optimise/opt_target_panel.h"
#include "helpers/recording_dialogs.h"
#include "helpers/view_pixels.h"
#include "model/document.h"
#include "optimise/set_optimisation.h"
#include "views/plan_view.h"

namespace {

void EnterDesign(COptInputDlg& dlg, const COptDesign& d)
{
    const double values[] = {d.m_dStartX,    d.m_dStartY,     d.m_dEndX,      d.m_dEndY,
                             d.m_dMaxHeight, d.m_dLengthStep, d.m_dHeightStep};
    for (int i = 0; i < COptInputDlg::kDesignFields; ++i)
        dlg.Field(i)->setText(QString::number(values[i]));
}

void ChooseFloors(COptTargetPanel& panel, int building, int first, int last, const QString& target)
{
    panel.KindBox()->setCurrentIndex(COptTargetPanel::kBuilding);
    panel.BuildingBox()->setCurrentIndex(building);
    panel.FirstFloor()->setValue(first);
    panel.LastFloor()->setValue(last);
    panel.TargetField()->setText(target);
}

bool RunToEnd(COptInputDlg& dlg)
{
    QSignalSpy finished(&dlg, &COptInputDlg::OptimisationFinished);
    dlg.RunButton()->click();
    return finished.wait(60000);
}

QStringList ResultTexts(const COptInputDlg& dlg)
{
    QStringList texts;
    for (int i = 0; i < 5; ++i)
        texts << dlg.ResultField(i)->text();
    return texts;
}

QString CellText(const CDesignTableWidget& table, int row, int column)
{
    const QTableWidgetItem* item = table.item(row, column);
    return item ? item->text() : QString();
}

}  // namespace

class TestDesignWindow : public QObject {
    Q_OBJECT
private slots:
    // Floors 2 to 5 of the block against 60 dB(A): the window finds the barrier the search
    // finds for that target, fills the table row by row, names the floors left out, applies
    // the barrier; a later one-receiver run hides the table.
    void buildingFloorsAreDesignedAndApplied()
    {
        CRecordingMessageBox boxes;
        CMyTalvoDoc doc = designtest::DesignProject();
        const COptDesign design = designtest::Design(4.0, 20.0, 0.5);
        CDesignTarget target;
        target.m_eKind = CDesignTarget::EKind::kBuilding;
        target.m_nBuilding = 0;
        target.m_nFirstFloor = 2;
        target.m_nLastFloor = 5;
        target.m_dTarget = 60.0;
        CRunProgress progress;
        const CSetOutcome expected = RunSetOptimisation(doc, target, design, progress);
        QVERIFY(expected.m_run.m_bFound);
        COptBarrierResult best;
        const QString message = QString::fromStdString(FinishSetOptimisation(progress, expected, best));

        COptInputDlg dlg(&doc);
        EnterDesign(dlg, design);
        ChooseFloors(*dlg.TargetPanel(), 0, 2, 5, QStringLiteral("60"));
        QVERIFY(!dlg.DesignTable()->isVisibleTo(&dlg));
        QVERIFY(RunToEnd(dlg));
        QCOMPARE(ResultTexts(dlg), (QStringList{QString::asprintf("%.2f", best.m_dStartX), "10.00",
                                                QString::asprintf("%.2f", best.m_dEndX), "10.00",
                                                QString::asprintf("%.2f", best.m_dHeight)}));
        QCOMPARE(boxes.m_infos, message.isEmpty() ? QStringList() : QStringList{message});

        const CDesignTableWidget& table = *dlg.DesignTable();
        QVERIFY(table.isVisibleTo(&dlg));
        QVERIFY(dlg.LastDesignTable() != nullptr);
        QCOMPARE(table.rowCount(), 4);
        for (int r = 0; r < 4; ++r) {
            const CDesignTableRow& row = expected.m_table.m_arrRow[std::size_t(r)];
            QCOMPARE(CellText(table, r, 0), QStringLiteral("101동 %1층").arg(r + 2));
            QCOMPARE(CellText(table, r, 2), QStringLiteral("60.00"));
            QCOMPARE(CellText(table, r, 3), QString::asprintf("%.2f", row.m_dBefore));
            QCOMPARE(CellText(table, r, 4), QString::asprintf("%.2f", row.m_dAfter));
            QCOMPARE(CellText(table, r, 6), QString::fromUtf8(DesignCheckText(row.m_eCheck)));
        }
        QVERIFY(table.TableText().startsWith(QStringLiteral("구분\t수음점\t기준 dB(A)")));
        QCOMPARE(table.TableText().count(QLatin1Char('\n')), 5);

        const std::size_t barriers = doc.m_arrBarrier.size();
        dlg.ApplyButton()->click();
        QCOMPARE(doc.m_arrBarrier.size(), barriers + 1);
        QCOMPARE(doc.m_arrBarrier.back().m_dHeight, best.m_dHeight);

        // Calculated again, one receiver with its target: the set's table goes.
        Calculate(doc);
        doc.ResultsMadeCurrent();
        doc.m_arrReceiver[0].m_dTargetLevel = 60.0;
        dlg.ReceiverList()->item(0)->setCheckState(Qt::Checked);
        dlg.TargetPanel()->KindBox()->setCurrentIndex(COptTargetPanel::kOneReceiver);
        dlg.SetEvaluation([](CMyTalvoDoc& d) { return d.m_dOptLevel = 59.0; });
        QVERIFY(RunToEnd(dlg));
        QVERIFY(!table.isVisibleTo(&dlg));
        QVERIFY(dlg.LastDesignTable() == nullptr);
    }

    // What cannot be designed for is refused by a message and starts no run; the panel
    // enables only what its choice reads.
    void setRefusalsStartNothing()
    {
        CRecordingMessageBox boxes;
        CMyTalvoDoc doc = designtest::DesignProject();
        COptInputDlg dlg(&doc);
        EnterDesign(dlg, designtest::Design());
        COptTargetPanel& panel = *dlg.TargetPanel();
        QVERIFY(!panel.PeriodBox()->isEnabled() && !panel.BuildingBox()->isEnabled());
        QCOMPARE(panel.LastFloor()->maximum(), 6);

        panel.KindBox()->setCurrentIndex(COptTargetPanel::kCheckedReceivers);  // none checked
        QVERIFY(panel.PeriodBox()->isEnabled() && !panel.BuildingBox()->isEnabled());
        dlg.RunButton()->click();
        ChooseFloors(panel, 0, 1, 6, QString());
        QVERIFY(panel.BuildingBox()->isEnabled());
        panel.PeriodBox()->setCurrentIndex(1);  // no road has night powers
        dlg.RunButton()->click();
        panel.PeriodBox()->setCurrentIndex(0);
        // The floors have the housing rule; a receiver has neither a target nor a criterion.
        dlg.ReceiverList()->item(0)->setCheckState(Qt::Checked);
        panel.KindBox()->setCurrentIndex(COptTargetPanel::kCheckedReceivers);
        dlg.RunButton()->click();
        QCOMPARE(boxes.m_infos,
                 (QStringList{QString::fromUtf8(kMsgChooseReceivers), QString::fromUtf8(kMsgNoNightPowers),
                              QString::fromUtf8(kMsgNoLimitInSet)}));
        boxes.m_infos.clear();
        panel.TargetField()->setText(QStringLiteral("6o"));
        dlg.RunButton()->click();
        QCOMPARE(boxes.m_infos.size(), 1);  // the field's own complaint
        QVERIFY(!dlg.IsRunning());
        QVERIFY(!dlg.DesignTable()->isVisibleTo(&dlg));
    }

    // 103동 of the example, past the end of the village barrier, against 70 dB(A): the barrier
    // found brings floors 1 to 7 below it; the floors above look over every candidate and are
    // left out, and the message names them.
    void exampleBlockDesign()
    {
        CRecordingMessageBox boxes;
        CMainFrame frame;
        frame.resize(1400, 900);
        QVERIFY(frame.OpenProjectFile(QStringLiteral(TALVO_EXAMPLES "/highway-apartments.tlv")));
        frame.RunCalculation();
        frame.Windows()->OnOptimise();
        COptInputDlg* dlg = frame.Windows()->OptInputWindow();
        QVERIFY(dlg != nullptr);
        EnterDesign(*dlg, {300, 217, 800, 217, 10, 10, 0.5});
        ChooseFloors(*dlg->TargetPanel(), 2, 1, 12, QStringLiteral("70"));
        QVERIFY(RunToEnd(*dlg));
        const CDesignTableWidget& table = *dlg->DesignTable();
        QCOMPARE(table.rowCount(), 12);
        for (int r = 0; r < 12; ++r) {
            QCOMPARE(CellText(table, r, 6), r < 7 ? QStringLiteral("만족") : QStringLiteral("제외"));
            if (r < 7)
                QVERIFY(CellText(table, r, 4).toDouble() <= 70.0);
        }
        QVERIFY(!boxes.m_infos.isEmpty());
        QVERIFY(boxes.m_infos.last().contains(QStringLiteral("103동 8~12층")));
        // The report takes the set's barrier with the floors of its table, not as one
        // receiver's design.
        frame.PlanView()->SetNoiseMap(std::make_shared<CNoiseMap>());
        const std::optional<CReportInput> report = frame.findChild<CReportCommands*>()->CurrentInput();
        QVERIFY(report && report->design);
        QCOMPARE(report->design->receiver, -1);
        QCOMPARE(report->design->barrier.m_dHeight, dlg->Result().m_dHeight);
        QCOMPARE(report->design->floors.size(), std::size_t(12));
        for (int r = 0; r < 12; ++r) {
            const CReportDesignFloor& f = report->design->floors[std::size_t(r)];
            QCOMPARE(f.building, 2);
            QCOMPARE(f.floor, r + 1);
            QVERIFY(std::abs(f.after - CellText(table, r, 4).toDouble()) <= 0.005);
            QCOMPARE(f.outOfReach, r >= 7);
            QVERIFY(f.limit && f.limit->m_dValue == 70.0);
        }
        dlg->resize(760, 1380);
        dlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(dlg));
        SaveRenderIfAsked(dlg->grab().toImage(), QStringLiteral("design-table.png"));
    }
};

QTEST_MAIN(TestDesignWindow)
#include "test_design_window.moc"
