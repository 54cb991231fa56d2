// The real program on a real X server under a window manager (openbox): its
// shape at 100% and 200%, drags, the ways it ends, and a later start
// bringing the first window back to the user; then, with a compositing
// manager (xcompmgr), the main window's soft edge and shaped input.
#include "../qt_test_main.h"
#include "form1.h"
#include "window_region.h"

#include <QApplication>
#include <QMouseEvent>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>

#include <cmath>

#include <sys/stat.h>

namespace {

bool IsBlue(QRgb c) { return qBlue(c) > qRed(c) + 40 && qBlue(c) > qGreen(c) + 30; }

QString Output(const QString& tool, const QStringList& args)
{
    QProcess p;
    p.start(tool, args);
    p.waitForFinished(20000);
    return QString::fromLatin1(p.readAllStandardOutput()).trimmed();
}

bool EndedQuietly(QProcess& p)
{
    return (p.state() == QProcess::NotRunning || p.waitForFinished(20000)) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0
        && p.readAllStandardOutput() + p.readAllStandardError() == QByteArray();
}

// A red desktop beneath everything, which notes where it is pressed.
struct Backdrop : QWidget {
    Backdrop() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint) { setPalette(QPalette(Qt::red)); }
    void mousePressEvent(QMouseEvent* event) override { presses << event->globalPosition().toPoint(); }
    QList<QPoint> presses;
};

}  // namespace

class ProcessTest : public QObject {
    Q_OBJECT

    QProcess program_;
    QString window_;  // its X window id, decimal
    int scale_ = 1;

    // xdotool's commands; %w is the window, %1 %2 a point of the skin at 100%.
    void xdotool(QString commands, QPoint on = {})
    {
        if (commands.contains("%1"))
            commands = commands.arg(on.x() * scale_).arg(on.y() * scale_);
        Output("xdotool", commands.replace("%w", window_).split(' '));
    }

    QRect geometry()  // WINDOW=id X=x Y=y WIDTH=w HEIGHT=h, a line each
    {
        const QStringList v = Output("xdotool", {"getwindowgeometry", "--shell", window_}).split(QRegularExpression("[=\n]"));
        return QRect(v.value(3).toInt(), v.value(5).toInt(), v.value(7).toInt(), v.value(9).toInt());
    }

    // Nudged until the window follows the press, then moved on: it goes
    // where the pointer goes.
    void drag(int button)
    {
        const QPoint before = geometry().topLeft();
        xdotool("mousemove --window %w %1 %2 mousedown " + QString::number(button) + " mousemove_relative -- 5 4", {400, 215});
        QTRY_VERIFY_WITH_TIMEOUT((xdotool("mousemove_relative -- 1 0"), geometry().topLeft() != before), 20000);
        const QPoint following = geometry().topLeft();
        xdotool("mousemove_relative -- 54 41");
        QTRY_COMPARE_WITH_TIMEOUT(geometry().topLeft(), following + QPoint(54, 41), 20000);
        xdotool(QString("mouseup %1").arg(button));
    }

    // Under another window, the active one: a later start leaves at once,
    // and the user sees the first window: mapped, on the screen, on top, active.
    void laterStart()
    {
        auto seen = [this] {
            const QString stacking = Output("xprop", {"-root", "_NET_CLIENT_LIST_STACKING"}).section("# ", 1);
            return QStringList{Output("xwininfo", {"-id", window_}).section("Map State: ", 1).section('\n', 0, 0),
                               QGuiApplication::primaryScreen()->geometry().contains(geometry()) ? "on screen" : "off",
                               stacking.split(", ").last().toULong(nullptr, 16) == window_.toULong() ? "on top" : "under",
                               Output("xdotool", {"getactivewindow"}) == window_ ? "active" : "inactive"}.join(' ');
        };
        QWidget cover;
        cover.setGeometry(geometry());
        cover.show();
        cover.activateWindow();
        QTRY_COMPARE_WITH_TIMEOUT(Output("xdotool", {"getactivewindow"}), QString::number(cover.winId()), 20000);
        QProcess later;
        later.start(QUORVEL_PROGRAM);
        QVERIFY(EndedQuietly(later));
        QTRY_COMPARE_WITH_TIMEOUT(seen(), "IsViewable on screen on top active", 20000);
    }

private slots:
    void cleanup() { program_.kill(), program_.waitForFinished(), program_.setProcessEnvironment(QProcessEnvironment(QProcessEnvironment::InheritFromParent)); }

