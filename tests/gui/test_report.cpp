// The report and print commands of the file menu and the report's barrier design page,
// read back with Poppler's pdftotext and pdfinfo.

#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>
#include <map>

#include "app/main_frame.h"
#include "app/report_commands.h"
#include "engine/calculation.h"
#include "helpers/recording_dialogs.h"
#include "io/project_file.h"
#include "model/document.h"
#include "report/report_compliance.h"
#include "report/report_limits.h"
#include "report/report_map_grid.h"
#include "report/report_writer.h"
#include "views/plan_view.h"

namespace {

QString Poppler(const QString& tool, const QStringList& args)
{
    QProcess process;
    process.start(tool, args);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString PdfText(const QString& path) { return Poppler(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}); }

int PdfPages(const QString& path)
{
    const QString info = Poppler(QStringLiteral("pdfinfo"), {path});
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

// The entry after `text` in the menu, or an empty text.
QString EntryAfter(QMenu* menu, const QString& text)
{
    const QList<QAction*> entries = menu->actions();
    for (qsizetype i = 0; i + 1 < entries.size(); ++i)
        if (entries[i]->text() == text)
            return entries[i + 1]->text();
    return {};
}

QString Example() { return QStringLiteral(TALVO_EXAMPLES "/highway-village.tlv"); }

}  // namespace

// Takes the files the program asks the desktop to open, instead of the desktop.
class COpenedFiles : public QObject {
    Q_OBJECT
public:
    COpenedFiles() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open"); }
    ~COpenedFiles() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> m_urls;
public slots:
    void Open(const QUrl& url) { m_urls << url; }
};

class TestReport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void reportPrintAndViewPrintFromTheFileMenu();
    void designPageShowsTheLevelTheBarrierReaches();
    void exceedanceIsJudgedAsTheResultTableJudgesIt();
    void reportIntoMissingFolderIsRefused();
    void reportMapGridIsRoundWithAtLeast200NodesAcross();
    void summaryJudgesBothPeriodsByTargetAndCriterion();
    void summaryCountsTheFloorsOverTheirBuildingsLimit();
};

void TestReport::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("Poppler's tools are not installed (Debian package poppler-utils)");
}

void TestReport::reportPrintAndViewPrintFromTheFileMenu()
{
    UseTemporarySettings();
    CRecordingMessageBox boxes;
    CRecordingFileDialogs files;
    CMainFrame frame;
    QVERIFY(frame.OpenProjectFile(Example()));
    auto* commands = frame.findChild<CReportCommands*>();
    QVERIFY(commands);
    QMenu* fileMenu = frame.menuBar()->actions().first()->menu();
    QCOMPARE(EntryAfter(fileMenu, QStringLiteral("수음점 저장(&W)")), QStringLiteral("보고서(&B)..."));

    commands->ReportAction()->trigger();  // not calculated yet: refused before any dialog
    QCOMPARE(boxes.m_infos, QStringList{QStringLiteral("소음해석을 먼저 수행하세요.")});
    QCOMPARE(files.m_nAsked, 0);

    Calculate(frame.Document());
    QTemporaryDir dir;
    const QString reportPath = dir.filePath(QStringLiteral("보고서.pdf"));
    files.m_paths = {reportPath};
    commands->ReportAction()->trigger();
    QCOMPARE(boxes.m_infos.size(), 1);
    const QString text = PdfText(reportPath);
    QVERIFY(text.contains(QString::fromStdString(frame.Document().m_settings.m_strProjectName)));
    QVERIFY(text.contains(QStringLiteral("5. 소음 지도")));
    QVERIFY(text.contains(QStringLiteral("격자 간격 4.0 m")));  // no map shown: the report's grid, not 50 m
    QVERIFY(!text.contains(QStringLiteral("6. 방음벽 설계")));  // no optimisation window

    // The status bar says so, and its link opens the file just written.
    auto* notice = frame.statusBar()->findChild<QLabel*>(QStringLiteral("reportNotice"));
    QVERIFY(notice && notice->text().contains(QStringLiteral("보고서.pdf")));
    COpenedFiles opened;
    emit notice->linkActivated(QStringLiteral("open"));
    QCOMPARE(opened.m_urls, QList<QUrl>{QUrl::fromLocalFile(reportPath)});

    QPrinter printer(QPrinter::HighResolution);  // print and preview paint the same pages
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("print.pdf")));
    commands->PrintReport(printer);
    QCOMPARE(PdfPages(printer.outputFileName()), PdfPages(reportPath));

    QPrinter viewPrinter(QPrinter::HighResolution);
    viewPrinter.setOutputFormat(QPrinter::PdfFormat);
    viewPrinter.setOutputFileName(dir.filePath(QStringLiteral("plan.pdf")));
    frame.PlanView()->resize(400, 300);
    CReportCommands::PrintView(viewPrinter, *frame.PlanView());
    QCOMPARE(PdfPages(viewPrinter.outputFileName()), 1);
}

