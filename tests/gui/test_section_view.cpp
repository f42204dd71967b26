// The section view: the section plane and its crossing test, the receivers on it, the
// slope and road crossings, navigation steps, and renders checked at a few pixels.

#include <QtTest>

#include <cmath>

#include "drawing/section_geometry.h"
#include "helpers/view_pixels.h"
#include "model/document.h"
#include "render/section_painter.h"
#include "render/view_colours.h"
#include "views/plan_view.h"
#include "views/section_view.h"

namespace {

constexpr double kTol = 1e-9;

CProjectSettings AreaSettings()
{
    CProjectSettings s;
    s.m_dAreaEndX = 200;
    s.m_dAreaEndY = 100;
    s.m_dSectionY = 50;
    s.m_dSectionX = 50;
    return s;
}

// Area 200 x 100 m cut at Y = 50: a barrier across at x = 100, a road across at x = 50
// on a bridge with a left deck barrier, an embankment pair around x = 150, a receiver.
void BuildSmallProject(CMyTalvoDoc& doc)
{
    doc.m_settings = AreaSettings();
    doc.m_settings.m_nSectionAxis = 1;
    doc.m_settings.m_dReceiverHeight = 1.2;
    CBarrier_Stage barrier;
    barrier.SetGeometry(100, 0, 100, 100, 10, 0);
    doc.m_arrBarrier.push_back(barrier);
    CRoad road;
    road.SetGeometry(50, 0, 50, 100, 4, 4, 10, 100, 1);
    road.m_nRoadInfo = 1;
    road.m_dLeftBarrierHeight = 3;
    doc.m_arrRoad.push_back(road);
    CSungto fill;
    fill.SetGeometry(160, 0, 160, 100, 6, 20, 100);  // heading +y: direction 0 lies to -x
    doc.m_arrEmbankment.push_back(fill);
    CJulto cut;
    cut.SetGeometry(120, 0, 120, 100, -3, 15, 100);  // heading +y: direction 0 lies to +x
    doc.m_arrCutting.push_back(cut);
    CReceiverPoint r;
    r.SetPosition(80, 50, 1.2);
    doc.m_arrReceiver.push_back(r);
}

}  // namespace

class TestSectionView : public QObject {
    Q_OBJECT
private slots:
    void zoomAndPanSteps();
    void ctrlDragPansAndTheWheelZooms();
    void sectionAxisIsTheProjectSetting();
    void rendersTheCut();
    void rendersAlongTheYAxis();
    void badNumbersDrawWithoutHarm();
    void followsThePlanViewsWorkingLists();
};

void TestSectionView::zoomAndPanSteps()
{
    CMyTalvoDoc doc;
    CSection_View view(&doc);
    view.ZoomIn();
    QCOMPARE(view.zoom(), 1.25);  // one wheel notch, as in the plan view
    view.ZoomReset();
    for (int i = 0; i < 10; ++i)
        view.ZoomOut();
    QVERIFY(std::abs(view.zoom() - std::pow(1.25, -10)) < kTol);
    view.OffsetBy(-0.1, 0.1);  // ▷ then ▽
    QVERIFY(std::abs(view.panX() + 0.1) < kTol && std::abs(view.panY() - 0.1) < kTol);
    view.CentreOffsets();
    QCOMPARE(view.panY(), 0.0);
}

namespace {

void SendMouse(QWidget& view, QEvent::Type type, QPoint at, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), view.mapToGlobal(QPointF(at)), button, buttons, modifiers);
    QCoreApplication::sendEvent(&view, &event);
}

void SendWheel(QWidget& view, int delta)
{
    const QPointF at(10, 10);
    QWheelEvent event(at, view.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&view, &event);
}

}  // namespace

void TestSectionView::ctrlDragPansAndTheWheelZooms()
{
    CMyTalvoDoc doc;
    BuildSmallProject(doc);
    CSection_View view(&doc);
    view.resize(200, 110);  // 2.2 view units over 110 pixels: 0.02 a pixel
    SendMouse(view, QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton, Qt::ControlModifier);
    SendMouse(view, QEvent::MouseMove, {60, 40}, Qt::LeftButton, Qt::ControlModifier);
    // The scene follows the pointer: 10 px right is -0.2 in X, 10 px up is -0.2 in Y.
    QVERIFY(std::abs(view.panX() + 0.2) < kTol && std::abs(view.panY() + 0.2) < kTol);
    SendMouse(view, QEvent::MouseButtonRelease, {60, 40}, Qt::NoButton, Qt::ControlModifier);
    SendMouse(view, QEvent::MouseMove, {90, 90}, Qt::LeftButton, Qt::NoModifier);  // no Ctrl: no pan
    QVERIFY(std::abs(view.panX() + 0.2) < kTol);
    SendWheel(view, 120);  // one notch
    SendWheel(view, 60);   // half a notch waits for the other half
    QVERIFY(std::abs(view.zoom() - 1.25) < kTol);
    SendWheel(view, 60);
    QVERIFY(std::abs(view.zoom() - 1.5625) < kTol);
}

