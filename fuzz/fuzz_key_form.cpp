// The key form on arbitrary file bytes (CP949, as read from disk): converting, parsing
// and reading into a document must never crash, and the document read must save.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "io/codepage.h"
#include "io/ini_file.h"
#include "io/key_form.h"
#include "model/document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const CIniFile ini = CIniFile::Parse(Cp949ToUtf8(bytes));
    CMyTalvoDoc doc;
    if (ReadKeyForm(ini, doc).ok)
        (void)Utf8ToCp949(WriteKeyForm(doc).ToText());
    return 0;
}
