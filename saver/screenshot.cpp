#include "screenshot.h"

#include <cstdio>

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace skyraid {

void scheduleScreenshot(const QString& file, int delayMs)
{
    QTimer::singleShot(delayMs, qApp, [file] {
        QPixmap picture;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible() && widget->isWindow()) {
                picture = widget->grab();
                break;
            }
        }
        if (picture.isNull() && QGuiApplication::primaryScreen())
            picture = QGuiApplication::primaryScreen()->grabWindow(0);
        if (!picture.save(file, "PNG"))
            std::fprintf(stderr, "skyraid: cannot write %s\n", qPrintable(file));
        QCoreApplication::exit(0);
    });
}

} // namespace skyraid
