// The language store, against private user and machine folders.
#include "quorvel/settings.h"

#include "../qt_test_main.h"

#include <QtTest>

#include <memory>

#include <sys/stat.h>

using namespace quorvel::settings;

namespace {

QString UserFile() { return qEnvironmentVariable("XDG_CONFIG_HOME") + "/Dravenor/Quorvel.conf"; }
QString MachineFile() { return qEnvironmentVariable("XDG_CONFIG_DIRS") + "/Dravenor/Quorvel.conf"; }
QByteArray Value(const QByteArray& text) { return "[General]\nLanguage=" + text + "\n"; }

// Qt's parser recurses once per level of a nested list value, and decodes
// escapes first: these many levels fit the size a store may have and would
// overflow a 1 MiB stack.
QByteArray Nested(const QByteArray& at)
{
    return Value(at + "Variant(" + QByteArray("\\0\\0\\0\\t\\0\\0\\0\\x1").repeated(3800) + "\\0\\0\\0\\x2\\0\\0\\0\\x1)");
}

// A null store is no file; one that is more than a file's contents is named in <>.
// Fresh time stamps, after the flush: QSettings trusts its copy while size and stamp match.
void Place(const QString& path, const QByteArray& store)
{
    static QDateTime stamp = QDateTime::currentDateTime();
    const QString folder = QFileInfo(path).path(), fifo = store == "<FIFO>" ? path : path + ".fifo";
    QFile file(path);
    if (store == "<blocked>")
        return Place(folder, "not a folder");
    if (store == "<read error>") {  // a regular file whose read() fails
        QVERIFY(QDir().mkpath(folder) && QFile::link("/proc/self/mem", path));
        return;
    }
    if (!store.isNull())
        QVERIFY(QDir().mkpath(store == "<folder>" ? path : folder));
    if (store.endsWith("FIFO>"))
        QVERIFY(mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0 && (fifo == path || QFile::link(fifo, path)));
    else if (!store.isNull() && store != "<folder>") {
        QVERIFY(file.open(QFile::WriteOnly) && file.write(store) == store.size() && file.flush());
        QVERIFY(file.setFileTime(stamp = stamp.addSecs(1), QFile::FileModificationTime));
    }
}

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QFile::ReadOnly) ? file.readAll() : QByteArray();
}

