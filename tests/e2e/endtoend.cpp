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
#include <QTest>
#include <QThread>
#include <QUrl>

#include <memory>

#include <unistd.h>

using namespace e2e;

namespace {

enum class Damage {
    None,
    ReadOnlyFolder,
    ReadOnlyFile,
    Folder,
    Garbage,
    Huge,
    Unshifted,
    PlainKey
};
enum class Stage { Quiz, Result, Refer, UpdatePrompt };
enum class Runtime { Private, Unset, Empty, Missing, File, OpenToAll, OtherOwner, ReadOnly };

const QStringList tabs5 = {"Tab", "Tab", "Tab", "Tab", "Tab"};

QString env(const char *name)
{
    return qEnvironmentVariable(name);
}

QString http(const char *hostVariable, const QString &path)
{
    return QStringLiteral("http://") + env(hostVariable) + path;
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

void writeDuration(const QString &file, const QString &value)
{
    QSettings store(file, QSettings::IniFormat);
    store.beginGroup(QStringLiteral("Settings"));
    store.setValue(shifted(QStringLiteral("Duration"), 85), shifted(value, 85));
    store.endGroup();
    store.sync();
}

std::optional<QString> readDuration(const QString &file)
{
    if (!QFileInfo(file).isFile())
        return std::nullopt;
    QSettings store(file, QSettings::IniFormat);
    const QVariant value =
        store.value(QStringLiteral("Settings/") + shifted(QStringLiteral("Duration"), 85));
    if (!value.isValid())
        return std::nullopt;
    return shifted(value.toString(), -85);
}

bool isNow(const std::optional<QString> &value)
{
    if (!value)
        return false;
    const QDateTime stored = QDateTime::fromString(*value, Qt::ISODate);
    return stored.isValid() && qAbs(stored.secsTo(QDateTime::currentDateTime())) < 600;
}

bool mapped(const Window &window)
{
    const auto windows = visibleWindows(anyPattern);
    return std::any_of(windows.begin(), windows.end(),
                       [&](const Window &shown) { return shown.id == window.id; });
}

QList<Window> windowsOf(qint64 pid)
{
    QList<Window> own;
    for (const Window &window : visibleWindows(anyPattern)) {
        if (window.pid == pid)
            own.append(window);
    }
    return own;
}

// The first window a starting copy shows: its quiz window or a message box.
std::optional<Window> firstWindow(const Copy &copy, int timeoutMs = 20000)
{
    return waitForWindow(anyPattern, copy.pid(), anyWidth, timeoutMs);
}

struct Start {
    std::optional<Window> quiz;
    int prompts = 0;
};

// Starts into the quiz window, answering update prompts (Return: Yes, Escape: No).
Start startToQuiz(const Copy &copy, bool answerYes = false)
{
    Start start;
    for (int step = 0; step < 3; ++step) {
        const auto shown = firstWindow(copy);
        if (!shown)
            return start;
        if (shown->width == quizWidth && shown->name.endsWith(QLatin1String("v1.0"))) {
            start.quiz = shown;
            return start;
        }
        ++start.prompts;
        pressKeys(*shown, {answerYes ? QStringLiteral("Return") : QStringLiteral("Escape")});
        waitUntilUnmapped(shown->id);
    }
    return start;
}

} // namespace

Q_DECLARE_METATYPE(Damage)
Q_DECLARE_METATYPE(Stage)
Q_DECLARE_METATYPE(Runtime)
Q_DECLARE_METATYPE(Opener)

namespace {

// Calculate from the quiz window: the result window takes its place. At the first showing the
// focus is on the Exit button, five Tabs from Calculate.
void calculate(const Window &quiz, Window *result,
               const QStringList &keys = tabs5 + QStringList{QStringLiteral("Return")})
{
    pressKeys(quiz, keys);
    const auto shown = waitForWindow(windowPattern, quiz.pid, resultWidth);
    QVERIFY2(shown, "no result window after Calculate");
    QVERIFY2(waitUntilUnmapped(quiz.id), "the quiz window stays beside the result window");
    *result = *shown;
}

// Close a main window with the keys: the refer-a-friend window takes its place.
void leaveFrom(const Window &window, const QStringList &keys, Window *refer)
{
    pressKeys(window, keys);
    const auto shown = waitForWindow(windowPattern, window.pid, referWidth);
    QVERIFY2(shown, "no refer-a-friend window after closing a main window");
    QVERIFY2(waitUntilUnmapped(window.id), "the closed window stays on screen");
    *refer = *shown;
}

// Leave the refer-a-friend window with the keys: the program ends with code 0.
void endFrom(Copy &copy, const Window &refer, const QStringList &keys)
{
    pressKeys(refer, keys);
    QVERIFY2(copy.waitForCleanExit(), "the program does not end with code 0");
    QVERIFY2(waitForNoWindow(refer.pid), "a window outlives the program");
}

// The whole way through: calculate, leave from the result window, end the program.
void quizWorks(Copy &copy, const Window &quiz)
{
    Window result, refer;
    calculate(quiz, &result);
    if (QTest::currentTestFailed())
        return;
    leaveFrom(result, {QStringLiteral("alt+f"), QStringLiteral("x")}, &refer);
    if (QTest::currentTestFailed())
        return;
    endFrom(copy, refer, {QStringLiteral("alt+x")});
}

// Leave from the quiz window straight away.
void quitFromQuiz(Copy &copy, const Window &quiz)
{
    Window refer;
    leaveFrom(quiz, {QStringLiteral("alt+x")}, &refer);
    if (QTest::currentTestFailed())
        return;
    endFrom(copy, refer, {QStringLiteral("alt+x")});
}

QString lockContent(qint64 pid, const QByteArray &bootId)
{
    return QStringLiteral("%1\ntressora\n%2\n%3\n%4\n")
        .arg(pid)
        .arg(QSysInfo::machineHostName(), QString::fromLatin1(QSysInfo::machineUniqueId()),
             QString::fromLatin1(bootId));
}

} // namespace

class EndToEnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void quizRoundTrip();
    void leaving_data();
    void leaving();
    void links_data();
    void links();