void TestReport::designPageShowsTheLevelTheBarrierReaches()
{
    CMyTalvoDoc doc;
    QVERIFY(OpenProject(doc, Example().toStdString()).ok);
    Calculate(doc);
    // Receiver 10 stands unscreened at (80, 240), 40 m from the road along Y = 200: a 4 m
    // barrier between them must lower its level by several decibels.
    CReportDesign design;
    design.barrier = {0, 210, 200, 210, 4.0};
    design.receiver = 9;
    const CReportInput input{&doc, nullptr, QDateTime(QDate(2026, 1, 2), QTime(3, 4)), design};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("design.pdf"));
    QCOMPARE(WriteReportPdf(input, path), std::string());
    const QString text = PdfText(path);
    QVERIFY(text.contains(QStringLiteral("6. 방음벽 설계")));
    QVERIFY(text.contains(QStringLiteral("2026-01-02")));
    QVERIFY(text.contains(QStringLiteral("소음지도가 계산되지 않았습니다.")));
    const auto level = [&](const QString& name) {
        const QRegularExpression re(name + QStringLiteral("\\s+([0-9.]+) dB\\(A\\)"));
        return re.match(text).captured(1).toDouble();
    };
    const double before = level(QStringLiteral("설치 전 레벨")), after = level(QStringLiteral("설치 후 레벨"));
    QCOMPARE(before, QString::number(EnergySum(doc.m_arrReceiver[9].m_dLevel), 'f', 1).toDouble());
    QVERIFY2(after > 0 && after < before - 3, qPrintable(QStringLiteral("%1 -> %2").arg(before).arg(after)));

    // A design for a building's floors: each floor's levels, its insertion loss and verdict,
    // and the floor even the full barrier cannot bring to its limit named as such.
    CReportDesign floors;
    floors.barrier = design.barrier;
    floors.period = EPeriod::kNight;
    floors.floors = {{0, 1, 61.04, 54.0, CLimit{55.0}, false}, {0, 2, 63.0, 59.5, CLimit{55.0}, true}};
    const QString floorsPath = dir.filePath(QStringLiteral("floors.pdf"));
    QCOMPARE(WriteReportPdf(CReportInput{&doc, nullptr, input.date, floors}, floorsPath), std::string());
    const QString floorsText = PdfText(floorsPath).simplified();
    QVERIFY(floorsText.contains(QStringLiteral("층별 설치 전후 (야간")));
    QVERIFY(floorsText.contains(QStringLiteral("1 61.0 54.0 7.0 55.0 기준 만족")));
    QVERIFY(floorsText.contains(QStringLiteral("2 63.0 59.5 3.5 55.0 방음벽으로 불가")));

    // A design for several receivers: a row per receiver, named by its number.
    CReportDesign receivers = floors;
    receivers.floors = {{-1, 0, 62.0, 57.0, CLimit{60.0}, false, 2}, {-1, 0, 66.0, 61.2, CLimit{61.0}, false, 6}};
    const QString receiversPath = dir.filePath(QStringLiteral("receivers.pdf"));
    QCOMPARE(WriteReportPdf(CReportInput{&doc, nullptr, input.date, receivers}, receiversPath), std::string());
    const QString receiversText = PdfText(receiversPath).simplified();
    QVERIFY(receiversText.contains(QStringLiteral("수음점별 설치 전후 (야간")));
    QVERIFY(receiversText.contains(QStringLiteral("3 62.0 57.0 5.0 60.0 기준 만족")));
    QVERIFY(receiversText.contains(QStringLiteral("7 66.0 61.2 4.8 61.0 기준 초과")));
}

