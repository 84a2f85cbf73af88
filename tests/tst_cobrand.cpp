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
using namespace testsupport;

Q_DECLARE_METATYPE(tressora::CoBrandAction)

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

// The value the first draw after seeding gives, found independently of CoBrand_Randomize().
qint16 firstValue(unsigned int seed)
{
    seedRandom(seed);
    const qint16 value = coBrandValue(drawUniform());
    seedRandom(seed);
    return value;
}

} // namespace

class CoBrandTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { closeAllWindows(); }
    void nothingDrawnAtFirst() { QCOMPARE(coBrandRandomNumber(), qint16(0)); }

    void valueAndAction_data()
    {
        columns<float, int, CoBrandAction>("r", "value", "action");
        const auto cobrand = CoBrandAction::CobrandToFront;
        const auto fullBrand = CoBrandAction::FullBrandToFront;
        row("0", 0.0f, 1, cobrand);
        row("just below 1/12", 1.0f / 12 - 1e-6f, 1, cobrand);
        // The nearest float below 1/12 gives 1.49999997, which single precision rounds to 1.5.
        row("float next below 1/12", std::nextafter(1.0f / 12, 0.0f), 2, fullBrand);
        row("1/12", 1.0f / 12, 2, fullBrand);
        row("0.25 gives 2.5, rounded to even", 0.25f, 2, fullBrand);
        row("just above 0.25", std::nextafter(0.25f, 1.0f), 3, cobrand);
        row("1/3", 1.0f / 3, 3, cobrand);
        // In double precision 5/12 (as a float, just below) would give 3.4999999 and so 3.
        row("5/12", 5.0f / 12, 4, fullBrand);
        row("0.5", 0.5f, 4, fullBrand);
        row("7/12", 7.0f / 12, 4, fullBrand);
        row("2/3", 2.0f / 3, 5, cobrand);
        row("0.75 gives 5.5, rounded to even", 0.75f, 6, fullBrand);
        // In double precision 11/12 (as a float, just above) would give 6.5000001 and so 7.
        row("11/12", 11.0f / 12, 6, fullBrand);
        row("just above 11/12", 11.0f / 12 + 1e-6f, 7, CoBrandAction::Nothing);
        row("largest float below 1", std::nextafter(1.0f, 0.0f), 7, CoBrandAction::Nothing);
    }
    void valueAndAction()
    {
        const auto [r, value] = fetch<float, int>("r", "value");
        QCOMPARE(std::fegetround(), FE_TONEAREST);
        QCOMPARE(coBrandValue(r), qint16(value));
        QTEST(coBrandAction(qint16(value)), "action");
    }

    void drawStaysBelowOne()
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
        QCOMPARE(counts[0], 0);
        for (int value = 1; value <= 7; ++value) { // 1 and 7 take a twelfth each, 2 to 6 a sixth
            const double expected = (value == 1 || value == 7) ? draws / 12.0 : draws / 6.0;
            QVERIFY2(std::abs(counts[value] - expected) < expected * 0.02,
                     qPrintable(QStringLiteral("value %1: %2").arg(value).arg(counts[value])));
        }
    }

    void actionChangesFrontLabel_data()
    {
        columns<CoBrandAction, bool, bool>("action", "cobrandInFrontBefore", "cobrandInFrontAfter");
        row("cobrand raised", CoBrandAction::CobrandToFront, false, true);
        row("cobrand stays in front", CoBrandAction::CobrandToFront, true, true);
        row("full brand raised", CoBrandAction::FullBrandToFront, true, false);
        row("full brand stays", CoBrandAction::FullBrandToFront, false, false);
        row("nothing keeps cobrand", CoBrandAction::Nothing, true, true);
        row("nothing keeps full brand", CoBrandAction::Nothing, false, false);
    }
    void actionChangesFrontLabel()
    {
        const auto [action, inFrontBefore, inFrontAfter] = fetch<CoBrandAction, bool, bool>(
            "action", "cobrandInFrontBefore", "cobrandInFrontAfter");
        frmMain *quiz = frmMain::instance();
        quiz->show();
        QVERIFY(QTest::qWaitForWindowExposed(quiz));
        auto *cobrand = control<QLabel>(quiz, "lblCobrand");
        auto *fullBrand = control<QLabel>(quiz, "lblFullBrand");
        QWidget *frame = cobrand->parentWidget();
        const QRect place = cobrand->geometry();
        const QString caption = cobrand->text();
        const QPoint middle = place.center();
        (inFrontBefore ? cobrand : fullBrand)->raise();
        QCOMPARE(frame->childAt(middle), inFrontBefore ? cobrand : fullBrand);

        applyCoBrandAction(action, *quiz);

        QWidget *front = inFrontAfter ? cobrand : fullBrand;
        QWidget *back = inFrontAfter ? fullBrand : cobrand;
        QCOMPARE(frame->childAt(middle), front);
        QVERIFY(frame->children().indexOf(front) > frame->children().indexOf(back));
        for (QLabel *label : {cobrand, fullBrand}) { // only the stacking changes
            QVERIFY(label->isVisible());
            QCOMPARE(label->geometry(), place);
        }
        QCOMPARE(cobrand->text(), caption);
        QCOMPARE(frame->parentWidget(), quiz->centralWidget());
    }

    void randomizeStoresTheDraw_data()
    {
        QTest::addColumn<unsigned int>("seed");
        for (const unsigned int seed : {1u, 2u, 77u, 4096u, 123456789u})
            row(qPrintable(QString::number(seed)), seed);
    }
    void randomizeStoresTheDraw() // without a quiz window only the draw is made
    {
        QFETCH(unsigned int, seed);
        const qint16 expected = firstValue(seed);
        CoBrand_Randomize(nullptr);
        QCOMPARE(coBrandRandomNumber(), expected);
        QVERIFY(expected >= 1 && expected <= 7);
    }

    void randomizeActsOnQuizWindow_data()
    {
        // A renamed label is still reached: the window is asked by a named operation, never
        // searched for labels by name.
        columns<unsigned int, bool, QString, QString>("seed", "cobrandRaisedFirst", "renamedLabel",
                                                      "front");
        const QString cobrand = "lblCobrand";
        const QString fullBrand = "lblFullBrand";
        const unsigned int toCobrand = seedFor(CoBrandAction::CobrandToFront);
        const unsigned int toFullBrand = seedFor(CoBrandAction::FullBrandToFront);
        const unsigned int seven = seedFor(CoBrandAction::Nothing);
        row("co-brand drawn", toCobrand, false, "", cobrand);
        row("full brand drawn", toFullBrand, true, "", fullBrand);
        row("seven keeps the window's stacking", seven, false, "", fullBrand);
        row("seven after a change", seven, true, "", cobrand);
        row("co-brand label renamed", toFullBrand, true, cobrand, fullBrand);
        row("full brand label renamed", toCobrand, false, fullBrand, cobrand);
    }
    void randomizeActsOnQuizWindow()
    {
        const auto [seed, cobrandRaisedFirst, renamedLabel, front] =
            fetch<unsigned int, bool, QString, QString>("seed", "cobrandRaisedFirst",
                                                        "renamedLabel", "front");
        frmMain *window = frmMain::instance();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        auto *cobrand = window->findChild<QWidget *>("lblCobrand");
        auto *fullBrand = window->findChild<QWidget *>("lblFullBrand");
        QVERIFY(cobrand != nullptr && fullBrand != nullptr);
        QWidget *frame = cobrand->parentWidget();
        QCOMPARE(fullBrand->parentWidget(), frame);
        QCOMPARE(cobrand->geometry(), fullBrand->geometry());
        if (cobrandRaisedFirst)
            cobrand->raise();
        if (!renamedLabel.isEmpty())
            window->findChild<QWidget *>(renamedLabel)->setObjectName(QString());

        const qint16 expected = firstValue(seed);
        CoBrand_Randomize(window);

        QCOMPARE(coBrandRandomNumber(), expected);
        QWidget *shown = frame->childAt(cobrand->geometry().center());
        QVERIFY(shown == cobrand || shown == fullBrand);
        QCOMPARE(shown, front == "lblCobrand" ? cobrand : fullBrand);
        QVERIFY(cobrand->isVisible() && fullBrand->isVisible());
    }
};

QTEST_MAIN(CoBrandTest)
#include "tst_cobrand.moc"
