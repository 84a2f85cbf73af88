// The quiz window: the five questions, the head pictures and "Calculate My Hair Loss".
#pragma once

#include "app/windowslot.h"
#include "quiz/quizwindow.h"
#include "quiz/scoring.h"

#include <array>

class QCheckBox;
class QLabel;
class QRadioButton;

namespace Ui {
class frmMain;
}

namespace tressora {

class frmMain : public QuizWindow, public WindowSlot<frmMain> {
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The working values of the last calculation.
    const ScoreFields &workingFields() const { return fields_; }

    void cmdNext_Click();
    void cmdExit_Click();
    void mnuExit_Click();
    void Label2_Click();

private:
    void Form_Load();
    void cmbSex_Click();
    void showPictureSet(int firstPicture);
    QuizAnswers answers() const;

    Ui::frmMain *ui;
    std::array<QRadioButton *, 5> optImage_{};
    std::array<QLabel *, 5> picHead_{};
    std::array<QCheckBox *, 3> chkFamilyHistory_{};
    ScoreFields fields_;
};

} // namespace tressora
