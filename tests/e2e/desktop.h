// Helpers that let a test use the real program the way a person does: on an X display, by its
// windows and the keyboard, in a private home with its own settings, runtime folder and browser.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
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

// A mapped top-level window of any program on the display.
struct Window {
    QString id;
    qint64 pid = 0;
    int width = 0;
    QString name;
};
QList<Window> visibleWindows(const QString &namePattern = anyPattern);
QList<Window> windowsOf(qint64 pid);
bool mapped(const Window &window);
// Polls until done() holds; false when the time ran out first. done() is asked at least once.
bool waitUntil(const std::function<bool()> &done, int timeoutMs = 20000);
// Waits for a window whose name matches, of the given process (0: any) and width (0: any).
std::optional<Window> waitForWindow(const QString &namePattern, qint64 pid, int width,
                                    int timeoutMs = 20000);

// Gives the window the keyboard focus and presses the keys (xdotool key names) in order.
void pressKeys(const Window &window, const QStringList &keys);
// Types text into the focused control; line breaks are pressed as Return.
void typeText(const QString &text);
// Puts the text on the clipboard and pastes it into the focused control with Ctrl+V.
void pasteText(const QString &text);

// What opens addresses for the program.
enum class Opener {
    XdgOpen,         // the stand-in browser as xdg-open on PATH
    BrowserVariable, // no xdg-open; the stand-in named by $BROWSER
    None,            // nothing that could open an address
    Failing,         // an xdg-open that exits with an error
    Hanging,         // an xdg-open that never returns
};

// A private home for the program: runtime folder (0700), settings folder, home, temporary
// folder and a bin folder with the stand-in browser, all inside one temporary folder.
class Sandbox {
public:
    // An unprivileged sandbox runs the program as user "nobody" when the tests run as root, so
    // that file permissions bind it as they bind any user.
    explicit Sandbox(Opener opener = Opener::XdgOpen, bool unprivileged = false,
                     const QString &program = qEnvironmentVariable("TRESSORA_PROGRAM"));
    ~Sandbox();

    QString path(const QString &relative) const;
    QString runtimeDir() const { return path(QStringLiteral("runtime")); }
    QString lockFile() const { return path(QStringLiteral("runtime/tressora.lock")); }
    QString configDir() const { return path(QStringLiteral("config")); }
    QString settingsFile() const { return path(QStringLiteral("config/tressora.conf")); }
    QString browserLog() const { return path(QStringLiteral("browser.log")); }
    QStringList openedAddresses() const;
    bool unprivileged() const { return runAsNobody_; }
    QString program() const { return program_; }
    // Hands every file to the user the program runs as; call after preparing files and before
    // changing permissions that the test depends on.
    void handOver() const;

    QProcessEnvironment environment;

private:
    QTemporaryDir dir_;
    bool runAsNobody_ = false;
    QString program_;
};

// One running copy of the program, walked from window to window by key presses. The walking
// functions check with QVERIFY: call them with STEP. Killed on destruction if still running.
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
    // Starts and walks to the window of that width: the result window by Calculate, the
    // refer-a-friend window by Alt+X.
    void reach(int width);
    // Presses the keys in the current window; one of the width takes its place.
    void go(const QStringList &keys, int width);
    // Closes the current main window with the keys: the refer-a-friend window alone is left;
    // leaving it with the end keys ends the program with code 0 and no window left.
    void leave(const QStringList &closeKeys = {"alt+x"}, const QStringList &endKeys = {"alt+x"});

    Window window;   // the window it shows now
    int prompts = 0; // update prompts answered by start()

private:
    QProcess process_;
};

// Waits until the file has at least the given number of lines; gives its lines.
QStringList waitForLines(const QString &file, int count, int timeoutMs = 30000);
QStringList fileLines(const QString &file);

} // namespace e2e
