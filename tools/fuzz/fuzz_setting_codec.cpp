// Arbitrary texts through the setting codec. For every input nothing may crash, and:
//  - encoding keeps exactly the characters whose code is at most 170, in order, shifted into
//    85..255, so decoding the result gives those characters back;
//  - decoding keeps exactly the characters whose code lies in 85..255, shifted into 0..170, so
//    encoding the result gives those characters back;
//  - printable ASCII survives encoding then decoding whole, at its full length.
#include "settings/settingsstore.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void require(bool holds, const char *property)
{
    if (!holds) {
        std::fprintf(stderr, "property does not hold: %s\n", property);
        std::abort();
    }
}

bool codesWithin(const QString &text, int low, int high)
{
    for (const QChar ch : text) {
        if (ch.unicode() < low || ch.unicode() > high)
            return false;
    }
    return true;
}

QString keepCodes(const QString &text, int low, int high)
{
    QString kept;
    for (const QChar ch : text) {
        if (ch.unicode() >= low && ch.unicode() <= high)
            kept.append(ch);
    }
    return kept;
}

// The input read as UTF-16 code units, lone surrogates and all.
QString utf16Text(const std::uint8_t *data, std::size_t size)
{
    std::vector<char16_t> units(size / 2);
    if (!units.empty())
        std::memcpy(units.data(), data, units.size() * sizeof(char16_t));
    return QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size()));
}

void checkText(const QString &text)
{
    const QString encoded = tressora::EncodeSetting(text);
    require(codesWithin(encoded, 85, 255), "encoded codes lie in 85..255");
    require(tressora::DecodeSetting(encoded) == keepCodes(text, 0, 170),
            "decode(encode(x)) is x without the codes above 170");

    const QString decoded = tressora::DecodeSetting(text);
    require(codesWithin(decoded, 0, 170), "decoded codes lie in 0..170");
    require(tressora::EncodeSetting(decoded) == keepCodes(text, 85, 255),
            "encode(decode(x)) is x without the codes outside 85..255");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    checkText(utf16Text(data, size));
    checkText(
        QString::fromLatin1(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));

    QString printable;
    for (std::size_t i = 0; i < size; ++i)
        printable.append(QChar(32 + data[i] % 95));
    const QString encoded = tressora::EncodeSetting(printable);
    require(encoded.size() == printable.size(), "printable ASCII loses no character");
    require(codesWithin(encoded, 117, 211), "printable ASCII encodes into 117..211");
    require(tressora::DecodeSetting(encoded) == printable,
            "decode(encode(x)) == x for printable ASCII");
    return 0;
}
