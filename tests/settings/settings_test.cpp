// The language store, against private user and machine folders.
#include "quorvel/settings.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace store = quorvel::settings;

namespace {

QTemporaryDir* g_root = nullptr;
constexpr auto kAllMine = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

QString UserDir() { return g_root->filePath(QStringLiteral("user/Dravenor")); }
QString UserFile() { return UserDir() + QStringLiteral("/Quorvel.conf"); }
QString MachineFile() { return g_root->filePath(QStringLiteral("machine/Dravenor/Quorvel.conf")); }

// User stores that are more than a file's contents.
const QByteArray kAbsent = "<absent>";
const QByteArray kIsFolder = "<the store is a folder>";
const QByteArray kBlocked = "<its folder is a regular file>";
const QByteArray kReadOnly = "<Language=2 in a read-only folder>";

QByteArray Value(const QByteArray& text) { return "[General]\nLanguage=" + text + "\n"; }

// QSettings trusts its parsed copy while size and time stamp match: each
// file placed here gets a fresh time stamp (after the flush, or the close
// would stamp it again).
void Place(const QString& path, const QByteArray& content)
{
    static int tick = 0;
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QFile::WriteOnly) && file.write(content) == content.size() && file.flush());
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(++tick),
                             QFileDevice::FileModificationTime));
}

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QFile::ReadOnly) ? file.readAll() : QByteArray();
}

// The value read, marked when the store is reported unreadable.
QString Read()
{
    const store::ReadResult result = store::ReadLanguageCode();
    return result.unreadable ? QStringLiteral("unreadable:") + result.value : result.value;
}

}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QFile::setPermissions(UserDir(), kAllMine);
        QVERIFY(QDir(g_root->filePath(QStringLiteral("user"))).removeRecursively());
        QVERIFY(QDir(g_root->filePath(QStringLiteral("machine"))).removeRecursively());
    }

    // Reads what is stored, then writes "3". A refused write leaves the file
    // and the next read as they were; the machine's store is never written.
    void readThenWrite_data()
    {
        QTest::addColumn<QByteArray>("user");
        QTest::addColumn<QByteArray>("machine");
        QTest::addColumn<QString>("reads");
        QTest::addColumn<bool>("writable");
        const QByteArray none = kAbsent;
        const QString bad = QStringLiteral("unreadable:");
        QTest::newRow("nothing stored") << none << none << "" << true;
        QTest::newRow("machine-wide fallback") << none << Value("4") << "4" << true;
        QTest::newRow("user value wins") << Value("1") << Value("4") << "1" << true;
        QTest::newRow("empty user value falls back") << Value("") << Value("2") << "2" << true;
        QTest::newRow("any text is kept") << Value("\" 1\"") << Value("2") << " 1" << true;
        QTest::newRow("damaged user file")
            << QByteArray("[General\nLanguage=2\nTheme=dark\n") << Value("4") << bad << false;
        QTest::newRow("damaged machine file")
            << none << QByteArray("[General]\nLanguage=4\nbad\n") << bad << true;
        QTest::newRow("damaged machine file behind a user value")
            << Value("1") << QByteArray("[General\n") << "1" << true;
        QTest::newRow("list") << Value("2, 3") << none << bad << true;
        QTest::newRow("number")
            << Value("@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x2)") << none << bad << true;
        QTest::newRow("1 MB value") << Value(QByteArray(1 << 20, '2')) << none << bad << true;
        QTest::newRow("control characters") << Value("2\x01\x1b") << none << bad << true;
        QTest::newRow("binary junk") << Value("2\xfe\xff\x80") << none << bad << true;
        QTest::newRow("the store is a folder") << kIsFolder << Value("4") << bad << false;
        QTest::newRow("its folder is a file") << kBlocked << Value("4") << "4" << false;
        QTest::newRow("read-only folder") << kReadOnly << none << "2" << false;
    }

    void readThenWrite()
    {
        QFETCH(QByteArray, user);
        QFETCH(QByteArray, machine);
        QFETCH(QString, reads);
        QFETCH(bool, writable);
        if (user == kReadOnly && ::geteuid() == 0)
            QSKIP("file modes do not stop root");
        if (user == kIsFolder)
            QVERIFY(QDir().mkpath(UserFile()));
        else if (user == kBlocked)
            Place(UserDir(), "not a folder");
        else if (user != kAbsent)
            Place(UserFile(), user == kReadOnly ? Value("2") : user);
        if (user == kReadOnly)
            QVERIFY(QFile::setPermissions(UserDir(), QFile::ReadOwner | QFile::ExeOwner));
        if (machine != kAbsent)
            Place(MachineFile(), machine);
        const QString userPath = user == kBlocked ? UserDir() : UserFile();
        const QByteArray userBefore = Contents(userPath);

        QCOMPARE(Read(), reads);
        QCOMPARE(store::WriteLanguageCode(QStringLiteral("3")), writable);
        if (user == kReadOnly)  // while it stays read-only, reads report it unreadable
            QVERIFY(QFile::setPermissions(UserDir(), kAllMine));
        QCOMPARE(Read(), writable ? QStringLiteral("3") : reads);
        if (!writable)
            QCOMPARE(Contents(userPath), userBefore);
        QCOMPARE(Contents(MachineFile()), machine == kAbsent ? QByteArray() : machine);
    }

    void mendedFileIsReadAgain()
    {
        Place(UserFile(), "[General]\nLanguage=2\ngarbage\n");
        QCOMPARE(Read(), QStringLiteral("unreadable:"));
        Place(UserFile(), Value("4"));
        QCOMPARE(Read(), QStringLiteral("4"));
        QVERIFY(store::WriteLanguageCode(QStringLiteral("1")));
    }

    void writeKeepsTheOtherKeys()
    {
        Place(UserFile(), "[General]\nLanguage=1\nTheme=dark\n\n[Window]\nx=12\ny=-3\n"
                          "name=\"quoted, text\"\n");
        QVERIFY(store::WriteLanguageCode(QStringLiteral("3")));
        QSettings raw(UserFile(), QSettings::IniFormat);
        QStringList entries;
        for (const QString& key : raw.allKeys())
            entries << key + QLatin1Char('=') + raw.value(key).toString();
        QCOMPARE(entries, (QStringList{"Language=3", "Theme=dark", "Window/name=quoted, text",
                                       "Window/x=12", "Window/y=-3"}));
    }
};

int main(int argc, char** argv)
{
    // QSettings reads its folders from the environment once: set them first.
    QTemporaryDir root;
    if (!root.isValid())
        return 1;
    g_root = &root;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root.filePath(QStringLiteral("user"))));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(root.filePath(QStringLiteral("machine"))));
    QCoreApplication app(argc, argv);
    SettingsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "settings_test.moc"
