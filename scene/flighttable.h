#pragma once

#include <QLatin1String>

#include <array>

namespace skyraid {

// The fifteen formation planes of the relay: picture and start position.
struct FormationPlaneSpec {
    QLatin1String Picture;
    int StartX;
    int StartY;
};

// clang-format off
inline constexpr std::array<FormationPlaneSpec, 15> FlightTable{{
    {QLatin1String("skyr01.bmp"), 805, 180},
    {QLatin1String("skyr02.bmp"), -301, 200},
    {QLatin1String("skyr12.bmp"), 805, 180},
    {QLatin1String("skyr03.bmp"), -270, 100},
    {QLatin1String("skyr16.bmp"), 805, 500},
    {QLatin1String("skyr08.bmp"), -280, 300},
    {QLatin1String("skyr10.bmp"), 805, 175},
    {QLatin1String("skyr09.bmp"), -285, 70},
    {QLatin1String("skyr14.bmp"), 805, 290},
    {QLatin1String("skyr18.bmp"), 805, 330},
    {QLatin1String("skyr13.bmp"), -280, 80},
    {QLatin1String("skyr17.bmp"), 805, 370},
    {QLatin1String("skyr19.bmp"), 805, 120},
    {QLatin1String("skyr22.bmp"), -280, 250},
    {QLatin1String("skyr20.bmp"), 805, 365},
}};
// clang-format on

} // namespace skyraid
