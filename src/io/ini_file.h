#pragma once

// A key file held in memory: named sections of key lines ("key=value"), kept in the
// order in which they were first written, found again by section and key name. It
// behaves as the profile files the project format grew up with: a value read back is
// trimmed of surrounding blanks and cut to kMaxValueChars characters; names match
// without regard to ASCII letter case; the first of duplicated sections or keys wins.
// Text is UTF-8; conversion to the file's code page is the caller's business.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CIniFile {
public:
    static constexpr std::size_t kMaxValueChars = 254;

    // Sets the key's value; a new section or key is appended after the existing ones.
    void Write(std::string_view section, std::string_view key, std::string_view value);

    // The key's value, trimmed and cut, or def (trimmed and cut likewise) when the
    // section or key is missing.
    std::string Read(std::string_view section, std::string_view key, std::string_view def) const;

    bool HasSection(std::string_view section) const;
    bool HasKey(std::string_view section, std::string_view key) const;
    std::size_t SectionCount() const { return m_sections.size(); }

    // Calls visit(section, key, value) for every key line, in file order, with the
    // values as written (not cut).
    template <typename Visit>
    void ForEachKey(Visit visit) const
    {
        for (const Section& s : m_sections)
            for (const Entry& e : s.entries)
                visit(std::string_view(s.name), std::string_view(e.key), std::string_view(e.value));
    }

    // Characters (UTF-8 code points) of text, as the cut on reading counts them.
    static std::size_t CharCount(std::string_view text);

    // Reads the text of a key file (CR LF or LF line ends). Never fails: lines that are
    // neither a section header nor a key line are ignored.
    static CIniFile Parse(std::string_view text);

    // The whole file: "[section]" lines, each followed by its "key=value" lines, every
    // line ending in CR LF. Line breaks inside names or values are written as blanks.
    std::string ToText() const;

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
        std::unordered_map<std::string, std::size_t> index;  // folded key -> entry
    };

    Section& FindOrAddSection(std::string_view name);
    const Section* FindSection(std::string_view name) const;
    static const Entry* FindEntry(const Section& section, std::string_view key);
    static void AddEntry(Section& section, std::string_view key, std::string_view value);

    std::vector<Section> m_sections;
    std::unordered_map<std::string, std::size_t> m_index;  // folded name -> first section
};
