// The embankment and cutting windows driven through their widgets, with the coordinator
// carrying out their requests on a document.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include "app/input_window_coordinator.h"
#include "app/model_windows.h"
#include "dialogs/band_row_widget.h"
#include "dialogs/barrier_input_dialog.h"
#include "dialogs/slope_direction_buttons.h"
#include "dialogs/slope_input_dialog.h"
#include "drawing/working_lists.h"
#include "helpers/input_test_support.h"
#include "helpers/input_window_fixture.h"
#include "model/document.h"
#include "views/plan_view.h"

using namespace inputtest;

namespace {

struct CSlopeValues {
    double sx, sy, ex, ey, height, width;
};

void Fill(const CSlopeFormWidgets& form, const CSlopeValues& v)
{
    SetNumber(form.m_pStartX, v.sx);
    SetNumber(form.m_pStartY, v.sy);
    SetNumber(form.m_pEndX, v.ex);
    SetNumber(form.m_pEndY, v.ey);
    SetNumber(form.m_pHeight, v.height);
    SetNumber(form.m_pWidth, v.width);
}

// Copy (a new entity with the shown values), the values, Apply.
void StoreNew(const CSlopeFormWidgets& form, const CSlopeValues& v)
{
    Click(form.m_pCopy);
    Fill(form, v);
    Click(form.m_pApply);
}

QImage Picture(const QToolButton* button)
{
    return button->icon().pixmap(button->iconSize()).toImage().convertToFormat(QImage::Format_RGB32);
}

// Pixels whose colours differ clearly (antialiased edges may differ a little).
int DifferingPixels(const QImage& a, const QImage& b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            if (std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) + std::abs(p.blue() - q.blue()) > 90)
                ++count;
        }
    return count;
}

}  // namespace

class TestSlopeInput : public QObject, protected CInputWindowFixture {
    Q_OBJECT

private:
    CInputSungtoDlg* OpenEmbankments()
    {
        m_coordinator->OpenEmbankmentInput();
        return m_coordinator->EmbankmentWindow();
    }
    CInputJultoDlg* OpenCuttings()
    {
        m_coordinator->OpenCuttingInput();
        return m_coordinator->CuttingWindow();
    }

private slots:
    void init() { SetUpInputWindows(); }
    void cleanup() { TearDownInputWindows(); }

    void twinWindowsDifferInCaptionTextsAndPictureOrder()
    {
        const auto* fill = OpenEmbankments();
        const auto* cut = OpenCuttings();
        QCOMPARE(fill->windowTitle(), QStringLiteral("성토 입력"));
        QCOMPARE(cut->windowTitle(), QStringLiteral("절토 입력"));
        QCOMPARE(fill->Form().m_pDescription->text(), QStringLiteral("성토에 대한 설명을 입력하세요"));
        QCOMPARE(cut->Form().m_pDescription->text(), QStringLiteral("절토에 대한 설명을 입력하세요"));
        for (int direction = 0; direction < 2; ++direction)
            QVERIFY(fill->Form().m_pDirection->ShowsSlopeOnLeft(direction) !=
                    cut->Form().m_pDirection->ShowsSlopeOnLeft(direction));
        QCOMPARE(fill->Form().m_pAbsorption->CellText(7), QStringLiteral("1.000"));
    }

    void directionPicturesAreMirrorImagesOfEachOther()
    {
        for (const CSlopeFormWidgets* form : {&OpenEmbankments()->Form(), &OpenCuttings()->Form()}) {
            const QImage first = Picture(form->m_pDirection->Button(0));
            const QImage second = Picture(form->m_pDirection->Button(1));
            QVERIFY(DifferingPixels(first, second) > first.width() * first.height() / 20);
            QVERIFY(DifferingPixels(first.mirrored(true, false), second) < first.width() * first.height() / 50);
        }
    }

    void sameEndsEitherWayAndSameHeightAreDuplicates()
    {
        const auto& form = OpenEmbankments()->Form();
        StoreNew(form, {0, 0, 50, 0, 3, 10});
        StoreNew(form, {50, 0, 0, 0, 3, 10});
        StoreNew(form, {0.001, 0, 50.004, 0, 3, 25});  // same key to two decimals; the width is not in it
        QCOMPARE(m_boxes->m_texts, QStringList({kMsgDuplicateEmbankment, kMsgDuplicateEmbankment}));
        StoreNew(form, {50, 0, 0, 0, 4, 10});
        QVERIFY(m_boxes->m_texts.size() == 2);
        const auto& list = m_coordinator->EmbankmentWindow()->WorkingList();
        QCOMPARE(list.size(), std::size_t(2));
        QCOMPARE(list[1].m_pKey, std::string("50.000.000.000.004.00"));
        QCOMPARE(list[0].m_dLength, 50.0);
    }

