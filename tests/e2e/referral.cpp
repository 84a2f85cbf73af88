// The referral, typed into the real program's farewell window, reaching a real web server
// intact.
#include "common.h"
#include "tables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QUrl>

#include <memory>
#include <utility>

using namespace e2e;
using namespace testsupport;
using namespace Qt::StringLiterals;

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
    void initTestCase() { checkTools({"xdotool", "xclip", "php", "curl"}); }

    void cleanupTestCase()
    {
        rigCopy_.reset();
        if (rigServer_) { // killed on destruction if it does not end within 5 s
            rigServer_->terminate();
            rigServer_->waitForFinished(5000);
        }
    }

    void referral_data()
    {
        columns<int, QString, QString, bool>("box", "typed", "arrives", "paste");
        QString message;
        for (int line = 1; message.size() < 5000; ++line)
            message += u"Line %1: & = # + % ; <p> \"quoted\" 'single'\n"_s.arg(line, 3);
        // Boxes: 1 name, 2 e-mail, 3 message, 4 friend's name, 5 friend's e-mail. xdotool types
        // capitals outside ASCII in lower case, Tab moves the focus, and letters of scripts the
        // key map lacks now and then arrive too late for their key press: such texts are
        // pasted, as an input method would deliver them.
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
            {"CJK, pasted", 4, "山田太郎 김민수", true},
            {"emoji, pasted", 1, "Ann 😀👍🏽🎉", true},
            {"right-to-left scripts, pasted", 4, "שלום مرحبا", true},
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
};

QTEST_GUILESS_MAIN(EndToEnd)
#include "referral.moc"
