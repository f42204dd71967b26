#include "drawing/view_navigation.h"

#include <algorithm>

void CViewNavigation::ZoomOut()
{
    m_dZoom -= kZoomOutStep;
    if (m_dZoom <= 0)
        m_dZoom = kMinZoom;
}

void CViewNavigation::Wheel(bool forward)
{
    if (forward) {
        m_dZoom += kWheelStep;
        return;
    }
    m_dZoom -= kWheelStep;
    if (m_dZoom <= kMinZoom)
        m_dZoom = kMinZoom;
}

void CViewNavigation::WheelDelta(int delta)
{
    constexpr int kNotch = 120;
    m_nWheelRest += delta;
    while (m_nWheelRest >= kNotch) {
        Wheel(true);
        m_nWheelRest -= kNotch;
    }
    while (m_nWheelRest <= -kNotch) {
        Wheel(false);
        m_nWheelRest += kNotch;
    }
}

void CViewNavigation::Press(int x, int y)
{
    m_nDownX = x;
    m_nDownY = y;
    m_dDragPanX = m_dPanX;
    m_dDragPanY = m_dPanY;
}

void CViewNavigation::DragTo(int x, int y, int clientHeight)
{
    // The view spans 2.2 view units over the client height.
    const double unitsPerPixel = 2.2 / std::max(1, clientHeight);
    m_dPanX = m_dDragPanX - (x - m_nDownX) * unitsPerPixel;
    m_dPanY = m_dDragPanY + (y - m_nDownY) * unitsPerPixel;
}
