#pragma once

#include "drawingcontrol.h"
#include "timesource.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>

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

// What the scene works with; all of it outlives the scene.
struct SceneServices {
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
    // Tells the user about a problem that does not stop the saver.
    std::function<void(const QString&)> warn = [](const QString& text) {
        std::fprintf(stderr, "skyraid: %s\n", qPrintable(text));
    };
};

// The running saver's scene: it reads the options, opens the canvas and the
// jet's sound, composes every frame and ends on user input.
class SaverScene final : public QObject, public DrawingEvents {
public:
    explicit SaverScene(SceneServices services);
    ~SaverScene() override;

    // Reads the options (seeding them on the first run), hides the cursor,
    // opens the canvas and the sound and starts the two one-second timers.
    void start();
    // The timers' seconds: the parked aircraft's waits, and the clock and
    // the sound's cut-off. Called by the timers; tests call them by hand.
    void onPauseSecond();
    void onSoundSecond();

    void onFrame() override;
    void onMouseMove() override;
    void onMouseButton() override;
    void onKey() override;

    // Ends the saver; nothing of the scene runs after it.
    void closeDown();
    bool closed() const { return m_closed; }

    // For the benchmark: every formation plane in the air at once.
    void launchWholeFormation();

    // What the flights are doing, read-only, for tests and tools.
    struct Aircraft {
        Surface picture = 0;
        bool inFlight = false; // flying, not parked or waiting for its turn
    };
    struct View {
        Aircraft backgroundPlane;
        Aircraft jet;
        std::array<Aircraft, 16> planes{}; // 1 to 15
        Surface logo = 0;
        int jetX = 0;              // read back in the jet's last cruise frame
        int soundLimitSeconds = 0; // 0 while the sound is never cut off
        QTime clockSample;
    };
    View view() const;

private:
    // The flight of one of the fifteen planes of the formation relay.
    struct FormationPlane {
        bool active = false;
        std::int16_t phase = 0;         // -1 cruise, 0 drift
        int phaseFrames = 0;            // frames in the current phase
        std::uint32_t lastMoveTick = 0; // tick count after the last step
        int lastX = 0;                  // x read back in the last cruise frame
    };

    void openCanvas();
    void openJetSound();
    // A position of the flight table, written for a canvas 800 units wide, on
    // this canvas: one in the right half keeps its distance from the right
    // edge.
    int across(int x) const;
    // The cut-off in seconds from the chosen minutes; other texts keep it at 0.
    void readSoundCutOff();
    // Lets the cursor and the sound go; once only, and only after a start.
    void unload();

    // The turns of the frame.
    void drawMessage();
    void drawLogo();
    void flyBackgroundPlane();
    void flyJet();
    void flyPlane(int k);
    void drawClock();

    // The movers: cruise steps are horizontal; a formation plane's drift
    // steps also climb or sink a pixel.
    void cruiseBackgroundPlane();
    void driftBackgroundPlane();
    void cruiseJet();
    void driftJet();
    void cruisePlane(int k);
    void driftPlane(int k);

    template <typename Mover> void stepIfDue(std::uint32_t& tick, Mover mover);
    void parkSolo(const SoloAircraft& aircraft, Surface surface, int& waiting, int& seconds);
    void relaunchIfDue(const SoloAircraft& aircraft, Surface surface, int& waiting, int seconds,
                       double delay);

    void endByInput();
    Surface loadPicture(const QString& fileName, Transparency transparency, int x, int y);

    SceneServices m_services;

    // Options read at the start.
    bool m_fillScreen = false;       // "FillScreen": the canvas takes the screen's shape
    int m_widening = 0;              // units the canvas is wider than 800
    QString m_backgroundPlaneOption; // "PlaneBG": the background plane flies when yes
    double m_backgroundKind = 0;     // 2 sky blue, 3 the user's picture, else black
    QString m_jetOption;             // "Prop": the fast jet flies, and roars, when yes
    double m_stepMs = 0;             // "Speed": milliseconds between an aircraft's steps
    double m_logoShown = 0;
    QString m_backgroundPlaneDelay; // seconds the background plane waits parked
    double m_jetDelay = 0;          // seconds the jet waits parked
    QString m_messageFontSize;
    double m_mouseSensitivity = 0; // moves within ten seconds that end the saver
    double m_clockShown = 0;
    std::int16_t m_clockFontSize = 0;
    QString m_soundCutOff; // minutes, or "Never"
    std::int16_t m_volume = 0;
    QString m_backgroundFileName;
    QString m_logoFileName;

    // Read again on every frame.
    QString m_message;
    double m_messageShown = 0;
    QString m_fontName;

    // Pictures on the canvas.
    Surface m_backgroundPicture = 0;
    Surface m_logoPicture = 0;
    Surface m_jetPicture = 0;
    Surface m_backgroundPlanePicture = 0;
    std::array<Surface, 16> m_planePictures{}; // 1 to 15

    // Flights. Tick counts are compared by unsigned difference, so the
    // counter's wrap-around does no harm.
    int m_backgroundPlaneParked = 0;         // 1 while parked
    std::int16_t m_backgroundPlanePhase = 0; // -1 cruise, 0 drift
    int m_backgroundPlanePhaseFrames = 0;
    std::uint32_t m_backgroundPlaneCruiseTick = 0;
    std::uint32_t m_backgroundPlaneDriftTick = 0;
    int m_backgroundPlaneX = 0;
    int m_backgroundPlaneSeconds = 0;
    int m_jetParked = 0;        // 1 while parked
    bool m_jetCruising = false; // true cruise, false drift
    int m_jetPhaseFrames = 0;
    std::uint32_t m_jetTick = 0;
    int m_jetX = 0;
    int m_jetSeconds = 0;
    int m_flightAltitude = 0; // park height shared by the background plane and the jet
    std::array<FormationPlane, 16> m_planes{}; // 1 to 15

    // Input.
    std::int16_t m_mouseMoves = 0;
    std::int32_t m_mouseWindowStart = 0; // seconds since midnight, 0 when none is open

    // Sound and clock.
    std::int32_t m_jetSound = 0;
    std::int16_t m_soundLimitSeconds = 0;
    std::int32_t m_soundSeconds = 0;
    bool m_silenced = false;
    QTime m_clockSample; // the time of day the clock shows

    QTimer m_pauseTimer;
    QTimer m_soundTimer;
    QTime m_clockTextTime;
    QString m_clockText;
    QString m_clockFormat; // the system locale's, worked out on the first clock
    bool m_loaded = false;
    bool m_closed = false;
    bool m_unloaded = false;
};

} // namespace skyraid
