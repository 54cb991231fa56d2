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

namespace {

QTemporaryDir* g_root = nullptr;

QString UserDir() { return g_root->filePath(QStringLiteral("user/Dravenor")); }
QString MachineDir() { return g_root->filePath(QStringLiteral("machine/Dravenor")); }
QString UserFile() { return UserDir() + QStringLiteral("/Quorvel.conf"); }
QString MachineFile() { return MachineDir() + QStringLiteral("/Quorvel.conf"); }

// QSettings keeps parsed files and trusts them while size and time stamp
// match; files written here get a fresh time stamp each so none is stale.
void Place(const QString& path, const QByteArray& content)
{
    static int tick = 0;
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QFile::WriteOnly | QFile::Truncate));
    QCOMPARE(file.write(content), content.size());
    QVERIFY(file.flush());  // or the close would stamp the time again
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(++tick),
                             QFileDevice::FileModificationTime));
}

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QFile::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Junk(int size)
{
    QByteArray bytes(size, '\0');
    quint32 x = 2463534242u;  // fixed xorshift seed: the same junk every run
    for (char& b : bytes) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b = char(x & 0xff);
    }
    return bytes;
}

constexpr char kAbsent[] = "<absent>";

}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(QDir(g_root->filePath(QStringLiteral("user"))).removeRecursively());
        QVERIFY(QDir(g_root->filePath(QStringLiteral("machine"))).removeRecursively());
    }

    void read_data()
    {
        QTest::addColumn<QByteArray>("user");
        QTest::addColumn<QByteArray>("machine");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("unreadable");

        const QByteArray none = kAbsent;
        QTest::newRow("nothing stored") << none << none << "" << false;
        QTest::newRow("user only") << QByteArray("[General]\nLanguage=3\n") << none << "3" << false;
        QTest::newRow("machine only") << none << QByteArray("[General]\nLanguage=4\n") << "4" << false;
        QTest::newRow("user wins") << QByteArray("[General]\nLanguage=1\n")
                                   << QByteArray("[General]\nLanguage=4\n") << "1" << false;
        QTest::newRow("empty user value falls back")
            << QByteArray("[General]\nLanguage=\n") << QByteArray("[General]\nLanguage=2\n") << "2"
            << false;
        QTest::newRow("user file without the key")
            << QByteArray("[General]\nOther=1\n") << QByteArray("[General]\nLanguage=0\n") << "0"
            << false;
        QTest::newRow("empty everywhere") << QByteArray("") << QByteArray("[General]\nLanguage=\n")
                                          << "" << false;
        QTest::newRow("key in another group") << QByteArray("[Window]\nLanguage=2\n") << none << ""
                                              << false;
        QTest::newRow("unknown code is still text")
            << QByteArray("[General]\nLanguage=9\n") << none << "9" << false;
        QTest::newRow("damaged user file")
            << QByteArray("[General\nLanguage=3\n") << QByteArray("[General]\nLanguage=4\n") << ""
            << true;
        QTest::newRow("damaged machine file")
            << none << QByteArray("[General]\nLanguage=4\nnot a setting\n") << "" << true;
        QTest::newRow("damaged machine file behind a user value")
            << QByteArray("[General]\nLanguage=1\n") << QByteArray("[General\n") << "1" << false;
        QTest::newRow("list") << QByteArray("[General]\nLanguage=2, 3\n") << none << "" << true;
        QTest::newRow("number")
            << QByteArray("[General]\nLanguage=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x2)\n") << none << ""
            << true;
        QTest::newRow("byte array") << QByteArray("[General]\nLanguage=@ByteArray(2)\n") << none
                                    << "" << true;
        QTest::newRow("1 MB value")
            << QByteArray("[General]\nLanguage=" + QByteArray(1 << 20, '3') + "\n") << none << ""
            << true;
        QTest::newRow("binary junk file") << Junk(4096) << none << "" << true;
        QTest::newRow("binary junk value")
            << QByteArray("[General]\nLanguage=" + Junk(40).replace('\n', ' ') + "\n") << none
            << "" << true;
    }

    void read()
    {
        QFETCH(QByteArray, user);
        QFETCH(QByteArray, machine);
        QFETCH(QString, value);
        QFETCH(bool, unreadable);
        if (user != kAbsent)
            Place(UserFile(), user);
        if (machine != kAbsent)
            Place(MachineFile(), machine);

        const auto result = quorvel::settings::ReadLanguageCode();
        QCOMPARE(result.value, value);
        QCOMPARE(result.unreadable, unreadable);
    }

    void damageIsReportedOnEveryRead()
    {
        Place(UserFile(), "[General]\nLanguage=2\ngarbage\n");
        for (int round = 0; round < 3; ++round) {
            QVERIFY(quorvel::settings::ReadLanguageCode().unreadable);
            QVERIFY(!quorvel::settings::WriteLanguageCode(QStringLiteral("1")));
        }
        Place(UserFile(), "[General]\nLanguage=4\n");
        const auto mended = quorvel::settings::ReadLanguageCode();
        QCOMPARE(mended.value, QStringLiteral("4"));
        QVERIFY(!mended.unreadable);
        QVERIFY(quorvel::settings::WriteLanguageCode(QStringLiteral("1")));
    }

    void userStoreIsAFolder()
    {
        QVERIFY(QDir().mkpath(UserFile()));
        Place(MachineFile(), "[General]\nLanguage=4\n");
        const auto result = quorvel::settings::ReadLanguageCode();
        QVERIFY(result.unreadable);
        QCOMPARE(result.value, QString());
        QVERIFY(!quorvel::settings::WriteLanguageCode(QStringLiteral("1")));
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("code");
        for (const char* code : {"0", "1", "2", "3", "4"})
            QTest::newRow(code) << QString::fromLatin1(code);
    }

    void roundTrip()
    {
        QFETCH(QString, code);
        Place(MachineFile(), "[General]\nLanguage=4\n");
        QVERIFY(quorvel::settings::WriteLanguageCode(code));
        const auto result = quorvel::settings::ReadLanguageCode();
        QCOMPARE(result.value, code);
        QVERIFY(!result.unreadable);
        QVERIFY(QFile::exists(UserFile()));
        QCOMPARE(Contents(MachineFile()), QByteArray("[General]\nLanguage=4\n"));
    }

    void overwriteKeepsTheRestOfTheFile()
    {
        Place(UserFile(), "[General]\nLanguage=1\nTheme=dark\n\n[Window]\nx=12\ny=-3\n"
                          "name=\"quoted, text\"\n");
        QVERIFY(quorvel::settings::WriteLanguageCode(QStringLiteral("3")));
        QCOMPARE(quorvel::settings::ReadLanguageCode().value, QStringLiteral("3"));

        QSettings raw(UserFile(), QSettings::IniFormat);
        QCOMPARE(raw.status(), QSettings::NoError);
        QCOMPARE(raw.value("Theme").toString(), QStringLiteral("dark"));
        QCOMPARE(raw.value("Window/x").toInt(), 12);
        QCOMPARE(raw.value("Window/y").toInt(), -3);
        QCOMPARE(raw.value("Window/name").toString(), QStringLiteral("quoted, text"));
        QCOMPARE(raw.allKeys().size(), 5);
    }

    void unwritable_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("readsAfter");
        QTest::newRow("folder is a file") << "folder is a file" << "";
        QTest::newRow("damaged file left alone") << "damaged" << "";
        QTest::newRow("read-only folder") << "read-only" << "2";
    }

    void unwritable()
    {
        QFETCH(QString, layout);
        QFETCH(QString, readsAfter);
        QByteArray before;
        if (layout == QLatin1String("folder is a file")) {
            Place(UserDir(), "not a folder");
            before = Contents(UserDir());
        } else if (layout == QLatin1String("damaged")) {
            Place(UserFile(), "[General\nLanguage=2\nTheme=dark\n");
            before = Contents(UserFile());
        } else {
            if (::geteuid() == 0)
                QSKIP("file modes do not stop root");
            Place(UserFile(), "[General]\nLanguage=2\n");
            before = Contents(UserFile());
            QVERIFY(QFile::setPermissions(UserDir(), QFile::ReadOwner | QFile::ExeOwner));
        }

        QVERIFY(!quorvel::settings::WriteLanguageCode(QStringLiteral("3")));

        if (layout == QLatin1String("folder is a file")) {
            QCOMPARE(Contents(UserDir()), before);
        } else {
            QCOMPARE(Contents(UserFile()), before);
        }
        // Once the store can be written again, it holds the old value, not
        // the refused one.
        if (layout == QLatin1String("read-only"))
            QVERIFY(QFile::setPermissions(UserDir(), QFile::ReadOwner | QFile::WriteOwner |
                                                         QFile::ExeOwner));
        QCOMPARE(quorvel::settings::ReadLanguageCode().value, readsAfter);
    }
};

int main(int argc, char** argv)
{
    // QSettings takes its folders from the environment once, so both are
    // pointed at a private folder before anything reads them.
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
