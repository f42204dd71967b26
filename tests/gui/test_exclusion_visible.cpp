// Barriers left out of the calculation ("고르기") show wherever the model or its results
// do: greyed and tagged "제외" in both views, a status-bar line with its one-click "제외
// 해제", the result table's note and the report's inputs and results.

#include <memory>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>

#include "app/command_table.h"
#include "app/exclusion_status.h"
#include "app/input_window_coordinator.h"
#include "app/main_frame.h"
#include "app/model_history.h"
#include "app/model_windows.h"
#include "dialogs/barrier_exclusion_dialog.h"
#include "dialogs/barrier_input_dialog.h"
#include "drawing/scene_projection.h"
#include "drawing/section_geometry.h"
#include "engine/calculation.h"
#include "helpers/input_test_support.h"
#include "helpers/recording_dialogs.h"
#include "helpers/view_pixels.h"
#include "model/document.h"
#include "render/view_colours.h"
#include "report/report_parts.h"
#include "views/plan_view.h"
#include "views/result_table_dialog.h"
#include "views/section_view.h"

using inputtest::Click;

namespace {

const QString kNoteOfFirst = QStringLiteral("방음벽 1 제외하고 계산");

CBarrier_Stage Barrier(double sx, double sy, double ex, double ey)
{
    CBarrier_Stage b;
    b.SetGeometry(sx, sy, ex, ey, 5, 0);
    b.ComputeAngle();
    return b;
}

// Area 200 x 100 m, the section across both barriers at X = 60: barrier 1 along y = 30
// (excluded), barrier 2 along y = 70.
void BuildTwoBarriers(CMyTalvoDoc& doc)
{
    doc.m_settings.m_dAreaEndX = 200;
    doc.m_settings.m_dAreaEndY = 100;
    doc.m_settings.m_nSectionAxis = 0;
    doc.m_settings.m_dSectionX = 60;
    doc.m_settings.m_bShowReceivers = false;
    doc.m_arrBarrier = {Barrier(20, 30, 180, 30), Barrier(20, 70, 180, 70)};
    doc.m_arrExcludedBarrier = {0};
}

// Pixels of the tag's white box in the w x h pixels right of and above p.
int TagPixels(const QImage& image, const CViewPoint& p, int w, int h)
{
    int count = 0;
    for (int y = int(p.y) - h; y <= int(p.y); ++y)
        for (int x = int(p.x); x < int(p.x) + w; ++x)
            count += image.rect().contains(x, y) && SameColour(image.pixelColor(x, y), ViewColour::Halo());
    return count;
}

}  // namespace

class TestExclusionVisible : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UseTemporarySettings(); }
    void viewsDrawExcludedBarriersGreyedAndTagged();
    void statusLineAndResultTableSayWhatIsLeftOut();
    void reportNotesTheExclusionInInputsAndResults();
};

void TestExclusionVisible::viewsDrawExcludedBarriersGreyedAndTagged()
{
    CMyTalvoDoc doc;
    BuildTwoBarriers(doc);
    CPlan_View plan(&doc);
    const QImage image = plan.RenderImage({600, 400});
    SaveRenderIfAsked(image, QStringLiteral("plan_excluded_barrier.png"));
    const CViewProjection proj = PlanProjection(doc.m_settings, 600, 400, 0, 0, 1);
    QVERIFY(ColourNear(image, proj.WorldToPixel(60, 30), ViewColour::ExcludedBarrier()));
    QVERIFY(ColourNear(image, proj.WorldToPixel(60, 70), ViewColour::Barrier()));
    QVERIFY(TagPixels(image, proj.WorldToPixel(100, 30), 40, 24) > 50);
    QCOMPARE(TagPixels(image, proj.WorldToPixel(100, 70), 40, 24), 0);

    CSection_View section(&doc);
    const QImage cutImage = section.RenderImage({600, 400});
    SaveRenderIfAsked(cutImage, QStringLiteral("section_excluded_barrier.png"));
    const CViewProjection cut = SectionProjection(doc.m_settings, 0, 600, 400, 0, 0, 1);
    const CSectionPlane plane(doc.m_settings, 0);
    QVERIFY(ColourNear(cutImage, cut.WorldToPixel(plane.Mirror(30), 2.5), ViewColour::ExcludedBarrier()));
    QVERIFY(ColourNear(cutImage, cut.WorldToPixel(plane.Mirror(70), 2.5), ViewColour::Barrier()));
    QVERIFY(TagPixels(cutImage, cut.WorldToPixel(plane.Mirror(30), 5), 40, 24) > 50);
}

