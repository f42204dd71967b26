#pragma once

// Pixel checks for rendered views: colours compared channel by channel within a
// tolerance, so that the 0..1 colour fractions may round either way.

#include <cstdlib>

#include <QColor>
#include <QImage>
#include <QString>

#include "drawing/view_projection.h"

constexpr int kColourTol = 3;  // per channel, 0..255

inline bool SameColour(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) <= kColourTol && std::abs(a.green() - b.green()) <= kColourTol &&
           std::abs(a.blue() - b.blue()) <= kColourTol;
}

inline QColor PixelAt(const QImage& image, const CViewPoint& p) { return image.pixelColor(int(p.x), int(p.y)); }

inline QString Describe(const QColor& c)
{
    return QStringLiteral("(%1, %2, %3)").arg(c.red()).arg(c.green()).arg(c.blue());
}

// Saves a render for a look by eye when TALVO_SAVE_RENDERS names a folder.
inline void SaveRenderIfAsked(const QImage& image, const QString& name)
{
    const QByteArray dir = qgetenv("TALVO_SAVE_RENDERS");
    if (!dir.isEmpty())
        image.save(QString::fromLocal8Bit(dir) + QStringLiteral("/") + name);
}

// Whether the colour shows at p or one of its eight neighbours: thin lines drawn with
// antialiasing cover one whole pixel only somewhere near their exact position.
inline bool ColourNear(const QImage& image, const CViewPoint& p, const QColor& colour)
{
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint at(int(p.x) + dx, int(p.y) + dy);
            if (image.rect().contains(at) && SameColour(image.pixelColor(at), colour))
                return true;
        }
    }
    return false;
}
