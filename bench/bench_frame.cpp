// The cost of composing one frame of a busy scene on the 800 x 600 canvas.
#include "scenefixture.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

void BM_ComposeBusyFrame(benchmark::State& state)
{
    skyraid::bench::BusyScene scene;
    scene.frame(); // the first frame is painted whole
    for (auto _ : state)
        scene.frame();
}
BENCHMARK(BM_ComposeBusyFrame)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv); // fonts
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
