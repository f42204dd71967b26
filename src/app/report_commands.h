#pragma once

// The report and print commands of the file menu: "보고서" writes the assessment report
// of the calculated project as a PDF, "인쇄" and "인쇄 미리 보기" print the same report,
// "평면창 인쇄" and "단면창 인쇄" print one view alone as it is shown (same extent and
// zoom, fitted to the page). A written report is announced in the status bar with a link
// that opens it. User-interface thread only.

#include <QObject>
#include <QPointer>
#include <memory>
#include <optional>

#include "report/report_input.h"

class CMainFrame;
class CNavigableView;
class QAction;
class QLabel;
class QPrinter;

class CReportCommands : public QObject {
    Q_OBJECT
public:
    explicit CReportCommands(CMainFrame* frame);

    QAction* ReportAction() const { return m_pReport; }
    QAction* PrintAction() const { return m_pPrint; }
    QAction* PreviewAction() const { return m_pPreview; }
    QAction* PrintPlanAction() const { return m_pPrintPlan; }
    QAction* PrintSectionAction() const { return m_pPrintSection; }

    // What the report shows now: the calculated project, the map shown in the views (or,
    // when none is shown or it is coarser than a printed page needs, one computed on the
    // report's grid) and the design of the open optimisation window.
    // Nothing, after a message, when the project has not been calculated.
    std::optional<CReportInput> CurrentInput();
    // Paints the report, or one view, onto a printer (tests print to a PDF file).
    void PrintReport(QPrinter& printer);
    static void PrintView(QPrinter& printer, const CNavigableView& view);

public slots:
    void OnReport();
    void OnPrint();
    void OnPrintPreview();
    void OnPrintPlan();
    void OnPrintSection();

private:
    // The design of the optimisation window when it holds a barrier found: one receiver's,
    // or a set's with its rows.
    std::optional<CReportDesign> ShownDesign() const;
    // Says in the status bar that the report was written, with a link that opens it.
    void AnnounceReport(const QString& path);

    CMainFrame* m_pFrame;
    QPointer<QLabel> m_pReportNotice;
    std::shared_ptr<const CNoiseMap> m_pComputedMap;  // kept while a report input refers to it
    QAction* m_pReport;
    QAction* m_pPrint;
    QAction* m_pPreview;
    QAction* m_pPrintPlan;
    QAction* m_pPrintSection;
};

// Creates the commands and puts them into the main window's file menu after "수음점 저장".
CReportCommands* AttachReportCommands(CMainFrame* frame);
