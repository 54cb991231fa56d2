// One instance per user: what a new run makes of the lock folder as it finds
// it, and how later runs reach the first.
#include "../qt_test_main.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QSocketNotifier>
#include <QTimer>

#include "single_instance.h"

#include <future>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using quorvel::app::SingleInstance;
using Role = SingleInstance::Role;
using namespace std::chrono_literals;

namespace {

// A call as a later run makes it, without waiting: -1 when the queue is full.
int Call(const QString& folder, const char* message = "\n")
{
    sockaddr_un address{AF_UNIX, {}};
    qstrncpy(address.sun_path, QFile::encodeName(folder + "/quorvel.socket").constData(), sizeof address.sun_path);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
        && send(fd, message, strlen(message), MSG_NOSIGNAL) >= 0)
        return fd;
    close(fd);
    return -1;
}

}  // namespace

class InstanceTest : public QObject {
    Q_OBJECT

private slots:
    void roleFromTheFolder_data()
    {
        QTest::addColumn<QString>("setUp");
        QTest::addColumn<Role>("role");
        QTest::newRow("empty folder") << "" << Role::First;
        QTest::newRow("running instance") << "held" << Role::Second;
        // Whatever a lock file holds, only a live holder counts.
        QTest::newRow("lock of a run that ended") << "file 99999999999999999999\nother-host\n" << Role::First;
        for (const char* setUp : {"fifo", "link", "folder", "shared", "foreign"})  // at the lock, or the folder's owner
            QTest::newRow(setUp) << setUp << Role::Unchecked;
    }

    void roleFromTheFolder()
    {
        QFETCH(QString, setUp);
        QFETCH(Role, role);
        QTemporaryDir dir;
        const QString lock = dir.filePath("quorvel.lock");
        const QByteArray folder = QFile::encodeName(dir.path());
        const std::unique_ptr<SingleInstance> holder(setUp == "held" ? new SingleInstance(dir.path()) : nullptr);
        QFile file(lock);
        if (setUp.startsWith("file "))
            QVERIFY(file.open(QFile::WriteOnly) && file.write(setUp.mid(5).toUtf8()) >= 0);
        else if (setUp == "fifo")
            QCOMPARE(mkfifo(QFile::encodeName(lock).constData(), 0600), 0);
        else if (setUp == "link" || setUp == "folder")
            QVERIFY(setUp == "link" ? QFile::link(dir.filePath("elsewhere"), lock) : QDir().mkdir(lock));
        else if (setUp == "shared")
            QCOMPARE(chmod(folder.constData(), 0777), 0);
        else if (setUp == "foreign" && (geteuid() != 0 || chown(folder.constData(), 4321, 4321) != 0))
            QSKIP("needs root to give the folder to another user");
        file.close();

        const SingleInstance instance(dir.path());
        QCOMPARE(instance.role(), role);
        QCOMPARE(instance.problem().isEmpty(), role != Role::Unchecked);
        if (role == Role::First)  // and it is held now
            QCOMPARE(SingleInstance(dir.path()).role(), Role::Second);
    }

    // Later runs: told so while the first takes no calls (stopped, or its
    // loop blocked), past what its queue holds; then heard with their tokens,
    // and those that call together make one show. The socket is the user's
    // alone whatever the umask; no notifier outlives its descriptor.
    void laterRunsAreHeardOrTold()
    {
        QTemporaryDir dir;
        auto first = std::make_unique<SingleInstance>(dir.path());
        const mode_t umaskBefore = umask(0);
        QVERIFY(first->listen());
        umask(umaskBefore);
        struct stat socketFile {};
        QVERIFY(stat(QFile::encodeName(dir.filePath("quorvel.socket")).constData(), &socketFile) == 0
                && (socketFile.st_mode & 0777) == 0600);
        for (int i = 0; i < 20; ++i)
            QVERIFY(SingleInstance(dir.path()).askFirstToShow({}, 20ms).contains("did not answer"));
        QSignalSpy shown(first.get(), &SingleInstance::showRequested);
        auto asked = std::async(std::launch::async, [&] { return SingleInstance(dir.path()).askFirstToShow("a-token_1.2"); });
        QTRY_VERIFY(asked.wait_for(0s) == std::future_status::ready);
        QCOMPARE(asked.get(), QString());
        QTRY_VERIFY(shown.contains(QVariantList{QByteArray("a-token_1.2")}));
        auto settled = [&] { return QCoreApplication::processEvents(), first->findChildren<QObject*>().size() == 1; };
        QTRY_VERIFY(settled());  // every call taken, every show made
        const qsizetype before = shown.size();
        for (int i = 0; i < 10; ++i)
            QCOMPARE(close(Call(dir.path())), 0);
        QTRY_VERIFY(shown.size() > before && settled());
        QCOMPARE(shown.size(), before + 1);

        const int silent = Call(dir.path(), "");
        QTRY_COMPARE(first->findChildren<QSocketNotifier*>().size(), 2);
        int outlived = 0;
        for (QSocketNotifier* notifier : first->findChildren<QSocketNotifier*>())
            connect(notifier, &QObject::destroyed, [fd = notifier->socket(), &outlived] { outlived += fcntl(fd, F_GETFD) == -1; });
        first.reset();
        QCOMPARE(outlived, 0);
        close(silent);
    }

