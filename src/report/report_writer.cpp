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

#include "drawing/section_exaggeration.h"
#include "io/output_file.h"
#include "model/document.h"
#include "model/noise_level_classes.h"
#include "model/program_version.h"
#include "render/noise_map_image.h"
#include "report/report_html.h"
#include "report/report_parts.h"

namespace {

// Page geometry in millimetres on A4 portrait (210 x 297).
constexpr double kLeftMm = 18, kRightMm = 15, kTopMm = 22, kBottomMm = 18;
constexpr double kHeaderMm = 13, kFooterMm = 287;  // baselines of the header and the footer
constexpr int kMapImageWidth = 1400;               // pixels of the rendered map pictures
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

// Draws image as large as fits into room, keeping its proportions; returns the bottom edge.
double PaintPicture(QPainter& painter, const QImage& image, const QRectF& room)
{
    const QSizeF size = QSizeF(image.size()).scaled(room.size(), Qt::KeepAspectRatio);
    const QRectF target(room.left() + 0.5 * (room.width() - size.width()), room.top(), size.width(), size.height());
    painter.drawImage(target, image);
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    painter.drawRect(target);
    return target.bottom();
}

double PaintCaption(QPainter& painter, const QString& caption, const QRectF& room, double points)
{
    painter.setPen(Qt::black);
    painter.setFont(ReportFont(points, points > 11));
    const QRectF line(room.left(), room.top(), room.width(), room.height());
    const QRectF used = painter.boundingRect(line, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, caption);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, caption);
    return used.bottom();
}

QString MapWhat(const CNoiseMapGrid& grid) { return QString::fromStdString(NoiseMapUnit(grid.m_nBand)); }

// The maps page: the plan map above, the section map below, each with its caption.
void PaintMapsPage(QPainter& painter, const CPageFrame& f, const CReportInput& input)
{
    const QRectF body = f.Body();
    double y = PaintCaption(painter, QStringLiteral("4. 소음 지도"), body, 14) + f.Px(3);
    if (!input.map || input.map->plan.Empty()) {
        PaintCaption(painter, QStringLiteral("소음지도가 계산되지 않았습니다."), body.adjusted(0, y - body.top(), 0, 0),
                     9);
        return;
    }
    const CMyTalvoDoc& doc = *input.doc;
    const CNoiseMapGrid& plan = input.map->plan;
    const double spacing = plan.m_arrU.size() > 1 ? plan.m_arrU[1] - plan.m_arrU[0] : 0;
    y = PaintCaption(painter,
                     QStringLiteral("평면 소음지도: %1, 높이 %2 m, 격자 간격 %3 m")
                         .arg(MapWhat(plan), report::Fixed(plan.m_dHeight, 1), report::Fixed(spacing, 1)),
                     QRectF(body.left(), y, body.width(), f.Px(8)), 9) +
        f.Px(2);
    const QImage planImage = RenderPlanMapImage(doc, plan, PlanMapImageSize(doc, kMapImageWidth));
    y = PaintPicture(painter, planImage, QRectF(body.left(), y, body.width(), body.height() * 0.55)) + f.Px(8);
    if (!input.map->section || input.map->section->Empty())
        return;
    const CNoiseMapGrid& section = *input.map->section;
    y = PaintCaption(painter,
                     QStringLiteral("단면 소음지도: %1, 단면선을 따라 지면에서 %2 m까지, 높이 %3배 확대")
                         .arg(MapWhat(section), report::Fixed(section.m_dEndV - section.m_dStartV, 0))
                         .arg(kDefaultSectionExaggeration),
                     QRectF(body.left(), y, body.width(), f.Px(8)), 9) +
        f.Px(2);
    const double exaggeration = kDefaultSectionExaggeration;
    const QSize size = SectionMapImageSize(section, section.m_dStartU, section.m_dEndU, exaggeration, kMapImageWidth);
    const QImage sectionImage =
        RenderSectionMapImage(doc, section, section.m_dStartU, section.m_dEndU, exaggeration, size);
    PaintPicture(painter, sectionImage, QRectF(body.left(), y, body.width(), body.bottom() - y));
}

class CReportPainter {
public:
    CReportPainter(QPagedPaintDevice& device, const CReportInput& input) : m_device(device), m_input(input)
    {
        m_frame.perMm = device.logicalDpiX() / 25.4;
        const QSizeF page = m_frame.Body().size();
        for (const QString& part : {SummaryHtml(input), InputsHtml(*input.doc), ResultsHtml(*input.doc)})
            m_before.push_back(LaidOut(part, device, page));
        if (!input.doc->m_arrBuilding.empty())
            m_before.push_back(LaidOut(FloorsHtml(*input.doc), device, page));
        if (input.design)
            m_after.push_back(LaidOut(DesignHtml(*input.doc, *input.design), device, page));
    }

    int Pages() const { return TextPages(m_before) + 1 + TextPages(m_after); }

    // The text parts, the maps page, then the design; false when the device failed (a PDF
    // writer that could not write its file).
    bool Paint()
    {
        QPainter painter(&m_device);
        if (!painter.isActive())
            return false;
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const int pages = Pages();
        int page = 0;
        PaintParts(painter, m_before, page, pages);
        Next(painter, page, pages);
        PaintMapsPage(painter, m_frame, m_input);
        PaintParts(painter, m_after, page, pages);
        return painter.end();
    }

private:
    using Parts = std::vector<std::unique_ptr<QTextDocument>>;

    static int TextPages(const Parts& parts)
    {
        int pages = 0;
        for (const auto& part : parts)
            pages += part->pageCount();
        return pages;
    }

    void PaintParts(QPainter& painter, const Parts& parts, int& page, int pages)
    {
        for (const auto& part : parts)
            for (int i = 0; i < part->pageCount(); ++i)
                PaintTextPage(painter, *part, i, Next(painter, page, pages));
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
    std::vector<std::unique_ptr<QTextDocument>> m_before, m_after;  // parts before and after the maps
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
