// The receiver input window driven through its widgets, with the commit question asked
// by its owner and the equal-spacing line.

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>

#include "app/input_window_coordinator.h"
#include "dialogs/receiver_input_dialog.h"
#include "dialogs/same_receiver_step_dialog.h"
#include "helpers/input_test_support.h"
#include "helpers/input_window_fixture.h"
#include "model/document.h"

using namespace inputtest;
using Window = CInput_Receiver_Point;

namespace {

CReceiverPoint Receiver(double x, double y, double z)
{
    CReceiverPoint r;
    r.SetPosition(x, y, z);
    r.SetGroundFactors(1, 1);
    return r;
}

}  // namespace

class TestReceiverInput : public QObject, protected CInputWindowFixture {
    Q_OBJECT

private:
    Window* Open()
    {
        m_coordinator->OpenReceiverInput();
        return m_coordinator->ReceiverWindow();
    }
    Window* W() { return m_coordinator->ReceiverWindow(); }
    void Fill(const QString& id, double x, double y, double z)
    {
        SetText(W()->IdField(), id);
        SetNumber(W()->ValueField(Window::kColX), x);
        SetNumber(W()->ValueField(Window::kColY), y);
        SetNumber(W()->ValueField(Window::kColZ), z);
    }
    void Store(const QString& id, double x, double y, double z)
    {
        Fill(id, x, y, z);
        Click(W()->ApplyButton());
    }
    QString CellText(int row, int column) { return W()->Table()->item(row, column)->text(); }
    // The equal-spacing form answered with a line along X at height 1.2.
    void RunEqualSpacing(double endX, const QString& spacing)
    {
        W()->SetModalRunner([endX, spacing](QDialog& form) {
            auto& step = dynamic_cast<CSameReceiverStep&>(form);
            step.StartField(2)->setText("1.2");
            step.EndField(0)->setText(QString::number(endX));
            step.EndField(2)->setText("1.2");
            step.SpacingField()->setText(spacing);
            step.accept();
            return step.result();
        });
        W()->EqualSpacingAction()->trigger();
    }

private slots:
    void init() { SetUpInputWindows(); }
    void cleanup() { TearDownInputWindows(); }

    void opensWithTheDocumentsReceivers()
    {
        m_doc.m_arrReceiver = {Receiver(1.234, 2, 3), Receiver(4, 5, 6)};
        Open();
        QCOMPARE(W()->Table()->rowCount(), 2);
        QCOMPARE(CellText(0, Window::kColId), QString("1"));
        QCOMPARE(CellText(0, Window::kColX), QString("1.23"));
        QCOMPARE(CellText(1, Window::kColArea), QString("1.00"));
        QCOMPARE(W()->IdField()->text(), QString("NEW"));
        QCOMPARE(W()->ValueField(Window::kColGround)->text(), QString("1"));
    }

    void receiversNearTheOriginAskFirst()
    {
        Open();
        m_boxes->m_answers = {QMessageBox::No};
        Store("NEW", 0.4, -0.7, 0.9);
        QCOMPARE(m_boxes->m_questions, QStringList({kMsgZeroReceiver}));
        QCOMPARE(W()->Table()->rowCount(), 0);
        Store("NEW", 1, 0, 0);
        QCOMPARE(m_boxes->m_questions.size(), 1);
        QCOMPARE(W()->Table()->rowCount(), 1);
        Store("NEW", 0, 0, 0.5);  // Yes
        QCOMPARE(W()->Table()->rowCount(), 2);
    }

    void duplicatesAreRefusedButARowMayKeepItsPlace()
    {
        Open();
        Store("NEW", 10, 20, 1.2);
        Store("NEW", 10, 20, 1.2);
        QCOMPARE(m_boxes->m_texts, QStringList({kMsgDuplicateReceiver}));
        QCOMPARE(W()->Table()->rowCount(), 1);
        Store("1", 10, 20, 1.2);
        QCOMPARE(m_boxes->m_texts.size(), 1);
        QCOMPARE(W()->IdField()->text(), QString("NEW"));
    }

