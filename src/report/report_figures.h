#pragma once

// Drawings set into the report's rich text. Each is an inline object of the text that
// paints itself with the painter the page is painted with, so that a PDF holds it as paths
// and text (crisp at every zoom, its words searchable), never as a picture. The text's
// layout places a figure like a large character: it moves to the next page when it does
// not fit below the text before it.

#include <QObject>
#include <QSizeF>
#include <QString>
#include <QTextObjectInterface>
#include <functional>
#include <vector>

class QPainter;
class QTextDocument;

// Paints a figure into rect (the painter's units, which keep the figure's proportions).
using CFigurePaint = std::function<void(QPainter& painter, const QRectF& rect)>;

class CReportFigures : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    // devicePerMm: the units of the device the text is laid out for, per millimetre.
    explicit CReportFigures(double devicePerMm) : m_dPerMm(devicePerMm) {}

    // Adds a figure of this size on paper and returns the rich text that stands for it
    // (a centred paragraph of its own) until Install puts the figure there.
    QString Add(QSizeF sizeMm, CFigurePaint paint);
    // Puts every figure in place of its paragraph's text and lets the text's layout draw
    // them; this object must outlive every painting of the text.
    void Install(QTextDocument& text);

    QSizeF intrinsicSize(QTextDocument* text, int position, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* text, int position,
                    const QTextFormat& format) override;

private:
    struct CFigure {
        QSizeF size;  // device units
        CFigurePaint paint;
    };
    const CFigure* FigureOf(const QTextFormat& format) const;

    double m_dPerMm;
    std::vector<CFigure> m_arrFigure;
};
