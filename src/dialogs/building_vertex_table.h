#pragma once

// The footprint of the building window as an editable list of vertices, one X, Y row each
// ("X (m)", "Y (m)"), with the commands to add a row, remove the selected rows and paste
// rows copied from a spreadsheet or a CAD listing (Ctrl+V or "붙여넣기"). Numbers show with
// two decimals; a cell that was not edited keeps the exact value it was loaded with, so an
// apply never moves a surveyed footprint. Every change of the rows emits VerticesChanged.

#include <optional>
#include <vector>

#include <QWidget>

#include "model/mvector.h"

class QPushButton;
class QTableWidget;

class CVertexTable : public QWidget {
    Q_OBJECT
public:
    explicit CVertexTable(QWidget* parent = nullptr);

    // One row per vertex, in order.
    void SetVertices(const std::vector<CMVector>& ring);
    // Appends the vertices of a pasted text: every line holding two numbers (split by tabs,
    // commas, semicolons or blanks) is one vertex; other lines (a header) are skipped.
    // Returns the number of vertices added.
    int PasteText(const QString& text);

    // The vertices of the rows, rows with both cells blank left out. Empty (after
    // "숫자를 입력하십시오." over parent, with the cell selected) when a cell does not read.
    std::optional<std::vector<CMVector>> Read(QWidget* parent);
    // The vertices of the rows whose two cells read, as the plan view draws them while editing.
    const std::vector<CMVector>& Draft() const { return m_arrDraft; }
    // True when some row has a cell that is not blank.
    bool HasEntries() const;

    QTableWidget* Table() const { return m_pTable; }
    QPushButton* AddButton() const { return m_pAdd; }
    QPushButton* RemoveButton() const { return m_pRemove; }
    QPushButton* PasteButton() const { return m_pPaste; }

signals:
    void VerticesChanged();

private:
    void AppendRow(double x, double y);
    void RemoveSelectedRows();
    void PasteClipboard();
    std::optional<double> CellValue(int row, int column) const;
    void UpdateDraft();

    QTableWidget* m_pTable;
    QPushButton* m_pAdd;
    QPushButton* m_pRemove;
    QPushButton* m_pPaste;
    std::vector<CMVector> m_arrDraft;
};
