// The shared pieces of the input windows: number fields, IDs, the band row with its edit
// toggle, and the small modal forms (bridge settings, band corrections, target level).

#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "dialogs/band_correction_dialog.h"
#include "dialogs/band_row_widget.h"
#include "dialogs/bridge_settings_dialog.h"
#include "dialogs/id_list.h"
#include "dialogs/number_fields.h"
#include "dialogs/target_level_dialog.h"
#include "helpers/input_test_support.h"
#include "helpers/recording_dialogs.h"

using namespace inputtest;

class TestInputPieces : public QObject {
    Q_OBJECT

private slots:
    void numbersReadAsTheFormsShowThem()
    {
        QCOMPARE(ParseDouble(" 12.5 "), std::optional<double>(12.5));
        QVERIFY(!ParseDouble("12,5"));
        QVERIFY(!ParseDouble(""));
        QVERIFY(!ParseDouble("inf"));
        QVERIFY(!ParseInt("3.9"));
        QCOMPARE(ParseLevel("-"), std::optional<double>(kNoEnergy));
        QCOMPARE(RangeMessage(0, 90), QString("0에서 90 사이의 숫자를 입력하십시오."));
        QCOMPARE(LevelText(kNoEnergy), QString("-"));
    }

    void oneBadFieldGivesOneMessage()
    {
        CRecordingMessageBox boxes(QMessageBox::Yes);
        QLineEdit bad("x"), alsoBad("y");
        CFormReader reader(nullptr);
        double a = 7, b = 7;
        QVERIFY(!reader.Double(&bad, a));
        QVERIFY(!reader.Double(&alsoBad, b));
        QCOMPARE(boxes.m_texts, QStringList({kMsgEnterNumber}));
        QCOMPARE(a, 7.0);
    }

    void idTextsNameNewOrARow()
    {
        QVERIFY(ParseIdText(" new ", 3).IsNew());
        QCOMPARE(ParseIdText("3", 3).m_nIndex, 2);
        QCOMPARE(ParseIdText("4", 3).m_eKind, CInputId::EKind::Invalid);
        QCOMPARE(ParseIdText("0", 3).m_eKind, CInputId::EKind::Invalid);
        QCOMPARE(ParseIdText("1", 0).m_eKind, CInputId::EKind::Invalid);
    }

    void bandRowEditingWritesBackAndSums()
    {
        CRecordingMessageBox boxes(QMessageBox::Yes);
        CBandRowWidget row("L", CBandRowWidget::EOverall::Shown);
        Bands levels;
        levels.fill(60.0);
        row.SetValues(levels);
        QCOMPARE(row.OverallText(), QString("69.03"));  // 60 + 10*lg(8)
        Click(row.ToggleButton());
        QVERIFY(row.IsEditing());
        QCOMPARE(row.EditBox(2)->text(), QString("60.00"));
        row.EditBox(0)->setText("abc");
        Click(row.ToggleButton());
        QVERIFY(row.IsEditing());
        QCOMPARE(boxes.m_texts, QStringList({kMsgEnterNumber}));
        for (int j = 0; j < kBandCount; ++j)
            row.EditBox(j)->setText(j == 0 ? "" : "-");
        Click(row.ToggleButton());
        QVERIFY(!row.IsEditing());
        QCOMPARE(row.CellText(0), QString("0.00"));
        QCOMPARE(row.CellText(1), QString("-"));
        QCOMPARE(row.OverallText(), QString("0.00"));  // only the 0 dB band carries energy
        QCOMPARE(row.ToggleButton()->text(), QString("수정(&E)"));
    }

    void bridgeSettingsOkTakesEverything()
    {
        CBridgeSettings start;
        start.m_barriers[1].m_dHeight = 1.5;
        CBridgeType form(start);
        form.TypeButtons()->button(2)->click();
        form.HeightField(2)->setText("4");
        form.AttenuatorList(0)->setCurrentIndex(10);
        CBandRowWidget* right = form.AbsorptionRow(2);
        Click(right->ToggleButton());
        right->EditBox(4)->setText("0.8");
        Click(right->ToggleButton());
        form.accept();
        QCOMPARE(form.result(), int(QDialog::Accepted));
        const CBridgeSettings& s = form.Settings();
        QCOMPARE(s.m_nBridgeType, 2);
        QCOMPARE(s.m_barriers[2].m_dHeight, 4.0);
        QCOMPARE(s.m_barriers[1].m_dHeight, 1.5);
        QCOMPARE(s.m_barriers[0].m_nAttenuator, 10);
        QCOMPARE(s.m_barriers[2].m_dAbsorption[4], 0.8);
        QCOMPARE(form.AttenuatorList(0)->currentText(), QString("엔비이시스"));
    }

    void bridgeSettingsCancelTakesNothing()
    {
        CBridgeType form(CBridgeSettings{});
        form.HeightField(0)->setText("9");
        form.TypeButtons()->button(4)->click();
        form.reject();
        QCOMPARE(form.Settings().m_barriers[0].m_dHeight, 0.0);
        QCOMPARE(form.Settings().m_nBridgeType, 0);
    }

    void bandCorrectionsTreatAnEmptyFieldAsZero()
    {
        CRecordingMessageBox boxes(QMessageBox::Yes);
        Bands start{};
        start[1] = 2.5;
        CInputAddition form(start);
        QCOMPARE(form.Field(1)->text(), QString("2.50"));
        form.Field(1)->setText("");
        form.Field(6)->setText("x");
        form.accept();
        QCOMPARE(boxes.m_texts, QStringList({kMsgEnterNumber}));
        QCOMPARE(form.Corrections()[1], 2.5);
        form.Field(6)->setText("-1.5");
        form.accept();
        QCOMPARE(form.Corrections()[1], 0.0);
        QCOMPARE(form.Corrections()[6], -1.5);
    }

    void targetLevelFollowsItsField()
    {
        CInput_Opt_dB form(0);
        QCOMPARE(form.LevelField()->text(), QString("0.00"));
        form.LevelField()->setText("55.5");
        QCOMPARE(form.TargetLevel(), 55.5);
        form.LevelField()->setText("5x");
        QCOMPARE(form.TargetLevel(), 55.5);
    }
};

QTEST_MAIN(TestInputPieces)
#include "test_input_pieces.moc"
