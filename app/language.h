// The user's language: the program's own texts and Qt's (the message boxes' buttons) are shown
// in the language the desktop asks for, as far as a translation of it is at hand.
#pragma once

#include <QLocale>

namespace tressora {

// Installs the program's translation and Qt's own for the locale's UI languages, replacing any
// installed before, so that it can be called again with another locale. A language with no
// translation leaves the texts as written (English). Returns true when the program's own
// translation was found. Windows created afterwards show the new language.
bool installTranslations(const QLocale &locale = QLocale::system());

} // namespace tressora
