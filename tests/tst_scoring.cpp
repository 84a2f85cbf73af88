// The hair-loss rules, from answers to working values.
#include "quiz/scoring.h"

#include <QTest>

using tressora::QuizAnswers;
using tressora::ScoreAnswers;
using tressora::ScoreFields;

Q_DECLARE_METATYPE(QuizAnswers)

namespace {

QuizAnswers make(int stage, int age, const char *stress, bool father = false, bool maternal = false,
                 bool paternal = false)
{
    QuizAnswers a;
    a.stage = stage;
    a.age = age;
    // The position the text has in the stress list; -1 for a text that is not in it.
    a.stress = static_cast<int>(tressora::stressLevels().indexOf(QString::fromLatin1(stress)));
    a.father = father;
    a.maternal = maternal;
    a.paternal = paternal;
    return a;
}

// The verdict that belongs to a final score, read from the bands as published.
QString verdictBand(int score)
{
    if (score <= 50)
        return QStringLiteral("Not Likely");
    if (score <= 249)
        return QStringLiteral("Quite Possibly");
    if (score <= 400)
        return QStringLiteral("Most Likely");
    return QStringLiteral("For Sure");
}

int yearsBand(int band, int score)
{
    const int limits[] = {50, 75, 150, 249, 300, 400};
    const int young[] = {0, 60, 40, 35, 30, 25, 15};
    const int older[] = {0, 50, 30, 23, 18, 10, 10};
    int row = 6;
    for (int i = 0; i < 6; ++i) {
        if (score <= limits[i]) {
            row = i;
            break;
        }
    }
    return band == 1 ? young[row] : older[row];
}

} // namespace

class TestScoring : public QObject {
    Q_OBJECT
private slots:
    void examples_data();
    void examples();
    void workingFields();
    void unknownInputsScoreNothing();
    void everyAnswerCombination();
};

void TestScoring::examples_data()
{
    QTest::addColumn<QuizAnswers>("answers");
    QTest::addColumn<int>("score");
    QTest::addColumn<int>("band");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<int>("lossAge");

    // The four worked examples.
    QTest::newRow("stage 1, 25, moderate, father")
        << make(1, 25, "Moderate Stress", true) << 160 << 1 << "Quite Possibly" << 60;
    QTest::newRow("stage 2, 45, little, maternal")
        << make(2, 45, "Little Stress", false, true) << 305 << 2 << "Most Likely" << 55;
    QTest::newRow("stage 4, 40, none") << make(4, 40, "No Stress") << 540 << 1 << "For Sure" << 55;
    QTest::newRow("stage 0, 55, high, all three")
        << make(0, 55, "High Stress", true, true, true) << 0 << 2 << "Not Likely" << 55;

    // Age boundaries.
    QTest::newRow("39 gets the young bonus")
        << make(1, 39, "No Stress") << 114 << 1 << "Quite Possibly" << 79;
    QTest::newRow("41 gets the hundred")
        << make(1, 41, "No Stress") << 166 << 2 << "Quite Possibly" << 64;
    QTest::newRow("50 with full hair is not reset")
        << make(0, 50, "No Stress") << 150 << 2 << "Quite Possibly" << 80;
    QTest::newRow("51 with full hair is reset")
        << make(0, 51, "High Stress", true, true, true) << 0 << 2 << "Not Likely" << 51;
    QTest::newRow("120 with full hair is reset")
        << make(0, 120, "Moderate Stress", true) << 0 << 2 << "Not Likely" << 120;
    QTest::newRow("51 with receding hair is not reset")
        << make(1, 51, "No Stress") << 176 << 2 << "Quite Possibly" << 74;

    // Score boundaries.
    QTest::newRow("score 50") << make(0, 35, "More Than Little Stress") << 50 << 1 << "Not Likely"
                              << 35;
    QTest::newRow("score 51") << make(0, 36, "More Than Little Stress") << 51 << 1
                              << "Quite Possibly" << 96;
    QTest::newRow("score 75") << make(0, 35, "Little Stress", true) << 75 << 1 << "Quite Possibly"
                              << 95;
    QTest::newRow("score 76") << make(0, 36, "Little Stress", true) << 76 << 1 << "Quite Possibly"
                              << 76;
    QTest::newRow("score 150") << make(0, 50, "No Stress") << 150 << 2 << "Quite Possibly" << 80;
    QTest::newRow("score 151") << make(1, 26, "No Stress", false, true) << 151 << 1
                               << "Quite Possibly" << 61;
    QTest::newRow("score 249") << make(2, 39, "Little Stress") << 249 << 1 << "Quite Possibly"
                               << 74;
    QTest::newRow("score 250") << make(2, 35, "More Than Little Stress") << 250 << 1
                               << "Most Likely" << 65;
    QTest::newRow("score 300") << make(2, 30, "Little Stress", true, false, true) << 300 << 1
                               << "Most Likely" << 60;
    QTest::newRow("score 301") << make(2, 31, "Little Stress", true, false, true) << 301 << 1
                               << "Most Likely" << 56;
    QTest::newRow("score 400") << make(2, 55, "High Stress", true, true, true) << 400 << 2
                               << "Most Likely" << 65;
    QTest::newRow("score 401") << make(2, 56, "High Stress", true, true, true) << 401 << 2
                               << "For Sure" << 66;

    // Ends of the answer range.
    QTest::newRow("age 1, nothing") << make(0, 1, "No Stress") << 1 << 1 << "Not Likely" << 1;
    QTest::newRow("age 120, stage 3, everything")
        << make(3, 120, "High Stress", true, true, true) << 640 << 2 << "For Sure" << 130;
    QTest::newRow("highest score")
        << make(4, 39, "High Stress", true, true, true) << 984 << 1 << "For Sure" << 54;

    // The stage "Significant thin or bald hair" before forty gets the bonus of 200.
    QTest::newRow("stage 3 at 39") << make(3, 39, "No Stress") << 514 << 1 << "For Sure" << 54;
    QTest::newRow("stage 3 at 40") << make(3, 40, "No Stress") << 315 << 1 << "Most Likely" << 65;
}

