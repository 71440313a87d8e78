#pragma once

#include <QColor>
#include <QGroupBox>

namespace skyraid {

// A frame whose caption is bold and dark blue while its contents keep the
// dialog's own font and colours.
class FrameBox final : public QGroupBox {
    Q_OBJECT
public:
    FrameBox(const QString& caption, const QString& name, QWidget* parent = nullptr);

    static QColor captionColour() { return QColor(0, 0, 192); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void initStyleOption(QStyleOptionGroupBox* option) const override;
};

} // namespace skyraid
