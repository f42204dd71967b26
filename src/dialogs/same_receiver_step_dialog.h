#pragma once

// "등간격 수음점 기준점 입력": the modal form asking for a straight line of equally spaced
// receivers (start and end point, spacing in metres). "확인" takes the seven values.

#include <array>

#include <QDialog>

#include "model/receiver_spacing.h"

class QLineEdit;

inline constexpr const char* kMsgNegativeSpacing = "수음점 간격에는 0 이상의 숫자를 입력하십시오.";
inline constexpr const char* kMsgTooManyReceivers = "수음점이 너무 많습니다. 수음점 간격을 늘려 입력하십시오.";

class CSameReceiverStep : public QDialog {
    Q_OBJECT
public:
    explicit CSameReceiverStep(QWidget* parent = nullptr);

    const CEqualSpacingLine& Line() const { return m_line; }
    QLineEdit* StartField(int axis) const { return m_start[static_cast<std::size_t>(axis)]; }
    QLineEdit* EndField(int axis) const { return m_end[static_cast<std::size_t>(axis)]; }
    QLineEdit* SpacingField() const { return m_pSpacing; }

public slots:
    void accept() override;

private:
    CEqualSpacingLine m_line;
    std::array<QLineEdit*, 3> m_start{};
    std::array<QLineEdit*, 3> m_end{};
    QLineEdit* m_pSpacing;
};
