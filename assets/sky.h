#pragma once

#include <QImage>
#include <QSize>

namespace skyraid::art {

// The versions of the sunset: the picture itself, 800 x 600 at scale 1; a
// panorama of it, 2400 x 600, reaching 800 further to either side; and a
// tall version, 800 x 1600, reaching 500 further up and down. The picture
// lies unchanged in the middle of each.
enum class SunsetShape { Picture, Wide, Tall };

// The sunset: an evening sky from deep blue overhead to yellow and orange at
// the horizon, banks of clouds lit from below by a low sun, distant hills,
// drawn `scale` times as large.
QImage sunsetSky(SunsetShape shape = SunsetShape::Picture, int scale = 1);

// The still picture of the preview window, in full colour: jets singly and in
// formation against a dark sky with orange sunset clouds.
QImage previewScene(QSize size = QSize(153, 115));

} // namespace skyraid::art
