#pragma once

// "화면 출력/제거": chooses the band whose levels label the receivers ("출력 확인") or
// removes the labels ("출력 제거"). Modal; the plan view carries out the choice.

#include <QDialog>

class QComboBox;
class QPushButton;

class CResultWindow : public QDialog {
    Q_OBJECT
public:
    enum EChoice { Cancelled = 0, Show = 1, Remove = 2 };  // the dialog's result code

    explicit CResultWindow(QWidget* parent = nullptr);

    // 0 = overall, 1..8 = the bands 63 Hz .. 8 kHz.
    int Band() const;
    QComboBox* BandList() const { return m_pBands; }
    QPushButton* ShowButton() const { return m_pShow; }
    QPushButton* RemoveButton() const { return m_pRemove; }

private:
    QComboBox* m_pBands;
    QPushButton* m_pShow;
    QPushButton* m_pRemove;
};
