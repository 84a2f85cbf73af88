#include "app/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tressora {
namespace {

// The program's translations, compiled into the program.
constexpr char kProgramTranslations[] = ":/i18n";

QTranslator &programTranslator()
{
    static QTranslator translator;
    return translator;
}

QTranslator &qtTranslator()
{
    static QTranslator translator;
    return translator;
}

// Loads the translation of that name for the first of the locale's languages that has one, and
// installs it; nothing is installed when none has.
bool install(QTranslator &translator, const QLocale &locale, const QString &name,
             const QString &folder)
{
    QCoreApplication::removeTranslator(&translator);
    if (!translator.load(locale, name, QStringLiteral("_"), folder))
        return false;
    QCoreApplication::installTranslator(&translator);
    return true;
}

} // namespace

bool installTranslations(const QLocale &locale)
{
    install(qtTranslator(), locale, QStringLiteral("qtbase"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return install(programTranslator(), locale, QStringLiteral("tressora"),
                   QLatin1String(kProgramTranslations));
}

} // namespace tressora
