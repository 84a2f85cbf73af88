#include "quiz/frmDisplay.h"

#include "quiz/frmMain.h"
#include "ui_frmDisplay.h"
#include "widgets/linklabel.h"
#include "widgets/spokenas.h"
#include "widgets/windowstyle.h"

namespace tressora {

frmDisplay::frmDisplay(QWidget *parent)
    : QuizWindow(parent)
    , ui(std::make_unique<Ui::frmDisplay>())
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    prepareFixedWindow(this);
    // The window has one control to focus, Back: readers read the whole result out as the
    // window opens, in the reading order below.
    speakAs(this, SpokenAs::Message);
    setPointSize(ui->Frame1, 11.25);
    for (QLabel *label : {ui->Label1, ui->lblShow, ui->Label3, ui->Label4}) {
        setPointSize(label, 8.25);
        setCaption(label, label->text());
    }
    // A screen reader reads the result in this order, each caption before its value. None of
    // these labels overlaps another, so the order they are stacked in shows nowhere.
    for (QLabel *label : {ui->Label3, ui->lblYourAge, ui->Label4, ui->lblLevelOfStress, ui->Label1,
                          ui->lblProbability, ui->lblShow, ui->lblAge}) {
        label->raise();
        speakAs(label, SpokenAs::Text);
    }

    connectShared({ui->mnuOnline, ui->mnuVisit, ui->mnuUpdate, ui->mnuAbout, ui->mnuDonate,
                   ui->Label61, ui->lblCobrand, ui->lblFullBrand});
    connect(ui->cmdBack, &QPushButton::clicked, this, &frmDisplay::cmdBack_Click);
    connect(ui->mnuBack, &QAction::triggered, this, &frmDisplay::mnuBack_Click);
    connect(ui->mnuExit, &QAction::triggered, this, &frmDisplay::mnuExit_Click);
    ui->cmdBack->setFocus();
}

frmDisplay::~frmDisplay() = default;

void frmDisplay::takeHandOver(const ResultHandOver &handOver)
{
    setCaption(ui->lblProbability, handOver.lblProbability);
    setCaption(ui->lblAge, handOver.lblAge);
    if (handOver.blankSentence)
        setCaption(ui->lblShow, QString());
    setCaption(ui->lblYourAge, handOver.lblYourAge);
    setCaption(ui->lblLevelOfStress, handOver.lblLevelOfStress);
}

void frmDisplay::cmdBack_Click()
{
    frmMain *quiz = frmMain::instance();
    quiz->show();
    quiz->activateWindow();
    emit goingBack(); // the refer-a-friend window is held off the screen...
    close();          // ...while the exit sequence runs, which shows it...
    emit wentBack();  // ...so it is put away again: this is no exit
}

void frmDisplay::mnuBack_Click()
{
    cmdBack_Click();
}

void frmDisplay::mnuExit_Click()
{
    close();
}

} // namespace tressora
