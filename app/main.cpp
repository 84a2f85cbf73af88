#include "app/application.h"
#include "app/commandline.h"
#include "app/language.h"
#include "buildconfig.h"
#include "widgets/accessiblelist.h"
#ifdef TRESSORA_BENCH_HOOKS
#include "bench/benchhooks.h"
#endif

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include <cstdio>
#include <memory>
#include <vector>

int main(int argc, char *argv[])
{
    // Answered without a display, before Qt looks for one.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (const auto answer = tressora::commandLineAnswer(arguments)) {
        std::printf("%s\n", qPrintable(*answer));
        return 0;
    }
    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    const QByteArray display = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    if (!tressora::displayExpected(chosen, display, wayland)) {
        std::fprintf(stderr, "%s\n", qPrintable(tressora::noDisplayText()));
        return 1;
    }
    // The platform goes to Qt as an argument, not through the environment, so that the browser
    // the program starts makes its own choice.
    std::vector<char *> qtArguments(argv, argv + argc);
    QByteArray platform = tressora::platformFor(chosen, display, wayland).toLocal8Bit();
    QByteArray platformOption("-platform");
    const bool platformGiven = arguments.contains(QLatin1String("-platform")) ||
                               arguments.contains(QLatin1String("--platform"));
    if (chosen.isEmpty() && !platformGiven && !platform.isEmpty()) { // the user's choice stands
        qtArguments.push_back(platformOption.data());
        qtArguments.push_back(platform.data());
    }
    qtArguments.push_back(nullptr);
    int qtArgc = static_cast<int>(qtArguments.size()) - 1;

    std::unique_ptr<QApplication> app;
    {
        const tressora::PlatformStartGuard guard;
        app = std::make_unique<QApplication>(qtArgc, qtArguments.data());
    }
    // After Qt's own interfaces (the last one installed is asked first), before any window: a
    // screen reader may ask for the lists as soon as they are made.
    tressora::installAccessibleLists();
    // Lets the desktop match the windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QLatin1String(tressora::build::desktopId));
#ifdef TRESSORA_BENCH_HOOKS
    tressora::installBenchHooks();
#endif
    tressora::installFontSubstitutions();
    tressora::installTranslations();
    tressora::StartProgram();
    const int code = tressora::programEnded() ? 0 : QApplication::exec();
    // Windows closed on the way out are deleted here, so nothing is left for leak checkers.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto windows = QApplication::topLevelWidgets();
    for (const QPointer<QWidget> window : windows) {
        if (window && window->parentWidget() == nullptr)
            delete window.data();
    }
    return code;
}
