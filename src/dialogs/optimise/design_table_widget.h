#pragma once

// The design table of the optimisation window: one row per receiver or floor of the set,
// its limit, its level before and after the designed barrier, the insertion loss and how it
// stands ("만족", "초과", "제외" for the rows no barrier on the line can bring to the limit,
// "기준 없음"); rows above their limit are red, rows left out grey. Ctrl+C copies it as
// tab-separated text.

#include <QTableWidget>

#include "optimise/design_table.h"

class CDesignTableWidget : public QTableWidget {
    Q_OBJECT
public:
    explicit CDesignTableWidget(QWidget* parent = nullptr);

    void SetTable(const CDesignTable& table);
    // The header line, then every row, tab separated, each line ended by "\n".
    QString TableText() const;
    void CopyToClipboard() const;
};
