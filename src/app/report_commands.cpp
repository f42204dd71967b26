#include "app/report_commands.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

#include "app/command_table.h"
#include "app/main_frame.h"
#include "app/model_windows.h"
#include "dialogs/optimise/opt_input_dialog.h"
#include "maps/noise_map_compute.h"
#include "model/document.h"
#include "report/report_map_grid.h"
#include "report/report_maps.h"
#include "report/report_writer.h"
#include "ui/file_dialogs.h"
#include "ui/message_box.h"
#include "views/plan_view.h"
#include "views/section_view.h"

namespace {

const QString kReportFilter = QStringLiteral("PDF 문서 (*.pdf)");
constexpr int kViewPrintScale = 4;      // the view is drawn at this many times its pixels
constexpr int kReportNoticeMs = 60000;  // how long the status bar offers to open a written report

QAction* MakeReportAction(const QString& text, const QString& prompt, QObject* parent)
{
    auto* action = new QAction(text, parent);
    action->setStatusTip(prompt);
    return action;
}

QString SuggestedReportName(const QString& projectPath)
{
    if (projectPath.isEmpty())
        return QStringLiteral("보고서.pdf");
    const QFileInfo info(projectPath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".pdf"));
}

double GridSpacing(const CNoiseMap& map)
{
    const std::vector<double>& u = map.plan.m_arrU;
    return u.size() > 1 ? u[1] - u[0] : 0;
}

}  // namespace

CReportCommands::CReportCommands(CMainFrame* frame) : QObject(frame), m_pFrame(frame)
{
    m_pReport = MakeReportAction(QStringLiteral("보고서(&B)..."),
                                 QStringLiteral("입력, 예측 결과, 소음지도를 담은 보고서를 PDF로 저장합니다."), this);
    m_pPrint = MakeReportAction(QStringLiteral("인쇄(&P)..."), QStringLiteral("보고서를 인쇄합니다."), this);
    m_pPrint->setShortcut(QKeySequence::Print);
    m_pPreview =
        MakeReportAction(QStringLiteral("인쇄 미리 보기(&V)"), QStringLiteral("인쇄될 보고서를 미리 봅니다."), this);
    m_pPrintPlan =
        MakeReportAction(QStringLiteral("평면창 인쇄"), QStringLiteral("평면창을 보이는 그대로 인쇄합니다."), this);
    m_pPrintSection =
        MakeReportAction(QStringLiteral("단면창 인쇄"), QStringLiteral("단면창을 보이는 그대로 인쇄합니다."), this);
    connect(m_pReport, &QAction::triggered, this, &CReportCommands::OnReport);
    connect(m_pPrint, &QAction::triggered, this, &CReportCommands::OnPrint);
    connect(m_pPreview, &QAction::triggered, this, &CReportCommands::OnPrintPreview);
    connect(m_pPrintPlan, &QAction::triggered, this, &CReportCommands::OnPrintPlan);
    connect(m_pPrintSection, &QAction::triggered, this, &CReportCommands::OnPrintSection);
}

std::optional<CReportInput> CReportCommands::CurrentInput()
{
    const CMyTalvoDoc& doc = m_pFrame->Document();
    if (!doc.IsCalculated()) {
        MessageBoxes().Information(m_pFrame, QString::fromUtf8(kMapMsgNotCalculated));
        return std::nullopt;
    }
    if (doc.m_bResultsStale) {  // the report would print levels of another model
        MessageBoxes().Information(m_pFrame, QString::fromUtf8(kMsgStaleResults));
        return std::nullopt;
    }
    m_pComputedMap = m_pFrame->PlanView()->noiseMap();
    const int band = m_pComputedMap && !m_pComputedMap->plan.Empty() ? m_pComputedMap->plan.m_nBand : 0;
    if (m_pComputedMap && m_pComputedMap->style.legend)
        m_pComputedMap.reset();  // a difference map shown is not the report's noise map
    // A map shown on a coarser grid than the page needs is computed again, in its band.
    const double spacing = ReportMapSpacing(doc.m_settings);
    if (m_pComputedMap && !(GridSpacing(*m_pComputedMap) <= spacing * (1 + 1e-9)))
        m_pComputedMap.reset();
    if (!m_pComputedMap) {
        auto map = std::make_shared<CNoiseMap>();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const std::string refusal = ComputeReportMaps(doc, spacing, band, *map);
        QApplication::restoreOverrideCursor();
        if (refusal.empty())
            m_pComputedMap = map;  // a refused map leaves the maps page saying so
    }
    CReportInput input{&doc, m_pComputedMap.get(), QDateTime::currentDateTime(), std::nullopt};
    input.design = ShownDesign();
    return input;
}

