#include "testsupport.h"

#include "app/application.h"
#include "settings/settingsstore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QPushButton>
#include <QSettings>

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

bool operator==(const SeenBox &a, const SeenBox &b)
{
    return a.title == b.title && a.text == b.text && a.icon == b.icon && a.buttons == b.buttons &&
           a.defaultButton == b.defaultButton;
}

char *toString(const SeenBox &box)
{
    return qstrdup(qPrintable(QStringLiteral("\"%1\" \"%2\" icon %3 buttons %4 default %5")
                                  .arg(box.title, box.text)
                                  .arg(int(box.icon))
                                  .arg(int(box.buttons))
                                  .arg(int(box.defaultButton))));
}

Query serverQuery(const QString &address)
{
    const auto decode = [](QByteArray part) {
        part.replace('+', ' ');
        return QString::fromUtf8(QByteArray::fromPercentEncoding(part));
    };
    Query pairs;
    const QUrl url = QUrl::fromEncoded(address.toUtf8(), QUrl::StrictMode);
    const QByteArray query = url.query(QUrl::FullyEncoded).toLatin1();
    for (const QByteArray &pair : query.split('&')) {
        const qsizetype eq = pair.indexOf('=');
        pairs.append({decode(eq < 0 ? pair : pair.left(eq)),
                      decode(eq < 0 ? QByteArray() : pair.mid(eq + 1))});
    }
    return pairs;
}

Query referralQuery(const QStringList &texts, const QString &productAddress)
{
    Query pairs;
    for (int i = 0; i < texts.size(); ++i)
        pairs.append({QStringLiteral("taf%1").arg(i + 1), texts[i]});
    pairs.append({QStringLiteral("taf6"), productAddress});
    return pairs;
}

QString fontText(const QFont &font)
{
    QStringList parts = {font.family(), QString::number(font.pointSizeF())};
    if (font.bold())
        parts.append(QStringLiteral("bold"));
    if (font.underline())
        parts.append(QStringLiteral("underline"));
    return parts.join(QLatin1Char(' '));
}

QString settingsFile()
{
    return tressora::openSettingsStore()->fileName();
}

void removeSettings()
{
    const QFileInfo file(settingsFile());
    if (file.isDir())
        QDir(file.absoluteFilePath()).removeRecursively();
    tressora::openSettingsStore()->clear();
    QFile::remove(file.absoluteFilePath());
}

bool settingsInFile()
{
#ifdef Q_OS_WIN
    return false;
#else
    return true;
#endif
}

bool settingsKeptApart()
{
    if (settingsInFile())
        return QFileInfo(settingsFile()).absolutePath().contains(QLatin1String(".qttest"));
    const QString name = QCoreApplication::applicationName();
    return name.startsWith(QLatin1String("tst_")) &&
           settingsFile().endsWith(QLatin1String("\\Software\\") + name, Qt::CaseInsensitive);
}

bool settingsStored()
{
    if (settingsInFile())
        return QFileInfo::exists(settingsFile());
    return !tressora::openSettingsStore()->childGroups().isEmpty();
}

namespace {

// Holds the stand-ins: a hidden window that no window count sees, deleted with the others.
QPointer<QWidget> &standIns()
{
    static QPointer<QWidget> holder;
    return holder;
}

} // namespace

QObject *standInFor(const QMetaObject &kind, QObject *(*make)())
{
    if (standIns().isNull()) {
        standIns() = new QWidget;
        standIns()->setObjectName(QStringLiteral("testsupport-stand-ins"));
    }
    for (QObject *made : standIns()->children()) {
        if (made->metaObject() == &kind)
            return made;
    }
    QObject *made = make();
    if (made->isWidgetType())
        static_cast<QWidget *>(made)->setParent(standIns());
    else
        made->setParent(standIns());
    return made;
}

QList<QWidget *> programWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QList<QWidget *> windows;
    const auto all = QApplication::topLevelWidgets();
    for (QWidget *w : all) {
        if (w->parentWidget() == nullptr && !w->inherits("QMessageBox") &&
            w->objectName() != QLatin1String("testsupport-stand-ins"))
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
    delete standIns().data();
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

// Every window a test creates is connected to the program as the program connects it.
void setUpTests()
{
    previousHandler = qInstallMessageHandler(quietHandler);
    tressora::connectProgram();
}

} // namespace

Q_CONSTRUCTOR_FUNCTION(setUpTests)
