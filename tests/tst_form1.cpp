#include "scene/form1.h"
#include "settings/keys.h"
#include "settings/systemsettingsstore.h"
#include "saverformfixture.h"
#include "testsupport.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

using test::SaverForm;

TEST_F(SaverForm, FirstRunSeedsThenLoadsInOrder)
{
    load();
    EXPECT_EQ(readSetting(store, keys::SetReg), u"2");
    EXPECT_EQ(form->BMPFileName, assets() + u"Sunset Yellow.BMP"_s);

    // Cursor hidden, then the display, then the pictures, then the sound.
    const auto at = [&](const QString& call) { return log.indexOf(call); };
    ASSERT_GE(at(u"ShowCursor(false)"_s), 0);
    EXPECT_LT(at(u"ShowCursor(false)"_s), at(u"OpenDisplay(800,600,16)"_s));
    EXPECT_LT(at(u"OpenDisplay(800,600,16)"_s), at(u"CreateSurface=1"_s));
    EXPECT_LT(log.lastIndexOf(QRegularExpression(u"^SetSurfaceY"_s)), at(u"ReleaseSound(0)"_s));
    EXPECT_EQ(at(u"ReleaseSound(0)"_s) + 1, at(u"LoadSound(jets.wav)"_s));

    // The seeded background and no logo: 18 surfaces in the table's order.
    QStringList files;
    for (const QString& call : matching(u"LoadBitmap"_s))
        files << call.section(u',', 1, 1);
    EXPECT_EQ(files,
              (QStringList{u"Sunset Yellow.BMP"_s, u"FastJet.bmp"_s, u"skyrbg.bmp"_s,
                           u"skyr01.bmp"_s, u"skyr02.bmp"_s, u"skyr12.bmp"_s, u"skyr03.bmp"_s,
                           u"skyr16.bmp"_s, u"skyr08.bmp"_s, u"skyr10.bmp"_s, u"skyr09.bmp"_s,
                           u"skyr14.bmp"_s, u"skyr18.bmp"_s, u"skyr13.bmp"_s, u"skyr17.bmp"_s,
                           u"skyr19.bmp"_s, u"skyr22.bmp"_s, u"skyr20.bmp"_s}));
    EXPECT_EQ(matching(u"LoadBitmap(1,"_s), QStringList{u"LoadBitmap(1,Sunset Yellow.BMP,-2)"_s});
    EXPECT_EQ(matching(u"LoadBitmap(2,"_s), QStringList{u"LoadBitmap(2,FastJet.bmp,-1)"_s});
    EXPECT_EQ(drawing.GetSurfaceX(form->sprPlane[2]), -301);
    EXPECT_EQ(drawing.image.canvas().y(form->sprPlane[2]), 200);
    EXPECT_EQ(drawing.GetSurfaceX(form->sprJet), 805);
    EXPECT_TRUE(form->Planes[1].Active);
    EXPECT_FALSE(form->Planes[2].Active);
}

TEST_F(SaverForm, BothUserPicturesMakeNineteenSurfaces)
{
    seed();
    set(keys::LogoChecked, u"1"_s);
    set(keys::LogoFileName, u"/nowhere/logo.bmp"_s);
    load();
    EXPECT_EQ(matching(u"CreateSurface"_s).size(), 19);
    // A logo that cannot be read still gets its surface, in its place.
    EXPECT_EQ(drawing.GetSurfaceX(form->sprLogo), 1);
    EXPECT_EQ(drawing.image.canvas().y(form->sprLogo), 20);
}

TEST_F(SaverForm, DisplayThatCannotOpenSaysSoOnceAndLoadsNoPicture)
{
    seed();
    drawing.displayWorks = false;
    load();
    EXPECT_EQ(platform.messages,
              QStringList{u"This program requires that you use a monitor that is capable of "
                          "displaying 64K colors."_s});
    EXPECT_EQ(matching(u"message"_s), QStringList{u"message(Error opening Direct Draw!)"_s});
    EXPECT_TRUE(matching(u"CreateSurface"_s).isEmpty());
    EXPECT_EQ(matching(u"LoadSound"_s).size(), 1); // the sound opens all the same
}

