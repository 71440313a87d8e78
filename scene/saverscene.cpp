#include "saverscene.h"

#include "flighttable.h"
#include "platform/platform.h"
#include "settings/conversions.h"
#include "settings/keys.h"
#include "sound/soundcontrol.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace skyraid {

namespace {

constexpr int SecondsPerDay = 24 * 60 * 60;

// Minutes the sound may be cut off after, in the order they are compared.
constexpr std::array<int, 19> SoundOffMinutes{1,  2,  3,   4,   5,   10,  15,  20,  30, 45,
                                              60, 90, 120, 180, 240, 300, 360, 420, 480};

// Milliseconds, rounded up: a whole number of them passes it exactly when it
// passes the number itself.
std::uint64_t wholeMillisecondsUp(double ms)
{
    return std::uint64_t(std::clamp(std::ceil(ms), 0.0, double(std::uint64_t(1) << 32)));
}

// Seconds, rounded down: a whole count of seconds is greater than the number
// less one exactly when it reaches this.
std::int64_t wholeSecondsDown(double seconds)
{
    constexpr double Limit = double(std::int64_t(1) << 40);
    return std::int64_t(std::clamp(std::floor(seconds), -Limit, Limit));
}

} // namespace

SceneOptions SceneOptions::read(SettingsStore& store)
{
    SceneOptions options;
    options.fillScreen = isYes(readSetting(store, keys::FillScreen));
    const double background = toNumber(readSetting(store, keys::BackGround));
    options.background = background == 2   ? Background::SkyBlue
                         : background == 3 ? Background::Picture
                                           : Background::Black;
    options.backgroundFileName = readSetting(store, keys::BMPFileName);
    options.logoShown = isYes(readSetting(store, keys::LogoChecked));
    options.logoFileName = readSetting(store, keys::LogoFileName);
    options.backgroundPlaneFlies = isYes(readSetting(store, keys::PlaneBG));
    const double jet = toNumber(readSetting(store, keys::Prop));
    options.jetFlies = jet == 1;
    options.jetSoundStopped = jet == 0;
    options.stepMs = wholeMillisecondsUp(toNumber(readSetting(store, keys::Speed)));
    // A text that is not a number waits no time at all.
    options.backgroundPlaneWait = wholeSecondsDown(toNumber(readSetting(store, keys::BGFreq)));
    options.jetWait = wholeSecondsDown(toNumber(readSetting(store, keys::SecDelay)));
    options.messageSize = parseNumber(readSetting(store, keys::FontSize));
    // The count of moves runs from 1 and stops at the largest 16-bit value.
    const double moves = toNumber(readSetting(store, keys::MouseSens));
    if (moves >= 1 && moves <= std::numeric_limits<std::int16_t>::max() &&
        moves == std::floor(moves))
        options.movesToEnd = int(moves);
    options.clockShown = isYes(readSetting(store, keys::Clock));
    options.clockFontSize = readNumberWhole16(store, keys::FontClock);
    const QString soundOff = readSetting(store, keys::SoundOff);
    if (soundOff != u"Never") {
        const double minutes = toNumber(soundOff);
        const auto it = std::find(SoundOffMinutes.begin(), SoundOffMinutes.end(), minutes);
        options.soundLimitSeconds = it != SoundOffMinutes.end() ? *it * 60 : 0;
    }
    options.volume = readWhole16(store, keys::Volume);
    return options;
}

SaverScene::SaverScene(SceneServices services) : m_services(std::move(services))
{
    m_pauseTimer.setInterval(1000);
    m_soundTimer.setInterval(1000);
    connect(&m_pauseTimer, &QTimer::timeout, this, &SaverScene::onPauseSecond);
    connect(&m_soundTimer, &QTimer::timeout, this, &SaverScene::onSoundSecond);
}

SaverScene::~SaverScene()
{
    // However the scene goes, the cursor comes back and the sound is let go.
    unload();
}

