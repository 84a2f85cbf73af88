// The real program, started as a process on an X display and driven by key presses: the quiz,
// its links, the referral reaching a real web server intact, and the faults it must survive.
#include "desktop.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRandomGenerator>
#include <QSettings>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTcpSocket>
#include <QThread>
#include <QUrl>

#include <memory>
#include <utility>

#include <unistd.h>

using namespace e2e;
using namespace Qt::StringLiterals;

namespace {

enum class Damage { None, ReadOnlyFolder, ReadOnlyFile, Folder, Garbage, Huge, Unshifted, Plain };
enum class Kept { Absent, Same, Now };
constexpr int updatePrompt = -1; // in place of a window width: while the update prompt asks
using Keys = QStringList;

// A data table's columns, and one of its rows.
template <typename... T, typename... Name> void columns(const Name &...names)
{
    (QTest::addColumn<T>(names), ...);
}
template <typename... T> void row(const char *name, const T &...values)
{
    (QTest::newRow(name) << ... << values);
}

QString env(const char *name)
{
    return qEnvironmentVariable(name);
}

QString http(const char *hostVariable, const QString &path)
{
    return u"http://"_s + env(hostVariable) + path;
}

QString downloadPage()
{
    return http("TRESSORA_E2E_PRODUCT_HOST", u"/download-tressora.html"_s);
}

QByteArray noise(int size, quint32 seed)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator generator(seed);
    for (char &byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}

// Key names and values are kept shifted by 85 in Latin-1; what cannot be shifted is dropped.
QString shifted(const QString &text, int delta)
{
    QString result;
    for (const QChar ch : text) {
        const int code = ch.unicode() + delta;
        if (ch.unicode() <= 255 && code >= 0 && code <= 255)
            result.append(QChar(code));
    }
    return result;
}

void writeDuration(const QString &file, const QString &value, bool shiftKey = true,
                   bool shiftValue = true)
{
    const QString key = u"Duration"_s;
    QSettings(file, QSettings::IniFormat)
        .setValue(u"Settings/"_s + (shiftKey ? shifted(key, 85) : key),
                  shiftValue ? shifted(value, 85) : value);
}

std::optional<QString> readDuration(const QString &file)
{
    if (!QFileInfo(file).isFile())
        return std::nullopt;
    const QVariant value =
        QSettings(file, QSettings::IniFormat).value(u"Settings/"_s + shifted(u"Duration"_s, 85));
    return value.isValid() ? std::optional(shifted(value.toString(), -85)) : std::nullopt;
}

bool isNow(const std::optional<QString> &value)
{
    const QDateTime stored = QDateTime::fromString(value.value_or(QString()), Qt::ISODate);
    return stored.isValid() && qAbs(stored.secsTo(QDateTime::currentDateTime())) < 600;
}

// Answers the box that refuses a second copy: that copy ends with code 0, and the running one,
// undisturbed, is then left.
void refused(const Window &box, Copy &loser, Copy &winner, const QByteArray &where = {})
{
    pressKeys(box, {"Return"});
    QVERIFY2(loser.waitForCleanExit(), where + "the refused copy does not end with code 0");
    QVERIFY2(winner.running() && mapped(winner.window), where + "the running copy was disturbed");
    winner.leave();
}

} // namespace

Q_DECLARE_METATYPE(Damage)
Q_DECLARE_METATYPE(Kept)
Q_DECLARE_METATYPE(Opener)

