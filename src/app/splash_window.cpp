#include "app/splash_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "app/version.h"

QPointer<CSplashWnd> CSplashWnd::s_pCurrent;

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 280;

bool DismissesSplash(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto button = static_cast<const QMouseEvent*>(event)->button();
        return button == Qt::LeftButton || button == Qt::RightButton || button == Qt::MiddleButton;
    }
    default: return false;
    }
}

void DrawRoadScene(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(128, 128, 128));
    p.drawPolygon(QPolygon({QPoint(40, 250), QPoint(200, 170), QPoint(240, 170), QPoint(160, 250)}));
    p.setBrush(QColor(0, 0, 139));
    p.drawPolygon(QPolygon({QPoint(175, 250), QPoint(245, 170), QPoint(245, 150), QPoint(175, 220)}));
}

}  // namespace

QPixmap CSplashWnd::SplashPicture()
{
    QPixmap pixmap(kWidth, kHeight);
    QPainter p(&pixmap);
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0, QColor(40, 80, 150));
    sky.setColorAt(1, QColor(170, 205, 235));
    p.fillRect(pixmap.rect(), sky);
    p.setRenderHint(QPainter::Antialiasing);
    DrawRoadScene(p);
    p.setPen(Qt::white);
    QFont font = QApplication::font();
    font.setPixelSize(40);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 40, kWidth, 60), Qt::AlignCenter, QStringLiteral("TALVO"));
    font.setPixelSize(16);
    font.setBold(false);
    p.setFont(font);
    p.drawText(QRect(0, 100, kWidth, 30), Qt::AlignCenter, QStringLiteral("도로교통소음 예측 및 방음벽 설계"));
    p.drawText(QRect(0, 130, kWidth, 30), Qt::AlignCenter, QString::fromUtf8(kProgramTitle));
    return pixmap;
}

CSplashWnd::CSplashWnd(QWidget* mainWindow)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_picture(SplashPicture()),
      m_pMainWindow(mainWindow)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(m_picture.size());
    qApp->installEventFilter(this);
}

void CSplashWnd::ShowSplashScreen(QWidget* mainWindow)
{
    if (s_pCurrent)
        return;
    s_pCurrent = new CSplashWnd(mainWindow);
    const QRect area = mainWindow ? mainWindow->frameGeometry() : s_pCurrent->screen()->geometry();
    s_pCurrent->move(area.center() - s_pCurrent->rect().center());
    s_pCurrent->show();
}

CSplashWnd* CSplashWnd::Current() { return s_pCurrent; }

bool CSplashWnd::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        // Keep the key from reaching a shortcut: its press is the splash window's.
        event->accept();
        return true;
    }
    if (!DismissesSplash(event))
        return false;
    HideSplashScreen();
    return true;
}

void CSplashWnd::HideSplashScreen()
{
    qApp->removeEventFilter(this);
    close();
    if (m_pMainWindow)
        m_pMainWindow->update();
}

void CSplashWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}
