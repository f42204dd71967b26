#pragma once

// One feature of a layer being imported, read as TALVO takes it: attributes that must be
// numbers are numbers, the sizes that cannot be negative are not, names are decoded from
// the layer's encoding into text a project file can hold. Whatever no calculation could
// use refuses the whole import with a message naming the feature (its place in the layer,
// from 1) and the field.

#include <ogrsf_frmts.h>

#include <optional>
#include <string>
#include <vector>

// Thrown where a feature is found unusable; the import catches it and is refused with the
// message.
struct CImportRefusal {
    std::string message;
};

// Heights (geometry Z and the height attributes) lie within this of 0 m.
inline constexpr double kMaxImportHeight = 10000.0;

// The messages GDAL gives while a layer is read, kept instead of printed, so that the
// import can name what GDAL could not read. Installs itself for the calling thread for
// its lifetime; one per import.
class CGdalMessages {
public:
    CGdalMessages();
    ~CGdalMessages();
    CGdalMessages(const CGdalMessages&) = delete;
    CGdalMessages& operator=(const CGdalMessages&) = delete;

    void Clear() { m_messages.clear(); }
    const std::vector<std::string>& Messages() const { return m_messages; }
    void Add(std::string message) { m_messages.push_back(std::move(message)); }

private:
    std::vector<std::string> m_messages;
};

class CFeatureReader {
public:
    // number: the feature's place in the layer, from 1. utf8: GDAL gives the layer's texts
    // in UTF-8 (it knows the layer's encoding). messages: what GDAL said while reading it.
    CFeatureReader(const OGRFeature& f, std::size_t number, bool utf8, const CGdalMessages& messages)
        : m_f(f), m_number(number), m_utf8(utf8), m_messages(messages)
    {
    }

    std::size_t Number() const { return m_number; }
    // "피처 3".
    std::string Label() const;
    [[noreturn]] void Refuse(const std::string& what) const;

    bool HasField(const char* field) const;
    // The attribute as a finite number; none when the layer lacks it or it is unset, null
    // or empty text. Text that is not a number, nan and infinities are refused.
    std::optional<double> Number(const char* field) const;
    // A size: refused below 0.
    std::optional<double> NonNegative(const char* field) const;
    // Refused unless above 0.
    std::optional<double> Positive(const char* field) const;
    // A height in m, refused beyond kMaxImportHeight either way.
    std::optional<double> Height(const char* field) const;
    // A whole number from lo to hi.
    std::optional<int> Count(const char* field, int lo, int hi) const;
    // The attribute as text of one line in UTF-8, what CP949 cannot hold as '?'.
    std::optional<std::string> Text(const char* field) const;

private:
    const OGRFeature& m_f;
    std::size_t m_number;
    bool m_utf8;
    const CGdalMessages& m_messages;
};

// A text of the layer as UTF-8 a project file keeps whole: bytes in the layer's encoding
// (UTF-8 when GDAL knows it, else CP949 unless they already read as UTF-8), characters
// CP949 cannot hold as '?', and no control character.
std::string DecodeLayerText(std::string_view raw, bool utf8);

// The shortest text of a number that reads back as the same ("2.5", "-1e+30", "nan").
std::string NumberText(double value);
