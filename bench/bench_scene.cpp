// One frame of the real saver scene on the 800 x 600 canvas, with our own
// pictures: all seventeen aircraft in the air, the message, logo and clock on.
#include "busysaverscene.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

void BM_SaverFrameAllAircraftAndOverlays(benchmark::State& state)
{
    skyraid::bench::BusySaverScene scene;
    for (auto _ : state)
        scene.frame();
}
BENCHMARK(BM_SaverFrameAllAircraftAndOverlays)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