void SaverScene::start()
{
    m_loaded = true;
    seedOnFirstRun(m_services.store, m_services.assetFolder);
    m_options = SceneOptions::read(m_services.store);

    // The background plane and the jet fly at once, and the formation's first.
    m_silenced = false;
    m_backgroundPlane.inFlight = true;
    m_jet.inFlight = true;
    for (std::size_t row = 0; row < m_planes.size(); ++row)
        m_planes[row].inFlight = row == 0;

    m_services.sound.setVisible(false);
    m_services.platform.showCursor(false);
    openCanvas();
    placeMessage();
    openJetSound();

    m_clockSample = QTime(0, 0); // midnight until the sound timer's first tick
    m_pauseTimer.start();
    m_soundTimer.start();
}

Surface SaverScene::loadPicture(const QString& fileName, Transparency transparency, int x, int y)
{
    DrawingControl& drawing = m_services.drawing;
    const Surface surface = drawing.createSurface();
    drawing.loadPicture(surface, fileName, transparency);
    drawing.setSurfaceX(surface, x);
    drawing.setSurfaceY(surface, y);
    return surface;
}

int SaverScene::across(int x) const
{
    return x >= DrawingControl::ClassicWidth / 2 ? x + m_widening : x;
}

void SaverScene::openCanvas()
{
    const QString& assets = m_services.assetFolder;
    DrawingControl& drawing = m_services.drawing;
    drawing.setFillScreen(m_options.fillScreen);
    if (!drawing.openDisplay()) {
        m_services.platform.showMessage(
            QStringLiteral("Error opening Direct Draw!"),
            QStringLiteral("This program requires that you use a monitor that is capable of "
                           "displaying 64K colors."));
        return;
    }
    m_canvasSize = drawing.canvasSize();
    m_widening = m_canvasSize.width() - DrawingControl::ClassicWidth;
    m_bandTop = (m_canvasSize.height() - DrawingControl::ClassicHeight) / 2;

    if (m_options.background == SceneOptions::Background::Picture) {
        m_backgroundPicture = loadPicture(m_options.backgroundFileName, Transparency::Opaque, 0, 0);
        if (m_options.fillScreen)
            drawing.coverCanvas(m_backgroundPicture);
    }
    if (m_options.logoShown)
        m_logoPicture = loadPicture(m_options.logoFileName, Transparency::OwnAlpha, 1, 20);
    const auto loadSolo = [&](const SoloAircraftRoute& route) {
        return loadPicture(assets + route.picture, Transparency::KeyedByTopLeftPixel,
                           across(route.restartX), down(route.startY));
    };
    m_jet.picture = loadSolo(FastJet);
    m_backgroundPlane.picture = loadSolo(BackgroundPlane);
    for (std::size_t row = 0; row < m_planes.size(); ++row) {
        const FormationPlaneRoute& route = FlightTable[row];
        m_planes[row].picture =
            loadPicture(assets + route.picture, Transparency::KeyedByTopLeftPixel,
                        across(route.startX), down(route.startY));
    }
    // A background that cannot be read gives way to our own sunset.
    if (m_backgroundPicture && !drawing.hasPicture(m_backgroundPicture)) {
        m_services.warn(QStringLiteral("cannot read the background picture %1; showing the sunset")
                            .arg(m_options.backgroundFileName));
        drawing.loadPicture(m_backgroundPicture, assets + QStringLiteral("Sunset Yellow.BMP"),
                            Transparency::Opaque);
        if (m_options.fillScreen)
            drawing.coverCanvas(m_backgroundPicture);
    }
}

void SaverScene::openJetSound()
{
    SoundControl& sound = m_services.sound;
    sound.releaseSound(m_jetSound);
    m_jetSound = sound.loadSound(m_services.assetFolder + QStringLiteral("jets.wav"));
    if (m_options.jetSoundStopped)
        sound.stopSound(m_jetSound);
}

void SaverScene::onPauseSecond()
{
    if (m_closed)
        return;
    ++m_backgroundPlane.seconds;
    ++m_jet.seconds;
    if (m_jet.seconds > m_options.jetWait)
        m_jet.seconds = 0;
}

void SaverScene::onSoundSecond()
{
    if (m_closed)
        return;
    m_clockSample = m_services.time.timeOfDay();
    if (!m_options.soundLimitSeconds)
        return;
    ++m_soundSeconds;
    if (m_soundSeconds >= *m_options.soundLimitSeconds) {
        m_services.sound.stopAllSounds();
        m_silenced = true;
    }
    if (m_soundSeconds > 86398)
        m_soundSeconds = 0;
}

