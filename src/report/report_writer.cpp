#include "report/report_writer.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFontDatabase>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <memory>
#include <vector>

#include "io/output_file.h"
#include "model/document.h"
#include "model/program_version.h"
#include "report/report_figures.h"
#include "report/report_parts.h"

namespace {

// Page geometry in millimetres on A4 portrait (210 x 297).
constexpr double kLeftMm = 18, kRightMm = 15, kTopMm = 22, kBottomMm = 18;
constexpr double kHeaderMm = 13, kFooterMm = 287;  // baselines of the header and the footer
constexpr double kKeyMapMm = 85;                   // the highest key map of the summary
constexpr int kPdfResolution = 300;                // dots per inch

// NanumBarunGothic (Debian's fonts-nanum): NanumGothic maps the control characters onto its
// space glyph, so a PDF viewer would copy every space of a NanumGothic text as U+0001.
const char* const kReportFamily = "NanumBarunGothic";
const char* const kReportFontFiles[] = {"/usr/share/fonts/truetype/nanum/NanumBarunGothic.ttf",
                                        "/usr/share/fonts/truetype/nanum/NanumBarunGothicBold.ttf"};

// Millimetres to device pixels, and the page's rectangles.
struct CPageFrame {
    double perMm = 1;
    double Px(double mm) const { return mm * perMm; }
    QRectF Body() const
    {
        return QRectF(Px(kLeftMm), Px(kTopMm), Px(210 - kLeftMm - kRightMm), Px(297 - kTopMm - kBottomMm));
    }
};

QFont ReportFont(double points, bool bold = false)
{
    QFont font(ReportFontFamily());
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

std::unique_ptr<QTextDocument> LaidOut(const QString& html, QPaintDevice& device, QSizeF page)
{
    auto text = std::make_unique<QTextDocument>();
    text->documentLayout()->setPaintDevice(&device);
    text->setDefaultFont(ReportFont(9));
    text->setDocumentMargin(0);
    text->setHtml(html);
    text->setPageSize(page);
    return text;
}

void PaintTextPage(QPainter& painter, QTextDocument& text, int page, const QRectF& body)
{
    const QRectF shown(0, page * body.height(), body.width(), body.height());
    painter.save();
    painter.translate(body.left(), body.top() - shown.top());
    painter.setClipRect(shown);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = shown;
    context.palette.setColor(QPalette::Text, Qt::black);
    text.documentLayout()->draw(&painter, context);
    painter.restore();
}

void PaintHeaderAndFooter(QPainter& painter, const CPageFrame& f, const CReportInput& input, int page, int pages)
{
    painter.save();
    painter.setPen(Qt::black);
    painter.setFont(ReportFont(8.5));
    const double width = f.Px(210 - kLeftMm - kRightMm);
    const QRectF header(f.Px(kLeftMm), f.Px(kHeaderMm - 6), width, f.Px(7));
    const QString date = QLocale::c().toString(input.date, QStringLiteral("yyyy-MM-dd"));
    painter.drawText(header, Qt::AlignLeft | Qt::AlignBottom,
                     QString::fromStdString(input.doc->m_settings.m_strProjectName));
    painter.drawText(header, Qt::AlignRight | Qt::AlignBottom, date);
    painter.setPen(QPen(QColor(90, 90, 90), f.Px(0.25)));
    painter.drawLine(QPointF(header.left(), f.Px(kHeaderMm + 1.5)), QPointF(header.right(), f.Px(kHeaderMm + 1.5)));
    painter.setPen(Qt::black);
    const QRectF footer(f.Px(kLeftMm), f.Px(kFooterMm - 6), width, f.Px(7));
    painter.drawText(footer, Qt::AlignLeft | Qt::AlignBottom, QString::fromUtf8(kProgramTitle));
    painter.drawText(footer, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("%1 / %2 쪽").arg(page).arg(pages));
    painter.restore();
}

// A part of the report: its rich text, laid out on pages of the body's size, and the
// figures drawn into it (which the text's layout refers to while it paints).
struct CPart {
    std::unique_ptr<CReportFigures> figures;
    std::unique_ptr<QTextDocument> text;
};

class CReportPainter {
public:
    CReportPainter(QPagedPaintDevice& device, const CReportInput& input) : m_device(device), m_input(input)
    {
        m_frame.perMm = device.logicalDpiX() / 25.4;
        const CMyTalvoDoc& doc = *input.doc;
        const QSizeF bodyMm(210 - kLeftMm - kRightMm, 297 - kTopMm - kBottomMm);
        Add([&](CReportFigures& figures) { return SummaryHtml(input, figures, QSizeF(bodyMm.width(), kKeyMapMm)); });
        Add([&](CReportFigures&) { return MethodHtml(doc); });
        Add([&](CReportFigures&) { return InputsHtml(doc); });
        Add([&](CReportFigures&) { return ResultsHtml(doc); });
        if (!doc.m_arrBuilding.empty())
            Add([&](CReportFigures&) { return FloorsHtml(doc); });
        Add([&](CReportFigures& figures) { return MapsHtml(input, figures, bodyMm); });
        if (input.design)
            Add([&](CReportFigures&) { return DesignHtml(doc, *input.design); });
    }

    int Pages() const
    {
        int pages = 0;
        for (const CPart& part : m_parts)
            pages += part.text->pageCount();
        return pages;
    }

    // Every part from a new page; false when the device failed (a PDF writer that could
    // not write its file).
    bool Paint()
    {
        QPainter painter(&m_device);
        if (!painter.isActive())
            return false;
        painter.setRenderHint(QPainter::Antialiasing);
        const int pages = Pages();
        int page = 0;
        for (const CPart& part : m_parts)
            for (int i = 0; i < part.text->pageCount(); ++i)
                PaintTextPage(painter, *part.text, i, Next(painter, page, pages));
        return painter.end();
    }

private:
    template <class MakeHtml>
    void Add(MakeHtml makeHtml)
    {
        CPart part;
        part.figures = std::make_unique<CReportFigures>(m_frame.perMm);
        part.text = LaidOut(makeHtml(*part.figures), m_device, m_frame.Body().size());
        part.figures->Install(*part.text);
        m_parts.push_back(std::move(part));
    }

    // Starts the next page (the first is open already) with its header and footer.
    QRectF Next(QPainter& painter, int& page, int pages)
    {
        if (page > 0)
            m_device.newPage();
        ++page;
        PaintHeaderAndFooter(painter, m_frame, m_input, page, pages);
        return m_frame.Body();
    }

    QPagedPaintDevice& m_device;
    const CReportInput& m_input;
    CPageFrame m_frame;
    std::vector<CPart> m_parts;
};

}  // namespace

QString ReportFontFamily()
{
    static const QString family = [] {
        for (const char* file : kReportFontFiles)
            if (QFile::exists(QString::fromLatin1(file)))
                QFontDatabase::addApplicationFont(QString::fromLatin1(file));
        const QString nanum = QString::fromLatin1(kReportFamily);
        return QFontDatabase::families().contains(nanum) ? nanum : QFont().family();
    }();
    return family;
}

int PaintReport(QPagedPaintDevice& device, const CReportInput& input)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    CReportPainter report(device, input);
    return report.Paint() ? report.Pages() : 0;
}

