// The language store, against private user and machine folders.
#include "quorvel/settings.h"

#include "../qt_test_main.h"

#include <QtTest>

#include <sys/stat.h>

using namespace quorvel::settings;

namespace {

QString UserFile() { return qEnvironmentVariable("XDG_CONFIG_HOME") + "/Dravenor/Quorvel.conf"; }
QString MachineFile() { return qEnvironmentVariable("XDG_CONFIG_DIRS") + "/Dravenor/Quorvel.conf"; }

// User stores that are more than a file's contents (a null one is no file).
const QByteArray kIsFolder = "<the store is a folder>";
const QByteArray kBlocked = "<its folder is a regular file>";
const QByteArray kFifo = "<a FIFO>";
const QByteArray kLinkToFifo = "<a link to a FIFO>";

// Qt's parser recurses once per level of a nested list value: this many
// levels overflow the stack of any thread.
QByteArray DeeplyNested()
{
    return "[General]\nLanguage=1\nOther=@Variant(" + QByteArray("\\0\\0\\0\\t\\0\\0\\0\\x1").repeated(40000)
        + "\\0\\0\\0\\x2\\0\\0\\0\\x1)\n";
}

QByteArray Value(const QByteArray& text) { return "[General]\nLanguage=" + text + "\n"; }

// Fresh time stamps, after the flush: QSettings trusts its copy while size and stamp match.
void Place(const QString& path, const QByteArray& content)
{
    static QDateTime stamp = QDateTime::currentDateTime();
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QFile::WriteOnly) && file.write(content) == content.size() && file.flush());
    QVERIFY(file.setFileTime(stamp = stamp.addSecs(1), QFile::FileModificationTime));
}

QByteArray Contents(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile())
        return {};
    return file.open(QFile::ReadOnly) ? file.readAll() : QByteArray();
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
        const QByteArray none, damaged = "[General\nLanguage=2\nTheme=dark\n";
        const QString bad = "unreadable:";
        QTest::newRow("nothing stored") << none << none << "" << true;
        QTest::newRow("machine-wide fallback") << none << Value("4") << "4" << true;
        QTest::newRow("user value wins") << Value("1") << Value("4") << "1" << true;
        QTest::newRow("empty user value falls back") << Value("") << Value("2") << "2" << true;
        QTest::newRow("any text is kept") << Value("\" 1\"") << Value("2") << " 1" << true;
        QTest::newRow("damaged user file") << damaged << Value("4") << bad << false;
        QTest::newRow("damaged machine file") << none << damaged << bad << true;
        QTest::newRow("user value over damaged machine") << Value("1") << damaged << "1" << true;
        QTest::newRow("list") << Value("2, 3") << none << bad << true;
        QTest::newRow("1 MB value") << Value(QByteArray(1 << 20, '2')) << none << bad << false;
        QTest::newRow("control characters") << Value("2\x01\x1b") << none << bad << true;
        QTest::newRow("binary junk") << Value("2\xfe\xff\x80") << none << bad << true;
        QTest::newRow("the store is a folder") << kIsFolder << Value("4") << bad << false;
        QTest::newRow("its folder is a file") << kBlocked << Value("4") << "4" << false;
        QTest::newRow("deeply nested value") << DeeplyNested() << Value("4") << bad << false;
        QTest::newRow("deeply nested machine file") << none << DeeplyNested() << bad << true;
        QTest::newRow("variant beside a good value")
            << Value("1") + "Other=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x2)\n" << none << bad << false;
        QTest::newRow("FIFO") << kFifo << Value("4") << bad << false;
        QTest::newRow("link to a FIFO") << kLinkToFifo << Value("4") << bad << false;
        QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + Value("1") << none << "1" << true;
    }

    void readThenWrite()
    {
        QFETCH(QByteArray, user);
        QFETCH(QByteArray, machine);
        QFETCH(QString, reads);
        QFETCH(bool, writable);
        if (user == kIsFolder)
            QVERIFY(QDir().mkpath(UserFile()));
        else if (user == kBlocked)
            Place(QFileInfo(UserFile()).path(), "not a folder");
        else if (user == kFifo || user == kLinkToFifo) {
            const QString fifo = user == kFifo ? UserFile() : UserFile() + ".fifo";
            QVERIFY(QDir().mkpath(QFileInfo(UserFile()).path()));
            QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
            if (user == kLinkToFifo)
                QVERIFY(QFile::link(fifo, UserFile()));
        }
        else if (!user.isNull())
            Place(UserFile(), user);
        if (!machine.isNull())
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
        QSettings raw(UserFile(), QSettings::IniFormat);
        QStringList entries;
        for (const QString& key : raw.allKeys())
            entries << key + '=' + raw.value(key).toString();
        QCOMPARE(entries, (QStringList{"Language=3", "Theme=dark", "Window/name=quoted, text",
                                       "Window/x=12", "Window/y=-3"}));
    }
};

QUORVEL_TEST_MAIN(SettingsTest, QCoreApplication)
#include "settings_test.moc"
