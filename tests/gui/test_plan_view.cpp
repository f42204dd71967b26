// The plan view: projection, receiver-grid names and picking, navigation limits, the
// refusal of model input while results are shown, and renders checked at a few pixels.

#include <cmath>

#include <QSignalSpy>
#include <QtTest>

#include "app/input_window_coordinator.h"
#include "app/model_windows.h"
#include "engine/calculation.h"
#include "helpers/recording_dialogs.h"
#include "helpers/view_pixels.h"
#include "model/document.h"
#include "render/plan_painter.h"
#include "render/view_colours.h"
#include "views/plan_view.h"

namespace {

constexpr double kTol = 1e-9;

// Area 200 x 100 m: a road along y = 50, a barrier across it at x = 100, an embankment
// and a cutting in the upper corners, a tunnel low on the left, two receivers.
void BuildSmallProject(CMyTalvoDoc& doc)
{
    CProjectSettings& s = doc.m_settings;
    s.m_dAreaEndX = 200;
    s.m_dAreaEndY = 100;
    s.m_dReceiverSpacing = 50;
    s.m_dReceiverHeight = 1.2;
    s.m_bReceiverHeightEmpty = false;
    s.m_nSectionAxis = 1;
    s.m_dSectionY = 50;
    CRoad road;
    road.SetGeometry(20, 50, 180, 50, 2, 2, 10, 160, 4);
    road.ComputeAngle();
    road.SetUserPowerLevels({90, 95, 100, 100, 100, 95, 90, 85});
    doc.m_arrRoad.push_back(road);
    CBarrier_Stage barrier;
    barrier.SetGeometry(100, 5, 100, 40, 4, 0);
    doc.m_arrBarrier.push_back(barrier);
    CSungto fill;
    fill.SetGeometry(20, 80, 80, 80, 4, 15, 60);
    doc.m_arrEmbankment.push_back(fill);
    CJulto cut;
    cut.SetGeometry(120, 80, 180, 80, -3, 15, 60);
    doc.m_arrCutting.push_back(cut);
    CTunnel tunnel;
    tunnel.m_dStartX = 20;
    tunnel.m_dStartY = 20;
    tunnel.m_dEndX = 70;
    tunnel.m_dEndY = 20;
    tunnel.m_dWidth = 12;
    tunnel.m_dHeight = 7;
    doc.m_arrTunnel.push_back(tunnel);
    CReceiverPoint low, high;
    low.SetPosition(150, 30, 1.2);
    high.SetPosition(60, 30, 1.5);
    doc.m_arrReceiver = {low, high};
}

}  // namespace

class TestPlanView : public QObject {
    Q_OBJECT
private slots:
    void zoomAndPanSteps();
    void pickingTogglesLabelsAfterAPrediction();
    void modelInputRefusedWhileResultsShown();
    void rendersEntityColours();
    void rendersHighlightAndHeightFilter();
    void rendersPickedAndResultLabels();
    void badNumbersDrawWithoutHarm();
};

void TestPlanView::zoomAndPanSteps()
{
    CMyTalvoDoc doc;
    CPlan_View view(&doc);
    for (int i = 0; i < 10; ++i)
        view.ZoomOut();
    QVERIFY(std::abs(view.zoom() - std::pow(1.25, -10)) < kTol);  // "축소" ten times from 1.0
    view.ZoomReset();
    view.ZoomIn();
    QVERIFY(std::abs(view.zoom() - 1.25) < kTol);

    QSignalSpy spy(&view, &CPlan_View::NavigationChanged);
    view.OffsetBy(0.1, 0);   // ◁
    view.OffsetBy(0, -0.1);  // △
    QVERIFY(std::abs(view.panX() - 0.1) < kTol && std::abs(view.panY() + 0.1) < kTol);
    view.CentreOffsets();
    QCOMPARE(view.panX(), 0.0);
    QCOMPARE(spy.count(), 3);
}

