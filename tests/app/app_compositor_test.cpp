// The main window on X with a compositing manager (xcompmgr, under openbox):
// the disc's edge blends into what lies beneath, and only the disc takes the
// mouse. (Without one, the shape cuts the window: see app_process_test.)
#include "../qt_test_main.h"
#include "form1.h"
#include "window_region.h"

#include <QApplication>
#include <QMouseEvent>
#include <QProcess>
#include <QScreen>
#include <QtTest>

#include <cmath>

namespace {

// A red desktop beneath everything, which notes where it is pressed.
class Backdrop : public QWidget {
public:
    Backdrop() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint)
    {
        setPalette(QPalette(Qt::red));
        setAutoFillBackground(true);
        setGeometry(QGuiApplication::primaryScreen()->geometry());
    }
    QList<QPoint> presses;

protected:
    void mousePressEvent(QMouseEvent* event) override { presses << event->globalPosition().toPoint(); }
};

QImage Screenshot() { return QGuiApplication::primaryScreen()->grabWindow(0).toImage(); }

}  // namespace

class CompositorTest : public QObject {
    Q_OBJECT
    QProcess compositor_;

private slots:
    void initTestCase()
    {
        compositor_.start("xcompmgr", QStringList());
        QVERIFY(compositor_.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(quorvel::app::CompositedDesktop(), 10000);
    }

    void cleanupTestCase()
    {
        compositor_.terminate();
        compositor_.waitForFinished();
    }

    void softEdgeAndShapedInput()
    {
        Backdrop backdrop;
        backdrop.show();
        QVERIFY(QTest::qWaitForWindowExposed(&backdrop));
        quorvel::app::Form1 form;
        form.move(300, 200);  // whole on the screen, whatever the window manager would choose
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // Once the window manager has placed it and the compositor shows it.
        QTRY_VERIFY_WITH_TIMEOUT(qBlue(Screenshot().pixel(form.geometry().topLeft() + QPoint(215, 8))) > 120, 10000);
        const QPoint at = form.geometry().topLeft();

        // Along the rim, pixels that mix the disc's blue with the red beneath
        // (a cut shape shows either, or the disc on its grey).
        const QImage shot = Screenshot();
        int blended = 0;
        for (int degree = 0; degree < 360; degree += 3) {
            for (qreal radius : {214.0, 214.5, 215.0, 215.5}) {
                const qreal angle = qDegreesToRadians(qreal(degree));
                const QRgb pixel = shot.pixel(at + QPoint(int(std::floor(215 + radius * std::cos(angle))),
                                                          int(std::floor(215 + radius * std::sin(angle)))));
                blended += qRed(pixel) > 110 && qRed(pixel) < 245 && qBlue(pixel) > 30;
            }
        }
        QVERIFY2(blended >= 40, qPrintable(QString::number(blended)));

        // A click on the disc is the window's; one in a corner reaches the desktop.
        for (QPoint click : {at + QPoint(40, 330), at + QPoint(4, 4)})
            QProcess::execute("xdotool", {"mousemove", QString::number(click.x()), QString::number(click.y()), "click", "1"});
        QTRY_VERIFY2(!backdrop.presses.isEmpty(), qPrintable(QString("%1,%2").arg(at.x()).arg(at.y())));
        QCOMPARE(backdrop.presses, QList<QPoint>{at + QPoint(4, 4)});
    }
};

QUORVEL_TEST_MAIN(CompositorTest, QApplication)
#include "app_compositor_test.moc"
