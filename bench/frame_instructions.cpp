// Composes a number of busy frames, for instruction counts under callgrind:
//   valgrind --tool=callgrind frame_instructions <frames>
#include "scenefixture.h"

#include <QGuiApplication>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const int frames = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100;
    skyraid::bench::BusyScene scene;
    scene.frame();
    for (int i = 0; i < frames; ++i)
        scene.frame();
    return 0;
}
