// Composes a number of busy frames, for instruction counts under callgrind:
//   valgrind --tool=callgrind frame_instructions <frames> [canvas | scene]
// "canvas" (the default) draws a busy scene straight on the canvas; "scene"
// runs the real saver scene's frames, settings re-reads and all.
#include "busysaverscene.h"
#include "scenefixture.h"

#include <QGuiApplication>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const int frames = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100;
    if (argc > 2 && QString::fromLocal8Bit(argv[2]) == u"scene") {
        skyraid::bench::BusySaverScene scene;
        for (int i = 0; i < frames; ++i)
            scene.frame();
        return 0;
    }
    skyraid::bench::BusyScene scene;
    scene.frame();
    for (int i = 0; i < frames; ++i)
        scene.frame();
    return 0;
}
