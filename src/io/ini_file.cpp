#include "io/ini_file.h"

#include "io/number_text.h"

namespace {

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlankChar(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlankChar(s.back()))
        s.remove_suffix(1);
    return s;
}

// Names are matched without regard to ASCII letter case.
std::string Fold(std::string_view name)
{
    std::string folded(Trim(name));
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

// The first max characters (UTF-8 code points) of text.
std::string_view CutChars(std::string_view text, std::size_t max)
{
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
        if (!continuation && chars++ == max)
            return text.substr(0, i);
    }
    return text;
}

std::string ReadBack(std::string_view value) { return std::string(CutChars(Trim(value), CIniFile::kMaxValueChars)); }

// A name or value as one line of the file: line breaks would start a new line.
std::string OneLine(std::string_view text)
{
    std::string line(text);
    for (char& c : line)
        if (c == '\r' || c == '\n')
            c = ' ';
    return line;
}

}  // namespace

CIniFile::Section& CIniFile::FindOrAddSection(std::string_view name)
{
    const auto [it, added] = m_index.try_emplace(Fold(name), m_sections.size());
    if (added)
        m_sections.push_back(Section{std::string(Trim(name)), {}, {}});
    return m_sections[it->second];
}

const CIniFile::Section* CIniFile::FindSection(std::string_view name) const
{
    const auto it = m_index.find(Fold(name));
    return it == m_index.end() ? nullptr : &m_sections[it->second];
}

const CIniFile::Entry* CIniFile::FindEntry(const Section& section, std::string_view key)
{
    const auto it = section.index.find(Fold(key));
    return it == section.index.end() ? nullptr : &section.entries[it->second];
}

void CIniFile::AddEntry(Section& section, std::string_view key, std::string_view value)
{
    const auto [it, added] = section.index.try_emplace(Fold(key), section.entries.size());
    if (added)
        section.entries.push_back(Entry{std::string(Trim(key)), std::string(value)});
}

void CIniFile::Write(std::string_view section, std::string_view key, std::string_view value)
{
    Section& s = FindOrAddSection(section);
    const auto it = s.index.find(Fold(key));
    if (it != s.index.end())
        s.entries[it->second].value = std::string(value);
    else
        AddEntry(s, key, value);
}

std::string CIniFile::Read(std::string_view section, std::string_view key, std::string_view def) const
{
    const Section* s = FindSection(section);
    const Entry* e = s ? FindEntry(*s, key) : nullptr;
    return ReadBack(e ? std::string_view(e->value) : def);
}

std::size_t CIniFile::CharCount(std::string_view text)
{
    std::size_t chars = 0;
    for (char c : text)
        chars += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return chars;
}

bool CIniFile::HasSection(std::string_view section) const { return FindSection(section) != nullptr; }

bool CIniFile::HasKey(std::string_view section, std::string_view key) const
{
    const Section* s = FindSection(section);
    return s && FindEntry(*s, key);
}

CIniFile CIniFile::Parse(std::string_view text)
{
    CIniFile ini;
    Section* current = nullptr;
    Section orphan;  // keys of a repeated section: kept out of reach, as lookups find the first
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        const std::string_view line = Trim(text.substr(0, eol));
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        if (line.size() >= 2 && line.front() == '[' && line.find(']') != std::string_view::npos) {
            const std::string_view name = line.substr(1, line.find(']') - 1);
            const bool seen = ini.m_index.count(Fold(name)) > 0;
            current = seen ? &orphan : &ini.FindOrAddSection(name);
            continue;
        }
        const std::size_t eq = line.find('=');
        if (current && eq != std::string_view::npos && line.front() != ';')
            AddEntry(*current, line.substr(0, eq), line.substr(eq + 1));
    }
    return ini;
}

std::string CIniFile::ToText() const
{
    std::string text;
    for (const Section& s : m_sections) {
        text += '[' + OneLine(s.name) + "]\r\n";
        for (const Entry& e : s.entries)
            text += OneLine(e.key) + '=' + OneLine(e.value) + "\r\n";
    }
    return text;
}
