#pragma once

#include "scene/canvas.h"

#include <vector>

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

namespace skyraid::bench {

// A busy frame: background picture, seventeen aircraft on the move, the
// message and the clock.
class BusyScene {
public:
    BusyScene()
    {
        QImage sky(800, 600, QImage::Format_RGB32);
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x)
                sky.setPixel(x, y, qRgb(40 + y / 4, 30 + y / 5, 120 - y / 6));
        sky.save(m_dir.filePath(QStringLiteral("sky.bmp")));
        QImage plane(180, 60, QImage::Format_RGB32);
        plane.fill(qRgb(255, 0, 255));
        QPainter painter(&plane);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(QColor(200, 200, 210));
        painter.drawEllipse(10, 20, 160, 20);
        painter.drawPolygon(QPolygon({QPoint(80, 30), QPoint(120, 2), QPoint(130, 30)}));
        painter.end();
        plane.save(m_dir.filePath(QStringLiteral("plane.bmp")));

        m_background = m_canvas.createSurface();
        m_canvas.loadPicture(m_background, m_dir.filePath(QStringLiteral("sky.bmp")),
                             Transparency::Opaque);
        for (int i = 0; i < 17; ++i) {
            const Surface s = m_canvas.createSurface();
            m_canvas.loadPicture(s, m_dir.filePath(QStringLiteral("plane.bmp")),
                                 Transparency::KeyedByTopLeftPixel);
            m_canvas.setX(s, 40 * i);
            m_canvas.setY(s, 30 * i);
            m_planes.push_back(s);
        }
    }

    // Composes one frame in which every aircraft has moved a step.
    void frame()
    {
        ++m_frame;
        m_canvas.drawSurface(m_background);
        m_canvas.setFont(QStringLiteral("Arial"), 30);
        m_canvas.drawText(QStringLiteral("Place a message here"), 10, 560, qRgb(255, 255, 0));
        for (std::size_t i = 0; i < m_planes.size(); ++i) {
            const Surface s = m_planes[i];
            m_canvas.drawSurface(s);
            m_canvas.moveX(s, i % 2 ? 1 : -1);
            if (m_canvas.x(s) < -200 || m_canvas.x(s) > 820)
                m_canvas.setX(s, 400);
        }
        m_canvas.setFont(QStringLiteral("Arial"), 16);
        m_canvas.drawText(
            QStringLiteral("12:34:%1").arg(m_frame / 60 % 60, 2, 10, QLatin1Char('0')), 700, 10,
            qRgb(255, 255, 255));
        m_canvas.flip();
    }

private:
    QTemporaryDir m_dir;
    Canvas m_canvas;
    Surface m_background = 0;
    std::vector<Surface> m_planes;
    int m_frame = 0;
};

} // namespace skyraid::bench
