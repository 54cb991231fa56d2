// The window program's command line as main reads it: --help and --version
// first, then a real QApplication takes Qt's options and the rest is refused.
#include "command_line.h"

#include <QApplication>
#include <QtTest>

#include <vector>

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void arguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");    // -1: the program goes on
        QTest::addColumn<QString>("line");  // the first line printed (stdout for 0, stderr for 2)
        const QString usage = "usage: quorvel [--help | --version] [Qt options]";
        QTest::newRow("--help") << QStringList{"--help"} << 0 << usage;
        QTest::newRow("-h") << QStringList{"-h"} << 0 << usage;
        QTest::newRow("--version after a Qt option") << QStringList{"-style", "fusion", "--version"} << 0 << "quorvel " QUORVEL_VERSION;
        QTest::newRow("-v") << QStringList{"-v"} << 0 << "quorvel " QUORVEL_VERSION;
        QTest::newRow("nothing") << QStringList{} << -1 << "";
        QTest::newRow("Qt options and their values")
            << QStringList{"-platform", "offscreen", "--style", "fusion", "-reverse", "-qwindowtitle", "a b"} << -1 << "";
        QTest::newRow("-qwindowicon FILE, -widgetcount") << QStringList{"-qwindowicon", "x.png", "-widgetcount"} << -1 << "";
        QTest::newRow("unknown option") << QStringList{"-style", "fusion", "--frobnicate"} << 2
                                        << "quorvel: unknown option '--frobnicate'";
        QTest::newRow("argument") << QStringList{"extra"} << 2 << "quorvel: unexpected argument 'extra'";
    }

    void arguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, line);
        std::vector<QByteArray> words{"quorvel"};
        for (const QString& a : arguments)
            words.push_back(a.toUtf8());
        std::vector<char*> argv;
        for (QByteArray& w : words)
            argv.push_back(w.data());
        int argc = int(argv.size());
        argv.push_back(nullptr);

        std::FILE* out = std::tmpfile();
        std::optional<int> got = quorvel::app::HandleInformationOptions(argc, argv.data(), out);
        if (!got) {
            const QApplication app(argc, argv.data());
            got = quorvel::app::RefuseLeftArguments(QApplication::arguments(), out);
        }
        char first[200] = "";
        std::rewind(out);
        if (std::fgets(first, sizeof first, out) == nullptr)
            first[0] = '\0';
        std::fclose(out);
        QCOMPARE(got.value_or(-1), status);
        QCOMPARE(QString::fromUtf8(first).trimmed(), line);
    }
};

QTEST_APPLESS_MAIN(CommandLineTest)
#include "app_command_line_test.moc"
