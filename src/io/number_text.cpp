#include "io/number_text.h"

#include <locale.h>  // NOLINT(modernize-deprecated-headers): newlocale and locale_t are POSIX, not in <clocale>

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

locale_t CLocale()
{
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

// strtod/strtol need a terminated string: the text after the leading blanks is copied,
// at most kMaxNumber characters of it (far more than any number a file can sensibly hold).
constexpr std::size_t kMaxNumber = 400;

std::size_t LeadingBlanks(std::string_view text)
{
    std::size_t n = 0;
    while (n < text.size() && IsBlankChar(text[n]))
        ++n;
    return n;
}

// Runs parse (strtod-like, on a terminated copy) at the start of text; returns the
// characters used including the leading blanks, 0 when no number was there.
template <typename ParseFn>
std::size_t ParseAtStart(std::string_view text, ParseFn parse)
{
    const std::size_t blanks = LeadingBlanks(text);
    const std::string s(text.substr(blanks, kMaxNumber));
    char* end = nullptr;
    parse(s.c_str(), &end);
    const auto used = static_cast<std::size_t>(end - s.c_str());
    return used > 0 ? blanks + used : 0;
}

// Parses a double at the start of text; returns the characters used (0: no number).
std::size_t ParseDouble(std::string_view text, double& value)
{
    return ParseAtStart(text, [&](const char* s, char** end) { value = strtod_l(s, end, CLocale()); });
}

// Parses an integer at the start of text, saturated to int; returns the characters used.
std::size_t ParseInt(std::string_view text, int& value)
{
    return ParseAtStart(text, [&](const char* s, char** end) {
        const long long v = strtoll_l(s, end, 10, CLocale());
        value = v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
    });
}

std::string_view NthItem(std::string_view value, int n)
{
    for (int i = 0; i < n; ++i) {
        const std::size_t slash = value.find('/');
        if (slash == std::string_view::npos)
            return {};
        value.remove_prefix(slash + 1);
    }
    return value.substr(0, value.find('/'));
}

}  // namespace

std::string FormatDouble(double value)
{
    char buf[512];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 6);
    return std::string(buf, res.ptr);
}

bool IsBlankChar(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string FormatInt(int value) { return std::to_string(value); }

double TextToDouble(std::string_view text)
{
    double value = 0;
    return ParseDouble(text, value) > 0 ? value : 0.0;
}

int TextToInt(std::string_view text)
{
    int value = 0;
    return ParseInt(text, value) > 0 ? value : 0;
}

int TruncateToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(value);
}

double ValueItem(std::string_view value, int n) { return n >= 0 ? TextToDouble(NthItem(value, n)) : 0.0; }

int ValueItemInt(std::string_view value, int n) { return TruncateToInt(ValueItem(value, n)); }

namespace {

// Takes one number with parse from the front of rest while ok holds; a failure clears ok
// and leaves target untouched.
template <typename T>
bool TakeNumber(std::string_view& rest, bool& ok, T& target, std::size_t (*parse)(std::string_view, T&))
{
    T value{};
    const std::size_t used = ok ? parse(rest, value) : 0;
    ok = used > 0;
    if (ok) {
        target = value;
        rest.remove_prefix(used);
    }
    return ok;
}

}  // namespace

bool CNumberScanner::Double(double& target) { return TakeNumber(m_rest, m_ok, target, ParseDouble); }

bool CNumberScanner::Int(int& target) { return TakeNumber(m_rest, m_ok, target, ParseInt); }
