// The yardstick for the running saver's cost: the same kind of scene shown
// the plain Qt way. A full-screen raster window repaints everything sixty
// times a second with QPainter: the sunset scaled to the window, seventeen
// aircraft moving, the message and the clock.
//   naive_presenter <asset-folder>
#include <array>
#include <cmath>
#include <vector>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRasterWindow>
#include <QScreen>
#include <QTime>
#include <QTimer>

namespace {

class NaivePresenter final : public QRasterWindow {
public:
    explicit NaivePresenter(const QString& folder)
        : m_sky(folder + QStringLiteral("/Sunset Yellow.BMP"))
    {
        const std::array<const char*, 17> names{"FastJet", "skyrbg", "skyr01", "skyr02", "skyr03",
                                                "skyr08",  "skyr09", "skyr10", "skyr12", "skyr13",
                                                "skyr14",  "skyr16", "skyr17", "skyr18", "skyr19",
                                                "skyr20",  "skyr22"};
        for (const char* name : names)
            m_aircraft.push_back(
                QImage(folder + u'/' + QLatin1String(name) + QStringLiteral("@4x.png")));
        setFlags(Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
        m_timer.setTimerType(Qt::PreciseTimer);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            ++m_frame;
            update();
        });
        m_timer.start(1000 / 60);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(QPoint(0, 0), size()), m_sky);
        const double unit = height() / 600.0;
        for (std::size_t i = 0; i < m_aircraft.size(); ++i) {
            const QImage& picture = m_aircraft[i];
            const QSizeF size = QSizeF(picture.size()) * unit / 4;
            const double x =
                std::fmod(m_frame * (1 + i % 3) + 97.0 * i, width() / unit + 300) - 300;
            painter.drawImage(QRectF(QPointF(x * unit, (30 + 31 * i) * unit), size), picture);
        }
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(int(30 * unit));
        painter.setFont(font);
        painter.setPen(Qt::cyan);
        painter.drawText(QPointF(5 * unit, 590 * unit), QStringLiteral("Place a message here"));
        font.setPixelSize(int(16 * unit));
        painter.setFont(font);
        painter.setPen(Qt::yellow);
        painter.drawText(QPointF(0, 16 * unit), QTime::currentTime().toString());
    }

private:
    QImage m_sky;
    std::vector<QImage> m_aircraft;
    QTimer m_timer;
    int m_frame = 0;
};

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    NaivePresenter window(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    window.setGeometry(QGuiApplication::primaryScreen()->geometry());
    window.showFullScreen();
    return QGuiApplication::exec();
}
