// BuildWindowRegion: the row-run scan on made-up pictures and on the skin.
#include "app_test_support.h"

#include "form1.h"
#include "window_region.h"

#include <QImage>
#include <QPainter>

#include <cmath>
#include <numbers>

using quorvel::app::BuildWindowRegion;
using quorvel::app::WindowRegionRuns;

namespace {

// Pictures drawn from a small text: '.' is the key colour, anything else a
// different colour; the top-left character must be '.'.
QImage Picture(const QStringList& rows)
{
    QImage image(int(rows.front().size()), int(rows.size()), QImage::Format_RGB32);
    image.fill(QColor(96, 96, 96));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (rows[y][x] != QLatin1Char('.'))
                image.setPixelColor(x, y, rows[y][x] == QLatin1Char('#') ? QColor(60, 80, 200) : QColor(96, 96, 97));
    return image;
}

qint64 Area(const QRegion& region)
{
    qint64 area = 0;
    for (const QRect& r : region)
        area += qint64(r.width()) * r.height();
    return area;
}

}  // namespace

using RectList = QList<QRect>;

class RegionTest : public QObject {
    Q_OBJECT
private slots:
    void runs_data()
    {
        QTest::addColumn<QStringList>("picture");
        QTest::addColumn<RectList>("runs");
        QTest::newRow("all key colour") << QStringList{"....", "....", "...."} << RectList{};
        QTest::newRow("one dot") << QStringList{"....", "..#.", "...."} << RectList{QRect(2, 1, 1, 1)};
        QTest::newRow("run touching the right edge")
            << QStringList{"..##", "..##", "...."} << RectList{QRect(2, 0, 2, 1), QRect(2, 1, 2, 1)};
        QTest::newRow("right edge, next row starts at the left")
            << QStringList{".###", "##..", "...#"}
            << RectList{QRect(1, 0, 3, 1), QRect(0, 1, 2, 1), QRect(3, 2, 1, 1)};
        QTest::newRow("two runs in a row") << QStringList{".#.##.#"}
                                           << RectList{QRect(1, 0, 1, 1), QRect(3, 0, 2, 1), QRect(6, 0, 1, 1)};
        QTest::newRow("a colour one step off the key is opaque")
            << QStringList{"..o.", "...."} << RectList{QRect(2, 0, 1, 1)};
        QTest::newRow("single pixel picture") << QStringList{"."} << RectList{};
    }

    void runs()
    {
        QFETCH(QStringList, picture);
        QFETCH(RectList, runs);
        const QImage image = Picture(picture);
        const std::vector<QRect> got = WindowRegionRuns(image);
        QCOMPARE(RectList(got.begin(), got.end()), runs);

        const QRegion region = BuildWindowRegion(image);
        QCOMPARE(region.isEmpty(), runs.isEmpty());
        QRegion expected;
        for (const QRect& r : runs)
            expected += r;
        QVERIFY((region ^ expected).isEmpty());
    }

    void keyIsTheTopLeftPixelWhateverItsColour()
    {
        QImage image(5, 5, QImage::Format_ARGB32);
        image.fill(Qt::white);
        image.setPixelColor(0, 0, Qt::red);
        // Every pixel but the corner differs from the key.
        QCOMPARE(quint64(BuildWindowRegion(image).rectCount() > 0), quint64(1));
        QCOMPARE(Area(BuildWindowRegion(image)), qint64(24));
    }

    void otherImageFormatsAreReadAsColours()
    {
        QImage image(6, 3, QImage::Format_Indexed8);
        image.setColorTable({qRgb(0, 0, 0), qRgb(0, 0, 255)});
        image.fill(0);
        image.setPixel(5, 1, 1);
        QCOMPARE(Area(BuildWindowRegion(image)), qint64(1));
        QVERIFY(BuildWindowRegion(image).contains(QPoint(5, 1)));
    }

    void realSkinIsTheDisc()
    {
        quorvel::app::Form1 form;
        form.Load();
        if (form.windowRegion().isEmpty())
            QSKIP("the skin picture is not in the resources yet");
        const double disc = std::numbers::pi * 215.0 * 215.0;
        const double area = double(Area(form.windowRegion()));
        QVERIFY2(std::abs(area - disc) <= 0.01 * disc, qPrintable(QString::number(area)));
        QVERIFY(form.windowRegion().contains(QPoint(215, 215)));
        QVERIFY(!form.windowRegion().contains(QPoint(0, 0)));
        QVERIFY(!form.windowRegion().contains(QPoint(429, 429)));
        QVERIFY(form.windowRegion().boundingRect().width() <= 430);
    }
};

QUORVEL_TEST_MAIN(RegionTest)
#include "app_region_test.moc"