    // A later run while the first ends, however the two meet: the first
    // answers no one once out of its event loop, and its socket goes; the
    // later run, refused or hung up on, takes the lock once it is free.
    void laterRunWhileTheFirstEnds_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("ended, then called") << QStringList{"end", "ask"};
        QTest::newRow("out of its loop, called, ended") << QStringList{"quit", "ask", "end"};
        QTest::newRow("called, out of its loop, ended") << QStringList{"ask", "quit", "end"};
    }

    void laterRunWhileTheFirstEnds()
    {
        QFETCH(QStringList, steps);
        QTemporaryDir dir;
        auto first = std::make_unique<SingleInstance>(dir.path());
        SingleInstance later(dir.path());
        QVERIFY(first->listen() && later.role() == Role::Second);
        std::future<QString> asked;
        for (const QString& step : steps) {
            if (step == "ask")
                asked = std::async(std::launch::async, [&later] { return later.askFirstToShow({}, 20s); });
            else if (step == "end")
                first.reset();
            else
                QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit), QCoreApplication::exec();
            QVERIFY(step == "ask" || !QFile::exists(dir.filePath("quorvel.socket")));
        }
        QCOMPARE(asked.get(), QString());
        QVERIFY(later.role() == Role::First && later.listen());
    }

    // Where later runs cannot reach the first, both say why, at once.
    void unreachableSocketIsExplained()
    {
        for (const bool tooLong : {true, false}) {
            QTemporaryDir dir;
            const QString folder = tooLong ? dir.filePath(QString(120, 'x')) : dir.path();
            QVERIFY(QDir().mkpath(tooLong ? folder : dir.filePath("quorvel.socket")));
            SingleInstance first(folder);
            QVERIFY(!first.listen());
            QVERIFY2(first.problem().contains(tooLong ? "too long" : "Is a directory"), qPrintable(first.problem()));
            const QString unheard = SingleInstance(folder).askFirstToShow({}, 10s);
            QVERIFY2(unheard.contains(tooLong ? "too long" : "is not a socket"), qPrintable(unheard));
        }
    }

    // Another user's call is hung up on, even where the socket lets them in.
    void otherUsersAreNotHeard()
    {
        if (geteuid() != 0)
            QSKIP("needs root to call as another user");
        QTemporaryDir dir;
        SingleInstance first(dir.path());
        QVERIFY(first.listen());
        QVERIFY(chmod(QFile::encodeName(dir.path()).constData(), 0711) == 0
                && chmod(QFile::encodeName(dir.filePath("quorvel.socket")).constData(), 0666) == 0);
        const pid_t other = fork();
        if (other == 0) {  // answered, as heard calls are: 0; hung up on: 1
            char reply = 0;
            int fd = -1;
            if (setgid(65534) != 0 || setuid(65534) != 0 || (fd = Call(dir.path())) < 0)
                _exit(2);
            pollfd answer{fd, POLLIN, 0};
            _exit(poll(&answer, 1, 10000) == 1 && recv(fd, &reply, 1, 0) == 1 ? 0 : 1);
        }
        int status = -1;
        QTRY_VERIFY((waitpid(other, &status, WNOHANG), status != -1));
        QCOMPARE(WEXITSTATUS(status), 1);
    }
};

QUORVEL_TEST_MAIN(InstanceTest, QCoreApplication)
#include "app_instance_test.moc"
