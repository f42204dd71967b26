// The barrier window driven through its widgets: duplicates, the absorption presets, the
// exclusion selector, how an exclusion follows its barriers and that it holds for every
// calculation until released.

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include <vector>

#include "app/input_window_coordinator.h"
#include "dialogs/absorption_preset_dialog.h"
#include "dialogs/band_row_widget.h"
#include "dialogs/barrier_exclusion_dialog.h"
#include "dialogs/barrier_input_dialog.h"
#include "dialogs/barrier_list_table.h"
#include "engine/calculation.h"
#include "helpers/input_test_support.h"
#include "helpers/input_window_fixture.h"
#include "model/document.h"

using namespace inputtest;

namespace {

constexpr double kLevelTol = 0.01;

struct CEnds {
    double sx, sy, ex, ey, height;
};

// Selects the given rows of a list (and only those).
void SelectRows(QListWidget* list, const std::vector<int>& rows)
{
    list->clearSelection();
    for (int row : rows)
        list->item(row)->setSelected(true);
}

CBarrier_Stage Barrier(const CEnds& e)
{
    CBarrier_Stage b;
    b.SetGeometry(e.sx, e.sy, e.ex, e.ey, e.height, 0);
    b.m_pKey = b.MakeIdentity();
    b.ComputeAngle();
    return b;
}

// "->" on the given rows of the selector's left list, then "적용".
// The rows are copied: an initializer list only borrows its array, which ends with the call.
std::function<int(CalcSelectorDlg&)> Choose(std::vector<int> rows)
{
    return [rows = std::move(rows)](CalcSelectorDlg& selector) {
        SelectRows(selector.AllList(), rows);
        Click(selector.MarkButton());
        Click(selector.ApplyButton());
        return selector.result();
    };
}

QString CalculationCell(const CBarrier_Design_Dlg* window, int row)
{
    const QTableWidgetItem* item = window->Form().m_pList->item(row, CBarrierListTable::kCalculation);
    return item ? item->text() : QString();
}

CRoad LongRoad()
{
    CRoad road;
    road.SetGeometry(-200, 0, 200, 0, 0.5, 0.5, 14, 400, 40);
    road.ComputeAngle();
    road.m_dUserPowerLevel.fill(110);
    return road;
}

}  // namespace

class TestBarrierInput : public QObject, protected CInputWindowFixture {
    Q_OBJECT

private:
    // What the selector does when "고르기" opens it; its result is the dialog's.
    std::function<int(CalcSelectorDlg&)> m_selector;

    const CBarrierFormWidgets& Open()
    {
        m_coordinator->OpenBarrierInput();
        return m_coordinator->BarrierWindow()->Form();
    }
    const std::vector<CBarrier_Stage>& Working() { return m_coordinator->BarrierWindow()->WorkingList(); }
    void StoreNew(const CEnds& e)
    {
        const auto& form = m_coordinator->BarrierWindow()->Form();
        Click(form.m_pCopy);
        SetNumber(form.m_pStartX, e.sx);
        SetNumber(form.m_pStartY, e.sy);
        SetNumber(form.m_pEndX, e.ex);
        SetNumber(form.m_pEndY, e.ey);
        SetNumber(form.m_pHeight, e.height);
        Click(form.m_pApply);
    }

private slots:
    void init()
    {
        SetUpInputWindows();
        m_selector = [](CalcSelectorDlg&) { return int(QDialog::Rejected); };
        m_coordinator->SetModalRunner([this](QDialog& dialog) {
            auto* selector = qobject_cast<CalcSelectorDlg*>(&dialog);
            return selector ? m_selector(*selector) : int(QDialog::Rejected);
        });
    }
    void cleanup() { TearDownInputWindows(); }

    void sameEndsEitherWayAreDuplicates()
    {
        const auto& form = Open();
        QCOMPARE(form.m_pDescription->text(), QStringLiteral("방음벽의 설명을 입력하세요"));
        QCOMPARE(form.m_pAbsorption->CellText(0), QStringLiteral("0.000"));
        StoreNew({0, 0, 10, 0, 3});
        StoreNew({10, 0, 0, 0, 5});
        StoreNew({0.001, 0, 10.004, 0, 3});
        StoreNew({0, 0, 0, 0, 4});  // all four coordinates zero: silently nothing
        QCOMPARE(m_boxes->m_texts, QStringList(2, kMsgDuplicateBarrier));
        QCOMPARE(Working().size(), std::size_t(1));
        QCOMPARE(Working()[0].m_pKey, std::string("0.000.0010.000.00"));
    }

    void deletingTheFirstOfTwoLeavesTheOtherAsIdOne()
    {
        const auto& form = Open();
        StoreNew({0, 0, 10, 0, 3});
        StoreNew({0, 5, 10, 5, 4});
        form.m_pId->setCurrentIndex(1);
        Click(form.m_pDelete);
        QCOMPARE(Working().size(), std::size_t(1));
        QCOMPARE(form.m_pId->count(), 2);
        QCOMPARE(form.m_pId->currentText(), QStringLiteral("NEW"));
        form.m_pId->setCurrentIndex(1);
        QCOMPARE(form.m_pHeight->text(), QStringLiteral("4.00"));
    }

