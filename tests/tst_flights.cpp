// The flights, the overlays and the clock, against stored references that
// are made again only on purpose, with SKYRAID_UPDATE_GOLDEN=1.
#include "platform/platform.h"
#include "saverformfixture.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

namespace {

QString golden(const QString& name)
{
    return QStringLiteral(SKYRAID_TEST_SOURCE_DIR "/golden/") + name;
}

bool updatingGolden()
{
    return qEnvironmentVariableIsSet("SKYRAID_UPDATE_GOLDEN");
}

class Flights : public test::SaverForm {
protected:
    struct Flight {
        QString name;
        Surface surface;
        bool flying;
        int lastX; // as the form read it back
    };
    std::vector<Flight> flights() const
    {
        std::vector<Flight> all{{u"bg"_s, form->sprBGPlane, !form->BGPlaneWaiting, form->BGPlaneX},
                                {u"jet"_s, form->sprJet, !form->JetWaiting, form->JetX}};
        for (std::size_t k = 1; k <= 15; ++k) {
            all.push_back({QString::number(k), form->sprPlane[k], form->Planes[k].Active,
                           form->Planes[k].LastX});
        }
        return all;
    }
    QString at(Surface surface) const
    {
        const Canvas& canvas = drawing.image.canvas();
        return QStringLiteral("(%1,%2)").arg(canvas.x(surface)).arg(canvas.y(surface));
    }

    // Twice round the relay, a frame every 8 ms and a step due on each, the
    // pause timer once a second, the tick counter wrapping on the way. A line
    // for every launch, parking and change of the jet's roar, and one with
    // every flying aircraft's place every 250 frames.
    QStringList trajectory()
    {
        seed();
        set(keys::Speed, u"8"_s);
        load();
        random.fractions = {0.1, 0.7, 0.35, 0.9, 0.02};
        time.ticks = 0xFFFFFFFFu - 80'000;
        QStringList lines{u"# frame: event, or where each flying aircraft is"_s};
        std::vector<Flight> before = flights();
        bool roaring = false;
        for (int n = 1, relayStarts = 0; relayStarts < 2 && n < 60'000; ++n) {
            time.ticks += 8;
            const QStringList roar =
                frame().filter(QRegularExpression(u"^(SetVolume|PlaySound)"_s));
            if (n % 125 == 0)
                form->tmrPause_Timer();
            const std::vector<Flight> now = flights();
            QString places;
            for (std::size_t i = 0; i < now.size(); ++i) {
                const Flight& f = now[i];
                if (f.flying != before[i].flying) {
                    lines << (f.flying ? u"%1: launch %2 at %3"_s.arg(n).arg(f.name, at(f.surface))
                                       : u"%1: park %2 past x %3 to %4"_s.arg(n).arg(f.name).arg(
                                             f.lastX).arg(at(f.surface)));
                }
                if (f.flying)
                    places += u' ' + f.name + at(f.surface);
            }
            relayStarts += now[2].flying && !before[2].flying;
            before = now;
            if (roar.isEmpty() == roaring) {
                roaring = !roaring;
                lines << u"%1: jet %2 at x %3"_s.arg(n)
                             .arg(roaring ? roar.join(u' ') : u"quiet"_s)
                             .arg(form->JetX);
            }
            if (n % 250 == 0)
                lines << QString::number(n) + u':' + places;
        }
        return lines;
    }
};

} // namespace

TEST_F(Flights, GoldenTrajectory)
{
    const QStringList lines = trajectory();
    QFile file(golden(u"flights.txt"_s));
    if (updatingGolden()) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Text));
        file.write(lines.join(u'\n').toUtf8() + '\n');
        file.close();
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text))
        << "run once with SKYRAID_UPDATE_GOLDEN=1 to make it";
    const QStringList expected = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < std::min(lines.size(), expected.size()); ++i)
        ASSERT_EQ(lines[i].toStdString(), expected[i].toStdString()) << "line " << i + 1 << " of flights.txt";
    EXPECT_EQ(lines.size(), expected.size());
}

