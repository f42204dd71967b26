#include "helpers/input_window_fixture.h"

namespace inputtest {

void CInputWindowFixture::SetUpInputWindows()
{
    m_doc = CMyTalvoDoc();
    m_boxes = std::make_unique<CRecordingMessageBox>(QMessageBox::Yes);
    m_coordinator = std::make_unique<CInputWindowCoordinator>(&m_doc, nullptr);
}

// The windows go before the recorder they may still report to.
void CInputWindowFixture::TearDownInputWindows()
{
    m_coordinator.reset();
    m_boxes.reset();
}

}  // namespace inputtest
