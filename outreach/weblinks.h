// The maker's web pages, opened in the user's default browser. Every window's links and the
// referral go through OpenWebPage.
#pragma once

#include "outreach/webaddresses.h"

namespace tressora {

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
