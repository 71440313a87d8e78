#include "framebox.h"

#include <QStyleOptionGroupBox>
#include <QStylePainter>

namespace skyraid {

namespace {

QFont captionFont(const QWidget& widget)
{
    QFont font = widget.font();
    font.setBold(true);
    return font;
}

} // namespace

FrameBox::FrameBox(const QString& caption, const QString& name, QWidget* parent)
    : QGroupBox(caption, parent)
{
    setObjectName(name);
}

void FrameBox::initStyleOption(QStyleOptionGroupBox* option) const
{
    QGroupBox::initStyleOption(option);
    // The caption is measured in its bold font so that the frame's gap fits it.
    option->fontMetrics = QFontMetrics(captionFont(*this));
    // Some styles take the caption's colour from the option, others from its
    // palette; the palette here is the option's own copy.
    option->textColor = captionColour();
    option->palette.setColor(QPalette::WindowText, captionColour());
}

void FrameBox::paintEvent(QPaintEvent*)
{
    // Setting the font on the frame itself would make every control inside it
    // bold too; only the painter gets it.
    QStylePainter painter(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    painter.setFont(captionFont(*this));
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
}

} // namespace skyraid
