#pragma once

// "도로 정보": the road kind (0 ordinary, 1 bridge, 2 embankment, 3 cutting) and the part
// of the road form that depends on it. A bridge road shows "교량 설정", which opens the
// bridge settings form, and the caption and picture of its bridge type; an embankment or
// cutting road shows "보정치 수정", which opens the band correction form, and a small
// table of the eight corrections. An ordinary road shows neither.

#include <array>

#include <QWidget>

#include "dialogs/bridge_settings.h"
#include "ui/modal_runner.h"

class QButtonGroup;
class QLabel;
class QPushButton;
class QTableWidget;

constexpr int kRoadKindOrdinary = 0;
constexpr int kRoadKindBridge = 1;
constexpr int kRoadKindEmbankment = 2;
constexpr int kRoadKindCutting = 3;

class CRoadKindPanel : public QWidget {
    Q_OBJECT
public:
    explicit CRoadKindPanel(QWidget* parent = nullptr);

    int Kind() const { return m_nKind; }
    void SetKind(int kind);
    const CBridgeSettings& Bridge() const { return m_bridge; }
    void SetBridge(const CBridgeSettings& bridge);
    const Bands& Corrections() const { return m_dCorrection; }
    void SetCorrections(const Bands& corrections);
    // Ordinary kind, bridge type 0 and the bridge values as they stand, corrections 0.
    void Reset();

    void SetModalRunner(ModalRunner runner) { m_runModal = std::move(runner); }

    QButtonGroup* KindButtons() const { return m_pKinds; }
    QPushButton* KindButton() const { return m_pKindButton; }
    QLabel* BridgeCaption() const { return m_pBridgeCaption; }
    QLabel* BridgePicture() const { return m_pBridgePicture; }
    QTableWidget* CorrectionTable() const { return m_pCorrections; }

signals:
    void KindChanged(int kind);

private slots:
    void OnKindButton();

private:
    void Refresh();
    void EditBridge();
    void EditCorrections();

    int m_nKind = kRoadKindOrdinary;
    CBridgeSettings m_bridge;
    Bands m_dCorrection{};
    ModalRunner m_runModal = ExecRunner();
    QButtonGroup* m_pKinds;
    QPushButton* m_pKindButton;
    QLabel* m_pBridgeCaption;
    QLabel* m_pBridgePicture;
    QTableWidget* m_pCorrections;
};
