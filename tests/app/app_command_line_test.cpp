// The window program's command line as main reads it: --help and --version
// first, then a real QApplication takes Qt's options and the rest is refused.
#include "command_line.h"

#include <QApplication>
#include <QtTest>

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
};

QTEST_APPLESS_MAIN(CommandLineTest)
#include "app_command_line_test.moc"
