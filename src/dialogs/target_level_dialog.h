#pragma once

// The modal form asking for the design target level (dB(A)) of one receiver during the
// barrier optimisation. The level follows the field on every change of its text that
// reads as a number; "확인" returns it, "취소" returns nothing.

#include <QDialog>

class QLineEdit;

class CInput_Opt_dB : public QDialog {
    Q_OBJECT
public:
    // currentLevel: the receiver's target level, 0 when it has none.
    explicit CInput_Opt_dB(double currentLevel, QWidget* parent = nullptr);

    double TargetLevel() const { return m_dTargetLevel; }
    QLineEdit* LevelField() const { return m_pField; }

public slots:
    void accept() override;

private:
    double m_dTargetLevel;
    QLineEdit* m_pField;
};
