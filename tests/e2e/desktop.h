// Helpers that let a test use the real program the way a person does: on an X display, by its
// windows and the keyboard, in a private home with its own settings, runtime folder and browser.
#pragma once

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <optional>

// Runs a step that checks with QVERIFY/QCOMPARE and leaves the test when the step failed.
#define STEP(call)                                                                                 \
    do {                                                                                           \
        call;                                                                                      \
        if (QTest::currentTestFailed())                                                            \
            return;                                                                                \
    } while (false)

namespace e2e {

// The program's windows share one caption; their widths tell them apart.
inline constexpr int quizWidth = 642, resultWidth = 561, referWidth = 741, anyWidth = 0;
inline const QString windowPattern = QStringLiteral("^Tressora v1\\.0$");
inline const QString messageBoxPattern = QStringLiteral("^Tressora$");
inline const QString anyPattern = QStringLiteral("^Tressora");
// At the first showing the focus is on the Exit button, five Tabs from Calculate.
inline const QStringList calculateKeys = {"Tab", "Tab", "Tab", "Tab", "Tab", "Return"};

struct Window {
    QString id;
    qint64 pid = 0;
    int width = 0;
    QString name;
    int height = 0; // of its inside, as xdotool reports it
};
// Mapped windows whose name matches, of the given process (0: any) and width (0: any).
QList<Window> visibleWindows(const QString &namePattern = anyPattern, qint64 pid = 0,
                             int width = anyWidth);
std::optional<Window> waitForWindow(const QString &namePattern, qint64 pid, int width = anyWidth,
                                    int timeoutMs = 20000);
bool mapped(const Window &window);
// Where the window's inside lies on the screen.
QRect windowRect(const Window &window);
// The screen as the X server shows it now (ImageMagick's import), or a null image.
QImage screenPicture();
// How far apart two colours are: the sum of their channels' differences (0 to 765).
int colourDistance(QRgb a, QRgb b);
// How two pictures of the same place differ: the pixels that differ by more than anti-aliasing
// could make them, outside the rectangles whose text changes from run to run (drawn at random);
// inside each of those, whether its background and its text (the commonest colour, and the one
// farthest from it) are not the same. Empty when they look the same.
QString lookDifference(const QImage &a, const QImage &b, const QList<QRect> &varying = {});

// Polls until done() holds, asking at least once; false when the time ran out first.
bool waitUntil(const std::function<bool()> &done, int timeoutMs = 20000);
// Gives the window the keyboard focus and presses the keys (xdotool key names) in order.
void pressKeys(const Window &window, const QStringList &keys);
// Gives the window the keyboard focus.
void focusWindow(const Window &window);
// Presses the keys in whatever window has the keyboard focus, a message box it opens included.
void pressKeys(const QStringList &keys);
// Types text into the focused control (line breaks as Return), or pastes it with Ctrl+V.
void typeText(const QString &text);
void pasteText(const QString &text);
QStringList fileLines(const QString &file);

// The standard output of an X tool, or nothing when it failed.
std::optional<QString> tool(const QString &program, const QStringList &arguments);
// The window manager's answer to a property: "_NET_WM_STATE(ATOM) = A, B" gives "A, B".
QString xproperty(const QString &id, const char *name);
// Every number in a text, whether decimal or "0x" hexadecimal.
QList<qulonglong> numbers(const QString &text);
// The clients from bottom to top, as the window manager stacks them.
QList<qulonglong> stacking();
// Whether the window manager stacks the one window above the other.
bool above(const QString &upper, const QString &lower);
// Another program's window, activated and raised over the window, stays below it (checks with
// QVERIFY: call it with STEP). Needs a window manager and xeyes.
void checkStaysAboveRaisedWindow(const Window &window);
QStringList waitForLines(const QString &file, int count, int timeoutMs = 30000);

// The stand-in browser as xdg-open or named by $BROWSER; nothing at all; an xdg-open that fails
// or one that never returns.
enum class Opener { XdgOpen, BrowserVariable, None, Failing, Hanging };

// A private home for the program: runtime folder (0700), settings folder, home, temporary
// folder and a bin folder (the whole PATH) with the opener, inside one temporary folder. When
// the tests run as root, an unprivileged sandbox runs the program as "nobody", so that file
// permissions bind it.
class Sandbox {
public:
    explicit Sandbox(Opener opener = Opener::XdgOpen, bool unprivileged = false,
                     const QString &executable = qEnvironmentVariable("TRESSORA_PROGRAM"));
    ~Sandbox();
    QString path(const QString &relative) const { return QDir(dir_.path()).filePath(relative); }
    QString lockFile() const { return path(QStringLiteral("runtime/tressora.lock")); }
    QString settingsFile() const { return path(QStringLiteral("config/tressora.conf")); }
    QString browserLog() const { return path(QStringLiteral("browser.log")); }
    QStringList openedAddresses() const { return fileLines(browserLog()); }
    // Hands every file to the user the program runs as; call before setting permissions.
    void handOver() const;

    bool asNobody;
    QString program;
    QProcessEnvironment environment;

private:
    QTemporaryDir dir_;
};

// One running copy of the program, walked from window to window by key presses. The walking
// checks with QVERIFY: call it with STEP. Killed on destruction if still running.
class Copy {
public:
    explicit Copy(const Sandbox &sandbox);
    ~Copy() { kill(); }
    qint64 pid() const { return process_.processId(); }
    bool running() const { return process_.state() != QProcess::NotRunning; }
    // Waits for the end of the process; true when it ended by itself with code 0.
    bool waitForCleanExit(int timeoutMs = 20000);
    void kill();

    // Waits for the quiz window, answering update prompts (Return: Yes, Escape: No).
    void start(bool answerYes = false, const char *failure = "no quiz window after start");
    // Starts and walks on: to the result window by Calculate, to the refer window by Alt+X.
    void reach(int width);
    // Presses the keys in the current window; one of that width takes its place.
    void go(const QStringList &keys, int width);
    // Closes the current main window with the keys: the refer-a-friend window alone is left, and
    // its end keys end the program with code 0 and no window left.
    void leave(const QStringList &closeKeys = {"alt+x"}, const QStringList &endKeys = {"alt+x"});

    Window window;   // the window it shows now
    int prompts = 0; // update prompts answered by start()

private:
    QProcess process_;
};

} // namespace e2e