void TestPlanView::pickingTogglesLabelsAfterAPrediction()
{
    CMyTalvoDoc doc;
    doc.m_settings.m_dAreaEndX = 20;
    doc.m_settings.m_dAreaEndY = 10;
    doc.m_settings.m_dReceiverSpacing = 5;
    doc.m_arrReceiver.emplace_back();
    CPlan_View view(&doc);
    view.resize(400, 200);
    const CViewPoint p4 = PlanProjection(doc.m_settings, 400, 200, 0, 0, 1).WorldToPixel(5, 0);
    QVERIFY(!view.PickAt({p4.x, p4.y}));  // no prediction yet
    doc.m_arrAttenuation.emplace_back();
    QSignalSpy spy(&view, &CPlan_View::DisplayListsChanged);
    QVERIFY(view.PickAt({p4.x, p4.y}));
    QVERIFY(view.pickedPoints().Contains(4));
    QCOMPARE(view.pickedPoints().Count(), std::size_t(1));
    QVERIFY(view.PickAt({p4.x + 2, p4.y}));  // the same point again: label removed
    QCOMPARE(view.pickedPoints().Count(), std::size_t(0));
    QCOMPARE(spy.count(), 2);
    QVERIFY(!view.PickAt({1, 1}));  // far from every point
    view.PickAt({p4.x, p4.y});
    view.ClearDisplayLists();
    QCOMPARE(view.pickedPoints().Count(), std::size_t(0));
    // Receivers hidden: no grid, nothing to pick.
    doc.m_settings.m_bShowReceivers = false;
    QVERIFY(!view.PickAt({p4.x, p4.y}));
}

void TestPlanView::modelInputRefusedWhileResultsShown()
{
    CRecordingMessageBox boxes;
    CMyTalvoDoc doc;
    CPlan_View view(&doc);
    CModelWindows viewWindows(&doc, &view);
    viewWindows.OnInputRoad();
    view.OnResultChart();
    QCOMPARE(boxes.m_infos, QStringList{QStringLiteral("소음해석을 먼저 수행하세요.")});
    view.SetResultDisplay(true, 3);
    viewWindows.OnInputBarrier();  // the question is answered No: refused
    viewWindows.OnInputReceiver();
    viewWindows.OnOptimise();  // needs no question
    QCOMPARE(boxes.m_infos.size(), 1);
    QCOMPARE(boxes.m_questions, QStringList(2, QString::fromUtf8(kMsgRemoveResults)));
    QVERIFY(view.IsShowingResults());
    QVERIFY(!viewWindows.InputWindows()->BarrierWindow() && !viewWindows.InputWindows()->ReceiverWindow());
}

void TestPlanView::rendersEntityColours()
{
    CMyTalvoDoc doc;
    BuildSmallProject(doc);
    CPlan_View view(&doc);
    const QSize size(600, 400);
    const QImage image = view.RenderImage(size);
    SaveRenderIfAsked(image, QStringLiteral("plan_view.png"));
    const CViewProjection proj = PlanProjection(doc.m_settings, 600, 400, 0, 0, 1);
    auto expect = [&](double x, double y, const QColor& colour) {
        const QColor got = PixelAt(image, proj.WorldToPixel(x, y));
        QVERIFY2(SameColour(got, colour),
                 qPrintable(QStringLiteral("at %1, %2: %3 for %4").arg(x).arg(y).arg(Describe(got), Describe(colour))));
    };
    expect(190, 10, ViewColour::Area());
    expect(40, 52, ViewColour::Road());
    expect(100, 25, ViewColour::Barrier());
    expect(40, 91, ViewColour::Embankment());  // direction 0: the fill lies to +width
    expect(40, 81, ViewColour::Crest());       // the strip next to the axis
    expect(150, 70, ViewColour::Cutting());    // direction 0: the cut lies to -width
    expect(40, 17, ViewColour::TunnelBox());
    expect(150, 30, ViewColour::Red());  // the receiver at the grid height
    expect(50, 0, ViewColour::Black());  // a grid point
    const QColor corner = image.pixelColor(1, 1);
    QVERIFY(SameColour(corner, ViewColour::Background()));
}

void TestPlanView::rendersHighlightAndHeightFilter()
{
    CMyTalvoDoc doc;
    BuildSmallProject(doc);
    CPlan_View view(&doc);
    const CViewProjection proj = PlanProjection(doc.m_settings, 600, 400, 0, 0, 1);
    // The receiver at 1.5 m is off the 1.2 m grid height: drawn muted, not in red.
    QImage image = view.RenderImage({600, 400});
    QVERIFY(!SameColour(PixelAt(image, proj.WorldToPixel(60, 30)), ViewColour::Red()));
    QVERIFY(SameColour(PixelAt(image, proj.WorldToPixel(60, 30)), ViewColour::MutedReceiver()));

    std::vector<CRoad> working = doc.m_arrRoad;
    working.push_back(working[0]);
    working[1].SetGeometry(20, 70, 180, 70, 0, 0, 6, 160, 1);
    CWorkingLists lists;
    lists.pRoads = &working;
    lists.highlightKind = EEntityKind::Road;
    lists.nHighlight = 1;
    view.SetWorkingLists(lists);
    image = view.RenderImage({600, 400});
    QVERIFY(SameColour(PixelAt(image, proj.WorldToPixel(90, 70)), ViewColour::Highlight()));
    QVERIFY(SameColour(PixelAt(image, proj.WorldToPixel(40, 52)), ViewColour::Road()));
    view.SetWorkingLists({});
    image = view.RenderImage({600, 400});
    QVERIFY(!SameColour(PixelAt(image, proj.WorldToPixel(90, 70)), ViewColour::Highlight()));
}

