#include "gis/gis_import_feature.h"

#include <cpl_error.h>

#include <charconv>
#include <cmath>

#include "io/codepage.h"
#include "io/key_form.h"

namespace {

void CPL_STDCALL KeepMessage(CPLErr level, CPLErrorNum, const char* text)
{
    auto* messages = static_cast<CGdalMessages*>(CPLGetErrorHandlerUserData());
    if (messages && level >= CE_Warning && text)
        messages->Add(text);
}

std::string_view Trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// The whole text as a number in the "C" conventions (a leading '+' allowed).
bool ParseNumber(std::string_view text, double& value)
{
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

bool IsNumberType(OGRFieldType type) { return type == OFTReal || type == OFTInteger || type == OFTInteger64; }

// A layer's text as it may be shown in a message: decoded and at most 40 characters.
std::string Shown(std::string_view raw, bool utf8)
{
    std::string text = DecodeLayerText(raw, utf8);
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && ++chars > 40)
            return text.substr(0, i) + "...";
    return text;
}

}  // namespace

CGdalMessages::CGdalMessages() { CPLPushErrorHandlerEx(KeepMessage, this); }

CGdalMessages::~CGdalMessages() { CPLPopErrorHandler(); }

std::string NumberText(double value)
{
    char buf[64];
    const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
    return std::string(buf, end);
}

std::string DecodeLayerText(std::string_view raw, bool utf8)
{
    bool ascii = true;
    for (char c : raw)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    const std::string text = utf8 || ascii || IsUtf8Text(raw) ? std::string(raw) : Cp949ToUtf8(raw);
    return KeyFormText(Cp949ToUtf8(Utf8ToCp949(text)));
}

std::string CFeatureReader::Label() const { return "피처 " + std::to_string(m_number); }

void CFeatureReader::Refuse(const std::string& what) const { throw CImportRefusal{Label() + "의 " + what}; }

bool CFeatureReader::HasField(const char* field) const { return m_f.GetFieldIndex(field) >= 0; }

std::optional<double> CFeatureReader::Number(const char* field) const
{
    const int index = m_f.GetFieldIndex(field);
    if (index < 0 || !m_f.IsFieldSetAndNotNull(index))
        return std::nullopt;
    // A number column holding text ("abc" in a shapefile's numeric field) reads as 0; GDAL
    // only says so in a warning naming the layer and the field.
    const std::string about = std::string(".") + field + " parsed incompletely";
    for (const std::string& message : m_messages.Messages())
        if (message.find(about) != std::string::npos)
            Refuse(std::string(field) + " 값을 숫자로 읽을 수 없습니다 (" + Shown(message, true) + ").");
    double value = 0;
    if (IsNumberType(m_f.GetFieldDefnRef(index)->GetType())) {
        value = m_f.GetFieldAsDouble(index);
    } else {
        const std::string_view text = Trimmed(m_f.GetFieldAsString(index));
        if (text.empty())
            return std::nullopt;
        if (!ParseNumber(text, value))
            Refuse(std::string(field) + " 값 \"" + Shown(text, m_utf8) + "\"은(는) 숫자가 아닙니다.");
    }
    if (!std::isfinite(value))
        Refuse(std::string(field) + " 값 \"" + NumberText(value) + "\"은(는) 숫자가 아닙니다.");
    return value;
}

std::optional<double> CFeatureReader::NonNegative(const char* field) const
{
    const auto value = Number(field);
    if (value && *value < 0)
        Refuse(std::string(field) + " 값(" + NumberText(*value) + ")은 0 이상이어야 합니다.");
    return value;
}

std::optional<double> CFeatureReader::Positive(const char* field) const
{
    const auto value = Number(field);
    if (value && !(*value > 0))
        Refuse(std::string(field) + " 값(" + NumberText(*value) + ")은 0보다 커야 합니다.");
    return value;
}

std::optional<double> CFeatureReader::Height(const char* field) const
{
    const auto value = Number(field);
    if (value && std::fabs(*value) > kMaxImportHeight)
        Refuse(std::string(field) + " 값(" + NumberText(*value) + ")이 범위를 벗어납니다. 높이는 -" +
               NumberText(kMaxImportHeight) + " m에서 " + NumberText(kMaxImportHeight) + " m 사이여야 합니다.");
    return value;
}

std::optional<int> CFeatureReader::Count(const char* field, int lo, int hi) const
{
    const auto value = Number(field);
    if (value && (*value < lo || *value > hi || *value != std::floor(*value)))
        Refuse(std::string(field) + " 값(" + NumberText(*value) + ")은 " + std::to_string(lo) + "에서 " +
               std::to_string(hi) + " 사이의 정수여야 합니다.");
    return value ? std::optional<int>(static_cast<int>(*value)) : std::nullopt;
}

std::optional<std::string> CFeatureReader::Text(const char* field) const
{
    const int index = m_f.GetFieldIndex(field);
    if (index < 0 || !m_f.IsFieldSetAndNotNull(index))
        return std::nullopt;
    return DecodeLayerText(m_f.GetFieldAsString(index), m_utf8);
}
