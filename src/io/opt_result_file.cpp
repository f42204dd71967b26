#include "io/opt_result_file.h"

#include <charconv>
#include <climits>
#include <cstddef>
#include <fstream>
#include <iterator>

#include "io/number_text.h"

namespace {

// The lines of the text in order, without their line ends.
class CLineReader {
public:
    explicit CLineReader(std::string_view text) : m_text(text) {}
    // The next line; empty once the text is used up.
    std::string_view Next()
    {
        if (m_pos >= m_text.size())
            return {};
        std::size_t end = m_text.find('\n', m_pos);
        if (end == std::string_view::npos)
            end = m_text.size();
        std::string_view line = m_text.substr(m_pos, end - m_pos);
        m_pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return line;
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

void SkipBlanks(std::string_view& s)
{
    while (!s.empty() && IsBlankChar(s.front()))
        s.remove_prefix(1);
}

// One number from the front of s (blanks skipped, an optional sign), as "%lf" reads it in
// the C locale; false when none reads, leaving target as it was.
bool ReadNumber(std::string_view& s, double& target)
{
    SkipBlanks(s);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc() && error != std::errc::result_out_of_range)
        return false;
    s.remove_prefix(static_cast<std::size_t>(end - s.data()));
    target = negative ? -value : value;
    return true;
}

// Reads numbers into targets in order until one does not read.
template <std::size_t N>
void ReadNumbers(std::string_view line, const std::array<double*, N>& targets)
{
    for (double* target : targets)
        if (!ReadNumber(line, *target))
            return;
}

// The block count as an integer conversion of the whole line reads it: leading blanks, a
// sign, then digits; 0 when none; never below 0 or above kMaxOptResultBlocks.
int ReadBlockCount(std::string_view line)
{
    SkipBlanks(line);
    bool negative = false;
    if (!line.empty() && (line.front() == '+' || line.front() == '-')) {
        negative = line.front() == '-';
        line.remove_prefix(1);
    }
    long long count = 0;
    for (char c : line) {
        if (c < '0' || c > '9')
            break;
        count = count * 10 + (c - '0');
        if (count > kMaxOptResultBlocks)
            break;
    }
    if (negative)
        return 0;
    return static_cast<int>(count > kMaxOptResultBlocks ? kMaxOptResultBlocks : count);
}

void ReadBarrier(CLineReader& lines, COptResult& result)
{
    ReadNumbers<2>(lines.Next(), {&result.m_dHeight, &result.m_dArea});
    ReadNumbers<2>(lines.Next(), {&result.m_dStartX, &result.m_dStartY});
    ReadNumbers<2>(lines.Next(), {&result.m_dEndX, &result.m_dEndY});
}

// Reads one block into the working values carried from block to block.
void ReadBlock(CLineReader& lines, COptReceiver& working)
{
    ReadNumbers<3>(lines.Next(), {&working.m_dX, &working.m_dY, &working.m_dZ});
    std::array<double*, 9> levels{};
    for (std::size_t k = 0; k < levels.size(); ++k)
        levels[k] = &working.m_dLevel[k];
    ReadNumbers<9>(lines.Next(), levels);
}

}  // namespace

COptResult ParseOptResult(std::string_view text)
{
    CLineReader lines(text);
    COptResult result;
    const int count = ReadBlockCount(lines.Next());
    ReadBarrier(lines, result);
    COptReceiver working;
    result.m_arrReceiver.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        ReadBlock(lines, working);
        result.m_arrReceiver.push_back(working);
    }
    return result;
}

bool ReadOptResultFile(const std::string& path, COptResult& result, std::string& message)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        message = kMsgOptResultUnreadable;
        return false;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    result = ParseOptResult(text);
    return true;
}
