#pragma once

#include "canvasgeometry.h"
#include "drawingcontrol.h"

#include <functional>
#include <vector>

#include <QFuture>
#include <QImage>
#include <QRect>
#include <QString>
#include <QThreadPool>

namespace skyraid {

// The pictures of a canvas's surfaces, read from their files and placed at
// the canvas's scale. Pictures are read when first needed, all that are
// waiting at once, side by side. A picture that needs scaling is first drawn
// scaled the fast way as it is painted; its smooth version, scaled from a
// sharper version of it where there is one, is made on the store's own
// threads once smooth versions are started, and takes its place once ready.
// The store waits for that work before it goes.
class PictureStore {
public:
    // A picture as it is shown: painted at its size in pixels, either as it
    // is or (while `from` is valid) `from`'s part of it scaled the fast way.
    struct Shown {
        QImage image;
        QRect from;
        QSize size;
        // Changes whenever the picture does, so that frames can compare.
        unsigned generation = 0;
    };

    explicit PictureStore(CanvasGeometry geometry);
    ~PictureStore();
    PictureStore(const PictureStore&) = delete;
    PictureStore& operator=(const PictureStore&) = delete;

    Surface add();
    bool contains(Surface surface) const;
    // Reads `fileName` into the surface when it is next needed.
    void load(Surface surface, const QString& fileName, Transparency transparency);
    // Scales the surface's picture to cover the whole canvas, centred, the
    // overflow cut off.
    void cover(Surface surface);

    // The surface's picture as it is to be shown now: read if it waits to
    // be, its smooth version put in place if that is ready (or, with
    // `waitForSmooth`, once it is). Null for an unknown surface.
    const Shown* take(Surface surface, bool waitForSmooth = false);
    // The picture as last taken, for painting.
    const Shown& shown(Surface surface) const;

    // From now on, smooth versions are made as pictures are read.
    void startSmoothVersions();
    // Waits until the smooth versions on their way are ready.
    void waitForSmoothVersions() { m_pool.waitForDone(); }

private:
    struct Entry {
        QString fileName;
        Transparency transparency = Transparency::Opaque;
        bool cover = false;
        bool pending = false; // asked for, not read yet
        Shown shown;
        // Its smooth version: to be started, then on its way.
        std::function<QImage()> makeSmooth;
        QFuture<QImage> smooth;
    };

    Entry& entry(Surface surface);
    void readAgain(Entry& entry);
    void readPending();
    void read(Entry& entry) const;
    void startSmooth(Entry& entry);
    void takeSmooth(Entry& entry, bool wait);

    CanvasGeometry m_geometry;
    std::vector<Entry> m_entries;
    bool m_smoothStarted = false;
    unsigned m_generations = 0;
    QThreadPool m_pool; // declared last: its threads end before the rest goes
};

} // namespace skyraid
