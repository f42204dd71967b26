// The environment pane: how its fields change the project settings (clamps, the
// receiver-height emptiness flag, the emptied display lists) and which view the
// navigation buttons act on.

#include <cmath>
#include <memory>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "app/main_frame.h"
#include "dialogs/environment_box.h"
#include "helpers/environment_typing.h"
#include "helpers/recording_dialogs.h"
#include "io/project_file.h"
#include "model/document.h"
#include "model/environment_rules.h"
#include "views/plan_view.h"
#include "views/section_view.h"

namespace {

template <typename T>
T* Child(CMainFrame& frame, const char* name)
{
    return frame.EnvironmentBox()->findChild<T*>(QLatin1String(name));
}

}  // namespace

class TestEnvironmentPane : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UseTemporarySettings(); }
    void init()
    {
        m_boxes = std::make_unique<CRecordingMessageBox>();
        m_frame = std::make_unique<CMainFrame>();
    }
    void cleanup()
    {
        m_frame.reset();
        m_boxes.reset();
    }

    void negativeSpacingGivesZeroAndEmptiesTheLists();
    void sectionPositionIsClampedToTheAreaEndOfItsAxis();
    void aFarAwayAreaTakesTheSectionLineAlong();
    void everyFieldIsTakenAtOnceAndMarksTheProject();
    void clampedFieldShowsTheStoredValueWhenLeft();
    void newProjectShowsTheDefaultsAgain();
    void sectionAxisChoiceIsAProjectChange();
    void showReceiversIsAViewPreference();
    void navigationActsOnTheChosenView();
    void spacingAndHeightEditsEmptyThePickedPoints();
    void sectionSpacingWarnsOfValuesTheMapCannotTake();

private:
    std::unique_ptr<CRecordingMessageBox> m_boxes;
    std::unique_ptr<CMainFrame> m_frame;
};

void TestEnvironmentPane::negativeSpacingGivesZeroAndEmptiesTheLists()
{
    // The rule itself is tested in the core; here it reaches the document through the pane.
    TypeInto(*m_frame, EEnvField::ReceiverSpacing, QStringLiteral("-5"));
    QCOMPARE(m_frame->Document().m_settings.m_dReceiverSpacing, 0.0);
}

void TestEnvironmentPane::sectionPositionIsClampedToTheAreaEndOfItsAxis()
{
    TypeInto(*m_frame, EEnvField::SectionX, QStringLiteral("2500"));
    QCOMPARE(m_frame->Document().m_settings.m_dSectionX, 2000.0);
}

void TestEnvironmentPane::aFarAwayAreaTakesTheSectionLineAlong()
{
    // National metres: the section line follows to the middle and the pane shows it.
    TypeInto(*m_frame, EEnvField::AreaStartX, QStringLiteral("200000"));
    TypeInto(*m_frame, EEnvField::AreaEndX, QStringLiteral("202000"));
    const CProjectSettings& s = m_frame->Document().m_settings;
    QCOMPARE(s.m_dSectionX, 201000.0);
    QCOMPARE(m_frame->EnvironmentBox()->Field(EEnvField::SectionX)->text(), QStringLiteral("201000.00"));
    QCOMPARE(m_frame->EnvironmentBox()->Field(EEnvField::AreaEndX)->text(), QStringLiteral("202000"));  // as typed
    // A project saved with its line outside its area opens with the line through the middle.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("far.tlv"));
    QVERIFY(m_frame->SaveTo(path));
    CMyTalvoDoc saved;
    QVERIFY(OpenProject(saved, path.toStdString()).ok);
    saved.m_settings.m_dSectionX = 1000;
    QVERIFY(SaveProject(saved, path.toStdString()).ok);
    QVERIFY(m_frame->OpenProjectFile(path));
    QCOMPARE(m_frame->Document().m_settings.m_dSectionX, 201000.0);
    QCOMPARE(m_frame->EnvironmentBox()->Field(EEnvField::SectionX)->text(), QStringLiteral("201000.00"));
}

