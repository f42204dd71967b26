#include "io/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

std::string WithReason(const std::string& what, int err) { return what + " (" + std::strerror(err) + ")"; }

}  // namespace

int OutputTargetError(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return errno == ENOENT ? 0 : errno;
    if (S_ISDIR(st.st_mode))
        return EISDIR;
    return S_ISREG(st.st_mode) ? 0 : EPERM;
}

int SyncFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_WRONLY);
    if (fd < 0)
        return errno;
    // A delayed write that finds the disk full fails here or at close.
    int err = ::fsync(fd) == 0 ? 0 : errno;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    return err;
}

std::string TemporaryNameBeside(const std::string& target)
{
    const std::size_t slash = target.rfind('/');
    const std::size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
    return target.substr(0, nameAt) + "." + target.substr(nameAt) + ".talvo-tmp-XXXXXX";
}

bool IsSameFile(const std::string& a, const std::string& b)
{
    struct stat sa {
    }, sb{};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

bool NamesSameFile(const std::string& a, const std::string& b)
{
    if (IsSameFile(a, b))
        return true;
    std::error_code ea, eb;
    const std::filesystem::path pa = std::filesystem::weakly_canonical(std::filesystem::absolute(a, ea), ea);
    const std::filesystem::path pb = std::filesystem::weakly_canonical(std::filesystem::absolute(b, eb), eb);
    return !ea && !eb && pa == pb;
}

COutputFile::~COutputFile()
{
    if (m_temp.empty())
        return;
    m_out.close();
    std::remove(m_temp.c_str());
}

std::string COutputFile::Create(const std::string& target)
{
    const std::string cannot = "파일을 만들 수 없습니다: " + target;
    if (target.empty())
        return cannot;
    if (const int err = OutputTargetError(target); err != 0)
        return WithReason(cannot, err);
    std::string temp = TemporaryNameBeside(target);
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return WithReason(cannot, errno);
    ::fchmod(fd, 0644);
    ::close(fd);
    m_target = target;
    m_temp = temp;
    m_out.open(m_temp, std::ios::binary | std::ios::trunc);
    return m_out.is_open() ? std::string() : cannot;
}

std::string COutputFile::Finish(const std::string& destination)
{
    if (m_out.is_open())
        m_out.close();
    if (m_out.fail())
        return WithReason("파일에 쓸 수 없습니다: " + m_target, EIO);
    if (const int err = SyncFile(m_temp); err != 0)
        return WithReason("파일에 쓸 수 없습니다: " + m_target, err);
    if (std::rename(m_temp.c_str(), destination.c_str()) != 0)
        return WithReason("파일을 저장할 수 없습니다: " + destination, errno);
    m_temp.clear();
    return {};
}

std::string COutputFile::Commit() { return m_temp.empty() ? "파일이 없습니다: " + m_target : Finish(m_target); }

std::string COutputFile::KeepPartial()
{
    const std::string partial = m_target + ".partial";
    if (m_temp.empty() || OutputTargetError(partial) != 0)
        return {};
    return Finish(partial).empty() ? partial : std::string();
}
