// The fortnightly update question: its schedule, its message box and the stored date-time.
#include "outreach/updateprompt.h"
#include "outreach/weblinks.h"
#include "settings/settingsstore.h"
#include "testsupport.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleFactory>
#include <QtTest>

using namespace tressora;
using namespace testsupport;

Q_DECLARE_METATYPE(tressora::UpdateStep)

namespace {

const QString question =
    "There maybe an update to this software available\rDo you want to check for an update?";

QString stored()
{
    return ReadSetting("Duration");
}

QDateTime at(int year, int month, int day, int hour = 12, int minute = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute));
}

// The regional form: short date and long time of the given locale.
QString regional(const char *localeName, const QDateTime &moment)
{
    const QLocale locale(QString::fromLatin1(localeName));
    return locale.toString(moment, locale.dateFormat(QLocale::ShortFormat) + ' ' +
                                       locale.timeFormat(QLocale::LongFormat));
}

// Makes the row's "localeName" (if any) the default locale, and puts the earlier one back.
class DefaultLocale {
public:
    DefaultLocale()
    {
        QFETCH(QString, localeName);
        if (!localeName.isEmpty())
            QLocale::setDefault(QLocale(localeName));
    }
    ~DefaultLocale() { QLocale::setDefault(saved_); }
    Q_DISABLE_COPY(DefaultLocale)

private:
    QLocale saved_;
};

// Records, for every page opened, what the store held at that moment.
class PageWatcher : public UrlCatcher {
    Q_OBJECT
public:
    QStringList storedWhenOpened;
public slots:
    void open(const QUrl &url)
    {
        storedWhenOpened.append(stored());
        UrlCatcher::open(url);
    }
};

} // namespace

class UpdatePromptTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY2(settingsKeptApart(), qPrintable(settingsFile()));
    }
    void init()
    {
        removeSettings();
        QCOMPARE(stored(), QString());
    }
    void cleanup() { init(); }

    void schedule_data()
    {
        columns<QString, QDateTime, QString, UpdateStep>("stored", "now", "localeName", "step");
        const QDateTime now = at(2026, 3, 20, 0, 1);
        const auto iso = [](const QDateTime &moment) { return durationText(moment); };
        const auto nothing = UpdateStep::Nothing;
        const auto ask = UpdateStep::Ask;
        const auto record = UpdateStep::RecordNow;
        row("empty", QString(), now, "", record);
        row("same moment", iso(now), now, "", nothing);
        row("14 days back", iso(at(2026, 3, 6, 0, 0)), now, "", nothing);
        row("14 days back at 23:59", iso(at(2026, 3, 6, 23, 59)), now, "", nothing);
        row("15 days back", iso(at(2026, 3, 5)), now, "", ask);
        row("23:59 fifteen days back, now 00:01", iso(at(2026, 3, 5, 23, 59)), now, "", ask);
        row("a year back", iso(at(2025, 3, 20)), now, "", ask);
        row("14 days ahead", iso(at(2026, 4, 3, 23, 59)), now, "", nothing);
        row("15 days ahead", iso(at(2026, 4, 4, 0, 0)), now, "", ask);
        row("across new year, 14 back", iso(at(2026, 12, 22)), at(2027, 1, 5), "", nothing);
        row("across new year, 15 back", iso(at(2026, 12, 21)), at(2027, 1, 5), "", ask);
        row("unreadable", "not a date", now, "", record);
        row("impossible date", "2026-02-30T10:00:00", now, "", record);
        row("characters lost by the codec", "2026-03-19T\u00e9", now, "", record);
        row("regional, two-digit year, 10 days back", regional("en_US", at(2026, 3, 10, 23, 59)),
            now, "en_US", nothing);
        row("regional, two-digit year, 20 days back", regional("en_US", at(2026, 2, 28, 9, 5)), now,
            "en_US", ask);
        row("regional, German, 14 days back", regional("de_DE", at(2026, 3, 6, 8, 0)), now, "de_DE",
            nothing);
        row("regional, four-digit year, 15 days back", regional("en_GB", at(2026, 3, 5, 8, 0)), now,
            "en_GB", ask);
        row("regional text under another locale", regional("de_DE", at(2026, 3, 10)), now, "en_US",
            record);
    }
    void schedule()
    {
        const DefaultLocale locale;
        const auto [text, now] = fetch<QString, QDateTime>("stored", "now");
        QTEST(updateStep(text, now), "step");
    }

    void regionalDates_data()
    {
        columns<QString, QString, QDate, QDate>("stored", "localeName", "now", "date");
        const QDate now(2026, 3, 20);
        const QDate date(2026, 3, 5);
        const QDateTime moment = at(2026, 3, 5, 23, 59);
        row("iso", "2026-03-05T23:59:00", "", now, date);
        row("iso with milliseconds", "2026-03-05T23:59:00.250", "", now, date);
        row("iso date only", "2026-03-05", "", now, date);
        row("short date, long time", "3/5/26 11:59:00 PM", "en_US", now, date);
        row("short date, long time with zone", regional("en_US", moment), "en_US", now, date);
        row("short date and time", QLocale("de_DE").toString(moment, QLocale::ShortFormat), "de_DE",
            now, date);
        row("default long form", QLocale("en_US").toString(moment), "en_US", now, date);
        // Zone names as one release writes them and another may not read: long names (Qt 6.8
        // reads none of its own), abbreviations (Qt 6.4), bracketed in Spanish.
        row("long zone name", "3/5/26 11:59:00 PM Central European Standard Time", "en_US", now,
            date);
        row("zone abbreviation", "3/5/26 11:59:00 PM CET", "en_US", now, date);
        row("German long zone name", "05.03.26 23:59:00 Mitteleurop\u00e4ische Normalzeit", "de_DE",
            now, date);
        row("German long form, long zone name",
            "Donnerstag, 5. M\u00e4rz 2026 23:59:00 Mitteleurop\u00e4ische Normalzeit", "de_DE",
            now, date);
        row("French long zone name", "05/03/2026 23:59:00 heure normale d\u2019Europe centrale",
            "fr_FR", now, date);
        row("Spanish zone name in brackets",
            "5/3/26 23:59:00 (hora est\u00e1ndar de Europa central)", "es_ES", now, date);
        row("Spanish abbreviation in brackets", "5/3/26 23:59:00 (CET)", "es_ES", now, date);
        row("zone name alone", "Central European Standard Time", "en_US", now, QDate());
        row("a date, then words that are no zone", "3/5/26 11:59:00 PM and more", "en_US", now,
            date);
        row("two-digit year, next century nearer", "1/2/00 8:00:00 AM", "en_US",
            QDate(2099, 12, 30), QDate(2100, 1, 2));
        row("two-digit year, last century nearer", "12/30/99 8:00:00 AM", "en_US",
            QDate(2100, 1, 2), QDate(2099, 12, 30));
        row("nothing", QString(), "", now, QDate());
        row("damaged", "2026-03-0", "", now, QDate());
    }
    void regionalDates()
    {
        const DefaultLocale locale;
        const auto [text, now, date] = fetch<QString, QDate, QDate>("stored", "now", "date");
        const auto read = durationDate(text, QDateTime(now, QTime(12, 0)));
        QCOMPARE(read.has_value(), date.isValid());
        if (read)
            QCOMPARE(*read, date);
    }

    void writtenForm_data()
    {
        columns<QString, QDateTime, QString>("localeName", "moment", "text");
        row("C", "C", at(2026, 3, 5, 7, 8), "2026-03-05T07:08:00");
        row("en_US, afternoon", "en_US", QDateTime(QDate(2026, 11, 25), QTime(23, 59, 58)),
            "2026-11-25T23:59:58");
        row("Arabic digits", "ar_EG", at(1999, 12, 31, 0, 0), "1999-12-31T00:00:00");
        row("milliseconds left out", "de_DE", QDateTime(QDate(2030, 1, 2), QTime(3, 4, 5, 678)),
            "2030-01-02T03:04:05");
        row("French", "fr_FR", at(2026, 12, 8, 15, 30), "2026-12-08T15:30:00");
        row("Spanish", "es_ES", at(2027, 1, 31, 9, 5), "2027-01-31T09:05:00");
    }
    void writtenForm()
    {
        const DefaultLocale locale;
        QFETCH(QDateTime, moment);
        const QString written = durationText(moment);
        QTEST(written, "text");
        // Printable ASCII only, so the codec keeps every character.
        QCOMPARE(DecodeSetting(EncodeSetting(written)), written);
        QCOMPARE(durationDate(written, moment), std::optional<QDate>(moment.date()));
    }

    void prompt_data()
    {
        // daysFromToday: of the stored value, 0 with an empty or odd text
        columns<int, QString, QMessageBox::StandardButton, bool, bool, bool>(
            "daysFromToday", "oddText", "answer", "asked", "rewritten", "pageOpened");
        const auto yes = QMessageBox::Yes;
        const auto no = QMessageBox::No;
        row("first start", 0, "", yes, false, true, false);
        row("today", 0, "today", yes, false, false, false);
        row("14 days back", -14, "", yes, false, false, false);
        row("14 days ahead", 14, "", yes, false, false, false);
        row("15 days back, No", -15, "", no, true, true, false);
        row("15 days back, Yes", -15, "", yes, true, true, true);
        row("15 days ahead, No", 15, "", no, true, true, false);
        row("15 days ahead, Yes", 15, "", yes, true, true, true);
        row("damaged value", 0, "12.3.x", yes, false, true, false);
    }
    void prompt()
    {
        const auto [daysFromToday, oddText, answer, asked, rewritten, pageOpened] =
            fetch<int, QString, QMessageBox::StandardButton, bool, bool, bool>(
                "daysFromToday", "oddText", "answer", "asked", "rewritten", "pageOpened");
        const QDate today = QDate::currentDate();
        QString before = oddText;
        if (oddText == "today")
            before = durationText(QDateTime::currentDateTime());
        else if (oddText.isEmpty() && daysFromToday != 0)
            before = durationText(QDateTime(today.addDays(daysFromToday), QTime(12, 0)));
        if (!before.isEmpty())
            QVERIFY(WriteSetting("Duration", before));

        PageWatcher pages;
        MessageBoxAnswerer answerer(answer);
        QStringList storedWhileAsking;
        answerer.whileShown = [&] { storedWhileAsking.append(stored()); };
        const QDateTime started = QDateTime::currentDateTime().addSecs(-1);
        UpdatePrompt();
        const QDateTime finished = QDateTime::currentDateTime().addSecs(1);
        if (QDate::currentDate() != today)
            QSKIP("midnight passed during the row");

        if (asked) {
            const QList<SeenBox> box = {{"Tressora", question, QMessageBox::Information,
                                         QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes}};
            QCOMPARE(answerer.seen, box);
            QCOMPARE(storedWhileAsking, QStringList{before}); // written only after the answer
        } else {
            QCOMPARE(answerer.seen.size(), 0);
        }
        const QString after = stored();
        if (rewritten) {
            static const QRegularExpression form("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d$");
            QVERIFY2(form.match(after).hasMatch(), qPrintable(after));
            const QDateTime written = QDateTime::fromString(after, Qt::ISODate);
            QVERIFY(written >= started && written <= finished);
            QCOMPARE(updateStep(after, QDateTime::currentDateTime()), UpdateStep::Nothing);
        } else {
            QCOMPARE(after, before);
        }
        if (pageOpened) {
            QCOMPARE(pages.addresses, QStringList{webLinkAddress(WebLink::Download)});
            QCOMPARE(pages.storedWhenOpened, QStringList{after}); // written before the page opened
        } else {
            QVERIFY(pages.addresses.isEmpty());
        }
    }

    void questionShowsTwoLines_data()
    {
        QTest::addColumn<QString>("styleName");
        for (const QString &style : QStyleFactory::keys())
            row(qPrintable(style), style);
    }
    void questionShowsTwoLines()
    {
        QFETCH(QString, styleName);
        const QString previousStyle = QApplication::style()->name();
        QApplication::setStyle(styleName);
        QVERIFY(WriteSetting("Duration", durationText(QDateTime::currentDateTime().addDays(-30))));
        MessageBoxAnswerer answerer(QMessageBox::No);
        int lines = 0;
        QString shown;
        answerer.whileShown = [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            auto *label = box ? box->findChild<QLabel *>("qt_msgbox_label") : nullptr;
            if (label == nullptr)
                return;
            shown = label->text();
            lines = label->sizeHint().height() / label->fontMetrics().lineSpacing();
        };
        UpdatePrompt();
        QApplication::setStyle(previousStyle);
        QCOMPARE(answerer.seen.size(), 1);
        QCOMPARE(shown, question);
        QCOMPARE(lines, 2);
    }

    void storeFailureIsSilent() // where the store's file belongs, a directory: nothing is asked
    {
        if (!settingsInFile())
            QSKIP("a registry key cannot be made unwritable from within the user's own session");
        QVERIFY(QDir().mkpath(settingsFile()));
        PageWatcher pages;
        MessageBoxAnswerer answerer(QMessageBox::Yes);
        UpdatePrompt();
        QVERIFY(answerer.seen.isEmpty());
        QVERIFY(pages.addresses.isEmpty());
        QCOMPARE(stored(), QString());
    }
};

QTEST_MAIN(UpdatePromptTest)
#include "tst_updateprompt.moc"
