#include "single_instance.h"

#include <QCoreApplication>
#include <QDir>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel::app {
namespace {

constexpr char kLockName[] = "quorvel.lock";
constexpr char kSocketName[] = "quorvel.socket";

// A later run sends its activation token and a newline, and the first
// answers with a newline once it has taken the request.
constexpr qsizetype kLongestMessage = 512;
// Bounds on what a flood of calls can make the first run do in one turn of
// its event loop.
constexpr int kBacklog = 16;
constexpr int kAcceptsPerWake = 16;
constexpr int kCallersAtOnce = 16;

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
    role_ = TryLock();
}

SingleInstance::Role SingleInstance::TryLock()
{
    // Not blocking, not through a link; the kernel drops the lock with the
    // process, so a crashed run leaves nothing stale, whatever the file holds.
    const QByteArray path = QFile::encodeName(folder_ + QLatin1Char('/') + QLatin1String(kLockName));
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    struct stat info {};
    if (fd < 0) {
        problem_ = QStringLiteral("cannot open the lock %1: %2").arg(QFile::decodeName(path), Reason(errno));
        return Role::Unchecked;
    }
    Role role = Role::Unchecked;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        problem_ = QStringLiteral("the lock %1 is not a regular file").arg(QFile::decodeName(path));
    } else if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        lock_ = fd;
        // For people looking at the folder; nothing reads it back.
        const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
        const bool noted = ::ftruncate(fd, 0) == 0 && ::write(fd, pid.constData(), std::size_t(pid.size())) > 0;
        Q_UNUSED(noted);
        return Role::First;
    } else if (errno == EWOULDBLOCK) {
        role = Role::Second;
    } else {
        problem_ = QStringLiteral("cannot lock %1: %2").arg(QFile::decodeName(path), Reason(errno));
    }
    ::close(fd);
    return role;
}

SingleInstance::~SingleInstance()
{
    // The lock file stays: removing it while another run waits to open it
    // would let two runs hold two different locks. The socket goes first,
    // while the lock still says it is ours.
    StopListening();
    if (lock_ >= 0)
        ::close(int(lock_));
}

