// The language store, against private user and machine folders.
#include "quorvel/settings.h"

#include "../qt_test_main.h"

#include <QtTest>

#include <sys/stat.h>

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
    const QString folder = QFileInfo(path).path();
    if (store == "<blocked>")  // its folder is a file
        return Place(folder, "not a folder");
    if (!store.isNull())
        QVERIFY(QDir().mkpath(store == "<folder>" ? path : folder));
    QFile file(path);
    if (store == "<read error>")  // a regular file whose read() fails
        QVERIFY(QFile::link("/proc/self/mem", path));
    else if (store == "<FIFO>")
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (!store.isNull() && store != "<folder>")
        QVERIFY(file.open(QFile::WriteOnly) && file.write(store) == store.size() && file.flush());
}

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QFile::ReadOnly) ? file.readAll() : QByteArray();
}

// The value read, marked when the store is reported unreadable.
QString Read()
{
    const ReadResult read = ReadLanguageCode();
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

    // Read, write "3", read again. A refused write (no "after") leaves the
    // file as it was; one done changes its Language line alone, byte for
    // byte. The machine's store is never written.
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
            << "[General]\nOther=" + QByteArray(64 * 1024 - 17, 'x') + "\n" << four << "4" << none;
        // A quoted value across lines holds what looks like the Language line.
        QTest::newRow("a save would not read back") << QByteArray("[General]\nOther=\"a\nLanguage=1\"\n") << four << "4" << none;
        QTest::newRow("the store is a folder") << QByteArray("<folder>") << four << bad << none;
        QTest::newRow("its folder is a file") << QByteArray("<blocked>") << four << "4" << none;
        QTest::newRow("read error") << QByteArray("<read error>") << four << bad << none;
        for (const char* at : {"@", "\\x40", "\\100"}) {
            QTest::addRow("deeply nested %s", at) << Nested(at) << four << bad << none;
            QTest::addRow("deeply nested %s, machine file", at) << none << Nested(at) << bad << three;
        }
        QTest::newRow("variant beside a good value")
            << Value("1") + "Other=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x2)\n" << none << bad << none;
        QTest::newRow("FIFO") << QByteArray("<FIFO>") << four << bad << none;
        QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + Value("1") << none << "1" << "\xEF\xBB\xBF" + three;
        QTest::newRow("two byte-order marks") << "\xEF\xBB\xBF\xEF\xBB\xBF" + Value("1") << none << bad << none;
        QTest::newRow("line ends, comments, invalid UTF-8")
            << QByteArray("; mine\r\n[Window]\r\nname=\"quoted, text\"\r\nbad=\xff\xfe\r\n\r\n[General]\r\nLanguage = 1")
            << none << "1" << QByteArray("; mine\r\n[Window]\r\nname=\"quoted, text\"\r\nbad=\xff\xfe\r\n\r\n[General]\r\nLanguage=3");
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
        Place(UserFile(), user);
        Place(MachineFile(), machine);
        const QByteArray before = Contents(UserFile());
        QCOMPARE(Read(), reads);
        QCOMPARE(WriteLanguageCode("3"), !after.isNull());
        QCOMPARE(Read(), after.isNull() ? reads : QString("3"));
        QCOMPARE(Contents(UserFile()), after.isNull() ? before : after);
        QCOMPARE(Contents(MachineFile()), machine);
    }
};

QUORVEL_TEST_MAIN(SettingsTest, QCoreApplication)
#include "settings_test.moc"
