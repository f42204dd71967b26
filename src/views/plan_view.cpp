#include "views/plan_view.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "drawing/view_grid.h"
#include "engine/calculation.h"
#include "model/document.h"
#include "render/map_column.h"
#include "views/section_view.h"

CPlan_View::CPlan_View(CMyTalvoDoc* doc, QWidget* parent) : CNavigableView(parent), m_pDoc(doc) {}

bool CPlan_View::BlocksModelInput() const
{
    return m_results.m_bShowResults || m_pNoiseMap != nullptr || !m_pResultDlg.isNull();
}

void CPlan_View::ClearDisplayLists()
{
    m_picked.Clear();
    update();
}

void CPlan_View::SetResultDisplay(bool show, int band)
{
    m_results.m_bShowResults = show;
    m_results.m_nResultBand = (band >= 0 && band <= kBandCount) ? band : 0;
    if (!show) {
        m_picked.Clear();
        m_pNoiseMap.reset();
        if (m_pSectionView)
            m_pSectionView->SetNoiseMap(nullptr);
        Refit();
    }
    if (m_pSectionView)
        m_pSectionView->SetResultDisplay(m_results);
    RepaintBoth();
}

void CPlan_View::SetNoiseMap(std::shared_ptr<const CNoiseMap> map)
{
    m_pNoiseMap = std::move(map);
    if (m_pSectionView)
        m_pSectionView->SetNoiseMap(m_pNoiseMap);
    Refit();  // the strip beside a map narrows the scene
    RepaintBoth();
}

void CPlan_View::SetWorkingLists(const CWorkingLists& working)
{
    m_working = working;
    if (m_pSectionView)
        m_pSectionView->SetWorkingLists(working);
    RepaintBoth();
}

void CPlan_View::SetShowAllHeights(bool show)
{
    m_bShowAllHeights = show;
    update();
}

CSection_View* CPlan_View::SectionView() const { return m_pSectionView; }

void CPlan_View::SetSectionView(CSection_View* view)
{
    m_pSectionView = view;
    if (view) {
        view->SetResultDisplay(m_results);
        view->SetWorkingLists(m_working);
        view->SetNoiseMap(m_pNoiseMap);
    }
}

void CPlan_View::RepaintBoth()
{
    update();
    if (m_pSectionView)
        m_pSectionView->update();
}

// While a map is shown the strip on the right holds its legend, scale bar and north arrow;
// the scene is fitted to and drawn in the rest.
CViewProjection CPlan_View::ProjectionFor(QSize size, const CViewNavigation& nav) const
{
    const int width = m_pNoiseMap ? std::max(1, size.width() - kMapColumnWidth) : size.width();
    return PlanProjection(m_pDoc->m_settings, width, size.height(), nav.m_dPanX, nav.m_dPanY, nav.m_dZoom);
}

CWorldBox CPlan_View::ModelBox() const { return PlanModelBox(*m_pDoc); }

QString CPlan_View::PositionText(CViewPoint world) const
{
    return QStringLiteral("X %1 m, Y %2 m").arg(world.x, 0, 'f', 2).arg(world.y, 0, 'f', 2);
}

void CPlan_View::Render(QPaintDevice* device) const
{
    QPainter painter(device);
    const CViewProjection proj = Projection(QSize(device->width(), device->height()));
    CPlanPainter planPainter(painter, proj, *m_pDoc, m_working, m_results, m_picked);
    if (m_pNoiseMap) {
        planPainter.SetNoiseMap(&m_pNoiseMap->plan, &m_pNoiseMap->PlanShapes());
        if (m_pNoiseMap->style.legend)
            planPainter.SetNoiseMapLegend(&*m_pNoiseMap->style.legend);
    }
    planPainter.SetShowAllHeights(m_bShowAllHeights);
    planPainter.SetFacadeDisplay(m_facade);
    planPainter.Paint();
}

bool CPlan_View::PickAt(QPointF pixel)
{
    const CProjectSettings& s = m_pDoc->m_settings;
    // A project of buildings alone is calculated for their façade receivers.
    const bool calculated = (!m_pDoc->m_arrReceiver.empty() && m_pDoc->IsCalculated()) || !m_pDoc->m_arrFacade.empty();
    if (!calculated || !GridShown(s))
        return false;
    const CViewProjection proj = Projection(size());
    if (pixel.x() >= proj.Width())  // the strip beside a map
        return false;
    const CViewGrid grid(s);
    const auto name = grid.Pick(proj, pixel.x(), pixel.y());
    if (!name)
        return false;
    if (!m_picked.Contains(*name) && RefusedAsStale())  // a new level would mix two models
        return false;
    if (!m_picked.Remove(*name)) {
        const CViewPoint at = *grid.PointOf(*name);
        CReceiverPoint point;
        point.SetPosition(at.x, at.y, s.m_dReceiverHeight);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_picked.Add(*name, PointLevel(*m_pDoc, point, m_results.m_nResultBand));
        QApplication::restoreOverrideCursor();
    }
    update();
    emit DisplayListsChanged();
    return true;
}

void CPlan_View::mousePressEvent(QMouseEvent* event)
{
    CNavigableView::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    if (!(event->modifiers() & Qt::ControlModifier) && !PickAt(event->position()))
        update();
}
