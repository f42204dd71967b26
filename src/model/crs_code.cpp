#include "model/crs_code.h"

#include <cctype>

namespace {

constexpr std::string_view kAuthority = "EPSG:";
constexpr std::size_t kMaxDigits = 9;  // keeps the number inside an int

bool StartsWithAuthority(std::string_view text)
{
    if (text.size() < kAuthority.size())
        return false;
    for (std::size_t i = 0; i < kAuthority.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) != kAuthority[i])
            return false;
    return true;
}

}  // namespace

bool IsCrsCode(std::string_view text)
{
    if (!StartsWithAuthority(text))
        return false;
    const std::string_view digits = text.substr(kAuthority.size());
    if (digits.empty() || digits.size() > kMaxDigits)
        return false;
    for (const char c : digits)
        if (c < '0' || c > '9')
            return false;
    return true;
}

int CrsCodeNumber(std::string_view text)
{
    if (!IsCrsCode(text))
        return 0;
    int number = 0;
    for (const char c : text.substr(kAuthority.size()))
        number = number * 10 + (c - '0');
    return number;
}

std::string ShortenedForMessage(std::string_view text, std::size_t limit)
{
    std::string shown;
    std::size_t characters = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80 && characters++ == limit)
            return shown + "…";
        shown += byte < 0x20 || byte == 0x7F ? '?' : c;
    }
    return shown;
}
