// The aircraft's turns in the frame: the background plane and the fast jet
// cross, park and relaunch after their pauses; the formation planes fly
// their relay, each launching the next.
#include "flighttable.h"
#include "saverscene.h"
#include "settings/conversions.h"
#include "sound/soundcontrol.h"

#include <cmath>

namespace skyraid {

namespace {

const FormationPlaneSpec& planeRow(int k)
{
    return FlightTable[std::size_t(k - 1)];
}

} // namespace

void SaverScene::cruiseBackgroundPlane()
{
    m_services.drawing.moveSurfaceX(m_backgroundPlanePicture, BackgroundPlane.StepX);
}

void SaverScene::driftBackgroundPlane()
{
    cruiseBackgroundPlane();
}

void SaverScene::cruiseJet()
{
    m_services.drawing.moveSurfaceX(m_jetPicture, FastJet.StepX);
}

void SaverScene::driftJet()
{
    cruiseJet();
}

void SaverScene::cruisePlane(int k)
{
    m_services.drawing.moveSurfaceX(m_planePictures[std::size_t(k)], planeRow(k).StepX);
}

void SaverScene::driftPlane(int k)
{
    m_services.drawing.moveSurfaceY(m_planePictures[std::size_t(k)], planeRow(k).DriftY);
    cruisePlane(k);
}

// An aircraft steps at most once a frame, and only once "Speed" milliseconds
// have passed since its last step.
template <typename Mover> void SaverScene::stepIfDue(std::uint32_t& tick, Mover mover)
{
    const std::uint32_t elapsed = m_services.time.tickCount() - tick;
    if (double(elapsed) >= m_stepMs) {
        mover();
        tick = m_services.time.tickCount();
    }
}

void SaverScene::parkSolo(const SoloAircraft& aircraft, Surface surface, int& waiting, int& seconds)
{
    seconds = 0;
    waiting = 1;
    m_services.drawing.setSurfaceX(surface, across(aircraft.RestartX));
    m_services.drawing.setSurfaceY(surface, m_flightAltitude);
}

void SaverScene::relaunchIfDue(const SoloAircraft& aircraft, Surface surface, int& waiting,
                               int seconds, double delay)
{
    m_services.drawing.setSurfaceX(surface, across(aircraft.RestartX));
    m_services.drawing.setSurfaceY(surface, m_flightAltitude);
    if (seconds > delay - 1) {
        waiting = 0;
        m_flightAltitude = int(std::floor(m_services.random.nextFraction() * 500));
    }
}

void SaverScene::flyBackgroundPlane()
{
    DrawingControl& drawing = m_services.drawing;
    drawing.drawSurface(m_backgroundPlanePicture);
    if (m_backgroundPlaneParked == 0) {
        const bool cruise = m_backgroundPlanePhase == -1;
        ++m_backgroundPlanePhaseFrames;
        stepIfDue(cruise ? m_backgroundPlaneCruiseTick : m_backgroundPlaneDriftTick,
                  [this, cruise] { cruise ? cruiseBackgroundPlane() : driftBackgroundPlane(); });
        m_backgroundPlaneX = drawing.surfaceX(m_backgroundPlanePicture);
        if (m_backgroundPlaneX < across(BackgroundPlane.ExitX))
            parkSolo(BackgroundPlane, m_backgroundPlanePicture, m_backgroundPlaneParked,
                     m_backgroundPlaneSeconds);
        if (m_backgroundPlanePhaseFrames ==
            (cruise ? BackgroundPlane.CruiseFrames : BackgroundPlane.DriftFrames)) {
            m_backgroundPlanePhase = cruise ? 0 : -1;
            m_backgroundPlanePhaseFrames = 0;
        }
    }
    if (m_backgroundPlaneParked == 1) {
        // A text that is not a number waits no time at all.
        relaunchIfDue(BackgroundPlane, m_backgroundPlanePicture, m_backgroundPlaneParked,
                      m_backgroundPlaneSeconds, toNumber(m_backgroundPlaneDelay));
    }
}

void SaverScene::flyJet()
{
    DrawingControl& drawing = m_services.drawing;
    drawing.drawSurface(m_jetPicture);
    if (m_jetParked == 0) {
        ++m_jetPhaseFrames;
        if (m_jetCruising) {
            stepIfDue(m_jetTick, [this] { cruiseJet(); });
            m_jetX = drawing.surfaceX(m_jetPicture);
            if (m_jetPhaseFrames == FastJet.CruiseFrames) {
                m_jetCruising = false;
                m_jetPhaseFrames = 0;
            }
            if (m_jetX > 200 && m_jetX < across(805) && isYes(m_jetOption) && !m_silenced) {
                m_services.sound.setVolume(m_jetSound, m_volume);
                m_services.sound.playSound(m_jetSound, -1, -1);
            }
        } else {
            stepIfDue(m_jetTick, [this] { driftJet(); });
            m_jetX = drawing.surfaceX(m_jetPicture);
            // Parked only in drift frames: one cruise phase covers at most
            // 200 pixels, so the jet is never far past its limit.
            if (m_jetX < across(FastJet.ExitX))
                parkSolo(FastJet, m_jetPicture, m_jetParked, m_jetSeconds);
            if (m_jetPhaseFrames == FastJet.DriftFrames) {
                m_jetCruising = true;
                m_jetPhaseFrames = 0;
            }
        }
    }
    if (m_jetParked == 1)
        relaunchIfDue(FastJet, m_jetPicture, m_jetParked, m_jetSeconds, m_jetDelay);
}

void SaverScene::flyPlane(int k)
{
    DrawingControl& drawing = m_services.drawing;
    FormationPlane& plane = m_planes[std::size_t(k)];
    const FormationPlaneSpec& row = planeRow(k);
    const Surface surface = m_planePictures[std::size_t(k)];

    ++plane.phaseFrames;
    drawing.drawSurface(surface);
    if (plane.phase != -1) {
        stepIfDue(plane.lastMoveTick, [this, k] { driftPlane(k); });
        if (plane.phaseFrames == row.DriftFrames) {
            plane.phase = -1;
            plane.phaseFrames = 0;
        }
        return;
    }

    stepIfDue(plane.lastMoveTick, [this, k] { cruisePlane(k); });
    plane.lastX = drawing.surfaceX(surface);
    const int exitX = across(row.ExitX);
    if (row.leftward() ? plane.lastX < exitX : plane.lastX > exitX) {
        plane.active = false;
        drawing.setSurfaceX(surface, across(row.RestartX));
        drawing.setSurfaceY(surface, row.RestartY);
    }
    if (plane.phaseFrames == row.CruiseFrames) {
        plane.phase = 0;
        plane.phaseFrames = 0;
    }
    const int handOverX = across(row.HandOverX);
    if (row.leftward() ? plane.lastX < handOverX : plane.lastX > handOverX)
        m_planes[std::size_t(row.Activates)].active = true;
}

} // namespace skyraid
