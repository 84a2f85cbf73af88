#include "app/application.h"
#include "app/language.h"
#include "buildconfig.h"
#ifdef TRESSORA_BENCH_HOOKS
#include "bench/benchhooks.h"
#endif

#include <QApplication>
#include <QPointer>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
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
