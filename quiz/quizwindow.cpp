#include "quiz/quizwindow.h"

#include "outreach/weblinks.h"
#include "widgets/linklabel.h"

#include <QAction>
#include <QCloseEvent>

namespace tressora {

QString label61Caption()
{
    return QuizWindow::tr("The Most Popular Online Orvane Discussion Board. Best Resource For "
                          "Everything Orvane. Visit %1 Now")
        .arg(mainSiteHost());
}

void QuizWindow::mnuOnline_Click()
{
    OpenOnlineHelp();
}

void QuizWindow::mnuVisit_Click()
{
    OpenHomePage();
}

void QuizWindow::mnuUpdate_Click()
{
    OpenDownloadPage();
}

void QuizWindow::mnuAbout_Click()
{
    emit aboutRequested(this);
}

void QuizWindow::mnuDonate_Click()
{
    OpenDonatePage();
}

void QuizWindow::Label61_Click()
{
    OpenHomePage();
}

void QuizWindow::lblCobrand_Click()
{
    OpenCoBrandPage();
}

void QuizWindow::lblFullBrand_Click()
{
    OpenFullBrandPage();
}

void QuizWindow::connectShared(const SharedControls &c)
{
    connect(c.mnuOnline, &QAction::triggered, this, &QuizWindow::mnuOnline_Click);
    connect(c.mnuVisit, &QAction::triggered, this, &QuizWindow::mnuVisit_Click);
    connect(c.mnuUpdate, &QAction::triggered, this, &QuizWindow::mnuUpdate_Click);
    connect(c.mnuAbout, &QAction::triggered, this, &QuizWindow::mnuAbout_Click);
    connect(c.mnuDonate, &QAction::triggered, this, &QuizWindow::mnuDonate_Click);
    connect(c.Label61, &LinkLabel::clicked, this, &QuizWindow::Label61_Click);
    connect(c.lblCobrand, &LinkLabel::clicked, this, &QuizWindow::lblCobrand_Click);
    connect(c.lblFullBrand, &LinkLabel::clicked, this, &QuizWindow::lblFullBrand_Click);
    c.Label61->setText(label61Caption());
}

void QuizWindow::closeEvent(QCloseEvent *event)
{
    emit unloading();
    event->accept();
}

} // namespace tressora
