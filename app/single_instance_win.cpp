#include "single_instance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QWinEventNotifier>

#include <qt_windows.h>

#include <string>
#include <utility>

namespace quorvel::app {
namespace {

// A name in this session's namespace, which only this user's programs share.
// A folder given tells test instances apart.
std::wstring ObjectName(const QString& folder, const char* what)
{
    QString name = QStringLiteral("Local\\Quorvel.%1").arg(QLatin1String(what));
    if (!folder.isEmpty())
        name += QLatin1Char('.') + QString::fromLatin1(QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha256).toHex().left(32));
    return name.toStdWString();
}

}  // namespace

SingleInstance::SingleInstance(QString folder) : folder_(std::move(folder)) { role_ = TryLock(); }

SingleInstance::Role SingleInstance::TryLock()
{
    // Owning the mutex, not its existence, makes the first instance: a later
    // run that only looks at it, or an owner that died, leaves it free.
    HANDLE mutex = ::CreateMutexW(nullptr, FALSE, ObjectName(folder_, "lock").c_str());
    if (mutex == nullptr) {
        problem_ = QStringLiteral("cannot open the instance lock: %1").arg(qt_error_string(int(::GetLastError())));
        return Role::Unchecked;
    }
    Role role = Role::Unchecked;
    switch (::WaitForSingleObject(mutex, 0)) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED:
        lock_ = reinterpret_cast<qintptr>(mutex);
        return Role::First;
    case WAIT_TIMEOUT:
        role = Role::Second;
        break;
    default:
        problem_ = QStringLiteral("cannot take the instance lock: %1").arg(qt_error_string(int(::GetLastError())));
        break;
    }
    ::CloseHandle(mutex);
    return role;
}

SingleInstance::~SingleInstance()
{
    StopListening();
    if (lock_ != -1) {
        ::ReleaseMutex(reinterpret_cast<HANDLE>(lock_));
        ::CloseHandle(reinterpret_cast<HANDLE>(lock_));
    }
}

bool SingleInstance::listen()
{
    if (role_ != Role::First || server_ != -1)
        return server_ != -1;
    // Auto-reset: requests set before the notifier wakes make one show.
    HANDLE event = ::CreateEventW(nullptr, FALSE, FALSE, ObjectName(folder_, "show").c_str());
    if (event == nullptr) {
        problem_ = QStringLiteral("cannot make the instance event: %1").arg(qt_error_string(int(::GetLastError())));
        return false;
    }
    server_ = reinterpret_cast<qintptr>(event);
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, &SingleInstance::StopListening);
    auto* requests = new QWinEventNotifier(event, this);
    serverNotifier_ = requests;
    connect(requests, &QWinEventNotifier::activated, this, [this] { queueShow({}); });
    return true;
}

void SingleInstance::StopListening()
{
    delete std::exchange(serverNotifier_, nullptr);  // before the handle it waits on
    if (server_ != -1)
        ::CloseHandle(reinterpret_cast<HANDLE>(std::exchange(server_, -1)));
}

QString SingleInstance::askFirstToShow(const QByteArray& activationToken, std::chrono::milliseconds patience)
{
    Q_UNUSED(activationToken);  // a Wayland matter
    if (role_ != Role::Second)
        return {};
    // The first run makes the event once it has started, and it goes with
    // the first run: wait for it a little, and take the lock once it is free.
    const auto deadline = std::chrono::steady_clock::now() + patience;
    HANDLE event = nullptr;
    while ((event = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, ObjectName(folder_, "show").c_str())) == nullptr) {
        if (TryLock() == Role::First) {
            role_ = Role::First;
            return {};
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return QStringLiteral("the running Quorvel did not answer within %1 ms: %2")
                .arg(patience.count())
                .arg(qt_error_string(int(::GetLastError())));
        ::Sleep(20);
    }
    // The user started this run, so it may hand the foreground on: without
    // that, Windows would only flash the first run's taskbar button.
    ::AllowSetForegroundWindow(ASFW_ANY);
    const bool set = ::SetEvent(event);
    const int error = set ? 0 : int(::GetLastError());
    ::CloseHandle(event);
    return set ? QString() : QStringLiteral("cannot ask the running Quorvel to show itself: %1").arg(qt_error_string(error));
}

}  // namespace quorvel::app
