#include "saverscene.h"

#include "canvas.h"
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

} // namespace

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
    SettingsStore& store = m_services.store;
    seedOnFirstRun(store, m_services.assetFolder);

    m_silenced = false;
    for (int k = 1; k <= 15; ++k)
        m_planes[std::size_t(k)].active = k == 1;

    m_services.sound.setVisible(false);

    m_backgroundPlaneOption = readSetting(store, keys::PlaneBG);
    m_backgroundKind = toNumber(readSetting(store, keys::BackGround));
    m_jetOption = readSetting(store, keys::Prop);
    m_stepMs = toNumber(readSetting(store, keys::Speed));
    m_logoShown = toNumber(readSetting(store, keys::LogoChecked));
    m_backgroundPlaneDelay = readSetting(store, keys::BGFreq);
    m_jetDelay = toNumber(readSetting(store, keys::SecDelay));
    m_messageFontSize = readSetting(store, keys::FontSize);
    m_mouseSensitivity = toNumber(readSetting(store, keys::MouseSens));
    m_clockShown = toNumber(readSetting(store, keys::Clock));
    m_clockFontSize = readNumberWhole16(store, keys::FontClock);
    m_soundCutOff = readSetting(store, keys::SoundOff);
    m_volume = readWhole16(store, keys::Volume);

    if (m_soundCutOff != u"Never")
        readSoundCutOff();

    m_services.platform.showCursor(false);
    openCanvas();
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
    return x >= Canvas::Width / 2 ? x + m_widening : x;
}

void SaverScene::openCanvas()
{
    SettingsStore& store = m_services.store;
    const QString& assets = m_services.assetFolder;
    DrawingControl& drawing = m_services.drawing;
    m_fillScreen = isYes(readSetting(store, keys::FillScreen));
    drawing.setFillScreen(m_fillScreen);
    if (!drawing.openDisplay()) {
        m_services.platform.showMessage(
            QStringLiteral("Error opening Direct Draw!"),
            QStringLiteral("This program requires that you use a monitor that is capable of "
                           "displaying 64K colors."));
        return;
    }
    m_widening = drawing.canvasSize().width() - Canvas::Width;

    m_backgroundKind = toNumber(readSetting(store, keys::BackGround));
    if (m_backgroundKind == 3) {
        m_backgroundFileName = readSetting(store, keys::BMPFileName);
        m_backgroundPicture = loadPicture(m_backgroundFileName, Transparency::Opaque, 0, 0);
        if (m_fillScreen)
            drawing.coverCanvas(m_backgroundPicture);
    }
    m_logoShown = toNumber(readSetting(store, keys::LogoChecked));
    if (m_logoShown == 1) {
        m_logoFileName = readSetting(store, keys::LogoFileName);
        m_logoPicture = loadPicture(m_logoFileName, Transparency::OwnAlpha, 1, 20);
    }
    m_jetPicture = loadPicture(assets + QStringLiteral("FastJet.bmp"),
                               Transparency::KeyedByTopLeftPixel, across(805), 75);
    m_backgroundPlaneOption = readSetting(store, keys::PlaneBG);
    m_backgroundPlanePicture = loadPicture(assets + QStringLiteral("skyrbg.bmp"),
                                           Transparency::KeyedByTopLeftPixel, across(805), 350);
    for (int k = 1; k <= 15; ++k) {
        const FormationPlaneSpec& plane = FlightTable[std::size_t(k - 1)];
        m_planePictures[std::size_t(k)] =
            loadPicture(assets + plane.Picture, Transparency::KeyedByTopLeftPixel,
                        across(plane.StartX), plane.StartY);
    }
    // A background that cannot be read gives way to our own sunset.
    if (m_backgroundPicture && !drawing.hasPicture(m_backgroundPicture)) {
        m_services.warn(QStringLiteral("cannot read the background picture %1; showing the sunset")
                            .arg(m_backgroundFileName));
        drawing.loadPicture(m_backgroundPicture, assets + QStringLiteral("Sunset Yellow.BMP"),
                            Transparency::Opaque);
        if (m_fillScreen)
            drawing.coverCanvas(m_backgroundPicture);
    }
}

void SaverScene::openJetSound()
{
    SoundControl& sound = m_services.sound;
    sound.releaseSound(m_jetSound);
    m_jetSound = sound.loadSound(m_services.assetFolder + QStringLiteral("jets.wav"));
    if (toNumber(m_jetOption) == 0)
        sound.stopSound(m_jetSound);
    m_jetOption = readSetting(m_services.store, keys::Prop);
}

void SaverScene::readSoundCutOff()
{
    const double minutes = toNumber(m_soundCutOff);
    const auto it = std::find(SoundOffMinutes.begin(), SoundOffMinutes.end(), minutes);
    if (it != SoundOffMinutes.end())
        m_soundLimitSeconds = std::int16_t(*it * 60);
}

void SaverScene::onPauseSecond()
{
    if (m_closed)
        return;
    ++m_backgroundPlaneSeconds;
    ++m_jetSeconds;
    if (m_jetSeconds > m_jetDelay)
        m_jetSeconds = 0;
}

void SaverScene::onSoundSecond()
{
    if (m_closed)
        return;
    m_clockSample = m_services.time.timeOfDay();
    if (m_soundCutOff == u"Never")
        return;
    ++m_soundSeconds;
    if (m_soundSeconds >= m_soundLimitSeconds) {
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

    if (m_backgroundKind == 2) {
        drawing.fill(qRgb(0, 226, 251));
    } else if (m_backgroundKind == 3) {
        drawing.drawSurface(m_backgroundPicture);
        drawing.setSurfaceX(m_backgroundPicture, 0);
        drawing.setSurfaceY(m_backgroundPicture, 0);
    } else {
        drawing.fill(qRgb(0, 0, 0));
    }

    SettingsStore& store = m_services.store;
    m_message = readSetting(store, keys::Message);
    m_messageShown = toNumber(readSetting(store, keys::MessageChecked));
    m_fontName = readSetting(store, keys::FontName);

    if (m_messageShown == 1)
        drawMessage();
    if (m_logoShown == 1)
        drawLogo();
    if (isYes(m_backgroundPlaneOption))
        flyBackgroundPlane();
    if (isYes(m_jetOption))
        flyJet();
    for (int k = 1; k <= 15; ++k) {
        if (m_planes[std::size_t(k)].active)
            flyPlane(k);
    }
    if (m_clockShown == 1)
        drawClock();

    drawing.flip();
}

void SaverScene::onMouseMove()
{
    if (m_closed)
        return;
    // The count stops at its largest value rather than wrapping round.
    if (m_mouseMoves < std::numeric_limits<std::int16_t>::max())
        ++m_mouseMoves;
    if (m_mouseSensitivity == m_mouseMoves) {
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
    for (int k = 1; k <= 15; ++k)
        m_planes[std::size_t(k)].active = true;
}

SaverScene::View SaverScene::view() const
{
    View view;
    view.backgroundPlane = {m_backgroundPlanePicture, m_backgroundPlaneParked == 0};
    view.jet = {m_jetPicture, m_jetParked == 0};
    for (std::size_t k = 1; k <= 15; ++k)
        view.planes[k] = {m_planePictures[k], m_planes[k].active};
    view.logo = m_logoPicture;
    view.jetX = m_jetX;
    view.soundLimitSeconds = m_soundLimitSeconds;
    view.clockSample = m_clockSample;
    return view;
}

} // namespace skyraid
