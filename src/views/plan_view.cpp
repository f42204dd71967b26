#include "views/plan_view.h"

CPlan_View::CPlan_View(CMyTalvoDoc* doc, QWidget* parent) : QWidget(parent), m_pDoc(doc) {}

void CPlan_View::OffsetBy(double, double) { update(); }
void CPlan_View::CentreOffsets() { update(); }
void CPlan_View::ZoomIn() { update(); }
void CPlan_View::ZoomReset() { update(); }
void CPlan_View::ZoomOut() { update(); }
void CPlan_View::ClearDisplayLists() {}
