// BuildWindowRegion on the real skin, as drawn at load, and the skin's
// repaint at 200% scale (the whole disc, and the strip of a list's text
// field, as a blinking cursor asks for).
#include "widgets.h"
#include "window_region.h"

#include <QApplication>
#include <QWindow>

#include <benchmark/benchmark.h>

namespace {

QImage DrawnSkin()
{
    quorvel::app::SkinPicture picture(quorvel::ui::Art::Skin);
    picture.resize(430, 430);
    return picture.drawSkin();
}

void BM_BuildWindowRegion(benchmark::State& state)
{
    const QImage skin = DrawnSkin();
    qsizetype rects = 0;
    for (auto _ : state) {
        QRegion region = quorvel::app::BuildWindowRegion(skin);
        rects = region.rectCount();
        benchmark::DoNotOptimize(region);
    }
    state.counters["rects"] = double(rects);
}
BENCHMARK(BM_BuildWindowRegion)->Unit(benchmark::kMicrosecond);

// The baseline: one pixel read per pixel and one region union per run.
void BM_PixelByPixelUnion(benchmark::State& state)
{
    const QImage skin = DrawnSkin();
    for (auto _ : state) {
        const QRgb key = skin.pixel(0, 0);
        QRegion region;
        for (int y = 0; y < skin.height(); ++y) {
            int start = -1;
            for (int x = 0; x <= skin.width(); ++x) {
                const bool opaque = x < skin.width() && skin.pixel(x, y) != key;
                if (opaque && start < 0) {
                    start = x;
                } else if (!opaque && start >= 0) {
                    region = region.united(QRect(start, y, x - start, 1));
                    start = -1;
                }
            }
        }
        benchmark::DoNotOptimize(region);
    }
}
BENCHMARK(BM_PixelByPixelUnion)->Unit(benchmark::kMicrosecond);

void BM_SkinRepaintAt200(benchmark::State& state)
{
    quorvel::app::SkinPicture picture(quorvel::ui::Art::Skin);
    picture.resize(430, 430);
    picture.show();
    while (!picture.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const QRect area = state.range(0) == 0 ? picture.rect() : QRect(150, 120, 130, 22);
    for (auto _ : state)
        picture.repaint(area);
    state.counters["scale"] = picture.devicePixelRatioF();
}
BENCHMARK(BM_SkinRepaintAt200)->Arg(0)->Arg(1)->ArgName("strip")->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "2");  // the shape is built at 100% all the same
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
