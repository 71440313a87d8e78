#include "platform/platform.h"
#include "saverformfixture.h"
#include "scene/flighttable.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

namespace {

class Flights : public test::SaverForm {
protected:
    // Every aircraft steps on every frame.
    Form1& fly(const QString& speed = u"0"_s)
    {
        seed();
        set(keys::Speed, speed);
        return load();
    }
    QPoint at(Surface surface) const
    {
        return {drawing.image.canvas().x(surface), drawing.image.canvas().y(surface)};
    }
    void only(int k)
    {
        for (int i = 1; i <= 15; ++i)
            form->Planes[std::size_t(i)].Active = i == k;
    }
};

} // namespace

TEST_F(Flights, PlaneOneDriftsThenCruisesInItsCycle)
{
    fly();
    const Surface plane = form->sprPlane[1];
    EXPECT_EQ(at(plane), QPoint(805, 180));
    frame();
    EXPECT_EQ(at(plane), QPoint(804, 181)); // a drift frame
    for (int n = 2; n <= 26; ++n) {
        frame();
        EXPECT_EQ(at(plane), QPoint(805 - n, 181)) << "frame " << n;
    }
    frame();
    EXPECT_EQ(at(plane), QPoint(778, 182)); // drifting again after 25 cruise frames
}

TEST_F(Flights, PlaneOneHandsOverBelowHundredAndParksBelowItsLimit)
{
    fly();
    int handOver = 0;
    int parked = 0;
    int lastX = 0;
    for (int n = 1; n <= 2000 && !parked; ++n) {
        const int xBefore = form->Planes[1].LastX;
        frame();
        if (!handOver && form->Planes[2].Active) {
            handOver = n;
            EXPECT_LT(form->Planes[1].LastX, 100);
            EXPECT_GE(xBefore, 100) << "not the first frame below 100";
        }
        if (!form->Planes[1].Active) {
            parked = n;
            lastX = form->Planes[1].LastX;
        }
    }
    ASSERT_TRUE(handOver);
    ASSERT_TRUE(parked);
    EXPECT_EQ(lastX, -289);
    EXPECT_EQ(at(form->sprPlane[1]), QPoint(805, 180));
}

TEST_F(Flights, LongDriftPhasesParkJustPastTheLimit)
{
    fly();
    only(7);
    const FormationPlaneSpec& row = FlightTable[6];
    while (form->Planes[7].Active)
        frame();
    EXPECT_LT(form->Planes[7].LastX, row.ExitX);
    EXPECT_GE(form->Planes[7].LastX, row.ExitX - row.DriftFrames - 1);
    EXPECT_EQ(at(form->sprPlane[7]), QPoint(row.RestartX, row.RestartY));
}

TEST_F(Flights, TheRelayGoesRoundAndPlanesReturnToTheirParkPlaces)
{
    fly();
    std::vector<int> launches{1};
    std::array<bool, 16> wasActive{};
    wasActive[1] = true;
    std::array<int, 16> parkings{};
    for (int n = 0; n < 40000 && launches.size() < 17; ++n) {
        frame();
        for (int k = 1; k <= 15; ++k) {
            const bool active = form->Planes[std::size_t(k)].Active;
            if (active && !wasActive[std::size_t(k)])
                launches.push_back(k);
            if (!active && wasActive[std::size_t(k)]) {
                ++parkings[std::size_t(k)];
                const FormationPlaneSpec& row = FlightTable[std::size_t(k - 1)];
                EXPECT_EQ(at(form->sprPlane[std::size_t(k)]), QPoint(row.RestartX, row.RestartY))
                    << "plane " << k;
            }
            wasActive[std::size_t(k)] = active;
        }
    }
    const std::vector<int> expected{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 1, 2};
    EXPECT_EQ(launches, expected);
    for (int k = 1; k <= 15; ++k)
        EXPECT_GE(parkings[std::size_t(k)], 1) << "plane " << k;
}

TEST_F(Flights, SpeedPacesStepsAcrossTheTickCounterWrap)
{
    fly(u"10"_s);
    only(0); // no formation plane
    form->PlaneBG = u"0"_s;
    time.ticks = 0xFFFFFFFFu - 20; // about to wrap
    int steps = 0;
    int previous = at(form->sprJet).x();
    for (int n = 0; n < 30; ++n) {
        time.ticks += 4; // a frame every 4 ms
        frame();
        steps += previous != at(form->sprJet).x();
        previous = at(form->sprJet).x();
    }
    // 120 ms at one step per 10 ms, counted from the first frame: steps come
    // every third frame, straight through the wrap.
    EXPECT_GE(steps, 9);
    EXPECT_LE(steps, 11);
}

