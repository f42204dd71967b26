#include "gis/gis_output.h"

#include <stdlib.h>

#include <cctype>
#include <cstring>
#include <filesystem>
#include <set>

#include "gis/gis_access.h"
#include "gis/gis_checked_write.h"
#include "gis/gis_ogr.h"
#include "io/output_file.h"

namespace fs = std::filesystem;

namespace {

const char* const kShapefileParts[] = {".shx", ".dbf", ".prj", ".cpg", ".qix", ".sbn", ".sbx"};

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

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

// The writer's message names the temporary path it was given; the user knows the target.
std::string NamingTarget(std::string message, const std::string& written, const std::string& target)
{
    for (std::size_t at = message.find(written); at != std::string::npos; at = message.find(written, at))
        message.replace(at, written.size(), target);
    return message;
}

// Runs the writer; the first reason it failed, empty when it wrote everything.
std::string RunWriter(const CGisWriter& write, const std::string& inside, const std::string& folder,
                      const std::string& target)
{
    std::string failure;
    std::string reported;
    {
        CGdalErrorTrap trap;
        failure = write(CheckedPath(inside));
        reported = trap.Failure();
    }
    // A failed write says most; then the writer's own refusal; GDAL's report explains a
    // writer that could only say that it could not write.
    const std::string cannot = "파일을 쓸 수 없습니다: " + target;
    if (const std::string written = TakeWriteFailure(folder + "/"); !written.empty())
        return WithReason(cannot, written);
    failure = NamingTarget(failure, CheckedPath(inside), target);
    if ((failure.empty() || failure == cannot) && !reported.empty())
        return WithReason(cannot, reported);
    return failure;
}

// Every file the writer made, flushed to disk; the target's own name comes last.
std::string SyncWritten(const std::string& folder, const std::string& name, std::vector<fs::path>& files)
{
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
        files.push_back(entry.path());
    if (error)
        return error.message();
    std::stable_partition(files.begin(), files.end(), [&name](const fs::path& p) { return p.filename() != name; });
    for (const fs::path& file : files)
        if (const int err = SyncFile(file.string()); err != 0)
            return std::strerror(err);
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
        files.push_back(stem + Upper(part));
    }
    return files;
}

std::string WriteGisOutput(const std::string& target, const CGisWriter& write)
{
    ProtectGisAccess();
    const std::string cannot = "파일을 쓸 수 없습니다: " + target;
    if (const int err = OutputTargetError(target); err != 0)
        return WithReason(cannot, std::strerror(err));
    const CTemporaryFolder folder(target);
    if (folder.Path().empty())
        return WithReason(cannot, std::strerror(errno));
    const std::string name = fs::path(target).filename().string();
    if (std::string failure = RunWriter(write, folder.Path() + "/" + name, folder.Path(), target); !failure.empty())
        return failure;
    std::vector<fs::path> files;
    if (const std::string failure = SyncWritten(folder.Path(), name, files); !failure.empty())
        return WithReason(cannot, failure);
    if (const std::string failure = MoveIntoPlace(files, fs::path(target).parent_path()); !failure.empty())
        return WithReason("파일을 저장할 수 없습니다: " + target, failure);
    if (FileExtension(target) == ".shp")
        RemoveStaleCompanions(target, files);
    return {};
}
