// The plan view's coordination of the model input windows: one window per kind, the
// refusal while results are shown, the lists the views draw and their repaints.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "app/input_window_coordinator.h"
#include "app/model_windows.h"
#include "dialogs/receiver_input_dialog.h"
#include "dialogs/road_input_dialog.h"
#include "helpers/input_test_support.h"
#include "helpers/input_window_fixture.h"
#include "model/document.h"
#include "views/plan_view.h"

using namespace inputtest;

class TestInputCoordination : public QObject, protected CInputWindowFixture {
    Q_OBJECT

private:
    bool m_bResultsShown = false;

private slots:
    void init()
    {
        SetUpInputWindows();
        m_bResultsShown = false;
        m_coordinator->SetResultsShownQuery([this] { return m_bResultsShown; });
    }
    void cleanup() { TearDownInputWindows(); }

    void modelInputOverResultsAsksToRemoveThem()
    {
        m_bResultsShown = true;
        int removed = 0;
        m_coordinator->SetResultsRemover([this, &removed] {
            ++removed;
            m_bResultsShown = false;
        });
        m_boxes->m_answers = {QMessageBox::No, QMessageBox::No};
        m_coordinator->OpenRoadInput();
        m_coordinator->OpenReceiverInput();
        QCOMPARE(m_boxes->m_questions, QStringList(2, kMsgRemoveResults));
        QVERIFY(!m_coordinator->IsAnyInputOpen());
        QCOMPARE(removed, 0);
        // "예": the results go, the window opens.
        m_boxes->m_answers = {QMessageBox::Yes};
        m_coordinator->OpenReceiverInput();
        QCOMPARE(removed, 1);
        QVERIFY(m_coordinator->ReceiverWindow() != nullptr);
        QCOMPARE(m_boxes->m_questions.size(), 3);
    }

    void resultsShownLaterLeaveOpenWindowsAlone()
    {
        m_coordinator->OpenRoadInput();
        m_bResultsShown = true;
        Input_Road_dlg* window = m_coordinator->RoadWindow();
        QVERIFY(window != nullptr);
        m_coordinator->OpenRoadInput();
        QCOMPARE(m_coordinator->RoadWindow(), window);
    }

    void openingTheRoadInputTwiceKeepsTheFirst()
    {
        m_coordinator->OpenRoadInput();
        Input_Road_dlg* first = m_coordinator->RoadWindow();
        first->Form().m_pWidth->setText("12");
        m_coordinator->OpenRoadInput();
        QCOMPARE(m_coordinator->RoadWindow(), first);
        QCOMPARE(first->Form().m_pWidth->text(), QString("12"));
        QVERIFY(m_boxes->m_texts.isEmpty());
    }

    void viewsDrawTheOpenWindowsWorkingList()
    {
        CRoad road;
        road.SetGeometry(0, 0, 100, 0, 0, 0, 3.6, 100, 185);
        road.SetKey(road.MakeIdentity());
        m_doc.m_arrRoad = {road};
        QCOMPARE(&m_coordinator->RoadsToDraw(), &m_doc.m_arrRoad);
        QCOMPARE(m_coordinator->HighlightedRoad(), -1);
        m_coordinator->OpenRoadInput();
        Input_Road_dlg* window = m_coordinator->RoadWindow();
        QCOMPARE(&m_coordinator->RoadsToDraw(), &window->WorkingList());
        QSignalSpy repaint(m_coordinator.get(), &CInputWindowCoordinator::RepaintViews);
        window->Form().m_pId->setCurrentIndex(1);  // loading a road redraws with it highlighted
        QCOMPARE(repaint.count(), 1);
        QCOMPARE(m_coordinator->HighlightedRoad(), 0);
        Click(window->Form().m_pCancel);
        QCOMPARE(repaint.count(), 2);
        QCOMPARE(&m_coordinator->RoadsToDraw(), &m_doc.m_arrRoad);
        QCOMPARE(m_coordinator->HighlightedRoad(), -1);
    }

