#pragma once

// Conversion between the project files' Korean code page (CP949) and the UTF-8 text
// the program keeps in memory. Neither direction ever fails: what cannot be converted
// is replaced and counted, everything else is kept.

#include <cstddef>
#include <string>
#include <string_view>

// A byte sequence that is not valid CP949 becomes U+FFFD, one per bad byte.
std::string Cp949ToUtf8(std::string_view bytes, std::size_t* replaced = nullptr);

// A character without a CP949 form (or a bad UTF-8 byte) becomes '?'.
std::string Utf8ToCp949(std::string_view text, std::size_t* replaced = nullptr);
