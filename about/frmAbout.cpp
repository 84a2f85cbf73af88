#include "about/frmAbout.h"

#include "outreach/weblinks.h"
#include "ui_frmAbout.h"
#include "widgets/linklabel.h"
#include "widgets/windowstyle.h"

#include <QPointer>
#include <QWindow>

namespace tressora {

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::frmAbout>())
{
    ui->setupUi(this);
    // A dialog rather than a plain window: window managers keep it out of the task bar and
    // above the program's other windows while it is modal.
    prepareFixedWindow(this);
    setPointSize(ui->Label2, 9.75);
    ui->Picture1->setPixmap(programIcon().pixmap(32, 32));

    // The self-sizing labels fit their captions once their fonts are final.
    setCaption(ui->Label2, windowCaption());
    setCaption(ui->lblCobrand, ui->lblCobrand->text());
    setCaption(ui->lblHomePage, tr("Click here to visit %1").arg(mainSiteHost()));

    connect(ui->cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(ui->lblHomePage, &LinkLabel::clicked, this, &frmAbout::lblHomePage_Click);
    connect(ui->lblCobrand, &LinkLabel::clicked, this, &frmAbout::lblCobrand_Click);

    ui->cmdOK->setFocus();
}

frmAbout::~frmAbout() = default;

void frmAbout::showModal(QWidget *opener)
{
    // Built on the heap and deleted by exec() on closing, so that a window walk that deletes
    // top-level windows while the box is up cannot destroy it twice.
    auto *box = new frmAbout;
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Without a window it belongs to, X window managers take a dialog for a window of its own.
    if (opener != nullptr && opener->window()->windowHandle() != nullptr) {
        box->winId();
        box->windowHandle()->setTransientParent(opener->window()->windowHandle());
    }
    const QPointer<QWidget> from = opener != nullptr ? opener->window() : nullptr;
    box->exec();
    activateAgain(from);
}

void frmAbout::cmdOK_Click()
{
    close();
}

void frmAbout::lblHomePage_Click()
{
    OpenHomePage();
}

void frmAbout::lblCobrand_Click()
{
    OpenFullBrandPage();
}

} // namespace tressora