// Every part of the report judges a level as the result table does: as shown to two
// decimals, and a limit to stay below ("미만") is exceeded when it is reached.
void TestReport::exceedanceIsJudgedAsTheResultTableJudgesIt()
{
    const CLimit below{65.0, true, false}, atMost{65.0, false, false};
    QVERIFY(!ExceedsLimit(64.96, below));
    QVERIFY(ExceedsLimit(64.996, below));
    QVERIFY(ExceedsLimit(65.0, below));
    QVERIFY(!ExceedsLimit(65.0, atMost));
    QVERIFY(!ExceedsLimit(65.004, atMost));
    QVERIFY(ExceedsLimit(65.006, atMost));
}

void TestReport::reportIntoMissingFolderIsRefused()
{
    CMyTalvoDoc doc;
    QVERIFY(OpenProject(doc, Example().toStdString()).ok);
    Calculate(doc);
    const CReportInput input{&doc, nullptr, QDateTime::currentDateTime(), std::nullopt};
    const QString path = QStringLiteral("/nonexistent-folder/report.pdf");
    QVERIFY(!WriteReportPdf(input, path).empty());
    QVERIFY(!QFile::exists(path));
}

void TestReport::reportMapGridIsRoundWithAtLeast200NodesAcross()
{
    const auto spacing = [](double width, double depth) {
        CProjectSettings s;
        s.m_dAreaStartX = -100;
        s.m_dAreaEndX = -100 + width;
        s.m_dAreaEndY = s.m_dAreaStartY + depth;
        s.m_dReceiverSpacing = 50;
        return ReportMapSpacing(s);
    };
    QCOMPARE(spacing(800, 500), 4.0);    // exactly 200 across
    QCOMPARE(spacing(1200, 600), 5.0);   // 6 m is no round step: 5 m, 240 across
    QCOMPARE(spacing(300, 2500), 10.0);  // the longer side counts: 12.5 m rounds down to 10 m
    QCOMPARE(spacing(9, 3), 0.04);
    QCOMPARE(spacing(0, 0), 50.0);  // no extent: the receiver spacing
    QCOMPARE(spacing(std::numeric_limits<double>::infinity(), 10), 50.0);
}

