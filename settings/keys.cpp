#include "keys.h"

#include "conversions.h"

#include <algorithm>

#include <QFileInfo>

namespace skyraid {

namespace {

const SeededKey& entryOf(Key key)
{
    const auto it = std::find_if(SeedTable.begin(), SeedTable.end(), [&](const SeededKey& e) {
        return e.key.name == key.name && e.key.section == key.section;
    });
    Q_ASSERT(it != SeedTable.end());
    return *it;
}

std::int16_t seededWhole16(Key key)
{
    // Only numeric keys come here, and their seeds are whole numbers.
    return toWhole16(QString(entryOf(key).seed)).value_or(0);
}

} // namespace

QString seededValue(const SeededKey& entry, const QString& assetFolder)
{
    return entry.inAssetFolder ? assetFolder + entry.seed : QString(entry.seed);
}

QString seededValue(Key key, const QString& assetFolder)
{
    return seededValue(entryOf(key), assetFolder);
}

QString readSetting(SettingsStore& store, Key key)
{
    return store.read(key.section, key.name, FallbackValue);
}

WriteResult writeSetting(SettingsStore& store, Key key, const QString& text)
{
    return store.write(key.section, key.name, text);
}

std::int16_t readWhole16(SettingsStore& store, Key key)
{
    return toWhole16(readSetting(store, key)).value_or(seededWhole16(key));
}

std::int16_t readNumberWhole16(SettingsStore& store, Key key)
{
    return numberToWhole16(readSetting(store, key)).value_or(seededWhole16(key));
}

void writeFirstRunSettings(SettingsStore& store, const QString& assetFolder)
{
    for (const SeededKey& entry : SeedTable)
        writeSetting(store, entry.key, seededValue(entry, assetFolder));
}

bool seedOnFirstRun(SettingsStore& store, const QString& assetFolder)
{
    if (readWhole16(store, keys::SetReg) == 2)
        return false;
    for (const SeededKey& entry : SeedTable) {
        const QString value = seededValue(entry, assetFolder);
        if (!entry.inAssetFolder || QFileInfo(value).isFile())
            writeSetting(store, entry.key, value);
    }
    return true;
}

} // namespace skyraid
