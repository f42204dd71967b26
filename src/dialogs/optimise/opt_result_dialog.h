#pragma once

// "방음벽 최적설계 결과": shows a result file of the external optimiser: the barrier's
// height, area and end points, and for the receiver chosen its position and levels.
// Modeless; CModelWindows owns it and destroys it when it asks to close.

#include <QDialog>

#include "io/opt_result_file.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

class COptResultDlg : public QDialog {
    Q_OBJECT
public:
    explicit COptResultDlg(COptResult result, QWidget* parent = nullptr);

    // Receiver i (0-based) in the level grid and the position grid.
    void ShowReceiver(int i);

    const COptResult& Result() const { return m_result; }
    QComboBox* ReceiverChooser() const { return m_pChooser; }
    QTableWidget* LevelGrid() const { return m_pLevels; }
    QTableWidget* PositionGrid() const { return m_pPosition; }
    QTableWidget* CoordinateGrid() const { return m_pCoordinates; }
    QLineEdit* HeightField() const { return m_pHeight; }
    QLineEdit* AreaField() const { return m_pArea; }
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* CancelButton() const { return m_pCancel; }

signals:
    void CloseRequested();

public slots:
    // Escape closes the viewer as "취소" does.
    void reject() override { RequestClose(); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* BuildBarrierGroup();
    QWidget* BuildReceiverGroup();
    void ShowBarrier();
    void RequestClose();

    COptResult m_result;
    QComboBox* m_pChooser = nullptr;
    QTableWidget* m_pLevels = nullptr;
    QTableWidget* m_pPosition = nullptr;
    QTableWidget* m_pCoordinates = nullptr;
    QLineEdit* m_pHeight = nullptr;
    QLineEdit* m_pArea = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCancel = nullptr;
};
