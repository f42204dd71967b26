#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("제목 없음 - TALVO ver 1.381"));
    w.showMaximized();
    return app.exec();
}