    void referral_data();
    void referral();

    void killedCopy_data();
    void killedCopy();
    void leftoverLock_data();
    void leftoverLock();
    void simultaneousStarts();
    void runtimeFolder_data();
    void runtimeFolder();

    void damagedSettings_data();
    void damagedSettings();

    void browsers_data();
    void browsers();

private:
    void openReferralRig();

    // One copy of the referral build with its refer-a-friend window and the web server it
    // sends to, kept across the rows of the referral table.
    std::unique_ptr<Sandbox> rigSandbox_;
    std::unique_ptr<QProcess> rigServer_;
    std::unique_ptr<Copy> rigCopy_;
    std::optional<Window> rigRefer_;
    bool rigClean_ = false;
};

void EndToEnd::initTestCase()
{
    QVERIFY2(!env("DISPLAY").isEmpty(), "run under xvfb-run: no X display");
    for (const char *tool : {"xdotool", "xclip", "php", "curl", "setpriv"})
        QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(),
                 qPrintable(QStringLiteral("%1 is missing (make setup installs it)").arg(tool)));
    QVERIFY2(QFileInfo(env("TRESSORA_PROGRAM")).isExecutable(), "TRESSORA_PROGRAM is not set");
}

void EndToEnd::cleanupTestCase()
{
    rigCopy_.reset();
    if (rigServer_) {
        rigServer_->terminate();
        if (!rigServer_->waitForFinished(5000))
            rigServer_->kill();
        rigServer_->waitForFinished();
    }
}

void EndToEnd::quizRoundTrip()
{
    Sandbox sandbox;
    Copy copy(sandbox);
    const auto quiz = startToQuiz(copy).quiz;
    QVERIFY2(quiz, "no quiz window after start");
    QCOMPARE(windowsOf(copy.pid()).size(), 1);

    Window result;
    calculate(*quiz, &result);
    if (QTest::currentTestFailed())
        return;

    // Back brings the same quiz window again, and nothing else.
    pressKeys(result, {QStringLiteral("alt+b")});
    QVERIFY2(waitUntilUnmapped(result.id), "the result window stays after Back");
    const auto again = waitForWindow(windowPattern, copy.pid(), quizWidth);
    QVERIFY2(again, "no quiz window after Back");
    QCOMPARE(again->id, quiz->id);
    QCOMPARE(windowsOf(copy.pid()).size(), 1);

    // The focus is still on Calculate: a second calculation makes a new result window;
    // leaving it ends at the refer window, with the hidden quiz window staying hidden.
    Window second, refer;
    calculate(*again, &second, {QStringLiteral("Return")});
    if (QTest::currentTestFailed())
        return;
    QVERIFY(second.id != result.id);
    leaveFrom(second, {QStringLiteral("alt+f"), QStringLiteral("x")}, &refer);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(windowsOf(copy.pid()).size(), 1);
    QVERIFY(copy.running());
    endFrom(copy, refer, {QStringLiteral("alt+x")});
    QCOMPARE(sandbox.openedAddresses(), QStringList());
}

void EndToEnd::leaving_data()
{
    QTest::addColumn<bool>("fromResult");
    QTest::addColumn<QStringList>("closeKeys");
    QTest::addColumn<QStringList>("endKeys");
    QTest::newRow("quiz Alt+X, refer Alt+X")
        << false << QStringList{"alt+x"} << QStringList{"alt+x"};
    QTest::newRow("quiz Return at start, refer Return at start")
        << false << QStringList{"Return"} << QStringList{"Return"};
    QTest::newRow("quiz File>Exit, refer Space")
        << false << QStringList{"alt+f", "x"} << QStringList{"space"};
    QTest::newRow("result File>Exit, refer Alt+X")
        << true << QStringList{"alt+f", "x"} << QStringList{"alt+x"};
}

void EndToEnd::leaving()
{
    QFETCH(bool, fromResult);
    QFETCH(QStringList, closeKeys);
    QFETCH(QStringList, endKeys);
    Sandbox sandbox;
    Copy copy(sandbox);
    auto window = startToQuiz(copy).quiz;
    QVERIFY2(window, "no quiz window after start");
    if (fromResult) {
        Window result;
        calculate(*window, &result);
        if (QTest::currentTestFailed())
            return;
        window = result;
    }
    Window refer;
    leaveFrom(*window, closeKeys, &refer);
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(copy.running(), "the program ends before the refer-a-friend window is left");
    QCOMPARE(windowsOf(copy.pid()).size(), 1);
    endFrom(copy, refer, endKeys);
}

