#include "saverformfixture.h"

#include <gtest/gtest.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

using test::SaverForm;

// The cursor hidden, then the display, the pictures (the seeded background
// and no logo, each keyed but the background), then the sound.
TEST_F(SaverForm, FirstRunSeedsThenLoadsInOrder)
{
    load();
    EXPECT_EQ(readSetting(store, keys::SetReg), u"2");
    EXPECT_EQ(
        calls(u"^(ShowCursor|OpenDisplay|LoadBitmap|ReleaseSound|LoadSound)"_s),
        "ShowCursor(false) OpenDisplay(800,600,16) LoadBitmap(1,Sunset Yellow.BMP,-2) "
        "LoadBitmap(2,FastJet.bmp,-1) LoadBitmap(3,skyrbg.bmp,-1) LoadBitmap(4,skyr01.bmp,-1) "
        "LoadBitmap(5,skyr02.bmp,-1) LoadBitmap(6,skyr12.bmp,-1) LoadBitmap(7,skyr03.bmp,-1) "
        "LoadBitmap(8,skyr16.bmp,-1) LoadBitmap(9,skyr08.bmp,-1) LoadBitmap(10,skyr10.bmp,-1) "
        "LoadBitmap(11,skyr09.bmp,-1) LoadBitmap(12,skyr14.bmp,-1) LoadBitmap(13,skyr18.bmp,-1) "
        "LoadBitmap(14,skyr13.bmp,-1) LoadBitmap(15,skyr17.bmp,-1) LoadBitmap(16,skyr19.bmp,-1) "
        "LoadBitmap(17,skyr22.bmp,-1) LoadBitmap(18,skyr20.bmp,-1) ReleaseSound(0) "
        "LoadSound(jets.wav)");
}

TEST_F(SaverForm, DisplayThatCannotOpenSaysSoOnceAndLoadsNoPicture)
{
    seed();
    drawing.displayWorks = false;
    load();
    EXPECT_EQ(platform.messages,
              QStringList{u"This program requires that you use a monitor that is capable of "
                          "displaying 64K colors."_s});
    // Said once; no picture is loaded, but the sound is.
    EXPECT_EQ(calls(u"^(message|CreateSurface|LoadSound)"_s),
              "message(Error opening Direct Draw!) LoadSound(jets.wav)");
}

TEST_F(SaverForm, KeyOrButtonEndsAtOnceAndPutsEverythingBack)
{
    seed();
    load();
    log.clear();
    form->TegoDDrw1_Key();
    EXPECT_EQ(calls(), "StopAllSounds ReleaseSound(7) running(false) "
                       "ReleaseSound(7) StopAllSounds ShowCursor(true)");
    EXPECT_EQ(ended, 1);
    // Nothing of the form runs any more, and closing it again changes nothing.
    log.clear();
    drawing.image.raiseFrame();
    form->TegoDDrw1_Key();
    form->TegoDDrw1_MouseButton();
    form->TegoDDrw1_MouseMove();
    form->tmrPause_Timer();
    form->tmrSound_Timer();
    form.reset();
    EXPECT_TRUE(log.isEmpty()) << log.join(u' ').toStdString();

    load();
    form->TegoDDrw1_MouseButton();
    EXPECT_EQ(ended, 2);
    // A form that goes without closing down still gives the cursor back.
    load();
    log.clear();
    form.reset();
    EXPECT_EQ(calls(), "ReleaseSound(7) StopAllSounds ShowCursor(true)");
}

TEST_F(SaverForm, MouseMovesEndInTenSecondWindows)
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
        {"40000", std::vector<double>(33000, 100.0), 0},
    };
    for (const auto& row : rows) {
        seed();
        set(keys::MouseSens, QString::fromLatin1(row.sensitivity));
        load();
        int endedOn = 0;
        for (std::size_t i = 0; i < row.times.size() && !endedOn; ++i) {
            time.time = QTime::fromMSecsSinceStartOfDay(int(row.times[i] * 1000));
            form->TegoDDrw1_MouseMove();
            endedOn = ended ? int(i) + 1 : 0;
        }
        EXPECT_EQ(endedOn, row.endsOn) << row.sensitivity << " " << row.times.size();
        ended = 0;
    }
    EXPECT_EQ(form->MouseMoves, 32767); // the count stops at its largest value
}
