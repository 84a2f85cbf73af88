#include "quiz/frmDisplay.h"

#include "app/windowstyle.h"
#include "outreach/frmNagScreen2.h"
#include "quiz/frmMain.h"
#include "quiz/linklabel.h"
#include "quiz/windowmenus.h"
#include "ui_frmDisplay.h"

#include <QLayout>

namespace tressora {

frmDisplay::frmDisplay(QWidget *parent)
    : QuizWindow(parent)
    , ui(new Ui::frmDisplay)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    prepareFixedWindow(this);
    setDefaultWindowFont(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setPointSize(ui->Frame1, 11.25);
    for (QLabel *label : {ui->Label1, ui->lblShow, ui->Label3, ui->Label4}) {
        setPointSize(label, 8.25);
        setCaption(label->objectName().toLatin1().constData(), label->text());
    }

    connectSharedMenusAndAdverts(this);
    connect(ui->cmdBack, &QPushButton::clicked, this, &frmDisplay::cmdBack_Click);
    connect(ui->mnuBack, &QAction::triggered, this, &frmDisplay::mnuBack_Click);
    connect(ui->mnuExit, &QAction::triggered, this, &frmDisplay::mnuExit_Click);
    ui->cmdBack->setFocus();
}

frmDisplay::~frmDisplay()
{
    delete ui;
}

void frmDisplay::setCaption(const char *labelName, const QString &caption)
{
    if (auto *label = findChild<QLabel *>(QLatin1String(labelName)))
        tressora::setCaption(label, caption);
}

void frmDisplay::cmdBack_Click()
{
    frmMain *quiz = frmMain::instance();
    quiz->show();
    quiz->activateWindow();
    close();                     // runs the exit sequence, which shows the refer-a-friend window...
    frmNagScreen2::hideWindow(); // ...so it is put away again: this is no exit
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