TEST_F(Flights, JetAlternatesPhasesAndRoarsOnlyWhileCruisingOnScreen)
{
    fly();
    only(0);
    form->PlaneBG = u"0"_s;
    int parkedInCruise = 0;
    for (int n = 1; n <= 1200; ++n) {
        const bool cruise = form->JetPhase;
        const bool waiting = form->JetWaiting;
        const QStringList calls = frame();
        const bool played = calls.contains(u"PlaySound(7)"_s);
        if (played) {
            EXPECT_TRUE(cruise) << "frame " << n;
            EXPECT_GT(form->JetX, 200);
            EXPECT_LT(form->JetX, 805);
            EXPECT_EQ(calls.indexOf(u"SetVolume(7,-857)"_s) + 1, calls.indexOf(u"PlaySound(7)"_s));
        } else if (cruise && !waiting) {
            EXPECT_FALSE(form->JetX > 200 && form->JetX < 805) << "frame " << n;
        }
        if (!waiting && form->JetWaiting && cruise)
            ++parkedInCruise;
        if (n == 100) {
            EXPECT_TRUE(form->JetPhase) << "100 drift frames, then cruise";
        }
        if (n == 200) {
            EXPECT_FALSE(form->JetPhase) << "100 cruise frames, then drift";
        }
    }
    EXPECT_EQ(parkedInCruise, 0);

    // Silenced: the jet flies on without a sound.
    form->SilencedFlag = true;
    form->JetWaiting = 0;
    form->JetPhase = true;
    drawing.SetSurfaceX(form->sprJet, 600);
    EXPECT_FALSE(frame().contains(u"PlaySound(7)"_s));
}

TEST_F(Flights, JetWithoutPropNeitherFliesNorSounds)
{
    seed();
    set(keys::Speed, u"0"_s);
    set(keys::Prop, u"0"_s);
    load();
    for (int n = 0; n < 400; ++n)
        EXPECT_FALSE(frame().contains(u"PlaySound(7)"_s));
    EXPECT_EQ(at(form->sprJet), QPoint(805, 75));
}

TEST_F(Flights, BackgroundPlaneAndJetShareTheirParkHeight)
{
    seed();
    set(keys::Speed, u"0"_s);
    set(keys::SecDelay, u"0"_s); // the jet relaunches at once
    set(keys::BGFreq, u"1000"_s);
    load();
    only(0);
    random.fractions = {0.5, 0.25};

    // The jet, twice as fast, parks first, at height 0, the only height so
    // far; with no delay it relaunches in the same frame and draws a new
    // height for the next parking, flying on from where it was put.
    while (form->FlightAltitude == 0)
        frame();
    EXPECT_EQ(form->FlightAltitude, 250);
    EXPECT_EQ(form->JetWaiting, 0);
    EXPECT_EQ(at(form->sprJet).y(), 0);

    // The background plane then parks at that height and waits...
    while (!form->BGPlaneWaiting)
        frame();
    EXPECT_EQ(at(form->sprBGPlane), QPoint(805, 250));

    // ...and moves to the height the jet draws at its next relaunch.
    while (form->FlightAltitude == 250)
        frame();
    EXPECT_EQ(form->FlightAltitude, 125);
    frame();
    EXPECT_EQ(at(form->sprBGPlane), QPoint(805, 125));
}

TEST_F(Flights, NotANumberDelayRelaunchesAtOnce)
{
    seed();
    set(keys::Speed, u"0"_s);
    set(keys::BGFreq, u"soon"_s);
    load();
    only(0);
    while (!form->BGPlaneWaiting && form->BGPlaneX > -340)
        frame();
    for (int n = 0; n < 20; ++n)
        frame();
    EXPECT_EQ(form->BGPlaneWaiting, 0);
}

namespace {

QRect inkOf(const QImage& image, QRgb colour, const QRect& area)
{
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == colour)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

} // namespace

