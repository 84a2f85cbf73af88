#include "desktop.h"

#include <QColor>
#include <QDeadlineTimer>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace e2e {
namespace {

constexpr uint nobody = 65534;

// Runs xdotool or another tool; gives its standard output, or nothing when it failed.
std::optional<QByteArray> run(const QStringList &arguments, bool quiet = false,
                              const QString &program = u"xdotool"_s)
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

} // namespace

// The standard output of an X tool, or nothing when it failed.
std::optional<QString> tool(const QString &program, const QStringList &arguments)
{
    const auto output = run(arguments, true, program);
    return output ? std::optional(QString::fromUtf8(*output)) : std::nullopt;
}

// The window manager's answer to a property: "_NET_WM_STATE(ATOM) = A, B" gives "A, B".
QString xproperty(const QString &id, const char *name)
{
    const QString line = tool(u"xprop"_s, {u"-id"_s, id, QLatin1String(name)}).value_or(QString());
    const qsizetype equals = line.indexOf(" = "_L1);
    return equals < 0 ? QString() : line.mid(equals + 3).trimmed();
}

// Every number in a text, whether decimal or "0x" hexadecimal.
QList<qulonglong> numbers(const QString &text)
{
    QList<qulonglong> found;
    static const QRegularExpression number(u"0x[0-9a-fA-F]+|\\d+"_s);
    for (const auto &match : number.globalMatch(text))
        found << match.captured().toULongLong(nullptr, 0);
    return found;
}

// The program's clients from bottom to top, as the window manager stacks them.
QList<qulonglong> stacking()
{
    return numbers(tool(u"xprop"_s, {u"-root"_s, u"_NET_CLIENT_LIST_STACKING"_s})
                       .value_or(QString())
                       .section('#', 1));
}

bool above(const QString &upper, const QString &lower)
{
    const QList<qulonglong> order = stacking();
    const qsizetype top = order.indexOf(upper.toULongLong()),
                    bottom = order.indexOf(lower.toULongLong());
    return top >= 0 && bottom >= 0 && top > bottom;
}

void checkStaysAboveRaisedWindow(const Window &window)
{
    QProcess eyes;
    eyes.start(u"xeyes"_s, {u"-geometry"_s, u"600x600+340+200"_s});
    std::optional<QString> other;
    const bool shown = waitUntil([&] {
        const auto found =
            tool(u"xdotool"_s, {u"search"_s, u"--onlyvisible"_s, u"--class"_s, u"^xeyes$"_s});
        other = found ? std::optional(found->section('\n', 0, 0)) : std::nullopt;
        return other && !other->isEmpty();
    });
    bool stays = false;
    if (shown) {
        tool(u"wmctrl"_s, {u"-i"_s, u"-a"_s, *other});
        tool(u"xdotool"_s, {u"windowraise"_s, *other});
        stays = waitUntil([&] { return above(window.id, *other); }, 2000) &&
                !waitUntil([&] { return !above(window.id, *other); }, 1000);
    }
    eyes.kill();
    eyes.waitForFinished();
    QVERIFY2(shown, "the other window does not show");
    QVERIFY2(stays, "a window raised over the refer-a-friend window hides it");
}

QList<Window> visibleWindows(const QString &namePattern, qint64 pid, int width)
{
    QList<Window> windows;
    const auto ids = run({u"search"_s, u"--onlyvisible"_s, u"--name"_s, namePattern}, true);
    for (const QString &id : QString::fromUtf8(ids.value_or("")).split('\n', Qt::SkipEmptyParts)) {
        const auto details = run({u"getwindowpid"_s, id, u"getwindowname"_s, id,
                                  u"getwindowgeometry"_s, u"--shell"_s, id},
                                 true);
        const QStringList lines = QString::fromUtf8(details.value_or("")).split('\n');
        if (!details || lines.size() < 3)
            continue; // gone since the search
        const auto value = [&](const QString &key) {
            return lines.filter(QRegularExpression(u'^' + key + u'='))
                .value(0)
                .mid(key.size() + 1)
                .toInt();
        };
        const Window window{id, lines.at(0).toLongLong(), value(u"WIDTH"_s), lines.at(1),
                            value(u"HEIGHT"_s)};
        if ((pid == 0 || window.pid == pid) && (width == anyWidth || window.width == width))
            windows.append(window);
    }
    return windows;
}

