#include "outreach/referral.h"

#include <QCoreApplication>
#include <QUrl>

namespace tressora {
namespace {

const QChar blank = QLatin1Char(' ');

// The form's context, where the boxes' texts are translated.
constexpr char kFormContext[] = "frmNagScreen2";
// The other four placeholders are the form's own texts; the message box's is put in by the
// window, followed by a line break, so it is listed for translation here.
[[maybe_unused]] const char *const kMessagePlaceholder =
    QT_TRANSLATE_NOOP("frmNagScreen2", "Your Message");

QString refusalText(const char *text)
{
    return QCoreApplication::translate("tressora::Referral", text);
}

bool emptyOr(const QString &text, QLatin1String placeholder)
{
    return text.isEmpty() || text == shownPlaceholder(placeholder);
}

QString queryValue(const QString &value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

} // namespace

QString shownPlaceholder(QLatin1String placeholder)
{
    return QCoreApplication::translate(kFormContext, placeholder.data());
}

QString trimBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text.at(first) == blank)
        ++first;
    while (end > first && text.at(end - 1) == blank)
        --end;
    return text.mid(first, end - first);
}

QString addressRefusal(const ReferralText &text)
{
    if (text.email == text.friendEmail)
        return refusalText(QT_TRANSLATE_NOOP("tressora::Referral", "Please Enter Distinct Email Addresses"));
    const QChar at = QLatin1Char('@');
    const QChar dot = QLatin1Char('.');
    if (!text.email.contains(at) || !text.friendEmail.contains(at))
        return refusalText(QT_TRANSLATE_NOOP("tressora::Referral", "Please Enter Proper Email Address"));
    if (!text.email.contains(dot) || !text.friendEmail.contains(dot))
        return refusalText(QT_TRANSLATE_NOOP("tressora::Referral", "Please Enter Proper Email Address"));
    return {};
}

QString fillRefusal(const ReferralText &text)
{
    if (emptyOr(text.name, namePlaceholder))
        return refusalText(QT_TRANSLATE_NOOP("tressora::Referral", "Please Enter Your Name"));
    if (emptyOr(text.email, emailPlaceholder))
        return refusalText(QT_TRANSLATE_NOOP("tressora::Referral", "Please Enter Your Email"));
    if (emptyOr(text.message, messagePlaceholder))
        return refusalText(QT_TRANSLATE_NOOP("tressora::Referral", "Please Enter Your Message"));
    if (emptyOr(text.friendName, friendNamePlaceholder))
        return refusalText(QT_TRANSLATE_NOOP("tressora::Referral", "Please Enter Your Friend's Name"));
    if (emptyOr(text.friendEmail, friendEmailPlaceholder))
        return refusalText(QT_TRANSLATE_NOOP("tressora::Referral", "Please Enter Your Friend's Email"));
    return {};
}

QString composeReferralAddress(const ReferralText &text, const QString &mainHost,
                               const QString &productAddress)
{
    return QStringLiteral("http://") + mainHost + QStringLiteral("/ovms-refer-a-friend.php") +
           QStringLiteral("?taf1=") + queryValue(text.name) + QStringLiteral("&taf2=") +
           queryValue(text.email) + QStringLiteral("&taf3=") + queryValue(text.message) +
           QStringLiteral("&taf4=") + queryValue(text.friendName) + QStringLiteral("&taf5=") +
           queryValue(text.friendEmail) + QStringLiteral("&taf6=") + queryValue(productAddress);
}

} // namespace tressora
