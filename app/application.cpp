#include "app/application.h"

#include "about/frmAbout.h"
#include "app/singleinstance.h"
#include "outreach/cobrand.h"
#include "outreach/frmNagScreen2.h"
#include "outreach/random.h"
#include "outreach/updateprompt.h"
#include "quiz/frmDisplay.h"
#include "quiz/frmMain.h"
#include "widgets/windowstyle.h"

#include <QApplication>
#include <QFont>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPixmapCache>
#include <QPointer>
#include <QStyleHints>
#include <QWidget>

namespace tressora {
namespace {

bool &ended()
{
    static bool value = false;
    return value;
}

std::function<void()> &processEnder()
{
    static std::function<void()> ender;
    return ender;
}

void endProcess()
{
    if (ended())
        return;
    ended() = true;
    releaseSingleInstance();
    if (processEnder())
        processEnder()();
    else
        QCoreApplication::exit(0); // leaves nested loops too, so main() returns
}

// What both main windows announce alike.
void connectMainWindow(QuizWindow &window)
{
    QObject::connect(&window, &QuizWindow::unloading, &window, &RunExitSequence);
    QObject::connect(&window, &QuizWindow::aboutRequested, &window, &frmAbout::showModal);
}

} // namespace

void connectProgram()
{
    WindowSlot<frmMain>::onCreated([](frmMain &quiz) {
        connectMainWindow(quiz);
        QObject::connect(&quiz, &frmMain::handedOver, &quiz, &frmNagScreen2::hideWindow);
    });
    WindowSlot<frmDisplay>::onCreated([](frmDisplay &result) {
        connectMainWindow(result);
        QObject::connect(&result, &frmDisplay::goingBack, &result, &frmNagScreen2::holdOffScreen);
        QObject::connect(&result, &frmDisplay::wentBack, &result, &frmNagScreen2::hideWindow);
    });
    WindowSlot<frmNagScreen2>::onCreated([](frmNagScreen2 &farewell) {
        QObject::connect(&farewell, &frmNagScreen2::endRequested, &farewell, &EndProgram);
    });
}

void installFontSubstitutions()
{
    // The windows are laid out for Verdana and MS Sans Serif; DejaVu Sans has close metrics.
    // Windows has Verdana; its MS Sans Serif is a bitmap font that Qt cannot draw, replaced by
    // the system's own outline version of it. Wine has neither and draws the desktop's fonts.
#ifdef Q_OS_WIN
    QFont::insertSubstitutions(
        QStringLiteral("MS Sans Serif"),
        {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("DejaVu Sans")});
#else
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"));
#endif
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
}

void StartProgram()
{
    connectProgram();
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // The windows keep their own light colours under a dark desktop scheme; told that the
    // program wants the light one, the platform draws their title bars and Qt's message boxes to
    // match (Windows takes the request; desktops whose Qt theme does not keep their scheme for
    // the message boxes).
    QGuiApplication::styleHints()->setColorScheme(Qt::ColorScheme::Light);
#endif
    // Only EndProgram ends the program; hiding or closing windows on the way never does.
    QApplication::setQuitOnLastWindowClosed(false);
    // Every result window is built afresh with palettes of its own, so the style's pixmap
    // cache would keep filling with drawings keyed to windows that are gone. The windows are
    // small enough to draw without it.
    QPixmapCache::setCacheLimit(0);
    if (!acquireSingleInstance()) {
        QMessageBox::information(nullptr, applicationTitle(),
                                 QCoreApplication::translate("tressora::StartProgram",
                                                             "Application is already running"));
        EndProgram();
        return;
    }
    seedRandomFromClock();
    UpdatePrompt();
    frmMain *quiz = frmMain::instance();
    quiz->show();
    quiz->activateWindow();
    CoBrand_Randomize(quiz);
}

void RunExitSequence()
{
    frmNagScreen2::showWindow();
}

void EndProgram()
{
    // Close handlers that run during the walk may open windows or enter EndProgram again, so
    // the walk repeats over windows it has not closed yet; each window is closed once.
    QList<QPointer<QWidget>> closed;
    for (int pass = 0; pass < 3 && !ended(); ++pass) {
        bool closedAny = false;
        const auto windows = QApplication::topLevelWidgets();
        for (const QPointer<QWidget> window : windows) {
            if (ended())
                break; // an inner call has ended the program: this walk does not resume
            if (window && window->parentWidget() == nullptr && !closed.contains(window)) {
                closed.append(window);
                window->close();
                closedAny = true;
            }
        }
        if (!closedAny)
            break;
    }
    endProcess();
}

bool programEnded()
{
    return ended();
}

void setProcessEnder(std::function<void()> ender)
{
    processEnder() = std::move(ender);
    ended() = false;
}

} // namespace tressora
