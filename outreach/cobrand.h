// Which of the quiz window's two overlapping bottom adverts is in front, drawn once per run.
// No widgets here: the window that holds the adverts brings one to the front when asked.
#pragma once

#include <QtGlobal>

namespace tressora {

enum class Advert { CoBrand, FullBrand };

// A window with two adverts lying on one another (the quiz window).
class AdvertStack {
public:
    // Brings the advert to the front of its siblings; nothing else about it changes.
    virtual void bringAdvertToFront(Advert advert) = 0;

protected:
    ~AdvertStack() = default;
};

// Draws from the process-wide generator and has the quiz window bring lblCobrand or
// lblFullBrand to the front (or leaves the stacking as created). Without a quiz window only the
// draw is made.
void CoBrand_Randomize(AdvertStack *quizWindow);

// The value of the last draw, 1 to 7; 0 until CoBrand_Randomize has drawn.
qint16 coBrandRandomNumber();

// r * 6 + 1 in single precision, rounded to the nearest whole number, halves to the even one.
// For r in [0, 1) the value lies between 1 and 7.
qint16 coBrandValue(float r);

enum class CoBrandAction { CobrandToFront, FullBrandToFront, Nothing };

// Odd values below 7 show lblCobrand, even ones lblFullBrand; 7 keeps the window's own stacking.
CoBrandAction coBrandAction(qint16 value);

// Asks the window to bring one of its two adverts to the front, or neither.
void applyCoBrandAction(CoBrandAction action, AdvertStack &adverts);

} // namespace tressora