std::optional<Window> waitForWindow(const QString &namePattern, qint64 pid, int width,
                                    int timeoutMs)
{
    QList<Window> found;
    waitUntil([&] { return !(found = visibleWindows(namePattern, pid, width)).isEmpty(); },
              timeoutMs);
    return found.isEmpty() ? std::nullopt : std::optional(found.first());
}

bool mapped(const Window &window)
{
    const auto windows = visibleWindows(anyPattern, window.pid);
    return std::any_of(windows.begin(), windows.end(),
                       [&](const Window &shown) { return shown.id == window.id; });
}

// xwininfo's absolute corner: xdotool's adds the frame a reparenting window manager puts around
// the window a second time.
QRect windowRect(const Window &window)
{
    const QString details = tool(u"xwininfo"_s, {u"-id"_s, window.id}).value_or(QString());
    const auto value = [&](const char *key) {
        static const QRegularExpression number(u"^\\s*([^:]+):\\s*(-?\\d+)\\s*$"_s,
                                               QRegularExpression::MultilineOption);
        for (auto match = number.globalMatch(details); match.hasNext();) {
            const auto found = match.next();
            if (found.captured(1) == QLatin1String(key))
                return found.captured(2).toInt();
        }
        return 0;
    };
    return QRect(value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"),
                 value("Height"));
}

QImage screenPicture()
{
    const auto png = run({u"-window"_s, u"root"_s, u"png:-"_s}, true, u"import"_s);
    return png ? QImage::fromData(*png, "PNG").convertToFormat(QImage::Format_RGB32) : QImage();
}

int colourDistance(QRgb a, QRgb b)
{
    return qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
}

namespace {

// The commonest colour of a region, and the one farthest from it.
std::pair<QRgb, QRgb> backgroundAndText(const QImage &picture, const QRect &region)
{
    QHash<QRgb, int> counts;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            ++counts[picture.pixel(x, y)];
    QRgb background = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    }
    QRgb text = background;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (colourDistance(it.key(), background) > colourDistance(text, background))
            text = it.key();
    return {background, text};
}

} // namespace

