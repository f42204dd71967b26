#include "io/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace {

// One iconv conversion descriptor, closed on scope exit.
class CIconv {
public:
    CIconv(const char* to, const char* from) : m_cd(iconv_open(to, from))
    {
        // iconv_open reports failure as (iconv_t)-1.
        if (m_cd == reinterpret_cast<iconv_t>(-1))  // NOLINT(performance-no-int-to-ptr)
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    ~CIconv() { iconv_close(m_cd); }
    CIconv(const CIconv&) = delete;
    CIconv& operator=(const CIconv&) = delete;

    // Converts as much of in as possible into out. Returns false and leaves in at the
    // offending bytes when they are invalid or unconvertible.
    bool Convert(std::string_view& in, std::string& out)
    {
        char buffer[4096];
        while (!in.empty()) {
            // iconv takes char** for its input but does not write through it.
            char* src = const_cast<char*>(in.data());  // NOLINT(cppcoreguidelines-pro-type-const-cast)
            std::size_t srcLeft = in.size();
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t rc = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
            const int err = errno;
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            in.remove_prefix(in.size() - srcLeft);
            if (rc == static_cast<std::size_t>(-1) && err != E2BIG)
                return false;
        }
        return true;
    }

    void Reset() { iconv(m_cd, nullptr, nullptr, nullptr, nullptr); }

private:
    iconv_t m_cd;
};

// Length of the UTF-8 sequence starting at bytes[i] (lead byte 0xC2..0xF4 and its
// continuation bytes), 0 when none starts there.
std::size_t Utf8SequenceAt(std::string_view bytes, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const std::size_t len = lead >= 0xC2 && lead <= 0xDF   ? 2
                            : lead >= 0xE0 && lead <= 0xEF ? 3
                            : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                           : 0;
    if (len == 0 || i + len > bytes.size())
        return 0;
    for (std::size_t k = 1; k < len; ++k)
        if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80)
            return 0;
    return len;
}

// Bytes to drop where iconv stopped: a whole character CP949 cannot hold, else one bad
// byte. A bad lead byte must not swallow what follows it: at the end of a value that is
// the line break.
std::size_t Utf8SkipLength(std::string_view text) { return std::max<std::size_t>(1, Utf8SequenceAt(text, 0)); }

// Converts in with cd, replacing each unconvertible piece (skip bytes chosen by skip)
// by replacement.
template <typename SkipFn>
std::string ConvertReplacing(const char* to, const char* from, std::string_view in, std::string_view replacement,
                             SkipFn skip, std::size_t* replaced)
{
    CIconv cd(to, from);
    std::string out;
    out.reserve(in.size() + in.size() / 2);
    std::size_t count = 0;
    while (!cd.Convert(in, out) && !in.empty()) {
        out += replacement;
        in.remove_prefix(skip(in));
        cd.Reset();
        ++count;
    }
    if (replaced)
        *replaced = count;
    return out;
}

}  // namespace

std::string Cp949ToUtf8(std::string_view bytes, std::size_t* replaced)
{
    // Skip one byte only: a bad lead byte must not swallow the next, good character.
    return ConvertReplacing(
        "UTF-8", "CP949", bytes, "\xEF\xBF\xBD", [](std::string_view) { return std::size_t{1}; }, replaced);
}

std::string Utf8ToCp949(std::string_view text, std::size_t* replaced)
{
    return ConvertReplacing("CP949", "UTF-8", text, "?", Utf8SkipLength, replaced);
}

EForeignEncoding MarkedForeignEncoding(std::string_view bytes)
{
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF") || bytes.find('\0') != std::string_view::npos)
        return EForeignEncoding::Utf16;
    return bytes.starts_with("\xEF\xBB\xBF") ? EForeignEncoding::Utf8Marked : EForeignEncoding::None;
}

bool IsUtf8Text(std::string_view bytes)
{
    bool wide = false;
    for (std::size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t len = Utf8SequenceAt(bytes, i);
        if (len == 0)
            return false;
        wide = true;
        i += len;
    }
    return wide;
}
