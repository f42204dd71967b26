// The views explain themselves: they fit the model on opening a project, on "전체 보기" and
// through resizes; the wheel zooms about the pointer; the status bar follows the pointer;
// receivers at other heights show muted; a section along a road shows the road.

#include <memory>

#include <QLabel>
#include <QSplitter>
#include <QStatusBar>
#include <QtTest>

#include "app/command_table.h"
#include "app/main_frame.h"
#include "drawing/section_geometry.h"
#include "drawing/view_fit.h"
#include "helpers/recording_dialogs.h"
#include "helpers/view_pixels.h"
#include "model/document.h"
#include "render/section_painter.h"
#include "render/view_colours.h"
#include "views/plan_view.h"
#include "views/section_view.h"

namespace {

constexpr double kEdgeTol = 1.0;  // pixels

CViewProjection PlanOf(const CPlan_View& view, const CMyTalvoDoc& doc)
{
    return PlanProjection(doc.m_settings, view.width(), view.height(), view.panX(), view.panY(), view.zoom());
}

CViewProjection SectionOf(const CSection_View& view, const CMyTalvoDoc& doc)
{
    CViewProjection proj = SectionProjection(doc.m_settings, view.SectionAxis(), view.width(), view.height(),
                                             view.panX(), view.panY(), view.zoom());
    proj.SetVerticalExaggeration(view.VerticalExaggeration());
    return proj;
}

// The box lies inside the pane and spans most of its width or of its height.
bool Fills(const CViewProjection& proj, const CWorldBox& box)
{
    const CViewPoint a = proj.WorldToPixel(box.x0, box.y0), b = proj.WorldToPixel(box.x1, box.y1);
    const double left = std::min(a.x, b.x), right = std::max(a.x, b.x);
    const double top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
    const bool inside =
        left >= -kEdgeTol && top >= -kEdgeTol && right <= proj.Width() + kEdgeTol && bottom <= proj.Height() + kEdgeTol;
    return inside && std::max((right - left) / proj.Width(), (bottom - top) / proj.Height()) > 0.85;
}

void MovePointer(QWidget& view, QPointF at)
{
    QMouseEvent event(QEvent::MouseMove, at, view.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &event);
}

void SendWheel(QWidget& view, QPointF at, int delta)
{
    QWheelEvent event(at, view.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&view, &event);
}

}  // namespace

class TestViewFit : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UseTemporarySettings(); }
    void bothViewsShowTheWholeModelOnOpen();
    void fitFollowsResizesUntilTheUserZooms();
    void wheelZoomsAboutThePointer();
    void statusBarShowsThePointerPosition();
    void receiversAtOtherHeightsShowMuted();
    void sectionAlongARoadShowsTheRoad();
};

void TestViewFit::bothViewsShowTheWholeModelOnOpen()
{
    CRecordingMessageBox boxes;
    CMainFrame frame;
    frame.resize(1200, 900);
    frame.show();
    for (const char* name : {"highway-village.tlv", "valley-crossing.tlv"}) {
        QVERIFY(frame.OpenProjectFile(QStringLiteral(TALVO_EXAMPLES "/") + QString::fromLatin1(name)));
        const CMyTalvoDoc& doc = frame.Document();
        QVERIFY2(Fills(PlanOf(*frame.PlanView(), doc), PlanModelBox(doc)), name);
        const CWorldBox section = SectionModelBox(doc, frame.SectionView()->SectionAxis());
        QVERIFY2(Fills(SectionOf(*frame.SectionView(), doc), section), name);
        // The view state of this project is not carried to the next one.
        SendWheel(*frame.PlanView(), QPointF(30, 30), 360);
        QVERIFY(!frame.PlanView()->IsFitted());
    }
    QVERIFY(frame.PlanView()->IsFitted() == false);
    frame.Action(cmd::ViewFit)->trigger();
    QVERIFY(frame.PlanView()->IsFitted() && frame.SectionView()->IsFitted());
}

void TestViewFit::fitFollowsResizesUntilTheUserZooms()
{
    CMyTalvoDoc doc;
    doc.NewProject();
    CSection_View view(&doc);
    view.resize(400, 200);
    view.show();  // a hidden widget hears of its resizes only when shown
    view.FitAll();
    view.resize(900, 300);
    QVERIFY(Fills(SectionOf(view, doc), SectionModelBox(doc, 0)));
    view.SetVerticalExaggeration(5);
    QVERIFY(Fills(SectionOf(view, doc), SectionModelBox(doc, 0)));
    view.ZoomIn();
    QVERIFY(!view.IsFitted());
    const double zoom = view.zoom();
    view.resize(500, 300);
    QCOMPARE(view.zoom(), zoom);
}

