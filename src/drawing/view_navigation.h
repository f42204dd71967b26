#pragma once

// Pan offsets and zoom factor of a view, in view units, with the steps of the
// environment pane's buttons, the wheel and the Ctrl+drag. Plain arithmetic, no window.

struct CViewNavigation {
    double m_dPanX = 0, m_dPanY = 0;          // offsets, view units
    double m_dDragPanX = 0, m_dDragPanY = 0;  // offsets saved when a drag starts or ends
    double m_dZoom = 1.0;
    int m_nDownX = 0, m_nDownY = 0;  // pointer position of the last left-button press, pixels
    int m_nWheelRest = 0;            // wheel movement not yet a whole notch (1/8 degrees)

    // The zoom-out step is the single-precision 0.1 (0.10000000149011612), so ten steps
    // from 1.0 end just below 0 and are raised to 0.1.
    static constexpr double kZoomOutStep = 0.1f;
    static constexpr double kWheelStep = 0.1;
    static constexpr double kMinZoom = 0.1;

    void OffsetBy(double dx, double dy)
    {
        m_dPanX += dx;
        m_dPanY += dy;
    }
    void Centre()
    {
        m_dPanX = 0;
        m_dPanY = 0;
    }
    void ZoomBy(double step) { m_dZoom += step; }
    void ZoomReset() { m_dZoom = 1.0; }
    // The pane's "축소": a result of 0 or less becomes 0.1.
    void ZoomOut();
    // One wheel notch: forward +0.1; back -0.1, and 0.1 when the result is 0.1 or less.
    void Wheel(bool forward);

    // Adds a wheel movement in 1/8 degrees and applies every whole notch (15 degrees)
    // reached, so fine-grained wheels and touchpads zoom as a notched wheel does.
    void WheelDelta(int delta);

    // Left button pressed at (x, y): remember it and keep the offsets for a drag.
    void Press(int x, int y);
    // Ctrl+drag to (x, y) in a client area of the given height: the scene follows the pointer.
    void DragTo(int x, int y, int clientHeight);
    // Left button released: the offsets reached become the drag copies.
    void Release()
    {
        m_dDragPanX = m_dPanX;
        m_dDragPanY = m_dPanY;
    }
};
