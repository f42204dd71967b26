#include "app/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "app/command_table.h"

namespace {

// Pictures are drawn on a 32 x 32 canvas.
constexpr int kSize = 32;
const QColor kInk(40, 40, 40);
const QColor kRoadGrey(128, 128, 128);
const QColor kBarrierBlue(0, 0, 139);
const QColor kEarth(150, 105, 60);

void DrawPage(QPainter& p, int dx, int dy)
{
    QPainterPath page;
    page.moveTo(7 + dx, 3 + dy);
    page.lineTo(19 + dx, 3 + dy);
    page.lineTo(25 + dx, 9 + dy);
    page.lineTo(25 + dx, 29 + dy);
    page.lineTo(7 + dx, 29 + dy);
    page.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.drawLine(19 + dx, 3 + dy, 19 + dx, 9 + dy);
    p.drawLine(19 + dx, 9 + dy, 25 + dx, 9 + dy);
}

void DrawOpen(QPainter& p)
{
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(3, 9, 22, 18);
    p.drawRect(3, 6, 9, 3);
    p.setBrush(QColor(250, 225, 130));
    p.drawPolygon(QPolygon({QPoint(7, 14), QPoint(30, 14), QPoint(25, 27), QPoint(3, 27)}));
}

void DrawSave(QPainter& p)
{
    p.setBrush(QColor(60, 90, 160));
    p.drawRect(4, 4, 24, 24);
    p.setBrush(Qt::white);
    p.drawRect(9, 4, 14, 9);
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(8, 18, 16, 10);
}

void DrawRoad(QPainter& p, bool tunnel)
{
    if (tunnel) {
        p.setBrush(QColor(110, 110, 110));
        p.drawChord(QRect(3, 6, 26, 40), 0, 180 * 16);
    }
    p.setBrush(kRoadGrey);
    p.drawPolygon(QPolygon({QPoint(12, 6), QPoint(20, 6), QPoint(29, 29), QPoint(3, 29)}));
    p.setPen(QPen(Qt::white, 2, Qt::DashLine));
    p.drawLine(16, 8, 16, 28);
}

void DrawEarth(QPainter& p, bool fill)
{
    p.setBrush(kEarth);
    if (fill)
        p.drawPolygon(QPolygon({QPoint(2, 26), QPoint(10, 12), QPoint(22, 12), QPoint(30, 26)}));
    else
        p.drawPolygon(QPolygon({QPoint(2, 10), QPoint(10, 10), QPoint(14, 24), QPoint(18, 24), QPoint(22, 10),
                                QPoint(30, 10), QPoint(30, 28), QPoint(2, 28)}));
}

void DrawBarrier(QPainter& p)
{
    p.setBrush(kBarrierBlue);
    p.drawRect(6, 5, 8, 23);
    p.setBrush(QColor(70, 110, 200));
    p.drawRect(14, 5, 8, 23);
    p.setBrush(kInk);
    p.drawRect(4, 27, 24, 3);
}

void DrawReceiver(QPainter& p)
{
    p.setBrush(QColor(220, 30, 30));
    p.drawEllipse(QPoint(16, 16), 7, 7);
    p.drawLine(16, 3, 16, 29);
    p.drawLine(3, 16, 29, 16);
}

// An apartment block with rows of windows.
void DrawBuilding(QPainter& p)
{
    p.setBrush(QColor(200, 194, 184));
    p.drawRect(8, 4, 16, 25);
    p.setBrush(QColor(90, 130, 190));
    for (int y = 7; y < 26; y += 5)
        for (int x : {11, 18})
            p.drawRect(x, y, 3, 3);
}

// A block beside a table with one row marked.
void DrawFloors(QPainter& p)
{
    p.setBrush(QColor(200, 194, 184));
    p.drawRect(3, 6, 9, 23);
    p.setBrush(Qt::white);
    p.drawRect(15, 6, 14, 23);
    for (int y = 12; y < 29; y += 6)
        p.drawLine(15, y, 29, y);
    p.setBrush(QColor(220, 60, 60));
    p.drawRect(15, 12, 14, 6);
}

void DrawCalculate(QPainter& p)
{
    p.setBrush(QColor(255, 200, 0));
    p.drawPolygon(
        QPolygon({QPoint(18, 2), QPoint(7, 18), QPoint(15, 18), QPoint(12, 30), QPoint(25, 12), QPoint(17, 12)}));
}

void DrawChart(QPainter& p)
{
    p.setBrush(QColor(60, 150, 60));
    p.drawRect(5, 18, 5, 10);
    p.drawRect(13, 10, 5, 18);
    p.drawRect(21, 5, 5, 23);
    p.drawLine(3, 28, 29, 28);
}

void DrawLetters(QPainter& p, const QString& text, const QColor& colour)
{
    QFont font = p.font();
    font.setPixelSize(14);
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, text);
}

