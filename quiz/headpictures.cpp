#include "quiz/headpictures.h"

namespace tressora {

QPixmap IMGSunsignList(int number, qreal devicePixelRatio)
{
    if (number < 1 || number > 10)
        return {};
    const QString base = QStringLiteral(":/resources/head%1").arg(number);
    if (devicePixelRatio >= 1.5) {
        QPixmap sharp(base + QStringLiteral("@2x.png"));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return QPixmap(
        base + (number < kFirstFemalePicture ? QStringLiteral(".bmp") : QStringLiteral(".jpg")));
}

} // namespace tressora
