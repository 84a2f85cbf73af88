// Arbitrary referral texts through the referral checks and the request address. For every input
// nothing may crash, and:
//  - the address starts with the request page of the given host and is printable ASCII with no
//    blank and no "#", and the browser hand-over's strict parse accepts it;
//  - read back the way the server reads a query (split on "&", then on the first "=", "+" as a
//    blank, percent-decoded, UTF-8), it holds exactly taf1 to taf6, in order, with the five
//    texts and the product address as they were given;
//  - trimming removes leading and trailing spaces and nothing else;
//  - a refusal is one of the known messages, and no refusal means every text is filled.
#include "outreach/referral.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

using tressora::ReferralText;

namespace {

void require(bool holds, const char *property)
{
    if (!holds) {
        std::fprintf(stderr, "property does not hold: %s\n", property);
        std::abort();
    }
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// A query value as a form-reading server decodes it; no value when a "%" is not followed by two
// hexadecimal digits.
std::optional<QString> formDecode(const QString &value)
{
    const QByteArray raw = value.toLatin1();
    QByteArray bytes;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const char c = raw.at(i);
        if (c == '+') {
            bytes.append(' ');
        } else if (c == '%') {
            if (i + 2 >= raw.size())
                return std::nullopt;
            const int high = hexDigit(raw.at(i + 1));
            const int low = hexDigit(raw.at(i + 2));
            if (high < 0 || low < 0)
                return std::nullopt;
            bytes.append(static_cast<char>(high * 16 + low));
            i += 2;
        } else {
            bytes.append(c);
        }
    }
    return QString::fromUtf8(bytes);
}

void checkAddress(const ReferralText &text, const QString &host, const QString &product)
{
    const QString address = tressora::composeReferralAddress(text, host, product);
    const QString page =
        QStringLiteral("http://") + host + QStringLiteral("/ovms-refer-a-friend.php?");
    require(address.startsWith(page), "the address starts with the request page");
    for (const QChar ch : address) {
        require(ch.unicode() > 32 && ch.unicode() < 127, "the address is printable ASCII");
        require(ch != QLatin1Char('#'), "the address has no fragment");
    }
    const QUrl url = QUrl::fromEncoded(address.toLatin1(), QUrl::StrictMode);
    require(url.isValid(), "the strict parse accepts the address");
    require(url.host() == host, "the strict parse finds the host");

    const QStringList pairs = address.mid(page.size()).split(QLatin1Char('&'));
    require(pairs.size() == 6, "the query holds six parameters");
    const std::array<QString, 6> expected = {text.name,       text.email,       text.message,
                                             text.friendName, text.friendEmail, product};
    for (int i = 0; i < 6; ++i) {
        const qsizetype equals = pairs.at(i).indexOf(QLatin1Char('='));
        require(equals > 0, "every parameter has a name and a value");
        require(pairs.at(i).left(equals) == QStringLiteral("taf%1").arg(i + 1),
                "the parameters are taf1 to taf6 in order");
        const std::optional<QString> value = formDecode(pairs.at(i).mid(equals + 1));
        require(value.has_value(), "every percent sign starts a complete escape");
        require(*value == expected[static_cast<std::size_t>(i)],
                "every parameter decodes to the text given");
    }
}

void checkTrim(const QString &text)
{
    const QString trimmed = tressora::trimBlanks(text);
    const QChar blank = QLatin1Char(' ');
    require(!trimmed.startsWith(blank) && !trimmed.endsWith(blank),
            "no space is left at either end");
    qsizetype lead = 0;
    while (lead < text.size() && text.at(lead) == blank)
        ++lead;
    require(text.mid(lead, trimmed.size()) == trimmed, "the trimmed text follows the spaces");
    for (qsizetype i = lead + trimmed.size(); i < text.size(); ++i)
        require(text.at(i) == blank, "only spaces follow the trimmed text");
}

void checkRefusals(const ReferralText &text)
{
    static const QStringList addressMessages = {
        QStringLiteral("Please Enter Distinct Email Addresses"),
        QStringLiteral("Please Enter Proper Email Address")};
    static const QStringList fillMessages = {QStringLiteral("Please Enter Your Name"),
                                             QStringLiteral("Please Enter Your Email"),
                                             QStringLiteral("Please Enter Your Message"),
                                             QStringLiteral("Please Enter Your Friend's Name"),
                                             QStringLiteral("Please Enter Your Friend's Email")};

    const QString addressRefusal = tressora::addressRefusal(text);
    require(addressRefusal.isEmpty() || addressMessages.contains(addressRefusal),
            "an address refusal is a known message");
    if (addressRefusal.isEmpty()) {
        require(text.email != text.friendEmail, "accepted addresses differ");
        for (const QString &email : {text.email, text.friendEmail})
            require(email.contains(QLatin1Char('@')) && email.contains(QLatin1Char('.')),
                    "accepted addresses hold an at sign and a dot");
    }

    const QString fillRefusal = tressora::fillRefusal(text);
    require(fillRefusal.isEmpty() || fillMessages.contains(fillRefusal),
            "a fill refusal is a known message");
    if (fillRefusal.isEmpty()) {
        require(
            !text.name.isEmpty() && text.name != tressora::namePlaceholder &&
                !text.email.isEmpty() && text.email != tressora::emailPlaceholder &&
                !text.message.isEmpty() && text.message != tressora::messagePlaceholder &&
                !text.friendName.isEmpty() && text.friendName != tressora::friendNamePlaceholder &&
                !text.friendEmail.isEmpty() && text.friendEmail != tressora::friendEmailPlaceholder,
            "no fill refusal means every text is filled");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    // The host is build configuration, never typed by the user: one of a few well-formed ones.
    static const std::array<QString, 3> hosts = {QStringLiteral("www.orvane.example"),
                                                 QStringLiteral("localhost"),
                                                 QStringLiteral("192.0.2.7")};
    const QString &host = hosts[input.ConsumeIntegralInRange<std::size_t>(0, hosts.size() - 1)];

    std::array<QString, 6> typed;
    for (QString &text : typed)
        text = QString::fromStdString(input.ConsumeRandomLengthString(512));
    for (const QString &text : typed)
        checkTrim(text);

    const ReferralText raw{typed[0], typed[1], typed[2], typed[3], typed[4]};
    const ReferralText trimmed{tressora::trimBlanks(typed[0]), tressora::trimBlanks(typed[1]),
                               tressora::trimBlanks(typed[2]), tressora::trimBlanks(typed[3]),
                               tressora::trimBlanks(typed[4])};
    checkRefusals(trimmed);
    checkAddress(raw, host, typed[5]);
    checkAddress(trimmed, host, typed[5]);
    return 0;
}