void TestSectionView::sectionAxisIsTheProjectSetting()
{
    CMyTalvoDoc doc;
    CSection_View view(&doc);
    QCOMPARE(view.SectionAxis(), 0);
    view.SetSectionAxis(1);
    QCOMPARE(doc.m_settings.m_nSectionAxis, 1);
    view.SetSectionAxis(7);  // anything but 1 is the X cut
    QCOMPARE(view.SectionAxis(), 0);
}

void TestSectionView::rendersTheCut()
{
    CMyTalvoDoc doc;
    BuildSmallProject(doc);
    CSection_View view(&doc);
    const QImage image = view.RenderImage({600, 400});
    SaveRenderIfAsked(image, QStringLiteral("section_view.png"));
    const CViewProjection proj = SectionProjection(doc.m_settings, 1, 600, 400, 0, 0, 1);
    const CSectionPlane plane(doc.m_settings, 1);
    auto expect = [&](double pos, double height, const QColor& colour) {
        const CViewPoint p = proj.WorldToPixel(plane.Mirror(pos), height);
        QVERIFY2(ColourNear(image, p, colour), qPrintable(QStringLiteral("at %1, %2: %3 for %4")
                                                              .arg(pos)
                                                              .arg(height)
                                                              .arg(Describe(PixelAt(image, p)), Describe(colour))));
    };
    expect(100, 5, ViewColour::Barrier());
    expect(52, 4.1, ViewColour::Road());
    expect(45, 5.5, ViewColour::Barrier());    // the left deck barrier: +width of a road along +y is -x
    expect(155, 1, ViewColour::Area());        // inside the fill
    expect(80, 0.6, ViewColour::Red());        // the receiver's line
    expect(131, -2.5, ViewColour::Area());     // the soil beside the cut slope
    expect(127, 0, ViewColour::Background());  // no ground line across the cut
    QVERIFY(SameColour(image.pixelColor(2, 2), ViewColour::Background()));
}

void TestSectionView::rendersAlongTheYAxis()
{
    CMyTalvoDoc doc;
    BuildSmallProject(doc);
    doc.m_settings.m_nSectionAxis = 0;
    doc.m_settings.m_dSectionX = 100;  // along the barrier itself: parallel, not drawn
    CSection_View view(&doc);
    CResultDisplay results;
    results.m_bShowResults = true;
    view.SetResultDisplay(results);
    const QImage image = view.RenderImage({600, 400});
    SaveRenderIfAsked(image, QStringLiteral("section_view_y.png"));
    const CViewProjection proj = SectionProjection(doc.m_settings, 0, 600, 400, 0, 0, 1);
    const CSectionPlane plane(doc.m_settings, 0);
    int blue = 0;
    for (double y = 0; y <= 100; y += 1)
        blue += ColourNear(image, proj.WorldToPixel(plane.Mirror(y), 5), ViewColour::Barrier());
    QCOMPARE(blue, 0);
}

void TestSectionView::badNumbersDrawWithoutHarm()
{
    const double nan = std::nan(""), inf = std::numeric_limits<double>::infinity();
    CMyTalvoDoc doc;
    BuildSmallProject(doc);
    doc.m_arrRoad[0].SetGeometry(nan, 0, 50, 100, inf, 0, 10, 0, 0);
    doc.m_arrEmbankment[0].SetGeometry(160, 0, 160, 0, 1e308, nan, 0);
    doc.m_arrBarrier[0].m_dHeight = -inf;
    CSection_View view(&doc);
    QVERIFY(!view.RenderImage({200, 100}).isNull());
    doc.m_settings.m_dAreaEndY = doc.m_settings.m_dAreaStartY;  // no vertical extent
    view.SetSectionAxis(0);
    QVERIFY(!view.RenderImage({1, 1}).isNull());
}

void TestSectionView::followsThePlanViewsWorkingLists()
{
    CMyTalvoDoc doc;
    BuildSmallProject(doc);
    CPlan_View plan(&doc);
    CSection_View view(&doc);
    plan.SetSectionView(&view);
    std::vector<CBarrier_Stage> working = doc.m_arrBarrier;
    working[0].m_dStartX = working[0].m_dEndX = 110;  // moved in the input window
    CWorkingLists lists;
    lists.pBarriers = &working;
    lists.highlightKind = EEntityKind::Barrier;
    lists.nHighlight = 0;
    plan.SetWorkingLists(lists);
    const CViewProjection proj = SectionProjection(doc.m_settings, 1, 600, 400, 0, 0, 1);
    const CSectionPlane plane(doc.m_settings, 1);
    const QImage image = view.RenderImage({600, 400});
    QVERIFY(ColourNear(image, proj.WorldToPixel(plane.Mirror(110), 5), ViewColour::Highlight()));
    QVERIFY(!ColourNear(image, proj.WorldToPixel(plane.Mirror(100), 5), ViewColour::Barrier()));
}

QTEST_MAIN(TestSectionView)
#include "test_section_view.moc"