void TestEnvironmentPane::everyFieldIsTakenAtOnceAndMarksTheProject()
{
    CMyTalvoDoc& doc = m_frame->Document();
    TypeInto(*m_frame, EEnvField::ProjectName, QStringLiteral("서해안선 확장"));
    QCOMPARE(doc.m_settings.m_strProjectName, std::string("서해안선 확장"));
    QVERIFY(doc.m_bModified);
    // Each keystroke counts, before the field is left.
    QLineEdit* temperature = m_frame->EnvironmentBox()->Field(EEnvField::Temperature);
    temperature->clear();
    QTest::keyClicks(temperature, QStringLiteral("1"));
    QCOMPARE(doc.m_settings.m_dTemperature, 1.0);
    QTest::keyClicks(temperature, QStringLiteral("5"));
    QCOMPARE(doc.m_settings.m_dTemperature, 15.0);
    TypeInto(*m_frame, EEnvField::AreaEndY, QStringLiteral("800"));
    QCOMPARE(doc.m_settings.m_dAreaEndY, 800.0);
}

void TestEnvironmentPane::clampedFieldShowsTheStoredValueWhenLeft()
{
    QLineEdit* spacing = m_frame->EnvironmentBox()->Field(EEnvField::ReceiverSpacing);
    TypeInto(*m_frame, EEnvField::ReceiverSpacing, QStringLiteral("-5"));
    QCOMPARE(spacing->text(), QStringLiteral("-5"));  // no rewriting while typing
    emit spacing->editingFinished();
    QCOMPARE(spacing->text(), QStringLiteral("0.00"));
    TypeInto(*m_frame, EEnvField::ReceiverSpacing, QStringLiteral("12.5"));
    emit spacing->editingFinished();
    QCOMPARE(spacing->text(), QStringLiteral("12.5"));  // an unclamped value stays as typed
}

void TestEnvironmentPane::newProjectShowsTheDefaultsAgain()
{
    TypeInto(*m_frame, EEnvField::ReceiverHeight, QStringLiteral("4"));
    TypeInto(*m_frame, EEnvField::SectionY, QStringLiteral("120"));
    m_boxes->m_answers = {QMessageBox::No};
    QVERIFY(m_frame->NewProject());
    CEnvironmentBox* box = m_frame->EnvironmentBox();
    // The receiver height field shows the height the grid will use, not an empty field.
    QCOMPARE(box->Field(EEnvField::ReceiverHeight)->text(), QStringLiteral("0.00"));
    QVERIFY(!m_frame->Document().m_settings.m_bReceiverHeightEmpty);
    QCOMPARE(box->Field(EEnvField::SectionY)->text(), QStringLiteral("300.00"));
    QCOMPARE(box->Field(EEnvField::AreaEndX)->text(), QStringLiteral("2000.00"));
    QCOMPARE(box->Field(EEnvField::ReceiverSpacing)->text(), QStringLiteral("50.00"));
    QVERIFY(!m_frame->Document().m_bModified);
}

void TestEnvironmentPane::sectionAxisChoiceIsAProjectChange()
{
    Child<QRadioButton>(*m_frame, "axisY")->click();
    QCOMPARE(m_frame->Document().m_settings.m_nSectionAxis, 1);
    QVERIFY(m_frame->Document().m_bModified);
    Child<QRadioButton>(*m_frame, "axisX")->click();
    QCOMPARE(m_frame->Document().m_settings.m_nSectionAxis, 0);
}

void TestEnvironmentPane::showReceiversIsAViewPreference()
{
    QPushButton* toggle = Child<QPushButton>(*m_frame, "showReceivers");
    QVERIFY(toggle->isChecked());
    toggle->click();
    QVERIFY(!m_frame->Document().m_settings.m_bShowReceivers);
    QVERIFY(!m_frame->Document().m_bModified);
    m_boxes->m_answers = {QMessageBox::No};
    m_frame->NewProject();  // a new project keeps the preference
    QVERIFY(!m_frame->Document().m_settings.m_bShowReceivers);
    QVERIFY(!toggle->isChecked());
}