void SaverScene::onFrame()
{
    if (m_closed)
        return;
    DrawingControl& drawing = m_services.drawing;

    switch (m_options.background) {
    case SceneOptions::Background::SkyBlue:
        drawing.fill(qRgb(0, 226, 251));
        break;
    case SceneOptions::Background::Picture:
        drawing.drawSurface(m_backgroundPicture);
        drawing.setSurfaceX(m_backgroundPicture, 0);
        drawing.setSurfaceY(m_backgroundPicture, 0);
        break;
    case SceneOptions::Background::Black:
        drawing.fill(qRgb(0, 0, 0));
        break;
    }

    followMessageOptions();
    if (m_messageShown)
        drawMessage();
    if (m_options.logoShown)
        drawLogo();
    if (m_options.backgroundPlaneFlies)
        flySolo(BackgroundPlane, m_backgroundPlane, m_options.backgroundPlaneWait);
    if (m_options.jetFlies)
        flyJet();
    for (std::size_t row = 0; row < m_planes.size(); ++row) {
        if (m_planes[row].inFlight)
            flyPlane(row);
    }
    if (m_options.clockShown)
        drawClock();

    drawing.flip();
}

void SaverScene::followMessageOptions()
{
    // The text and its face matter only while the message is shown.
    SettingsStore& store = m_services.store;
    m_messageShown = isYes(readSetting(store, keys::MessageChecked));
    if (!m_messageShown)
        return;
    m_message = readSetting(store, keys::Message);
    m_messageFont = readSetting(store, keys::FontName);
}

void SaverScene::onMouseMove()
{
    if (m_closed)
        return;
    // The count stops at its largest value rather than wrapping round.
    if (m_mouseMoves < std::numeric_limits<std::int16_t>::max())
        ++m_mouseMoves;
    if (m_options.movesToEnd == m_mouseMoves) {
        endByInput();
        return;
    }
    const double now = m_services.time.secondsSinceMidnight();
    if (m_mouseWindowStart == 0) {
        m_mouseWindowStart = std::int32_t(roundHalfEven(now));
        return;
    }
    // A window that began before midnight is measured across it. (The start
    // is rounded, so just after it the difference may be slightly negative.)
    double elapsed = now - m_mouseWindowStart;
    if (elapsed < -SecondsPerDay / 2.0)
        elapsed += SecondsPerDay;
    if (elapsed > 10.0) {
        m_mouseWindowStart = 0;
        m_mouseMoves = 0;
    }
}

void SaverScene::onMouseButton()
{
    if (!m_closed)
        endByInput();
}

void SaverScene::onKey()
{
    if (!m_closed)
        endByInput();
}

void SaverScene::endByInput()
{
    m_services.sound.stopAllSounds();
    m_services.sound.releaseSound(m_jetSound);
    closeDown();
}

void SaverScene::closeDown()
{
    if (m_closed)
        return;
    m_closed = true;
    m_pauseTimer.stop();
    m_soundTimer.stop();
    m_services.platform.setScreenSaverRunning(m_services.window(), false);
    unload();
    if (m_services.endProgram)
        m_services.endProgram();
}

void SaverScene::unload()
{
    if (m_unloaded || !m_loaded)
        return;
    m_unloaded = true;
    m_services.sound.releaseSound(m_jetSound);
    m_services.sound.stopAllSounds();
    m_services.platform.showCursor(true);
}

void SaverScene::launchWholeFormation()
{
    for (Flight& plane : m_planes)
        plane.inFlight = true;
}

SaverScene::View SaverScene::view() const
{
    View view;
    view.backgroundPlane = {m_backgroundPlane.picture, m_backgroundPlane.inFlight};
    view.jet = {m_jet.picture, m_jet.inFlight};
    for (std::size_t row = 0; row < m_planes.size(); ++row)
        view.planes[row] = {m_planes[row].picture, m_planes[row].inFlight};
    view.logo = m_logoPicture;
    view.jetX = m_jet.x;
    view.soundLimitSeconds = m_options.soundLimitSeconds.value_or(0);
    view.clockSample = m_clockSample;
    return view;
}

} // namespace skyraid
