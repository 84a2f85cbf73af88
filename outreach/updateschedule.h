// When the fortnightly offer to look for a newer version is due, and what it says. No widgets
// here: the question is asked by updateprompt.h.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

namespace tressora {

// The setting that holds when the question was last asked (or the program first started).
QString durationKey();

// What the prompt does for a stored "Duration" text at the moment now.
enum class UpdateStep {
    RecordNow, // nothing or no date stored: write now, ask nothing
    Nothing,   // asked (or first started) within 14 calendar days either way
    Ask,       // ask the question, then write the time of the answer
};
UpdateStep updateStep(const QString &stored, const QDateTime &now);

// The calendar date of a stored "Duration" text: ISO 8601 first, then the regional forms of the
// default locale (short date with long or short time, and the default long form). A two-digit
// year is put in the century nearest to now. No value when the text reads as no date.
std::optional<QDate> durationDate(const QString &stored, const QDateTime &now);

// The text written to "Duration": local time as yyyy-MM-ddTHH:mm:ss.
QString durationText(const QDateTime &moment);

// The question's text: two sentences separated by a lone carriage return.
QString updateQuestion();

} // namespace tressora