void DrawCopy(QPainter& p, const QString& letter)
{
    DrawPage(p, -3, -1);
    DrawPage(p, 3, 2);
    DrawLetters(p, letter, kBarrierBlue);
}

void DrawAbout(QPainter& p)
{
    p.setBrush(QColor(40, 100, 200));
    p.drawEllipse(QPoint(16, 16), 13, 13);
    DrawLetters(p, QStringLiteral("?"), Qt::white);
}

// The result display's letters struck out.
void DrawRemoveOutput(QPainter& p)
{
    DrawLetters(p, QStringLiteral("dB"), QColor(150, 150, 150));
    p.setPen(QPen(QColor(200, 30, 30), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(6, 26, 26, 6);
}

// A frame with its four corners pushed outwards: everything fills the view.
void DrawFit(QPainter& p)
{
    p.setBrush(QColor(230, 240, 250));
    p.drawRect(9, 9, 14, 14);
    p.setPen(QPen(kInk, 2));
    for (int sx : {-1, 1}) {
        for (int sy : {-1, 1}) {
            const QPoint corner(16 + sx * 13, 16 + sy * 13);
            p.drawLine(corner, corner - QPoint(sx * 6, 0));
            p.drawLine(corner, corner - QPoint(0, sy * 6));
        }
    }
}

void Draw(QPainter& p, int id)
{
    switch (id) {
    case cmd::FileNew: DrawPage(p, 0, 0); break;
    case cmd::FileOpen: DrawOpen(p); break;
    case cmd::FileSave: DrawSave(p); break;
    case cmd::InputRoad: DrawRoad(p, false); break;
    case cmd::InputTunnel: DrawRoad(p, true); break;
    case cmd::InputEmbankment: DrawEarth(p, true); break;
    case cmd::InputCutting: DrawEarth(p, false); break;
    case cmd::InputBarrier: DrawBarrier(p); break;
    case cmd::InputReceiver: DrawReceiver(p); break;
    case cmd::InputBuilding: DrawBuilding(p); break;
    case cmd::ResultFloors: DrawFloors(p); break;
    case cmd::ViewFit: DrawFit(p); break;
    case cmd::Calculate: DrawCalculate(p); break;
    case cmd::ResultChart: DrawChart(p); break;
    case cmd::ResultDisplay: DrawLetters(p, QStringLiteral("dB"), QColor(200, 30, 30)); break;
    case cmd::ResultRemove: DrawRemoveOutput(p); break;
    case cmd::CopyPlanView: DrawCopy(p, QStringLiteral("P")); break;
    case cmd::CopySectionView: DrawCopy(p, QStringLiteral("S")); break;
    case cmd::AppAbout: DrawAbout(p); break;
    default: break;
    }
}

}  // namespace

QIcon CommandIcon(int commandId)
{
    if (commandId == cmd::None)
        return {};
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kInk, 1.2));
    Draw(painter, commandId);
    painter.end();
    return QIcon(pixmap);
}
