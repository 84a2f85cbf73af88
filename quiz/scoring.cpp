#include "quiz/scoring.h"

#include <QCoreApplication>
#include <QStringList>

#include <array>

namespace tressora {
namespace {

constexpr std::array<qint16, 5> kStagePoints{0, 25, 100, 275, 500};
constexpr std::array<qint16, 5> kStressPoints{0, 10, 15, 30, 35};

// Extra points for a stage of hair reached before the age of forty.
qint16 youngStageBonus(qint16 stagePoints)
{
    switch (stagePoints) {
    case 25:
        return 50;
    case 100:
        return 100;
    case 275:
        return 200;
    case 500:
        return 300;
    default:
        return 0;
    }
}

struct YearsRow {
    qint16 upToScore; // inclusive upper end of the score range
    qint16 band1;     // aged 40 or less
    qint16 band2;     // aged over 40
};

constexpr std::array<YearsRow, 6> kYears{{
    {50, 0, 0},
    {75, 60, 50},
    {150, 40, 30},
    {249, 35, 23},
    {300, 30, 18},
    {400, 25, 10},
}};
constexpr YearsRow kYearsAbove400{0, 15, 10};

qint16 yearsToLoss(qint16 band, qint16 score)
{
    YearsRow row = kYearsAbove400;
    for (const YearsRow &candidate : kYears) {
        if (score <= candidate.upToScore) {
            row = candidate;
            break;
        }
    }
    return band == 2 ? row.band2 : row.band1;
}

// The texts the user reads are looked up under this context.
constexpr char kContext[] = "tressora::Scoring";

const char *const kVerdicts[] = {
    QT_TRANSLATE_NOOP("tressora::Scoring", "Not Likely"),
    QT_TRANSLATE_NOOP("tressora::Scoring", "Quite Possibly"),
    QT_TRANSLATE_NOOP("tressora::Scoring", "Most Likely"),
    QT_TRANSLATE_NOOP("tressora::Scoring", "For Sure"),
};

const char *const kStressLevels[] = {
    QT_TRANSLATE_NOOP("tressora::Scoring", "No Stress"),
    QT_TRANSLATE_NOOP("tressora::Scoring", "Little Stress"),
    QT_TRANSLATE_NOOP("tressora::Scoring", "More Than Little Stress"),
    QT_TRANSLATE_NOOP("tressora::Scoring", "Moderate Stress"),
    QT_TRANSLATE_NOOP("tressora::Scoring", "High Stress"),
};

QString verdict(qint16 score)
{
    if (score <= 50)
        return QString::fromLatin1(kNotLikely);
    if (score <= 249)
        return QString::fromLatin1(kVerdicts[1]);
    if (score <= 400)
        return QString::fromLatin1(kVerdicts[2]);
    return QString::fromLatin1(kVerdicts[3]);
}

qint16 add(qint16 a, int b)
{
    return static_cast<qint16>(a + b);
}

} // namespace

const QStringList &stressLevels()
{
    static const QStringList levels = [] {
        QStringList texts;
        for (const char *level : kStressLevels)
            texts << QString::fromLatin1(level);
        return texts;
    }();
    return levels;
}

QString stressLevelText(int index)
{
    if (index < 0 || index >= stressLevels().size())
        return {};
    return QCoreApplication::translate(kContext, kStressLevels[index]);
}

QString verdictText(const QString &verdict)
{
    return QCoreApplication::translate(kContext, verdict.toLatin1().constData());
}

ScoreFields ScoreAnswers(const QuizAnswers &answers)
{
    ScoreFields f; // every working value starts from zero and empty
    const int age = answers.age;

    if (answers.stage >= 0 && answers.stage < static_cast<int>(kStagePoints.size()))
        f.intStagePoints = kStagePoints[static_cast<std::size_t>(answers.stage)];

    if (answers.stress >= 0 && answers.stress < static_cast<int>(kStressPoints.size()))
        f.intStressPoints = kStressPoints[static_cast<std::size_t>(answers.stress)];

    f.intFatherPoints = answers.father ? 30 : 0;
    f.intMaternalPoints = answers.maternal ? 50 : 0;
    f.intPaternalPoints = answers.paternal ? 30 : 0;

    f.intScore = add(f.intStagePoints, age);
    if (age < 40)
        f.intScore = add(f.intScore, youngStageBonus(f.intStagePoints));
    f.intAgeBand = 1;
    if (age > 40) {
        f.intAgeBand = 2;
        f.intScore = add(f.intScore, 100);
    }
    f.intScore = add(f.intScore, f.intFatherPoints + f.intMaternalPoints + f.intPaternalPoints);
    f.intScore = add(f.intScore, f.intStressPoints);
    if (age > 50 && f.intStagePoints == 0)
        f.intScore = 0; // a full head of hair after fifty overrides everything else

    f.intYearsToLoss = yearsToLoss(f.intAgeBand, f.intScore);
    f.strVerdict = verdict(f.intScore);
    f.intLossAge = add(f.intYearsToLoss, age);
    return f;
}

ResultHandOver handOverFor(const ScoreFields &fields, const QString &ageText,
                           const QString &stressText)
{
    ResultHandOver handOver;
    handOver.lblProbability = verdictText(fields.strVerdict);
    handOver.blankSentence = fields.strVerdict == QLatin1String(kNotLikely);
    if (!handOver.blankSentence)
        handOver.lblAge = QString::number(fields.intLossAge);
    handOver.lblYourAge = ageText;
    handOver.lblLevelOfStress = stressText;
    return handOver;
}

} // namespace tressora
