#pragma once

// Helpers of the project-file tests: a scratch folder, whole-file bytes and the small
// stored project.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "io/codepage.h"
#include "io/project_file.h"
#include "model/document.h"

namespace iotest {

inline std::string DataPath(const std::string& name) { return std::string(TALVO_TEST_DATA) + "/" + name; }

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// Writes UTF-8 text as a CP949 file, each '\n' turned into CR LF.
inline void WriteCp949Lines(const std::string& path, const std::string& text)
{
    std::string crlf;
    for (char c : text)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    WriteBytes(path, Utf8ToCp949(crlf));
}

// A fresh folder under the system's temporary folder, removed with everything in it.
class ScratchDir {
public:
    ScratchDir()
    {
        std::string templ = (std::filesystem::temp_directory_path() / "talvo-io-XXXXXX").string();
        m_path = ::mkdtemp(templ.data()) ? templ : std::string();
    }
    ~ScratchDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string File(const std::string& name) const { return m_path + "/" + name; }
    std::size_t EntryCount() const
    {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(m_path), std::filesystem::directory_iterator()));
    }

private:
    std::string m_path;
};

// The small project stored under tests/data/io, opened; a failure to open it fails the test.
inline CMyTalvoDoc SmallProject()
{
    CMyTalvoDoc doc;
    EXPECT_TRUE(OpenProject(doc, DataPath("io/small_project.tlv")).ok);
    return doc;
}

}  // namespace iotest
