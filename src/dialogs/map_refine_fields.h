#pragma once

// The refinement of a noise map in its forms ("소음지도", "차이 지도"): a check box
// "등급 경계 세분화" (refine where the classes change; off: drawn from the grid's nodes
// alone) and the finest size "최소 간격(m)", empty for the spacing / 16.

#include <QWidget>

#include "maps/noise_map_refine.h"

class QCheckBox;
class QLineEdit;

inline constexpr const char* kMsgBadFinest = "최소 간격이 잘못되었습니다. 0보다 큰 값을 입력하세요.";

class CMapRefineFields : public QWidget {
    Q_OBJECT
public:
    explicit CMapRefineFields(const CRefineRequest& shown, QWidget* parent = nullptr);

    // The choice (without edges), or nullopt when the finest size is no positive number.
    std::optional<CRefineRequest> Choice() const;
    // Reads the choice for a form's "확인": a bad finest size is named through the
    // message-box interface and takes the focus.
    bool Read(QWidget* owner, CRefineRequest& choice) const;

    QCheckBox* RefineBox() const { return m_pRefine; }
    QLineEdit* FinestField() const { return m_pFinest; }

private:
    QCheckBox* m_pRefine;
    QLineEdit* m_pFinest;
};
