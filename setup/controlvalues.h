#pragma once

#include <optional>

#include <QString>

class QAbstractSlider;
class QCheckBox;
class QComboBox;
class QLineEdit;

namespace skyraid {

// How the dialog puts stored text into its controls when it opens. Each
// assignment goes through the control's ordinary setter, so a value that
// differs from what the control holds raises the control's change signal
// exactly as the user's own change would (and so is stored back); text that
// the control cannot take leaves it as it is.

// A stored number as a whole number inside [minimum, maximum]: rounded half to
// even, then clamped. Nothing when the text is not a number at all.
std::optional<int> wholeInRange(const QString& text, int minimum, int maximum);

// Moves the bar to the stored number, clamped into its range; leaves it where
// it is when the text is no number.
void setBarPosition(QAbstractSlider& bar, const QString& text);

// Ticks the box for a stored 1 and clears it for a 0; any other text (a 2,
// "yes", a number beyond 16 bits) leaves it as it is.
void setCheckState(QCheckBox& box, const QString& text);

// Selects the list entry at the stored zero-based position; leaves the
// selection alone when the text is no whole number or names no entry.
void selectListPosition(QComboBox& list, const QString& text);

// Puts stored text into a text box. Text that fits is assigned like any other
// (a change raises the box's notification, which stores it back). Text longer
// than the box can hold is shown cut without the notification, so that the cut
// text is never stored over the whole one: it is stored only once the user
// edits the box. Returns whether the box shows the whole text.
bool setBoxText(QLineEdit& box, const QString& text);

// The option index that a stored "BackGround" names: its leading number less
// one, rounded half to even ("3" gives 2). Nothing when that is not 0..count-1.
std::optional<int> backgroundIndex(const QString& text, int count);

// The decimal text that a control's state is stored as.
QString storedText(int value);

} // namespace skyraid
