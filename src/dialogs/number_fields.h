#pragma once

// Number fields of the input windows: how numbers are shown ("%.2f"), how the text of an
// edit field is read back, and the messages a field that does not read shows. Every
// input window and small form uses these, so that the wording never drifts apart.

#include <optional>

#include <QString>

#include "model/bands.h"

class QLineEdit;
class QWidget;

inline constexpr const char* kMsgEnterNumber = "숫자를 입력하십시오.";
inline constexpr const char* kMsgEnterInteger = "정수를 입력하십시오.";

// "%1에서 %2 사이의 숫자를 입력하십시오." with the two bounds.
QString RangeMessage(double lo, double hi);

// "%.2f".
QString Fixed2(double value);
// "%.2f", or the no-energy mark "-" for a level without energy.
QString LevelText(double level);

// The whole text (blanks around it allowed, "C" conventions) as a finite number.
std::optional<double> ParseDouble(const QString& text);
// The whole text as a 32-bit integer.
std::optional<int> ParseInt(const QString& text);
// A band level cell: a number, or the no-energy mark (kNoEnergy).
std::optional<double> ParseLevel(const QString& text);

// Reads the edit fields of one form in turn. The first field that does not read shows
// its message (owner window as parent), takes the focus, and every later read of the
// same reader fails without a further message, so one bad field gives one message.
class CFormReader {
public:
    explicit CFormReader(QWidget* owner) : m_pOwner(owner) {}

    bool Double(QLineEdit* field, double& target);
    bool Int(QLineEdit* field, int& target);
    bool DoubleInRange(QLineEdit* field, double& target, double lo, double hi);
    bool IntInRange(QLineEdit* field, int& target, int lo, int hi);
    bool Ok() const { return m_bOk; }

private:
    bool Fail(QLineEdit* field, const QString& message);

    QWidget* m_pOwner;
    bool m_bOk = true;
};
