#pragma once

#include <QImage>
#include <QSize>

namespace skyraid::art {

// The sunset: an evening sky from deep blue overhead to yellow and orange at
// the horizon, banks of clouds lit from below by a low sun, distant hills.
QImage sunsetSky(QSize size = QSize(800, 600));

// The still picture of the preview window, in full colour: jets singly and in
// formation against a dark sky with orange sunset clouds.
QImage previewScene(QSize size = QSize(153, 115));

} // namespace skyraid::art
