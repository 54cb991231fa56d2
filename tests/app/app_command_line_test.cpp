// The window program's command line as main reads it: --help and --version
// first, then a real QApplication takes Qt's options and the rest is refused.
#include "command_line.h"

#include <QApplication>
#include <QtTest>

#include <sys/stat.h>

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void arguments_data()  // the row's name is the command line
    {
        QTest::addColumn<QString>("outcome");  // the status (-1: goes on), then the first line printed
        const QString help = "0 usage: quorvel [--help | --version] [Qt options]", version = "0 quorvel " QUORVEL_VERSION;
        QTest::newRow("--help") << help;
        QTest::newRow("-h") << help;
        QTest::newRow("-style fusion --version") << version;
        QTest::newRow("-v") << version;
        QTest::newRow("") << "-1 ";
        QTest::newRow("-platform offscreen --style fusion -reverse") << "-1 ";
        QTest::newRow("-qwindowicon x.png -widgetcount") << "-1 ";
        QTest::newRow("-style fusion --frobnicate") << "2 quorvel: unknown option '--frobnicate'";
        QTest::newRow("extra") << "2 quorvel: unexpected argument 'extra'";
    }

    void arguments()
    {
        QList<QByteArray> words = QByteArray("quorvel ").append(QTest::currentDataTag()).split(' ');
        words.removeAll(QByteArray());
        QList<char*> argv;
        for (QByteArray& word : words)
            argv << word.data();
        int argc = int(argv.size());
        std::FILE* out = std::tmpfile();
        std::optional<int> status = quorvel::app::HandleInformationOptions(argc, argv.data(), out);
        if (!status) {
            const QApplication app(argc, argv.data());
            status = quorvel::app::RefuseLeftArguments(QApplication::arguments(), out);
        }
        char line[200] = "";
        std::rewind(out);
        line[std::fread(line, 1, sizeof line - 1, out)] = '\0';
        std::fclose(out);
        QTEST(QString::number(status.value_or(-1)) + ' ' + QString(line).section('\n', 0, 0), "outcome");
    }

    // What is left for Qt of options that name files it would read blocking
    // (%f a FIFO, %r a small regular file), and the lines that said so. Other
    // options keep their values, whatever those look like.
    void unsafeFiles_data()
    {
        QTest::addColumn<QString>("args");
        QTest::addColumn<QString>("left");
        QTest::newRow("icon a FIFO") << "-qwindowicon %f -reverse" << "-reverse|1";
        QTest::newRow("icon, two dashes") << "--icon %f" << "|1";
        QTest::newRow("icon a file") << "-qwindowicon %r" << "-qwindowicon %r|0";
        QTest::newRow("icon of the theme") << "-icon edit-copy" << "-icon edit-copy|0";
        QTest::newRow("style sheet a device") << "-style fusion --stylesheet /dev/zero -stylesheet %f" << "-style fusion|2";
        QTest::newRow("a title, not an icon") << "-qwindowtitle -qwindowicon %f" << "-qwindowtitle -qwindowicon %f|0";
        QTest::newRow("nothing after it") << "x -qwindowicon" << "x -qwindowicon|0";
    }

    void unsafeFiles()
    {
        QFETCH(QString, args);
        QTemporaryDir dir;
        const QString fifo = dir.filePath("fifo"), regular = dir.filePath("icon.png");
        QVERIFY(mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0 && QFile(regular).open(QFile::WriteOnly));
        QList<QByteArray> words = QString("quorvel " + args).replace("%f", fifo).replace("%r", regular).toUtf8().split(' ');
        QList<char*> argv;
        for (QByteArray& word : words)
            argv << word.data();
        int argc = int(argv.size());
        std::FILE* err = std::tmpfile();
        quorvel::app::DropUnsafeFileOptions(argc, argv.data(), err);
        QStringList left;
        for (int i = 1; i < argc; ++i)
            left << argv[i];
        char said[1000] = "";
        std::rewind(err);
        said[std::fread(said, 1, sizeof said - 1, err)] = '\0';
        std::fclose(err);
        QTEST(left.join(' ').replace(fifo, "%f").replace(regular, "%r") + '|' + QString::number(QString(said).count("quorvel: ignoring ")), "left");
    }
};

QTEST_APPLESS_MAIN(CommandLineTest)
#include "app_command_line_test.moc"
