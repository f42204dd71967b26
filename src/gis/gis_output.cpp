#include "gis/gis_output.h"

#include <cpl_string.h>
#include <cpl_vsi.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>

#include "gis/gis_access.h"
#include "gis/gis_ogr.h"
#include "io/output_file.h"

namespace fs = std::filesystem;

namespace {

const char* const kShapefileParts[] = {".shx", ".dbf", ".prj", ".cpg", ".qix", ".sbn", ".sbx"};

std::string WithReason(const std::string& what, const std::string& reason) { return what + " (" + reason + ")"; }

// The temporary folder beside the target; removed with what is left in it when it goes.
class CTemporaryFolder {
public:
    explicit CTemporaryFolder(const std::string& target) : m_path(TemporaryNameBeside(target))
    {
        if (!::mkdtemp(m_path.data()))
            m_path.clear();
    }
    ~CTemporaryFolder()
    {
        std::error_code ignored;
        if (!m_path.empty())
            fs::remove_all(m_path, ignored);
    }
    CTemporaryFolder(const CTemporaryFolder&) = delete;
    CTemporaryFolder& operator=(const CTemporaryFolder&) = delete;

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// A folder of GDAL's in-memory file system for one write; removed with its files.
class CMemoryFolder {
public:
    CMemoryFolder() : m_path("/vsimem/talvo-output-" + std::to_string(++s_count) + "/")
    {
        VSIMkdir(m_path.c_str(), 0755);
    }
    ~CMemoryFolder() { VSIRmdirRecursive(m_path.c_str()); }
    CMemoryFolder(const CMemoryFolder&) = delete;
    CMemoryFolder& operator=(const CMemoryFolder&) = delete;

    const std::string& Path() const { return m_path; }

private:
    static inline std::atomic<unsigned long> s_count{0};
    std::string m_path;
};

// The writer's message names the path it was given; the user knows the target.
std::string NamingTarget(std::string message, const std::string& written, const std::string& target)
{
    for (std::size_t at = message.find(written); at != std::string::npos;
         at = message.find(written, at + target.size()))
        message.replace(at, written.size(), target);
    return message;
}

// Runs the writer; why it failed, empty when it wrote everything. GDAL's report explains a
// writer that could only say that it could not write.
std::string RunWriter(const CGisWriter& write, const std::string& path, const std::string& target)
{
    std::string failure;
    std::string reported;
    {
        CGdalErrorTrap trap;
        failure = NamingTarget(write(path), path, target);
        reported = trap.Failure();
    }
    const std::string cannot = "파일을 쓸 수 없습니다: " + target;
    if ((failure.empty() || failure == cannot) && !reported.empty())
        return WithReason(cannot, reported);
    return failure;
}

// Writes the bytes to a new file at path and flushes them to disk; errno of the first
// failed write, close or flush, 0 when all went through.
int WriteToDisk(const std::string& path, const GByte* data, vsi_l_offset size)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return errno;
    int err = 0;
    for (vsi_l_offset done = 0; done < size && err == 0;) {
        const ssize_t written = ::write(fd, data + done, static_cast<std::size_t>(size - done));
        if (written > 0)
            done += static_cast<vsi_l_offset>(written);
        else if (written < 0 && errno != EINTR)
            err = errno;
    }
    if (err == 0 && ::fsync(fd) != 0)
        err = errno;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    return err;
}

// Copies every file the writer left in memory into the folder on disk; the files written,
// the target's own name last, or the reason one could not be written.
std::string CopyToDisk(const std::string& memory, const std::string& folder, const std::string& name,
                       std::vector<fs::path>& files)
{
    char** names = VSIReadDir(memory.c_str());
    for (int i = 0; names && names[i]; ++i)
        files.push_back(fs::path(folder) / names[i]);
    CSLDestroy(names);
    std::stable_partition(files.begin(), files.end(), [&name](const fs::path& p) { return p.filename() != name; });
    for (const fs::path& file : files) {
        vsi_l_offset size = 0;
        const GByte* data = VSIGetMemFileBuffer((memory + file.filename().string()).c_str(), &size, FALSE);
        if (!data && size != 0)
            return "no data";
        if (const int err = WriteToDisk(file.string(), data, size); err != 0)
            return std::strerror(err);
    }
    return files.empty() ? "no file was written" : "";
}

std::string MoveIntoPlace(const std::vector<fs::path>& files, const fs::path& folder)
{
    for (const fs::path& file : files)
        if (std::rename(file.c_str(), (folder / file.filename()).c_str()) != 0)
            return std::strerror(errno);
    return {};
}

// Old companions of a shapefile that the new one did not write.
void RemoveStaleCompanions(const std::string& target, const std::vector<fs::path>& files)
{
    std::set<std::string> written;
    for (const fs::path& file : files)
        written.insert(file.filename().string());
    std::error_code ignored;
    for (const std::string& part : GisOutputFiles(target))
        if (!written.count(fs::path(part).filename().string()))
            fs::remove(part, ignored);
}

}  // namespace

std::vector<std::string> GisOutputFiles(const std::string& target)
{
    std::vector<std::string> files{target};
    if (FileExtension(target) != ".shp")
        return files;
    const std::string stem = target.substr(0, target.size() - 4);
    for (const char* part : kShapefileParts) {
        files.push_back(stem + part);
        files.push_back(stem + UpperCase(part));
    }
    return files;
}

std::string WriteGisOutput(const std::string& target, const CGisWriter& write)
{
    ProtectGisAccess();
    const std::string cannot = "파일을 쓸 수 없습니다: " + target;
    if (const int err = OutputTargetError(target); err != 0)
        return WithReason(cannot, std::strerror(err));
    const CMemoryFolder memory;
    const std::string name = fs::path(target).filename().string();
    if (std::string failure = RunWriter(write, memory.Path() + name, target); !failure.empty())
        return failure;
    const CTemporaryFolder folder(target);
    if (folder.Path().empty())
        return WithReason(cannot, std::strerror(errno));
    std::vector<fs::path> files;
    if (const std::string failure = CopyToDisk(memory.Path(), folder.Path(), name, files); !failure.empty())
        return WithReason(cannot, failure);
    if (const std::string failure = MoveIntoPlace(files, fs::path(target).parent_path()); !failure.empty())
        return WithReason("파일을 저장할 수 없습니다: " + target, failure);
    if (FileExtension(target) == ".shp")
        RemoveStaleCompanions(target, files);
    return {};
}