    void aClickedRowIsEditedInPlace()
    {
        m_doc.m_arrReceiver = {Receiver(1, 2, 3), Receiver(4, 5, 6)};
        Open();
        emit W()->Table()->cellClicked(1, 2);
        QCOMPARE(W()->IdField()->text(), QString("2"));
        QCOMPARE(W()->ValueField(Window::kColY)->text(), QString("5.00"));
        QCOMPARE(m_coordinator->HighlightedReceiver(), 1);
        SetText(W()->ValueField(Window::kColZ), "7.5");
        Click(W()->ApplyButton());
        QCOMPARE(CellText(1, Window::kColZ), QString("7.50"));
        QCOMPARE(W()->WorkingList()[1].m_dZ, 7.5);
    }

    void anIdNamingNoRowIsRefused()
    {
        m_doc.m_arrReceiver = {Receiver(1, 2, 3)};
        Open();
        Store("2", 5, 5, 5);
        Store("abc", 5, 5, 5);
        Fill("0", 5, 5, 5);
        Click(W()->DeleteButton());
        const QString refusal = "ID에는 \"NEW\" 또는 1에서 1 사이의 번호를 입력하십시오.";
        QCOMPARE(m_boxes->m_texts, QStringList({refusal, refusal, refusal}));
        QCOMPARE(W()->Table()->rowCount(), 1);
    }

    void deletingRowTwoOfFourRenumbers()
    {
        m_doc.m_arrReceiver = {Receiver(1, 0, 0), Receiver(2, 0, 0), Receiver(3, 0, 0), Receiver(4, 0, 0)};
        Open();
        QSignalSpy repaint(m_coordinator.get(), &CInputWindowCoordinator::RepaintViews);
        SetText(W()->IdField(), "2");
        Click(W()->DeleteButton());
        QVERIFY(repaint.count() >= 1);
        QCOMPARE(W()->Table()->rowCount(), 3);
        QCOMPARE(CellText(1, Window::kColId), QString("2"));
        QCOMPARE(CellText(1, Window::kColX), QString("3.00"));
        QCOMPARE(CellText(2, Window::kColId), QString("3"));
        QCOMPARE(W()->IdField()->text(), QString("NEW"));
        QCOMPARE(m_doc.m_arrReceiver.size(), std::size_t(4));
    }

    void equalSpacingAppendsTheLineAndItsEnd()
    {
        Open();
        SetText(W()->ValueField(Window::kColGround), "0.5");
        RunEqualSpacing(10, "3");
        QCOMPARE(W()->Table()->rowCount(), 5);
        const QStringList xs = {"0.00", "3.00", "6.00", "9.00", "10.00"};
        for (int row = 0; row < 5; ++row) {
            QCOMPARE(CellText(row, Window::kColX), xs[row]);
            QCOMPARE(CellText(row, Window::kColZ), QString("1.20"));
            QCOMPARE(CellText(row, Window::kColGround), QString("0.50"));
            QCOMPARE(CellText(row, Window::kColId), QString::number(row + 1));
        }
        QVERIFY(m_boxes->m_texts.isEmpty());
    }

    void equalSpacingWithoutSpacingAddsNothing()
    {
        Open();
        RunEqualSpacing(10, "0");
        QCOMPARE(W()->Table()->rowCount(), 0);
        RunEqualSpacing(10, "-2");
        RunEqualSpacing(1e6, "0.001");
        QCOMPARE(m_boxes->m_texts, QStringList({kMsgNegativeSpacing, kMsgTooManyReceivers}));
        QCOMPARE(W()->Table()->rowCount(), 0);
    }

