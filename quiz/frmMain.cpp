#include "quiz/frmMain.h"

#include "outreach/weblinks.h"
#include "quiz/frmDisplay.h"
#include "quiz/headpictures.h"
#include "ui_frmMain.h"
#include "widgets/linklabel.h"
#include "widgets/windowstyle.h"

#include <QAbstractItemView>

namespace tressora {
namespace {

constexpr int kFemaleEntry = 1; // the sex list's second entry

} // namespace

frmMain::frmMain(QWidget *parent)
    : QuizWindow(parent)
    , ui(std::make_unique<Ui::frmMain>())
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    prepareFixedWindow(this);

    optImage_ = {ui->optImage_0, ui->optImage_1, ui->optImage_2, ui->optImage_3, ui->optImage_4};
    picHead_ = {ui->picHead_0, ui->picHead_1, ui->picHead_2, ui->picHead_3, ui->picHead_4};
    chkFamilyHistory_ = {ui->chkFamilyHistory_0, ui->chkFamilyHistory_1, ui->chkFamilyHistory_2};
    for (QLabel *label :
         std::initializer_list<QLabel *>{ui->Label1, ui->Label2, ui->Label3, ui->Label4})
        setCaption(label, label->text());

    connectShared({ui->mnuOnline, ui->mnuVisit, ui->mnuUpdate, ui->mnuAbout, ui->mnuDonate,
                   ui->Label61, ui->lblCobrand, ui->lblFullBrand});
    connect(ui->cmdNext, &QPushButton::clicked, this, &frmMain::cmdNext_Click);
    connect(ui->cmdExit, &QPushButton::clicked, this, &frmMain::cmdExit_Click);
    connect(ui->mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connect(ui->Label2, &LinkLabel::clicked, this, &frmMain::Label2_Click);
    connect(ui->cmbSex, &QComboBox::currentIndexChanged, this, &frmMain::cmbSex_Click);

    Form_Load();
    ui->cmdExit->setFocus(); // the first control in tab order, outside the visible area
}

frmMain::~frmMain() = default;

void frmMain::bringAdvertToFront(Advert advert)
{
    (advert == Advert::CoBrand ? ui->lblCobrand : ui->lblFullBrand)->raise();
}

void frmMain::Form_Load()
{
    for (int age = 1; age <= 120; ++age)
        ui->cmbAge->addItem(QString::number(age));
    ui->cmbSex->addItems({tr("Male"), tr("Female")}); // the second is kFemaleEntry
    for (int level = 0; level < stressLevels().size(); ++level)
        ui->cmbStressLevel->addItem(stressLevelText(level));
    // The lists open wide enough to read every entry.
    for (QComboBox *list : {ui->cmbAge, ui->cmbSex, ui->cmbStressLevel})
        list->view()->setMinimumWidth(list->view()->sizeHintForColumn(0) + 24);
    showPictureSet(kFirstMalePicture);
    ui->cmbAge->setCurrentIndex(0);
    ui->cmbSex->setCurrentIndex(0);
    ui->cmbStressLevel->setCurrentIndex(0);
}

void frmMain::cmbSex_Click()
{
    const bool female = ui->cmbSex->currentIndex() == kFemaleEntry;
    showPictureSet(female ? kFirstFemalePicture : kFirstMalePicture);
}

void frmMain::showPictureSet(int firstPicture)
{
    const QString set = firstPicture == kFirstFemalePicture ? tr("female", "picture set")
                                                            : tr("male", "picture set");
    const qreal ratio = devicePixelRatioF();
    for (int i = 0; i < 5; ++i) {
        picHead_[i]->setPixmap(IMGSunsignList(firstPicture + i, ratio));
        picHead_[i]->setAccessibleName(
            tr("Head picture, %1 set: %2").arg(set, optImage_[i]->text().trimmed()));
    }
}

QuizAnswers frmMain::answers() const
{
    QuizAnswers a;
    a.stage = -1;
    for (int i = 0; i < 5; ++i) {
        if (optImage_[i]->isChecked()) {
            a.stage = i;
            break;
        }
    }
    a.age = ui->cmbAge->currentText().toInt();
    a.stress = ui->cmbStressLevel->currentIndex();
    a.father = chkFamilyHistory_[0]->checkState() == Qt::Checked;
    a.maternal = chkFamilyHistory_[1]->checkState() == Qt::Checked;
    a.paternal = chkFamilyHistory_[2]->checkState() == Qt::Checked;
    return a;
}

void frmMain::cmdNext_Click()
{
    fields_ = ScoreAnswers(answers());

    frmDisplay *result = frmDisplay::instance();
    result->takeHandOver(
        handOverFor(fields_, ui->cmbAge->currentText(), ui->cmbStressLevel->currentText()));
    hide();
    emit handedOver();
    result->show();
    result->activateWindow();
}

void frmMain::cmdExit_Click()
{
    close();
}

void frmMain::mnuExit_Click()
{
    cmdExit_Click();
}

void frmMain::Label2_Click()
{
    OpenFullBrandPage();
}

} // namespace tressora
