#pragma once

#include <array>

#include <QLatin1String>

namespace skyraid {

// Positions and heights are written for the classic 800 x 600 canvas.

// One row of the relay: a formation plane's picture, where it starts, how it
// flies, where it leaves, where it waits and whom it launches.
struct FormationPlaneRoute {
    QLatin1String picture;
    int startX;
    int startY;
    int stepX;        // -1 flies leftward, +1 rightward
    int driftY;       // vertical step of a drift-phase step
    int cruiseFrames; // length of the cruise phase, in frames
    int driftFrames;  // length of the drift phase, in frames
    int exitX;        // parked once past it (leftward: below, rightward: above)
    int restartX;     // where it waits for its next launch
    int restartY;
    int handOverX; // launches the next plane once past it
    int next;      // the row of the plane it launches

    bool leftward() const { return stepX < 0; }
};

// Planes re-enter at the height they first flew at: a plane put back on the
// top edge that drifts upward would leave the screen at once.
// clang-format off
inline constexpr std::array<FormationPlaneRoute, 15> FlightTable{{
    // Picture                       Start        Step DY Cruise Drift Exit  Restart      HandOver Next
    {QLatin1String("skyr01.bmp"),  805, 180,  -1, +1, 25, 1, -288,  805, 180, 100,  1},
    {QLatin1String("skyr02.bmp"), -301, 200,  +1, +1,  2, 1,  805, -325, 200, 700,  2},
    {QLatin1String("skyr12.bmp"),  805, 180,  -1, +1, 10, 5, -305,  805, 180, 100,  3},
    {QLatin1String("skyr03.bmp"), -270, 100,  +1, +1, 25, 1,  805, -292, 100, 700,  4},
    {QLatin1String("skyr16.bmp"),  805, 500,  -1, +1, 10, 1, -350,  805, 500, 100,  5},
    {QLatin1String("skyr08.bmp"), -280, 300,  +1, +1,  8, 1,  805, -301, 300, 700,  6},
    {QLatin1String("skyr10.bmp"),  805, 175,  -1, +1, 13, 8, -305,  805, 175, 100,  7},
    {QLatin1String("skyr09.bmp"), -285,  70,  +1, +1, 12, 5,  805, -301,  70, 700,  8},
    {QLatin1String("skyr14.bmp"),  805, 290,  -1, -1, 17, 1, -288,  805, 290, 100,  9},
    {QLatin1String("skyr18.bmp"),  805, 330,  -1, +1,  6, 2, -301,  805, 330, 100, 10},
    {QLatin1String("skyr13.bmp"), -280,  80,  +1, -1,  6, 1,  805, -271,  80, 700, 11},
    {QLatin1String("skyr17.bmp"),  805, 370,  -1, -1, 10, 4, -341,  805, 370, 100, 12},
    {QLatin1String("skyr19.bmp"),  805, 120,  -1, +1, 25, 2, -280,  805, 120, 100, 13},
    {QLatin1String("skyr22.bmp"), -280, 250,  +1, -1, 10, 4,  805, -282, 250, 700, 14},
    {QLatin1String("skyr20.bmp"),  805, 365,  -1, +1, 10, 4, -301,  805, 365, 100,  0},
}};
// clang-format on

// The background plane and the fast jet: they cross leftward without
// climbing or sinking, park off the left edge and wait their pause out.
struct SoloAircraftRoute {
    QLatin1String picture;
    int startY;
    int stepX;
    int cruiseFrames;
    int driftFrames;
    int exitX;
    int restartX;
    bool parksWhileCruising;  // else only in drift frames
    bool driftsOnItsOwnClock; // drift steps are timed from the last drift step, not the last step
};
inline constexpr SoloAircraftRoute BackgroundPlane{
    QLatin1String("skyrbg.bmp"), 350, -1, 10, 1, -350, 805, true, true};
inline constexpr SoloAircraftRoute FastJet{
    QLatin1String("FastJet.bmp"), 75, -2, 100, 100, -350, 805, false, false};

} // namespace skyraid
