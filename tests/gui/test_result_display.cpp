// The result display of the plan view: the band chooser, the paged result table with its
// boundary messages, the single-instance rule, and the copy of the table as text.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "app/input_window_coordinator.h"
#include "app/model_windows.h"
#include "helpers/recording_dialogs.h"
#include "model/document.h"
#include "views/plan_view.h"
#include "views/result_chooser_dialog.h"
#include "views/result_table_dialog.h"

namespace {

const QString kStart = QStringLiteral("데이터의 시작 지점입니다.");
const QString kEnd = QStringLiteral("데이터의 마지막 지점입니다.");

// n receivers at (i, 2i, 1.5) with every band at 60 dB except band k at 60 + k; the
// document counts as calculated.
void MakeResults(CMyTalvoDoc& doc, int n)
{
    doc.m_arrReceiver.clear();
    for (int i = 0; i < n; ++i) {
        CReceiverPoint r;
        r.SetPosition(i, 2.0 * i, 1.5);
        for (int k = 0; k < 8; ++k)
            r.m_dLevel[static_cast<std::size_t>(k)] = 60.0 + k;
        doc.m_arrReceiver.push_back(r);
    }
    doc.m_nCalculatedInFile = 1;
}

int FilledRows(const CResultDlg& table)
{
    int rows = 0;
    while (rows < CResultDlg::kRows && !table.CellText(rows, 0).isEmpty())
        ++rows;
    return rows;
}

}  // namespace

class TestResultDisplay : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UseTemporarySettings(); }
    void refusedWithoutResults();
    void chooserShowsBandThreeAndRemoves();
    void tableLayout();
    void pagingWith250Receivers();
    void pagingWith100And200Receivers();
    void secondTableRefusedAndCloseResetsPage();
    void clipboardTextForThreeReceivers();
};

void TestResultDisplay::refusedWithoutResults()
{
    CRecordingMessageBox boxes;
    CMyTalvoDoc doc;
    CPlan_View view(&doc);
    bool chooserShown = false;
    view.SetModalRunner([&chooserShown](QDialog&) {
        chooserShown = true;
        return 0;
    });
    view.OnResultDisplay();
    view.OnResultChart();
    QCOMPARE(boxes.m_infos, QStringList(2, QStringLiteral("소음해석을 먼저 수행하세요.")));
    QVERIFY(!view.ResultTable());
    QVERIFY(!chooserShown);
}

void TestResultDisplay::chooserShowsBandThreeAndRemoves()
{
    CRecordingMessageBox boxes;
    CMyTalvoDoc doc;
    MakeResults(doc, 2);
    CPlan_View view(&doc);
    int offered = -1;
    QString title, third;
    view.SetModalRunner([&](QDialog& dialog) {
        auto& chooser = static_cast<CResultWindow&>(dialog);
        offered = chooser.Band();
        title = chooser.windowTitle();
        third = chooser.BandList()->itemText(3);
        chooser.BandList()->setCurrentIndex(3);
        chooser.ShowButton()->click();
        return chooser.result();
    });
    view.OnResultDisplay();
    QCOMPARE(offered, 0);
    QCOMPARE(title, QStringLiteral("화면 출력/제거"));
    QCOMPARE(third, QStringLiteral("250 Hz"));
    QVERIFY(view.IsShowingResults());
    QCOMPARE(view.resultDisplay().m_nResultBand, 3);

    // "출력 제거" switches the labels off and empties the picked grid points.
    view.SetModalRunner([](QDialog& dialog) {
        static_cast<CResultWindow&>(dialog).RemoveButton()->click();
        return dialog.result();
    });
    view.OnResultDisplay();
    QVERIFY(!view.IsShowingResults());
    QCOMPARE(view.pickedPoints().Count(), std::size_t(0));
    QVERIFY(boxes.m_infos.isEmpty());
}

