// One instance per user: what a new run makes of the lock folder as it finds it.
#include "../qt_test_main.h"
#include "quorvel/language.h"

#include <QApplication>

#include "single_instance.h"

#include <QSignalSpy>

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
        QTest::newRow("FIFO at the lock") << "fifo" << Role::Unchecked;
        QTest::newRow("link at the lock") << "link" << Role::Unchecked;
        QTest::newRow("folder at the lock") << "folder" << Role::Unchecked;
        QTest::newRow("folder others can write to") << "shared" << Role::Unchecked;
        QTest::newRow("folder of another user") << "foreign" << Role::Unchecked;
    }

    void roleFromTheFolder()
    {
        QFETCH(QString, setUp);
        QFETCH(Role, role);
        QTemporaryDir dir;
        const QString lock = dir.filePath("quorvel.lock");
        const QByteArray path = QFile::encodeName(lock);
        std::unique_ptr<SingleInstance> holder;
        QFile file(lock);
        if (setUp == "held")
            holder = std::make_unique<SingleInstance>(dir.path());
        else if (setUp.startsWith("file "))
            QVERIFY(file.open(QFile::WriteOnly) && file.write(setUp.mid(5).toUtf8()) >= 0);
        else if (setUp == "sparse")
            QVERIFY(file.open(QFile::WriteOnly) && file.resize(qint64(1) << 40));
        else if (setUp == "fifo")
            QCOMPARE(mkfifo(path.constData(), 0600), 0);
        else if (setUp == "link")
            QVERIFY(QFile::link(dir.filePath("elsewhere"), lock));
        else if (setUp == "folder")
            QVERIFY(QDir().mkdir(lock));
        else if (setUp == "shared")
            QCOMPARE(chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
        else if (setUp == "foreign" && (geteuid() != 0 || chown(QFile::encodeName(dir.path()).constData(), 4321, 4321) != 0))
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

QUORVEL_TEST_MAIN(InstanceTest, QApplication, quorvel::language::InstallFontSubstitutes())
#include "app_instance_test.moc"
