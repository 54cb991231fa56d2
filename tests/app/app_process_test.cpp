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

QByteArray RawOutput(const QString& program, const QStringList& args, const QProcessEnvironment& env = {})
{
    QProcess p;
    if (!env.isEmpty())
        p.setProcessEnvironment(env);
    p.start(program, args);
    p.waitForFinished(20000);
    return p.readAllStandardOutput();
}

QString Output(const QString& program, const QStringList& args, const QProcessEnvironment& env = {})
{
    return QString::fromLocal8Bit(RawOutput(program, args, env));
}

#if QUORVEL_HAVE_XCB
// What a window manager sends on Alt+F4 or the task bar's "close":
// WM_DELETE_WINDOW in a WM_PROTOCOLS client message. False when it could
// not be sent (xcb calls on a failed connection do nothing).
bool SendCloseRequest(const QString& display, const QString& windowId)
{
    xcb_connection_t* connection = xcb_connect(display.toLocal8Bit().constData(), nullptr);
    auto atom = [connection](const char* name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, uint16_t(qstrlen(name)), name), nullptr);
        const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(reply);
        return value;
    };
    const xcb_client_message_event_t message{.response_type = XCB_CLIENT_MESSAGE,
                                             .format = 32,
                                             .sequence = 0,
                                             .window = windowId.toUInt(nullptr, 0),
                                             .type = atom("WM_PROTOCOLS"),
                                             .data = {.data32 = {atom("WM_DELETE_WINDOW"), XCB_CURRENT_TIME}}};
    xcb_send_event(connection, 0, message.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
    const bool sent = !xcb_connection_has_error(connection) && xcb_flush(connection) > 0;
    xcb_disconnect(connection);
    return sent;
}
#endif

}  // namespace

class ProcessTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home;
    std::vector<std::unique_ptr<QProcess>> started;
    QString display;
    // Set by openWindow: the program on Xvfb, its window and where it is.
    QProcess* xProgram = nullptr;
    QString xWindow;
    QRect xGeometry;

    QString lockFile() const { return home->filePath("runtime/quorvel.lock"); }

    QProcess* start(bool onX = false, const QString& scale = QString())
    {
        QProcessEnvironment env = onX ? xEnvironment() : QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", home->filePath("config"));
        env.insert("XDG_RUNTIME_DIR", home->filePath("runtime"));
        if (onX)
            env.insert("QT_QPA_PLATFORM", "xcb");
        if (!scale.isEmpty())
            env.insert("QT_SCALE_FACTOR", scale);
        started.push_back(std::make_unique<QProcess>());
        started.back()->setProcessEnvironment(env);
        started.back()->start(QUORVEL_PROGRAM, {});
        return started.back().get();
    }

    static bool running(QProcess* p) { return p->state() != QProcess::NotRunning; }

    bool startXvfb()
    {
        started.push_back(std::make_unique<QProcess>());
        QProcess* xvfb = started.back().get();
        // -displayfd picks a free display and tells us its number.
        xvfb->start("Xvfb", QString("-displayfd 1 -br -nolisten tcp -screen 0 1280x1024x24").split(' '));
        if (!xvfb->waitForStarted(5000))
            return false;
        QDeadlineTimer deadline(10000);
        QByteArray number;
        while (!number.contains('\n') && !deadline.hasExpired() && xvfb->waitForReadyRead(200))
            number += xvfb->readAllStandardOutput();
        display = ":" + QString::fromLatin1(number.trimmed());
        return number.contains('\n');
    }

    QProcessEnvironment xEnvironment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        return env;
    }

    // The program's window on our X server: id and geometry.
    QString findWindow(QRect* geometry)
    {
        const QStringList search{"search", "--sync", "--onlyvisible", "--name", "^Quorvel$"};
        const QString id = Output("xdotool", search, xEnvironment()).split('\n', Qt::SkipEmptyParts).value(0);
        if (id.isEmpty())
            return {};
        const QString info = Output("xwininfo", {"-id", id}, xEnvironment());
        auto field = [&info](const char* name) {
            return QRegularExpression(QString(name) + ":\\s+(-?\\d+)").match(info).captured(1).toInt();
        };
        *geometry = QRect(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
                          field("Height"));
        return id;
    }

    void xdotool(const QStringList& args) { RawOutput("xdotool", args, xEnvironment()); }

    // Xvfb, the program on it, and its window shown.
    QImage screenshot() const
    {
        return QImage::fromData(RawOutput("import", {"-window", "root", "png:-"}, xEnvironment()), "PNG");
    }

    static bool isBlue(QRgb c) { return qBlue(c) > qRed(c) + 40 && qBlue(c) > qGreen(c) + 30; }

    bool openWindow(const QString& scale = QString())
    {
        if (!startXvfb())
            return false;
        xProgram = start(true, scale);
        xWindow = findWindow(&xGeometry);
        if (xWindow.isEmpty())
            return false;
        // Painted means its event loop runs: from then on it answers the
        // mouse and the window manager, however loaded the machine is.
        const int s = scale.isEmpty() ? 1 : scale.toInt();
        QDeadlineTimer deadline(15000);
        while (!deadline.hasExpired()) {
            const QImage root = screenshot();
            if (!root.isNull() && isBlue(root.pixel(xGeometry.topLeft() + QPoint(215, 8) * s)))
                return true;
            QTest::qWait(100);
        }
        return false;
    }

