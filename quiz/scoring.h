// The hair-loss rules: answers in, working values out. No widgets, no state.
#pragma once

#include <QString>
#include <QtGlobal>

namespace tressora {

struct QuizAnswers {
    int stage = 0;       // index of the selected stage button 0..4; -1 when none is selected
    int age = 1;         // the selected age entry read as a number
    int stress = -1;     // index of the selected stress entry in stressLevels(); any other
                         // value scores no stress points
    bool father = false; // the check boxes, counted only when ticked
    bool maternal = false;
    bool paternal = false;
};

// The calculation's working values, all reset at the start of every calculation.
struct ScoreFields {
    qint16 intStagePoints = 0;
    qint16 intStressPoints = 0;
    qint16 intFatherPoints = 0;
    qint16 intMaternalPoints = 0;
    qint16 intPaternalPoints = 0;
    qint16 intScore = 0;
    qint16 intAgeBand = 0;
    qint16 intYearsToLoss = 0;
    qint16 intLossAge = 0;
    QString strVerdict;
};

inline constexpr char kNotLikely[] = "Not Likely";

// The stress texts of the quiz, in list order, untranslated; stressLevelText() gives the one
// the user sees.
const QStringList &stressLevels();
QString stressLevelText(int index);

// The verdict as the user reads it: strVerdict in the user's language.
QString verdictText(const QString &verdict);

ScoreFields ScoreAnswers(const QuizAnswers &answers);

// What the calculation hands over to the result window, by label: the verdict in the user's
// language, the age of complete hair loss and the two answers as the lists show them. For "Not Likely" the loss age
// is empty and the sentence that leads to it is blanked too.
struct ResultHandOver {
    QString lblProbability;
    QString lblAge;
    bool blankSentence = false; // lblShow emptied
    QString lblYourAge;
    QString lblLevelOfStress;

    bool operator==(const ResultHandOver &) const = default;
};
ResultHandOver handOverFor(const ScoreFields &fields, const QString &ageText,
                           const QString &stressText);

} // namespace tressora
