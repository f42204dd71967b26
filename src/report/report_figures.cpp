#include "report/report_figures.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

namespace {

constexpr int kFigureObject = QTextFormat::UserObject + 1;
constexpr int kFigureIndex = QTextFormat::UserProperty + 1;

// The text a figure's paragraph holds until the figure replaces it.
QString Marker(std::size_t index) { return QStringLiteral("figure-%1-here").arg(index); }

}  // namespace

QString CReportFigures::Add(QSizeF sizeMm, CFigurePaint paint)
{
    m_arrFigure.push_back({sizeMm * m_dPerMm, std::move(paint)});
    return QStringLiteral("<p align=\"center\">%1</p>").arg(Marker(m_arrFigure.size() - 1));
}

void CReportFigures::Install(QTextDocument& text)
{
    text.documentLayout()->registerHandler(kFigureObject, this);
    for (std::size_t i = 0; i < m_arrFigure.size(); ++i) {
        QTextCursor at = text.find(Marker(i));
        if (at.isNull())
            continue;
        QTextCharFormat format;
        format.setObjectType(kFigureObject);
        format.setProperty(kFigureIndex, int(i));
        at.insertText(QString(QChar::ObjectReplacementCharacter), format);
    }
}

const CReportFigures::CFigure* CReportFigures::FigureOf(const QTextFormat& format) const
{
    const int index = format.intProperty(kFigureIndex);
    return index >= 0 && std::size_t(index) < m_arrFigure.size() ? &m_arrFigure[std::size_t(index)] : nullptr;
}

QSizeF CReportFigures::intrinsicSize(QTextDocument*, int, const QTextFormat& format)
{
    const CFigure* figure = FigureOf(format);
    return figure ? figure->size : QSizeF();
}

void CReportFigures::drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat& format)
{
    const CFigure* figure = FigureOf(format);
    if (!figure || !painter)
        return;
    painter->save();
    figure->paint(*painter, rect);
    painter->restore();
}
