#pragma once

// "야간 (22-06시)" beside a road's or tunnel's day traffic and powers: the night's hourly
// traffic ("야간 교통량", in the day's class mode, which the panel follows), its button
// "야간 단위길이당 음향파워레벨 산정" and the night band powers per metre ("야간 사용자 정의
// 음향파워레벨"). Each part counts only while its box is ticked; an entity without either
// takes its night powers from the project's night traffic ratio, or has none.

#include <optional>

#include <QGroupBox>

#include "dialogs/traffic_group.h"
#include "engine/emission.h"
#include "model/bands.h"

class QCheckBox;
class QPushButton;
class CBandRowWidget;
class CFormReader;

// The night values of the form, the powers per metre.
struct CNightValues {
    bool m_bTraffic = false;
    ClassArray m_dSpeed{}, m_dVolume{};
    bool m_bPower = false;
    Bands m_dPerMetre{};
};

class CNightSourcePanel : public QGroupBox {
    Q_OBJECT
public:
    explicit CNightSourcePanel(QWidget* parent = nullptr);

    void Reset();
    void Show(const CNightValues& values);
    // The ticked parts' fields in turn (traffic first); the parts not ticked read as none.
    // Empty after the reader's or the band row's message when a field does not read.
    std::optional<CNightValues> Read(QWidget* parent, CFormReader& reader) const;
    // The day's class mode changed.
    void FollowMode(int mode) { m_pTraffic->SetMode(mode); }
    // The night traffic as computed (speeds after their caps) and its powers per metre,
    // shown and ticked.
    void ShowComputed(const ClassArray& speed, const ClassArray& volume, const Bands& perMetre);
    // The night powers of a road or tunnel as its form reads it: the day's emission of the
    // night traffic, shown; a refusal is told in a message box over parent.
    template <class Source>
    void ComputeNight(QWidget* parent, Source source, const CNightValues& night)
    {
        source.m_dSpeed = night.m_dSpeed;
        source.m_dVolume = night.m_dVolume;
        ShowEmission(parent, EmissionInputOf(source), night.m_dVolume);
    }

    QCheckBox* TrafficBox() const { return m_pTrafficBox; }
    QCheckBox* PowerBox() const { return m_pPowerBox; }
    CTrafficGroup* Traffic() const { return m_pTraffic; }
    CBandRowWidget* Levels() const { return m_pLevels; }
    QPushButton* ComputeButton() const { return m_pCompute; }

signals:
    void computeRequested();
    void editingChanged(bool editing);  // the band row's own editing

private:
    void EnableParts();
    void ShowEmission(QWidget* parent, const CEmissionInput& input, const ClassArray& volume);

    QCheckBox* m_pTrafficBox;
    CTrafficGroup* m_pTraffic;
    QPushButton* m_pCompute;
    QCheckBox* m_pPowerBox;
    CBandRowWidget* m_pLevels;
};
