#include "single_instance.h"

#include <QDir>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel::app {
namespace {

constexpr char kLockName[] = "quorvel.lock";
constexpr char kSocketName[] = "quorvel.socket";

QString Reason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// A folder of this user's that no one else can write into: whatever lies in
// it was put there by the user's own programs. Links are not followed.
bool IsPrivateFolder(const QString& folder)
{
    struct stat info {};
    return !folder.isEmpty() && ::lstat(QFile::encodeName(folder).constData(), &info) == 0
           && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

QString PrivateFolder()
{
    // Qt rejects a runtime folder another user owns; without one, the user's
    // cache folder serves, never a shared folder with a fixed name.
    for (auto location : {QStandardPaths::RuntimeLocation, QStandardPaths::GenericCacheLocation}) {
        const QString folder = QStandardPaths::writableLocation(location);
        if (!folder.isEmpty() && (QDir().mkpath(folder), IsPrivateFolder(folder)))
            return folder;
    }
    return {};
}

}  // namespace

SingleInstance::SingleInstance(QString folder) : folder_(folder.isEmpty() ? PrivateFolder() : std::move(folder))
{
    if (!IsPrivateFolder(folder_)) {
        problem_ = QStringLiteral("no folder of this user's alone to keep the lock in");
        return;
    }
    // Not blocking, not through a link; the kernel drops the lock with the
    // process, so a crashed run leaves nothing stale, whatever the file holds.
    const QByteArray path = QFile::encodeName(folder_ + QLatin1Char('/') + QLatin1String(kLockName));
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    struct stat info {};
    if (fd < 0) {
        problem_ = QStringLiteral("cannot open the lock %1: %2").arg(QFile::decodeName(path), Reason(errno));
        return;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        problem_ = QStringLiteral("the lock %1 is not a regular file").arg(QFile::decodeName(path));
    } else if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        role_ = Role::First;
        lock_ = fd;
        // For people looking at the folder; nothing reads it back.
        const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
        const bool noted = ::ftruncate(fd, 0) == 0 && ::write(fd, pid.constData(), std::size_t(pid.size())) > 0;
        Q_UNUSED(noted);
        return;
    } else if (errno == EWOULDBLOCK) {
        role_ = Role::Second;
    } else {
        problem_ = QStringLiteral("cannot lock %1: %2").arg(QFile::decodeName(path), Reason(errno));
    }
    ::close(fd);
}

SingleInstance::~SingleInstance()
{
    // The lock file stays: removing it while another run waits to open it
    // would let two runs hold two different locks.
    for (qintptr fd : {server_, lock_})
        if (fd >= 0)
            ::close(int(fd));
}

namespace {

// The address of the socket in the folder; false when the path does not fit one.
bool SocketAddress(const QString& folder, sockaddr_un& address)
{
    const QByteArray encoded = QFile::encodeName(folder + QLatin1Char('/') + QLatin1String(kSocketName));
    address = {};
    address.sun_family = AF_UNIX;
    if (std::size_t(encoded.size()) >= sizeof(address.sun_path))
        return false;
    std::memcpy(address.sun_path, encoded.constData(), std::size_t(encoded.size()));
    return true;
}

}  // namespace

void SingleInstance::listen()
{
    sockaddr_un address{};
    if (role_ != Role::First || server_ >= 0 || !SocketAddress(folder_, address))
        return;
    const int server = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    // We hold the lock: a socket file left here belongs to a run that ended.
    ::unlink(address.sun_path);
    if (server < 0 || ::bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || ::listen(server, 4) != 0) {
        if (server >= 0)
            ::close(server);
        return;
    }
    server_ = server;
    auto* requests = new QSocketNotifier(server, QSocketNotifier::Read, this);
    connect(requests, &QSocketNotifier::activated, this, [server, this] {
        // Nothing to read: a connection is the request.
        for (int peer; (peer = ::accept4(server, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
            ::close(peer);
            emit showRequested();
        }
    });
}

void SingleInstance::askFirstToShow() const
{
    sockaddr_un address{};
    if (role_ != Role::Second || !SocketAddress(folder_, address))
        return;
    // A local connection is made or refused at once.
    if (const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0); fd >= 0) {
        ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::close(fd);
    }
}

}  // namespace quorvel::app