std::string WriteReportPdf(const CReportInput& input, const QString& path)
{
    COutputFile output;
    if (const std::string failure = output.Create(path.toStdString()); !failure.empty())
        return "보고서 파일을 만들 수 없습니다: " + failure;
    output.Stream().close();
    QFile file(QString::fromStdString(output.TemporaryPath()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return "보고서 파일을 만들 수 없습니다: " + file.errorString().toStdString();
    bool painted = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfResolution);
        writer.setTitle(QString::fromStdString(input.doc->m_settings.m_strProjectName));
        writer.setCreator(QString::fromUtf8(kProgramTitle));
        painted = PaintReport(writer, input) > 0;
    }
    // Every write and the close are checked: a full disk must not leave a cut report that
    // replaces the old one. Commit then flushes the file to disk and renames it into place.
    const bool written = file.flush() && file.error() == QFileDevice::NoError;
    file.close();
    if (!written || file.error() != QFileDevice::NoError)
        return "보고서 파일을 쓸 수 없습니다: " + file.errorString().toStdString();
    if (!painted)
        return "보고서 파일을 쓸 수 없습니다: PDF를 그리지 못했습니다.";
    if (const std::string failure = output.Commit(); !failure.empty())
        return "보고서 파일을 쓸 수 없습니다: " + failure;
    return {};
}
