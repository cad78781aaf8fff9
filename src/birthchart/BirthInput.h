#pragma once

#include "birthchart/BirthChart.h"
#include "text/UserMessage.h"

#include <QString>

#include <optional>

namespace tolvane {

// A value read from what a person typed, or the one message (a plain box) saying what is wrong with it.
template <typename T> struct ParsedInput {
    std::optional<T> value;
    std::optional<UserMessage> rejection;
};

// "YYYY-MM-DD HH:MM" (also with / between the date's parts, one-digit month, day and hour, full-width digits
// and punctuation): a birth in Beijing time with the 23:00 convention. Rejects, each with its own message,
// empty input, a date without a time, anything else unreadable, a year outside 1900..2100, a month outside
// 1..12, a day the month does not have (2023-02-29), an hour of 24 or more (24:00 is the next day's 00:00)
// and a minute of 60 or more.
ParsedInput<BirthMoment> parseBirthMoment(const QString &text);

// Degrees east as a decimal number, west negative ("116.4", "-73.99"), within -180..180.
ParsedInput<double> parseLongitude(const QString &text);

// An offset from UTC in minutes: "+08:00", "+8", "-05:30", "UTC+9", "GMT-3", "0"; within -12:00..+14:00.
ParsedInput<int> parseUtcOffset(const QString &text);

// A birth typed in one box (the lookup box, the naming wizard's birth time): the date and time as
// parseBirthMoment() reads them, then optionally a longitude (116.4) and a zone (+08:00, UTC+9), in either order;
// a zone is told from a longitude by its colon or its UTC or GMT. Beijing time when no zone is given. The word
// lateZiWord() among them chooses the convention that keeps the day's own pillar from 23:00 to midnight.
ParsedInput<BirthMoment> parseBirthLine(const QString &text);

// "夜子时": 23:00 to midnight is the late 子 hour of the same day (the day pillar changes at midnight).
QString lateZiWord();

// The zone as parseBirthLine() reads it back: "UTC+08:00", "UTC-05:30".
QString utcOffsetText(int offsetMinutes);

} // namespace tolvane
