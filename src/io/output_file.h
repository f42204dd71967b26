#pragma once

// An output file that never destroys the one it replaces: it is written under a
// temporary name beside its target and renamed into place only when complete, so the
// target is the previous file or the complete new one. A run stopped half-way can keep
// what it wrote as TARGET.partial; a run killed outright leaves only a temporary file,
// named ".TARGET.talvo-tmp-XXXXXX" (hidden, and matched by no pattern of the target's).
// One object per output; not shared between threads.

#include <fstream>
#include <string>

// The temporary name beside target that OutputFile and the project saves write under,
// as a mkstemp template (ends in "XXXXXX").
std::string TemporaryNameBeside(const std::string& target);

// True when both paths name one existing file, also through another path or a link.
bool IsSameFile(const std::string& a, const std::string& b);

// True when both paths name the same file, existing or not: IsSameFile, or the same path
// once the folders are resolved ("out/../p.tlv" and "p.tlv").
bool NamesSameFile(const std::string& a, const std::string& b);

// 0 when an output may replace what is at path (nothing, or a regular file), else the
// errno saying why not (EISDIR for a folder, EPERM for a device).
int OutputTargetError(const std::string& path);

// Writes a complete file's data to disk; 0, or the errno of the failure (a full disk can
// show only here).
int SyncFile(const std::string& path);

class COutputFile {
public:
    COutputFile() = default;
    COutputFile(const COutputFile&) = delete;
    COutputFile& operator=(const COutputFile&) = delete;
    // Removes the temporary file unless it was committed or kept.
    ~COutputFile();

    // Creates the temporary file beside target and opens it for binary writing. Refuses a
    // target that is a folder or a device. Empty when it worked, else the message.
    std::string Create(const std::string& target);
    // The stream to write through; the temporary file's path for writers that open files
    // themselves (then Stream() is not used).
    std::ofstream& Stream() { return m_out; }
    const std::string& TemporaryPath() const { return m_temp; }

    // Flushes the file to disk and renames it over the target. Empty when it worked, else
    // the message; the target is then left as it was.
    std::string Commit();
    // Keeps what was written as target + ".partial" (replacing an earlier one); returns
    // that path, empty when it could not be kept.
    std::string KeepPartial();

private:
    std::string Finish(const std::string& destination);

    std::string m_target, m_temp;
    std::ofstream m_out;
};
