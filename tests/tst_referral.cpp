// The referral request: trimming, the refusals in their order, and what the server reads back
// from the composed address.
#include "outreach/referral.h"
#include "testsupport.h"

#include <QRandomGenerator>
#include <QtTest>

using tressora::ReferralText;
using namespace testsupport;

namespace {

const QString productAddress = "http://product.test/";

Query expectedQuery(const ReferralText &t)
{
    return referralQuery({t.name, t.email, t.message, t.friendName, t.friendEmail}, productAddress);
}

QString composed(const ReferralText &text)
{
    return tressora::composeReferralAddress(text, "main.test", productAddress);
}

ReferralText valid()
{
    return {"Ann", "ann@example.org", "Hello", "Bob", "bob@example.net"};
}

// The valid referral with one of its texts replaced.
ReferralText with(QString ReferralText::*field, const QString &value)
{
    ReferralText t = valid();
    t.*field = value;
    return t;
}

} // namespace

class tst_Referral : public QObject {
    Q_OBJECT
private slots:
    void trimBlanks_data()
    {
        columns<QString, QString>("text", "expected");
        row("blanks around", "  Ann Lee   ", "Ann Lee");
        row("blanks only", "     ", "");
        row("empty", "", "");
        row("inner blanks kept", "a  b", "a  b");
        row("tabs kept", "\tAnn\t", "\tAnn\t");
        row("blanks outside tabs", "  \t Ann \t  ", "\t Ann \t");
        row("line breaks kept", " Your Message\r\n ", "Your Message\r\n");
        row("no-break space kept", "\u00a0x\u00a0 ", "\u00a0x\u00a0");
    }
    void trimBlanks()
    {
        QFETCH(QString, text);
        QTEST(tressora::trimBlanks(text), "expected");
    }

    void addressRefusal_data()
    {
        columns<QString, QString, QString>("email", "friendEmail", "expected");
        const QString distinct = "Please Enter Distinct Email Addresses";
        const QString proper = "Please Enter Proper Email Address";
        row("placeholders", "Your Email Address", "Friend's Email Address", proper);
        row("same address", "ann@example.org", "ann@example.org", distinct);
        row("same, no @ either", "ann", "ann", distinct);
        row("both empty", "", "", distinct);
        row("case differs", "Ann@Example.org", "ann@example.org", "");
        row("mine without @", "ann.example.org", "bob@example.net", proper);
        row("friend's without @", "ann@example.org", "bob.example.net", proper);
        row("mine without dot", "ann@example", "bob@example.net", proper);
        row("friend's without dot", "ann@example.org", "bob@example", proper);
        row("one empty", "", "bob@example.net", proper);
        row("both proper", "ann@example.org", "bob@example.net", "");
        row("dot before @ is enough", "a.nn@example", "b.ob@example", "");
    }
    void addressRefusal()
    {
        ReferralText text = valid();
        std::tie(text.email, text.friendEmail) = fetch<QString, QString>("email", "friendEmail");
        QTEST(tressora::addressRefusal(text), "expected");
    }

