#pragma once

// What the environment pane's navigation buttons do to the active view.
class INavigableView {
public:
    virtual ~INavigableView() = default;
    virtual void OffsetBy(double dx, double dy) = 0;  // horizontal and vertical offset steps
    virtual void CentreOffsets() = 0;                 // both offsets to 0
    virtual void ZoomIn() = 0;                        // +0.1 plan, +0.5 section
    virtual void ZoomReset() = 0;                     // zoom factor 1.0
    virtual void ZoomOut() = 0;                       // -0.1f, never below 0.1
};