    void everyRoadRequestRepaintsBothViews()
    {
        m_coordinator->OpenRoadInput();
        Input_Road_dlg* window = m_coordinator->RoadWindow();
        QSignalSpy repaint(m_coordinator.get(), &CInputWindowCoordinator::RepaintViews);
        emit window->StoreRequested();
        emit window->DeleteRequested();
        QCOMPARE(repaint.count(), 2);
        QVERIFY(m_doc.m_arrRoad.empty());
        emit window->CommitRequested();
        QCOMPARE(repaint.count(), 3);
        QVERIFY(m_coordinator->RoadWindow() == nullptr);
        QVERIFY(m_doc.m_bModified);
    }

    void windowsOfDifferentKindsOpenTogether()
    {
        m_coordinator->OpenRoadInput();
        m_coordinator->OpenReceiverInput();
        QVERIFY(m_coordinator->RoadWindow() != nullptr);
        QVERIFY(m_coordinator->ReceiverWindow() != nullptr);
        QVERIFY(m_boxes->m_texts.isEmpty());
    }

    void aWindowClosedByItsCloseBoxIsForgotten()
    {
        m_coordinator->OpenReceiverInput();
        QPointer<CInput_Receiver_Point> window = m_coordinator->ReceiverWindow();
        window->close();
        QVERIFY(m_coordinator->ReceiverWindow() == nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.isNull());
        m_coordinator->OpenReceiverInput();
        QVERIFY(m_coordinator->ReceiverWindow() != nullptr);
        QVERIFY(m_boxes->m_texts.isEmpty());
    }

    void replacingTheProjectClosesTheWindowsWithoutCommit()
    {
        m_coordinator->OpenRoadInput();
        m_coordinator->OpenReceiverInput();
        QSignalSpy repaint(m_coordinator.get(), &CInputWindowCoordinator::RepaintViews);
        m_coordinator->CloseAll();
        QVERIFY(!m_coordinator->IsAnyInputOpen());
        QCOMPARE(repaint.count(), 1);
        QCOMPARE(m_coordinator->WorkingLists().pRoads, nullptr);
        QCOMPARE(m_coordinator->WorkingLists().highlightKind, EEntityKind::None);
        QVERIFY(!m_doc.m_bModified);
    }

    void thePlanViewRefusesInputWhileResultLabelsAreOn()
    {
        CPlan_View view(&m_doc);
        CModelWindows viewWindows(&m_doc, &view);
        view.SetResultDisplay(true, 0);
        m_boxes->m_answers = {QMessageBox::No, QMessageBox::No};
        viewWindows.OnInputRoad();
        viewWindows.OnInputReceiver();
        QCOMPARE(m_boxes->m_texts, QStringList(2, kMsgRemoveResults));
        QVERIFY(!viewWindows.InputWindows()->IsAnyInputOpen());
        QVERIFY(view.IsShowingResults());
        viewWindows.OnInputReceiver();  // answered Yes: the labels are removed
        QVERIFY(!view.IsShowingResults());
        QVERIFY(viewWindows.InputWindows()->ReceiverWindow() != nullptr);
    }

    void thePlanViewDrawsTheWorkingListWithTheEditedRoad()
    {
        CPlan_View view(&m_doc);
        CModelWindows viewWindows(&m_doc, &view);
        viewWindows.OnInputRoad();
        viewWindows.OnInputRoad();
        Input_Road_dlg* window = viewWindows.InputWindows()->RoadWindow();
        QVERIFY(window != nullptr);
        QCOMPARE(view.workingLists().pRoads, &window->WorkingList());
        Click(window->Form().m_pCopy);
        window->Form().m_end[0]->setText("100");
        Click(window->Form().m_pApply);
        QCOMPARE(view.workingLists().highlightKind, EEntityKind::Road);
        QCOMPARE(view.workingLists().nHighlight, 0);
        QVERIFY(m_doc.m_arrRoad.empty());
        Click(window->Form().m_pOk);
        QVERIFY(view.workingLists().pRoads == nullptr);
        QCOMPARE(m_doc.m_arrRoad.size(), std::size_t(1));
        QVERIFY(m_boxes->m_texts.isEmpty());
    }
};

QTEST_MAIN(TestInputCoordination)
#include "test_input_coordination.moc"
