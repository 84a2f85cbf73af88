#include "outreach/cobrand.h"

#include "outreach/random.h"
#include "quiz/frmMain.h"

#include <QWidget>

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

void applyCoBrandAction(CoBrandAction action, QWidget *cobrand, QWidget *fullBrand)
{
    QWidget *front = nullptr;
    if (action == CoBrandAction::CobrandToFront)
        front = cobrand;
    else if (action == CoBrandAction::FullBrandToFront)
        front = fullBrand;
    if (front != nullptr)
        front->raise();
}

void CoBrand_Randomize()
{
    intCoBrandRandomNumber = coBrandValue(drawUniform());
    frmMain *window = frmMain::existing();
    if (window == nullptr)
        return;
    auto *cobrand = window->findChild<QWidget *>(QStringLiteral("lblCobrand"));
    auto *fullBrand = window->findChild<QWidget *>(QStringLiteral("lblFullBrand"));
    if (cobrand == nullptr || fullBrand == nullptr)
        return;
    applyCoBrandAction(coBrandAction(intCoBrandRandomNumber), cobrand, fullBrand);
}

} // namespace tressora
