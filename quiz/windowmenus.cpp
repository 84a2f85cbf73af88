#include "quiz/windowmenus.h"

#include "about/frmAbout.h"
#include "outreach/weblinks.h"
#include "quiz/linklabel.h"

#include <QAction>
#include <QWidget>

namespace tressora {

void mnuOnline_Click()
{
    OpenOnlineHelp();
}
void mnuVisit_Click()
{
    OpenHomePage();
}
void mnuUpdate_Click()
{
    OpenDownloadPage();
} // the menu never touches the update schedule
void mnuAbout_Click()
{
    frmAbout::showModal();
}
void mnuDonate_Click()
{
    OpenDonatePage();
}
void Label61_Click()
{
    OpenHomePage();
}
void lblCobrand_Click()
{
    OpenCoBrandPage();
}
void lblFullBrand_Click()
{
    OpenFullBrandPage();
}

QString label61Caption()
{
    return QStringLiteral("The Most Popular Online Orvane Discussion Board. Best Resource For "
                          "Everything Orvane. Visit ") +
           mainSiteHost() + QStringLiteral(" Now");
}

void connectSharedMenusAndAdverts(QWidget *window)
{
    struct Binding {
        const char *name;
        void (*handler)();
    };
    const Binding entries[] = {{"mnuOnline", mnuOnline_Click},
                               {"mnuVisit", mnuVisit_Click},
                               {"mnuUpdate", mnuUpdate_Click},
                               {"mnuAbout", mnuAbout_Click},
                               {"mnuDonate", mnuDonate_Click}};
    for (const Binding &entry : entries) {
        if (auto *action = window->findChild<QAction *>(QLatin1String(entry.name)))
            QObject::connect(action, &QAction::triggered, window, entry.handler);
    }
    const Binding adverts[] = {{"Label61", Label61_Click},
                               {"lblCobrand", lblCobrand_Click},
                               {"lblFullBrand", lblFullBrand_Click}};
    for (const Binding &advert : adverts) {
        if (auto *link = window->findChild<LinkLabel *>(QLatin1String(advert.name)))
            QObject::connect(link, &LinkLabel::clicked, window, advert.handler);
    }
    if (auto *board = window->findChild<QLabel *>(QStringLiteral("Label61")))
        board->setText(label61Caption());
}

} // namespace tressora
