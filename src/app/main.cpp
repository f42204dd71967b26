#include <QApplication>

#include "app/application.h"
#include "app/main_frame.h"

int main(int argc, char* argv[])
{
    if (const std::optional<int> status = CMyTalvoApp::AnswerWithoutWindow(argc, argv))
        return *status;
    QApplication app(argc, argv);
    CMyTalvoApp::SetUpApplication(app);
    const CStartupOptions options = CMyTalvoApp::ParseCommandLine(QApplication::arguments());
    CMainFrame frame;
    CMyTalvoApp::InitInstance(frame, options);
    return QApplication::exec();
}
