#include "scenefixture.h"

#include <tuple>

#include <gtest/gtest.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

using test::RunningScene;

// The cursor hidden, then the display, the pictures (the seeded background
// and no logo, each keyed but the background), then the sound.
TEST_F(RunningScene, FirstRunSeedsThenLoadsInOrder)
{
    load();
    EXPECT_EQ(readSetting(store, keys::SetReg), u"2");
    QString expected = u"showCursor(false) openDisplay loadPicture(1,Sunset Yellow.BMP,opaque) "
                       "loadPicture(2,FastJet.bmp,keyed) loadPicture(3,skyrbg.bmp,keyed)"_s;
    int surface = 4; // the formation's planes
    for (int n : {1, 2, 12, 3, 16, 8, 10, 9, 14, 18, 13, 17, 19, 22, 20})
        expected +=
            u" loadPicture(%1,skyr%2.bmp,keyed)"_s.arg(surface++).arg(n, 2, 10, QChar(u'0'));
    EXPECT_EQ(calls(u"^(showCursor|openDisplay|loadPicture|releaseSound|loadSound)"_s),
              (expected + u" releaseSound(0) loadSound(jets.wav)"_s).toStdString());
}

// Odd stored texts, read by the number and yes/no rules: a step or a pause
// is over once the whole milliseconds or seconds it names have passed.
TEST(SceneOptions, OddTextsReadByTheNumberRules)
{
    test::MemoryStore store;
    const std::pair<Key, const char*> texts[] = {
        {keys::Speed, "2.5"},      {keys::SecDelay, " 2.9"},  {keys::BGFreq, "abc"},
        {keys::MouseSens, "4.0"},  {keys::SoundOff, "7"},     {keys::Prop, "1e0x"},
        {keys::BackGround, "3.0"}, {keys::FontSize, "12 34"}, {keys::Clock, "+1"}};
    for (const auto& [key, text] : texts)
        writeSetting(store, key, QString::fromLatin1(text));
    const SceneOptions options = SceneOptions::read(store);
    EXPECT_EQ(std::tuple(options.stepMs, options.jetWait, options.backgroundPlaneWait,
                         options.movesToEnd, options.soundLimitSeconds),
              std::tuple(3u, 2, 0, 4, 0));
    EXPECT_TRUE(options.jetFlies && !options.jetSoundStopped && options.clockShown &&
                options.background == SceneOptions::Background::Picture);
    EXPECT_FALSE(options.messageSize);
}

TEST_F(RunningScene, DisplayThatCannotOpenSaysSoOnceAndLoadsNoPicture)
{
    seed();
    drawing.displayWorks = false;
    load();
    EXPECT_EQ(platform.messages,
              QStringList{u"This program requires that you use a monitor that is capable of "
                          "displaying 64K colors."_s});
    // Said once; no picture is loaded, but the sound is.
    EXPECT_EQ(calls(u"^(message|createSurface|loadSound)"_s),
              "message(Error opening Direct Draw!) loadSound(jets.wav)");
}

// A background picture that cannot be read, missing or cut short, gives way
// to our sunset, covering the canvas, and the user is told once.
TEST_F(RunningScene, UnreadableBackgroundGivesWayToTheSunset)
{
    const QString cutPng = assets() + u"cut.png"_s, cutBmp = assets() + u"cut.bmp"_s;
    QFile::copy(assets() + u"small.png"_s, cutPng);
    QFile::resize(cutPng, QFile(cutPng).size() / 2);
    QFile::copy(assets() + u"Sunset Yellow.BMP"_s, cutBmp);
    QFile::resize(cutBmp, QFile(cutBmp).size() / 2);
    drawing.image.setScreenSize(QSize(1920, 1080));
    for (const QString& fileName : {assets() + u"missing.bmp"_s, cutPng, cutBmp}) {
        seed();
        set(keys::BMPFileName, fileName);
        warnings.clear();
        load();
        frame();
        frame();
        EXPECT_EQ(warnings.join(u'\n').toStdString(), "cannot read the background picture " +
                                                          fileName.toStdString() +
                                                          "; showing the sunset");
        EXPECT_EQ(drawing.image.image().pixel(1919, 540), qRgb(40, 90, 160));
    }
}

TEST_F(RunningScene, KeyOrButtonEndsAtOnceAndPutsEverythingBack)
{
    seed();
    load();
    log.clear();
    scene->onKey();
    EXPECT_EQ(calls(), "stopAllSounds releaseSound(7) running(false) "
                       "releaseSound(7) stopAllSounds showCursor(true)");
    EXPECT_EQ(ended, 1);
    // Nothing of the scene runs any more, and closing it again changes nothing.
    log.clear();
    drawing.image.raiseFrame();
    scene->onKey();
    scene->onMouseButton();
    scene->onMouseMove();
    scene->onPauseSecond();
    scene->onSoundSecond();
    scene.reset();
    EXPECT_TRUE(log.isEmpty()) << log.join(u' ').toStdString();

    load();
    scene->onMouseButton();
    EXPECT_EQ(ended, 2);
    // A scene that goes without closing down still gives the cursor back.
    load();
    log.clear();
    scene.reset();
    EXPECT_EQ(calls(), "releaseSound(7) stopAllSounds showCursor(true)");
}

TEST_F(RunningScene, MouseMovesEndInTenSecondWindows)
{
    const struct {
        const char* sensitivity;
        std::vector<double> times; // seconds since midnight of each movement
        int endsOn;                // the movement that ends the saver, 0 for none
    } rows[] = {
        {"4", {100, 101, 102, 500}, 4}, // counted before the window closes
        {"4", {100, 120, 121, 122, 123, 124}, 6},
        {"3", {100, 110, 111}, 3}, // exactly ten seconds keeps the window
        {"2", {100, 5000}, 2},
        {"4.5", std::vector<double>(50, 100.0), 0},
        {"4", {86390, 86391, 5, 6, 7, 8, 9}, 7}, // across midnight
        {"4", {86395, 86398, 2, 3}, 4},          // within ten seconds across midnight
        {"40000", std::vector<double>(33000, 100.0), 0},
        {"-32768", std::vector<double>(33000, 100.0), 0}, // the count stops, it never wraps
    };
    for (const auto& row : rows) {
        seed();
        set(keys::MouseSens, QString::fromLatin1(row.sensitivity));
        load();
        int endedOn = 0;
        for (std::size_t i = 0; i < row.times.size() && !endedOn; ++i) {
            time.time = QTime::fromMSecsSinceStartOfDay(int(row.times[i] * 1000));
            scene->onMouseMove();
            endedOn = ended ? int(i) + 1 : 0;
        }
        EXPECT_EQ(endedOn, row.endsOn) << row.sensitivity << " " << row.times.size();
        ended = 0;
    }
}
