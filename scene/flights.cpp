// The aircraft's turns in the frame: the background plane and the fast jet
// cross, park and relaunch after their pauses; the formation planes fly
// their relay, each launching the next.
#include "flighttable.h"
#include "form1.h"
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

void Form1::MoveBGPlane()
{
    m_services.drawing.MoveSurfaceX(sprBGPlane, BackgroundPlane.StepX);
}

void Form1::MoveBGPlaneb()
{
    MoveBGPlane();
}

void Form1::MoveJet()
{
    m_services.drawing.MoveSurfaceX(sprJet, FastJet.StepX);
}

void Form1::MoveJetb()
{
    MoveJet();
}

void Form1::MovePlane(int k)
{
    m_services.drawing.MoveSurfaceX(sprPlane[std::size_t(k)], planeRow(k).StepX);
}

void Form1::MovePlaneb(int k)
{
    m_services.drawing.MoveSurfaceY(sprPlane[std::size_t(k)], planeRow(k).DriftY);
    MovePlane(k);
}

// An aircraft steps at most once a frame, and only once "Speed" milliseconds
// have passed since its last step.
template <typename Mover> void Form1::stepIfDue(std::uint32_t& tick, Mover mover)
{
    const std::uint32_t elapsed = m_services.time.tickCount() - tick;
    if (double(elapsed) >= Speed) {
        mover();
        tick = m_services.time.tickCount();
    }
}

void Form1::parkSolo(const SoloAircraft& aircraft, Surface surface, int& waiting, int& seconds)
{
    seconds = 0;
    waiting = 1;
    m_services.drawing.SetSurfaceX(surface, aircraft.RestartX);
    m_services.drawing.SetSurfaceY(surface, FlightAltitude);
}

void Form1::relaunchIfDue(const SoloAircraft& aircraft, Surface surface, int& waiting, int seconds,
                          double delay)
{
    m_services.drawing.SetSurfaceX(surface, aircraft.RestartX);
    m_services.drawing.SetSurfaceY(surface, FlightAltitude);
    if (seconds > delay - 1) {
        waiting = 0;
        FlightAltitude = int(std::floor(m_services.random.nextFraction() * 500));
    }
}

void Form1::BGPlaneTurn()
{
    DrawingControl& drawing = m_services.drawing;
    drawing.DrawSurface(sprBGPlane);
    if (BGPlaneWaiting == 0) {
        const bool cruise = BGPlanePhase == -1;
        ++BGPlanePhaseCount;
        stepIfDue(cruise ? BGPlaneTickA : BGPlaneTickB,
                  [this, cruise] { cruise ? MoveBGPlane() : MoveBGPlaneb(); });
        BGPlaneX = drawing.GetSurfaceX(sprBGPlane);
        if (BGPlaneX < BackgroundPlane.ExitX)
            parkSolo(BackgroundPlane, sprBGPlane, BGPlaneWaiting, BGPlaneSeconds);
        if (BGPlanePhaseCount ==
            (cruise ? BackgroundPlane.CruiseFrames : BackgroundPlane.DriftFrames)) {
            BGPlanePhase = cruise ? 0 : -1;
            BGPlanePhaseCount = 0;
        }
    }
    if (BGPlaneWaiting == 1) {
        // A text that is not a number waits no time at all.
        relaunchIfDue(BackgroundPlane, sprBGPlane, BGPlaneWaiting, BGPlaneSeconds,
                      toNumber(BGFreq));
    }
}

void Form1::JetTurn()
{
    DrawingControl& drawing = m_services.drawing;
    drawing.DrawSurface(sprJet);
    if (JetWaiting == 0) {
        ++JetPhaseCount;
        if (JetPhase) {
            stepIfDue(JetTick, [this] { MoveJet(); });
            JetX = drawing.GetSurfaceX(sprJet);
            if (JetPhaseCount == FastJet.CruiseFrames) {
                JetPhase = false;
                JetPhaseCount = 0;
            }
            if (JetX > 200 && JetX < 805 && isYes(Prop) && !SilencedFlag) {
                m_services.sound.SetVolume(sndJets, Volume);
                m_services.sound.PlaySound(sndJets, -1, -1);
            }
        } else {
            stepIfDue(JetTick, [this] { MoveJetb(); });
            JetX = drawing.GetSurfaceX(sprJet);
            // Parked only in drift frames: one cruise phase covers at most
            // 200 pixels, so the jet is never far past its limit.
            if (JetX < FastJet.ExitX)
                parkSolo(FastJet, sprJet, JetWaiting, JetSeconds);
            if (JetPhaseCount == FastJet.DriftFrames) {
                JetPhase = true;
                JetPhaseCount = 0;
            }
        }
    }
    if (JetWaiting == 1)
        relaunchIfDue(FastJet, sprJet, JetWaiting, JetSeconds, SecDelay);
}

void Form1::PlaneTurn(int k)
{
    DrawingControl& drawing = m_services.drawing;
    FormationPlane& plane = Planes[std::size_t(k)];
    const FormationPlaneSpec& row = planeRow(k);
    const Surface surface = sprPlane[std::size_t(k)];

    ++plane.PhaseCount;
    drawing.DrawSurface(surface);
    if (plane.Phase != -1) {
        stepIfDue(plane.LastMoveTick, [this, k] { MovePlaneb(k); });
        if (plane.PhaseCount == row.DriftFrames) {
            plane.Phase = -1;
            plane.PhaseCount = 0;
        }
        return;
    }

    stepIfDue(plane.LastMoveTick, [this, k] { MovePlane(k); });
    plane.LastX = drawing.GetSurfaceX(surface);
    if (row.leftward() ? plane.LastX < row.ExitX : plane.LastX > row.ExitX) {
        plane.Active = false;
        drawing.SetSurfaceX(surface, row.RestartX);
        drawing.SetSurfaceY(surface, row.RestartY);
    }
    if (plane.PhaseCount == row.CruiseFrames) {
        plane.Phase = 0;
        plane.PhaseCount = 0;
    }
    if (row.leftward() ? plane.LastX < row.HandOverX : plane.LastX > row.HandOverX)
        Planes[std::size_t(row.Activates)].Active = true;
}

} // namespace skyraid
