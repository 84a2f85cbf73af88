// The result window: the answers given, the verdict and the age of complete hair loss.
#pragma once

#include "quiz/quizwindow.h"
#include "quiz/scoring.h"
#include "widgets/windowslot.h"

#include <memory>

namespace Ui {
class frmDisplay;
}

namespace tressora {

class frmDisplay : public QuizWindow, public WindowSlot<frmDisplay> {
    Q_OBJECT
public:
    explicit frmDisplay(QWidget *parent = nullptr);
    ~frmDisplay() override;

    // Takes the calculation's hand-over: lblProbability, lblAge, lblShow (blanked for "Not
    // Likely"), lblYourAge and lblLevelOfStress, in this order; the value labels size themselves.
    void takeHandOver(const ResultHandOver &handOver);

    void cmdBack_Click();
    void mnuBack_Click();
    void mnuExit_Click();

signals:
    // Back is about to close this window: the exit sequence its close handler starts is to be
    // undone (wentBack).
    void goingBack();
    // Back has shown the quiz window again and closed this one, whose close handler started the
    // exit sequence; the program takes the refer-a-friend window away again, since this is no
    // exit.
    void wentBack();

private:
    std::unique_ptr<Ui::frmDisplay> ui;
};

} // namespace tressora