private slots:
    void init()
    {
        home = std::make_unique<QTemporaryDir>();
        quorvel::test::MakeUserFolders(*home);
    }

    void cleanup()
    {
        // Latest first: the programs, then their X server.
        for (auto p = started.rbegin(); p != started.rend(); ++p) {
            (*p)->terminate();
            if (!(*p)->waitForFinished(5000))
                (*p)->kill();
        }
        started.clear();
        home.reset();
    }

    // Of two programs of one user exactly one stays; the other leaves at once,
    // silently, with status 0, before opening a window.
    void oneInstancePerUser_data()
    {
        QTest::addColumn<bool>("together");
        QTest::newRow("second started later") << false;
        for (int round = 1; round <= 3; ++round)
            QTest::addRow("two started together, round %d", round) << true;
    }

    void oneInstancePerUser()
    {
        QFETCH(bool, together);
        QProcess* first = start();
        if (!together)  // the first holds the lock before the second starts
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lockFile()), 10000);
        QProcess* second = start();
        QVERIFY(first->waitForStarted(5000) && second->waitForStarted(5000));
        QTest::qWait(1500);
        QCOMPARE(int(running(first)) + int(running(second)), 1);
        QProcess* ended = running(first) ? second : first;
        QVERIFY(ended == second || together);
        QCOMPARE(ended->exitStatus(), QProcess::NormalExit);
        QCOMPARE(ended->exitCode(), 0);
        QCOMPARE(ended->readAllStandardOutput() + ended->readAllStandardError(), QByteArray());
    }

    void lockOfACrashedRunDoesNotBlock()
    {
        QProcess* crashed = start();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lockFile()), 10000);
        QTest::qWait(200);  // the lock written in full
        ::kill(pid_t(crashed->processId()), SIGKILL);
        QVERIFY(crashed->waitForFinished(5000));
        QVERIFY(QFile::exists(lockFile()));

        QProcess* next = start();
        QVERIFY(next->waitForStarted(5000));
        QTest::qWait(1500);
        QVERIFY(running(next));
        QProcess* third = start();  // the new run holds the lock again
        QVERIFY(third->waitForFinished(5000));
        QCOMPARE(third->exitCode(), 0);
    }

    // The mouse and the window manager on the program's window: whether it
    // ends, with status 0 and its lock released, or how far its window moved.
    void userOnX_data()
    {
        QTest::addColumn<QString>("xdotool");  // commands, %w: the window; none: a close request
        QTest::addColumn<bool>("ends");
        QTest::addColumn<QPoint>("moved");
        const QString skin = "mousemove --window %w 40 330; ";
        QTest::newRow("double-click on the skin") << skin + "click --repeat 2 --delay 80 1" << true << QPoint();
        QTest::newRow("single click on the skin") << skin + "click 1" << false << QPoint();
        QTest::newRow("exit button") << "mousemove --window %w 380 158; click 1" << true << QPoint();
        QTest::newRow("close request") << "" << true << QPoint();
        QTest::newRow("right-button drag on the skin")
            << skin + "mousedown 3; mousemove_relative -- 60 45; mouseup 3" << false << QPoint(60, 45);
    }

    void userOnX()
    {
        QFETCH(QString, xdotool);
        QFETCH(bool, ends);
        QFETCH(QPoint, moved);
        QVERIFY(openWindow());
        QTest::qWait(300);
        for (const QString& command : xdotool.split("; ", Qt::SkipEmptyParts)) {
            this->xdotool(command.split(' ').replaceInStrings("%w", xWindow));
            QTest::qWait(200);
        }
        if (xdotool.isEmpty()) {
#if QUORVEL_HAVE_XCB
            QVERIFY(SendCloseRequest(display, xWindow));
#else
            QSKIP("built without xcb: cannot send a close request");
#endif
        }
        xProgram->waitForFinished(ends ? 20000 : 1000);
        QCOMPARE(running(xProgram), !ends);
        if (ends) {
            QCOMPARE(xProgram->exitStatus(), QProcess::NormalExit);
            QCOMPARE(xProgram->exitCode(), 0);
            QVERIFY(!QFile::exists(lockFile()));
        } else {
            QRect now;
            QCOMPARE(findWindow(&now), xWindow);
            QCOMPARE(now.topLeft(), xGeometry.topLeft() + moved);
        }
    }

    void windowIsShapedOnX_data()
    {
        QTest::addColumn<int>("scale");
        QTest::newRow("100%") << 1;
        QTest::newRow("200%") << 2;
    }

    void windowIsShapedOnX()
    {
        QFETCH(int, scale);
        QVERIFY(openWindow(QString::number(scale)));
        QCOMPARE(xGeometry.size(), QSize(432, 431) * scale);
        // The bounding shape is the disc of the skin, not the window rectangle.
        const QString shape = Output("xwininfo", {"-shape", "-id", xWindow}, xEnvironment());
        QVERIFY2(shape.contains(QString("Window shape extents:  %1x%1+0+0").arg(430 * scale)), qPrintable(shape));

        const QImage root = screenshot();
        QVERIFY(!root.isNull());
        auto at = [&](QPoint p) { return root.pixel(xGeometry.topLeft() + p * scale); };
        // The corners show the (black) root window through the cut; the disc is drawn.
        for (QPoint corner : {QPoint(3, 3), QPoint(425, 425), QPoint(40, 40)})
            QCOMPARE(at(corner), qRgb(0, 0, 0));
        for (QPoint disc : {QPoint(215, 8), QPoint(40, 330), QPoint(8, 215)})
            QVERIFY(isBlue(at(disc)));
        QVERIFY(running(xProgram));
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
