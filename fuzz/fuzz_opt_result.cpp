// The optimiser's ".out" reader on arbitrary bytes: it must never crash, and never give
// more receiver blocks than its limit.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "io/opt_result_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const COptResult result = ParseOptResult(text);
    if (result.m_arrReceiver.size() > static_cast<std::size_t>(kMaxOptResultBlocks))
        std::abort();
    return 0;
}
