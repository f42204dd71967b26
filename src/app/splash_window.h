#pragma once

// The start-up picture: a borderless window over the main window, removed by any
// key or mouse button pressed anywhere in the program (that press is consumed).
// At most one exists at a time.

#include <QPixmap>
#include <QPointer>
#include <QWidget>

class CSplashWnd : public QWidget {
    Q_OBJECT
public:
    // Shows the splash window centred on mainWindow unless one is already shown.
    static void ShowSplashScreen(QWidget* mainWindow);
    static CSplashWnd* Current();

    // The picture the window paints.
    static QPixmap SplashPicture();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    explicit CSplashWnd(QWidget* mainWindow);
    void HideSplashScreen();

    QPixmap m_picture;
    QPointer<QWidget> m_pMainWindow;
    static QPointer<CSplashWnd> s_pCurrent;
};
