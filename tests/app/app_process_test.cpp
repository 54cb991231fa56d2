// The real program on a real X server under a window manager (openbox): one
// instance per user, its shape, the ways it ends and how it is dragged.
#include "../qt_test_main.h"

#include <QApplication>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

#include <memory>
#include <vector>

namespace {

bool IsBlue(QRgb c) { return qBlue(c) > qRed(c) + 40 && qBlue(c) > qGreen(c) + 30; }
bool Running(QProcess* p) { return p->state() != QProcess::NotRunning; }
// Ended, silently and with status 0.
bool LeftQuietly(QProcess* p)
{
    return !Running(p) && p->exitStatus() == QProcess::NormalExit && p->exitCode() == 0
        && p->readAllStandardOutput() + p->readAllStandardError() == QByteArray();
}

}  // namespace

class ProcessTest : public QObject {
    Q_OBJECT

    std::vector<std::unique_ptr<QProcess>> started;

    // Children share the private folders of the test main, and its display.
    // With `wait`, waits that long for the program to end.
    QProcess* start(const QString& program, const QStringList& args = {}, int wait = 0)
    {
        QProcess* p = started.emplace_back(std::make_unique<QProcess>()).get();
        p->start(program, args);
        if (wait > 0)
            p->waitForFinished(wait);
        return p;
    }

    QByteArray output(const QString& program, const QStringList& args)
    {
        return start(program, args, 20000)->readAllStandardOutput();
    }

    QImage screenshot() { return QImage::fromData(output("import", {"-window", "root", "png:-"}), "PNG"); }

    // Waits for the program's visible window: its id, and where it is.
    QString findWindow(QRect& geometry)
    {
        const QStringList search{"search", "--sync", "--onlyvisible", "--name", "^Quorvel$", "getwindowgeometry", "--shell"};
        // WINDOW=id X=x Y=y WIDTH=w HEIGHT=h, a line each
        const QStringList v = QString::fromLatin1(output("xdotool", search)).split(QRegularExpression("[=\n]"));
        geometry = QRect(v.value(3).toInt(), v.value(5).toInt(), v.value(7).toInt(), v.value(9).toInt());
        return v.value(1);
    }

private slots:
    void init() { QFile::remove(qEnvironmentVariable("XDG_RUNTIME_DIR") + "/quorvel.lock"); }

    void cleanup()
    {
        for (auto& p : started)
            if (p->terminate(); !p->waitForFinished(5000))
                p->kill();
        started.clear();
    }

    // Of two programs of one user started together exactly one stays; the
    // other leaves. (A later one always leaves: see userOnX.)
    void oneInstancePerUser()
    {
        for (int round = 0; round < 3; ++round, cleanup()) {
            QProcess *first = start(QUORVEL_PROGRAM), *second = start(QUORVEL_PROGRAM);
            // The later one leaves once the first has answered it.
            QTRY_VERIFY_WITH_TIMEOUT(!Running(first) || !Running(second), 20000);
            QTest::qWait(300);
            QCOMPARE(int(Running(first)) + int(Running(second)), 1);
            QVERIFY(LeftQuietly(Running(first) ? second : first));
        }
    }

    // The window at a scale, shaped to the disc of its skin; then a later run,
    // or the mouse and the window manager on it: whether it ends, or how far it moved.
    void userOnX_data()
    {
        QTest::addColumn<int>("scale");
        QTest::addColumn<QString>("xdotool");  // its commands (or another tool's) separated by "; ", %w the window
        QTest::addColumn<bool>("ends");
        QTest::addColumn<QPoint>("moved");
        const QString skin = "mousemove --window %w 40 330; ";
        QTest::newRow("200%, a later run") << 2 << "" << false << QPoint();
        // The window manager must not take the pointer between the two clicks.
        QTest::newRow("double-click on the skin") << 1 << skin + "click --repeat 2 --delay 80 1" << true << QPoint();
        QTest::newRow("single click on the skin") << 1 << skin + "click 1" << false << QPoint();
        QTest::newRow("exit button") << 1 << "mousemove --window %w 380 158; click 1" << true << QPoint();
        QTest::newRow("close request") << 1 << "wmctrl -i -c %w" << true << QPoint();  // through the window manager
        // The window follows once the pointer has moved the drag distance (10).
        for (int button : {1, 3})
            QTest::addRow("button %d drag on the skin", button) << 1
                << skin + QString("mousedown %1; mousemove_relative -- 5 4; mousemove_relative -- 1 0; "
                                  "mousemove_relative -- 54 41; mouseup %1").arg(button)
                << false << QPoint(54, 41);
    }

    void userOnX()
    {
        QFETCH(int, scale);
        QFETCH(QString, xdotool);
        QFETCH(bool, ends);
        QFETCH(QPoint, moved);
        QRect at, now;
        qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
        QProcess* program = start(QUORVEL_PROGRAM);
        const QString window = findWindow(at);
        // Once painted its event loop runs: it answers the mouse and the window manager, however loaded.
        QTRY_VERIFY_WITH_TIMEOUT(IsBlue(screenshot().pixel(at.topLeft() + QPoint(215, 8) * scale)), 15000);
        QCOMPARE(at.size(), QSize(432, 431) * scale);
        const QString shape = output("xwininfo", {"-shape", "-id", window});
        QVERIFY2(shape.contains(QString("Window shape extents:  %1x%1+0+0").arg(430 * scale)), qPrintable(shape));
        const QImage root = screenshot();  // the corners show the (black) root window
        for (QPoint corner : {QPoint(3, 3), QPoint(425, 425), QPoint(40, 40)})
            QCOMPARE(root.pixel(at.topLeft() + corner * scale), qRgb(0, 0, 0));
        for (QPoint disc : {QPoint(215, 8), QPoint(40, 330), QPoint(8, 215)})
            QVERIFY(IsBlue(root.pixel(at.topLeft() + disc * scale)));
        if (xdotool.isEmpty())  // a later run leaves at once, and the window stays where it is
            QVERIFY(start(QUORVEL_PROGRAM, {}, 10000) && LeftQuietly(started.back().get()));

        for (const QString& command : xdotool.split("; ", Qt::SkipEmptyParts)) {
            QStringList words = command.split(' ').replaceInStrings("%w", window);
            const QString tool = words.first() == "wmctrl" ? words.takeFirst() : QString("xdotool");
            output(tool, words);
            QTest::qWait(300);
        }
        program->waitForFinished(ends ? 20000 : 1000);
        QCOMPARE(LeftQuietly(program), ends);
        if (!ends) {
            QCOMPARE(findWindow(now), window);
            QCOMPARE(now.topLeft(), at.topLeft() + moved);
        }
    }
};

QUORVEL_TEST_MAIN(ProcessTest, QApplication, qputenv("QT_QPA_PLATFORM", "xcb"))
#include "app_process_test.moc"
