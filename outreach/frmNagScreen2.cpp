#include "outreach/frmNagScreen2.h"

#include "app/application.h"

#include <QCloseEvent>

namespace tressora {

frmNagScreen2::frmNagScreen2(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Tressora v1.0"));
}

frmNagScreen2::~frmNagScreen2() = default;

void frmNagScreen2::showWindow()
{
    instance()->show();
}

void frmNagScreen2::hideWindow()
{
    instance()->hide();
}

void frmNagScreen2::closeEvent(QCloseEvent *event)
{
    event->accept();
    EndProgram();
}

} // namespace tressora
