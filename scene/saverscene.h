#pragma once

#include "drawingcontrol.h"
#include "timesource.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>

#include <QObject>
#include <QSize>
#include <QString>
#include <QTime>
#include <QTimer>
#include <QWindow>

namespace skyraid {

class Platform;
struct FormationPlaneRoute;
struct SoloAircraftRoute;
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

// The options the scene runs with, read from the store once as it starts,
// by the number and yes/no rules of settings/conversions.h.
struct SceneOptions {
    enum class Background { Black, SkyBlue, Picture };

    bool fillScreen = false;                   // "FillScreen": the canvas takes the screen's shape
    Background background = Background::Black; // "BackGround": 2 sky blue, 3 a picture, else black
    QString backgroundFileName;                // "BMPFileName"
    bool logoShown = false;                    // "LogoChecked"
    QString logoFileName;                      // "LogoFileName"
    bool backgroundPlaneFlies = false;         // "PlaneBG"
    bool jetFlies = false;                     // "Prop" yes: the fast jet flies, and roars
    bool jetSoundStopped = false;              // "Prop" 0: its sound is stopped as it loads
    // "Speed": milliseconds between an aircraft's steps, rounded up.
    std::uint64_t stepMs = 0;
    // "BGFreq" and "SecDelay": whole seconds the background plane and the jet
    // wait parked, rounded down.
    std::int64_t backgroundPlaneWait = 0;
    std::int64_t jetWait = 0;
    std::optional<double> messageSize; // "FontSize"; none when it is no number
    // "MouseSens": mouse moves within ten seconds that end the saver; none
    // when no count of moves can equal it.
    std::optional<int> movesToEnd;
    bool clockShown = false;        // "Clock"
    std::int16_t clockFontSize = 0; // "FontClock"
    // "SoundOff": seconds the sound plays for; none for "Never", 0 for a
    // number of minutes the dialog does not offer.
    std::optional<int> soundLimitSeconds;
    std::int16_t volume = 0; // "Volume"

    static SceneOptions read(SettingsStore& store);
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
        std::array<Aircraft, 15> planes{}; // in the flight table's order
        Surface logo = 0;
        int jetX = 0;              // read back after the jet's last step
        int soundLimitSeconds = 0; // 0 while the sound is never cut off
        QTime clockSample;
    };
    View view() const;

private:
    // One aircraft's flight.
    struct Flight {
        Surface picture = 0;
        bool inFlight = false;       // false while parked or waiting for its turn
        bool cruising = false;       // in its cruise phase, else in its drift phase
        int phaseFrames = 0;         // frames in the current phase
        std::uint32_t tick = 0;      // tick count after its last step
        std::uint32_t driftTick = 0; // after its last drift step, for one timed on its own
        int x = 0;                   // read back after the step
        int seconds = 0;             // the background plane's and the jet's seconds parked
        int driftOwed = 0;           // a formation plane's drift not yet taken, in 1/width units
    };

    void openCanvas();
    void openJetSound();
    // A position of the flight table, written for a canvas 800 units wide, on
    // this canvas: one in the right half keeps its distance from the right
    // edge.
    int across(int x) const;
    // A height of the flight table, written for a canvas 600 units high, on
    // this canvas: in a band of 600 units in its middle.
    int down(int y) const { return y + m_bandTop; }
    // Where the message goes for its size, if it can be shown.
    void placeMessage();
    // Reads the message's options again, so that it follows the dialog.
    void followMessageOptions();
    // Lets the cursor and the sound go; once only, and only after a start.
    void unload();

    // The turns of the frame.
    void drawMessage();
    void drawLogo();
    // Returns whether the aircraft cruised in this frame.
    bool flySolo(const SoloAircraftRoute& route, Flight& flight, std::int64_t wait);
    void flyJet();
    void flyPlane(std::size_t row);
    void drawClock();

    // A step: across, and for a drifting formation plane up or down.
    void step(Surface picture, int stepX, int stepY);
    // The formation plane's vertical step: its table's, times 800 / width, so
    // that on any canvas it climbs or sinks the same share of the height
    // while crossing.
    int driftStep(const FormationPlaneRoute& route, Flight& flight);

    template <typename Mover> void stepIfDue(std::uint32_t& tick, Mover mover);
    void parkSolo(const SoloAircraftRoute& route, Flight& flight);
    void relaunchIfDue(const SoloAircraftRoute& route, Flight& flight, std::int64_t wait);

    void endByInput();
    Surface loadPicture(const QString& fileName, Transparency transparency, int x, int y);

    SceneServices m_services;
    SceneOptions m_options;

    // The canvas, and the top of the band the aircraft fly in.
    QSize m_canvasSize{DrawingControl::ClassicWidth, DrawingControl::ClassicHeight};
    int m_widening = 0; // units the canvas is wider than 800
    int m_bandTop = 0;

    // The message's options, read again on every frame.
    bool m_messageShown = false;        // "MessageChecked"
    QString m_message;                  // "Message"
    QString m_messageFont;              // "FontName"
    std::optional<int> m_messagePixels; // none when the size cannot be shown
    int m_messageY = 0;

    // Pictures on the canvas besides the aircraft.
    Surface m_backgroundPicture = 0;
    Surface m_logoPicture = 0;

    // Flights. Tick counts are compared by unsigned difference, so the
    // counter's wrap-around does no harm.
    Flight m_backgroundPlane;
    Flight m_jet;
    int m_flightAltitude = 0;          // park height shared by the background plane and the jet
    std::array<Flight, 15> m_planes{}; // in the flight table's order

    // Input.
    std::int16_t m_mouseMoves = 0;
    std::int32_t m_mouseWindowStart = 0; // seconds since midnight, 0 when none is open

    // Sound and clock.
    std::int32_t m_jetSound = 0;
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
