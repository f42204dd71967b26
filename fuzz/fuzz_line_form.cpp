// The older line form on arbitrary file bytes (CP949): reading into a document must
// never crash, hang or read past the end, and the document read must save.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "io/codepage.h"
#include "io/ini_file.h"
#include "io/key_form.h"
#include "io/line_form.h"
#include "model/document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CMyTalvoDoc doc;
    double version = 0;
    if (ReadLineForm(Cp949ToUtf8(bytes), doc, version).ok)
        (void)Utf8ToCp949(WriteKeyForm(doc).ToText());
    return 0;
}
