// The aircraft's turns in the frame: the background plane and the fast jet
// cross, park and relaunch after their pauses; the formation planes fly
// their relay, each launching the next.
#include "flighttable.h"
#include "saverscene.h"
#include "sound/soundcontrol.h"

#include <cmath>

namespace skyraid {

void SaverScene::step(Surface picture, int stepX, int stepY)
{
    if (stepY != 0)
        m_services.drawing.moveSurfaceY(picture, stepY);
    m_services.drawing.moveSurfaceX(picture, stepX);
}

int SaverScene::driftStep(const FormationPlaneRoute& route, Flight& flight)
{
    // What is left over is carried to the next step: on the classic canvas
    // every step is the table's.
    const int width = m_canvasSize.width();
    flight.driftOwed += route.driftY * DrawingControl::ClassicWidth;
    const int stepY = flight.driftOwed / width;
    flight.driftOwed -= stepY * width;
    return stepY;
}

// An aircraft steps at most once a frame, and only once "Speed" milliseconds
// have passed since its last step.
template <typename Mover> void SaverScene::stepIfDue(std::uint32_t& tick, Mover mover)
{
    const std::uint32_t elapsed = m_services.time.tickCount() - tick;
    if (elapsed >= m_options.stepMs) {
        mover();
        tick = m_services.time.tickCount();
    }
}

void SaverScene::parkSolo(const SoloAircraftRoute& route, Flight& flight)
{
    flight.seconds = 0;
    flight.inFlight = false;
    m_services.drawing.setSurfaceX(flight.picture, across(route.restartX));
    m_services.drawing.setSurfaceY(flight.picture, down(m_flightAltitude));
}

void SaverScene::relaunchIfDue(const SoloAircraftRoute& route, Flight& flight, std::int64_t wait)
{
    m_services.drawing.setSurfaceX(flight.picture, across(route.restartX));
    m_services.drawing.setSurfaceY(flight.picture, down(m_flightAltitude));
    if (flight.seconds >= wait) {
        flight.inFlight = true;
        m_flightAltitude = int(std::floor(m_services.random.nextFraction() * 500));
    }
}

bool SaverScene::flySolo(const SoloAircraftRoute& route, Flight& flight, std::int64_t wait)
{
    DrawingControl& drawing = m_services.drawing;
    drawing.drawSurface(flight.picture);
    const bool cruising = flight.cruising;
    const bool flying = flight.inFlight;
    if (flying) {
        ++flight.phaseFrames;
        std::uint32_t& tick =
            cruising || !route.driftsOnItsOwnClock ? flight.tick : flight.driftTick;
        stepIfDue(tick, [&] { step(flight.picture, route.stepX, 0); });
        flight.x = drawing.surfaceX(flight.picture);
        if ((!cruising || route.parksWhileCruising) && flight.x < across(route.exitX))
            parkSolo(route, flight);
        if (flight.phaseFrames == (cruising ? route.cruiseFrames : route.driftFrames)) {
            flight.cruising = !cruising;
            flight.phaseFrames = 0;
        }
    }
    if (!flight.inFlight)
        relaunchIfDue(route, flight, wait);
    return flying && cruising;
}

void SaverScene::flyJet()
{
    // The jet roars while it cruises in sight.
    const bool cruised = flySolo(FastJet, m_jet, m_options.jetWait);
    if (cruised && m_jet.x > 200 && m_jet.x < across(805) && !m_silenced) {
        m_services.sound.setVolume(m_jetSound, m_options.volume);
        m_services.sound.playSound(m_jetSound, -1, -1);
    }
}

void SaverScene::flyPlane(std::size_t row)
{
    DrawingControl& drawing = m_services.drawing;
    Flight& plane = m_planes[row];
    const FormationPlaneRoute& route = FlightTable[row];

    ++plane.phaseFrames;
    drawing.drawSurface(plane.picture);
    if (!plane.cruising) {
        stepIfDue(plane.tick, [&] { step(plane.picture, route.stepX, driftStep(route, plane)); });
        if (plane.phaseFrames == route.driftFrames) {
            plane.cruising = true;
            plane.phaseFrames = 0;
        }
        return;
    }

    stepIfDue(plane.tick, [&] { step(plane.picture, route.stepX, 0); });
    plane.x = drawing.surfaceX(plane.picture);
    const int exitX = across(route.exitX);
    if (route.leftward() ? plane.x < exitX : plane.x > exitX) {
        plane.inFlight = false;
        plane.driftOwed = 0;
        drawing.setSurfaceX(plane.picture, across(route.restartX));
        drawing.setSurfaceY(plane.picture, down(route.restartY));
    }
    if (plane.phaseFrames == route.cruiseFrames) {
        plane.cruising = false;
        plane.phaseFrames = 0;
    }
    const int handOverX = across(route.handOverX);
    if (route.leftward() ? plane.x < handOverX : plane.x > handOverX)
        m_planes[std::size_t(route.next)].inFlight = true;
}

} // namespace skyraid
