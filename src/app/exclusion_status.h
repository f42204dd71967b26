#pragma once

// The status bar's line on the barrier exclusion: "방음벽 1, 3 제외하고 계산" and a
// "제외 해제" button beside it, shown only while some barrier is left out of the calculation.

#include <QWidget>

class QLabel;
class QToolButton;

class CExclusionStatus : public QWidget {
    Q_OBJECT
public:
    explicit CExclusionStatus(QWidget* parent = nullptr);

    // The note to show (ExclusionNote); empty hides the line.
    void ShowNote(const QString& note);
    QLabel* Note() const { return m_pNote; }
    QToolButton* ReleaseButton() const { return m_pRelease; }

signals:
    void ReleaseRequested();

private:
    QLabel* m_pNote;
    QToolButton* m_pRelease;
};
