// Undo and redo of every committed change: the model after an undo saves to the same
// bytes as before the change, a redo to the same bytes as after it, and the project is
// marked changed or unchanged as the history passes the saved state.

#include <memory>

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

#include "app/command_table.h"
#include "app/input_window_coordinator.h"
#include "app/main_frame.h"
#include "app/model_history.h"
#include "app/model_windows.h"
#include "dialogs/barrier_input_dialog.h"
#include "dialogs/environment_box.h"
#include "helpers/input_test_support.h"
#include "helpers/recording_dialogs.h"
#include "io/project_file.h"

using namespace inputtest;

class TestUndo : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UseTemporarySettings(); }
    void init();
    void cleanup();

    void environmentEditIsOneStepPerField();
    void inputWindowCommitAddsAndDeletesInSteps();
    void editMenuNamesTheFieldAnInputWindowChanged();
    void appliedBarrierIsAStep();
    void savedStateIsUnchangedAndOpenForgetsTheHistory();
    void refusedWhileAnInputWindowIsOpen();
    void undoneChangeKeepsResultsCurrentOnlyWithoutACalculationBetween();

private:
    QByteArray Saved();
    void Undo() { m_frame->Action(cmd::EditUndo)->trigger(); }
    void Redo() { m_frame->Action(cmd::EditRedo)->trigger(); }
    QUndoStack* Stack() { return m_frame->History()->Stack(); }
    CBarrier_Design_Dlg* OpenBarrierWindow();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CRecordingMessageBox> m_boxes;
    std::unique_ptr<CMainFrame> m_frame;
};

void TestUndo::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_boxes = std::make_unique<CRecordingMessageBox>(QMessageBox::Yes);
    m_frame = std::make_unique<CMainFrame>();
    QVERIFY(m_frame->OpenProjectFile(QStringLiteral(TALVO_EXAMPLES "/highway-village.tlv")));
    QVERIFY(!m_frame->Document().m_bModified);
}

void TestUndo::cleanup()
{
    m_frame.reset();
    m_boxes.reset();
    m_dir.reset();
}

