// The real program on a real X server under a window manager (openbox): one
// instance per user, the lock of a crashed run, the ways it ends, its shape.
#include "../qt_test_main.h"
#include "quorvel/language.h"

#include <QApplication>

#include <QImage>
#include <QProcess>

#include <memory>
#include <vector>

namespace {

bool IsBlue(QRgb c) { return qBlue(c) > qRed(c) + 40 && qBlue(c) > qGreen(c) + 30; }

const QString kExitButton = "mousemove --window %w 380 158; click 1";  // xdotool, on Command1

}  // namespace

class ProcessTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home;
    std::vector<std::unique_ptr<QProcess>> started;
    // Set by openWindow: the program on Xvfb, its window and where it is.
    QProcess* xProgram = nullptr;
    QString xWindow;
    QRect xGeometry;

    QString lockFile() const { return home->filePath("runtime/quorvel.lock"); }
    static bool running(QProcess* p) { return p->state() != QProcess::NotRunning; }

    // Starts a program with this test's user folders.
    QProcess* start(const QString& program, const QStringList& args = {}, const QString& scale = "1")
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", home->filePath("config"));
        env.insert("XDG_RUNTIME_DIR", home->filePath("runtime"));
        env.insert("QT_SCALE_FACTOR", scale);
        env.insert("QT_QPA_PLATFORM", "xcb");
        started.push_back(std::make_unique<QProcess>());
        started.back()->setProcessEnvironment(env);
        started.back()->start(program, args);
        return started.back().get();
    }

    QByteArray output(const QString& program, const QStringList& args)
    {
        QProcess* p = start(program, args);
        p->waitForFinished(20000);
        return p->readAllStandardOutput();
    }

    QImage screenshot() { return QImage::fromData(output("import", {"-window", "root", "png:-"}), "PNG"); }

    // Waits for a visible window whose name matches `name`: its id, and its geometry to *geometry.
    QString findWindow(const QString& name, QRect* geometry = nullptr)
    {
        QHash<QString, QString> value;
        const QStringList search{"search", "--sync", "--onlyvisible", "--name", name, "getwindowgeometry", "--shell"};
        for (const QString& line : QString::fromLatin1(output("xdotool", search)).split('\n'))
            value[line.section('=', 0, 0)] = line.section('=', 1);
        if (geometry)
            *geometry = QRect(value["X"].toInt(), value["Y"].toInt(), value["WIDTH"].toInt(), value["HEIGHT"].toInt());
        return value.value("WINDOW");
    }

    // Runs xdotool commands separated by "; " with %w standing for `window`.
    void act(const QString& window, const QString& script)
    {
        for (const QString& command : script.split("; ", Qt::SkipEmptyParts)) {
            output("xdotool", command.split(' ').replaceInStrings("%w", window));
            QTest::qWait(300);
        }
    }

    // The program: true once its window is painted, for then its event loop
    // runs and it answers the mouse and the window manager, however loaded.
    bool openWindow(const QString& scale = "1")
    {
        xProgram = start(QUORVEL_PROGRAM, {}, scale);
        xWindow = findWindow("^Quorvel$", &xGeometry);
        for (QDeadlineTimer deadline(15000); !xWindow.isEmpty() && !deadline.hasExpired(); QTest::qWait(100))
            if (IsBlue(screenshot().pixel(xGeometry.topLeft() + QPoint(215, 8) * scale.toInt())))
                return true;
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
        for (auto& p : started) {
            p->terminate();
            if (!p->waitForFinished(5000))
                p->kill();
        }
        started.clear();
        home.reset();
    }

    // Of two programs of one user exactly one stays; the other leaves at once,
    // silently, with status 0. Started one after the other, the later leaves.
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
        QProcess* first = start(QUORVEL_PROGRAM);
        if (!together)  // the first holds the lock before the second starts
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lockFile()), 10000);
        QProcess* second = start(QUORVEL_PROGRAM);
        QVERIFY(first->waitForStarted(5000) && second->waitForStarted(5000));
        QTest::qWait(1500);
        QCOMPARE(int(running(first)) + int(running(second)), 1);
        QProcess* ended = running(first) ? second : first;
        if (!together)
            QVERIFY2(ended == second, "the running instance ended");
        QCOMPARE(ended->exitStatus(), QProcess::NormalExit);
        QCOMPARE(ended->exitCode(), 0);
        QCOMPARE(ended->readAllStandardOutput() + ended->readAllStandardError(), QByteArray());
    }

    // The mouse and the window manager on the program's window: whether it
    // ends, with status 0 and its lock released, or how far its window moved.
    void userOnX_data()
    {
        QTest::addColumn<QString>("xdotool");  // empty: a close request
        QTest::addColumn<bool>("ends");
        QTest::addColumn<QPoint>("moved");
        const QString skin = "mousemove --window %w 40 330; ";
        // The window manager must not take the pointer between the two clicks.
        QTest::newRow("double-click on the skin") << skin + "click --repeat 2 --delay 80 1" << true << QPoint();
        QTest::newRow("single click on the skin") << skin + "click 1" << false << QPoint();
        QTest::newRow("exit button") << kExitButton << true << QPoint();
        QTest::newRow("close request") << "windowactivate --sync %w; key alt+F4" << true << QPoint();
        // The window follows once the pointer has moved the drag distance (10).
        for (int button : {1, 3})
            QTest::addRow("button %d drag on the skin", button)
                << skin + QString("mousedown %1; mousemove_relative -- 5 4; mousemove_relative -- 1 0; "
                                  "mousemove_relative -- 54 41; mouseup %1").arg(button)
                << false << QPoint(54, 41);
    }

    void userOnX()
    {
        QFETCH(QString, xdotool);
        QFETCH(bool, ends);
        QFETCH(QPoint, moved);
        QVERIFY(openWindow());
        act(xWindow, xdotool);
        xProgram->waitForFinished(ends ? 20000 : 1000);
        QCOMPARE(running(xProgram), !ends);
        if (ends) {
            QCOMPARE(xProgram->exitStatus(), QProcess::NormalExit);
            QCOMPARE(xProgram->exitCode(), 0);
        } else {
            QRect now;
            QCOMPARE(findWindow("^Quorvel$", &now), xWindow);
            QCOMPARE(now.topLeft(), xGeometry.topLeft() + moved);
        }
    }

    void windowIsShapedOnX_data()
    {
        QTest::addColumn<int>("scale");
        for (int scale : {1, 2})
            QTest::addRow("%d00%%", scale) << scale;
    }

    void windowIsShapedOnX()
    {
        QFETCH(int, scale);
        QVERIFY(openWindow(QString::number(scale)));
        QCOMPARE(xGeometry.size(), QSize(432, 431) * scale);
        // The bounding shape is the disc of the skin: the corners show the (black) root window.
        const QString shape = output("xwininfo", {"-shape", "-id", xWindow});
        QVERIFY2(shape.contains(QString("Window shape extents:  %1x%1+0+0").arg(430 * scale)), qPrintable(shape));
        const QImage root = screenshot();
        for (QPoint corner : {QPoint(3, 3), QPoint(425, 425), QPoint(40, 40)})
            QCOMPARE(root.pixel(xGeometry.topLeft() + corner * scale), qRgb(0, 0, 0));
        for (QPoint disc : {QPoint(215, 8), QPoint(40, 330), QPoint(8, 215)})
            QVERIFY(IsBlue(root.pixel(xGeometry.topLeft() + disc * scale)));
    }
};

QUORVEL_TEST_MAIN(ProcessTest, QApplication, quorvel::language::InstallFontSubstitutes())
#include "app_process_test.moc"
