// The flights, the overlays and the clock, against references in golden/
// that are made again only on purpose, with SKYRAID_UPDATE_GOLDEN=1.
#include "platform/platform.h"
#include "scene/clockformat.h"
#include "scenefixture.h"

#include <map>

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

const QString Golden = QStringLiteral(SKYRAID_TEST_SOURCE_DIR "/golden/");
const bool UpdatingGolden = qEnvironmentVariableIsSet("SKYRAID_UPDATE_GOLDEN");

class Flights : public test::RunningScene {
protected:
    // The aircraft in the view's order: the background plane, the jet, the formation.
    std::vector<SaverScene::Aircraft> aircraft() const
    {
        const SaverScene::View view = scene->view();
        std::vector<SaverScene::Aircraft> all{view.backgroundPlane, view.jet};
        all.insert(all.end(), view.planes.begin(), view.planes.end());
        return all;
    }
    std::string trajectory(QSize screen);
};

// Twice round the relay, a frame every 8 ms and a step due on each, the pause
// timer once a second, the tick counter wrapping on the way: a line for every
// launch, parking and change of the jet's roar, and for where every flying
// aircraft is every 250 frames, its height within the band of 600 units the
// aircraft fly in.
std::string Flights::trajectory(QSize screen)
{
    seed();
    set(keys::Speed, u"8"_s);
    drawing.image.setScreenSize(screen);
    load();
    random = {};
    random.fractions = {0.1, 0.7, 0.35, 0.999, 0.02}; // heights 50, 350, 175, 499, 10
    time.ticks = 0xFFFFFFFFu - 80'000;
    const Canvas& canvas = drawing.image.canvas();
    const int bandTop = (canvas.units().height() - 600) / 2;
    std::vector<bool> flew(17);
    flew[0] = flew[1] = flew[2] = true; // the background plane, the jet, plane 1
    bool roaring = false;
    QStringList lines{u"# frame: launch or park at (x,y), the jet's roar, or where all fly"_s};
    for (int n = 1, rounds = 0; rounds < 2 && n < 60'000; ++n) {
        time.ticks += 8;
        const QStringList roar = frame().filter(QRegularExpression(u"^(setVolume|playSound)"_s));
        if (n % 125 == 0)
            scene->onPauseSecond();
        QString places;
        const std::vector<SaverScene::Aircraft> all = aircraft();
        for (std::size_t i = 0; i < 17; ++i) {
            const bool flies = all[i].inFlight;
            const Surface s = all[i].picture;
            const QString what =
                (i < 2 ? QStringList{u"bg"_s, u"jet"_s}[i] : QString::number(i - 1)) +
                u"(%1,%2)"_s.arg(canvas.x(s)).arg(canvas.y(s) - bandTop);
            if (flies != flew[i])
                lines << u"%1: %2 %3"_s.arg(n).arg(flies ? u"launch"_s : u"park"_s, what);
            places += flies ? u' ' + what : QString();
            rounds += i == 2 && flies && !flew[i];
            flew[i] = flies;
        }
        if (roar.isEmpty() == roaring) {
            roaring = !roaring;
            lines << u"%1: jet %2 at x %3"_s.arg(n)
                         .arg(roaring ? roar.join(u' ') : u"quiet"_s)
                         .arg(scene->view().jetX);
        }
        if (n % 250 == 0)
            lines << QString::number(n) + u':' + places;
    }

    return lines.join(u'\n').toStdString() + '\n';
}

// On a tall screen the relay flies as on the classic canvas, in a band of
// 600 units in the middle.
TEST_F(Flights, GoldenTrajectory)
{
    const std::string classic = trajectory(QSize(800, 600));
    test::expectGoldenText(u"flights.txt"_s, QByteArray::fromStdString(classic));
    EXPECT_EQ(trajectory(QSize(1080, 1920)), classic);
    EXPECT_EQ(drawing.image.canvas().units(), QSize(800, 1422));
}

