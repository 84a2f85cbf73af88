// Shared helpers for the widget tests: capturing the addresses handed to the browser and
// answering the message boxes that handlers open modally.
#pragma once

#include <functional>
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QUrl>

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

// Deletes every top-level window left by a test and resets the program's end hook.
void closeAllWindows();

// The parentless windows that exist, visible or hidden, after pending deletions have run.
QList<QWidget *> programWindows();

} // namespace testsupport
