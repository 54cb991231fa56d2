// The language store, against private user and machine folders.
#include "quorvel/settings.h"

#include "../qt_test_main.h"

#include <QtTest>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quorvel::settings;

namespace {

QString UserFile() { return qEnvironmentVariable("XDG_CONFIG_HOME") + "/Dravenor/Quorvel.conf"; }
QString MachineFile() { return qEnvironmentVariable("XDG_CONFIG_DIRS") + "/Dravenor/Quorvel.conf"; }
QByteArray Value(const QByteArray& text) { return "[General]\nLanguage=" + text + "\n"; }

// Qt's parser recurses once per level of a nested list value, and decodes
// escapes first: these many levels fit the size a store may have and would
// overflow the 1 MiB stack some desktops give their programs.
QByteArray Nested(const QByteArray& at)
{
    return Value(at + "Variant(" + QByteArray("\\0\\0\\0\\t\\0\\0\\0\\x1").repeated(3800) + "\\0\\0\\0\\x2\\0\\0\\0\\x1)");
}

// A null store is no file; one that is more than a file's contents is named in <>.
void Place(const QString& path, const QByteArray& store)
{
    if (store == "<blocked>")  // its folder is a file
        return Place(QFileInfo(path).path(), "not a folder");
    if (store.isNull())
        return;
    QVERIFY(QDir().mkpath(store == "<folder>" ? path : QFileInfo(path).path()));
    if (store.startsWith("<link>")) {  // a link to the store kept elsewhere
        QVERIFY(QFile::link(path + ".kept", path));
        return Place(path + ".kept", store.sliced(6));
    }
    QFile file(path);
    if (store == "<read error>")  // a regular file whose read() fails
        QVERIFY(QFile::link("/proc/self/mem", path));
    else if (store == "<FIFO>")
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (store != "<folder>")
        QVERIFY(file.open(QFile::WriteOnly) && file.write(store) == store.size() && file.flush());
}

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QFile::ReadOnly) ? file.readAll() : QByteArray();
}

// The value read, marked when the store is reported unreadable.
QString Read() { const ReadResult read = ReadLanguageCode(); return (read.unreadable ? "unreadable:" : "") + read.value; }

}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT

