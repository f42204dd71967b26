#pragma once

// The barrier window's overview of its working list: one row per barrier with its ends,
// its height and whether the calculation leaves it out ("계산": "제외"), excluded rows in
// grey. Read-only; a click on a row asks for that barrier to be shown in the form.

#include <vector>

#include <QTableWidget>

#include "model/entities.h"

class CBarrierListTable : public QTableWidget {
    Q_OBJECT
public:
    enum EColumn { kId, kStart, kEnd, kHeight, kCalculation, kColumnCount };

    explicit CBarrierListTable(QWidget* parent = nullptr);

    // excluded: one flag per barrier (missing flags count as not excluded).
    void ShowBarriers(const std::vector<CBarrier_Stage>& barriers, const std::vector<bool>& excluded);

signals:
    // The 0-based position of the barrier whose row was clicked.
    void BarrierClicked(int position);
};
