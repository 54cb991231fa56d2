// The main window as an X server shows it (Xvfb, openbox), at the display
// scale CTest gives (QT_SCALE_FACTOR 1, 1.5, 2), in each language: the sex
// frame's border shows on all four sides and the last step arrow is drawn
// whole.
#include "../qt_test_main.h"

#include "form1.h"
#include "quorvel/language.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>

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
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::qWait(200);  // painted
        const qreal scale = form.devicePixelRatioF();
        const QImage shot = form.screen()->grabWindow(form.winId()).toImage();
        auto pixels = [&](QRectF r) { return QRectF(r.topLeft() * scale, r.size() * scale).toRect(); };

        // The border's grey or white along each side, in a band 4 pixels deep
        // from half the caption's height down to the frame's edge, 2 in.
        const auto* frame = form.findChild<QGroupBox*>("Frame1");
        const QRect outer(frame->mapTo(&form, QPoint()), frame->size());
        const int top = frame->fontMetrics().height() / 2, caption = frame->fontMetrics().horizontalAdvance(frame->title()) + 16;
        const QRect sides[] = {outer.adjusted(0, outer.height() - 5, 0, -1), outer.adjusted(0, top, 4 - outer.width(), -6),
                               outer.adjusted(outer.width() - 5, top, -1, -6), outer.adjusted(caption, top - 1, -6, top + 3 - outer.height())};
        for (const QRect& side : sides) {
            const QRect band = pixels(side);
            const bool across = side.width() > side.height();
            int etched = 0;
            for (int i = 0; i < (across ? band.width() : band.height()); ++i)
                for (int j = 0; j < (across ? band.height() : band.width()); ++j) {
                    const QRgb c = across ? shot.pixel(band.left() + i, band.top() + j) : shot.pixel(band.left() + j, band.top() + i);
                    if ((qGray(c) > 100 && qBlue(c) - qRed(c) < 24) || c == qRgb(255, 255, 255)) {
                        ++etched;
                        break;
                    }
                }
            QVERIFY2(etched > 0.95 * (across ? band.width() : band.height()), qPrintable(QStringLiteral("side %1").arg(&side - sides)));
        }

        // Six chevrons: a row of the arrow crosses six white strokes.
        const auto* arrow = form.findChild<QLabel*>("LF_4");
        const QRect area = pixels(QRect(arrow->mapTo(&form, QPoint()), arrow->size()));
        int most = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            int strokes = 0;
            for (int x = area.left(); x <= area.right(); ++x)
                strokes += qGray(shot.pixel(x, y)) > 200 && (x == area.left() || qGray(shot.pixel(x - 1, y)) <= 200);
            most = std::max(most, strokes);
        }
        QCOMPARE(most, 6);
    }
};

QUORVEL_TEST_MAIN(ScaleTest, QApplication)
#include "app_scale_test.moc"
