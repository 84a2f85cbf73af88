// The Windows program under Wine, as a user of Windows meets it: installed by its installer into
// a fresh Wine prefix, started from where it was installed and from its Start menu shortcut,
// driven by key presses and the mouse, its settings in the registry, uninstalled at the end.
// The program runs through TRESSORA_PROGRAM, a launcher that starts TRESSORA_WINE_PROGRAM with
// Wine in TRESSORA_WINEPREFIX; the functions run in the order listed, the first installs and
// the last uninstalls.
#include "common.h"
#include "tables.h"

#include "outreach/referral.h"
#include "outreach/updateschedule.h"
#include "quiz/scoring.h"
#include "settings/settingsstore.h"

#include <QDateTime>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMap>
#include <QPoint>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <optional>

#include <unistd.h>

using namespace e2e;
using namespace testsupport;
using namespace Qt::StringLiterals;

namespace {

const QString uninstallKey =
    u"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tressora"_s;
const QString machineUninstallKey =
    u"HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tressora"_s;
const QString programKey = u"HKCU\\Software\\Tressora"_s;
const QString settingsKey = programKey + u"\\Settings"_s;

QString prefix()
{
    return env("TRESSORA_WINEPREFIX");
}

// Wine's own environment for the tools: the test prefix, no debugging output, no menu entries
// of the Windows programs copied into the Linux desktop's menus, and no offer to download Wine's
// .NET and HTML engines when the prefix is made.
QProcessEnvironment wineEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"QT_QPA_PLATFORM"_s);
    environment.insert(u"WINEPREFIX"_s, prefix());
    environment.insert(u"WINEDEBUG"_s, u"-all"_s);
    environment.insert(u"WINEDLLOVERRIDES"_s, u"winemenubuilder.exe=d;mscoree=d;mshtml=d"_s);
    return environment;
}

// Runs a Wine tool (wine, wineboot, wineserver, winepath); its standard output, or nothing when
// it failed.
std::optional<QString> wineTool(const QString &program, const QStringList &arguments,
                                int timeoutMs = 180000)
{
    QProcess process;
    process.setProcessEnvironment(wineEnvironment());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

std::optional<QString> wine(const QStringList &arguments, int timeoutMs = 180000)
{
    return wineTool(u"wine"_s, arguments, timeoutMs);
}

// Starts a Windows program with Wine in the test prefix, its input and output going nowhere.
void startWithWine(QProcess &process, const QStringList &arguments)
{
    process.setProcessEnvironment(wineEnvironment());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(u"wine"_s, arguments);
}

// The exit code of a Windows program run with Wine, or -1 when it did not end in time.
int wineExitCode(const QStringList &arguments, int timeoutMs = 180000)
{
    QProcess process;
    startWithWine(process, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// Sets a number in the registry.
bool writeRegistryNumber(const QString &key, const QString &name, int value)
{
    return wine({u"reg"_s, u"add"_s, key, u"/v"_s, name, u"/t"_s, u"REG_DWORD"_s, u"/d"_s,
                 QString::number(value), u"/f"_s})
        .has_value();
}

// The copy's quiz window, as wide as the scale makes it (Copy::start() waits for the width at
// 100 %).
void waitForScaledQuiz(Copy &copy, double factor)
{
    const auto found = waitForWindow(windowPattern, copy.pid(), anyWidth, 60000);
    QVERIFY2(found, "no quiz window");
    copy.window = *found;
    QCOMPARE(copy.window.width, qRound(quizWidth * factor));
}

// How far a picture on the screen is from a drawing of it, smoothly scaled to the place's size
// (as Qt scales it): the least mean difference of a colour channel (0 to 255) between the screen
// at `place`, or up to `slack` pixels off it, and the scaled drawing.
double artDistance(const QImage &screen, const QRect &place, const QImage &art, int slack = 3)
{
    const QImage scaled = art.scaled(place.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                              .convertToFormat(QImage::Format_RGB32);
    double best = 255;
    for (int dy = -slack; dy <= slack; ++dy)
        for (int dx = -slack; dx <= slack; ++dx) {
            const QRect at = place.translated(dx, dy);
            if (!screen.rect().contains(at))
                continue;
            qint64 sum = 0;
            for (int y = 0; y < scaled.height(); ++y) {
                const auto *a = reinterpret_cast<const QRgb *>(scaled.constScanLine(y));
                const auto *b =
                    reinterpret_cast<const QRgb *>(screen.constScanLine(at.y() + y)) + at.x();
                for (int x = 0; x < scaled.width(); ++x)
                    sum += colourDistance(a[x], b[x]);
            }
            best = qMin(best, sum / (3.0 * scaled.width() * scaled.height()));
        }
    return best;
}

// Rectangles of a window at 100 %, where they lie in it at a scale; those given from the bottom
// (a negative top) stay as far from the bottom of the window's inside, `height` high.
QList<QRect> scaledRects(const QList<QRect> &rects, double factor, int height)
{
    QList<QRect> scaled;
    for (const QRect &r : rects) {
        scaled << QRect(qRound(r.x() * factor), qRound(r.y() * factor), qRound(r.width() * factor),
                        qRound(r.height() * factor));
        if (r.y() < 0)
            scaled.last().moveTop(height + scaled.last().y());
    }
    return scaled;
}

// Every file of a folder, by its path inside it, with the time it was last written.
QMap<QString, QDateTime> folderFiles(const QString &folder)
{
    QMap<QString, QDateTime> files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        files.insert(QDir(folder).relativeFilePath(it.filePath()), it.fileInfo().lastModified());
    }
    return files;
}

// One value of a registry key as `reg query` lists it: "    name    REG_SZ    value".
std::optional<QString> registryValue(const QString &key, const QString &name)
{
    const auto listing = wine({u"reg"_s, u"query"_s, key, u"/v"_s, name});
    if (!listing)
        return std::nullopt;
    const QRegularExpression line(u"^\\s+"_s + QRegularExpression::escape(name) +
                                      u"\\s+REG_\\w+\\s+(.*?)\\s*$"_s,
                                  QRegularExpression::MultilineOption);
    const auto match = line.match(*listing);
    return match.hasMatch() ? std::optional(match.captured(1)) : std::nullopt;
}

bool registryKeyExists(const QString &key)
{
    return wine({u"reg"_s, u"query"_s, key}).has_value();
}

// Every value of a key, exactly: exported by `reg export` as a Unicode .reg file, so that the
// encoded settings' characters above 127 arrive as they are stored.
std::optional<QMap<QString, QString>> registryValues(const QString &key)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"export.reg"_s);
    if (!wine({u"reg"_s, u"export"_s, key, file, u"/y"_s}))
        return std::nullopt;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = in.readAll();
    QString text =
        QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData()), bytes.size() / 2);
    if (text.startsWith(QChar(0xfeff)))
        text.remove(0, 1);
    QMap<QString, QString> values;
    static const QRegularExpression entry(uR"re(^"((?:[^"\\]|\\.)*)"="((?:[^"\\]|\\.)*)"\r?$)re"_s,
                                          QRegularExpression::MultilineOption);
    const auto unescape = [](QString s) {
        return s.replace(u"\\\""_s, u"\""_s).replace(u"\\\\"_s, u"\\"_s);
    };
    for (const auto &match : entry.globalMatch(text))
        values.insert(unescape(match.captured(1)), unescape(match.captured(2)));
    return values;
}