void EndToEnd::links_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("address");
    const QString donate = http("TRESSORA_E2E_HELP_HOST", QStringLiteral("/donate.html"));
    const QString download =
        http("TRESSORA_E2E_PRODUCT_HOST", QStringLiteral("/download-tressora.html"));
    const QString home = http("TRESSORA_E2E_MAIN_HOST", QString());
    QTest::newRow("quiz Alt+D donate") << quizWidth << QStringList{"alt+d"} << donate;
    QTest::newRow("quiz Help>Online Help")
        << quizWidth << QStringList{"alt+h", "o"}
        << http("TRESSORA_E2E_PRODUCT_HOST", QStringLiteral("/tressora-help.html"));
    QTest::newRow("quiz Help>Visit Us Online") << quizWidth << QStringList{"alt+h", "v"} << home;
    QTest::newRow("quiz Help>Check for Software Update")
        << quizWidth << QStringList{"alt+h", "c"} << download;
    QTest::newRow("result Alt+D donate") << resultWidth << QStringList{"alt+d"} << donate;
    QTest::newRow("result Help>Check for Software Update")
        << resultWidth << QStringList{"alt+h", "u"} << download;
    QTest::newRow("refer big button") << referWidth << QStringList{"Tab", "space"} << home;
}

void EndToEnd::links()
{
    QFETCH(int, window);
    QFETCH(QStringList, keys);
    QFETCH(QString, address);
    Sandbox sandbox;
    Copy copy(sandbox);
    auto shown = startToQuiz(copy).quiz;
    QVERIFY2(shown, "no quiz window after start");
    if (window == resultWidth) {
        Window result;
        calculate(*shown, &result);
        shown = result;
    } else if (window == referWidth) {
        Window refer;
        leaveFrom(*shown, {QStringLiteral("alt+x")}, &refer);
        shown = refer;
    }
    if (QTest::currentTestFailed())
        return;
    pressKeys(*shown, keys);
    QCOMPARE(waitForLines(sandbox.browserLog(), 1), QStringList{address});
    // Opened once, and the window is still there to go on with.
    QTest::qWait(300);
    QCOMPARE(sandbox.openedAddresses(), QStringList{address});
    QVERIFY(mapped(*shown));
    QVERIFY(copy.running());
}

void EndToEnd::openReferralRig()
{
    const QString port = env("TRESSORA_REFERRAL_PORT");
    const QString prefix = QStringLiteral("http://127.0.0.1:%1/").arg(port);
    if (!rigSandbox_) {
        rigSandbox_ = std::make_unique<Sandbox>(false, env("TRESSORA_REFERRAL_PROGRAM"));
        rigSandbox_->environment.insert(QStringLiteral("TRESSORA_E2E_FETCH_PREFIX"), prefix);
        QVERIFY2(QFileInfo(rigSandbox_->program()).isExecutable(),
                 "TRESSORA_REFERRAL_PROGRAM is not built");
    }
    if (!rigServer_) {
        QTcpSocket probe;
        probe.connectToHost(QStringLiteral("127.0.0.1"), port.toUShort());
        QVERIFY2(!probe.waitForConnected(500),
                 qPrintable(QStringLiteral("port %1 is taken by another program").arg(port)));
        rigServer_ = std::make_unique<QProcess>();
        QProcessEnvironment serverEnv = QProcessEnvironment::systemEnvironment();
        serverEnv.insert(QStringLiteral("TRESSORA_E2E_REFERRALS"),
                         rigSandbox_->path(QStringLiteral("referrals.jsonl")));
        serverEnv.insert(QStringLiteral("TRESSORA_E2E_REQUESTS"),
                         rigSandbox_->path(QStringLiteral("requests.log")));
        rigServer_->setProcessEnvironment(serverEnv);
        rigServer_->setProcessChannelMode(QProcess::MergedChannels);
        rigServer_->setStandardOutputFile(rigSandbox_->path(QStringLiteral("server.log")));
        const QString www = QDir(env("TRESSORA_E2E_SOURCE")).filePath(QStringLiteral("www"));
        rigServer_->start(QStringLiteral("php"),
                          {QStringLiteral("-S"), QStringLiteral("127.0.0.1:") + port,
                           QStringLiteral("-t"), www, www + QStringLiteral("/router.php")});
        QDeadlineTimer deadline(15000);
        bool listening = false;
        while (!listening && !deadline.hasExpired() &&
               rigServer_->state() != QProcess::NotRunning) {
            QTcpSocket socket;
            socket.connectToHost(QStringLiteral("127.0.0.1"), port.toUShort());
            listening = socket.waitForConnected(200);
            if (!listening)
                QThread::msleep(50);
        }
        QVERIFY2(listening, "the PHP test server does not listen");
    }
    if (!rigClean_ || !rigCopy_ || !rigCopy_->running()) {
        // Start over with a fresh copy whose focus is known: on the Exit button.
        rigCopy_.reset();
        rigRefer_.reset();
        rigCopy_ = std::make_unique<Copy>(*rigSandbox_);
        const auto quiz = startToQuiz(*rigCopy_).quiz;
        QVERIFY2(quiz, "no quiz window after start");
        Window refer;
        leaveFrom(*quiz, {QStringLiteral("alt+x")}, &refer);
        if (QTest::currentTestFailed())
            return;
        rigRefer_ = refer;
    }
}

