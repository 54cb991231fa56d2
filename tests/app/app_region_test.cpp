// BuildWindowRegion: the row-run scan on made-up pictures. (The real skin's
// shape is checked on a real X server.)
#include "../qt_test_main.h"

#include <QApplication>

#include "window_region.h"


using RectList = QList<QRect>;

// '.' grey, 'o' a grey one step off it, '#' blue; the key colour is the top-left pixel's.
static QImage Picture(const QStringList& rows)
{
    QImage image(int(rows.front().size()), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, rows[y][x] == '#' ? qRgb(60, 80, 200) : qRgb(96, 96, rows[y][x] == 'o' ? 97 : 96));
    return image;
}

class RegionTest : public QObject {
    Q_OBJECT
private slots:
    void runs_data()
    {
        QTest::addColumn<QStringList>("picture");
        QTest::addColumn<RectList>("runs");
        QTest::newRow("all key colour: none") << QStringList{"....", "...."} << RectList{};
        QTest::newRow("a 1x1 dot") << QStringList{"....", "..#.", "...."} << RectList{{2, 1, 1, 1}};
        QTest::newRow("edge runs, two in a row, one step off the key") << QStringList{".#.##", "##...", "...o#"}
            << RectList{{1, 0, 1, 1}, {3, 0, 2, 1}, {0, 1, 2, 1}, {3, 2, 2, 1}};
        QTest::newRow("a key of any colour") << QStringList{"#..", "..."} << RectList{{1, 0, 2, 1}, {0, 1, 3, 1}};
    }

    void runs()
    {
        QFETCH(QStringList, picture);
        QFETCH(RectList, runs);
        const std::vector<QRect> got = quorvel::app::WindowRegionRuns(Picture(picture));
        QCOMPARE(RectList(got.begin(), got.end()), runs);
        QRegion expected;
        for (const QRect& run : runs)
            expected += run;
        QVERIFY((quorvel::app::BuildWindowRegion(Picture(picture)) ^ expected).isEmpty());
    }
};

QUORVEL_TEST_MAIN(RegionTest, QApplication)
#include "app_region_test.moc"
