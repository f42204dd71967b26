#pragma once

// "층별 결과": the per-floor table of the façade receivers, one row per building and floor
// (io/floor_table.h): building, name, floor, number of façade points, the day's highest
// overall level with the wall and point it was met at and the day's lowest, then per period
// the limit, the exceedance and the night's highest level, and a mark on the floors that
// exceed a limit (those rows are coloured, their exceedances red). Modeless. A click on a
// column title sorts by it (numbers as numbers); Ctrl+C and the context menu copy the
// table as tab-separated text in the order shown; "CSV 저장" writes it as a CSV file.
// Selecting a row reports that building's floor, so the plan view can mark its points.

#include <cstdint>
#include <vector>

#include <QDialog>
#include <QString>

#include "io/floor_table.h"
#include "model/building.h"

class QLabel;
class QPushButton;
class QTableWidget;

class CFloorTableDlg : public QDialog {
    Q_OBJECT
public:
    explicit CFloorTableDlg(QWidget* parent = nullptr);
    ~CFloorTableDlg() override;

    // Fills the table (sorted by building and floor); the names come from `buildings`.
    // `revision` tells which results the rows were made of (CMyTalvoDoc::m_nResultsRevision).
    void SetRows(const std::vector<CFloorRow>& rows, const std::vector<CBuilding>& buildings,
                 std::uint64_t revision = 0);
    std::uint64_t Revision() const { return m_nRevision; }
    // Shows, above the table, that its levels are stale, or hides that note.
    void SetStale(bool stale);
    bool IsMarkedStale() const;

    // The header line, then every row as shown (sorted as shown), tab separated, each line
    // ended by "\n".
    QString TableText() const;
    void CopyToClipboard() const;
    // Asks for a file name and writes the table as CSV; a failure is reported in a message.
    void SaveCsv();

    QTableWidget* Grid() const { return m_pGrid; }
    QPushButton* CsvButton() const { return m_pCsv; }
    QPushButton* CloseButton() const { return m_pClose; }

signals:
    // The selected row's building (from 0) and floor; building -1 when no row is selected.
    void FloorSelected(int building, int floor);

private:
    void BuildGrid();
    void BuildCopyCommand();
    void OnSelectionChanged();
    void RestoreLayout();
    void SaveLayout() const;

    QTableWidget* m_pGrid = nullptr;
    QLabel* m_pStaleNote = nullptr;
    QPushButton* m_pCsv = nullptr;
    QPushButton* m_pClose = nullptr;
    std::vector<CFloorRow> m_arrRow;
    std::vector<CBuilding> m_arrBuilding;
    std::uint64_t m_nRevision = ~std::uint64_t(0);  // no rows yet
};
