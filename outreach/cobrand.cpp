#include "outreach/cobrand.h"

#include "outreach/random.h"

#include <cmath>

namespace tressora {
namespace {

qint16 intCoBrandRandomNumber = 0;

} // namespace

qint16 coBrandRandomNumber()
{
    return intCoBrandRandomNumber;
}

qint16 coBrandValue(float r)
{
    // Each step is rounded to single precision on its own; nearbyint follows the current
    // rounding mode, which is round-half-to-even unless someone changed it.
    const float scaled = r * 6.0f;
    const float shifted = scaled + 1.0f;
    return static_cast<qint16>(std::nearbyint(shifted));
}

CoBrandAction coBrandAction(qint16 value)
{
    switch (value) {
    case 1:
    case 3:
    case 5:
        return CoBrandAction::CobrandToFront;
    case 2:
    case 4:
    case 6:
        return CoBrandAction::FullBrandToFront;
    default:
        return CoBrandAction::Nothing;
    }
}

void applyCoBrandAction(CoBrandAction action, AdvertStack &adverts)
{
    if (action == CoBrandAction::CobrandToFront)
        adverts.bringAdvertToFront(Advert::CoBrand);
    else if (action == CoBrandAction::FullBrandToFront)
        adverts.bringAdvertToFront(Advert::FullBrand);
}

void CoBrand_Randomize(AdvertStack *quizWindow)
{
    intCoBrandRandomNumber = coBrandValue(drawUniform());
    if (quizWindow != nullptr)
        applyCoBrandAction(coBrandAction(intCoBrandRandomNumber), *quizWindow);
}

} // namespace tressora