void TestViewFit::wheelZoomsAboutThePointer()
{
    CMyTalvoDoc doc;
    doc.NewProject();
    CPlan_View view(&doc);
    view.resize(600, 400);
    view.FitAll();
    const QPointF pointer(123, 321);
    const CViewPoint before = PlanOf(view, doc).PixelToWorld(pointer.x(), pointer.y());
    const double zoom = view.zoom();
    SendWheel(view, pointer, 120);
    QVERIFY(std::abs(view.zoom() / zoom - CViewNavigation::kWheelFactor) < 1e-9);
    const CViewPoint after = PlanOf(view, doc).PixelToWorld(pointer.x(), pointer.y());
    QVERIFY(std::abs(after.x - before.x) < 1e-6 && std::abs(after.y - before.y) < 1e-6);
    // The same notch zooms as much at zoom 50 as at zoom 1.
    for (int i = 0; i < 18; ++i)
        SendWheel(view, pointer, 120);
    const double deep = view.zoom();
    SendWheel(view, pointer, -120);
    QVERIFY(std::abs(deep / view.zoom() - CViewNavigation::kWheelFactor) < 1e-9);
}

void TestViewFit::statusBarShowsThePointerPosition()
{
    CMainFrame frame;
    frame.resize(1000, 800);
    frame.show();
    auto* label = frame.statusBar()->findChild<QLabel*>(QStringLiteral("pointerPosition"));
    QVERIFY(label);
    CPlan_View* plan = frame.PlanView();
    const CViewPoint centre = PlanOf(*plan, frame.Document()).WorldToPixel(1000, 300);
    MovePointer(*plan, QPointF(centre.x, centre.y));
    QVERIFY2(label->text().startsWith(QStringLiteral("X 10")), qPrintable(label->text()));
    MovePointer(*frame.SectionView(), QPointF(20, 20));
    QVERIFY2(label->text().startsWith(QStringLiteral("거리 ")), qPrintable(label->text()));
}

void TestViewFit::receiversAtOtherHeightsShowMuted()
{
    CMyTalvoDoc doc;
    doc.NewProject();
    doc.m_settings.m_dReceiverHeight = 4.0;
    CReceiverPoint low, level;
    low.SetPosition(500, 300, 1.5);  // seven receivers at 1.5 m were once not drawn at all
    level.SetPosition(1500, 300, 4.0);
    doc.m_arrReceiver = {low, level};
    CPlan_View view(&doc);
    view.resize(800, 300);
    QImage image = view.RenderImage(view.size());
    const CViewProjection proj = PlanOf(view, doc);
    QVERIFY(SameColour(PixelAt(image, proj.WorldToPixel(500, 300)), ViewColour::MutedReceiver()));
    QVERIFY(SameColour(PixelAt(image, proj.WorldToPixel(1500, 300)), ViewColour::Red()));
    view.SetShowAllHeights(true);
    image = view.RenderImage(view.size());
    QVERIFY(SameColour(PixelAt(image, proj.WorldToPixel(500, 300)), ViewColour::Red()));
}

void TestViewFit::sectionAlongARoadShowsTheRoad()
{
    CMyTalvoDoc doc;
    doc.m_settings.m_dAreaEndX = 200;
    doc.m_settings.m_dAreaEndY = 100;
    doc.m_settings.m_dSectionY = 52;  // within the 10 m road along Y = 50
    doc.m_settings.m_nSectionAxis = 1;
    CRoad road;
    road.SetGeometry(20, 50, 180, 50, 3, 3, 10, 160, 1);
    doc.m_arrRoad.push_back(road);
    CSection_View view(&doc);
    view.resize(600, 300);
    view.SetVerticalExaggeration(20);  // the road's 0.2 m body many pixels high
    view.FitAll();
    const QImage image = view.RenderImage(view.size());
    SaveRenderIfAsked(image, QStringLiteral("section-along-road.png"));
    const CViewProjection proj = SectionOf(view, doc);
    const CSectionPlane plane(doc.m_settings, 1);
    for (double x : {40.0, 100.0, 160.0}) {
        const CViewPoint deck = proj.WorldToPixel(plane.Mirror(x), 3.1);
        QVERIFY2(ColourNear(image, deck, ViewColour::Road()), qPrintable(QString::number(x)));
    }
    QVERIFY(!ColourNear(image, proj.WorldToPixel(plane.Mirror(10), 3.1), ViewColour::Road()));
}

QTEST_MAIN(TestViewFit)
#include "test_view_fit.moc"