    void editingAnEntityInPlaceIsNotItsOwnDuplicate()
    {
        const auto& form = OpenEmbankments()->Form();
        StoreNew(form, {0, 0, 50, 0, 3, 10});
        SetNumber(form.m_pWidth, 12);
        Click(form.m_pApply);
        QVERIFY(m_boxes->m_texts.isEmpty());
        QCOMPARE(m_coordinator->EmbankmentWindow()->WorkingList()[0].m_dWidth, 12.0);
        QCOMPARE(form.m_pWidth->text(), QStringLiteral("12.00"));
    }

    void allZeroKeyStoresNothingSilently()
    {
        const auto& form = OpenEmbankments()->Form();
        SetNumber(form.m_pWidth, 8);  // not part of the key
        Click(form.m_pApply);
        QVERIFY(m_boxes->m_texts.isEmpty());
        QVERIFY(m_coordinator->EmbankmentWindow()->WorkingList().empty());
    }

    void absorptionRowEditsWithOneForAnEmptyBox()
    {
        const auto& form = OpenEmbankments()->Form();
        Click(form.m_pAbsorption->ToggleButton());
        QVERIFY(!form.m_pApply->isEnabled() && !form.m_pId->isEnabled());
        form.m_pAbsorption->EditBox(0)->clear();
        form.m_pAbsorption->EditBox(1)->setText(QStringLiteral("0.25"));
        Click(form.m_pAbsorption->ToggleButton());
        QVERIFY(form.m_pApply->isEnabled());
        QCOMPARE(form.m_pAbsorption->CellText(0), QStringLiteral("1.000"));
        Fill(form, {0, 0, 30, 40, 2, 5});
        Click(form.m_pApply);
        const CSungto& stored = m_coordinator->EmbankmentWindow()->WorkingList().at(0);
        QCOMPARE(stored.m_dAbsorption[0], 1.0);
        QCOMPARE(stored.m_dAbsorption[1], 0.25);
        QCOMPARE(stored.m_dAbsorption[2], 1.0);  // untouched cells keep the default
        QCOMPARE(form.m_pAbsorption->CellText(1), QStringLiteral("0.250"));
    }

    void directionResetsForEmbankmentsButNotForCuttings()
    {
        const auto& fill = OpenEmbankments()->Form();
        const auto& cut = OpenCuttings()->Form();
        QCOMPARE(cut.m_pDirection->Direction(), 0);  // first button when the window opens
        for (const CSlopeFormWidgets* form : {&fill, &cut}) {
            StoreNew(*form, {0, 0, 10, 0, -1, 4});
            Click(form->m_pDirection->Button(1));
            Click(form->m_pApply);
            QCOMPARE(form->m_pDirection->Direction(), 1);
            form->m_pId->setCurrentIndex(0);  // "NEW": the form is reset
        }
        QCOMPARE(fill.m_pDirection->Direction(), 0);
        QCOMPARE(cut.m_pDirection->Direction(), 1);
        QCOMPARE(m_coordinator->CuttingWindow()->WorkingList()[0].m_nDirection, 1);
    }

    void cuttingSetsTheReferenceHeightShownForBarriers()
    {
        const auto& cut = OpenCuttings()->Form();
        StoreNew(cut, {0, 0, 100, 0, -5, 20});
        QCOMPARE(m_doc.m_settings.m_dBaseHeight, -5.0);
        m_coordinator->OpenBarrierInput();
        QCOMPARE(m_coordinator->BarrierWindow()->Form().m_pBaseHeight->text(), QStringLiteral("-5.00"));
        Click(cut.m_pDelete);
        QCOMPARE(m_doc.m_settings.m_dBaseHeight, 0.0);
        Click(m_coordinator->BarrierWindow()->Form().m_pCancel);
        m_coordinator->OpenBarrierInput();
        QCOMPARE(m_coordinator->BarrierWindow()->Form().m_pBaseHeight->text(), QStringLiteral("0.00"));
    }

    void cancelAndCommitTakeTheReferenceHeightFromTheDocument()
    {
        CJulto deep;
        deep.SetGeometry(0, 0, 10, 0, -3, 5, 10);
        m_doc.m_arrCutting.push_back(deep);
        StoreNew(OpenCuttings()->Form(), {0, 50, 10, 50, -8, 5});
        QCOMPARE(m_doc.m_settings.m_dBaseHeight, -8.0);
        Click(m_coordinator->CuttingWindow()->Form().m_pCancel);
        QVERIFY(m_coordinator->CuttingWindow() == nullptr);
        QCOMPARE(m_doc.m_settings.m_dBaseHeight, -3.0);
        QCOMPARE(m_doc.m_arrCutting.size(), std::size_t(1));

        const auto& form = OpenCuttings()->Form();
        Fill(form, {0, 50, 10, 50, -8, 5});
        m_doc.m_arrCuttingSection.resize(2);
        m_doc.m_arrEmbankmentOutline.resize(2);
        Click(form.m_pOk);
        QCOMPARE(m_doc.m_arrCutting.size(), std::size_t(2));
        QCOMPARE(m_doc.m_settings.m_dBaseHeight, -8.0);
        QVERIFY(m_doc.m_arrCuttingSection.empty() && m_doc.m_arrEmbankmentOutline.empty());
    }

