// Settings and pictures that a hand edit, another program or a broken disk
// may leave behind: the saver keeps composing frames and ends normally, the
// dialog opens and closes, and nothing is written outside the saver's keys.
//
// What the saver makes of such text, key by key ("number" is the leading
// number of the text, 0 when there is none; "whole" the whole text as a
// number):
//   BackGround, Clock, LogoChecked, MessageChecked, PlaneBG, Prop: only the
//     number 1 (3 for the picture, 2 for sky blue) switches anything on.
//   Speed, SecDelay, BGFreq, MouseSens: the number. A delay of 0 or less
//     flies again at once; 1e400 or 99999999999 freezes the aircraft or keeps
//     it waiting for good; a MouseSens no move count can equal leaves ending
//     to keys and buttons.
//   FontClock: the number, rounded; beyond 16 bits the seeded 16. Sizes are
//     kept between 1 and 1200 pixels.
//   FontSize: whole; text that is none, or a size that makes no position,
//     shows no message.
//   Volume, SetReg: whole, within 16 bits; anything else counts as the
//     seeded -857 and 2 (so a broken marker does not reseed).
//   SoundOff: "Never", or minutes from the list; any other text cuts the
//     sound off at the first tick.
//   Message, FontName, BMPFileName, LogoFileName: used as they are; a file
//     or font that is not there shows nothing or the system's fallback font.
//   SelectedFont, SelectedFontSize, PwrSave: read by the dialog only, which
//     leaves a control alone when the text is no value it can show and puts
//     a bar at its end for numbers beyond its range.
#include "saverformfixture.h"
#include "scene/form1.h"
#include "scene/imagecontrol.h"
#include "settings/keys.h"
#include "settings/systemsettingsstore.h"
#include "setup/setup.h"
#include "sound/soundcontrol.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

namespace {

struct Hostile {
    const char* name;
    QString text;
};

const std::vector<Hostile>& hostileTexts()
{
    static const std::vector<Hostile> texts{
        {"Empty", u""_s},
        {"Blanks", u"   "_s},
        {"Letters", u"abc"_s},
        {"Fraction", u"4.5"_s},
        {"MinusOne", u"-1"_s},
        {"Zero", u"0"_s},
        {"HugeExponent", u"1e400"_s},
        {"HugeNegativeExponent", u"-1e400"_s},
        {"Eleven9s", u"99999999999"_s},
        {"Below16Bit", u"-32769"_s},
        {"Above16Bit", u"32768"_s},
        {"NaN", u"NaN"_s},
        {"HexPrefix", u"&H10"_s},
        {"HundredThousandChars", QString(100000, u'7')},
        {"NonAscii", u"Flugzeug über Zürich ✈ 飛行機"_s},
        {"Newline", u"12\nfirst line"_s},
    };
    return texts;
}

class HostileStore : public ::testing::Test {
protected:
    HostileStore() { test::writeAssets(m_assets); }

    QString assets() const { return m_assets.path() + u'/'; }

    // A store with every key seeded and every overlay on, so that each key
    // takes part in the frames.
    std::unique_ptr<SystemSettingsStore> busyStore(const QString& iniPath)
    {
        auto store = std::make_unique<SystemSettingsStore>(iniPath);
        SetRegistry(*store, assets());
        writeSetting(*store, keys::MessageChecked, u"1"_s);
        writeSetting(*store, keys::Clock, u"1"_s);
        writeSetting(*store, keys::LogoChecked, u"1"_s);
        writeSetting(*store, keys::LogoFileName, assets() + u"small.png"_s);
        return store;
    }

    static QStringList keySet(const QString& iniPath)
    {
        QSettings ini(iniPath, QSettings::IniFormat);
        QStringList keys = ini.allKeys();
        keys.sort();
        return keys;
    }

    // Loads the saver, composes frames (no waiting: the clocks are moved by
    // hand) with its one-second timers ticking in between, moves the mouse
    // and presses a key. Returns how many frames were shown, how often the
    // saver ended, and the two user pictures as the canvas holds them.
    struct Run {
        int frames = 0;
        int ended = 0;
        QImage background;
        QImage logo;
    };
    Run runSaver(SettingsStore& store, int frames = 1000)
    {
        ImageControl drawing;
        SilentSoundControl sound;
        test::FakePlatform platform;
        test::FakeTime time;
        test::ScriptedRandom random;
        Run run;
        Form1 form(FormServices{store, drawing, sound, platform, time, random, assets(),
                                [&run] { ++run.ended; }});
        drawing.setEvents(&form);
        form.Form_Load();
        for (int n = 1; n <= frames; ++n) {
            time.ticks += 16;
            if (n % 60 == 0) {
                time.time = time.time.addSecs(1);
                form.tmrPause_Timer();
                form.tmrSound_Timer();
            }
            drawing.raiseFrame();
        }
        run.frames = drawing.flips();
        run.background = drawing.canvas().picture(form.sprBackground);
        run.logo = drawing.canvas().picture(form.sprLogo);
        for (int n = 0; n < 3; ++n)
            form.TegoDDrw1_MouseMove();
        form.TegoDDrw1_Key();
        return run;
    }

    // Opens the dialog on the store, shows it and closes it.
    static void openDialog(SettingsStore& store)
    {
        skyraid::Setup setup(store, {u"Arial"_s, u"DejaVu Sans"_s, u"Liberation Serif"_s});
        setup.show();
        QCoreApplication::processEvents();
        setup.close();
    }