namespace {

QString SocketPath(const QString& folder) { return folder + QLatin1Char('/') + QLatin1String(kSocketName); }

// The address of the socket; false when the path does not fit one.
bool SocketAddress(const QString& path, sockaddr_un& address)
{
    const QByteArray encoded = QFile::encodeName(path);
    address = {};
    address.sun_family = AF_UNIX;
    if (std::size_t(encoded.size()) >= sizeof(address.sun_path))
        return false;
    std::memcpy(address.sun_path, encoded.constData(), std::size_t(encoded.size()));
    return true;
}

QString TooLong(const QString& path)
{
    return QStringLiteral("the path %1 is too long for a local socket (at most %2 bytes)")
        .arg(path)
        .arg(sizeof(sockaddr_un::sun_path) - 1);
}

// A token as the desktop makes them; anything else is dropped, not passed on.
QByteArray TokenOf(QByteArray message)
{
    if (const qsizetype end = message.indexOf('\n'); end >= 0)
        message.truncate(end);
    const bool printable = std::all_of(message.cbegin(), message.cend(), [](char c) { return c > ' ' && c < 0x7F; });
    return printable && message.size() < kLongestMessage ? message : QByteArray();
}

// A later run on the line: what it sends is read as it comes, without
// waiting on it, then answered and hung up. The notifier goes before the
// descriptor it watches (members go in reverse order).
class Caller : public QObject {
public:
    Caller(int fd, QObject* parent, std::function<void(const QByteArray&)> done)
        : QObject(parent), fd_{fd}, notifier_(fd, QSocketNotifier::Read, this), done_(std::move(done))
    {
        connect(&notifier_, &QSocketNotifier::activated, this, &Caller::Read);
    }

private:
    void Read()
    {
        char chunk[kLongestMessage];
        const ssize_t got = ::recv(fd_.fd, chunk, sizeof chunk, 0);
        if (got < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        message_.append(chunk, std::max<ssize_t>(got, 0));
        if (got > 0 && !message_.contains('\n') && message_.size() < kLongestMessage)
            return;
        notifier_.setEnabled(false);
        if (got >= 0) {
            const bool answered = ::send(fd_.fd, "\n", 1, MSG_NOSIGNAL | MSG_DONTWAIT) == 1;
            Q_UNUSED(answered);  // a caller that left no longer needs it
            done_(TokenOf(message_));
        }
        deleteLater();
    }

    struct Descriptor {
        int fd;
        ~Descriptor() { ::close(fd); }
    } fd_;
    QSocketNotifier notifier_;
    std::function<void(const QByteArray&)> done_;
    QByteArray message_;
};

}  // namespace

bool SingleInstance::listen()
{
    if (role_ != Role::First || server_ >= 0)
        return server_ >= 0;
    const QString path = SocketPath(folder_);
    sockaddr_un address{};
    if (!SocketAddress(path, address)) {
        problem_ = TooLong(path);
        return false;
    }
    const int server = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    // We hold the lock: a socket file left here belongs to a run that ended.
    // Whatever else is there stays, and is named below.
    const bool cleared = ::unlink(address.sun_path) == 0 || errno == ENOENT;
    // 0600 whatever the umask, set before anyone can connect: the folder may
    // be one others can look into.
    if (server < 0 || !cleared || ::bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || ::chmod(address.sun_path, 0600) != 0 || ::listen(server, kBacklog) != 0) {
        problem_ = QStringLiteral("cannot make the socket %1: %2").arg(path, Reason(errno));
        if (server >= 0)
            ::close(server);
        return false;
    }
    server_ = server;
    // Out of its event loop, this run answers no one: later runs are told
    // at once, and take its place once it has ended.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, &SingleInstance::StopListening);
    auto* requests = new QSocketNotifier(server, QSocketNotifier::Read, this);
    serverNotifier_ = requests;
    connect(requests, &QSocketNotifier::activated, this, [this] {
        // A few at a time: the rest wait for the next turn, after whatever
        // else the event loop has to do.
        for (int i = 0; i < kAcceptsPerWake; ++i) {
            const int peer = ::accept4(int(server_), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
            if (peer < 0)
                return;
            // Only this user's runs: the socket's mode alone is no promise
            // once someone has changed it.
            ucred peerIs{};
            socklen_t size = sizeof peerIs;
            if (::getsockopt(peer, SOL_SOCKET, SO_PEERCRED, &peerIs, &size) != 0 || peerIs.uid != ::geteuid()) {
                ::close(peer);
                continue;
            }
            QList<Caller*> callers;
            for (QObject* child : children())
                if (auto* caller = dynamic_cast<Caller*>(child))
                    callers.append(caller);
            if (callers.size() >= kCallersAtOnce)
                delete callers.first();  // the one waiting longest
            new Caller(peer, this, [this](const QByteArray& token) { queueShow(token); });
        }
    });
    return true;
}

void SingleInstance::StopListening()
{
    if (server_ < 0)
        return;
    // The callers not answered yet are hung up on: they try again.
    const QObjectList callers = children();
    for (QObject* child : callers)
        if (dynamic_cast<Caller*>(child) != nullptr)
            delete child;
    delete std::exchange(serverNotifier_, nullptr);
    // Ours while the lock is: no other run has made a socket there since.
    ::unlink(QFile::encodeName(SocketPath(folder_)).constData());
    ::close(int(std::exchange(server_, -1)));
}

QString SingleInstance::askFirstToShow(const QByteArray& activationToken, std::chrono::milliseconds patience)
{
    using Clock = std::chrono::steady_clock;
    if (role_ != Role::Second)
        return {};
    const QString path = SocketPath(folder_);
    const QString cannot = QStringLiteral("cannot ask the running Quorvel to show itself: ");
    const QString noAnswer = QStringLiteral("the running Quorvel did not answer within %1 ms; it may be stopped or busy")
                                 .arg(patience.count());
    sockaddr_un address{};
    if (!SocketAddress(path, address))
        return cannot + TooLong(path);
    const auto deadline = Clock::now() + patience;
    auto left = [&] {
        return int(std::max<qint64>(0, std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count()));
    };
    const QByteArray message = activationToken.left(kLongestMessage - 1) + '\n';
    // Connected without blocking: a first run that is still starting has no
    // socket yet, and one that is stopped takes no calls, so its queue fills.
    // One that is ending has none any more, or hangs up unanswered: once it
    // has ended, its lock is free and this run is the first.
    while (true) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return cannot + Reason(errno);
        int error = 0;
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
            const bool sent = ::send(fd, message.constData(), std::size_t(message.size()), MSG_NOSIGNAL) == message.size();
            error = sent ? 0 : errno;
            pollfd answer{fd, POLLIN, 0};
            int ready = 0;
            while (sent && (ready = ::poll(&answer, 1, left())) < 0 && errno == EINTR) {
            }
            char reply = 0;
            ssize_t got = -1;
            if (ready > 0) {
                got = ::recv(fd, &reply, 1, 0);
                error = got < 0 ? errno : 0;
            }
            ::close(fd);
            if (got == 1 && reply == '\n')
                return {};
            if (got != 0 && error != ECONNRESET && error != EPIPE)
                return noAnswer;
            error = ECONNRESET;  // hung up on, unanswered: it is ending
        } else {
            error = errno;
            ::close(fd);
        }
        struct stat info {};
        if (error == ECONNREFUSED && ::lstat(address.sun_path, &info) == 0 && !S_ISSOCK(info.st_mode))
            return cannot + QStringLiteral("%1 is not a socket").arg(path);
        if (error != EAGAIN && error != ENOENT && error != ECONNREFUSED && error != ECONNRESET && error != EINTR)
            return cannot + QStringLiteral("%1: %2").arg(path, Reason(error));
        if (error != EAGAIN && TryLock() == Role::First) {
            role_ = Role::First;
            return {};
        }
        if (left() == 0)
            return noAnswer;
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min(20, left())));
    }
}

}  // namespace quorvel::app
