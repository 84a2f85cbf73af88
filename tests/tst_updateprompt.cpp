// The fortnightly update question: its schedule, its message box and the stored date-time.
#include "outreach/updateprompt.h"
#include "outreach/weblinks.h"
#include "settings/settingsstore.h"
#include "testsupport.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleFactory>
#include <QtTest>

using namespace tressora;

Q_DECLARE_METATYPE(tressora::UpdateStep)

namespace {

const QString question = QStringLiteral(
    "There maybe an update to this software available\rDo you want to check for an update?");

QString storeName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QString storeFile()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, storeName(), QString())
        .fileName();
}

QDateTime at(int year, int month, int day, int hour = 12, int minute = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute));
}

// The regional form: short date and long time of the given locale.
QString regional(const char *localeName, const QDateTime &moment)
{
    const QLocale locale(QString::fromLatin1(localeName));
    return locale.toString(moment, locale.dateFormat(QLocale::ShortFormat) + QLatin1Char(' ') +
                                       locale.timeFormat(QLocale::LongFormat));
}

// Makes a locale the default for one test row and puts the earlier one back afterwards.
class DefaultLocale {
public:
    explicit DefaultLocale(const QString &name)
    {
        if (!name.isEmpty())
            QLocale::setDefault(QLocale(name));
    }
    ~DefaultLocale() { QLocale::setDefault(saved_); }
    DefaultLocale(const DefaultLocale &) = delete;
    DefaultLocale &operator=(const DefaultLocale &) = delete;

private:
    QLocale saved_;
};

// Records, for every page opened, what the store held at that moment.
class PageWatcher : public testsupport::UrlCatcher {
    Q_OBJECT
public:
    QStringList storedWhenOpened;
public slots:
    void open(const QUrl &url)
    {
        storedWhenOpened.append(ReadSetting(QStringLiteral("Duration")));
        testsupport::UrlCatcher::open(url);
    }
};

} // namespace

class UpdatePromptTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void schedule_data();
    void schedule();
    void regionalDates_data();
    void regionalDates();
    void writtenForm_data();
    void writtenForm();
    void prompt_data();
    void prompt();
    void questionShowsTwoLines_data();
    void questionShowsTwoLines();
    void storeFailureIsSilent();
};

void UpdatePromptTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(storeFile().contains(QStringLiteral(".qttest")));
}

void UpdatePromptTest::init()
{
    const QFileInfo file(storeFile());
    if (file.isDir())
        QDir(file.absoluteFilePath()).removeRecursively();
    QSettings(QSettings::NativeFormat, QSettings::UserScope, storeName(), QString()).clear();
    QFile::remove(file.absoluteFilePath());
    QCOMPARE(ReadSetting(QStringLiteral("Duration")), QString());
}

void UpdatePromptTest::cleanup()
{
    init();
}

void UpdatePromptTest::schedule_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<UpdateStep>("step");

    const QDateTime now = at(2026, 3, 20, 0, 1);
    const auto iso = [](const QDateTime &moment) { return durationText(moment); };
    QTest::newRow("empty") << QString() << now << QString() << UpdateStep::RecordNow;
    QTest::newRow("same moment") << iso(now) << now << QString() << UpdateStep::Nothing;
    QTest::newRow("14 days back") << iso(at(2026, 3, 6, 0, 0)) << now << QString()
                                  << UpdateStep::Nothing;
    QTest::newRow("14 days back at 23:59")
        << iso(at(2026, 3, 6, 23, 59)) << now << QString() << UpdateStep::Nothing;
    QTest::newRow("15 days back") << iso(at(2026, 3, 5)) << now << QString() << UpdateStep::Ask;
    QTest::newRow("23:59 fifteen days back, now 00:01")
        << iso(at(2026, 3, 5, 23, 59)) << now << QString() << UpdateStep::Ask;
    QTest::newRow("a year back") << iso(at(2025, 3, 20)) << now << QString() << UpdateStep::Ask;
    QTest::newRow("14 days ahead")
        << iso(at(2026, 4, 3, 23, 59)) << now << QString() << UpdateStep::Nothing;
    QTest::newRow("15 days ahead")
        << iso(at(2026, 4, 4, 0, 0)) << now << QString() << UpdateStep::Ask;
    QTest::newRow("across new year, 14 back")
        << iso(at(2026, 12, 22)) << at(2027, 1, 5) << QString() << UpdateStep::Nothing;
    QTest::newRow("across new year, 15 back")
        << iso(at(2026, 12, 21)) << at(2027, 1, 5) << QString() << UpdateStep::Ask;
    QTest::newRow("unreadable") << QStringLiteral("not a date") << now << QString()
                                << UpdateStep::RecordNow;
    QTest::newRow("impossible date")
        << QStringLiteral("2026-02-30T10:00:00") << now << QString() << UpdateStep::RecordNow;
    QTest::newRow("characters lost by the codec")
        << QStringLiteral("2026-03-19T\u00e9") << now << QString() << UpdateStep::RecordNow;
    QTest::newRow("regional, two-digit year, 10 days back")
        << regional("en_US", at(2026, 3, 10, 23, 59)) << now << QStringLiteral("en_US")
        << UpdateStep::Nothing;
    QTest::newRow("regional, two-digit year, 20 days back")
        << regional("en_US", at(2026, 2, 28, 9, 5)) << now << QStringLiteral("en_US")
        << UpdateStep::Ask;
    QTest::newRow("regional, German, 14 days back")
        << regional("de_DE", at(2026, 3, 6, 8, 0)) << now << QStringLiteral("de_DE")
        << UpdateStep::Nothing;
    QTest::newRow("regional, four-digit year, 15 days back")
        << regional("en_GB", at(2026, 3, 5, 8, 0)) << now << QStringLiteral("en_GB")
        << UpdateStep::Ask;
    QTest::newRow("regional text under another locale")
        << regional("de_DE", at(2026, 3, 10)) << now << QStringLiteral("en_US")
        << UpdateStep::RecordNow;
}

