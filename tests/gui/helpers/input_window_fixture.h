#pragma once

// What every input window test works on: a fresh document, the coordinator that opens
// the windows on it (no parent widget), and the message-box recorder. A test class
// derives from it next to QObject and calls SetUpInputWindows() from init() and
// TearDownInputWindows() from cleanup().

#include <memory>

#include "app/input_window_coordinator.h"
#include "helpers/input_test_support.h"
#include "model/document.h"

namespace inputtest {

class CInputWindowFixture {
protected:
    void SetUpInputWindows();
    void TearDownInputWindows();

    CMyTalvoDoc m_doc;
    std::unique_ptr<CInputWindowCoordinator> m_coordinator;
    std::unique_ptr<CMessageRecorder> m_boxes;
};

}  // namespace inputtest
