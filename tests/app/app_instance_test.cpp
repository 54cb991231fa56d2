// One instance per user: what a new run makes of the lock folder as it finds it.
#include "../qt_test_main.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include "single_instance.h"

#include <sys/stat.h>
#include <unistd.h>

using quorvel::app::SingleInstance;
using Role = SingleInstance::Role;

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
        for (const char* content : {"", "garbage", "0", "-1", "99999999999999999999", "1\nother-host\napp\n"})
            QTest::addRow("lock holding '%s'", qPrintable(QString(content).replace('\n', ' '))) << QString("file ") + content << Role::First;
        QTest::newRow("huge sparse lock") << "sparse" << Role::First;
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
        else if (setUp == "sparse")
            QVERIFY(file.open(QFile::WriteOnly) && file.resize(qint64(1) << 40));
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

    // A later run asks the first to show itself.
    void laterRunAsksTheFirstToShow()
    {
        QTemporaryDir dir;
        SingleInstance first(dir.path());
        first.listen();
        QSignalSpy shown(&first, &SingleInstance::showRequested);
        SingleInstance(dir.path()).askFirstToShow();
        QTRY_COMPARE(shown.count(), 1);
    }
};

QUORVEL_TEST_MAIN(InstanceTest, QCoreApplication)
#include "app_instance_test.moc"