// The project as a save would write it, without touching the window's file or state.
QByteArray TestUndo::Saved()
{
    const QString path = m_dir->filePath(QStringLiteral("probe.tlv"));
    if (!SaveProject(m_frame->Document(), path.toStdString()).ok)
        return {};
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

CBarrier_Design_Dlg* TestUndo::OpenBarrierWindow()
{
    m_frame->Action(cmd::InputBarrier)->trigger();
    return m_frame->Windows()->InputWindows()->BarrierWindow();
}

void TestUndo::environmentEditIsOneStepPerField()
{
    const QByteArray before = Saved();
    QVERIFY(!before.isEmpty());
    QLineEdit* temperature = m_frame->EnvironmentBox()->Field(EEnvField::Temperature);
    for (const char* typed : {"2", "25"}) {  // typing a value edits the field twice
        temperature->selectAll();
        temperature->insert(QString::fromLatin1(typed));
    }
    QCOMPARE(Stack()->count(), 1);
    QCOMPARE(Stack()->undoText(), QStringLiteral("온도 변경"));
    const QByteArray after = Saved();
    QVERIFY(after != before);
    QVERIFY(m_frame->Document().m_bModified);

    Undo();
    QCOMPARE(Saved(), before);
    QVERIFY(!m_frame->Document().m_bModified);  // back at the state of the opened file
    QCOMPARE(temperature->text(), QString::number(m_frame->Document().m_settings.m_dTemperature, 'f', 2));
    Redo();
    QCOMPARE(Saved(), after);
    QVERIFY(m_frame->Document().m_bModified);
}

void TestUndo::inputWindowCommitAddsAndDeletesInSteps()
{
    const QByteArray before = Saved();
    const std::size_t barriers = m_frame->Document().m_arrBarrier.size();
    CBarrier_Design_Dlg* window = OpenBarrierWindow();
    QVERIFY(window);
    const CBarrierFormWidgets& form = window->Form();
    Click(form.m_pCopy);  // "NEW" with the form as it is
    SetNumber(form.m_pStartX, 11);
    SetNumber(form.m_pStartY, 12);
    SetNumber(form.m_pEndX, 51);
    SetNumber(form.m_pEndY, 52);
    SetNumber(form.m_pHeight, 3.5);
    Click(form.m_pOk);
    QCOMPARE(m_frame->Document().m_arrBarrier.size(), barriers + 1);
    const QString added = QStringLiteral("방음벽 %1").arg(barriers + 1);
    QCOMPARE(Stack()->undoText(), added + QStringLiteral(" 추가"));
    const QByteArray withAdded = Saved();

    window = OpenBarrierWindow();  // delete the new barrier, the last one
    window->Form().m_pId->setCurrentIndex(int(barriers) + 1);
    Click(window->Form().m_pDelete);
    Click(window->Form().m_pOk);
    QCOMPARE(m_frame->Document().m_arrBarrier.size(), barriers);
    QCOMPARE(Stack()->undoText(), added + QStringLiteral(" 삭제"));

    Undo();
    QCOMPARE(Saved(), withAdded);
    Undo();
    QCOMPARE(Saved(), before);
    QVERIFY(!m_frame->Document().m_bModified);
    Redo();
    Redo();
    QCOMPARE(m_frame->Document().m_arrBarrier.size(), barriers);
    QVERIFY(!m_frame->Action(cmd::EditRedo)->isEnabled());
}

void TestUndo::editMenuNamesTheFieldAnInputWindowChanged()
{
    CBarrier_Design_Dlg* window = OpenBarrierWindow();
    QVERIFY(window && m_frame->Document().m_arrBarrier.size() >= 2);
    window->Form().m_pId->setCurrentIndex(2);  // barrier 2
    SetNumber(window->Form().m_pHeight, m_frame->Document().m_arrBarrier[1].m_dHeight + 1.5);
    Click(window->Form().m_pOk);
    QCOMPARE(m_frame->Action(cmd::EditUndo)->text(), QStringLiteral("실행 취소(&U): 방음벽 2 높이 변경"));
}

void TestUndo::appliedBarrierIsAStep()
{
    const QByteArray before = Saved();
    CBarrier_Stage barrier;
    barrier.SetGeometry(0, -30, 40, -30, 2.5, 0);
    m_frame->Document().m_arrBarrier.push_back(barrier);
    // what "방음벽 적용" of the optimisation window says
    emit m_frame->Windows()->DocumentChanged();
    emit m_frame->Windows()->BarrierApplied();
    QCOMPARE(Stack()->undoText(), QStringLiteral("최적 방음벽 적용"));
    QVERIFY(m_frame->Action(cmd::EditUndo)->text().contains(QStringLiteral("최적 방음벽 적용")));
    Undo();
    QCOMPARE(Saved(), before);
}

void TestUndo::savedStateIsUnchangedAndOpenForgetsTheHistory()
{
    QLineEdit* humidity = m_frame->EnvironmentBox()->Field(EEnvField::Humidity);
    humidity->selectAll();
    humidity->insert(QStringLiteral("70"));
    QVERIFY(m_frame->SaveTo(m_dir->filePath(QStringLiteral("saved.tlv"))));
    QVERIFY(!m_frame->Document().m_bModified);
    Undo();  // past the saved state
    QVERIFY(m_frame->Document().m_bModified);
    QCOMPARE(m_frame->DisplayedTitle().left(10), QStringLiteral("saved.tlv*"));
    Redo();
    QVERIFY(!m_frame->Document().m_bModified);

    QVERIFY(m_frame->OpenProjectFile(QStringLiteral(TALVO_EXAMPLES "/valley-crossing.tlv")));
    QCOMPARE(Stack()->count(), 0);
    QVERIFY(!m_frame->Action(cmd::EditUndo)->isEnabled());
}

void TestUndo::refusedWhileAnInputWindowIsOpen()
{
    QLineEdit* humidity = m_frame->EnvironmentBox()->Field(EEnvField::Humidity);
    humidity->selectAll();
    humidity->insert(QStringLiteral("70"));
    QVERIFY(OpenBarrierWindow());
    const QByteArray changed = Saved();
    Undo();
    QCOMPARE(Saved(), changed);
    QVERIFY(m_frame->statusBar()->currentMessage().contains(QStringLiteral("입력창을 닫은 뒤")));
}

QTEST_MAIN(TestUndo)
// Undoing back to the model the results were computed for makes them current again;
// after a calculation of the changed model, undoing leaves the newer results stale.
void TestUndo::undoneChangeKeepsResultsCurrentOnlyWithoutACalculationBetween()
{
    CMyTalvoDoc& doc = m_frame->Document();
    m_frame->RunCalculation();
    QVERIFY(doc.HasCurrentResults());
    QLineEdit* temperature = m_frame->EnvironmentBox()->Field(EEnvField::Temperature);
    temperature->selectAll();
    temperature->insert(QStringLiteral("31"));
    QVERIFY(doc.m_bResultsStale);
    Undo();
    QVERIFY(!doc.m_bResultsStale);
    Redo();
    QVERIFY(doc.m_bResultsStale);
    m_frame->RunCalculation();  // results of the 31 degree model
    QVERIFY(!doc.m_bResultsStale);
    Undo();
    QVERIFY(doc.m_bResultsStale);
    Redo();
    QVERIFY(!doc.m_bResultsStale);
}

#include "test_undo.moc"
