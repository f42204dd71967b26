#include "drawing/view_projection.h"

#include <algorithm>
#include <cmath>

CViewProjection::CViewProjection(int w, int h, double halfExtent) : m_nWidth(std::max(1, w)), m_nHeight(std::max(1, h))
{
    const double aspect = double(m_nWidth) / m_nHeight;
    if (m_nWidth >= m_nHeight) {
        m_dA = halfExtent * aspect;
        m_dB = halfExtent;
    } else {
        m_dA = halfExtent;
        m_dB = halfExtent / aspect;
    }
}

void CViewProjection::SetWorld(double scale, double cx, double cy, double panX, double panY)
{
    m_dScale = scale;
    m_dCentreX = cx;
    m_dCentreY = cy;
    m_dPanX = panX;
    m_dPanY = panY;
}

CViewPoint CViewProjection::ViewToPixel(double vx, double vy) const
{
    return {(vx + m_dA) / (2 * m_dA) * m_nWidth, (m_dB - vy) / (2 * m_dB) * m_nHeight};
}

CViewPoint CViewProjection::PixelToView(double px, double py) const
{
    return {px / m_nWidth * 2 * m_dA - m_dA, m_dB - py / m_nHeight * 2 * m_dB};
}

CViewPoint CViewProjection::WorldToView(double x, double y) const
{
    return {(x - m_dCentreX) * m_dScale - m_dPanX, (y - m_dCentreY) * m_dScale - m_dPanY};
}

CViewPoint CViewProjection::WorldToPixel(double x, double y) const
{
    const CViewPoint v = WorldToView(x, y);
    return ViewToPixel(v.x, v.y);
}

CViewPoint CViewProjection::PixelToWorld(double px, double py) const
{
    const CViewPoint v = PixelToView(px, py);
    return {(v.x + m_dPanX) / m_dScale + m_dCentreX, (v.y + m_dPanY) / m_dScale + m_dCentreY};
}

CViewPoint CViewProjection::OverlayToPixel(double ux, double uy) const
{
    const CViewPoint origin = WorldToView(0, 0);
    return ViewToPixel(origin.x + ux, origin.y + uy);
}

double CViewProjection::PixelsPerMetre() const { return m_dScale * m_nHeight / (2 * m_dB); }

double CViewProjection::ScaleForExtent(double extent)
{
    if (!(extent > 0) || !std::isfinite(extent))
        return 1.0;
    return 2.0 / extent;
}
