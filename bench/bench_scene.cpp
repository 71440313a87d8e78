// One frame of the real saver form on the 800 x 600 canvas, with our own
// pictures: all seventeen aircraft in the air, the message, logo and clock on.
#include "platform/platform.h"
#include "scene/form1.h"
#include "scene/imagecontrol.h"
#include "settings/keys.h"
#include "settings/systemsettingsstore.h"
#include "sound/soundcontrol.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace skyraid;

namespace {

void BM_SaverFrameAllAircraftAndOverlays(benchmark::State& state)
{
    QTemporaryDir config;
    SystemSettingsStore store(config.filePath(QStringLiteral("SkyRaid.ini")));
    SetRegistry(store, assetFolder());
    writeSetting(store, keys::MessageChecked, QStringLiteral("1"));
    writeSetting(store, keys::LogoChecked, QStringLiteral("1"));
    writeSetting(store, keys::Clock, QStringLiteral("1"));
    writeSetting(store, keys::Speed, QStringLiteral("0"));

    ImageControl drawing;
    SilentSoundControl sound;
    const std::unique_ptr<Platform> platform = createPlatform();
    SystemTime time;
    UnseededRandom random;
    Form1 form(FormServices{store, drawing, sound, *platform, time, random, assetFolder(), [] {}});
    drawing.setEvents(&form);
    form.Form_Load();
    for (int k = 1; k <= 15; ++k)
        form.Planes[std::size_t(k)].Active = true;
    drawing.raiseFrame();

    for (auto _ : state)
        drawing.raiseFrame();
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