// The message and the logo lie under the aircraft, the clock over them, in
// its own face and size.
TEST_F(Flights, OverlaysInTheirPlacesAndOrder)
{
    seedWithOverlays();
    set(keys::FontName, u"Courier"_s);
    set(keys::FontClock, u"20"_s);
    // On a tall screen too the logo and the clock keep to the top-left
    // corner, and the message its distance from the bottom edge.
    for (const auto& [screen, messageY] : {std::pair{QSize(1080, 1920), 1382}, {{800, 600}, 560}}) {
        drawing.image.setScreenSize(screen);
        load();
        // The logo shows the scene where it is see-through.
        EXPECT_TRUE(log.contains(u"loadPicture(%1,small.png,alpha)"_s.arg(scene->view().logo)));
        frame();
        const SaverScene::View view = scene->view();
        const Canvas& canvas = drawing.image.canvas();
        EXPECT_EQ(QPoint(canvas.x(view.logo), canvas.y(view.logo)), QPoint(1, 20));
        EXPECT_EQ(
            calls(uR"(^(setTextFont|drawText|flip|drawSurface\((%1|%2)\)))"_s.arg(view.logo).arg(
                view.backgroundPlane.picture)),
            u"setTextFont(Courier,30) drawText(Place a message here,5,%1,#00ffff) "
            "drawSurface(%2) drawSurface(%3) setTextFont(Arial,20) drawText(%4,0,0,#ffff00) "
            "flip"_s.arg(messageY)
                .arg(view.logo)
                .arg(view.backgroundPlane.picture)
                .arg(clockText(QTime(0, 0), QLocale::system()))
                .toStdString());
    }
    // In their colours, each with its top at its y.
    const auto inkTop = [this](QRgb colour) {
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x)
                if (drawing.image.image().pixel(x, y) == colour)
                    return y;
        return -1;
    };
    const int message = inkTop(qRgb(0, 255, 255));
    const int clock = inkTop(qRgb(255, 255, 0));
    EXPECT_TRUE(message >= 560 && message < 575 && clock >= 0 && clock < 8)
        << message << " " << clock;
    // The message follows the store from one frame to the next.
    set(keys::Message, u"Hello"_s);
    EXPECT_TRUE(frame().contains(u"drawText(Hello,5,560,#00ffff)"_s));
    // And the clock follows the time of day, sampled by the sound timer.
    time.time = QTime(21, 25, 51);
    scene->onSoundSecond();
    EXPECT_TRUE(frame().contains(
        u"drawText(%1,0,0,#ffff00)"_s.arg(clockText(time.time, QLocale::system()))));
}

// In every locale Qt knows the clock shows the hour, the minute and the
// second, and nothing but separators and the locale's morning or afternoon.
TEST(Clock, EveryLocaleShowsJustHoursMinutesAndSeconds)
{
    static const QRegularExpression shape(
        uR"(^(?:\x{E000}S*)?(\d+)S+(\d+)S+(\d+)(?:S*\x{E000})?$)"_s.replace(
            u'S', uR"([^\p{L}\p{N}\p{Ps}\p{Pe}\x{E000}])"_s),
        QRegularExpression::UseUnicodePropertiesOption);
    const auto value = [](const QString& digits) {
        int number = 0;
        for (const char32_t c : digits.toUcs4())
            number = number * 10 + QChar::digitValue(c);
        return number;
    };
    for (const QLocale& locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                          QLocale::AnyTerritory)) {
        for (const QTime time : {QTime(21, 25, 51), QTime(9, 5, 7)}) {
            const QString text = clockText(time, locale);
            const QString marker = time.hour() < 12 ? locale.amText() : locale.pmText();
            QString rest = text;
            if (!marker.isEmpty())
                rest.replace(marker, QString(QChar(0xE000)), Qt::CaseInsensitive);
            const QRegularExpressionMatch match = shape.match(rest);
            const int hour = value(match.captured(1));
            const bool halfDay =
                rest.contains(QChar(0xE000)) && hour == (time.hour() + 11) % 12 + 1;
            EXPECT_TRUE(match.hasMatch() && (hour == time.hour() || halfDay) &&
                        value(match.captured(2)) == time.minute() &&
                        value(match.captured(3)) == time.second())
                << locale.name().toStdString() << ": " << text.toStdString();
        }
    }
}

