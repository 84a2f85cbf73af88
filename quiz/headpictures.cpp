#include "quiz/headpictures.h"

#include <array>

namespace tressora {
namespace {

QPixmap load(int number, bool sharp)
{
    const QString base = QStringLiteral(":/resources/head%1").arg(number);
    if (sharp) {
        QPixmap twice(base + QStringLiteral("@2x.png"));
        if (!twice.isNull()) {
            twice.setDevicePixelRatio(2.0);
            return twice;
        }
    }
    return QPixmap(
        base + (number < kFirstFemalePicture ? QStringLiteral(".bmp") : QStringLiteral(".jpg")));
}

} // namespace

QPixmap IMGSunsignList(int number, qreal devicePixelRatio)
{
    if (number < 1 || number > 10)
        return {};
    // Each picture is decoded once; a change of set only swaps the shared copies.
    static std::array<QPixmap, 10> plain;
    static std::array<QPixmap, 10> sharp;
    const bool wantSharp = devicePixelRatio >= 1.5;
    QPixmap &cached = (wantSharp ? sharp : plain)[static_cast<std::size_t>(number - 1)];
    if (cached.isNull())
        cached = load(number, wantSharp);
    return cached;
}

} // namespace tressora