void UpdatePromptTest::schedule()
{
    QFETCH(QString, stored);
    QFETCH(QDateTime, now);
    QFETCH(QString, localeName);
    QFETCH(UpdateStep, step);
    const DefaultLocale locale(localeName);
    QCOMPARE(updateStep(stored, now), step);
}

void UpdatePromptTest::regionalDates_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QDate>("now");
    QTest::addColumn<QDate>("date");

    const QDate now(2026, 3, 20);
    const QDateTime moment = at(2026, 3, 5, 23, 59);
    QTest::newRow("iso") << QStringLiteral("2026-03-05T23:59:00") << QString() << now
                         << QDate(2026, 3, 5);
    QTest::newRow("iso with milliseconds")
        << QStringLiteral("2026-03-05T23:59:00.250") << QString() << now << QDate(2026, 3, 5);
    QTest::newRow("iso date only")
        << QStringLiteral("2026-03-05") << QString() << now << QDate(2026, 3, 5);
    QTest::newRow("short date, long time") << QStringLiteral("3/5/26 11:59:00 PM")
                                           << QStringLiteral("en_US") << now << QDate(2026, 3, 5);
    QTest::newRow("short date, long time with zone")
        << regional("en_US", moment) << QStringLiteral("en_US") << now << QDate(2026, 3, 5);
    QTest::newRow("short date and time")
        << QLocale(QStringLiteral("de_DE")).toString(moment, QLocale::ShortFormat)
        << QStringLiteral("de_DE") << now << QDate(2026, 3, 5);
    QTest::newRow("default long form") << QLocale(QStringLiteral("en_US")).toString(moment)
                                       << QStringLiteral("en_US") << now << QDate(2026, 3, 5);
    QTest::newRow("two-digit year, next century nearer")
        << QStringLiteral("1/2/00 8:00:00 AM") << QStringLiteral("en_US") << QDate(2099, 12, 30)
        << QDate(2100, 1, 2);
    QTest::newRow("two-digit year, last century nearer")
        << QStringLiteral("12/30/99 8:00:00 AM") << QStringLiteral("en_US") << QDate(2100, 1, 2)
        << QDate(2099, 12, 30);
    QTest::newRow("nothing") << QString() << QString() << now << QDate();
    QTest::newRow("damaged") << QStringLiteral("2026-03-0") << QString() << now << QDate();
}

void UpdatePromptTest::regionalDates()
{
    QFETCH(QString, stored);
    QFETCH(QString, localeName);
    QFETCH(QDate, now);
    QFETCH(QDate, date);
    const DefaultLocale locale(localeName);
    const auto read = durationDate(stored, QDateTime(now, QTime(12, 0)));
    QCOMPARE(read.has_value(), date.isValid());
    if (read)
        QCOMPARE(*read, date);
}

void UpdatePromptTest::writtenForm_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QString>("text");

    QTest::newRow("C") << QStringLiteral("C") << at(2026, 3, 5, 7, 8) << "2026-03-05T07:08:00";
    QTest::newRow("en_US, afternoon")
        << QStringLiteral("en_US") << QDateTime(QDate(2026, 11, 25), QTime(23, 59, 58))
        << "2026-11-25T23:59:58";
    QTest::newRow("Arabic digits")
        << QStringLiteral("ar_EG") << at(1999, 12, 31, 0, 0) << "1999-12-31T00:00:00";
    QTest::newRow("milliseconds left out")
        << QStringLiteral("de_DE") << QDateTime(QDate(2030, 1, 2), QTime(3, 4, 5, 678))
        << "2030-01-02T03:04:05";
}

void UpdatePromptTest::writtenForm()
{
    QFETCH(QString, localeName);
    QFETCH(QDateTime, moment);
    QFETCH(QString, text);
    const DefaultLocale locale(localeName);
    const QString written = durationText(moment);
    QCOMPARE(written, text);
    // Printable ASCII only, so the codec keeps every character.
    QCOMPARE(DecodeSetting(EncodeSetting(written)), written);
    QCOMPARE(durationDate(written, moment), std::optional<QDate>(moment.date()));
}

