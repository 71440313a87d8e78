#pragma once

#include <functional>

#include <QString>
#include <QStringList>

class QWidget;

namespace skyraid {

// The caption of the program's own message boxes.
QString programTitle();

// Modal message boxes with an OK button.
class MessageBoxes {
public:
    enum class Icon { None, Exclamation };

    virtual ~MessageBoxes() = default;
    // Shows the message over `owner` and returns once it is dismissed.
    virtual void show(QWidget* owner, Icon icon, const QString& title, const QString& text) = 0;
};

// The message boxes of the desktop.
MessageBoxes& standardMessageBoxes();

// The root folders of the mounted volumes: the machine's drives, sorted.
QStringList mountedVolumes();

// What the dialog and its pickers need from outside the settings store. The
// defaults are the real ones; tests put their own in.
struct DialogServices {
    MessageBoxes* messages = &standardMessageBoxes();
    std::function<QStringList()> volumes = mountedVolumes;
};

} // namespace skyraid
