#pragma once

// Pan offsets and zoom factor of a view, in view units, with the steps of the
// environment pane's buttons, the wheel and the Ctrl+drag. Plain arithmetic, no window.

struct CViewNavigation {
    double m_dPanX = 0, m_dPanY = 0;          // offsets, view units
    double m_dDragPanX = 0, m_dDragPanY = 0;  // offsets saved when a drag starts or ends
    double m_dZoom = 1.0;
    int m_nDownX = 0, m_nDownY = 0;  // pointer position of the last left-button press, pixels
    int m_nWheelRest = 0;            // wheel movement not yet a whole notch (1/8 degrees)

    // Every zoom goes by factors, so a step acts alike at any zoom: the wheel and the
    // pane's steps by this one, a fit by whatever it needs, all within the limits.
    static constexpr double kWheelFactor = 1.25;  // per notch and per pane step
    static constexpr double kMinFreeZoom = 1e-3;
    static constexpr double kMaxFreeZoom = 1e5;

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
    void ZoomReset() { m_dZoom = 1.0; }
    // The pane's "확대" and "축소": one wheel notch in or out about the view centre.
    void ZoomIn() { ZoomAbout(kWheelFactor, 0, 0); }
    void ZoomOut() { ZoomAbout(1 / kWheelFactor, 0, 0); }
    // Multiplies the zoom by factor (kept within the free zoom limits) about the view
    // point (vx, vy), which stays where it is on screen.
    void ZoomAbout(double factor, double vx, double vy);

    // Adds a wheel movement in 1/8 degrees and zooms by kWheelFactor per whole notch
    // (15 degrees) reached, forward in and back out, about the view point (vx, vy);
    // fine-grained wheels and touchpads zoom as a notched wheel does.
    void WheelDelta(int delta, double vx, double vy);

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
