#pragma once

#include "settingsstore.h"

#include <array>
#include <cstdint>

#include <QLatin1String>
#include <QString>

namespace skyraid {

// Every read in the program passes this fallback for a missing key.
inline const QString FallbackValue = QStringLiteral("1");

// A setting's address: its key and the section it lives in.
struct Key {
    QLatin1String name;
    Section section;
};

namespace keys {
// clang-format off
inline constexpr Key BackGround{QLatin1String("BackGround"), Section::Startup};
inline constexpr Key BGFreq{QLatin1String("BGFreq"), Section::Startup};
inline constexpr Key BMPFileName{QLatin1String("BMPFileName"), Section::Startup};
inline constexpr Key Clock{QLatin1String("Clock"), Section::Startup};
inline constexpr Key FontClock{QLatin1String("FontClock"), Section::Startup};
inline constexpr Key FontName{QLatin1String("FontName"), Section::Startup};
inline constexpr Key FontSize{QLatin1String("FontSize"), Section::Startup};
inline constexpr Key LogoChecked{QLatin1String("LogoChecked"), Section::Startup};
inline constexpr Key LogoFileName{QLatin1String("LogoFileName"), Section::Startup};
inline constexpr Key Message{QLatin1String("Message"), Section::Startup};
inline constexpr Key MessageChecked{QLatin1String("MessageChecked"), Section::Startup};
inline constexpr Key PlaneBG{QLatin1String("PlaneBG"), Section::Startup};
inline constexpr Key Prop{QLatin1String("Prop"), Section::Startup};
inline constexpr Key SecDelay{QLatin1String("SecDelay"), Section::Startup};
inline constexpr Key SelectedFont{QLatin1String("SelectedFont"), Section::Startup};
inline constexpr Key SelectedFontSize{QLatin1String("SelectedFontSize"), Section::Startup};
inline constexpr Key Speed{QLatin1String("Speed"), Section::Startup};
inline constexpr Key Volume{QLatin1String("Volume"), Section::Startup};
inline constexpr Key FillScreen{QLatin1String("FillScreen"), Section::Startup};
inline constexpr Key MouseSens{QLatin1String("MouseSens"), Section::System};
inline constexpr Key SoundOff{QLatin1String("SoundOff"), Section::System};
inline constexpr Key PwrSave{QLatin1String("PwrSave"), Section::System};
inline constexpr Key SetReg{QLatin1String("SetReg"), Section::System};
// clang-format on
} // namespace keys

// A key with the value that the first run seeds it with. A seed that names a
// file in the asset folder is stored as the folder's full path plus the name.
struct SeededKey {
    Key key;
    QLatin1String seed;
    bool inAssetFolder = false;
};

// Every key of the store in the order the first run writes them; the marker
// "SetReg" comes last so that an interrupted seeding is done again.
// clang-format off
inline constexpr std::array<SeededKey, 23> SeedTable{{
    {keys::BackGround, QLatin1String("3")},
    {keys::BGFreq, QLatin1String("36")},
    {keys::BMPFileName, QLatin1String("Sunset Yellow.BMP"), true},
    {keys::Clock, QLatin1String("0")},
    {keys::FontClock, QLatin1String("16")},
    {keys::FontName, QLatin1String("Arial")},
    {keys::FontSize, QLatin1String("30")},
    {keys::LogoChecked, QLatin1String("0")},
    {keys::LogoFileName, QLatin1String("Logo.bmp"), true},
    {keys::Message, QLatin1String("Place a message here")},
    {keys::MessageChecked, QLatin1String("0")},
    {keys::PlaneBG, QLatin1String("1")},
    {keys::Prop, QLatin1String("1")},
    {keys::SecDelay, QLatin1String("30")},
    {keys::SelectedFont, QLatin1String("1")},
    {keys::SelectedFontSize, QLatin1String("3")},
    {keys::Speed, QLatin1String("3")},
    {keys::Volume, QLatin1String("-857")},
    {keys::FillScreen, QLatin1String("1")},
    {keys::MouseSens, QLatin1String("4")},
    {keys::SoundOff, QLatin1String("Never")},
    {keys::PwrSave, QLatin1String("0")},
    {keys::SetReg, QLatin1String("2")},
}};
// clang-format on

// The seeded text of a key; the asset folder ends with its separator.
QString seededValue(const SeededKey& entry, const QString& assetFolder);
QString seededValue(Key key, const QString& assetFolder);

// The stored text of a key, or FallbackValue when it is missing.
QString readSetting(SettingsStore& store, Key key);
WriteResult writeSetting(SettingsStore& store, Key key, const QString& text);

// A key read as a 16-bit whole number; text that does not convert gives the
// key's seeded value instead. FontClock uses the leading-number rule first.
std::int16_t readWhole16(SettingsStore& store, Key key);
std::int16_t readNumberWhole16(SettingsStore& store, Key key);

// Writes every key with its seeded value, in the table's order.
void writeFirstRunSettings(SettingsStore& store, const QString& assetFolder);

// Seeds the store unless its marker "SetReg" already reads 2, as writeFirstRunSettings
// does, except that a picture missing from the asset folder is left unset
// rather than stored as the path of nothing. Returns whether it seeded.
bool seedOnFirstRun(SettingsStore& store, const QString& assetFolder);

} // namespace skyraid
