// The seven fixed links and the hand-over of an address to the browser.
#include "buildconfig.h"
#include "outreach/weblinks.h"
#include "testsupport.h"

#include <QTest>

using namespace tressora;

using Opener = void (*)();
Q_DECLARE_METATYPE(WebLink)
Q_DECLARE_METATYPE(Opener)

class TestWebLinks : public QObject {
    Q_OBJECT
private slots:
    void fixedLinks_data();
    void fixedLinks();
    void addressesAreHandedOverAsEncoded_data();
    void addressesAreHandedOverAsEncoded();
};

void TestWebLinks::fixedLinks_data()
{
    QTest::addColumn<Opener>("open");
    QTest::addColumn<WebLink>("link");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("path");
    const QString main = QLatin1String(build::mainHost);
    const QString help = QLatin1String(build::helpHost);
    const QString product = QLatin1String(build::productHost);
    QTest::newRow("home") << &OpenHomePage << WebLink::Home << main << "";
    QTest::newRow("softwares") << &OpenSoftwaresPage << WebLink::Softwares << main
                               << "/orvanesoftwares";
    QTest::newRow("donate") << &OpenDonatePage << WebLink::Donate << help << "/donate.html";
    QTest::newRow("full brand") << &OpenFullBrandPage << WebLink::FullBrand << help
                                << "/fully-branded.html";
    QTest::newRow("co-brand") << &OpenCoBrandPage << WebLink::CoBrand << help << "/co-brand.html";
    QTest::newRow("help") << &OpenOnlineHelp << WebLink::OnlineHelp << product
                          << "/tressora-help.html";
    QTest::newRow("download") << &OpenDownloadPage << WebLink::Download << product
                              << "/download-tressora.html";
}

void TestWebLinks::fixedLinks()
{
    QFETCH(Opener, open);
    QFETCH(WebLink, link);
    QFETCH(QString, host);
    QFETCH(QString, path);
    const QString expected = "http://" + host + path;
    QCOMPARE(webLinkAddress(link), expected);
    testsupport::UrlCatcher browser;
    open();
    open(); // nothing remembers that a page was opened
    QCOMPARE(browser.addresses, QStringList({expected, expected}));
    QCOMPARE(browser.urls.first().scheme(), "http");
    QCOMPARE(browser.urls.first().host(), host.section(':', 0, 0));
    QCOMPARE(browser.urls.first().path(), path);
    QVERIFY(!browser.urls.first().hasQuery());
    QVERIFY(!browser.urls.first().hasFragment());
}

void TestWebLinks::addressesAreHandedOverAsEncoded_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("opened");
    QTest::newRow("plain") << "http://www.orvane.example/x.php?a=1&b=2" << true;
    QTest::newRow("encoded query") << "http://h.example/p?taf1=a%26b%3Dc%23d%2Be%25f%20g" << true;
    QTest::newRow("encoded line break") << "http://h.example/p?taf3=Your%20Message%0D%0A" << true;
    QTest::newRow("encoded UTF-8") << "http://h.example/p?n=%C3%A9%E4%B8%AD%F0%9F%98%80" << true;
    QTest::newRow("raw blank") << "http://h.example/p?n=a b" << false;
    QTest::newRow("raw line break") << "http://h.example/p?n=a\r\nb" << false;
    QTest::newRow("broken escape") << "http://h.example/p?n=%zz" << false;
    QTest::newRow("empty") << "" << false;
}

void TestWebLinks::addressesAreHandedOverAsEncoded()
{
    QFETCH(QString, address);
    QFETCH(bool, opened);
    testsupport::UrlCatcher browser;
    OpenWebPage(address);
    // What reaches the browser is exactly what was composed: nothing is encoded twice, and an
    // address that is not properly encoded is not guessed at.
    QCOMPARE(browser.addresses, opened ? QStringList{address} : QStringList{});
}

QTEST_MAIN(TestWebLinks)
#include "tst_weblinks.moc"
