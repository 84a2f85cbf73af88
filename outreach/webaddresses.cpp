#include "outreach/webaddresses.h"

#include "buildconfig.h"

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

} // namespace tressora
