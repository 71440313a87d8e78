#include "controlvalues.h"

#include "settings/conversions.h"

#include <algorithm>

#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace skyraid {

std::optional<int> wholeInRange(const QString& text, int minimum, int maximum)
{
    // The 16-bit limit of the stored form does not matter here: a number far
    // beyond the range simply ends at the range's end.
    const std::optional<double> number = parseNumber(text);
    if (!number)
        return std::nullopt;
    const double whole = std::clamp(roundHalfEven(*number), double(minimum), double(maximum));
    return int(whole);
}

void setBarPosition(QAbstractSlider& bar, const QString& text)
{
    if (const std::optional<int> position = wholeInRange(text, bar.minimum(), bar.maximum()))
        bar.setValue(*position);
}

void setCheckState(QCheckBox& box, const QString& text)
{
    const std::optional<std::int16_t> state = toWhole16(text);
    if (state == 1)
        box.setChecked(true);
    else if (state == 0)
        box.setChecked(false);
}

void selectListPosition(QComboBox& list, const QString& text)
{
    const std::optional<std::int16_t> position = toWhole16(text);
    if (position && *position >= 0 && *position < list.count())
        list.setCurrentIndex(*position);
}

bool setBoxText(QLineEdit& box, const QString& text)
{
    if (text.size() <= box.maxLength()) {
        box.setText(text);
        return true;
    }
    const QSignalBlocker quiet(box);
    box.setText(text);
    return false;
}

std::optional<int> backgroundIndex(const QString& text, int count)
{
    const double index = roundHalfEven(toNumber(text) - 1.0);
    if (!(index >= 0.0 && index < double(count)))
        return std::nullopt;
    return int(index);
}

QString storedText(int value)
{
    return QString::number(value);
}

} // namespace skyraid
