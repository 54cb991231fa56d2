// The main window as an X server shows it (Xvfb, openbox), at the display
// scale CTest gives (QT_SCALE_FACTOR 1, 1.5, 2), in each language: the sex
// frame's border shows on all four sides and the last step arrow is drawn
// whole. And no window beside it can be maximized.
#include "../qt_test_main.h"

#include "form1.h"
#include "quorvel/language.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QToolButton>
#include <QWindow>

namespace {

bool IsEtched(QRgb c) { return (qGray(c) > 100 && qBlue(c) - qRed(c) < 24) || c == qRgb(255, 255, 255); }

// The share of a side's length where its band (a few pixels deep) shows the
// border's grey or white.
double Drawn(const QImage& shot, QRect band, bool across)
{
    int shown = 0;
    const int length = across ? band.width() : band.height();
    for (int i = 0; i < length; ++i) {
        bool etched = false;
        for (int j = 0; j < (across ? band.height() : band.width()) && !etched; ++j)
            etched = IsEtched(across ? shot.pixel(band.left() + i, band.top() + j) : shot.pixel(band.left() + j, band.top() + i));
        shown += etched;
    }
    return double(shown) / length;
}

// The most white strokes any row of the area crosses: one per ">".
int Strokes(const QImage& shot, QRect area)
{
    int most = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        int runs = 0;
        for (int x = area.left(); x <= area.right(); ++x)
            runs += qGray(shot.pixel(x, y)) > 200 && (x == area.left() || qGray(shot.pixel(x - 1, y)) <= 200);
        most = std::max(most, runs);
    }
    return most;
}

// What the window manager lets the user do with a window.
QString AllowedActions(QWidget* window)
{
    QProcess xprop;
    xprop.start("xprop", {"-id", QString::number(window->winId()), "_NET_WM_ALLOWED_ACTIONS"});
    xprop.waitForFinished(10000);
    return QString::fromLatin1(xprop.readAll());
}

}  // namespace

class ScaleTest : public QObject {
    Q_OBJECT

private slots:
    void frameAndArrowWhole_data()
    {
        QTest::addColumn<QString>("code");
        for (const char* code : {"", "0", "1", "2", "3", "4"})
            QTest::newRow(*code ? code : "designed") << code;
    }

    void frameAndArrowWhole()
    {
        QFETCH(QString, code);
        quorvel::app::Form1 form;
        quorvel::language::SetLanguageCode(code);
        quorvel::language::ApplyLanguage();
        form.ShowStepArrow(4);
        form.move(40, 40);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::qWait(200);  // painted
        const qreal scale = form.devicePixelRatioF();
        const QImage shot = form.screen()->grabWindow(form.winId()).toImage();
        auto pixels = [&](QWidget* widget) {
            const QRect r(widget->mapTo(&form, QPoint()), widget->size());
            return QRect((QPointF(r.topLeft()) * scale).toPoint(), (QPointF(r.bottomRight() + QPoint(1, 1)) * scale).toPoint() - QPoint(1, 1));
        };

        // The border runs from half the caption's height to the frame's edge,
        // two pixels in: a band of 4 pixels along each side.
        auto* frame = form.findChild<QGroupBox*>("Frame1");
        const QRect outer = pixels(frame);
        const int top = outer.top() + int(frame->fontMetrics().height() / 2 * scale);
        const int band = int(4 * scale);
        const QRect caption(outer.left(), outer.top(), int((frame->fontMetrics().horizontalAdvance(frame->title()) + 16) * scale), 1);
        QVERIFY2(Drawn(shot, QRect(outer.left(), outer.bottom() - band, outer.width(), band), true) > 0.95, "bottom");
        QVERIFY2(Drawn(shot, QRect(outer.left(), top, band, outer.bottom() - top - band), false) > 0.95, "left");
        QVERIFY2(Drawn(shot, QRect(outer.right() - band, top, band, outer.bottom() - top - band), false) > 0.95, "right");
        QVERIFY2(Drawn(shot, QRect(caption.right(), top - 1, outer.right() - caption.right() - band, band), true) > 0.95, "top");

        auto* arrow = form.findChild<QLabel*>("LF_4");
        QCOMPARE(Strokes(shot, pixels(arrow)), 6);
    }

    void noMaximizeButton()
    {
        quorvel::app::Form1 form;
        form.show();
        QTest::mouseClick(form.findChild<QToolButton*>("Tool"), Qt::LeftButton);
        QWidget* options = quorvel::language::OptionsDialog();
        QApplication::setActiveWindow(&form);
        QTest::keyClick(&form, Qt::Key_T, Qt::ControlModifier);
        for (QWidget* window : {options, quorvel::language::AboutBox(), static_cast<QWidget*>(form.findChild<QWidget*>("Chart"))}) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            QString actions;
            QTRY_VERIFY((actions = AllowedActions(window)).contains("_NET_WM_ACTION_CLOSE"));
            QVERIFY2(!actions.contains("MAXIMIZE"), qPrintable(window->objectName()));
        }
    }
};

QUORVEL_TEST_MAIN(ScaleTest, QApplication)
#include "app_scale_test.moc"
