#pragma once

// "사용자 정의 음향파워레벨 보정치(dBA/m)": the modal form on which the road input window
// edits the eight band corrections (dB) of an embankment or cutting road. "확인(&D)" takes
// the eight fields (an empty field gives 0); "취소(&C)" keeps the opening values.

#include <array>

#include <QDialog>

#include "model/bands.h"

class QLineEdit;

class CInputAddition : public QDialog {
    Q_OBJECT
public:
    explicit CInputAddition(const Bands& corrections, QWidget* parent = nullptr);

    // The values taken by "확인(&D)" (the opening values until then).
    const Bands& Corrections() const { return m_dCorrection; }
    QLineEdit* Field(int band) const { return m_fields[static_cast<std::size_t>(band)]; }

public slots:
    void accept() override;

private:
    Bands m_dCorrection;
    std::array<QLineEdit*, kBandCount> m_fields{};
};
