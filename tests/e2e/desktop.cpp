#include "desktop.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <unistd.h>

namespace e2e {
namespace {

constexpr int pollMs = 25;
constexpr uint nobody = 65534;

QString sourceDir()
{
    return qEnvironmentVariable("TRESSORA_E2E_SOURCE");
}

bool isAscii(QChar ch)
{
    return ch.unicode() >= 0x20 && ch.unicode() < 0x7f;
}

void xdotool(const QStringList &arguments)
{
    runTool(QStringLiteral("xdotool"), arguments);
}

} // namespace

ToolRun runTool(const QString &program, const QStringList &arguments, const QByteArray &input,
                int timeoutMs, bool quiet)
{
    QProcess process;
    if (quiet)
        process.setStandardErrorFile(QProcess::nullDevice());
    else
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    if (!process.waitForStarted(timeoutMs))
        return {};
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput()};
}

QList<Window> visibleWindows(const QString &namePattern)
{
    QList<Window> windows;
    const ToolRun search = runTool(QStringLiteral("xdotool"),
                                   {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                    QStringLiteral("--name"), namePattern},
                                   {}, 60000, true);
    const auto ids = QString::fromUtf8(search.output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &id : ids) {
        const ToolRun details =
            runTool(QStringLiteral("xdotool"),
                    {QStringLiteral("getwindowpid"), id, QStringLiteral("getwindowname"), id,
                     QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), id},
                    {}, 60000, true); // a window may go between the search and this
        const QStringList lines = QString::fromUtf8(details.output).split(QLatin1Char('\n'));
        if (details.exitCode != 0 || lines.size() < 3)
            continue; // gone meanwhile
        Window window{id, lines.at(0).toLongLong(), 0, lines.at(1)};
        for (const QString &line : lines) {
            if (line.startsWith(QLatin1String("WIDTH=")))
                window.width = line.mid(6).toInt();
        }
        windows.append(window);
    }
    return windows;
}

std::optional<Window> waitForWindow(const QString &namePattern, qint64 pid, int width,
                                    int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    do {
        const auto windows = visibleWindows(namePattern);
        for (const Window &window : windows) {
            if ((pid == 0 || window.pid == pid) && (width == anyWidth || window.width == width))
                return window;
        }
        QThread::msleep(pollMs);
    } while (!deadline.hasExpired());
    return std::nullopt;
}

bool waitForNoWindow(qint64 pid, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    do {
        const auto windows = visibleWindows(anyPattern);
        if (std::none_of(windows.begin(), windows.end(),
                         [pid](const Window &window) { return window.pid == pid; }))
            return true;
        QThread::msleep(pollMs);
    } while (!deadline.hasExpired());
    return false;
}

bool waitUntilUnmapped(const QString &id, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    do {
        const auto windows = visibleWindows(anyPattern);
        if (std::none_of(windows.begin(), windows.end(),
                         [&id](const Window &window) { return window.id == id; }))
            return true;
        QThread::msleep(pollMs);
    } while (!deadline.hasExpired());
    return false;
}

void pressKeys(const Window &window, const QStringList &keys)
{
    xdotool(QStringList{QStringLiteral("windowfocus"), QStringLiteral("--sync"), window.id,
                        QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("20")} +
            keys);
}

void typeText(const QString &text)
{
    // Runs of plain ASCII go fast; every other character waits until the program has seen
    // the key map change that xdotool makes for it.
    qsizetype start = 0;
    while (start < text.size()) {
        if (text.at(start) == QLatin1Char('\n')) {
            xdotool({QStringLiteral("key"), QStringLiteral("Return")});
            ++start;
            continue;
        }
        const bool ascii = isAscii(text.at(start));
        qsizetype end = start;
        while (end < text.size() && text.at(end) != QLatin1Char('\n') &&
               isAscii(text.at(end)) == ascii)
            ++end;
        xdotool({QStringLiteral("type"), QStringLiteral("--delay"),
                 ascii ? QStringLiteral("1") : QStringLiteral("40"), QStringLiteral("--"),
                 text.mid(start, end - start)});
        start = end;
    }
}

