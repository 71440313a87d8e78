#pragma once

#include <QWidget>

namespace skyraid {

// The "Help" tab: three questions, each with its answer below it.
class HelpTab final : public QWidget {
    Q_OBJECT
public:
    explicit HelpTab(QWidget* parent = nullptr);
};

} // namespace skyraid
