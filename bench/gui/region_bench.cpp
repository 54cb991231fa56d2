// BuildWindowRegion on the real skin, as drawn at load.
#include "widgets.h"
#include "window_region.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

QImage DrawnSkin()
{
    quorvel::app::SkinPicture picture(QStringLiteral(":/quorvel/skin.svg"));
    picture.resize(430, 430);
    picture.drawSkin();
    return picture.drawnImage();
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

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
