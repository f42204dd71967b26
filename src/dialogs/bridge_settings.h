#pragma once

// The bridge data of a road as the bridge settings dialog edits it: the bridge type and
// the three deck barriers (left edge, centre, right edge), each with its height (m), top
// attenuator (index into the attenuator list) and band absorption.

#include <array>

#include <QPixmap>
#include <QString>

#include "model/bands.h"
#include "model/entities.h"

constexpr int kDeckBarrierCount = 3;  // left, centre, right

struct CDeckBarrier {
    double m_dHeight = 0;
    int m_nAttenuator = 0;
    Bands m_dAbsorption{};
};

struct CBridgeSettings {
    int m_nBridgeType = 0;
    std::array<CDeckBarrier, kDeckBarrierCount> m_barriers{};

    static CBridgeSettings FromRoad(const CRoad& road);
    void ApplyTo(CRoad& road) const;
};

// Caption of a bridge type as the road form shows it ("강철형교" ... "콘크리트I형교");
// empty for an index outside 0..4.
QString BridgeTypeCaption(int type);
// Caption of the type's button in the bridge settings dialog (may break over two lines).
QString BridgeTypeButtonCaption(int type);
// A small drawing of the bridge type's cross-section.
QPixmap BridgeTypePicture(int type, QSize size = QSize(120, 60));
// The eleven top attenuator names, index 0 ("없음") to 10.
const std::array<QString, kAttenuatorCount>& AttenuatorNames();
