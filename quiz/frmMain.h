// The quiz window: the five questions, the head pictures and "Calculate My Hair Loss".
#pragma once

#include "outreach/cobrand.h"
#include "quiz/quizwindow.h"
#include "quiz/scoring.h"
#include "widgets/windowslot.h"

#include <array>
#include <memory>

class QCheckBox;
class QLabel;
class QRadioButton;

namespace Ui {
class frmMain;
}

namespace tressora {

class frmMain : public QuizWindow, public WindowSlot<frmMain>, public AdvertStack {
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The working values of the last calculation.
    const ScoreFields &workingFields() const { return fields_; }

    // The advert rotation's one way into the window: lblCobrand or lblFullBrand to the front.
    void bringAdvertToFront(Advert advert) override;

    void cmbSex_Click();
    void cmdNext_Click();
    void cmdExit_Click();
    void mnuExit_Click();
    void Label2_Click();

signals:
    // The calculation has filled the result window and hidden the quiz window; the result
    // window is shown as soon as the program has answered (it hides the refer-a-friend window).
    void handedOver();

private:
    void Form_Load();
    void showPictureSet(int firstPicture);
    QuizAnswers answers() const;

    std::unique_ptr<Ui::frmMain> ui;
    std::array<QRadioButton *, 5> optImage_{};
    std::array<QLabel *, 5> picHead_{};
    std::array<QCheckBox *, 3> chkFamilyHistory_{};
    ScoreFields fields_;
};

} // namespace tressora