    void okAsksAndYesReplacesTheDocument()
    {
        m_doc.m_arrReceiver = {Receiver(1.234567, 2, 3)};
        Open();
        Store("NEW", 10, 20, 1.2);
        Fill("NEW", 10, 20, 1.2);  // refused as a duplicate, the question still comes
        Click(W()->OkButton());
        QCOMPARE(m_boxes->m_texts, QStringList({kMsgDuplicateReceiver, kMsgCommitReceivers}));
        QVERIFY(W() == nullptr);
        QCOMPARE(m_doc.m_arrReceiver.size(), std::size_t(2));
        QCOMPARE(m_doc.m_arrReceiver[0].m_dX, 1.234567);  // rows not edited keep full precision
        QCOMPARE(m_doc.m_arrReceiver[1].m_dZ, 1.2);
        QVERIFY(m_doc.m_bModified);
    }

    void okAnsweredNoClosesWithoutChange()
    {
        m_doc.m_arrReceiver = {Receiver(1, 2, 3)};
        Open();
        m_boxes->m_answers = {QMessageBox::No, QMessageBox::No};  // the origin, then the commit
        Click(W()->OkButton());
        QCOMPARE(m_boxes->m_questions, QStringList({kMsgZeroReceiver, kMsgCommitReceivers}));
        QVERIFY(W() == nullptr);
        QCOMPARE(m_doc.m_arrReceiver.size(), std::size_t(1));
        QVERIFY(!m_doc.m_bModified);
    }

    void cancelAfterStoresLeavesTheDocument()
    {
        m_doc.m_arrReceiver = {Receiver(1, 2, 3)};
        Open();
        Store("NEW", 5, 5, 5);
        Store("1", 6, 6, 6);
        QTest::keyClick(W(), Qt::Key_Escape);
        QVERIFY(W() != nullptr);
        Click(W()->CancelButton());
        QVERIFY(W() == nullptr);
        QCOMPARE(m_doc.m_arrReceiver.size(), std::size_t(1));
        QCOMPARE(m_doc.m_arrReceiver[0].m_dX, 1.0);
    }

    void targetsAndZonesAreEditedInTheirCellsAndKeepTheResults()
    {
        m_doc.m_arrReceiver = {Receiver(1, 2, 3)};
        m_doc.m_nCalculatedInFile = 1;
        Open();
        QTableWidgetItem* target = W()->Table()->item(0, Window::kColTarget);
        QVERIFY(target->flags() & Qt::ItemIsEditable);
        QVERIFY(!(W()->Table()->item(0, Window::kColX)->flags() & Qt::ItemIsEditable));
        target->setText("62,5");
        QCOMPARE(m_boxes->m_texts, QStringList({kMsgBadTarget}));
        QCOMPARE(CellText(0, Window::kColTarget), QString());  // the refused text does not stay
        W()->Table()->item(0, Window::kColTarget)->setText(" 62.5");
        W()->Table()->item(0, Window::kColZone)->setText("나");
        QCOMPARE(CellText(0, Window::kColTarget), QString("62.50"));
        m_boxes->m_answers = {QMessageBox::No, QMessageBox::Yes};  // not the origin; commit
        Click(W()->OkButton());
        QCOMPARE(m_doc.m_arrReceiver[0].m_dTargetLevel, 62.5);
        QCOMPARE(m_doc.m_arrReceiver[0].m_strZone, std::string("나"));
        QVERIFY(m_doc.m_bModified);
        QVERIFY(m_doc.HasCurrentResults());  // what judges the levels changed, not the levels

        Open();
        W()->Table()->item(0, Window::kColTarget)->setText("");
        Store("1", 1, 2, 4);
        m_boxes->m_answers = {QMessageBox::No, QMessageBox::Yes};
        Click(W()->OkButton());
        QCOMPARE(m_doc.m_arrReceiver[0].m_dTargetLevel, 0.0);
        QVERIFY(!m_doc.HasCurrentResults());
    }

    void openingTwiceSaysSo()
    {
        Window* first = Open();
        Fill("NEW", 3, 3, 3);
        Open();
        QCOMPARE(m_boxes->m_texts, QStringList({kMsgReceiverWindowOpen}));
        QCOMPARE(W(), first);
        QCOMPARE(W()->ValueField(Window::kColX)->text(), QString("3"));
    }
};

QTEST_MAIN(TestReceiverInput)
#include "test_receiver_input.moc"
