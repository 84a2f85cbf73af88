// The store of the ten head pictures: 1 to 5 the male set, 6 to 10 the female set, each set in
// the order of the five stages of hair.
#pragma once

#include <QPixmap>

namespace tressora {

inline constexpr int kFirstMalePicture = 1;
inline constexpr int kFirstFemalePicture = 6;

// Picture `number` (1 to 10) at its own size; on screens with a device pixel ratio of 1.5 or
// more the sharper double-size drawing, at the same logical size. Null for any other number.
QPixmap IMGSunsignList(int number, qreal devicePixelRatio = 1.0);

} // namespace tressora
