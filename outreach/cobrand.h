// Which of the quiz window's two overlapping bottom adverts is in front, drawn once per run.
#pragma once

#include <QtGlobal>

class QWidget;

namespace tressora {

// Draws from the process-wide generator and brings lblCobrand or lblFullBrand of the quiz
// window to the front (or leaves the stacking as created). Without the quiz window or one of its
// labels the stacking is left alone.
void CoBrand_Randomize();

// The value of the last draw, 1 to 7; 0 until CoBrand_Randomize has drawn.
qint16 coBrandRandomNumber();

// r * 6 + 1 in single precision, rounded to the nearest whole number, halves to the even one.
// For r in [0, 1) the value lies between 1 and 7.
qint16 coBrandValue(float r);

enum class CoBrandAction { CobrandToFront, FullBrandToFront, Nothing };

// Odd values below 7 show lblCobrand, even ones lblFullBrand; 7 keeps the window's own stacking.
CoBrandAction coBrandAction(qint16 value);

// Brings one of the two sibling labels to the front of its siblings, or neither.
void applyCoBrandAction(CoBrandAction action, QWidget *cobrand, QWidget *fullBrand);

} // namespace tressora
