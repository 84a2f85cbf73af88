// The referral request: trimming, the refusals in their order, and what the server reads back
// from the composed address.
#include "outreach/referral.h"

#include <QRandomGenerator>
#include <QtTest>

using tressora::ReferralText;

namespace {

const QString mainHost = QStringLiteral("main.test");
const QString productAddress = QStringLiteral("http://product.test/");

// The query as a PHP script sees it in $_GET: the browser sends everything before the fragment;
// the query is split on "&", each pair on its first "=", "+" stands for a blank and the rest is
// percent-decoded as UTF-8.
QList<std::pair<QString, QString>> serverQuery(const QString &address)
{
    const QUrl url = QUrl::fromEncoded(address.toUtf8(), QUrl::StrictMode);
    const auto decode = [](QByteArray part) {
        part.replace('+', ' ');
        return QString::fromUtf8(QByteArray::fromPercentEncoding(part));
    };
    QList<std::pair<QString, QString>> pairs;
    const QByteArray query = url.query(QUrl::FullyEncoded).toLatin1();
    for (const QByteArray &pair : query.split('&')) {
        const qsizetype eq = pair.indexOf('=');
        pairs.append({decode(eq < 0 ? pair : pair.left(eq)),
                      decode(eq < 0 ? QByteArray() : pair.mid(eq + 1))});
    }
    return pairs;
}

QList<std::pair<QString, QString>> expectedQuery(const ReferralText &t)
{
    return {{"taf1", t.name},       {"taf2", t.email},       {"taf3", t.message},
            {"taf4", t.friendName}, {"taf5", t.friendEmail}, {"taf6", productAddress}};
}

ReferralText valid()
{
    return {"Ann", "ann@example.org", "Hello", "Bob", "bob@example.net"};
}

} // namespace

class tst_Referral : public QObject {
    Q_OBJECT
private slots:
    void trimBlanks_data();
    void trimBlanks();
    void addressRefusal_data();
    void addressRefusal();
    void fillRefusal_data();
    void fillRefusal();
    void roundTrip_data();
    void roundTrip();
    void randomTextsRoundTrip();
};

void tst_Referral::trimBlanks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("blanks around") << "  Ann Lee   "
                                   << "Ann Lee";
    QTest::newRow("blanks only") << "     "
                                 << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("inner blanks kept") << "a  b"
                                       << "a  b";
    QTest::newRow("tabs kept") << "\tAnn\t"
                               << "\tAnn\t";
    QTest::newRow("blanks outside tabs") << "  \t Ann \t  "
                                         << "\t Ann \t";
    QTest::newRow("line breaks kept") << " Your Message\r\n "
                                      << "Your Message\r\n";
    QTest::newRow("no-break space kept")
        << QString::fromUtf8("\u00a0x\u00a0 ") << QString::fromUtf8("\u00a0x\u00a0");
}

void tst_Referral::trimBlanks()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(tressora::trimBlanks(text), expected);
}

void tst_Referral::addressRefusal_data()
{
    QTest::addColumn<QString>("email");
    QTest::addColumn<QString>("friendEmail");
    QTest::addColumn<QString>("expected");
    const QString distinct = "Please Enter Distinct Email Addresses";
    const QString proper = "Please Enter Proper Email Address";
    QTest::newRow("placeholders") << "Your Email Address"
                                  << "Friend's Email Address" << proper;
    QTest::newRow("same address") << "ann@example.org"
                                  << "ann@example.org" << distinct;
    QTest::newRow("same, no @ either") << "ann"
                                       << "ann" << distinct;
    QTest::newRow("both empty") << ""
                                << "" << distinct;
    QTest::newRow("case differs") << "Ann@Example.org"
                                  << "ann@example.org"
                                  << "";
    QTest::newRow("mine without @") << "ann.example.org"
                                    << "bob@example.net" << proper;
    QTest::newRow("friend's without @") << "ann@example.org"
                                        << "bob.example.net" << proper;
    QTest::newRow("mine without dot") << "ann@example"
                                      << "bob@example.net" << proper;
    QTest::newRow("friend's without dot") << "ann@example.org"
                                          << "bob@example" << proper;
    QTest::newRow("one empty") << ""
                               << "bob@example.net" << proper;
    QTest::newRow("both proper") << "ann@example.org"
                                 << "bob@example.net"
                                 << "";
    QTest::newRow("dot before @ is enough") << "a.nn@example"
                                            << "b.ob@example"
                                            << "";
}

void tst_Referral::addressRefusal()
{
    QFETCH(QString, email);
    QFETCH(QString, friendEmail);
    QFETCH(QString, expected);
    ReferralText text = valid();
    text.email = email;
    text.friendEmail = friendEmail;
    QCOMPARE(tressora::addressRefusal(text), expected);
}

