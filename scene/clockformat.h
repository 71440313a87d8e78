#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>
#include <QTime>

namespace skyraid {

// The clock's text for a time of day: the hour, minute and second, in the
// locale's order, with its separators and its morning or afternoon.
QString clockText(QTime time, const QLocale& locale);

// The time format behind it, made from the locale's long time format and,
// for the separator of hours and minutes if the long one has none, its
// short one.
QString clockFormat(const QLocale& locale);
QString clockFormat(QStringView longFormat, QStringView shortFormat);

} // namespace skyraid