void EndToEnd::referral_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("arrives");
    QTest::addColumn<bool>("paste");
    const auto same = [](const char *name, const char *field, const QString &text) {
        QTest::newRow(name) << QString::fromLatin1(field) << text << text << false;
    };
    // taf1 name, taf2 e-mail, taf3 message, taf4 friend's name, taf5 friend's e-mail.
    same("plain name", "taf1", QStringLiteral("Ann Smith"));
    QTest::newRow("blanks around and inside") << "taf1" << QStringLiteral("   Ann    Smith   ")
                                              << QStringLiteral("Ann    Smith") << false;
    same("ampersands", "taf1", QStringLiteral("Tom & Jerry &"));
    same("equals signs", "taf4", QStringLiteral("a=b==c="));
    same("hashes", "taf1", QStringLiteral("#1 fan #top"));
    same("plus signs", "taf4", QStringLiteral("C++ + 1"));
    same("percent signs", "taf1", QStringLiteral("100% sure %"));
    same("semicolons", "taf4", QStringLiteral("a;b; c;"));
    same("quotes and backticks", "taf1", QStringLiteral("\"Bob\" O'Neil `x`"));
    same("backslashes", "taf4", QStringLiteral("C:\\temp\\new\\"));
    same("another parameter", "taf4",
         QStringLiteral("Eve&taf5=thief@evil.example&taf6=http://evil.example/"));
    same("encoded NUL", "taf1", QStringLiteral("nul%00byte"));
    same("broken escapes", "taf4", QStringLiteral("bad%zz%4%"));
    same("already encoded", "taf1", QStringLiteral("Ann%20Smith%26Co%3D"));
    same("an address", "taf1", QStringLiteral("http://evil.example:81/x?y=1#z"));
    same("path tricks", "taf4", QStringLiteral("../../etc/passwd?/.."));
    same("HTML", "taf1", QStringLiteral("<b>Ann</b><img src=x onerror=alert(1)>"));
    same("script", "taf3", QStringLiteral("<script>alert('hi')</script>"));
    same("HTML entities", "taf4", QStringLiteral("&amp;&lt;&#38;&#x26;"));
    same("accented letters", "taf1", QStringLiteral("Zoë ångström-müller ñ ç ß"));
    // xdotool types capitals outside ASCII in lower case, so they come by the clipboard.
    QTest::newRow("capital accented letters, pasted")
        << "taf4" << QStringLiteral("ÅSA ÉLODIE ÑANDÚ") << QStringLiteral("ÅSA ÉLODIE ÑANDÚ")
        << true;
    same("CJK", "taf4", QStringLiteral("山田太郎 김민수"));
    same("emoji", "taf1", QStringLiteral("Ann 😀👍🏽🎉"));
    same("right-to-left scripts", "taf4", QStringLiteral("שלום مرحبا"));
    QTest::newRow("message with line breaks")
        << "taf3" << QStringLiteral("Hi,\nsee you\n\nBye")
        << QStringLiteral("Hi,\r\nsee you\r\n\r\nBye") << false;
    QTest::newRow("message forging a request")
        << "taf3" << QStringLiteral("x\nHost: evil.example\n\nGET /other HTTP/1.1")
        << QStringLiteral("x\r\nHost: evil.example\r\n\r\nGET /other HTTP/1.1") << false;
    QTest::newRow("tabs, pasted") << "taf1" << QStringLiteral("\tTab\tbed\t")
                                  << QStringLiteral("\tTab\tbed\t") << true;
    QTest::newRow("line break in a name, pasted")
        << "taf4" << QStringLiteral("Line\r\nBreak") << QStringLiteral("Line\r\nBreak") << true;
    same("plus in an e-mail address", "taf2", QStringLiteral("ann+promo@mail.example"));
    same("parameter in an e-mail address", "taf5", QStringLiteral("bob&taf6=x@evil.example"));
    same("hash and escape in an e-mail address", "taf2", QStringLiteral("a#b%41@c.example"));
    same("quotes in an e-mail address", "taf5", QStringLiteral("\"q'\"@x.example"));
    same("accented e-mail address", "taf5", QStringLiteral("jürgen@müller.example"));
    same("emoji e-mail address", "taf2", QStringLiteral("😀@smile.example"));
    same("1,000-character name", "taf1",
         QStringLiteral("Ann-Marie ").repeated(100).left(999) + QLatin1Char('!'));
    same("1,000-character friend's name of symbols", "taf4",
         QStringLiteral("&=#+%;?/").repeated(125));
    QString message;
    for (int line = 1; message.size() < 5000; ++line)
        message += QStringLiteral("Line %1: & = # + % ; <p> \"quoted\" 'single'\n").arg(line, 3);
    message = message.left(4999) + QLatin1Char('.');
    QString arrives = message;
    arrives.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    QTest::newRow("5,000-character message") << "taf3" << message << arrives << false;
}

