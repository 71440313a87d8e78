#pragma once

#include "drawingcontrol.h"
#include "timesource.h"

#include <QObject>
#include <QString>
#include <QTime>
#include <QTimer>
#include <QWindow>

#include <array>
#include <cstdint>
#include <functional>

namespace skyraid {

class Platform;
class SettingsStore;
class SoundControl;

// One of the fifteen planes of the formation relay.
struct FormationPlane {
    bool Active = false;
};

// What the saver form works with; all of it outlives the form.
struct FormServices {
    SettingsStore& store;
    DrawingControl& drawing;
    SoundControl& sound;
    Platform& platform;
    TimeSource& time;
    RandomSource& random;
    QString assetFolder; // ends with its separator
    // Ends the program: no event of any window is delivered after it.
    std::function<void()> endProgram;
    // The window the saver runs in, for the system's screen-saver flag.
    std::function<QWindow*()> window = [] { return nullptr; };
};

// The running saver: it reads the options, opens the display and the sound,
// composes every frame and ends on user input.
class Form1 final : public QObject, public DrawingEvents {
public:
    explicit Form1(FormServices services);
    ~Form1() override;

    void Form_Load();
    void OpenDirectDrawSession();
    void OpenDirectSoundSession();
    void SoundOff();
    void tmrPause_Timer();
    void tmrSound_Timer();

    void TegoDDrw1_Frame() override;
    void TegoDDrw1_MouseMove() override;
    void TegoDDrw1_MouseButton() override;
    void TegoDDrw1_Key() override;

    // Ends the saver; nothing of the form runs after it.
    void CloseDown();
    void Form_Unload();

    bool closed() const { return m_closed; }

    // Options read at load.
    QString PlaneBG;
    double BackGround = 0;
    QString Prop;
    double Speed = 0;
    double LogoChecked = 0;
    QString BGFreq;
    double SecDelay = 0;
    QString FontSize;
    double MouseSens = 0;
    double Clock = 0;
    std::int16_t FontClock = 0;
    QString SoundOffValue;
    std::int16_t Volume = 0;
    QString BMPFileName;
    QString LogoFileName;

    // Read again on every frame.
    QString Message;
    double MessageChecked = 0;
    QString FontName;

    // Surfaces.
    Surface sprBackground = 0;
    Surface sprLogo = 0;
    Surface sprJet = 0;
    Surface sprBGPlane = 0;
    std::array<Surface, 16> sprPlane{}; // 1 to 15

    // Flights, timers and input.
    std::array<FormationPlane, 16> Planes{}; // 1 to 15
    int BGPlaneSeconds = 0;
    int JetSeconds = 0;
    std::int16_t MouseMoves = 0;
    std::int32_t MouseWindowStart = 0;

    // Sound.
    std::int32_t sndJets = 0;
    std::int16_t SoundLimit = 0;
    std::int32_t SoundSeconds = 0;
    bool SilencedFlag = false;
    QTime ClockSample;

private:
    // The turns of the frame; what each does is the flights' and overlays'.
    void DrawMessage();
    void DrawLogo();
    void BGPlaneTurn();
    void JetTurn();
    void PlaneTurn(int k);
    void DrawClock();

    void endByInput();
    Surface loadPicture(const QString& fileName, int transparency, int x, int y);

    FormServices m_services;
    QTimer m_tmrPause;
    QTimer m_tmrSound;
    bool m_loaded = false;
    bool m_closed = false;
    bool m_unloaded = false;
};

} // namespace skyraid