    void commitReplacesTheDocumentListAndADuplicateDoesNotHoldItBack()
    {
        CSungto old;
        old.SetGeometry(0, 0, 50, 0, 3, 10, 50);
        old.SetKey(SlopeKey(old));
        m_doc.m_arrEmbankment.push_back(old);
        const auto& form = OpenEmbankments()->Form();
        QCOMPARE(form.m_pId->count(), 2);
        Fill(form, {50, 0, 0, 0, 3, 10});
        Click(form.m_pOk);
        QCOMPARE(m_boxes->m_texts, QStringList({kMsgDuplicateEmbankment}));
        QCOMPARE(m_doc.m_arrEmbankment.size(), std::size_t(1));
        QVERIFY(m_coordinator->EmbankmentWindow() == nullptr);
        QVERIFY(m_doc.m_bModified);
    }

    void viewsDrawTheWorkingListWithTheEditedEntity()
    {
        const auto& form = OpenCuttings()->Form();
        StoreNew(form, {0, 0, 10, 0, -2, 4});
        StoreNew(form, {0, 20, 10, 20, -2, 4});
        const CWorkingLists lists = m_coordinator->WorkingLists();
        QCOMPARE(lists.pCuttings, &m_coordinator->CuttingWindow()->WorkingList());
        QVERIFY(lists.IsHighlighted(EEntityKind::Cutting, 1));
        Click(form.m_pCancel);
        QVERIFY(m_coordinator->WorkingLists().pCuttings == nullptr);
    }

    void secondCommandLeavesTheOpenWindowAlone()
    {
        auto* first = OpenEmbankments();
        SetNumber(first->Form().m_pEndX, 7);
        QCOMPARE(OpenEmbankments(), first);
        QCOMPARE(first->Form().m_pEndX->text(), QStringLiteral("7"));
        QVERIFY(m_boxes->m_texts.isEmpty());
    }

    void planViewCommandsOpenTheWindowsAndDrawTheirLists()
    {
        CPlan_View view(&m_doc);
        CModelWindows viewWindows(&m_doc, &view);
        viewWindows.OnInputEmbankment();
        viewWindows.OnInputCutting();
        viewWindows.OnInputTunnel();
        viewWindows.OnInputBarrier();
        CInputWindowCoordinator* inputs = viewWindows.InputWindows();
        QVERIFY(inputs->EmbankmentWindow() && inputs->CuttingWindow() && inputs->TunnelWindow() &&
                inputs->BarrierWindow());
        StoreNew(inputs->EmbankmentWindow()->Form(), {0, 0, 40, 0, 2, 6});
        QCOMPARE(view.workingLists().pEmbankments, &inputs->EmbankmentWindow()->WorkingList());
        QVERIFY(view.workingLists().IsHighlighted(EEntityKind::Embankment, 0));
        Click(inputs->EmbankmentWindow()->Form().m_pOk);
        QVERIFY(view.workingLists().pEmbankments == nullptr);
        QCOMPARE(m_doc.m_arrEmbankment.size(), std::size_t(1));
    }

    void replacingTheProjectClosesTheWindowsWithoutACommit()
    {
        StoreNew(OpenCuttings()->Form(), {0, 0, 10, 0, -4, 4});
        OpenEmbankments();
        m_coordinator->OpenTunnelInput();
        m_coordinator->OpenBarrierInput();
        m_coordinator->CloseAll();
        QVERIFY(!m_coordinator->IsAnyInputOpen());
        QVERIFY(m_doc.m_arrCutting.empty());
        QVERIFY(m_coordinator->WorkingLists().pCuttings == nullptr);
    }

    void modelInputIsRefusedWhileResultsAreShown()
    {
        m_coordinator->SetResultsShownQuery([] { return true; });
        m_boxes->m_answers = QList<QMessageBox::StandardButton>(4, QMessageBox::No);
        m_coordinator->OpenEmbankmentInput();
        m_coordinator->OpenCuttingInput();
        m_coordinator->OpenTunnelInput();
        m_coordinator->OpenBarrierInput();
        QCOMPARE(m_boxes->m_questions, QStringList(4, kMsgRemoveResults));
        QVERIFY(!m_coordinator->IsAnyInputOpen());
    }
};

QTEST_MAIN(TestSlopeInput)
#include "test_slope_input.moc"
