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

#include "tables.h"

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

// A font as "family points[ bold][ underline]", to compare all four in one go.
QString fontText(const QFont &font);

// The settings file as the program should address it: named after this executable, with no
// application level. Built independently of the code under test.
QString settingsFile();
// Removes the settings file, or a directory standing where it belongs.
void removeSettings();
// Whether the store is a file (Linux) or, as QSettings keeps it on Windows, the registry.
bool settingsInFile();
// Whether the store the tests use cannot be the user's: a file in Qt's test folder (with
// QStandardPaths' test mode on), or in the registry the key named after the test program.
bool settingsKeptApart();
// Whether anything is stored: the file is there, or the registry key has its section.
bool settingsStored();

// A stand-in for a control that a window does not have: no window's child, never shown.
QObject *standInFor(const QMetaObject &kind, QObject *(*make)());

// The control of that name in a window. When there is none, the running test fails right there,
// naming the control, and gets a stand-in of the same kind that belongs to no window, so that
// the checks that needed it fail too instead of crashing the suite.
template <class W> W *control(QObject *window, const QString &name)
{
    W *found = window != nullptr ? window->findChild<W *>(name) : nullptr;
    if (found != nullptr)
        return found;
    QTest::qFail(qPrintable(QStringLiteral("no control named ") + name), __FILE__, __LINE__);
    return static_cast<W *>(standInFor(W::staticMetaObject, []() -> QObject * { return new W; }));
}

// Deletes every top-level window left by a test and resets the program's end hook.
void closeAllWindows();

// The parentless windows that exist, visible or hidden, after pending deletions have run.
QList<QWidget *> programWindows();

} // namespace testsupport
