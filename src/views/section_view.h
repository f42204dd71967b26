#pragma once

#include <QWidget>

#include "views/navigable_view.h"

class CMyTalvoDoc;

// The section view: the model cut by a vertical plane along the section line.
class CSection_View : public QWidget, public INavigableView {
    Q_OBJECT
public:
    explicit CSection_View(CMyTalvoDoc* doc, QWidget* parent = nullptr);

    void OffsetBy(double dx, double dy) override;
    void CentreOffsets() override;
    void ZoomIn() override;
    void ZoomReset() override;
    void ZoomOut() override;

private:
    CMyTalvoDoc* m_pDoc;
};
