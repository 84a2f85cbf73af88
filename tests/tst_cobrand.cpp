// The draw that decides which of the quiz window's two overlapping adverts is in front.
#include "outreach/cobrand.h"
#include "outreach/random.h"
#include "quiz/frmMain.h"
#include "testsupport.h"

#include <QLabel>
#include <QtTest>

#include <cfenv>
#include <cmath>

using namespace tressora;

Q_DECLARE_METATYPE(tressora::CoBrandAction)

class CoBrandTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { testsupport::closeAllWindows(); }
    void nothingDrawnAtFirst();
    void valueAndAction_data();
    void valueAndAction();
    void drawStaysBelowOne();
    void actionChangesFrontLabel_data();
    void actionChangesFrontLabel();
    void randomizeStoresTheDraw_data();
    void randomizeStoresTheDraw();
    void randomizeActsOnQuizWindow_data();
    void randomizeActsOnQuizWindow();
};

void CoBrandTest::nothingDrawnAtFirst()
{
    QCOMPARE(coBrandRandomNumber(), qint16(0));
}

void CoBrandTest::valueAndAction_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("value");
    QTest::addColumn<CoBrandAction>("action");

    const auto cobrand = CoBrandAction::CobrandToFront;
    const auto fullBrand = CoBrandAction::FullBrandToFront;
    QTest::newRow("0") << 0.0f << 1 << cobrand;
    QTest::newRow("just below 1/12") << 1.0f / 12 - 1e-6f << 1 << cobrand;
    // The nearest float below 1/12 gives 1.49999997, which single precision rounds to 1.5.
    QTest::newRow("float next below 1/12") << std::nextafter(1.0f / 12, 0.0f) << 2 << fullBrand;
    QTest::newRow("1/12") << 1.0f / 12 << 2 << fullBrand;
    QTest::newRow("0.25 gives 2.5, rounded to even") << 0.25f << 2 << fullBrand;
    QTest::newRow("just above 0.25") << std::nextafter(0.25f, 1.0f) << 3 << cobrand;
    QTest::newRow("1/3") << 1.0f / 3 << 3 << cobrand;
    // In double precision 5/12 (as a float, just below) would give 3.4999999 and so 3.
    QTest::newRow("5/12") << 5.0f / 12 << 4 << fullBrand;
    QTest::newRow("0.5") << 0.5f << 4 << fullBrand;
    QTest::newRow("7/12") << 7.0f / 12 << 4 << fullBrand;
    QTest::newRow("2/3") << 2.0f / 3 << 5 << cobrand;
    QTest::newRow("0.75 gives 5.5, rounded to even") << 0.75f << 6 << fullBrand;
    // In double precision 11/12 (as a float, just above) would give 6.5000001 and so 7.
    QTest::newRow("11/12") << 11.0f / 12 << 6 << fullBrand;
    QTest::newRow("just above 11/12") << 11.0f / 12 + 1e-6f << 7 << CoBrandAction::Nothing;
    QTest::newRow("largest float below 1")
        << std::nextafter(1.0f, 0.0f) << 7 << CoBrandAction::Nothing;
}

void CoBrandTest::valueAndAction()
{
    QFETCH(float, r);
    QFETCH(int, value);
    QFETCH(CoBrandAction, action);
    QCOMPARE(std::fegetround(), FE_TONEAREST);
    QCOMPARE(coBrandValue(r), static_cast<qint16>(value));
    QCOMPARE(coBrandAction(static_cast<qint16>(value)), action);
}

void CoBrandTest::drawStaysBelowOne()
{
    seedRandom(12345);
    float smallest = 1.0f;
    float largest = 0.0f;
    QList<int> counts(8, 0);
    constexpr int draws = 2000000;
    for (int i = 0; i < draws; ++i) {
        const float r = drawUniform();
        QVERIFY2(r >= 0.0f && r < 1.0f, qPrintable(QString::number(double(r), 'g', 10)));
        smallest = std::min(smallest, r);
        largest = std::max(largest, r);
        ++counts[coBrandValue(r)];
    }
    QVERIFY(smallest < 1e-5f);
    QVERIFY(largest > 1.0f - 1e-5f);
    // 1 and 7 take a twelfth each, 2 to 6 a sixth each.
    QCOMPARE(counts[0], 0);
    for (int value = 1; value <= 7; ++value) {
        const double expected = (value == 1 || value == 7) ? draws / 12.0 : draws / 6.0;
        QVERIFY2(std::abs(counts[value] - expected) < expected * 0.02,
                 qPrintable(QStringLiteral("value %1: %2").arg(value).arg(counts[value])));
    }
}

void CoBrandTest::actionChangesFrontLabel_data()
{
    QTest::addColumn<CoBrandAction>("action");
    QTest::addColumn<bool>("cobrandInFrontBefore");
    QTest::addColumn<bool>("cobrandInFrontAfter");

    QTest::newRow("cobrand raised") << CoBrandAction::CobrandToFront << false << true;
    QTest::newRow("cobrand stays in front") << CoBrandAction::CobrandToFront << true << true;
    QTest::newRow("full brand raised") << CoBrandAction::FullBrandToFront << true << false;
    QTest::newRow("full brand stays") << CoBrandAction::FullBrandToFront << false << false;
    QTest::newRow("nothing keeps cobrand") << CoBrandAction::Nothing << true << true;
    QTest::newRow("nothing keeps full brand") << CoBrandAction::Nothing << false << false;
}

