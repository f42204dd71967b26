#include "io/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "io/output_file.h"
#include "io/project_file.h"

namespace {

CFileResult Failure(const char* what, int err) { return {false, std::string(what) + " (" + std::strerror(err) + ")"}; }

constexpr const char* kCannotOpen = "파일을 열 수 없습니다.";
constexpr const char* kCannotSave = "파일을 저장할 수 없습니다.";

// Writes all of bytes to fd, retrying short writes.
bool WriteAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Checks the target: it must be missing or a regular file (a save must never replace a
// folder or a device). Sets mode to the permissions the new file should get: those of
// the file it replaces, else the usual ones of a new document. Returns errno or 0.
int CheckTarget(const std::string& path, mode_t& mode)
{
    struct stat st {};
    mode = 0644;
    if (path.empty())
        return ENOENT;
    if (::stat(path.c_str(), &st) != 0)
        return errno == ENOENT ? 0 : errno;
    if (S_ISDIR(st.st_mode))
        return EISDIR;
    if (!S_ISREG(st.st_mode))
        return EPERM;
    mode = st.st_mode & 07777;
    return 0;
}

// Writes bytes into the open temporary file and closes it; returns errno or 0.
int FillAndClose(int fd, const std::string& bytes)
{
    int err = 0;
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0)
        err = errno ? errno : EIO;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    return err;
}

}  // namespace

CFileResult ReadFileBytes(const std::string& path, std::size_t maxBytes, std::string& bytes)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return Failure(kCannotOpen, errno);
    if (S_ISDIR(st.st_mode))
        return Failure(kCannotOpen, EISDIR);
    // A pipe would block the open until someone writes to it, a device never end.
    if (!S_ISREG(st.st_mode))
        return {false, std::string(kCannotOpen) + " (일반 파일이 아닙니다)"};
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Failure(kCannotOpen, errno ? errno : EACCES);
    bytes.clear();
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        if (bytes.size() + static_cast<std::size_t>(in.gcount()) > maxBytes)
            return {false, "파일이 너무 큽니다."};
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad())
        return Failure(kCannotOpen, EIO);
    return {};
}

CFileResult ReplaceFileBytes(const std::string& path, const std::string& bytes)
{
    mode_t mode = 0;
    if (const int err = CheckTarget(path, mode); err != 0)
        return Failure(kCannotSave, err);
    std::string temp = TemporaryNameBeside(path);  // recognisable if a killed save leaves it
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return Failure(kCannotSave, errno);
    ::fchmod(fd, mode);
    errno = 0;
    int err = FillAndClose(fd, bytes);
    if (err == 0 && std::rename(temp.c_str(), path.c_str()) != 0)
        err = errno;
    if (err != 0) {
        std::remove(temp.c_str());
        return Failure(kCannotSave, err);
    }
    return {};
}