    void fillRefusal_data()
    {
        columns<ReferralText, QString>("text", "expected");
        const QString name = "Please Enter Your Name";
        const QString email = "Please Enter Your Email";
        const QString message = "Please Enter Your Message";
        const QString friendName = "Please Enter Your Friend's Name";
        const QString friendEmail = "Please Enter Your Friend's Email";
        row("all filled", valid(), "");
        row("name empty", with(&ReferralText::name, ""), name);
        row("name placeholder", with(&ReferralText::name, "Your Name"), name);
        row("name placeholder, other case", with(&ReferralText::name, "your name"), "");
        row("email empty", with(&ReferralText::email, ""), email);
        row("email placeholder", with(&ReferralText::email, "Your Email Address"), email);
        row("message empty", with(&ReferralText::message, ""), message);
        row("message placeholder", with(&ReferralText::message, "Your Message"), message);
        row("message placeholder and line break", with(&ReferralText::message, "Your Message\r\n"),
            "");
        row("friend's name empty", with(&ReferralText::friendName, ""), friendName);
        row("friend's name placeholder", with(&ReferralText::friendName, "Friend's Name"),
            friendName);
        row("friend's email empty", with(&ReferralText::friendEmail, ""), friendEmail);
        row("friend's email placeholder",
            with(&ReferralText::friendEmail, "Friend's Email Address"), friendEmail);
        row("a tab is not empty", with(&ReferralText::name, "\t"), "");
        row("all placeholders",
            ReferralText{"Your Name", "Your Email Address", "Your Message", "Friend's Name",
                         "Friend's Email Address"},
            name);
        row("all but the name empty", ReferralText{"Ann", "", "", "", ""}, email);
        row("message and friend's texts empty", ReferralText{"Ann", "ann@example.org", "", "", ""},
            message);
        row("both friend's texts empty", ReferralText{"Ann", "ann@example.org", "Hi", "", ""},
            friendName);
    }
    void fillRefusal()
    {
        QFETCH(ReferralText, text);
        QTEST(tressora::fillRefusal(text), "expected");
    }

    void roundTrip_data()
    {
        QTest::addColumn<ReferralText>("text");
        const auto named = [](const QString &name) { return with(&ReferralText::name, name); };
        const auto message = [](const QString &text) { return with(&ReferralText::message, text); };
        row("plain", valid());
        row("blanks", named("Ann  Marie Lee"));
        row("ampersand", named("Tom & Jerry"));
        row("equals", named("a=b"));
        row("hash", named("#1 fan"));
        row("plus", named("C++ fan+"));
        row("percent", named("100% %41 %zz %"));
        row("semicolon", named("a;b"));
        row("quotes", named("O'Neil \"Al\" `x`"));
        row("tab", named("\tAnn\t"));
        row("query look-alike", named("x&taf2=evil@example.org#frag"));
        row("message with line breaks", message("Your Message\r\n"));
        row("several lines", message("Hi Bob,\r\n\r\ntry this.\r\n"));
        row("slashes and question marks", message("http://a/b?c=d&e"));
        row("accented", named("Zoë Ångström-Muñoz"));
        row("cjk", named("李小龍"));
        row("emoji", message("Hello 👋🏽 🎉"));
        row("odd e-mails",
            ReferralText{"Ann", "a+tag&x=1@example.org", "Hi", "Bob", "bö#b@exämple.net"});
    }
    void roundTrip()
    {
        QFETCH(ReferralText, text);
        const QString address = composed(text);
        QVERIFY(address.startsWith("http://main.test/ovms-refer-a-friend.php?taf1="));
        QVERIFY(QUrl::fromEncoded(address.toUtf8(), QUrl::StrictMode).isValid());
        QCOMPARE(serverQuery(address), expectedQuery(text));
    }

    void randomTextsRoundTrip() // ASCII (controls included), Latin-1, CJK and emoji
    {
        QRandomGenerator random(20240611);
        const std::pair<char32_t, char32_t> ranges[] = {
            {1, 128}, {0xA0, 0x250}, {0x4E00, 0x9FFF}, {0x1F300, 0x1FAFF}};
        const auto draw = [&] {
            QString s;
            for (int i = int(random.bounded(12)); i > 0; --i) {
                const auto [low, high] = ranges[random.bounded(4)];
                const char32_t c = char32_t(random.bounded(low, high));
                s += QString::fromUcs4(&c, 1);
            }
            return s;
        };
        for (int round = 0; round < 2000; ++round) {
            const ReferralText text{draw(), draw(), draw(), draw(), draw()};
            QCOMPARE(serverQuery(composed(text)), expectedQuery(text));
        }
    }
};

QTEST_MAIN(tst_Referral)
#include "tst_referral.moc"
