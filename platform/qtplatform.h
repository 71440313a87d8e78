#pragma once

#include "platform.h"

namespace skyraid {

// What every platform does the same way through Qt.
class QtPlatform : public Platform {
public:
    void showCursor(bool show) override;
    void showMessage(const QString& title, const QString& text) override;

private:
    int m_hidden = 0;
};

} // namespace skyraid
