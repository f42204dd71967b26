#include "drawing/view_navigation.h"

#include <algorithm>
#include <cmath>

void CViewNavigation::ZoomAbout(double factor, double vx, double vy)
{
    // A view point v shows the world point (v + pan) / (S zoom); keeping it under v after
    // the zoom grows by f asks for pan' = (v + pan) f - v.
    const double zoom = std::clamp(m_dZoom * factor, kMinFreeZoom, kMaxFreeZoom);
    const double f = zoom / m_dZoom;
    m_dPanX = (vx + m_dPanX) * f - vx;
    m_dPanY = (vy + m_dPanY) * f - vy;
    m_dZoom = zoom;
    Release();
}

void CViewNavigation::WheelDelta(int delta, double vx, double vy)
{
    constexpr int kNotch = 120;
    m_nWheelRest += delta;
    int notches = 0;
    for (; m_nWheelRest >= kNotch; m_nWheelRest -= kNotch)
        ++notches;
    for (; m_nWheelRest <= -kNotch; m_nWheelRest += kNotch)
        --notches;
    if (notches != 0)
        ZoomAbout(std::pow(kWheelFactor, notches), vx, vy);
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
