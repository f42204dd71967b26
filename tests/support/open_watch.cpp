// A preloaded library that notes every file a process opens and every socket it makes
// or connects, one line each ("open PATH", "socket DOMAIN", "connect FAMILY"), in the
// file TALVO_OPEN_WATCH_LOG names. The tests run talvo-cli under it to see that a hostile
// project or layer file makes it open nothing else and connect nowhere. The log is
// written with raw system calls, so noting never goes through the functions it watches.
#undef _FORTIFY_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdarg.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

void Note(const char* what, const char* detail)
{
    const char* log = std::getenv("TALVO_OPEN_WATCH_LOG");
    if (!log)
        return;
    char line[4200];
    const int length = std::snprintf(line, sizeof line, "%s %s\n", what, detail ? detail : "");
    if (length <= 0)
        return;
    const long fd = syscall(SYS_openat, AT_FDCWD, log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    syscall(SYS_write, fd, line,
            static_cast<size_t>(length < static_cast<int>(sizeof line) ? length : static_cast<int>(sizeof line) - 1));
    syscall(SYS_close, fd);
}

void NoteDomain(const char* what, int domain)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", domain);
    Note(what, text);
}

}  // namespace

#define NEXT(name) (reinterpret_cast<__typeof__(&name)>(dlsym(RTLD_NEXT, #name)))

/* The mode argument exists only when the flags create a file. */
#define MODE_OF(flags)                       \
    mode_t mode = 0;                         \
    if ((flags) & (O_CREAT | __O_TMPFILE)) { \
        va_list args;                        \
        va_start(args, flags);               \
        mode = va_arg(args, mode_t);         \
        va_end(args);                        \
    }

extern "C" {

int open(const char* path, int flags, ...)
{
    MODE_OF(flags);
    Note("open", path);
    return NEXT(open)(path, flags, mode);
}

int open64(const char* path, int flags, ...)
{
    MODE_OF(flags);
    Note("open", path);
    return NEXT(open64)(path, flags, mode);
}

int openat(int dir, const char* path, int flags, ...)
{
    MODE_OF(flags);
    Note("open", path);
    return NEXT(openat)(dir, path, flags, mode);
}

int openat64(int dir, const char* path, int flags, ...)
{
    MODE_OF(flags);
    Note("open", path);
    return NEXT(openat64)(dir, path, flags, mode);
}

int __open_2(const char* path, int flags)
{
    Note("open", path);
    return NEXT(__open_2)(path, flags);
}

int __open64_2(const char* path, int flags)
{
    Note("open", path);
    return NEXT(__open64_2)(path, flags);
}

int __openat_2(int dir, const char* path, int flags)
{
    Note("open", path);
    return NEXT(__openat_2)(dir, path, flags);
}

int __openat64_2(int dir, const char* path, int flags)
{
    Note("open", path);
    return NEXT(__openat64_2)(dir, path, flags);
}

FILE* fopen(const char* path, const char* mode)
{
    Note("open", path);
    return NEXT(fopen)(path, mode);
}

FILE* fopen64(const char* path, const char* mode)
{
    Note("open", path);
    return NEXT(fopen64)(path, mode);
}

int socket(int domain, int type, int protocol)
{
    NoteDomain("socket", domain);
    return NEXT(socket)(domain, type, protocol);
}

int connect(int fd, const struct sockaddr* address, socklen_t length)
{
    NoteDomain("connect", address ? address->sa_family : -1);
    return NEXT(connect)(fd, address, length);
}

}  // extern "C"
