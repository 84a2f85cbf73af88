// Shared helpers for the widget tests: capturing the addresses handed to the browser and
// answering the message boxes that handlers open modally.
#pragma once

#include <functional>
#include <QFont>
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <tuple>
#include <utility>

namespace testsupport {

// Receives every http and https address the program hands to QDesktopServices while alive.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher();
    ~UrlCatcher() override;
    QStringList addresses; // as encoded, in the order opened
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url);
};

// What a message box showed before it was answered.
struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};
bool operator==(const SeenBox &a, const SeenBox &b);
char *toString(const SeenBox &box); // for QCOMPARE's failure report

// While alive, answers every modal message box that appears with the given button and records
// what it showed. A hook may run while the box is up (for example to look at the settings).
class MessageBoxAnswerer : public QObject {
    Q_OBJECT
public:
    explicit MessageBoxAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok);
    QList<SeenBox> seen;
    QMessageBox::StandardButton answer;
    std::function<void()> whileShown;

private:
    void poll();
    QTimer timer_;
};

// A query as a PHP script reads it into $_GET: split on "&", each pair on its first "=", "+" for
// a blank and the rest percent-decoded as UTF-8.
using Query = QList<std::pair<QString, QString>>;
Query serverQuery(const QString &address);
// The query a referral arrives as: taf1 to taf5 the five texts, taf6 the product's address.
Query referralQuery(const QStringList &texts, const QString &productAddress);

// Data tables: columns<A, B>("a", "b") declares a table's columns, row("tag", a, b) adds a row,
// and fetch<A, B>("a", "b") returns the current row's values for a structured binding.
template <typename... T, typename... Name> void columns(Name... names)
{
    static_assert(sizeof...(T) == sizeof...(Name));
    (QTest::addColumn<T>(names), ...);
}

template <typename... T> QTestData &row(const char *tag, T... values)
{
    return (QTest::newRow(tag) << ... << values);
}

template <typename... T, typename... Name> std::tuple<T...> fetch(Name... names)
{
    static_assert(sizeof...(T) == sizeof...(Name));
    return {*static_cast<T *>(QTest::qData(names, qMetaTypeId<T>()))...};
}

// A font as "family points[ bold][ underline]", to compare all four in one go.
QString fontText(const QFont &font);

// The settings file as the program should address it: named after this executable, with no
// application level. Built independently of the code under test.
QString settingsFile();
// Removes the settings file, or a directory standing where it belongs.
void removeSettings();

// The current row's tag, for tables whose rows are named after the control they check.
inline QString dataTag()
{
    return QString::fromUtf8(QTest::currentDataTag());
}

// The control of that name in a window, with a warning (and nullptr) when there is none.
template <class W> W *control(QWidget *window, const QString &name)
{
    W *found = window->findChild<W *>(name);
    if (found == nullptr)
        qWarning("no control named %s", qPrintable(name));
    return found;
}

// Deletes every top-level window left by a test and resets the program's end hook.
void closeAllWindows();

// The parentless windows that exist, visible or hidden, after pending deletions have run.
QList<QWidget *> programWindows();

} // namespace testsupport