// Parked, the background plane and the jet fly again on the first frame
// after their pause has run its whole seconds; a pause that is no number
// is none.
TEST_F(Flights, RelaunchOnTheSecond)
{
    const struct {
        Key key;
        const char* delay;
        int ticks; // of the pause timer
    } rows[] = {{keys::BGFreq, "3", 3}, {keys::SecDelay, "3", 3}, {keys::BGFreq, "soon", 0},
                {keys::SecDelay, "1", 1}, {keys::SecDelay, "0", 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(u"%1 %2"_s.arg(row.key.name, QLatin1String(row.delay)).toStdString());
        seed();
        set(keys::Speed, u"0"_s);
        set(row.key, QString::fromLatin1(row.delay));
        load();
        const bool jet = row.key.name == keys::SecDelay.name;
        const Surface surface = jet ? form->sprJet : form->sprBGPlane;
        for (int n = 0; n < 5 || drawing.GetSurfaceX(surface) != 805; ++n)
            frame(); // until parked
        int ticks = 0;
        while ((jet ? form->JetWaiting : form->BGPlaneWaiting) && ticks <= 5) {
            form->tmrPause_Timer();
            frame();
            ++ticks;
        }
        EXPECT_EQ(ticks, row.ticks);
    }
}

// The message and the logo lie under the aircraft, the clock over them, in
// its own face and size.
TEST_F(Flights, OverlaysInTheirPlacesAndOrder)
{
    seed();
    for (const auto& [key, text] : {std::pair{keys::MessageChecked, u"1"_s},
                                    {keys::FontName, u"Courier"_s}, {keys::Clock, u"1"_s},
                                    {keys::FontClock, u"20"_s}, {keys::LogoChecked, u"1"_s},
                                    {keys::LogoFileName, m_assets.filePath(u"small.png"_s)}})
        set(key, text);
    load();
    const QStringList calls = frame();
    const qsizetype message = calls.indexOf(u"DrawText(Place a message here,5,560,16776960)"_s);
    const qsizetype logo = calls.indexOf(u"DrawSurface(%1)"_s.arg(form->sprLogo));
    const qsizetype plane = calls.indexOf(u"DrawSurface(%1)"_s.arg(form->sprBGPlane));
    const QString midnight = Form1::clockText(QTime(0, 0), QLocale::system());
    const qsizetype clock = calls.indexOf(u"DrawText(%1,0,0,65535)"_s.arg(midnight));
    ASSERT_GT(message, 0);
    EXPECT_EQ(calls[message - 1], u"SetFont(Courier,30)");
    EXPECT_LT(message, logo);
    EXPECT_LT(logo, plane);
    ASSERT_GT(clock, plane);
    EXPECT_EQ(calls[clock - 1], u"SetFont(Arial,20)");
    EXPECT_EQ(calls.size(), clock + 2); // then the flip

    // A size that is no number shows no message; one above the screen, where it says.
    for (const char* size : {"abc", "", "1e400", "30px", "700"}) {
        set(keys::FontSize, QString::fromLatin1(size));
        load();
        EXPECT_EQ(frame().filter(u"DrawText(Place"_s).join(u' '),
                  std::string_view(size) == "700" ? u"DrawText(Place a message here,5,-110,16776960)"_s
                                                  : QString())
            << size;
    }
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
    for (const QLocale& locale :
         QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
        for (const QTime time : {QTime(21, 25, 51), QTime(9, 5, 7)}) {
            const QString text = Form1::clockText(time, locale);
            const QString marker = time.hour() < 12 ? locale.amText() : locale.pmText();
            QString rest = text;
            if (!marker.isEmpty())
                rest.replace(marker, QString(QChar(0xE000)), Qt::CaseInsensitive);
            const QRegularExpressionMatch match = shape.match(rest);
            const int hour = value(match.captured(1));
            const bool halfDay = rest.contains(QChar(0xE000)) && hour == (time.hour() + 11) % 12 + 1;
            EXPECT_TRUE(match.hasMatch() && (hour == time.hour() || halfDay) &&
                        value(match.captured(2)) == time.minute() &&
                        value(match.captured(3)) == time.second())
                << locale.name().toStdString() << ": " << text.toStdString();
        }
    }
}

// A fixed number of frames from a fixed start with our own pictures.
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
    if (updatingGolden())
        frameImage.save(golden(u"frame400.png"_s));
    const QImage expected = QImage(golden(u"frame400.png"_s)).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull()) << "run once with SKYRAID_UPDATE_GOLDEN=1 to make it";
    EXPECT_TRUE(expected == frameImage);
}