void TestResultDisplay::tableLayout()
{
    CResultDlg table;
    QCOMPARE(table.windowTitle(), QStringLiteral("소음해석결과"));
    QCOMPARE(table.Grid()->rowCount(), 100);
    QCOMPARE(table.Grid()->columnCount(), 13);
    QCOMPARE(table.Grid()->horizontalHeaderItem(0)->text(), QStringLiteral("ID"));
    QCOMPARE(table.Grid()->horizontalHeaderItem(4)->text(), QStringLiteral("63 Hz"));
    QCOMPARE(table.Grid()->horizontalHeaderItem(11)->text(), QStringLiteral("8K Hz"));
    // The table lists receivers, and says so above their positions.
    QStringList titles;
    for (const QLabel* label : table.findChildren<QLabel*>())
        titles << label->text();
    QVERIFY(titles.contains(QStringLiteral("수음점 ID 및 위치 정보")));
    // Every column shows its numbers and its heading whole at the default size.
    const QFontMetrics metrics(table.Grid()->font());
    const QFontMetrics headerMetrics(table.Grid()->horizontalHeader()->font());
    constexpr int kCellPadding = 8;
    for (int column = 1; column < 13; ++column) {
        const QString widest = column < 4 ? QStringLiteral("99999.99") : QStringLiteral("100.00");
        const int header = headerMetrics.horizontalAdvance(table.Grid()->horizontalHeaderItem(column)->text());
        QVERIFY2(
            table.Grid()->columnWidth(column) >= std::max(metrics.horizontalAdvance(widest), header) + kCellPadding,
            qPrintable(QString::number(column)));
    }
    CReceiverPoint receiver;
    receiver.SetPosition(1, 2, 1.5);
    table.FillRow(receiver, 0, 0);
    QCOMPARE(table.Grid()->item(0, 1)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));
    // The size and widths the user leaves are there next time.
    table.Grid()->setColumnWidth(4, 90);
    table.resize(1000, 600);
    table.show();
    table.hide();
    CResultDlg next;
    QCOMPARE(next.Grid()->columnWidth(4), 90);
    QCOMPARE(next.size(), QSize(1000, 600));
    QCOMPARE(table.PreviousButton()->text(), QStringLiteral("<< 이전 100개의 수음점 정보"));
    QCOMPARE(table.NextButton()->text(), QStringLiteral("다음 100개의 수음점 정보 >>"));
}

void TestResultDisplay::pagingWith250Receivers()
{
    CRecordingMessageBox boxes;
    CMyTalvoDoc doc;
    MakeResults(doc, 250);
    CPlan_View view(&doc);
    view.OnResultChart();
    CResultDlg* table = view.ResultTable();
    QVERIFY(table);
    QCOMPARE(FilledRows(*table), 100);
    QCOMPARE(table->CellText(0, 0), QStringLiteral("1"));
    QCOMPARE(table->CellText(0, 3), QStringLiteral("1.50"));
    QCOMPARE(table->CellText(0, 12), QStringLiteral("73.12"));  // 10 lg(10^6 x 20.506): bands 60 .. 67 dB

    // The buttons lead only where there are receivers; a request past either end is
    // still answered with its message.
    QVERIFY(!table->PreviousButton()->isEnabled());
    QVERIFY(table->NextButton()->isEnabled());
    view.OnResultTableRequest(CResultDlg::kPrevious);
    QCOMPARE(boxes.m_infos, QStringList{kStart});
    QCOMPARE(view.ResultPage(), 0);

    table->NextButton()->click();
    QVERIFY(table->PreviousButton()->isEnabled() && table->NextButton()->isEnabled());
    table->NextButton()->click();
    QCOMPARE(view.ResultPage(), 200);
    QCOMPARE(FilledRows(*table), 50);
    QCOMPARE(table->CellText(0, 0), QStringLiteral("201"));
    QCOMPARE(table->CellText(49, 1), QStringLiteral("249.00"));
    QVERIFY(!table->NextButton()->isEnabled());

    view.OnResultTableRequest(CResultDlg::kNext);
    QCOMPARE(boxes.m_infos.last(), kEnd);
    QCOMPARE(view.ResultPage(), 200);
    QCOMPARE(FilledRows(*table), 50);

    table->PreviousButton()->click();
    QCOMPARE(view.ResultPage(), 100);
    QCOMPARE(table->CellText(0, 0), QStringLiteral("101"));
    QCOMPARE(boxes.m_infos.size(), 2);
}