// Writes one text value through a Unicode .reg file, as exactly as registryValues() reads.
bool writeRegistryValue(const QString &key, const QString &name, const QString &value)
{
    const auto escape = [](QString s) {
        return s.replace(u"\\"_s, u"\\\\"_s).replace(u"\""_s, u"\\\""_s);
    };
    const QString root = key.section('\\', 0, 0) == "HKCU"_L1 ? u"HKEY_CURRENT_USER"_s : QString();
    const QString text =
        u"\ufeffWindows Registry Editor Version 5.00\r\n\r\n[%1\\%2]\r\n\"%3\"=\"%4\"\r\n"_s.arg(
            root, key.section('\\', 1), escape(name), escape(value));
    QTemporaryDir dir;
    QFile out(dir.filePath(u"import.reg"_s));
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    out.close();
    return wine({u"reg"_s, u"import"_s, out.fileName()}).has_value();
}

// The installed folder, from the installed-programs entry, as a Linux path.
QString installedFolder()
{
    const QString location = registryValue(uninstallKey, u"InstallLocation"_s).value_or(QString());
    if (location.isEmpty())
        return {};
    // winepath answers through the prefix's drive links (dosdevices/c:), which lead to drive_c.
    const QString path = wineTool(u"winepath"_s, {u"-u"_s, location}).value_or(QString()).trimmed();
    const QString real = QFileInfo(path).canonicalFilePath();
    return real.isEmpty() ? path : real;
}

// The Start menu shortcut, wherever the prefix keeps the user's Start menu.
QString startMenuShortcut()
{
    QDirIterator it(prefix() + u"/drive_c/users"_s, {u"Tressora.lnk"_s}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString found = it.next();
        if (found.contains(u"/Start Menu/Programs/"_s))
            return found;
    }
    return {};
}

// The names of the text elements of the program's visible window of that width, in tree order,
// as Windows' UI Automation hands them to a screen reader (uiatexts.exe, run under Wine).
std::optional<QStringList> windowTexts(int width)
{
    const auto listing =
        wine({env("TRESSORA_WINE_UIATEXTS"), u"Tressora v1.0"_s, QString::number(width)});
    if (!listing)
        return std::nullopt;
    constexpr int textControl = 50020; // UIA_TextControlTypeId
    QStringList texts;
    for (const QString &line : listing->split(u'\n')) {
        const QString element = line.endsWith(u'\r') ? line.chopped(1) : line;
        if (element.section(u'\t', 0, 0).toInt() == textControl)
            texts.append(element.section(u'\t', 1));
    }
    return texts;
}

// A sandbox whose program is the installed Tressora.exe.
void useInstalledProgram(Sandbox &sandbox)
{
    const QString folder = installedFolder();
    QVERIFY2(!folder.isEmpty(), "Tressora is not installed in the test prefix");
    sandbox.environment.insert(u"TRESSORA_WINE_PROGRAM"_s, folder + u"/Tressora.exe"_s);
}

} // namespace

class EndToEnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        checkTools({"xdotool", "xprop", "wmctrl", "xeyes", "wine", "wineserver"});
        QVERIFY2(!prefix().isEmpty(), "TRESSORA_WINEPREFIX is not set");
    }

    // Every function ends with no Wine process left, so the next starts on its own display.
    void cleanup() { wineTool(u"wineserver"_s, {u"-k"_s}, 30000); }

    void installsPerUserSilently()
    {
        const QString setup = env("TRESSORA_WINE_SETUP");
        QVERIFY2(QFileInfo(setup).isFile(), "TRESSORA_WINE_SETUP names no installer");
        wineTool(u"wineserver"_s, {u"-k"_s}, 30000);
        QVERIFY(QDir(prefix()).removeRecursively());
        QVERIFY2(wineTool(u"wineboot"_s, {u"-i"_s}, 300000), "wineboot cannot make the prefix");
        QVERIFY2(wine({setup, u"/S"_s}), "the silent installation fails");

        // In the user's own programs folder, with the whole program beside Tressora.exe.
        const QString folder = installedFolder();
        QVERIFY2(folder.endsWith(u"/AppData/Local/Programs/Tressora"_s), qPrintable(folder));
        QVERIFY2(
            folder.startsWith(QFileInfo(prefix() + u"/drive_c/users"_s).canonicalFilePath() + u'/'),
            qPrintable(folder));
        for (const char *file :
             {"Tressora.exe", "Uninstall.exe", "Qt6Core.dll", "Qt6Gui.dll", "Qt6Widgets.dll",
              "plugins/platforms/qwindows.dll", "plugins/imageformats/qjpeg.dll", "qt.conf",
              "translations/qtbase_de.qm", "libstdc++-6.dll"})
            QVERIFY2(QFileInfo::exists(folder + u'/' + QLatin1String(file)), file);
        // Qt's catalogues hold the messages of this Qt's classes only, and every one that the
        // program's windows, lists and message boxes show as Qt's whole catalogue has it.
        const struct {
            const char *context, *source;
        } shown[] = {{"QPlatformTheme", "OK"},
                     {"QPlatformTheme", "Cancel"},
                     {"QPlatformTheme", "&Yes"},
                     {"QPlatformTheme", "&No"},
                     {"QMessageBox", "Show Details..."},
                     {"QLineEdit", "&Copy"},
                     {"QLineEdit", "Select All"},
                     {"QWidgetTextControl", "&Copy"},
                     {"QScrollBar", "Scroll here"},
                     {"QShortcut", "Ctrl"},
                     {"QAccessibleActionInterface", "Press"},
                     {"QComboBox", "Open the combo box selection popup"},
                     {"QUnicodeControlCharacterMenu", "Insert Unicode control character"}};
        for (const QString &language : {u"de"_s, u"fr"_s, u"es"_s}) {
            const QString name = u"/qtbase_"_s + language + u".qm"_s;
            const QString whole = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + name;
            QTranslator installed, complete;
            QVERIFY2(installed.load(folder + u"/translations"_s + name), qPrintable(name));
            QVERIFY2(complete.load(whole), qPrintable(whole));
            for (const auto &[context, source] : shown) {
                const QString expected = complete.translate(context, source);
                QVERIFY2(!expected.isEmpty(), source);
                QCOMPARE(installed.translate(context, source), expected);
            }
            QVERIFY2(!complete.translate("QPrintDialog", "Print").isEmpty(), qPrintable(whole));
            QVERIFY2(installed.translate("QPrintDialog", "Print").isEmpty(),
                     "the catalogue still holds a class this Qt does not have");
        }
        QDirIterator programFiles(prefix() + u"/drive_c"_s, {u"Program Files*"_s}, QDir::Dirs);
        while (programFiles.hasNext())
            QVERIFY2(!QFileInfo::exists(programFiles.next() + u"/Tressora"_s),
                     "something was installed for all users");

        QVERIFY2(!startMenuShortcut().isEmpty(), "no Start menu shortcut");
        // The installed-programs entry is the user's, with its uninstaller.
        QCOMPARE(registryValue(uninstallKey, u"DisplayName"_s).value_or(QString()), u"Tressora"_s);
        QCOMPARE(registryValue(uninstallKey, u"DisplayVersion"_s).value_or(QString()),
                 env("TRESSORA_E2E_VERSION"));
        const QString uninstaller = registryValue(uninstallKey, u"UninstallString"_s).value_or("");
        QVERIFY2(uninstaller.endsWith(u"\\Uninstall.exe\""_s), qPrintable(uninstaller));
        QVERIFY2(!registryKeyExists(machineUninstallKey), "an entry for all users was made");
        // Nothing of the program's own is in the registry before it runs.
        QVERIFY(!registryKeyExists(programKey));
    }

    void shortcutStartsProgram()
    {
        const QString shortcut = startMenuShortcut();
        QVERIFY2(!shortcut.isEmpty(), "no Start menu shortcut");
        QProcess start;
        start.setProcessEnvironment(wineEnvironment());
        start.start(u"wine"_s, {u"start"_s, u"/unix"_s, shortcut});
        const auto quiz = waitForWindow(windowPattern, 0, quizWidth, 60000);
        QVERIFY2(quiz, "the shortcut shows no quiz window");
        pressKeys(*quiz, {"alt+x"});
        const auto farewell = waitForWindow(windowPattern, 0, referWidth);
        QVERIFY2(farewell, "no refer-a-friend window after Alt+X");
        pressKeys(*farewell, {"alt+x"});
        QVERIFY2(waitUntil([] { return visibleWindows(anyPattern).isEmpty(); }),
                 "a window outlives the program");
        start.waitForFinished();
    }

    // While the program runs from its folder, neither the installer nor the uninstaller changes
    // anything: run silently, each ends with exit code 3, and the folder, its files and the
    // installed-programs entry stay as they were; run by a user, each asks for the program to
    // be closed. Once the program is closed, the installer goes on and installs again.
    void runningCopyHoldsBack()
    {
        const QString folder = installedFolder();
        QVERIFY2(!folder.isEmpty(), "Tressora is not installed in the test prefix");
        const QString location = registryValue(uninstallKey, u"InstallLocation"_s).value_or("");
        const auto before = folderFiles(folder);
        Sandbox sandbox;
        STEP(useInstalledProgram(sandbox));
        Copy copy(sandbox);
        STEP(copy.start());
        QCOMPARE(wineExitCode({env("TRESSORA_WINE_SETUP"), u"/S"_s}), 3);
        // In its folder (_?=), as the installer runs it, so that its own exit code comes back.
        QCOMPARE(wineExitCode({folder + u"/Uninstall.exe"_s, u"/S"_s, u"_?="_s + location}), 3);
        QCOMPARE(folderFiles(folder), before);
        QCOMPARE(registryValue(uninstallKey, u"DisplayVersion"_s).value_or(QString()),
                 env("TRESSORA_E2E_VERSION"));
        QVERIFY2(!startMenuShortcut().isEmpty(), "the Start menu shortcut went");
        QVERIFY2(copy.running() && mapped(copy.window), "the running copy was disturbed");
        // Started by the user, the installer asks for the copy to be closed: Retry while it
        // still runs asks again, and Cancel ends with the same code, nothing changed; Retry once
        // it is closed goes on to the installer's first page.
        const QString title = u"Tressora %1 Setup"_s.arg(env("TRESSORA_E2E_VERSION"));
        // (The wizard's pages add a space to the title.)
        const QString titled = u'^' + QRegularExpression::escape(title) + u"\\s*$"_s;
        QProcess setup;
        const auto endSetup = qScopeGuard([&] {
            setup.kill();
            setup.waitForFinished();
        });
        for (const bool closeFirst : {false, true}) {
            startWithWine(setup, {env("TRESSORA_WINE_SETUP")});
            auto box = waitForWindow(titled, setup.processId(), anyWidth, 60000);
            QVERIFY2(box, "the installer does not ask for the running copy to be closed");
            if (closeFirst) { // the user goes back to the program and closes it
                tool(u"xdotool"_s, {u"windowactivate"_s, u"--sync"_s, copy.window.id});
                STEP(copy.leave());
            }
            pressKeys(*box, {"Return"}); // Retry
            QVERIFY(waitUntil([&] { return !mapped(*box); }));
            if (!closeFirst) {
                box = waitForWindow(titled, setup.processId(), anyWidth, 30000);
                QVERIFY2(box, "Retry with the copy running does not ask again");
                pressKeys(*box, {"Escape"}); // Cancel
                QVERIFY(setup.waitForFinished(60000));
                QCOMPARE(setup.exitCode(), 3);
                // The uninstaller asks alike, and Cancel ends it with the same code.
                QProcess uninstall;
                startWithWine(uninstall, {folder + u"/Uninstall.exe"_s, u"_?="_s + location});
                const auto question = waitForWindow(u"."_s, uninstall.processId(), anyWidth, 60000);
                QVERIFY2(question,
                         "the uninstaller does not ask for the running copy to be closed");
                pressKeys(*question, {"Escape"}); // Cancel
                QVERIFY(uninstall.waitForFinished(60000));
                QCOMPARE(uninstall.exitCode(), 3);
                QVERIFY2(copy.running() && mapped(copy.window), "the running copy was disturbed");
            } else {
                // The first page: a window of that title but not the question's width.
                const int asked = box->width;
                QVERIFY2(waitUntil(
                             [&] {
                                 const auto shown = visibleWindows(titled, setup.processId());
                                 return !shown.isEmpty() && shown.first().width != asked;
                             },
                             30000),
                         "Retry once the copy is closed does not go on");
                setup.kill();
                setup.waitForFinished();
            }
            QCOMPARE(folderFiles(folder), before);
        }
        QCOMPARE(wineExitCode({env("TRESSORA_WINE_SETUP"), u"/S"_s}), 0);
        QVERIFY(QFileInfo::exists(folder + u"/Tressora.exe"_s));
    }

    // A newer version installs over an older one: one entry in the installed-programs list, the
    // newer version's; no file of the older version left behind; the user's settings kept, over
    // the older version's installation and over the newer's.
    void upgradeFromOlderVersion()
    {
        const QString older = env("TRESSORA_WINE_OLDER_SETUP");
        QVERIFY2(QFileInfo(older).isFile(), "TRESSORA_WINE_OLDER_SETUP names no installer");
        const QString folder = installedFolder();
        QVERIFY2(!folder.isEmpty(), "Tressora is not installed in the test prefix");
        // The user's settings: the last update prompt today, so that none asks in what follows.
        QVERIFY(writeRegistryValue(
            settingsKey, tressora::EncodeSetting(u"Duration"_s),
            tressora::EncodeSetting(tressora::durationText(QDateTime::currentDateTime()))));
        const auto settings = registryValues(settingsKey);
        QVERIFY(settings);
        // The entries of the installed-programs list that name Tressora.
        const auto entries = [] {
            const QString all =
                wine({u"reg"_s, u"query"_s, uninstallKey.section(u'\\', 0, -2), u"/s"_s})
                    .value_or(QString());
            static const QRegularExpression named(u"^\\s*DisplayName\\s+REG_SZ\\s+Tressora\\s*$"_s,
                                                  QRegularExpression::MultilineOption);
            return int(all.count(named));
        };
        for (const auto &[setup, version] :
             {std::pair{older, u"0.9.0"_s},
              {env("TRESSORA_WINE_SETUP"), env("TRESSORA_E2E_VERSION")}}) {
            QCOMPARE(wineExitCode({setup, u"/S"_s}), 0);
            QCOMPARE(registryValue(uninstallKey, u"DisplayVersion"_s).value_or(QString()), version);
            QCOMPARE(entries(), 1);
            QCOMPARE(registryValues(settingsKey), settings);
            QVERIFY2(!startMenuShortcut().isEmpty(), "no Start menu shortcut");
            QCOMPARE(QFileInfo::exists(folder + u"/notes-0.9.txt"_s), version == u"0.9.0"_s);
        }
        // Exactly the newer version's files, and its uninstaller.
        QStringList expected = folderFiles(env("TRESSORA_WINE_STAGE")).keys();
        expected << u"Uninstall.exe"_s;
        expected.sort();
        QCOMPARE(folderFiles(folder).keys(), expected);
    }

    // Tressora.exe, the uninstaller and the installer carry Authenticode signatures that check
    // out against the certificate the build signed them with.
    void signatures_data()
    {
        columns<QString>("file");
        row("installer", env("TRESSORA_WINE_SETUP"));
        row("program as built", env("TRESSORA_WINE_STAGE") + u"/Tressora.exe"_s);
        row("program installed", u"installed:Tressora.exe"_s);
        row("uninstaller installed", u"installed:Uninstall.exe"_s);
    }

    void signatures()
    {
        auto [file] = fetch<QString>("file");
        if (file.startsWith(u"installed:"_s))
            file = installedFolder() + u'/' + file.section(u':', 1);
        QVERIFY2(QFileInfo(file).isFile(), qPrintable(file));
        QProcess verify;
        verify.setProcessChannelMode(QProcess::MergedChannels);
        verify.start(u"osslsigncode"_s,
                     {u"verify"_s, u"-CAfile"_s, env("TRESSORA_WINE_SIGNING_CA"), u"-in"_s, file});
        QVERIFY(verify.waitForFinished(60000));
        const QString said = QString::fromUtf8(verify.readAll());
        QVERIFY2(verify.exitCode() == 0 && said.contains(u"Succeeded"_s), qPrintable(said));
    }

    // With Windows' dark mode on (the setting Qt reads), every window and pop-up looks exactly
    // as with it off, at 100 % and, for the quiz window, at 150 % too; the texts drawn at random
    // are compared by their colours only.
    void darkModeLooksLight_data()
    {
        columns<Keys, int, QList<QRect>, int>("keys", "window", "varying", "percent");
        const QList<QRect> quizAdverts = {QRect(0, -60, quizWidth, 60)};
        const Keys openAgeList = {"Tab", "Tab", "Tab", "F4"};
        row("quiz window", Keys(), quizWidth, quizAdverts, 100);
        row("age list open", openAgeList, quizWidth, quizAdverts, 100);
        row("stress list open", Keys{"Tab", "F4"}, quizWidth, quizAdverts, 100);
        row("File menu", Keys{"alt+f"}, quizWidth, quizAdverts, 100);
        row("Help menu", Keys{"alt+h"}, quizWidth, quizAdverts, 100);
        row("about box", Keys{"alt+h", "a"}, quizWidth, quizAdverts, 100);
        row("result window", calculateKeys, resultWidth,
            QList<QRect>{QRect(0, -56, resultWidth, 56)}, 100);
        row("farewell window", Keys{"alt+x"}, referWidth, QList<QRect>{QRect(8, 56, 465, 73)}, 100);
        row("quiz window at 150 %", Keys(), quizWidth, quizAdverts, 150);
        row("age list open at 150 %", openAgeList, quizWidth, quizAdverts, 150);
    }

    void darkModeLooksLight()
    {
        const auto [keys, width, varying, percent] =
            fetch<Keys, int, QList<QRect>, int>("keys", "window", "varying", "percent");
        const QString desktop = u"HKCU\\Control Panel\\Desktop"_s;
        QVERIFY(writeRegistryNumber(desktop, u"LogPixels"_s, 96 * percent / 100));
        const auto restore = qScopeGuard([&] { writeRegistryNumber(desktop, u"LogPixels"_s, 96); });
        const double factor = percent / 100.0;
        const QString personalize =
            u"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize"_s;
        // Each window is compared where it is, in its own picture; a picture taken while the
        // desktop still settled is taken again (three times at the most).
        QString difference;
        for (int attempt = 0; attempt < 3; ++attempt) {
            QImage pictures[2];
            QList<QRect> random;
            for (const bool dark : {false, true}) {
                QVERIFY(writeRegistryNumber(personalize, u"AppsUseLightTheme"_s, dark ? 0 : 1));
                Sandbox sandbox;
                STEP(useInstalledProgram(sandbox));
                Copy copy(sandbox);
                if (percent == 100) {
                    STEP(copy.start());
                } else {
                    STEP(waitForScaledQuiz(copy, factor));
                }
                QImage before; // a pop-up or box over the quiz window must show
                if (width != quizWidth) {
                    STEP(copy.go(keys, width));
                } else if (!keys.isEmpty()) {
                    QTest::qWait(2000);
                    before = screenPicture().copy(windowRect(copy.window));
                    pressKeys(copy.window, keys);
                }
                QTest::qWait(2000); // the pop-up open, the window drawn
                const QRect place = windowRect(copy.window);
                pictures[dark] = screenPicture().copy(place);
                random = scaledRects(varying, factor, place.height());
                QVERIFY2(before.isNull() ||
                             !lookDifference(before, pictures[dark], random).isEmpty(),
                         "nothing opens over the quiz window");
                copy.kill();
                wineTool(u"wineserver"_s, {u"-k"_s}, 30000);
            }
            difference = lookDifference(pictures[0], pictures[1], random);
            if (difference.isEmpty())
                break;
            qWarning("attempt %d: %s", attempt + 1, qPrintable(difference));
        }
        QVERIFY(writeRegistryNumber(personalize, u"AppsUseLightTheme"_s, 1));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    // One copy with dark mode on at 150 %, walked as a user walks it from the quiz window to the
    // program's end, looks at every step as one copy walked the same way with dark mode off.
    void darkModeRoad()
    {
        struct Step {
            const char *name;
            Keys keys;
            int width;
            QList<QRect> varying;
            bool opensOver = false; // a pop-up or box over the window, which must show
        };
        const QList<QRect> quizAdverts = {QRect(0, -60, quizWidth, 60)};
        const QList<Step> road = {
            {"the quiz window", {}, quizWidth, quizAdverts},
            {"its age list open", {"Tab", "Tab", "Tab", "F4"}, quizWidth, quizAdverts, true},
            {"the result window",
             {"Escape", "Tab", "Tab", "Return"},
             resultWidth,
             {QRect(0, -56, resultWidth, 56)}},
            {"the quiz window again", {"alt+b"}, quizWidth, quizAdverts},
            {"the about box", {"alt+h", "a"}, quizWidth, quizAdverts, true},
            {"the quiz window after it", {"Escape"}, quizWidth, quizAdverts},
            {"the farewell window", {"alt+x"}, referWidth, {QRect(8, 56, 465, 73)}},
        };
        constexpr int percent = 150;
        const double factor = percent / 100.0;
        const QString desktop = u"HKCU\\Control Panel\\Desktop"_s;
        const QString personalize =
            u"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize"_s;
        QVERIFY(writeRegistryNumber(desktop, u"LogPixels"_s, 96 * percent / 100));
        const auto restore = qScopeGuard([&] {
            writeRegistryNumber(desktop, u"LogPixels"_s, 96);
            writeRegistryNumber(personalize, u"AppsUseLightTheme"_s, 1);
        });
        QList<QImage> pictures[2];
        QList<QList<QRect>> random;
        for (const bool dark : {false, true}) {
            QVERIFY(writeRegistryNumber(personalize, u"AppsUseLightTheme"_s, dark ? 0 : 1));
            Sandbox sandbox;
            STEP(useInstalledProgram(sandbox));
            Copy copy(sandbox);
            STEP(waitForScaledQuiz(copy, factor));
            random.clear();
            for (const Step &step : road) {
                if (qRound(step.width * factor) != copy.window.width)
                    STEP(copy.go(step.keys, qRound(step.width * factor)));
                else if (!step.keys.isEmpty())
                    pressKeys(step.keys); // where the focus is, a box over the window included
                QTest::qWait(2000);       // the pop-up or box open, the window drawn
                const QRect place = windowRect(copy.window);
                pictures[dark] << screenPicture().copy(place);
                random << scaledRects(step.varying, factor, place.height());
                if (step.opensOver) {
                    const QImage &before = pictures[dark].at(pictures[dark].size() - 2);
                    QVERIFY2(
                        !lookDifference(before, pictures[dark].last(), random.last()).isEmpty(),
                        qPrintable(u"%1 does not show"_s.arg(QLatin1StringView(step.name))));
                }
            }
            pressKeys(copy.window, {"alt+x"});
            QVERIFY2(copy.waitForCleanExit(), "the program does not end with code 0");
            wineTool(u"wineserver"_s, {u"-k"_s}, 30000);
        }
        for (qsizetype i = 0; i < road.size(); ++i) {
            const QString difference =
                lookDifference(pictures[0].at(i), pictures[1].at(i), random.at(i));
            QVERIFY2(difference.isEmpty(),
                     qPrintable(u"%1: %2"_s.arg(QLatin1StringView(road.at(i).name), difference)));
        }
    }

    // At 100 to 200 % on a large and a small screen the quiz, result and farewell windows scale
    // as one, in width and height by the same factor, and the head pictures are drawn from the
    // art that suits the scale. A window larger than the screen keeps its top-left corner on
    // it, so that its title bar and menu bar can be reached, and the keyboard reaches the rest.
    // Each row runs on a screen of its own, without a window manager or task bar, so the screen
    // is the work area.
    void scales_data()
    {
        columns<int, QSize>("percent", "screen");
        for (const QSize screen : {QSize(1920, 1080), QSize(1366, 768)})
            for (const int percent : {100, 125, 150, 175, 200})
                QTest::addRow("%d %%, %dx%d", percent, screen.width(), screen.height())
                    << percent << screen;
    }

    void scales()
    {
        const auto [percent, screen] = fetch<int, QSize>("percent", "screen");
        checkTools({"Xvfb", "import"});
        QVERIFY(writeRegistryNumber(u"HKCU\\Control Panel\\Desktop"_s, u"LogPixels"_s,
                                    96 * percent / 100));
        const QString display = u":%1"_s.arg(90 + ::getpid() % 9);
        QProcess server;
        server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        server.start(u"Xvfb"_s, {display, u"-screen"_s, u"0"_s,
                                 u"%1x%2x24"_s.arg(screen.width()).arg(screen.height()),
                                 u"-nolisten"_s, u"tcp"_s, u"-ac"_s});
        const QByteArray ownDisplay = qgetenv("DISPLAY");
        qputenv("DISPLAY", display.toUtf8());
        const auto restore = qScopeGuard([&] {
            qputenv("DISPLAY", ownDisplay);
            writeRegistryNumber(u"HKCU\\Control Panel\\Desktop"_s, u"LogPixels"_s, 96);
            server.terminate();
            server.waitForFinished();
        });
        QVERIFY(waitUntil([] { return tool(u"xdpyinfo"_s, {}).has_value(); }));
        Sandbox sandbox;
        STEP(useInstalledProgram(sandbox));
        sandbox.environment.insert(u"DISPLAY"_s, display);
        Copy copy(sandbox);
        const double factor = percent / 100.0;
        STEP(waitForScaledQuiz(copy, factor));
        static int quizHeight = 0; // at 100 %, the first row
        if (percent == 100)
            quizHeight = copy.window.height;
        QVERIFY2(quizHeight > 0, "no row at 100 % came first");
        QVERIFY2(qAbs(copy.window.height - qRound(quizHeight * factor)) <= 2,
                 qPrintable(QString::number(copy.window.height)));
        // Centred where it fits; where it does not, its top-left corner on the screen. The place
        // is the window's inside: Wine's frame adds a title bar above it, scaled too.
        const auto checkPlaced = [&](const Window &window) {
            const QRect place = windowRect(window);
            const int centredX = (screen.width() - place.width()) / 2;
            // The title bar's height if the whole frame is centred, and if its top is at the top.
            const int centredTitle = 2 * place.y() - (screen.height() - place.height());
            const int topTitle = place.y();
            const auto titleLike = [factor](int title) {
                return title >= qRound(15 * factor) && title <= qRound(40 * factor);
            };
            const bool centredFrame =
                titleLike(centredTitle) && place.height() + centredTitle <= screen.height();
            const bool frameAtTop =
                titleLike(topTitle) && place.height() + topTitle > screen.height();
            const QString at = u"%1 px wide at %2,%3 on %4x%5"_s.arg(place.width())
                                   .arg(place.x())
                                   .arg(place.y())
                                   .arg(screen.width())
                                   .arg(screen.height());
            QVERIFY2(qAbs(place.x() - qMax(0, centredX)) <= 2, qPrintable(at));
            QVERIFY2(centredFrame || frameAtTop, qPrintable(at));
        };
        STEP(checkPlaced(copy.window));
        // The head pictures as Qt draws them smoothly scaled from their art: the double-size
        // art from 150 % on, the plain below, pixel for pixel, and not from the other art. (At
        // 100 % the plain art is shown as it is, and the double-size one halved comes near it.)
        const QRect place = windowRect(copy.window);
        QImage shown;
        QVERIFY2(waitUntil([&] {
                     shown = screenPicture();
                     QSet<QRgb> colours;
                     for (int x = place.left(); x < place.right(); x += 4)
                         colours.insert(shown.pixel(x, place.center().y()));
                     return colours.size() > 20;
                 }),
                 "the quiz window is not drawn");
        const int menuBar = copy.window.height - qRound(555 * factor);
        const QDir art(env("TRESSORA_E2E_SOURCE") + u"/../../resources"_s);
        static constexpr QPoint picture[] = {
            {17, 193}, {222, 193}, {427, 193}, {17, 346}, {222, 346}};
        for (int i = 0; i < 5; ++i) {
            const QImage plain(art.filePath(u"head%1.bmp"_s.arg(i + 1)));
            const QImage sharp(art.filePath(u"head%1@2x.png"_s.arg(i + 1)));
            QVERIFY(!plain.isNull() && !sharp.isNull());
            const QRect at(place.x() + qRound(picture[i].x() * factor),
                           place.y() + menuBar + qRound(picture[i].y() * factor),
                           qRound(plain.width() * factor), qRound(plain.height() * factor));
            if (!QRect(QPoint(), screen).contains(at))
                continue; // below the screen's edge
            const double toPlain = artDistance(shown, at, plain);
            const double toSharp = artDistance(shown, at, sharp);
            const double drawn = percent >= 150 ? toSharp : toPlain;
            const double other = percent >= 150 ? toPlain : toSharp;
            const QString distances =
                u"picture %1: %2 from the plain art, %3 from the double-size"_s.arg(i + 1)
                    .arg(toPlain, 0, 'f', 2)
                    .arg(toSharp, 0, 'f', 2);
            QVERIFY2(drawn <= 0.25, qPrintable(distances));
            QVERIFY2(percent == 100 || other >= drawn + 0.75, qPrintable(distances));
        }
        // The pointer is the system's pointing hand over a link at every scale, and the arrow off
        // it: Wine hands Windows' own pointers to the X server by their names in its cursor theme,
        // which draws them at its own size; a pointer made by the program from a picture would
        // come without a name.
        for (const auto &[y, expected] : {std::pair{menuBar + qRound(10 * factor), "hand2"},
                                          std::pair{menuBar / 2, "left_ptr"}}) {
            tool(u"xdotool"_s, {u"mousemove"_s, u"--window"_s, copy.window.id,
                                QString::number(qRound(320 * factor)), QString::number(y)});
            QString pointer;
            QVERIFY2(waitUntil(
                         [&] {
                             pointer =
                                 tool(u"python3"_s,
                                      {QDir(env("TRESSORA_E2E_SOURCE")).filePath(u"pointer.py"_s)})
                                     .value_or(QString());
                             return pointer.section(u'\t', 0, 0) == QLatin1StringView(expected);
                         },
                         5000),
                     qPrintable(u"the pointer at %1 is %2, not %3"_s.arg(y).arg(pointer.trimmed(),
                                                                                expected)));
        }
        // By the keyboard to the result window, scaled and placed alike, and from the quiz window
        // to the refer-a-friend window. (Without a window manager, Wine leaves a hidden window's
        // last picture on the screen, so the new window alone is waited for.)
        static int resultHeight = 0;
        pressKeys(copy.window, calculateKeys);
        const auto result = waitForWindow(windowPattern, copy.pid(), qRound(resultWidth * factor));
        QVERIFY2(result, "no result window after Calculate");
        if (percent == 100)
            resultHeight = result->height;
        QVERIFY2(qAbs(result->height - qRound(resultHeight * factor)) <= 2,
                 qPrintable(QString::number(result->height)));
        STEP(checkPlaced(*result));
        pressKeys(*result, {"alt+b"});
        QTest::qWait(1000);
        pressKeys(copy.window, {"alt+x"});
        const auto farewell = waitForWindow(windowPattern, copy.pid(), qRound(referWidth * factor));
        QVERIFY2(farewell, "no refer-a-friend window after Back and Exit");
        STEP(checkPlaced(*farewell));
        copy.kill();
    }

    void quizRoundTrip()
    {
        Sandbox sandbox;
        STEP(useInstalledProgram(sandbox));
        Copy copy(sandbox);
        STEP(copy.start());
        const Window quiz = copy.window;
        QCOMPARE(visibleWindows(anyPattern, copy.pid()).size(), 1);
        STEP(copy.go(calculateKeys, resultWidth));
        const Window result = copy.window;
        // Back by the mouse: the same quiz window again, and nothing else. The button's middle
        // lies 512 px from the left and 25 px above the bottom of the window's inside. Wine
        // loses a click that comes while it is still making the new window the active one.
        QTest::qWait(1000);
        const int height = result.height;
        QVERIFY2(height > 25, qPrintable(QString::number(height)));
        tool(u"xdotool"_s, {u"mousemove"_s, u"--window"_s, result.id, u"512"_s,
                            QString::number(height - 25), u"click"_s, u"1"_s});
        const auto back = waitForWindow(windowPattern, copy.pid(), quizWidth);
        QVERIFY2(back, "a click on Back does not bring the quiz window");
        QCOMPARE(back->id, quiz.id);
        QVERIFY(waitUntil([&] { return !mapped(result); }));
        copy.window = *back;
        QCOMPARE(visibleWindows(anyPattern, copy.pid()).size(), 1);
        // A second calculation makes a new result window.
        STEP(copy.go({"Return"}, resultWidth));
        QVERIFY(copy.window.id != result.id);
        // Back by the keyboard to the same quiz window, and out by its Exit to the refer window.
        // (The File menu is not driven here: under Wine with mutter, the menu Alt+F opens took
        // no key in these runs.)
        STEP(copy.go({"alt+b"}, quizWidth));
        QCOMPARE(copy.window.id, quiz.id);
        QTest::qWait(1000); // a refer-a-friend window shown and hidden on the way would be late
        QCOMPARE(visibleWindows(anyPattern, copy.pid()).size(), 1);
        STEP(copy.leave());
        QCOMPARE(sandbox.openedAddresses(), QStringList());
    }

    void resultsAsOnLinux_data()
    {
        // Stress: the entry's index; bald: 0 father, 1 maternal, 2 paternal grandfather. Each
        // stress level, head picture or bald relative a row gives changes its result when one
        // lower or left out, so a key or click that does not arrive fails the row; the last
        // row's score is at the top, where nothing lower shows.
        columns<int, bool, int, int, QList<int>>("age", "female", "stress", "stage", "bald");
        row("50, no stress, full head", 50, false, 0, 0, QList<int>());
        row("1: not likely", 1, false, 0, 0, QList<int>());
        row("7, woman, little stress, receding, two bald", 7, true, 1, 1, QList<int>{0, 2});
        row("50, more than little stress, receding, two bald", 50, false, 2, 1, QList<int>{0, 2});
        row("25, moderate stress, receded, maternal", 25, false, 3, 2, QList<int>{1});
        row("35, woman, moderate stress, receding, all three", 35, true, 3, 1, QList<int>{0, 1, 2});
        row("70, thin on top: for sure", 70, false, 0, 3, QList<int>());
        row("120, high stress, sides only, all three", 120, false, 4, 4, QList<int>{0, 1, 2});
    }

    // Answered by the keyboard (the lists, the relatives) and the mouse (the head picture,
    // Calculate): the result window shows what the rules of the Linux program make of the
    // answers, read as a screen reader on Windows is handed it.
    void resultsAsOnLinux()
    {
        const auto [age, female, stress, stage, bald] =
            fetch<int, bool, int, int, QList<int>>("age", "female", "stress", "stage", "bald");
        Sandbox sandbox;
        STEP(useInstalledProgram(sandbox));
        Copy copy(sandbox);
        STEP(copy.start());
        // From Exit: the stress, sex and age lists, the head pictures, Calculate, then the
        // relatives in the order paternal, maternal, father.
        QStringList keys{"Tab"};
        keys << QStringList(stress, u"Down"_s) << u"Tab"_s;
        if (female)
            keys << u"Down"_s;
        keys << u"Tab"_s;
        if (age != 1) // the list shows 1 to start with
            for (const QChar digit : QString::number(age))
                keys << QString(digit);
        keys << u"Tab"_s << u"Tab"_s;
        for (const int relative : {2, 1, 0})
            keys << u"Tab"_s << (bald.contains(relative) ? QStringList{u"space"_s} : QStringList());
        pressKeys(copy.window, keys);
        // The head picture's button and Calculate, where the quiz window's fixed layout puts
        // them below the menu bar.
        const int menuBar = copy.window.height - 555;
        QVERIFY2(menuBar > 0, qPrintable(QString::number(copy.window.height)));
        static constexpr QPoint stageButton[] = {
            {23, 320}, {228, 328}, {433, 324}, {23, 478}, {231, 482}};
        for (const QPoint point : {stageButton[stage], QPoint(522, 436)})
            tool(u"xdotool"_s,
                 {u"mousemove"_s, u"--window"_s, copy.window.id, QString::number(point.x()),
                  QString::number(menuBar + point.y()), u"click"_s, u"1"_s});
        QVERIFY2(waitForWindow(windowPattern, copy.pid(), resultWidth),
                 "no result window after Calculate");

        tressora::QuizAnswers answers;
        answers.age = age;
        answers.stress = stress;
        answers.stage = stage;
        answers.father = bald.contains(0);
        answers.maternal = bald.contains(1);
        answers.paternal = bald.contains(2);
        const tressora::ResultHandOver expected =
            tressora::handOverFor(tressora::ScoreAnswers(answers), QString::number(age),
                                  tressora::stressLevelText(stress));
        const QStringList shown = {u"Age"_s,
                                   expected.lblYourAge,
                                   u"Level Of Stress"_s,
                                   expected.lblLevelOfStress,
                                   u"Chances of Losing Hair"_s,
                                   expected.lblProbability,
                                   expected.blankSentence
                                       ? QString()
                                       : u"You will most likely lose all your hair by the age of"_s,
                                   expected.lblAge};
        std::optional<QStringList> texts;
        QVERIFY2(waitUntil([&] { return (texts = windowTexts(resultWidth)).has_value(); }),
                 "UI Automation finds no result window");
        const qsizetype first = texts->indexOf(u"Age"_s);
        QVERIFY2(first >= 0, qPrintable(texts->join(u" | "_s)));
        QCOMPARE(texts->mid(first, shown.size()), shown);
    }

    void farewellStaysAbove()
    {
        Sandbox sandbox;
        STEP(useInstalledProgram(sandbox));
        Copy copy(sandbox);
        STEP(copy.reach(referWidth));
        QVERIFY2(xproperty(copy.window.id, "_NET_WM_STATE").contains("_NET_WM_STATE_ABOVE"_L1),
                 "the refer-a-friend window is not kept above");
        STEP(checkStaysAboveRaisedWindow(copy.window));
        pressKeys(copy.window, {"alt+x"});
        QVERIFY2(copy.waitForCleanExit(), "the program does not end with code 0");
    }

    void referral_data()
    {
        columns<int, QString>("box", "typed");
        // Boxes: 1 name, 2 e-mail, 3 message, 4 friend's name, 5 friend's e-mail.
        row("plain name", 1, u"Ann Smith"_s);
        row("ampersands and equals signs", 4, u"Tom & Jerry = 1 &"_s);
        row("hashes, plus and percent signs", 1, u"#1 C++ 100% sure"_s);
        row("another parameter", 4, u"Eve&taf5=thief@evil.example&taf6=http://evil.example/"_s);
        row("plus in an e-mail address", 2, u"ann+promo@mail.example"_s);
        row("message with line breaks", 3, u"Hi,\nsee you\n\nBye"_s);
    }

    // The referral reaches the Linux side's browser as the address the rules compose.
    void referral()
    {
        QFETCH(int, box);
        QFETCH(QString, typed);
        Sandbox sandbox;
        STEP(useInstalledProgram(sandbox));
        Copy copy(sandbox);
        STEP(copy.reach(referWidth));
        QStringList values = {"Ann", "ann@home.example", "Hello", "Bob", "bob@work.example"};
        values[box - 1] = typed;
        for (const auto &[next, tabs] : {std::pair{1, 2}, {2, 2}, {5, 1}, {4, 1}, {3, 1}}) {
            pressKeys(copy.window,
                      QStringList(tabs, u"Tab"_s) + QStringList{"ctrl+a", "BackSpace"});
            typeText(values.at(next - 1));
        }
        pressKeys(copy.window, {"alt+n"});
        const QStringList opened = waitForLines(sandbox.browserLog(), 1);
        // A line break typed in the message box is sent as CR LF.
        const tressora::ReferralText text{values[0], values[1],
                                          QString(values[2]).replace(u'\n', u"\r\n"_s), values[3],
                                          values[4]};
        const QString expected = tressora::composeReferralAddress(
            text, env("TRESSORA_E2E_MAIN_HOST"), http("TRESSORA_E2E_PRODUCT_HOST", u"/"_s));
        QCOMPARE(opened, QStringList{expected});
        QVERIFY2(!waitForWindow(messageBoxPattern, copy.pid(), anyWidth, 0),
                 "the referral was refused with a message box");
        pressKeys(copy.window, {"alt+x"});
        QVERIFY2(copy.waitForCleanExit(), "the program does not end with code 0");
    }

    void settingsInRegistry()
    {
        QVERIFY(!registryKeyExists(programKey) ||
                wine({u"reg"_s, u"delete"_s, programKey, u"/f"_s}));
        Sandbox sandbox;
        STEP(useInstalledProgram(sandbox));
        {
            Copy copy(sandbox);
            STEP(copy.start());
            QCOMPARE(copy.prompts, 0); // the first start only records the day
            STEP(copy.leave());
        }
        // One key for the program, one subkey for its one section, one encoded value.
        const QString listing = wine({u"reg"_s, u"query"_s, programKey}).value_or(QString());
        QVERIFY2(listing.contains(u"HKEY_CURRENT_USER\\Software\\Tressora\\Settings"_s),
                 qPrintable(listing));
        const auto values = registryValues(settingsKey);
        QVERIFY2(values, "the settings key cannot be exported");
        QCOMPARE(values->keys(), QStringList{tressora::EncodeSetting(u"Duration"_s)});
        QVERIFY2(!wine({u"reg"_s, u"query"_s, settingsKey, u"/v"_s, u"Duration"_s}),
                 "the key name is stored in plain form");
        const QString stored = tressora::DecodeSetting(values->first());
        QVERIFY2(isNow(stored), qPrintable(stored));
    }

    void updatePrompt_data()
    {
        columns<int, int>("daysAgo", "prompts");
        row("14 days ago: quiet", 14, 0);
        row("15 days ago: asks", 15, 1);
        row("40 days ago: asks", 40, 1);
    }

    void updatePrompt()
    {
        QFETCH(int, daysAgo);
        QFETCH(int, prompts);
        const QString written =
            tressora::durationText(QDateTime::currentDateTime().addDays(-daysAgo));
        QVERIFY(writeRegistryValue(settingsKey, tressora::EncodeSetting(u"Duration"_s),
                                   tressora::EncodeSetting(written)));
        Sandbox sandbox;
        STEP(useInstalledProgram(sandbox));
        Copy copy(sandbox);
        STEP(copy.start()); // answers No
        QCOMPARE(copy.prompts, prompts);
        STEP(copy.leave());
        const auto values = registryValues(settingsKey);
        QVERIFY(values);
        const QString stored =
            tressora::DecodeSetting(values->value(tressora::EncodeSetting(u"Duration"_s)));
        if (prompts > 0)
            QVERIFY2(isNow(stored), qPrintable(stored)); // asked: counting starts anew
        else
            QCOMPARE(stored, written);
        QCOMPARE(sandbox.openedAddresses(), QStringList());
    }

    void secondCopyRefused()
    {
        Sandbox sandbox;
        STEP(useInstalledProgram(sandbox));
        Copy first(sandbox);
        STEP(first.start());
        Copy second(sandbox);
        const auto box = waitForWindow(messageBoxPattern, second.pid(), anyWidth, 60000);
        QVERIFY2(box, "the second copy shows no message box");
        QCOMPARE(visibleWindows(anyPattern, second.pid()).size(), 1);
        pressKeys(*box, {"Return"});
        QVERIFY2(second.waitForCleanExit(), "the refused copy does not end with code 0");
        QVERIFY2(first.running() && mapped(first.window), "the running copy was disturbed");
        first.leave();
    }

    void uninstallKeepsSettings()
    {
        const QString folder = installedFolder();
        QVERIFY2(!folder.isEmpty(), "Tressora is not installed in the test prefix");
        QVERIFY(writeRegistryValue(settingsKey, tressora::EncodeSetting(u"Duration"_s),
                                   tressora::EncodeSetting(u"2026-01-01T00:00:00"_s)));
        // The uninstaller copies itself away and removes the folder from there.
        QVERIFY2(wine({folder + u"/Uninstall.exe"_s, u"/S"_s}), "the uninstaller fails");
        QVERIFY2(
            waitUntil([&] { return !QFileInfo::exists(folder); }, 60000),
            qPrintable(
                u"left behind: "_s +
                QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).join(u", "_s)));
        QVERIFY2(startMenuShortcut().isEmpty(), "the Start menu shortcut is left");
        QVERIFY2(!registryKeyExists(uninstallKey), "the installed-programs entry is left");
        const auto values = registryValues(settingsKey);
        QVERIFY2(values && values->size() == 1, "the user's settings are gone");
    }
};

QTEST_GUILESS_MAIN(EndToEnd)
#include "wine.moc"
