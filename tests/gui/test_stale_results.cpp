// Results of a model that has changed since its calculation: a banner over the views and
// the result table say so, labels are drawn muted, every command that uses results refuses, and a
// save leaves them out; the next calculation makes them current again.

#include <cmath>
#include <memory>

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "app/application.h"
#include "app/command_table.h"
#include "app/input_window_coordinator.h"
#include "app/main_frame.h"
#include "app/model_windows.h"
#include "dialogs/criterion_group.h"
#include "dialogs/environment_box.h"
#include "dialogs/optimise/opt_input_dialog.h"
#include "dialogs/road_input_dialog.h"
#include "helpers/recording_dialogs.h"
#include "io/project_file.h"
#include "views/plan_view.h"
#include "views/result_chooser_dialog.h"
#include "views/result_table_dialog.h"

namespace {

const QString kStale = QString::fromUtf8(kMsgStaleResults);

// Pixels of the plan view (rendered at 800 x 600) in a strong red: the receivers, the axis
// glyph and, while the results are current, their level labels.
int RedPixels(const CPlan_View& view)
{
    QImage image(800, 600, QImage::Format_RGB32);
    view.Render(&image);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.red() > 200 && c.green() < 90 && c.blue() < 90;
        }
    }
    return count;
}

}  // namespace

class TestStaleResults : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UseTemporarySettings(); }
    void init()
    {
        m_boxes = std::make_unique<CRecordingMessageBox>();
        m_frame = std::make_unique<CMainFrame>();
        QVERIFY(m_frame->OpenProjectFile(QStringLiteral(TALVO_TEST_DATA "/acceptance/open-road.tlv")));
        m_frame->Action(cmd::Calculate)->trigger();
        QVERIFY(m_frame->Document().HasCurrentResults());
        m_boxes->m_infos.clear();
    }
    void cleanup()
    {
        m_frame.reset();
        m_boxes.reset();
    }

    void anAirChangeMarksTheResultsStaleEverywhere();
    void staleResultsAreRefusedByEveryCommandAndLeftOutOfTheSave();
    void theLengthSearchRecalculatesAndSaysSo();
    void onlyAChangeThatMovesAPathMakesTheResultsStale();

private:
    QLabel* BannerNote() const { return m_frame->findChild<QLabel*>(QStringLiteral("resultStateLabel")); }
    QWidget* Banner() const { return m_frame->findChild<QWidget*>(QStringLiteral("staleBanner")); }
    void ChangeTemperature()
    {
        QLineEdit* edit = m_frame->EnvironmentBox()->Field(EEnvField::Temperature);
        edit->selectAll();
        edit->insert(QStringLiteral("7"));
    }

    std::unique_ptr<CRecordingMessageBox> m_boxes;
    std::unique_ptr<CMainFrame> m_frame;
};

void TestStaleResults::anAirChangeMarksTheResultsStaleEverywhere()
{
    CPlan_View* plan = m_frame->PlanView();
    plan->ApplyResultChoice(CResultWindow::Show, 0);
    plan->OnResultChart();
    QVERIFY(plan->ResultTable());
    QVERIFY(!plan->ResultTable()->IsMarkedStale());
    QVERIFY(Banner() && BannerNote());
    QVERIFY(BannerNote()->isHidden());
    const int currentRed = RedPixels(*plan);

    ChangeTemperature();
    QVERIFY(m_frame->Document().m_bResultsStale);
    QVERIFY(!BannerNote()->isHidden() && !Banner()->isHidden());
    QCOMPARE(BannerNote()->text(), kStale);
    // Across the top of the views, not squeezed into the status bar.
    m_frame->resize(1000, 700);
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    QVERIFY(!m_frame->statusBar()->isAncestorOf(BannerNote()));
    const QRect banner(Banner()->mapTo(m_frame.get(), QPoint(0, 0)), Banner()->size());
    const QRect views(m_frame->ViewSplitter()->mapTo(m_frame.get(), QPoint(0, 0)), m_frame->ViewSplitter()->size());
    QVERIFY(banner.bottom() < views.top());
    QVERIFY(banner.width() >= views.width());
    QVERIFY(plan->ResultTable()->IsMarkedStale());
    const int staleRed = RedPixels(*plan);
    QVERIFY(staleRed < currentRed - 10);  // the level labels are drawn muted

    Banner()->findChild<QToolButton*>()->click();  // the banner's own button calculates
    QVERIFY(m_frame->Document().HasCurrentResults());
    QVERIFY(BannerNote()->isHidden() && Banner()->isHidden());
    QVERIFY(!plan->ResultTable()->IsMarkedStale());
    QVERIFY(RedPixels(*plan) > staleRed + 10);  // in red again (other digits: other air)
}

