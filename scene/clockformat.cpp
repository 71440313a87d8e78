// The clock's text: the time of day in the locale's own way, with no more
// than the hour, minute and second and the locale's morning or afternoon.
#include "clockformat.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace skyraid {

QString clockText(QTime time, const QLocale& locale)
{
    return locale.toString(time, clockFormat(locale));
}

namespace {

// A piece of a time format: one of the fields we show, or the text between them.
struct TimePiece {
    enum Kind { Hour, Minute, Second, Marker, Text } kind;
    QString text; // the field's pattern letters, or the literal text
};

// Splits a time format into its fields and the literal text between them.
// Zones, milliseconds and letters that are no field of ours count as text.
std::vector<TimePiece> splitTimeFormat(QStringView format)
{
    std::vector<TimePiece> pieces;
    const auto addText = [&pieces](QStringView text) {
        if (pieces.empty() || pieces.back().kind != TimePiece::Text)
            pieces.push_back({TimePiece::Text, QString()});
        pieces.back().text += text;
    };
    const qsizetype size = format.size();
    for (qsizetype i = 0; i < size;) {
        const QChar c = format[i];
        if (c == u'\'') {
            // Quoted text; two quotes in it stand for one.
            QString literal;
            qsizetype end = i + 1;
            for (; end < size && (format[end] != u'\'' || format.mid(end, 2) == u"''"); ++end) {
                literal += format[end];
                end += format[end] == u'\'' ? 1 : 0;
            }
            addText(literal);
            i = end + 1;
            continue;
        }
        qsizetype run = 1;
        while (i + run < size && format[i + run] == c)
            ++run;
        const QStringView field = format.mid(i, std::min<qsizetype>(run, 2));
        if (c == u'h' || c == u'H') {
            pieces.push_back({TimePiece::Hour, field.toString()});
        } else if (c == u'm') {
            pieces.push_back({TimePiece::Minute, QStringLiteral("mm")});
        } else if (c == u's') {
            pieces.push_back({TimePiece::Second, QStringLiteral("ss")});
        } else if (c == u'a' || c == u'A') {
            const bool withP = i + 1 < size && (format[i + 1] == u'p' || format[i + 1] == u'P');
            pieces.push_back({TimePiece::Marker, format.mid(i, withP ? 2 : 1).toString()});
            i += withP ? 2 : 1;
            continue;
        } else if (c == u'B') {
            // The day period of some locales' data, which Qt does not know: it
            // stands where their morning or afternoon is shown.
            pieces.push_back({TimePiece::Marker, QStringLiteral("AP")});
            i += run;
            continue;
        } else if (c == u'z' || c == u't') {
            addText(u"\u0001"); // never part of a separator
            i += run;
            continue;
        } else {
            addText(format.mid(i, 1));
            ++i;
            continue;
        }
        i += field.size();
    }
    return pieces;
}

// Text that only separates, and stands for itself in a format: no letter,
// digit, bracket, quote or field left out.
bool isSeparator(const QString& text)
{
    for (const QChar c : text) {
        if (c.isLetterOrNumber() || c.category() == QChar::Punctuation_Open ||
            c.category() == QChar::Punctuation_Close || c == u'\'' || c.unicode() < 0x20)
            return false;
    }
    return true;
}

// The text between two fields of the format, if they stand next to each
// other with nothing but a separator between them.
std::optional<QString> separatorBetween(const std::vector<TimePiece>& pieces, TimePiece::Kind first,
                                        TimePiece::Kind second)
{
    for (std::size_t i = 0; i + 1 < pieces.size(); ++i) {
        if (pieces[i].kind != first)
            continue;
        if (pieces[i + 1].kind == second)
            return QString();
        if (i + 2 < pieces.size() && pieces[i + 1].kind == TimePiece::Text &&
            pieces[i + 2].kind == second && isSeparator(pieces[i + 1].text))
            return pieces[i + 1].text;
    }
    return std::nullopt;
}

} // namespace

QString clockFormat(const QLocale& locale)
{
    return clockFormat(locale.timeFormat(QLocale::LongFormat),
                       locale.timeFormat(QLocale::ShortFormat));
}

QString clockFormat(QStringView longFormat, QStringView shortFormat)
{
    // The fields of the long format, in its order; the time zone and any
    // words for hours, minutes and seconds are left out.
    const std::vector<TimePiece> pieces = splitTimeFormat(longFormat);
    const std::vector<TimePiece> shortPieces = splitTimeFormat(shortFormat);
    std::vector<TimePiece> fields;
    for (const TimePiece& piece : pieces) {
        const bool seen = std::any_of(fields.begin(), fields.end(),
                                      [&](const TimePiece& f) { return f.kind == piece.kind; });
        if (piece.kind != TimePiece::Text && !seen)
            fields.push_back(piece);
    }
    const auto find = [&fields](TimePiece::Kind kind) {
        return std::find_if(fields.begin(), fields.end(),
                            [kind](const TimePiece& f) { return f.kind == kind; });
    };
    if (find(TimePiece::Hour) == fields.end())
        fields.insert(fields.begin(), {TimePiece::Hour, QStringLiteral("HH")});
    if (find(TimePiece::Minute) == fields.end())
        fields.insert(find(TimePiece::Hour) + 1, {TimePiece::Minute, QStringLiteral("mm")});
    if (find(TimePiece::Second) == fields.end())
        fields.insert(find(TimePiece::Minute) + 1, {TimePiece::Second, QStringLiteral("ss")});
    // A twelve-hour clock says which half of the day it is.
    if (find(TimePiece::Hour)->text.startsWith(u'h') && find(TimePiece::Marker) == fields.end())
        fields.push_back({TimePiece::Marker, QStringLiteral("AP")});

    const QString timeSeparator =
        separatorBetween(pieces, TimePiece::Hour, TimePiece::Minute)
            .value_or(separatorBetween(shortPieces, TimePiece::Hour, TimePiece::Minute)
                          .value_or(QStringLiteral(":")));
    QString format;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            const TimePiece::Kind before = fields[i - 1].kind;
            const TimePiece::Kind kind = fields[i].kind;
            const bool byMarker = before == TimePiece::Marker || kind == TimePiece::Marker;
            QString separator = separatorBetween(pieces, before, kind)
                                    .value_or(byMarker ? QStringLiteral(" ") : timeSeparator);
            if (separator.isEmpty() && !byMarker)
                separator = timeSeparator;
            format += separator;
        }
        format += fields[i].text;
    }
    return format;
}

} // namespace skyraid