void CoBrandTest::actionChangesFrontLabel()
{
    QFETCH(CoBrandAction, action);
    QFETCH(bool, cobrandInFrontBefore);
    QFETCH(bool, cobrandInFrontAfter);

    QWidget frame;
    frame.resize(700, 100);
    auto *before = new QLabel(QStringLiteral("before"), &frame);
    auto *other = new QLabel(QStringLiteral("other"), &frame);
    auto *cobrand = new QLabel(QStringLiteral("Co-brand"), &frame);
    auto *fullBrand = new QLabel(QStringLiteral("Full brand"), &frame);
    for (QLabel *label : {cobrand, fullBrand}) {
        label->setAutoFillBackground(true);
        label->setGeometry(16, 11, 631, 41);
    }
    other->setGeometry(0, 60, 50, 20);
    before->setGeometry(60, 60, 50, 20);
    (cobrandInFrontBefore ? cobrand : fullBrand)->raise();
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QCOMPARE(frame.childAt(300, 30), cobrandInFrontBefore ? cobrand : fullBrand);

    applyCoBrandAction(action, cobrand, fullBrand);

    QWidget *front = cobrandInFrontAfter ? cobrand : fullBrand;
    QWidget *back = cobrandInFrontAfter ? fullBrand : cobrand;
    QCOMPARE(frame.childAt(300, 30), front);
    const QObjectList &order = frame.children();
    QVERIFY(order.indexOf(front) > order.indexOf(back));
    // Only the stacking changes.
    for (QLabel *label : {cobrand, fullBrand}) {
        QVERIFY(label->isVisible());
        QCOMPARE(label->geometry(), QRect(16, 11, 631, 41));
    }
    QCOMPARE(cobrand->text(), QStringLiteral("Co-brand"));
    QCOMPARE(frame.childAt(20, 65), other);
    QCOMPARE(frame.childAt(80, 65), before);
}

void CoBrandTest::randomizeStoresTheDraw_data()
{
    QTest::addColumn<unsigned int>("seed");
    for (const unsigned int seed : {1u, 2u, 77u, 4096u, 123456789u})
        QTest::newRow(qPrintable(QString::number(seed))) << seed;
}

void CoBrandTest::randomizeStoresTheDraw()
{
    QFETCH(unsigned int, seed);
    seedRandom(seed);
    const qint16 expected = coBrandValue(drawUniform());
    seedRandom(seed);
    CoBrand_Randomize(); // without a quiz window only the draw is made
    QCOMPARE(coBrandRandomNumber(), expected);
    QVERIFY(expected >= 1 && expected <= 7);
}

namespace {

// The first seed whose first draw gives a value with the wanted action.
unsigned int seedFor(CoBrandAction wanted)
{
    for (unsigned int seed = 1;; ++seed) {
        seedRandom(seed);
        if (coBrandAction(coBrandValue(drawUniform())) == wanted)
            return seed;
    }
}

} // namespace

void CoBrandTest::randomizeActsOnQuizWindow_data()
{
    QTest::addColumn<unsigned int>("seed");
    QTest::addColumn<bool>("cobrandRaisedFirst");
    QTest::addColumn<QString>("missingLabel");
    QTest::addColumn<QString>("front");

    const QString cobrand = QStringLiteral("lblCobrand");
    const QString fullBrand = QStringLiteral("lblFullBrand");
    const unsigned int toCobrand = seedFor(CoBrandAction::CobrandToFront);
    const unsigned int toFullBrand = seedFor(CoBrandAction::FullBrandToFront);
    const unsigned int seven = seedFor(CoBrandAction::Nothing);
    QTest::newRow("co-brand drawn") << toCobrand << false << QString() << cobrand;
    QTest::newRow("full brand drawn") << toFullBrand << true << QString() << fullBrand;
    QTest::newRow("seven keeps the window's stacking") << seven << false << QString() << fullBrand;
    QTest::newRow("seven after a change") << seven << true << QString() << cobrand;
    QTest::newRow("co-brand label missing") << toFullBrand << true << cobrand << cobrand;
    QTest::newRow("full brand label missing") << toCobrand << false << fullBrand << fullBrand;
}

void CoBrandTest::randomizeActsOnQuizWindow()
{
    QFETCH(unsigned int, seed);
    QFETCH(bool, cobrandRaisedFirst);
    QFETCH(QString, missingLabel);
    QFETCH(QString, front);

    frmMain *window = frmMain::instance();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto *cobrand = window->findChild<QWidget *>(QStringLiteral("lblCobrand"));
    auto *fullBrand = window->findChild<QWidget *>(QStringLiteral("lblFullBrand"));
    QVERIFY(cobrand != nullptr && fullBrand != nullptr);
    QWidget *frame = cobrand->parentWidget();
    QCOMPARE(fullBrand->parentWidget(), frame);
    QCOMPARE(cobrand->geometry(), fullBrand->geometry());
    if (cobrandRaisedFirst)
        cobrand->raise();
    if (!missingLabel.isEmpty())
        window->findChild<QWidget *>(missingLabel)->setObjectName(QString());

    seedRandom(seed);
    const qint16 expected = coBrandValue(drawUniform());
    seedRandom(seed);
    CoBrand_Randomize();

    QCOMPARE(coBrandRandomNumber(), expected);
    const QPoint centre = cobrand->geometry().center();
    QWidget *shown = frame->childAt(centre);
    QVERIFY(shown == cobrand || shown == fullBrand);
    QCOMPARE(shown, front == QLatin1String("lblCobrand") ? cobrand : fullBrand);
    QVERIFY(cobrand->isVisible() && fullBrand->isVisible());
}

QTEST_MAIN(CoBrandTest)
#include "tst_cobrand.moc"
