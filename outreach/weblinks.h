// The maker's web pages, opened in the user's default browser.
#pragma once

#include <QString>

namespace tressora {

enum class WebLink { Home, Softwares, Donate, FullBrand, CoBrand, OnlineHelp, Download };

// The complete fixed address of a link: "http://", its host, its path.
QString webLinkAddress(WebLink link);

// The host of the maker's main site, as shown in captions ("www.orvane.example").
QString mainSiteHost();

// The address of the product's own site, with its trailing "/".
QString productSiteAddress();

// Hands a complete, already encoded address to the platform's browser and returns at once.
// Failures (no browser, a rejected address) are not reported.
void OpenWebPage(const QString &address);

void OpenHomePage();
void OpenSoftwaresPage();
void OpenDonatePage();
void OpenFullBrandPage();
void OpenCoBrandPage();
void OpenOnlineHelp();
void OpenDownloadPage();

} // namespace tressora