TEST_F(Flights, OverlaysStandInTheirPlacesAndColours)
{
    seed();
    set(keys::BackGround, u"1"_s);
    set(keys::MessageChecked, u"1"_s);
    set(keys::Message, u"WWWWWW"_s);
    set(keys::Clock, u"1"_s);
    set(keys::FontClock, u"20"_s);
    set(keys::LogoChecked, u"1"_s);
    set(keys::LogoFileName, m_assets.filePath(u"small.png"_s));
    set(keys::Prop, u"0"_s);
    set(keys::PlaneBG, u"0"_s);
    load();
    only(0);
    const QStringList calls = frame();
    const QImage& image = drawing.image.image();

    const QRect message = inkOf(image, qRgb(0, 255, 255), QRect(0, 500, 400, 100));
    EXPECT_GE(message.left(), 5);
    EXPECT_LE(message.left(), 8);
    EXPECT_GE(message.top(), 560);
    EXPECT_LT(message.bottom(), 600);
    EXPECT_TRUE(calls.contains(u"DrawText(WWWWWW,5,560,16776960)"_s));

    EXPECT_TRUE(calls.contains(u"SetFont(Arial,20)"_s));
    EXPECT_TRUE(calls.contains(u"DrawText(00:00:00,0,0,65535)"_s))
        << calls.join(u' ').toStdString();
    const QRect clock = inkOf(image, qRgb(255, 255, 0), QRect(0, 0, 200, 40));
    EXPECT_FALSE(clock.isEmpty());
    EXPECT_LE(clock.top(), 6);

    // The logo, under the clock, at (1, 20).
    EXPECT_EQ(image.pixel(100, 100), qRgb(99, 80, 90));
    EXPECT_EQ(image.pixel(0, 100), qRgb(0, 0, 0));
}

TEST_F(Flights, AircraftFlyOverTheMessageAndUnderTheClock)
{
    seed();
    set(keys::Speed, u"1000000"_s); // nothing moves
    set(keys::BackGround, u"1"_s);
    set(keys::MessageChecked, u"1"_s);
    set(keys::Message, QString(20, u'W'));
    set(keys::Clock, u"1"_s);
    set(keys::FontClock, u"60"_s);
    load();
    only(1);
    form->PlaneBG = u"0"_s;
    form->Prop = u"0"_s;
    const Surface plane = form->sprPlane[1];
    drawing.SetSurfaceX(plane, 20);
    drawing.SetSurfaceY(plane, 560);
    frame();
    EXPECT_EQ(drawing.image.image().pixel(30, 570), qRgb(255, 0, 0)); // plane over message
    drawing.SetSurfaceX(plane, 0);
    drawing.SetSurfaceY(plane, 0);
    frame();
    EXPECT_FALSE(inkOf(drawing.image.image(), qRgb(255, 255, 0), QRect(2, 2, 36, 16)).isEmpty())
        << "clock over plane";
}

TEST_F(Flights, MessageSizesThatAreNoNumberSkipTheMessage)
{
    for (const char* size : {"abc", "", "1e400", "30px"}) {
        seed();
        set(keys::MessageChecked, u"1"_s);
        set(keys::FontSize, QString::fromLatin1(size));
        load();
        EXPECT_FALSE(frame().join(u' ').contains(u"DrawText(Place"_s)) << size;
    }
    seed();
    set(keys::MessageChecked, u"1"_s);
    set(keys::FontSize, u"700"_s); // above the screen: drawn where it says
    load();
    EXPECT_TRUE(frame().contains(u"DrawText(Place a message here,5,-110,16776960)"_s));
}

TEST(Clock, ShowsHoursMinutesAndSeconds)
{
    const QString text = Form1::clockText(QTime(13, 45, 7));
    EXPECT_TRUE(text.contains(u"45")) << text.toStdString();
    EXPECT_TRUE(text.contains(u"07")) << text.toStdString();
}

// A fixed number of frames from a fixed start with our own pictures, compared
// with the picture stored beside the tests.
TEST_F(Flights, GoldenFrame)
{
    const QString ourAssets = assetFolder();
    ASSERT_TRUE(QFile::exists(ourAssets + u"FastJet.bmp"_s));
    SetRegistry(store, ourAssets);
    set(keys::Speed, u"0"_s);
    set(keys::LogoChecked, u"1"_s);
    load(ourAssets);
    for (int n = 0; n < 400; ++n)
        drawing.image.raiseFrame();
    const QImage frameImage = drawing.image.image().convertToFormat(QImage::Format_RGB32);

    const QString golden = QStringLiteral(SKYRAID_TEST_SOURCE_DIR "/golden/frame400.png");
    if (qEnvironmentVariableIsSet("SKYRAID_UPDATE_GOLDEN")) {
        QDir().mkpath(QStringLiteral(SKYRAID_TEST_SOURCE_DIR "/golden"));
        frameImage.save(golden);
    }
    const QImage expected = QImage(golden).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull()) << "run once with SKYRAID_UPDATE_GOLDEN=1 to make it";
    ASSERT_EQ(expected.size(), frameImage.size());
    int different = 0;
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            different += expected.pixel(x, y) != frameImage.pixel(x, y);
    EXPECT_EQ(different, 0);
}