std::optional<CReportDesign> CReportCommands::ShownDesign() const
{
    const COptInputDlg* opt = m_pFrame->Windows()->OptInputWindow();
    if (!opt || opt->IsRunning())
        return std::nullopt;
    // A barrier designed for a set is reported with the set's rows, not as one receiver's.
    if (const CDesignTable* table = opt->LastDesignTable())
        return table->m_bHasBarrier ? std::optional(ReportDesignOf(*table)) : std::nullopt;
    if (opt->Result().m_dHeight <= 0)
        return std::nullopt;
    CReportDesign design;
    design.barrier = opt->Result();
    design.receiver = m_pFrame->Document().m_nOptReceiver;
    return design;
}

void CReportCommands::OnReport()
{
    const std::optional<CReportInput> input = CurrentInput();
    if (!input)
        return;
    const QString path = FileDialogs().SaveFileName(m_pFrame, QStringLiteral("보고서"),
                                                    SuggestedReportName(m_pFrame->PathName()), kReportFilter);
    if (path.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::string failure = WriteReportPdf(*input, path);
    QApplication::restoreOverrideCursor();
    if (!failure.empty()) {
        MessageBoxes().Information(m_pFrame, QString::fromStdString(failure));
        return;
    }
    AnnounceReport(path);
}

void CReportCommands::AnnounceReport(const QString& path)
{
    delete m_pReportNotice;  // the notice of an earlier report
    const QString name = QFileInfo(path).fileName().toHtmlEscaped();
    auto* notice = new QLabel(QStringLiteral("보고서를 저장했습니다: %1 <a href=\"open\">PDF 열기</a>").arg(name),
                              m_pFrame->statusBar());
    notice->setObjectName(QStringLiteral("reportNotice"));
    notice->setTextFormat(Qt::RichText);
    notice->setToolTip(QDir::toNativeSeparators(path));
    connect(notice, &QLabel::linkActivated, notice, [path] { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); });
    m_pFrame->statusBar()->clearMessage();
    m_pFrame->statusBar()->addWidget(notice, 1);
    QTimer::singleShot(kReportNoticeMs, notice, &QObject::deleteLater);
    m_pReportNotice = notice;
}

void CReportCommands::PrintReport(QPrinter& printer)
{
    const std::optional<CReportInput> input = CurrentInput();
    if (!input)
        return;
    printer.setFullPage(true);
    PaintReport(printer, *input);
}

void CReportCommands::PrintView(QPrinter& printer, const CNavigableView& view)
{
    // A view never shown yet has no size: it prints as a window of the default size would.
    const QSize shown = view.size().isEmpty() ? QSize(800, 600) : view.size();
    const QImage image = view.RenderImage(shown * kViewPrintScale);
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    const QSize fitted = image.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.drawImage(QRect(page.topLeft(), fitted), image);
}

void CReportCommands::OnPrint()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, m_pFrame);
    if (dialog.exec() == QDialog::Accepted)
        PrintReport(printer);
}

void CReportCommands::OnPrintPreview()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, m_pFrame);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { PrintReport(*p); });
    preview.exec();
}

void CReportCommands::OnPrintPlan()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, m_pFrame);
    if (dialog.exec() == QDialog::Accepted)
        PrintView(printer, *m_pFrame->PlanView());
}

void CReportCommands::OnPrintSection()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, m_pFrame);
    if (dialog.exec() == QDialog::Accepted)
        PrintView(printer, *m_pFrame->SectionView());
}

CReportCommands* AttachReportCommands(CMainFrame* frame)
{
    auto* commands = new CReportCommands(frame);
    QAction* exportReceivers = frame->Action(cmd::ExportReceivers);
    QMenu* fileMenu = frame->menuBar()->actions().isEmpty() ? nullptr : frame->menuBar()->actions().first()->menu();
    if (!fileMenu)
        return commands;
    const QList<QAction*> entries = fileMenu->actions();
    const qsizetype at = entries.indexOf(exportReceivers);
    QAction* before = at >= 0 && at + 1 < entries.size() ? entries[at + 1] : nullptr;
    fileMenu->insertActions(before, {commands->ReportAction(), commands->PrintAction(), commands->PreviewAction(),
                                     commands->PrintPlanAction(), commands->PrintSectionAction()});
    return commands;
}
