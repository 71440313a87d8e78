#pragma once

#include <QColor>
#include <QString>

class QCheckBox;
class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QScrollBar;
class QWidget;

namespace skyraid::controls {

// The dialog's controls, each named as the dialog's code calls it so that
// it can be found by name.

QLabel* label(const QString& text, const QString& name, QWidget* parent);
QLineEdit* textBox(const QString& text, const QString& name, QWidget* parent);
QCheckBox* checkBox(const QString& caption, const QString& name, QWidget* parent);
// A horizontal bar whose small and large change are both 1. Its thumb does not
// move its value while being dragged: the value follows on release, and the
// drag reports its positions on its own. Tab reaches it, and it is framed
// while it has the focus.
QScrollBar* scrollBar(int minimum, int maximum, int start, const QString& name, QWidget* parent);
// An editable list with a text part; typed text is never added to the list.
QComboBox* editableList(const QStringList& items, const QString& name, QWidget* parent);

// Whether the list's current entry was reached by typing its text rather
// than by picking it: QComboBox selects the entry that typed text matches
// once the typing is confirmed, and reports that like a pick. Answers once;
// the next change of entry counts as a pick again.
bool reachedByTyping(QComboBox& list);

// Makes a text box just wide enough for the given number of digits.
void fitDigits(QLineEdit* box, int digits);
void setTextColour(QWidget* widget, const QColor& colour);
void setBold(QWidget* widget);

inline QColor navy()
{
    return QColor(0, 0, 128);
}
inline QColor blue()
{
    return QColor(0, 0, 255);
}

} // namespace skyraid::controls
