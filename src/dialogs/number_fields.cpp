#include "dialogs/number_fields.h"

#include <cmath>

#include <QLineEdit>

#include "ui/message_box.h"

QString RangeMessage(double lo, double hi)
{
    return QStringLiteral("%1에서 %2 사이의 숫자를 입력하십시오.").arg(lo).arg(hi);
}

QString Fixed2(double value) { return QString::number(value, 'f', 2); }

QString LevelText(double level) { return HasEnergy(level) ? Fixed2(level) : QString(kNoEnergyMark); }

std::optional<double> ParseDouble(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> ParseInt(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<double> ParseLevel(const QString& text)
{
    if (text.trimmed() == QLatin1String(kNoEnergyMark))
        return kNoEnergy;
    return ParseDouble(text);
}

bool CFormReader::Fail(QLineEdit* field, const QString& message)
{
    if (m_bOk) {
        m_bOk = false;
        MessageBoxes().Information(m_pOwner, message);
        field->setFocus();
        field->selectAll();
    }
    return false;
}

bool CFormReader::Double(QLineEdit* field, double& target)
{
    if (!m_bOk)
        return false;
    const auto value = ParseDouble(field->text());
    if (!value)
        return Fail(field, QString::fromUtf8(kMsgEnterNumber));
    target = *value;
    return true;
}

bool CFormReader::Int(QLineEdit* field, int& target)
{
    if (!m_bOk)
        return false;
    const auto value = ParseInt(field->text());
    if (!value)
        return Fail(field, QString::fromUtf8(kMsgEnterInteger));
    target = *value;
    return true;
}

bool CFormReader::DoubleInRange(QLineEdit* field, double& target, double lo, double hi)
{
    double value = 0;
    if (!Double(field, value))
        return false;
    if (value < lo || value > hi)
        return Fail(field, RangeMessage(lo, hi));
    target = value;
    return true;
}

bool CFormReader::IntInRange(QLineEdit* field, int& target, int lo, int hi)
{
    int value = 0;
    if (!Int(field, value))
        return false;
    if (value < lo || value > hi)
        return Fail(field, RangeMessage(lo, hi));
    target = value;
    return true;
}