void TestEnvironmentPane::navigationActsOnTheChosenView()
{
    CPlan_View* plan = m_frame->PlanView();
    CSection_View* section = m_frame->SectionView();
    // A new window starts with both views fitted; the buttons' steps count from zoom 1.
    for (CNavigableView* view : {static_cast<CNavigableView*>(plan), static_cast<CNavigableView*>(section)}) {
        view->ZoomReset();
        view->CentreOffsets();
    }
    QCOMPARE(m_frame->ActiveView(), 0);
    Child<QPushButton>(*m_frame, "panLeft")->click();
    Child<QPushButton>(*m_frame, "panUp")->click();
    QCOMPARE(plan->panX(), 0.1);
    QCOMPARE(plan->panY(), -0.1);
    QCOMPARE(section->panX(), 0.0);
    Child<QPushButton>(*m_frame, "centre")->click();
    QCOMPARE(plan->panX(), 0.0);
    QCOMPARE(plan->panY(), 0.0);
    for (int i = 0; i < 10; ++i)
        Child<QPushButton>(*m_frame, "zoomOut")->click();
    const double tenStepsOut = plan->zoom();
    QVERIFY(std::abs(tenStepsOut - std::pow(CViewNavigation::kWheelFactor, -10)) < 1e-9);
    Child<QRadioButton>(*m_frame, "activeSection")->click();
    QCOMPARE(m_frame->ActiveView(), 1);
    Child<QPushButton>(*m_frame, "zoomIn")->click();
    QCOMPARE(section->zoom(), CViewNavigation::kWheelFactor);
    Child<QPushButton>(*m_frame, "panRight")->click();
    Child<QPushButton>(*m_frame, "panDown")->click();
    QCOMPARE(section->panX(), -0.1);
    QCOMPARE(section->panY(), 0.1);
    Child<QPushButton>(*m_frame, "zoomReset")->click();
    QCOMPARE(section->zoom(), 1.0);
    QCOMPARE(plan->zoom(), tenStepsOut);
    QVERIFY(!m_frame->Document().m_bModified);  // looking around changes no project
}

void TestEnvironmentPane::spacingAndHeightEditsEmptyThePickedPoints()
{
    if (!m_frame->OpenProjectFile(QStringLiteral(TALVO_TEST_DATA "/acceptance/open-road.tlv")))
        QSKIP("the project reader is not available in this build");
    m_frame->RunCalculation();
    CPlan_View* plan = m_frame->PlanView();
    plan->resize(400, 300);
    const auto pickSomePoint = [plan] {
        for (int y = 0; y < plan->height(); y += 3)
            for (int x = 0; x < plan->width(); x += 3)
                if (plan->PickAt(QPointF(x, y)))
                    return true;
        return false;
    };
    TypeInto(*m_frame, EEnvField::ReceiverSpacing, QStringLiteral("100"));
    QVERIFY(pickSomePoint());
    TypeInto(*m_frame, EEnvField::ReceiverSpacing, QStringLiteral("50"));
    QCOMPARE(plan->pickedPoints().Count(), std::size_t(1));  // a positive spacing keeps them
    TypeInto(*m_frame, EEnvField::ReceiverSpacing, QStringLiteral("-5"));
    QCOMPARE(plan->pickedPoints().Count(), std::size_t(0));
    TypeInto(*m_frame, EEnvField::ReceiverSpacing, QStringLiteral("100"));
    QVERIFY(pickSomePoint());
    TypeInto(*m_frame, EEnvField::ReceiverHeight, QStringLiteral("1.5"));
    QCOMPARE(plan->pickedPoints().Count(), std::size_t(0));
}

void TestEnvironmentPane::sectionSpacingWarnsOfValuesTheMapCannotTake()
{
    const CProjectSettings& s = m_frame->Document().m_settings;
    QLabel* warning = m_frame->EnvironmentBox()->SectionSpacingWarning();
    QVERIFY(m_frame->EnvironmentBox()->Field(EEnvField::SectionSpacing)->text().isEmpty());  // the default
    TypeInto(*m_frame, EEnvField::SectionSpacing, QStringLiteral("2"));
    QCOMPARE(s.m_dSectionSpacing, 2.0);
    QVERIFY(warning->isHidden());
    TypeInto(*m_frame, EEnvField::SectionSpacing, QStringLiteral("-1"));
    QCOMPARE(s.m_dSectionSpacing, 2.0);  // not taken
    QVERIFY(!warning->isHidden());
    QVERIFY2(warning->text().contains(QStringLiteral("단면 간격이 잘못되었습니다")), qPrintable(warning->text()));
    // 1 mm along the 600 m line and 30 m up: 600001 x 30001 nodes, past the guard.
    TypeInto(*m_frame, EEnvField::SectionSpacing, QStringLiteral("0.001"));
    QCOMPARE(s.m_dSectionSpacing, 0.001);
    QVERIFY2(warning->text().contains(QStringLiteral("너무 좁습니다")), qPrintable(warning->text()));
    TypeInto(*m_frame, EEnvField::SectionSpacing, QString());
    QCOMPARE(s.m_dSectionSpacing, 0.0);
    QVERIFY(warning->isHidden());
}

QTEST_MAIN(TestEnvironmentPane)
#include "test_environment_pane.moc"