void TestReport::summaryJudgesBothPeriodsByTargetAndCriterion()
{
    CMyTalvoDoc doc;
    QVERIFY(OpenProject(doc, Example().toStdString()).ok);
    Calculate(doc);
    // Day levels 63.7 63.0 61.0 61.1 57.6 57.8 63.3 63.2 57.9 74.3; night 5.5 dB lower.
    for (CReceiverPoint& r : doc.m_arrReceiver)
        for (std::size_t b = 0; b < r.m_dLevel.size(); ++b)
            r.m_dNightLevel[b] = HasEnergy(r.m_dLevel[b]) ? r.m_dLevel[b] - 5.5 : kNoEnergy;
    doc.m_settings.m_nCriterion = int(ECriterion::kTrafficManagement);
    doc.m_settings.m_strZone = "가";           // 68 by day, 58 at night
    doc.m_arrReceiver[2].m_dTargetLevel = 60;  // its own target, by day only
    doc.m_arrReceiver[8].m_strZone = "나";     // 73 / 63
    doc.m_arrExcludedBarrier = {1};            // named on page 1 (the levels stay as calculated)
    const CReportInput input{&doc, nullptr, QDateTime::currentDateTime(), std::nullopt};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("limits.pdf"));
    QCOMPARE(WriteReportPdf(input, path), std::string());
    const QString page1 =
        Poppler(QStringLiteral("pdftotext"), {QStringLiteral("-l"), QStringLiteral("1"), path, QStringLiteral("-")})
            .simplified();
    QVERIFY(page1.contains(QStringLiteral("도로교통소음 관리기준")));
    QVERIFY(page1.contains(QStringLiteral("계산에서 제외한 방음벽 방음벽 2 (차음하지 않고")));
    QVERIFY(page1.contains(QStringLiteral("주간: 수음점 10곳 중 2곳 초과 (수음점 3, 10)")));
    QVERIFY(page1.contains(QStringLiteral("야간: 수음점 10곳 중 2곳 초과 (수음점 1, 10)")));
    // Receiver 3's row: day level against its target, night level against the criterion.
    QVERIFY(page1.contains(QStringLiteral("3 300.0 250.0 1.5 61.0 60.0 +1.0 55.5 58.0 만족")));
    QVERIFY(page1.contains(QStringLiteral("9 620.0 60.0 1.5 57.9 73.0 만족 52.4 63.0 만족")));
    QVERIFY(PdfText(path).simplified().contains(QStringLiteral("소음·진동관리법 시행규칙")));  // the source
}

void TestReport::summaryCountsTheFloorsOverTheirBuildingsLimit()
{
    QCOMPARE(FloorRuns({1, 2, 3, 5, 7, 8}), QStringLiteral("1~3, 5, 7~8층"));
    QCOMPARE(FloorRuns({}), QString());

    CMyTalvoDoc doc;
    QVERIFY(OpenProject(doc, TALVO_EXAMPLES "/highway-apartments.tlv").ok);
    Calculate(doc);
    QVERIFY(doc.m_arrBuilding.size() >= 2);
    doc.m_settings.m_nCriterion = int(ECriterion::kTrafficManagement);
    doc.m_settings.m_strZone = "가";        // 68 by day
    doc.m_arrBuilding[1].m_strZone = "나";  // 73 by day
    // Each floor by the loudest of its façade points, counted here from the points.
    std::map<std::pair<int, int>, double> loudest;
    for (const CFacadeReceiver& f : doc.m_arrFacade) {
        double& level = loudest.try_emplace({f.m_nBuilding, f.m_nFloor}, kNoEnergy).first->second;
        level = std::max(level, EnergySum(f.m_dLevel));
    }
    int over = 0, overInSecond = 0;
    for (const auto& [key, level] : loudest) {
        const bool exceeds = level > (key.first == 1 ? 73.0 : 68.0);
        over += exceeds ? 1 : 0;
        overInSecond += exceeds && key.first == 1 ? 1 : 0;
    }
    QVERIFY(over > 0);  // else the example proves nothing

    const CReportInput input{&doc, nullptr, QDateTime::currentDateTime(), std::nullopt};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("floors.pdf"));
    QCOMPARE(WriteReportPdf(input, path), std::string());
    const QString text = PdfText(path).simplified();
    QVERIFY2(text.contains(QStringLiteral("건물 층 %1개 중 %2개 초과").arg(loudest.size()).arg(over)),
             qPrintable(text.left(1500)));
    // The second building's row is judged by its own zone.
    const QString verdict =
        overInSecond == 0 ? QStringLiteral("없음") : QStringLiteral("[0-9~, ]+층 \\(%1개 층\\)").arg(overInSecond);
    const QRegularExpression row(QRegularExpression::escape(QString::fromStdString(doc.m_arrBuilding[1].m_pName)) +
                                 QStringLiteral(" \\d+ [0-9.]+ \\(\\d+층\\) 73\\.0 ") + verdict);
    QVERIFY2(row.match(text).hasMatch(), qPrintable(row.pattern()));
}

QTEST_MAIN(TestReport)
#include "test_report.moc"
