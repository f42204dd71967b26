#include "dialogs/slope_direction_buttons.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QToolButton>

namespace {

constexpr int kPictureWidth = 72;
constexpr int kPictureHeight = 40;
constexpr int kGroundY = 24;  // height of the surrounding ground in the picture

// The body's cross-section: a fill above the ground or a cut below it, vertical on one
// side and sloped on the other.
QPolygonF BodyOutline(CSlopeDirectionButtons::EBody body, bool slopeOnLeft)
{
    const bool fill = body == CSlopeDirectionButtons::EBody::Embankment;
    const double top = fill ? 6.0 : kGroundY;
    const double bottom = fill ? kGroundY : kPictureHeight - 4.0;
    const double inner = fill ? 26.0 : 30.0;  // the sloped side runs over this many pixels
    QPolygonF outline;
    if (slopeOnLeft)
        outline << QPointF(10, fill ? bottom : top) << QPointF(10 + inner, fill ? top : bottom)
                << QPointF(62, fill ? top : bottom) << QPointF(62, fill ? bottom : top);
    else
        outline << QPointF(10, fill ? bottom : top) << QPointF(10, fill ? top : bottom)
                << QPointF(62 - inner, fill ? top : bottom) << QPointF(62, fill ? bottom : top);
    return outline;
}

QPixmap DirectionPicture(CSlopeDirectionButtons::EBody body, bool slopeOnLeft)
{
    QPixmap picture(kPictureWidth, kPictureHeight);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool fill = body == CSlopeDirectionButtons::EBody::Embankment;
    painter.setPen(QPen(QColor(90, 60, 30), 1.5));
    painter.setBrush(fill ? QColor(196, 160, 100) : QColor(225, 225, 225));
    painter.drawPolygon(BodyOutline(body, slopeOnLeft));
    painter.setPen(QPen(QColor(40, 120, 40), 2));
    painter.drawLine(QPointF(0, kGroundY), QPointF(10, kGroundY));
    painter.drawLine(QPointF(62, kGroundY), QPointF(kPictureWidth, kGroundY));
    return picture;
}

}  // namespace

CSlopeDirectionButtons::CSlopeDirectionButtons(const QString& title, EBody body, QWidget* parent)
    : QWidget(parent), m_pGroup(new QButtonGroup(this)), m_bReversed(body == EBody::Cutting)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(title, this));
    for (int direction = 0; direction < 2; ++direction) {
        auto* button = new QToolButton(this);
        button->setCheckable(true);
        button->setIcon(DirectionPicture(body, ShowsSlopeOnLeft(direction)));
        button->setIconSize(QSize(kPictureWidth, kPictureHeight));
        m_pGroup->addButton(button, direction);
        m_buttons[static_cast<std::size_t>(direction)] = button;
        layout->addWidget(button);
    }
    layout->addStretch(1);
    m_pGroup->setExclusive(true);
    SetDirection(0);
}

bool CSlopeDirectionButtons::ShowsSlopeOnLeft(int direction) const { return (direction == 0) != m_bReversed; }

int CSlopeDirectionButtons::Direction() const { return m_pGroup->checkedId() == 1 ? 1 : 0; }

void CSlopeDirectionButtons::SetDirection(int direction) { Button(direction == 1 ? 1 : 0)->setChecked(true); }
