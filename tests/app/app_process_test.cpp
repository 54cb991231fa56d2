// The real program: one instance per user, the lock of a crashed run, the
// ways it ends, and its shaped window on a real X server.
#include "app_test_support.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>

#if QUORVEL_HAVE_XCB
#include <xcb/xcb.h>
#endif

#include <csignal>
#include <memory>
#include <vector>

namespace {

const QString kProgram = QStringLiteral(QUORVEL_PROGRAM);

QString Output(const QString& program, const QStringList& args, const QProcessEnvironment& env = {})
{
    QProcess p;
    if (!env.isEmpty())
        p.setProcessEnvironment(env);
    p.start(program, args);
    p.waitForFinished(15000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

#if QUORVEL_HAVE_XCB
// What a window manager sends on Alt+F4 or the task bar's "close":
// WM_DELETE_WINDOW in a WM_PROTOCOLS client message.
bool SendCloseRequest(const QString& display, const QString& windowId)
{
    xcb_connection_t* connection = xcb_connect(display.toLocal8Bit().constData(), nullptr);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return false;
    }
    auto atom = [connection](const char* name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, uint16_t(qstrlen(name)), name), nullptr);
        const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(reply);
        return value;
    };
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = windowId.toUInt(nullptr, 0);
    message.type = atom("WM_PROTOCOLS");
    message.data.data32[0] = atom("WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection, 0, message.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    xcb_disconnect(connection);
    return true;
}
#endif

}  // namespace

class ProcessTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home;
    std::vector<std::unique_ptr<QProcess>> started;
    std::unique_ptr<QProcess> xvfb;
    QString display;

    QString lockFile() const { return home->filePath(QStringLiteral("runtime/quorvel.lock")); }

    QProcessEnvironment environment(bool onX) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home->filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home->filePath(QStringLiteral("runtime")));
        if (onX) {
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            env.insert(QStringLiteral("DISPLAY"), display);
        }
        return env;
    }

    QProcess* start(bool onX = false, const QString& scale = QString())
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = environment(onX);
        if (!scale.isEmpty())
            env.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
        process->setProcessEnvironment(env);
        process->start(kProgram, {});
        started.push_back(std::move(process));
        return started.back().get();
    }

    static bool running(QProcess* p) { return p->state() != QProcess::NotRunning; }

    // A program that holds the lock and waits for input.
    QProcess* startFirst()
    {
        QProcess* first = start();
        if (!first->waitForStarted(5000))
            return nullptr;
        QDeadlineTimer deadline(10000);
        while (!QFile::exists(lockFile()) && !deadline.hasExpired())
            QTest::qWait(20);
        QTest::qWait(200);
        return running(first) && QFile::exists(lockFile()) ? first : nullptr;
    }

    bool startXvfb()
    {
        xvfb = std::make_unique<QProcess>();
        // -displayfd picks a free display and tells us its number.
        xvfb->start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-br"),
                                             QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                                             QStringLiteral("-screen"), QStringLiteral("0"),
                                             QStringLiteral("1280x1024x24")});
        if (!xvfb->waitForStarted(5000))
            return false;
        QDeadlineTimer deadline(10000);
        QByteArray number;
        while (!number.contains('\n') && !deadline.hasExpired() && xvfb->waitForReadyRead(200))
            number += xvfb->readAllStandardOutput();
        if (!number.contains('\n'))
            return false;
        display = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
        return true;
    }

    QProcessEnvironment xEnvironment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        return env;
    }

    // The program's window on our X server: id and geometry.
    QString findWindow(QRect* geometry)
    {
        const QString id = Output(QStringLiteral("xdotool"),
                                  {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                                   QStringLiteral("--name"), QStringLiteral("^Quorvel$")},
                                  xEnvironment())
                               .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                               .value(0);
        if (id.isEmpty())
            return {};
        const QString info = Output(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id}, xEnvironment());
        auto field = [&info](const char* name) {
            const QRegularExpression re(QStringLiteral("%1:\\s+(-?\\d+)").arg(QLatin1String(name)));
            return re.match(info).captured(1).toInt();
        };
        *geometry = QRect(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
                          field("Height"));
        return id;
    }

    QImage screenshot()
    {
        QProcess import;
        import.setProcessEnvironment(xEnvironment());
        import.start(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")});
        import.waitForFinished(20000);
        return QImage::fromData(import.readAllStandardOutput(), "PNG");
    }

    void xdotool(const QStringList& args)
    {
        QProcess p;
        p.setProcessEnvironment(xEnvironment());
        p.start(QStringLiteral("xdotool"), args);
        p.waitForFinished(10000);
    }

    static bool isBlue(QRgb c) { return qBlue(c) > qRed(c) + 40 && qBlue(c) > qGreen(c) + 30; }

private slots:
    void init()
    {
        home = std::make_unique<QTemporaryDir>();
        QDir(home->path()).mkpath(QStringLiteral("config"));
        QDir(home->path()).mkpath(QStringLiteral("runtime"));
        QFile::setPermissions(home->filePath(QStringLiteral("runtime")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void cleanup()
    {
        for (auto& p : started) {
            if (running(p.get())) {
                p->kill();
                p->waitForFinished(5000);
            }
        }
        started.clear();
        if (xvfb) {
            xvfb->terminate();
            xvfb->waitForFinished(5000);
            xvfb.reset();
        }
        home.reset();
    }

    void secondInstanceLeavesSilently()
    {
        QProcess* first = startFirst();
        QVERIFY(first);
        QProcess* second = start();
        QVERIFY(second->waitForFinished(5000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(second->readAllStandardOutput(), QByteArray());
        QCOMPARE(second->readAllStandardError(), QByteArray());
        QVERIFY(running(first));
    }

    void twoStartedTogether_data()
    {
        QTest::addColumn<int>("round");
        for (int round = 1; round <= 3; ++round)
            QTest::addRow("round %d", round) << round;
    }

    void twoStartedTogether()
    {
        QProcess* a = start();
        QProcess* b = start();
        QVERIFY(a->waitForStarted(5000) && b->waitForStarted(5000));
        QTest::qWait(1500);
        QCOMPARE(int(running(a)) + int(running(b)), 1);
        QProcess* ended = running(a) ? b : a;
        QCOMPARE(ended->exitStatus(), QProcess::NormalExit);
        QCOMPARE(ended->exitCode(), 0);
    }

    void lockOfACrashedRunDoesNotBlock()
    {
        QProcess* crashed = startFirst();
        QVERIFY(crashed);
        ::kill(pid_t(crashed->processId()), SIGKILL);
        QVERIFY(crashed->waitForFinished(5000));
        QVERIFY(QFile::exists(lockFile()));

        QProcess* next = start();
        QVERIFY(next->waitForStarted(5000));
        QTest::qWait(1500);
        QVERIFY(running(next));
        // And the new run holds the lock again.
        QProcess* third = start();
        QVERIFY(third->waitForFinished(5000));
        QCOMPARE(third->exitCode(), 0);
    }

    void endsOnExitButtonAndCloseRequest_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("double-click on the skin") << "double-click";
        QTest::newRow("exit button") << "Command1";
        QTest::newRow("close request") << "close";
    }

    void endsOnExitButtonAndCloseRequest()
    {
        QFETCH(QString, how);
        QVERIFY(startXvfb());
        QProcess* program = start(true);
        QRect geometry;
        const QString id = findWindow(&geometry);
        QVERIFY(!id.isEmpty());
        QTest::qWait(300);
        if (how == QLatin1String("close")) {
#if QUORVEL_HAVE_XCB
            QVERIFY(SendCloseRequest(display, id));
#else
            QSKIP("built without xcb: cannot send a close request");
#endif
        } else {
            const QPoint at = how == QLatin1String("Command1") ? QPoint(380, 158) : QPoint(40, 330);
            xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), id, QString::number(at.x()),
                     QString::number(at.y())});
            xdotool({QStringLiteral("click"), QStringLiteral("--repeat"), how == QLatin1String("Command1") ? "1" : "2",
                     QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("1")});
        }
        QVERIFY(program->waitForFinished(10000));
        QCOMPARE(program->exitStatus(), QProcess::NormalExit);
        QCOMPARE(program->exitCode(), 0);
        QVERIFY(!QFile::exists(lockFile()));
    }

    void singleClickOnTheSkinDoesNotEnd()
    {
        QVERIFY(startXvfb());
        QProcess* program = start(true);
        QRect geometry;
        const QString id = findWindow(&geometry);
        QVERIFY(!id.isEmpty());
        xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), id, QStringLiteral("40"),
                 QStringLiteral("330")});
        xdotool({QStringLiteral("click"), QStringLiteral("1")});
        QTest::qWait(1000);
        QVERIFY(running(program));
    }

    void windowIsShapedOnX_data()
    {
        QTest::addColumn<QString>("scale");
        QTest::newRow("100%") << "1";
        QTest::newRow("200%") << "2";
    }

    void windowIsShapedOnX()
    {
        QFETCH(QString, scale);
        const int s = scale.toInt();
        QVERIFY(startXvfb());
        QProcess* program = start(true, scale);
        QRect geometry;
        const QString id = findWindow(&geometry);
        QVERIFY(!id.isEmpty());
        QCOMPARE(geometry.size(), QSize(432, 431) * s);

        const QString shape = Output(QStringLiteral("xwininfo"), {QStringLiteral("-shape"), QStringLiteral("-id"), id},
                                     xEnvironment());
        // The bounding shape is the disc of the skin, not the window rectangle.
        QVERIFY2(shape.contains(QStringLiteral("Window shape extents:  %1x%1+0+0").arg(430 * s)), qPrintable(shape));

        QTest::qWait(500);
        const QImage root = screenshot();
        QVERIFY(!root.isNull());
        auto at = [&](int x, int y) { return root.pixel(geometry.topLeft() + QPoint(x, y) * s); };
        // The corners show the (black) root window through the cut; the disc is drawn.
        QCOMPARE(at(3, 3), qRgb(0, 0, 0));
        QCOMPARE(at(425, 425), qRgb(0, 0, 0));
        QCOMPARE(at(40, 40), qRgb(0, 0, 0));
        QVERIFY(isBlue(at(215, 8)));
        QVERIFY(isBlue(at(40, 330)));
        QVERIFY(isBlue(at(8, 215)));
        QVERIFY(running(program));
    }

    void pressOnTheSkinMovesTheWindowOnX()
    {
        QVERIFY(startXvfb());
        start(true);
        QRect geometry;
        const QString id = findWindow(&geometry);
        QVERIFY(!id.isEmpty());
        QTest::qWait(300);
        xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), id, QStringLiteral("40"),
                 QStringLiteral("330")});
        xdotool({QStringLiteral("mousedown"), QStringLiteral("3")});
        xdotool({QStringLiteral("mousemove_relative"), QStringLiteral("--"), QStringLiteral("60"), QStringLiteral("45")});
        QTest::qWait(200);
        xdotool({QStringLiteral("mouseup"), QStringLiteral("3")});
        QTest::qWait(300);
        QRect moved;
        QCOMPARE(findWindow(&moved), id);
        QCOMPARE(moved.topLeft(), geometry.topLeft() + QPoint(60, 45));
    }

    // Choose German in the options dialog, end the program, start it again.
    void chosenLanguageIsKeptAcrossRuns()
    {
        QVERIFY(startXvfb());
        QProcess* program = start(true);
        QRect geometry;
        const QString main = findWindow(&geometry);
        QVERIFY(!main.isEmpty());
        auto clickAt = [this](const QString& window, int x, int y) {
            xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(x),
                     QString::number(y)});
            xdotool({QStringLiteral("click"), QStringLiteral("1")});
            QTest::qWait(300);
        };
        auto visibleWindow = [this](const QString& name) {
            return Output(QStringLiteral("xdotool"),
                          {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                           QStringLiteral("--name"), name},
                          xEnvironment())
                .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                .value(0);
        };

        clickAt(main, 344, 88);  // Tool
        const QString options = visibleWindow(QStringLiteral("^Quorvel 0.1 Option$"));
        QVERIFY2(!options.isEmpty(), "no options dialog with its designed caption");
        clickAt(options, 144, 44);  // the German flag
        clickAt(options, 48, 148);  // OK
        QFile stored(home->filePath(QStringLiteral("config/Dravenor/Quorvel.conf")));
        QVERIFY(stored.open(QIODevice::ReadOnly));
        QVERIFY(stored.readAll().contains("Language=3"));
        clickAt(main, 380, 158);  // Command1
        QTRY_VERIFY_WITH_TIMEOUT(!running(program), 10000);
        QCOMPARE(program->exitCode(), 0);

        QProcess* again = start(true);
        const QString main2 = findWindow(&geometry);
        QVERIFY(!main2.isEmpty());
        clickAt(main2, 344, 88);
        QVERIFY2(!visibleWindow(QStringLiteral("^Quorvel Wahl$")).isEmpty(), "the options dialog is not in German");
        QVERIFY(running(again));
    }
};

QUORVEL_TEST_MAIN(ProcessTest)
#include "app_process_test.moc"
