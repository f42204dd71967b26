#pragma once

// "도로 포장 상태" and "도로 세부 포장 종류": the pavement kind (0 asphalt, 1 concrete,
// 2 low-noise) and its detail. Choosing a pavement refills the detail list with that
// pavement's entries and selects the first.

#include <QWidget>

class QComboBox;

class CPavementSelector : public QWidget {
    Q_OBJECT
public:
    explicit CPavementSelector(QWidget* parent = nullptr);

    int State() const;
    int Detail() const;
    // Out-of-range indexes (a damaged project) select the first entry.
    void Set(int state, int detail);
    void Reset() { Set(0, 0); }

    QComboBox* StateList() const { return m_pState; }
    QComboBox* DetailList() const { return m_pDetail; }

private:
    void FillDetails(int state);

    QComboBox* m_pState;
    QComboBox* m_pDetail;
};
