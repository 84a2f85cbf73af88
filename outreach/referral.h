// The referral request of the refer-a-friend window: the texts it sends, the checks they must
// pass and the address that carries them to the maker's site. No widgets here.
#pragma once

#include <QLatin1String>
#include <QString>

namespace tressora {

// What the five boxes of the referral form show while the user has not filled them.
inline constexpr QLatin1String namePlaceholder("Your Name");
inline constexpr QLatin1String emailPlaceholder("Your Email Address");
inline constexpr QLatin1String messagePlaceholder("Your Message");
inline constexpr QLatin1String friendNamePlaceholder("Friend's Name");
inline constexpr QLatin1String friendEmailPlaceholder("Friend's Email Address");

// A placeholder as the form shows it: in the user's language, translated as the form's own text
// of the same words is.
QString shownPlaceholder(QLatin1String placeholder);

// Removes leading and trailing space characters only: tabs, carriage returns, line feeds and
// other white space stay where they are.
QString trimBlanks(const QString &text);

// The five texts of a referral, each already trimmed of blanks, in the order they are sent.
struct ReferralText {
    QString name;
    QString email;
    QString message;
    QString friendName;
    QString friendEmail;

    bool operator==(const ReferralText &) const = default;
};

// The refusal of the two e-mail addresses, checked before anything else: the same address
// twice (compared case-sensitively), then an address without "@", then one without ".". An
// empty text when both addresses pass.
QString addressRefusal(const ReferralText &text);

// The refusal of the first of the five texts, in sending order, that is empty or still its
// placeholder as shown. An empty text when all five are filled.
QString fillRefusal(const ReferralText &text);

// The request address: "http://<mainHost>/ovms-refer-a-friend.php" with the query keys taf1 to
// taf5 holding the five texts and taf6 holding productAddress. Every value is percent-encoded
// as UTF-8, so "&", "=", "#", "+", "%", line breaks and letters outside ASCII reach the server
// as typed instead of splitting or cutting the query.
QString composeReferralAddress(const ReferralText &text, const QString &mainHost,
                               const QString &productAddress);

} // namespace tressora
