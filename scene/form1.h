#pragma once

#include "drawingcontrol.h"
#include "timesource.h"

#include <array>
#include <cstdint>
#include <functional>

#include <QLocale>
#include <QObject>
#include <QString>
#include <QTime>
#include <QTimer>
#include <QWindow>

namespace skyraid {

class Platform;
struct SoloAircraft;
class SettingsStore;
class SoundControl;

// The flight of one of the fifteen planes of the formation relay.
struct FormationPlane {
    bool Active = false;
    std::int16_t Phase = 0;         // -1 cruise, 0 drift
    int PhaseCount = 0;             // frames in the current phase
    std::uint32_t LastMoveTick = 0; // tick count after the last step
    int LastX = 0;                  // x read back in the last cruise frame
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

    // Flights. Tick counts are compared by unsigned difference, so the
    // counter's wrap-around does no harm.
    int BGPlaneWaiting = 0;        // 1 while parked
    std::int16_t BGPlanePhase = 0; // -1 cruise, 0 drift
    int BGPlanePhaseCount = 0;
    std::uint32_t BGPlaneTickA = 0;
    std::uint32_t BGPlaneTickB = 0;
    int BGPlaneX = 0;
    int BGPlaneSeconds = 0;
    int JetWaiting = 0;    // 1 while parked
    bool JetPhase = false; // true cruise, false drift
    int JetPhaseCount = 0;
    std::uint32_t JetTick = 0;
    int JetX = 0;
    int JetSeconds = 0;
    int FlightAltitude = 0; // park height shared by the background plane and the jet
    std::array<FormationPlane, 16> Planes{}; // 1 to 15

    // Input.
    std::int16_t MouseMoves = 0;
    std::int32_t MouseWindowStart = 0;

    // Sound.
    std::int32_t sndJets = 0;
    std::int16_t SoundLimit = 0;
    std::int32_t SoundSeconds = 0;
    bool SilencedFlag = false;
    QTime ClockSample;

    // The movers: cruise steps are horizontal, drift steps ("b") of the
    // formation planes also climb or sink a pixel.
    void MoveBGPlane();
    void MoveBGPlaneb();
    void MoveJet();
    void MoveJetb();
    void MovePlane(int k);
    void MovePlaneb(int k);

    // The clock's text for a time of day: the hour, minute and second, in
    // the locale's order, with its separators and its morning or afternoon.
    static QString clockText(QTime time, const QLocale& locale);
    // The time format behind it.
    static QString clockFormat(const QLocale& locale);

private:
    // The turns of the frame.
    void DrawMessage();
    void DrawLogo();
    void BGPlaneTurn();
    void JetTurn();
    void PlaneTurn(int k);
    void DrawClock();

    template <typename Mover> void stepIfDue(std::uint32_t& tick, Mover mover);
    void parkSolo(const SoloAircraft& aircraft, Surface surface, int& waiting, int& seconds);
    void relaunchIfDue(const SoloAircraft& aircraft, Surface surface, int& waiting, int seconds,
                       double delay);

    void endByInput();
    Surface loadPicture(const QString& fileName, int transparency, int x, int y);

    FormServices m_services;
    QTimer m_tmrPause;
    QTimer m_tmrSound;
    QTime m_clockTextTime;
    QString m_clockText;
    QString m_clockFormat; // the system locale's, worked out on the first clock
    bool m_loaded = false;
    bool m_closed = false;
    bool m_unloaded = false;
};

} // namespace skyraid
