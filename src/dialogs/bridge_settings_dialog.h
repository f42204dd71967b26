#pragma once

// "교량 설정": the modal form on which the road input window edits a bridge road's type
// and its three deck barriers. "확인" reads everything into Settings(); "취소" reads
// nothing, so the road form keeps its values.

#include <array>

#include <QDialog>

#include "dialogs/bridge_settings.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class CBandRowWidget;

class CBridgeType : public QDialog {
    Q_OBJECT
public:
    explicit CBridgeType(const CBridgeSettings& settings, QWidget* parent = nullptr);

    // The values taken by "확인" (the opening values until then).
    const CBridgeSettings& Settings() const { return m_settings; }

    QButtonGroup* TypeButtons() const { return m_pTypes; }
    QLineEdit* HeightField(int barrier) const { return m_heights[static_cast<std::size_t>(barrier)]; }
    QComboBox* AttenuatorList(int barrier) const { return m_attenuators[static_cast<std::size_t>(barrier)]; }
    CBandRowWidget* AbsorptionRow(int barrier) const { return m_absorptions[static_cast<std::size_t>(barrier)]; }

public slots:
    void accept() override;

private:
    QWidget* MakeTypeGroup();
    QWidget* MakeBarrierGroup(int barrier, const QString& title);
    bool ReadForm(CBridgeSettings& out);

    CBridgeSettings m_settings;
    QButtonGroup* m_pTypes = nullptr;
    std::array<QLineEdit*, kDeckBarrierCount> m_heights{};
    std::array<QComboBox*, kDeckBarrierCount> m_attenuators{};
    std::array<CBandRowWidget*, kDeckBarrierCount> m_absorptions{};
};
