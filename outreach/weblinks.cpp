#include "outreach/weblinks.h"

#include "buildconfig.h"

#include <QDesktopServices>
#include <QUrl>

namespace tressora {
namespace {

QString http(const char *host, const char *path)
{
    return QStringLiteral("http://") + QLatin1String(host) + QLatin1String(path);
}

} // namespace

QString webLinkAddress(WebLink link)
{
    switch (link) {
    case WebLink::Home:
        return http(build::mainHost, "");
    case WebLink::Softwares:
        return http(build::mainHost, "/orvanesoftwares");
    case WebLink::Donate:
        return http(build::helpHost, "/donate.html");
    case WebLink::FullBrand:
        return http(build::helpHost, "/fully-branded.html");
    case WebLink::CoBrand:
        return http(build::helpHost, "/co-brand.html");
    case WebLink::OnlineHelp:
        return http(build::productHost, "/tressora-help.html");
    case WebLink::Download:
        return http(build::productHost, "/download-tressora.html");
    }
    return {};
}

QString mainSiteHost()
{
    return QLatin1String(build::mainHost);
}

QString productSiteAddress()
{
    return http(build::productHost, "/");
}

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