private slots:
    // No temporary file can be made (a missing folder would be passed over
    // for /tmp): reading and saving need none.
    void initTestCase() { qputenv("TMPDIR", "/dev/null"); }

    void init()
    {
        for (const char* dir : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"})
            QVERIFY(QDir(qEnvironmentVariable(dir)).removeRecursively());
    }

    // Read, write "3", read again. A refused write (no "after") leaves the
    // file as it was; one done changes its Language line alone, byte for
    // byte. The machine's store is never written. A user's file is tried as
    // an editor may leave it too: with a byte-order mark, CRLF line ends, or
    // both.
    void readThenWrite_data()
    {
        QTest::addColumn<QByteArray>("user");
        QTest::addColumn<QByteArray>("machine");
        QTest::addColumn<QString>("reads");
        QTest::addColumn<QByteArray>("after");
        const QByteArray none, damaged = "[General\nLanguage=2\nTheme=dark\n", four = Value("4"), three = Value("3");
        const QString bad = "unreadable:";
        QTest::newRow("nothing stored") << none << none << "" << three;
        QTest::newRow("machine-wide fallback") << none << four << "4" << three;
        QTest::newRow("user value wins") << Value("1") << four << "1" << three;
        QTest::newRow("empty user value falls back") << Value("") << Value("2") << "2" << three;
        // No code exactly is no choice: the machine's or the desktop's applies.
        for (const char* value : {"02", "+2", "2.0", "0x2", "-1", "20000000000000000000000002", "2, 3", "\" 1\"",
                                  "2\x01\x1b", "2\xfe\xff\x80"})
            QTest::addRow("no code: %s", value) << Value(value) << four << "4" << three;
        QTest::newRow("damaged user file") << damaged << four << bad << none;
        QTest::newRow("damaged machine file") << none << damaged << bad << three;
        QTest::newRow("user value over damaged machine") << Value("1") << damaged << "1" << three;
        QTest::newRow("1 MB value") << Value(QByteArray(1 << 20, '2')) << none << bad << none;
        QTest::newRow("a save would pass the size a read accepts")
            << "[General]\nOther=" + QByteArray(64 * 1024 - 24, 'x') + "\n" << four << "4" << none;
        // A quoted value across lines holds what looks like the Language line.
        QTest::newRow("a save would not read back") << QByteArray("[General]\nOther=\"a\nLanguage=1\"\n") << four << "4" << none;
        QTest::newRow("its folder is a file") << QByteArray("<blocked>") << four << "4" << none;
        QTest::newRow("the store is a link") << "<link>" + Value("1") << none << "1" << three;
        for (const char* at : {"@", "\\x40", "\\100"}) {
            QTest::addRow("deeply nested %s", at) << Nested(at) << four << bad << none;
            QTest::addRow("deeply nested %s, machine file", at) << none << Nested(at) << bad << three;
        }
        QTest::newRow("variant beside a good value")
            << Value("1") + "Other=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x2)\n" << none << bad << none;
        for (const char* store : {"<folder>", "<read error>", "<FIFO>"})  // a folder, a read that fails, a FIFO
            QTest::addRow("the store is %s", store) << QByteArray(store) << four << bad << none;
        // An '@' in a comment is no value; on a line that a quote carries on, it is.
        QTest::newRow("@ in comments") << "; admin@example.com\n" + Value("1 ;@home") << none << "1"
                                       << "; admin@example.com\n" + three;
        QTest::newRow("@ after a quote") << Value("1") + "Other=\"a\n;@b\"\n" << none << bad << none;
        QTest::newRow("two byte-order marks") << "\xEF\xBB\xBF\xEF\xBB\xBF" + Value("1") << none << bad << none;
        QTest::newRow("comments, quotes, invalid UTF-8")
            << QByteArray("; mine\n[Window]\nname=\"quoted, text\"\nbad=\xff\xfe\n\n[General]\nLanguage = 1")
            << none << "1" << QByteArray("; mine\n[Window]\nname=\"quoted, text\"\nbad=\xff\xfe\n\n[General]\nLanguage=3");
        QTest::newRow("no language yet") << QByteArray("[Window]\nLanguage=2\n\n[General]\nTheme=dark\n") << none << ""
                                         << QByteArray("[Window]\nLanguage=2\n\n[General]\nLanguage=3\nTheme=dark\n");
        QTest::newRow("no General section") << QByteArray("[Window]\nx=12\n") << none << ""
                                            << QByteArray("[General]\nLanguage=3\n\n[Window]\nx=12\n");
    }

    void readThenWrite()
    {
        QFETCH(QByteArray, user);
        QFETCH(QByteArray, machine);
        QFETCH(QString, reads);
        QFETCH(QByteArray, after);
        for (const QByteArray how : {"", "BOM", "CRLF", "BOM CRLF"}) {
            if (!how.isEmpty() && (user.isNull() || user.startsWith('<')))
                return;
            init();
            auto edited = [&how](QByteArray store) {
                store = how.contains("CRLF") ? store.replace("\n", "\r\n") : store;
                return how.contains("BOM") && !store.isNull() ? "\xEF\xBB\xBF" + store : store;
            };
            Place(UserFile(), edited(user));
            Place(MachineFile(), machine);
            const QByteArray before = Contents(UserFile());
            QCOMPARE(Read(), reads);
            QCOMPARE(WriteLanguageCode("3"), !after.isNull());
            QCOMPARE(Read(), after.isNull() ? reads : QString("3"));
            QCOMPARE(Contents(UserFile()), after.isNull() ? before : edited(after));
            QCOMPARE(Contents(MachineFile()), machine);
            QCOMPARE(QFileInfo(UserFile()).isSymLink(), user.startsWith("<link>") || user == "<read error>");
        }
    }

    // Another program rewrites the store in place as it is read or saved:
    // each step of `writer` is its whole text, written at the moment named.
    // Neither takes the empty file between for the store; what the program
    // wrote is kept, and a store it keeps changing is left to it.
    void anotherProgramMeanwhile_data()
    {
        QTest::addColumn<QStringList>("writer");
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("outcome");  // what the read gave, or whether the save was done; the store
        const QString merged = "1|[General]\nLanguage=3\nTheme=dark\n";
        const QStringList rewritten{"open:", "open:[General]\nLanguage=2\nTheme=dark\n"};
        QTest::newRow("read, truncated and rewritten") << rewritten << false << "2|" + rewritten[1].sliced(5);
        QTest::newRow("save, truncated and rewritten") << rewritten << true << merged;
        QTest::newRow("save, a line added before the rename")
            << QStringList{"replace:[General]\nLanguage=1\nTheme=dark\n"} << true << merged;
        QTest::newRow("save, changed before each rename")
            << QStringList{"replace:a=1\n", "replace:a=2\n", "replace:a=3\n"} << true << "0|a=3\n";
    }

    void anotherProgramMeanwhile()
    {
        QFETCH(QStringList, writer);
        QFETCH(bool, save);
        Place(UserFile(), Value("1") + "; mine\n");
        testing::SetMomentHook([&writer](testing::Moment moment) {
            const QString at = moment == testing::Moment::StoreOpened ? "open:" : "replace:";
            QFile file(UserFile());
            if (!writer.isEmpty() && writer.first().startsWith(at) && file.open(QFile::WriteOnly | QFile::Truncate))
                file.write(writer.takeFirst().sliced(at.size()).toUtf8());
        });
        const QString done = save ? QString::number(WriteLanguageCode("3")) : Read();
        testing::SetMomentHook({});
        QTEST(done + '|' + Contents(UserFile()), "outcome");
    }

    // On a full disk a save fails and the store stays whole, here with room
    // for the first part of the new text only.
    void fullDisk()
    {
        // A 64 KiB file system that this test alone sees.
        const QByteArray config = QFile::encodeName(qEnvironmentVariable("XDG_CONFIG_HOME"));
        if (!QDir().mkpath(config) || unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || mount("quorvel-test", config.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP(qPrintable("cannot mount a small file system here: " + QString::fromLocal8Bit(strerror(errno))));
        const auto unmount = qScopeGuard([&] { umount2(config.constData(), MNT_DETACH); });
        const QByteArray store = "; the user's own lines\n;" + QByteArray(5000, '-') + "\n" + Value("1");
        Place(UserFile(), store);
        const int filler = open((config + "/filler").constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        while (write(filler, store.constData(), 1024) > 0) {
        }
        QVERIFY(errno == ENOSPC && ftruncate(filler, lseek(filler, 0, SEEK_CUR) - 4096) == 0 && close(filler) == 0);
        QVERIFY(!WriteLanguageCode("3"));
        QCOMPARE(Contents(UserFile()), store);
        QCOMPARE(QDir(QFileInfo(UserFile()).path()).entryList(QDir::Files), QStringList{"Quorvel.conf"});
    }
};

QUORVEL_TEST_MAIN(SettingsTest, QCoreApplication)
#include "settings_test.moc"
