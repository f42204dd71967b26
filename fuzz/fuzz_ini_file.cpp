// The key-file layer on arbitrary text: parsing, looking keys up and writing the file
// again must never crash, and what it writes must parse to the same sections.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "io/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const CIniFile ini = CIniFile::Parse(text);
    (void)ini.Read("설정", "버전", "0");
    (void)ini.Read("도로 1", "도로시작점X/Y/Z", "0/0/0");
    const std::string written = ini.ToText();
    const CIniFile again = CIniFile::Parse(written);
    // Every section written is found again (blank names and names with ']' aside, which
    // a header line cannot carry).
    if (again.SectionCount() > ini.SectionCount())
        std::abort();
    return 0;
}
