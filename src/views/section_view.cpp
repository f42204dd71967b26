#include "views/section_view.h"

CSection_View::CSection_View(CMyTalvoDoc* doc, QWidget* parent) : QWidget(parent), m_pDoc(doc) {}

void CSection_View::OffsetBy(double, double) { update(); }
void CSection_View::CentreOffsets() { update(); }
void CSection_View::ZoomIn() { update(); }
void CSection_View::ZoomReset() { update(); }
void CSection_View::ZoomOut() { update(); }
