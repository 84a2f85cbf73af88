#include "desktop.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace e2e {
namespace {

constexpr uint nobody = 65534;

bool isAscii(QChar ch)
{
    return ch.unicode() >= 0x20 && ch.unicode() < 0x7f;
}

// Runs a helper tool; gives its standard output, or nothing when it failed or did not finish.
std::optional<QByteArray> runTool(const QString &program, const QStringList &arguments,
                                  bool quiet = false)
{
    QProcess process;
    if (quiet)
        process.setStandardErrorFile(QProcess::nullDevice());
    else
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}

void xdotool(const QStringList &arguments)
{
    runTool(u"xdotool"_s, arguments);
}

} // namespace

QList<Window> visibleWindows(const QString &namePattern)
{
    QList<Window> windows;
    const auto ids =
        runTool(u"xdotool"_s, {u"search"_s, u"--onlyvisible"_s, u"--name"_s, namePattern}, true);
    for (const QString &id : QString::fromUtf8(ids.value_or("")).split('\n', Qt::SkipEmptyParts)) {
        // A window may go between the search and this.
        const auto details = runTool(u"xdotool"_s,
                                     {u"getwindowpid"_s, id, u"getwindowname"_s, id,
                                      u"getwindowgeometry"_s, u"--shell"_s, id},
                                     true);
        const QStringList lines = QString::fromUtf8(details.value_or("")).split('\n');
        if (!details || lines.size() < 3)
            continue;
        Window window{id, lines.at(0).toLongLong(), 0, lines.at(1)};
        for (const QString &line : lines) {
            if (line.startsWith("WIDTH="_L1))
                window.width = line.mid(6).toInt();
        }
        windows.append(window);
    }
    return windows;
}

QList<Window> windowsOf(qint64 pid)
{
    QList<Window> own = visibleWindows(anyPattern);
    own.removeIf([pid](const Window &window) { return window.pid != pid; });
    return own;
}

bool mapped(const Window &window)
{
    const auto windows = visibleWindows(anyPattern);
    return std::any_of(windows.begin(), windows.end(),
                       [&](const Window &shown) { return shown.id == window.id; });
}

bool waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(25);
    }
    return true;
}