void EndToEnd::referral()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, arrives);
    QFETCH(bool, paste);
    openReferralRig();
    if (QTest::currentTestFailed())
        return;
    rigClean_ = false; // until this row has gone through, the window's state is unknown

    const QString port = env("TRESSORA_REFERRAL_PORT");
    const QString browserLog = rigSandbox_->browserLog();
    const QString referrals = rigSandbox_->path(QStringLiteral("referrals.jsonl"));
    const QString requests = rigSandbox_->path(QStringLiteral("requests.log"));
    const qsizetype before = fileLines(browserLog).size();

    QMap<QString, QString> values{{"taf1", "Ann"},
                                  {"taf2", "ann@home.example"},
                                  {"taf3", "Hello"},
                                  {"taf4", "Bob"},
                                  {"taf5", "bob@work.example"}};
    QMap<QString, QString> expected = values;
    values[field] = typed;
    expected[field] = arrives;
    expected[QStringLiteral("taf6")] = http("TRESSORA_E2E_PRODUCT_HOST", QStringLiteral("/"));

    // From the Exit button, Tab reaches the boxes in this order.
    const struct {
        const char *field;
        int tabs;
    } boxes[] = {{"taf1", 2}, {"taf2", 2}, {"taf5", 1}, {"taf4", 1}, {"taf3", 1}};
    for (const auto &box : boxes) {
        QStringList keys;
        for (int i = 0; i < box.tabs; ++i)
            keys << QStringLiteral("Tab");
        pressKeys(*rigRefer_, keys + QStringList{"ctrl+a", "BackSpace"});
        const QString text = values.value(QLatin1String(box.field));
        if (paste && field == QLatin1String(box.field))
            pasteText(text);
        else
            typeText(text);
    }
    pressKeys(*rigRefer_, {QStringLiteral("alt+n")});

    const QStringList opened = waitForLines(browserLog, int(before) + 1);
    QCOMPARE(opened.size(), before + 1);
    const QStringList received = waitForLines(referrals, int(before) + 1);
    QCOMPARE(received.size(), before + 1);
    pressKeys(*rigRefer_, {QStringLiteral("Tab")}); // back to the Exit button
    QVERIFY2(waitForWindow(messageBoxPattern, rigCopy_->pid(), anyWidth, 0) == std::nullopt,
             "the referral was refused with a message box");

    // The address names the test server and the endpoint, nothing else.
    const QString address = opened.last();
    if (address.size() > 2000)
        qInfo("address of %lld characters", qlonglong(address.size()));
    const QUrl url = QUrl::fromEncoded(address.toLatin1(), QUrl::StrictMode);
    QVERIFY2(url.isValid(), qPrintable(address.left(200)));
    QCOMPARE(url.scheme(), QStringLiteral("http"));
    QCOMPARE(url.host(), QStringLiteral("127.0.0.1"));
    QCOMPARE(url.port(), port.toInt());
    QCOMPARE(url.userInfo(), QString());
    QCOMPARE(url.path(), QStringLiteral("/ovms-refer-a-friend.php"));
    QVERIFY2(!url.hasFragment(), "the address has a fragment");
    QStringList names;
    const auto pairs = url.query(QUrl::FullyEncoded).split(QLatin1Char('&'));
    for (const QString &pair : pairs) {
        names << pair.section(QLatin1Char('='), 0, 0);
        const QString value = QUrl::fromPercentEncoding(pair.section('=', 1, -1).toLatin1());
        QCOMPARE(value, expected.value(names.last()));
    }
    QCOMPARE(names, (QStringList{"taf1", "taf2", "taf3", "taf4", "taf5", "taf6"}));

    // The server got that very request and decoded every value as it was typed.
    const QJsonObject record = QJsonDocument::fromJson(received.last().toUtf8()).object();
    QCOMPARE(record.value(QLatin1String("host")).toString(), QStringLiteral("127.0.0.1:") + port);
    QCOMPARE(QStringLiteral("http://127.0.0.1:") + port + record.value("uri").toString(), address);
    const QJsonObject get = record.value(QLatin1String("get")).toObject();
    QCOMPARE(get.keys(), (QStringList{"taf1", "taf2", "taf3", "taf4", "taf5", "taf6"}));
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QCOMPARE(get.value(it.key()).toString(), it.value());

    // Nothing else reached the server.
    const QStringList paths = fileLines(requests);
    QCOMPARE(paths.size(), before + 1);
    for (const QString &path : paths)
        QVERIFY2(path.startsWith(QLatin1String("/ovms-refer-a-friend.php?")), qPrintable(path));
    rigClean_ = true;
}

void EndToEnd::killedCopy_data()
{
    QTest::addColumn<Stage>("stage");
    QTest::addColumn<int>("times");
    QTest::newRow("at the quiz window") << Stage::Quiz << 1;
    QTest::newRow("at the result window") << Stage::Result << 1;
    QTest::newRow("at the refer-a-friend window") << Stage::Refer << 1;
    QTest::newRow("while the update prompt asks") << Stage::UpdatePrompt << 1;
    QTest::newRow("five times in a row") << Stage::Quiz << 5;
}

void EndToEnd::killedCopy()
{
    QFETCH(Stage, stage);
    QFETCH(int, times);
    Sandbox sandbox;
    if (stage == Stage::UpdatePrompt)
        writeDuration(sandbox.settingsFile(), QStringLiteral("2001-01-01T00:00:00"));
    const QString lock = QDir(sandbox.runtimeDir()).filePath(QStringLiteral("tressora.lock"));
    for (int round = 0; round < times; ++round) {
        Copy copy(sandbox);
        if (stage == Stage::UpdatePrompt) {
            QVERIFY2(waitForWindow(messageBoxPattern, copy.pid(), anyWidth), "no update prompt");
        } else {
            const auto quiz = startToQuiz(copy).quiz;
            QVERIFY2(quiz, "no quiz window after start");
            Window shown;
            if (stage == Stage::Result)
                calculate(*quiz, &shown);
            else if (stage == Stage::Refer)
                leaveFrom(*quiz, {QStringLiteral("alt+x")}, &shown);
            if (QTest::currentTestFailed())
                return;
        }
        copy.kill();
        QVERIFY2(QFile::exists(lock), "the killed copy left no lock behind");
    }
    Copy next(sandbox);
    const Start start = startToQuiz(next);
    QVERIFY2(start.quiz, "the lock of a killed copy blocks the next start");
    QCOMPARE(start.prompts, stage == Stage::UpdatePrompt ? 1 : 0);
    quizWorks(next, *start.quiz);
}

void EndToEnd::leftoverLock_data()
{
    QTest::addColumn<QByteArray>("content");
    QProcess ended;
    ended.start(QStringLiteral("true"), QStringList());
    ended.waitForStarted();
    const qint64 endedPid = ended.processId();
    ended.waitForFinished();
    const qint64 self = QCoreApplication::applicationPid();
    QTest::newRow("of a process that has ended")
        << lockContent(endedPid, QSysInfo::bootUniqueId()).toUtf8();
    QTest::newRow("naming a running program of another name")
        << lockContent(self, QSysInfo::bootUniqueId()).toUtf8();
    QTest::newRow("written before the machine restarted")
        << lockContent(self, "00000000-0000-0000-0000-000000000000").toUtf8();
    QTest::newRow("empty") << QByteArray();
    QByteArray garbage(512, '\0');
    QRandomGenerator noise(7);
    for (char &byte : garbage)
        byte = char(noise.bounded(256));
    QTest::newRow("garbage") << garbage;
}

