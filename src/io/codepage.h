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

// Other encodings a text editor saves in, recognisable from the bytes alone.
enum class EForeignEncoding {
    None,
    Utf16,      // a UTF-16 byte-order mark, or NUL bytes (CP949 text never holds one)
    Utf8Marked  // the UTF-8 byte-order mark
};
EForeignEncoding MarkedForeignEncoding(std::string_view bytes);

// The bytes hold non-ASCII characters and all of them form UTF-8 sequences. CP949 text
// with Korean in it almost never does (most Hangul lead bytes are UTF-8 continuation
// bytes), so such a file that does not read as a project is in UTF-8.
bool IsUtf8Text(std::string_view bytes);