// Formats of no locale today, read as the clock reads any: quoted
// separators, a doubled quote, separators of one sign, a marker touching the
// seconds, a marker of two letters. Each row: the long format, the short one, the clock's format.
TEST(Clock, ReadsFormatsAsWritten)
{
    const QString rows[][3] = {{u"HH'.'mm'.'ss"_s, u"HH:mm"_s, u"HH.mm.ss"_s},
                               {u"h.mm.ss"_s, u"h:mm"_s, u"h.mm.ss AP"_s},
                               {u"h:mm:ssa"_s, u"h:mm a"_s, u"h:mm:ssa"_s},
                               {u"h:mm:ss AP"_s, u"h:mm AP"_s, u"h:mm:ss AP"_s},
                               {u"HH' '' 'mm:ss"_s, u"HH:mm"_s, u"HH:mm:ss"_s}};
    for (const auto& [longFormat, shortFormat, expected] : rows)
        EXPECT_EQ(clockFormat(longFormat, shortFormat), expected) << qPrintable(longFormat);
}

// A fixed number of frames from a fixed start with our own pictures; not
// filling the screen, the scene is the same 800 x 600 canvas on any screen.
TEST_F(Flights, GoldenFrame)
{
    writeFirstRunSettings(store, assetFolder());
    for (const Key key : {keys::Speed, keys::FillScreen})
        set(key, u"0"_s);
    set(keys::LogoChecked, u"1"_s);
    drawing.image.setScreenSize(QSize(1920, 1080));
    load(assetFolder());
    for (int n = 0; n < 400; ++n)
        drawing.image.raiseFrame();
    const QImage shown = drawing.image.image().convertToFormat(QImage::Format_RGB32);
    if (UpdatingGolden)
        shown.save(Golden + u"frame400.png"_s);
    const QImage expected =
        QImage(Golden + u"frame400.png"_s).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(expected.size(), shown.size()) << "made with SKYRAID_UPDATE_GOLDEN=1";
    // Other fonts and scalers may move an edge by a shade: a few pixels may
    // differ a little.
    int differing = 0;
    for (int i = 0; i < shown.width() * shown.height(); ++i) {
        const QRgb a = shown.pixel(i % shown.width(), i / shown.width());
        const QRgb b = expected.pixel(i % shown.width(), i / shown.width());
        differing += std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                               std::abs(qBlue(a) - qBlue(b))}) > 24;
    }
    if (differing > shown.width() * shown.height() / 1000) {
        const QString file = QDir::temp().filePath(u"skyraid-frame400.png"_s);
        shown.save(file);
        ADD_FAILURE() << differing << " pixels differ; the frame is in " << qPrintable(file);
    }
}

namespace {

// How much fine detail a part of a picture holds: the energy of the
// differences between neighbouring pixels, which blurring spreads thin.
double detail(const QImage& picture, const QRect& area)
{
    double sum = 0;
    for (int y = area.top(); y < area.bottom(); ++y) {
        for (int x = area.left(); x < area.right(); ++x) {
            const int here = qGray(picture.pixel(x, y));
            const int right = qGray(picture.pixel(x + 1, y)) - here;
            const int below = qGray(picture.pixel(x, y + 1)) - here;
            sum += right * right + below * below;
        }
    }
    return sum;
}

} // namespace