class EndToEnd : public QObject {
    Q_OBJECT

private:
    // One copy of the referral build at its refer-a-friend window and the web server it sends
    // to, kept across the rows of the referral table.
    std::unique_ptr<Sandbox> rigSandbox_;
    std::unique_ptr<QProcess> rigServer_;
    std::unique_ptr<Copy> rigCopy_;
    bool rigClean_ = false;

private slots:
    void initTestCase()
    {
        QVERIFY2(!env("DISPLAY").isEmpty(), "run under xvfb-run: no X display");
        for (const char *tool : {"xdotool", "xclip", "php", "curl", "setpriv"})
            QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(),
                     qPrintable(u"%1 is missing (make setup installs it)"_s.arg(tool)));
        QVERIFY2(QFileInfo(env("TRESSORA_PROGRAM")).isExecutable(), "TRESSORA_PROGRAM is not set");
    }

    void cleanupTestCase()
    {
        rigCopy_.reset();
        if (rigServer_) { // killed on destruction if it does not end within 5 s
            rigServer_->terminate();
            rigServer_->waitForFinished(5000);
        }
    }

    void quizRoundTrip()
    {
        Sandbox sandbox;
        Copy copy(sandbox);
        STEP(copy.start());
        const Window quiz = copy.window;
        QCOMPARE(visibleWindows(anyPattern, copy.pid()).size(), 1);
        STEP(copy.go(calculateKeys, resultWidth));
        const Window result = copy.window;
        // Back brings the same quiz window again, and nothing else.
        STEP(copy.go({"alt+b"}, quizWidth));
        QCOMPARE(copy.window.id, quiz.id);
        QCOMPARE(visibleWindows(anyPattern, copy.pid()).size(), 1);
        // The focus is still on Calculate: a second calculation makes a new result window; leaving
        // it ends at the refer window alone, the hidden quiz window staying hidden.
        STEP(copy.go({"Return"}, resultWidth));
        QVERIFY(copy.window.id != result.id);
        STEP(copy.leave({"alt+f", "x"}));
        QCOMPARE(sandbox.openedAddresses(), QStringList());
    }

    void leaving_data()
    {
        columns<int, Keys, Keys>("window", "closeKeys", "endKeys");
        row("quiz Alt+X, refer Alt+X", quizWidth, Keys{"alt+x"}, Keys{"alt+x"});
        row("quiz Return at start, refer Return at start", quizWidth, Keys{"Return"},
            Keys{"Return"});
        row("quiz File>Exit, refer Space", quizWidth, Keys{"alt+f", "x"}, Keys{"space"});
        row("result File>Exit, refer Alt+X", resultWidth, Keys{"alt+f", "x"}, Keys{"alt+x"});
    }

    void leaving()
    {
        QFETCH(int, window);
        QFETCH(Keys, closeKeys);
        QFETCH(Keys, endKeys);
        Sandbox sandbox;
        Copy copy(sandbox);
        STEP(copy.reach(window));
        copy.leave(closeKeys, endKeys);
    }

    void links_data()
    {
        columns<int, Keys, QString>("window", "keys", "address");
        const QString donate = http("TRESSORA_E2E_HELP_HOST", u"/donate.html"_s);
        const QString home = http("TRESSORA_E2E_MAIN_HOST", QString());
        const QString help = http("TRESSORA_E2E_PRODUCT_HOST", u"/tressora-help.html"_s);
        row("quiz Alt+D donate", quizWidth, Keys{"alt+d"}, donate);
        row("quiz Help>Online Help", quizWidth, Keys{"alt+h", "o"}, help);
        row("quiz Help>Visit Us Online", quizWidth, Keys{"alt+h", "v"}, home);
        row("quiz Help>Check for Software Update", quizWidth, Keys{"alt+h", "c"}, downloadPage());
        row("result Alt+D donate", resultWidth, Keys{"alt+d"}, donate);
        row("result Help>Check for Software Update", resultWidth, Keys{"alt+h", "u"},
            downloadPage());
        row("refer big button", referWidth, Keys{"Tab", "space"}, home);
    }

    void links()
    {
        QFETCH(int, window);
        QFETCH(Keys, keys);
        QFETCH(QString, address);
        Sandbox sandbox;
        Copy copy(sandbox);
        STEP(copy.reach(window));
        pressKeys(copy.window, keys);
        QCOMPARE(waitForLines(sandbox.browserLog(), 1), QStringList{address});
        // Opened once, and the window is still there to go on with.
        QTest::qWait(300);
        QCOMPARE(sandbox.openedAddresses(), QStringList{address});
        QVERIFY(mapped(copy.window));
        QVERIFY(copy.running());
    }

    void referral_data()
    {
        columns<int, QString, QString, bool>("box", "typed", "arrives", "paste");
        QString message;
        for (int line = 1; message.size() < 5000; ++line)
            message += u"Line %1: & = # + % ; <p> \"quoted\" 'single'\n"_s.arg(line, 3);
        // Boxes: 1 name, 2 e-mail, 3 message, 4 friend's name, 5 friend's e-mail. xdotool types
        // capitals outside ASCII in lower case, and Tab moves the focus: such texts are pasted.
        const struct {
            const char *name;
            int box;
            QString typed;
            bool paste = false;
            QString arrives = {}; // unless given: as typed, a typed line break as CR LF
        } texts[] = {
            {"plain name", 1, "Ann Smith"},
            {"blanks around and inside", 1, "   Ann    Smith   ", false, "Ann    Smith"},
            {"ampersands", 1, "Tom & Jerry &"},
            {"equals signs", 4, "a=b==c="},
            {"hashes", 1, "#1 fan #top"},
            {"plus signs", 4, "C++ + 1"},
            {"percent signs", 1, "100% sure %"},
            {"semicolons", 4, "a;b; c;"},
            {"quotes and backticks", 1, "\"Bob\" O'Neil `x`"},
            {"backslashes", 4, "C:\\temp\\new\\"},
            {"another parameter", 4, "Eve&taf5=thief@evil.example&taf6=http://evil.example/"},
            {"encoded NUL", 1, "nul%00byte"},
            {"broken escapes", 4, "bad%zz%4%"},
            {"already encoded", 1, "Ann%20Smith%26Co%3D"},
            {"an address", 1, "http://evil.example:81/x?y=1#z"},
            {"path tricks", 4, "../../etc/passwd?/.."},
            {"HTML", 1, "<b>Ann</b><img src=x onerror=alert(1)>"},
            {"script", 3, "<script>alert('hi')</script>"},
            {"HTML entities", 4, "&amp;&lt;&#38;&#x26;"},
            {"accented letters", 1, "Zoë ångström-müller ñ ç ß"},
            {"capital accented letters, pasted", 4, "ÅSA ÉLODIE ÑANDÚ", true},
            {"CJK", 4, "山田太郎 김민수"},
            {"emoji", 1, "Ann 😀👍🏽🎉"},
            {"right-to-left scripts", 4, "שלום مرحبا"},
            {"message with line breaks", 3, "Hi,\nsee you\n\nBye"},
            {"message forging a request", 3, "x\nHost: evil.example\n\nGET /other HTTP/1.1"},
            {"tabs, pasted", 1, "\tTab\tbed\t", true},
            {"line break in a name, pasted", 4, "Line\r\nBreak", true},
            {"plus in an e-mail address", 2, "ann+promo@mail.example"},
            {"parameter in an e-mail address", 5, "bob&taf6=x@evil.example"},
            {"hash and escape in an e-mail address", 2, "a#b%41@c.example"},
            {"quotes in an e-mail address", 5, "\"q'\"@x.example"},
            {"accented e-mail address", 5, "jürgen@müller.example"},
            {"emoji e-mail address", 2, "😀@smile.example"},
            {"1,000-character name", 1, u"Ann-Marie "_s.repeated(100).left(999) + u'!'},
            {"1,000-character friend's name of symbols", 4, u"&=#+%;?/"_s.repeated(125)},
            {"5,000-character message", 3, message.left(4999) + u'.'},
        };
        for (const auto &text : texts) {
            const QString arrives = !text.arrives.isNull() ? text.arrives
                                    : text.paste           ? text.typed
                                                 : QString(text.typed).replace('\n', "\r\n");
            row(text.name, text.box, text.typed, arrives, text.paste);
        }
    }

    void referral()
    {
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(QString, arrives);
        QFETCH(bool, paste);
        const QString host = u"127.0.0.1:"_s + env("TRESSORA_REFERRAL_PORT");
        const auto listening = [](int timeoutMs) {
            QTcpSocket socket;
            socket.connectToHost(u"127.0.0.1"_s, env("TRESSORA_REFERRAL_PORT").toUShort());
            return socket.waitForConnected(timeoutMs);
        };
        if (!rigSandbox_) {
            rigSandbox_ =
                std::make_unique<Sandbox>(Opener::XdgOpen, false, env("TRESSORA_REFERRAL_PROGRAM"));
            rigSandbox_->environment.insert(u"TRESSORA_E2E_FETCH_PREFIX"_s,
                                            u"http://%1/"_s.arg(host));
            QVERIFY2(QFileInfo(rigSandbox_->program).isExecutable(),
                     "TRESSORA_REFERRAL_PROGRAM is not built");
        }
        const QString referrals = rigSandbox_->path(u"referrals.jsonl"_s);
        const QString requests = rigSandbox_->path(u"requests.log"_s);
        if (!rigServer_) {
            QVERIFY2(!listening(500), qPrintable(u"%1 is taken by another program"_s.arg(host)));
            QProcess &server = *(rigServer_ = std::make_unique<QProcess>());
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(u"TRESSORA_E2E_REFERRALS"_s, referrals);
            environment.insert(u"TRESSORA_E2E_REQUESTS"_s, requests);
            server.setProcessEnvironment(environment);
            server.setProcessChannelMode(QProcess::MergedChannels);
            server.setStandardOutputFile(rigSandbox_->path(u"server.log"_s));
            const QString www = QDir(env("TRESSORA_E2E_SOURCE")).filePath(u"www"_s);
            server.start(u"php"_s, {u"-S"_s, host, u"-t"_s, www, www + u"/router.php"_s});
            bool up = false;
            waitUntil(
                [&] { return (up = listening(200)) || server.state() == QProcess::NotRunning; },
                15000);
            QVERIFY2(up, "the PHP test server does not listen");
        }
        // Until a row has gone through, the window's state is unknown: start over with a fresh copy
        // whose focus is known, on the Exit button.
        if (!std::exchange(rigClean_, false) || !rigCopy_ || !rigCopy_->running()) {
            rigCopy_.reset();
            rigCopy_ = std::make_unique<Copy>(*rigSandbox_);
            STEP(rigCopy_->reach(referWidth));
        }
        const Window refer = rigCopy_->window;
        const qsizetype before = rigSandbox_->openedAddresses().size();

        // The boxes taf1 to taf5 hold these unless a row types into one; taf6 names the product.
        QStringList values = {"Ann", "ann@home.example", "Hello",
                              "Bob", "bob@work.example", http("TRESSORA_E2E_PRODUCT_HOST", u"/"_s)};
        QStringList expected; // what the server is to receive: "tafN=value", in this order
        values[box - 1] = typed;
        for (int i = 0; i < values.size(); ++i)
            expected << u"taf%1="_s.arg(i + 1) + (i == box - 1 ? arrives : values.at(i));
        // From the Exit button, Tab reaches the boxes in this order.
        for (const auto &[next, tabs] : {std::pair{1, 2}, {2, 2}, {5, 1}, {4, 1}, {3, 1}}) {
            pressKeys(refer, QStringList(tabs, u"Tab"_s) + QStringList{"ctrl+a", "BackSpace"});
            (paste && next == box ? pasteText : typeText)(values.at(next - 1));
        }
        pressKeys(refer, {"alt+n"});

        const QStringList opened = waitForLines(rigSandbox_->browserLog(), int(before) + 1);
        QCOMPARE(opened.size(), before + 1);
        const QStringList received = waitForLines(referrals, int(before) + 1);
        QCOMPARE(received.size(), before + 1);
        pressKeys(refer, {"Tab"}); // back to the Exit button
        QVERIFY2(!waitForWindow(messageBoxPattern, rigCopy_->pid(), anyWidth, 0),
                 "the referral was refused with a message box");

        // The address names the test server and the endpoint, nothing else.
        const QString address = opened.last();
        if (address.size() > 2000)
            qInfo("address of %lld characters", qlonglong(address.size()));
        const QUrl url = QUrl::fromEncoded(address.toLatin1(), QUrl::StrictMode);
        QVERIFY2(url.isValid(), qPrintable(address.left(200)));
        QCOMPARE(url.adjusted(QUrl::RemoveQuery).toString(),
                 u"http://%1/ovms-refer-a-friend.php"_s.arg(host));
        QStringList sent, got;
        for (const QString &pair : url.query(QUrl::FullyEncoded).split('&'))
            sent << pair.section('=', 0, 0) + u'=' +
                        QUrl::fromPercentEncoding(pair.section('=', 1, -1).toLatin1());
        QCOMPARE(sent, expected);

        // The server got that very request and decoded every value as it was typed.
        const QJsonObject record = QJsonDocument::fromJson(received.last().toUtf8()).object();
        QCOMPARE(record.value("host").toString(), host);
        QCOMPARE(u"http://"_s + host + record.value("uri").toString(), address);
        const QJsonObject get = record.value("get").toObject();
        for (auto it = get.begin(); it != get.end(); ++it)
            got << it.key() + u'=' + it.value().toString();
        QCOMPARE(got, expected);

        // Nothing else reached the server.
        const QStringList paths = fileLines(requests);
        QCOMPARE(paths.size(), before + 1);
        for (const QString &path : paths)
            QVERIFY2(path.startsWith("/ovms-refer-a-friend.php?"_L1), qPrintable(path));
        rigClean_ = true;
    }

    void killedCopy_data()
    {
        columns<int, int>("window", "times");
        row("at the quiz window", quizWidth, 1);
        row("at the result window", resultWidth, 1);
        row("at the refer-a-friend window", referWidth, 1);
        row("while the update prompt asks", updatePrompt, 1);
        row("five times in a row", quizWidth, 5);
    }

    void killedCopy()
    {
        QFETCH(int, window);
        QFETCH(int, times);
        Sandbox sandbox;
        if (window == updatePrompt)
            writeDuration(sandbox.settingsFile(), u"2001-01-01T00:00:00"_s);
        for (int round = 0; round < times; ++round) {
            Copy copy(sandbox);
            if (window == updatePrompt)
                QVERIFY2(waitForWindow(messageBoxPattern, copy.pid(), anyWidth),
                         "no update prompt");
            else
                STEP(copy.reach(window));
            copy.kill();
            QVERIFY2(QFile::exists(sandbox.lockFile()), "the killed copy left no lock behind");
        }
        Copy next(sandbox);
        STEP(next.start(false, "the lock of a killed copy blocks the next start"));
        QCOMPARE(next.prompts, window == updatePrompt ? 1 : 0);
        STEP(next.go(calculateKeys, resultWidth));
        next.leave({"alt+f", "x"});
    }

    void leftoverLock_data()
    {
        columns<QByteArray>("content");
        const auto lock = [](qint64 pid, const QByteArray &bootId) {
            return u"%1\ntressora\n%2\n%3\n%4\n"_s.arg(pid)
                .arg(QSysInfo::machineHostName(), QString::fromLatin1(QSysInfo::machineUniqueId()),
                     QString::fromLatin1(bootId))
                .toUtf8();
        };
        QProcess ended;
        ended.start(u"true"_s, QStringList());
        ended.waitForStarted();
        const qint64 endedPid = ended.processId();
        ended.waitForFinished();
        const qint64 self = QCoreApplication::applicationPid();
        row("of a process that has ended", lock(endedPid, QSysInfo::bootUniqueId()));
        row("naming a running program of another name", lock(self, QSysInfo::bootUniqueId()));
        row("written before the machine restarted",
            lock(self, "00000000-0000-0000-0000-000000000000"));
        row("empty", QByteArray());
        row("garbage", noise(512, 7));
    }

    void leftoverLock()
    {
        QFETCH(QByteArray, content);
        Sandbox sandbox;
        QFile lock(sandbox.lockFile());
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(content);
        lock.flush();
        // Left behind a minute ago, as by a copy that crashed.
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                                 QFileDevice::FileModificationTime));
        lock.close();
        Copy copy(sandbox);
        const auto shown = waitForWindow(anyPattern, copy.pid(), anyWidth);
        QVERIFY2(shown, "the program shows no window");
        QVERIFY2(shown->width == quizWidth, "a leftover lock that nobody holds refuses the start");
        copy.window = *shown;
        copy.leave();
    }

    void simultaneousStarts()
    {
        constexpr int rounds = 20;
        Sandbox sandbox;
        int oneRunning = 0, firstWon = 0;
        for (int round = 1; round <= rounds; ++round) {
            const QByteArray where = "round " + QByteArray::number(round) + ": ";
            Copy first(sandbox);
            Copy second(sandbox);
            const qint64 pids[] = {first.pid(), second.pid()};
            std::optional<Window> quiz, box;
            const QDeadlineTimer deadline(20000);
            while ((!quiz || !box) && !deadline.hasExpired()) {
                int quizWindows = 0;
                for (const Window &window : visibleWindows(anyPattern)) {
                    if (window.pid != pids[0] && window.pid != pids[1])
                        continue;
                    if (window.width == quizWidth) {
                        quiz = window;
                        ++quizWindows;
                    } else if (window.name == "Tressora"_L1) {
                        box = window;
                    }
                }
                QVERIFY2(quizWindows <= 1, where + "both copies show a quiz window");
                QThread::msleep(25);
            }
            QVERIFY2(quiz, where + "no copy shows a quiz window");
            QVERIFY2(box, where + "no copy is refused with a message box");
            QVERIFY2(quiz->pid != box->pid, where + "one copy shows both");
            Copy &winner = quiz->pid == pids[0] ? first : second;
            winner.window = *quiz;
            STEP(refused(*box, quiz->pid == pids[0] ? second : first, winner, where));
            ++oneRunning;
            firstWon += &winner == &first ? 1 : 0;
        }
        qInfo("%d rounds of two copies started together: exactly one ran in %d; the first started "
              "won %d times",
              rounds, oneRunning, firstWon);
        QCOMPARE(oneRunning, rounds);
    }

    void runtimeFolder_data()
    {
        // XDG_RUNTIME_DIR inside the sandbox (null: unset), the folder's permissions (0: 0700
        // kept), whether root owns it, whether the program runs as nobody.
        columns<QString, int, bool, bool>("variable", "permissions", "rootOwns", "asNobody");
        row("private folder", "runtime", 0, false, false);
        row("unset", QString(), 0, false, false);
        row("empty", u""_s, 0, false, false); // set, but empty
        row("missing folder", "missing/runtime", 0, false, false);
        row("a file", "runtime-file", 0, false, false);
        row("open to everyone", "runtime", 0x7777, false, false);
        row("owned by another user", "runtime", 0, true, true);
        row("read-only to its owner", "runtime", 0x5000, false, true);
    }

    void runtimeFolder()
    {
        QFETCH(QString, variable);
        QFETCH(int, permissions);
        QFETCH(bool, rootOwns);
        QFETCH(bool, asNobody);
        if (rootOwns && ::geteuid() != 0)
            QSKIP("giving the folder to another user needs root");
        Sandbox sandbox(Opener::XdgOpen, asNobody);
        sandbox.handOver();
        const QString dir = sandbox.path(u"runtime"_s);
        if (variable.isNull())
            sandbox.environment.remove(u"XDG_RUNTIME_DIR"_s);
        else
            sandbox.environment.insert(u"XDG_RUNTIME_DIR"_s,
                                       variable.isEmpty() ? variable : sandbox.path(variable));
        if (variable == "runtime-file"_L1)
            QVERIFY(QFile(sandbox.path(variable)).open(QIODevice::WriteOnly));
        if (permissions != 0)
            QVERIFY(QFile::setPermissions(dir, QFileDevice::Permissions(permissions)));
        if (rootOwns)
            QCOMPARE(::chown(QFile::encodeName(dir).constData(), 0, 0), 0);

        Copy first(sandbox);
        STEP(first.start());
        // The lock lies in the user's own runtime or temporary folder, never in a shared one.
        QStringList locks;
        QDirIterator found(sandbox.path(QString()), {u"*tressora.lock"_s}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (found.hasNext())
            locks << QDir(sandbox.path(QString())).relativeFilePath(found.next());
        QCOMPARE(locks.size(), 1);
        qInfo("lock at %s", qPrintable(locks.first()));
        Copy second(sandbox);
        const auto box = waitForWindow(anyPattern, second.pid(), anyWidth);
        QVERIFY2(box && box->name == "Tressora"_L1, "a second copy is not refused");
        STEP(refused(*box, second, first));
        Copy third(sandbox);
        STEP(third.start(false, "the lock outlives the copy that held it"));
        third.leave();
    }

    void damagedSettings_data()
    {
        using enum Damage;
        using enum Kept;
        columns<Damage, QString, QString, bool, int, Kept, int, Kept>(
            "damage", "locale", "value", "answerYes", "firstPrompts", "afterFirst", "laterPrompts",
            "afterLater");
        const QDateTime now = QDateTime::currentDateTime();
        const QString c = u"C.UTF-8"_s, us = u"en_US.UTF-8"_s, de = u"de_DE.UTF-8"_s;
        const auto iso = [&](int days) { return now.addDays(days).toString(Qt::ISODate); };
        const auto american = [&](int days) {
            return QLocale(QLocale::English, QLocale::UnitedStates)
                .toString(now.addDays(days), u"M/d/yy h:mm:ss AP"_s);
        };
        const QString german = now.addDays(-2).toString(u"dd.MM.yy HH:mm:ss"_s);
        const QString none;
        row("settings folder read-only", ReadOnlyFolder, c, none, false, 0, Absent, 0, Now);
        row("file read-only, 30 days old", ReadOnlyFile, c, iso(-30), false, 1, Same, 1, Now);
        row("file read-only, 2 days old", ReadOnlyFile, c, iso(-2), false, 0, Same, 0, Same);
        row("file is a folder", Folder, c, none, false, 0, Absent, 0, Now);
        row("binary garbage", Garbage, c, none, false, 0, Now, 0, Now);
        row("1 MB long, 2 days old", Huge, c, iso(-2), false, 0, Same, 0, Same);
        row("damaged date", None, c, "32/13/20x1 25:61", false, 0, Now, 0, Now);
        row("empty date", None, c, none, false, 0, Now, 0, Now);
        row("far future date", None, c, "2099-12-31T23:59:59", false, 1, Now, 0, Now);
        row("15 days ahead", None, c, iso(15), false, 1, Now, 0, Now);
        row("far past date, answered Yes", None, c, "2001-01-01T00:00:00", true, 1, Now, 0, Now);
        row("two-digit year, 2 days ago", None, us, american(-2), false, 0, Same, 0, Same);
        row("two-digit year, 20 days ago", None, us, american(-20), false, 1, Now, 0, Now);
        row("German date, German locale", None, de, german, false, 0, Same, 0, Same);
        row("German date, other locale", None, c, german, false, 0, Now, 0, Now);
        row("value stored unshifted", Unshifted, c, iso(-2), false, 0, Now, 0, Now);
        row("key and value stored plain", Plain, c, iso(-30), false, 0, Now, 0, Now);
    }

    void damagedSettings()
    {
        QFETCH(Damage, damage);
        QFETCH(QString, locale);
        QFETCH(QString, value);
        QFETCH(bool, answerYes);
        QFETCH(int, firstPrompts);
        QFETCH(Kept, afterFirst);
        QFETCH(int, laterPrompts);
        QFETCH(Kept, afterLater);
        using enum Damage;
        Sandbox sandbox(Opener::XdgOpen, damage == ReadOnlyFolder || damage == ReadOnlyFile);
        sandbox.environment.insert(u"LANG"_s, locale);
        const QString file = sandbox.settingsFile();
        const QString folder = sandbox.path(u"config"_s);
        QFile out(file);
        if (damage == None || damage == ReadOnlyFile || damage == Huge)
            writeDuration(file, value);
        if (damage == Unshifted || damage == Plain)
            writeDuration(file, value, damage == Unshifted, false);
        if (damage == Folder)
            QVERIFY(QDir().mkpath(file));
        if (damage == Garbage)
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(noise(4096, 42)) == 4096);
        if (damage == Huge)
            QVERIFY(out.open(QIODevice::Append) && out.write("\n[Filler]\n") == 10);
        for (int i = 0; damage == Huge && out.size() < 1024 * 1024; ++i)
            out.write("key" + QByteArray::number(i) + '=' + QByteArray(100, 'v') + '\n');
        out.close();
        if (damage != None)
            value = readDuration(file).value_or(QString());
        sandbox.handOver();
        // The damage is in place at the first start; the later one finds it undone where it is
        // about permissions or a folder in the file's place.
        const auto undone = [&](bool later) {
            const QFile::Permissions write = later ? QFile::WriteOwner : QFile::Permissions();
            if (damage == ReadOnlyFolder)
                return QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | write);
            if (damage == ReadOnlyFile)
                return QFile::setPermissions(file, QFile::ReadOwner | write);
            return !later || damage != Folder || QDir(file).removeRecursively();
        };
        // The program starts and the quiz works; a later start puts the value right.
        for (const bool later : {false, true}) {
            QVERIFY(undone(later));
            Copy copy(sandbox);
            QElapsedTimer clock;
            clock.start();
            STEP(copy.start(answerYes, later ? "no quiz window at the later start"
                                             : "no quiz window after start"));
            if (!later && copy.prompts == 0)
                qInfo("quiz window after %lld ms", clock.elapsed());
            QCOMPARE(copy.prompts, later ? laterPrompts : firstPrompts);
            if (!later)
                STEP(copy.go(calculateKeys, resultWidth));
            STEP(copy.leave(later ? Keys{"alt+x"} : Keys{"alt+f", "x"}));
            const auto stored = readDuration(file);
            const Kept kept = later ? afterLater : afterFirst;
            QVERIFY2(kept == Kept::Absent ? !stored
                     : kept == Kept::Same ? stored == value
                                          : isNow(stored),
                     "Duration is " + (stored ? stored->toUtf8() : QByteArray("<none>")));
        }
        const int asked = answerYes ? firstPrompts + laterPrompts : 0;
        QCOMPARE(sandbox.openedAddresses(), QStringList(asked, downloadPage()));
    }

    void browsers_data()
    {
        columns<Opener, bool>("opener", "reaches");
        row("xdg-open", Opener::XdgOpen, true);
        row("only $BROWSER", Opener::BrowserVariable, true);
        row("no browser at all", Opener::None, false);
        row("opener that fails", Opener::Failing, true);
        row("opener that never returns", Opener::Hanging, true);
    }

    void browsers()
    {
        QFETCH(Opener, opener);
        QFETCH(bool, reaches);
        Sandbox sandbox(opener);
        Copy copy(sandbox);
        STEP(copy.start());
        // A link from each main window; nothing but the window itself is on screen after it.
        for (int link = 1; link <= 2; ++link) {
            if (link == 2)
                STEP(copy.go(calculateKeys, resultWidth));
            pressKeys(copy.window, {"alt+d"});
            if (reaches)
                QCOMPARE(waitForLines(sandbox.browserLog(), link),
                         QStringList(link, http("TRESSORA_E2E_HELP_HOST", u"/donate.html"_s)));
            else
                QTest::qWait(1000);
            QCOMPARE(visibleWindows(anyPattern, copy.pid()).size(), 1);
        }
        QCOMPARE(sandbox.openedAddresses().size(), reaches ? 2 : 0);
        copy.leave({"alt+f", "x"});
    }
};

QTEST_GUILESS_MAIN(EndToEnd)
#include "endtoend.moc"
