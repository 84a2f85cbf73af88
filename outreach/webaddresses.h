// The addresses of the maker's web pages. No widgets here: the pages are opened by weblinks.h.
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

} // namespace tressora