// The value read, marked when the store is reported unreadable; read on a
// 1 MiB stack, which some desktops give their programs.
QString Read()
{
    ReadResult read;
    const std::unique_ptr<QThread> reader(QThread::create([&read] { read = ReadLanguageCode(); }));
    reader->setStackSize(1 << 20);
    reader->start();
    reader->wait();
    return (read.unreadable ? "unreadable:" : "") + read.value;
}

}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        for (const char* dir : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"})
            QVERIFY(QDir(qEnvironmentVariable(dir)).removeRecursively());
    }

    // Read, write "3", read again: a refused write changes nothing; the machine's is never written.
    void readThenWrite_data()
    {
        QTest::addColumn<QByteArray>("user");
        QTest::addColumn<QByteArray>("machine");
        QTest::addColumn<QString>("reads");
        QTest::addColumn<bool>("writable");
        const QByteArray none, damaged = "[General\nLanguage=2\nTheme=dark\n", four = Value("4");
        const QString bad = "unreadable:";
        QTest::newRow("nothing stored") << none << none << "" << true;
        QTest::newRow("machine-wide fallback") << none << four << "4" << true;
        QTest::newRow("user value wins") << Value("1") << four << "1" << true;
        QTest::newRow("empty user value falls back") << Value("") << Value("2") << "2" << true;
        // No code exactly is no choice: the machine's or the desktop's applies.
        for (const char* value : {"02", "+2", "2.0", "0x2", "-1", "20000000000000000000000002", "2, 3", "\" 1\"",
                                  "2\x01\x1b", "2\xfe\xff\x80"})
            QTest::addRow("no code: %s", value) << Value(value) << four << "4" << true;
        QTest::newRow("damaged user file") << damaged << four << bad << false;
        QTest::newRow("damaged machine file") << none << damaged << bad << true;
        QTest::newRow("user value over damaged machine") << Value("1") << damaged << "1" << true;
        QTest::newRow("1 MB value") << Value(QByteArray(1 << 20, '2')) << none << bad << false;
        QTest::newRow("a save would pass the size a read accepts")
            << "[General]\nOther=" + QByteArray(64 * 1024 - 17, 'x') + "\n" << four << "4" << false;
        QTest::newRow("the store is a folder") << QByteArray("<folder>") << four << bad << false;
        QTest::newRow("its folder is a file") << QByteArray("<blocked>") << four << "4" << false;
        QTest::newRow("read error") << QByteArray("<read error>") << four << bad << false;
        for (const char* at : {"@", "\\x40", "\\100"}) {
            QTest::addRow("deeply nested %s", at) << Nested(at) << four << bad << false;
            QTest::addRow("deeply nested %s, machine file", at) << none << Nested(at) << bad << true;
        }
        QTest::newRow("variant beside a good value")
            << Value("1") + "Other=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x2)\n" << none << bad << false;
        QTest::newRow("FIFO") << QByteArray("<FIFO>") << four << bad << false;
        QTest::newRow("link to a FIFO") << QByteArray("<link to a FIFO>") << four << bad << false;
        QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + Value("1") << none << "1" << true;
        QTest::newRow("two byte-order marks") << "\xEF\xBB\xBF\xEF\xBB\xBF" + Value("1") << none << bad << false;
    }

    void readThenWrite()
    {
        QFETCH(QByteArray, user);
        QFETCH(QByteArray, machine);
        QFETCH(QString, reads);
        QFETCH(bool, writable);
        Place(UserFile(), user);
        Place(MachineFile(), machine);
        const QByteArray userBefore = Contents(UserFile());
        QCOMPARE(Read(), reads);
        QCOMPARE(WriteLanguageCode("3"), writable);
        QCOMPARE(Read(), writable ? QString("3") : reads);
        QCOMPARE(Contents(UserFile()) != userBefore, writable);
        QCOMPARE(Contents(MachineFile()), machine);
    }

    // A save changes the Language line alone, byte for byte; a damaged file,
    // once mended, is read again.
    void saveKeepsTheOtherLines_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("no store") << QByteArray() << Value("3");
        QTest::newRow("line ends, comments, invalid UTF-8")
            << QByteArray("; mine\r\n[Window]\r\nname=\"quoted, text\"\r\nbad=\xff\xfe\r\n\r\n[General]\r\nLanguage = 1")
            << QByteArray("; mine\r\n[Window]\r\nname=\"quoted, text\"\r\nbad=\xff\xfe\r\n\r\n[General]\r\nLanguage=3");
        QTest::newRow("no language yet") << QByteArray("[Window]\nx=12\n\n[General]\nTheme=dark\n")
                                         << QByteArray("[Window]\nx=12\n\n[General]\nLanguage=3\nTheme=dark\n");
        QTest::newRow("no General section") << QByteArray("[Window]\nx=12\n")
                                            << QByteArray("[General]\nLanguage=3\n\n[Window]\nx=12\n");
        QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + Value("1") << "\xEF\xBB\xBF" + Value("3");
    }

    void saveKeepsTheOtherLines()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        Place(UserFile(), "[General]\nLanguage=2\ngarbage\n");
        QCOMPARE(Read(), QString("unreadable:"));
        QVERIFY(QFile::remove(UserFile()));
        Place(UserFile(), before);
        QVERIFY(WriteLanguageCode("3"));
        QCOMPARE(Contents(UserFile()), after);
        QCOMPARE(Read(), QString("3"));
    }
};

QUORVEL_TEST_MAIN(SettingsTest, QCoreApplication)
#include "settings_test.moc"