void pasteText(const QString &text)
{
    // xclip keeps serving the clipboard in the background until another owner takes it.
    QProcess clip;
    clip.setStandardOutputFile(QProcess::nullDevice());
    clip.setStandardErrorFile(QProcess::nullDevice());
    clip.start(QStringLiteral("xclip"),
               {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-i")});
    clip.waitForStarted();
    clip.write(text.toUtf8());
    clip.closeWriteChannel();
    clip.waitForFinished();
    xdotool({QStringLiteral("key"), QStringLiteral("ctrl+v")});
}

Sandbox::Sandbox(bool unprivileged, const QString &program)
    : dir_(QDir(QDir::tempPath()).filePath(QStringLiteral("tressora-e2e-XXXXXX")))
    , runAsNobody_(unprivileged && ::geteuid() == 0)
    , program_(program)
{
    const QDir root(dir_.path());
    for (const char *folder : {"runtime", "config", "home", "tmp", "bin"})
        root.mkpath(QLatin1String(folder));
    QFile::setPermissions(runtimeDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (runAsNobody_) {
        // nobody may not be able to reach the build tree; it runs its own copy.
        const QString copy = path(QStringLiteral("bin/tressora"));
        QFile::copy(program_, copy);
        program_ = copy;
    }

    environment = QProcessEnvironment::systemEnvironment();
    for (const char *name :
         {"QT_QPA_PLATFORM", "BROWSER", "DEFAULT_BROWSER", "LC_ALL", "LC_TIME",
          "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID",
          "DBUS_SESSION_BUS_ADDRESS", "QT_QTESTLIB_RUNNING"})
        environment.remove(QLatin1String(name));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configDir());
    environment.insert(QStringLiteral("HOME"), path(QStringLiteral("home")));
    environment.insert(QStringLiteral("TMPDIR"), path(QStringLiteral("tmp")));
    environment.insert(QStringLiteral("TRESSORA_E2E_BROWSER_LOG"), browserLog());
    setOpener(Opener::XdgOpen);
}

Sandbox::~Sandbox()
{
    // A hanging stand-in browser ends with its sandbox.
    const auto pids = fileLines(browserLog() + QStringLiteral(".pids"));
    for (const QString &pid : pids)
        ::kill(pid.toInt(), SIGTERM);
}

QString Sandbox::path(const QString &relative) const
{
    return QDir(dir_.path()).filePath(relative);
}

void Sandbox::setOpener(Opener opener)
{
    const QString standIn = QDir(sourceDir()).filePath(QStringLiteral("stand-in/xdg-open"));
    const QString bin = path(QStringLiteral("bin"));
    QFile::remove(path(QStringLiteral("bin/xdg-open")));
    QFile::remove(path(QStringLiteral("bin/web-browser")));
    environment.remove(QStringLiteral("BROWSER"));
    environment.remove(QStringLiteral("TRESSORA_E2E_BROWSER_MODE"));
    // Only the sandbox's bin folder is searched, so no browser of the machine can start.
    environment.insert(QStringLiteral("PATH"), bin);
    switch (opener) {
    case Opener::XdgOpen:
        QFile::copy(standIn, path(QStringLiteral("bin/xdg-open")));
        break;
    case Opener::BrowserVariable:
        QFile::copy(standIn, path(QStringLiteral("bin/web-browser")));
        environment.insert(QStringLiteral("BROWSER"), path(QStringLiteral("bin/web-browser")));
        break;
    case Opener::None:
        break;
    case Opener::Failing:
    case Opener::Hanging:
        QFile::copy(standIn, path(QStringLiteral("bin/xdg-open")));
        environment.insert(QStringLiteral("TRESSORA_E2E_BROWSER_MODE"),
                           opener == Opener::Failing ? QStringLiteral("fail")
                                                     : QStringLiteral("hang"));
        break;
    }
}

QStringList Sandbox::openedAddresses() const
{
    return fileLines(browserLog());
}

void Sandbox::handOver() const
{
    if (runAsNobody_)
        runTool(QStringLiteral("chown"),
                {QStringLiteral("-R"), QStringLiteral("%1:%1").arg(nobody), dir_.path()});
}

Copy::Copy(const Sandbox &sandbox)
{
    process_.setProcessEnvironment(sandbox.environment);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.setStandardInputFile(QProcess::nullDevice());
    if (sandbox.unprivileged()) {
        process_.start(QStandardPaths::findExecutable(QStringLiteral("setpriv")),
                       {QStringLiteral("--reuid=%1").arg(nobody),
                        QStringLiteral("--regid=%1").arg(nobody), QStringLiteral("--clear-groups"),
                        QStringLiteral("--"), sandbox.program()});
    } else {
        process_.start(sandbox.program(), QStringList());
    }
    process_.waitForStarted();
}

Copy::~Copy()
{
    kill();
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

QStringList fileLines(const QString &file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList waitForLines(const QString &file, int count, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    QStringList lines = fileLines(file);
    while (lines.size() < count && !deadline.hasExpired()) {
        QThread::msleep(pollMs);
        lines = fileLines(file);
    }
    return lines;
}

} // namespace e2e
