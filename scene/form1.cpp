#include "form1.h"

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

Form1::Form1(FormServices services) : m_services(std::move(services))
{
    m_tmrPause.setInterval(1000);
    m_tmrSound.setInterval(1000);
    connect(&m_tmrPause, &QTimer::timeout, this, &Form1::tmrPause_Timer);
    connect(&m_tmrSound, &QTimer::timeout, this, &Form1::tmrSound_Timer);
}

Form1::~Form1()
{
    // However the form goes, the cursor comes back and the sound is let go.
    Form_Unload();
}

void Form1::Form_Load()
{
    m_loaded = true;
    SettingsStore& store = m_services.store;
    seedOnFirstRun(store, m_services.assetFolder);

    SilencedFlag = false;
    for (int k = 1; k <= 15; ++k)
        Planes[std::size_t(k)].Active = k == 1;

    m_services.drawing.setVisible(false);
    m_services.sound.setVisible(false);

    PlaneBG = readSetting(store, keys::PlaneBG);
    BackGround = toNumber(readSetting(store, keys::BackGround));
    Prop = readSetting(store, keys::Prop);
    Speed = toNumber(readSetting(store, keys::Speed));
    LogoChecked = toNumber(readSetting(store, keys::LogoChecked));
    BGFreq = readSetting(store, keys::BGFreq);
    SecDelay = toNumber(readSetting(store, keys::SecDelay));
    FontSize = readSetting(store, keys::FontSize);
    MouseSens = toNumber(readSetting(store, keys::MouseSens));
    Clock = toNumber(readSetting(store, keys::Clock));
    FontClock = readNumberWhole16(store, keys::FontClock);
    SoundOffValue = readSetting(store, keys::SoundOff);
    Volume = readWhole16(store, keys::Volume);

    if (SoundOffValue != u"Never")
        SoundOff();

    m_services.platform.ShowCursor(false);
    OpenDirectDrawSession();
    OpenDirectSoundSession();

    ClockSample = QTime(0, 0); // midnight until the sound timer's first tick
    m_tmrPause.start();
    m_tmrSound.start();
}

Surface Form1::loadPicture(const QString& fileName, int transparency, int x, int y)
{
    DrawingControl& drawing = m_services.drawing;
    const Surface surface = drawing.CreateSurface();
    drawing.LoadBitmap(surface, 1, fileName, transparency);
    drawing.SetSurfaceX(surface, x);
    drawing.SetSurfaceY(surface, y);
    return surface;
}

void Form1::OpenDirectDrawSession()
{
    SettingsStore& store = m_services.store;
    const QString& assets = m_services.assetFolder;
    if (!m_services.drawing.OpenDisplay(800, 600, 16, QString())) {
        m_services.platform.showMessage(
            QStringLiteral("Error opening Direct Draw!"),
            QStringLiteral("This program requires that you use a monitor that is capable of "
                           "displaying 64K colors."));
        return;
    }

    BackGround = toNumber(readSetting(store, keys::BackGround));
    if (BackGround == 3) {
        BMPFileName = readSetting(store, keys::BMPFileName);
        sprBackground = loadPicture(BMPFileName, Opaque, 0, 0);
    }
    LogoChecked = toNumber(readSetting(store, keys::LogoChecked));
    if (LogoChecked == 1) {
        LogoFileName = readSetting(store, keys::LogoFileName);
        sprLogo = loadPicture(LogoFileName, Opaque, 1, 20);
    }
    sprJet = loadPicture(assets + QStringLiteral("FastJet.bmp"), KeyedByTopLeftPixel, 805, 75);
    PlaneBG = readSetting(store, keys::PlaneBG);
    sprBGPlane = loadPicture(assets + QStringLiteral("skyrbg.bmp"), KeyedByTopLeftPixel, 805, 350);
    for (int k = 1; k <= 15; ++k) {
        const FormationPlaneSpec& plane = FlightTable[std::size_t(k - 1)];
        sprPlane[std::size_t(k)] =
            loadPicture(assets + plane.Picture, KeyedByTopLeftPixel, plane.StartX, plane.StartY);
    }
}

