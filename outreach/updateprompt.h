// The fortnightly offer to look for a newer version, run once at start-up.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

namespace tressora {

// Reads "Duration", asks the question when the stored date lies 15 or more calendar days away
// from today, writes the present date-time after the answer and opens the download page on Yes.
// A missing or unreadable value is replaced by the present date-time without a question. Every
// failure abandons the prompt silently.
void UpdatePrompt();

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
