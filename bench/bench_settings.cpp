// What the saver pays each frame to re-read "Message", "MessageChecked" and
// "FontName" from the user's settings, with and without a change in between.
#include "settings/keys.h"
#include "settings/systemsettingsstore.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace skyraid;

namespace {

struct SeededFile {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("SkyRaid.ini"));
    SeededFile()
    {
        SystemSettingsStore store(path);
        writeFirstRunSettings(store, QStringLiteral("/usr/share/skyraid/"));
    }
};

void readThreeKeys(SettingsStore& store)
{
    benchmark::DoNotOptimize(readSetting(store, keys::Message));
    benchmark::DoNotOptimize(readSetting(store, keys::MessageChecked));
    benchmark::DoNotOptimize(readSetting(store, keys::FontName));
}

void BM_RereadThreeKeys_Unchanged(benchmark::State& state)
{
    SeededFile file;
    SystemSettingsStore saver(file.path);
    for (auto _ : state)
        readThreeKeys(saver);
}
BENCHMARK(BM_RereadThreeKeys_Unchanged)->Unit(benchmark::kMicrosecond);

void BM_RereadThreeKeys_AfterChange(benchmark::State& state)
{
    SeededFile file;
    SystemSettingsStore saver(file.path);
    SystemSettingsStore dialog(file.path); // stands for the dialog's process
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        writeSetting(dialog, keys::Message, QStringLiteral("Message %1").arg(++n));
        state.ResumeTiming();
        readThreeKeys(saver);
    }
}
BENCHMARK(BM_RereadThreeKeys_AfterChange)->Unit(benchmark::kMicrosecond);

void BM_WriteOneKey(benchmark::State& state)
{
    SeededFile file;
    SystemSettingsStore dialog(file.path);
    int n = 0;
    for (auto _ : state)
        writeSetting(dialog, keys::Speed, QString::number(++n % 100));
}
BENCHMARK(BM_WriteOneKey)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