std::optional<Window> waitForWindow(const QString &namePattern, qint64 pid, int width,
                                    int timeoutMs)
{
    std::optional<Window> found;
    waitUntil(
        [&] {
            for (const Window &window : visibleWindows(namePattern)) {
                if ((pid == 0 || window.pid == pid) &&
                    (width == anyWidth || window.width == width)) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

void pressKeys(const Window &window, const QStringList &keys)
{
    xdotool(QStringList{u"windowfocus"_s, u"--sync"_s, window.id, u"key"_s, u"--delay"_s, u"20"_s} +
            keys);
}

void typeText(const QString &text)
{
    // Runs of plain ASCII go fast; every other character waits until the program has seen the
    // key map change that xdotool makes for it.
    for (qsizetype start = 0, end = 0; start < text.size(); start = end) {
        end = start + 1;
        if (text.at(start) == '\n') {
            xdotool({u"key"_s, u"Return"_s});
            continue;
        }
        const bool ascii = isAscii(text.at(start));
        while (end < text.size() && text.at(end) != '\n' && isAscii(text.at(end)) == ascii)
            ++end;
        xdotool({u"type"_s, u"--delay"_s, ascii ? u"1"_s : u"40"_s, u"--"_s,
                 text.mid(start, end - start)});
    }
}

void pasteText(const QString &text)
{
    // xclip keeps serving the clipboard in the background until another owner takes it.
    QProcess clip;
    clip.setStandardOutputFile(QProcess::nullDevice());
    clip.setStandardErrorFile(QProcess::nullDevice());
    clip.start(u"xclip"_s, {u"-selection"_s, u"clipboard"_s, u"-i"_s});
    clip.waitForStarted();
    clip.write(text.toUtf8());
    clip.closeWriteChannel();
    clip.waitForFinished();
    xdotool({u"key"_s, u"ctrl+v"_s});
}

Sandbox::Sandbox(Opener opener, bool unprivileged, const QString &program)
    : dir_(QDir(QDir::tempPath()).filePath(u"tressora-e2e-XXXXXX"_s))
    , runAsNobody_(unprivileged && ::geteuid() == 0)
    , program_(program)
{
    for (const char *folder : {"runtime", "config", "home", "tmp", "bin"})
        QDir(dir_.path()).mkpath(QLatin1String(folder));
    QFile::setPermissions(runtimeDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (runAsNobody_) { // nobody may not be able to reach the build tree; it runs its own copy
        QFile::copy(program_, path(u"bin/tressora"_s));
        program_ = path(u"bin/tressora"_s);
    }

    environment = QProcessEnvironment::systemEnvironment();
    for (const char *name :
         {"QT_QPA_PLATFORM", "BROWSER", "DEFAULT_BROWSER", "LC_ALL", "LC_TIME",
          "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID",
          "DBUS_SESSION_BUS_ADDRESS", "QT_QTESTLIB_RUNNING", "TRESSORA_E2E_BROWSER_MODE"})
        environment.remove(QLatin1String(name));
    environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    environment.insert(u"LANG"_s, u"C.UTF-8"_s);
    environment.insert(u"XDG_RUNTIME_DIR"_s, runtimeDir());
    environment.insert(u"XDG_CONFIG_HOME"_s, configDir());
    environment.insert(u"HOME"_s, path(u"home"_s));
    environment.insert(u"TMPDIR"_s, path(u"tmp"_s));
    environment.insert(u"TRESSORA_E2E_BROWSER_LOG"_s, browserLog());
    // Only the sandbox's bin folder is searched, so no browser of the machine can start.
    environment.insert(u"PATH"_s, path(u"bin"_s));
    const QString standIn =
        QDir(qEnvironmentVariable("TRESSORA_E2E_SOURCE")).filePath(u"stand-in/xdg-open"_s);
    if (opener == Opener::BrowserVariable) {
        QFile::copy(standIn, path(u"bin/web-browser"_s));
        environment.insert(u"BROWSER"_s, path(u"bin/web-browser"_s));
    } else if (opener != Opener::None) {
        QFile::copy(standIn, path(u"bin/xdg-open"_s));
    }
    if (opener == Opener::Failing || opener == Opener::Hanging)
        environment.insert(u"TRESSORA_E2E_BROWSER_MODE"_s,
                           opener == Opener::Failing ? u"fail"_s : u"hang"_s);
}

Sandbox::~Sandbox()
{
    // A hanging stand-in browser ends with its sandbox.
    for (const QString &pid : fileLines(browserLog() + u".pids"_s))
        ::kill(pid.toInt(), SIGTERM);
}

QString Sandbox::path(const QString &relative) const
{
    return QDir(dir_.path()).filePath(relative);
}

QStringList Sandbox::openedAddresses() const
{
    return fileLines(browserLog());
}

void Sandbox::handOver() const
{
    if (runAsNobody_)
        runTool(u"chown"_s, {u"-R"_s, u"%1:%1"_s.arg(nobody), dir_.path()});
}

Copy::Copy(const Sandbox &sandbox)
{
    process_.setProcessEnvironment(sandbox.environment);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.setStandardInputFile(QProcess::nullDevice());
    if (sandbox.unprivileged())
        process_.start(QStandardPaths::findExecutable(u"setpriv"_s),
                       {u"--reuid=%1"_s.arg(nobody), u"--regid=%1"_s.arg(nobody),
                        u"--clear-groups"_s, u"--"_s, sandbox.program()});
    else
        process_.start(sandbox.program(), QStringList());
    process_.waitForStarted();
}

bool Copy::waitForCleanExit(int timeoutMs)
{
    if (running() && !process_.waitForFinished(timeoutMs))
        return false;
    return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
}

void Copy::kill()
{
    if (running()) {
        process_.kill();
        process_.waitForFinished();
    }
}

void Copy::start(bool answerYes, const char *failure)
{
    for (int step = 0; step < 3; ++step) {
        const auto shown = waitForWindow(anyPattern, pid(), anyWidth);
        QVERIFY2(shown, failure);
        window = *shown;
        if (shown->width == quizWidth && shown->name.endsWith("v1.0"_L1))
            return;
        ++prompts;
        pressKeys(*shown, {answerYes ? u"Return"_s : u"Escape"_s});
        waitUntil([&] { return !mapped(*shown); });
    }
    QFAIL(failure);
}

void Copy::reach(int width)
{
    STEP(start());
    if (width == resultWidth)
        go(calculateKeys, resultWidth);
    else if (width == referWidth)
        go({"alt+x"}, referWidth);
}

void Copy::go(const QStringList &keys, int width)
{
    pressKeys(window, keys);
    const auto shown = waitForWindow(windowPattern, pid(), width);
    QVERIFY2(shown,
             qPrintable(u"no window %1 pixels wide after %2"_s.arg(width).arg(keys.join(' '))));
    QVERIFY2(waitUntil([this] { return !mapped(window); }), "the window left stays on screen");
    window = *shown;
}

void Copy::leave(const QStringList &closeKeys, const QStringList &endKeys)
{
    STEP(go(closeKeys, referWidth));
    QVERIFY2(running(), "the program ends before the refer-a-friend window is left");
    QCOMPARE(windowsOf(pid()).size(), 1);
    pressKeys(window, endKeys);
    QVERIFY2(waitForCleanExit(), "the program does not end with code 0");
    QVERIFY2(waitUntil([this] { return windowsOf(window.pid).isEmpty(); }),
             "a window outlives the program");
}

QStringList fileLines(const QString &file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(in.readAll()).split('\n', Qt::SkipEmptyParts);
}

QStringList waitForLines(const QString &file, int count, int timeoutMs)
{
    QStringList lines;
    waitUntil([&] { return (lines = fileLines(file)).size() >= count; }, timeoutMs);
    return lines;
}

} // namespace e2e
