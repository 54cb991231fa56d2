// The window program's command line as main reads it: --help and --version
// first, then a real QApplication takes Qt's options and the rest is refused.
#include "command_line.h"

#include <QApplication>
#include <QtTest>

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void arguments_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("outcome");  // status (-1: goes on), then the first line printed
        const QString help = "0 usage: quorvel [--help | --version] [Qt options]", version = "0 quorvel " QUORVEL_VERSION;
        for (auto [arguments, outcome] : {std::pair{"--help", help}, {"-h", help}, {"-style fusion --version", version},
                                          {"-v", version}, {"", "-1 "}, {"-platform offscreen --style fusion -reverse", "-1 "},
                                          {"-qwindowicon x.png -widgetcount", "-1 "},
                                          {"-style fusion --frobnicate", "2 quorvel: unknown option '--frobnicate'"},
                                          {"extra", "2 quorvel: unexpected argument 'extra'"}})
            QTest::newRow(arguments) << arguments << outcome;
    }

    void arguments()
    {
        QFETCH(QString, arguments);
        QList<QByteArray> words{"quorvel"};
        for (const QString& word : arguments.split(' ', Qt::SkipEmptyParts))
            words << word.toUtf8();
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
        QVERIFY(std::fgets(line, sizeof line, out) != nullptr || !status);
        std::fclose(out);
        QTEST(QString::number(status.value_or(-1)) + ' ' + QString(line).trimmed(), "outcome");
    }
};

QTEST_APPLESS_MAIN(CommandLineTest)
#include "app_command_line_test.moc"
