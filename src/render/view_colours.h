#pragma once

// The colours of both views, as red, green and blue fractions.

#include <QColor>
#include <QFont>

namespace ViewColour {
inline QColor Rgb(double r, double g, double b) { return QColor::fromRgbF(float(r), float(g), float(b)); }

inline QColor Background() { return Rgb(0.94118, 1, 0.94118); }
inline QColor Area() { return Rgb(1, 0.8, 0.4); }  // calculation area and ground fill
inline QColor Road() { return Rgb(0.66275, 0.66275, 0.66275); }
inline QColor Barrier() { return Rgb(0, 0, 0.5451); }
inline QColor Highlight() { return Rgb(1, 0.0784, 0.5765); }  // the entity being edited
inline QColor Embankment() { return Rgb(1, 1, 0); }
inline QColor Crest() { return Rgb(0.56471, 0.933, 0.56471); }  // slope strip next to the axis
inline QColor Cutting() { return Rgb(1, 0.6, 0.4); }
inline QColor TunnelBox() { return Rgb(0.7, 0.3, 0.6); }
inline QColor TunnelVault() { return Rgb(0.9, 0.5, 0.9); }
inline QColor Marker() { return Rgb(0, 0.7, 0); }              // section and receiver-height triangles
inline QColor Building() { return Rgb(0.78, 0.76, 0.72); }     // a footprint's fill
inline QColor BuildingEdge() { return Rgb(0.35, 0.33, 0.3); }  // its walls
inline QColor Red() { return Rgb(1, 0, 0); }
inline QColor MutedReceiver() { return Rgb(0.93, 0.62, 0.62); }  // a receiver at another height
inline QColor Black() { return Rgb(0, 0, 0); }
inline QColor Blue() { return Rgb(0, 0, 1); }
inline QColor Halo() { return Rgb(1, 1, 1); }            // round the model drawn over a noise map
inline QColor Muted() { return Rgb(0.62, 0.62, 0.62); }  // level labels of stale results

// A level label's colour: its own while the results are current, muted while stale.
inline QColor LevelLabel(const QColor& own, bool stale) { return stale ? Muted() : own; }

inline QColor Tunnel(int form) { return form == 0 ? TunnelBox() : TunnelVault(); }

// A barrier the calculation leaves out.
inline QColor ExcludedBarrier() { return Rgb(0.7, 0.7, 0.7); }
}  // namespace ViewColour

// Labels of both views: 12-pixel characters in a face that has the Korean glyphs and a
// decimal point that cannot pass for a comma.
inline QFont ViewFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("NanumBarunGothic"), QStringLiteral("NanumGothic")});
    font.setPixelSize(12);
    return font;
}
