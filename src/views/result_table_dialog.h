#pragma once

// "소음해석결과": one page of 100 receivers with their position, octave-band and overall
// levels. Modeless. Its buttons only ask the plan view, which owns the table and the
// page, to turn the page or to close it (Request); the copy button, Ctrl+C and the
// context menu copy the table as tab-separated text. Numbers are right-aligned; the window's size and
// column widths are remembered between sessions.

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QTableWidget;
class CReceiverPoint;

class CResultDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kRows = 100;
    static constexpr int kColumns = 13;
    // Request codes.
    static constexpr int kPrevious = 2;
    static constexpr int kNext = 3;
    static constexpr int kClose = 1108;

    explicit CResultDlg(QWidget* parent = nullptr);
    ~CResultDlg() override;

    // Row i - page: ID i + 1, X, Y, Z, the eight bands and the overall level.
    void FillRow(const CReceiverPoint& receiver, int i, int page);
    void ClearRows();
    QString CellText(int row, int column) const;

    // The header line, then every filled row up to the first empty one, tab separated;
    // each row ends with "\n" except the hundredth.
    QString TableText() const;
    void CopyToClipboard() const;

    // Enables the previous and next buttons only where there are receivers to turn to.
    void SetPaging(bool hasPrevious, bool hasNext);

    // Shows, above the table, that its levels are stale (the model changed since the
    // calculation), or hides that note.
    void SetStale(bool stale);
    bool IsMarkedStale() const;
    // Shows, above the table, which barriers its levels were computed without
    // ("방음벽 1 제외하고 계산"); empty hides the note.
    void SetExclusionNote(const QString& note);
    QString ExclusionNote() const;

    QTableWidget* Grid() const { return m_pGrid; }
    QPushButton* PreviousButton() const { return m_pPrevious; }
    QPushButton* NextButton() const { return m_pNext; }
    QPushButton* CloseButton() const { return m_pClose; }
    QPushButton* CopyButton() const { return m_pCopy; }

signals:
    void Request(int code);

public slots:
    // Escape asks to close the table as "확인" does.
    void reject() override { emit Request(kClose); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // The size and column widths the user left last time (QSettings).
    void RestoreLayout();
    void SaveLayout() const;
    void BuildGrid();
    void BuildCopyCommand();

    QTableWidget* m_pGrid = nullptr;
    QLabel* m_pStaleNote = nullptr;
    QLabel* m_pExclusionNote = nullptr;
    QPushButton* m_pPrevious;
    QPushButton* m_pNext;
    QPushButton* m_pClose;
    QPushButton* m_pCopy;
};