void TestStaleResults::staleResultsAreRefusedByEveryCommandAndLeftOutOfTheSave()
{
    ChangeTemperature();
    CPlan_View* plan = m_frame->PlanView();
    plan->ApplyResultChoice(CResultWindow::Show, 0);
    plan->OnResultChart();
    m_frame->OnExportReceivers();
    for (QAction* action : m_frame->findChildren<QAction*>())
        if (action->text() == QStringLiteral("소음지도") || action->text() == QStringLiteral("보고서(&B)..."))
            action->trigger();
    QCOMPARE(m_boxes->m_infos, QStringList(5, kStale));
    QVERIFY(!plan->IsShowingResults());
    QVERIFY(!plan->ResultTable());
    QVERIFY(!plan->IsShowingNoiseMap());

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("stale.tlv"));
    QVERIFY(m_frame->SaveTo(path));
    CMyTalvoDoc saved;
    QVERIFY(OpenProject(saved, path.toStdString()).ok);
    QVERIFY(!saved.HasResults());
    QCOMPARE(saved.m_settings.m_dTemperature, 7.0);
}

void TestStaleResults::theLengthSearchRecalculatesAndSaysSo()
{
    ChangeTemperature();
    m_frame->Windows()->OnOptimise();
    COptInputDlg* window = m_frame->Windows()->OptInputWindow();
    window->ReceiverList()->item(0)->setCheckState(Qt::Checked);
    window->LengthSearchButton()->click();
    QVERIFY(m_frame->Document().HasCurrentResults());
    QVERIFY(BannerNote()->isHidden());
}

// A committed window that moves no path keeps the results, summed again for the powers as
// they stand; the night traffic ratio gives night levels at once; other air outdates them.
void TestStaleResults::onlyAChangeThatMovesAPathMakesTheResultsStale()
{
    const CMyTalvoDoc& doc = m_frame->Document();
    const Bands day = doc.m_arrReceiver.at(0).m_dLevel;
    CInputWindowCoordinator* inputs = m_frame->Windows()->InputWindows();
    inputs->OpenRoadInput();
    QVERIFY(!doc.m_bResultsStale);  // opening changes nothing
    emit inputs->RoadWindow()->CommitRequested();
    QVERIFY(!doc.m_bResultsStale);
    QVERIFY(BannerNote()->isHidden());
    for (int j = 0; j < kBandCount; ++j)  // the same paths summed again
        QVERIFY(std::fabs(doc.m_arrReceiver.at(0).m_dLevel[j] - day[j]) < 1e-9);

    QTest::keyClicks(m_frame->EnvironmentBox()->CriterionGroup()->NightRatioField(), QStringLiteral("0.1"));
    QVERIFY(doc.HasCurrentResults());
    for (int j = 0; j < kBandCount; ++j)
        QVERIFY(std::fabs(doc.m_arrReceiver.at(0).m_dNightLevel[j] - (day[j] - 10.0)) < 1e-9);

    ChangeTemperature();  // other air, other attenuation on every path
    QVERIFY(doc.m_bResultsStale);
    QVERIFY(!BannerNote()->isHidden());
}

QTEST_MAIN(TestStaleResults)
#include "test_stale_results.moc"