// On a wide 4K screen the scene takes the screen's shape: right-half
// positions move with the right edge, the background covers everything, and
// the message and the aircraft are drawn in the screen's pixels, finer than
// the 800 x 600 scene scaled up.
TEST_F(Flights, WideScreenIsFilledInItsOwnPixels)
{
    writeFirstRunSettings(store, assetFolder());
    set(keys::MessageChecked, u"1"_s);
    set(keys::LogoChecked, u"1"_s);
    drawing.image.setScreenSize(QSize(3840, 2160));
    load(assetFolder());
    Canvas& canvas = drawing.image.canvas();
    const SaverScene::View view = scene->view();
    frame();
    const QImage wide = drawing.image.image();
    ASSERT_EQ(wide.size(), QSize(3840, 2160));
    // The first frames do not wait for the sharper pictures; once they are
    // ready, the next frame shows them.
    for (unsigned n = 1; n < Canvas::SmoothStartFrame; ++n)
        frame();
    canvas.waitForSmoothVersions();
    frame();
    const QImage logo = canvas.picture(view.logo);
    const QImage sharpJet = canvas.picture(view.jet.picture);
    EXPECT_EQ(drawing.image.image().copy(QRect(QPoint(4, 72), logo.size())), logo);
    // Seen from afar, the first frame was already the same scene.
    const QImage before = wide.scaled(24, 14, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage after = drawing.image.image().scaled(before.size(), Qt::IgnoreAspectRatio,
                                                      Qt::SmoothTransformation);
    for (int i = 0; i < before.width() * before.height(); ++i) {
        const QPoint at(i % before.width(), i / before.width());
        ASSERT_NEAR(qGray(before.pixel(at)), qGray(after.pixel(at)), 12) << at.x() << "," << at.y();
    }

    // The message on black, and the same on the 800 x 600 canvas scaled up.
    set(keys::BackGround, u"1"_s);
    load(assetFolder());
    frame();
    const QImage text = drawing.image.image();
    set(keys::FillScreen, u"0"_s);
    load(assetFolder());
    frame();
    const double scale = drawing.image.canvas().units().width() == 800 ? 3.6 : 0;
    const QImage scaledUp =
        drawing.image.image().scaled(2880, 2160, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QRect message(18, 2016, 1000, 120);
    EXPECT_GT(detail(text, message), 1.5 * detail(scaledUp, message));
    const QImage jet = drawing.image.canvas().picture(scene->view().jet.picture);
    const QImage jetScaledUp =
        jet.scaled(jet.size() * scale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    ASSERT_EQ(sharpJet.size(), jetScaledUp.size());
    EXPECT_GT(detail(sharpJet, sharpJet.rect()), 1.5 * detail(jetScaledUp, jetScaledUp.rect()));
}

// Over three minutes of frames on a 32:9 screen, a canvas of 2133 x 600
// units: every aircraft crosses within its height, the sky is never longer
// without a formation plane than on the classic canvas, a rightward plane
// hands over and leaves by the right edge, and the jet is heard from it.
TEST_F(Flights, UltraWideRelayStaysInSight)
{
    std::map<Surface, QSize> sizes; // in units, from the classic canvas
    int leftByTopOrBottom = 0;
    int handOverX = 0; // plane 2's, as plane 3 launches
    int lastX = 0;     // plane 2's before it parks
    int roarFrom = 0;  // the jet's x when its roar is first heard
    const auto longestEmptySky = [&](QSize screen) {
        seed();
        set(keys::Speed, u"0"_s);
        drawing.image.setScreenSize(screen);
        load(assetFolder());
        Canvas& canvas = drawing.image.canvas();
        const QRect sky(QPoint(0, 0), canvas.units());
        int empty = 0;
        int longest = 0;
        for (int n = 1; n <= 3 * 60 * 60; ++n) {
            const bool roars = frame().contains(u"playSound(7)"_s);
            if (n % 60 == 0)
                scene->onPauseSecond();
            bool formationSeen = false;
            const std::vector<SaverScene::Aircraft> all = aircraft();
            for (std::size_t i = 0; i < all.size(); ++i) {
                const Surface s = all[i].picture;
                if (!sizes.count(s))
                    sizes[s] = canvas.picture(s).size();
                const QRect at(QPoint(canvas.x(s), canvas.y(s)), sizes[s]);
                const bool across = at.right() >= 0 && at.left() <= sky.right();
                const bool upDown = at.bottom() >= 0 && at.top() <= sky.bottom();
                leftByTopOrBottom += all[i].inFlight && across && !upDown;
                formationSeen |= i >= 2 && all[i].inFlight && at.intersects(sky);
            }
            empty = formationSeen ? 0 : empty + 1;
            longest = std::max(longest, empty);
            roarFrom = roarFrom || !roars ? roarFrom : canvas.x(all[1].picture);
            handOverX = handOverX || !all[4].inFlight ? handOverX : canvas.x(all[3].picture);
            lastX = all[3].inFlight ? canvas.x(all[3].picture) : lastX;
        }
        return longest;
    };
    const int classic = longestEmptySky(QSize(800, 600));
    leftByTopOrBottom = 0; // the classic relay's plane 11 leaves by the top edge near its end
    handOverX = roarFrom = 0;
    EXPECT_LE(longestEmptySky(QSize(5120, 1440)), classic);
    EXPECT_EQ(drawing.image.canvas().units(), QSize(2133, 600));
    EXPECT_EQ(leftByTopOrBottom, 0);
    EXPECT_TRUE(handOverX > 700 + 1333 && handOverX < 700 + 1333 + 4) << handOverX;
    EXPECT_NEAR(lastX, 805 + 1333, 3);
    EXPECT_GT(roarFrom, 805) << "the jet is heard as soon as it cruises in sight";
}
