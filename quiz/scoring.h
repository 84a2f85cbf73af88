// The hair-loss rules: answers in, working values out. No widgets, no state.
#pragma once

#include <QString>
#include <QtGlobal>

namespace tressora {

struct QuizAnswers {
    int stage = 0;       // index of the selected stage button 0..4; -1 when none is selected
    int age = 1;         // the selected age entry read as a number
    QString stress;      // the selected stress entry, compared as text
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

// The stress texts of the quiz, in list order.
const QStringList &stressLevels();

ScoreFields ScoreAnswers(const QuizAnswers &answers);

} // namespace tressora
