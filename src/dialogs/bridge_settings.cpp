#include "dialogs/bridge_settings.h"

#include <QPainter>

CBridgeSettings CBridgeSettings::FromRoad(const CRoad& road)
{
    CBridgeSettings s;
    s.m_nBridgeType = road.m_nBridgeType;
    s.m_barriers[0] = {road.m_dLeftBarrierHeight, road.m_nLeftAttenuator, road.m_dLeftAbsorption};
    s.m_barriers[1] = {road.m_dCentreBarrierHeight, road.m_nCentreAttenuator, road.m_dCentreAbsorption};
    s.m_barriers[2] = {road.m_dRightBarrierHeight, road.m_nRightAttenuator, road.m_dRightAbsorption};
    return s;
}

void CBridgeSettings::ApplyTo(CRoad& road) const
{
    road.m_nBridgeType = m_nBridgeType;
    road.m_dLeftBarrierHeight = m_barriers[0].m_dHeight;
    road.m_nLeftAttenuator = m_barriers[0].m_nAttenuator;
    road.m_dLeftAbsorption = m_barriers[0].m_dAbsorption;
    road.m_dCentreBarrierHeight = m_barriers[1].m_dHeight;
    road.m_nCentreAttenuator = m_barriers[1].m_nAttenuator;
    road.m_dCentreAbsorption = m_barriers[1].m_dAbsorption;
    road.m_dRightBarrierHeight = m_barriers[2].m_dHeight;
    road.m_nRightAttenuator = m_barriers[2].m_nAttenuator;
    road.m_dRightAbsorption = m_barriers[2].m_dAbsorption;
}

QString BridgeTypeCaption(int type)
{
    static const char* const captions[] = {"강철형교", "콘크리트형교", "콘크리트강철형교", "콘크리트상판강판형교",
                                           "콘크리트I형교"};
    return type >= 0 && type < 5 ? QString::fromUtf8(captions[type]) : QString();
}

QString BridgeTypeButtonCaption(int type)
{
    static const char* const captions[] = {"강철형교", "콘크리트형교", "콘크리트상판\n강철형교",
                                           "콘크리트상판\n강판형교", "콘크리트I형교"};
    return type >= 0 && type < 5 ? QString::fromUtf8(captions[type]) : QString();
}

const std::array<QString, kAttenuatorCount>& AttenuatorNames()
{
    static const std::array<QString, kAttenuatorCount> names = {
        QStringLiteral("없음"),   QStringLiteral("태종"),   QStringLiteral("메리츠"),    QStringLiteral("AVT"),
        QStringLiteral("명성"),   QStringLiteral("유니슨"), QStringLiteral("도아"),      QStringLiteral("상진"),
        QStringLiteral("신세계"), QStringLiteral("보훈"),   QStringLiteral("엔비이시스")};
    return names;
}

namespace {

const QColor kSteel(70, 90, 140);
const QColor kConcrete(165, 165, 160);

// Cross-sections drawn in a 120 x 60 box: a deck slab on top, the girders under it.
void DrawDeck(QPainter& p, const QColor& colour) { p.fillRect(QRectF(5, 8, 110, 10), colour); }

void DrawIGirder(QPainter& p, double x, const QColor& colour)
{
    p.fillRect(QRectF(x - 8, 18, 16, 3), colour);
    p.fillRect(QRectF(x - 1.5, 21, 3, 24), colour);
    p.fillRect(QRectF(x - 8, 45, 16, 3), colour);
}

void DrawBox(QPainter& p, const QColor& colour)
{
    QPolygonF box;
    box << QPointF(20, 18) << QPointF(100, 18) << QPointF(88, 50) << QPointF(32, 50);
    p.setBrush(colour);
    p.drawPolygon(box);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(40, 24, 40, 18));
}

void DrawPlateGirders(QPainter& p)
{
    for (double x : {30.0, 90.0})
        p.fillRect(QRectF(x - 2, 18, 4, 32), kSteel);
    p.fillRect(QRectF(26, 48, 68, 3), kSteel);
}

void DrawPicture(QPainter& p, int type)
{
    switch (type) {
    case 0:  // steel girders under a steel deck
        DrawDeck(p, kSteel);
        for (double x : {25.0, 60.0, 95.0})
            DrawIGirder(p, x, kSteel);
        break;
    case 1:  // concrete box girder
        DrawDeck(p, kConcrete);
        DrawBox(p, kConcrete);
        break;
    case 2:  // concrete deck on steel girders
        DrawDeck(p, kConcrete);
        for (double x : {25.0, 60.0, 95.0})
            DrawIGirder(p, x, kSteel);
        break;
    case 3:  // concrete deck on steel plate girders
        DrawDeck(p, kConcrete);
        DrawPlateGirders(p);
        break;
    default:  // concrete I-girders
        DrawDeck(p, kConcrete);
        for (double x : {20.0, 47.0, 73.0, 100.0})
            DrawIGirder(p, x, kConcrete.darker(130));
        break;
    }
}

}  // namespace

QPixmap BridgeTypePicture(int type, QSize size)
{
    QPixmap picture(size);
    picture.fill(Qt::white);
    if (type < 0 || type >= 5)
        return picture;
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size.width() / 120.0, size.height() / 60.0);
    p.setPen(QPen(Qt::black, 0.8));
    DrawPicture(p, type);
    p.setPen(QPen(Qt::darkGray, 1));
    p.drawLine(QPointF(5, 55), QPointF(115, 55));
    return picture;
}
