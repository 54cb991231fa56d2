// The window program's command line as main reads it: --help and --version
// first, options naming files Qt must not read taken out, then a real
// QApplication takes Qt's options and the rest is refused.
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
        // FIFO names a FIFO, FILE an empty file, BIG one of 2 MiB.
        QTest::newRow("-qwindowicon FIFO -reverse") << "-1 quorvel: ignoring -qwindowicon FIFO: not a regular file";
        QTest::newRow("--icon FIFO") << "-1 quorvel: ignoring --icon FIFO: not a regular file";
        QTest::newRow("-stylesheet /dev/zero -qwindowicon FILE") << "-1 quorvel: ignoring -stylesheet /dev/zero: not a regular file";
        QTest::newRow("-qwindowtitle -qwindowicon FIFO") << "2 quorvel: unexpected argument 'FIFO'";
        QTest::newRow("-stylesheet FILE -qwindowicon edit-copy") << "-1 ";
        QTest::newRow("-stylesheet BIG") << "-1 quorvel: ignoring -stylesheet BIG: larger than 1 MiB";
    }

    void arguments()
    {
        QTemporaryDir dir;
        QFile big(dir.filePath("BIG"));
        QVERIFY(mkfifo(QFile::encodeName(dir.filePath("FIFO")).constData(), 0600) == 0 && QFile(dir.filePath("FILE")).open(QFile::WriteOnly)
                && big.open(QFile::WriteOnly) && big.resize(2 << 20));
        QList<QByteArray> words = QString("quorvel ").append(QTest::currentDataTag()).replace(QRegularExpression("(FIFO|FILE|BIG)"), dir.path() + "/\\1").toUtf8().split(' ');
        words.removeAll(QByteArray());
        QList<char*> argv;
        for (QByteArray& word : words)
            argv << word.data();
        int argc = int(argv.size());
        std::FILE* out = std::tmpfile();
        std::optional<int> status = quorvel::app::HandleInformationOptions(argc, argv.data(), out);
        if (!status) {
            quorvel::app::DropUnsafeFileOptions(argc, argv.data(), out);
            const QApplication app(argc, argv.data());
            status = quorvel::app::RefuseLeftArguments(QApplication::arguments(), out);
        }
        char line[200] = "";
        std::rewind(out);
        line[std::fread(line, 1, sizeof line - 1, out)] = '\0';
        std::fclose(out);
        QTEST(QString::number(status.value_or(-1)) + ' ' + QString(line).section('\n', 0, 0).remove(dir.path() + '/'), "outcome");
    }
};

QTEST_APPLESS_MAIN(CommandLineTest)
#include "app_command_line_test.moc"