void EndToEnd::leftoverLock()
{
    QFETCH(QByteArray, content);
    Sandbox sandbox;
    QFile lock(QDir(sandbox.runtimeDir()).filePath(QStringLiteral("tressora.lock")));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(content);
    lock.close();
    // Left behind a minute ago, as by a copy that crashed.
    QVERIFY(lock.open(QIODevice::Append));
    QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                             QFileDevice::FileModificationTime));
    lock.close();

    Copy copy(sandbox);
    const auto shown = firstWindow(copy);
    QVERIFY2(shown, "the program shows no window");
    QVERIFY2(shown->width == quizWidth, "a leftover lock that nobody holds refuses the start");
    if (shown->width != quizWidth) {
        pressKeys(*shown, {QStringLiteral("Return")});
        QVERIFY(copy.waitForCleanExit());
        return;
    }
    quitFromQuiz(copy, *shown);
}

void EndToEnd::simultaneousStarts()
{
    constexpr int rounds = 20;
    Sandbox sandbox;
    int oneRunning = 0;
    int firstWon = 0;
    for (int round = 1; round <= rounds; ++round) {
        const QByteArray where = QByteArray("round ") + QByteArray::number(round);
        Copy first(sandbox);
        Copy second(sandbox);
        const qint64 pids[] = {first.pid(), second.pid()};
        std::optional<Window> quiz, box;
        int quizWindows = 0;
        QDeadlineTimer deadline(20000);
        while ((!quiz || !box) && !deadline.hasExpired()) {
            quizWindows = 0;
            for (const Window &window : visibleWindows(anyPattern)) {
                if (window.pid != pids[0] && window.pid != pids[1])
                    continue;
                if (window.width == quizWidth) {
                    quiz = window;
                    ++quizWindows;
                } else if (window.name == QLatin1String("Tressora")) {
                    box = window;
                }
            }
            QVERIFY2(quizWindows <= 1, where + ": both copies show a quiz window");
            QThread::msleep(25);
        }
        QVERIFY2(quiz, where + ": no copy shows a quiz window");
        QVERIFY2(box, where + ": no copy is refused with a message box");
        QVERIFY2(quiz->pid != box->pid, where + ": one copy shows both");
        Copy &winner = quiz->pid == pids[0] ? first : second;
        Copy &loser = quiz->pid == pids[0] ? second : first;
        pressKeys(*box, {QStringLiteral("Return")});
        QVERIFY2(loser.waitForCleanExit(), where + ": the refused copy does not end with code 0");
        QVERIFY2(winner.running() && mapped(*quiz), where + ": the running copy was disturbed");
        quitFromQuiz(winner, *quiz);
        if (QTest::currentTestFailed())
            return;
        ++oneRunning;
        firstWon += &winner == &first ? 1 : 0;
    }
    qInfo("%d rounds of two copies started together: exactly one ran in %d; the first started "
          "won %d times",
          rounds, oneRunning, firstWon);
    QCOMPARE(oneRunning, rounds);
}

void EndToEnd::runtimeFolder_data()
{
    QTest::addColumn<Runtime>("runtime");
    QTest::newRow("private folder") << Runtime::Private;
    QTest::newRow("unset") << Runtime::Unset;
    QTest::newRow("empty") << Runtime::Empty;
    QTest::newRow("missing folder") << Runtime::Missing;
    QTest::newRow("a file") << Runtime::File;
    QTest::newRow("open to everyone") << Runtime::OpenToAll;
    QTest::newRow("owned by another user") << Runtime::OtherOwner;
    QTest::newRow("read-only to its owner") << Runtime::ReadOnly;
}

