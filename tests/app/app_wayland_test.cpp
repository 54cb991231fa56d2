// The real program on Wayland, under a headless weston: a later start cannot
// move the window there, so the window is mapped anew for the compositor to
// place, wholly on the screen.
#include "../qt_test_main.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>

namespace {

// From weston's scene graph: the surface id of the program's window (-1 for
// none), and whether the compositor shows it wholly on the screen, at its size.
std::pair<int, bool> Look()
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
    const QRect shown = at(window.captured());
    if (!window.hasMatch())
        return {-1, false};
    return {window.captured(1).toInt(), at("Output 0").contains(shown) && shown.width() > 400};
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
        std::pair<int, bool> before, after;
        QTRY_VERIFY_WITH_TIMEOUT((before = Look()).second, 20000);
        environment.insert("XDG_ACTIVATION_TOKEN", "a-token");
        later.setProcessEnvironment(environment);
        later.start(QUORVEL_PROGRAM);
        QVERIFY(later.waitForFinished(20000) && later.exitCode() == 0 && later.readAllStandardError().isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT((after = Look()).first >= 0 && after.first != before.first, 20000);
        QVERIFY(after.second);
        first.kill();
        first.waitForFinished();
    }
};

QUORVEL_TEST_MAIN(WaylandTest, QCoreApplication)
#include "app_wayland_test.moc"
