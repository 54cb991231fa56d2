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

// Qt's parser recurses once per level of a nested list value: this many
// levels overflow the stack of any thread.
const QByteArray kDeeplyNested = Value("1") + "Other=@Variant(" + QByteArray("\\0\\0\\0\\t\\0\\0\\0\\x1").repeated(40000)
    + "\\0\\0\\0\\x2\\0\\0\\0\\x1)\n";

// A null store is no file; one that is more than a file's contents is named in <>.
// Fresh time stamps, after the flush: QSettings trusts its copy while size and stamp match.
void Place(const QString& path, const QByteArray& store)
{
    static QDateTime stamp = QDateTime::currentDateTime();
    const QString folder = QFileInfo(path).path(), fifo = store == "<FIFO>" ? path : path + ".fifo";
    QFile file(path);
    if (store == "<blocked>")
        return Place(folder, "not a folder");
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

// The value read, marked when the store is reported unreadable.
QString Read() { auto [text, bad] = ReadLanguageCode(); return (bad ? "unreadable:" : "") + text; }

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
        QTest::newRow("any text is kept") << Value("\" 1\"") << Value("2") << " 1" << true;
        QTest::newRow("damaged user file") << damaged << four << bad << false;
        QTest::newRow("damaged machine file") << none << damaged << bad << true;
        QTest::newRow("user value over damaged machine") << Value("1") << damaged << "1" << true;
        QTest::newRow("list") << Value("2, 3") << none << bad << true;
        QTest::newRow("1 MB value") << Value(QByteArray(1 << 20, '2')) << none << bad << false;
        QTest::newRow("control characters") << Value("2\x01\x1b") << none << bad << true;
        QTest::newRow("binary junk") << Value("2\xfe\xff\x80") << none << bad << true;
        QTest::newRow("the store is a folder") << QByteArray("<folder>") << four << bad << false;
        QTest::newRow("its folder is a file") << QByteArray("<blocked>") << four << "4" << false;
        QTest::newRow("deeply nested value") << kDeeplyNested << four << bad << false;
        QTest::newRow("deeply nested machine file") << none << kDeeplyNested << bad << true;
        QTest::newRow("variant beside a good value")
            << Value("1") + "Other=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x2)\n" << none << bad << false;
        QTest::newRow("FIFO") << QByteArray("<FIFO>") << four << bad << false;
        QTest::newRow("link to a FIFO") << QByteArray("<link to a FIFO>") << four << bad << false;
        QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + Value("1") << none << "1" << true;
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

    // A damaged file, once mended, is read again; a write keeps its other keys.
    void mendedFileIsReadAndKept()
    {
        Place(UserFile(), "[General]\nLanguage=2\ngarbage\n");
        QCOMPARE(Read(), QString("unreadable:"));
        Place(UserFile(), "[General]\nLanguage=1\nTheme=dark\n\n[Window]\nx=12\ny=-3\n"
                          "name=\"quoted, text\"\n");
        QCOMPARE(Read(), QString("1"));
        QVERIFY(WriteLanguageCode("3"));
        QCOMPARE(Contents(UserFile()), "[General]\nLanguage=3\nTheme=dark\n\n[Window]\nname=\"quoted, text\"\nx=12\ny=-3\n");
    }
};

QUORVEL_TEST_MAIN(SettingsTest, QCoreApplication)
#include "settings_test.moc"
