#include "outreach/weblinks.h"

#include <QDesktopServices>
#include <QUrl>

namespace tressora {

void OpenWebPage(const QString &address)
{
    // The address arrives encoded as it is meant to reach the server; strict parsing keeps Qt
    // from encoding it a second time.
    const QUrl url = QUrl::fromEncoded(address.toUtf8(), QUrl::StrictMode);
    if (url.isValid())
        QDesktopServices::openUrl(url);
}

void OpenHomePage()
{
    OpenWebPage(webLinkAddress(WebLink::Home));
}
void OpenSoftwaresPage()
{
    OpenWebPage(webLinkAddress(WebLink::Softwares));
}
void OpenDonatePage()
{
    OpenWebPage(webLinkAddress(WebLink::Donate));
}
void OpenFullBrandPage()
{
    OpenWebPage(webLinkAddress(WebLink::FullBrand));
}
void OpenCoBrandPage()
{
    OpenWebPage(webLinkAddress(WebLink::CoBrand));
}
void OpenOnlineHelp()
{
    OpenWebPage(webLinkAddress(WebLink::OnlineHelp));
}
void OpenDownloadPage()
{
    OpenWebPage(webLinkAddress(WebLink::Download));
}

} // namespace tressora