void TestScoring::examples()
{
    QFETCH(QuizAnswers, answers);
    QFETCH(int, score);
    QFETCH(int, band);
    QFETCH(QString, verdict);
    QFETCH(int, lossAge);

    const ScoreFields f = ScoreAnswers(answers);
    QCOMPARE(f.intScore, score);
    QCOMPARE(f.intAgeBand, band);
    QCOMPARE(f.strVerdict, verdict);
    QCOMPARE(f.intLossAge, lossAge);
}

void TestScoring::workingFields()
{
    const ScoreFields f = ScoreAnswers(make(3, 30, "Moderate Stress", true, true, true));
    QCOMPARE(f.intStagePoints, 275);
    QCOMPARE(f.intStressPoints, 30);
    QCOMPARE(f.intFatherPoints, 30);
    QCOMPARE(f.intMaternalPoints, 50);
    QCOMPARE(f.intPaternalPoints, 30);
    QCOMPARE(f.intScore, 275 + 30 + 200 + 110 + 30);
    QCOMPARE(f.intYearsToLoss, 15);
    QCOMPARE(f.intLossAge, 45);

    const QStringList stress = tressora::stressLevels();
    const int points[] = {0, 10, 15, 30, 35};
    for (int i = 0; i < stress.size(); ++i)
        QCOMPARE(ScoreAnswers(make(0, 20, qPrintable(stress[i]))).intStressPoints, points[i]);
}

void TestScoring::unknownInputsScoreNothing()
{
    // No stage selected and a stress text that is not in the list add nothing.
    QuizAnswers a = make(-1, 20, "no stress");
    ScoreFields f = ScoreAnswers(a);
    QCOMPARE(f.intStagePoints, 0);
    QCOMPARE(f.intStressPoints, 0);
    QCOMPARE(f.intScore, 20);
    a.stress = static_cast<int>(tressora::stressLevels().indexOf(QStringLiteral("High Stress ")));
    QCOMPARE(ScoreAnswers(a).intStressPoints, 0);
    a.stress = static_cast<int>(tressora::stressLevels().size()); // past the end of the list
    QCOMPARE(ScoreAnswers(a).intStressPoints, 0);
}

void TestScoring::everyAnswerCombination()
{
    const QStringList stress = tressora::stressLevels();
    int combinations = 0;
    for (int stage = 0; stage < 5; ++stage) {
        for (int age = 1; age <= 120; ++age) {
            for (int level = 0; level < stress.size(); ++level) {
                for (int family = 0; family < 8; ++family) {
                    QuizAnswers a = make(stage, age, "");
                    a.stress = level;
                    a.father = family & 1;
                    a.maternal = family & 2;
                    a.paternal = family & 4;
                    const ScoreFields f = ScoreAnswers(a);
                    ++combinations;
                    const int band = age > 40 ? 2 : 1;
                    QVERIFY(f.intScore >= 0 && f.intScore <= 984);
                    QCOMPARE(f.intAgeBand, band);
                    QCOMPARE(f.strVerdict, verdictBand(f.intScore));
                    QCOMPARE(f.intYearsToLoss, yearsBand(band, f.intScore));
                    QCOMPARE(f.intLossAge, age + f.intYearsToLoss);
                    QCOMPARE(f.intYearsToLoss == 0, f.strVerdict == "Not Likely");
                    if (age > 50 && stage == 0)
                        QCOMPARE(f.intScore, 0);
                    // More baldness in the family never lowers the score.
                    if (family != 7) {
                        QuizAnswers more = a;
                        more.father = more.maternal = more.paternal = true;
                        QVERIFY(ScoreAnswers(more).intScore >= f.intScore);
                    }
                    // Neither does a later stage of hair loss.
                    if (stage < 4) {
                        QuizAnswers later = a;
                        later.stage = stage + 1;
                        QVERIFY(ScoreAnswers(later).intScore >= f.intScore);
                    }
                }
            }
        }
    }
    QCOMPARE(combinations, 5 * 120 * 5 * 8);
}

QTEST_APPLESS_MAIN(TestScoring)
#include "tst_scoring.moc"