void tst_Referral::fillRefusal_data()
{
    QTest::addColumn<ReferralText>("text");
    QTest::addColumn<QString>("expected");
    const auto with = [](auto field, const QString &value) {
        ReferralText t = valid();
        t.*field = value;
        return t;
    };
    QTest::newRow("all filled") << valid() << "";
    QTest::newRow("name empty") << with(&ReferralText::name, "") << "Please Enter Your Name";
    QTest::newRow("name placeholder")
        << with(&ReferralText::name, "Your Name") << "Please Enter Your Name";
    QTest::newRow("name placeholder, other case") << with(&ReferralText::name, "your name") << "";
    QTest::newRow("email empty") << with(&ReferralText::email, "") << "Please Enter Your Email";
    QTest::newRow("email placeholder")
        << with(&ReferralText::email, "Your Email Address") << "Please Enter Your Email";
    QTest::newRow("message empty")
        << with(&ReferralText::message, "") << "Please Enter Your Message";
    QTest::newRow("message placeholder")
        << with(&ReferralText::message, "Your Message") << "Please Enter Your Message";
    QTest::newRow("message placeholder and line break")
        << with(&ReferralText::message, "Your Message\r\n") << "";
    QTest::newRow("friend's name empty")
        << with(&ReferralText::friendName, "") << "Please Enter Your Friend's Name";
    QTest::newRow("friend's name placeholder")
        << with(&ReferralText::friendName, "Friend's Name") << "Please Enter Your Friend's Name";
    QTest::newRow("friend's email empty")
        << with(&ReferralText::friendEmail, "") << "Please Enter Your Friend's Email";
    QTest::newRow("friend's email placeholder")
        << with(&ReferralText::friendEmail, "Friend's Email Address")
        << "Please Enter Your Friend's Email";
    QTest::newRow("a tab is not empty") << with(&ReferralText::name, "\t") << "";
    QTest::newRow("all placeholders")
        << ReferralText{"Your Name", "Your Email Address", "Your Message", "Friend's Name",
                        "Friend's Email Address"}
        << "Please Enter Your Name";
    QTest::newRow("all but the name empty")
        << ReferralText{"Ann", "", "", "", ""} << "Please Enter Your Email";
    QTest::newRow("message and friend's texts empty")
        << ReferralText{"Ann", "ann@example.org", "", "", ""} << "Please Enter Your Message";
    QTest::newRow("both friend's texts empty")
        << ReferralText{"Ann", "ann@example.org", "Hi", "", ""}
        << "Please Enter Your Friend's Name";
}

void tst_Referral::fillRefusal()
{
    QFETCH(ReferralText, text);
    QFETCH(QString, expected);
    QCOMPARE(tressora::fillRefusal(text), expected);
}

void tst_Referral::roundTrip_data()
{
    QTest::addColumn<ReferralText>("text");
    const auto named = [](const QString &name) {
        ReferralText t = valid();
        t.name = name;
        return t;
    };
    const auto message = [](const QString &text) {
        ReferralText t = valid();
        t.message = text;
        return t;
    };
    QTest::newRow("plain") << valid();
    QTest::newRow("blanks") << named("Ann  Marie Lee");
    QTest::newRow("ampersand") << named("Tom & Jerry");
    QTest::newRow("equals") << named("a=b");
    QTest::newRow("hash") << named("#1 fan");
    QTest::newRow("plus") << named("C++ fan+");
    QTest::newRow("percent") << named("100% %41 %zz %");
    QTest::newRow("semicolon") << named("a;b");
    QTest::newRow("quotes") << named("O'Neil \"Al\" `x`");
    QTest::newRow("tab") << named("\tAnn\t");
    QTest::newRow("query look-alike") << named("x&taf2=evil@example.org#frag");
    QTest::newRow("message with line breaks") << message("Your Message\r\n");
    QTest::newRow("several lines") << message("Hi Bob,\r\n\r\ntry this.\r\n");
    QTest::newRow("slashes and question marks") << message("http://a/b?c=d&e");
    QTest::newRow("accented") << named(QString::fromUtf8("Zoë Ångström-Muñoz"));
    QTest::newRow("cjk") << named(QString::fromUtf8("李小龍"));
    QTest::newRow("emoji") << message(QString::fromUtf8("Hello 👋🏽 🎉"));
    QTest::newRow("odd e-mails") << ReferralText{"Ann", "a+tag&x=1@example.org", "Hi", "Bob",
                                                 QString::fromUtf8("bö#b@exämple.net")};
}

void tst_Referral::roundTrip()
{
    QFETCH(ReferralText, text);
    const QString address = tressora::composeReferralAddress(text, mainHost, productAddress);
    QVERIFY(address.startsWith("http://main.test/ovms-refer-a-friend.php?taf1="));
    QVERIFY(QUrl::fromEncoded(address.toUtf8(), QUrl::StrictMode).isValid());
    QCOMPARE(serverQuery(address), expectedQuery(text));
}

void tst_Referral::randomTextsRoundTrip()
{
    // Texts drawn from ASCII (controls included), Latin-1, CJK and emoji.
    QRandomGenerator random(20240611);
    const auto draw = [&random] {
        QString s;
        const int length = int(random.bounded(12));
        for (int i = 0; i < length; ++i) {
            char32_t c = 0;
            switch (random.bounded(4)) {
            case 0:
                c = char32_t(random.bounded(1, 128));
                break;
            case 1:
                c = char32_t(random.bounded(0xA0, 0x250));
                break;
            case 2:
                c = char32_t(random.bounded(0x4E00, 0x9FFF));
                break;
            default:
                c = char32_t(random.bounded(0x1F300, 0x1FAFF));
                break;
            }
            s += QString::fromUcs4(&c, 1);
        }
        return s;
    };
    for (int round = 0; round < 2000; ++round) {
        const ReferralText text{draw(), draw(), draw(), draw(), draw()};
        const QString address = tressora::composeReferralAddress(text, mainHost, productAddress);
        QCOMPARE(serverQuery(address), expectedQuery(text));
    }
}

QTEST_MAIN(tst_Referral)
#include "tst_referral.moc"