    void aluminiumPresetIsStoredAndReloadedWithThreeDecimals()
    {
        const auto& form = Open();
        QVERIFY(m_coordinator->BarrierWindow()->PresetPicker() == nullptr);
        Click(form.m_pAbsorption->ToggleButton());
        PresetDataDlg* picker = m_coordinator->BarrierWindow()->PresetPicker();
        QVERIFY(picker != nullptr);
        QVERIFY(!form.m_pOk->isEnabled() && !form.m_pExclude->isEnabled() && !form.m_pId->isEnabled());
        QCOMPARE(picker->Lines()->item(1)->text(),
                 QStringLiteral(" 0.150  ||  0.270  ||  0.900  ||  0.990  ||  0.870  ||  0.683  ||  0.570  ||  0.400"));
        picker->Choose(1);
        QCOMPARE(form.m_pAbsorption->EditBox(5)->text(), QStringLiteral("0.683000"));
        Click(form.m_pAbsorption->ToggleButton());
        QVERIFY(m_coordinator->BarrierWindow()->PresetPicker() == nullptr);
        QVERIFY(form.m_pOk->isEnabled());
        StoreNew({0, 0, 10, 0, 3});
        const Bands aluminium = {0.15, 0.27, 0.9, 0.99, 0.87, 0.683, 0.57, 0.4};
        QCOMPARE(Working().at(0).m_dAbsorption, aluminium);
        form.m_pId->setCurrentIndex(0);
        form.m_pId->setCurrentIndex(1);
        QCOMPARE(form.m_pAbsorption->CellText(5), QStringLiteral("0.683"));
        QCOMPARE(form.m_pAbsorption->CellText(0), QStringLiteral("0.150"));
    }

    void commitKeepsBothDescriptionsAndTheAttenuator()
    {
        const auto& form = Open();
        form.m_pAttenuator->setCurrentIndex(10);
        form.m_pAbsorptionDesc->setText(QStringLiteral("흡음형"));
        SetNumber(form.m_pEndX, 20);
        Click(form.m_pOk);
        QVERIFY(m_coordinator->BarrierWindow() == nullptr);
        QCOMPARE(m_doc.m_arrBarrier.size(), std::size_t(1));
        QCOMPARE(m_doc.m_arrBarrier[0].m_nAttenuator, 10);
        QCOMPARE(m_doc.m_arrBarrier[0].m_pAbsorptionDesc, std::string("흡음형"));
        QCOMPARE(m_doc.m_arrBarrier[0].m_pDescription, std::string(kDefaultBarrierDescription));
    }

    void secondCommandSaysTheWindowIsOpen()
    {
        Open();
        auto* first = m_coordinator->BarrierWindow();
        Open();
        QCOMPARE(m_coordinator->BarrierWindow(), first);
        QCOMPARE(m_boxes->m_texts, QStringList({kMsgBarrierWindowOpen}));
    }

    void selectorLinesCutCoordinatesToWholeMetres()
    {
        CBarrier_Stage b;
        b.SetGeometry(10.9, -10.9, 150, 15, 5, 0);
        QCOMPARE(ExclusionLine(0, b), QStringLiteral("ID:1 , x시작:10 , y시작:-10 , x끝:150 , y끝:15 , 높이:5.000000"));
    }

    void markingTwiceKeepsABarrierOnceInMarkingOrder()
    {
        m_doc.m_arrBarrier = {Barrier({0, 0, 10, 0, 3}), Barrier({0, 5, 10, 5, 4}), Barrier({0, 9, 10, 9, 4})};
        const auto& form = Open();
        m_selector = [](CalcSelectorDlg& selector) {
            SelectRows(selector.AllList(), {2});
            Click(selector.MarkButton());
            SelectRows(selector.AllList(), {0, 2});
            Click(selector.MarkButton());
            SelectRows(selector.AllList(), {1});
            Click(selector.MarkButton());
            SelectRows(selector.ExcludedList(), {2});  // barrier 2 (position 1)
            Click(selector.UnmarkButton());
            if (selector.ExcludedList()->count() != 2)
                return int(QDialog::Rejected);
            Click(selector.ApplyButton());
            return selector.result();
        };
        Click(form.m_pExclude);
        QCOMPARE(m_doc.m_arrExcludedBarrier, std::vector<int>({2, 0}));
    }

    void reopenedSelectorStartsWithoutMarksAndOnlyApplyWrites()
    {
        m_doc.m_arrBarrier = {Barrier({0, 0, 10, 0, 3})};
        const auto& form = Open();
        m_selector = Choose({0});
        Click(form.m_pExclude);
        QCOMPARE(m_doc.m_arrExcludedBarrier, std::vector<int>({0}));
        m_selector = [](CalcSelectorDlg&) { return int(QDialog::Rejected); };
        Click(form.m_pExclude);
        QCOMPARE(m_doc.m_arrExcludedBarrier, std::vector<int>({0}));
        int shownMarked = -1;
        m_selector = [&shownMarked](CalcSelectorDlg& selector) {
            shownMarked = selector.ExcludedList()->count();
            Click(selector.ApplyButton());
            return selector.result();
        };
        Click(form.m_pExclude);
        QCOMPARE(shownMarked, 0);
        QVERIFY(m_doc.m_arrExcludedBarrier.empty());
    }

