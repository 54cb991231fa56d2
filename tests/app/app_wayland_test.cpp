// The real program on Wayland, under a headless weston: a later start cannot
// move the window there, so the window is mapped anew for the compositor to
// place, wholly on the screen.
#include "../qt_test_main.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>

namespace {

// The surface of the program's window (-1 for none) and where the compositor
// shows it, in weston's scene graph; whether that is wholly on the screen.
struct Scene {
    int surface = -1;
    QRect window;
    bool onScreen = false;
};

Scene Look()
{
    QProcess debug;
    debug.start("weston-debug", {"scene-graph"});
    debug.waitForFinished(5000);
    const QString graph = QString::fromUtf8(debug.readAllStandardOutput());
    auto at = [&](const QString& after) {  // position: (x1, y1) -> (x2, y2)
        const auto m = QRegularExpression(R"(position: \((-?\d+), (-?\d+)\) -> \((-?\d+), (-?\d+)\))").match(graph, graph.indexOf(after));
        return QRect(QPoint(m.captured(1).toInt(), m.captured(2).toInt()), QPoint(m.captured(3).toInt(), m.captured(4).toInt()));
    };
    const auto window = QRegularExpression(R"(surface ID (\d+), top-level window 'Quorvel')").match(graph);
    if (!window.hasMatch())
        return {};
    return {window.captured(1).toInt(), at(window.captured()), at("Output 0").contains(at(window.captured()))};
}

}  // namespace

class WaylandTest : public QObject {
    Q_OBJECT

private slots:
    void laterStartPlacesTheWindowAnew()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "wayland");
        QProcess first, later;
        first.setProcessEnvironment(environment);
        first.start(QUORVEL_PROGRAM);
        Scene before, after;
        QTRY_VERIFY_WITH_TIMEOUT((before = Look()).onScreen, 20000);
        environment.insert("XDG_ACTIVATION_TOKEN", "a-token");
        later.setProcessEnvironment(environment);
        later.start(QUORVEL_PROGRAM);
        QVERIFY(later.waitForFinished(20000) && later.exitCode() == 0 && later.readAllStandardError().isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT((after = Look()).surface >= 0 && after.surface != before.surface, 20000);
        QVERIFY(after.onScreen && after.window.size() == before.window.size());
        first.kill();
        first.waitForFinished();
    }
};

QUORVEL_TEST_MAIN(WaylandTest, QCoreApplication)
#include "app_wayland_test.moc"
