#include "controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFrame>

namespace skyraid::controls {

namespace {

// A scroll bar that shows when it has the keyboard focus, as the dialog's
// other controls do: the common styles draw no focus on a scroll bar, and the
// arrow keys would move a bar that nothing points out. It is framed in the
// palette's highlight colour, in which styles mark a focused text box.
class FocusFramedScrollBar final : public QScrollBar {
public:
    using QScrollBar::QScrollBar;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QScrollBar::paintEvent(event);
        if (!hasFocus())
            return;
        constexpr qreal Width = 2;
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Highlight), Width));
        painter.drawRect(QRectF(rect()).adjusted(Width / 2, Width / 2, -Width / 2, -Width / 2));
    }
};

} // namespace

QLabel* label(const QString& text, const QString& name, QWidget* parent)
{
    auto* result = new QLabel(text, parent);
    result->setObjectName(name);
    return result;
}

QLineEdit* textBox(const QString& text, const QString& name, QWidget* parent)
{
    auto* result = new QLineEdit(text, parent);
    result->setObjectName(name);
    return result;
}

QCheckBox* checkBox(const QString& caption, const QString& name, QWidget* parent)
{
    auto* result = new QCheckBox(caption, parent);
    result->setObjectName(name);
    return result;
}

QScrollBar* scrollBar(int minimum, int maximum, int start, const QString& name, QWidget* parent)
{
    auto* result = new FocusFramedScrollBar(Qt::Horizontal, parent);
    result->setObjectName(name);
    result->setRange(minimum, maximum);
    result->setValue(start);
    result->setSingleStep(1);
    result->setPageStep(1);
    result->setTracking(false);
    // A scroll bar's keys are inverted by default; here Right means more.
    result->setInvertedControls(false);
    // Reachable with Tab and moved with the arrow keys, like any other control.
    result->setFocusPolicy(Qt::StrongFocus);
    result->setMinimumWidth(80);
    return result;
}

QComboBox* editableList(const QStringList& items, const QString& name, QWidget* parent)
{
    auto* result = new QComboBox(parent);
    result->setObjectName(name);
    result->setEditable(true);
    result->setInsertPolicy(QComboBox::NoInsert);
    // No completion: the text part holds exactly what was typed.
    result->setCompleter(nullptr);
    result->addItems(items);
    // Going through the pop-up makes the next entry a pick, even one whose
    // text was typed already.
    QObject::connect(result, &QComboBox::highlighted, result,
                     [result] { result->lineEdit()->setModified(false); });
    return result;
}

bool reachedByTyping(QComboBox& list)
{
    // Selecting an entry puts its text into the text part, which clears the
    // typed flag, unless the text is already there because it was typed.
    QLineEdit* text = list.lineEdit();
    if (!text || !text->isModified())
        return false;
    text->setModified(false);
    return true;
}

void fitDigits(QLineEdit* box, int digits)
{
    QStyleOptionFrame option;
    option.initFrom(box);
    const QFontMetrics metrics(box->font());
    const QSize text(metrics.horizontalAdvance(QString(digits, u'0')) + 8, metrics.height());
    box->setFixedWidth(
        box->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, box).width());
}

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

void setBold(QWidget* widget)
{
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
}

} // namespace skyraid::controls
