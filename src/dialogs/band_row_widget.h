#pragma once

// A read-only row of eight octave-band values (63 ... 8000 Hz), optionally followed by
// their "Overall" (energy sum), with the "수정(&E)" / "저장(&S)" toggle of the input
// windows: "수정(&E)" copies the eight cells into edit boxes under the row; "저장(&S)"
// writes the boxes back (an empty box gives "0.00"), hides them and recomputes Overall.
// The owner disables its other commands while EditingChanged(true) is in force.
// Used for sound power rows, absorption rows and the like.

#include <array>
#include <optional>

#include <QWidget>

#include "model/bands.h"

class QLineEdit;
class QPushButton;
class QTableWidget;

class CBandRowWidget : public QWidget {
    Q_OBJECT
public:
    enum class EOverall { Hidden, Shown };

    // rowLabel names the row (left of the cells); headerLabel, when not empty, is shown
    // above the band centres (for example "중심 주파수").
    CBandRowWidget(const QString& rowLabel, EOverall overall, const QString& headerLabel = {},
                   QWidget* parent = nullptr);

    // Shows the values with "%.2f" ("-" for a band without energy).
    void SetValues(const Bands& values);
    // "0.00" in every cell.
    void Reset();
    // The cells as numbers ("-" reads as no energy); empty when a cell does not read.
    std::optional<Bands> Values() const;

    QString CellText(int band) const;
    QString OverallText() const;
    bool IsEditing() const { return m_bEditing; }

    QPushButton* ToggleButton() const { return m_pToggle; }
    QLineEdit* EditBox(int band) const { return m_editBoxes[static_cast<std::size_t>(band)]; }
    QTableWidget* Cells() const { return m_pCells; }

signals:
    void EditingChanged(bool editing);

public slots:
    void ToggleEditing();

private:
    void SetCellText(int column, const QString& text);
    void BeginEditing();
    bool FinishEditing();
    void UpdateOverall();

    QTableWidget* m_pCells;
    QPushButton* m_pToggle;
    QWidget* m_pEditRow;
    std::array<QLineEdit*, kBandCount> m_editBoxes{};
    bool m_bShowOverall;
    bool m_bEditing = false;
};

// Band centres as the windows label them: "63", "125", ... "8000".
const std::array<const char*, kBandCount>& BandCentreLabels();
