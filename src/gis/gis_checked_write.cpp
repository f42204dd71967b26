#include "gis/gis_checked_write.h"

#include <cpl_vsi_virtual.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>

namespace {

std::mutex g_failuresMutex;
std::map<std::string, std::string> g_failures;  // path -> why its first failed write failed

void NoteFailure(const std::string& path, int err)
{
    const std::lock_guard<std::mutex> lock(g_failuresMutex);
    g_failures.emplace(path, err != 0 ? std::strerror(err) : "write failed");
}

std::string Unchecked(const char* path)
{
    const std::string text = path ? path : "";
    const std::size_t prefix = std::strlen(kCheckedPrefix);
    return text.compare(0, prefix, kCheckedPrefix) == 0 ? text.substr(prefix) : text;
}

// A file of the checked file system: everything goes to the file itself; failures are noted.
class CCheckedHandle final : public VSIVirtualHandle {
public:
    CCheckedHandle(VSILFILE* file, std::string path) : m_file(file), m_path(std::move(path)) {}
    ~CCheckedHandle() override
    {
        if (m_file)
            Close();
    }

    int Seek(vsi_l_offset offset, int whence) override { return VSIFSeekL(m_file, offset, whence); }
    vsi_l_offset Tell() override { return VSIFTellL(m_file); }
    size_t Read(void* buffer, size_t size, size_t count) override { return VSIFReadL(buffer, size, count, m_file); }
    int Eof() override { return VSIFEofL(m_file); }

    size_t Write(const void* buffer, size_t size, size_t count) override
    {
        errno = 0;
        const size_t written = VSIFWriteL(buffer, size, count, m_file);
        if (written < count)
            NoteFailure(m_path, errno);
        return written;
    }
    int Flush() override { return Checked(VSIFFlushL(m_file)); }
    int Truncate(vsi_l_offset size) override { return Checked(VSIFTruncateL(m_file, size)); }
    int Close() override
    {
        errno = 0;
        const int result = VSIFCloseL(m_file);
        m_file = nullptr;
        return Checked(result);
    }

private:
    int Checked(int result)
    {
        if (result != 0)
            NoteFailure(m_path, errno);
        return result;
    }

    VSILFILE* m_file;
    std::string m_path;
};

class CCheckedFilesystem final : public VSIFilesystemHandler {
public:
    VSIVirtualHandle* Open(const char* name, const char* access, bool setError, CSLConstList options) override
    {
        const std::string path = Unchecked(name);
        VSILFILE* file = VSIFOpenEx2L(path.c_str(), access, setError, options);
        return file ? new CCheckedHandle(file, path) : nullptr;
    }
    int Stat(const char* name, VSIStatBufL* stat, int flags) override
    {
        return VSIStatExL(Unchecked(name).c_str(), stat, flags);
    }
    int Unlink(const char* name) override { return VSIUnlink(Unchecked(name).c_str()); }
    int Mkdir(const char* name, long mode) override { return VSIMkdir(Unchecked(name).c_str(), mode); }
    int Rmdir(const char* name) override { return VSIRmdir(Unchecked(name).c_str()); }
    int Rename(const char* from, const char* to) override
    {
        return VSIRename(Unchecked(from).c_str(), Unchecked(to).c_str());
    }
    char** ReadDir(const char* name) override { return VSIReadDir(Unchecked(name).c_str()); }
    char** ReadDirEx(const char* name, int maxFiles) override
    {
        return VSIReadDirEx(Unchecked(name).c_str(), maxFiles);
    }
    int IsCaseSensitive(const char*) override { return TRUE; }
};

}  // namespace

void InstallCheckedWrites() { VSIFileManager::InstallHandler(kCheckedPrefix, new CCheckedFilesystem()); }

std::string CheckedPath(const std::string& path) { return kCheckedPrefix + path; }

std::string TakeWriteFailure(const std::string& under)
{
    const std::lock_guard<std::mutex> lock(g_failuresMutex);
    std::string first;
    for (auto it = g_failures.lower_bound(under); it != g_failures.end() && it->first.rfind(under, 0) == 0;) {
        if (first.empty())
            first = it->second;
        it = g_failures.erase(it);
    }
    return first;
}
