// The scoring rules alone: every answer combination the quiz can give (120 ages, five stress
// levels, five head pictures, eight sets of bald relatives: 24,000) through ScoreAnswers.
//
//   scorebench [--sweeps N]
//
// Prints the median and the fastest sweep as nanoseconds per answer.
#include "quiz/scoring.h"

#include <QElapsedTimer>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

int main(int argc, char *argv[])
{
    int sweeps = 200;
    if (argc == 3 && std::strcmp(argv[1], "--sweeps") == 0)
        sweeps = std::max(1, std::atoi(argv[2]));

    std::vector<tressora::QuizAnswers> all;
    for (int age = 1; age <= 120; ++age) {
        for (int stress = 0; stress < tressora::stressLevels().size(); ++stress) {
            for (int stage = 0; stage < 5; ++stage) {
                for (int relatives = 0; relatives < 8; ++relatives)
                    all.push_back({stage, age, stress, (relatives & 1) != 0, (relatives & 2) != 0,
                                   (relatives & 4) != 0});
            }
        }
    }

    // Every result feeds a checksum that is printed, so no call can be left out.
    long long checksum = 0;
    std::vector<double> perAnswerNs;
    for (int sweep = 0; sweep < sweeps; ++sweep) {
        QElapsedTimer clock;
        clock.start();
        for (const tressora::QuizAnswers &answers : all) {
            const tressora::ScoreFields f = tressora::ScoreAnswers(answers);
            checksum += f.intScore * 7 + f.intLossAge + f.strVerdict.size();
        }
        perAnswerNs.push_back(static_cast<double>(clock.nsecsElapsed()) /
                              static_cast<double>(all.size()));
    }
    std::sort(perAnswerNs.begin(), perAnswerNs.end());
    std::printf("scoring answers=%zu sweeps=%d median-ns=%.1f min-ns=%.1f checksum=%lld\n",
                all.size(), sweeps, perAnswerNs[perAnswerNs.size() / 2], perAnswerNs.front(),
                checksum);
    return 0;
}