    void userOnX_data()
    {
        QTest::addColumn<int>("scale");
        QTest::addColumn<QString>("steps");
        // A single click ends nothing: the drags follow, away from it.
        QTest::newRow("100%") << 1 << "click; drag 1; drag 3; double-click";
        QTest::newRow("200%") << 2 << "off-screen; later; exit button";
        QTest::newRow("iconified") << 1 << "iconify; later; close request";
    }

    // The window at a scale, shaped to the disc of its skin; then what the
    // user does, after which it ends silently.
    void userOnX()
    {
        QFETCH(int, scale);
        QFETCH(QString, steps);
        scale_ = scale;
        qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
        program_.start(QUORVEL_PROGRAM);
        window_ = Output("xdotool", {"search", "--sync", "--onlyvisible", "--name", "^Quorvel$"});
        const QRect at = geometry();
        auto pixel = [&](QPoint p) { return QGuiApplication::primaryScreen()->grabWindow(0).toImage().pixel(at.topLeft() + p * scale); };
        // Once painted, its event loop runs: it answers the mouse and the window manager.
        QTRY_VERIFY_WITH_TIMEOUT(IsBlue(pixel({215, 8})), 20000);
        QCOMPARE(at.size(), QSize(432, 431) * scale);
        const QString shape = Output("xwininfo", {"-shape", "-id", window_});
        QVERIFY2(shape.contains(QString("Window shape extents:  %1x%1+0+0").arg(430 * scale)), qPrintable(shape));
        for (QPoint disc : {QPoint(40, 330), QPoint(8, 215)})
            QVERIFY(IsBlue(pixel(disc)));
        for (QPoint corner : {QPoint(3, 3), QPoint(425, 425), QPoint(40, 40)})  // the black root window
            QCOMPARE(pixel(corner), qRgb(0, 0, 0));

        const QHash<QString, QString> commands{
            {"click", "mousemove --window %w %1 %2 click 1"},
            // The window manager must not take the pointer between the clicks.
            {"double-click", "mousemove --window %w %1 %2 click --repeat 2 --delay 80 1"},
            {"exit button", "mousemove --window %w %1 %2 click 1"},
            {"off-screen", "windowmove --sync %w 1100 900"},
            {"iconify", "windowminimize --sync %w"}};
        for (const QString& step : steps.split("; ")) {
            if (commands.contains(step))
                xdotool(commands[step], step == "exit button" ? QPoint(380, 158) : QPoint(40, 330));
            else if (step.startsWith("drag"))
                drag(step.section(' ', 1).toInt());
            else if (step == "later")
                laterStart();
            else  // a close request, through the window manager
                Output("wmctrl", {"-i", "-c", window_});
            if (QTest::currentTestFailed())
                return;
        }
        QVERIFY(EndedQuietly(program_));
    }

    // Starts in hostile conditions: each ends with its status and one line
    // (more after a usage error), or opens its window; none crashes, or
    // hangs, with or without the lock. A later start comes once the first
    // window, and the message of an unreadable store, are up.
    void hostileStarts_data()
    {
        QTest::addColumn<QString>("first");     // how a first runs, if one does
        QTest::addColumn<QStringList>("args");  // "no display" drops DISPLAY and the like; %f names a FIFO
        QTest::addColumn<int>("status");        // -1: it opens its window
        QTest::addColumn<QString>("said");      // how its line begins
        const QString none, noDisplay = "quorvel: no display could be opened", icon = "quorvel: ignoring -qwindowicon ";
        QTest::newRow("no display") << none << QStringList{"no display", "--bogus"} << 1 << noDisplay;
        QTest::newRow("no display, -style") << none << QStringList{"no display", "-style", "fusion"} << 1 << noDisplay;
        QTest::newRow("no such platform") << none << QStringList{"-platform", "nonexistent"} << 1
                                          << "quorvel: there is no platform \"nonexistent\"";
        QTest::newRow("-platform ''") << none << QStringList{"-platform", ""} << 1 << noDisplay;
        QTest::newRow("-display :999") << none << QStringList{"-display", ":999"} << 1 << noDisplay;
        QTest::newRow("no compositor") << none << QStringList{"no display", "-platform", "wayland"} << 1 << noDisplay;
        QTest::newRow("unknown option") << none << QStringList{"--bogus"} << 2 << "quorvel: unknown option '--bogus'";
        QTest::newRow("icon a FIFO") << none << QStringList{"-qwindowicon", "%f"} << -1 << icon;
        QTest::newRow("later, icon a FIFO") << "plain" << QStringList{"-qwindowicon", "%f"} << 0 << icon;
        QTest::newRow("later, unknown option") << "plain" << QStringList{"--bogus"} << 2 << "quorvel: unknown option '--bogus'";
        QTest::newRow("later, message up") << "unreadable store" << QStringList{} << 0 << none;
    }

