#pragma once

// The strip across the top of the views that says the results no longer belong to the
// model (it changed since the calculation), from the first change until the next
// calculation, with a button that runs it. User-interface thread only.

#include <QFrame>

class QAction;
class QLabel;
class QToolButton;

class CStaleBanner : public QFrame {
    Q_OBJECT
public:
    // calculate: the command the button triggers (the frame's "소음 예측").
    CStaleBanner(QAction* calculate, QWidget* parent = nullptr);

    // Shows the banner while the results are stale, hides it otherwise.
    void ShowStale(bool stale);
    QLabel* Note() const { return m_pNote; }
    QToolButton* CalculateButton() const { return m_pCalculate; }

private:
    QLabel* m_pNote;
    QToolButton* m_pCalculate;
};
