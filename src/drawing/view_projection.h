#pragma once

// The orthographic projection shared by the plan and section views, as plain arithmetic.
// View units: the shorter side of the client area spans 2*halfExtent units (2.2 in the
// plan view, 2.08 in the section view) centred on 0. Metres become view units through
// the scale s = S * zoom about a world centre point, then the pan offsets are taken off.
// Pixels have their origin at the top left, y downwards.

struct CViewPoint {
    double x = 0, y = 0;
};

class CViewProjection {
public:
    // w, h: client size in pixels (each taken as at least 1).
    CViewProjection(int w, int h, double halfExtent);

    // Places the world: metres times scale, centred on (cx, cy), less the pan offsets.
    void SetWorld(double scale, double cx, double cy, double panX, double panY);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    double HalfX() const { return m_dA; }  // a: half the horizontal extent, view units
    double HalfY() const { return m_dB; }  // b: half the vertical extent, view units
    double Scale() const { return m_dScale; }

    CViewPoint ViewToPixel(double vx, double vy) const;
    CViewPoint PixelToView(double px, double py) const;
    CViewPoint WorldToView(double x, double y) const;
    CViewPoint WorldToPixel(double x, double y) const;
    CViewPoint PixelToWorld(double px, double py) const;
    // Overlay points: view units measured from the projected world origin, so that
    // glyphs keep their size at every zoom while following the pan.
    CViewPoint OverlayToPixel(double ux, double uy) const;
    // Pixels per metre.
    double PixelsPerMetre() const;

    // 2 / extent, or 1 for an empty, negative or non-finite extent (nothing divides by 0).
    static double ScaleForExtent(double extent);

private:
    int m_nWidth, m_nHeight;
    double m_dA, m_dB;
    double m_dScale = 1, m_dCentreX = 0, m_dCentreY = 0, m_dPanX = 0, m_dPanY = 0;
};