TEST_F(SaverForm, OneFrameRunsItsStepsInOrderAndFlips)
{
    seed();
    load();
    const QStringList calls = frame();
    const Surface bg = form->sprBackground;
    ASSERT_GE(calls.size(), 4);
    EXPECT_EQ(calls.mid(0, 3), (QStringList{QStringLiteral("DrawSurface(%1)").arg(bg),
                                            QStringLiteral("SetSurfaceX(%1,0)").arg(bg),
                                            QStringLiteral("SetSurfaceY(%1,0)").arg(bg)}));
    EXPECT_EQ(calls.last(), u"Flip");
    EXPECT_EQ(drawing.image.flips(), 1);
}

struct BackgroundRow {
    const char* setting;
    QRgb centre; // 0 for "the picture's own pixel"
};

void PrintTo(const BackgroundRow& row, std::ostream* os)
{
    *os << '"' << row.setting << '"';
}

class Backgrounds : public SaverForm, public ::testing::WithParamInterface<BackgroundRow> {};

TEST_P(Backgrounds, FillEveryFrame)
{
    seed();
    set(keys::BackGround, QString::fromLatin1(GetParam().setting));
    load();
    frame();
    const QRgb expected = GetParam().centre ? GetParam().centre : qRgb(400 % 256, 300 % 256, 90);
    EXPECT_EQ(drawing.image.image().pixel(400, 300), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Backgrounds,
    ::testing::Values(BackgroundRow{"1", qRgb(0, 0, 0)}, BackgroundRow{"2", qRgb(0, 226, 251)},
                      BackgroundRow{" 2", qRgb(0, 226, 251)}, BackgroundRow{"3", 0},
                      BackgroundRow{"0", qRgb(0, 0, 0)}, BackgroundRow{"2.5", qRgb(0, 0, 0)},
                      BackgroundRow{"4", qRgb(0, 0, 0)}, BackgroundRow{"sky", qRgb(0, 0, 0)}));

TEST_F(SaverForm, SmallBackgroundLeavesBlackAndNoTrails)
{
    seed();
    set(keys::BMPFileName, m_assets.filePath(u"small.png"_s));
    load();
    frame();
    frame();
    EXPECT_EQ(drawing.image.image().pixel(100, 100), qRgb(100, 100, 90));
    EXPECT_EQ(drawing.image.image().pixel(600, 400), qRgb(0, 0, 0));
}

TEST_F(SaverForm, MissingBackgroundPictureShowsBlack)
{
    seed();
    set(keys::BMPFileName, u"/nowhere/sky.bmp"_s);
    load();
    frame();
    EXPECT_EQ(drawing.image.image().pixel(400, 300), qRgb(0, 0, 0));
}

TEST_F(SaverForm, MessageSettingsAreReadEveryFrameFromAnotherProcess)
{
    seed();
    load();
    frame();
    EXPECT_EQ(form->Message, u"Place a message here");
    EXPECT_EQ(form->MessageChecked, 0);

    for (const auto& [key, text] :
         {std::pair{u"Message"_s, u"Hello from the dialog"_s},
          std::pair{u"MessageChecked"_s, u"1"_s}, std::pair{u"FontName"_s, u"Courier"_s}}) {
        QProcess tool;
        tool.start(test::builtProgram(u"store_tool"_s),
                   {iniPath(), u"write"_s, u"Startup"_s, key, text});
        ASSERT_TRUE(tool.waitForFinished(30000));
    }
    frame();
    EXPECT_EQ(form->Message, u"Hello from the dialog");
    EXPECT_EQ(form->MessageChecked, 1);
    EXPECT_EQ(form->FontName, u"Courier");
}

TEST_F(SaverForm, MissingPerFrameKeysReadAsOne)
{
    writeSetting(store, keys::SetReg, u"2"_s); // marked seeded, nothing else stored
    load();
    frame();
    EXPECT_EQ(form->Message, u"1");
    EXPECT_EQ(form->MessageChecked, 1);
    EXPECT_EQ(form->FontName, u"1");
}

TEST_F(SaverForm, KeyOrButtonEndsAtOnceAndPutsEverythingBack)
{
    for (const bool key : {true, false}) {
        seed();
        load();
        log.clear();
        if (key)
            form->TegoDDrw1_Key();
        else
            form->TegoDDrw1_MouseButton();
        EXPECT_EQ(log,
                  (QStringList{u"StopAllSounds"_s, u"ReleaseSound(7)"_s, u"running(false)"_s,
                               u"ReleaseSound(7)"_s, u"StopAllSounds"_s, u"ShowCursor(true)"_s}));
        EXPECT_EQ(ended, 1);

        // Nothing of the form runs any more, and closing it again changes nothing.
        log.clear();
        drawing.image.raiseFrame();
        form->TegoDDrw1_Key();
        form->tmrPause_Timer();
        form.reset();
        EXPECT_TRUE(log.isEmpty()) << log.join(u' ').toStdString();
        ended = 0;
    }
}

TEST_F(SaverForm, FormGoingAwayWithoutCloseDownStillShowsTheCursor)
{
    seed();
    load();
    log.clear();
    form.reset();
    EXPECT_EQ(log, (QStringList{u"ReleaseSound(7)"_s, u"StopAllSounds"_s, u"ShowCursor(true)"_s}));
}

struct MouseRow {
    const char* name;
    const char* sensitivity;
    std::vector<double> times; // seconds since midnight of each movement
    int endsOn;                // 1-based movement that ends the saver, 0 for none
};

void PrintTo(const MouseRow& row, std::ostream* os)
{
    *os << row.name;
}

class MouseSensitivity : public SaverForm, public ::testing::WithParamInterface<MouseRow> {};

TEST_P(MouseSensitivity, CountsMovesInTenSecondWindows)
{
    const MouseRow& row = GetParam();
    seed();
    set(keys::MouseSens, QString::fromLatin1(row.sensitivity));
    load();
    int endedOn = 0;
    for (std::size_t i = 0; i < row.times.size() && !endedOn; ++i) {
        time.time = QTime::fromMSecsSinceStartOfDay(int(row.times[i] * 1000));
        form->TegoDDrw1_MouseMove();
        if (ended)
            endedOn = int(i) + 1;
    }
    EXPECT_EQ(endedOn, row.endsOn);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MouseSensitivity,
    ::testing::Values(
        MouseRow{"FourQuickMoves", "4", {100, 101, 102, 103}, 4},
        MouseRow{"WindowStartRoundedUp", "4", {100.6, 100.7, 100.8, 100.9}, 4},
        MouseRow{"CountedBeforeTheWindowCloses", "4", {100, 101, 102, 500}, 4},
        MouseRow{"LongGapStartsAfresh", "4", {100, 120, 121, 122, 123, 124}, 6},
        MouseRow{"ExactlyTenSecondsKeepsTheWindow", "3", {100, 110, 111}, 3},
        MouseRow{"TwoAlwaysEndsOnTheSecond", "2", {100, 5000}, 2},
        MouseRow{"NotAWholeNumberNeverEnds", "4.5", std::vector<double>(50, 100.0), 0},
        MouseRow{"WindowAcrossMidnightStillCloses", "4", {86390, 86391, 5, 6, 7, 8, 9}, 7}));

TEST_F(SaverForm, MoveCountStopsAtItsLargestValue)
{
    seed();
    set(keys::MouseSens, u"40000"_s);
    load();
    for (int i = 0; i < 33000; ++i)
        form->TegoDDrw1_MouseMove();
    EXPECT_EQ(form->MouseMoves, 32767);
    EXPECT_EQ(ended, 0);
    form->TegoDDrw1_Key(); // keys still end it
    EXPECT_EQ(ended, 1);
}

TEST_F(SaverForm, PauseTimerCountsTheJetRoundAndTheBackgroundPlaneOn)
{
    seed();
    set(keys::SecDelay, u"3"_s);
    load();
    std::vector<int> jet;
    for (int i = 0; i < 8; ++i) {
        form->tmrPause_Timer();
        jet.push_back(form->JetSeconds);
    }
    EXPECT_EQ(jet, (std::vector<int>{1, 2, 3, 0, 1, 2, 3, 0}));
    EXPECT_EQ(form->BGPlaneSeconds, 8);
}

TEST_F(SaverForm, HostileOptionsNeverStopTheSaver)
{
    seed();
    for (const Key key : {keys::Speed, keys::Volume, keys::FontClock, keys::MouseSens,
                          keys::BackGround, keys::SecDelay, keys::SoundOff, keys::Clock})
        set(key, u"1e400"_s);
    set(keys::Volume, u"loud"_s);
    set(keys::FontClock, u"99999"_s);
    load();
    EXPECT_EQ(form->Volume, -857);
    EXPECT_EQ(form->FontClock, 16);
    for (int i = 0; i < 10; ++i)
        frame();
    EXPECT_EQ(drawing.image.flips(), 10);
}