void Form1::OpenDirectSoundSession()
{
    SoundControl& sound = m_services.sound;
    sound.ReleaseSound(sndJets);
    sndJets = sound.LoadSound(m_services.assetFolder + QStringLiteral("jets.wav"));
    if (toNumber(Prop) == 0)
        sound.StopSound(sndJets);
    Prop = readSetting(m_services.store, keys::Prop);
}

void Form1::SoundOff()
{
    const double minutes = toNumber(SoundOffValue);
    const auto it = std::find(SoundOffMinutes.begin(), SoundOffMinutes.end(), minutes);
    if (it != SoundOffMinutes.end())
        SoundLimit = std::int16_t(*it * 60);
}

void Form1::tmrPause_Timer()
{
    if (m_closed)
        return;
    ++BGPlaneSeconds;
    ++JetSeconds;
    if (JetSeconds > SecDelay)
        JetSeconds = 0;
}

void Form1::tmrSound_Timer()
{
    if (m_closed)
        return;
    ClockSample = m_services.time.timeOfDay();
    if (SoundOffValue == u"Never")
        return;
    ++SoundSeconds;
    if (SoundSeconds >= SoundLimit) {
        m_services.sound.StopAllSounds();
        SilencedFlag = true;
    }
    if (SoundSeconds > 86398)
        SoundSeconds = 0;
}

void Form1::TegoDDrw1_Frame()
{
    if (m_closed)
        return;
    DrawingControl& drawing = m_services.drawing;

    if (BackGround == 2) {
        drawing.FillBackBuffer(RGB(0, 226, 251));
    } else if (BackGround == 3) {
        drawing.DrawSurface(sprBackground);
        drawing.SetSurfaceX(sprBackground, 0);
        drawing.SetSurfaceY(sprBackground, 0);
    } else {
        drawing.FillBackBuffer(RGB(0, 0, 0));
    }

    SettingsStore& store = m_services.store;
    Message = readSetting(store, keys::Message);
    MessageChecked = toNumber(readSetting(store, keys::MessageChecked));
    FontName = readSetting(store, keys::FontName);

    if (MessageChecked == 1)
        DrawMessage();
    if (LogoChecked == 1)
        DrawLogo();
    if (isYes(PlaneBG))
        BGPlaneTurn();
    if (isYes(Prop))
        JetTurn();
    for (int k = 1; k <= 15; ++k) {
        if (Planes[std::size_t(k)].Active)
            PlaneTurn(k);
    }
    if (Clock == 1)
        DrawClock();

    drawing.Flip();
}

void Form1::TegoDDrw1_MouseMove()
{
    if (m_closed)
        return;
    // The count stops at its largest value rather than wrapping round.
    if (MouseMoves < std::numeric_limits<std::int16_t>::max())
        ++MouseMoves;
    if (MouseSens == MouseMoves) {
        endByInput();
        return;
    }
    const double now = m_services.time.secondsSinceMidnight();
    if (MouseWindowStart == 0) {
        MouseWindowStart = std::int32_t(roundHalfEven(now));
        return;
    }
    // A window that began before midnight is measured across it. (The start
    // is rounded, so just after it the difference may be slightly negative.)
    double elapsed = now - MouseWindowStart;
    if (elapsed < -SecondsPerDay / 2.0)
        elapsed += SecondsPerDay;
    if (elapsed > 10.0) {
        MouseWindowStart = 0;
        MouseMoves = 0;
    }
}

void Form1::TegoDDrw1_MouseButton()
{
    if (!m_closed)
        endByInput();
}

void Form1::TegoDDrw1_Key()
{
    if (!m_closed)
        endByInput();
}

void Form1::endByInput()
{
    m_services.sound.StopAllSounds();
    m_services.sound.ReleaseSound(sndJets);
    CloseDown();
}

void Form1::CloseDown()
{
    if (m_closed)
        return;
    m_closed = true;
    m_tmrPause.stop();
    m_tmrSound.stop();
    m_services.platform.setScreenSaverRunning(m_services.window(), false);
    Form_Unload();
    if (m_services.endProgram)
        m_services.endProgram();
}

void Form1::Form_Unload()
{
    if (m_unloaded || !m_loaded)
        return;
    m_unloaded = true;
    m_services.sound.ReleaseSound(sndJets);
    m_services.sound.StopAllSounds();
    m_services.platform.ShowCursor(true);
}

} // namespace skyraid