    void atMostFiftyAreMarkedAtATime()
    {
        std::vector<int> sixty(60);
        for (int i = 0; i < 60; ++i)
            sixty[static_cast<std::size_t>(i)] = i;
        CBarrierMarks marks(60);
        marks.Mark(sixty);
        QCOMPARE(marks.Marked().size(), std::size_t(50));
        marks.Mark(sixty);  // the first fifty selected are all marked already
        QCOMPARE(marks.Marked().size(), std::size_t(50));
        marks.Mark(std::vector<int>(sixty.begin() + 45, sixty.end()));
        QCOMPARE(marks.Marked().size(), std::size_t(60));
        marks.Unmark({0, 59, 77});
        QCOMPARE(marks.Marked().size(), std::size_t(58));
        QCOMPARE(marks.Marked().front(), 1);
    }

    void excludedBarrierStaysLeftOutUntilReleased()
    {
        m_doc.m_arrRoad.push_back(LongRoad());
        CReceiverPoint receiver;
        receiver.SetPosition(0, 60, 1.5);
        m_doc.m_arrReceiver.push_back(receiver);
        CMyTalvoDoc open = m_doc;
        Calculate(open);
        const double openLevel = open.m_arrReceiver[0].m_dLevel[4];

        m_doc.m_arrBarrier = {Barrier({-150, 15, 150, 15, 5})};
        QSignalSpy steps(m_coordinator.get(), &CInputWindowCoordinator::ModelCommitted);
        QVERIFY(!Open().m_pRelease->isEnabled());
        m_selector = Choose({0});
        Click(m_coordinator->BarrierWindow()->Form().m_pExclude);
        QVERIFY(m_coordinator->BarrierWindow()->Form().m_pRelease->isEnabled());
        Click(m_coordinator->BarrierWindow()->Form().m_pCancel);
        QCOMPARE(m_doc.m_arrExcludedBarrier, std::vector<int>{0});
        for (int run = 0; run < 2; ++run) {
            Calculate(m_doc);
            QCOMPARE(m_doc.m_arrExcludedBarrier, std::vector<int>{0});
            QVERIFY(std::abs(m_doc.m_arrReceiver[0].m_dLevel[4] - openLevel) < kLevelTol);
        }

        Click(Open().m_pRelease);
        QVERIFY(m_doc.m_arrExcludedBarrier.empty());
        QVERIFY(!m_coordinator->BarrierWindow()->Form().m_pRelease->isEnabled());
        QCOMPARE(steps.count(), 2);
        QCOMPARE(steps[0][0].toString(), QStringLiteral("방음벽 1 제외"));
        QCOMPARE(steps[1][0].toString(), QStringLiteral("방음벽 제외 해제"));
        Calculate(m_doc);
        QVERIFY(m_doc.m_arrReceiver[0].m_dLevel[4] < openLevel - 5.0);  // a 5 m wall screens
    }

    // Positions shift when a barrier before an excluded one is deleted; the exclusion stays
    // with its barrier in the table, in the views and in the document after "확인", and a
    // barrier chosen before its first commit is excluded from then on.
    void exclusionFollowsItsBarrierThroughDeletionAndCommit()
    {
        m_doc.m_arrBarrier = {Barrier({0, 0, 10, 0, 3}), Barrier({0, 5, 10, 5, 4})};
        const auto& form = Open();
        m_selector = Choose({1});
        Click(form.m_pExclude);
        CBarrier_Design_Dlg* window = m_coordinator->BarrierWindow();
        QCOMPARE(CalculationCell(window, 0), QString());
        QCOMPARE(CalculationCell(window, 1), QStringLiteral("제외"));

        form.m_pId->setCurrentIndex(1);
        Click(form.m_pDelete);
        QCOMPARE(form.m_pList->rowCount(), 1);
        QCOMPARE(CalculationCell(window, 0), QStringLiteral("제외"));
        const CWorkingLists drawn = m_coordinator->WorkingLists();
        QVERIFY(drawn.pExcludedBarriers && *drawn.pExcludedBarriers == std::vector<bool>{true});

        StoreNew({0, 9, 10, 9, 4});
        m_selector = Choose({0, 1});
        Click(form.m_pExclude);
        QCOMPARE(m_doc.m_arrExcludedBarrier, std::vector<int>{1});  // the new one is not in the document yet
        Click(form.m_pOk);
        QCOMPARE(m_doc.m_arrBarrier.size(), std::size_t(2));
        QCOMPARE(m_doc.m_arrBarrier[0].m_dStartY, 5.0);
        QCOMPARE(m_doc.m_arrExcludedBarrier, std::vector<int>({0, 1}));
    }
};

QTEST_MAIN(TestBarrierInput)
#include "test_barrier_input.moc"
