#include "app/commandline.h"

#include "buildconfig.h"

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace tressora {
namespace {

QtMessageHandler previousHandler = nullptr;

void guardedHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg) {
        // Only the platform plugin can fail this early; Qt would abort with a page of advice.
        std::fprintf(stderr, "%s\n", qPrintable(noDisplayText()));
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (context.category != nullptr && qstrncmp(context.category, "qt.qpa", 6) == 0)
        return; // "could not connect to display" and the like: the sentence above says it
    previousHandler(type, context, message);
}

} // namespace

QString helpText()
{
    return QStringLiteral("Usage: tressora [--help] [--version]\n"
                          "A quiz, made for entertainment, that estimates your chances of losing "
                          "your hair.");
}

QString versionText()
{
    return QStringLiteral("Tressora ") + QLatin1String(build::version);
}

QString noDisplayText()
{
    return QStringLiteral("Tressora needs a graphical session: start it from your desktop, or "
                          "set DISPLAY or WAYLAND_DISPLAY.");
}

std::optional<QString> commandLineAnswer(const QStringList &arguments)
{
    for (const QString &argument : arguments.mid(1)) {
        if (argument == QLatin1String("--help"))
            return helpText();
        if (argument == QLatin1String("--version"))
            return versionText();
    }
    return std::nullopt;
}

QString platformFor(const QByteArray &chosen, const QByteArray &display,
                    const QByteArray &waylandDisplay)
{
    if (!chosen.isEmpty())
        return QString::fromLocal8Bit(chosen);
    if (displaysFromEnvironment && !display.isEmpty() && !waylandDisplay.isEmpty())
        return QStringLiteral("xcb");
    return {};
}

bool displayExpected(const QByteArray &chosen, const QByteArray &display,
                     const QByteArray &waylandDisplay)
{
    return !displaysFromEnvironment || !chosen.isEmpty() || !display.isEmpty() ||
           !waylandDisplay.isEmpty();
}

PlatformStartGuard::PlatformStartGuard()
{
    previousHandler = qInstallMessageHandler(guardedHandler);
}

PlatformStartGuard::~PlatformStartGuard()
{
    qInstallMessageHandler(previousHandler);
}

} // namespace tressora
