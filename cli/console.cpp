#include "console.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#else
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#endif

namespace quorvel::cli {

#ifdef _WIN32

// A plain blocking read: answers are written out before every read.
FdSource::FdSource(int fd, bool owned) : fd_(fd), owned_(owned) { _setmode(fd_, _O_BINARY); }

FdSource::~FdSource()
{
    if (owned_) _close(fd_);
}

bool FdSource::Ready() { return false; }

std::ptrdiff_t FdSource::Read(char* into, std::size_t size, int& error)
{
    const int got = _read(fd_, into, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
    if (got < 0) error = errno;
    return got;
}

// Through the C streams, whose text mode ends each line with CR LF.
bool FdSink::Write(std::string_view bytes)
{
    std::FILE* file = fd_ == 2 ? stderr : stdout;
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
}

std::unique_ptr<Source> OpenFile(const std::string& path, int& error)
{
    const int fd = _open(path.c_str(), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        error = errno;
        return nullptr;
    }
    return std::make_unique<FdSource>(fd, true);
}

#else

namespace {

// Waits until `fd` can be read or written (or is at its end or broken);
// false if it cannot be waited on.
bool Wait(int fd, short events)
{
    pollfd p{fd, events, 0};
    for (;;) {
        if (poll(&p, 1, -1) >= 0) return true;
        if (errno != EINTR) return false;
    }
}

}  // namespace

FdSource::FdSource(int fd, bool owned) : fd_(fd), owned_(owned) {}

FdSource::~FdSource()
{
    if (owned_) close(fd_);
}

bool FdSource::Ready()
{
    pollfd p{fd_, POLLIN, 0};
    return poll(&p, 1, 0) > 0;
}

std::ptrdiff_t FdSource::Read(char* into, std::size_t size, int& error)
{
    for (;;) {
        const ssize_t got = read(fd_, into, size);
        if (got >= 0) return got;
        // A parent may have made the input non-blocking: that is no end.
        if (errno == EINTR || ((errno == EAGAIN || errno == EWOULDBLOCK) && Wait(fd_, POLLIN))) continue;
        error = errno;
        return -1;
    }
}

bool FdSink::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t put = write(fd_, bytes.data(), bytes.size());
        if (put > 0) bytes.remove_prefix(static_cast<std::size_t>(put));
        else if (put == 0 || !(errno == EINTR || ((errno == EAGAIN || errno == EWOULDBLOCK) && Wait(fd_, POLLOUT))))
            return false;
    }
    return true;
}

std::unique_ptr<Source> OpenFile(const std::string& path, int& error)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return nullptr;
    }
    return std::make_unique<FdSource>(fd, true);
}

#endif

std::string SystemError(int error) { return std::generic_category().message(error); }

}  // namespace quorvel::cli
