#include "testsupport.h"

#include "app/application.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QPointer>
#include <QPushButton>

namespace testsupport {

UrlCatcher::UrlCatcher()
{
    QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open");
}

UrlCatcher::~UrlCatcher()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

void UrlCatcher::open(const QUrl &url)
{
    urls.append(url);
    addresses.append(QString::fromUtf8(url.toEncoded()));
}

MessageBoxAnswerer::MessageBoxAnswerer(QMessageBox::StandardButton button)
    : answer(button)
{
    connect(&timer_, &QTimer::timeout, this, &MessageBoxAnswerer::poll);
    timer_.start(5);
}

void MessageBoxAnswerer::poll()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible())
        return;
    SeenBox s;
    s.title = box->windowTitle();
    s.text = box->text();
    s.icon = box->icon();
    s.buttons = box->standardButtons();
    if (box->defaultButton() != nullptr)
        s.defaultButton = box->standardButton(box->defaultButton());
    seen.append(s);
    if (whileShown)
        whileShown();
    QAbstractButton *button = box->button(answer);
    if (button == nullptr && !box->buttons().isEmpty())
        button = box->buttons().constFirst();
    if (button != nullptr)
        button->click();
    else
        box->close();
}

QList<QWidget *> programWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QList<QWidget *> windows;
    const auto all = QApplication::topLevelWidgets();
    for (QWidget *w : all) {
        if (w->parentWidget() == nullptr && !w->inherits("QMessageBox"))
            windows.append(w);
    }
    return windows;
}

void closeAllWindows()
{
    tressora::setProcessEnder([] {});
    const auto windows = programWindows();
    for (const QPointer<QWidget> w : windows) {
        if (w)
            delete w.data();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    tressora::setProcessEnder({});
}

} // namespace testsupport

namespace {

// The offscreen platform says, for every window, that it cannot raise it or pass on size hints;
// those lines drown what a failing test prints, so they are left out.
QtMessageHandler previousHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    previousHandler(type, context, message);
}

void installQuietHandler()
{
    previousHandler = qInstallMessageHandler(quietHandler);
}

} // namespace

Q_CONSTRUCTOR_FUNCTION(installQuietHandler)
