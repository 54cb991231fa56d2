// The real program on a real X server under a window manager (openbox): its
// shape at 100% and 200%, drags, the ways it ends, and a later start
// bringing the first window back to the user.
#include "../qt_test_main.h"

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>

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
    void cleanup() { program_.kill(), program_.waitForFinished(); }

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
};

QUORVEL_TEST_MAIN(ProcessTest, QApplication)
#include "app_process_test.moc"