    void hostileStarts()
    {
        QFETCH(QString, first);
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, said);
        QTemporaryDir dir;
        QCOMPARE(mkfifo(QFile::encodeName(dir.filePath("icon")).constData(), 0600), 0);
        args.replaceInStrings("%f", dir.filePath("icon"));
        QFile store(qEnvironmentVariable("XDG_CONFIG_HOME") + "/Dravenor/Quorvel.conf");
        const auto forget = qScopeGuard([&] { store.remove(); });
        QVERIFY(first != "unreadable store" || (QDir().mkpath(QFileInfo(store).path()) && store.open(QFile::WriteOnly) && store.write("[General\n") && store.flush()));
        auto windows = [] { return Output("xdotool", {"search", "--onlyvisible", "--name", "^Quorvel$"}).split('\n', Qt::SkipEmptyParts).size(); };
        if (!first.isEmpty()) {
            program_.start(QUORVEL_PROGRAM);
            QTRY_COMPARE_WITH_TIMEOUT(windows(), first == "plain" ? 1 : 2, 20000);
        }
        // As a user's session has it, with Qt's reasons not silenced.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* variable : {"QT_LOGGING_RULES", "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            if (args.value(0) == "no display" || variable == QStringLiteral("QT_LOGGING_RULES"))
                environment.remove(variable);
        args.removeAll("no display");
        QProcess later;
        QProcess& start = first.isEmpty() ? program_ : later;
        start.setProcessEnvironment(environment);
        start.start(QUORVEL_PROGRAM, args);
        if (status < 0)
            QTRY_COMPARE_WITH_TIMEOUT(windows(), 1, 20000);
        else
            QVERIFY(start.waitForFinished(20000) && start.exitStatus() == QProcess::NormalExit);
        const QString err = QString::fromLocal8Bit(start.readAllStandardError());
        const QString line = status == 2 ? err.section('\n', 0, 0) + '\n' : err;
        QVERIFY2((status < 0 || start.exitCode() == status) && line.startsWith(said) && line.count('\n') == !said.isEmpty(),
                 qPrintable(QString("status %1, said: %2").arg(start.exitCode()).arg(err)));
    }

    // Last, as it leaves the desktop composited. With a compositing manager
    // the disc's edge blends into what lies beneath, and only the disc takes
    // the mouse. (Without one the shape cuts the window, as userOnX sees.)
    void softEdgeAndShapedInput()
    {
        QProcess compositor;  // ended with the test
        compositor.start("xcompmgr", QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(quorvel::app::CompositedDesktop(), 10000);
        Backdrop backdrop;
        backdrop.setAutoFillBackground(true);
        backdrop.setGeometry(QGuiApplication::primaryScreen()->geometry());
        backdrop.show();
        quorvel::app::Form1 form;
        form.move(300, 200);
        form.show();
        const QPoint at(300, 200);
        QImage shot;  // shown once the disc is, and the desktop in the window's corner
        QTRY_VERIFY_WITH_TIMEOUT((shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage(),
                                  qBlue(shot.pixel(at + QPoint(215, 8))) > 120 && shot.pixel(at + QPoint(3, 3)) == qRgb(255, 0, 0)),
                                 10000);
        // Along the rim, pixels that mix the disc's blue with the red beneath
        // (a cut window shows either, or the disc on its grey).
        int blended = 0;
        for (qreal angle = 0; angle < 2 * M_PI; angle += M_PI / 60)
            for (qreal r : {214.0, 214.5, 215.0, 215.5}) {
                const QRgb c = shot.pixel(at.x() + int(std::floor(215 + r * std::cos(angle))),
                                          at.y() + int(std::floor(215 + r * std::sin(angle))));
                blended += qRed(c) > 110 && qRed(c) < 245 && qGreen(c) < 60 && qBlue(c) > 15;
            }
        QVERIFY2(blended >= 40, qPrintable(QString::number(blended)));
        // A click on the disc is the window's; one in a corner reaches the
        // desktop, once the window manager has framed the window.
        const auto click = [](QPoint p) {
            QProcess::execute("xdotool", {"mousemove", QString::number(p.x()), QString::number(p.y()), "click", "1"});
        };
        click(at + QPoint(40, 330));
        QTRY_VERIFY_WITH_TIMEOUT((click(at + QPoint(4, 4)), !backdrop.presses.isEmpty()), 10000);
        QVERIFY(form.isVisible());  // not ended by a double-click on its skin
        QCOMPARE(backdrop.presses.first(), at + QPoint(4, 4));
    }
};

QUORVEL_TEST_MAIN(ProcessTest, QApplication)
#include "app_process_test.moc"
