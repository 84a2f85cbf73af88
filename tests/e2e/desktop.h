// Helpers that let a test use the real program the way a person does: on an X display, by its
// windows and the keyboard, in a private home with its own settings, runtime folder and browser.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <optional>

namespace e2e {

// The program's windows share one caption; their widths tell them apart.
inline constexpr int quizWidth = 642;
inline constexpr int resultWidth = 561;
inline constexpr int referWidth = 741;
inline constexpr int anyWidth = 0;
inline const QString windowPattern = QStringLiteral("^Tressora v1\\.0$");
inline const QString messageBoxPattern = QStringLiteral("^Tressora$");
inline const QString anyPattern = QStringLiteral("^Tressora");

// A helper tool's run: exit code (-1 when it did not finish) and standard output.
struct ToolRun {
    int exitCode = -1;
    QByteArray output;
};
ToolRun runTool(const QString &program, const QStringList &arguments, const QByteArray &input = {},
                int timeoutMs = 60000, bool quiet = false);

// A mapped top-level window of any program on the display.
struct Window {
    QString id;
    qint64 pid = 0;
    int width = 0;
    QString name;
};
QList<Window> visibleWindows(const QString &namePattern = anyPattern);
// Waits for a window whose name matches, of the given process (0: any) and width (0: any).
std::optional<Window> waitForWindow(const QString &namePattern, qint64 pid, int width,
                                    int timeoutMs = 20000);
// Waits until no window of the process is mapped.
bool waitForNoWindow(qint64 pid, int timeoutMs = 20000);
// Waits until the window is no longer mapped.
bool waitUntilUnmapped(const QString &id, int timeoutMs = 20000);

// Gives the window the keyboard focus and presses the keys (xdotool key names) in order.
void pressKeys(const Window &window, const QStringList &keys);
// Types text into the focused control: line breaks are pressed as Return. Characters outside
// ASCII are typed more slowly, since xdotool maps each of them onto a spare key first.
void typeText(const QString &text);
// Puts the text on the clipboard and pastes it into the focused control with Ctrl+V.
void pasteText(const QString &text);

// What a test starts the program with.
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
    explicit Sandbox(bool unprivileged = false,
                     const QString &program = qEnvironmentVariable("TRESSORA_PROGRAM"));
    ~Sandbox();

    QString path(const QString &relative) const;
    QString runtimeDir() const { return path(QStringLiteral("runtime")); }
    QString configDir() const { return path(QStringLiteral("config")); }
    QString settingsFile() const { return path(QStringLiteral("config/tressora.conf")); }
    QString browserLog() const { return path(QStringLiteral("browser.log")); }
    bool unprivileged() const { return runAsNobody_; }

    QProcessEnvironment environment;
    void setOpener(Opener opener);
    QStringList openedAddresses() const;
    // Hands every file to the user the program runs as; call after preparing files and
    // before changing permissions that the test depends on.
    void handOver() const;
    QString program() const { return program_; }

private:
    QTemporaryDir dir_;
    bool runAsNobody_ = false;
    QString program_;
};

// One running copy of the program. Killed on destruction if it is still running.
class Copy {
public:
    explicit Copy(const Sandbox &sandbox);
    ~Copy();
    qint64 pid() const { return process_.processId(); }
    bool running() const { return process_.state() != QProcess::NotRunning; }
    // Waits for the end of the process; true when it ended by itself with code 0.
    bool waitForCleanExit(int timeoutMs = 20000);
    void kill();

private:
    QProcess process_;
};

// Waits until the file has at least the given number of lines; gives its lines.
QStringList waitForLines(const QString &file, int count, int timeoutMs = 30000);
QStringList fileLines(const QString &file);

} // namespace e2e
