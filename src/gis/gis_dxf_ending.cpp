#include "gis/gis_dxf_ending.h"

#include <cpl_vsi.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <fstream>
#include <vector>

namespace {

constexpr std::size_t kChunkBytes = 1 << 20;

// Where the text the DXF reader would read ends (the first NUL byte, else the file's end)
// and whether its last byte is a carriage return.
struct CReaderText {
    std::streamoff length = 0;
    bool endsInReturn = false;
};

bool ReadReaderText(const std::string& path, CReaderText& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::vector<char> chunk(kChunkBytes);
    while (in) {
        in.read(chunk.data(), std::streamsize(chunk.size()));
        const std::size_t got = std::size_t(in.gcount());
        const void* nul = std::memchr(chunk.data(), '\0', got);
        const std::size_t used = nul ? std::size_t(static_cast<const char*>(nul) - chunk.data()) : got;
        if (used > 0)
            text.endsInReturn = chunk[used - 1] == '\r';
        text.length += std::streamoff(used);
        if (nul)
            break;
    }
    return !in.bad();
}

// The first `length` bytes of the file and a line feed, written to the memory file.
bool WriteEndedCopy(const std::string& path, std::streamoff length, const std::string& copy)
{
    std::ifstream in(path, std::ios::binary);
    VSILFILE* out = VSIFOpenL(copy.c_str(), "wb");
    if (!in || !out) {
        if (out)
            VSIFCloseL(out);
        return false;
    }
    std::vector<char> chunk(kChunkBytes);
    bool ok = true;
    for (std::streamoff left = length; ok && left > 0;) {
        const std::streamsize want = std::streamsize(std::min<std::streamoff>(left, std::streamoff(chunk.size())));
        ok = bool(in.read(chunk.data(), want)) &&
             VSIFWriteL(chunk.data(), 1, std::size_t(want), out) == std::size_t(want);
        left -= want;
    }
    ok = ok && VSIFWriteL("\n", 1, 1, out) == 1;
    return VSIFCloseL(out) == 0 && ok;
}

}  // namespace

bool EndedTextCopy(const std::string& path, std::string& copy)
{
    copy.clear();
    CReaderText text;
    if (!ReadReaderText(path, text) || !text.endsInReturn)
        return true;
    static std::atomic<unsigned long> s_count{0};
    // The file's own name: GDAL chooses among its readers by name as well as content, and
    // names a GeoJSON layer after its file.
    copy = "/vsimem/talvo-layer-" + std::to_string(++s_count) + "/" + path.substr(path.find_last_of('/') + 1);
    if (WriteEndedCopy(path, text.length, copy))
        return true;
    VSIUnlink(copy.c_str());
    copy.clear();
    return false;
}