namespace {

// Pixels close to the colour in the box of w x h pixels whose bottom-left corner is p;
// text is antialiased, so its strokes are compared loosely.
int CountColour(const QImage& image, const CViewPoint& p, int w, int h, const QColor& colour)
{
    constexpr int kTextTol = 80;
    auto close = [&](const QColor& c) {
        return std::abs(c.red() - colour.red()) <= kTextTol && std::abs(c.green() - colour.green()) <= kTextTol &&
               std::abs(c.blue() - colour.blue()) <= kTextTol;
    };
    int count = 0;
    for (int y = int(p.y) - h; y <= int(p.y); ++y) {
        for (int x = int(p.x); x < int(p.x) + w; ++x)
            count += image.rect().contains(x, y) && close(image.pixelColor(x, y));
    }
    return count;
}

}  // namespace

void TestPlanView::rendersPickedAndResultLabels()
{
    CMyTalvoDoc doc;
    BuildSmallProject(doc);
    Calculate(doc);
    QVERIFY(doc.IsCalculated());
    doc.m_arrReceiver[0].m_dLevel.fill(50);
    CPlan_View view(&doc);
    view.resize(600, 400);
    const CViewProjection proj = PlanProjection(doc.m_settings, 600, 400, 0, 0, 1);
    const CViewPoint grid = proj.WorldToPixel(150, 100);
    QVERIFY(view.PickAt({grid.x, grid.y}));
    // The point-level query labels the point with its level, two decimals.
    const QString text = QString::fromStdString(view.pickedPoints().LabelOf(view.pickedPoints().NameAt(0)));
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d+\\.\\d\\d$")).match(text).hasMatch(), qPrintable(text));
    const CViewPoint label = proj.WorldToPixel(151, 101);
    QImage image = view.RenderImage({600, 400});
    QVERIFY(CountColour(image, label, 30, 12, ViewColour::Blue()) > 5);
    const CViewPoint receiver = proj.WorldToPixel(151, 30);
    QCOMPARE(CountColour(image, receiver, 40, 12, ViewColour::Red()), 0);
    view.SetResultDisplay(true, 0);
    image = view.RenderImage({600, 400});
    SaveRenderIfAsked(image, QStringLiteral("plan_view_labels.png"));
    QVERIFY(CountColour(image, receiver, 40, 12, ViewColour::Red()) > 5);
    // No labels while the receiver-height box is empty.
    doc.m_settings.m_bReceiverHeightEmpty = true;
    image = view.RenderImage({600, 400});
    QCOMPARE(CountColour(image, receiver, 40, 12, ViewColour::Red()), 0);
    // "출력 제거" takes the picked labels away too.
    view.SetResultDisplay(false, 0);
    QCOMPARE(view.pickedPoints().Count(), std::size_t(0));
}

void TestPlanView::badNumbersDrawWithoutHarm()
{
    const double nan = std::nan(""), inf = std::numeric_limits<double>::infinity();
    CMyTalvoDoc doc;
    BuildSmallProject(doc);
    doc.m_arrRoad[0].SetGeometry(nan, 0, inf, 1e308, 0, 0, -5, 0, 0);
    doc.m_arrBarrier[0].SetGeometry(3, 3, 3, 3, 0, 0);  // start and end coincide
    doc.m_arrReceiver[0].SetPosition(1e300, -1e300, 1.2);
    doc.m_settings.m_dReceiverSpacing = 1e-300;
    CPlan_View view(&doc);
    QVERIFY(!view.RenderImage({200, 100}).isNull());
    doc.m_settings.m_dAreaEndX = inf;
    doc.m_settings.m_dReceiverSpacing = 0.001;  // millions of points: not drawn one by one
    QVERIFY(!view.RenderImage({200, 100}).isNull());
    doc.m_settings.m_dAreaEndX = -50;  // inverted area
    QVERIFY(!view.RenderImage({1, 1}).isNull());
}

QTEST_MAIN(TestPlanView)
#include "test_plan_view.moc"