void EndToEnd::runtimeFolder()
{
    QFETCH(Runtime, runtime);
    const bool asNobody = runtime == Runtime::OtherOwner || runtime == Runtime::ReadOnly;
    if (runtime == Runtime::OtherOwner && ::geteuid() != 0)
        QSKIP("giving the folder to another user needs root");
    Sandbox sandbox(asNobody);
    sandbox.handOver();
    const QString dir = sandbox.runtimeDir();
    const QString variable = QStringLiteral("XDG_RUNTIME_DIR");
    switch (runtime) {
    case Runtime::Private:
        break;
    case Runtime::Unset:
        sandbox.environment.remove(variable);
        break;
    case Runtime::Empty:
        sandbox.environment.insert(variable, QString());
        break;
    case Runtime::Missing:
        sandbox.environment.insert(variable, sandbox.path(QStringLiteral("missing/runtime")));
        break;
    case Runtime::File: {
        QFile file(sandbox.path(QStringLiteral("runtime-file")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        sandbox.environment.insert(variable, file.fileName());
        break;
    }
    case Runtime::OpenToAll:
        QVERIFY(QFile::setPermissions(dir, QFileDevice::Permissions(0x7777)));
        break;
    case Runtime::OtherOwner:
        QCOMPARE(::chown(QFile::encodeName(dir).constData(), 0, 0), 0);
        break;
    case Runtime::ReadOnly:
        QVERIFY(QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner));
        break;
    }

    Copy first(sandbox);
    const auto quiz = startToQuiz(first).quiz;
    QVERIFY2(quiz, "no quiz window after start");
    // The lock lies in the user's own runtime or temporary folder, never in a shared one.
    QStringList locks;
    QDirIterator found(sandbox.path(QString()), {QStringLiteral("*tressora.lock")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (found.hasNext())
        locks << QDir(sandbox.path(QString())).relativeFilePath(found.next());
    QCOMPARE(locks.size(), 1);
    qInfo("lock at %s", qPrintable(locks.first()));

    Copy second(sandbox);
    const auto box = firstWindow(second);
    QVERIFY2(box && box->name == QLatin1String("Tressora"), "a second copy is not refused");
    pressKeys(*box, {QStringLiteral("Return")});
    QVERIFY2(second.waitForCleanExit(), "the refused copy does not end with code 0");
    QVERIFY2(first.running() && mapped(*quiz), "the running copy was disturbed");
    quitFromQuiz(first, *quiz);
    if (QTest::currentTestFailed())
        return;
    Copy third(sandbox);
    const auto again = startToQuiz(third).quiz;
    QVERIFY2(again, "the lock outlives the copy that held it");
    quitFromQuiz(third, *again);
}

namespace {

enum class Kept { Absent, Unchanged, Now };

void checkDuration(const QString &file, Kept kept, const QString &initial)
{
    const auto value = readDuration(file);
    const QByteArray shown = value ? value->toUtf8() : QByteArray("<none>");
    switch (kept) {
    case Kept::Absent:
        QVERIFY2(!value, "Duration is " + shown);
        break;
    case Kept::Unchanged:
        QVERIFY2(value == initial, "Duration is " + shown);
        break;
    case Kept::Now:
        QVERIFY2(isNow(value), "Duration is " + shown);
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Kept)

void EndToEnd::damagedSettings_data()
{
    QTest::addColumn<Damage>("damage");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("answerYes");
    QTest::addColumn<int>("firstPrompts");
    QTest::addColumn<Kept>("afterFirst");
    QTest::addColumn<int>("laterPrompts");
    QTest::addColumn<Kept>("afterLater");
    const QDateTime now = QDateTime::currentDateTime();
    const QString c = QStringLiteral("C.UTF-8");
    const QString us = QStringLiteral("en_US.UTF-8");
    const QString de = QStringLiteral("de_DE.UTF-8");
    const auto iso = [&](int days) { return now.addDays(days).toString(Qt::ISODate); };
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const auto american = [&](int days) {
        return english.toString(now.addDays(days), QStringLiteral("M/d/yy h:mm:ss AP"));
    };
    const QString german = now.addDays(-2).toString(QStringLiteral("dd.MM.yy HH:mm:ss"));

    QTest::newRow("settings folder read-only")
        << Damage::ReadOnlyFolder << c << QString() << false << 0 << Kept::Absent << 0 << Kept::Now;
    QTest::newRow("file read-only, 30 days old")
        << Damage::ReadOnlyFile << c << iso(-30) << false << 1 << Kept::Unchanged << 1 << Kept::Now;
    QTest::newRow("file read-only, 2 days old") << Damage::ReadOnlyFile << c << iso(-2) << false
                                                << 0 << Kept::Unchanged << 0 << Kept::Unchanged;
    QTest::newRow("file is a folder")
        << Damage::Folder << c << QString() << false << 0 << Kept::Absent << 0 << Kept::Now;
    QTest::newRow("binary garbage")
        << Damage::Garbage << c << QString() << false << 0 << Kept::Now << 0 << Kept::Now;
    QTest::newRow("1 MB long, 2 days old")
        << Damage::Huge << c << iso(-2) << false << 0 << Kept::Unchanged << 0 << Kept::Unchanged;
    QTest::newRow("damaged date") << Damage::None << c << QStringLiteral("32/13/20x1 25:61")
                                  << false << 0 << Kept::Now << 0 << Kept::Now;
    QTest::newRow("empty date") << Damage::None << c << QString() << false << 0 << Kept::Now << 0
                                << Kept::Now;
    QTest::newRow("far future date") << Damage::None << c << QStringLiteral("2099-12-31T23:59:59")
                                     << false << 1 << Kept::Now << 0 << Kept::Now;
    QTest::newRow("15 days ahead")
        << Damage::None << c << iso(15) << false << 1 << Kept::Now << 0 << Kept::Now;
    QTest::newRow("far past date, answered Yes")
        << Damage::None << c << QStringLiteral("2001-01-01T00:00:00") << true << 1 << Kept::Now << 0
        << Kept::Now;
    QTest::newRow("two-digit year, 2 days ago") << Damage::None << us << american(-2) << false << 0
                                                << Kept::Unchanged << 0 << Kept::Unchanged;
    QTest::newRow("two-digit year, 20 days ago")
        << Damage::None << us << american(-20) << false << 1 << Kept::Now << 0 << Kept::Now;
    QTest::newRow("German date, German locale")
        << Damage::None << de << german << false << 0 << Kept::Unchanged << 0 << Kept::Unchanged;
    QTest::newRow("German date, other locale")
        << Damage::None << c << german << false << 0 << Kept::Now << 0 << Kept::Now;
    QTest::newRow("value stored unshifted")
        << Damage::Unshifted << c << iso(-2) << false << 0 << Kept::Now << 0 << Kept::Now;
    QTest::newRow("key and value stored plain")
        << Damage::PlainKey << c << iso(-30) << false << 0 << Kept::Now << 0 << Kept::Now;
}

void EndToEnd::damagedSettings()
{
    QFETCH(Damage, damage);
    QFETCH(QString, locale);
    QFETCH(QString, value);
    QFETCH(bool, answerYes);
    QFETCH(int, firstPrompts);
    QFETCH(Kept, afterFirst);
    QFETCH(int, laterPrompts);
    QFETCH(Kept, afterLater);
    const bool permissions = damage == Damage::ReadOnlyFolder || damage == Damage::ReadOnlyFile;
    Sandbox sandbox(permissions);
    sandbox.environment.insert(QStringLiteral("LANG"), locale);
    const QString file = sandbox.settingsFile();
    switch (damage) {
    case Damage::None:
    case Damage::ReadOnlyFile:
        writeDuration(file, value);
        break;
    case Damage::Folder:
        QVERIFY(QDir().mkpath(file));
        break;
    case Damage::Garbage: {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        QRandomGenerator noise(42);
        for (int i = 0; i < 4096; ++i)
            out.putChar(char(noise.bounded(256)));
        break;
    }
    case Damage::Huge: {
        writeDuration(file, value);
        QFile out(file);
        QVERIFY(out.open(QIODevice::Append));
        out.write("\n[Filler]\n");
        for (int i = 0; out.size() < 1024 * 1024; ++i)
            out.write(QByteArray("key") + QByteArray::number(i) + '=' + QByteArray(100, 'v') +
                      '\n');
        break;
    }
    case Damage::Unshifted:
    case Damage::PlainKey: {
        QSettings store(file, QSettings::IniFormat);
        const QString key = shifted(QStringLiteral("Duration"), 85);
        store.setValue(QStringLiteral("Settings/") +
                           (damage == Damage::PlainKey ? QStringLiteral("Duration") : key),
                       value);
        break;
    }
    case Damage::ReadOnlyFolder:
        break;
    }
    if (damage != Damage::None)
        value = readDuration(file).value_or(QString());
    sandbox.handOver();
    const QString folder = sandbox.configDir();
    if (damage == Damage::ReadOnlyFolder)
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    if (damage == Damage::ReadOnlyFile)
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner));

    // The program starts and the quiz works.
    {
        Copy copy(sandbox);
        QElapsedTimer clock;
        clock.start();
        const Start start = startToQuiz(copy, answerYes);
        QVERIFY2(start.quiz, "no quiz window after start");
        if (start.prompts == 0)
            qInfo("quiz window after %lld ms", clock.elapsed());
        QCOMPARE(start.prompts, firstPrompts);
        quizWorks(copy, *start.quiz);
        if (QTest::currentTestFailed())
            return;
    }
    checkDuration(file, afterFirst, value);
    if (QTest::currentTestFailed())
        return;

    // Made writable again, a later start puts the value right.
    if (damage == Damage::ReadOnlyFolder)
        QVERIFY(
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    if (damage == Damage::ReadOnlyFile)
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
    if (damage == Damage::Folder)
        QVERIFY(QDir(file).removeRecursively());
    {
        Copy copy(sandbox);
        const Start start = startToQuiz(copy, answerYes);
        QVERIFY2(start.quiz, "no quiz window at the later start");
        QCOMPARE(start.prompts, laterPrompts);
        quitFromQuiz(copy, *start.quiz);
        if (QTest::currentTestFailed())
            return;
    }
    checkDuration(file, afterLater, value);

    const QString download =
        http("TRESSORA_E2E_PRODUCT_HOST", QStringLiteral("/download-tressora.html"));
    const int asked = answerYes ? firstPrompts + laterPrompts : 0;
    QCOMPARE(sandbox.openedAddresses(), QStringList(asked, download));
}

void EndToEnd::browsers_data()
{
    QTest::addColumn<Opener>("opener");
    QTest::addColumn<bool>("reaches");
    QTest::newRow("xdg-open") << Opener::XdgOpen << true;
    QTest::newRow("only $BROWSER") << Opener::BrowserVariable << true;
    QTest::newRow("no browser at all") << Opener::None << false;
    QTest::newRow("opener that fails") << Opener::Failing << true;
    QTest::newRow("opener that never returns") << Opener::Hanging << true;
}

void EndToEnd::browsers()
{
    QFETCH(Opener, opener);
    QFETCH(bool, reaches);
    Sandbox sandbox;
    sandbox.setOpener(opener);
    const QString donate = http("TRESSORA_E2E_HELP_HOST", QStringLiteral("/donate.html"));
    Copy copy(sandbox);
    const auto quiz = startToQuiz(copy).quiz;
    QVERIFY2(quiz, "no quiz window after start");

    // A link from each main window; nothing but the window itself is on screen after it.
    pressKeys(*quiz, {QStringLiteral("alt+d")});
    if (reaches)
        QCOMPARE(waitForLines(sandbox.browserLog(), 1), QStringList{donate});
    else
        QTest::qWait(1000);
    QCOMPARE(windowsOf(copy.pid()).size(), 1);
    Window result, refer;
    calculate(*quiz, &result);
    if (QTest::currentTestFailed())
        return;
    pressKeys(result, {QStringLiteral("alt+d")});
    if (reaches)
        QCOMPARE(waitForLines(sandbox.browserLog(), 2), QStringList(2, donate));
    else
        QTest::qWait(1000);
    QCOMPARE(windowsOf(copy.pid()).size(), 1);
    QCOMPARE(sandbox.openedAddresses().size(), reaches ? 2 : 0);
    leaveFrom(result, {QStringLiteral("alt+f"), QStringLiteral("x")}, &refer);
    if (QTest::currentTestFailed())
        return;
    endFrom(copy, refer, {QStringLiteral("alt+x")});
}

QTEST_GUILESS_MAIN(EndToEnd)
#include "endtoend.moc"