void UpdatePromptTest::prompt_data()
{
    QTest::addColumn<int>("daysFromToday"); // of the stored value; 0 with an empty or odd text
    QTest::addColumn<QString>("oddText");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("rewritten");
    QTest::addColumn<bool>("pageOpened");

    const auto yes = QMessageBox::Yes;
    const auto no = QMessageBox::No;
    QTest::newRow("first start") << 0 << QString() << yes << false << true << false;
    QTest::newRow("today") << 0 << QStringLiteral("today") << yes << false << false << false;
    QTest::newRow("14 days back") << -14 << QString() << yes << false << false << false;
    QTest::newRow("14 days ahead") << 14 << QString() << yes << false << false << false;
    QTest::newRow("15 days back, No") << -15 << QString() << no << true << true << false;
    QTest::newRow("15 days back, Yes") << -15 << QString() << yes << true << true << true;
    QTest::newRow("15 days ahead, No") << 15 << QString() << no << true << true << false;
    QTest::newRow("15 days ahead, Yes") << 15 << QString() << yes << true << true << true;
    QTest::newRow("damaged value")
        << 0 << QStringLiteral("12.3.x") << yes << false << true << false;
}

void UpdatePromptTest::prompt()
{
    QFETCH(int, daysFromToday);
    QFETCH(QString, oddText);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, asked);
    QFETCH(bool, rewritten);
    QFETCH(bool, pageOpened);

    const QDate today = QDate::currentDate();
    QString stored;
    if (oddText == QLatin1String("today"))
        stored = durationText(QDateTime::currentDateTime());
    else if (!oddText.isEmpty())
        stored = oddText;
    else if (daysFromToday != 0)
        stored = durationText(QDateTime(today.addDays(daysFromToday), QTime(12, 0)));
    if (!stored.isEmpty())
        QVERIFY(WriteSetting(QStringLiteral("Duration"), stored));

    PageWatcher pages;
    testsupport::MessageBoxAnswerer answerer(answer);
    QStringList storedWhileAsking;
    answerer.whileShown = [&] {
        storedWhileAsking.append(ReadSetting(QStringLiteral("Duration")));
    };
    const QDateTime started = QDateTime::currentDateTime().addSecs(-1);
    UpdatePrompt();
    const QDateTime finished = QDateTime::currentDateTime().addSecs(1);
    if (QDate::currentDate() != today)
        QSKIP("midnight passed during the row");

    QCOMPARE(answerer.seen.size(), asked ? 1 : 0);
    if (asked) {
        const testsupport::SeenBox &box = answerer.seen.constFirst();
        QCOMPARE(box.title, QStringLiteral("Tressora"));
        QCOMPARE(box.text, question);
        QCOMPARE(box.icon, QMessageBox::Information);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No));
        QCOMPARE(box.defaultButton, QMessageBox::Yes);
        QCOMPARE(storedWhileAsking, QStringList{stored}); // written only after the answer
    }

    const QString after = ReadSetting(QStringLiteral("Duration"));
    if (rewritten) {
        static const QRegularExpression form(
            QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d$"));
        QVERIFY2(form.match(after).hasMatch(), qPrintable(after));
        const QDateTime written = QDateTime::fromString(after, Qt::ISODate);
        QVERIFY(written >= started && written <= finished);
        QCOMPARE(updateStep(after, QDateTime::currentDateTime()), UpdateStep::Nothing);
    } else {
        QCOMPARE(after, stored);
    }

    if (pageOpened) {
        QCOMPARE(pages.addresses, QStringList{webLinkAddress(WebLink::Download)});
        QCOMPARE(pages.storedWhenOpened, QStringList{after}); // written before the page opened
    } else {
        QVERIFY(pages.addresses.isEmpty());
    }
}

void UpdatePromptTest::questionShowsTwoLines_data()
{
    QTest::addColumn<QString>("styleName");
    const auto styles = QStyleFactory::keys();
    for (const QString &style : styles)
        QTest::newRow(qPrintable(style)) << style;
}

void UpdatePromptTest::questionShowsTwoLines()
{
    QFETCH(QString, styleName);
    const QString previousStyle = QApplication::style()->name();
    QApplication::setStyle(styleName);
    QVERIFY(WriteSetting(QStringLiteral("Duration"),
                         durationText(QDateTime::currentDateTime().addDays(-30))));

    testsupport::MessageBoxAnswerer answerer(QMessageBox::No);
    int lines = 0;
    QString shown;
    answerer.whileShown = [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        auto *label = box ? box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label")) : nullptr;
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

void UpdatePromptTest::storeFailureIsSilent()
{
    // A directory where the store's file belongs: nothing can be written, nothing is asked.
    QVERIFY(QDir().mkpath(storeFile()));
    PageWatcher pages;
    testsupport::MessageBoxAnswerer answerer(QMessageBox::Yes);
    UpdatePrompt();
    QVERIFY(answerer.seen.isEmpty());
    QVERIFY(pages.addresses.isEmpty());
    QCOMPARE(ReadSetting(QStringLiteral("Duration")), QString());
}

QTEST_MAIN(UpdatePromptTest)
#include "tst_updateprompt.moc"
