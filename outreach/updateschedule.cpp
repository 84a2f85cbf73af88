#include "outreach/updateschedule.h"

#include <QCoreApplication>
#include <QLocale>
#include <QRegularExpression>

#include <cstdlib>

namespace tressora {
namespace {

constexpr qint64 quietDays = 14;

// The date-time formats a stored value may have been written in by the default locale.
QStringList regionalFormats()
{
    const QLocale locale;
    return {locale.dateFormat(QLocale::ShortFormat) + QLatin1Char(' ') +
                locale.timeFormat(QLocale::LongFormat),
            locale.dateTimeFormat(QLocale::ShortFormat),
            locale.dateTimeFormat(QLocale::LongFormat)};
}

// A format's time-zone field ("t" to "tttt", bracketed in some languages) and the blanks before it.
const QRegularExpression &zoneField()
{
    static const QRegularExpression field(QStringLiteral("\\s*\\(?t+\\)?"));
    return field;
}

// The stored text read by one format. Qt does not read back every zone name it writes (6.8's
// long form, "Coordinated Universal Time", reads as nothing), and a name written by one release
// need not be one another knows; so where the format has a zone, the text is also read without
// the zone's words at its end. The name adds nothing: the date is taken as written.
QDateTime readRegional(const QString &stored, const QString &format)
{
    const QLocale locale;
    const QDateTime whole = locale.toDateTime(stored, format);
    if (whole.isValid() || !format.contains(zoneField()))
        return whole;
    const QString bare = QString(format).remove(zoneField()).trimmed();
    for (qsizetype end = stored.size(); end > 0; --end) {
        if (end < stored.size() && !stored.at(end).isSpace())
            continue; // cut only between words
        const QDateTime cut = locale.toDateTime(stored.left(end).trimmed(), bare);
        if (cut.isValid())
            return cut;
    }
    return {};
}

bool hasTwoDigitYear(const QString &format)
{
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    return twoDigitYear.match(format).hasMatch();
}

// A two-digit year reads as 19yy; move it to the century that lies nearest to now.
QDate nearestCentury(const QDate &date, const QDate &today)
{
    const int twoDigits = date.year() % 100;
    int best = today.year() - today.year() % 100 + twoDigits;
    for (const int candidate : {best - 100, best + 100}) {
        if (std::abs(candidate - today.year()) < std::abs(best - today.year()))
            best = candidate;
    }
    return QDate(best, date.month(), date.day());
}

} // namespace

QString durationText(const QDateTime &moment)
{
    return moment.toLocalTime().toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss"));
}

std::optional<QDate> durationDate(const QString &stored, const QDateTime &now)
{
    const QDateTime iso = QDateTime::fromString(stored, Qt::ISODate);
    if (iso.isValid())
        return iso.toLocalTime().date();
    const auto formats = regionalFormats();
    for (const QString &format : formats) {
        const QDateTime regional = readRegional(stored, format);
        if (!regional.isValid())
            continue;
        // The date as written: it was local when written, and zone names read back unreliably.
        QDate date = regional.date();
        if (hasTwoDigitYear(format))
            date = nearestCentury(date, now.date());
        if (date.isValid())
            return date;
    }
    return std::nullopt;
}

UpdateStep updateStep(const QString &stored, const QDateTime &now)
{
    const auto date = durationDate(stored, now);
    if (!date)
        return UpdateStep::RecordNow; // first start, or a damaged value: start counting anew
    const qint64 days = now.date().daysTo(*date);
    return days >= -quietDays && days <= quietDays ? UpdateStep::Nothing : UpdateStep::Ask;
}

QString durationKey()
{
    return QStringLiteral("Duration");
}

QString updateQuestion()
{
    return QCoreApplication::translate("tressora::UpdatePrompt",
                                       "There maybe an update to this software available\r"
                                       "Do you want to check for an update?");
}

} // namespace tressora
