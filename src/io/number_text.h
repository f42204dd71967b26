#pragma once

// Numbers as the project files write and read them. Every function here works in the
// "C" conventions whatever locale the process runs in (a GUI may set the user's).

#include <string>
#include <string_view>

// "%lf": six decimals, 20 -> "20.000000".
std::string FormatDouble(double value);
// "%d".
std::string FormatInt(int value);
// A blank as the "C" locale's isspace has it: space, tab, CR, LF, VT or FF.
bool IsBlankChar(char c);

// The standard text-to-double conversion (atof): leading blanks skipped, the longest
// number at the start taken, 0 when there is none.
double TextToDouble(std::string_view text);
// The standard text-to-integer conversion (atoi): leading blanks, a sign and digits;
// "3.9" gives 3 and "1e2" gives 1. Saturates at the int range instead of overflowing.
int TextToInt(std::string_view text);
// A double truncated toward zero; saturates at the int range, NaN gives 0.
int TruncateToInt(double value);

// The n-th (from 0) '/'-separated item of a value, converted with TextToDouble;
// 0 when the item is missing.
double ValueItem(std::string_view value, int n);
// The n-th item truncated toward zero (the integer items of a list value).
int ValueItemInt(std::string_view value, int n);

// Sequential reading of numbers from one line, as the formatted-input conversions do
// it ("%lf", "%d"): each number is taken after leading blanks; the first that fails to
// convert fails every later one too, and its target is left untouched.
class CNumberScanner {
public:
    explicit CNumberScanner(std::string_view line) : m_rest(line) {}
    bool Double(double& target);
    bool Int(int& target);
    bool Ok() const { return m_ok; }

private:
    std::string_view m_rest;
    bool m_ok = true;
};