    // The saver and then the dialog on a store in which `change` has been
    // made; the key set of the file must stay as it was.
    void survive(const QString& what, const std::function<void(SettingsStore&)>& change)
    {
        SCOPED_TRACE(what.toStdString());
        QTemporaryDir config;
        const QString iniPath = config.filePath(u"SkyRaid.ini"_s);
        {
            const auto store = busyStore(iniPath);
            change(*store);
        }
        const QStringList before = keySet(iniPath);
        {
            SystemSettingsStore saverStore(iniPath);
            const Run run = runSaver(saverStore);
            EXPECT_EQ(run.frames, 1000);
            EXPECT_EQ(run.ended, 1);
        }
        {
            SystemSettingsStore dialogStore(iniPath);
            openDialog(dialogStore);
        }
        EXPECT_EQ(keySet(iniPath), before);
    }

    QTemporaryDir m_assets;
};

class HostileSetting : public HostileStore, public ::testing::WithParamInterface<std::size_t> {};

} // namespace

// Each key in turn, then all of them at once, holds the same hostile text.
TEST_P(HostileSetting, SaverAndDialogSurviveEveryKeyAloneAndAllAtOnce)
{
    const Hostile& hostile = hostileTexts()[GetParam()];
    for (const SeededKey& entry : SeedTable) {
        survive(QString(entry.key.name),
                [&](SettingsStore& store) { writeSetting(store, entry.key, hostile.text); });
    }
    survive(u"all keys"_s, [&](SettingsStore& store) {
        for (const SeededKey& entry : SeedTable)
            writeSetting(store, entry.key, hostile.text);
    });
}

INSTANTIATE_TEST_SUITE_P(Texts, HostileSetting, ::testing::Range<std::size_t>(0, 16),
                         [](const ::testing::TestParamInfo<std::size_t>& param) {
                             return std::string(hostileTexts()[param.param].name);
                         });

namespace {

// Pictures that are broken in the ways files get broken.
class HostilePicture : public HostileStore {
protected:
    QString file(const QString& name, const QByteArray& content)
    {
        const QString path = m_pictures.filePath(name);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(content);
        return path;
    }

    // A BMP header for a 24-bit picture of the given size, with no pixels.
    static QByteArray bmpHeader(qint32 width, qint32 height)
    {
        QByteArray header;
        auto put16 = [&](quint16 v) { header.append(char(v & 0xff)).append(char(v >> 8)); };
        auto put32 = [&](quint32 v) {
            put16(quint16(v & 0xffff));
            put16(quint16(v >> 16));
        };
        const quint32 pixelBytes = quint32(width) * 3u * quint32(height);
        header.append("BM");
        put32(54 + pixelBytes);
        put32(0);
        put32(54);
        put32(40);
        put32(quint32(width));
        put32(quint32(height));
        put16(1);
        put16(24);
        put32(0);
        put32(pixelBytes);
        put32(2835);
        put32(2835);
        put32(0);
        put32(0);
        return header;
    }

    // A PNG whose header claims the given size, followed by no image data.
    static QByteArray pngHeader(quint32 width, quint32 height)
    {
        QByteArray png("\x89PNG\r\n\x1a\n", 8);
        QByteArray ihdr("IHDR");
        auto put32 = [](QByteArray& to, quint32 v) {
            to.append(char(v >> 24)).append(char(v >> 16)).append(char(v >> 8)).append(char(v));
        };
        put32(ihdr, width);
        put32(ihdr, height);
        ihdr.append(char(8)).append(char(6)).append(char(0)).append(char(0)).append(char(0));
        put32(png, 13);
        png.append(ihdr);
        put32(png, 0); // a wrong checksum; readers that check it stop here too
        return png;
    }
    QString bigMonochrome()
    {
        QImage big(5000, 5000, QImage::Format_Mono);
        big.fill(1);
        const QString path = m_pictures.filePath(u"big.png"_s);
        EXPECT_TRUE(big.save(path));
        return path;
    }

    QTemporaryDir m_pictures;
};

} // namespace

TEST_F(HostilePicture, BrokenBackgroundsAndLogosShowNothingAndCostNothing)
{
    QFile good(m_assets.filePath(u"Sunset Yellow.BMP"_s));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray picture = good.readAll();
    QByteArray random(64 * 1024, '\0');
    for (int i = 0; i < random.size(); ++i)
        random[i] = char((i * 2654435761u) >> 13);
    QDir(m_pictures.path()).mkdir(u"folder.bmp"_s);

    struct Case {
        QString path;
        bool decodes; // whether some picture may come out of it
    };
    const std::vector<Case> cases{
        {file(u"truncated.bmp"_s, picture.left(picture.size() / 2)), true},
        {file(u"random.bmp"_s, random), false},
        {file(u"empty.bmp"_s, {}), false},
        {m_pictures.filePath(u"folder.bmp"_s), false},
        {file(u"huge.bmp"_s, bmpHeader(30000, 30000)), false},
        {file(u"huge.png"_s, pngHeader(30000, 30000)), false},
        // A whole, valid picture that packs 25 million pixels into a few
        // megabytes: drawn on the canvas it would take 100 MB.
        {bigMonochrome(), false},
    };
    for (const Case& hostile : cases) {
        SCOPED_TRACE(hostile.path.toStdString());
        QTemporaryDir config;
        const auto store = busyStore(config.filePath(u"SkyRaid.ini"_s));
        writeSetting(*store, keys::BackGround, u"3"_s);
        writeSetting(*store, keys::BMPFileName, hostile.path);
        writeSetting(*store, keys::LogoFileName, hostile.path);
        const Run run = runSaver(*store, 100);
        EXPECT_EQ(run.frames, 100);
        EXPECT_EQ(run.ended, 1);
        if (!hostile.decodes) {
            EXPECT_TRUE(run.background.isNull());
            EXPECT_TRUE(run.logo.isNull());
        }
    }
}
