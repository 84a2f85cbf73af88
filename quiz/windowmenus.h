// The menu entries and advert labels that the quiz window and the result window share: both
// windows name them alike, and they do the same on both.
#pragma once

class QString;
class QWidget;

namespace tressora {

void mnuOnline_Click();
void mnuVisit_Click();
void mnuUpdate_Click();
void mnuAbout_Click();
void mnuDonate_Click();
void Label61_Click();
void lblCobrand_Click();
void lblFullBrand_Click();

// The discussion-board advert, naming the maker's main site.
QString label61Caption();

// Connects the shared entries and labels found in `window` by name to their handlers and sets
// the discussion-board caption.
void connectSharedMenusAndAdverts(QWidget *window);

} // namespace tressora
