#pragma once

// The traffic part of the road and tunnel forms: the "차종 분류" list and either the five
// vehicle-class rows or the two rows of large and small vehicles, each with a speed
// (km/h) and an hourly volume. Two-class values live in class slots 0 and 1.

#include <array>

#include <QWidget>

#include "model/entities.h"

class QComboBox;
class QLineEdit;
class CFormReader;

using ClassArray = std::array<double, kVehicleClassCount>;

constexpr int kTwoClassMode = 0;
constexpr int kFiveClassMode = 1;

class CTrafficGroup : public QWidget {
    Q_OBJECT
public:
    explicit CTrafficGroup(QWidget* parent = nullptr);

    int Mode() const;        // kTwoClassMode or kFiveClassMode
    void SetMode(int mode);  // any value other than kFiveClassMode shows two classes
    void Reset();            // five classes, "0" in every field of both modes
    // Reads the fields of the shown mode; the classes not shown stay 0.
    bool Read(CFormReader& reader, ClassArray& speed, ClassArray& volume) const;
    // Shows the values in the fields of the shown mode, "%.2f".
    void Show(const ClassArray& speed, const ClassArray& volume);

    QComboBox* ModeList() const { return m_pMode; }
    QLineEdit* SpeedField(int vehicleClass) const;   // of the shown mode
    QLineEdit* VolumeField(int vehicleClass) const;  // of the shown mode

private:
    QWidget* MakeRows(const QStringList& labels, std::array<QLineEdit*, kVehicleClassCount>& speed,
                      std::array<QLineEdit*, kVehicleClassCount>& volume);
    int ShownClasses() const;

    QComboBox* m_pMode;
    QWidget* m_pFiveRows;
    QWidget* m_pTwoRows;
    std::array<QLineEdit*, kVehicleClassCount> m_fiveSpeed{}, m_fiveVolume{};
    std::array<QLineEdit*, kVehicleClassCount> m_twoSpeed{}, m_twoVolume{};  // slots 0 and 1 used
};
