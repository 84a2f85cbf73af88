// The result window: the answers given, the verdict and the age of complete hair loss.
#pragma once

#include "app/windowslot.h"
#include "quiz/quizwindow.h"

namespace Ui {
class frmDisplay;
}

namespace tressora {

class frmDisplay : public QuizWindow, public WindowSlot<frmDisplay> {
    Q_OBJECT
public:
    explicit frmDisplay(QWidget *parent = nullptr);
    ~frmDisplay() override;

    // Sets the caption of one of the window's labels, by name; the value labels size
    // themselves to it.
    void setCaption(const char *labelName, const QString &caption);

    void cmdBack_Click();
    void mnuBack_Click();
    void mnuExit_Click();

private:
    Ui::frmDisplay *ui;
};

} // namespace tressora
