#pragma once

#include <QWidget>

#include "views/navigable_view.h"

class CMyTalvoDoc;

// The plan view: the model seen from above, the calculation area, the receiver grid
// and the result labels.
class CPlan_View : public QWidget, public INavigableView {
    Q_OBJECT
public:
    explicit CPlan_View(CMyTalvoDoc* doc, QWidget* parent = nullptr);

    void OffsetBy(double dx, double dy) override;
    void CentreOffsets() override;
    void ZoomIn() override;
    void ZoomReset() override;
    void ZoomOut() override;

    // Empties the picked grid points and their labels.
    void ClearDisplayLists();

private:
    CMyTalvoDoc* m_pDoc;
};
