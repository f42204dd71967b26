#pragma once

// "특정방음벽 제외 계산": the user marks barriers that the next calculation is to leave
// out of the screening. Left "전체 목록" lists every barrier, right "계산에서 제외할 목록"
// the marked ones in the order in which they were marked; "->" marks the barriers selected
// on the left (at most 50 at a time, each barrier once), "<-" unmarks those selected on
// the right, "적용" accepts. Every opening starts with no marks, so earlier marks cannot
// come back unseen. Run modally by the barrier window.

#include <string>
#include <vector>

#include <QDialog>

#include "model/entities.h"

class QListWidget;
class QPushButton;

constexpr int kMaxMarkedAtOnce = 50;

// "ID:%d , x시작:%d , y시작:%d , x끝:%d , y끝:%d , 높이:%f": 1-based ID, coordinates cut
// to whole metres.
QString ExclusionLine(int position, const CBarrier_Stage& barrier);

// The marks, apart from their widgets.
class CBarrierMarks {
public:
    explicit CBarrierMarks(int count) : m_marked(static_cast<std::size_t>(count), false) {}

    // Marks the given positions not yet marked, at most kMaxMarkedAtOnce of them.
    void Mark(const std::vector<int>& positions);
    void Unmark(const std::vector<int>& positions);
    // 0-based positions in the order in which they were marked.
    const std::vector<int>& Marked() const { return m_order; }

private:
    std::vector<bool> m_marked;
    std::vector<int> m_order;
};

class CalcSelectorDlg : public QDialog {
    Q_OBJECT
public:
    explicit CalcSelectorDlg(const std::vector<CBarrier_Stage>& barriers, QWidget* parent = nullptr);

    // The positions to exclude; valid once the dialog was accepted with "적용".
    const std::vector<int>& Marked() const { return m_marks.Marked(); }

    QListWidget* AllList() const { return m_pAll; }
    QListWidget* ExcludedList() const { return m_pExcluded; }
    QPushButton* MarkButton() const { return m_pMark; }
    QPushButton* UnmarkButton() const { return m_pUnmark; }
    QPushButton* ApplyButton() const { return m_pApply; }

private slots:
    void OnMark();
    void OnUnmark();

private:
    void RedrawExcluded();

    std::vector<QString> m_lines;
    CBarrierMarks m_marks;
    QListWidget* m_pAll;
    QListWidget* m_pExcluded;
    QPushButton* m_pMark;
    QPushButton* m_pUnmark;
    QPushButton* m_pApply;
};