void TestResultDisplay::pagingWith100And200Receivers()
{
    CRecordingMessageBox boxes;
    CMyTalvoDoc doc;
    MakeResults(doc, 100);
    {
        CPlan_View view(&doc);
        view.OnResultChart();
        QCOMPARE(FilledRows(*view.ResultTable()), 100);
        // One full page: no button leads anywhere. The request itself keeps its old
        // answer: N < 200 is false, so an empty page.
        QVERIFY(!view.ResultTable()->NextButton()->isEnabled());
        QVERIFY(!view.ResultTable()->PreviousButton()->isEnabled());
        view.OnResultTableRequest(CResultDlg::kNext);
        QCOMPARE(view.ResultPage(), 100);
        QCOMPARE(FilledRows(*view.ResultTable()), 0);
        QVERIFY(boxes.m_infos.isEmpty());
        view.OnResultTableRequest(CResultDlg::kNext);
        QCOMPARE(boxes.m_infos, QStringList{kEnd});
    }
    boxes.m_infos.clear();
    MakeResults(doc, 200);
    CPlan_View view(&doc);
    view.OnResultChart();
    view.ResultTable()->NextButton()->click();
    QCOMPARE(FilledRows(*view.ResultTable()), 100);
    QVERIFY(!view.ResultTable()->NextButton()->isEnabled());  // receivers 101 .. 200 are the last
    view.OnResultTableRequest(CResultDlg::kNext);
    QCOMPARE(view.ResultPage(), 200);
    QCOMPARE(FilledRows(*view.ResultTable()), 0);
    QVERIFY(boxes.m_infos.isEmpty());
}

void TestResultDisplay::secondTableRefusedAndCloseResetsPage()
{
    CRecordingMessageBox boxes;
    CMyTalvoDoc doc;
    MakeResults(doc, 150);
    CPlan_View view(&doc);
    CModelWindows viewWindows(&doc, &view);
    view.OnResultChart();
    CResultDlg* first = view.ResultTable();
    first->NextButton()->click();
    view.OnResultChart();
    QCOMPARE(boxes.m_infos, QStringList{QStringLiteral("소음예측 결과창이 이미 열려 있습니다.")});
    QCOMPARE(view.ResultTable(), first);

    // While the table is open, results count as shown: model input is refused.
    viewWindows.OnInputRoad();
    QCOMPARE(boxes.m_questions, QStringList{QString::fromUtf8(kMsgRemoveResults)});
    QVERIFY(view.ResultTable());

    QTest::keyClick(first, Qt::Key_Escape);  // Escape closes through the view as "확인" does
    QVERIFY(!view.ResultTable());
    QCOMPARE(view.ResultPage(), 0);
    view.OnResultChart();
    QVERIFY(view.ResultTable());
    QCOMPARE(view.ResultTable()->CellText(0, 0), QStringLiteral("1"));
    view.ResultTable()->CloseButton()->click();
    QVERIFY(!view.ResultTable());
}

void TestResultDisplay::clipboardTextForThreeReceivers()
{
    CMyTalvoDoc doc;
    MakeResults(doc, 3);
    doc.m_arrReceiver[2].m_dLevel[7] = kNoEnergy;
    CPlan_View view(&doc);
    view.OnResultChart();
    CResultDlg* table = view.ResultTable();
    const QString expected = QStringLiteral(
        "ID\tX(m)\tY(m)\tZ(m)\t63\t125\t250\t500\t1K\t2K\t4K\t8K\tOverall\n"
        "1\t0.00\t0.00\t1.50\t60.00\t61.00\t62.00\t63.00\t64.00\t65.00\t66.00\t67.00\t73.12\n"
        "2\t1.00\t2.00\t1.50\t60.00\t61.00\t62.00\t63.00\t64.00\t65.00\t66.00\t67.00\t73.12\n"
        "3\t2.00\t4.00\t1.50\t60.00\t61.00\t62.00\t63.00\t64.00\t65.00\t66.00\t-\t71.90\n");
    QCOMPARE(table->TableText(), expected);

    QApplication::clipboard()->clear();
    table->Grid()->setFocus();
    const QList<QAction*> menu = table->Grid()->actions();
    QCOMPARE(menu.size(), 1);
    QCOMPARE(menu[0]->shortcut(), QKeySequence(QKeySequence::Copy));
    menu[0]->trigger();
    QCOMPARE(QApplication::clipboard()->text(), expected);
    QApplication::clipboard()->clear();
    table->CopyButton()->click();  // the table's own button
    QCOMPARE(QApplication::clipboard()->text(), expected);
}

QTEST_MAIN(TestResultDisplay)
#include "test_result_display.moc"