// highway-village with its first barrier left out: the calculation after the choice and
// every later one leave it out (receiver 1 about 14 dB louder) and say so, until "제외
// 해제" in the status bar, one step of the undo history.
void TestExclusionVisible::statusLineAndResultTableSayWhatIsLeftOut()
{
    CRecordingMessageBox boxes;
    CMainFrame frame;
    QVERIFY(frame.OpenProjectFile(QStringLiteral(TALVO_EXAMPLES "/highway-village.tlv")));
    CMyTalvoDoc& doc = frame.Document();
    frame.Action(cmd::Calculate)->trigger();
    const double withBarrier = EnergySum(doc.m_arrReceiver[0].m_dLevel);

    CInputWindowCoordinator* inputs = frame.Windows()->InputWindows();
    inputs->SetModalRunner([](QDialog& dialog) {
        auto& selector = static_cast<CalcSelectorDlg&>(dialog);
        selector.AllList()->item(0)->setSelected(true);
        Click(selector.MarkButton());
        Click(selector.ApplyButton());
        return selector.result();
    });
    inputs->OpenBarrierInput();
    Click(inputs->BarrierWindow()->Form().m_pExclude);
    Click(inputs->BarrierWindow()->Form().m_pCancel);
    auto* status = frame.findChild<CExclusionStatus*>(QStringLiteral("exclusionStatus"));
    QVERIFY(status && !status->isHidden());
    QCOMPARE(status->Note()->text(), kNoteOfFirst);
    QVERIFY(doc.m_bResultsStale);  // computed with the barrier

    for (int run = 0; run < 2; ++run) {
        frame.Action(cmd::Calculate)->trigger();
        QVERIFY(EnergySum(doc.m_arrReceiver[0].m_dLevel) > withBarrier + 10);
    }
    frame.PlanView()->OnResultChart();
    QVERIFY(frame.PlanView()->ResultTable());
    QCOMPARE(frame.PlanView()->ResultTable()->ExclusionNote(), kNoteOfFirst);

    // The file keeps no exclusion, so it is saved without these results, and says so.
    QTemporaryDir dir;
    QVERIFY(frame.SaveTo(dir.filePath(QStringLiteral("village.tlv"))));
    QVERIFY(frame.statusBar()->currentMessage().contains(QStringLiteral("예측 결과 없이")));

    QUndoStack* history = frame.History()->Stack();
    const int steps = history->count();
    Click(status->ReleaseButton());
    QVERIFY(doc.m_arrExcludedBarrier.empty());
    QVERIFY(status->isHidden());
    QCOMPARE(frame.PlanView()->ResultTable()->ExclusionNote(), QString());
    QCOMPARE(history->count(), steps + 1);
    QCOMPARE(history->undoText(), QStringLiteral("방음벽 제외 해제"));
    frame.PlanView()->OnResultTableRequest(CResultDlg::kClose);
    frame.StepHistory(false);
    QCOMPARE(doc.m_arrExcludedBarrier, std::vector<int>{0});
    QVERIFY(!status->isHidden());
}

void TestExclusionVisible::reportNotesTheExclusionInInputsAndResults()
{
    CMyTalvoDoc doc;
    BuildTwoBarriers(doc);
    QVERIFY(InputsHtml(doc).contains(kNoteOfFirst));
    QVERIFY(ResultsHtml(doc).contains(kNoteOfFirst));
    doc.m_arrExcludedBarrier.clear();
    QVERIFY(!InputsHtml(doc).contains(QStringLiteral("제외하고")));
    QVERIFY(!ResultsHtml(doc).contains(QStringLiteral("제외하고")));
}

QTEST_MAIN(TestExclusionVisible)
#include "test_exclusion_visible.moc"
