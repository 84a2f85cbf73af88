// What the program does before it opens a window: the two arguments a desktop program answers
// on the command line, the window system it runs on, and the one sentence it says when there is
// none.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

namespace tressora {

// Whether the desktop names its displays in DISPLAY and WAYLAND_DISPLAY and the program picks
// among Qt's platforms for them: on Linux and the other X11 systems. Elsewhere (Windows) Qt has
// one platform, always there, and the program leaves the choice to it.
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
inline constexpr bool displaysFromEnvironment = true;
#else
inline constexpr bool displaysFromEnvironment = false;
#endif

// What "--help" and "--version" print, and the sentence for a machine without a display.
QString helpText();
QString versionText();
QString noDisplayText();

// The answer to the arguments: the text to print and exit with 0 for --help or --version (the
// first of them wins), nothing to go on and start. Every other argument is ignored.
std::optional<QString> commandLineAnswer(const QStringList &arguments);

// The platform the program asks Qt for, given the user's QT_QPA_PLATFORM, DISPLAY and
// WAYLAND_DISPLAY: the user's choice stands; where both an X display (XWayland) and a Wayland
// display are there, X, since only there can a window be centred and kept on top; otherwise
// nothing, and Qt chooses. Without displaysFromEnvironment only the user's choice counts.
QString platformFor(const QByteArray &chosen, const QByteArray &display,
                    const QByteArray &waylandDisplay);

// False when nothing can show a window: no platform chosen and neither display set (with
// displaysFromEnvironment; elsewhere always true).
bool displayExpected(const QByteArray &chosen, const QByteArray &display,
                     const QByteArray &waylandDisplay);

// While alive, Qt's own messages about a display it cannot open are held back, and a failure to
// open any prints noDisplayText() and ends the process with code 1 instead of Qt's abort.
class PlatformStartGuard {
public:
    PlatformStartGuard();
    ~PlatformStartGuard();
    PlatformStartGuard(const PlatformStartGuard &) = delete;
    PlatformStartGuard &operator=(const PlatformStartGuard &) = delete;
};

} // namespace tressora
