#pragma once

// "성토 방향" / "절토 방향": two picture buttons of which one is chosen, giving the side
// of the earthwork body (m_nDirection 0 = first button, 1 = second). The pictures are
// drawn here: a cross-section of the body with its slope on the left or on the right.
// The cutting window shows the two pictures in the opposite order of the embankment's.

#include <array>

#include <QWidget>

class QButtonGroup;
class QToolButton;

class CSlopeDirectionButtons : public QWidget {
    Q_OBJECT
public:
    enum class EBody { Embankment, Cutting };

    CSlopeDirectionButtons(const QString& title, EBody body, QWidget* parent = nullptr);

    int Direction() const;
    // Values other than 1 choose the first button.
    void SetDirection(int direction);
    QToolButton* Button(int direction) const { return m_buttons[static_cast<std::size_t>(direction != 0)]; }
    // True when the button shows the body with its slope on the left.
    bool ShowsSlopeOnLeft(int direction) const;

private:
    QButtonGroup* m_pGroup;
    std::array<QToolButton*, 2> m_buttons{};
    bool m_bReversed;
};
