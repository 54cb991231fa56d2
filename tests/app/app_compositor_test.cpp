// The main window on X with a compositing manager (xcompmgr, under openbox):
// the disc's edge blends into what lies beneath, and only the disc takes the
// mouse. (Without one the shape cuts the window: see app_process_test.)
#include "../qt_test_main.h"
#include "form1.h"
#include "window_region.h"

#include <QApplication>
#include <QMouseEvent>
#include <QProcess>
#include <QScreen>

#include <cmath>

// A red desktop beneath everything, which notes where it is pressed.
struct Backdrop : QWidget {
    Backdrop() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint) { setPalette(QPalette(Qt::red)); }
    void mousePressEvent(QMouseEvent* event) override { presses << event->globalPosition().toPoint(); }
    QList<QPoint> presses;
};

class CompositorTest : public QObject {
    Q_OBJECT
private slots:
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

QUORVEL_TEST_MAIN(CompositorTest, QApplication)
#include "app_compositor_test.moc"
