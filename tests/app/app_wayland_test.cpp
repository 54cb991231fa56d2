// The real program on Wayland, under a headless weston: a later start cannot
// move the window there, so the window is mapped anew for the compositor to
// place, wholly on the screen.
#include "../qt_test_main.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>

namespace {

// The program's window as the compositor shows it, and the screen.
struct Scene {
    int surface = -1;
    QRect window, screen;
};

Scene Look()
{
    QProcess debug;
    debug.start("weston-debug", {"scene-graph"});
    debug.waitForFinished(5000);
    const QString graph = QString::fromUtf8(debug.readAllStandardOutput());
    auto rect = [&](const QString& after) {
        static const QRegularExpression position(R"(position: \((-?\d+), (-?\d+)\) -> \((-?\d+), (-?\d+)\))");
        const auto m = position.match(graph, graph.indexOf(after));
        return m.hasMatch() ? QRect(QPoint(m.captured(1).toInt(), m.captured(2).toInt()),
                                    QPoint(m.captured(3).toInt() - 1, m.captured(4).toInt() - 1))
                            : QRect();
    };
    const auto window = QRegularExpression(R"(surface ID (\d+), top-level window 'Quorvel')").match(graph);
    if (!window.hasMatch())
        return {};
    return {window.captured(1).toInt(), rect(window.captured()), rect("Output 0")};
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
        QTRY_VERIFY_WITH_TIMEOUT((before = Look()).surface >= 0, 20000);
        QVERIFY(before.screen.contains(before.window));

        environment.insert("XDG_ACTIVATION_TOKEN", "a-token");
        later.setProcessEnvironment(environment);
        later.start(QUORVEL_PROGRAM);
        QVERIFY(later.waitForFinished(20000));
        QCOMPARE(later.exitCode(), 0);
        QCOMPARE(later.readAllStandardError(), QByteArray());
        QTRY_VERIFY_WITH_TIMEOUT((after = Look()).surface >= 0 && after.surface != before.surface, 20000);
        QVERIFY(after.screen.contains(after.window));
        QCOMPARE(after.window.size(), before.window.size());
        first.terminate();
        QVERIFY(first.waitForFinished(5000));
    }
};

QUORVEL_TEST_MAIN(WaylandTest, QCoreApplication)
#include "app_wayland_test.moc"