QString lookDifference(const QImage &a, const QImage &b, const QList<QRect> &varying)
{
    if (a.isNull() || b.isNull() || a.size() != b.size())
        return u"no pictures of the same size"_s;
    const auto isVarying = [&](int x, int y) {
        return std::any_of(varying.begin(), varying.end(),
                           [&](const QRect &r) { return r.contains(x, y); });
    };
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (!isVarying(x, y) && colourDistance(a.pixel(x, y), b.pixel(x, y)) > 24)
                ++differing;
    QStringList found;
    if (differing > 0)
        found << u"%1 pixels differ"_s.arg(differing);
    for (const QRect &region : varying) {
        const QRect inside = region & a.rect();
        const auto [backA, textA] = backgroundAndText(a, inside);
        const auto [backB, textB] = backgroundAndText(b, inside);
        if (colourDistance(backA, backB) > 24 || colourDistance(textA, textB) > 24)
            found << u"in %1,%2 %3x%4: %5 on %6 instead of %7 on %8"_s.arg(inside.x())
                         .arg(inside.y())
                         .arg(inside.width())
                         .arg(inside.height())
                         .arg(QColor(textB).name(), QColor(backB).name(), QColor(textA).name(),
                              QColor(backA).name());
    }
    return found.join(u"; "_s);
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

void pressKeys(const Window &window, const QStringList &keys)
{
    run(QStringList{u"windowfocus"_s, u"--sync"_s, window.id, u"key"_s, u"--delay"_s, u"20"_s} +
        keys);
}

void focusWindow(const Window &window)
{
    run({u"windowfocus"_s, u"--sync"_s, window.id});
}

void pressKeys(const QStringList &keys)
{
    run(QStringList{u"key"_s, u"--delay"_s, u"20"_s} + keys);
}

// Gives a character a key of its own on the display's key map, kept for the display's life, so
// that xdotool finds it there. Left to itself, xdotool binds a spare key for the one key press
// and takes it away at once: a program that reads the key map only when the press arrives (Qt
// 6.8 does, now and then) finds the key empty and loses the character.
void bindKeyFor(char32_t character)
{
    static QList<QString> spare;
    static QSet<char32_t> bound;
    if (bound.contains(character))
        return;
    if (spare.isEmpty()) {
        static const QRegularExpression empty(u"^keycode\\s+(\\d+)\\s*=\\s*$"_s,
                                              QRegularExpression::MultilineOption);
        const QString map = QString::fromUtf8(run({u"-pke"_s}, false, u"xmodmap"_s).value_or(""));
        for (auto match = empty.globalMatch(map); match.hasNext();)
            spare.append(match.next().captured(1));
        if (spare.isEmpty())
            return; // no key free: xdotool binds one itself, as before
    }
    // The key symbol xdotool looks for: Latin-1 as itself, the rest as Unicode key symbols.
    const uint keysym = character < 0x100 ? character : 0x1000000 | character;
    run({u"-e"_s, u"keycode %1 = 0x%2"_s.arg(spare.takeLast()).arg(keysym, 0, 16)}, false,
        u"xmodmap"_s);
    bound.insert(character);
    QThread::msleep(100); // the program hears of the new map before the key press
}

void typeText(const QString &text)
{
    // Runs of plain ASCII go fast; every other character gets a key of its own first.
    const auto ascii = [](QChar ch) { return ch.unicode() >= 0x20 && ch.unicode() < 0x7f; };
    for (qsizetype start = 0, end = 0; start < text.size(); start = end) {
        end = start + 1;
        while (text.at(start) != '\n' && end < text.size() && text.at(end) != '\n' &&
               ascii(text.at(end)) == ascii(text.at(start)))
            ++end;
        const QString piece = text.mid(start, end - start);
        if (text.at(start) == '\n') {
            run({u"key"_s, u"Return"_s});
            continue;
        }
        if (!ascii(text.at(start))) {
            for (const char32_t character : piece.toUcs4())
                bindKeyFor(character);
        }
        run({u"type"_s, u"--delay"_s, ascii(text.at(start)) ? u"1"_s : u"40"_s, u"--"_s, piece});
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
    run({u"key"_s, u"ctrl+v"_s});
}

QStringList fileLines(const QString &file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(in.readAll()).split('\n', Qt::SkipEmptyParts);
}

// Waits until the file has at least that many lines; gives its lines.
QStringList waitForLines(const QString &file, int count, int timeoutMs)
{
    QStringList lines;
    waitUntil([&] { return (lines = fileLines(file)).size() >= count; }, timeoutMs);
    return lines;
}

Sandbox::Sandbox(Opener opener, bool unprivileged, const QString &executable)
    : asNobody(unprivileged && ::geteuid() == 0)
    , program(executable)
    , environment(QProcessEnvironment::systemEnvironment())
    , dir_(QDir(QDir::tempPath()).filePath(u"tressora-e2e-XXXXXX"_s))
{
    for (const char *folder : {"runtime", "config", "home", "tmp", "bin"})
        QDir(dir_.path()).mkpath(QLatin1String(folder));
    QFile::setPermissions(path(u"runtime"_s),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (asNobody) { // nobody may not be able to reach the build tree; it runs its own copy
        QFile::copy(program, path(u"bin/tressora"_s));
        program = path(u"bin/tressora"_s);
    }
    for (const char *name :
         {"QT_QPA_PLATFORM", "BROWSER", "DEFAULT_BROWSER", "LC_ALL", "LC_TIME",
          "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID",
          "DBUS_SESSION_BUS_ADDRESS", "QT_QTESTLIB_RUNNING", "TRESSORA_E2E_BROWSER_MODE"})
        environment.remove(QLatin1String(name));
    // Only the sandbox's bin folder is searched, so no browser of the machine can start.
    environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    environment.insert(u"LANG"_s, u"C.UTF-8"_s);
    // The driver presses the English access keys, so the program's texts stay English whatever
    // locale a test picks for dates and numbers.
    environment.insert(u"LC_MESSAGES"_s, u"C.UTF-8"_s);
    environment.remove(u"LANGUAGE"_s);
    environment.insert(u"XDG_RUNTIME_DIR"_s, path(u"runtime"_s));
    environment.insert(u"XDG_CONFIG_HOME"_s, path(u"config"_s));
    environment.insert(u"HOME"_s, path(u"home"_s));
    environment.insert(u"TMPDIR"_s, path(u"tmp"_s));
    environment.insert(u"PATH"_s, path(u"bin"_s));
    environment.insert(u"TRESSORA_E2E_BROWSER_LOG"_s, browserLog());
    const QString standIn =
        QDir(qEnvironmentVariable("TRESSORA_E2E_SOURCE")).filePath(u"stand-in/xdg-open"_s);
    if (opener == Opener::BrowserVariable)
        environment.insert(u"BROWSER"_s, path(u"bin/web-browser"_s));
    if (opener != Opener::None)
        QFile::copy(standIn, path(opener == Opener::BrowserVariable ? u"bin/web-browser"_s
                                                                    : u"bin/xdg-open"_s));
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

void Sandbox::handOver() const
{
    if (asNobody)
        run({u"-R"_s, u"%1:%1"_s.arg(nobody), dir_.path()}, false, u"chown"_s);
}

Copy::Copy(const Sandbox &sandbox)
{
    process_.setProcessEnvironment(sandbox.environment);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.setStandardInputFile(QProcess::nullDevice());
    if (sandbox.asNobody)
        process_.start(QStandardPaths::findExecutable(u"setpriv"_s),
                       {u"--reuid=%1"_s.arg(nobody), u"--regid=%1"_s.arg(nobody),
                        u"--clear-groups"_s, u"--"_s, sandbox.program});
    else
        process_.start(sandbox.program, QStringList());
    process_.waitForStarted();
}

bool Copy::waitForCleanExit(int timeoutMs)
{
    return (!running() || process_.waitForFinished(timeoutMs)) &&
           process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
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
        const auto shown = waitForWindow(anyPattern, pid());
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
    if (width != quizWidth)
        go(width == resultWidth ? calculateKeys : QStringList{"alt+x"}, width);
}

void Copy::go(const QStringList &keys, int width)
{
    pressKeys(window, keys);
    const auto shown = waitForWindow(windowPattern, pid(), width);
    if (!shown) {
        QStringList seen; // what is on screen instead, to tell a wrong window from none
        for (const Window &other : visibleWindows(anyPattern))
            seen.append(u"%1 (%2 px, pid %3)"_s.arg(other.name).arg(other.width).arg(other.pid));
        QFAIL(qPrintable(u"no window %1 pixels wide after %2 (copy %3); shown: %4"_s.arg(width)
                             .arg(keys.join(' '))
                             .arg(pid())
                             .arg(seen.isEmpty() ? u"none"_s : seen.join(u", "_s))));
    }
    QVERIFY2(waitUntil([this] { return !mapped(window); }), "the window left stays on screen");
    window = *shown;
}

void Copy::leave(const QStringList &closeKeys, const QStringList &endKeys)
{
    STEP(go(closeKeys, referWidth));
    QVERIFY2(running(), "the program ends before the refer-a-friend window is left");
    QCOMPARE(visibleWindows(anyPattern, pid()).size(), 1);
    pressKeys(window, endKeys);
    QVERIFY2(waitForCleanExit(), "the program does not end with code 0");
    QVERIFY2(waitUntil([this] { return visibleWindows(anyPattern, window.pid).isEmpty(); }),
             "a window outlives the program");
}

} // namespace e2e
